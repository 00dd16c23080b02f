#include "program_folder.h"

#include <filesystem>

namespace quandel {

std::string AssetDirBesideProgram(const std::vector<std::string>& relatives) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path bin = fs::read_symlink("/proc/self/exe", ec).parent_path();
  if (ec) return relatives.front();
  for (const std::string& rel : relatives) {
    const fs::path dir = (bin / rel).lexically_normal();
    if (fs::is_directory(dir / "img", ec)) return dir.string();
  }
  return (bin / relatives.front()).lexically_normal().string();
}

}  // namespace quandel
