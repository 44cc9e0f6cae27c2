// Save Profile and Load Profile: the file dialogs' filters and the words
// of a refusal (the plan itself is session::PlanProfileLoad).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "image/image_layout.h"

namespace zelko {

// The dialogs' filters as the program keeps them: "description|pattern".
inline constexpr std::string_view kSaveProfileFilter = "SaveFile(*.bin)|*.bin";
inline constexpr std::string_view kLoadProfileFilter = "LoadFile(*.bin)|*.bin";

// "description|pattern[|description|pattern...]" as a file dialog of the
// window toolkit takes it: "description (pattern);;...". A text without a
// pattern is its own description and pattern.
std::string DialogFilter(std::string_view filter);

// How much of a chosen file Load reads: the image's size, the rest is not
// looked at.
inline constexpr std::size_t kProfileReadLimit = kDataBufSize;

// The window's words for a profile refused for its identity bytes
// (session::PlanProfileLoad's problem).
std::string ProfileRefusalText(const std::string& problem);

}  // namespace zelko
