// The program's arguments as UTF-8, as every path and name in the core is
// held. On Windows main's argv is in the ANSI code page, which loses what
// lies outside it (a folder named in Chinese); the wide command line is
// read and converted instead.
#pragma once
#include <string>
#include <vector>

namespace zelko::cli {

std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes the console show the UTF-8 text the program writes (Windows).
void UseUtf8Console();

}  // namespace zelko::cli
