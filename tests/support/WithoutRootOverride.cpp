#include "tests/support/WithoutRootOverride.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <exception>
#include <stdexcept>
#include <thread>

namespace {

// Capabilities belong to a thread: dropping them here leaves the other threads as they were.
void dropFileOverrides() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
  if (syscall(SYS_capget, &header, data) != 0) throw std::runtime_error("capget failed");
  const __u32 overrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);
  for (auto& set : data) {
    set.effective &= ~overrides;
    set.permitted &= ~overrides;
    set.inheritable &= ~overrides;
  }
  if (syscall(SYS_capset, &header, data) != 0) throw std::runtime_error("capset failed");
}

}  // namespace

void runWithoutRootOverride(const std::function<void()>& action) {
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      dropFileOverrides();
      action();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  worker.join();
  if (failure) std::rethrow_exception(failure);
}
