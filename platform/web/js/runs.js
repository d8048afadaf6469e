// Kept runs in the page: the runs the game kept, each with its link, to
// share; a run to watch from a link (#run=...), a file chosen or dropped; and
// the line that tells how a watched run re-skied.
var LibrarySnowvelRuns = {
  $SnowvelRuns__deps: ['$SnowvelWeb'],
  $SnowvelRuns__postset: 'SnowvelRuns.start();',
  $SnowvelRuns: {
    pendingKey: 'snowvel-open-run',
    raceKey: 'snowvel-race-run',    // the run the next game races (sessionStorage)
    ghostsKey: 'snowvel-ghosts',    // 'off' when the player turned ghosts off (localStorage)
    watched: '',                    // the run this page watches, to race it
    largest: 4 << 20,  // bytes read of a chosen file; the reader refuses more than 1 MB anyway
    kept: [],

    start: function() {
      var share = document.getElementById('share-run');
      var open = document.getElementById('open-run');
      var chooser = document.getElementById('run-file');
      if (share) share.addEventListener('click', SnowvelRuns.share);
      var race = document.getElementById('race-run');
      if (race) race.addEventListener('click', SnowvelRuns.race);
      var watchRace = document.getElementById('watch-race');
      if (watchRace) watchRace.addEventListener('click', SnowvelRuns.race);
      var play = document.getElementById('watch-play');
      if (play) play.addEventListener('click', SnowvelRuns.play);
      // Other parts of the page (the board's list) race a run by its link.
      window.addEventListener('snowvel-race', function(event) {
        if (typeof event.detail === 'string') SnowvelRuns.raceText(event.detail);
      });
      var ghost = document.getElementById('ghost-toggle');
      if (ghost) ghost.addEventListener('click', SnowvelRuns.toggleGhost);
      if (open && chooser) {
        open.addEventListener('click', function() { chooser.click(); });
        chooser.addEventListener('change', function() {
          var file = chooser.files && chooser.files[0];
          chooser.value = '';
          if (file) SnowvelRuns.openFile(file);
        });
      }
      window.addEventListener('dragover', function(e) { e.preventDefault(); });
      window.addEventListener('drop', function(e) {
        var file = e.dataTransfer && e.dataTransfer.files && e.dataTransfer.files[0];
        if (!file) return;
        e.preventDefault();
        SnowvelRuns.openFile(file);
      });
      // A link pasted into the address of an open page.
      window.addEventListener('hashchange', function() {
        if (window.location.hash.indexOf('#run=') === 0) window.location.reload();
      });
    },

    // The run is handed to the next start of the program, which watches it.
    openFile: function(file) {
      if (file.size > SnowvelRuns.largest) {
        SnowvelRuns.note('That file is too large to be a run.');
        return;
      }
      file.text().then(function(text) {
        try {
          window.sessionStorage.setItem(SnowvelRuns.pendingKey, text);
        } catch (e) {
          SnowvelRuns.note('This browser cannot hand the run over: ' + e.message);
          return;
        }
        if (window.location.hash) window.location.hash = '';
        window.location.reload();
      });
    },

    share: function() {
      var pick = document.getElementById('kept-runs');
      var run = SnowvelRuns.kept[pick ? pick.selectedIndex : 0];
      if (!run) return;
      var link = window.location.href.split('#')[0] + '#' + run.link;
      var shown = document.getElementById('run-link');
      if (shown) {
        shown.value = link;
        shown.hidden = false;
        shown.select();
      }
      if (navigator.clipboard) navigator.clipboard.writeText(link).catch(function() {});
    },

    note: function(text) {
      var line = document.getElementById('runs-text');
      if (line) line.textContent = text;
      var note = document.getElementById('runs-note');
      if (note) note.hidden = false;
    },

    // A game instead of the run watched: the page without the run.
    play: function() {
      window.location.href = window.location.href.split('#')[0];
    },

    // A game that races the watched run, or the kept run chosen in the list.
    race: function() {
      var text = SnowvelRuns.watched;
      if (!text) {
        var pick = document.getElementById('kept-runs');
        var run = SnowvelRuns.kept[pick ? pick.selectedIndex : 0];
        if (!run) return;
        text = '#' + run.link;
      }
      SnowvelRuns.raceText(text);
    },

    raceText: function(text) {
      try {
        window.sessionStorage.setItem(SnowvelRuns.raceKey, text);
        window.localStorage.removeItem(SnowvelRuns.ghostsKey);
      } catch (e) {
        SnowvelRuns.note('This browser cannot hand the run over: ' + e.message);
        return;
      }
      window.location.href = window.location.href.split('#')[0];
    },

    // The ghost button and the ghost's key.
    toggleGhost: function() {
      if (typeof _snowvel_web_toggle_ghost !== 'function' || SnowvelRuns.watched) return;
      var on = _snowvel_web_toggle_ghost() !== 0;
      try {
        if (on) window.localStorage.removeItem(SnowvelRuns.ghostsKey);
        else window.localStorage.setItem(SnowvelRuns.ghostsKey, 'off');
      } catch (e) {}
      SnowvelRuns.showGhostButton(on);
    },

    showGhostButton: function(on) {
      var button = document.getElementById('ghost-toggle');
      if (!button) return;
      button.textContent = on ? 'Ghost: on' : 'Ghost: off';
      button.setAttribute('aria-pressed', on ? 'true' : 'false');
      button.hidden = false;
    },
  },

  // The run to watch, or an empty text: the address's #run=..., else a file
  // the page was given before it reloaded.
  snowvel_runs_pending__deps: ['$SnowvelRuns', 'malloc'],
  snowvel_runs_pending: function() {
    var text = '';
    if (window.location.hash.indexOf('#run=') === 0) {
      text = window.location.hash;
    } else {
      try {
        text = window.sessionStorage.getItem(SnowvelRuns.pendingKey) || '';
        window.sessionStorage.removeItem(SnowvelRuns.pendingKey);
      } catch (e) {}
    }
    SnowvelRuns.watched = text;
    var size = lengthBytesUTF8(text) + 1;
    var copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },

  // The run the page was asked to race, once, or an empty text.
  snowvel_runs_race_pending__deps: ['$SnowvelRuns', 'malloc'],
  snowvel_runs_race_pending: function() {
    var text = '';
    try {
      text = window.sessionStorage.getItem(SnowvelRuns.raceKey) || '';
      window.sessionStorage.removeItem(SnowvelRuns.raceKey);
    } catch (e) {}
    var size = lengthBytesUTF8(text) + 1;
    var copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },

  snowvel_runs_ghosts_on__deps: ['$SnowvelRuns'],
  snowvel_runs_ghosts_on: function() {
    try {
      return window.localStorage.getItem(SnowvelRuns.ghostsKey) === 'off' ? 0 : 1;
    } catch (e) {
      return 1;
    }
  },

  // The ghosts ready for this game ("slalom 0:01:24.32, ..."), maybe none.
  snowvel_runs_ghosts_ready__deps: ['$SnowvelRuns'],
  snowvel_runs_ghosts_ready: function(what) {
    var text = UTF8ToString(what);
    var on = true;
    try {
      on = window.localStorage.getItem(SnowvelRuns.ghostsKey) !== 'off';
    } catch (e) {}
    SnowvelRuns.showGhostButton(on);
    var button = document.getElementById('ghost-toggle');
    if (button) button.title = text ? 'Racing the ghost of ' + text + ' (G)' : 'No kept run to race yet (G)';
  },

  snowvel_runs_note__deps: ['$SnowvelRuns'],
  snowvel_runs_note: function(text) {
    SnowvelRuns.note(UTF8ToString(text));
  },

  // How the run watched re-skied, and the visitor's ways on: a game, or a
  // race against this run. The touch bar holds the viewer's keys from now on.
  snowvel_runs_watching__deps: ['$SnowvelRuns', '$SnowvelControls'],
  snowvel_runs_watching: function(text) {
    SnowvelRuns.note(UTF8ToString(text));
    SnowvelControls.watch(true);
    var choices = document.getElementById('watch-choices');
    if (choices) choices.hidden = false;
  },

  // The kept runs as JSON, [{name, link}], the latest first.
  snowvel_runs_list__deps: ['$SnowvelRuns'],
  snowvel_runs_list: function(json) {
    SnowvelRuns.kept = JSON.parse(UTF8ToString(json));
    window.snowvelKeptRuns = SnowvelRuns.kept;  // what the board's Send takes
    var pick = document.getElementById('kept-runs');
    var share = document.getElementById('share-run');
    if (!pick || !share) return;
    pick.textContent = '';
    SnowvelRuns.kept.forEach(function(run) {
      var option = document.createElement('option');
      option.textContent = run.name;
      pick.appendChild(option);
    });
    var race = document.getElementById('race-run');
    pick.hidden = share.hidden = SnowvelRuns.kept.length === 0;
    if (race && !SnowvelRuns.watched) race.hidden = SnowvelRuns.kept.length === 0;
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelRuns);
