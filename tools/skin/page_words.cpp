#include "tools/skin/page_words.h"

namespace zelko::skin {
namespace {

constexpr PageWords kEnglish{
    "GAMING MOUSE", "PAGES", "PROFILE FILES", "LANGUAGE",
    "BUTTON ASSIGNMENT", "LONG PRESS",
    "DPI LEVELS", "FIRE KEY", "REPEAT COUNT", "INTERVAL (X8 MS)", "LEVEL COUNT", "WINDOWS POINTER",
    "SPEED", "DOUBLE CLICK", "SCROLL LINES", "PRECISION", "ONE SCREEN",
    "LIGHTING", "LED", "M+DPI LED KEY", "L+DPI MODE KEY", "PROFILE AT START", "ON", "OFF", "KEEP",
    "RESET", "BRIGHTNESS", "FULL", "HALF", "PROFILE COLOURS", "PROFILE 1", "PROFILE 2",
    "LIGHT EFFECT", "MODE", "SPEED", "LED COUNT",
    "MACRO LIBRARY", "EVENTS", "DELAY", "ON KEY RELEASE", "STOP AT ONCE", "PLAY TO END"};

constexpr PageWords kSecondEnglish{
    "MOUSE CONTROL CENTER", "MODES", "CONFIG FILES", "LANGUAGE",
    "KEY SETTINGS", "HOLD 3 S",
    "CPI STEPS", "FIRE KEY", "FIRE COUNT", "FIRE TIME (X8 MS)", "CPI COUNT", "SYSTEM POINTER",
    "MOVE", "DBL CLICK", "WHEEL", "ENHANCE", "PAGE MODE",
    "LED SETTINGS", "LED STATUS", "M+CPI SWITCH", "L+CPI MODE", "SAVE KEY MODE", "ON", "OFF", "SAVE",
    "NO SAVE", "LIGHT", "ALL", "HALF", "MODE COLOURS", "MODE A", "MODE B",
    "LED MODE", "MODE", "LED STEP", "LED NUMBER",
    "BASE MACROS", "MACRO CONTENT", "DELAY", "RELEASE KEY", "FOR STOP", "FOR CONTINUE"};

// The second language's pictures speak Chinese, in the terms of the second
// language pack; the logo and the technical abbreviations stay Latin.
constexpr PageWords kSecondLanguage{
    "游戏鼠标驱动", "模式", "配置文件", "语言",
    "按键设置", "长按3秒",
    "CPI档位", "连发键", "连发次数", "连发间隔 (X8 MS)", "CPI档数", "系统指针",
    "移动速度", "双击速度", "滚轮", "提高精确度", "一次一屏",
    "灯光设置", "灯光状态", "M+CPI开关", "L+CPI模式", "保存按键模式", "开", "关", "保存",
    "不保存", "亮度", "全亮", "半亮", "模式颜色", "模式A", "模式B",
    "灯光模式", "模式", "灯光速度", "灯珠数量",
    "宏列表", "宏内容", "延时", "松开按键", "停止", "继续执行"};

}  // namespace

const PageWords& WordsFor(int language) {
  switch (language) {
    case 2:
      return kSecondLanguage;
    case 3:
      return kSecondEnglish;
    default:
      return kEnglish;
  }
}

}  // namespace zelko::skin
