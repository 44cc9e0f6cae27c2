#include "resources/engineer_terms.h"

#include <array>
#include <cstdlib>

namespace zelko {
namespace {

struct Term {
  std::string_view english;
  std::string_view chinese;
};

constexpr std::array<Term, kEngineerTermCount> kTerms = {{
    {"Mode A", "模式A"},  // 0
    {"Mode B", "模式B"},  // 1
    {"Advanced", "高级设置"},  // 2
    {"Breathing Light", "呼吸灯"},  // 3
    {"Macro", "宏定义"},  // 4
    {"Engineer Mode", "工程模式"},  // 5
    {"Load", "加载"},  // 6
    {"Save", "保存"},  // 7
    {"Test Keys Position", "按键位置测试"},  // 8
    {"Default", "默认值"},  // 9
    {"Apply", "应用"},  // 10
    {"Import Base Macro", "导入普通宏"},  // 11
    {"Import Fire Macro", "导入压枪宏"},  // 12
    {"Operation", "操作人员界面"},  // 13
    {"Engineer", "工程人员界面"},  // 14
    {"LED Type", "灯光类型"},  // 15
    {"Nor LED", "智控灯"},  // 16
    {"MCU LED", "流光灯"},  // 17
    {"LED Status", "灯光状态"},  // 18
    {"On", "开"},  // 19
    {"Off", "关"},  // 20
    {"LED Switch(M+CPI)", "灯光开关(中键+CPI)"},  // 21
    {"Fire Function", "压枪功能"},  // 22
    {"Fn+Left Key", "Fn+左键"},  // 23
    {"Left Key", "左键"},  // 24
    {"Fire Mode", "连击模式"},  // 25
    {"Fire Count:", "连击次数:"},  // 26
    {"Fire Time:", "连击间隔:"},  // 27
    {"LED Mode(L+CPI)", "灯光模式(左键+CPI)"},  // 28
    {"MCU LED Ligth Mode", "流光灯发光模式"},  // 29
    {"All Ligth", "全亮"},  // 30
    {"Half Ligth", "半亮"},  // 31
    {"Nor LED Mode", "智控灯模式"},  // 32
    {"CPI Breath", "CPI呼吸"},  // 33
    {"Nor LED Breath Setting", "智控灯呼吸设置"},  // 34
    {"Breath Step:", "呼吸步长:"},  // 35
    {"Nor LED CPI Color Setting", "智控灯CPI颜色设置"},  // 36
    {"Red", "红色"},  // 37
    {"Green", "绿色"},  // 38
    {"Yellow", "黄色"},  // 39
    {"Blue", "蓝色"},  // 40
    {"Purple", "紫色"},  // 41
    {"Cyan", "青色"},  // 42
    {"White", "白色"},  // 43
    {"MCU LED CPI Color Setting", "流光灯CPI颜色设置"},  // 44
    {"Vendor ID:", "厂商编码:"},  // 45
    {"Product ID:", "产品编码:"},  // 46
    {"MCU LED Setting", "流光灯设置"},  // 47
    {"LED Number:", "灯珠数量:"},  // 48
    {"Current Mode:", "当前模式:"},  // 49
    {"Mode 1", "模式1"},  // 50
    {"Mode 2", "模式2"},  // 51
    {"Mode 3", "模式3"},  // 52
    {"Mode 4", "模式4"},  // 53
    {"Mode 5", "模式5"},  // 54
    {"Mode 6", "模式6"},  // 55
    {"Mode 7", "模式7"},  // 56
    {"LED Step:", "灯光档位:"},  // 57
    {"Key Mode Color Setting", "按键模式颜色设置"},  // 58
    {"Mode1 R:", "模式1 R:"},  // 59
    {"Mode1 G:", "模式1 G:"},  // 60
    {"Mode1 B::", "模式1 B:"},  // 61
    {"Mode2 R:", "模式2 R:"},  // 62
    {"Mode2 G:", "模式2 G:"},  // 63
    {"Mode2 B:", "模式2 B:"},  // 64
    {"Switch Key Mode", "切换按键模式"},  // 65
    {"Press Middle Key", "中键长按"},  // 66
    {"Press CPI Key", "CPI长按"},  // 67
    {"Press Gun Key", "压枪键长按"},  // 68
    {"Is Save Key Mode", "是否保存按键模式"},  // 69
    {"Save", "保存"},  // 70
    {"No Save", "不保存"},  // 71
    {"Sensor Ori:", "传感器方向:"},  // 72
    {"0°", "0°"},  // 73
    {"90°", "90°"},  // 74
    {"180°", "180°"},  // 75
    {"270°", "270°"},  // 76
    {"X Reverse", "X轴反向"},  // 77
    {"Y Reverse", "Y轴反向"},  // 78
    {"XY Swap XY Reverse", "XY互换 XY反向"},  // 79
    {"XY Swap XY NoReverse", "XY互换 XY不反向"},  // 80
    {"CPI", "CPI"},  // 81
    {"CPI Steps:", "CPI档数:"},  // 82
    {"Current CPI:", "当前CPI:"},  // 83
    {"CPI 1:", "CPI 1:"},  // 84
    {"CPI 2:", "CPI 2:"},  // 85
    {"CPI 3:", "CPI 3:"},  // 86
    {"CPI 4:", "CPI 4:"},  // 87
    {"CPI 5:", "CPI 5:"},  // 88
    {"CPI 6:", "CPI 6:"},  // 89
    {"CPI 7:", "CPI 7:"},  // 90
    {"AIM Key:", "瞄准键:"},  // 91
    {"Key Mode:", "按键模式:"},  // 92
    {"Mode A", "模式A"},  // 93
    {"Mode B", "模式B"},  // 94
    {"Gun Parameter Setting", "压枪参数设置"},  // 95
    {"Gun Start Index:", "压枪起始序号:"},  // 96
    {"Gun Stop Index:", "压枪结束序号:"},  // 97
    {"Add Gun", "添加压枪"},  // 98
    {"Delect Gun", "删除压枪"},  // 99
    {"MCU LED Mode Select", "流光灯模式选择"},  // 100
    {"Fire Macro Color Setting", "压枪宏颜色设置"},  // 101
    {"Macro1 R:", "宏1 R:"},  // 102
    {"Macro1 G:", "宏1 G:"},  // 103
    {"Macro1 B:", "宏1 B:"},  // 104
    {"Macro2 R:", "宏2 R:"},  // 105
    {"Macro2 G:", "宏2 G:"},  // 106
    {"Macro2 B:", "宏2 B:"},  // 107
    {"Macro3 R:", "宏3 R:"},  // 108
    {"Macro3 G:", "宏3 G:"},  // 109
    {"Macro3 B:", "宏3 B:"},  // 110
    {"Macro4 R:", "宏4 R:"},  // 111
    {"Macro4 G:", "宏4 G:"},  // 112
    {"Macro4 B:", "宏4 B:"},  // 113
    {"Macro5 R:", "宏5 R:"},  // 114
    {"Macro5 G:", "宏5 G:"},  // 115
    {"Macro5 B:", "宏5 B:"},  // 116
    {"Macro6 R:", "宏6 R:"},  // 117
    {"Macro6 G:", "宏6 G:"},  // 118
    {"Macro6 B:", "宏6 B:"},  // 119
    {"Macro7 R:", "宏7 R:"},  // 120
    {"Macro7 G:", "宏7 G:"},  // 121
    {"Macro7 B:", "宏7 B:"},  // 122
    {"Macro8 R:", "宏8 R:"},  // 123
    {"Macro8 G:", "宏8 G:"},  // 124
    {"Macro8 B:", "宏8 B:"},  // 125
    {"Macro9 R:", "宏9 R:"},  // 126
    {"Macro9 G:", "宏9 G:"},  // 127
    {"Macro9 B:", "宏9 B:"},  // 128
    {"Macro10 R:", "宏10 R:"},  // 129
    {"Macro10 G:", "宏10 G:"},  // 130
    {"Macro10 B:", "宏10 B:"},  // 131
    {"Fire Macro Y Offset", "压枪宏Y轴偏移"},  // 132
    {"Macro1 Y Offset:", "宏1 Y轴偏移:"},  // 133
    {"Macro2 Y Offset:", "宏2 Y轴偏移:"},  // 134
    {"Macro3 Y Offset:", "宏3 Y轴偏移:"},  // 135
    {"Macro4 Y Offset:", "宏4 Y轴偏移:"},  // 136
    {"Macro5 Y Offset:", "宏5 Y轴偏移:"},  // 137
    {"Macro6 Y Offset:", "宏6 Y轴偏移:"},  // 138
    {"Macro7 Y Offset:", "宏7 Y轴偏移:"},  // 139
    {"Macro8 Y Offset:", "宏8 Y轴偏移:"},  // 140
    {"Macro9 Y Offset:", "宏9 Y轴偏移:"},  // 141
    {"Macro10 Y Offset:", "宏10 Y轴偏移:"},  // 142
    {"Notes: ", "注释: "},  // 143
}};

// The names of the enum stand where the table has their texts.
constexpr bool At(EngineerTermId id, std::string_view english) {
  return kTerms[static_cast<std::size_t>(id)].english == english;
}
static_assert(At(EngineerTermId::kApply, "Apply") && At(EngineerTermId::kRed, "Red") &&
              At(EngineerTermId::kMode1, "Mode 1") && At(TermAfter(EngineerTermId::kMode1, 6), "Mode 7") &&
              At(EngineerTermId::kLedStep, "LED Step:") && At(EngineerTermId::kMode1Red, "Mode1 R:") &&
              At(EngineerTermId::kSwitchKeyMode, "Switch Key Mode") && At(EngineerTermId::kOrientation0, "0°") &&
              At(EngineerTermId::kCpi, "CPI") && At(EngineerTermId::kCpi1, "CPI 1:") &&
              At(EngineerTermId::kAimKey, "AIM Key:") && At(EngineerTermId::kMcuLedModeSelect, "MCU LED Mode Select") &&
              At(EngineerTermId::kFireMacro1Red, "Macro1 R:") &&
              At(EngineerTermId::kFireMacroYOffset, "Fire Macro Y Offset") &&
              At(EngineerTermId::kFireMacro1YOffset, "Macro1 Y Offset:") && At(EngineerTermId::kNotes, "Notes: ") &&
              static_cast<int>(EngineerTermId::kNotes) == kEngineerTermCount - 1);

// The part of a locale name before its code set or modifier: "zh_CN" of
// "zh_CN.UTF-8".
std::string_view LocaleLanguageAndTerritory(std::string_view locale) {
  return locale.substr(0, locale.find_first_of(".@"));
}

bool IsChinesePrc(std::string_view name) {
  if (name.size() != 5) return false;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return lower(name[0]) == 'z' && lower(name[1]) == 'h' && (name[2] == '_' || name[2] == '-') &&
         lower(name[3]) == 'c' && lower(name[4]) == 'n';
}

}  // namespace

std::string_view EngineerTerm(EngineerTermId id, TermLanguage language) {
  const int index = static_cast<int>(id);
  if (index >= kEngineerTermCount) return {};
  const Term& term = kTerms[static_cast<std::size_t>(index)];
  return language == TermLanguage::Chinese ? term.chinese : term.english;
}

TermLanguage TermLanguageForLocaleId(unsigned locale_id) {
  return locale_id == kChinesePrcLocaleId ? TermLanguage::Chinese : TermLanguage::English;
}

TermLanguage TermLanguageForLocale(std::string_view locale) {
  return IsChinesePrc(LocaleLanguageAndTerritory(locale)) ? TermLanguage::Chinese
                                                          : TermLanguage::English;
}

TermLanguage TermLanguageFromEnvironment(const EnvironmentLookup& getenv_value) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::string value = getenv_value ? getenv_value(variable) : std::string();
    if (!value.empty()) return TermLanguageForLocale(value);
  }
  return TermLanguage::English;
}

TermLanguage TermLanguageFromEnvironment() {
  return TermLanguageFromEnvironment([](const char* variable) {
    const char* value = std::getenv(variable);
    return value ? std::string(value) : std::string();
  });
}

}  // namespace zelko
