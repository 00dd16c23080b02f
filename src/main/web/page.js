// The page around the game: the canvas and its scaling, the events the game reads, the waits, the
// message box, the player's files in IndexedDB, and the list of kept plays. Loaded before
// quandel.js, which finds its settings in Module.
'use strict';
var QW = {
  events: [], wake: null, watchPath: null, cursorShown: true, frames: 0, presentTimes: [],
  hadFocus: false, storageOk: true, syncs: 0, syncing: false, syncAgain: false,
};
var DATA = '/quandel';
var KEYS = { ' ': 1, Escape: 2, p: 3, P: 3, h: 4, H: 4, F1: 5, ArrowLeft: 6, ArrowRight: 7, ArrowUp: 8,
             ArrowDown: 9, PageUp: 10, PageDown: 11, Home: 12, '+': 13, '=': 13, '-': 14, Enter: 15 };
// Keys that only modify others are no key press of their own, as in the window.
var MODIFIERS = /^(Shift|Control|Alt|AltGraph|Meta|OS|CapsLock|NumLock)$/;
var canvas = document.getElementById('screen');
var ctx2d = canvas.getContext('2d');
var image = ctx2d.createImageData(640, 480);

QW.queue = function (e) {
  QW.events.push(e);
  if (QW.wake) QW.wake();
};

// Browser timers wake a millisecond or more late, so the last millisecond before a deadline is
// waited out in message events, which come at once but still let the page run in between.
var nudge = new MessageChannel();
nudge.port1.onmessage = function () { if (QW.wake) QW.wake(); };

QW.sleep = function (ms, wakeUp) {
  var done = false, timer = 0;
  QW.wake = function () {
    if (done) return;
    done = true;
    QW.wake = null;
    clearTimeout(timer);
    wakeUp();
  };
  if (ms < 1) return nudge.port2.postMessage(0);
  timer = setTimeout(QW.wake, Math.floor(ms));
  // An animation frame ends the wait too, so that frames reach the screen at its refresh.
  requestAnimationFrame(QW.wake);
};

QW.present = function (rgba) {
  image.data.set(rgba);
  ctx2d.putImageData(image, 0, 0);
  QW.frames++;
  if (QW.presentTimes.length < 100000) QW.presentTimes.push(performance.now());
  if (QW.onPresent) QW.onPresent(QW.frames);
};

QW.showCursor = function (show) {
  QW.cursorShown = show;
  canvas.style.cursor = show ? 'default' : 'none';
  if (show) startWatchIfAsked();
};

// The frame at the largest whole scale that fits (in device pixels, so it stays sharp on any
// screen), or scaled down to fit on a screen too small for it.
function fit() {
  var box = canvas.parentElement, dpr = window.devicePixelRatio || 1;
  var w = box.clientWidth * dpr, h = box.clientHeight * dpr;
  var scale = Math.min(w / 640, h / 480);
  if (scale >= 1) scale = Math.floor(scale);
  canvas.style.width = (640 * scale / dpr) + 'px';
  canvas.style.height = (480 * scale / dpr) + 'px';
}

// Page coordinates to game pixels, as the window maps them: the pixel under the pointer's centre.
function gamePoint(clientX, clientY) {
  var r = canvas.getBoundingClientRect();
  var x = Math.floor((clientX - r.left) * 640 / r.width), y = Math.floor((clientY - r.top) * 480 / r.height);
  return [Math.min(639, Math.max(0, x)), Math.min(479, Math.max(0, y))];
}

function marker(e) { return (e.shiftKey ? 1 : 0) + (e.ctrlKey ? 2 : 0) + (e.altKey ? 4 : 0); }

function userActed() {
  QW.audio.resume();
  if (!QW.hadFocus) focusChanged(true);
}

function focusChanged(gained) {
  if (gained === QW.hadFocus) return;
  QW.hadFocus = gained;
  QW.queue([6, gained ? 1 : 0, 0, 0, 0]);
}

var wheelRest = 0;
function wheel(e) {
  e.preventDefault();
  // One notch per 100 pixels, 3 lines or a page of scrolling, so that touchpads do not flood.
  var step = [100, 3, 1][e.deltaMode] || 100;
  if (Math.sign(wheelRest) !== Math.sign(e.deltaY)) wheelRest = 0;
  wheelRest += e.deltaY;
  while (Math.abs(wheelRest) >= step) {
    QW.queue([wheelRest > 0 ? 3 : 4, 0, 0, 0, 0]);
    wheelRest -= Math.sign(wheelRest) * step;
  }
}

function toggleFullscreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else document.getElementById('stage').requestFullscreen().catch(function () {});
}

QW.start = function () {
  canvas.addEventListener('mousemove', function (e) {
    var p = gamePoint(e.clientX, e.clientY);
    QW.queue([1, e.buttons & 7, marker(e), p[0], p[1]]);  // left 1, right 2, middle 4, as the window
  });
  canvas.addEventListener('mousedown', function (e) {
    userActed();
    e.preventDefault();  // no middle-button scrolling, no text selection
    var button = [1, 4, 2][e.button] || 0;
    if (!button) return;
    var p = gamePoint(e.clientX, e.clientY);
    QW.queue([2, button, marker(e), p[0], p[1]]);
  });
  canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  canvas.addEventListener('wheel', wheel, { passive: false });
  window.addEventListener('keydown', function (e) {
    if (e.target.closest && e.target.closest('input, button, dialog')) return;
    if (e.key === 'F11') {
      e.preventDefault();
      toggleFullscreen();
      return;
    }
    var key = KEYS[e.key];
    if (key) e.preventDefault();
    userActed();
    if (!e.repeat && !MODIFIERS.test(e.key)) QW.queue([5, key || 0, 0, 0, 0]);
  });
  window.addEventListener('keyup', function (e) {
    if (e.target.closest && e.target.closest('input, button, dialog')) return;
    if (!MODIFIERS.test(e.key)) QW.queue([8, KEYS[e.key] || 0, 0, 0, 0]);
  });
  window.addEventListener('blur', function () { focusChanged(false); });
  window.addEventListener('focus', function () { focusChanged(true); });
  document.addEventListener('visibilitychange', function () { focusChanged(!document.hidden); });
  QW.touch.attach(canvas, gamePoint);
  window.addEventListener('resize', fit);
  fit();
  if (document.hasFocus()) focusChanged(true);
};

QW.messageBox = function (title, text, done) {
  var dialog = document.getElementById('message');
  dialog.querySelector('h2').textContent = title;
  dialog.querySelector('p').textContent = text;
  // OK, or Esc, closes it; only then does the game go on.
  dialog.onclose = function () {
    dialog.onclose = null;
    done();
  };
  dialog.showModal();
};

// --- The player's files: /quandel in IndexedDB, written back after every save. ---

function linkAssets(on) {
  ['img', 'snd'].forEach(function (name) {
    if (on) FS.symlink('/assets/' + name, DATA + '/' + name);
    else FS.unlink(DATA + '/' + name);
  });
}

// A save ends with a rename (or a close of a written file); a pruned replay is an unlink. The
// write-back starts once the game yields, when the save is whole.
QW.sync = function () {
  if (!QW.storageOk || QW.syncQueued) return;
  QW.syncQueued = true;
  setTimeout(syncNow, 0);
};

function syncNow() {
  QW.syncQueued = false;
  if (QW.syncing) {
    QW.syncAgain = true;
    return;
  }
  QW.syncing = true;
  // The packaged pictures and sounds are linked in; the walk for changed files must not store them.
  linkAssets(false);
  FS.syncfs(false, function (err) {
    QW.syncing = false;
    QW.syncs++;
    // A file renamed while the write-back ran fails it; the next one takes the new state. Only a
    // store that keeps failing is a refusal.
    QW.syncFailures = err ? (QW.syncFailures || 0) + 1 : 0;
    if (QW.syncFailures >= 3) storageRefused();
    if (QW.syncAgain || err) {
      QW.syncAgain = false;
      QW.sync();
    }
    QW.listPlays();
  });
  linkAssets(true);
}

function storageRefused() {
  if (!QW.storageOk) return;
  QW.storageOk = false;
  document.getElementById('storage').hidden = false;
}

function watchWrites() {
  var inData = function (path) { return path && path.indexOf(DATA + '/') === 0; };
  var close = FS.close, rename = FS.rename, unlink = FS.unlink;
  FS.close = function (stream) {
    var r = close.apply(this, arguments);
    if ((stream.flags & 3) && inData(stream.path)) QW.sync();
    return r;
  };
  FS.rename = function (from, to) {
    var r = rename.apply(this, arguments);
    if (inData(to)) QW.sync();
    return r;
  };
  FS.unlink = function (path) {
    var r = unlink.apply(this, arguments);
    if (inData(path) && !QW.syncing) QW.sync();
    return r;
  };
}

var Module = {
  canvas: canvas,
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
  preRun: [function () {
    FS.mkdir(DATA);
    try {
      FS.mount(IDBFS, {}, DATA);
    } catch (e) {
      storageRefused();
    }
    FS.chdir(DATA);
    addRunDependency('quandel-files');
    var ready = function () {
      linkAssets(true);
      watchWrites();
      QW.listPlays();
      removeRunDependency('quandel-files');
    };
    if (!QW.storageOk) return ready();
    try {
      FS.syncfs(true, function (err) {
        if (err) storageRefused();
        ready();
      });
    } catch (e) {
      storageRefused();
      ready();
    }
  }],
};

// --- Watching: the game takes the file when it is back on its title screen. ---

function startWatchIfAsked() {
  document.getElementById('waiting').hidden = !QW.watchWanted || QW.cursorShown;
  if (!QW.watchWanted || !QW.cursorShown) return;
  QW.watchPath = QW.watchWanted;
  QW.watchWanted = null;
  QW.queue([7, 0, 0, 0, 0]);
}

QW.watch = function (path) {
  QW.watchWanted = path;
  userActed();
  startWatchIfAsked();
};

QW.watchBytes = function (bytes) {
  FS.writeFile('/tmp/watched.qreplay', bytes);
  QW.watch('/tmp/watched.qreplay');
};

document.getElementById('fullscreen').onclick = toggleFullscreen;
document.addEventListener('fullscreenchange', fit);
