#include <gtest/gtest.h>

#include <cstring>

#include "image/checksum.h"
#include "image/defaults.h"
#include "image/factory_images.h"
#include "image/profile_file.h"
#include "sim_rig.h"

namespace zelko {
namespace {

using testing::SimRig;

// Memory that differs from every factory image and the defaults: factory
// image 2 with its uninterpreted bytes, reserves and macro area changed.
DataBuf DistinctMemory() {
  DataBuf image = *FactoryImage(2);
  for (std::size_t a = 0; a < kDataBufSize; ++a) {
    const SectionPlace* place = SectionAt(a);
    if (place && (place->has_checksum || place->section == Section::ParameterB)) continue;
    if (a == kImageSignatureOffset) continue;
    image[a] = static_cast<std::uint8_t>(a * 13 + 1);
  }
  return image;
}

void LoadMemory(SimRig& rig, const DataBuf& image) {
  std::copy(image.begin(), image.end(), rig.mouse.memory().begin());
}

TEST(BtnRead, ReadsUnpacksClosesAndUncovers) {
  SimRig rig;
  const auto result = rig.OpenAndRead();
  ASSERT_EQ(result.status, FlowStatus::kDone);
  EXPECT_EQ(rig.workspace.data_buf, rig.Memory());
  EXPECT_EQ(rig.workspace.source, ImageSource::kDevice);
  EXPECT_EQ(rig.workspace.profile_key_codes.ModeA[0], "010100");
  EXPECT_EQ(rig.Executed(CommandCode::kSystemReload), 1);
  EXPECT_EQ(rig.Executed(CommandCode::kEndExchange), 1);
  EXPECT_FALSE(rig.ui.covered);
  EXPECT_TRUE(rig.ui.poll_running);
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_EQ(rig.ui.redraws, 1);
}

TEST(BtnRead, RereadsFromTheFirstUnansweredChunk) {
  SimRig rig;
  LoadMemory(rig, DistinctMemory());
  // The mouse refuses chunk 100 of the first read five times over, so the
  // host gives that chunk up; the rest of the block is read again.
  int chunks = 0;
  rig.ui.on_progress = [&](int, int) {
    if (++chunks == 101) {
      rig.mouse.faults().ack_value = sim::kAckRefused;
      rig.mouse.faults().ack_value_replies = 5;
    }
  };
  const auto result = rig.OpenAndRead();
  ASSERT_EQ(result.status, FlowStatus::kDone);
  EXPECT_EQ(result.read.tries, 2);
  EXPECT_EQ(rig.workspace.data_buf, DistinctMemory());
  EXPECT_FALSE(result.unpack.AnyRepaired());
}

TEST(BtnRead, ImageThatCannotBeReadWholeIsNotShownNorWritten) {
  sim::SimFaults faults;
  faults.unacknowledged_read_chunks = {3};
  SimRig rig(faults);
  const DataBuf shown_before = rig.workspace.data_buf;
  const auto result = rig.OpenAndRead();
  EXPECT_EQ(result.status, FlowStatus::kReadIncomplete);
  EXPECT_FALSE(result.read.whole());
  EXPECT_EQ(rig.workspace.data_buf, shown_before);
  EXPECT_EQ(rig.workspace.source, ImageSource::kNoDevice);
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Str109"});
  EXPECT_TRUE(rig.ui.covered);
  EXPECT_EQ(rig.Executed(CommandCode::kEndExchange), 1);

  // Nothing of the mouse was shown, so Apply has nothing to write.
  EXPECT_EQ(rig.flows.WriteRecord(rig.workspace.record).status, FlowStatus::kNothingToWrite);
  EXPECT_EQ(rig.Executed(CommandCode::kBeginBlockWrite), 0);
}

TEST(WriteRecord, HealthyMouseCostsOneWriteAndOneReadBack) {
  SimRig rig;
  ASSERT_TRUE(rig.OpenAndRead().ok());
  ParameterRecord edited = rig.workspace.record;
  edited.ParameterA.DpiLevelCount = 3;
  edited.Profile.ModeA[3] = {0x01, 0x02, 0x00};
  bool pointer_applied = false;
  const int reads_before = rig.Executed(CommandCode::kBeginBlockRead);

  const auto result = rig.flows.WriteRecord(edited, [&] { pointer_applied = true; });
  ASSERT_EQ(result.status, FlowStatus::kDone);
  EXPECT_EQ(result.write.repair_passes, 0);
  EXPECT_TRUE(pointer_applied);
  EXPECT_EQ(rig.Executed(CommandCode::kBeginBlockWrite), 1);
  EXPECT_EQ(rig.Executed(CommandCode::kBeginBlockRead) - reads_before, 1);
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_EQ(rig.Memory()[0x002], 3);
  EXPECT_TRUE(ChecksumHolds(SectionBytes(rig.Memory(), Section::Profile)));
  EXPECT_EQ(rig.workspace.mouse_image, rig.Memory());
  EXPECT_FALSE(rig.ui.covered);
}

TEST(WriteRecord, RepairPasses) {
  struct Case {
    std::uint16_t address;
    int lost_writes;  // sim::kNeverKeeps: the byte never takes
    FlowStatus status;
    int passes;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {0x020, 1, FlowStatus::kDone, 1, {}},
      {0x345, 1, FlowStatus::kDone, 1, {}},  // macro area, above 0xFF
      {0x345, 3, FlowStatus::kDone, 3, {}},
      {0x345, sim::kNeverKeeps, FlowStatus::kWriteFailed, 3, {"Str109"}},
  };
  for (const Case& c : cases) {
    SimRig rig;
    ASSERT_TRUE(rig.OpenAndRead().ok());
    rig.workspace.base_macro_area[0x345 - kMacroAreaOffset] = 0x5C;
    ParameterRecord edited = rig.workspace.record;
    edited.ParameterA.DpiColour[2].r = 0x11;  // 0x020
    rig.mouse.faults().dropped_writes[c.address] = c.lost_writes;
    const int writes_before = rig.Executed(CommandCode::kBeginBlockWrite);

    const auto result = rig.flows.WriteRecord(edited);
    SCOPED_TRACE(c.address);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.write.repair_passes, c.passes);
    EXPECT_EQ(rig.ui.messages, c.messages);
    // One whole write, then one one-byte write per pass.
    EXPECT_EQ(rig.Executed(CommandCode::kBeginBlockWrite) - writes_before, 1 + c.passes);
    if (c.status == FlowStatus::kDone) {
      EXPECT_EQ(rig.Memory(), rig.workspace.data_buf);
    } else {
      EXPECT_EQ(result.write.repair_list, std::vector<std::uint16_t>{c.address});
    }
  }
}

TEST(WriteRecord, UnansweredBlockCommandIsReportedNotSilent) {
  SimRig rig;
  ASSERT_TRUE(rig.OpenAndRead().ok());
  // The mouse goes away right after the handshake (two commands, each one
  // Set and one Get Feature).
  rig.mouse.faults().unplug_after_reports = rig.mouse.reports_seen() + 4;
  const auto result = rig.flows.WriteRecord(rig.workspace.record);
  EXPECT_EQ(result.status, FlowStatus::kWriteFailed);
  EXPECT_EQ(result.write.outcome, WriteVerifyOutcome::kWriteNotAcknowledged);
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Str109"});
  EXPECT_FALSE(rig.ui.covered);
  EXPECT_TRUE(rig.ui.poll_running);
}

TEST(WriteRecord, UnconfigurableChipWritesNothingAndSaysNothing) {
  SimRig rig;
  ASSERT_TRUE(rig.OpenAndRead().ok());
  rig.mouse.faults().chip_code = kChipCode90;
  bool pointer_applied = false;
  const int closes_before = rig.Executed(CommandCode::kEndExchange);

  const auto result = rig.flows.WriteRecord(rig.workspace.record, [&] { pointer_applied = true; });
  EXPECT_EQ(result.status, FlowStatus::kNotConfigurable);
  EXPECT_TRUE(pointer_applied);
  EXPECT_EQ(rig.Executed(CommandCode::kBeginBlockWrite), 0);
  EXPECT_EQ(rig.Executed(CommandCode::kEndExchange) - closes_before, 1);
  EXPECT_TRUE(rig.ui.messages.empty());
}

TEST(ShowAndWriteFactoryImage, LeavesTheMouseEqualToFactoryImage) {
  for (int n = 1; n <= 3; ++n) {
    SimRig rig;
    LoadMemory(rig, DistinctMemory());
    ASSERT_TRUE(rig.OpenAndRead().ok());
    const auto result = rig.flows.ShowAndWriteFactoryImage(n);
    ASSERT_EQ(result.status, FlowStatus::kDone) << n;
    EXPECT_EQ(rig.Memory(), *FactoryImage(n)) << n;
    EXPECT_EQ(rig.workspace.data_buf, *FactoryImage(n));
  }
}

TEST(ShowAndWriteDefaults, WritesDefaultsAndKeepsUninterpretedBytes) {
  SimRig rig;
  const DataBuf before = DistinctMemory();
  LoadMemory(rig, before);
  ASSERT_TRUE(rig.OpenAndRead().ok());

  ASSERT_EQ(rig.flows.ShowAndWriteDefaults().status, FlowStatus::kDone);
  const DataBuf memory = rig.Memory();
  const ParameterRecord defaults = BuiltInDefaultRecord();
  for (const auto& place : kSectionPlaces) {
    const auto got = SectionBytes(memory, place.section);
    const auto want = defaults.SectionBytes(place.section);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin())) << place.name;
  }
  for (std::size_t a = kMacroAreaOffset; a < kDataBufSize; ++a) ASSERT_EQ(memory[a], 0) << a;
  for (std::size_t a = 0; a < kMacroAreaOffset; ++a) {
    if (!SectionAt(a)) {
      ASSERT_EQ(memory[a], before[a]) << a;
    }
  }
  EXPECT_EQ(memory[0x036], 0xFF);
  EXPECT_EQ(rig.workspace.profile_key_codes.ModeB[6], "0F0000");
}

TEST(OverlayProfile, ReplacesAsManyBytesAsTheFileHasAndChecksTheSignature) {
  DataBuf base;
  base.fill(0x11);
  base[kImageSignatureOffset] = kImageSignature;
  std::vector<std::uint8_t> full(kDataBufSize, 0x22);
  full[kImageSignatureOffset] = kImageSignature;
  std::vector<std::uint8_t> longer(3000, 0x33);
  longer[kImageSignatureOffset] = kImageSignature;

  auto whole = OverlayProfile(base, full);
  ASSERT_TRUE(whole);
  EXPECT_EQ((*whole)[0x7FF], 0x22);
  // A file that ends before the signature is refused, even where the
  // image it would be laid over carries one.
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{0x40}, kImageSignatureOffset}) {
    EXPECT_FALSE(OverlayProfile(base, std::vector<std::uint8_t>(size, 0x22)).has_value()) << size;
  }
  std::vector<std::uint8_t> just_reaching(kImageSignatureOffset + 1, 0x22);
  just_reaching[kImageSignatureOffset] = kImageSignature;
  auto shorter = OverlayProfile(base, just_reaching);
  ASSERT_TRUE(shorter);
  EXPECT_EQ((*shorter)[0x07E], 0x22);
  EXPECT_EQ((*shorter)[0x080], 0x11);
  EXPECT_TRUE(OverlayProfile(base, longer).has_value());

  full[kImageSignatureOffset] = 0x98;
  EXPECT_FALSE(OverlayProfile(base, full).has_value());
}

TEST(LoadProfile, WithoutSignatureChangesNothing) {
  SimRig rig;
  ASSERT_TRUE(rig.OpenAndRead().ok());
  const Workspace before = rig.workspace;
  DataBuf file = *FactoryImage(3);
  file[kImageSignatureOffset] = 0x98;
  const int reports_before = static_cast<int>(rig.mouse.reports_seen());

  const auto result = rig.flows.LoadProfileFile(file, ImageSource::kProfileFile);
  EXPECT_EQ(result.status, FlowStatus::kBadFile);
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Str102"});
  EXPECT_EQ(rig.workspace.data_buf, before.data_buf);
  EXPECT_TRUE(rig.workspace.record == before.record);
  EXPECT_EQ(rig.mouse.reports_seen(), reports_before);
}

TEST(LoadProfile, DamagedProfileChecksumWritesTheBuiltInCodes) {
  SimRig rig;
  ASSERT_TRUE(rig.OpenAndRead().ok());
  DataBuf file = *FactoryImage(2);
  file[kProfileOffset + kProfileSize - 1] ^= 0x40;

  const auto result = rig.flows.LoadProfileFile(file, ImageSource::kProfileFile);
  ASSERT_EQ(result.status, FlowStatus::kDone);
  EXPECT_TRUE(result.unpack.profile);
  const DataBuf memory = rig.Memory();
  ProfileSection written;
  std::memcpy(&written, memory.data() + kProfileOffset, kProfileSize);
  EXPECT_EQ(written.ModeA, kDefaultButtonCodes);
  EXPECT_EQ(written.ModeB, kDefaultButtonCodes);
  EXPECT_EQ(written.checksum, 0xFE);
  EXPECT_EQ(rig.workspace.profile_key_codes.ModeA[8], "090000");
}

TEST(LoadProfile, WithoutAnsweringMouseIsShownButNotWritten) {
  SimRig rig;  // never opened
  const auto result = rig.flows.LoadProfileFile(*FactoryImage(2), ImageSource::kProfileFile);
  EXPECT_EQ(result.status, FlowStatus::kNoDevice);
  EXPECT_EQ(rig.workspace.data_buf, *FactoryImage(2));
  EXPECT_EQ(rig.workspace.profile_key_codes.ModeA[8], "0600F0");
  EXPECT_EQ(rig.ui.redraws, 1);
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_FALSE(rig.ui.covered);
}

TEST(ProfileSavePath, AlwaysAppendsBin) {
  EXPECT_EQ(ProfileSavePath("abc"), "abc.bin");
  EXPECT_EQ(ProfileSavePath("abc.bin"), "abc.bin.bin");
}

TEST(Buttons, WithoutDeviceShowFindingTheDevice) {
  SimRig rig;  // never opened
  EXPECT_EQ(rig.flows.ApplyImage(rig.workspace.record).status, FlowStatus::kNoDevice);
  EXPECT_EQ(rig.flows.WriteFactoryImage(1).status, FlowStatus::kNoDevice);
  EXPECT_EQ(rig.ui.messages, (std::vector<std::string>{"Str020", "Str020"}));
  EXPECT_EQ(rig.flows.WriteDefaults().status, FlowStatus::kNoDevice);
  EXPECT_EQ(rig.ui.messages.size(), 2u);  // the Default button stays silent
  EXPECT_EQ(rig.clock.NowMs(), 3u * 110u);
  EXPECT_EQ(rig.mouse.reports_seen(), 0);
}

}  // namespace
}  // namespace zelko
