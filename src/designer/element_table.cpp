#include "designer/element_table.h"

#include <utility>

#include "commands/designer_rules.h"

namespace kestrel::win32::designer {

namespace {

// Releases `handle` in the way that belongs to an attachment of `kind`.
// Windows are destroyed only while they exist: a tooltip or status bar
// went with its dialog when the dialog was destroyed first.
void release_handle_of_kind(int kind, HANDLE handle) {
  if (handle == nullptr) return;
  switch (kind) {
    case kAttachTooltip:
    case kAttachStatusBar: {
      HWND window = static_cast<HWND>(handle);
      if (::IsWindow(window)) ::DestroyWindow(window);
      break;
    }
    case kAttachImage:
    case kAttachImageTransparent:
    case kAttachFont:
      ::DeleteObject(static_cast<HGDIOBJ>(handle));
      break;
    case kAttachIcon:
      ::DestroyIcon(static_cast<HICON>(handle));
      break;
    default:
      break;
  }
}

}  // namespace

Attachment::Attachment(Attachment&& other) noexcept
    : data(std::move(other.data)),
      kind_(std::exchange(other.kind_, 0)),
      handle_(std::exchange(other.handle_, nullptr)) {}

Attachment& Attachment::operator=(Attachment&& other) noexcept {
  if (this != &other) {
    clear();
    data = std::move(other.data);
    kind_ = std::exchange(other.kind_, 0);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

void Attachment::reset_handle(HANDLE handle) {
  if (handle_ != handle) release_handle_of_kind(kind_, handle_);
  handle_ = handle;
}

HANDLE Attachment::release_handle() { return std::exchange(handle_, nullptr); }

void Attachment::clear() {
  reset_handle(nullptr);
  data.clear();
  data.shrink_to_fit();
  kind_ = 0;
}

std::deque<Element>& elements() {
  static std::deque<Element> table;
  return table;
}

Element* element_at(int index) {
  std::deque<Element>& table = elements();
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return nullptr;
  return &table[static_cast<size_t>(index)];
}

std::optional<int> find_element(std::string_view name) {
  const std::deque<Element>& table = elements();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].name && *table[i].name == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<int> element_of_window(HWND window) {
  if (window == nullptr) return std::nullopt;
  const std::deque<Element>& table = elements();
  for (size_t i = 0; i < table.size(); ++i) {
    // Menu items hold their dialog's window but are not its element, even
    // when a reused record places one before the dialog's own.
    if (table[i].window == window && table[i].type != kestrel::designer::kTypeMenuItem) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

int new_element(std::string_view name) {
  std::deque<Element>& table = elements();
  size_t index = 0;
  while (index < table.size() && table[index].window != nullptr) ++index;
  if (index == table.size()) table.emplace_back();
  // Reusing a record releases whatever its last owner left attached.
  Element& element = table[index];
  element = Element{};
  element.name = std::string(name);
  return static_cast<int>(index);
}

Attachment* find_attachment(Element& element, int kind) {
  for (Attachment& entry : element.attachments) {
    if (entry.kind() == kind) return &entry;
  }
  return nullptr;
}

Attachment& add_attachment(Element& element, int kind) {
  for (Attachment& entry : element.attachments) {
    if (entry.kind() == 0) {
      entry.clear();
      entry.set_kind(kind);
      return entry;
    }
  }
  Attachment& entry = element.attachments.emplace_back();
  entry.set_kind(kind);
  return entry;
}

Attachment& ensure_attachment(Element& element, int kind) {
  Attachment* found = find_attachment(element, kind);
  return found != nullptr ? *found : add_attachment(element, kind);
}

void drop_attachment(Element& element, int kind) {
  if (Attachment* entry = find_attachment(element, kind)) entry->clear();
}

void release_element(Element& element, bool destroy_window) {
  // The window goes first: while it is being destroyed the window
  // procedure still finds the record (and so knows the window as a script
  // dialog); fonts are deleted only once no window uses them.
  if (destroy_window && element.window != nullptr && ::IsWindow(element.window)) {
    ::DestroyWindow(element.window);
  }
  element = Element{};
}

void clear_elements() {
  std::deque<Element>& table = elements();
  table.clear();
  table.shrink_to_fit();
}

}  // namespace kestrel::win32::designer
