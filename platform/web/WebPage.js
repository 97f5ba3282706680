// The page's side of the web backend (WebBackend.cpp): the canvas, input, the page's comings and
// goings, sound, and the hooks the browser tests read. The program waits here (Asyncify) for input
// and for the browser to show a frame; input wakes it at once, inside the event that brought it.
mergeInto(LibraryManager.library, {
  $TintaroPage: {
    canvas: null,
    context: null,
    image: null,
    width: 0,
    height: 0,
    resume: null,        // wakes the program from its wait
    paintWait: null,     // the wait for a frame to be shown that is going on
    waitingFor: '',      // 'input' or 'paint'
    closing: false,      // the page is going: the program runs to its end without waiting
    pointer: null,       // the pointer that is down, if any
    audio: null,
    sounds: null,        // a Map by the samples' address: they live as long as the program
    playing: null,
    // What the browser tests read (tests/web): frames put on the canvas, when the first came and
    // when the program first waited for input, waits, input given and handled (all of it, once the
    // program waits), sounds started, the time the program ran between its waits, and its end.
    test: { frames: 0, firstFrameAt: 0, readyAt: 0, waits: 0, inputs: 0, handled: 0, waiting: false, sounds: 0,
            busyMs: 0, ended: null },
    ranSince: 0,

    // The program stops running here until resume is called.
    sleep: function(resume, reason) {
      var p = TintaroPage;
      p.test.busyMs += performance.now() - p.ranSince;
      p.waitingFor = reason;
      p.resume = resume;
    },

    // The largest whole number of the screen's own pixels per device pixel that fits the window,
    // so that every device pixel is the same size; the canvas is placed on whole screen pixels.
    layout: function() {
      var p = TintaroPage, ratio = window.devicePixelRatio || 1;
      var room = [document.documentElement.clientWidth * ratio, document.documentElement.clientHeight * ratio];
      var zoom = Math.floor(Math.min(room[0] / p.width, room[1] / p.height));
      var scale = zoom >= 1 ? zoom : Math.min(room[0] / p.width, room[1] / p.height);
      var w = p.width * scale, h = p.height * scale;
      var style = p.canvas.style;
      style.width = (w / ratio) + 'px';
      style.height = (h / ratio) + 'px';
      style.left = (Math.floor((room[0] - w) / 2) / ratio) + 'px';
      style.top = (Math.floor((room[1] - h) / 2) / ratio) + 'px';
    },

    wake: function(reason) {
      var p = TintaroPage;
      if (!p.resume || (reason !== 'close' && reason !== p.waitingFor)) return;
      var resume = p.resume;
      p.resume = null;
      p.paintWait = null;
      p.test.waiting = false;
      p.ranSince = performance.now();
      resume();
    },

    // Browsers start sound only after a key or a tap.
    unlockAudio: function() {
      var p = TintaroPage;
      if (!p.audio) {
        var Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return;
        p.audio = new Context();
      }
      if (p.audio.state === 'suspended') p.audio.resume();
    },

    onKey: function(event, down) {
      if (down) TintaroPage.unlockAudio();
      var modifiers = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0) | (event.metaKey ? 8 : 0);
      var taken = ccall('tintaro_page_key', 'number', ['number', 'string', 'string', 'number', 'number'],
                        [down ? 1 : 0, event.key || '', event.code || '', modifiers, event.repeat ? 1 : 0]);
      if (!taken) return;
      event.preventDefault();
      TintaroPage.test.inputs++;
      TintaroPage.wake('input');
    },

    // Device pixels, rounded down, so that points left of or above the canvas stay outside it.
    onPointer: function(event, type) {
      var p = TintaroPage;
      if (type === 0) {
        if (p.pointer !== null || !event.isPrimary || (event.pointerType === 'mouse' && event.button !== 0)) return;
        p.pointer = event.pointerId;
        p.canvas.setPointerCapture(event.pointerId);
        p.unlockAudio();
      } else if (event.pointerId !== p.pointer) {
        return;
      }
      event.preventDefault();
      var box = p.canvas.getBoundingClientRect();
      var x = Math.floor((event.clientX - box.left) * p.width / box.width);
      var y = Math.floor((event.clientY - box.top) * p.height / box.height);
      // A touch the browser took over ends outside the screen: nothing is pressed by it.
      if (type === 3) { x = -1; y = -1; type = 2; }
      if (type === 2) p.pointer = null;
      _tintaro_page_pointer(type, x, y);
      p.test.inputs++;
      p.wake('input');
    },

    // A page that goes away, or is hidden (where a phone may end it unasked), ends the program the
    // orderly way, so that it saves; a page shown again starts afresh from what was saved.
    onLeave: function() {
      var p = TintaroPage;
      if (p.closing || p.test.ended) return;
      p.closing = true;
      _tintaro_page_close();
      p.wake('close');
    },
    onReturn: function() {
      if (TintaroPage.closing) location.reload();
    },

    listen: function() {
      var p = TintaroPage, canvas = p.canvas;
      window.addEventListener('resize', p.layout);
      var watchRatio = function() {
        matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)')
            .addEventListener('change', function() { p.layout(); watchRatio(); }, { once: true });
      };
      watchRatio();
      window.addEventListener('keydown', function(e) { p.onKey(e, true); });
      window.addEventListener('keyup', function(e) { p.onKey(e, false); });
      canvas.addEventListener('pointerdown', function(e) { p.onPointer(e, 0); });
      canvas.addEventListener('pointermove', function(e) { p.onPointer(e, 1); });
      canvas.addEventListener('pointerup', function(e) { p.onPointer(e, 2); });
      canvas.addEventListener('pointercancel', function(e) { p.onPointer(e, 3); });
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      window.addEventListener('pagehide', p.onLeave);
      document.addEventListener('visibilitychange', function() {
        if (document.visibilityState === 'hidden') p.onLeave(); else p.onReturn();
      });
      window.addEventListener('pageshow', function(e) { if (e.persisted) p.onReturn(); });
    },
  },

  tintaro_page_open__deps: ['$TintaroPage'],
  tintaro_page_open: function(width, height) {
    var p = TintaroPage;
    p.width = width;
    p.height = height;
    p.canvas = document.getElementById('screen');
    p.canvas.width = width;
    p.canvas.height = height;
    p.context = p.canvas.getContext('2d', { alpha: false });
    p.image = p.context.createImageData(width, height);
    p.sounds = new Map();
    p.layout();
    p.listen();
    p.ranSince = performance.now();
    Module['tintaro'] = p.test;
  },

  tintaro_page_present__deps: ['$TintaroPage'],
  tintaro_page_present: function(rgba) {
    var p = TintaroPage;
    p.image.data.set(HEAPU8.subarray(rgba, rgba + p.width * p.height * 4));
    p.context.putImageData(p.image, 0, 0);
    if (p.test.frames++ === 0) {
      p.test.firstFrameAt = performance.now();
      document.body.classList.add('running');
    }
  },

  tintaro_page_closing__deps: ['$TintaroPage'],
  tintaro_page_closing: function() { return TintaroPage.closing ? 1 : 0; },

  // Until input arrives (or the page goes).
  tintaro_page_wait_for_input__deps: ['$TintaroPage'],
  tintaro_page_wait_for_input: function() {
    return Asyncify.handleSleep(function(resume) {
      var p = TintaroPage;
      if (p.closing) return resume();
      if (p.test.waits++ === 0) p.test.readyAt = performance.now();
      p.test.handled = p.test.inputs;
      p.test.waiting = true;
      p.sleep(resume, 'input');
    });
  },

  // Until the browser has shown the frame put last: the next animation frame has been drawn.
  // Hidden pages draw no frames; a timer stands in for them there.
  tintaro_page_wait_for_paint__deps: ['$TintaroPage'],
  tintaro_page_wait_for_paint: function() {
    return Asyncify.handleSleep(function(resume) {
      var p = TintaroPage;
      if (p.closing) return resume();
      p.sleep(resume, 'paint');
      // Only this wait's own signals end it: those of an earlier one may still be on their way.
      var mine = p.paintWait = {};
      var shown = function() { if (p.paintWait === mine) p.wake('paint'); };
      var after = new MessageChannel();
      after.port1.onmessage = shown;
      requestAnimationFrame(function() { after.port2.postMessage(0); });
      setTimeout(shown, 100);
    });
  },

  tintaro_page_play__deps: ['$TintaroPage'],
  tintaro_page_play: function(samples, count, rate) {
    var p = TintaroPage;
    if (!p.audio || p.audio.state !== 'running' || count <= 0) return;
    // A sound that cannot be played is silence, never the end of the game.
    try {
      var buffer = p.sounds.get(samples);
      if (!buffer) {
        buffer = p.audio.createBuffer(1, count, rate);
        var data = buffer.getChannelData(0);
        for (var i = 0; i < count; ++i) data[i] = (HEAPU8[samples + i] - 128) / 128;
        p.sounds.set(samples, buffer);
      }
      if (p.playing) p.playing.stop();
      p.playing = p.audio.createBufferSource();
      p.playing.buffer = buffer;
      p.playing.connect(p.audio.destination);
      p.playing.start();
      p.test.sounds++;
    } catch (e) {
      console.warn('tintaro: no sound: ' + e);
    }
  },

  // A page beside the program's own, in a tab of its own. Popup blockers allow it within a few
  // seconds of a key or a tap, which is when the game asks for it.
  tintaro_page_open_document: function(path) {
    var url = new URL('.' + UTF8ToString(path), document.baseURI);
    return window.open(url.href, '_blank') ? 1 : 0;
  },

  tintaro_page_raise: function() { window.focus(); },

  // The program has ended: the page says why, and offers to start again (a page that went away
  // starts again by itself when it is shown).
  tintaro_page_ended__deps: ['$TintaroPage'],
  tintaro_page_ended: function(code, message) {
    var p = TintaroPage;
    p.test.ended = { code: code, message: UTF8ToString(message) };
    var note = document.getElementById('ended');
    if (note && !p.closing) {
      note.querySelector('p').textContent = p.test.ended.message;
      document.body.classList.add('ended');
    }
  },
});
