#pragma once
// For the life of the object, the process looks at files as an ordinary
// user does: a root test run otherwise reads and enters every folder,
// whatever its permissions say.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tarvex::testing {

class WithoutFileCapabilities {
 public:
  WithoutFileCapabilities() {
    if (syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
  }
  ~WithoutFileCapabilities() {
    if (lowered_) syscall(SYS_capset, &header_, saved_);
  }
  WithoutFileCapabilities(const WithoutFileCapabilities&) = delete;
  WithoutFileCapabilities& operator=(const WithoutFileCapabilities&) = delete;

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2] = {};
  bool lowered_ = false;
};

}  // namespace tarvex::testing
