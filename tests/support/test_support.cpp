#include "support/test_support.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quandel::testing {

Changed ChangedArea(const Surface& a, const Surface& b) {
  Changed c{a.width(), a.height(), -1, -1};
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        c = {std::min(c.left, x), std::min(c.top, y), std::max(c.right, x), std::max(c.bottom, y)};
  return c;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quandel-test.XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string PcmWave(size_t dataBytes, char fill, int channels, int bits, int rate) {
  std::string w;
  auto put = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) w += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  const int block = channels * bits / 8;
  w += "RIFF", put(static_cast<uint32_t>(36 + dataBytes), 4), w += "WAVEfmt ", put(16, 4), put(1, 2), put(channels, 2);
  put(rate, 4), put(rate * block, 4), put(block, 2), put(bits, 2), w += "data",
      put(static_cast<uint32_t>(dataBytes), 4);
  return w + std::string(dataBytes, fill);
}

}  // namespace quandel::testing
