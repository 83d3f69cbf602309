// Owning wrappers for Win32 handles, so that no path leaks one: each closes
// its handle with the function that belongs to it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <utility>

namespace kestrel::win32 {

template <typename T, auto Close, T Invalid = T{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  T release() { return std::exchange(handle_, Invalid); }
  void reset(T handle = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  T handle_ = Invalid;
};

inline void close_handle(HANDLE h) { ::CloseHandle(h); }
inline void close_key(HKEY h) { ::RegCloseKey(h); }
inline void delete_object(HGDIOBJ h) { ::DeleteObject(h); }
inline void destroy_menu(HMENU h) { ::DestroyMenu(h); }
inline void destroy_icon(HICON h) { ::DestroyIcon(h); }
inline void free_library(HMODULE h) { ::FreeLibrary(h); }
inline void find_close(HANDLE h) { ::FindClose(h); }
inline void close_file(std::FILE* f) { std::fclose(f); }

using UniqueHandleObject = UniqueHandle<HANDLE, close_handle>;
// File handles use INVALID_HANDLE_VALUE as their empty value.
inline HANDLE invalid_file_handle() { return INVALID_HANDLE_VALUE; }
using UniqueKey = UniqueHandle<HKEY, close_key>;
using UniqueFont = UniqueHandle<HFONT, delete_object>;
using UniqueBitmap = UniqueHandle<HBITMAP, delete_object>;
using UniqueMenu = UniqueHandle<HMENU, destroy_menu>;
using UniqueIcon = UniqueHandle<HICON, destroy_icon>;
using UniqueModule = UniqueHandle<HMODULE, free_library>;
using UniqueFile = UniqueHandle<std::FILE*, close_file>;

// A find handle (FindFirstFileA) that is closed with FindClose.
class UniqueFind {
 public:
  explicit UniqueFind(HANDLE handle) : handle_(handle) {}
  ~UniqueFind() {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }
  UniqueFind(const UniqueFind&) = delete;
  UniqueFind& operator=(const UniqueFind&) = delete;
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace kestrel::win32
