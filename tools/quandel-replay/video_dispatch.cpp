#include "video_dispatch.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace quandel {

namespace {
constexpr const char* kProgram = "quandel-video";
}

bool AsksForVideo(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    // Also in the --video=OUT form, which quandel-video reads as well.
    if (std::strcmp(argv[i], "--video") == 0 || std::strncmp(argv[i], "--video=", 8) == 0) return true;
  }
  return false;
}

int RunVideoExport(char** argv) {
  // The one installed beside this program first: a build folder or an install keeps the two
  // together, whatever PATH holds.
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const std::string beside = (self.parent_path() / kProgram).string();
    if (access(beside.c_str(), X_OK) == 0) {
      argv[0] = const_cast<char*>(kProgram);
      execv(beside.c_str(), argv);
      std::fprintf(stderr, "quandel-replay: cannot start %s: %s\n", beside.c_str(), std::strerror(errno));
      return 2;
    }
  }
  argv[0] = const_cast<char*>(kProgram);
  execvp(kProgram, argv);
  if (errno == ENOENT) {
    std::fprintf(stderr, "quandel-replay: the video export is not installed; it comes in the quandel-video package\n");
  } else {
    std::fprintf(stderr, "quandel-replay: cannot start %s: %s\n", kProgram, std::strerror(errno));
  }
  return 2;
}

}  // namespace quandel
