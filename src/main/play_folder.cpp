#include "play_folder.h"

#include <cstdlib>
#include <filesystem>

#include "program_folder.h"

namespace quandel {

namespace fs = std::filesystem;

namespace {

// $XDG_DATA_HOME/quandel, or ~/.local/share/quandel; a relative XDG_DATA_HOME is ignored, as the
// base directory rules ask.
std::string DataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/quandel";
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) return "";
  return std::string(home) + "/.local/share/quandel";
}

}  // namespace

std::string EnterPlayFolder() {
  std::error_code ec;
  if (fs::is_directory("img", ec)) return "";
  const fs::path assets = AssetDirBesideProgram({QUANDEL_ASSETS_FROM_BUILD, QUANDEL_ASSETS_FROM_INSTALL});
  if (!fs::is_directory(assets / "img", ec))
    return "the game's pictures and sounds are missing (" + assets.string() + ")";
  const std::string data = DataFolder();
  if (data.empty()) return "neither XDG_DATA_HOME nor HOME is set";
  fs::create_directories(data, ec);
  if (ec) return "cannot make " + data + ": " + ec.message();
  for (const char* d : {"img", "snd"}) {
    const fs::path link = fs::path(data) / d, target = assets / d;
    // A real folder of the player's own is left alone; a missing, stale or dangling link is renewed.
    if (fs::exists(fs::symlink_status(link, ec)) && !fs::is_symlink(fs::symlink_status(link, ec))) continue;
    if (fs::read_symlink(link, ec) == target) continue;
    fs::remove(link, ec);
    fs::create_directory_symlink(target, link, ec);
    if (ec) return "cannot link " + link.string() + ": " + ec.message();
  }
  fs::current_path(data, ec);
  if (ec) return "cannot enter " + data + ": " + ec.message();
  return "";
}

}  // namespace quandel
