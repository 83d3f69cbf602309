# kestrel_project_options(TARGET): C++20, include directory src/, warnings.
# Applied to every target built from the project's own sources (not to
# GoogleTest or other third-party code).
function(kestrel_project_options target)
  target_compile_features(${target} PRIVATE cxx_std_20)
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/src")
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra>)
endfunction()
