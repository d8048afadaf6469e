// The high-score folder, kept in the browser's IndexedDB: read in before the
// game's first look, written back at the game's next wait after a change,
// and read again when the page comes back from another tab.
var LibrarySnowvelStorage = {
  $SnowvelStorage__deps: ['$SnowvelWeb', '$SnowvelBridge', '$SnowvelScores', '$Asyncify', '$FS',
                          '$IDBFS'],
  $SnowvelStorage: {
    dataDir: '',
    mounted: false,
    broken: false,
    dirty: false,
    saving: false,

    // The layer writes a profile file whole, to a temporary file renamed
    // over the old one: any such change below the folder is saved at the
    // game's next wait.
    watch: function() {
      var within = function(path) {
        return typeof path === 'string' && path.indexOf(SnowvelStorage.dataDir + '/') === 0;
      };
      var rename = FS.rename, write = FS.write, unlink = FS.unlink;
      FS.rename = function(from, to) {
        var result = rename.apply(this, arguments);
        if (within(to) || within(from)) SnowvelStorage.dirty = true;
        return result;
      };
      FS.write = function(stream) {
        var result = write.apply(this, arguments);
        if (stream && within(stream.path)) SnowvelStorage.dirty = true;
        return result;
      };
      FS.unlink = function(path) {
        var result = unlink.apply(this, arguments);
        if (within(path)) SnowvelStorage.dirty = true;
        return result;
      };
    },

    lost: function() {
      if (SnowvelStorage.broken) return;
      SnowvelStorage.broken = true;
      SnowvelWeb.note(SnowvelWeb.STORAGE_NOTE_ID,
                      'This browser does not let the page store data: your high scores last until the page is closed.');
    },
  },

  // Mounts the stored folder and reads it in before the game's first read.
  // Returns 1 when it is stored, 0 when it lives only as long as the page.
  snowvel_web_storage_load: function(dir) {
    return Asyncify.handleSleep(function(wakeUp) {
      SnowvelStorage.dataDir = UTF8ToString(dir);
      try { FS.mkdirTree(SnowvelStorage.dataDir); } catch (e) {}
      SnowvelStorage.watch();
      var available = false;
      try { available = typeof indexedDB !== 'undefined' && indexedDB !== null; } catch (e) {}
      if (!available) {
        SnowvelStorage.lost();
        wakeUp(0);
        return;
      }
      try {
        FS.mount(IDBFS, {}, SnowvelStorage.dataDir);
      } catch (e) {
        SnowvelStorage.lost();
        wakeUp(0);
        return;
      }
      SnowvelStorage.mounted = true;
      FS.syncfs(true, function(error) {
        if (error) SnowvelStorage.lost();
        SnowvelStorage.dirty = false;
        if (error) wakeUp(0);
        else SnowvelScores.takeOldScores(function() { wakeUp(1); });
      });
    });
  },

  // Takes in what another tab stored since, unless ours has changes to save.
  snowvel_web_storage_reload: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      var s = SnowvelStorage;
      if (!s.mounted || s.broken || s.dirty || s.saving) {
        wakeUp(0);
        return;
      }
      FS.syncfs(true, function(error) {
        SnowvelStorage.dirty = false;
        wakeUp(error ? 0 : 1);
      });
    });
  },

  snowvel_web_storage_save: function() {
    var s = SnowvelStorage;
    if (!s.dirty || s.saving) return;
    s.dirty = false;
    if (!s.mounted || s.broken) return;
    s.saving = true;
    FS.syncfs(false, function(error) {
      SnowvelStorage.saving = false;
      if (error) {
        SnowvelStorage.lost();
        return;
      }
      if (SnowvelStorage.dirty) _snowvel_web_storage_save();
      else SnowvelScores.saved();
    });
  },
};

autoAddDeps(LibrarySnowvelStorage, '$SnowvelStorage');
mergeInto(LibraryManager.library, LibrarySnowvelStorage);
