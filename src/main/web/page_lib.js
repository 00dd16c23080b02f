// The C side's calls into the page (page.js keeps the state, as the global QW).
mergeInto(LibraryManager.library, {
  qw_init: function () { QW.start(); },
  qw_tell_focus: function () { if (QW.hadFocus) QW.queue([6, 1, 0, 0, 0]); },
  qw_next_event: function (out) {
    var e = QW.events.shift();
    if (!e) return 0;
    for (var i = 0; i < 5; i++) HEAP32[(out >> 2) + i] = e[i] | 0;
    return 1;
  },
  qw_wait: function (ms) {
    return Asyncify.handleSleep(function (wakeUp) { QW.sleep(ms, wakeUp); });
  },
  qw_present: function (rgba) { QW.present(HEAPU8.subarray(rgba, rgba + 640 * 480 * 4)); },
  qw_cursor: function (show) { QW.showCursor(show !== 0); },
  qw_message_box: function (title, text) {
    return Asyncify.handleSleep(function (wakeUp) { QW.messageBox(UTF8ToString(title), UTF8ToString(text), wakeUp); });
  },
  qw_take_watch: function () {
    var path = QW.watchPath;
    QW.watchPath = null;
    if (!path) return 0;
    var size = lengthBytesUTF8(path) + 1, p = _malloc(size);
    stringToUTF8(path, p, size);
    return p;
  },
  qw_take_watch__deps: ['malloc'],
  qw_audio_load: function (bytes, size) { return QW.audio.load(HEAPU8.slice(bytes, bytes + size)); },
  qw_audio_free: function (sample) { QW.audio.free(sample); },
  qw_audio_play: function (sample, voice) { QW.audio.play(sample, voice); },
  qw_audio_halt: function (voice, fadeMs) { QW.audio.halt(voice, fadeMs); },
  qw_music_load: function (name) { return QW.audio.loadTune(UTF8ToString(name)); },
  qw_music_play: function (tune) { QW.audio.playTune(tune); },
  qw_music_halt: function () { QW.audio.haltTune(); },
});
