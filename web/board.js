// The board of runs, when the page's own origin hosts one (snowvel-board
// serves the page and its API together): a Board button with the top ten of
// each course, Watch and Race for each entry, and "Send to the board" for the kept
// run picked in the list. Served by a plain static server, the health probe
// leaves the page as it was. Whatever a board answers is
// shown as text.
(function() {
  'use strict';
  if (!/^https?:$/.test(location.protocol) || !window.fetch) return;
  var courses = [['slalom', 'Slalom'], ['tree-slalom', 'Tree slalom'], ['freestyle', 'Freestyle']];
  var tokensKey = 'snowvel-board-tokens ' + location.pathname;
  var $ = function(id) { return document.getElementById(id); };

  function note(text) {
    var shown = $('board-note');
    shown.textContent = String(text).split('\n')[0].slice(0, 200);
    shown.hidden = !text;
  }

  function tokens() {
    try {
      return JSON.parse(localStorage.getItem(tokensKey)) || {};
    } catch (e) {
      return {};
    }
  }

  function keepToken(name, token) {
    var all = tokens();
    all[name] = token;
    try {
      localStorage.setItem(tokensKey, JSON.stringify(all));
    } catch (e) {}
  }

  // Milliseconds as the high-score box shows them, or freestyle points.
  function resultText(course, result) {
    if (course === 'freestyle' || course === 'FS') return result + ' points';
    var cs = Math.floor(result / 10), pad = function(n) { return (n < 10 ? '0' : '') + n; };
    return Math.floor(cs / 360000) + ':' + pad(Math.floor(cs / 6000) % 60) + ':' +
           pad(Math.floor(cs / 100) % 60) + '.' + pad(cs % 100);
  }

  function watch(link) {
    var at = String(link).indexOf('run=');
    if (at >= 0) location.hash = '#' + String(link).slice(at);
  }

  // The game races it as its ghost (the page's runs take it from here).
  function race(link) {
    var at = String(link).indexOf('run=');
    if (at >= 0) window.dispatchEvent(new CustomEvent('snowvel-race', {detail: '#' + String(link).slice(at)}));
  }

  function showCourse(list, course, entries) {
    list.textContent = '';
    entries.slice(0, 10).forEach(function(entry) {
      var item = document.createElement('li');
      var text = document.createElement('span');
      text.textContent = entry.name + '  ' + resultText(course, entry.result) + '  ' +
                         String(entry.date || '').slice(0, 10) + ' ';
      var button = document.createElement('button');
      button.type = 'button';
      button.textContent = 'Watch';
      button.addEventListener('click', function() { watch(entry.link); });
      var racing = document.createElement('button');
      racing.type = 'button';
      racing.textContent = 'Race';
      racing.addEventListener('click', function() { race(entry.link); });
      item.appendChild(text);
      item.appendChild(button);
      item.appendChild(racing);
      list.appendChild(item);
    });
    if (!list.firstChild) list.textContent = 'No runs yet.';
  }

  function showBoard() {
    var panel = $('board-panel');
    courses.forEach(function(course) {
      var list = $('board-' + course[0]);
      fetch('/api/board/' + course[0])
          .then(function(r) { return r.ok ? r.json() : []; })
          .then(function(entries) {
            showCourse(list, course[0], Array.isArray(entries) ? entries : []);
          })
          .catch(function() { list.textContent = 'The board cannot be reached.'; });
    });
    if (panel.showModal && !panel.open) panel.showModal();
  }

  function send() {
    var pick = $('kept-runs');
    var runs = window.snowvelKeptRuns || [];
    var run = runs[pick ? pick.selectedIndex : 0];
    var name = $('board-name').value.trim();
    if (!run) return note('Keep a run first: finish a course that enters its list.');
    if (!name) return note('Give a name for the board.');
    var body = {name: name, run: run.link};
    if (tokens()[name]) body.token = tokens()[name];
    note('Sending the run to the board...');
    fetch('/api/runs', {
      method: 'POST',
      headers: {'Content-Type': 'application/json'},
      body: JSON.stringify(body),
    })
        .then(function(r) {
          return r.json().catch(function() { return {error: 'the board answered ' + r.status}; });
        })
        .then(function(answer) {
          if (!answer || !answer.accepted) return note('Refused: ' + ((answer && answer.error) || 'no reason'));
          if (answer.token) keepToken(name, answer.token);
          note('On the board at rank ' + answer.rank + ': ' + answer.course + ' ' +
               resultText(answer.course, answer.result));
        })
        .catch(function() { note('The board cannot be reached.'); });
  }

  // The board marks the page it serves; asking for the page's own headers
  // costs a plain static server nothing (an /api/ probe would show a failed
  // request in its console).
  // Offline (the worker's copy), there is no board to reach, and asking
  // would only log a failed request.
  if (navigator.onLine === false) return;
  fetch(location.href.split('#')[0], {method: 'HEAD', cache: 'no-store'})
      .then(function(r) {
        if (!r.ok || r.headers.get('Snowvel-Board') !== 'yes') return;
        $('board-open').hidden = false;
        $('board-send').hidden = false;
        $('board-open').addEventListener('click', showBoard);
        $('board-send').addEventListener('click', send);
        $('board-close').addEventListener('click', function() { $('board-panel').close(); });
        var names = Object.keys(tokens());
        if (names.length) $('board-name').value = names[names.length - 1];
      })
      .catch(function() {});
})();
