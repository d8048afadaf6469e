// What the page offers beside the keyboard: on a touch screen a bar with
// the keys a phone lacks, a legend for the device in hand (keys, touch or
// a pad), and a fullscreen button. The bar's buttons press the keyboard's
// own keys, so the game cannot tell them apart.
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

    device: '',
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
      var bar = document.getElementById('controls');
      if (bar) {
        bar.querySelectorAll('button[data-key]').forEach(SnowvelControls.wire);
        // Not a menu: a long press must not select text or open one.
        bar.addEventListener('contextmenu', function(event) { event.preventDefault(); });
      }
      var area = document.getElementById(SnowvelWeb.AREA_ID);
      // The bar coming and going, fullscreen and a turned phone all change
      // the game area: the game hears of it as a window resize.
      if (area && window.ResizeObserver)
        new ResizeObserver(function() { SnowvelUserInput.onResize(); }).observe(area);
      SnowvelControls.offerFullscreen();
      window.addEventListener('snowvel-pause', SnowvelControls.showPaused);
    },

    use: function(device) {
      if (device === SnowvelControls.device) return;
      SnowvelControls.device = device;
      document.documentElement.classList.toggle('touch', SnowvelControls.touchSeen);
      document.querySelectorAll('.legend[data-device]').forEach(function(legend) {
        legend.hidden = legend.getAttribute('data-device') !== device;
      });
      var bar = document.getElementById('controls');
      if (bar) bar.hidden = device !== 'touch';
    },

    wire: function(button) {
      var vk = SnowvelControls.keyFor(button.getAttribute('data-key'));
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
