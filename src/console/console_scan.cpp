#include "console/console_scan.h"

#include "system/console.h"
#include "system/file_read.h"
#include "system/files.h"

namespace tarvex::console {

ConsoleServices SystemConsoleServices() {
  return {.scan = {.directories = SystemDirectories(),
                   .folderListable = sys::FolderListable,
                   .readHead = sys::ReadFileHead,
                   .engine = SystemEngineServices()},
          .attributes = sys::FileAttributes};
}

std::optional<std::vector<ScanRoot>> ResolveRoots(const std::vector<std::string>& paths, std::string& error,
                                                  const ConsoleServices& services) {
  std::vector<ScanRoot> roots;
  for (const std::string& path : paths) {
    std::optional<std::uint32_t> attributes = services.attributes(path);
    if (!attributes) {
      error = "cannot find " + path;
      return std::nullopt;
    }
    roots.push_back({path, (*attributes & sys::kAttrDirectory) == 0});
  }
  return roots;
}

}  // namespace tarvex::console
