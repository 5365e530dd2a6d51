#pragma once
// A file's bytes as a test reads them back: all of them, none when it cannot be opened.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tarvex::testing {

inline std::string FileContent(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tarvex::testing
