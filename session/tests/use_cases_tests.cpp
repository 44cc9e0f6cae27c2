// The use cases both programs call, on the simulated mouse in virtual time:
// a backup before every write, the profile plan and its refusals, device
// slots from a file, a library macro into a slot.
#include "session/use_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "base/file_reading.h"
#include "image/backup_store.h"
#include "image/expected_codes.h"
#include "image/factory_images.h"
#include "image/image_codec.h"
#include "image/image_layout.h"
#include "keys/key_function_code.h"
#include "keys/language_text.h"
#include "macros/macro_lines.h"
#include "macros/macro_name_codec.h"

namespace zelko::session {
namespace {

namespace fs = std::filesystem;

class Folder {
 public:
  Folder() : path_(fs::temp_directory_path() / ("zelko-use-cases-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~Folder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A simulated mouse in virtual time, connected as zelko77ctl connects it.
struct SimulatedSession {
  explicit SimulatedSession(sim::SimFaults faults = {}) {
    DeviceSetup setup;
    setup.simulate = true;
    setup.virtual_time = true;
    setup.faults = faults;
    auto device = OpenDeviceSession(std::move(setup), clock);
    EXPECT_TRUE(device.ok());
    mouse = std::make_unique<MouseSession>(std::move(*device), ui);
    mouse->backup_folder = backups.path().string();
    mouse->Connect(ShippedExpectedCodes(), {});
    EXPECT_TRUE(OpenInterface(*mouse));
  }
  DeviceMemory& memory() { return mouse->simulatedMouse()->memory(); }

  VirtualClock clock;
  UiPort ui;
  Folder backups;
  std::unique_ptr<MouseSession> mouse;
};

TEST(UseCases, AWriteKeepsABackupOfWhatTheMouseHeldFirst) {
  SimulatedSession s;
  ASSERT_TRUE(ReadMouse(*s.mouse).ok());
  const DataBuf held = s.mouse->workspace().data_buf;
  const WriteReport report = WriteFactoryImage(*s.mouse, 2);
  ASSERT_TRUE(report.ok());
  const auto backups = ListBackups(s.backups.path().string());
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups.front(), report.backup_path);
  std::string error;
  const auto kept = ReadWholeFile(report.backup_path, &error);
  ASSERT_TRUE(kept.has_value()) << error;
  EXPECT_TRUE(std::equal(held.begin(), held.end(), kept->begin(), kept->end()));
  const auto second = FactoryImage(2);
  ASSERT_TRUE(second.has_value());
  EXPECT_TRUE(std::equal(second->begin(), second->end(), s.memory().begin()));
}

TEST(UseCases, NoBackupNoWrite) {
  SimulatedSession s;
  ASSERT_TRUE(ReadMouse(*s.mouse).ok());
  const DeviceMemory before = s.memory();
  // A file where the backup folder should be: no backup can be kept.
  const fs::path blocked = s.backups.path() / "file";
  { std::ofstream(blocked) << "x"; }
  s.mouse->backup_folder = (blocked / "backups").string();
  const WriteReport report = WriteDefaults(*s.mouse);
  EXPECT_EQ(report.outcome, Outcome::kFailure);
  EXPECT_TRUE(report.no_backup());
  EXPECT_EQ(s.memory(), before);
}

TEST(UseCases, ARefusingMouseIsNotConfigurable) {
  sim::SimFaults faults;
  faults.chip_code = 0x35;  // chip 0x90
  SimulatedSession s(faults);
  const ReadReport report = ReadMouse(*s.mouse);
  EXPECT_EQ(report.outcome, Outcome::kNotConfigurable);
  EXPECT_EQ(report.problem, ReadProblem::kRefused);
  EXPECT_EQ(ExitCode(report.outcome), 3);
}

TEST(Outcomes, OneTableForBothPrograms) {
  EXPECT_EQ(ExitCode(Outcome::kDone), 0);
  EXPECT_EQ(ExitCode(Outcome::kNoMouse), 2);
  EXPECT_EQ(ExitCode(Outcome::kNotConfigurable), 3);
  EXPECT_EQ(ExitCode(Outcome::kTransferFailed), 4);
  EXPECT_EQ(ExitCode(Outcome::kBadInput), 5);
  EXPECT_EQ(ExitCode(Outcome::kFailure), 1);
  EXPECT_EQ(MessageId(Outcome::kNoMouse), "Str020");
  EXPECT_EQ(MessageId(Outcome::kTransferFailed), "Str109");
}

struct LoadCase {
  const char* name;
  std::size_t file_size;
  std::uint8_t signature;
  std::uint8_t manufacturer;
  std::uint8_t product;
  ProfileLoadVerdict verdict;
};

class ProfileLoad : public testing::TestWithParam<LoadCase> {};

// The shipped codes accept 0xFF, 0xFF (factory image 1) and 0, 0 (the
// layout pack's reserve codes).
TEST_P(ProfileLoad, RefusesWhatWouldLockTheMouseOrIsNoProfile) {
  const LoadCase& c = GetParam();
  const auto shown = FactoryImage(1);
  ASSERT_TRUE(shown.has_value());
  std::vector<std::uint8_t> file(c.file_size, 0x11);
  if (c.file_size > kImageSignatureOffset) file[kImageSignatureOffset] = c.signature;
  if (c.file_size > kProductCodeAddress) {
    file[kManufacturerCodeAddress] = c.manufacturer;
    file[kProductCodeAddress] = c.product;
  }
  const ProfileLoadPlan plan = PlanProfileLoad(*shown, file, ShippedExpectedCodes());
  EXPECT_EQ(plan.verdict, c.verdict);
  if (c.verdict == ProfileLoadVerdict::kWrite) {
    EXPECT_TRUE(std::equal(file.begin(), file.end(), plan.image.begin()));
    // A shorter file replaces only its own bytes.
    EXPECT_TRUE(std::equal(shown->begin() + static_cast<std::ptrdiff_t>(file.size()), shown->end(),
                           plan.image.begin() + static_cast<std::ptrdiff_t>(file.size())));
  }
  if (c.verdict == ProfileLoadVerdict::kForeignIdentity) {
    const std::string codes = std::to_string(c.manufacturer) + ", " + std::to_string(c.product) + " at 0x036, 0x037";
    EXPECT_NE(plan.problem.find(codes), std::string::npos) << plan.problem;
  } else {
    EXPECT_TRUE(plan.problem.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileLoad,
    testing::Values(LoadCase{"WholeFileOfTheFactoryCodes", 2048, 0x99, 0xFF, 0xFF, ProfileLoadVerdict::kWrite},
                    LoadCase{"ReserveCodes", 2048, 0x99, 0x00, 0x00, ProfileLoadVerdict::kWrite},
                    LoadCase{"ShortFileReachingTheSignature", 0x80, 0x99, 0xFF, 0xFF, ProfileLoadVerdict::kWrite},
                    LoadCase{"ForeignCodes", 2048, 0x99, 0x12, 0x34, ProfileLoadVerdict::kForeignIdentity},
                    LoadCase{"OneCodeForeign", 2048, 0x99, 0xFF, 0x00, ProfileLoadVerdict::kForeignIdentity},
                    LoadCase{"NoSignatureBeforeForeignCodes", 2048, 0x98, 0x12, 0x34, ProfileLoadVerdict::kNoSignature},
                    LoadCase{"EndsBeforeTheSignature", 0x7F, 0x99, 0xFF, 0xFF, ProfileLoadVerdict::kNoSignature}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST(UseCases, ALoadedProfileIsWrittenAfterABackupAndARefusedOneNot) {
  SimulatedSession s;
  ASSERT_TRUE(ReadMouse(*s.mouse).ok());
  auto file = FactoryImage(3);
  ASSERT_TRUE(file.has_value());
  const ProfileLoadPlan plan = PlanProfileLoad(s.mouse->workspace().data_buf, *file, ShippedExpectedCodes());
  ASSERT_EQ(plan.verdict, ProfileLoadVerdict::kWrite);
  const WriteReport written = LoadProfile(*s.mouse, plan, ImageSource::kProfileFile);
  ASSERT_TRUE(written.ok());
  EXPECT_FALSE(written.backup_path.empty());
  EXPECT_TRUE(std::equal(file->begin(), file->end(), s.memory().begin()));

  const DeviceMemory before = s.memory();
  ProfileLoadPlan refused;  // no signature
  EXPECT_EQ(LoadProfile(*s.mouse, refused, ImageSource::kProfileFile).outcome, Outcome::kBadInput);
  EXPECT_EQ(s.memory(), before);
}

TEST(UseCases, UnappliedEditsAreThoseTheMouseDoesNotHold) {
  SimulatedSession s;
  ASSERT_TRUE(ReadMouse(*s.mouse).ok());
  MouseSettings settings = DecodeMouseSettings(s.mouse->workspace().record);
  EXPECT_FALSE(HasUnappliedEdits(s.mouse->workspace(), settings));
  settings.fire.repeat_count = settings.fire.repeat_count == 3 ? 4 : 3;
  EXPECT_TRUE(HasUnappliedEdits(s.mouse->workspace(), settings));
  ASSERT_TRUE(ApplySettings(*s.mouse, settings).ok());
  EXPECT_FALSE(HasUnappliedEdits(s.mouse->workspace(), settings));
}

TEST(UseCases, DeviceSlotsFromAFileReachTheMacroAreaOrAShortFileIsRefused) {
  Workspace workspace;
  DeviceMacroSlots slots;
  std::vector<std::uint8_t> file(kMacroRecordSize - 1, 0);
  EXPECT_EQ(ImportDeviceSlots(file, workspace, slots), SlotImport::kTooShort);

  file.assign(kMacroRecordSize, 0);
  const std::u16string name = u"Burst";
  for (std::size_t i = 0; i < name.size(); ++i) file[1 + i] = static_cast<std::uint8_t>(name[i]);
  file[0] = static_cast<std::uint8_t>(name.size());
  EXPECT_EQ(ImportDeviceSlots(file, workspace, slots), SlotImport::kImported);
  EXPECT_TRUE(std::equal(workspace.base_macro_area.begin(), workspace.base_macro_area.begin() + 8,
                         workspace.data_buf.begin() + kMacroAreaOffset));
}

// Factory image 1's buttons: both profiles have Left Click on button 1 only.
MouseSettings FactorySettings() {
  const auto image = FactoryImage(1);
  EXPECT_TRUE(image.has_value());
  ParameterRecord record{};
  BaseMacroArea area{};
  if (image) (void)UnpackSections(*image, record, area);
  return DecodeMouseSettings(record);
}

MacroRecord Macro(const char* name, std::uint8_t release_mode) {
  MacroRecord record;
  record.name = MacroNameStrToUnicode(name);
  record.content = MacroLinesToContent({HeaderLine(DelayMode::kNone), "1 A CODE:8204", "2 A CODE:0204"},
                                       release_mode);
  return record;
}

std::string Code(const MouseSettings& settings, ButtonRef ref) {
  return ButtonCodeText(settings.buttons.Code(ref));
}

TEST(LibraryMacro, GoesIntoTheFirstFreeSlotAndTheButtonPlaysIt) {
  MouseSettings settings = FactorySettings();
  DeviceMacroSlots slots;  // all seven empty
  BaseMacroArea area{};
  const TextLookup text = LanguageTextLookup(1);
  const MacroRecord burst = Macro("Burst", kReleaseContinue);
  const MacroAssignment first = AssignLibraryMacro(settings, {1, 5}, burst, slots, area, text);
  EXPECT_TRUE(first.result.stored());
  EXPECT_EQ(first.slot, 1);
  EXPECT_EQ(first.result.caption, "Burst");
  EXPECT_EQ(Code(settings, {1, 5}), "060121");
  EXPECT_EQ(slots.ShownName(1), "Burst");
  EXPECT_TRUE(std::equal(burst.content.begin(), burst.content.end(), area.begin() + kMacroNameSize));

  // A macro that stops on release plays from its slot with type 0E.
  const MacroAssignment second = AssignLibraryMacro(settings, {2, 6}, Macro("Hold", kReleaseStop), slots, area, text);
  EXPECT_TRUE(second.result.stored());
  EXPECT_EQ(second.slot, 2);
  EXPECT_EQ(Code(settings, {2, 6}), "0E0221");
}

TEST(LibraryMacro, IsDroppedWhenNoSlotIsFree) {
  MouseSettings settings = FactorySettings();
  DeviceMacroSlots slots;
  BaseMacroArea area{};
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    const std::string name = "M" + std::to_string(slot);
    ASSERT_TRUE(FillBaseMacroSlot(Macro(name.c_str(), 0), slot, slots, area));
    ASSERT_TRUE(StoreButtonCode(settings.buttons, {2, slot}, "060" + std::to_string(slot) + "21"));
  }
  const BaseMacroArea before = area;
  const std::string code_before = Code(settings, {1, 8});
  const MacroAssignment result = AssignLibraryMacro(settings, {1, 8}, Macro("Burst", 0), slots, area,
                                                    LanguageTextLookup(1));
  EXPECT_EQ(result.result.outcome, AssignmentOutcome::kNoFreeSlot);
  EXPECT_EQ(result.slot, 0);
  EXPECT_EQ(Code(settings, {1, 8}), code_before);
  EXPECT_EQ(area, before);
}

TEST(LibraryMacro, OnTheOnlyLeftClickIsRefused) {
  MouseSettings settings = FactorySettings();
  DeviceMacroSlots slots;
  BaseMacroArea area{};
  const MacroAssignment result = AssignLibraryMacro(settings, {1, 1}, Macro("Burst", 0), slots, area,
                                                    LanguageTextLookup(1));
  EXPECT_EQ(result.result.outcome, AssignmentOutcome::kKeepLeftClick);
  EXPECT_EQ(result.result.caption, "Left Click");
  EXPECT_EQ(result.slot, 0);
  EXPECT_EQ(Code(settings, {1, 1}), "010100");
  EXPECT_EQ(slots.ShownName(1), "");
}

}  // namespace
}  // namespace zelko::session
