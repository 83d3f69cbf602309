# End-to-end cases tests/e2e/<area>/<name>.kil (format: tests/e2e/README.md).
#   win32 build:  e2e/<area>/<name>         every case, under Wine, on kestrel.exe
#                                           (win64 build instead where 32-bit x86
#                                           code cannot run natively, see below)
#   native build: e2e-native/<area>/<name>  cases that need no Windows, on
#                                           kestrel-run-asan
#                 e2e-valgrind/<area>/<name> the same cases on kestrel-run under
#                                           valgrind's memcheck: any memory error
#                                           or a definite or indirect leak at
#                                           exit fails the case
# The case list comes from the harness itself (e2e.py list); adding,
# removing or editing a case re-runs the configure step.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# The fuzz targets of a clang build (nothing unless KESTREL_FUZZ is on).
if(NOT WIN32)
  include(KestrelFuzz)
endif()

set(KESTREL_E2E_DIR "${PROJECT_SOURCE_DIR}/tests/e2e")
set(KESTREL_E2E "${KESTREL_E2E_DIR}/harness/e2e.py")
file(GLOB KESTREL_E2E_FILES CONFIGURE_DEPENDS "${KESTREL_E2E_DIR}/*/*.kil")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KESTREL_E2E_FILES})

execute_process(
  COMMAND "${Python3_EXECUTABLE}" "${KESTREL_E2E}" list
  OUTPUT_VARIABLE kestrel_e2e_list
  RESULT_VARIABLE kestrel_e2e_result)
if(NOT kestrel_e2e_result EQUAL 0)
  message(FATAL_ERROR "e2e.py list failed (${kestrel_e2e_result})")
endif()
string(REPLACE "\n" ";" kestrel_e2e_lines "${kestrel_e2e_list}")

# Which Windows build runs the Wine cases (KESTREL_E2E_WINE=AUTO): the win32
# build where 32-bit x86 Linux programs run natively, otherwise the win64
# test vehicle (Wine's 32-bit side under emulation starts one program in
# minutes instead of a fraction of a second).
function(kestrel_wine_cases_here out)
  set(KESTREL_E2E_WINE AUTO CACHE STRING "Register the Wine end-to-end cases here: AUTO, ON, OFF")
  if(NOT KESTREL_E2E_WINE STREQUAL "AUTO")
    set(${out} ${KESTREL_E2E_WINE} PARENT_SCOPE)
    return()
  endif()
  set(native_i386 FALSE)
  execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE probe
                  OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
  if(probe EQUAL 0)
    set(native_i386 TRUE)
    if(EXISTS /proc/sys/fs/binfmt_misc/qemu-i386)
      file(STRINGS /proc/sys/fs/binfmt_misc/qemu-i386 state LIMIT_COUNT 1)
      if(state STREQUAL "enabled")
        set(native_i386 FALSE)
      endif()
    endif()
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(here TRUE)
    if(native_i386)
      set(here FALSE)
    endif()
  else()
    set(here ${native_i386})
  endif()
  set(${out} ${here} PARENT_SCOPE)
endfunction()

if(WIN32)
  if(NOT TARGET kestrel)
    return()
  endif()
  kestrel_wine_cases_here(kestrel_wine_here)
  if(NOT kestrel_wine_here)
    message(STATUS "e2e: Wine cases not registered in this build (KESTREL_E2E_WINE=${KESTREL_E2E_WINE})")
    return()
  endif()
  set(KESTREL_HOST_KLINK "${PROJECT_SOURCE_DIR}/build/native/klink" CACHE FILEPATH
      "Native klink the Wine cases link with (klink.exe under wine when missing)")
  set(kestrel_e2e_base "${Python3_EXECUTABLE}" "${KESTREL_E2E}")
  add_test(NAME e2e-env/setup COMMAND ${kestrel_e2e_base} setup --build-dir "${CMAKE_BINARY_DIR}")
  add_test(NAME e2e-env/cleanup COMMAND ${kestrel_e2e_base} cleanup --build-dir "${CMAKE_BINARY_DIR}")
  set_tests_properties(e2e-env/setup PROPERTIES FIXTURES_SETUP kestrel_wine TIMEOUT 3600)
  set_tests_properties(e2e-env/cleanup PROPERTIES FIXTURES_CLEANUP kestrel_wine TIMEOUT 300)
  foreach(line IN LISTS kestrel_e2e_lines)
    if(line STREQUAL "")
      continue()
    endif()
    string(REPLACE "\t" ";" fields "${line}")
    list(GET fields 0 id)
    list(GET fields 1 kind)
    list(GET fields 2 seconds)
    add_test(NAME e2e/${id}
      COMMAND ${kestrel_e2e_base} run --mode wine --build-dir "${CMAKE_BINARY_DIR}"
              --klink "${KESTREL_HOST_KLINK}" "${KESTREL_E2E_DIR}/${id}.kil")
    math(EXPR limit "${seconds} * 10 + 300")
    set_tests_properties(e2e/${id} PROPERTIES
      FIXTURES_REQUIRED kestrel_wine TIMEOUT ${limit} SKIP_RETURN_CODE 77)
    # Cases with windows share one desktop: keyboard focus, the pointer, the
    # tray and top-level windows found by title. They run one at a time; the
    # cases without windows still run beside them.
    if(kind STREQUAL "windows")
      set_tests_properties(e2e/${id} PROPERTIES RESOURCE_LOCK kestrel_desktop)
    endif()
  endforeach()
else()
  if(NOT TARGET kestrel-run-asan)
    return()
  endif()
  # The valgrind runner: kestrel-run under memcheck, quiet unless it finds
  # something, whose report then fails the case through the exit code.
  find_program(KESTREL_VALGRIND valgrind)
  set(kestrel_valgrind_runner "")
  if(KESTREL_VALGRIND AND TARGET kestrel-run)
    set(kestrel_valgrind_runner "${CMAKE_BINARY_DIR}/kestrel-run-valgrind")
    file(GENERATE OUTPUT "${kestrel_valgrind_runner}"
      CONTENT "#!/bin/sh\nexec \"${KESTREL_VALGRIND}\" -q --error-exitcode=86 --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \"$<TARGET_FILE:kestrel-run>\" \"$@\"\n"
      FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                       WORLD_READ WORLD_EXECUTE)
  else()
    message(STATUS "e2e: valgrind or kestrel-run missing, no e2e-valgrind cases")
  endif()
  foreach(line IN LISTS kestrel_e2e_lines)
    if(line STREQUAL "")
      continue()
    endif()
    string(REPLACE "\t" ";" fields "${line}")
    list(GET fields 0 id)
    list(GET fields 1 kind)
    list(GET fields 2 seconds)
    if(kind STREQUAL "windows")
      continue()
    endif()
    add_test(NAME e2e-native/${id}
      COMMAND "${Python3_EXECUTABLE}" "${KESTREL_E2E}" run --mode native
              --runner $<TARGET_FILE:kestrel-run-asan> --klink $<TARGET_FILE:klink>
              "${KESTREL_E2E_DIR}/${id}.kil")
    math(EXPR limit "${seconds} * 3 + 60")
    set_tests_properties(e2e-native/${id} PROPERTIES TIMEOUT ${limit} SKIP_RETURN_CODE 77)
    if(kestrel_valgrind_runner)
      add_test(NAME e2e-valgrind/${id}
        COMMAND "${Python3_EXECUTABLE}" "${KESTREL_E2E}" run --mode native
                --runner "${kestrel_valgrind_runner}" --klink $<TARGET_FILE:klink>
                "${KESTREL_E2E_DIR}/${id}.kil")
      # Programs run some twenty times slower under memcheck.
      math(EXPR limit "${seconds} * 20 + 60")
      set_tests_properties(e2e-valgrind/${id} PROPERTIES TIMEOUT ${limit} SKIP_RETURN_CODE 77
        ENVIRONMENT "KESTREL_E2E_TIME_SCALE=20")
    endif()
  endforeach()
endif()
