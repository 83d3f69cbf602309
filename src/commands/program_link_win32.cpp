#include "commands/program_link_win32.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <utility>

namespace kestrel::win32 {

namespace {

// The COM identifiers of the shell-link object and its interfaces, defined
// here rather than taken from libuuid, whose one object file would bring
// every identifier of the system (some 40 KB) into the executable.
constexpr GUID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Owns one COM interface pointer and releases it.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (pointer_) pointer_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  Interface* operator->() const { return pointer_; }
  Interface& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // The address to receive a new pointer (the current one is released).
  void** receive() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

// COM for the thread, uninitialised again only when this call initialised
// it (S_FALSE also counts: the count must be balanced).
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

// Fills the link's properties in the documented order; false at the first
// refusal.
bool fill_link(IShellLinkA& link, const LinkRequest& request) {
  return SUCCEEDED(link.SetPath(request.target.c_str())) &&
         SUCCEEDED(link.SetArguments(request.arguments.c_str())) &&
         SUCCEEDED(link.SetWorkingDirectory(request.working_directory.c_str())) &&
         SUCCEEDED(link.SetIconLocation(request.icon_file.c_str(), 0)) &&
         SUCCEEDED(link.SetShowCmd(request.show_command));
}

// Saves the link under `name` and tells it that the save is complete.
bool save_link(IPersistFile& file, const std::string& name) {
  WCHAR wide[MAX_PATH];
  // A name that does not fit is refused rather than cut short.
  if (::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, MAX_PATH) == 0) return false;
  if (FAILED(file.Save(wide, TRUE))) return false;
  file.SaveCompleted(wide);
  return true;
}

}  // namespace

bool create_shell_link(const LinkRequest& request) {
  ComScope com;
  ComRef<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                kIidShellLinkA, link.receive())))
    return false;
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(kIidPersistFile, file.receive()))) return false;
  return fill_link(*link, request) && save_link(*file, request.file);
}

}  // namespace kestrel::win32
