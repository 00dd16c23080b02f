#include "video_encoder.h"

#include <strings.h>

#include <filesystem>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace quandel {

namespace {

enum { kVideo = 0, kAudio = 1 };

struct Settings {
  const char* muxer;
  const char* videoCodec;
  const char* audioCodec;
  int audioRate;
  int64_t audioBitRate;
};

Settings SettingsFor(VideoContainer c) {
  // Opus knows no 44100 Hz: its sound is resampled to 48000 Hz.
  return c == VideoContainer::kMp4 ? Settings{"mp4", "libx264", "aac", 44100, 160000}
                                   : Settings{"webm", "libvpx-vp9", "libopus", 48000, 128000};
}

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

std::optional<VideoContainer> ContainerForName(const std::string& path) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (strcasecmp(ext.c_str(), ".mp4") == 0) return VideoContainer::kMp4;
  if (strcasecmp(ext.c_str(), ".webm") == 0) return VideoContainer::kWebm;
  return std::nullopt;
}

struct VideoEncoder::Parts {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec[2] = {nullptr, nullptr};
  AVStream* stream[2] = {nullptr, nullptr};
  SwsContext* scaler = nullptr;
  SwrContext* resampler = nullptr;
  AVAudioFifo* fifo = nullptr;
  AVFrame* picture = nullptr;
  AVFrame* sound = nullptr;
  AVPacket* packet = nullptr;
  int pictureWidth = 0, pictureHeight = 0;
  int64_t pictures = 0;
  int64_t soundPts = 0;
  bool headerWritten = false;
  bool fileOpen = false;

  ~Parts() {
    if (fileOpen) avio_closep(&format->pb);
    for (AVCodecContext*& c : codec) avcodec_free_context(&c);
    avformat_free_context(format);
    sws_freeContext(scaler);
    swr_free(&resampler);
    if (fifo) av_audio_fifo_free(fifo);
    av_frame_free(&picture);
    av_frame_free(&sound);
    av_packet_free(&packet);
  }
};

VideoEncoder::VideoEncoder() : p_(std::make_unique<Parts>()) {}
VideoEncoder::~VideoEncoder() = default;

bool VideoEncoder::Fail(const std::string& what, int code) {
  if (error_.empty()) error_ = code != 0 ? what + ": " + AvError(code) : what;
  return false;
}

std::unique_ptr<VideoEncoder> VideoEncoder::Open(const std::string& path, VideoContainer container, int pictureWidth,
                                                 int pictureHeight, int scale, std::string* error) {
  const int width = pictureWidth * scale, height = pictureHeight * scale;
  // The libraries' own chatter stays off the terminal; failures are reported once, here.
  av_log_set_level(AV_LOG_QUIET);
  std::unique_ptr<VideoEncoder> e(new VideoEncoder());
  Parts& p = *e->p_;
  const Settings set = SettingsFor(container);
  auto fail = [&](const std::string& what, int code = 0) {
    e->Fail(what, code);
    if (error) *error = e->error_;
    return nullptr;
  };
  const AVCodec* videoCodec = avcodec_find_encoder_by_name(set.videoCodec);
  const AVCodec* audioCodec = avcodec_find_encoder_by_name(set.audioCodec);
  if (!videoCodec) return fail(std::string("this FFmpeg has no ") + set.videoCodec + " encoder");
  if (!audioCodec) return fail(std::string("this FFmpeg has no ") + set.audioCodec + " encoder");
  int rc = avformat_alloc_output_context2(&p.format, nullptr, set.muxer, path.c_str());
  if (rc < 0) return fail("cannot set up the container", rc);

  // The picture: fast settings, at a quality where the game's sharp pixels survive.
  AVCodecContext* v = p.codec[kVideo] = avcodec_alloc_context3(videoCodec);
  v->width = width;
  v->height = height;
  v->time_base = AVRational{1, kFramesPerSecond};
  v->framerate = AVRational{kFramesPerSecond, 1};
  v->pix_fmt = AV_PIX_FMT_YUV420P;
  v->colorspace = AVCOL_SPC_SMPTE170M;  // what the converter below uses; players need to be told
  v->color_range = AVCOL_RANGE_MPEG;
  v->gop_size = 2 * kFramesPerSecond;
  v->thread_count = 2;
  AVDictionary* videoOptions = nullptr;
  if (container == VideoContainer::kMp4) {
    // The fastest preset: at 1280 x 960 and 60 frames a second the encoder is most of the work.
    av_dict_set(&videoOptions, "preset", "ultrafast", 0);
    av_dict_set(&videoOptions, "crf", "20", 0);
  } else {
    v->bit_rate = 0;
    av_dict_set(&videoOptions, "deadline", "realtime", 0);
    av_dict_set(&videoOptions, "cpu-used", "8", 0);
    av_dict_set(&videoOptions, "row-mt", "1", 0);
    av_dict_set(&videoOptions, "tile-columns", "2", 0);
    av_dict_set(&videoOptions, "crf", "24", 0);
  }
  // The sound.
  AVCodecContext* a = p.codec[kAudio] = avcodec_alloc_context3(audioCodec);
  a->sample_fmt = audioCodec->sample_fmts ? audioCodec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
  a->sample_rate = set.audioRate;
  a->bit_rate = set.audioBitRate;
  av_channel_layout_default(&a->ch_layout, 2);
  a->time_base = AVRational{1, set.audioRate};
  for (AVCodecContext* c : p.codec) {
    if (p.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  }
  rc = avcodec_open2(v, videoCodec, &videoOptions);
  av_dict_free(&videoOptions);
  if (rc < 0) return fail(std::string("cannot start the ") + set.videoCodec + " encoder", rc);
  AVDictionary* audioOptions = nullptr;
  if (container == VideoContainer::kMp4) av_dict_set(&audioOptions, "aac_coder", "fast", 0);
  rc = avcodec_open2(a, audioCodec, &audioOptions);
  av_dict_free(&audioOptions);
  if (rc < 0) return fail(std::string("cannot start the ") + set.audioCodec + " encoder", rc);
  for (int i : {kVideo, kAudio}) {
    p.stream[i] = avformat_new_stream(p.format, nullptr);
    if (!p.stream[i]) return fail("cannot add a stream");
    avcodec_parameters_from_context(p.stream[i]->codecpar, p.codec[i]);
    p.stream[i]->time_base = p.codec[i]->time_base;
  }
  p.stream[kVideo]->avg_frame_rate = v->framerate;

  // Whole pixels enlarged without blur: point sampling at a whole-number ratio repeats each one.
  p.scaler = sws_getContext(pictureWidth, pictureHeight, AV_PIX_FMT_BGR0, width, height, AV_PIX_FMT_YUV420P, SWS_POINT,
                            nullptr, nullptr, nullptr);
  p.pictureWidth = pictureWidth;
  p.pictureHeight = pictureHeight;
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  rc = swr_alloc_set_opts2(&p.resampler, &a->ch_layout, a->sample_fmt, a->sample_rate, &stereo, AV_SAMPLE_FMT_FLT,
                           kSoundRate, 0, nullptr);
  if (rc < 0 || (rc = swr_init(p.resampler)) < 0) return fail("cannot set up the sound conversion", rc);
  p.fifo = av_audio_fifo_alloc(a->sample_fmt, 2, 8192);
  p.picture = av_frame_alloc();
  p.sound = av_frame_alloc();
  p.packet = av_packet_alloc();
  if (!p.scaler || !p.fifo || !p.picture || !p.sound || !p.packet) return fail("out of memory");
  p.picture->format = v->pix_fmt;
  p.picture->width = width;
  p.picture->height = height;
  if ((rc = av_frame_get_buffer(p.picture, 0)) < 0) return fail("out of memory", rc);

  if ((rc = avio_open(&p.format->pb, path.c_str(), AVIO_FLAG_WRITE)) < 0) return fail(path, rc);
  p.fileOpen = true;
  AVDictionary* muxOptions = nullptr;
  // The index goes to the front, so that a player can start before the whole file has arrived.
  if (container == VideoContainer::kMp4) av_dict_set(&muxOptions, "movflags", "+faststart", 0);
  rc = avformat_write_header(p.format, &muxOptions);
  av_dict_free(&muxOptions);
  if (rc < 0) return fail(path, rc);
  p.headerWritten = true;
  return e;
}

bool VideoEncoder::Drain(int stream, bool flush) {
  Parts& p = *p_;
  AVCodecContext* c = p.codec[stream];
  if (flush) avcodec_send_frame(c, nullptr);
  for (;;) {
    const int rc = avcodec_receive_packet(c, p.packet);
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
    if (rc < 0) return Fail("encoding failed", rc);
    if (stream == kVideo && p.packet->duration == 0) p.packet->duration = 1;
    av_packet_rescale_ts(p.packet, c->time_base, p.stream[stream]->time_base);
    p.packet->stream_index = stream;
    const int wrc = av_interleaved_write_frame(p.format, p.packet);
    if (wrc < 0) return Fail("cannot write the video", wrc);
  }
}

bool VideoEncoder::AddPicture(const uint32_t* pixels) {
  Parts& p = *p_;
  if (!error_.empty()) return false;
  int rc = av_frame_make_writable(p.picture);
  if (rc < 0) return Fail("out of memory", rc);
  const uint8_t* planes[1] = {reinterpret_cast<const uint8_t*>(pixels)};
  const int strides[1] = {p.pictureWidth * 4};
  sws_scale(p.scaler, planes, strides, 0, p.pictureHeight, p.picture->data, p.picture->linesize);
  p.picture->pts = p.pictures++;
  if ((rc = avcodec_send_frame(p.codec[kVideo], p.picture)) < 0) return Fail("encoding failed", rc);
  return Drain(kVideo, false);
}

bool VideoEncoder::AddSound(const float* samples, int frames) {
  Parts& p = *p_;
  if (!error_.empty()) return false;
  const AVCodecContext* a = p.codec[kAudio];
  // Converted straight into the queue of the encoder's sample format and rate.
  const int room = swr_get_out_samples(p.resampler, frames) + 16;
  if (av_audio_fifo_realloc(p.fifo, av_audio_fifo_size(p.fifo) + room) < 0) return Fail("out of memory");
  uint8_t* planes[2] = {};
  int rc = av_samples_alloc(planes, nullptr, 2, room, a->sample_fmt, 0);
  if (rc < 0) return Fail("out of memory", rc);
  const uint8_t* in = reinterpret_cast<const uint8_t*>(samples);
  const int made = swr_convert(p.resampler, planes, room, samples ? &in : nullptr, frames);
  if (made > 0) av_audio_fifo_write(p.fifo, reinterpret_cast<void**>(planes), made);
  av_freep(&planes[0]);
  if (made < 0) return Fail("cannot convert the sound", made);
  return EncodeAudioFrames(samples == nullptr);
}

// Whole encoder frames from the queue; at the end also the last, shorter one.
bool VideoEncoder::EncodeAudioFrames(bool flush) {
  Parts& p = *p_;
  AVCodecContext* a = p.codec[kAudio];
  const int size = a->frame_size > 0 ? a->frame_size : 1024;
  while (av_audio_fifo_size(p.fifo) >= size || (flush && av_audio_fifo_size(p.fifo) > 0)) {
    const int n = std::min(size, av_audio_fifo_size(p.fifo));
    av_frame_unref(p.sound);
    p.sound->nb_samples = n;
    p.sound->format = a->sample_fmt;
    p.sound->sample_rate = a->sample_rate;
    av_channel_layout_copy(&p.sound->ch_layout, &a->ch_layout);
    int rc = av_frame_get_buffer(p.sound, 0);
    if (rc < 0) return Fail("out of memory", rc);
    av_audio_fifo_read(p.fifo, reinterpret_cast<void**>(p.sound->data), n);
    p.sound->pts = p.soundPts;
    p.soundPts += n;
    if ((rc = avcodec_send_frame(a, p.sound)) < 0) return Fail("encoding failed", rc);
    if (!Drain(kAudio, false)) return false;
  }
  return true;
}

bool VideoEncoder::Finish() {
  Parts& p = *p_;
  if (!error_.empty()) return false;
  if (!AddSound(nullptr, 0) || !Drain(kVideo, true) || !Drain(kAudio, true)) return false;
  int rc = av_write_trailer(p.format);
  if (rc < 0) return Fail("cannot complete the video", rc);
  p.fileOpen = false;
  if ((rc = avio_closep(&p.format->pb)) < 0) return Fail("cannot complete the video", rc);
  return true;
}

}  // namespace quandel
