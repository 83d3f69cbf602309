# Cross toolchain for 64-bit Windows: Debian's g++-mingw-w64-x86-64. Only a
# test vehicle: where 32-bit x86 code cannot run natively (Wine's i386 side
# then runs under emulation, far too slowly), the end-to-end cases run on a
# 64-bit build of the same sources under wine64. The product is win32.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTREL_MINGW x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake")
