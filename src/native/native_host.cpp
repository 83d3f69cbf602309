#include "native/native_host.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace kestrel {

int NativeHost::message_box(const std::string& text, const std::string& caption,
                            unsigned style) {
  boxes.push_back({text, caption, style});
  if (report_boxes) {
    std::string line = "[box] " + caption + ": " + text + "\n";
    [[maybe_unused]] ssize_t n = ::write(2, line.data(), line.size());
  }
  return 1;
}

void NativeHost::write_stream(int fd, std::string_view bytes) {
  if (fd < 0 || fd > 2) return;
  if (capture) {
    if (fd != 0) captured[fd].append(bytes);
    return;
  }
  if (fd == 0) return;  // standard input is not writable
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

std::string NativeHost::current_directory() {
  std::string buffer(4096, '\0');
  if (!::getcwd(buffer.data(), buffer.size())) return {};
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

std::string NativeHost::environment_value(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? value : "";
}

std::string NativeHost::user_name() {
  const char* user = std::getenv("USER");
  return user && *user ? user : "unknown";
}

std::optional<std::string> NativeHost::read_system_variable(std::string_view name) {
  if (name != "7" && name != "10" && name != "11" && name != "12") return std::nullopt;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  if (name == "7")
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min,
                  local.tm_sec);
  else if (name == "10")
    std::snprintf(text, sizeof text, "%02d", local.tm_mday);
  else if (name == "11")
    std::snprintf(text, sizeof text, "%02d", local.tm_mon + 1);
  else
    std::snprintf(text, sizeof text, "%04d", local.tm_year + 1900);
  return std::string(text);
}

uint64_t NativeHost::random_seed() {
  return static_cast<uint64_t>(
             std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
         (static_cast<uint64_t>(::getpid()) << 32);
}

}  // namespace kestrel
