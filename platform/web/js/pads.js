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

    read: function() {
      SnowvelPads.timer = 0;
      var pads = SnowvelPads.pads();
      if (pads.length === 0) return;  // no pad, no reading
      SnowvelPads.sendBindings();
      if (document.hidden) pads = [];
      var now = performance.now(), quiet = Infinity;
      pads.forEach(function(pad) {
        var was = SnowvelPads.seen[pad.index];
        if (!was) was = SnowvelPads.seen[pad.index] = {buttons: [], x: 0, y: 0, quietSince: now};
        var moved = false;
        SnowvelInput.padInputs.forEach(function(name, which) {
          var number = SnowvelPads.standard[name];
          if (number === undefined) return;  // a direction of the stick and D-pad together
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
        if (Math.abs(x - was.x) + Math.abs(y - was.y) > SnowvelPads.stickNoise) {
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
