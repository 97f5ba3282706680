#!/usr/bin/env python3
"""Measures the web version in headless chromium: what the site weighs (gzip), how soon the first
frame shows after navigation (a first visit and a reload), and for a move (a cross-fade) the frames
the page shows and the program's time per frame. Needs the board view.

Usage: tools/measure-web.py [BUILD-WEB] [--runs N]
"""
import gzip
import os
import statistics
import sys
import time

from headless_browser import Browser, Site


def main(argv):
    build = os.path.abspath(argv[1] if len(argv) > 1 and not argv[1].startswith('-') else 'build-web')
    runs = int(argv[argv.index('--runs') + 1]) if '--runs' in argv else 5
    total = 0
    for name in ('index.html', 'tintaro.js', 'tintaro.wasm'):
        with open(os.path.join(build, name), 'rb') as f:
            data = f.read()
        total += len(gzip.compress(data, 9))
        print('%-12s %8d bytes, %7d gzip' % (name, len(data), len(gzip.compress(data, 9))))
    print('the site     %23d gzip (the help page, opened on request, aside)' % total)
    site = Site(build)
    first, again = [], []
    for _ in range(runs):
        browser = Browser()
        page = browser.open(site.url)
        first.append(page.start()['firstFrameAt'])
        page.navigate(site.url)
        again.append(page.start()['firstFrameAt'])
        browser.close()
    for label, times in (('first visit', first), ('reload', again)):
        print('%-12s first frame %4.0f ms after navigation (median of %d; %.0f to %.0f)'
              % (label, statistics.median(times), runs, min(times), max(times)))
    browser = Browser()
    page = browser.open(site.url)
    page.start()
    page.key('n')  # a scrambled board: pressing one cell again and again never solves it
    for _ in range(runs):
        before, started = page.state(), time.monotonic()
        page.key('Return')  # presses the cell under the cursor: a cross-fade
        after = page.state()
        frames = after['frames'] - before['frames']
        print('a move       %2d frames shown in %3.0f ms, %.2f ms of the program\'s time a frame'
              % (frames, (time.monotonic() - started) * 1000, (after['busyMs'] - before['busyMs']) / max(frames, 1)))
    browser.close()
    site.close()
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
