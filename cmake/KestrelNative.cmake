# Native (Linux, g++) targets:
#   kestrel-run       headless runner, -O2, no sanitizers
#   kestrel-run-asan  the same with AddressSanitizer and UBSan
#   kestrel-trace     kestrel-run with tracing (KESTREL_TRACE=1): every executed
#                     instruction and every silent stop on standard error or in
#                     the file named by KESTREL_TRACE_FILE
#   kestrel-unit      GoogleTest unit tests (tests/unit/*.cpp), sanitized
# The portable core and the native host are each built twice as object
# libraries, once optimised (-opt) and once sanitized (-asan).

# Options every sanitized target compiles and links with.
add_library(kestrel-sanitize INTERFACE)
target_compile_options(kestrel-sanitize INTERFACE
  -O1 -g -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_link_options(kestrel-sanitize INTERFACE
  -fsanitize=address,undefined -fno-sanitize-recover=all)

add_library(kestrel-optimise INTERFACE)
target_compile_options(kestrel-optimise INTERFACE -O2)

# kestrel_object_library(NAME FLAVOUR SOURCES...): an object library of the
# project's sources built with FLAVOUR (kestrel-sanitize or kestrel-optimise);
# an empty interface library when there are no sources yet.
function(kestrel_object_library name flavour)
  if(ARGN)
    add_library(${name} OBJECT ${ARGN})
    kestrel_project_options(${name})
    target_link_libraries(${name} PUBLIC ${flavour})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${flavour})
  endif()
endfunction()

kestrel_object_library(kestrel-core-opt    kestrel-optimise ${KESTREL_CORE_SOURCES})
kestrel_object_library(kestrel-core-asan   kestrel-sanitize ${KESTREL_CORE_SOURCES})
kestrel_object_library(kestrel-native-opt  kestrel-optimise ${KESTREL_NATIVE_SOURCES})
kestrel_object_library(kestrel-core-trace  kestrel-optimise ${KESTREL_CORE_SOURCES})
if(KESTREL_CORE_SOURCES)
  target_compile_definitions(kestrel-core-trace PRIVATE KESTREL_TRACE=1)
endif()
kestrel_object_library(kestrel-native-asan kestrel-sanitize ${KESTREL_NATIVE_SOURCES})

if(KESTREL_NATIVE_MAIN)
  add_executable(kestrel-run "${KESTREL_NATIVE_MAIN}")
  kestrel_project_options(kestrel-run)
  target_link_libraries(kestrel-run PRIVATE kestrel-core-opt kestrel-native-opt)

  add_executable(kestrel-run-asan "${KESTREL_NATIVE_MAIN}")
  kestrel_project_options(kestrel-run-asan)
  target_link_libraries(kestrel-run-asan PRIVATE kestrel-core-asan kestrel-native-asan)

  add_executable(kestrel-trace "${KESTREL_NATIVE_MAIN}")
  kestrel_project_options(kestrel-trace)
  target_compile_definitions(kestrel-trace PRIVATE KESTREL_TRACE=1)
  target_link_libraries(kestrel-trace PRIVATE kestrel-core-trace kestrel-native-opt)
else()
  message(STATUS "kestrel-run: src/native/main.cpp not present yet, skipped")
endif()

if(KESTREL_UNIT_SOURCES)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(kestrel-unit ${KESTREL_UNIT_SOURCES})
  kestrel_project_options(kestrel-unit)
  target_link_libraries(kestrel-unit PRIVATE
    kestrel-core-asan kestrel-native-asan GTest::gtest GTest::gtest_main)
  gtest_discover_tests(kestrel-unit
    TEST_PREFIX "unit/"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1")
else()
  message(STATUS "kestrel-unit: no sources in tests/unit yet, skipped")
endif()

# Fuzzers (when added) link kestrel-core-asan and kestrel-native-asan the
# same way kestrel-unit does.
