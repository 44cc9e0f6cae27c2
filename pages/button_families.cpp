#include "pages/button_families.h"

#include <array>

#include "pages/page_navigation.h"

namespace zelko {

namespace {

struct FamilyMember {
  const char* name;
  ButtonFamily family;
};

constexpr std::array<FamilyMember, 20> kMembers{{
    {"Confirm", ButtonFamily::Action},  {"Apply", ButtonFamily::Action},
    {"Read", ButtonFamily::Action},     {"Confirm1", ButtonFamily::Action},
    {"Confirm2", ButtonFamily::Action}, {"Confirm3", ButtonFamily::Action},
    {"Main", ButtonFamily::Tab},        {"Second", ButtonFamily::Tab},
    {"Adv", ButtonFamily::Tab},         {"Breath", ButtonFamily::Tab},
    {"Macro", ButtonFamily::Tab},       {"Engineer", ButtonFamily::Tab},
    {"Save", ButtonFamily::Tab},        {"Load", ButtonFamily::Tab},
    {"Lang1", ButtonFamily::Language},  {"Lang2", ButtonFamily::Language},
    {"Lang3", ButtonFamily::Language},  {"Exit", ButtonFamily::Close},
    {"Mini", ButtonFamily::Minimise},   {"Web", ButtonFamily::Web},
}};

constexpr std::string_view kKeyFramePrefix = "Key";
constexpr std::string_view kButtonPrefix = "Btn_";

std::optional<ButtonFamily> FamilyOf(std::string_view name) {
  for (const auto& member : kMembers) {
    if (name == member.name) return member.family;
  }
  return std::nullopt;
}

bool IsDigitIn(char c, char low, char high) { return c >= low && c <= high; }

}  // namespace

std::optional<SkinButtonRef> ParseButtonLabel(std::string_view labelName) {
  // "Key1" .. "Key9"
  if (labelName.size() == kKeyFramePrefix.size() + 1 && labelName.starts_with(kKeyFramePrefix) &&
      IsDigitIn(labelName.back(), '1', '9')) {
    return SkinButtonRef{std::string(labelName), 0, ButtonFamily::KeyFrame};
  }
  // "Btn_<name>_<copy>" with a name of at least one character and copy 1 .. 4.
  const std::size_t suffix = 2;  // "_<copy>"
  if (labelName.size() < kButtonPrefix.size() + 1 + suffix || !labelName.starts_with(kButtonPrefix)) {
    return std::nullopt;
  }
  const char copy = labelName.back();
  if (labelName[labelName.size() - suffix] != '_' || !IsDigitIn(copy, '1', '4')) return std::nullopt;
  const std::string_view name =
      labelName.substr(kButtonPrefix.size(), labelName.size() - kButtonPrefix.size() - suffix);
  const auto family = FamilyOf(name);
  if (!family) return std::nullopt;
  return SkinButtonRef{std::string(name), copy - '0', *family};
}

std::string ButtonLabelName(std::string_view button, int copy) {
  return std::string(kButtonPrefix).append(button).append("_").append(std::to_string(copy));
}

std::string ButtonImageName(std::string_view button, int copy) {
  std::string name = std::string("Img_").append(button);
  if (copy == 0) return name;  // key frames
  return name.append("_").append(std::to_string(copy));
}

ImageChanges AllCopies(std::string_view button, std::string_view image) {
  ImageChanges changes;
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    changes.push_back({ButtonImageName(button, copy), std::string(image)});
  }
  return changes;
}

}  // namespace zelko
