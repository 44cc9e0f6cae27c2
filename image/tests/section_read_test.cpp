// Reading only the sections a write changes: which ranges travel, what an
// image held must still match, and that nothing that was not read can
// reach the mouse.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "image/factory_images.h"
#include "image/section_read.h"
#include "sim_rig.h"

namespace zelko {
namespace {

using testing::SimRig;

struct PlanCase {
  std::string name;
  std::vector<Section> sections;
  std::vector<AddressRange> ranges;
};

class SectionReadRangesOf : public ::testing::TestWithParam<PlanCase> {};

TEST_P(SectionReadRangesOf, AreWholeSectionsAndTheIdentityBytesJoinedWhereCheaper) {
  EXPECT_EQ(SectionReadRanges(GetParam().sections), GetParam().ranges);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionReadRangesOf,
    ::testing::Values(
        // Eight bytes between the identity and Profile cost less than a second command.
        PlanCase{"ProfileReachesBackToTheIdentity", {Section::Profile}, {{0x036, 0x077}}},
        PlanCase{"ParameterBHoldsTheIdentity", {Section::ParameterB}, {{0x030, 0x038}}},
        PlanCase{"FireKeyIsReadApart", {Section::FireKey}, {{0x036, 0x038}, {0x0F0, 0x0FB}}},
        PlanCase{"EverySetting",
                 {Section::ParameterA, Section::ParameterB, Section::Profile, Section::FireKey},
                 {{0x000, 0x077}, {0x0F0, 0x0FB}}}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return info.param.name; });

// A mouse holding factory image 2, opened and ready for an exchange.
struct Mouse {
  SimRig rig;
  Mouse() {
    const auto image = FactoryImage(2);
    std::copy(image->begin(), image->end(), rig.mouse.memory().begin());
    EXPECT_TRUE(rig.Open());
  }
  FlowResult Read(std::initializer_list<Section> sections) {
    EXPECT_TRUE(rig.channel.BeginExchange().configurable());
    return rig.flows.ReadRanges(SectionReadRanges(sections));
  }
  int Chunks() const { return rig.Executed(CommandCode::kNextReadChunk); }
  // Button 4 of Profile 1 made Forward, packed with a fresh checksum.
  void EditButton() {
    const EditBaseline baseline = EditBaseline::Of(rig.workspace);
    rig.workspace.record.Profile.ModeA[3] = {0x01, 0x10, 0x00};
    rig.workspace.PackImage();
    EXPECT_TRUE(ConfineEditToRead(rig.workspace, baseline));
  }
};

TEST(ReadRanges, AFirstReadTakesTheSectionAndLeavesTheRestUnwritable) {
  Mouse m;
  const DataBuf before = m.rig.Memory();
  const FlowResult read = m.Read({Section::Profile});
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.sections, SectionCheck::kFirstRead);
  EXPECT_EQ(m.Chunks(), 11);  // 0x036..0x076, against 342 for the whole image
  const auto profile = std::as_const(m.rig.workspace.record).SectionBytes(Section::Profile);
  EXPECT_TRUE(std::equal(profile.begin(), profile.end(), before.begin() + 0x040));

  m.EditButton();
  const FlowResult written = m.rig.flows.WriteImage(WriteExtent::kChangesOnly);
  ASSERT_TRUE(written.ok());
  // Only the button's code and the Profile checksum changed.
  DataBuf expected = before;
  std::copy(m.rig.workspace.data_buf.begin() + 0x040, m.rig.workspace.data_buf.begin() + 0x077,
            expected.begin() + 0x040);
  EXPECT_EQ(m.rig.Memory(), expected);
  for (std::uint16_t a : DifferingAddresses(before, expected)) {
    EXPECT_TRUE((a >= 0x049 && a <= 0x04B) || a == 0x076) << a;  // button 4 of mode A at 0x049
  }

  // The placeholders never travel, whole or changed.
  const int writes = m.rig.Executed(CommandCode::kBeginBlockWrite);
  m.rig.workspace.data_buf[0x000] ^= 0x01;
  EXPECT_EQ(m.rig.flows.WriteImage(WriteExtent::kChangesOnly).status, FlowStatus::kNothingToWrite);
  EXPECT_EQ(m.rig.flows.WriteImage(WriteExtent::kWhole).status, FlowStatus::kNothingToWrite);
  EXPECT_EQ(m.rig.Executed(CommandCode::kBeginBlockWrite), writes);
  EXPECT_EQ(m.rig.Memory(), expected);
}

TEST(ReadRanges, AnEditBeyondWhatWasReadIsRefusedByTheConfinement) {
  Mouse m;
  ASSERT_TRUE(m.Read({Section::Profile}).ok());
  const EditBaseline baseline = EditBaseline::Of(m.rig.workspace);
  m.rig.workspace.record.ParameterA.DpiLevelCount = 3;
  m.rig.workspace.PackImage();
  EXPECT_FALSE(ConfineEditToRead(m.rig.workspace, baseline));
}

struct HeldCase {
  std::string name;
  std::size_t changed_address;  // changed in the mouse after the whole read; 0: nothing
  SectionCheck check;
};

class WithAnImageHeld : public ::testing::TestWithParam<HeldCase> {};

TEST_P(WithAnImageHeld, TheSectionsReadMustBeWhatIsHeldOrTheWholeImageIsReadAgain) {
  const HeldCase& c = GetParam();
  Mouse m;
  ASSERT_TRUE(m.rig.channel.BeginExchange().configurable());
  ASSERT_TRUE(m.rig.flows.ReadImage().ok());
  if (c.changed_address) m.rig.mouse.memory()[c.changed_address] ^= 0x01;
  const int chunks = m.Chunks();
  const FlowResult read = m.Read({Section::ParameterB});
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.sections, c.check);
  EXPECT_EQ(m.Chunks() - chunks, c.check == SectionCheck::kAsHeld ? 2 : 2 + 342);
  EXPECT_EQ(m.rig.workspace.data_buf, m.rig.Memory());
  EXPECT_FALSE(m.rig.workspace.partial_image);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithAnImageHeld,
    ::testing::Values(HeldCase{"Unchanged", 0, SectionCheck::kAsHeld},
                      HeldCase{"KeyModeChangedByTheMouse", 0x034, SectionCheck::kChangedMeanwhile},
                      HeldCase{"IdentityChanged", 0x037, SectionCheck::kChangedMeanwhile}),
    [](const ::testing::TestParamInfo<HeldCase>& info) { return info.param.name; });

TEST(ReadRanges, AKeyModeSwitchWritesTheKeyModePairAloneAndNothingWhenNothingDiffers) {
  Mouse m;
  ASSERT_TRUE(m.rig.channel.BeginExchange().configurable());
  ASSERT_TRUE(m.rig.flows.ReadImage().ok());
  ASSERT_TRUE(m.Read({Section::ParameterB}).ok());
  const DataBuf before = m.rig.Memory();
  const int writes = m.rig.Executed(CommandCode::kBeginBlockWrite);
  const int write_chunks = m.rig.Executed(CommandCode::kNextWriteChunk);
  ASSERT_TRUE(m.rig.flows.WriteImage(WriteExtent::kChangesOnly).ok());
  EXPECT_EQ(m.rig.Executed(CommandCode::kBeginBlockWrite), writes);  // nothing differs

  auto& b = m.rig.workspace.record.ParameterB;
  b.KeyModeState ^= 0x80;
  b.KeyModeStateComplement = static_cast<std::uint8_t>(0xFF - b.KeyModeState);
  m.rig.workspace.PackImage();
  ASSERT_TRUE(m.rig.flows.WriteImage(WriteExtent::kChangesOnly).ok());
  EXPECT_EQ(m.rig.Executed(CommandCode::kBeginBlockWrite) - writes, 1);
  EXPECT_EQ(m.rig.Executed(CommandCode::kNextWriteChunk) - write_chunks, 1);
  EXPECT_EQ(DifferingAddresses(before, m.rig.Memory()), (std::vector<std::uint16_t>{0x034, 0x035}));
}

}  // namespace
}  // namespace zelko
