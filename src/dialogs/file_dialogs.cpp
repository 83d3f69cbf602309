// The file and folder dialogs: R022 (open), R023 (save) and R037 (choose a
// folder), owned by the hidden owner window.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "commands/hotkey_rules.h"
#include "core/runtime.h"
#include "dialogs/dialog_support.h"
#include "dialogs/window_class.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/paths.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

using file_dialogs::kFileBuffer;

constexpr DWORD kRecordSize = 76;  // the record without the later extensions
constexpr size_t kFileTitleBuffer = 2048;
constexpr size_t kDisplayName = 560;

// What tells the open dialog from the save dialog.
struct FileDialogKind {
  const char* multi_variable;      // "-1" there: one file only
  const char* extension_variable;  // the default extension
  BOOL(WINAPI* show)(LPOPENFILENAMEA);
};

constexpr FileDialogKind kOpenDialog{"15", "54", ::GetOpenFileNameA};
constexpr FileDialogKind kSaveDialog{"16", "55", ::GetSaveFileNameA};

char list_separator(Runtime& rt) {
  const std::string separator = win32::system_text(rt, "44");
  return separator.empty() ? '\0' : separator[0];
}

const char* or_null(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Shows the dialog of `kind` and stores the chosen path (or the converted
// list of a multiple selection) in the target, "0" or "-1" in variable 0.
// The current directory is set back to variable 2 in every case, since
// navigating in the dialog changes it.
int file_dialog(Runtime& rt, const FileDialogKind& kind) {
  std::string target;
  next_reference(rt, target);
  const std::string title = eval_operand(rt);
  const std::string filter_operand = eval_operand(rt);

  const char separator = list_separator(rt);
  const bool multiple = win32::system_text(rt, kind.multi_variable) != "-1";
  const std::string extension = win32::system_text(rt, kind.extension_variable);
  const std::string filter = file_dialogs::convert_filter(filter_operand, separator);
  const std::string directory = win32::current_directory();
  std::vector<char> file(kFileBuffer, '\0');

  OPENFILENAMEA record{};
  record.lStructSize = kRecordSize;
  record.hwndOwner = win32::owner_window();
  record.lpstrFilter = or_null(filter);
  record.lpstrFile = file.data();
  record.nMaxFile = static_cast<DWORD>(file.size());
  record.nMaxFileTitle = kFileTitleBuffer;
  record.lpstrInitialDir = or_null(directory);
  record.lpstrTitle = or_null(title);
  record.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | (multiple ? OFN_ALLOWMULTISELECT : 0);
  record.lpstrDefExt = or_null(extension);

  const bool chosen = kind.show(&record) != FALSE;
  set_variable(rt, "0", chosen ? "0" : "-1", rt.area);
  std::string result;
  if (chosen) {
    result = multiple ? file_dialogs::join_selection(file.data(), file.size(), separator)
                      : std::string(file.data(), ::strnlen(file.data(), file.size()));
  }
  set_variable(rt, target, result, rt.area);
  ::SetCurrentDirectoryA(win32::system_text(rt, "2").c_str());
  return kStepNext;
}

int open_file_dialog(Runtime& rt) { return file_dialog(rt, kOpenDialog); }
int save_file_dialog(Runtime& rt) { return file_dialog(rt, kSaveDialog); }

// The component library for this thread, uninitialised again only when
// its initialisation succeeded.
class ComLibrary {
 public:
  ComLibrary() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComLibrary() {
    if (initialised_) ::CoUninitialize();
  }
  ComLibrary(const ComLibrary&) = delete;
  ComLibrary& operator=(const ComLibrary&) = delete;

 private:
  bool initialised_;
};

// The shell's allocator, released at the end of the command.
class ShellAllocator {
 public:
  ShellAllocator() {
    if (FAILED(::SHGetMalloc(&malloc_))) malloc_ = nullptr;
  }
  ~ShellAllocator() {
    if (malloc_) malloc_->Release();
  }
  ShellAllocator(const ShellAllocator&) = delete;
  ShellAllocator& operator=(const ShellAllocator&) = delete;
  explicit operator bool() const { return malloc_ != nullptr; }
  void free(void* memory) { malloc_->Free(memory); }

 private:
  IMalloc* malloc_ = nullptr;
};

// Selects the initial folder (the callback's parameter) when the dialog
// opens.
int CALLBACK select_initial_folder(HWND dialog, UINT message, LPARAM, LPARAM folder) {
  if (message == BFFM_INITIALIZED) ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, folder);
  return 0;
}

// Shows the folder dialog; true with the chosen folder in `folder` (empty
// when the user cancelled or the folder has no file-system path), false
// when the command fails.
bool browse_for_folder(const std::string& title, const std::string& initial, std::string& folder) {
  ComLibrary library;
  ShellAllocator allocator;
  if (!allocator) return false;
  char display_name[kDisplayName] = {};
  BROWSEINFOA record{};
  record.hwndOwner = win32::owner_window();
  record.pszDisplayName = display_name;
  record.lpszTitle = title.c_str();
  record.lpfn = select_initial_folder;
  record.lParam = reinterpret_cast<LPARAM>(initial.c_str());
  LPITEMIDLIST item = ::SHBrowseForFolderA(&record);
  folder.clear();
  if (item == nullptr) return true;
  char path[MAX_PATH] = {};
  ::SetLastError(0);
  bool ok = true;
  if (::SHGetPathFromIDListA(item, path)) folder = path;
  else ok = ::GetLastError() == 0;
  allocator.free(item);
  return ok;
}

// R037 target, title, initial folder: the chosen folder in the target and
// "0" in variable 0; a cancelled dialog also gives "0", with an empty
// target. "-1" and an empty target when the dialog cannot be shown.
int folder_dialog(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string title = eval_operand(rt);
  const std::string initial = eval_operand(rt);
  std::string folder;
  const bool ok = browse_for_folder(title, initial, folder);
  set_variable(rt, target, ok ? folder : std::string(), rt.area);
  set_variable(rt, "0", ok ? "0" : "-1", rt.area);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R022", open_file_dialog},
    {"R023", save_file_dialog},
    {"R037", folder_dialog},
};

}  // namespace

const OpcodeGroup kFileDialogOpcodes{kEntries};

}  // namespace kestrel
