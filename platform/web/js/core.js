// The page's half of the web backend, shared by the other library files
// (input, keys, canvas, sound, boxes, storage): the queue where events wait
// until the game's wait takes them, the page's elements and the windows'
// canvases. The C++ half calls the snowvel_web_* functions, which
// web_bridge.h declares; the numbers both halves share are SnowvelBridge's,
// made by the build from web_bridge_values.h.
var LibrarySnowvelCore = {
  // The page's parts that no C++ call reaches are linked through these.
  $SnowvelWeb__deps: ['$SnowvelBridge', '$Asyncify', '$SnowvelOffline', '$SnowvelControls',
                       '$SnowvelScores'],
  $SnowvelWeb: {
    // The elements of web/index.html the game uses.
    AREA_ID: 'game-area',
    MAIN_CANVAS_ID: 'game',
    RESTORE_ID: 'restore',
    STORAGE_NOTE_ID: 'storage-note',
    ENDED_NOTE_ID: 'ended-note',

    queue: [],
    wakeUp: null,
    wakeTimer: 0,
    wakeChannel: null,
    windows: {},  // hwnd -> {canvas, context, width, height}
    mainHwnd: 0,
    dialogs: [],  // the open message boxes, the last one on top
    hiddenByTab: false,
    minimisedByGame: false,
    paused: false,  // the game says so (canvas.js)

    params: function() {
      return new URLSearchParams(window.location.search);
    },

    // type is one of SnowvelBridge's EVENT_* kinds; fields name what the
    // kind carries (see BackendEventType), the rest stays 0.
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
      return document.getElementById(SnowvelWeb.AREA_ID) || document.body;
    },

    windowOf: function(canvas) {
      for (var h in SnowvelWeb.windows)
        if (SnowvelWeb.windows[h].canvas === canvas) return +h;
      return 0;
    },

    note: function(id, text) {
      var line = document.getElementById(id);
      if (!line) return;
      line.textContent = text;
      line.hidden = false;
    },
  },

  // ?scale=N asks for 1 to SnowvelBridge.MOST_SCALE device pixels a game pixel.
  snowvel_web_requested_scale: function() {
    var scale = parseInt(SnowvelWeb.params().get('scale') || '0', 10);
    return scale >= 1 && scale <= SnowvelBridge.MOST_SCALE ? scale : 0;
  },

  snowvel_web_tick_count: function() {
    return Math.floor(performance.timeOrigin + performance.now()) >>> 0;
  },

  snowvel_web_game_ended: function() {
    SnowvelWeb.note(SnowvelWeb.ENDED_NOTE_ID, 'The game has ended. Reload the page to play again.');
  },

  // Fills the event record at out (SnowvelBridge.FIELD_COUNT ints); 0 when
  // no event waits.
  snowvel_web_poll: function(out) {
    var e = SnowvelWeb.queue.shift();
    if (!e) return 0;
    var B = SnowvelBridge, at = out >> 2;
    HEAP32[at + B.FIELD_TYPE] = e.type;
    HEAP32[at + B.FIELD_WINDOW] = e.hwnd;
    HEAP32[at + B.FIELD_KEY] = e.vk;
    HEAP32[at + B.FIELD_REPEAT] = e.repeat;
    HEAP32[at + B.FIELD_CHARACTER] = e.ch;
    HEAP32[at + B.FIELD_X] = e.x;
    HEAP32[at + B.FIELD_Y] = e.y;
    HEAP32[at + B.FIELD_BUTTON] = e.button;
    HEAP32[at + B.FIELD_WIDTH] = e.width;
    HEAP32[at + B.FIELD_HEIGHT] = e.height;
    HEAP32[at + B.FIELD_BOX] = e.box;
    HEAP32[at + B.FIELD_ANSWER] = e.answer;
    return 1;
  },

  // Sleeps until an event arrives or timeoutMs pass (-1: no limit). The
  // page runs nothing of ours meanwhile.
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
};

autoAddDeps(LibrarySnowvelCore, '$SnowvelWeb');
mergeInto(LibraryManager.library, LibrarySnowvelCore);
