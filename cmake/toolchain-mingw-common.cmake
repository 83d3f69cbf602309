# Shared part of the MinGW-w64 cross toolchains; KESTREL_MINGW (the target
# triplet) and CMAKE_SYSTEM_PROCESSOR are set by the including file.
# The -posix variant is preferred: its C++ library has the full thread
# support, and with -static its winpthread links statically too.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER   NAMES ${KESTREL_MINGW}-gcc-posix ${KESTREL_MINGW}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${KESTREL_MINGW}-g++-posix ${KESTREL_MINGW}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER  NAMES ${KESTREL_MINGW}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
