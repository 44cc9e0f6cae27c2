// The engineer page's texts: a built-in table of 144 terms, each in English
// and in Chinese, chosen once at start by the user's locale. The engineer
// page does not use the language packs.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace zelko {

inline constexpr int kEngineerTermCount = 144;
// The engineer page's font, whatever the term language.
inline constexpr std::string_view kEngineerPageFont = "MS Sans Serif";
// Chinese (PRC) as a Windows locale id.
inline constexpr unsigned kChinesePrcLocaleId = 2052;

enum class TermLanguage { English, Chinese };

// Term 0..143 in a language; empty for any other index.
std::string_view EngineerTerm(int index, TermLanguage language);

// Chinese for locale id 2052, English for any other.
TermLanguage TermLanguageForLocaleId(unsigned locale_id);
// Chinese for a POSIX locale name of Chinese (PRC): "zh_CN", "zh_CN.UTF-8",
// "zh_CN.GB18030@stroke"; English for any other, the empty name included.
TermLanguage TermLanguageForLocale(std::string_view locale);

// The value of an environment variable; empty when unset.
using EnvironmentLookup = std::function<std::string(const char* variable)>;
// The locale the user's messages follow: the first set one of LC_ALL,
// LC_MESSAGES and LANG decides.
TermLanguage TermLanguageFromEnvironment(const EnvironmentLookup& getenv_value);
// The same from this process's environment.
TermLanguage TermLanguageFromEnvironment();

}  // namespace zelko
