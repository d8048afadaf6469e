// The player's key bindings in the page, over the build's copy of the input
// table (SnowvelInput): kept in the page's storage, changed from the keys
// panel, read by the key handling. The same rules as the desktop's
// (platform/input/key_bindings.cpp): a bound key sends its action's message,
// a game key bound to nothing sends nothing, a key bound twice moves, and an
// action left without keys gets its defaults back. Pad inputs (the table's
// names) are kept beside the keys and follow the desktop's pad rules: one
// bound to a second action moves, stored ones may be shared as the defaults
// share some; the pad reader hands them to the backend (js/pads.js).
var SnowvelBindings = {
  storageKey: 'snowvel-bindings',
  keys: null,  // per action, the codes bound to it
  pad: null,   // per action, its pad inputs by name
  padVersion: 0,  // counts changes of pad, for the pad reader

  defaults: function() {
    return SnowvelInput.actions.map(function(a) { return a.keys.slice(); });
  },

  defaultPad: function() {
    return SnowvelInput.actions.map(function(a) { return a.pad.slice(); });
  },

  load: function() {
    SnowvelBindings.keys = SnowvelBindings.defaults();
    SnowvelBindings.pad = SnowvelBindings.defaultPad();
    SnowvelBindings.padVersion++;
    var saved = null;
    try {
      saved = JSON.parse(window.localStorage.getItem(SnowvelBindings.storageKey) || 'null');
    } catch (e) {
      console.warn('Snowvel: the stored key bindings are damaged; the defaults are used');
    }
    if (!saved || typeof saved !== 'object') return;
    SnowvelInput.actions.forEach(function(action, a) {
      var codes = saved[action.name];
      if (codes === undefined) return;
      if (!Array.isArray(codes) || !codes.every(function(c) { return c in SnowvelInput.keys; })) {
        console.warn('Snowvel: stored keys for ' + action.name + ' are unknown; it keeps its defaults');
        return;
      }
      SnowvelBindings.bind(a, codes, false);
    });
    var pad = saved.pad && typeof saved.pad === 'object' ? saved.pad : {};
    SnowvelInput.actions.forEach(function(action, a) {
      var names = pad[action.name];
      if (names === undefined) return;
      if (!Array.isArray(names) ||
          !names.every(function(n) { return SnowvelInput.padInputs.indexOf(n) >= 0; })) {
        console.warn('Snowvel: stored pad inputs for ' + action.name +
                     ' are unknown; it keeps its defaults');
        return;
      }
      SnowvelBindings.pad[a] = names.slice();
    });
  },

  save: function() {
    var out = {pad: {}};
    SnowvelInput.actions.forEach(function(action, a) {
      out[action.name] = SnowvelBindings.keys[a];
      out.pad[action.name] = SnowvelBindings.pad[a];
    });
    try {
      window.localStorage.setItem(SnowvelBindings.storageKey, JSON.stringify(out));
    } catch (e) {
      console.warn('Snowvel: the key bindings cannot be stored: ' + e);
    }
  },

  actionFor: function(code) {
    for (var a = 0; a < SnowvelBindings.keys.length; ++a)
      if (SnowvelBindings.keys[a].indexOf(code) >= 0) return a;
    return -1;
  },

  bind: function(action, codes, store) {
    var keys = SnowvelBindings.keys;
    keys.forEach(function(list, a) {
      keys[a] = list.filter(function(c) { return codes.indexOf(c) < 0; });
    });
    keys[action] = codes.slice();
    // An action without keys takes back its free defaults, or failing that
    // its first default from whoever holds it; this ends, as a key taken
    // back goes home for good.
    for (var changed = true; changed;) {
      changed = false;
      keys.forEach(function(list, a) {
        if (list.length > 0) return;
        var defaults = SnowvelInput.actions[a].keys;
        keys[a] = defaults.filter(function(c) { return SnowvelBindings.actionFor(c) < 0; });
        if (keys[a].length === 0) {
          keys.forEach(function(other, b) {
            keys[b] = other.filter(function(c) { return c !== defaults[0]; });
          });
          keys[a] = [defaults[0]];
        }
        changed = true;
      });
    }
    if (store !== false) SnowvelBindings.save();
  },

  // The action's pad inputs become these; each moves from wherever it was,
  // but one the action already shares stays shared.
  bindPad: function(action, names) {
    var pad = SnowvelBindings.pad, had = pad[action].slice();
    pad.forEach(function(list, a) {
      pad[a] = list.filter(function(n) { return names.indexOf(n) < 0 || had.indexOf(n) >= 0; });
    });
    pad[action] = names.slice();
    SnowvelBindings.padVersion++;
    SnowvelBindings.save();
  },

  // The action's pad inputs as the backend takes them: bit n for input n.
  padMask: function(action) {
    if (!SnowvelBindings.keys) SnowvelBindings.load();
    return SnowvelBindings.pad[action].reduce(function(mask, name) {
      return mask | (1 << SnowvelInput.padInputs.indexOf(name));
    }, 0);
  },

  reset: function() {
    SnowvelBindings.keys = SnowvelBindings.defaults();
    SnowvelBindings.pad = SnowvelBindings.defaultPad();
    SnowvelBindings.padVersion++;
    SnowvelBindings.save();
  },

  isGameMessage: function(vk) {
    return vk !== 0 && SnowvelInput.actions.some(function(a) {
      return a.message === vk || a.numLockMessage === vk;
    });
  },

  // What a key sends: its action's message (the NumLock one from the keypad
  // with NumLock on), 0 for a game key bound to nothing or a page action,
  // else natural, what it sends unbound.
  messageFor: function(code, numLock, natural) {
    if (!SnowvelBindings.keys) SnowvelBindings.load();
    var a = SnowvelBindings.actionFor(code);
    if (a < 0) return SnowvelBindings.isGameMessage(natural) ? 0 : natural;
    var action = SnowvelInput.actions[a];
    var row = SnowvelInput.keys[code];
    if (row && row[1] !== 0 && numLock && action.numLockMessage) return action.numLockMessage;
    return action.message;
  },

  // What a key sends unbound, as Windows would: by its place, or for
  // letters, digits and punctuation by what the layout types on it.
  naturalMessage: function(code, key) {
    var row = SnowvelInput.keys[code];
    if (row && row[2] === null)
      return row[1] !== 0 && key.length === 1 ? row[1] : row[0];  // NumLock: the keypad typed
    if (key.length === 1) {
      var lower = key.toLowerCase();
      for (var c in SnowvelInput.keys)
        if (SnowvelInput.keys[c][2] === lower) return SnowvelInput.keys[c][0];
    }
    return row ? row[0] : 0;  // a layout's own letters keep the key's place
  }
};
