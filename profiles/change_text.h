// A setting change in the words of a language pack: "button 8 of Profile
// 1: Right Click → DPI +". The window and zelko77ctl both print these lines.
//
// The packs carry the texts of the change list as ids of the program's
// own, Str800 to Str860 (the setting names, the values that are words, and
// the line "%1: %2 → %3").
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_label.h"
#include "profiles/setting_changes.h"

namespace zelko {

// The line of one change in the language `text` looks texts up in.
std::string ChangeText(const SettingChange& change, const TextLookup& text);

// The lines of every change, in order.
std::vector<std::string> ChangeLines(const std::vector<SettingChange>& changes, const TextLookup& text);

// The text with "%1", "%2" and "%3" replaced by the arguments.
std::string FillText(std::string_view pattern, std::string_view a1, std::string_view a2 = {},
                     std::string_view a3 = {});

}  // namespace zelko
