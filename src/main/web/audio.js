// The game's sounds on Web Audio: wave files decoded here into buffers (the sound layer has
// checked them: plain PCM, 8 or 16 bits, one or two channels), one buffer source per voice, and
// the music as the file rendered from the MIDI tune at build time. The context is made at once
// but only runs after the page's first click or key.
'use strict';
QW.audio = (function () {
  var Ctx = window.AudioContext || window.webkitAudioContext;
  var ctx = Ctx ? new Ctx() : null;
  var buffers = {}, voices = {}, nextId = 1, music = null, tunes = {};

  function chunkAt(b, offset) {
    return { id: String.fromCharCode(b[offset], b[offset + 1], b[offset + 2], b[offset + 3]),
             size: b[offset + 4] | b[offset + 5] << 8 | b[offset + 6] << 16 | b[offset + 7] << 24 };
  }

  function decode(b) {
    var fmt = null, offset = 12;
    while (offset + 8 <= b.length) {
      var c = chunkAt(b, offset), body = offset + 8;
      if (c.id === 'fmt ') fmt = { channels: b[body + 2], rate: b[body + 4] | b[body + 5] << 8 | b[body + 6] << 16, bits: b[body + 14] };
      if (c.id === 'data' && fmt) {
        var bytes = fmt.bits / 8, frames = Math.floor(Math.min(c.size, b.length - body) / (bytes * fmt.channels));
        if (frames <= 0) return null;
        var buffer = ctx.createBuffer(fmt.channels, frames, fmt.rate);
        for (var ch = 0; ch < fmt.channels; ch++) {
          var out = buffer.getChannelData(ch);
          for (var i = 0; i < frames; i++) {
            var at = body + (i * fmt.channels + ch) * bytes;
            out[i] = bytes === 1 ? (b[at] - 128) / 128 : ((b[at] | b[at + 1] << 8) << 16 >> 16) / 32768;
          }
        }
        return buffer;
      }
      offset = body + c.size + (c.size & 1);
    }
    return null;
  }

  function halt(voice, fadeMs) {
    var v = voices[voice];
    if (!v) return;
    voices[voice] = null;
    // A short fade, so that a cut does not click.
    if (fadeMs > 0) v.gain.gain.setTargetAtTime(0, ctx.currentTime, fadeMs / 3000);
    try { v.source.stop(ctx.currentTime + fadeMs / 1000); } catch (e) { /* already ended */ }
  }

  return {
    context: ctx,
    // The first click or key may start the sound.
    resume: function () {
      if (ctx && ctx.state === 'suspended') ctx.resume();
      if (music && music.wanted && music.element.paused) music.element.play().catch(function () {});
    },
    load: function (bytes) {
      if (!ctx) return 0;
      var buffer = decode(bytes);
      if (!buffer) return 0;
      buffers[nextId] = buffer;
      return nextId++;
    },
    free: function (sample) { delete buffers[sample]; },
    play: function (sample, voice) {
      halt(voice, 0);
      var buffer = buffers[sample];
      if (!buffer || ctx.state !== 'running') return;
      var source = ctx.createBufferSource(), gain = ctx.createGain();
      source.buffer = buffer;
      source.connect(gain).connect(ctx.destination);
      source.onended = function () { if (voices[voice] && voices[voice].source === source) voices[voice] = null; };
      source.start();
      voices[voice] = { source: source, gain: gain };
    },
    halt: halt,
    loadTune: function (name) {
      if (!tunes[name]) {
        var element = new Audio(name + '.ogg');
        element.preload = 'auto';
        tunes[name] = { element: element, wanted: false, id: nextId++ };
      }
      return tunes[name].id;
    },
    // Once from the start, as the window plays the MIDI tune.
    playTune: function (id) {
      this.haltTune();
      for (var name in tunes) if (tunes[name].id === id) music = tunes[name];
      if (!music) return;
      music.wanted = true;
      music.element.currentTime = 0;
      if (ctx && ctx.state === 'running') music.element.play().catch(function () {});
    },
    haltTune: function () {
      if (!music) return;
      music.wanted = false;
      music.element.pause();
      music = null;
    },
  };
})();
