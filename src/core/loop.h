// The execution loop, the single-instruction step, loading the image and
// the cleanup at the end of the run.
#pragma once

#include <string>

namespace kestrel {

struct Runtime;

enum class LoadStatus {
  loaded,   // the code is in place
  no_code,  // the trailer is 0: nothing of the script runs
  fatal,    // a fatal condition was shown; the process ends with code 0
};

// Finds the code attached to the running executable and loads it; stores
// the executable's path in system variable 3 on the way.
LoadStatus load_image(Runtime& rt);
// Loads the code attached to the image file at `path`.
LoadStatus load_image_file(Runtime& rt, const std::string& path);

// Performs one instruction at the code position and returns its step result.
int execute_step(Runtime& rt);

// Runs the loop from position 0 until the program stops, then the shutdown
// cleanup. Returns the exit code.
int run_program(Runtime& rt);

// Frees the runtime's tables.
void shutdown_cleanup(Runtime& rt);

// The out-of-memory message of the runtime: box text and caption.
inline constexpr const char* kOutOfMemoryText = "Kestrel Runtime Error";
inline constexpr const char* kOutOfMemoryCaption = "Your system ran out of memory";

// Shows the out-of-memory message of the runtime.
void show_out_of_memory(Runtime& rt);

}  // namespace kestrel
