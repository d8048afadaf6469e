// The browser half of the web backend: the page's game area and canvases,
// keyboard, mouse and touch, focus and visibility, Web Audio, the in-page
// message boxes and the stored high-score folder. The C++ half
// (web_*.cpp) calls the snowvel_web_* functions below; events wait in one
// queue until the game's wait takes them.
var LibrarySnowvelWeb = {
  $SnowvelWeb__deps: ['$Asyncify', '$FS', '$IDBFS', '$SnowvelOffline', '$SnowvelControls',
                       '$SnowvelScores'],
  $SnowvelWeb: {
    // BackendEventType, in the order of platform/backend.h.
    KEY_DOWN: 0, KEY_UP: 1, CHAR: 2, MOUSE_MOVE: 3, MOUSE_DOWN: 4, MOUSE_UP: 5,
    ACTIVATE: 6, DEACTIVATE: 7, MINIMISE: 8, RESTORE: 9, RESIZE: 10, CLOSE: 11, BOX_ANSWER: 12,

    queue: [],
    wakeUp: null,
    wakeTimer: 0,
    wakeChannel: null,
    windows: {},  // hwnd -> {canvas, width, height, shown}
    mainHwnd: 0,
    scale: 1,
    pageListening: false,
    hiddenByTab: false,
    minimisedByGame: false,
    heldActivation: 0,
    dialogs: [],
    noSound: false,
    audio: null,
    audioClosed: false,  // closed after a long silence, made again by the next sound
    idleTimer: 0,
    clips: null,  // a Map made with the audio context
    playing: null,
    touch: null,
    dataDir: '',
    storageMounted: false,
    storageBroken: false,
    storageDirty: false,
    storageSaving: false,

    params: function() {
      return new URLSearchParams(window.location.search);
    },

    push: function(type, fields) {
      var e = {type: type, hwnd: 0, vk: 0, repeat: 0, ch: 0, x: 0, y: 0, button: 0,
               width: 0, height: 0, box: 0, answer: 0};
      for (var k in fields) e[k] = fields[k];
      SnowvelWeb.queue.push(e);
      SnowvelWeb.wake();
    },

    // Wakes the game's wait from a task of its own, so the game never runs
    // inside the handler of the event that woke it.
    wake: function() {
      if (!SnowvelWeb.wakeUp) return;
      if (!SnowvelWeb.wakeChannel) {
        SnowvelWeb.wakeChannel = new MessageChannel();
        SnowvelWeb.wakeChannel.port1.onmessage = function() { SnowvelWeb.resume(); };
      }
      SnowvelWeb.wakeChannel.port2.postMessage(0);
    },

    resume: function() {
      var wakeUp = SnowvelWeb.wakeUp;
      if (!wakeUp) return;
      SnowvelWeb.wakeUp = null;
      if (SnowvelWeb.wakeTimer) clearTimeout(SnowvelWeb.wakeTimer);
      SnowvelWeb.wakeTimer = 0;
      wakeUp(0);
    },

    area: function() {
      return document.getElementById('game-area') || document.body;
    },

    // The game area in device pixels.
    areaSize: function() {
      var rect = SnowvelWeb.area().getBoundingClientRect();
      var ratio = window.devicePixelRatio || 1;
      return [Math.max(1, Math.floor(rect.width * ratio)), Math.max(1, Math.floor(rect.height * ratio))];
    },

    // A canvas of game pixels, shown scale device pixels to the game pixel.
    sizeCanvas: function(w) {
      var ratio = window.devicePixelRatio || 1;
      if (w.canvas.width !== w.width) w.canvas.width = w.width;
      if (w.canvas.height !== w.height) w.canvas.height = w.height;
      w.canvas.style.width = (w.width * SnowvelWeb.scale / ratio) + 'px';
      w.canvas.style.height = (w.height * SnowvelWeb.scale / ratio) + 'px';
      SnowvelWeb.placeCanvas(w);
    },

    // Centred at the top of the game area, on whole device pixels: a canvas
    // half a device pixel off would show some game pixels wider than others.
    placeCanvas: function(w) {
      var ratio = window.devicePixelRatio || 1;
      var area = SnowvelWeb.area().getBoundingClientRect();
      var areaX = area.left * ratio, areaY = area.top * ratio;
      var x = Math.round(areaX + Math.max(0, (area.width * ratio - w.width * SnowvelWeb.scale) / 2));
      var y = Math.ceil(areaY - 0.01);
      w.canvas.style.left = ((x - areaX) / ratio) + 'px';
      w.canvas.style.top = ((y - areaY) / ratio) + 'px';
    },

    // Client coordinates in game pixels of a point on a canvas.
    gamePoint: function(canvas, clientX, clientY) {
      var rect = canvas.getBoundingClientRect();
      var sx = rect.width > 0 ? canvas.width / rect.width : 1;
      var sy = rect.height > 0 ? canvas.height / rect.height : 1;
      return {x: Math.floor((clientX - rect.left) * sx), y: Math.floor((clientY - rect.top) * sy)};
    },

    // ---- keyboard ----

    // Keys known by their place; NumLock is read from what the keypad key
    // typed, which is what the browser decided it meant.
    fixedKeys: {
      ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
      Home: 0x24, End: 0x23, PageUp: 0x21, PageDown: 0x22, Insert: 0x2D, Delete: 0x2E,
      Enter: 0x0D, NumpadEnter: 0x0D, Escape: 0x1B, Space: 0x20, Tab: 0x09, Backspace: 0x08,
      Pause: 0x13, PrintScreen: 0x2C, ScrollLock: 0x91, NumLock: 0x90, CapsLock: 0x14,
      ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11,
      AltLeft: 0x12, AltRight: 0x12, MetaLeft: 0x5B, MetaRight: 0x5C, ContextMenu: 0x5D,
      NumpadMultiply: 0x6A, NumpadAdd: 0x6B, NumpadSubtract: 0x6D, NumpadDivide: 0x6F
    },
    // With NumLock off the keypad doubles as a cursor block; 5 becomes VK_CLEAR.
    keypadOff: {
      Numpad0: 0x2D, Numpad1: 0x23, Numpad2: 0x28, Numpad3: 0x22, Numpad4: 0x25,
      Numpad5: 0x0C, Numpad6: 0x27, Numpad7: 0x24, Numpad8: 0x26, Numpad9: 0x21, NumpadDecimal: 0x2E
    },
    // The US layout's places of the OEM keys, by the character they type.
    punctuation: function(key) {
      var at = ';=,-./`[\\]\''.indexOf(key);
      return at < 0 ? 0 : [0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE][at];
    },

    virtualKey: function(code, key) {
      if (code in SnowvelWeb.keypadOff) {
        var numLock = key.length === 1;  // a digit or the decimal point
        if (!numLock) return SnowvelWeb.keypadOff[code];
        return code === 'NumpadDecimal' ? 0x6E : 0x60 + Number(code.charAt(6));
      }
      if (code in SnowvelWeb.fixedKeys) return SnowvelWeb.fixedKeys[code];
      var f = /^F([0-9]+)$/.exec(code);
      if (f && +f[1] >= 1 && +f[1] <= 24) return 0x70 + (+f[1] - 1);
      if (key.length === 1) {
        var upper = key.toUpperCase();
        if (upper >= 'A' && upper <= 'Z') return upper.charCodeAt(0);
        if (key >= '0' && key <= '9') return key.charCodeAt(0);
        if (SnowvelWeb.punctuation(key)) return SnowvelWeb.punctuation(key);
      }
      // A letter or digit key of a layout that types something else there.
      var place = /^(?:Key([A-Z])|Digit([0-9]))$/.exec(code);
      if (place) return (place[1] || place[2]).charCodeAt(0);
      return 0;
    },

    // Keys whose press the layer's TranslateMessage turns into WM_CHAR.
    makesCharacter: function(vk) {
      return (vk >= 0x41 && vk <= 0x5A) || (vk >= 0x30 && vk <= 0x39) ||
             (vk >= 0x60 && vk <= 0x6F && vk !== 0x6C) || (vk >= 0xBA && vk <= 0xC0) ||
             (vk >= 0xDB && vk <= 0xDE) || vk === 0x20 || vk === 0x09 || vk === 0x0D ||
             vk === 0x08 || vk === 0x1B;
    },

    // The keys the game reads, whose browser action (find, scrolling,
    // bookmarks) is held back; everything else, and any key with Ctrl, Alt
    // or Meta, keeps its browser meaning.
    gameKeys: [0x25, 0x26, 0x27, 0x28, 0x24, 0x23, 0x21, 0x22, 0x2D, 0x0C, 0x2E, 0x0D, 0x1B,
               0x71, 0x72],

    onKey: function(event) {
      var down = event.type === 'keydown';
      if (!SnowvelWeb.mainHwnd) return;
      // A box has the keys; a key let go meanwhile is still let go for the
      // layer's key state (Shift must not stay down).
      if (SnowvelWeb.dialogs.length > 0) {
        var released = SnowvelWeb.virtualKey(event.code || '', event.key || '');
        if (!down && released) SnowvelWeb.push(SnowvelWeb.KEY_UP, {vk: released});
        return;
      }
      if (down && event.key !== 'Escape') SnowvelWeb.startAudio();
      var vk = SnowvelWeb.virtualKey(event.code || '', event.key || '');
      var plain = !event.ctrlKey && !event.altKey && !event.metaKey;
      if (vk !== 0) {
        if (plain && (SnowvelWeb.gameKeys.indexOf(vk) >= 0 || (vk >= 0x60 && vk <= 0x6F)))
          event.preventDefault();
        SnowvelWeb.push(down ? SnowvelWeb.KEY_DOWN : SnowvelWeb.KEY_UP,
                        {vk: vk, repeat: down && event.repeat ? 1 : 0});
      }
      // Text no key of ours types (a layout's own letters) comes as characters.
      if (down && plain && !SnowvelWeb.makesCharacter(vk) && event.key.length === 1) {
        var c = event.key.charCodeAt(0);
        if (c >= 0x20 && c <= 0xFF && c !== 0x7F) SnowvelWeb.push(SnowvelWeb.CHAR, {ch: c});
      }
    },

    // ---- mouse and touch ----

    windowOf: function(canvas) {
      for (var h in SnowvelWeb.windows)
        if (SnowvelWeb.windows[h].canvas === canvas) return +h;
      return 0;
    },

    onMouse: function(event) {
      var hwnd = SnowvelWeb.windowOf(event.currentTarget);
      if (!hwnd || SnowvelWeb.dialogs.length > 0) return;
      var p = SnowvelWeb.gamePoint(event.currentTarget, event.clientX, event.clientY);
      if (event.type === 'mousemove') {
        SnowvelWeb.push(SnowvelWeb.MOUSE_MOVE, {hwnd: hwnd, x: p.x, y: p.y});
        return;
      }
      var button = [0, 2, 1][event.button];
      if (button === undefined) return;
      if (event.type === 'mousedown') {
        SnowvelWeb.startAudio();
        SnowvelWeb.clickArrived();
      }
      SnowvelWeb.push(event.type === 'mousedown' ? SnowvelWeb.MOUSE_DOWN : SnowvelWeb.MOUSE_UP,
                      {hwnd: hwnd, x: p.x, y: p.y, button: button});
    },

    // One finger steers as the mouse does; a short touch that stays put is a
    // click. The browser makes no mouse events of its own from them.
    onTouch: function(event) {
      var hwnd = SnowvelWeb.windowOf(event.currentTarget);
      if (!hwnd || SnowvelWeb.dialogs.length > 0) return;
      event.preventDefault();
      var t = event.changedTouches[0];
      if (!t) return;
      var p = SnowvelWeb.gamePoint(event.currentTarget, t.clientX, t.clientY);
      if (event.type === 'touchstart') {
        if (event.touches.length !== 1) return;
        SnowvelWeb.touch = {id: t.identifier, x: t.clientX, y: t.clientY, at: event.timeStamp};
        SnowvelWeb.push(SnowvelWeb.MOUSE_MOVE, {hwnd: hwnd, x: p.x, y: p.y});
        return;
      }
      var touch = SnowvelWeb.touch;
      if (!touch || touch.id !== t.identifier) return;
      if (event.type === 'touchmove') {
        SnowvelWeb.push(SnowvelWeb.MOUSE_MOVE, {hwnd: hwnd, x: p.x, y: p.y});
        return;
      }
      SnowvelWeb.touch = null;
      if (event.type !== 'touchend') return;
      SnowvelWeb.startAudio();
      var moved = Math.abs(t.clientX - touch.x) + Math.abs(t.clientY - touch.y);
      // Timed by the events themselves: a busy page must not turn a tap
      // into a drag.
      if (moved <= 12 && event.timeStamp - touch.at < 400) {
        SnowvelWeb.clickArrived();
        SnowvelWeb.push(SnowvelWeb.MOUSE_DOWN, {hwnd: hwnd, x: p.x, y: p.y, button: 0});
        SnowvelWeb.push(SnowvelWeb.MOUSE_UP, {hwnd: hwnd, x: p.x, y: p.y, button: 0});
      }
    },

    // ---- focus, visibility, size ----

    // A click into an unfocused page focuses it first; the click itself must
    // then be the activating click (the layer asks WM_MOUSEACTIVATE), so the
    // focus is held back a moment for it.
    onFocus: function() {
      if (SnowvelWeb.heldActivation) clearTimeout(SnowvelWeb.heldActivation);
      SnowvelWeb.heldActivation = setTimeout(function() {
        SnowvelWeb.heldActivation = 0;
        SnowvelWeb.push(SnowvelWeb.ACTIVATE, {hwnd: SnowvelWeb.mainHwnd});
      }, 200);
    },

    clickArrived: function() {
      if (!SnowvelWeb.heldActivation) return;
      clearTimeout(SnowvelWeb.heldActivation);
      SnowvelWeb.heldActivation = 0;
    },

    onBlur: function() {
      if (SnowvelWeb.heldActivation) {
        clearTimeout(SnowvelWeb.heldActivation);
        SnowvelWeb.heldActivation = 0;
      }
      SnowvelWeb.push(SnowvelWeb.DEACTIVATE, {hwnd: SnowvelWeb.mainHwnd});
    },

    onVisibility: function() {
      if (document.hidden) {
        if (SnowvelWeb.minimisedByGame) return;
        SnowvelWeb.hiddenByTab = true;
        SnowvelWeb.push(SnowvelWeb.MINIMISE, {hwnd: SnowvelWeb.mainHwnd});
      } else if (SnowvelWeb.hiddenByTab) {
        SnowvelWeb.hiddenByTab = false;
        SnowvelWeb.push(SnowvelWeb.RESTORE, {hwnd: SnowvelWeb.mainHwnd});
      }
    },

    onResize: function() {
      for (var h in SnowvelWeb.windows) SnowvelWeb.placeCanvas(SnowvelWeb.windows[h]);
      var size = SnowvelWeb.areaSize();
      SnowvelWeb.push(SnowvelWeb.RESIZE, {hwnd: SnowvelWeb.mainHwnd, width: size[0], height: size[1]});
    },

    listen: function() {
      if (SnowvelWeb.pageListening) return;
      SnowvelWeb.pageListening = true;
      window.addEventListener('keydown', SnowvelWeb.onKey, true);
      window.addEventListener('keyup', SnowvelWeb.onKey, true);
      window.addEventListener('focus', SnowvelWeb.onFocus);
      window.addEventListener('blur', SnowvelWeb.onBlur);
      window.addEventListener('resize', SnowvelWeb.onResize);
      document.addEventListener('visibilitychange', SnowvelWeb.onVisibility);
      var restore = document.getElementById('restore');
      // Restoring from here is the user's: the layer activates the window
      // and tells the backend nothing, so the canvas is shown here.
      if (restore) restore.addEventListener('click', function() {
        SnowvelWeb.startAudio();
        SnowvelWeb.minimisedByGame = false;
        restore.hidden = true;
        var w = SnowvelWeb.windows[SnowvelWeb.mainHwnd];
        if (w) w.canvas.hidden = false;
        SnowvelWeb.push(SnowvelWeb.RESTORE, {hwnd: SnowvelWeb.mainHwnd});
      });
    },

    note: function(id, text) {
      var line = document.getElementById(id);
      if (!line) return;
      line.textContent = text;
      line.hidden = false;
    },

    // ---- sound ----

    // The context is made (or resumed) only by a user's gesture, as the
    // browser's autoplay rules want; with ?nosound never.
    startAudio: function() {
      if (SnowvelWeb.noSound) return;
      var AudioContextType = window.AudioContext || window.webkitAudioContext;
      if (!AudioContextType) return;
      if (!SnowvelWeb.audio) {
        SnowvelWeb.audio = new AudioContextType();
        SnowvelWeb.clips = new Map();
        SnowvelWeb.audioIdle();
      }
    },

    // A running context keeps the audio thread busy even in silence (most of
    // what a paused game would cost): it is suspended a quarter of a second
    // after the last sound ends and resumed by the next. Even suspended it
    // wakes the renderer now and then, so a silence of some seconds (a
    // paused game) closes it; the next sound makes a new one, which the page
    // may, having had its gesture.
    audioIdle: function() {
      if (SnowvelWeb.idleTimer) clearTimeout(SnowvelWeb.idleTimer);
      SnowvelWeb.idleTimer = setTimeout(function() {
        var audio = SnowvelWeb.audio;
        if (audio && !SnowvelWeb.playing && audio.state === 'running') audio.suspend();
        SnowvelWeb.idleTimer = setTimeout(SnowvelWeb.closeAudio, 5000);
      }, 250);
    },

    closeAudio: function() {
      SnowvelWeb.idleTimer = 0;
      if (!SnowvelWeb.audio || SnowvelWeb.playing) return;
      SnowvelWeb.audio.close();
      SnowvelWeb.audio = null;
      SnowvelWeb.clips = null;
      SnowvelWeb.audioClosed = true;
    },

    clip: function(ptr, bytes, channels, rate, bits) {
      var key = ptr + ':' + bytes;
      var buffer = SnowvelWeb.clips.get(key);
      if (buffer) return buffer;
      var bytesPerFrame = channels * (bits / 8);
      var frames = Math.floor(bytes / bytesPerFrame);
      if (frames === 0) return null;
      buffer = SnowvelWeb.audio.createBuffer(channels, frames, rate);
      for (var c = 0; c < channels; c++) {
        var out = buffer.getChannelData(c);
        for (var i = 0; i < frames; i++) {
          var at = ptr + i * bytesPerFrame + c * (bits / 8);
          out[i] = bits === 8 ? (HEAPU8[at] - 128) / 128
                              : ((HEAPU8[at] | HEAPU8[at + 1] << 8) << 16 >> 16) / 32768;
        }
      }
      if (SnowvelWeb.clips.size >= 32) SnowvelWeb.clips.clear();
      SnowvelWeb.clips.set(key, buffer);
      return buffer;
    },

    stopSound: function() {
      if (!SnowvelWeb.playing) return;
      try { SnowvelWeb.playing.stop(); } catch (e) {}
      SnowvelWeb.playing = null;
      SnowvelWeb.audioIdle();
    },

    // ---- message boxes ----

    answerBox: function(dialog, box, answer) {
      var at = SnowvelWeb.dialogs.indexOf(dialog);
      if (at < 0) return;
      SnowvelWeb.dialogs.splice(at, 1);
      dialog.close();
      dialog.remove();
      SnowvelWeb.push(SnowvelWeb.BOX_ANSWER, {box: box, answer: answer});
    },

    // ---- the high-score folder ----

    // The layer writes a profile file whole, to a temporary file renamed
    // over the old one: any such change below the folder is saved at the
    // game's next wait.
    watchStorage: function() {
      var within = function(path) {
        return typeof path === 'string' && path.indexOf(SnowvelWeb.dataDir + '/') === 0;
      };
      var rename = FS.rename, write = FS.write, unlink = FS.unlink;
      FS.rename = function(from, to) {
        var result = rename.apply(this, arguments);
        if (within(to) || within(from)) SnowvelWeb.storageDirty = true;
        return result;
      };
      FS.write = function(stream) {
        var result = write.apply(this, arguments);
        if (stream && within(stream.path)) SnowvelWeb.storageDirty = true;
        return result;
      };
      FS.unlink = function(path) {
        var result = unlink.apply(this, arguments);
        if (within(path)) SnowvelWeb.storageDirty = true;
        return result;
      };
    },

    storageLost: function() {
      if (SnowvelWeb.storageBroken) return;
      SnowvelWeb.storageBroken = true;
      SnowvelWeb.note('storage-note',
                      'This browser does not let the page store data: your high scores last until the page is closed.');
    },
  },

  snowvel_web_requested_scale: function() {
    var scale = parseInt(SnowvelWeb.params().get('scale') || '0', 10);
    return scale >= 1 && scale <= 8 ? scale : 0;
  },

  snowvel_web_no_sound: function() {
    SnowvelWeb.noSound = SnowvelWeb.params().has('nosound');
    return SnowvelWeb.noSound ? 1 : 0;
  },

  snowvel_web_area_size: function(width, height) {
    var size = SnowvelWeb.areaSize();
    HEAP32[width >> 2] = size[0];
    HEAP32[height >> 2] = size[1];
  },

  snowvel_web_set_scale: function(scale) {
    SnowvelWeb.scale = scale;
  },

  snowvel_web_tick_count: function() {
    return Math.floor(performance.timeOrigin + performance.now()) >>> 0;
  },

  snowvel_web_create_canvas: function(hwnd, width, height) {
    var canvas = null;
    if (!SnowvelWeb.mainHwnd) {
      SnowvelWeb.mainHwnd = hwnd;
      canvas = document.getElementById('game');
    }
    if (!canvas) {
      canvas = document.createElement('canvas');
      SnowvelWeb.area().appendChild(canvas);
    }
    canvas.hidden = true;
    canvas.addEventListener('mousemove', SnowvelWeb.onMouse);
    canvas.addEventListener('mousedown', SnowvelWeb.onMouse);
    canvas.addEventListener('mouseup', SnowvelWeb.onMouse);
    canvas.addEventListener('touchstart', SnowvelWeb.onTouch, {passive: false});
    canvas.addEventListener('touchmove', SnowvelWeb.onTouch, {passive: false});
    canvas.addEventListener('touchend', SnowvelWeb.onTouch, {passive: false});
    canvas.addEventListener('touchcancel', SnowvelWeb.onTouch, {passive: false});
    // Desynchronized: the canvas reaches the screen without a whole-page
    // frame for every tick, which halves what the renderer spends skiing.
    var context = canvas.getContext('2d', {alpha: false, desynchronized: true});
    var w = {canvas: canvas, context: context, width: width, height: height};
    SnowvelWeb.windows[hwnd] = w;
    SnowvelWeb.sizeCanvas(w);
    SnowvelWeb.listen();
    return 1;
  },

  snowvel_web_destroy_canvas: function(hwnd) {
    var w = SnowvelWeb.windows[hwnd];
    if (!w) return;
    delete SnowvelWeb.windows[hwnd];
    if (hwnd === SnowvelWeb.mainHwnd) w.canvas.hidden = true;
    else w.canvas.remove();
  },

  // state: 0 hidden, 1 shown, 2 minimised (BackendWindowState).
  snowvel_web_show_canvas: function(hwnd, state) {
    var w = SnowvelWeb.windows[hwnd];
    if (!w) return;
    w.canvas.hidden = state !== 1;
    if (hwnd !== SnowvelWeb.mainHwnd) return;
    var restore = document.getElementById('restore');
    // The game minimises itself on Esc: there is no taskbar in a page, so
    // the page offers the way back.
    SnowvelWeb.minimisedByGame = state === 2 && !document.hidden && !SnowvelWeb.hiddenByTab;
    if (restore) restore.hidden = !SnowvelWeb.minimisedByGame;
    if (state === 1) {
      if (restore) restore.hidden = true;
      // The page may start without the focus, or in a background tab.
      if (document.hidden) {
        SnowvelWeb.hiddenByTab = true;
        SnowvelWeb.push(SnowvelWeb.MINIMISE, {hwnd: hwnd});
      } else if (!document.hasFocus()) {
        SnowvelWeb.push(SnowvelWeb.DEACTIVATE, {hwnd: hwnd});
      }
    }
  },

  snowvel_web_size_canvas: function(hwnd, width, height) {
    var w = SnowvelWeb.windows[hwnd];
    if (!w) return;
    w.width = width;
    w.height = height;
    SnowvelWeb.sizeCanvas(w);
  },

  snowvel_web_set_title: function(hwnd, title) {
    if (hwnd === SnowvelWeb.mainHwnd) document.title = UTF8ToString(title);
  },

  // rgba holds the whole frame (width x height, 4 bytes a pixel); rects are
  // left, top, right, bottom quads of what changed.
  snowvel_web_present: function(hwnd, rgba, width, height, rects, count) {
    var w = SnowvelWeb.windows[hwnd];
    if (!w || width <= 0 || height <= 0) return;
    if (w.canvas.width !== width || w.canvas.height !== height) {
      w.width = width;
      w.height = height;
      SnowvelWeb.sizeCanvas(w);
    }
    var image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4),
                              width, height);
    for (var i = 0; i < count; i++) {
      var r = (rects >> 2) + i * 4;
      var left = HEAP32[r], top = HEAP32[r + 1];
      var right = HEAP32[r + 2], bottom = HEAP32[r + 3];
      if (right > left && bottom > top)
        w.context.putImageData(image, 0, 0, left, top, right - left, bottom - top);
    }
  },

  snowvel_web_mark_first_picture: function() {
    if (performance.mark) performance.mark('snowvel-first-picture');
  },

  snowvel_web_game_ended: function() {
    SnowvelWeb.note('ended-note', 'The game has ended. Reload the page to play again.');
  },

  // Fills the 12 ints of an event record (see web_events.cpp); 0 when none.
  snowvel_web_poll: function(out) {
    var e = SnowvelWeb.queue.shift();
    if (!e) return 0;
    var fields = [e.type, e.hwnd, e.vk, e.repeat, e.ch, e.x, e.y, e.button, e.width, e.height,
                  e.box, e.answer];
    for (var i = 0; i < fields.length; i++) HEAP32[(out >> 2) + i] = fields[i];
    return 1;
  },

  // Sleeps until an event arrives or timeoutMs pass (-1: no limit). The
  // page runs nothing of ours meanwhile.
  snowvel_web_wait__deps: ['$SnowvelWeb'],
  snowvel_web_wait: function(timeoutMs) {
    return Asyncify.handleSleep(function(wakeUp) {
      SnowvelWeb.wakeUp = wakeUp;
      if (SnowvelWeb.queue.length > 0) {
        SnowvelWeb.wake();
        return;
      }
      if (timeoutMs >= 0) SnowvelWeb.wakeTimer = setTimeout(SnowvelWeb.resume, timeoutMs);
    });
  },

  snowvel_web_play__deps: ['$SnowvelWeb'],
  snowvel_web_play: function(samples, bytes, channels, rate, bits) {
    if (!SnowvelWeb.audio && SnowvelWeb.audioClosed) SnowvelWeb.startAudio();
    var audio = SnowvelWeb.audio;
    if (!audio || SnowvelWeb.noSound) return;  // before the first gesture: silence
    if ((bits !== 8 && bits !== 16) || channels < 1 || channels > 2 || rate < 3000 || rate > 384000)
      return;
    var buffer = SnowvelWeb.clip(samples, bytes, channels, rate, bits);
    if (!buffer) return;
    SnowvelWeb.stopSound();
    if (audio.state === 'suspended') audio.resume();
    var source = audio.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.destination);
    source.onended = function() {
      if (SnowvelWeb.playing !== source) return;
      SnowvelWeb.playing = null;
      SnowvelWeb.audioIdle();
    };
    source.start();
    SnowvelWeb.playing = source;
  },

  snowvel_web_stop_sound: function() {
    SnowvelWeb.stopSound();
  },

  // buttons: "answer label default escape" lines; closeAnswer is what Esc
  // gives (0: Esc does nothing, as on a Yes/No box).
  snowvel_web_message_box: function(box, text, caption, buttons, escapeAnswer) {
    var dialog = document.createElement('dialog');
    dialog.className = 'message-box';
    var title = document.createElement('h2');
    title.textContent = UTF8ToString(caption);
    var body = document.createElement('pre');
    body.textContent = UTF8ToString(text);
    var row = document.createElement('div');
    row.className = 'buttons';
    var focus = null;
    UTF8ToString(buttons).split('\n').forEach(function(line) {
      var parts = line.split('\t');
      if (parts.length < 3) return;
      var button = document.createElement('button');
      button.type = 'button';
      button.textContent = parts[1];
      button.addEventListener('click', function() {
        SnowvelWeb.answerBox(dialog, box, +parts[0]);
      });
      if (parts[2] === '1') focus = button;
      row.appendChild(button);
    });
    dialog.addEventListener('cancel', function(event) {
      event.preventDefault();
      if (escapeAnswer) SnowvelWeb.answerBox(dialog, box, escapeAnswer);
    });
    dialog.appendChild(title);
    dialog.appendChild(body);
    dialog.appendChild(row);
    document.body.appendChild(dialog);
    SnowvelWeb.dialogs.push(dialog);
    dialog.showModal();
    if (focus) focus.focus();
  },

  // Mounts the stored folder and reads it in before the game's first read.
  // Returns 1 when it is stored, 0 when it lives only as long as the page.
  snowvel_web_storage_load__deps: ['$SnowvelWeb'],
  snowvel_web_storage_load: function(dir) {
    return Asyncify.handleSleep(function(wakeUp) {
      SnowvelWeb.dataDir = UTF8ToString(dir);
      try { FS.mkdirTree(SnowvelWeb.dataDir); } catch (e) {}
      SnowvelWeb.watchStorage();
      var available = false;
      try { available = typeof indexedDB !== 'undefined' && indexedDB !== null; } catch (e) {}
      if (!available) {
        SnowvelWeb.storageLost();
        wakeUp(0);
        return;
      }
      try {
        FS.mount(IDBFS, {}, SnowvelWeb.dataDir);
      } catch (e) {
        SnowvelWeb.storageLost();
        wakeUp(0);
        return;
      }
      SnowvelWeb.storageMounted = true;
      FS.syncfs(true, function(error) {
        if (error) SnowvelWeb.storageLost();
        SnowvelWeb.storageDirty = false;
        wakeUp(error ? 0 : 1);
      });
    });
  },

  // Takes in what another tab stored since, unless ours has changes to save.
  snowvel_web_storage_reload__deps: ['$SnowvelWeb'],
  snowvel_web_storage_reload: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      if (!SnowvelWeb.storageMounted || SnowvelWeb.storageBroken || SnowvelWeb.storageDirty ||
          SnowvelWeb.storageSaving) {
        wakeUp(0);
        return;
      }
      FS.syncfs(true, function(error) {
        SnowvelWeb.storageDirty = false;
        wakeUp(error ? 0 : 1);
      });
    });
  },

  snowvel_web_storage_save: function() {
    if (!SnowvelWeb.storageDirty || SnowvelWeb.storageSaving) return;
    if (!SnowvelWeb.storageMounted || SnowvelWeb.storageBroken) {
      SnowvelWeb.storageDirty = false;
      return;
    }
    SnowvelWeb.storageDirty = false;
    SnowvelWeb.storageSaving = true;
    FS.syncfs(false, function(error) {
      SnowvelWeb.storageSaving = false;
      if (error) {
        SnowvelWeb.storageLost();
        return;
      }
      if (SnowvelWeb.storageDirty) _snowvel_web_storage_save();
      else SnowvelScores.saved();
    });
  },
};

autoAddDeps(LibrarySnowvelWeb, '$SnowvelWeb');
mergeInto(LibraryManager.library, LibrarySnowvelWeb);
