// The engineer page's texts: a built-in table of 144 terms, each in English
// and in Chinese, chosen once at start by the user's locale. The engineer
// page does not use the language packs.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zelko {

inline constexpr int kEngineerTermCount = 144;

// The terms by their place in the table. A run of numbered terms is named by
// its first member; TermAfter reaches the others.
enum class EngineerTermId : std::uint8_t {
  kModeA = 0,
  kModeB,
  kAdvanced,
  kBreathingLight,
  kMacro,
  kEngineerMode,
  kLoad,
  kSave,
  kTestKeysPosition,
  kDefault,
  kApply,  // 10
  kImportBaseMacro,
  kImportFireMacro,
  kOperation,
  kEngineer,
  kLedType,
  kNorLed,
  kMcuLed,
  kLedStatus,
  kOn,
  kOff,  // 20
  kLedSwitch,
  kFireFunction,
  kFnLeftKey,
  kLeftKey,
  kFireMode,
  kFireCount,
  kFireTime,
  kLedMode,
  kMcuLedLightMode,
  kAllLight,  // 30
  kHalfLight,
  kNorLedMode,
  kCpiBreath,
  kNorLedBreathSetting,
  kBreathStep,
  kNorLedCpiColourSetting,
  kRed,  // 37: the seven palette colours, Red .. White
  kGreen,
  kYellow,
  kBlue,  // 40
  kPurple,
  kCyan,
  kWhite,
  kMcuLedCpiColourSetting,
  kVendorId,
  kProductId,
  kMcuLedSetting,
  kLedNumber,
  kCurrentMode,
  kMode1 = 50,  // "Mode 1" .. "Mode 7"
  kLedStep = 57,
  kKeyModeColourSetting,
  kMode1Red,  // 59: "Mode1 R:", "Mode1 G:", "Mode1 B::", then the same for mode 2
  kSwitchKeyMode = 65,
  kPressMiddleKey,
  kPressCpiKey,
  kPressGunKey,
  kIsSaveKeyMode,
  kSaveChoice,  // 70
  kNoSave,
  kSensorOri,
  kOrientation0,  // 73: the eight sensor orientations, "0°" .. "XY Swap XY NoReverse"
  kCpi = 81,
  kCpiSteps,
  kCurrentCpi,
  kCpi1,  // 84: "CPI 1:" .. "CPI 7:"
  kAimKey = 91,
  kKeyMode,
  kKeyModeA,
  kKeyModeB,
  kGunParameterSetting,
  kGunStartIndex,
  kGunStopIndex,
  kAddGun,
  kDeleteGun,
  kMcuLedModeSelect,  // 100
  kFireMacroColourSetting,
  kFireMacro1Red,  // 102: R, G, B of fire macros 1 .. 10
  kFireMacroYOffset = 132,
  kFireMacro1YOffset,  // 133: the Y offsets of fire macros 1 .. 10
  kNotes = 143,
};

// The term n places after `first`: TermAfter(kMode1, 2) is "Mode 3".
constexpr EngineerTermId TermAfter(EngineerTermId first, int n) {
  return static_cast<EngineerTermId>(static_cast<int>(first) + n);
}
// The engineer page's font, whatever the term language.
inline constexpr std::string_view kEngineerPageFont = "MS Sans Serif";
// Chinese (PRC) as a Windows locale id.
inline constexpr unsigned kChinesePrcLocaleId = 2052;

enum class TermLanguage { English, Chinese };

// A term in a language; empty for an id past the table.
std::string_view EngineerTerm(EngineerTermId id, TermLanguage language);

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
