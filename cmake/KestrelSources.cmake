# Source sets of the build contract. Every list may be empty while the tree
# grows; the targets that need a list skip themselves when it is.
#
#   KESTREL_CORE_SOURCES    src/core, src/varsys, src/commands (portable;
#                           files named *_win32.cpp excluded)
#   KESTREL_WIN32_SOURCES   src/commands/*_win32.cpp, src/dialogs, src/designer,
#                           src/win32 (src/win32/main.cpp holds WinMain)
#   KESTREL_NATIVE_SOURCES  src/native/* without main.cpp (the native host;
#                           linked into kestrel-run, the unit tests, fuzzers)
#   KESTREL_NATIVE_MAIN     src/native/main.cpp (main() of kestrel-run)
#   KESTREL_UNIT_SOURCES    tests/unit/*.cpp

set(KESTREL_SRC "${PROJECT_SOURCE_DIR}/src")

file(GLOB KESTREL_CORE_SOURCES CONFIGURE_DEPENDS
  "${KESTREL_SRC}/core/*.cpp"
  "${KESTREL_SRC}/varsys/*.cpp"
  "${KESTREL_SRC}/commands/*.cpp")
list(FILTER KESTREL_CORE_SOURCES EXCLUDE REGEX "_win32\\.cpp$")

file(GLOB KESTREL_WIN32_SOURCES CONFIGURE_DEPENDS
  "${KESTREL_SRC}/commands/*_win32.cpp"
  "${KESTREL_SRC}/dialogs/*.cpp"
  "${KESTREL_SRC}/designer/*.cpp"
  "${KESTREL_SRC}/win32/*.cpp")

file(GLOB KESTREL_NATIVE_SOURCES CONFIGURE_DEPENDS "${KESTREL_SRC}/native/*.cpp")
set(KESTREL_NATIVE_MAIN "${KESTREL_SRC}/native/main.cpp")
list(REMOVE_ITEM KESTREL_NATIVE_SOURCES "${KESTREL_NATIVE_MAIN}")
if(NOT EXISTS "${KESTREL_NATIVE_MAIN}")
  set(KESTREL_NATIVE_MAIN "")
endif()

file(GLOB KESTREL_UNIT_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/unit/*.cpp")
