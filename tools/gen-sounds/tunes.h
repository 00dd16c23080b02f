// The background tune's sections, written in C in the notation of music.h: chords a bar at a time,
// melodies as note:sixteenths.
#pragma once

namespace quandel::soundgen {

inline constexpr const char* kChordsA = "C | Am | F | G | C | Em | F | G | C | Am | F | G | F | G | Em Am | Dm7 G7";
inline constexpr const char* kTuneA =
    "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4  A5:2 G5:2 E5:2 C5:2 D5:4 E5:4 "
    "F5:2 A5:2 C6:2 A5:2 G5:2 F5:2 E5:4  D5:2 E5:2 F5:2 G5:6 r:4 "
    "E5:2 G5:2 C6:4 D6:2 E6:2 D6:2 C6:2  B5:4 G5:2 E5:2 B5:2 C6:2 B5:4 "
    "A5:2 C6:2 F6:4 E6:2 D6:2 C6:2 A5:2  B5:2 C6:2 D6:4 G5:4 r:4 "
    "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4  A5:2 G5:2 E5:2 C5:2 D5:4 E5:4 "
    "F5:2 A5:2 C6:2 A5:2 G5:2 F5:2 E5:4  D5:2 E5:2 F5:2 G5:2 A5:2 B5:2 D6:4 "
    "C6:2 A5:2 F6:4 E6:2 C6:2 A5:4  B5:2 D6:2 G6:4 F6:2 D6:2 B5:4 "
    "G5:2 B5:2 E6:4 C6:2 E6:2 A6:4  F6:4 E6:2 D6:2 B5:4 G5:4";

inline constexpr const char* kChordsB = "Am | F | G | C | Am | F | Dm | E7 | Am | F | G | C | Dm | Em | F | G";
inline constexpr const char* kTuneB =
    "A4:3 C5:3 E5:2 D5:2 C5:2 B4:2 C5:2  A4:3 C5:3 F5:4 E5:2 D5:2 C5:2 "
    "B4:3 D5:3 G5:2 F5:2 E5:2 D5:2 B4:2  C5:6 E5:2 G5:4 r:4 "
    "A5:3 G5:3 E5:2 A5:3 G5:3 E5:2  F5:3 E5:3 C5:2 F5:3 G5:3 A5:2 "
    "A5:4 F5:2 D5:2 F5:2 A5:2 D6:4  B5:4 G#5:4 E5:4 D5:4 "
    "A4:3 C5:3 E5:2 D5:2 C5:2 B4:2 C5:2  A4:3 C5:3 F5:4 E5:2 D5:2 C5:2 "
    "B4:3 D5:3 G5:2 A5:2 B5:2 C6:2 D6:2  E6:6 D6:2 C6:4 G5:4 "
    "F5:2 E5:2 D5:2 E5:2 F5:2 A5:2 D6:4  G5:2 F#5:2 E5:2 F#5:2 G5:2 B5:2 E6:4 "
    "A5:2 G5:2 F5:2 G5:2 A5:2 C6:2 F6:4  G6:4 F6:2 E6:2 D6:4 B5:2 G5:2";

inline constexpr const char* kChordsBridge = "Bb | C | Am | Dm | Gm7 | C7 | F | G7";
inline constexpr const char* kTuneBridge =
    "D6:6 C6:2 Bb5:4 F5:4  G5:6 A5:2 Bb5:4 C6:4  C6:6 Bb5:2 A5:4 E5:4  F5:8 D5:4 F5:4 "
    "Bb5:6 A5:2 G5:4 D6:4  C6:6 Bb5:2 G5:4 E5:4  F5:4 A5:4 C6:4 F6:4  G6:8 F6:2 D6:2 B5:2 G5:2";

inline constexpr const char* kChordsBreak = "Am | F | C | G | Am | F | Dm | A7";
inline constexpr const char* kTuneBreak =
    "A5:2 C6:2 E6:4 r:8  r:8 F5:2 A5:2 C6:4  E5:2 G5:2 C6:4 r:8  r:8 D6:2 B5:2 G5:4 "
    "A5:2 C6:2 E6:4 D6:2 C6:2 B5:2 A5:2  C6:2 A5:2 F5:4 G5:2 A5:2 C6:4 "
    "D6:2 C6:2 A5:2 F5:2 D5:2 F5:2 A5:2 D6:2  A5:1 B5:1 C#6:1 D6:1 E6:1 F#6:1 G6:1 A6:1 r:8";

inline constexpr const char* kChordsIntro = "C | C | F | G";
inline constexpr const char* kChordsOutro = "C | F | G | C";
inline constexpr const char* kTuneOutro =
    "E6:2 D6:2 C6:4 G5:4 E5:4  F5:2 A5:2 C6:4 A5:4 F5:4  G5:2 B5:2 D6:4 F6:4 D6:4  C6:4 r:12";

}  // namespace quandel::soundgen
