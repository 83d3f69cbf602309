# Windows targets (i686-w64-mingw32, see cmake/toolchain-mingw32.cmake; the
# win64 test vehicle uses cmake/toolchain-mingw64.cmake):
#   kestrel.exe        the runtime, PE32 GUI, static, <= 400 KB
#   kestrel-trace.exe  the tracing flavour (KESTREL_BUILD_TRACE, on by
#                      default): the same sources compiled with KESTREL_TRACE=1;
#                      it reports every executed instruction and every silent
#                      stop on standard error or in the file KESTREL_TRACE_FILE
# klink.exe, klint.exe and kspy.exe are built by tools/.

set(KESTREL_WIN32_LIBS
  user32 gdi32 comctl32 comdlg32 shell32 ole32 oleaut32 advapi32 winmm version)
set(KESTREL_RUNTIME_SIZE_LIMIT 409600 CACHE STRING "Largest allowed size of kestrel.exe in bytes")
option(KESTREL_BUILD_TRACE "Also build kestrel-trace.exe (KESTREL_TRACE=1)" ON)
set(KESTREL_WIN32_OPTIMISE "-Os" CACHE STRING "Optimisation flag of the Windows programs")

# The manifest names the processor architecture of the build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KESTREL_MANIFEST_ARCH amd64)
else()
  set(KESTREL_MANIFEST_ARCH x86)
endif()
set(KESTREL_GENERATED_RES "${CMAKE_BINARY_DIR}/res")
configure_file("${PROJECT_SOURCE_DIR}/res/kestrel.manifest.in"
               "${KESTREL_GENERATED_RES}/kestrel.manifest" @ONLY)

# Options of every program built for Windows: static C and C++ runtime (no
# threading library with the win32 thread model), size-oriented sections, stripped.
add_library(kestrel-win32-base INTERFACE)
target_compile_definitions(kestrel-win32-base INTERFACE
  WINVER=0x0600 _WIN32_WINNT=0x0600 NOMINMAX)
target_compile_options(kestrel-win32-base INTERFACE
  $<$<COMPILE_LANGUAGE:C,CXX>:${KESTREL_WIN32_OPTIMISE} -ffunction-sections -fdata-sections>)
target_link_options(kestrel-win32-base INTERFACE
  -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections)

# kestrel_add_runtime(NAME [DEFINITIONS...]): one runtime executable from
# the portable core, the Win32 sources and the resources.
function(kestrel_add_runtime name)
  add_executable(${name} WIN32
    ${KESTREL_CORE_SOURCES} ${KESTREL_WIN32_SOURCES}
    "${PROJECT_SOURCE_DIR}/res/kestrel.rc")
  kestrel_project_options(${name})
  target_include_directories(${name} PRIVATE "${KESTREL_GENERATED_RES}" "${PROJECT_SOURCE_DIR}/res")
  target_compile_definitions(${name} PRIVATE ${ARGN})
  target_link_libraries(${name} PRIVATE kestrel-win32-base ${KESTREL_WIN32_LIBS})
  set_property(SOURCE "${PROJECT_SOURCE_DIR}/res/kestrel.rc" APPEND PROPERTY OBJECT_DEPENDS
    "${KESTREL_GENERATED_RES}/kestrel.manifest" "${PROJECT_SOURCE_DIR}/res/kestrel.ico")
endfunction()

if(EXISTS "${KESTREL_SRC}/win32/main.cpp")
  kestrel_add_runtime(kestrel NDEBUG)
  if(KESTREL_BUILD_TRACE)
    kestrel_add_runtime(kestrel-trace KESTREL_TRACE=1)
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)  # the product; the win64 test vehicle has no limit
    add_test(NAME build/kestrel-size
      COMMAND "${CMAKE_COMMAND}" -DFILE=$<TARGET_FILE:kestrel>
              -DLIMIT=${KESTREL_RUNTIME_SIZE_LIMIT}
              -P "${PROJECT_SOURCE_DIR}/cmake/CheckSize.cmake")
  endif()
else()
  message(STATUS "kestrel.exe: src/win32/main.cpp not present yet, skipped")
endif()
