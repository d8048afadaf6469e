// One canvas per top-level window, in the page's game area: game pixels,
// each shown as scale x scale device pixels, and the frames the game draws.
var LibrarySnowvelCanvas = {
  $SnowvelCanvas__deps: ['$SnowvelWeb', '$SnowvelBridge', '$SnowvelUserInput'],
  $SnowvelCanvas: {
    FIRST_PICTURE_MARK: 'snowvel-first-picture',  // read by the page's tests

    scale: 1,

    // Runs `then` once the game has shown its first picture, so that work
    // the game can start without never competes with its start.
    afterFirstPicture: function(then) {
      if (!window.PerformanceObserver) {
        window.addEventListener('load', then);
        return;
      }
      var watch = new PerformanceObserver(function(list) {
        if (!list.getEntriesByName(SnowvelCanvas.FIRST_PICTURE_MARK).length) return;
        watch.disconnect();
        then();
      });
      watch.observe({type: 'mark'});
    },

    // The game area in device pixels.
    areaSize: function() {
      var rect = SnowvelWeb.area().getBoundingClientRect();
      var ratio = window.devicePixelRatio || 1;
      return [Math.max(1, Math.floor(rect.width * ratio)), Math.max(1, Math.floor(rect.height * ratio))];
    },

    sizeCanvas: function(w) {
      if (w.canvas.width !== w.width) w.canvas.width = w.width;
      if (w.canvas.height !== w.height) w.canvas.height = w.height;
      SnowvelCanvas.placeCanvas(w);
    },

    // Centred at the top of the game area, on whole device pixels: a canvas
    // half a device pixel off would show some game pixels wider than others.
    // A window larger than the area (the game's smallest in a tiny browser
    // window, a watched run's picture, or the last frame before the game
    // hears of a resize) is shown whole, shrunk to fit, rather than cut off.
    placeCanvas: function(w) {
      var ratio = window.devicePixelRatio || 1;
      var area = SnowvelWeb.area().getBoundingClientRect();
      var areaWidth = area.width * ratio, areaHeight = area.height * ratio;
      var width = w.width * SnowvelCanvas.scale, height = w.height * SnowvelCanvas.scale;
      var fit = Math.min(1, areaWidth / width, areaHeight / height);
      if (fit < 1) {
        width = Math.max(1, Math.floor(width * fit));
        height = Math.max(1, Math.floor(height * fit));
      }
      // Fewer device pixels than game pixels: the browser's averaging keeps
      // thin lines and small text, where the sharp scaling would drop them.
      w.canvas.style.imageRendering = width < w.width || height < w.height ? 'auto' : '';
      var areaX = area.left * ratio, areaY = area.top * ratio;
      var x = Math.round(areaX + Math.max(0, (areaWidth - width) / 2));
      var y = Math.ceil(areaY - 0.01);
      w.canvas.style.width = (width / ratio) + 'px';
      w.canvas.style.height = (height / ratio) + 'px';
      w.canvas.style.left = ((x - areaX) / ratio) + 'px';
      w.canvas.style.top = ((y - areaY) / ratio) + 'px';
    },
  },

  snowvel_web_area_size: function(width, height) {
    var size = SnowvelCanvas.areaSize();
    HEAP32[width >> 2] = size[0];
    HEAP32[height >> 2] = size[1];
  },

  snowvel_web_pixel_ratio: function() {
    return window.devicePixelRatio || 1;
  },

  // A new scale may leave the game's windows as they are: only their size
  // on the page changes.
  snowvel_web_set_scale: function(scale) {
    if (scale === SnowvelCanvas.scale) return;
    SnowvelCanvas.scale = scale;
    for (var h in SnowvelWeb.windows) SnowvelCanvas.placeCanvas(SnowvelWeb.windows[h]);
  },

  // The first window takes the page's own canvas.
  snowvel_web_create_canvas: function(hwnd, width, height) {
    var canvas = null;
    if (!SnowvelWeb.mainHwnd) {
      SnowvelWeb.mainHwnd = hwnd;
      canvas = document.getElementById(SnowvelWeb.MAIN_CANVAS_ID);
    }
    if (!canvas) {
      canvas = document.createElement('canvas');
      SnowvelWeb.area().appendChild(canvas);
    }
    canvas.hidden = true;
    SnowvelUserInput.watchCanvas(canvas);
    // Desynchronized: the canvas reaches the screen without a whole-page
    // frame for every tick, which halves what the renderer spends skiing.
    var context = canvas.getContext('2d', {alpha: false, desynchronized: true});
    var w = {canvas: canvas, context: context, width: width, height: height};
    SnowvelWeb.windows[hwnd] = w;
    SnowvelCanvas.sizeCanvas(w);
    SnowvelUserInput.listen();
    // The scale was chosen before the game had a window: the game area's
    // size checks it against the main window's smallest.
    if (hwnd === SnowvelWeb.mainHwnd) SnowvelUserInput.onResize();
    return 1;
  },

  snowvel_web_destroy_canvas: function(hwnd) {
    var w = SnowvelWeb.windows[hwnd];
    if (!w) return;
    delete SnowvelWeb.windows[hwnd];
    if (hwnd === SnowvelWeb.mainHwnd) w.canvas.hidden = true;
    else w.canvas.remove();
  },

  // state: one of SnowvelBridge's CANVAS_* values.
  snowvel_web_show_canvas: function(hwnd, state) {
    var B = SnowvelBridge;
    var w = SnowvelWeb.windows[hwnd];
    if (!w) return;
    w.canvas.hidden = state !== B.CANVAS_SHOWN;
    if (hwnd !== SnowvelWeb.mainHwnd) return;
    var restore = document.getElementById(SnowvelWeb.RESTORE_ID);
    // The game minimises itself on Esc: there is no taskbar in a page, so
    // the page offers the way back.
    SnowvelWeb.minimisedByGame =
        state === B.CANVAS_MINIMISED && !document.hidden && !SnowvelWeb.hiddenByTab;
    if (restore) restore.hidden = !SnowvelWeb.minimisedByGame;
    if (state === B.CANVAS_SHOWN) {
      if (restore) restore.hidden = true;
      // The page may start without the focus, or in a background tab.
      if (document.hidden) {
        SnowvelWeb.hiddenByTab = true;
        SnowvelWeb.push(B.EVENT_MINIMISE, {hwnd: hwnd});
      } else if (!document.hasFocus()) {
        SnowvelWeb.push(B.EVENT_DEACTIVATE, {hwnd: hwnd});
      }
    }
  },

  snowvel_web_size_canvas: function(hwnd, width, height) {
    var w = SnowvelWeb.windows[hwnd];
    if (!w) return;
    w.width = width;
    w.height = height;
    SnowvelCanvas.sizeCanvas(w);
  },

  // The game tells of a pause in its title and nowhere else: the page hears
  // of it here alone, as SnowvelWeb.paused and a snowvel-pause event. The
  // viewer's state ("(paused)", lower case: no game is paused) comes the
  // same way, as a snowvel-title event.
  snowvel_web_set_title: function(hwnd, title) {
    if (hwnd !== SnowvelWeb.mainHwnd) return;
    document.title = UTF8ToString(title);
    window.dispatchEvent(new Event('snowvel-title'));
    var paused = document.title.indexOf('Paused') >= 0;
    if (paused === SnowvelWeb.paused) return;
    SnowvelWeb.paused = paused;
    window.dispatchEvent(new Event('snowvel-pause'));
  },

  // rgba holds the whole frame (width x height, 4 bytes a pixel); rects are
  // left, top, right, bottom quads of what changed.
  snowvel_web_present: function(hwnd, rgba, width, height, rects, count) {
    var w = SnowvelWeb.windows[hwnd];
    if (!w || width <= 0 || height <= 0) return;
    if (w.canvas.width !== width || w.canvas.height !== height) {
      w.width = width;
      w.height = height;
      SnowvelCanvas.sizeCanvas(w);
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
    if (performance.mark) performance.mark(SnowvelCanvas.FIRST_PICTURE_MARK);
  },
};

autoAddDeps(LibrarySnowvelCanvas, '$SnowvelCanvas');
mergeInto(LibraryManager.library, LibrarySnowvelCanvas);
