# Cross toolchain for 32-bit Windows (the product): Debian's g++-mingw-w64-i686.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KESTREL_MINGW i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake")
