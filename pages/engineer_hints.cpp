#include "pages/engineer_hints.h"

#include <array>

namespace zelko {
namespace {

struct Hint {
  std::string_view control;
  std::string_view english;
  std::string_view chinese;
};

constexpr std::array kHints{
    Hint{"Btn_Load_6", "Load a profile file (.bin) and write it into the mouse.", "载入配置文件（.bin）并写入鼠标。"},
    Hint{"Btn_Save_6", "Read the mouse again and save its whole memory as a profile file (.bin).",
         "重新读取鼠标，并把全部参数保存为配置文件（.bin）。"},
    Hint{"Btn_Default", "Write the built-in defaults into the mouse: buttons, DPI, lighting; macros are cleared.",
         "把内置默认参数写入鼠标：按键、DPI、灯光；宏被清空。"},
    Hint{"Btn_ImportBaseMacro", "Import the seven device macros from a file.", "从文件导入七个设备宏。"},
    Hint{"btn_Write", "Write every setting of this page into the mouse.", "把本页的全部设置写入鼠标。"},
    Hint{"btn_TestKeys", "Within 5 seconds after the click, any pressed mouse button makes its position flash here.",
         "点击后5秒内，按下鼠标任意按键，对应的按键位置会闪烁。"},
    Hint{"Img_Logo4", "", ""},
    Hint{"cb_CPIStep", "How many DPI levels the DPI key cycles through (2 to 7).", "DPI键循环的档位数（2至7）。"},
    Hint{"cb_CurrentCPI", "The DPI level the mouse starts with.", "鼠标当前使用的DPI档位。"},
    Hint{"cb_CPI", "The DPI value of this level.", "该档位的DPI值。"},
    Hint{"cb_CPIColor", "The colour the normal LED shows at this level.", "普通LED在该档位显示的颜色。"},
    Hint{"edt_CPIRGB", "Red, green and blue (0 to 255) of the MCU LED at this level.",
         "该档位MCU LED的红、绿、蓝（0至255）。"},
    Hint{"cb_AIMKeyValue", "The DPI value while the AIM button is held.", "按住AIM键时使用的DPI值。"},
    Hint{"cb_FireCount", "How many clicks one press of the fire button sends (2 to 127).",
         "连发键按一次发送的点击次数（2至127）。"},
    Hint{"edt_FireTime", "Pause after each fire click, in steps of 8 ms (0 to 255).", "每次连发点击后的间隔，单位8毫秒（0至255）。"},
    Hint{"gbLEDType", "The kind of LED the mouse has; changeable in engineer mode only.", "鼠标的LED类型；仅工程模式下可更改。"},
    Hint{"rb_NorLED", "A normal LED that breathes in the colour of the DPI level.", "普通LED，以DPI档位颜色呼吸。"},
    Hint{"rb_MCULED", "An MCU-driven LED strip with seven modes.", "MCU驱动的LED灯条，共七种模式。"},
    Hint{"rb_LEDOn", "The LED lights.", "LED点亮。"},
    Hint{"rb_LEDOff", "The LED stays dark.", "LED熄灭。"},
    Hint{"rb_MCPIOn", "M + CPI switches the LED on and off.", "M + CPI 可开关LED。"},
    Hint{"rb_MCPIOff", "M + CPI does not switch the LED.", "M + CPI 不开关LED。"},
    Hint{"rb_LCPIOn", "L + CPI switches the MCU LED mode.", "L + CPI 切换MCU LED模式。"},
    Hint{"rb_LCPIOff", "L + CPI does not switch the MCU LED mode.", "L + CPI 不切换MCU LED模式。"},
    Hint{"rb_MCULED3Control", "All LEDs of the strip light.", "灯条全部LED点亮。"},
    Hint{"rb_MCULED6Control", "Half of the LEDs of the strip light.", "灯条一半LED点亮。"},
    Hint{"rb_Save", "The mouse keeps its key mode when unplugged.", "拔出后鼠标保存按键模式。"},
    Hint{"rb_NoSave", "The mouse starts in key mode A every time.", "鼠标每次都以模式A启动。"},
    Hint{"edt_MCULEDNum", "How many LEDs the strip has (4 to 13).", "灯条的LED数量（4至13）。"},
    Hint{"cb_MCULEDCurrentMode", "The MCU LED mode the mouse shows now.", "鼠标当前的MCU LED模式。"},
    Hint{"edt_MCULEDCrtStep", "The speed step of the MCU LED mode (0 to 7).", "MCU LED模式的速度级别（0至7）。"},
    Hint{"edt_NorLEDStep", "Breathing rate of the normal LED, in milliseconds per step (0 to 255).",
         "普通LED呼吸速率，单位毫秒（0至255）。"},
    Hint{"rb_NorLEDCPI", "The normal LED breathes in the colour of the current DPI level.", "普通LED以当前DPI档位颜色呼吸。"},
    Hint{"edt_KeyMode", "Red, green and blue (0 to 255) the LED flashes when the key mode changes.",
         "切换按键模式时LED闪烁的红、绿、蓝（0至255）。"},
    Hint{"cb_MidPress", "Holding the wheel button for 3 seconds switches the key mode.", "长按滚轮键3秒切换按键模式。"},
    Hint{"cb_CPIPress", "Holding the DPI button for 3 seconds switches the key mode.", "长按DPI键3秒切换按键模式。"},
    Hint{"cb_GunPress", "Holding the gun button for 3 seconds switches the key mode.", "长按枪键3秒切换按键模式。"},
    Hint{"cb_SensorOri", "How the sensor is mounted; changeable in engineer mode only.", "传感器安装方向；仅工程模式下可更改。"},
    Hint{"cb_KeyMode", "The key mode the mouse uses: A (Profile 1) or B (Profile 2).", "鼠标使用的按键模式：A或B。"},
    Hint{"edt_VendorID", "The vendor code written into the mouse (0 to 255; 255 is generic).",
         "写入鼠标的厂商代码（0至255；255为通用）。"},
    Hint{"edt_ProductID", "The product code written into the mouse (0 to 255; 255 is generic).",
         "写入鼠标的产品代码（0至255；255为通用）。"},
    Hint{"edt_VendorID_Rd", "The vendor code the mouse reported when it was read.", "读取时鼠标报告的厂商代码。"},
    Hint{"edt_ProductID_Rd", "The product code the mouse reported when it was read.", "读取时鼠标报告的产品代码。"},
    Hint{"cb_Mode", "Whether this MCU LED mode is offered by the mouse.", "鼠标是否提供该MCU LED模式。"},
    Hint{"rb_FireFnOn", "The fire function runs on Fn + left button.", "连发功能由Fn + 左键触发。"},
    Hint{"rb_FireFnOff", "The fire function runs on the left button.", "连发功能由左键触发。"},
    Hint{"btn_Key1", "Mode A: click to choose what this mouse button does.", "模式A：点击选择该鼠标按键的功能。"},
    Hint{"btn_Key2", "Mode B: click to choose what this mouse button does.", "模式B：点击选择该鼠标按键的功能。"},
};

// Numbered controls share the hint of their family: cb_CPI3 -> cb_CPI,
// cb_CPI3Color -> cb_CPIColor, edt_CPI3G -> edt_CPIRGB, edt_KeyMode1R ->
// edt_KeyMode, cb_Mode5 -> cb_Mode, btn_Key205 -> btn_Key2.
std::string_view FamilyOf(std::string_view control) {
  const auto starts = [control](std::string_view prefix) { return control.substr(0, prefix.size()) == prefix; };
  const auto digitAt = [control](std::size_t i) { return i < control.size() && control[i] >= '0' && control[i] <= '9'; };
  if (starts("cb_CPI") && digitAt(6)) return control.size() == 7 ? "cb_CPI" : "cb_CPIColor";
  if (starts("edt_CPI") && digitAt(7)) return "edt_CPIRGB";
  if (starts("edt_KeyMode") && digitAt(11)) return "edt_KeyMode";
  if (starts("cb_Mode") && digitAt(7)) return "cb_Mode";
  if (starts("btn_Key") && control.size() == 10 && digitAt(7)) return control.substr(0, 8);
  return control;
}

}  // namespace

std::string_view EngineerHint(std::string_view control, TermLanguage language) {
  const std::string_view family = FamilyOf(control);
  for (const Hint& hint : kHints) {
    if (hint.control == family) return language == TermLanguage::Chinese ? hint.chinese : hint.english;
  }
  return {};
}

}  // namespace zelko
