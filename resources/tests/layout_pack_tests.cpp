#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "resources/general_pack.h"
#include "resources/layout_pack.h"

namespace zelko {
namespace {

constexpr std::string_view kFixture =
    "Before = 1\r\n"
    "//****************************\r\n"
    "[org1]\r\n"
    "; Commented = 1\r\n"
    "   ; Indented = 1\n"
    "M_L_W = 190\r\n"
    "O_L_W=154\n"
    "o_l_w = 999\n"
    "Negative = -2\n"
    "Plus = +7\n"
    "Unit = 12px\n"
    "Hex = 0x10\n"
    "Empty =\n"
    "Huge = 99999999999\n"
    "Web =  http://a.example/x y  \r"
    "  Tabbed\t=\t5\t\n"
    " = 3\n"
    "no equals sign here\n"
    "[ORG1x]\n"
    "Other = 1\n"
    "[Org1]\n"
    "Again = 4\n";

struct IntCase {
  std::string_view key;
  std::optional<int> value;
};

class LayoutInts : public ::testing::TestWithParam<IntCase> {};

TEST_P(LayoutInts, ReadOnlyDecimalIntegersOfTheSection) {
  const auto pack = LayoutPack::Parse(kFixture, "org1");
  EXPECT_EQ(pack.Int(GetParam().key), GetParam().value) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    LayoutPack, LayoutInts,
    ::testing::Values(IntCase{"M_L_W", 190}, IntCase{"m_l_w", 190}, IntCase{"O_L_W", 154},
                      IntCase{"Negative", -2}, IntCase{"Plus", 7}, IntCase{"Tabbed", 5},
                      IntCase{"Again", 4}, IntCase{"Unit", std::nullopt},
                      IntCase{"Hex", std::nullopt}, IntCase{"Empty", std::nullopt},
                      IntCase{"Huge", std::nullopt}, IntCase{"Web", std::nullopt},
                      IntCase{"Before", std::nullopt}, IntCase{"Commented", std::nullopt},
                      IntCase{"Indented", std::nullopt}, IntCase{"Other", std::nullopt},
                      IntCase{"Missing", std::nullopt}),
    // Each case is named by its key (keys are letters and underscores).
    [](const auto& info) { return std::string(info.param.key); });

TEST(LayoutPack, TextValuesAreTrimmedAndKeptWhole) {
  const auto pack = LayoutPack::Parse(kFixture, "ORG1");
  EXPECT_EQ(pack.Text("web"), "http://a.example/x y");
  EXPECT_EQ(pack.Text("Empty"), "");
  EXPECT_EQ(pack.Text("Missing"), std::nullopt);
  EXPECT_EQ(pack.IntOr("Unit", 33), 33);
  EXPECT_EQ(pack.IntOr("M_L_W", 33), 190);
}

TEST(LayoutPack, ParseDecimalIntAcceptsSignAndDigitsOnly) {
  struct Case {
    std::string_view text;
    std::optional<int> value;
  };
  for (const Case& c : {Case{"0", 0}, Case{"8530", 8530}, Case{"-2", -2}, Case{"+5", 5},
                        Case{"007", 7}, Case{"2147483647", 2147483647},
                        Case{"2147483648", std::nullopt}, Case{"", std::nullopt},
                        Case{"+", std::nullopt}, Case{"-", std::nullopt},
                        Case{"+-5", std::nullopt}, Case{"5 ", std::nullopt},
                        Case{"1.5", std::nullopt}, Case{"$10", std::nullopt}}) {
    EXPECT_EQ(ParseDecimalInt(c.text), c.value) << "\"" << c.text << "\"";
  }
}

TEST(LayoutPack, MissingOrMalformedKeysWarnOnlyInDebugBuilds) {
  const auto pack = LayoutPack::Parse(kFixture, "org1");
  ::testing::internal::CaptureStderr();
  (void)pack.Int("Missing");
  (void)pack.Int("Unit");
  (void)pack.Int("M_L_W");
  const std::string warnings = ::testing::internal::GetCapturedStderr();
#ifdef NDEBUG
  EXPECT_EQ(warnings, "");
#else
  EXPECT_NE(warnings.find("org1: key Missing is missing"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("key Unit is not a decimal integer (\"12px\")"), std::string::npos)
      << warnings;
  EXPECT_EQ(warnings.find("M_L_W"), std::string::npos) << warnings;
#endif
}

TEST(LayoutPack, UnknownResourceGivesNoPack) {
  EXPECT_FALSE(LoadLayoutPack("no such pack").has_value());
}

TEST(GeneralPack, ShippedValues) {
  const GeneralPack general = LoadGeneralPack();
  EXPECT_EQ(general.Web_Enable, 1);
  EXPECT_EQ(general.Web, "https://zelko77.example.org");
  EXPECT_EQ(general.Web_X, 430);
  EXPECT_EQ(general.Web_Y, 590);
  EXPECT_EQ(general.Rev_Manu_ID, 0);
  EXPECT_EQ(general.Rev_Pro_ID, 0);
  EXPECT_EQ(general.Path, "");
  EXPECT_EQ(general.TR_Enable, 0);
  EXPECT_EQ(general.DPILED_Status, 1);
  EXPECT_EQ(general.Num_Order, 0);
  EXPECT_EQ(ReserveIdentityFromGeneralPack(), std::make_pair(0, 0));

  // The shipped pack holds every key: nothing falls back to the defaults.
  const auto pack = LoadLayoutPack("org");
  ASSERT_TRUE(pack.has_value());
  for (const char* key : {"Web_Enable", "Web", "Web_X", "Web_Y", "Rev_Manu_ID", "Rev_Pro_ID",
                          "Path", "TR_Enable", "DPILED_Status", "Num_Order"}) {
    EXPECT_TRUE(pack->Text(key).has_value()) << key;
  }
}

TEST(GeneralPack, ClampsNumOrderAndKeepsShippedValuesForBadKeys) {
  struct Case {
    std::string_view num_order;
    int expected;
  };
  for (const Case& c : {Case{"5", 1}, Case{"-2", 0}, Case{"1", 1}, Case{"0", 0},
                        Case{"x", 0}}) {
    const std::string text = "[org]\nNum_Order = " + std::string(c.num_order) +
                             "\nWeb_X = wide\nRev_Manu_ID = 7\nPath = C:\\Macros\n";
    const GeneralPack general = ReadGeneralPack(LayoutPack::Parse(text, "org"));
    EXPECT_EQ(general.Num_Order, c.expected) << c.num_order;
    EXPECT_EQ(general.Web_X, 430);
    EXPECT_EQ(general.Rev_Manu_ID, 7);
    EXPECT_EQ(general.Rev_Pro_ID, 0);
    EXPECT_EQ(general.Path, "C:\\Macros");
  }
}

}  // namespace
}  // namespace zelko
