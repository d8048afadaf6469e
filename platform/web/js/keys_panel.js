// The page's keys panel: every game action with its keys and pad inputs;
// "Change" takes the next key, pad button or pad direction pressed (Escape
// leaves it as it was), "Defaults" restores them all. The bindings are kept
// in the page's storage (keys.js), so they survive a reload.
var LibrarySnowvelKeysPanel = {
  $SnowvelKeysPanel__deps: ['$SnowvelKeys'],
  $SnowvelKeysPanel: {
    open: false,
    waitingFor: -1,
    pushing: false,  // a pad direction is being pushed for the panel
    straight: null,  // the straight direction it had, taken once let go

    // The table's pad inputs as people call them: "pad A", "pad up-left".
    padName: function(name) {
      return 'pad ' + (name.length === 1 ? name.toUpperCase() : name);
    },

    fill: function() {
      var body = document.getElementById('keys-panel-rows');
      body.textContent = '';
      SnowvelInput.actions.forEach(function(action, a) {
        if (action.message === 0) return;  // the browser's own (screenshot, fullscreen)
        var list = SnowvelKeys.list(a);
        var padInputs = list.filter(function(word) { return word.indexOf('pad:') === 0; });
        var row = body.insertRow();
        row.dataset.action = action.name;
        row.insertCell().textContent = action.label;
        var keys = row.insertCell();
        keys.className = 'keys';
        keys.textContent = SnowvelKeysPanel.waitingFor === a
            ? 'press a key, pad button or direction\u2026'
            : list.filter(function(word) { return padInputs.indexOf(word) < 0; })
                  .map(function(code) { return SnowvelInput.keys[code][1]; }).join(', ');
        var pad = row.insertCell();
        pad.className = 'pad';
        pad.textContent = padInputs.filter(function(word) { return word !== 'pad:none'; })
            .map(function(word) { return SnowvelKeysPanel.padName(word.slice(4)); }).join(', ');
        var change = document.createElement('button');
        change.type = 'button';
        change.textContent = 'Change';
        change.addEventListener('click', function() {
          SnowvelKeysPanel.waitingFor = a;
          SnowvelKeysPanel.fill();
        });
        row.insertCell().appendChild(change);
      });
    },

    onKey: function(event) {
      if (!SnowvelKeysPanel.open || SnowvelKeysPanel.waitingFor < 0) return;
      event.preventDefault();
      event.stopPropagation();
      if (event.code !== 'Escape' && event.code in SnowvelInput.keys)
        SnowvelKeys.bind(SnowvelKeysPanel.waitingFor, event.code);
      SnowvelKeysPanel.waitingFor = -1;
      SnowvelKeysPanel.fill();
    },

    take: function(padInput) {
      SnowvelKeys.bind(SnowvelKeysPanel.waitingFor, 'pad:' + padInput);
      SnowvelKeysPanel.waitingFor = -1;
      SnowvelKeysPanel.fill();
    },

    // A pad button pressed (js/pads.js asks first): taken while a row waits.
    onPad: function(name) {
      if (!SnowvelKeysPanel.open || SnowvelKeysPanel.waitingFor < 0) return false;
      SnowvelKeysPanel.take(name);
      return true;
    },

    // The pads' D-pads and sticks, each read (js/pads.js): pointing is the
    // direction pushed clearly, or null; resting, whether all are back in
    // the middle. A push that begins while a row waits is the panel's until
    // it rests: a diagonal is taken at once, a straight direction once let
    // go, as it may have been on its way to a diagonal. True while the
    // panel has them.
    onPadDirection: function(pointing, resting) {
      var panel = SnowvelKeysPanel, waiting = panel.open && panel.waitingFor >= 0;
      if (!panel.pushing) {
        if (!pointing || !waiting) return false;
        panel.pushing = true;
        panel.straight = null;
      }
      if (resting) {
        panel.pushing = false;
        if (waiting && panel.straight) panel.take(panel.straight);
        return true;
      }
      if (waiting && pointing && pointing.indexOf('-') > 0) panel.take(pointing);
      else if (waiting && pointing) panel.straight = pointing;
      return true;
    },

    // Once the bindings are in (keys.js).
    install: function() {
      var dialog = document.createElement('dialog');
      dialog.id = 'keys-panel';
      dialog.innerHTML = '<h2>Keys</h2><table><tbody id="keys-panel-rows"></tbody></table>' +
          '<div class="buttons"><button type="button" id="keys-defaults">Defaults</button>' +
          '<button type="button" id="keys-close">Close</button></div>';
      document.body.appendChild(dialog);
      var open = document.createElement('button');
      open.type = 'button';
      open.id = 'keys-open';
      open.textContent = 'Keys\u2026';
      (document.querySelector('.page-tools') || document.querySelector('header')).appendChild(open);
      open.addEventListener('click', function() {
        SnowvelKeysPanel.open = true;
        SnowvelKeysPanel.waitingFor = -1;
        SnowvelKeysPanel.fill();
        dialog.showModal();
      });
      // Anywhere on the page: the row's button that had the focus is redrawn.
      window.addEventListener('keydown', SnowvelKeysPanel.onKey, true);
      dialog.addEventListener('close', function() {
        SnowvelKeysPanel.open = false;
        SnowvelKeysPanel.waitingFor = -1;
      });
      document.getElementById('keys-defaults').addEventListener('click', function() {
        SnowvelKeys.reset();
        SnowvelKeysPanel.fill();
      });
      document.getElementById('keys-close').addEventListener('click', function() { dialog.close(); });
    },
  },
};

mergeInto(LibraryManager.library, LibrarySnowvelKeysPanel);
