// The profile library: named whole images of the mouse kept on the
// computer, one file per profile in the profile file format (so a library
// entry and a file written by Save Profile are interchangeable).
//
// On disk, in the library's folder ($XDG_DATA_HOME/zelko77/profiles,
// %APPDATA%\zelko77\profiles on Windows):
//   STEM.bin   the 2048-byte image
//   STEM.name  the profile's name, UTF-8, nothing else
//   trash/     deleted profiles, the same two files each, until restored
// STEM is derived from the name (FileStemFor) and numbered when taken.
// Every file is replaced atomically, and the steps of each operation are
// ordered so that a crash between any two leaves every image in a folder
// where List finds it: an image whose name file is missing is listed under
// its file name (kNameLost) until it is renamed.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/atomic_file.h"
#include "base/result.h"
#include "device/device_connection.h"
#include "image/image_layout.h"

namespace zelko {

enum class EntryState {
  kOk,
  kNameLost,      // the image is fine, its name file is missing or damaged:
                  // listed under its file name; Rename gives it one
  kDamaged,       // the image is not a profile (size or signature)
  kUnreadable,    // the image cannot be read
  kImageMissing,  // a name file without its image
};

struct ProfileEntry {
  std::string name;  // as the user gave it (the file name for kNameLost)
  std::string stem;  // the file name without extension
  EntryState state = EntryState::kOk;
  std::string problem;  // for anything but kOk: what is wrong, in words
  bool usable() const { return state == EntryState::kOk || state == EntryState::kNameLost; }
};

struct ImportedProfile {
  std::string name;  // the name the file was added under
};

class ProfileLibrary {
 public:
  // A library in `folder` (made when the first profile is added). `hook`
  // reaches every atomic write, for tests that make a write fail.
  explicit ProfileLibrary(std::filesystem::path folder, AtomicWriteHook hook = {});

  // The user's library, in the user's data folder; a failure when no home
  // folder is known.
  [[nodiscard]] static Result<ProfileLibrary> OpenUsers(AtomicWriteHook hook = {});

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path trash_folder() const { return folder_ / "trash"; }

  // Every entry, sorted by name; damaged ones are listed with their
  // problem, never left out. A missing folder is an empty library.
  [[nodiscard]] Result<std::vector<ProfileEntry>> List() const;
  // The entry of a name (compared without case and outer blanks).
  [[nodiscard]] Result<ProfileEntry> Find(std::string_view name) const;
  // The image of a profile.
  [[nodiscard]] Result<DataBuf> Image(std::string_view name) const;

  // A new profile. Refused when the name is not valid or taken, or when the
  // image has no profile signature at 0x07F. Nothing is overwritten.
  [[nodiscard]] Status Add(std::string_view name, const DataBuf& image);
  // A new name for a profile (also a new letter case of its own name).
  [[nodiscard]] Status Rename(std::string_view name, std::string_view new_name);
  // A copy of a profile under a new name.
  [[nodiscard]] Status Duplicate(std::string_view name, std::string_view new_name);
  // The profile moves to the trash, from where RestoreDeleted brings it back.
  [[nodiscard]] Status Delete(std::string_view name);

  // The deleted profiles, the most recently deleted first.
  [[nodiscard]] Result<std::vector<ProfileEntry>> Deleted() const;
  // The most recently deleted profile of that name back into the library,
  // under `as_name` when given (the name it had is taken meanwhile).
  [[nodiscard]] Status RestoreDeleted(std::string_view name, std::optional<std::string_view> as_name = {});

  // A profile file (read bounded, regular files only) added under `name`,
  // or under the file's own name without extension. Refused like Load
  // Profile refuses a file: shorter than an image, without the signature
  // at 0x07F, or with identity bytes the program does not accept. Returns
  // the name it was added under.
  [[nodiscard]] Result<ImportedProfile> Import(const std::filesystem::path& file,
                                           std::optional<std::string_view> name,
                                           const ExpectedCodes& expected);
  // A profile written to exactly `file`, replacing it atomically (the
  // window appends ".bin" to a chosen name first, ProfileSavePath).
  [[nodiscard]] Status Export(std::string_view name, const std::filesystem::path& file) const;

 private:
  [[nodiscard]] Result<std::vector<ProfileEntry>> ListFolder(const std::filesystem::path& folder) const;
  [[nodiscard]] Status CheckNewName(std::string_view name, const std::vector<ProfileEntry>& entries,
                                    const ProfileEntry* renamed = nullptr) const;
  [[nodiscard]] Status WriteEntry(const std::string& stem, std::string_view name, const DataBuf& image);
  [[nodiscard]] Status WriteName(const std::filesystem::path& folder, const std::string& stem,
                                 std::string_view name) const;

  std::filesystem::path folder_;
  AtomicWriteHook hook_;
};

// Whether an image can be kept as a profile: nothing when it can, otherwise
// why not.
[[nodiscard]] std::optional<std::string> ProfileImageProblem(std::span<const std::uint8_t> bytes);

}  // namespace zelko
