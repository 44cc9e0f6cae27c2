// zelko77ctl: the command-line face of the ZELKO77 configuration core.
#include "cli/command_line.h"

int main(int argc, char** argv) { return zelko::cli::RunCommandLine(argc, argv); }
