#include "platform/web/web_mixer.h"

#include <filesystem>

#include "platform/file_io.h"

extern "C" {
int qw_audio_load(const uint8_t* bytes, int size);
void qw_audio_free(int sample);
void qw_audio_play(int sample, int voice);
void qw_audio_halt(int voice, int fadeMs);
int qw_music_load(const char* url);
void qw_music_play(int tune);
void qw_music_halt();
}

namespace quandel {

namespace {

constexpr size_t kMaxWaveBytes = 16 << 20;

}  // namespace

int WebMixerPort::LoadSample(const std::string& path) {
  const auto bytes = ReadRegularFile(path, kMaxWaveBytes);
  return bytes ? LoadSampleImage(*bytes) : 0;
}

int WebMixerPort::LoadSampleImage(const std::vector<uint8_t>& image) {
  return qw_audio_load(image.data(), static_cast<int>(image.size()));
}

void WebMixerPort::FreeSample(int sample) { qw_audio_free(sample); }
void WebMixerPort::PlaySample(int sample, int voice) { qw_audio_play(sample, voice); }
void WebMixerPort::HaltVoice(int voice) { qw_audio_halt(voice, 0); }
void WebMixerPort::FadeOutVoice(int voice) { qw_audio_halt(voice, 10); }

// The MIDI file stands for the music file of the same name rendered at build time.
int WebMixerPort::LoadTune(const std::string& path) {
  return qw_music_load(std::filesystem::path(path).stem().string().c_str());
}

void WebMixerPort::PlayTune(int tune) { qw_music_play(tune); }
void WebMixerPort::HaltTune() { qw_music_halt(); }

}  // namespace quandel
