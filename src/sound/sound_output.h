// Where the game's sound goes: commands to its named channels, and the chain sounds played from
// wave files held in memory. The mixer output plays them; the log output writes them down as text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quandel {

// Names are matched exactly. Commands to a channel that is not open do nothing, and so does an
// open on a name in use.
struct ChannelCommand {
  enum class Verb : uint8_t { kOpen, kPlay, kStop, kClose };
  Verb verb = Verb::kPlay;
  std::string alias;
  std::string file;  // open only: relative to the sound folder; empty opens the channel silent

  static ChannelCommand Open(std::string alias, std::string file) {
    return {Verb::kOpen, std::move(alias), std::move(file)};
  }
  static ChannelCommand Play(std::string alias) { return {Verb::kPlay, std::move(alias), {}}; }
  static ChannelCommand Stop(std::string alias) { return {Verb::kStop, std::move(alias), {}}; }
  static ChannelCommand Close(std::string alias) { return {Verb::kClose, std::move(alias), {}}; }
};

// A chain sound: a whole wave file that cuts the one that sounds. An image that is no wave file
// (a silenced sound's single byte, a file that was missing) only stops the last one.
struct WavePlay {
  int number = 0;  // 1..12, for the logs
  std::span<const uint8_t> image;
};

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void Send(const ChannelCommand& command) = 0;
  virtual void Send(const WavePlay& wave) = 0;
};

// No sound at all.
class SilentSound final : public SoundOutput {
 public:
  void Send(const ChannelCommand& /*command*/) override {}
  void Send(const WavePlay& /*wave*/) override {}
};

// The commands as a person reads them, in the trace and the logs: "open snd/tick.wav alias Tick",
// "open null alias Tick", "play Tick notify from 0", "stop Tick", "close Tick"; "wave 5".
std::string CommandText(const ChannelCommand& command);
std::string CommandText(const WavePlay& wave);

// Writes down what it is sent, as text, in order.
class SoundLog final : public SoundOutput {
 public:
  void Send(const ChannelCommand& command) override { lines_.push_back(CommandText(command)); }
  void Send(const WavePlay& wave) override { lines_.push_back(CommandText(wave)); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

}  // namespace quandel
