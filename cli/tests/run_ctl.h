// Runs the built zelko77ctl and gives back its exit status and output.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zelko::cli::testing {

struct CtlRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A folder of its own for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("zelko-cli-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// `arguments` is passed to the shell as written.
inline CtlRun RunCtl(const std::string& arguments) {
  TempFolder folder;
  const std::string command = std::string(ZELKO77CTL) + " " + arguments + " >" + (folder / "out") +
                              " 2>" + (folder / "err") + " </dev/null";
  const int status = std::system(command.c_str());
  CtlRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadText(folder.path() / "out");
  run.err = ReadText(folder.path() / "err");
  return run;
}

}  // namespace zelko::cli::testing
