// The recursive file search R034, a handler of the files unit.
#pragma once

namespace kestrel {

struct Runtime;

// R034 target, pattern, depth: the relative paths of the entries that match
// the pattern's name mask, directory by directory, depth first.
int find_files(Runtime& rt);

}  // namespace kestrel
