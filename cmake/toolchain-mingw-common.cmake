# Shared part of the MinGW-w64 cross toolchains; KESTREL_MINGW (the target
# triplet) and CMAKE_SYSTEM_PROCESSOR are set by the including file.
# The -win32 thread-model variant is preferred: the runtime and its tools
# are single-threaded, and with this variant the C++ library needs no
# threading library at all (the -posix variant links winpthread, about
# 30 KB of the runtime's size, for nothing). -posix is the fallback.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER   NAMES ${KESTREL_MINGW}-gcc-win32 ${KESTREL_MINGW}-gcc-posix ${KESTREL_MINGW}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${KESTREL_MINGW}-g++-win32 ${KESTREL_MINGW}-g++-posix ${KESTREL_MINGW}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER  NAMES ${KESTREL_MINGW}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
