// The tralvex command: the library's own parser, catalogues and evaluation
// put to work on the files people write, from the command line.
#include <cstdio>
#include <exception>
#include <iostream>
#include <new>

#include "CheckedOutput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "Terminal.h"
#include "platform/Modules.h"

int main(int argc, char** argv) {
  tralvex::tool::Arguments args(argv + 1, argv + argc);
  tralvex::tool::CheckedOutput output(stdout);
  std::ostream out(&output);
  tralvex::tool::Streams io{out, std::cerr, tralvex::tool::StdoutIsTerminal()};
  // The library is linked in statically: its module state is brought up
  // and down here, as loading and unloading the shared library would.
  tralvex::OnModuleLoad();
  int status = tralvex::tool::kExitFailure;
  try {
    status = tralvex::tool::RunTool(args, io);
  } catch (const std::bad_alloc&) {
    std::cerr << "tralvex: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "tralvex: " << e.what() << "\n";
  }
  if (!output.Finish() && !output.ReaderGone()) {
    std::cerr << "tralvex: cannot write to standard output: " << output.Reason()
              << "; the output is incomplete\n";
    status = tralvex::tool::kExitFailure;
  }
  tralvex::OnModuleUnload();
  return status;
}
