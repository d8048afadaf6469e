// What a key of the browser sends: from the build's copy of the input table
// (SnowvelInput) and the player's bindings over it (SnowvelBindings, in
// key_bindings.js); both come before the program's JavaScript.
var LibrarySnowvelKeys = {
  $SnowvelKeys: {
    // natural is what the key sends unbound, vk what it sends now. NumLock is
    // read from what the keypad key typed, which is what the browser decided
    // it meant.
    keyMessages: function(event) {
      var code = event.code || '', key = event.key || '';
      var natural = SnowvelBindings.naturalMessage(code, key);
      var numLock = code.indexOf('Numpad') === 0 && key.length === 1;
      return {natural: natural, vk: SnowvelBindings.messageFor(code, numLock, natural)};
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
    heldFromBrowser: function(keys) {
      return SnowvelBindings.isGameMessage(keys.vk) || SnowvelBindings.isGameMessage(keys.natural) ||
             (keys.natural >= 0x60 && keys.natural <= 0x6F);
    },
  },
};

autoAddDeps(LibrarySnowvelKeys, '$SnowvelKeys');
mergeInto(LibraryManager.library, LibrarySnowvelKeys);
