// Whole images: the bytes are an executable file with code attached behind
// a banner and the four-byte trailer. They are loaded the way the runtime
// loads its own file and run by the execution loop within a step budget.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/loop.h"
#include "fuzz_support.h"

namespace {

// The image lives in an anonymous in-memory file, rewritten for each input
// and opened by the loader through its /proc name.
int image_file() {
  static const int fd = memfd_create("kestrel-fuzz-image", 0);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = image_file();
  if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
  size_t written = 0;
  while (written < size) {
    const ssize_t n = pwrite(fd, data + written, size - written, static_cast<off_t>(written));
    if (n <= 0) return 0;
    written += static_cast<size_t>(n);
  }
  kestrel::fuzz::FuzzRuntime f;
  f.host.executable = "/proc/self/fd/" + std::to_string(fd);
  if (kestrel::load_image(f.rt) == kestrel::LoadStatus::loaded) {
    kestrel::run_program(f.rt);
  } else {
    kestrel::shutdown_cleanup(f.rt);
  }
  KESTREL_FUZZ_CHECK(f.rt.calls.empty() && f.rt.frames.empty() && f.rt.labels.empty());
  return 0;
}
