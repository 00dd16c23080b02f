// A video file through FFmpeg's libraries: 60 pictures a second and 44100 Hz stereo sound, as
// H.264 + AAC in MP4 or VP9 + Opus in WebM, with fast settings so that encoding outruns the play.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quandel {

enum class VideoContainer { kMp4, kWebm };

// The container named by the file's extension (.mp4 or .webm, in any case), or nothing.
std::optional<VideoContainer> ContainerForName(const std::string& path);

class VideoEncoder {
 public:
  static constexpr int kFramesPerSecond = 60;
  static constexpr int kSoundRate = 44100;

  // Writes to `path` (which must be creatable) pictures of the given size, each pixel enlarged to
  // scale x scale. Nothing, and `error`, when an encoder is missing or the file cannot be opened.
  static std::unique_ptr<VideoEncoder> Open(const std::string& path, VideoContainer container, int pictureWidth,
                                            int pictureHeight, int scale, std::string* error);
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // One picture of pictureWidth x pictureHeight pixels, 0x00RRGGBB, rows from the top.
  bool AddPicture(const uint32_t* pixels);
  // Sound: `frames` interleaved stereo frames, values within -1 .. 1.
  bool AddSound(const float* samples, int frames);
  // Drains the encoders and completes the file.
  bool Finish();
  const std::string& error() const { return error_; }

 private:
  struct Parts;
  VideoEncoder();
  bool Fail(const std::string& what, int code = 0);
  bool EncodeAudioFrames(bool flush);
  bool Drain(int stream, bool flush);

  std::unique_ptr<Parts> p_;
  std::string error_;
};

}  // namespace quandel
