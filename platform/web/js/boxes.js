// Message boxes as modal dialogs in the page; the answer goes back to the
// game as an event.
var LibrarySnowvelBoxes = {
  $SnowvelBoxes__deps: ['$SnowvelWeb', '$SnowvelBridge'],
  $SnowvelBoxes: {
    answerBox: function(dialog, box, answer) {
      var at = SnowvelWeb.dialogs.indexOf(dialog);
      if (at < 0) return;
      SnowvelWeb.dialogs.splice(at, 1);
      dialog.close();
      dialog.remove();
      SnowvelWeb.push(SnowvelBridge.EVENT_BOX_ANSWER, {box: box, answer: answer});
    },
  },

  // buttons: one line a button of answer, label and whether Enter picks it
  // (see web_bridge_values.h); escapeAnswer is what Esc gives (0: Esc does
  // nothing, as on a Yes/No box).
  snowvel_web_message_box: function(box, text, caption, buttons, escapeAnswer) {
    var B = SnowvelBridge;
    var dialog = document.createElement('dialog');
    dialog.className = 'message-box';
    var title = document.createElement('h2');
    title.textContent = UTF8ToString(caption);
    var body = document.createElement('pre');
    body.textContent = UTF8ToString(text);
    var row = document.createElement('div');
    row.className = 'buttons';
    var focus = null;
    UTF8ToString(buttons).split(B.BOX_LINE_END).forEach(function(line) {
      var parts = line.split(B.BOX_FIELD_SEPARATOR);
      if (parts.length < 3) return;
      var button = document.createElement('button');
      button.type = 'button';
      button.textContent = parts[1];
      button.addEventListener('click', function() {
        SnowvelBoxes.answerBox(dialog, box, +parts[0]);
      });
      if (parts[2] === B.BOX_DEFAULT_BUTTON) focus = button;
      row.appendChild(button);
    });
    dialog.addEventListener('cancel', function(event) {
      event.preventDefault();
      if (escapeAnswer) SnowvelBoxes.answerBox(dialog, box, escapeAnswer);
    });
    dialog.appendChild(title);
    dialog.appendChild(body);
    dialog.appendChild(row);
    document.body.appendChild(dialog);
    SnowvelWeb.dialogs.push(dialog);
    dialog.showModal();
    if (focus) focus.focus();
  },
};

autoAddDeps(LibrarySnowvelBoxes, '$SnowvelBoxes');
mergeInto(LibraryManager.library, LibrarySnowvelBoxes);
