// zelko77ctl: the command-line face of the ZELKO77 configuration core.
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/utf8_arguments.h"

int main(int argc, char** argv) {
  zelko::cli::UseUtf8Console();
  const std::vector<std::string> arguments = zelko::cli::Utf8Arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const auto& argument : arguments) pointers.push_back(argument.c_str());
  pointers.push_back(nullptr);
  return zelko::cli::RunCommandLine(static_cast<int>(arguments.size()), pointers.data());
}
