#include "cli/utf8_arguments.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace zelko::cli {

#ifdef _WIN32
namespace {

std::string Utf8FromWide(const wchar_t* text) {
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(bytes - 1));  // without the NUL
  return utf8;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr || count != argc) {
    if (wide != nullptr) ::LocalFree(wide);
    return {argv, argv + argc};  // the system's own reading, better than none
  }
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void UseUtf8Console() {
  ::SetConsoleOutputCP(CP_UTF8);
}
#else
std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void UseUtf8Console() {}
#endif

}  // namespace zelko::cli
