#!/usr/bin/env python3
"""Draws the cleaner's bitmaps and icons and writes them beside this script,
with the shapes, canvas and file formats of common/res/drawing.py. Running
the script again reproduces the committed files byte for byte; with --check
it only compares and exits non-zero when a file differs; with --preview
FOLDER it writes enlarged PNG files of the pictures there.

    python3 make_pictures.py [--check | --preview FOLDER]
"""

import functools
import math
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
# The shared drawing module is imported from the source tree, which stays
# free of compiled files.
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parents[2] / 'common' / 'res'))

from drawing import (  # noqa: E402
    AMBER, BLUE, BLUE_DARK, GREEN, GREY, GREY_LIGHT, NAVY, PAPER, RED, TEAL, TEAL_DARK, WHITE,
    Canvas, arc, bmp_bytes, circle, icon_set, lighten, mix, polygon, question_mark, ring,
    rotated, rounded, rrect, run, scaled, small_strip, star, stroke, subtract, text_shapes, union)

# Colours with a meaning for the program: the toolbar background that it
# replaces by the button face and the mask colour of the toolbar image lists.
# Artwork never uses them, nor the small image lists' magenta.
TOOLBAR_BACK = (192, 192, 192)
TOOLBAR_MASK = (212, 208, 200)

# ---------------------------------------------------------------------------
# The logo mark: a rounded square in the brand gradient with a white V and a
# small warm spark.

def draw_mark(canvas, x0, y0, size, on_dark=False):
    s = size / 48.0
    box = rrect(x0 + 2 * s, y0 + 2 * s, x0 + 46 * s, y0 + 46 * s, 11 * s)
    if on_dark:
        canvas.fill(box, WHITE)
        v_colour = lambda x, y: mix(TEAL, BLUE, (y - y0) / size)
    else:
        canvas.fill(box, lambda x, y: mix(TEAL, BLUE, ((x - x0) + (y - y0)) / (2 * size)))
        v_colour = WHITE
    weight = max(2.6, 7.0 * s)
    canvas.fill(stroke([scaled([(12.5, 14), (23, 35), (33.5, 14)], s, x0, y0)], weight),
                v_colour)
    if size >= 24:
        canvas.fill(star(x0 + 36.5 * s, y0 + 11.5 * s, 7 * s, 2.2 * s), AMBER)


def draw_mark_16(canvas, bold):
    """The mark hinted for 16 x 16: edges and the V placed on the pixel grid."""
    canvas.fill(rrect(0.5, 0.5, 15.5, 15.5, 3.5),
                lambda x, y: mix(TEAL, BLUE, (x + y) / 32.0))
    canvas.fill(stroke([[(4.2, 4.5), (8, 11.8), (11.8, 4.5)]], 2.9 if bold else 2.5), WHITE)
    if not bold:
        canvas.fill(star(12.6, 3.4, 2.6, 0.9), AMBER)


def icon_images(sizes, bold=False):
    images = []
    for size in sizes:
        canvas = Canvas(size, size)
        if size == 16:
            draw_mark_16(canvas, bold)
        else:
            draw_mark(canvas, 0, 0, size)
        images.append(canvas)
    return images


ICONS = {'Veltrin.ico': ([16, 32, 48], False), 'tray.ico': ([16, 32], True)}


@functools.lru_cache(maxsize=None)
def icon_files():
    """The bytes of both icon files, which share the palette of their
    256-colour images."""
    return icon_set({name: icon_images(*args) for name, args in ICONS.items()})


# ---------------------------------------------------------------------------
# Toolbar: 50 x 36 cells; each picture is drawn around the cell's centre.

CELL_W, CELL_H = 50, 36


def tool_start(c, tone):
    cx, cy = 25, 18
    c.fill(circle(cx, cy, 14.5), lambda x, y: tone(mix(lighten(TEAL, 0.12), TEAL_DARK,
                                                         (y - 3) / 29)))
    c.fill(rounded(polygon([(cx - 4.5, cy - 7.5), (cx + 7.5, cy), (cx - 4.5, cy + 7.5)]), 1.2),
           tone(WHITE))
    c.fill(star(cx + 13.5, cy - 12.5, 6, 1.8), tone(AMBER))


def tool_stop(c, tone):
    cx, cy = 25, 18
    octagon = [(cx + 14.5 * math.cos(math.radians(22.5 + 45 * i)),
                cy + 14.5 * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)]
    c.fill(rounded(polygon(octagon), 1.0), lambda x, y: tone(mix(lighten(RED, 0.1),
                                                                     mix(RED, NAVY, 0.15),
                                                                     (y - 3) / 29)))
    c.fill(rrect(cx - 6, cy - 6, cx + 6, cy + 6, 1.8), tone(WHITE))


def tool_settings(c, tone):
    cx, cy = 25, 18
    teeth = [rotated(rrect(cx - 3.2, cy - 15, cx + 3.2, cy - 8, 1.2), 45 * i, cx, cy)
             for i in range(8)]
    gear = subtract(union(circle(cx, cy, 11), *teeth), circle(cx, cy, 4.8))
    c.fill(gear, lambda x, y: tone(mix(lighten(BLUE, 0.12), BLUE_DARK, (y - 3) / 30)))
    c.fill(ring(cx, cy, 7.6, 1.4), tone(lighten(BLUE, 0.35)), 0.6)


def tool_clear_log(c, tone):
    sheet = rrect(13.5, 3.5, 34.5, 32.5, 2.5)
    c.fill(rounded(sheet, 1.2), tone(GREY))
    c.fill(sheet, tone(PAPER))
    for i, y in enumerate((9.5, 14.5, 19.5, 24.5)):
        right = 29 if i % 2 == 0 else 25
        c.fill(stroke([[(18.5, y), (right, y)]], 2.0), tone(GREY_LIGHT))
    c.fill(circle(33.5, 25.5, 10.5), tone(PAPER))
    c.fill(circle(33.5, 25.5, 9), tone(RED))
    c.fill(stroke([[(30, 22), (37, 29)], [(37, 22), (30, 29)]], 2.6), tone(WHITE))


def tool_help(c, tone):
    cx, cy = 25, 18
    c.fill(circle(cx, cy, 14.5), lambda x, y: tone(mix(lighten(BLUE, 0.12), BLUE_DARK,
                                                         (y - 3) / 29)))
    c.fill(question_mark(cx, cy - 9.5, 19, 3.4), tone(WHITE))


TOOLS = [tool_start, tool_stop, tool_settings, tool_clear_log, tool_help]


def toolbar(hot):
    """The strip of all buttons. The hot one is lighter and sits on a soft
    glow; its background is the image lists' mask colour, as the program
    replaces the background colour by the button face only in the normal
    strip."""
    tone = (lambda colour: lighten(colour, 0.1)) if hot else (lambda colour: colour)
    strip = Canvas(CELL_W * len(TOOLS), CELL_H)
    for i, draw in enumerate(TOOLS):
        cell = Canvas(CELL_W, CELL_H)
        if hot:
            for r in (17.5, 16.5, 15.5):
                cell.fill(circle(25, 18, r), WHITE, 0.22)
        draw(cell, tone)
        strip.paste(cell, i * CELL_W, 0)
    # Edges are composed over a light face colour: the strip is shown on the
    # button face, which is light on every system the program runs on.
    return strip.flatten((226, 226, 222), TOOLBAR_MASK if hot else TOOLBAR_BACK, 0.2,
                         avoid=(TOOLBAR_BACK, TOOLBAR_MASK))


# ---------------------------------------------------------------------------
# Small images, 16 x 16 on magenta.

def small_deleted(c):
    c.fill(rrect(2.5, 2.8, 13.5, 5.0, 1.0), TEAL_DARK)
    c.fill(stroke([[(6.0, 2.8), (6.0, 1.5), (10.0, 1.5), (10.0, 2.8)]], 1.1), TEAL_DARK)
    c.fill(rounded(polygon([(4.2, 6.4), (11.8, 6.4), (11.0, 14.0), (5.0, 14.0)]), 0.7),
           lambda x, y: mix(TEAL, TEAL_DARK, (y - 6) / 9))
    c.fill(stroke([[(6.5, 8.3), (6.5, 12.2)], [(9.5, 8.3), (9.5, 12.2)]], 1.0), WHITE, 0.9)


def small_reboot(c):
    c.fill(circle(8, 8, 7.5), AMBER)
    c.fill(circle(8, 8, 5.6), WHITE)
    c.fill(stroke([[(8, 4.4), (8, 8), (10.6, 9.6)]], 1.4), NAVY)


def small_not_found(c):
    c.fill(circle(8, 8, 7.5), GREY)
    c.fill(question_mark(8, 3.2, 9.6, 1.9), WHITE)


def small_failed(c):
    c.fill(circle(8, 8, 7.5), lambda x, y: mix(lighten(RED, 0.1), mix(RED, NAVY, 0.2), y / 16))
    c.fill(stroke([[(5.2, 5.2), (10.8, 10.8)], [(10.8, 5.2), (5.2, 10.8)]], 1.8), WHITE)


def small_begins(c):
    c.fill(rounded(polygon([(4.2, 2.8), (13.2, 8), (4.2, 13.2)]), 1.3),
           lambda x, y: mix(lighten(BLUE, 0.15), BLUE_DARK, (y - 1.5) / 13))


def small_complete(c):
    c.fill(circle(8, 8, 7.5), lambda x, y: mix(lighten(GREEN, 0.1), mix(GREEN, NAVY, 0.2),
                                               y / 16))
    c.fill(stroke([[(4.6, 8.2), (7.0, 10.6), (11.4, 5.6)]], 1.8), WHITE)


def small_statistics(c):
    c.fill(rrect(2, 8, 5, 14, 0.6), TEAL)
    c.fill(rrect(6.5, 3, 9.5, 14, 0.6), BLUE)
    c.fill(rrect(11, 6, 14, 14, 0.6), AMBER)
    c.fill(rrect(1, 14, 15, 15.2, 0.4), NAVY)


def small_unchecked(c):
    c.fill(rrect(1.5, 1.5, 14.5, 14.5, 2.4), GREY)
    c.fill(rrect(2.7, 2.7, 13.3, 13.3, 1.4), WHITE)


def small_checked(c):
    c.fill(rrect(1.5, 1.5, 14.5, 14.5, 2.4), lambda x, y: mix(TEAL, TEAL_DARK, y / 16))
    c.fill(stroke([[(4.4, 8.2), (6.9, 10.7), (11.6, 5.4)]], 1.9), WHITE)


# The settings tree: a page, and one picture for each group of pages.

def small_page(c):
    c.fill(rounded(polygon([(3.5, 1.5), (10.0, 1.5), (12.5, 4.0), (12.5, 14.5), (3.5, 14.5)]),
                   0.6), GREY)
    c.fill(polygon([(4.6, 2.6), (9.4, 2.6), (11.4, 4.6), (11.4, 13.4), (4.6, 13.4)]), PAPER)
    c.fill(stroke([[(6.0, 6.5), (10.0, 6.5)], [(6.0, 8.8), (10.0, 8.8)], [(6.0, 11.1), (9.0, 11.1)]],
                  0.9), TEAL)


def small_general(c):
    c.fill(subtract(star(8, 8, 7.6, 5.6, 8), circle(8, 8, 2.4)),
           lambda x, y: mix(lighten(BLUE, 0.1), BLUE_DARK, y / 16))


def small_browsers(c):
    c.fill(circle(8, 8, 7.3), lambda x, y: mix(lighten(TEAL, 0.15), TEAL_DARK, y / 16))
    c.fill(stroke([arc(8, 8, 3.2, 6.8, 90, 270), arc(8, 8, 3.2, 6.8, 90, -90),
                   [(1.2, 8), (14.8, 8)], [(2.4, 4.6), (13.6, 4.6)], [(2.4, 11.4), (13.6, 11.4)]],
                  0.8), WHITE, 0.85)


def small_system(c):
    c.fill(rrect(1.0, 2.0, 15.0, 11.5, 1.2), NAVY)
    c.fill(rrect(2.4, 3.4, 13.6, 10.1, 0.4), lambda x, y: mix(lighten(BLUE, 0.2), BLUE, y / 11))
    c.fill(polygon([(6.5, 11.5), (9.5, 11.5), (10.2, 13.6), (5.8, 13.6)]), GREY)
    c.fill(rrect(4.0, 13.4, 12.0, 14.8, 0.6), NAVY)


def small_mail(c):
    c.fill(rrect(1.0, 3.0, 15.0, 13.0, 1.2), AMBER)
    c.fill(rrect(2.0, 4.0, 14.0, 12.0, 0.6), PAPER)
    c.fill(stroke([[(2.4, 4.6), (8.0, 9.0), (13.6, 4.6)]], 1.1), AMBER)


def small_drive(c):
    c.fill(rrect(1.0, 4.5, 15.0, 11.5, 1.4), lambda x, y: mix(GREY_LIGHT, GREY, (y - 4) / 8))
    c.fill(rrect(1.0, 9.5, 15.0, 11.5, 1.0), GREY)
    c.fill(circle(12.2, 7.2, 1.1), GREEN)


def small_multimedia(c):
    c.fill(stroke([[(6.5, 12.0), (6.5, 2.6), (13.0, 1.6), (13.0, 10.6)]], 1.4), NAVY)
    c.fill(circle(4.6, 12.4, 2.4), TEAL_DARK)
    c.fill(circle(11.1, 11.0, 2.4), TEAL_DARK)


def small_plugins(c):
    piece = union(rrect(2.0, 5.0, 12.0, 14.5, 1.0), circle(7.0, 3.8, 2.3), circle(13.0, 9.8, 2.3))
    c.fill(piece, lambda x, y: mix(lighten(GREEN, 0.15), mix(GREEN, NAVY, 0.25), y / 16))


LOG_IMAGES = [small_deleted, small_reboot, small_not_found, small_begins, small_complete,
              small_statistics, small_failed]
# The Features list shows image 1; the settings tree shows image 0 for its
# pages and the others for its groups.
FEATURE_IMAGES = [small_page, small_checked, small_general, small_browsers, small_system,
                  small_mail, small_drive, small_multimedia, small_plugins]



# ---------------------------------------------------------------------------
# Banner: the top right of the main window and the About box.

BANNER_W, BANNER_H = 300, 135


def banner():
    c = Canvas(BANNER_W, BANNER_H)
    c.fill(rrect(0, 0, BANNER_W, BANNER_H, 0),
           lambda x, y: mix(mix(TEAL, BLUE, 0.15), BLUE_DARK, (x / BANNER_W * 0.6 + y / BANNER_H
                                                               * 0.4)))
    c.fill(circle(268, 4, 70), WHITE, 0.06)
    c.fill(circle(300, 126, 46), WHITE, 0.05)
    c.fill(circle(18, 140, 40), WHITE, 0.04)

    draw_mark(c, 16, 34, 62, on_dark=True)

    title_top = 44
    shapes, width = text_shapes('Veltrin', 92, title_top, 26, 4.6)
    for shape in shapes:
        c.fill(shape, WHITE)
    pro_left = 92 + width + 8
    pro_shapes, pro_width = text_shapes('PRO', pro_left + 6, title_top + 8, 14, 2.8, 1.6)
    c.fill(rrect(pro_left, title_top + 2.5, pro_left + pro_width + 12, title_top + 27.5, 4),
           AMBER)
    for shape in pro_shapes:
        c.fill(shape, WHITE)

    for shape in text_shapes('privacy cleaner', 93, 83, 9, 1.4, 2.6)[0]:
        c.fill(shape, WHITE, 0.85)
    return c.flatten(BLUE_DARK, BLUE_DARK, 0.0)


# ---------------------------------------------------------------------------
# Wizard banner: across the top of the wizard, which draws its step text in
# black over the plain light band right of the mark.

WIZARD_W, WIZARD_H = 423, 65


def wizard_banner():
    c = Canvas(WIZARD_W, WIZARD_H)
    pale = lighten(TEAL, 0.86)
    c.fill(rrect(0, 0, WIZARD_W, WIZARD_H, 0),
           lambda x, y: mix(WHITE, pale, max(0.0, (x - 200) / (WIZARD_W - 200)) ** 1.4))
    c.fill(circle(400, -10, 70), lighten(TEAL, 0.7), 0.35)
    c.fill(circle(330, 80, 48), lighten(BLUE, 0.75), 0.25)

    draw_mark(c, 10, 6, 50)
    for shape in text_shapes('Confirmation wizard', 72, 30, 13, 2.0, 2.0)[0]:
        c.fill(shape, NAVY)

    # A short checklist: the three answers of a step.
    for i, y in enumerate((14.5, 30.5, 46.5)):
        box = rrect(337.5, y - 5.5, 348.5, y + 5.5, 2.2)
        c.fill(rounded(box, 1.0), TEAL_DARK, 0.9)
        c.fill(box, WHITE)
        if i != 1:
            c.fill(stroke([[(340, y + 0.3), (342.5, y + 2.8), (346.5, y - 2.6)]], 1.8), TEAL)
        c.fill(stroke([[(355, y), (395 - 10 * (i % 2), y)]], 2.4), GREY_LIGHT)
    c.fill(rrect(0, WIZARD_H - 3, WIZARD_W, WIZARD_H, 0),
           lambda x, y: mix(TEAL, BLUE, x / WIZARD_W))
    return c.flatten(WHITE, WHITE, 0.0)


# ---------------------------------------------------------------------------
# Drive list image, 16 x 16 on magenta: a fixed disk.

def small_fixed_disk(c):
    c.fill(rrect(0.5, 4.5, 15.5, 12.5, 1.8), lambda x, y: mix(GREY_LIGHT, GREY, (y - 4) / 9))
    c.fill(rrect(1.5, 5.3, 14.5, 8.6, 1.1), lighten(GREY_LIGHT, 0.5))
    c.fill(rrect(1.5, 9.2, 14.5, 11.6, 0.8), mix(GREY, NAVY, 0.35))
    c.fill(stroke([[(3.5, 10.4), (8.5, 10.4)]], 0.9), GREY_LIGHT)
    c.fill(circle(12.2, 10.4, 1.0), GREEN)


DRIVE_IMAGES = [small_fixed_disk]


# ---------------------------------------------------------------------------
# Option page background: the bottom-right corner of every page, on exactly
# the page's colour, with the mark faded into it.

PAGE_W, PAGE_H = 150, 110
PAGE = (214, 211, 206)


def page_background():
    c = Canvas(PAGE_W, PAGE_H)
    c.fill(rrect(0, 0, PAGE_W, PAGE_H, 0), PAGE)
    x0, y0, size = 40, 14, 120
    s = size / 48.0
    c.fill(ring(x0 + 24 * s, y0 + 24 * s, 27 * s, 1.2), WHITE, 0.35)
    c.fill(rrect(x0 + 2 * s, y0 + 2 * s, x0 + 46 * s, y0 + 46 * s, 11 * s),
           lambda x, y: mix(TEAL, BLUE, ((x - x0) + (y - y0)) / (2 * size)), 0.12)
    c.fill(stroke([scaled([(12.5, 14), (23, 35), (33.5, 14)], s, x0, y0)], 7.0 * s), WHITE,
           0.45)
    c.fill(star(x0 + 36.5 * s, y0 + 11.5 * s, 7 * s, 2.2 * s), AMBER, 0.22)
    return c.flatten(PAGE, PAGE, 0.0)


# ---------------------------------------------------------------------------

def pictures():
    return {
        'toolbar.bmp': lambda: bmp_bytes(toolbar(hot=False)),
        'toolbar_hot.bmp': lambda: bmp_bytes(toolbar(hot=True)),
        'log_images.bmp': lambda: bmp_bytes(small_strip(LOG_IMAGES)),
        'feature_images.bmp': lambda: bmp_bytes(small_strip(FEATURE_IMAGES)),
        'banner.bmp': lambda: bmp_bytes(banner()),
        'wizard_banner.bmp': lambda: bmp_bytes(wizard_banner()),
        'drive_images.bmp': lambda: bmp_bytes(small_strip(DRIVE_IMAGES)),
        'page_background.bmp': lambda: bmp_bytes(page_background()),
        'Veltrin.ico': lambda: icon_files()['Veltrin.ico'],
        'tray.ico': lambda: icon_files()['tray.ico'],
    }


if __name__ == '__main__':
    sys.exit(run(pictures(), HERE, sys.argv))
