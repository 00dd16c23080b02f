// Looks at sound files before a decoder does: the synthesiser and the sample loader are given
// only what the game's own files are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quandel {

// True for a complete standard MIDI file: a header and all its tracks, every event whole and every
// track closed by its end marker. The synthesiser complains on stderr about anything less.
bool IsCompleteMidi(const std::vector<uint8_t>& bytes);

// Where the samples of a plain PCM wave file lie.
struct WaveLayout {
  int channels = 0;       // 1 or 2
  int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
  int sampleRate = 0;
  size_t dataOffset = 0;  // from the start of the file
  size_t dataSize = 0;
};

// Effects are short. A longer wave is refused, so that a small or lying file cannot make the
// decoder fill the memory.
inline constexpr int kMaxWaveSeconds = 60;

// The game's own kind of wave file, and nothing else: RIFF/WAVE with a PCM "fmt " chunk of 8 or
// 16 bits on one or two channels at 8000 to 48000 Hz, then a "data" chunk of at most
// kMaxWaveSeconds that lies wholly within the file. `head` holds the start of the file (all of
// it, for an image in memory) and `fileSize` its whole length.
std::optional<WaveLayout> ReadWaveLayout(const uint8_t* head, size_t headSize, uint64_t fileSize);
// The same for a file on disk, which must be a regular file.
std::optional<WaveLayout> ReadWaveFileLayout(const std::string& path);

// The first `limit` bytes of a file (fewer when it is shorter or cannot be read).
std::vector<uint8_t> ReadFileStart(const std::string& path, size_t limit);
// True when the file's first four bytes are `magic`.
bool FileStartsWith(const std::string& path, const char (&magic)[5]);

}  // namespace quandel
