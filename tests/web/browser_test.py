#!/usr/bin/env python3
"""The web version in a real browser: headless chromium driven over the DevTools protocol (on a
pipe, standard library only), against the site that `make web` built, served on 127.0.0.1.

Usage: browser_test.py BUILD-WEB [--host-build BUILD] [--measure]
The page's frames are held against the desktop program's, run headless with the same input
(tests/web/HeadlessFrame.cpp in the native build): the same game, pixel for pixel.
Prints one line per check and "N passed, N failed"; exits 1 on any failure.
"""
import base64
import functools
import gzip
import http.server
import json
import os
import queue
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import traceback

CHROMIUM_FLAGS = ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                  '--disable-background-networking', '--disable-component-update', '--disable-sync',
                  '--remote-debugging-pipe']
WIDTH, HEIGHT = 240, 320
STEP_TIMEOUT = 10.0


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(probe, what, timeout=STEP_TIMEOUT):
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure('timed out waiting for ' + what)
        time.sleep(0.02)


class Browser:
    """One chromium with a fresh profile; its DevTools protocol on file descriptors 3 and 4."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix='tintaro-chromium-')
        to_browser, self._their_in = os.pipe()
        self._their_out, from_browser = os.pipe()
        ours = (to_browser, from_browser)

        def descriptors():
            a, b = os.dup(ours[0]), os.dup(ours[1])
            os.dup2(a, 3)
            os.dup2(b, 4)

        chromium = shutil.which('chromium') or '/usr/bin/chromium'
        self.process = subprocess.Popen(
            [chromium, *CHROMIUM_FLAGS, '--user-data-dir=' + self.profile, 'about:blank'],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            close_fds=False, preexec_fn=descriptors)
        os.close(to_browser)
        os.close(from_browser)
        self._out = os.fdopen(self._their_in, 'wb')
        self._in = os.fdopen(self._their_out, 'rb')
        self._next = 0
        self._answers = {}
        self._lock = threading.Lock()
        self.events = {}  # session -> list of events
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b''
        while True:
            chunk = self._in.read1(1 << 16)
            if not chunk:
                return
            pending += chunk
            while b'\0' in pending:
                raw, pending = pending.split(b'\0', 1)
                message = json.loads(raw)
                if 'id' in message:
                    self._answers[message['id']].put(message)
                else:
                    self.events.setdefault(message.get('sessionId'), []).append(message)

    def send(self, method, params=None, session=None):
        with self._lock:
            self._next += 1
            number = self._next
            answer = self._answers[number] = queue.Queue()
            message = {'id': number, 'method': method, 'params': params or {}}
            if session:
                message['sessionId'] = session
            self._out.write(json.dumps(message).encode() + b'\0')
            self._out.flush()
        try:
            reply = answer.get(timeout=STEP_TIMEOUT)
        except queue.Empty:
            raise Failure('the browser did not answer ' + method)
        if 'error' in reply:
            raise Failure(method + ': ' + reply['error'].get('message', str(reply['error'])))
        return reply['result']

    def open(self, url):
        target = self.send('Target.createTarget', {'url': 'about:blank', 'newWindow': True})['targetId']
        session = self.send('Target.attachToTarget', {'targetId': target, 'flatten': True})['sessionId']
        page = Page(self, target, session)
        page.send('Page.enable')
        page.send('Runtime.enable')
        page.navigate(url)
        return page

    def close(self):
        try:
            self.send('Browser.close')
        except Exception:
            pass
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class Page:
    """One tab of the game."""

    KEYS = {'Left': ('ArrowLeft', 37), 'Right': ('ArrowRight', 39), 'Up': ('ArrowUp', 38),
            'Down': ('ArrowDown', 40), 'Return': ('Enter', 13), 'F1': ('F1', 112), 'F2': ('F2', 113),
            'Escape': ('Escape', 27)}

    def __init__(self, browser, target, session):
        self.browser, self.target, self.session = browser, target, session

    def send(self, method, params=None):
        return self.browser.send(method, params, self.session)

    def navigate(self, url):
        self.send('Page.navigate', {'url': url})

    def eval(self, expression):
        result = self.send('Runtime.evaluate', {'expression': expression, 'returnByValue': True,
                                                'awaitPromise': True})
        if 'exceptionDetails' in result:
            raise Failure('in the page: ' + json.dumps(result['exceptionDetails'])[:300])
        return result['result'].get('value')

    def state(self):
        """The backend's test hooks (WebPage.js): frames shown, waits for input, the end."""
        return self.eval('window.Module && Module.tintaro ? Module.tintaro : null')

    def settle(self):
        """Until the game has handled all input given and waits for more (or has ended)."""
        def settled():
            s = self.state()
            return s and (s['ended'] or (s['waiting'] and s['handled'] == s['inputs'])) and s
        return wait_until(settled, 'the game to handle its input and wait')

    def start(self):
        return self.settle()

    def key(self, name):
        if name in self.KEYS:
            key, number = self.KEYS[name]
            down = {'type': 'rawKeyDown', 'key': key, 'code': key, 'windowsVirtualKeyCode': number}
        else:
            code = ('Key' + name.upper()) if name.isalpha() else 'Digit' + name
            down = {'type': 'keyDown', 'key': name, 'code': code, 'text': name,
                    'windowsVirtualKeyCode': ord(name.upper())}
        self.send('Input.dispatchKeyEvent', down)
        self.send('Input.dispatchKeyEvent', dict(down, type='keyUp', text=''))
        self.settle()

    def css_point(self, x, y):
        """The middle of device pixel (x, y) in the page's coordinates."""
        box = self.eval('(function(){var r=document.getElementById("screen").getBoundingClientRect();'
                        'return [r.left, r.top, r.width, r.height];})()')
        return box[0] + (x + 0.5) * box[2] / WIDTH, box[1] + (y + 0.5) * box[3] / HEIGHT

    def tap(self, x, y, touch=False):
        cx, cy = self.css_point(x, y)
        if touch:
            self.send('Input.dispatchTouchEvent', {'type': 'touchStart', 'touchPoints': [{'x': cx, 'y': cy}]})
            self.send('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})
        else:
            for kind in ('mousePressed', 'mouseReleased'):
                self.send('Input.dispatchMouseEvent', {'type': kind, 'x': cx, 'y': cy, 'button': 'left',
                                                       'buttons': 1 if kind == 'mousePressed' else 0,
                                                       'clickCount': 1})
        self.settle()

    def step(self, step):
        if ',' in step:
            x, y = step.split(',')
            self.tap(int(x), int(y))
        else:
            self.key(step)

    def frame(self):
        """The canvas as RGB bytes, top row first."""
        data = self.eval('(function(){var c=document.getElementById("screen");'
                         'var d=c.getContext("2d").getImageData(0,0,c.width,c.height).data,s="";'
                         'for(var i=0;i<d.length;i+=4)s+=String.fromCharCode(d[i],d[i+1],d[i+2]);'
                         'return btoa(s);})()')
        return base64.b64decode(data)

    def storage(self):
        return self.eval('(function(){var o={};for(var i=0;i<localStorage.length;++i)'
                         '{var k=localStorage.key(i);o[k]=localStorage.getItem(k);}return o;})()')

    def close(self):
        self.browser.send('Target.closeTarget', {'targetId': self.target})


class Desktop:
    """The desktop program on the headless backend, from the native build."""

    def __init__(self, host_build):
        self.program = os.path.join(host_build, 'tests', 'headless-frame')
        check(os.access(self.program, os.X_OK), self.program + ' is missing: build the native tests first')

    def frame(self, steps=(), saved=None):
        with tempfile.TemporaryDirectory(prefix='tintaro-desktop-') as home:
            config, runtime = os.path.join(home, 'config'), os.path.join(home, 'runtime')
            os.makedirs(runtime, mode=0o700)
            for name, value in (saved or {}).items():
                os.makedirs(os.path.join(config, 'Qor', 'Tintaro'), exist_ok=True)
                with open(os.path.join(config, 'Qor', 'Tintaro', name), 'wb') as f:
                    f.write(value)
            out = os.path.join(home, 'frame.ppm')
            env = dict(os.environ, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime)
            subprocess.run([self.program, out, *steps], env=env, check=True, stderr=subprocess.DEVNULL,
                           timeout=60)
            with open(out, 'rb') as f:
                ppm = f.read()
        # "P6\nW H\n255\n" then the pixels
        return ppm.split(b'\n', 3)[3]


def differences(a, b):
    """How many pixels differ, and the first one."""
    count, first = 0, None
    for i in range(0, min(len(a), len(b)), 3):
        if a[i:i + 3] != b[i:i + 3]:
            count += 1
            if first is None:
                first = (i // 3 % WIDTH, i // 3 // WIDTH, tuple(a[i:i + 3]), tuple(b[i:i + 3]))
    return count + abs(len(a) - len(b)) // 3, first


def same_picture(page_frame, desktop_frame, what):
    count, first = differences(page_frame, desktop_frame)
    check(count == 0, '%s: %d pixels differ from the desktop program\'s, the first at %s' % (what, count, first))


def pixel(frame, x, y):
    i = (y * WIDTH + x) * 3
    return tuple(frame[i:i + 3])


class Suite:
    def __init__(self, build, host_build):
        self.build = build
        self.desktop = Desktop(host_build)
        handler = functools.partial(Quiet, directory=build)
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.browser = None
        self.results = []

    def fresh_browser(self):
        """A browser with an empty profile: no saved game."""
        if self.browser:
            self.browser.close()
        self.browser = Browser()
        return self.browser

    def run(self, tests):
        for test in tests:
            name = test.__name__.replace('_', ' ')
            started = time.monotonic()
            try:
                test(self)
                self.results.append(True)
                print('ok    %-52s %.1f s' % (name, time.monotonic() - started))
            except Exception as e:  # a failure or a broken step: both fail the check
                self.results.append(False)
                detail = str(e) if isinstance(e, Failure) else traceback.format_exc()
                print('FAIL  %s: %s' % (name, detail))
            sys.stdout.flush()
        if self.browser:
            self.browser.close()
        self.server.shutdown()
        passed = self.results.count(True)
        print('%d passed, %d failed' % (passed, len(self.results) - passed))
        return passed == len(self.results)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


# The checks, in order. Each starts from a browser with an empty profile unless it says otherwise.

def the_first_frame_is_the_desktop_programs(suite):
    page = suite.fresh_browser().open(suite.url)
    state = page.start()
    check(state['frames'] >= 1 and not state['ended'], 'the game did not start: %s' % state)
    same_picture(page.frame(), suite.desktop.frame(), 'the first frame')


def the_screen_is_a_whole_zoom_at_any_pixel_ratio(suite):
    page = suite.fresh_browser().open(suite.url)
    page.start()
    check(page.eval('getComputedStyle(document.getElementById("screen")).imageRendering') == 'pixelated',
          'the canvas is smoothed when it is enlarged')
    # (window width, height, device pixel ratio) -> the zoom in the screen's own pixels. Layout
    # rounds to 1/64 of a CSS pixel: a tenth of a screen pixel is what is left to compare.
    for width, height, ratio, zoom in ((780, 493, 1, 1), (520, 680, 1, 2), (400, 500, 2, 3), (360, 640, 3, 4),
                                       (300, 300, 1.5, 1)):
        page.send('Emulation.setDeviceMetricsOverride', {'width': width, 'height': height,
                                                         'deviceScaleFactor': ratio, 'mobile': False})
        box = wait_until(lambda: (lambda b: b if abs(b[2] * ratio - WIDTH * zoom) < 0.1 else None)(page.eval(
            '(function(){var r=document.getElementById("screen").getBoundingClientRect();'
            'return [r.left, r.top, r.width, r.height];})()')), 'a zoom of %d at %dx%d, ratio %s' % (zoom, width, height, ratio))
        left, top, w, h = (v * ratio for v in box)
        check(abs(h - HEIGHT * zoom) < 0.1, 'the height is not %d screen pixels' % (HEIGHT * zoom))
        check(abs(left - round(left)) < 0.1 and abs(top - round(top)) < 0.1,
              'the screen does not start on a whole screen pixel at ratio %s: %s' % (ratio, box))
        check(left >= 0 and top >= 0 and left + w <= width * ratio + 0.1 and top + h <= height * ratio + 0.1,
              'the screen does not fit the window at %dx%d: %s' % (width, height, box))
    page.send('Emulation.clearDeviceMetricsOverride')


def a_reload_brings_the_game_back_as_it_was(suite):
    page = suite.fresh_browser().open(suite.url)
    page.start()
    for step in GAME_STEPS:
        page.step(step)
    before = page.frame()
    page.navigate(suite.url)  # the page goes: the game ends the orderly way and saves
    page.start()
    saved = page.storage()
    check('Qor/Tintaro/GameState' in saved, 'nothing saved under Qor/Tintaro/GameState: %s' % list(saved))
    check(len(base64.b64decode(saved['Qor/Tintaro/GameState'])) == 108,
          'the saved game is not 108 bytes')
    check(base64.b64decode(saved['Qor/Tintaro/PlaySounds']) in (b'\1\0\0\0', b'\0\0\0\0'),
          'the sound setting is not a 4-byte flag')
    same_picture(page.frame(), before, 'the game after a reload')
    desktop = suite.desktop.frame(saved={k.split('/')[-1]: base64.b64decode(v) for k, v in saved.items()
                                         if k.startswith('Qor/Tintaro/') and not k.endswith('/')})
    same_picture(page.frame(), desktop, 'the reloaded game against the desktop with the same save')


def a_hidden_page_saves_and_comes_back_when_shown(suite):
    page = suite.fresh_browser().open(suite.url)
    page.start()
    for step in GAME_STEPS:
        page.step(step)
    before = page.frame()
    check(page.storage().get('Qor/Tintaro/GameState') is None, 'saved before the page was hidden')
    page.eval('Object.defineProperty(document, "visibilityState", {value: "hidden", configurable: true});'
              'document.dispatchEvent(new Event("visibilitychange"))')
    saved = wait_until(lambda: page.storage().get('Qor/Tintaro/GameState'), 'the save of a hidden page')
    check(len(base64.b64decode(saved)) == 108, 'the saved game is not 108 bytes')
    page.eval('Object.defineProperty(document, "visibilityState", {value: "visible", configurable: true});'
              'document.dispatchEvent(new Event("visibilitychange"))')
    wait_until(lambda: page.eval('performance.getEntriesByType("navigation")[0].type') == 'reload',
               'the page to start again')
    page.start()
    same_picture(page.frame(), before, 'the game shown again')


def a_second_tab_says_the_game_is_open_and_writes_nothing(suite):
    browser = suite.fresh_browser()
    first = browser.open(suite.url)
    first.start()
    first.eval('window.storageEvents = 0; addEventListener("storage", function() { ++storageEvents; })')
    second = browser.open(suite.url)
    state = second.start()
    check(state['ended'] and 'another tab' in state['ended']['message'],
          'the second tab did not say the game is open elsewhere: %s' % state)
    check('another tab' in second.eval('document.getElementById("ended").innerText'),
          'the page does not show it')
    for step in GAME_STEPS:
        first.step(step)
    check(first.eval('storageEvents') == 0, 'the second tab wrote to the store')
    check(not first.state()['ended'], 'the first tab stopped')
    # The first tab closes (saving); the second then takes over by itself, with that save.
    first.close()
    wait_until(lambda: second.eval('performance.getEntriesByType("navigation")[0].type') == 'reload',
               'the second tab to take over')
    state = second.start()
    check(not state['ended'], 'the second tab did not start the game: %s' % state)
    saved = second.storage()
    desktop = suite.desktop.frame(saved={k.split('/')[-1]: base64.b64decode(v) for k, v in saved.items()
                                         if k.startswith('Qor/Tintaro/') and not k.endswith('/')})
    same_picture(second.frame(), desktop, 'the game taken over')


# The board on the 240 x 320 screen: a 3 x 3 board's cells are 69 pixels a side, from (16, 42).
def cell_centre(x, y, size=3):
    side = (240 - 32) // size
    offset = 26 + (240 - side * size) // 2
    return offset - 26 + side * x + side // 2, offset + side * y + side // 2


def cell_look(frame, x, y, size=3):
    """A patch of the tile's gloss, up and left of its centre, where every colour differs."""
    cx, cy = cell_centre(x, y, size)
    side = (240 - 32) // size
    return tuple(pixel(frame, cx - side // 4 + i, cy - side // 4) for i in range(3))


# Input that changes what the game shows, for the checks that need a changed game: a press of
# (0, 0) by key and of (2, 2) by a tap, then a key that shows the cursor where a new start puts it.
GAME_STEPS = ('Return', '%d,%d' % cell_centre(2, 2), 'Up')


def keys_and_taps_press_the_cells_they_should(suite):
    page = suite.fresh_browser().open(suite.url)
    page.start()
    page.key('Right')
    before = page.frame()
    page.key('Return')  # presses (1, 0) of the solved first board: it and its neighbours change
    after = page.frame()
    changed = {(x, y) for x in range(3) for y in range(3) if cell_look(before, x, y) != cell_look(after, x, y)}
    check(changed == {(0, 0), (1, 0), (2, 0), (1, 1)}, 'the key changed the cells %s' % sorted(changed))
    page.tap(*cell_centre(2, 2))
    mouse = page.frame()
    # The tap also takes the cursor's highlight off (1, 0).
    changed = {(x, y) for x in range(3) for y in range(3) if cell_look(after, x, y) != cell_look(mouse, x, y)}
    check(changed == {(2, 2), (1, 2), (2, 1), (1, 0)}, 'the click changed the cells %s' % sorted(changed))
    page.tap(*cell_centre(0, 2), touch=True)
    touched = page.frame()
    changed = {(x, y) for x in range(3) for y in range(3) if cell_look(mouse, x, y) != cell_look(touched, x, y)}
    check(changed == {(0, 2), (1, 2), (0, 1)}, 'the touch changed the cells %s' % sorted(changed))
    steps = ('Right', 'Return', '%d,%d' % cell_centre(2, 2), '%d,%d' % cell_centre(0, 2))
    same_picture(touched, suite.desktop.frame(steps), 'the board after a key, a click and a touch')
    check(page.state()['sounds'] == 3, 'not a sound for each move: %s' % page.state()['sounds'])
    # A press dragged off the page and let go there still ends: it presses nothing.
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
    count = 0
    for (x, y), times in sorted(presses.items()):
        for _ in range(times):
            page.tap(*cell_centre(x, y))
            count += 1
    state = saved_state(page)
    check((state['level'], state['size'], state['type'], state['moves'], state['total']) == (1, 3, 1, 0, count),
          'after %d presses the game is not at the second level with them counted: %s' % (count, state))
    check(len({v for row in state['board'] for v in row}) > 1, 'the second level is not scrambled')
    desktop = suite.desktop.frame(saved={k.split('/')[-1]: base64.b64decode(v) for k, v in page.storage().items()
                                         if k.startswith('Qor/Tintaro/') and not k.endswith('/')})
    same_picture(page.frame(), desktop, 'the second level')


def engine_state(raw):
    """The engine's saved form: 108 bytes, 32-bit little-endian numbers around the 8 x 8 board."""
    check(len(raw) == 108, 'the saved game is %d bytes, not 108' % len(raw))
    kind, frozen, mode = struct.unpack_from('<3i', raw, 0)
    size, colours, moves, total, level, *records = struct.unpack_from('<8i', raw, 76)
    board = [[raw[12 + x * 8 + y] for x in range(size)] for y in range(size)]  # board[y][x]
    return dict(type=kind, frozen=frozen, mode=mode, size=size, colours=colours, moves=moves,
                total=total, level=level, records=records, board=board)


def saved_state(page):
    """The game as the page saves it: the page is reloaded, which ends the game the orderly way."""
    page.navigate(page.eval('location.href'))
    page.start()
    return engine_state(base64.b64decode(page.storage()['Qor/Tintaro/GameState']))


# The cells each pattern advances, as offsets from the pressed cell.
PATTERNS = {0: [(0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)], 1: [(-1, 0), (1, 0), (0, -1), (0, 1)],
            2: [(0, 0), (-1, -1), (1, 1), (1, -1), (-1, 1)], 3: [(-1, -1), (1, 1), (1, -1), (-1, 1)],
            4: [(0, 0), (0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)]}


def solution(state):
    """How often to press each cell so that every cell shows one colour: Gaussian elimination
    modulo K (a prime: 2, 3 or 5), tried for each target colour; None when there is none."""
    n, k = state['size'], state['colours']
    cells = [(x, y) for y in range(n) for x in range(n)]
    for target in range(k):
        # One row per cell: which presses advance it, and how far it has to go.
        rows = []
        for (cx, cy) in cells:
            row = [0] * len(cells)
            for i, (px, py) in enumerate(cells):
                row[i] = sum(1 for dx, dy in PATTERNS[state['type']] if (px + dx, py + dy) == (cx, cy)) % k
            rows.append(row + [(target - state['board'][cy][cx]) % k])
        pivots, r = [], 0
        for c in range(len(cells)):
            p = next((i for i in range(r, len(rows)) if rows[i][c]), None)
            if p is None:
                continue
            rows[r], rows[p] = rows[p], rows[r]
            inverse = pow(rows[r][c], k - 2, k)
            rows[r] = [v * inverse % k for v in rows[r]]
            for i in range(len(rows)):
                if i != r and rows[i][c]:
                    f = rows[i][c]
                    rows[i] = [(a - f * b) % k for a, b in zip(rows[i], rows[r])]
            pivots.append(c)
            r += 1
        if any(not any(row[:-1]) and row[-1] for row in rows):
            continue
        presses = [0] * len(cells)
        for i, c in enumerate(pivots):
            presses[c] = rows[i][-1]
        return {cells[i]: presses[i] for i in range(len(cells)) if presses[i]}
    return None

# Play needs the board view: its checks join the list once it is in the game.
TESTS = [
    the_first_frame_is_the_desktop_programs,
    the_screen_is_a_whole_zoom_at_any_pixel_ratio,
    a_reload_brings_the_game_back_as_it_was,
    a_hidden_page_saves_and_comes_back_when_shown,
    a_second_tab_says_the_game_is_open_and_writes_nothing,
]


def measure(suite):
    """The figures of the web build: what the site weighs, how soon it shows, how a move animates."""
    total = 0
    for name in ('index.html', 'tintaro.js', 'tintaro.wasm'):
        with open(os.path.join(suite.build, name), 'rb') as f:
            data = f.read()
        packed = len(gzip.compress(data, 9))
        total += packed
        print('%-12s %8d bytes, %7d gzip' % (name, len(data), packed))
    print('the site     %8s        %7d gzip (the help page, loaded only when opened, aside)' % ('', total))
    cold, warm = [], []
    for _ in range(5):
        page = suite.fresh_browser().open(suite.url)
        first = page.start()
        page.navigate(suite.url)
        second = page.start()
        cold.append((first['firstFrameAt'], first['readyAt']))
        warm.append((second['firstFrameAt'], second['readyAt']))
    for label, runs in (('first visit', cold), ('reload', warm)):
        frames = sorted(r[0] for r in runs)
        ready = sorted(r[1] for r in runs)
        print('%-12s first frame %4.0f ms after navigation (median of 5; %.0f to %.0f), waiting for input at %4.0f ms'
              % (label, frames[2], frames[0], frames[-1], ready[2]))
    page = suite.fresh_browser().open(suite.url)
    page.start()
    page.key('n')
    for _ in range(5):
        before = page.state()
        started = time.monotonic()
        page.key('Return')  # presses the cell under the cursor: a cross-fade
        after = page.state()
        frames = after['frames'] - before['frames']
        print('a move       %d frames shown in %.0f ms, %.2f ms of the program\'s time each'
              % (frames, (time.monotonic() - started) * 1000, (after['busyMs'] - before['busyMs']) / max(frames, 1)))
    suite.browser.close()
    suite.browser = None
    suite.server.shutdown()


def main(argv):
    build = argv[1] if len(argv) > 1 else 'build-web'
    host_build = 'build'
    if '--host-build' in argv:
        host_build = argv[argv.index('--host-build') + 1]
    suite = Suite(os.path.abspath(build), os.path.abspath(host_build))
    if '--measure' in argv:
        measure(suite)
        return 0
    return 0 if suite.run(TESTS) else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
