// Game pads through the Gamepad API. The browser tells of a pad only after
// its first button press; from then on the page reads the pads, often while
// one is in use and a few times a second while it rests, and only while one
// is connected. What changed goes to the
// backend, which turns it into keys as the desktop build does (web_pads.cpp).
var LibrarySnowvelPads = {
  $SnowvelPads__deps: ['$SnowvelWeb', '$SnowvelBridge', '$SnowvelSound'],
  $SnowvelPads__postset: 'SnowvelPads.listen();',
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
    // A stick pushed this far (of full travel) is clearly meant: the keys
    // panel takes its direction.
    takenPast: 0.5,
    // By the direction's step in x and y (y downhill), as the desktop's
    // ControllerInput names them.
    directions: [['up-left', 'up', 'up-right'], ['left', null, 'right'],
                 ['down-left', 'down', 'down-right']],

    timer: 0,
    seen: {},  // pad index -> {buttons: [...], x, y, quietSince}
    bindingsSent: 0,  // SnowvelBindings.padVersion the backend has

    listen: function() {
      window.addEventListener('gamepadconnected', SnowvelPads.connected);
      window.addEventListener('gamepaddisconnected', SnowvelPads.disconnected);
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
    },

    // Someone listening for pads coming and going (the controls bar).
    onChange: null,
    changed: function() {
      if (SnowvelPads.onChange) SnowvelPads.onChange(SnowvelPads.pads().length > 0);
    },

    axis: function(value) {
      return Math.max(-32768, Math.min(32767, Math.round((value || 0) * 32767)));
    },

    // The player's pad bindings (key_bindings.js) go ahead of any press
    // they apply to; with the defaults unchanged the backend has them.
    sendBindings: function() {
      if (!SnowvelBindings.keys) SnowvelBindings.load();
      if (SnowvelPads.bindingsSent === SnowvelBindings.padVersion) return;
      SnowvelPads.bindingsSent = SnowvelBindings.padVersion;
      SnowvelInput.actions.forEach(function(action, a) {
        SnowvelWeb.push(SnowvelBridge.PAD_BINDING, {box: a, x: SnowvelBindings.padMask(a)});
      });
    },

    // Where the D-pad points (two of its buttons make a diagonal), else the
    // left stick if pushed past deadZone (of full travel), in eight sectors
    // of 45 degrees as ControllerInput reads it; null in the middle.
    direction: function(pad, deadZone) {
      var held = function(name) {
        var button = pad.buttons[SnowvelPads.standard[name]];
        return button && button.pressed ? 1 : 0;
      };
      var dx = held('right') - held('left'), dy = held('down') - held('up');
      if (!(held('up') || held('down') || held('left') || held('right'))) {
        var x = pad.axes[0] || 0, y = pad.axes[1] || 0;
        if (x * x + y * y < deadZone * deadZone) return null;
        var sector = Math.round(Math.atan2(y, x) / (Math.PI / 4)) & 7;
        dx = [1, 1, 0, -1, -1, -1, 0, 1][sector];
        dy = [0, 1, 1, 1, 0, -1, -1, -1][sector];
      }
      return SnowvelPads.directions[dy + 1][dx + 1];
    },

    read: function() {
      SnowvelPads.timer = 0;
      var pads = SnowvelPads.pads();
      if (pads.length === 0) return;  // no pad, no reading
      SnowvelPads.sendBindings();
      if (document.hidden) pads = [];
      var now = performance.now(), quiet = Infinity;
      // While the keys panel takes a direction, the D-pads and sticks are its
      // alone until they rest, so the game never sees half a gesture.
      var pointing = null, resting = true, firstDirection = SnowvelInput.padInputs.indexOf('up');
      pads.forEach(function(pad) {
        pointing = pointing || SnowvelPads.direction(pad, SnowvelPads.takenPast);
        resting = resting && !SnowvelPads.direction(pad, SnowvelInput.stickDeadZone / 32767);
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
