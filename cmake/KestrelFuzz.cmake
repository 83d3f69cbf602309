# Fuzz targets (tests/fuzz/fuzz_*.cpp), libFuzzer with AddressSanitizer and
# UBSan. Only with -DKESTREL_FUZZ=ON and clang as the compiler; `make fuzz`
# configures build/fuzz that way, builds the target `fuzzers` and runs each
# one (see the Makefile). Every fuzzer links the portable core and the
# native host compiled with coverage instrumentation for the fuzzer.
#   fuzz-<name>   one program per tests/fuzz/fuzz_<name>.cpp
option(KESTREL_FUZZ "Build the libFuzzer targets of tests/fuzz (clang only)" OFF)
if(NOT KESTREL_FUZZ)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "KESTREL_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
endif()

add_library(kestrel-fuzz-instrument INTERFACE)
target_compile_options(kestrel-fuzz-instrument INTERFACE
  -O1 -g -fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer
  -fno-sanitize-recover=all)
target_link_options(kestrel-fuzz-instrument INTERFACE
  -fsanitize=address,undefined -fno-sanitize-recover=all)

kestrel_object_library(kestrel-core-fuzz   kestrel-fuzz-instrument ${KESTREL_CORE_SOURCES})
kestrel_object_library(kestrel-native-fuzz kestrel-fuzz-instrument ${KESTREL_NATIVE_SOURCES})

set(KESTREL_FUZZ_DIR "${PROJECT_SOURCE_DIR}/tests/fuzz")
file(GLOB kestrel_fuzz_sources CONFIGURE_DEPENDS "${KESTREL_FUZZ_DIR}/fuzz_*.cpp")
list(REMOVE_ITEM kestrel_fuzz_sources "${KESTREL_FUZZ_DIR}/fuzz_support.cpp")
add_custom_target(fuzzers)
foreach(source IN LISTS kestrel_fuzz_sources)
  get_filename_component(stem "${source}" NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" name "${stem}")
  string(REPLACE "_" "-" name "${name}")
  add_executable(fuzz-${name} "${source}" "${KESTREL_FUZZ_DIR}/fuzz_support.cpp")
  kestrel_project_options(fuzz-${name})
  target_include_directories(fuzz-${name} PRIVATE "${KESTREL_FUZZ_DIR}")
  target_link_libraries(fuzz-${name} PRIVATE kestrel-core-fuzz kestrel-native-fuzz)
  target_link_options(fuzz-${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzzers fuzz-${name})
endforeach()
