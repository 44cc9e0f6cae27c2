// The label a button shows for its code, in the current language.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace zelko {

// The current language pack's text of an id ("Str210"); empty when the pack
// does not define it.
using TextLookup = std::function<std::string(std::string_view id)>;
// The current name of device macro slot 1..7; empty for an empty slot.
using SlotNameLookup = std::function<std::string(int slot)>;

// The label of a code, compared as text, exactly and case-sensitively:
// 1. a fixed catalogue code ("020807", "0600F0" included): its label text;
// 2. "0A" first: the AIM label, whatever parameters follow;
// 3. by type: 0x02 the modifier texts "Ctrl+", "Shift+", "Alt+", "Win+" in
//    that order, then the keyboard usage's name; 0x06 and 0x0E the name of
//    the slot whose slot word the parameters carry; 0x0C the text of its
//    label id, if it has one; any other type, or text that is not a code,
//    the empty label.
// The label depends only on the code and the language, never on how the code
// was made. A null slot lookup names every slot with the empty text.
std::string KeyCodeToLabel(std::string_view code, const TextLookup& text,
                           const SlotNameLookup& slot_name = {});

}  // namespace zelko
