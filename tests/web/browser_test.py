#!/usr/bin/env python3
"""The web version in a real browser: headless chromium (tools/headless_browser.py) against the
site that `make web` built. Every frame a check looks at is held against the desktop program's
frame for the same input or the same saved game (build/tests/headless-frame): the same game,
pixel for pixel. Prints a line per check and "N passed, N failed"; exits 1 on any failure.

Usage: browser_test.py BUILD-WEB [--host-build BUILD]
"""
import base64
import itertools
import os
import struct
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
from headless_browser import HEIGHT, WIDTH, Browser, Failure, Site, check, wait_until  # noqa: E402


class Desktop:
    """The desktop program on the headless backend, from the native build."""

    def __init__(self, host_build):
        self.program = os.path.join(host_build, 'tests', 'headless-frame')
        check(os.access(self.program, os.X_OK), self.program + ' is missing: build the native tests first')

    def frame(self, steps=(), saved=None):
        with tempfile.TemporaryDirectory(prefix='tintaro-desktop-') as home:
            config, runtime = os.path.join(home, 'config'), os.path.join(home, 'runtime')
            os.makedirs(os.path.join(config, 'Qor', 'Tintaro'))
            os.makedirs(runtime, mode=0o700)
            for name, value in (saved or {}).items():
                with open(os.path.join(config, 'Qor', 'Tintaro', name), 'wb') as f:
                    f.write(value)
            out = os.path.join(home, 'frame.ppm')
            subprocess.run([self.program, out, *steps], env=dict(os.environ, XDG_CONFIG_HOME=config,
                           XDG_RUNTIME_DIR=runtime), check=True, stderr=subprocess.DEVNULL, timeout=60)
            with open(out, 'rb') as f:
                return f.read().split(b'\n', 3)[3]  # after "P6\nW H\n255\n"


def saved_values(page):
    """The page's saved values of the game, by name, as the desktop keeps them in files."""
    return {k.split('/')[-1]: base64.b64decode(v) for k, v in page.storage().items()
            if k.startswith('Qor/Tintaro/') and not k.endswith('/')}


def same_picture(page_frame, desktop_frame, what):
    pixels = len(page_frame) // 3
    differ = [i for i in range(pixels) if page_frame[3 * i:3 * i + 3] != desktop_frame[3 * i:3 * i + 3]]
    check(len(page_frame) == len(desktop_frame) and not differ,
          '%s: %d pixels differ from the desktop program\'s, the first at %s'
          % (what, len(differ), differ and (differ[0] % WIDTH, differ[0] // WIDTH)))


def saved_state(page):
    """The game as the page saves it when reloaded (the orderly end): 108 bytes, 32-bit little-endian
    numbers around the 8 x 8 board."""
    page.navigate(page.eval('location.href'))
    page.start()
    raw = saved_values(page)['GameState']
    check(len(raw) == 108, 'the saved game is %d bytes, not 108' % len(raw))
    kind, _, mode = struct.unpack_from('<3i', raw, 0)
    size, colours, moves, total, level = struct.unpack_from('<5i', raw, 76)
    return dict(type=kind, mode=mode, size=size, colours=colours, moves=moves, total=total, level=level,
                board={(x, y): raw[12 + x * 8 + y] for x in range(size) for y in range(size)})


# The cells a press of each pattern advances, from the pressed cell.
PATTERNS = {0: [(0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)], 1: [(-1, 0), (1, 0), (0, -1), (0, 1)]}


def solution(state):
    """Which cells of a two-colour board to press once to make it one colour: every choice tried."""
    n, cells = state['size'], sorted(state['board'])
    for chosen in itertools.product((0, 1), repeat=len(cells)):
        board = dict(state['board'])
        for (x, y), press in zip(cells, chosen):
            for dx, dy in PATTERNS[state['type']] * press:
                if 0 <= x + dx < n and 0 <= y + dy < n:
                    board[x + dx, y + dy] ^= 1
        if len(set(board.values())) == 1:
            return [cell for cell, press in zip(cells, chosen) if press]
    return None


def cell_centre(x, y):
    """A 3 x 3 board on the 240 x 320 screen: cells of 69 pixels from (16, 42)."""
    return 16 + 69 * x + 34, 42 + 69 * y + 34


def changed_cells(before, after):
    """The cells whose tile looks different: a patch of its gloss, where every colour differs."""
    def look(frame, x, y):
        i = ((cell_centre(x, y)[1] - 17) * WIDTH + cell_centre(x, y)[0] - 17) * 3
        return frame[i:i + 9]
    return {(x, y) for x in range(3) for y in range(3) if look(before, x, y) != look(after, x, y)}


# Input that changes the game, for the checks that need a changed one: a press of (0, 0) by key, one of
# (2, 2) by a tap, then a key that shows the cursor where a new start puts it.
GAME_STEPS = ('Return', '%d,%d' % cell_centre(2, 2), 'Up')


def the_first_frame_is_the_board_and_keys_and_taps_press_the_cells_they_should(suite):
    page = suite.fresh_browser().open(suite.url)
    state = page.start()
    check(state['frames'] >= 1 and not state['ended'], 'the game did not start: %s' % state)
    same_picture(page.frame(), suite.desktop.frame(), 'the first frame')
    page.key('Right')

    def press(what, act, cells):
        before = page.frame()
        act()
        changed = changed_cells(before, page.frame())
        check(changed == cells, 'the %s changed the cells %s' % (what, sorted(changed)))

    press('key', lambda: page.key('Return'), {(0, 0), (1, 0), (2, 0), (1, 1)})  # (1, 0) of the solved board
    press('click', lambda: page.tap(*cell_centre(2, 2)), {(2, 2), (1, 2), (2, 1), (1, 0)})  # the cursor goes too
    press('touch', lambda: page.tap(*cell_centre(0, 2), touch=True), {(0, 2), (1, 2), (0, 1)})
    touched = page.frame()
    steps = ('Right', 'Return', '%d,%d' % cell_centre(2, 2), '%d,%d' % cell_centre(0, 2))
    same_picture(touched, suite.desktop.frame(steps), 'the board after a key, a click and a touch')
    check(page.state()['sounds'] == 3, 'not a sound for each move: %s' % page.state()['sounds'])
    # A press dragged off the page and let go there still ends, and presses nothing.
    given = page.state()['inputs']
    x, y = page.css_point(*cell_centre(1, 1))
    for kind, at in (('mousePressed', (x, y)), ('mouseMoved', (2, 2)), ('mouseReleased', (2, 2))):
        page.send('Input.dispatchMouseEvent', {'type': kind, 'x': at[0], 'y': at[1], 'button': 'left',
                                               'buttons': 0 if kind == 'mouseReleased' else 1, 'clickCount': 1})
    page.settle()
    check(page.state()['inputs'] - given == 3, 'the release outside the page did not arrive')
    same_picture(page.frame(), touched, 'the board after a press let go outside')


def a_whole_easy_level_can_be_solved(suite):
    page = suite.fresh_browser().open(suite.url)
    page.start()
    page.key('n')  # a new game: the first level of Easy, scrambled
    state = saved_state(page)
    check((state['mode'], state['level'], state['size'], state['colours']) == (1, 0, 3, 2),
          'not the first Easy level: %s' % state)
    presses = solution(state)
    check(presses, 'no solution for %s' % state['board'])
    for cell in presses:
        page.tap(*cell_centre(*cell))
    state = saved_state(page)
    check((state['level'], state['type'], state['moves'], state['total']) == (1, 1, 0, len(presses)),
          'after %d presses the game is not at the second level with them counted: %s' % (len(presses), state))
    same_picture(page.frame(), suite.desktop.frame(saved=saved_values(page)), 'the second level')


def help_in_a_tab_hides_the_game_saved_and_quit_ends_it_saved(suite):
    browser = suite.fresh_browser()
    page = browser.open(suite.url)
    page.start()
    page.key('F1')
    same_picture(page.frame(), suite.desktop.frame(('F1',)), 'the menu')
    page.key('4')  # Help: the page opens in a tab of its own, in front, which hides the game's:
    # a hidden page saves (a phone may end it unasked) and starts again from that save when shown
    wait_until(lambda: [t for t in browser.send('Target.getTargets')['targetInfos'] if t['type'] == 'page' and
                        t['url'].endswith('/Vokamer.htm') and t['title'] == 'Tintaro: how to play'],
               'the help page in a tab of its own')
    wait_until(lambda: len(saved_values(page).get('GameState', b'')) == 108, 'the hidden game to be saved')
    browser.send('Target.activateTarget', {'targetId': page.target})
    wait_until(lambda: page.eval('performance.getEntriesByType("navigation")[0].type') == 'reload',
               'the game to start again when its tab is in front')
    page.start()
    same_picture(page.frame(), suite.desktop.frame(saved=saved_values(page)), 'the game back from the help page')
    page.eval('localStorage.removeItem("Qor/Tintaro/GameState")')
    page.key('F1')
    page.key('5')  # Quit
    state = wait_until(lambda: page.state()['ended'], 'the game to end')
    check(state['code'] == 0 and 'ended' in page.eval('document.getElementById("ended").innerText'),
          'the page does not say the game has ended: %s' % state)
    check(len(saved_values(page).get('GameState', b'')) == 108, 'the game was not saved on Quit')


def a_reload_brings_back_the_game_and_a_change_made_on_the_options_screen(suite):
    page = suite.fresh_browser().open(suite.url)
    page.start()
    for step in GAME_STEPS + ('F1', '3'):  # then Menu, Options
        page.step(step)
    same_picture(page.frame(), suite.desktop.frame(GAME_STEPS + ('F1', '3')), 'the Options screen')
    page.key('Right')  # Play Sounds: Off
    page.key('F1')  # Save
    before = page.frame()
    page.navigate(suite.url)  # the page goes: the game ends the orderly way and saves
    page.start()
    saved = saved_values(page)
    check(len(saved.get('GameState', b'')) == 108, 'no game of 108 bytes saved: %s' % page.storage())
    check(saved.get('PlaySounds') == b'\0\0\0\0', 'the sound setting saved is %r, not off' % saved.get('PlaySounds'))
    same_picture(page.frame(), before, 'the game after a reload')
    same_picture(page.frame(), suite.desktop.frame(saved=saved), 'the desktop program with the same save')
    page.key('Return')
    check(page.state()['sounds'] == 0, 'a sound played with the sound switched off')


def the_screen_is_a_whole_zoom_at_any_pixel_ratio(suite):
    page = suite.fresh_browser().open(suite.url)
    page.start()
    check(page.eval('getComputedStyle(document.getElementById("screen")).imageRendering') == 'pixelated',
          'the canvas is smoothed when it is enlarged')
    # (window width, height, device pixel ratio) -> the zoom; layout rounds to 1/64 of a CSS pixel.
    for width, height, ratio, zoom in ((780, 493, 1, 1), (520, 680, 1, 2), (400, 500, 2, 3), (360, 640, 3, 4),
                                       (300, 300, 1.5, 1)):
        page.send('Emulation.setDeviceMetricsOverride', {'width': width, 'height': height,
                                                         'deviceScaleFactor': ratio, 'mobile': False})
        box = wait_until(lambda: (lambda b: b if abs(b[2] * ratio - WIDTH * zoom) < 0.1 else None)(page.eval(
            '(function(){var r=document.getElementById("screen").getBoundingClientRect();'
            'return [r.left, r.top, r.width, r.height];})()')), 'a zoom of %d at %dx%d, ratio %s' % (zoom, width, height, ratio))
        left, top, w, h = (v * ratio for v in box)
        check(abs(h - HEIGHT * zoom) < 0.1 and abs(left - round(left)) < 0.1 and abs(top - round(top)) < 0.1 and
              left >= 0 and top >= 0 and left + w <= width * ratio + 0.1 and top + h <= height * ratio + 0.1,
              'at %dx%d, ratio %s, the screen is not %d pixels high on a whole pixel inside the window: %s'
              % (width, height, ratio, HEIGHT * zoom, box))


def a_second_tab_says_the_game_is_open_and_writes_nothing(suite):
    browser = suite.fresh_browser()
    first = browser.open(suite.url)
    first.start()
    first.eval('window.storageEvents = 0; addEventListener("storage", function() { ++storageEvents; })')
    second = browser.open(suite.url)
    state = second.start()
    check(state['ended'] and 'another tab' in state['ended']['message'],
          'the second tab did not say the game is open elsewhere: %s' % state)
    check('another tab' in second.eval('document.getElementById("ended").innerText'), 'the page does not show it')
    for step in GAME_STEPS:
        first.step(step)
    check(first.eval('storageEvents') == 0, 'the second tab wrote to the store')
    check(not first.state()['ended'], 'the first tab stopped')
    first.close()  # it saves; the second tab then takes over by itself, with that save
    wait_until(lambda: second.eval('performance.getEntriesByType("navigation")[0].type') == 'reload',
               'the second tab to take over')
    check(not second.start()['ended'], 'the second tab did not start the game')
    same_picture(second.frame(), suite.desktop.frame(saved=saved_values(second)), 'the game taken over')


TESTS = [
    the_first_frame_is_the_board_and_keys_and_taps_press_the_cells_they_should,
    a_whole_easy_level_can_be_solved,
    help_in_a_tab_hides_the_game_saved_and_quit_ends_it_saved,
    a_reload_brings_back_the_game_and_a_change_made_on_the_options_screen,
    the_screen_is_a_whole_zoom_at_any_pixel_ratio,
    a_second_tab_says_the_game_is_open_and_writes_nothing,
]


class Suite:
    def __init__(self, build, host_build):
        self.desktop = Desktop(host_build)
        self.site = Site(build)
        self.url = self.site.url
        self.browser = None

    def fresh_browser(self):
        """A browser with an empty profile: no saved game."""
        if self.browser:
            self.browser.close()
        self.browser = Browser()
        return self.browser

    def run(self, tests):
        results = []
        for test in tests:
            started = time.monotonic()
            try:
                test(self)
                results.append(True)
                print('ok    %-54s %.1f s' % (test.__name__.replace('_', ' '), time.monotonic() - started))
            except Exception as e:  # a failed check or a broken step: both fail
                results.append(False)
                print('FAIL  %s: %s' % (test.__name__.replace('_', ' '),
                                        e if isinstance(e, Failure) else traceback.format_exc()))
            sys.stdout.flush()
        if self.browser:
            self.browser.close()
        self.site.close()
        print('%d passed, %d failed' % (results.count(True), results.count(False)))
        return all(results)


def main(argv):
    build = argv[1] if len(argv) > 1 else 'build-web'
    host_build = argv[argv.index('--host-build') + 1] if '--host-build' in argv else 'build'
    return 0 if Suite(os.path.abspath(build), os.path.abspath(host_build)).run(TESTS) else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
