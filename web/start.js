// The page's start, kept out of the page so that it runs under a
// Content-Security-Policy of 'self': a run to watch (a #run= link, or a
// file handed over before a reload) needs the viewer's program; a game, the
// smaller player's. Its download starts at once, and the program's script
// is added once the page is read.
var snowvelProgram = 'snowvel';
try {
  if (location.hash.indexOf('#run=') === 0 || sessionStorage.getItem('snowvel-open-run'))
    snowvelProgram = 'snowvel-viewer';
} catch (e) {}
(function() {
  var preload = document.createElement('link');
  preload.rel = 'preload';
  preload.href = snowvelProgram + '.wasm';
  preload.as = 'fetch';
  preload.type = 'application/wasm';
  preload.crossOrigin = 'anonymous';
  document.head.appendChild(preload);
  document.addEventListener('DOMContentLoaded', function() {
    var program = document.createElement('script');
    program.src = snowvelProgram + '.js';
    document.body.appendChild(program);
  });
})();
