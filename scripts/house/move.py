#!/usr/bin/env python3
"""Moves the source tree into its rooms and rewrites every quoted include to its new path.

Run from the checkout's root; safe to run again (files already in place stay)."""
import os
import re
import subprocess
import sys

COMMON = """number_text key_chars key_filter float_guard control_texts mc_strings memory_slots
services calc_display calculator_texts key_face program_version system_facts cell_number
real_functions shared_registers unit_tables""".split()
WIDGETS = "image_button align_edit aligned_line_edit indicator_lamp memory_grid".split()
ROOMS = {
    'calculator': {'ui': "keypad_page tape_window".split()},
    'conversion': {},
    'formulas': {'ui': "formula_page formula_renderer formula_legend formula_glyphs formula_drawing".split()},
    'pipes': {'ui': "pipe_page pipe_page_circuit pipe_page_windows pipe_windows".split()},
    'reporting': {'ui': "exception_dialog exception_handling error_report_dialog".split()},
}
UNITS = "unit_conversion unit_grids unit_texts number_systems wind_force unit_page unit_grid_view".split()
UNITS_UI = {"unit_page", "unit_grid_view"}
CURRENCY_UI = {"currency_page"}
I18N = "csv_file translation_table".split()
MODULES = "network_module print_module sound_module picture_module picture_codecs jpeg_reader gif_reader".split()
PLATFORM_EXTRA = ["throw_site"]
APP = ["program"]


def stem(path):
    base = os.path.basename(path)
    return base.rsplit('.', 1)[0]


def target(path):
    """The new place of a file under src/, or None when it stays."""
    parts = path.split('/')
    s = stem(path)
    base = os.path.basename(path)
    top = parts[1]
    if top in ('app', 'common', 'widgets', 'platform', 'i18n', 'keypad', 'units', 'currency') or (
            top in ('formulas', 'pipes', 'reporting') and parts[2] in ('engine', 'ui')):
        return None
    if s in COMMON:
        return f'src/common/{base}'
    if s in WIDGETS:
        return f'src/widgets/{base}'
    if s in MODULES:
        return f'src/platform/modules/{base}'
    if s in PLATFORM_EXTRA:
        return f'src/platform/{base}'
    if top == 'shell' and len(parts) > 3 and parts[2] == 'platform':
        return f'src/platform/{base}'
    if top == 'shell':
        if s in I18N:
            return f'src/i18n/{base}'
        if s in APP:
            return f'src/app/{base}'
        return None
    if top == 'calculator':
        return f"src/keypad/{'ui' if s in ROOMS['calculator']['ui'] else 'engine'}/{base}"
    if top == 'conversion':
        if s in UNITS or s.startswith('unit_'):
            return f"src/units/{'ui' if s in UNITS_UI else 'engine'}/{base}"
        return f"src/currency/{'ui' if s in CURRENCY_UI else 'engine'}/{base}"
    if top in ('formulas', 'pipes', 'reporting'):
        return f"src/{top}/{'ui' if s in ROOMS[top]['ui'] else 'engine'}/{base}"
    raise SystemExit(f'no room for {path}')


def git(*args):
    subprocess.run(['git', *args], check=True)


def tracked(prefix):
    out = subprocess.run(['git', 'ls-files', prefix], check=True, capture_output=True, text=True)
    return [l for l in out.stdout.splitlines() if l]


def move_sources():
    for path in tracked('src'):
        if path.endswith('CMakeLists.txt'):
            continue
        new = target(path)
        if new and new != path:
            os.makedirs(os.path.dirname(new), exist_ok=True)
            git('mv', path, new)


# Tests follow the file they test.
TEST_ROOMS = {'display_read_back': 'keypad', 'keypad_precedence': 'keypad', 'robustness': 'keypad',
              'unit_robustness': 'units', 'settings_store': 'shell'}


def move_tests():
    index = {stem(p): p for p in tracked('src')}
    for path in tracked('tests'):
        parts = path.split('/')
        if len(parts) != 3 or parts[1] in ('e2e', 'support', 'fuzz', 'driver', 'service') or not path.endswith('.cpp'):
            continue
        s = stem(path)
        subject = s[:-5] if s.endswith('_test') else None
        room = None
        if subject in TEST_ROOMS:
            room = TEST_ROOMS[subject]
        elif subject and subject in index:
            room = index[subject].split('/')[1]
        if room and room != parts[1]:
            new = f'tests/{room}/{parts[2]}'
            os.makedirs(os.path.dirname(new), exist_ok=True)
            git('mv', path, new)
        elif not room:
            print(f'stays: {path}')


INCLUDE = re.compile(r'^(\s*#\s*include\s+")([^"]+)(".*)$')


def rewrite_includes():
    index = {}
    for p in tracked('src'):
        if p.endswith('.h'):
            index.setdefault(os.path.basename(p), []).append(p[len('src/'):])
    for name, paths in index.items():
        if len(paths) > 1:
            raise SystemExit(f'two headers named {name}: {paths}')
    files = [p for p in tracked('.') if p.endswith(('.h', '.cpp')) and p.split('/')[0] in ('src', 'tests', 'tools', 'bench')]
    for path in files:
        with open(path, encoding='utf-8') as f:
            lines = f.read().split('\n')
        changed = False
        for i, line in enumerate(lines):
            m = INCLUDE.match(line)
            if not m:
                continue
            inc = m.group(2)
            base = os.path.basename(inc)
            if base not in index:
                continue
            # A test's or tool's own header of the same name wins when it is beside it.
            if not path.startswith('src/') and os.path.exists(os.path.join(os.path.dirname(path), inc)):
                continue
            new = index[base][0]
            if new != inc:
                lines[i] = m.group(1) + new + m.group(3)
                changed = True
        if changed:
            with open(path, 'w', encoding='utf-8') as f:
                f.write('\n'.join(lines))


if __name__ == '__main__':
    steps = sys.argv[1:] or ['sources', 'tests', 'includes']
    if 'sources' in steps:
        move_sources()
    if 'tests' in steps:
        move_tests()
    if 'includes' in steps:
        rewrite_includes()
