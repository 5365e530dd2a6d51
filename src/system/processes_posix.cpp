// Stand-in for the native build, which only has to link: the guard is tested
// there over a fake, and real processes are tested under wine.
#include "system/processes.h"

namespace tarvex::sys {

namespace {
class NoProcesses final : public ProcessApi {
 public:
  std::vector<std::uint32_t> SnapshotProcessIds() override { return {}; }
  std::string ExecutablePath(std::uint32_t) override { return {}; }
  bool Terminate(std::uint32_t) override { return false; }
};
}  // namespace

ProcessApi& SystemProcesses() {
  static NoProcesses none;
  return none;
}

}  // namespace tarvex::sys
