// What differs between two images, by setting, and the lines it reads as
// in the three languages.
#include <gtest/gtest.h>

#include "image/checksum.h"
#include "image/factory_images.h"
#include "image/image_codec.h"
#include "keys/function_catalogue.h"
#include "keys/language_text.h"
#include "keys/macro_slot_code.h"
#include "macros/macro_name_codec.h"
#include "profiles/change_text.h"
#include "profiles/setting_changes.h"

namespace zelko {
namespace {

DataBuf Factory(int n) { return FactoryImage(n).value_or(DataBuf{}); }

std::string CodeOf(std::string_view label_id) {
  for (const auto& entry : FunctionCatalogue()) {
    if (entry.label_id == label_id) return std::string(entry.code);
  }
  return {};
}

// Button `button` of profile `profile` given a code, with the Profile
// checksum made right.
DataBuf WithButton(DataBuf image, int profile, int button, std::string_view code) {
  ParameterRecord record{};
  BaseMacroArea macros{};
  (void)UnpackSections(image, record, macros);
  auto& codes = profile == 1 ? record.Profile.ModeA : record.Profile.ModeB;
  auto& target = codes[static_cast<std::size_t>(button - 1)];
  const auto byte = [&](int i) { return static_cast<std::uint8_t>(std::stoi(std::string(code.substr(i * 2, 2)), nullptr, 16)); };
  target = {byte(0), byte(1), byte(2)};
  PackImage(record, macros, image);
  return image;
}

DataBuf WithSlotName(DataBuf image, int slot, std::string_view name) {
  const MacroName bytes = MacroNameStrToUnicode(name);
  std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(MacroSlotAddress(static_cast<std::size_t>(slot))));
  return image;
}

// Slot `slot` given events that pass the content check.
DataBuf WithSlotEvents(DataBuf image, int slot, std::vector<std::uint8_t> events) {
  auto content = std::span(image).subspan(MacroSlotAddress(static_cast<std::size_t>(slot)) + kMacroSlotNameSize,
                                          kMacroSlotContentSize);
  std::fill(content.begin(), content.end(), std::uint8_t{0});
  const std::size_t n = events.size() + 1;
  content[kMacroContentLengthOffset] = static_cast<std::uint8_t>(n);
  std::copy(events.begin(), events.end(), content.begin() + 2);
  content[n + 1] = SectionChecksum(content.subspan(kMacroContentLengthOffset, n));
  return image;
}

TEST(DiffImages, SameImagesDifferInNothing) {
  for (int n = 1; n <= kFactoryImageCount; ++n) EXPECT_TRUE(DiffImages(Factory(n), Factory(n)).empty()) << n;
}

TEST(DiffImages, OneButtonIsOneChangeNamedByItsFunctions) {
  const DataBuf right = WithButton(Factory(1), 1, 8, CodeOf("Str211"));
  const DataBuf dpi_up = WithButton(right, 1, 8, CodeOf("Str232"));
  const auto changes = DiffImages(right, dpi_up);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].id, SettingId::kButtonFunction);
  EXPECT_EQ(changes[0].profile, 1);
  EXPECT_EQ(changes[0].index, 8);
  EXPECT_EQ(ChangeText(changes[0], LanguageTextLookup(1)), "button 8 of Profile 1: Right Click \u2192 DPI +");
  EXPECT_EQ(ChangeText(changes[0], LanguageTextLookup(2)),
            "\xE6\xA8\xA1\xE5\xBC\x8F" "A \xE6\x8C\x89\xE9\x94\xAE" "8\xEF\xBC\x9A\xE5\x8F\xB3\xE9\x94\xAE \u2192 CPI +");
  EXPECT_EQ(ChangeText(changes[0], LanguageTextLookup(3)), "button 8 of Mode A: Right Key \u2192 CPI +");
}

TEST(DiffImages, MacrosAreNamedNotDumped) {
  const DataBuf named = WithSlotEvents(WithSlotName(Factory(1), 3, "Reload"), 3, {0x84, 0x04});
  const DataBuf bound = WithButton(named, 2, 4, MacroSlotCode(3, 0));
  const DataBuf renamed = WithSlotName(bound, 3, "Grenade");
  const auto lines = ChangeLines(DiffImages(bound, renamed), LanguageTextLookup(1));
  EXPECT_EQ(lines, (std::vector<std::string>{"button 4 of Profile 2: Reload \u2192 Grenade",
                                             "macro slot 3: Reload \u2192 Grenade"}));

  const DataBuf other_events = WithSlotEvents(bound, 3, {0x84, 0x05});
  EXPECT_EQ(ChangeLines(DiffImages(bound, other_events), LanguageTextLookup(1)),
            std::vector<std::string>{"macro slot 3: Reload \u2192 Reload (other events)"});
}

TEST(DiffImages, BytesNoSettingShowsAreCountedNotListed) {
  DataBuf changed = Factory(1);
  changed[kReserveAOffset + 2] ^= 0x01;
  changed[kReserveCOffset] ^= 0x01;
  const auto changes = DiffImages(Factory(1), changed);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(ChangeText(changes[0], LanguageTextLookup(1)), "2 bytes that no setting shows differ");
}

TEST(DiffImages, SaysWhenASectionIsReadAsTheDefaults) {
  DataBuf damaged = Factory(1);
  damaged[kProfileOffset + kProfileSize - 1] ^= 0xFF;  // the Profile checksum
  const auto changes = DiffImages(Factory(1), damaged);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(ChangeText(changes[0], LanguageTextLookup(1)),
            "the second image's Profile failed its check; the built-in defaults stand in for it");
  for (std::size_t i = 1; i < changes.size(); ++i) EXPECT_EQ(changes[i].id, SettingId::kButtonFunction);
}

// The factory images against each other, in every language (images 2 and
// 3 are the same bytes): every line names its setting in words, and no
// text is missing.
TEST(DiffImages, FactoryImagesReadAsSentencesInEveryLanguage) {
  for (int from = 1; from <= kFactoryImageCount; ++from) {
    for (int to = 1; to <= kFactoryImageCount; ++to) {
      if (from == to) continue;
      const auto changes = DiffImages(Factory(from), Factory(to));
      EXPECT_EQ(changes.empty(), Factory(from) == Factory(to)) << from << " -> " << to;
      for (int language = 1; language <= 3; ++language) {
        for (const auto& line : ChangeLines(changes, LanguageTextLookup(language))) {
          EXPECT_NE(line.find("\u2192"), std::string::npos) << line;
          EXPECT_EQ(line.find("%"), std::string::npos) << line;
          EXPECT_FALSE(line.starts_with(":") || line.starts_with("\xEF\xBC\x9A")) << line;
          EXPECT_EQ(line.find("  "), std::string::npos) << line;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zelko
