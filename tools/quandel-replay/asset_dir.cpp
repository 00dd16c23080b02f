#include "asset_dir.h"

#include <filesystem>

namespace quandel {

std::string DefaultAssetDir() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path bin = fs::read_symlink("/proc/self/exe", ec).parent_path();
  if (ec) return QUANDEL_ASSETS_FROM_BUILD;
  for (const char* rel : {QUANDEL_ASSETS_FROM_BUILD, QUANDEL_ASSETS_FROM_INSTALL}) {
    const fs::path dir = (bin / rel).lexically_normal();
    if (fs::is_directory(dir / "img", ec)) return dir.string();
  }
  return (bin / QUANDEL_ASSETS_FROM_BUILD).lexically_normal().string();
}

}  // namespace quandel
