// Looks at sound files before a decoder does: the synthesiser and the sample loader are given
// only what the game's own files are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quandel {

// True when the bytes start like a RIFF WAVE file.
bool LooksLikeWave(const uint8_t* data, size_t size);
// True for a complete standard MIDI file: a header and all its tracks, every event whole and every
// track closed by its end marker. The synthesiser complains on stderr about anything less.
bool IsCompleteMidi(const std::vector<uint8_t>& bytes);

// The first `limit` bytes of a file (fewer when it is shorter or cannot be read).
std::vector<uint8_t> ReadFileStart(const std::string& path, size_t limit);
// True when the file's first four bytes are `magic`.
bool FileStartsWith(const std::string& path, const char (&magic)[5]);

}  // namespace quandel
