// The browser's keys as the layer's virtual-key codes (VK_*), and which of
// them the page keeps from the browser.
var LibrarySnowvelKeys = {
  $SnowvelKeys: {
    // Keys known by their place; NumLock is read from what the keypad key
    // typed, which is what the browser decided it meant.
    fixedKeys: {
      ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
      Home: 0x24, End: 0x23, PageUp: 0x21, PageDown: 0x22, Insert: 0x2D, Delete: 0x2E,
      Enter: 0x0D, NumpadEnter: 0x0D, Escape: 0x1B, Space: 0x20, Tab: 0x09, Backspace: 0x08,
      Pause: 0x13, PrintScreen: 0x2C, ScrollLock: 0x91, NumLock: 0x90, CapsLock: 0x14,
      ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11,
      AltLeft: 0x12, AltRight: 0x12, MetaLeft: 0x5B, MetaRight: 0x5C, ContextMenu: 0x5D,
      NumpadMultiply: 0x6A, NumpadAdd: 0x6B, NumpadSubtract: 0x6D, NumpadDivide: 0x6F
    },
    // With NumLock off the keypad doubles as a cursor block; 5 becomes VK_CLEAR.
    keypadOff: {
      Numpad0: 0x2D, Numpad1: 0x23, Numpad2: 0x28, Numpad3: 0x22, Numpad4: 0x25,
      Numpad5: 0x0C, Numpad6: 0x27, Numpad7: 0x24, Numpad8: 0x26, Numpad9: 0x21, NumpadDecimal: 0x2E
    },
    // The US layout's places of the OEM keys, by the character they type.
    punctuation: function(key) {
      var at = ';=,-./`[\\]\''.indexOf(key);
      return at < 0 ? 0 : [0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE][at];
    },

    // 0 for a key the layer has no code for.
    virtualKey: function(code, key) {
      if (code in SnowvelKeys.keypadOff) {
        var numLock = key.length === 1;  // a digit or the decimal point
        if (!numLock) return SnowvelKeys.keypadOff[code];
        return code === 'NumpadDecimal' ? 0x6E : 0x60 + Number(code.charAt(6));
      }
      if (code in SnowvelKeys.fixedKeys) return SnowvelKeys.fixedKeys[code];
      var f = /^F([0-9]+)$/.exec(code);
      if (f && +f[1] >= 1 && +f[1] <= 24) return 0x70 + (+f[1] - 1);
      if (key.length === 1) {
        var upper = key.toUpperCase();
        if (upper >= 'A' && upper <= 'Z') return upper.charCodeAt(0);
        if (key >= '0' && key <= '9') return key.charCodeAt(0);
        if (SnowvelKeys.punctuation(key)) return SnowvelKeys.punctuation(key);
      }
      // A letter or digit key of a layout that types something else there.
      var place = /^(?:Key([A-Z])|Digit([0-9]))$/.exec(code);
      if (place) return (place[1] || place[2]).charCodeAt(0);
      return 0;
    },

    // Keys whose press the layer's TranslateMessage turns into WM_CHAR.
    makesCharacter: function(vk) {
      return (vk >= 0x41 && vk <= 0x5A) || (vk >= 0x30 && vk <= 0x39) ||
             (vk >= 0x60 && vk <= 0x6F && vk !== 0x6C) || (vk >= 0xBA && vk <= 0xC0) ||
             (vk >= 0xDB && vk <= 0xDE) || vk === 0x20 || vk === 0x09 || vk === 0x0D ||
             vk === 0x08 || vk === 0x1B;
    },

    // The keys the game reads, whose browser action (find, scrolling,
    // bookmarks) is held back, with the whole keypad; everything else keeps
    // its browser meaning.
    gameKeys: [0x25, 0x26, 0x27, 0x28, 0x24, 0x23, 0x21, 0x22, 0x2D, 0x0C, 0x2E, 0x0D, 0x1B,
               0x71, 0x72],
    heldFromBrowser: function(vk) {
      return SnowvelKeys.gameKeys.indexOf(vk) >= 0 || (vk >= 0x60 && vk <= 0x6F);
    },
  },
};

autoAddDeps(LibrarySnowvelKeys, '$SnowvelKeys');
mergeInto(LibraryManager.library, LibrarySnowvelKeys);
