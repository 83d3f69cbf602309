// The element table of script dialogs: one record per dialog, control and
// menu item, addressed by name, with the attachments that hold what the
// runtime keeps beyond the windows (fonts, decorations, descriptions).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::win32::designer {

// Attachment kinds.
inline constexpr int kAttachTooltip = 1;
inline constexpr int kAttachStatusBar = 2;
inline constexpr int kAttachMenu = 3;
inline constexpr int kAttachImage = 4;
inline constexpr int kAttachImageTransparent = 5;
inline constexpr int kAttachIcon = 6;
inline constexpr int kAttachFont = 7;
inline constexpr int kAttachStyle = 8;
inline constexpr int kAttachOrder = 11;

// One attachment: it owns its handle and releases it, by kind, when it is
// dropped, reused or destroyed (tooltip and status bar windows are
// destroyed, bitmaps and fonts deleted, icons destroyed). `data` is the
// text the readers report (for a tooltip the tooltip text).
class Attachment {
 public:
  Attachment() = default;
  ~Attachment() { clear(); }
  Attachment(Attachment&& other) noexcept;
  Attachment& operator=(Attachment&& other) noexcept;
  Attachment(const Attachment&) = delete;
  Attachment& operator=(const Attachment&) = delete;

  int kind() const { return kind_; }
  HANDLE handle() const { return handle_; }
  // Replaces the handle, releasing the old one (if different) by kind.
  void reset_handle(HANDLE handle = nullptr);
  // Gives up the handle without releasing it.
  HANDLE release_handle();
  // Releases the handle and frees the data; the entry becomes free.
  void clear();
  void set_kind(int kind) { kind_ = kind; }

  std::string data;

 private:
  int kind_ = 0;  // 0 marks a free entry
  HANDLE handle_ = nullptr;
};

struct Element {
  HWND window = nullptr;  // a menu item holds its dialog's window; 0: free
  std::optional<std::string> name;
  std::array<bool, 11> switches{};  // event kinds 1 to 11
  std::vector<Attachment> attachments;
  int type = 0;

  bool event_on(int kind) const {
    return kind >= 1 && kind <= 11 && switches[static_cast<size_t>(kind - 1)];
  }
};

// The whole table; records never move once appended (a deque), and the
// count never shrinks.
std::deque<Element>& elements();

// The record at `index`, or nullptr beyond the table.
Element* element_at(int index);

// The first record, in index order, whose name equals `name` exactly.
std::optional<int> find_element(std::string_view name);

// The first record, menu items aside, whose window field is `window`: for
// a dialog its own record.
std::optional<int> element_of_window(HWND window);

// A cleared record holding a copy of `name`: the first free record, else
// one appended. Does not look for duplicate names.
int new_element(std::string_view name);

// The first entry of `kind`, or nullptr.
Attachment* find_attachment(Element& element, int kind);
// A cleared entry of `kind`: the first free entry, else one appended.
Attachment& add_attachment(Element& element, int kind);
// The entry of `kind`, added when missing.
Attachment& ensure_attachment(Element& element, int kind);
// Releases the first entry of `kind` (its handle and data).
void drop_attachment(Element& element, int kind);

// Frees a record: its window is destroyed when `destroy_window` is set and
// it still is a window, then its attachments are released and the record
// is cleared (window 0, no name).
void release_element(Element& element, bool destroy_window);

// Frees every record and the table (the end of the run).
void clear_elements();

}  // namespace kestrel::win32::designer
