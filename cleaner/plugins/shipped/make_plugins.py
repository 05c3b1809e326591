#!/usr/bin/env python3
"""Writes the plugins that come with the program, one plugin file per block of
plugins.txt beside this script, in the plugin file format of
common/ActionFormat.cpp. With --nsis FILE it also writes the setup script's
lines that install those files and remove them again; the files of a former
run that the table no longer names (as that script lists them) are removed.

    python3 make_plugins.py OUTDIR [--nsis FILE]
"""

import re
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
SIGNATURE = b'[&&^%&A c t i o n##]'
RF_ALL = 0x111
HKEY_CURRENT_USER = 0x80000001
TYPES = {'file': 0, 'content': 2, 'tree': 3, 'tree+self': 4}


class TableError(Exception):
    pass


def parse(text):
    """The plugins of the table as dictionaries, in the table's order."""
    layouts, plugins, block = {}, [], None
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith('#'):
            continue
        word, _, rest = line.partition(' ')
        rest = rest.strip()
        if not raw[0].isspace():
            if word == 'layout':
                block = layouts.setdefault(rest, [])
            elif word == 'plugin':
                block = {'id': rest, 'category': '', 'enabled': False, 'warning': 0,
                         'description': '', 'files': [], 'keys': []}
                plugins.append(block)
            else:
                raise TableError(f'line {number}: unknown block "{word}"')
        elif isinstance(block, list):
            block.append(line)
        elif block is None:
            raise TableError(f'line {number}: outside a block')
        elif word == 'use':
            name, _, folder = rest.partition(' ')
            if name not in layouts:
                raise TableError(f'line {number}: unknown layout "{name}"')
            for target in layouts[name]:
                add_target(block, target.replace('$P', folder), number)
        elif word == 'category':
            block[word] = rest
        elif word == 'description':
            block[word] = f"{block[word]} {rest}".strip()
        elif word == 'enabled':
            block['enabled'] = rest == 'yes'
        elif word == 'warning':
            block['warning'] = int(rest)
        else:
            add_target(block, line, number)
    return plugins


def add_target(plugin, line, number):
    word, _, rest = line.partition(' ')
    if word == 'values':
        mask, _, key = rest.partition(' ')
        plugin['keys'].append({'name': key, 'mask': '' if mask == '*' else mask})
    elif word == 'content':
        masks, _, path = rest.partition(' ')
        plugin['files'].append({'name': path, 'type': TYPES[word], 'masks': masks.split(';')})
    elif word in TYPES:
        plugin['files'].append({'name': rest, 'type': TYPES[word], 'masks': []})
    else:
        raise TableError(f'line {number}: unknown target "{word}"')


def string(text):
    data = text.encode('cp1252')
    return struct.pack('<I', len(data)) + data


def strings(items):
    return struct.pack('<I', len(items)) + b''.join(string(item) for item in items)


def file_target(target):
    masks = target['masks']
    one_mask = masks[0] if len(masks) == 1 else '*.*'
    mask_list = masks if len(masks) > 1 else []
    return (string(target['name']) + struct.pack('<I', target['type']) + string(one_mask) +
            bytes([len(mask_list) > 0, 0, 0]) + bytes(16) + struct.pack('<I', RF_ALL) +
            strings([]) + strings(mask_list))


def reg_target(target):
    return (string(target['name']) + string('') + struct.pack('<II', HKEY_CURRENT_USER, 2) +
            string(target['mask']))


def plugin_bytes(plugin):
    """One plugin file: every field of the action, the tail sections included."""
    return b''.join([
        string(SIGNATURE.decode()), string(plugin['id']), string(plugin['id']),
        bytes([plugin['enabled']]), struct.pack('<I', 0),
        struct.pack('<I', len(plugin['files'])), *map(file_target, plugin['files']),
        struct.pack('<I', len(plugin['keys'])), *map(reg_target, plugin['keys']),
        strings([]), strings([]), strings([]), struct.pack('<I', 0),  # drives, commands, pairs
        struct.pack('<II', 0, 0),  # registry and file updates
        struct.pack('<I', plugin['warning']), string(plugin['description']),
        string(plugin['category'])])


def file_name(plugin):
    """The identifier as a file name: a colon cannot be one's part."""
    return plugin['id'].replace(': ', ' - ') + '.pld'


def nsis_lines(plugins):
    names = [file_name(plugin) for plugin in plugins]
    return '\n'.join(
        ['; Written by make_plugins.py: the plugins that come with the program.',
         '!macro InstallShippedPlugins FOLDER', '    SetOutPath "$INSTDIR\\Plugins"'] +
        [f'    File "${{FOLDER}}\\{name}"' for name in names] +
        ['!macroend', '!macro RemoveShippedPlugins'] +
        [f'    Delete "$INSTDIR\\Plugins\\{name}"' for name in names] + ['!macroend', ''])


def former_names(nsis):
    """The plugin files that an earlier run's setup lines name."""
    if not nsis.exists():
        return set()
    return set(re.findall(r'^    Delete "\$INSTDIR\\Plugins\\(.+)"$',
                          nsis.read_text(encoding='utf-8'), re.M))


def main(argv):
    if not argv or argv[0].startswith('-'):
        sys.exit(__doc__)
    options = dict(zip(argv[1::2], argv[2::2]))
    try:
        plugins = parse((HERE / 'plugins.txt').read_text(encoding='utf-8'))
    except (TableError, KeyError, ValueError) as error:
        sys.exit(f'plugins.txt: {error}')
    out = Path(argv[0])
    out.mkdir(parents=True, exist_ok=True)
    for plugin in plugins:
        (out / file_name(plugin)).write_bytes(plugin_bytes(plugin))
    if '--nsis' in options:
        nsis = Path(options['--nsis'])
        for name in former_names(nsis) - {file_name(plugin) for plugin in plugins}:
            (out / name).unlink(missing_ok=True)
        nsis.write_text(nsis_lines(plugins), encoding='utf-8')


if __name__ == '__main__':
    main(sys.argv[1:])
