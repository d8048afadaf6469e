// The page as an installable app that plays offline: the service worker
// (sw.js, beside the page) keeps the site. Registered once the page has
// loaded, so it never competes with the game's first picture.
var LibrarySnowvelOffline = {
  $SnowvelOffline__postset: 'SnowvelOffline.register();',
  $SnowvelOffline: {
    register: function() {
      if (!('serviceWorker' in navigator)) return;
      var start = function() {
        navigator.serviceWorker.register('sw.js').catch(function(error) {
          // A page opened from a file or a plain-http address: it plays, online only.
          console.info('Snowvel plays online only here: ' + error.message);
        });
      };
      if (document.readyState === 'complete') start();
      else window.addEventListener('load', start);
    },
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelOffline);
