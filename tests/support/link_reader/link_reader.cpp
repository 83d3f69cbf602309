// Test program of the R065 end-to-end test: loads a shell link with the
// system's IShellLinkA and compares what it reads with what the script
// expected.
//
//   link_reader LINK PATH ARGUMENTS DIRECTORY ICON SHOW
//
// Prints one line per field, "name: actual | expected", and exits with 0
// when all match, else the sum of the failing fields' bits (1 path,
// 2 arguments, 4 directory, 8 icon file, 16 show command, 32 icon index
// not 0); 100 when the link cannot be loaded, 101 on a wrong call.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Owns one COM interface pointer.
template <typename Interface>
struct ComRef {
  Interface* pointer = nullptr;
  ~ComRef() {
    if (pointer) pointer->Release();
  }
  void** receive() { return reinterpret_cast<void**>(&pointer); }
};

int compare(const char* field, const std::string& actual, const std::string& expected, int bit) {
  std::printf("%s: %s | %s\n", field, actual.c_str(), expected.c_str());
  return actual == expected ? 0 : bit;
}

// The show command as stored in the link file: the 32-bit field at offset
// 0x3C of its header. It is read from the file because Wine's shell link
// object reports SW_SHOWNORMAL from GetShowCmd whatever the file holds.
int stored_show_command(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return -1;
  unsigned char field[4] = {};
  const bool read = std::fseek(file, 0x3C, SEEK_SET) == 0 && std::fread(field, 1, 4, file) == 4;
  std::fclose(file);
  if (!read) return -1;
  return field[0] | field[1] << 8 | field[2] << 16 | field[3] << 24;
}

// Reads the link and compares its fields; see the file comment.
int check_link(const char* const* argv) {
  ComRef<IShellLinkA> link;
  ComRef<IPersistFile> file;
  WCHAR wide[MAX_PATH];
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.receive())) ||
      FAILED(link.pointer->QueryInterface(IID_IPersistFile, file.receive())) ||
      MultiByteToWideChar(CP_ACP, 0, argv[1], -1, wide, MAX_PATH) == 0 ||
      FAILED(file.pointer->Load(wide, STGM_READ))) {
    std::printf("cannot load %s\n", argv[1]);
    return 100;
  }
  char text[MAX_PATH * 4] = {};
  int failed = 0;
  link.pointer->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
  failed |= compare("path", text, argv[2], 1);
  text[0] = '\0';
  link.pointer->GetArguments(text, sizeof text);
  failed |= compare("arguments", text, argv[3], 2);
  text[0] = '\0';
  link.pointer->GetWorkingDirectory(text, sizeof text);
  failed |= compare("directory", text, argv[4], 4);
  text[0] = '\0';
  int index = -1;
  link.pointer->GetIconLocation(text, sizeof text, &index);
  failed |= compare("icon", text, argv[5], 8);
  failed |= compare("show", std::to_string(stored_show_command(argv[1])), argv[6], 16);
  failed |= compare("icon index", std::to_string(index), "0", 32);
  return failed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::printf("usage: link_reader LINK PATH ARGUMENTS DIRECTORY ICON SHOW\n");
    return 101;
  }
  CoInitialize(nullptr);
  const int result = check_link(argv);
  CoUninitialize();
  std::fflush(stdout);
  return result;
}
