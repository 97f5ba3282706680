#!/usr/bin/env python3
"""Headless chromium driven over the DevTools protocol on a pipe (standard library only), with the
game's page: keys, clicks and touches as a player gives them, the canvas's pixels, the page's
storage, and the backend's test hooks (platform/web/WebPage.js). Used by tests/web/browser_test.py
and tools/measure-web.py; it downloads nothing and starts Debian's chromium.
"""
import base64
import functools
import http.server
import json
import os
import queue
import shutil
import subprocess
import tempfile
import threading
import time

CHROMIUM_FLAGS = ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                  '--disable-background-networking', '--disable-component-update', '--disable-sync',
                  '--remote-debugging-pipe']
WIDTH, HEIGHT = 240, 320
STEP_TIMEOUT = 30.0  # only a failure waits this long: a busy machine may be slow to paint


class Failure(Exception):
    """What a check or a step reports when the page does not do what it should."""


class Navigated(Failure):
    """The page went away under a call: it is loading again, and a wait asks again once it has."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(probe, what, timeout=STEP_TIMEOUT):
    end = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except Navigated:
            value = None
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
            text = reply['error'].get('message', str(reply['error']))
            gone = any(s in text for s in ('navigated or closed', 'context was destroyed', 'Cannot find context'))
            raise (Navigated if gone else Failure)(method + ': ' + text)
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


class Site:
    """A built site (build-web/) served on 127.0.0.1 on a free port, until closed."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
