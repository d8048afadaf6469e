// The page as an installable app that plays offline: the service worker
// (sw.js, beside the page) keeps the site. Registered once the game shows
// its first picture, so it never competes with the game's start.
var LibrarySnowvelOffline = {
  $SnowvelOffline__deps: ['$SnowvelCanvas'],
  $SnowvelOffline__postset: 'SnowvelOffline.start();',
  $SnowvelOffline: {
    start: function() {
      if (!('serviceWorker' in navigator)) return;
      SnowvelCanvas.afterFirstPicture(SnowvelOffline.register);
    },

    register: function() {
      navigator.serviceWorker.register('sw.js').catch(function(error) {
        // A page opened from a file or a plain-http address: it plays, online only.
        console.info('Snowvel plays online only here: ' + error.message);
      });
    },
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelOffline);
