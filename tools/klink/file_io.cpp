#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace klink {

namespace fs = std::filesystem;

bool read_file(const std::string& path, std::string& bytes, std::string& why) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    why = "is a directory";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    why = std::strerror(errno);
    return false;
  }
  bytes.clear();
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    why = "read error";
    return false;
  }
  return true;
}

bool write_file_atomic(const std::string& path, const std::string& bytes, std::string& why) {
  const std::string temp = path + ".klink-tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      why = std::strerror(errno);
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      why = "write error";
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  fs::permissions(temp, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                  fs::perm_options::add, ec);  // runnable where that means anything
  fs::rename(temp, path, ec);
  if (ec) {
    why = ec.message();
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
}

std::string self_path() {
#ifdef _WIN32
  char buffer[MAX_PATH * 4];
  const DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return std::string(buffer, n);
#else
  std::error_code ec;
  const fs::path p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.string();
#endif
}

}  // namespace klink
