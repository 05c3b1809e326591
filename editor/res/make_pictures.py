#!/usr/bin/env python3
"""Draws the plugin editor's bitmaps and icons and writes them beside this
script, with the shapes, canvas and file formats of common/res/drawing.py and
the cleaner's palette. Running the script again reproduces the committed
files byte for byte; with --check it only compares and exits non-zero when a
file differs; with --preview FOLDER it writes enlarged PNG files of the
pictures there.

    python3 make_pictures.py [--check | --preview FOLDER]
"""

import functools
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
# The shared drawing module is imported from the source tree, which stays
# free of compiled files.
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parents[1] / 'common' / 'res'))

from drawing import (  # noqa: E402
    AMBER, BLUE, BLUE_DARK, GREEN, GREY, GREY_LIGHT, NAVY, PAPER, RED, TEAL, WHITE, Canvas,
    bmp_bytes, circle, icon_set, lighten, mix, polygon, rotated, rounded, rrect, run,
    small_strip, star, stroke, subtract, union)

# The light face colour the toolbar's anti-aliased edges are composed over:
# like the other strips it is drawn on magenta, which the toolbar's image list
# masks out, and shows on the button face, light on every system the program
# runs on.
TOOLBAR_FACE = (226, 226, 222)


# ---------------------------------------------------------------------------
# Parts that several pictures share, in the 16 x 16 grid unless scaled.

def piece_shape(x0, y0, size):
    """A puzzle piece, the sign of a plugin, in the box of that size: a body
    with a knob on top and one on the right, notches on the left and at the
    bottom."""
    s = size
    body = union(rrect(x0, y0 + 0.26 * s, x0 + 0.74 * s, y0 + s, 0.07 * s),
                 rrect(x0 + 0.29 * s, y0 + 0.12 * s, x0 + 0.45 * s, y0 + 0.3 * s, 0),
                 circle(x0 + 0.37 * s, y0 + 0.13 * s, 0.13 * s),
                 rrect(x0 + 0.7 * s, y0 + 0.55 * s, x0 + 0.88 * s, y0 + 0.71 * s, 0),
                 circle(x0 + 0.87 * s, y0 + 0.63 * s, 0.13 * s))
    return subtract(body, union(circle(x0, y0 + 0.63 * s, 0.11 * s),
                                circle(x0 + 0.37 * s, y0 + s, 0.11 * s)))


def small_piece_shape(x0, y0, k=1.0):
    """The piece drawn for 16 x 16 pictures, 12.5 by 13 pixels at the scale
    1: bolder knobs, no notches."""
    def box(a, b, c, d, r=0.0):
        return rrect(x0 + a * k, y0 + b * k, x0 + c * k, y0 + d * k, r * k)
    return union(box(0, 4, 8, 13, 0.8),
                 box(3, 2, 5, 5), circle(x0 + 4 * k, y0 + 2.2 * k, 2.2 * k),
                 box(7, 7.5, 10, 9.5), circle(x0 + 10.3 * k, y0 + 8.5 * k, 2.2 * k))


def brand(x0, y0, size):
    """The brand gradient across a box, darker towards the bottom right."""
    return lambda x, y: mix(mix(TEAL, BLUE, 0.35), BLUE_DARK, ((x - x0) + (y - y0)) / (2 * size))


def page(c, x0, y0, x1, y1, lines=0, line_colour=GREY_LIGHT):
    """A sheet with a folded top-right corner and, when asked, lines of text."""
    fold = min(4.0, (x1 - x0) * 0.4)
    outline = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.fill(rounded(polygon(outline), 0.6), GREY)
    inner = [(x0 + 1.1, y0 + 1.1), (x1 - fold - 0.45, y0 + 1.1), (x1 - 1.1, y0 + fold + 0.45),
             (x1 - 1.1, y1 - 1.1), (x0 + 1.1, y1 - 1.1)]
    c.fill(polygon(inner), PAPER)
    c.fill(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), GREY_LIGHT)
    for i in range(lines):
        y = y0 + fold + 2.4 + 2.2 * i
        if y > y1 - 2.2:
            break
        right = x1 - 2.6 if i % 2 == 0 else x1 - 4.2
        c.fill(stroke([[(x0 + 2.6, y), (right, y)]], 1.0), line_colour)


def badge(c, cx, cy, r, colour):
    """A round sign in a corner, set off from the picture by a white rim."""
    c.fill(circle(cx, cy, r + 1.0), WHITE)
    c.fill(circle(cx, cy, r), colour)


def badge_remove(c, cx=11.6, cy=11.6):
    badge(c, cx, cy, 3.9, RED)
    c.fill(stroke([[(cx - 1.6, cy - 1.6), (cx + 1.6, cy + 1.6)],
                   [(cx + 1.6, cy - 1.6), (cx - 1.6, cy + 1.6)]], 1.2), WHITE)


def badge_update(c, cx=11.6, cy=11.6):
    """A pencil on green: the target's content is changed, not removed."""
    badge(c, cx, cy, 3.9, GREEN)
    c.fill(stroke([[(cx - 1.7, cy + 1.7), (cx + 1.5, cy - 1.5)]], 1.5), WHITE)
    c.fill(circle(cx - 2.0, cy + 2.0, 0.5), WHITE)


def cube(c, cx, top, w):
    """A block seen from above at an angle, the sign of the registry."""
    h = w / 2
    c.fill(polygon([(cx, top), (cx + w, top + h / 2 + 0.5), (cx, top + h + 1),
                    (cx - w, top + h / 2 + 0.5)]), lighten(BLUE, 0.45))
    c.fill(polygon([(cx - w, top + h / 2 + 0.5), (cx, top + h + 1), (cx, top + 2 * w + 0.5),
                    (cx - w, top + 2 * w - h / 2)]), BLUE)
    c.fill(polygon([(cx, top + h + 1), (cx + w, top + h / 2 + 0.5), (cx + w, top + 2 * w - h / 2),
                    (cx, top + 2 * w + 0.5)]), BLUE_DARK)


def folder(c, x0, y0, x1, y1):
    c.fill(rounded(polygon([(x0, y0), (x0 + 4.5, y0), (x0 + 6.0, y0 + 1.5), (x1, y0 + 1.5),
                            (x1, y1), (x0, y1)]), 0.7), mix(AMBER, NAVY, 0.25))
    c.fill(rrect(x0 - 0.3, y0 + 3.0, x1 + 0.3, y1 + 0.3, 0.9),
           lambda x, y: mix(lighten(AMBER, 0.25), AMBER, (y - y0) / (y1 - y0)))


def program_window(c, x0, y0, x1, y1):
    c.fill(rrect(x0, y0, x1, y1, 1.2), NAVY)
    c.fill(rrect(x0 + 1.1, y0 + 3.2, x1 - 1.1, y1 - 1.1, 0.3), PAPER)
    c.fill(circle(x1 - 2.2, y0 + 1.6, 0.6), AMBER)


def letters_ab(c, colour):
    c.fill(stroke([[(4.2, 6.8), (6.8, 7.4), (6.8, 11.2)]], 1.2), colour)
    c.fill(subtract(circle(5.2, 9.6, 1.9), circle(5.2, 9.6, 0.8)), colour)
    c.fill(stroke([[(9.2, 4.6), (9.2, 11.3)]], 1.2), colour)
    c.fill(subtract(circle(11.0, 9.4, 2.1), circle(11.0, 9.4, 0.9)), colour)


def value_tag(c):
    c.fill(rrect(1.5, 2.5, 14.5, 13.5, 2.0), GREY)
    c.fill(rrect(2.6, 3.6, 13.4, 12.4, 1.2), PAPER)


# ---------------------------------------------------------------------------
# Toolbar: 16 x 16 buttons New, Open, Save, Install, Regedit, About.

def tool_new(c):
    page(c, 3.0, 1.5, 13.0, 14.5, lines=3)
    c.fill(star(12.2, 4.0, 3.8, 1.2), AMBER)


def tool_open(c):
    c.fill(rounded(polygon([(1.5, 3.0), (5.5, 3.0), (7.0, 4.5), (12.5, 4.5), (12.5, 13.0),
                            (1.5, 13.0)]), 0.6), mix(AMBER, NAVY, 0.25))
    c.fill(rrect(2.6, 6.0, 11.6, 12.4, 0.4), PAPER)
    c.fill(rounded(polygon([(4.2, 7.6), (15.0, 7.6), (12.6, 13.4), (1.4, 13.4)]), 0.5),
           lambda x, y: mix(lighten(AMBER, 0.3), AMBER, (y - 7) / 7))


def tool_save(c):
    c.fill(rounded(polygon([(1.8, 1.8), (12.2, 1.8), (14.2, 3.8), (14.2, 14.2), (1.8, 14.2)]),
                   0.6), lambda x, y: mix(BLUE, BLUE_DARK, y / 16))
    c.fill(rrect(4.2, 1.8, 11.6, 6.4, 0.4), lighten(GREY_LIGHT, 0.4))
    c.fill(rrect(9.0, 2.6, 10.6, 5.6, 0.2), BLUE_DARK)
    c.fill(rrect(3.6, 8.8, 12.4, 14.2, 0.5), PAPER)
    c.fill(stroke([[(5.2, 10.8), (10.8, 10.8)], [(5.2, 12.6), (9.4, 12.6)]], 0.9), GREY_LIGHT)


def tool_install(c):
    c.fill(small_piece_shape(0.5, 0.5, 0.85), brand(0.5, 0.5, 11))
    badge(c, 12.0, 12.0, 3.6, GREEN)
    c.fill(stroke([[(12.0, 9.8), (12.0, 13.9)], [(10.3, 12.2), (12.0, 13.9), (13.7, 12.2)]], 1.2),
           WHITE)


def tool_regedit(c):
    cube(c, 8.0, 0.8, 4.2)
    cube(c, 4.0, 6.6, 3.6)
    cube(c, 12.0, 6.6, 3.6)


def tool_about(c):
    c.fill(circle(8, 8, 7.0), lambda x, y: mix(lighten(BLUE, 0.12), BLUE_DARK, y / 16))
    c.fill(circle(8, 4.6, 1.2), WHITE)
    c.fill(stroke([[(6.8, 7.3), (8.0, 7.3), (8.0, 11.9)], [(6.6, 11.9), (9.6, 11.9)]], 1.6),
           WHITE)


TOOLS = [tool_new, tool_open, tool_save, tool_install, tool_regedit, tool_about]


# ---------------------------------------------------------------------------
# Category tree, 16 x 16 on magenta. Indexes 2 to 10 stand for the categories;
# 0, 1 and 8 are the plugin itself, the group of its pages and an exclusion.

def category_plugin_file(c):
    page(c, 2.5, 1.0, 13.5, 15.0)
    c.fill(small_piece_shape(4.0, 5.5, 0.65), brand(4.0, 5.5, 8.5))


def category_plugin(c):
    c.fill(small_piece_shape(1.5, 1.5), brand(1.5, 1.5, 13))


def category_general(c):
    teeth = [rotated(rrect(6.6, 0.6, 9.4, 4.0, 0.6), 45 * i, 8, 8) for i in range(8)]
    c.fill(subtract(union(circle(8, 8, 5.4), *teeth), circle(8, 8, 2.2)),
           lambda x, y: mix(lighten(BLUE, 0.12), BLUE_DARK, y / 16))


def category_files(c):
    page(c, 4.0, 0.5, 14.0, 11.5)
    page(c, 1.5, 4.0, 11.5, 15.5, lines=3, line_colour=lighten(TEAL, 0.3))


def category_registry(c):
    tool_regedit(c)


def category_eliminate_keys(c):
    cube(c, 6.8, 0.8, 5.6)
    badge_remove(c)


def category_update_keys(c):
    cube(c, 6.8, 0.8, 5.6)
    badge_update(c)


def category_executables(c):
    program_window(c, 0.8, 1.8, 15.2, 13.8)
    c.fill(rounded(polygon([(6.4, 6.0), (10.6, 8.5), (6.4, 11.0)]), 0.6), GREEN)


def category_exclusion(c):
    c.fill(circle(8, 8, 7.0), RED)
    c.fill(circle(8, 8, 5.2), WHITE)
    c.fill(stroke([[(4.6, 11.4), (11.4, 4.6)]], 1.8), RED)


def category_eliminate_files(c):
    page(c, 1.5, 0.5, 12.0, 15.0, lines=3)
    badge_remove(c)


def category_update_files(c):
    page(c, 1.5, 0.5, 12.0, 15.0, lines=3)
    badge_update(c)


CATEGORY_IMAGES = [category_plugin_file, category_plugin, category_general, category_files,
                   category_registry, category_eliminate_keys, category_update_keys,
                   category_executables, category_exclusion, category_eliminate_files,
                   category_update_files]


# ---------------------------------------------------------------------------
# List items, 16 x 16 on magenta: file, folder content, folder tree, string
# value, number value, program, registry value, and the three ways of
# updating a file: clear lines, clear keywords, clear the whole file.

def text_lines(c, rows):
    """Lines of text on a page of item pictures: (y, right end, colour)."""
    for y, right, colour in rows:
        c.fill(stroke([[(5.1, y), (right, y)]], 1.1), colour)


TEXT = mix(GREY_LIGHT, GREY, 0.35)


def item_file(c):
    page(c, 2.5, 1.0, 13.5, 15.0)
    text_lines(c, [(6.6, 10.9, TEXT), (8.8, 9.4, TEXT), (11.0, 10.9, TEXT)])


# Signs on a folder are dark: white does not stand out from the amber.
FOLDER_SIGN = mix(AMBER, NAVY, 0.7)


def item_folder_content(c):
    folder(c, 0.8, 2.5, 15.2, 13.8)
    asterisk = [[(8.0, 6.2), (8.0, 11.8)], [(5.6, 7.6), (10.4, 10.4)], [(10.4, 7.6), (5.6, 10.4)]]
    c.fill(stroke(asterisk, 1.3), FOLDER_SIGN)


def item_folder_tree(c):
    folder(c, 0.8, 2.5, 15.2, 13.8)
    c.fill(stroke([[(4.6, 6.0), (4.6, 11.4), (8.6, 11.4)], [(4.6, 8.0), (8.6, 8.0)]], 1.1),
           FOLDER_SIGN)
    for y in (8.0, 11.4):
        c.fill(rrect(8.6, y - 1.2, 12.0, y + 1.2, 0.4), FOLDER_SIGN)


def item_folder_tree_and_self(c):
    """The tree, and the folder itself goes once it is empty."""
    item_folder_tree(c)
    badge_remove(c)


def item_string_value(c):
    value_tag(c)
    letters_ab(c, RED)


def item_number_value(c):
    value_tag(c)
    c.fill(subtract(rrect(3.6, 5.2, 7.6, 11.0, 2.0), rrect(4.8, 6.4, 6.4, 9.8, 0.8)), BLUE)
    c.fill(stroke([[(9.4, 6.4), (10.8, 5.3), (10.8, 11.0)], [(9.4, 11.0), (12.2, 11.0)]], 1.1),
           BLUE)


def item_program(c):
    program_window(c, 0.8, 1.8, 15.2, 13.8)
    c.fill(stroke([[(4.0, 7.0), (6.2, 8.8), (4.0, 10.6)], [(7.6, 10.8), (11.6, 10.8)]], 1.1),
           NAVY)


def item_registry_value(c):
    cube(c, 8.0, 1.0, 6.4)


def item_clear_lines(c):
    page(c, 2.5, 1.0, 13.5, 15.0)
    text_lines(c, [(6.6, 10.9, TEXT), (8.8, 10.9, RED), (11.0, 9.4, RED), (13.0, 10.4, TEXT)])


def item_clear_keywords(c):
    page(c, 2.5, 1.0, 13.5, 15.0)
    c.fill(rrect(6.6, 7.6, 10.6, 10.0, 0.5), lighten(AMBER, 0.2))
    text_lines(c, [(6.6, 10.9, TEXT), (8.8, 5.6, TEXT), (11.0, 9.4, TEXT), (13.0, 10.4, TEXT)])
    c.fill(stroke([[(7.2, 8.8), (10.0, 8.8)]], 1.1), RED)


def item_clear_file(c):
    page(c, 2.5, 1.0, 13.5, 15.0)
    c.fill(rounded(polygon([(6.6, 14.6), (4.6, 12.6), (10.6, 6.6), (12.6, 8.6)]), 0.8), RED)
    c.fill(rounded(polygon([(6.6, 14.6), (4.6, 12.6), (7.0, 10.2), (9.0, 12.2)]), 0.8),
           GREY_LIGHT)


ITEM_IMAGES = [item_file, item_folder_content, item_folder_tree, item_string_value,
               item_number_value, item_program, item_registry_value, item_clear_lines,
               item_clear_keywords, item_clear_file, item_folder_tree_and_self]


# ---------------------------------------------------------------------------
# Icons: the program's mark, a piece in a rounded square of the brand
# gradient with a warm spark, and the plugin file, a sheet with the piece.

def draw_mark(c, size):
    s = size / 48.0
    c.fill(rrect(2 * s, 2 * s, 46 * s, 46 * s, 11 * s), brand(0, 0, size))
    c.fill(piece_shape(9 * s, 12 * s, 28 * s), WHITE)
    if size >= 24:
        c.fill(star(36.5 * s, 11.5 * s, 7 * s, 2.2 * s), AMBER)


def draw_mark_16(c):
    """The mark hinted for 16 x 16: the square's edges on the pixel grid."""
    c.fill(rrect(0.5, 0.5, 15.5, 15.5, 3.5), brand(0, 0, 16))
    c.fill(small_piece_shape(2.4, 2.2, 0.9), WHITE)


def draw_document(c, size):
    s = size / 48.0
    fold = 12 * s
    x0, y0, x1, y1 = 7 * s, 2 * s, 41 * s, 46 * s
    c.fill(rounded(polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]),
                   0.8 * s), GREY)
    inset = 1.8 * s
    c.fill(polygon([(x0 + inset, y0 + inset), (x1 - fold - inset * 0.4, y0 + inset),
                    (x1 - inset, y0 + fold + inset * 0.4), (x1 - inset, y1 - inset),
                    (x0 + inset, y1 - inset)]), PAPER)
    c.fill(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), GREY_LIGHT)
    for i, y in enumerate((20, 25)):
        c.fill(stroke([[(13 * s, y * s), ((27 if i else 31) * s, y * s)]], 2.2 * s), GREY_LIGHT)
    c.fill(piece_shape(13 * s, 23 * s, 18 * s), brand(13 * s, 23 * s, 18 * s))


def draw_document_16(c):
    page(c, 2.5, 0.5, 13.5, 15.5)
    c.fill(small_piece_shape(4.0, 5.5, 0.65), brand(4.0, 5.5, 8.5))


def icon_images(draw, draw_16):
    images = []
    for size in (16, 32, 48):
        canvas = Canvas(size, size)
        if size == 16:
            draw_16(canvas)
        else:
            draw(canvas, size)
        images.append(canvas)
    return images


@functools.lru_cache(maxsize=None)
def icon_files():
    """The bytes of both icon files. Each has a palette of its own for its
    256-colour images: one shared by both has too few colours for the
    gradients of the two."""
    return {**icon_set({'Actsmith.ico': icon_images(draw_mark, draw_mark_16)}),
            **icon_set({'plugin.ico': icon_images(draw_document, draw_document_16)})}


# ---------------------------------------------------------------------------

def pictures():
    return {
        'toolbar.bmp': lambda: bmp_bytes(small_strip(TOOLS, TOOLBAR_FACE)),
        'category_images.bmp': lambda: bmp_bytes(small_strip(CATEGORY_IMAGES)),
        'item_images.bmp': lambda: bmp_bytes(small_strip(ITEM_IMAGES)),
        'Actsmith.ico': lambda: icon_files()['Actsmith.ico'],
        'plugin.ico': lambda: icon_files()['plugin.ico'],
    }


if __name__ == '__main__':
    sys.exit(run(pictures(), HERE, sys.argv))
