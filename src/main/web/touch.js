// Touch as the mouse: one finger moves the cursor and a tap drops a bomb where it is (left
// button); a second finger's tap places a magnet (right button); two fingers dragged up or down
// turn the wheel, a notch per 40 pixels (down as the wheel turned towards the player).
'use strict';
QW.touch = {
  attach: function (canvas, gamePoint) {
    var fingers = {}, primary = null, dragY = null, dragRest = 0;
    var TAP_MS = 300, TAP_MOVE = 12, NOTCH = 40;
    function move(t) {
      var p = gamePoint(t.clientX, t.clientY);
      QW.queue([1, 0, 0, p[0], p[1]]);
      return p;
    }
    canvas.addEventListener('touchstart', function (e) {
      e.preventDefault();
      QW.audio.resume();
      if (!QW.hadFocus) QW.queue([6, 1, 0, 0, 0]), QW.hadFocus = true;
      for (var i = 0; i < e.changedTouches.length; i++) {
        var t = e.changedTouches[i];
        fingers[t.identifier] = { x: t.clientX, y: t.clientY, cx: t.clientX, cy: t.clientY, at: performance.now(), moved: false };
        if (primary === null) {
          primary = t.identifier;
          move(t);
        }
      }
      if (e.touches.length === 2) dragY = (e.touches[0].clientY + e.touches[1].clientY) / 2, dragRest = 0;
    }, { passive: false });
    canvas.addEventListener('touchmove', function (e) {
      e.preventDefault();
      for (var i = 0; i < e.changedTouches.length; i++) {
        var t = e.changedTouches[i], f = fingers[t.identifier];
        if (!f) continue;
        f.cx = t.clientX;
        f.cy = t.clientY;
        if (Math.hypot(f.cx - f.x, f.cy - f.y) > TAP_MOVE) f.moved = true;
        if (t.identifier === primary && e.touches.length === 1) move(t);
      }
      if (e.touches.length === 2 && dragY !== null) {
        var y = (e.touches[0].clientY + e.touches[1].clientY) / 2;
        dragRest += y - dragY;
        dragY = y;
        while (Math.abs(dragRest) >= NOTCH) {
          QW.queue([dragRest > 0 ? 3 : 4, 0, 0, 0, 0]);
          dragRest -= Math.sign(dragRest) * NOTCH;
        }
      }
    }, { passive: false });
    function end(e) {
      e.preventDefault();
      for (var i = 0; i < e.changedTouches.length; i++) {
        var t = e.changedTouches[i], f = fingers[t.identifier];
        delete fingers[t.identifier];
        if (!f || f.moved || performance.now() - f.at > TAP_MS || e.type === 'touchcancel') continue;
        var p = t.identifier === primary ? gamePoint(t.clientX, t.clientY) : gamePoint(f.x, f.y);
        if (t.identifier === primary) {
          QW.queue([2, 1, 0, p[0], p[1]]);
        } else {
          // The magnet goes where the cursor is, as a right click would put it.
          var c = fingers[primary];
          var at = c ? gamePoint(c.cx, c.cy) : p;
          QW.queue([2, 2, 0, at[0], at[1]]);
        }
      }
      if (e.touches.length < 2) dragY = null;
      if (e.touches.length === 0) primary = null;
    }
    canvas.addEventListener('touchend', end, { passive: false });
    canvas.addEventListener('touchcancel', end, { passive: false });
  },
};
