// What a build is: the program's version and the commit its sources come
// from, for --version of both programs.
#pragma once
#include <string>
#include <string_view>

namespace zelko {

// "1.0": the project's version (CMakeLists.txt).
std::string_view ProgramVersion();
// The sources' commit as `git describe` names it ("7c5429a1b2c3", with
// "-dirty" for uncommitted changes), taken at build time; "unknown" when
// the build had no git or no checkout.
std::string_view BuildCommit();

// The first lines of --version: "PROGRAM VERSION" and "build: COMMIT".
inline std::string VersionLines(std::string_view program) {
  return std::string(program) + " " + std::string(ProgramVersion()) + "\nbuild: " + std::string(BuildCommit()) + "\n";
}

}  // namespace zelko
