"""The generated background music as a MIDI library reads it: a multi-track file that plays to its
end without a silent tail before it loops; every voice has its program before it plays; every note
ends and none restarts while it sounds; the drums stay in the General MIDI kit."""
import sys

import mido

music = mido.MidiFile(sys.argv[1])
problems = []
if music.type != 1 or len(music.tracks) < 2:
    problems.append(f"type {music.type} with {len(music.tracks)} tracks")
programmed, channels = set(), set()
for n, track in enumerate(music.tracks):
    sounding, tick = {}, 0
    if not track or track[-1].type != "end_of_track":
        problems.append(f"track {n} does not end with its end event")
    for m in track:
        tick += m.time
        if m.type == "program_change":
            programmed.add(m.channel)
        elif m.type == "note_on" and m.velocity > 0:
            channels.add(m.channel)
            if m.channel != 9 and m.channel not in programmed:
                problems.append(f"channel {m.channel} plays before its program")
            if m.channel == 9 and not 35 <= m.note <= 81:
                problems.append(f"drum key {m.note}")
            if (m.channel, m.note) in sounding:
                problems.append(f"track {n}: key {m.note} restarts at tick {tick}")
            sounding[(m.channel, m.note)] = tick
        elif m.type in ("note_on", "note_off") and sounding.pop((m.channel, m.note), None) is None:
            problems.append(f"track {n}: stray release of key {m.note} at tick {tick}")
    if sounding:
        problems.append(f"track {n} ends with notes still held")
if len(channels) < 5 or 9 not in channels:
    problems.append(f"voices on channels {sorted(channels)}")
seconds = last_release = 0.0
for m in music:
    seconds += m.time
    if m.type == "note_off" or (m.type == "note_on" and m.velocity == 0):
        last_release = seconds
if music.length - last_release > 2:
    problems.append(f"{music.length:.1f} s long, the last note ends at {last_release:.1f} s")
print("\n".join(problems) or f"bgm.mid: {music.length:.1f} s, {len(music.tracks)} tracks")
sys.exit(1 if problems else 0)
