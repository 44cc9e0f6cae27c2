// Macro names: up to 16 UTF-16 code units stored high byte first in the 32
// name bytes of a record, the remaining units 0. Texts on this side are
// UTF-8.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "macros/macro_record.h"

namespace zelko {

// UTF-8 to UTF-16 code units; nothing when the text is not valid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

// Four lower-case hexadecimal digits per UTF-16 code unit of the text (the
// digits of 0x10000 + u without the leading 1): "A" gives "0041". Bytes that
// are not valid UTF-8 count as U+FFFD.
std::string StrToUnicodeHex(std::string_view text);

// Groups of four hexadecimal digits, taken from the end towards the start,
// each read as one code unit; a group that is not a hexadecimal number is
// skipped, and leading digits that do not fill a group are ignored. The
// characters are joined in storage order and the text ends at the first
// code unit 0.
std::string UnicodeHexToStr(std::string_view hex);

// The 32 name bytes of a name: zeros, then the digit pairs of
// StrToUnicodeHex from byte 0 on. Units past the sixteenth are cut; a
// surrogate pair that the cut would split is dropped whole.
MacroName MacroNameStrToUnicode(std::string_view name);

// The displayed name of 32 name bytes (UnicodeHexToStr of their digits).
std::string MacroNameText(const MacroName& name);

// Why a name cannot be given to a macro, or nothing when it can: not empty,
// valid UTF-8, at most 16 UTF-16 code units (the name dialog's limit).
std::optional<std::string> MacroNameProblem(std::string_view name);

}  // namespace zelko
