// The page's start, kept out of the page so that it runs under a
// Content-Security-Policy of 'self': a run to watch (a #run= link, or a
// file handed over before a reload) needs the viewer's program; a game, the
// smaller player's. Both its files are asked for at once: the WebAssembly
// compiles while it streams in, and while the program's script is still on
// its way; the script, added once the page is read, takes the compiled
// module (Module.instantiateWasm) instead of fetching it again.
var snowvelProgram = 'snowvel';
try {
  if (location.hash.indexOf('#run=') === 0 || sessionStorage.getItem('snowvel-open-run'))
    snowvelProgram = 'snowvel-viewer';
} catch (e) {}
var Module = {};
(function() {
  var wasm = snowvelProgram + '.wasm';
  var compiled = null;
  if (window.WebAssembly && WebAssembly.compileStreaming && window.fetch) {
    compiled = WebAssembly.compileStreaming(fetch(wasm, {credentials: 'same-origin'}));
    // A server that sends no application/wasm type makes streaming refuse
    // it: the bytes are compiled as they are.
    compiled = compiled.catch(function() {
      return fetch(wasm, {credentials: 'same-origin'})
          .then(function(response) { return response.arrayBuffer(); })
          .then(function(bytes) { return WebAssembly.compile(bytes); });
    });
    Module.instantiateWasm = function(imports, receive) {
      compiled.then(function(module) {
        return WebAssembly.instantiate(module, imports).then(function(instance) {
          receive(instance, module);
        });
      }).catch(function(error) {
        console.error('Snowvel cannot start: ' + error);
      });
      return {};
    };
  }
  var script = document.createElement('link');
  script.rel = 'preload';
  script.as = 'script';
  script.href = snowvelProgram + '.js';
  document.head.appendChild(script);
  document.addEventListener('DOMContentLoaded', function() {
    var program = document.createElement('script');
    program.src = snowvelProgram + '.js';
    document.body.appendChild(program);
  });
})();
