// The kept plays beside the canvas (newest first) with Watch and Download, and any replay file
// given to the file picker or dropped on the page, watched in the theatre.
'use strict';
(function () {
  var FOLDER = '/quandel/replays';
  var list = document.getElementById('plays');
  var summaries = {};  // name -> "score stage", worked out by simulating the play once
  var pending = [];

  function summaryOf(name) {
    var key = 'quandel-summary:' + name;
    try {
      if (localStorage.getItem(key)) return localStorage.getItem(key);
    } catch (e) { /* no storage: work it out again */ }
    return null;
  }

  // One play a turn, and only while the title shows, so that a long list does not hold up a play.
  function summariseNext() {
    if (pending.length && !QW.cursorShown) return setTimeout(summariseNext, 1000);
    var name = pending.shift();
    if (!name) return;
    var text = QW.replaySummary(FOLDER + '/' + name);
    summaries[name] = text;
    try { localStorage.setItem('quandel-summary:' + name, text); } catch (e) { /* kept for this visit only */ }
    var stage = list.querySelector('[data-name="' + name + '"] .stage');
    if (stage) stage.textContent = text ? text.split(' ')[1] : '?';
    setTimeout(summariseNext, 20);
  }

  // "score stage" of a replay file, simulated to its end by the game's code ("" when unreadable).
  // (Module.ccall would hand back a promise while the game waits in Asyncify.)
  QW.replaySummary = function (path) {
    var size = lengthBytesUTF8(path) + 1, p = _malloc(size);
    stringToUTF8(path, p, size);
    var text = UTF8ToString(_qw_replay_summary(p));
    _free(p);
    return text;
  };

  function download(name) {
    var blob = new Blob([FS.readFile(FOLDER + '/' + name)], { type: 'application/octet-stream' });
    var a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(function () { URL.revokeObjectURL(a.href); }, 1000);
  }

  function button(text, action) {
    var b = document.createElement('button');
    b.textContent = text;
    b.onclick = action;
    return b;
  }

  QW.listPlays = function () {
    var names = [];
    try {
      names = FS.readdir(FOLDER).filter(function (n) { return /^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_\d{6}.*\.qreplay$/.test(n); });
    } catch (e) { /* no play kept yet */ }
    names.sort().reverse();
    list.textContent = '';
    var idle = pending.length === 0;
    pending = [];
    names.forEach(function (name) {
      var row = document.createElement('tr');
      row.dataset.name = name;
      var known = summaries[name] || summaryOf(name);
      if (known) summaries[name] = known;
      else pending.push(name);
      var cells = [name.slice(0, 10) + ' ' + name.slice(11, 19).replace(/-/g, ':'), String(Number(name.slice(20, 26))),
                   known ? known.split(' ')[1] : '…'];
      cells.forEach(function (text, i) {
        var td = document.createElement('td');
        td.textContent = text;
        td.className = ['date', 'score', 'stage'][i];
        row.appendChild(td);
      });
      var actions = document.createElement('td');
      actions.appendChild(button('Watch', function () { QW.watch(FOLDER + '/' + name); }));
      actions.appendChild(button('Download', function () { download(name); }));
      row.appendChild(actions);
      list.appendChild(row);
    });
    document.getElementById('no-plays').hidden = names.length > 0;
    list.parentElement.hidden = names.length === 0;
    if (idle && pending.length) setTimeout(summariseNext, 20);
  };

  function watchFile(file) {
    if (!file) return;
    file.arrayBuffer().then(function (buffer) { QW.watchBytes(new Uint8Array(buffer)); });
  }

  document.getElementById('open').addEventListener('change', function (e) {
    watchFile(e.target.files[0]);
    e.target.value = '';
  });
  document.addEventListener('dragover', function (e) { e.preventDefault(); });
  document.addEventListener('drop', function (e) {
    e.preventDefault();
    watchFile(e.dataTransfer.files[0]);
  });
})();
