#include "system/file_system.h"

#include "system/files.h"

namespace tarvex::sys {

namespace {

class RealFileSystem final : public FileSystem {
 public:
  bool SetNormalAttributes(const std::string& path) override { return sys::SetNormalAttributes(path); }
  bool Remove(const std::string& path) override { return RemoveFile(path); }
  MoveResult Move(const std::string& from, const std::string& to) override { return MoveWithoutOverwrite(from, to); }
  bool MakeFolder(const std::string& path) override { return sys::MakeFolder(path); }
  bool AppendText(const std::string& path, const std::string& text) override { return AppendToFile(path, text); }
  std::optional<std::string> VisibleFileName(const std::string& path) override { return sys::VisibleFileName(path); }
  bool Gone(const std::string& path) override { return FileIsGone(path); }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static RealFileSystem system;
  return system;
}

}  // namespace tarvex::sys
