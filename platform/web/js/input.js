// Keyboard, mouse and touch, focus, visibility and the page's size, as the
// layer's events. What a key sends comes from keys.js.
var LibrarySnowvelUserInput = {
  $SnowvelUserInput__deps: ['$SnowvelWeb', '$SnowvelBridge', '$SnowvelKeys', '$SnowvelCanvas',
                            '$SnowvelSound', '$SnowvelRuns', '$SnowvelKeysPanel'],
  $SnowvelUserInput: {
    // A touch that travels at most this far (CSS pixels, across plus down)
    // and lifts within this time is a click.
    TAP_TRAVEL: 12,
    TAP_MS: 400,
    // How long the focus waits for the click that may have brought it.
    HELD_ACTIVATION_MS: 200,

    listening: false,
    touch: null,
    heldActivation: 0,

    // Client coordinates in game pixels of a point on a canvas.
    gamePoint: function(canvas, clientX, clientY) {
      var rect = canvas.getBoundingClientRect();
      var sx = rect.width > 0 ? canvas.width / rect.width : 1;
      var sy = rect.height > 0 ? canvas.height / rect.height : 1;
      return {x: Math.floor((clientX - rect.left) * sx), y: Math.floor((clientY - rect.top) * sy)};
    },

    onKey: function(event) {
      var B = SnowvelBridge;
      var down = event.type === 'keydown';
      if (!SnowvelWeb.mainHwnd || SnowvelKeysPanel.open) return;
      var keys = SnowvelKeys.keyMessages(event);
      // A box has the keys; a key let go meanwhile is still let go for the
      // layer's key state (Shift must not stay down).
      if (SnowvelWeb.dialogs.length > 0) {
        if (!down && keys.vk) SnowvelWeb.push(B.EVENT_KEY_UP, {vk: keys.vk});
        return;
      }
      if (down && event.key !== 'Escape') SnowvelSound.startAudio();
      // Any key with Ctrl, Alt or Meta keeps its browser meaning.
      var plain = !event.ctrlKey && !event.altKey && !event.metaKey;
      // The ghost's key is the page's, as its button is; the game never sees it.
      if (plain && keys.action >= 0 && SnowvelInput.actions[keys.action].name === 'ghost') {
        event.preventDefault();
        if (down && !event.repeat) SnowvelRuns.toggleGhost();
        return;
      }
      if (plain && keys.held) event.preventDefault();
      if (keys.vk !== 0)
        SnowvelWeb.push(down ? B.EVENT_KEY_DOWN : B.EVENT_KEY_UP,
                        {vk: keys.vk, repeat: down && event.repeat ? 1 : 0});
      // Text no key of ours types (a layout's own letters) comes as
      // characters of the Latin-1 range the game's font has.
      if (down && plain && !keys.types && event.key.length === 1) {
        var c = event.key.charCodeAt(0);
        if (c >= 0x20 && c <= 0xFF && c !== 0x7F) SnowvelWeb.push(B.EVENT_CHAR, {ch: c});
      }
    },

    onMouse: function(event) {
      var B = SnowvelBridge;
      var hwnd = SnowvelWeb.windowOf(event.currentTarget);
      if (!hwnd || SnowvelWeb.dialogs.length > 0) return;
      var p = SnowvelUserInput.gamePoint(event.currentTarget, event.clientX, event.clientY);
      if (event.type === 'mousemove') {
        SnowvelWeb.push(B.EVENT_MOUSE_MOVE, {hwnd: hwnd, x: p.x, y: p.y});
        return;
      }
      // The browser numbers left, middle, right.
      var button = [B.BUTTON_LEFT, B.BUTTON_MIDDLE, B.BUTTON_RIGHT][event.button];
      if (button === undefined) return;
      if (event.type === 'mousedown') {
        SnowvelSound.startAudio();
        SnowvelUserInput.clickArrived();
      }
      SnowvelWeb.push(event.type === 'mousedown' ? B.EVENT_MOUSE_DOWN : B.EVENT_MOUSE_UP,
                      {hwnd: hwnd, x: p.x, y: p.y, button: button});
    },

    // One finger steers as the mouse does; a short touch that stays put is a
    // click. The browser makes no mouse events of its own from them.
    onTouch: function(event) {
      var B = SnowvelBridge;
      var hwnd = SnowvelWeb.windowOf(event.currentTarget);
      if (!hwnd || SnowvelWeb.dialogs.length > 0) return;
      event.preventDefault();
      var t = event.changedTouches[0];
      if (!t) return;
      var p = SnowvelUserInput.gamePoint(event.currentTarget, t.clientX, t.clientY);
      if (event.type === 'touchstart') {
        if (event.touches.length !== 1) return;
        SnowvelUserInput.touch = {id: t.identifier, x: t.clientX, y: t.clientY, at: event.timeStamp};
        SnowvelWeb.push(B.EVENT_MOUSE_MOVE, {hwnd: hwnd, x: p.x, y: p.y});
        return;
      }
      var touch = SnowvelUserInput.touch;
      if (!touch || touch.id !== t.identifier) return;
      if (event.type === 'touchmove') {
        SnowvelWeb.push(B.EVENT_MOUSE_MOVE, {hwnd: hwnd, x: p.x, y: p.y});
        return;
      }
      SnowvelUserInput.touch = null;
      if (event.type !== 'touchend') return;
      SnowvelSound.startAudio();
      var moved = Math.abs(t.clientX - touch.x) + Math.abs(t.clientY - touch.y);
      // Timed by the events themselves: a busy page must not turn a tap
      // into a drag.
      if (moved <= SnowvelUserInput.TAP_TRAVEL && event.timeStamp - touch.at < SnowvelUserInput.TAP_MS) {
        SnowvelUserInput.clickArrived();
        SnowvelWeb.push(B.EVENT_MOUSE_DOWN, {hwnd: hwnd, x: p.x, y: p.y, button: B.BUTTON_LEFT});
        SnowvelWeb.push(B.EVENT_MOUSE_UP, {hwnd: hwnd, x: p.x, y: p.y, button: B.BUTTON_LEFT});
      }
    },

    // A canvas hears the mouse and the fingers on it.
    watchCanvas: function(canvas) {
      ['mousemove', 'mousedown', 'mouseup'].forEach(function(type) {
        canvas.addEventListener(type, SnowvelUserInput.onMouse);
      });
      ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function(type) {
        canvas.addEventListener(type, SnowvelUserInput.onTouch, {passive: false});
      });
    },

    // A click into an unfocused page focuses it first; the click itself must
    // then be the activating click (the layer asks WM_MOUSEACTIVATE), so the
    // focus is held back a moment for it.
    onFocus: function() {
      if (SnowvelUserInput.heldActivation) clearTimeout(SnowvelUserInput.heldActivation);
      SnowvelUserInput.heldActivation = setTimeout(function() {
        SnowvelUserInput.heldActivation = 0;
        SnowvelWeb.push(SnowvelBridge.EVENT_ACTIVATE, {hwnd: SnowvelWeb.mainHwnd});
      }, SnowvelUserInput.HELD_ACTIVATION_MS);
    },

    clickArrived: function() {
      if (!SnowvelUserInput.heldActivation) return;
      clearTimeout(SnowvelUserInput.heldActivation);
      SnowvelUserInput.heldActivation = 0;
    },

    onBlur: function() {
      SnowvelUserInput.clickArrived();
      SnowvelWeb.push(SnowvelBridge.EVENT_DEACTIVATE, {hwnd: SnowvelWeb.mainHwnd});
    },

    onVisibility: function() {
      if (document.hidden) {
        if (SnowvelWeb.minimisedByGame) return;
        SnowvelWeb.hiddenByTab = true;
        SnowvelWeb.push(SnowvelBridge.EVENT_MINIMISE, {hwnd: SnowvelWeb.mainHwnd});
      } else if (SnowvelWeb.hiddenByTab) {
        SnowvelWeb.hiddenByTab = false;
        SnowvelWeb.push(SnowvelBridge.EVENT_RESTORE, {hwnd: SnowvelWeb.mainHwnd});
      }
    },

    onResize: function() {
      for (var h in SnowvelWeb.windows) SnowvelCanvas.placeCanvas(SnowvelWeb.windows[h]);
      var size = SnowvelCanvas.areaSize();
      SnowvelWeb.push(SnowvelBridge.EVENT_RESIZE,
                      {hwnd: SnowvelWeb.mainHwnd, width: size[0], height: size[1]});
    },

    // Browser zoom and a move to another screen change the device pixels a
    // CSS pixel, which the resize event does not always tell: a query for
    // the present ratio stops matching then.
    watchPixelRatio: function() {
      if (!window.matchMedia) return;
      var query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      if (!query.addEventListener) return;
      query.addEventListener('change', function() {
        SnowvelUserInput.onResize();
        SnowvelUserInput.watchPixelRatio();
      }, {once: true});
    },

    // The page's own events, heard once the first window exists.
    listen: function() {
      if (SnowvelUserInput.listening) return;
      SnowvelUserInput.listening = true;
      window.addEventListener('keydown', SnowvelUserInput.onKey, true);
      window.addEventListener('keyup', SnowvelUserInput.onKey, true);
      window.addEventListener('focus', SnowvelUserInput.onFocus);
      window.addEventListener('blur', SnowvelUserInput.onBlur);
      window.addEventListener('resize', SnowvelUserInput.onResize);
      SnowvelUserInput.watchPixelRatio();
      document.addEventListener('visibilitychange', SnowvelUserInput.onVisibility);
      var restore = document.getElementById(SnowvelWeb.RESTORE_ID);
      // Restoring from here is the user's: the layer activates the window
      // and tells the backend nothing, so the canvas is shown here.
      if (restore) restore.addEventListener('click', function() {
        SnowvelSound.startAudio();
        SnowvelWeb.minimisedByGame = false;
        restore.hidden = true;
        var w = SnowvelWeb.windows[SnowvelWeb.mainHwnd];
        if (w) w.canvas.hidden = false;
        SnowvelWeb.push(SnowvelBridge.EVENT_RESTORE, {hwnd: SnowvelWeb.mainHwnd});
      });
    },
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelUserInput);
