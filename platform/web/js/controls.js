// What the page offers beside the keyboard: on a touch screen a bar with
// the keys a phone lacks, a legend for the device in hand (keys, touch or
// a pad), and a fullscreen button. The bar's buttons press the keyboard's
// own keys, so the game cannot tell them apart. While a run is watched the
// bar holds the viewer's keys instead.
var LibrarySnowvelControls = {
  $SnowvelControls__deps: ['$SnowvelWeb', '$SnowvelBridge', '$SnowvelPads', '$SnowvelUserInput',
                           '$SnowvelSound'],
  $SnowvelControls__postset: 'SnowvelControls.start();',
  $SnowvelControls: {
    // Each button's key message, from the input table's actions.
    keyFor: function(button) {
      for (var i = 0; i < SnowvelInput.actions.length; i++)
        if (SnowvelInput.actions[i].button === button) return SnowvelInput.actions[i].message;
      return 0;
    },

    viewerAction: function(name) {
      for (var i = 0; i < SnowvelInput.viewerActions.length; i++)
        if (SnowvelInput.viewerActions[i].name === name) return SnowvelInput.viewerActions[i];
      return {label: name, message: 0};
    },

    device: '',
    watching: false,
    touchSeen: false,
    held: {},  // pointer id -> the key it holds down

    start: function() {
      SnowvelControls.touchSeen = window.matchMedia('(pointer: coarse)').matches;
      SnowvelControls.use(SnowvelControls.touchSeen ? 'touch' : 'keys');
      // A touch anywhere brings the bar back; a real key puts it away.
      // The bar comes once the finger is off: the slope must not move under
      // a finger still steering.
      window.addEventListener('touchend', function(event) {
        if (event.touches.length > 0) return;
        SnowvelControls.touchSeen = true;
        SnowvelControls.use('touch');
      }, {capture: true, passive: true});
      window.addEventListener('keydown', function(event) {
        if (event.isTrusted) SnowvelControls.use('keys');
      }, true);
      SnowvelPads.onChange = function(connected) {
        if (connected) SnowvelControls.use('pad');
        else SnowvelControls.use(SnowvelControls.touchSeen ? 'touch' : 'keys');
      };
      document.querySelectorAll('#controls button[data-key]').forEach(function(button) {
        SnowvelControls.wire(button, SnowvelControls.keyFor(button.getAttribute('data-key')));
      });
      document.querySelectorAll('#watch-controls button[data-watch]').forEach(function(button) {
        var action = SnowvelControls.viewerAction(button.getAttribute('data-watch'));
        button.title = action.label;
        SnowvelControls.wire(button, action.message);
      });
      // Not a menu: a long press must not select text or open one.
      document.querySelectorAll('.touch-bar').forEach(function(touchBar) {
        touchBar.addEventListener('contextmenu', function(event) { event.preventDefault(); });
      });
      var area = document.getElementById(SnowvelWeb.AREA_ID);
      // The bar coming and going, fullscreen and a turned phone all change
      // the game area: the game hears of it as a window resize.
      if (area && window.ResizeObserver)
        new ResizeObserver(function() { SnowvelUserInput.onResize(); }).observe(area);
      SnowvelControls.offerFullscreen();
      window.addEventListener('snowvel-pause', SnowvelControls.showPaused);
      window.addEventListener('snowvel-title', SnowvelControls.showWatchState);
    },

    // The bar with the viewer's keys (a run is watched), or the game's.
    watch: function(on) {
      SnowvelControls.watching = on;
      SnowvelControls.showControls();
      SnowvelControls.showWatchState();
    },

    // The legend and the bar for the device in hand, and what it drives.
    // Watching, the touch bar tells its own keys.
    showControls: function() {
      var touch = SnowvelControls.device === 'touch', watching = SnowvelControls.watching;
      var legendFor = SnowvelControls.device + (watching ? '-watch' : '');
      document.querySelectorAll('.legend[data-device]').forEach(function(legend) {
        legend.hidden = legend.getAttribute('data-device') !== legendFor;
      });
      var bar = document.getElementById('controls');
      if (bar) bar.hidden = !touch || watching;
      var watchBar = document.getElementById('watch-controls');
      if (watchBar) watchBar.hidden = !touch || !watching;
    },

    // The viewer tells its state in its title: "Snowvel replay (paused)",
    // "(result)", where its pause key plays the run again.
    showWatchState: function() {
      var pause = document.querySelector('#watch-controls [data-watch=watch-pause]');
      if (!pause) return;
      var title = document.title;
      var paused = title.indexOf('(paused)') >= 0;
      pause.textContent = paused ? 'Play' : title.indexOf('(result)') >= 0 ? 'Again' : 'Pause';
      pause.setAttribute('aria-pressed', paused ? 'true' : 'false');
    },

    use: function(device) {
      if (device === SnowvelControls.device) return;
      SnowvelControls.device = device;
      document.documentElement.classList.toggle('touch', SnowvelControls.touchSeen);
      SnowvelControls.showControls();
    },

    // The button presses the key whose message is vk while a finger holds it.
    wire: function(button, vk) {
      button.addEventListener('pointerdown', function(event) {
        event.preventDefault();
        if (!SnowvelWeb.mainHwnd || SnowvelWeb.dialogs.length > 0) return;
        if (SnowvelControls.held[event.pointerId]) return;
        button.setPointerCapture(event.pointerId);
        SnowvelSound.startAudio();
        SnowvelControls.held[event.pointerId] = vk;
        SnowvelWeb.push(SnowvelBridge.EVENT_KEY_DOWN, {vk: vk});
      });
      var release = function(event) {
        var held = SnowvelControls.held[event.pointerId];
        if (!held) return;
        delete SnowvelControls.held[event.pointerId];
        SnowvelWeb.push(SnowvelBridge.EVENT_KEY_UP, {vk: held});
      };
      button.addEventListener('pointerup', release);
      button.addEventListener('pointercancel', release);
      // Clicks from the keyboard (Enter, Space on a focused button) are not taps.
      button.addEventListener('click', function(event) { event.preventDefault(); });
      button.tabIndex = -1;
    },

    showPaused: function() {
      var paused = SnowvelWeb.paused;
      var pause = document.querySelector('#controls [data-key=pause]');
      if (!pause) return;
      pause.textContent = paused ? 'Resume' : 'Pause';
      pause.setAttribute('aria-pressed', paused ? 'true' : 'false');
    },

    // The game area and the bar fill the screen; the page's size change
    // reaches the game as any window's would.
    offerFullscreen: function() {
      var button = document.getElementById('fullscreen');
      var play = document.getElementById('play');
      if (!button || !play || !document.fullscreenEnabled || !play.requestFullscreen) return;
      button.hidden = false;
      button.addEventListener('click', function() {
        if (document.fullscreenElement) document.exitFullscreen();
        else play.requestFullscreen({navigationUI: 'hide'}).catch(function() {});
      });
      document.addEventListener('fullscreenchange', function() {
        button.textContent = document.fullscreenElement ? 'Leave fullscreen' : 'Fullscreen';
      });
    },
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelControls);
