// What a key of the browser sends, and the player's bindings, by the
// desktop's rules (web_keys.cpp); the build's copy of the input table
// (SnowvelInput) gives each key's place and label. The page keeps the
// bindings' text, the settings file's lines, in its storage.
var LibrarySnowvelKeys = {
  $SnowvelKeys__deps: ['$SnowvelBridge', '$SnowvelKeysPanel'],
  $SnowvelKeys: {
    storageKey: 'snowvel-bindings',
    loaded: false,  // the bindings are in: the program answers

    // {natural, vk, action, held, types} for a key event: see kKey* in
    // web_bridge_values.h.
    keyMessages: function(event) {
      var B = SnowvelBridge, row = SnowvelInput.keys[event.code || ''], key = event.key || '';
      var at = _snowvel_web_key(row ? row[0] : 0, key.length === 1 ? key.charCodeAt(0) : 0) >> 2;
      return {natural: HEAP32[at + B.KEY_NATURAL], vk: HEAP32[at + B.KEY_MESSAGE],
              action: HEAP32[at + B.KEY_ACTION], held: HEAP32[at + B.KEY_HELD] !== 0,
              types: HEAP32[at + B.KEY_TYPES] !== 0};
    },

    // The action's keys by code and pad inputs as "pad:a", "pad:none" for none.
    list: function(action) {
      return UTF8ToString(_snowvel_web_binding_list(action)).split(' ');
    },

    // The action's keys or pad inputs become list's ("KeyS", "pad:a"): ""
    // when done, else why not. Stored lists are kept as they are.
    bind: function(action, list, stored) {
      var top = stackSave();
      var why = UTF8ToString(_snowvel_web_bind(action, allocateUTF8OnStack(list), stored ? 1 : 0));
      stackRestore(top);
      if (!stored) SnowvelKeys.save();
      return why;
    },

    reset: function() {
      _snowvel_web_reset_bindings();
      SnowvelKeys.save();
    },

    save: function() {
      var out = {};
      SnowvelInput.actions.forEach(function(action, a) {
        out[action.name] = SnowvelKeys.list(a).join(' ');
      });
      try {
        window.localStorage.setItem(SnowvelKeys.storageKey, JSON.stringify(out));
      } catch (e) {
        console.warn('Snowvel: the key bindings cannot be stored: ' + e);
      }
    },
  },

  snowvel_web_load_bindings: function() {
    var saved = null;
    try {
      saved = JSON.parse(window.localStorage.getItem(SnowvelKeys.storageKey) || 'null');
    } catch (e) {
      console.warn('Snowvel: the stored key bindings are damaged; the defaults are used');
    }
    if (saved && typeof saved === 'object') SnowvelInput.actions.forEach(function(action, a) {
      var list = saved[action.name], pad = saved.pad && saved.pad[action.name];
      // An earlier page kept lists of codes, and the pad inputs apart.
      if (Array.isArray(list)) list = list.join(' ');
      if (Array.isArray(pad)) list = (list || '') + ' pad:' + (pad.length ? pad.join(' pad:') : 'none');
      if (typeof list !== 'string') return;
      var why = SnowvelKeys.bind(a, list, true);
      if (why) console.warn('Snowvel: the stored keys for ' + action.name + ' are not used: ' + why);
    });
    SnowvelKeys.loaded = true;
    SnowvelKeysPanel.install();
  },
};

autoAddDeps(LibrarySnowvelKeys, '$SnowvelKeys');
mergeInto(LibraryManager.library, LibrarySnowvelKeys);
