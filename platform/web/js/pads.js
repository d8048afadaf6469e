// Game pads through the Gamepad API. The browser tells of a pad only after
// its first button press; from then on the page reads the pads, often while
// one is in use and a few times a second while it rests, and only while one
// is connected. What changed goes to the
// backend, which turns it into keys as the desktop build does (web_pads.cpp).
var LibrarySnowvelPads = {
  $SnowvelPads__deps: ['$SnowvelWeb', '$SnowvelBridge', '$SnowvelSound', '$SnowvelKeys',
                       '$SnowvelKeysPanel'],
  $SnowvelPads__postset: "SnowvelPads.listen(true);" +
                         "window.addEventListener('snowvel-pause', SnowvelPads.onPause);",
  $SnowvelPads: {
    // The standard layout's button numbers of the input table's pad inputs
    // (SnowvelInput.padInputs, written by the build from input_table.cpp);
    // each is sent by its place in that list.
    standard: {a: 0, b: 1, x: 2, y: 3, leftshoulder: 4, rightshoulder: 5, back: 8, start: 9,
               leftstick: 10, rightstick: 11, up: 12, down: 13, left: 14, right: 15, guide: 16},
    // Read often while a pad is in use; a pad put down for a while (the
    // game paused, say) is read a few times a second, which is all a
    // waiting page should cost.
    busyMs: 16,
    idleMs: 50,
    restingMs: 250,
    busyFor: 2000,
    idleFor: 10000,
    stickNoise: 1000,  // of 32767
    // A stick pushed this far (of 32767) is clearly meant: the keys panel
    // takes its direction.
    takenPast: 16384,

    timer: 0,
    seen: {},  // pad index -> {buttons: [...], x, y, quietSince}

    listening: false,
    listen: function(on) {
      if (on === SnowvelPads.listening) return;
      SnowvelPads.listening = on;
      var method = on ? 'addEventListener' : 'removeEventListener';
      window[method]('gamepadconnected', SnowvelPads.connected);
      window[method]('gamepaddisconnected', SnowvelPads.disconnected);
      // A pad that came while nobody listened.
      if (on && SnowvelPads.pads().length > 0) SnowvelPads.connected();
    },

    // For as long as a page listens for pads, the browser samples them some
    // sixty times a second in a thread of its own, pad or no pad (in
    // Chromium 1.2 to 1.7 % of a core, the whole cost of a paused page). A
    // paused game with no pad stops listening, and a pad is heard again once
    // the game goes on; with a pad in hand the page listens on, so that its
    // Start button ends the pause.
    onPause: function() {
      SnowvelPads.listen(!SnowvelWeb.paused || Object.keys(SnowvelPads.seen).length > 0);
    },

    pads: function() {
      var list = navigator.getGamepads ? navigator.getGamepads() : [];
      var pads = [];
      for (var i = 0; i < list.length; i++)
        if (list[i] && list[i].connected !== false) pads.push(list[i]);
      return pads;
    },

    connected: function() {
      SnowvelPads.changed();
      if (!SnowvelPads.timer) SnowvelPads.read();
    },

    disconnected: function() {
      var present = {};
      SnowvelPads.pads().forEach(function(pad) { present[pad.index] = true; });
      for (var index in SnowvelPads.seen) {
        if (present[index]) continue;
        delete SnowvelPads.seen[index];
        SnowvelWeb.push(SnowvelBridge.PAD_GONE, {box: +index});
      }
      SnowvelPads.changed();
      SnowvelPads.onPause();
    },

    // Someone listening for pads coming and going (the controls bar).
    onChange: null,
    changed: function() {
      if (SnowvelPads.onChange) SnowvelPads.onChange(SnowvelPads.pads().length > 0);
    },

    axis: function(value) {
      return Math.max(-32768, Math.min(32767, Math.round((value || 0) * 32767)));
    },

    // Where the D-pad points (two of its buttons make a diagonal), else the
    // left stick if pushed past deadZone (of 32767), as the backend reads it;
    // null in the middle.
    direction: function(pad, deadZone) {
      var dpad = 0;
      ['up', 'down', 'left', 'right'].forEach(function(name, bit) {
        var button = pad.buttons[SnowvelPads.standard[name]];
        if (button && button.pressed) dpad |= 1 << bit;
      });
      var which = _snowvel_web_pad_direction(dpad, SnowvelPads.axis(pad.axes[0]),
                                             SnowvelPads.axis(pad.axes[1]), deadZone);
      return which >= 0 ? SnowvelInput.padInputs[which] : null;
    },

    read: function() {
      SnowvelPads.timer = 0;
      // Reading would set the browser sampling again, with nothing to stop it.
      if (!SnowvelPads.listening) return;
      var pads = SnowvelPads.pads();
      if (pads.length === 0) return;  // no pad, no reading
      if (!SnowvelKeys.loaded) {  // the program is still on its way
        SnowvelPads.timer = setTimeout(SnowvelPads.read, SnowvelPads.restingMs);
        return;
      }
      if (document.hidden) pads = [];
      var now = performance.now(), quiet = Infinity;
      // While the keys panel takes a direction, the D-pads and sticks are its
      // alone until they rest, so the game never sees half a gesture.
      var pointing = null, resting = true, firstDirection = SnowvelInput.padInputs.indexOf('up');
      pads.forEach(function(pad) {
        pointing = pointing || SnowvelPads.direction(pad, SnowvelPads.takenPast);
        resting = resting && !SnowvelPads.direction(pad, SnowvelInput.stickDeadZone);
      });
      var panelTakes = SnowvelKeysPanel.onPadDirection(pointing, resting);
      pads.forEach(function(pad) {
        var was = SnowvelPads.seen[pad.index];
        if (!was) was = SnowvelPads.seen[pad.index] = {buttons: [], x: 0, y: 0, quietSince: now};
        var moved = false;
        SnowvelInput.padInputs.forEach(function(name, which) {
          var number = SnowvelPads.standard[name];
          if (number === undefined) return;  // a direction of the stick and D-pad together
          if (panelTakes && which >= firstDirection) return;
          var button = pad.buttons[number];
          var pressed = !!(button && button.pressed);
          if (pressed === !!was.buttons[which]) return;
          was.buttons[which] = pressed;
          moved = true;
          // Taken by the keys panel, the press is no game's; its release
          // lets go of nothing.
          if (pressed && SnowvelKeysPanel.onPad(name)) return;
          // Sound may start only once the page has had a gesture the browser
          // counts; not every browser counts a pad's buttons.
          var activation = navigator.userActivation;
          if (pressed && (!activation || activation.hasBeenActive)) SnowvelSound.startAudio();
          SnowvelWeb.push(SnowvelBridge.PAD_BUTTON, {box: pad.index, x: which, y: pressed ? 1 : 0});
        });
        // A stick never rests quite still: only a real move is news.
        var x = SnowvelPads.axis(pad.axes[0]), y = SnowvelPads.axis(pad.axes[1]);
        if (!panelTakes && Math.abs(x - was.x) + Math.abs(y - was.y) > SnowvelPads.stickNoise) {
          was.x = x;
          was.y = y;
          moved = true;
          SnowvelWeb.push(SnowvelBridge.PAD_STICK, {box: pad.index, x: x, y: y});
        }
        if (moved) was.quietSince = now;
        quiet = Math.min(quiet, now - was.quietSince);
      });
      var after = quiet < SnowvelPads.busyFor ? SnowvelPads.busyMs
                : quiet < SnowvelPads.idleFor ? SnowvelPads.idleMs : SnowvelPads.restingMs;
      SnowvelPads.timer = setTimeout(SnowvelPads.read, after);
    },
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelPads);
