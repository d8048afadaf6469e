// The high scores as a player keeps them: stored under a name of this
// page's own, kept by the browser once there is something to keep, and
// carried out and back in as the desktop's tolvane.ini.
var LibrarySnowvelScores = {
  $SnowvelScores__deps: ['$SnowvelWeb', '$SnowvelBridge', '$SnowvelStorage', '$FS', '$IDBFS',
                         'snowvel_web_storage_save'],
  $SnowvelScores__postset: 'SnowvelScores.start();',
  $SnowvelScores: {
    NOTE_ID: 'scores-note',
    largest: 65536,  // bytes read of an offered file; ours are far smaller
    askedToKeep: false,

    // Two games served from one origin (as on game sites) each keep their
    // own database: the page's folder is part of its name.
    databaseName: function(mountpoint) {
      return mountpoint + ' ' + window.location.pathname.replace(/[^/]*$/, '');
    },

    start: function() {
      var getDB = IDBFS.getDB;
      IDBFS.getDB = function(name, callback) {
        return getDB.call(IDBFS, SnowvelScores.databaseName(name), callback);
      };
      // Opened as soon as the script runs, while the WebAssembly still
      // compiles: the game's first read then finds it open.
      try {
        if (typeof indexedDB !== 'undefined') IDBFS.getDB(SnowvelBridge.DATA_DIRECTORY, function() {});
      } catch (e) {}
      var exportButton = document.getElementById('export-scores');
      var importButton = document.getElementById('import-scores');
      var chooser = document.getElementById('import-file');
      if (exportButton) exportButton.addEventListener('click', SnowvelScores.exportScores);
      if (importButton && chooser) {
        importButton.addEventListener('click', function() { chooser.click(); });
        chooser.addEventListener('change', function() {
          var file = chooser.files && chooser.files[0];
          chooser.value = '';
          if (file) SnowvelScores.importScores(file);
        });
      }
    },

    // Pages before this one kept the scores in a database named for the
    // folder alone, shared by the whole origin: a page with none of its own
    // yet takes those in (saved at the game's next wait), and nothing is lost.
    takeOldScores: function(done) {
      var path = SnowvelScores.path();
      if (FS.analyzePath(path).exists || !indexedDB.databases) {
        done();
        return;
      }
      var old = SnowvelStorage.dataDir;
      indexedDB.databases().then(function(all) {
        if (!all.some(function(db) { return db.name === old; })) return done();
        var request = indexedDB.open(old);
        request.onerror = function() { done(); };
        request.onsuccess = function() {
          var db = request.result;
          if (!db.objectStoreNames.contains('FILE_DATA')) {
            db.close();
            return done();
          }
          var get = db.transaction('FILE_DATA').objectStore('FILE_DATA').get(path);
          get.onsuccess = function() {
            db.close();
            var entry = get.result;
            if (entry && entry.contents) {
              try { FS.writeFile(path, entry.contents); } catch (e) {}
            }
            done();
          };
          get.onerror = function() {
            db.close();
            done();
          };
        };
      }, function() { done(); });
    },

    path: function() {
      return SnowvelStorage.dataDir + '/' + SnowvelBridge.HIGH_SCORE_FILE;
    },

    say: function(text) {
      SnowvelWeb.note(SnowvelScores.NOTE_ID, text);
    },

    exportScores: function() {
      var bytes = null;
      try { bytes = FS.readFile(SnowvelScores.path()); } catch (e) {}
      if (!SnowvelStorage.dataDir || !bytes) {
        SnowvelScores.say('There are no high scores to export yet.');
        return;
      }
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
      link.download = SnowvelBridge.HIGH_SCORE_FILE;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function() { URL.revokeObjectURL(link.href); }, 10000);
    },

    // Read by the game's own profile reader first (web/score_file.cpp);
    // only a file it takes whole replaces the stored one.
    importScores: function(file) {
      var refuse = function(why) {
        SnowvelScores.say('"' + file.name + '" was not imported: ' + why +
                          '. Your high scores are unchanged.');
      };
      if (!SnowvelStorage.dataDir) return refuse('the game has not started yet');
      if (file.size > SnowvelScores.largest) return refuse('it is far larger than a high-score file');
      file.arrayBuffer().then(function(buffer) {
        // Beside the stored file (a rename cannot cross into another mount),
        // and gone again within this task when refused.
        var offered = SnowvelScores.path() + '.offered';
        FS.writeFile(offered, new Uint8Array(buffer));
        var top = stackSave();
        var why = UTF8ToString(_snowvel_web_check_scores(allocateUTF8OnStack(offered)));
        stackRestore(top);
        if (why) {
          FS.unlink(offered);
          return refuse(why);
        }
        // Renamed into place whole, as the game writes it.
        FS.rename(offered, SnowvelScores.path());
        _snowvel_web_storage_save();
        SnowvelScores.say('High scores imported from "' + file.name + '".');
      }, function() { refuse('it could not be read'); });
    },

    // Once a score is stored, the browser is asked not to clear the page's
    // data when short of space; a refusal is said once.
    saved: function() {
      if (SnowvelScores.askedToKeep || !navigator.storage || !navigator.storage.persist) return;
      if (!FS.analyzePath(SnowvelScores.path()).exists) return;
      SnowvelScores.askedToKeep = true;
      navigator.storage.persisted().then(function(kept) {
        return kept || navigator.storage.persist();
      }).then(function(kept) {
        if (!kept && !SnowvelStorage.broken)
          SnowvelWeb.note(SnowvelWeb.STORAGE_NOTE_ID, 'This browser may clear stored data when it runs short of space, ' +
                            'high scores included: "Export scores" keeps a copy.');
      }).catch(function() {});
    },
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelScores);
