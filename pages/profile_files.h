// Save Profile and Load Profile: the file dialogs' filters, and what a
// loaded file does to the image shown before anything is written.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/device_connection.h"
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

enum class ProfileLoadVerdict {
  kWrite,            // show and write `image`
  kNoSignature,      // Str102; nothing changes
  kForeignIdentity,  // refused with `problem`; nothing changes
};

struct ProfileLoadPlan {
  ProfileLoadVerdict verdict = ProfileLoadVerdict::kNoSignature;
  DataBuf image{};      // kWrite: the file over a copy of the image shown
  std::string problem;  // kForeignIdentity: why, for the user
};

// The first 2048 bytes of the file over a copy of `shown`. Refused when the
// file does not reach byte 0x07F or has no 0x99 there, and when its identity
// bytes (0x36, 0x37) are a pair the program does not accept: the mouse
// would refuse every later read, restore and reset.
ProfileLoadPlan PlanProfileLoad(const DataBuf& shown, std::span<const std::uint8_t> file_bytes,
                                const ExpectedCodes& expected);

}  // namespace zelko
