// kspy: inspects the windows of a Wine (or Windows) desktop for the
// end-to-end tests. Output is one JSON object per line, UTF-8.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <shellapi.h>

#include "args.h"
#include "commands.h"

namespace {

constexpr const char* kHelp =
    "usage: kspy COMMAND [OPTIONS]\n"
    "  list [--visible]                       top-level windows: hwnd class title pid exe visible\n"
    "  wait --class C | --title T [--timeout MS] [--hidden]\n"
    "                                         print the handle of the first such window\n"
    "  box [--timeout MS] [--press TEXT | --id N] [--bm-click]\n"
    "                                         wait for a message box, print it, press a button\n"
    "  children HWND                          descendants: class text id style exstyle x y w h\n"
    "                                         visible enabled\n"
    "  kill --exe NAME                        end the processes running NAME\n"
    "  state HWND... [--tree]                 full state of windows (with --tree: and their\n"
    "                                         descendants): list items and selection, edit\n"
    "                                         caret and read-only state, button check, focus\n"
    "  metrics                                screen metrics\n"
    "  set-text HWND TEXT                     WM_SETTEXT\n"
    "  click HWND                             post BM_CLICK to a button\n"
    "  select HWND INDEX... [--double] | --all  click (double-click) list items, or select all\n"
    "  keys HWND TEXT                         post characters; {ENTER} {ESC} {TAB} {SPACE}\n"
    "                                         {BACKSPACE} {DELETE} {HOME} {END} {LEFT} {RIGHT}\n"
    "                                         {UP} {DOWN} as key presses\n"
    "  move HWND X Y W H                      move and resize a window\n"
    "  close HWND                             post WM_CLOSE\n"
    "  clipboard [--set TEXT]                 print (after setting) the clipboard's text\n"
    "Filters for list, wait and box: --exe NAME (owning executable), --pid N.\n"
    "Exit codes: 0 ok, 1 time-out or not found, 2 usage, 3 no such button,\n"
    "4 box still open after the press.\n";

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) {
    std::fputs(kHelp, stderr);
    return 2;
  }
  const std::wstring command = argv[1];
  if (command == L"--help" || command == L"-h" || command == L"help") {
    std::fputs(kHelp, stdout);
    return 0;
  }
  kspy::Args args;
  if (!kspy::parse_args(argc, argv, 2, {L"--class", L"--title", L"--timeout", L"--press", L"--id",
                                        L"--exe", L"--pid", L"--set"},
                        args))
    return 2;
  if (command == L"list") return kspy::cmd_list(args);
  if (command == L"wait") return kspy::cmd_wait(args);
  if (command == L"box") return kspy::cmd_box(args);
  if (command == L"children") return kspy::cmd_children(args);
  if (command == L"kill") return kspy::cmd_kill(args);
  if (command == L"state") return kspy::cmd_state(args);
  if (command == L"metrics") return kspy::cmd_metrics(args);
  if (command == L"set-text") return kspy::cmd_set_text(args);
  if (command == L"click") return kspy::cmd_click(args);
  if (command == L"select") return kspy::cmd_select(args);
  if (command == L"keys") return kspy::cmd_keys(args);
  if (command == L"move") return kspy::cmd_move(args);
  if (command == L"close") return kspy::cmd_close(args);
  if (command == L"clipboard") return kspy::cmd_clipboard(args);
  return kspy::usage("unknown command");
}
