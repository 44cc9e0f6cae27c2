#include "profiles/profile_library.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <set>
#include <system_error>

#include "base/file_reading.h"
#include "base/path_text.h"
#include "base/user_folders.h"
#include "image/expected_codes.h"
#include "profiles/name_text.h"
#include "profiles/profile_names.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kImageExtension = ".bin";
constexpr std::string_view kNameExtension = ".name";
// A name file holds at most 100 characters of four bytes; anything longer
// is not one of ours.
constexpr std::size_t kMaxNameFileBytes = 1024;

fs::path FileIn(const fs::path& folder, const std::string& stem, std::string_view extension) {
  return folder / PathFromUtf8(stem + std::string(extension));
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The entry of `name` among `entries`; a usable one before one that is not.
const ProfileEntry* FindIn(const std::vector<ProfileEntry>& entries, std::string_view name) {
  const std::string key = NameKey(name);
  const ProfileEntry* found = nullptr;
  for (const auto& entry : entries) {
    if (NameKey(entry.name) != key) continue;
    if (entry.usable()) return &entry;
    if (!found) found = &entry;
  }
  return found;
}

// `base`, or "base (2)", "base (3)", ...: the first that no file of
// `entries` uses, compared without case (Windows and macOS folders ignore
// it).
std::string FreeStem(const std::string& base, const std::vector<ProfileEntry>& entries) {
  std::set<std::string> taken;
  for (const auto& entry : entries) taken.insert(FoldLetterCase(entry.stem));
  std::string stem = base;
  for (int n = 2; taken.contains(FoldLetterCase(stem)); ++n) stem = base + " (" + std::to_string(n) + ")";
  return stem;
}

Status MakeFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return Status::Failure("cannot make the folder " + Utf8FromPath(folder) + ": " + ec.message());
  return Status::Ok();
}

// Moves a file; empty on success, else why not.
std::string MoveFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::exists(to, ec)) return "cannot move " + Utf8FromPath(from) + ": " + Utf8FromPath(to) + " exists";
  fs::rename(from, to, ec);
  return ec ? "cannot move " + Utf8FromPath(from) + " to " + Utf8FromPath(to) + ": " + ec.message()
            : std::string();
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// When the entry was deleted: its name file is touched as it enters the
// trash (an entry without one counts by its image).
fs::file_time_type DeletedAt(const fs::path& trash, const ProfileEntry& entry) {
  std::error_code ec;
  for (const auto extension : {kNameExtension, kImageExtension}) {
    const auto time = fs::last_write_time(FileIn(trash, entry.stem, extension), ec);
    if (!ec) return time;
  }
  return fs::file_time_type::min();
}

}  // namespace

std::optional<std::string> ProfileImageProblem(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kDataBufSize) {
    return "it holds " + std::to_string(bytes.size()) + " bytes, not the " + std::to_string(kDataBufSize) +
           " of a profile";
  }
  if (bytes[kImageSignatureOffset] != kImageSignature) {
    return std::string("it has no profile signature (0x99 at byte 0x07F)");
  }
  return std::nullopt;
}

ProfileLibrary::ProfileLibrary(fs::path folder, AtomicWriteHook hook)
    : folder_(std::move(folder)), hook_(std::move(hook)) {}

Result<ProfileLibrary> ProfileLibrary::OpenUsers(AtomicWriteHook hook) {
  const auto data = UserDataFolder();
  if (!data) {
    return Result<ProfileLibrary>::Failure(
        "the profile library has no place: no home folder is known (set HOME or XDG_DATA_HOME)");
  }
  return ProfileLibrary(*data / "profiles", std::move(hook));
}

Result<std::vector<ProfileEntry>> ProfileLibrary::ListFolder(const fs::path& folder) const {
  using Entries = std::vector<ProfileEntry>;
  std::error_code ec;
  const auto status = fs::status(folder, ec);
  if (!fs::exists(status)) return Entries{};
  if (!fs::is_directory(status)) return Result<Entries>::Failure(Utf8FromPath(folder) + " is not a folder");

  struct Files {
    bool image = false;
    bool name = false;
  };
  std::map<std::string, Files> stems;
  for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec)) continue;
    const std::string file = Utf8FromPath(it->path().filename());
    if (file.ends_with(kImageExtension)) {
      stems[file.substr(0, file.size() - kImageExtension.size())].image = true;
    } else if (file.ends_with(kNameExtension)) {
      stems[file.substr(0, file.size() - kNameExtension.size())].name = true;
    }
  }
  if (ec) return Result<Entries>::Failure("cannot list " + Utf8FromPath(folder) + ": " + ec.message());

  Entries entries;
  for (const auto& [stem, files] : stems) {
    if (stem.empty()) continue;
    ProfileEntry entry{stem, stem, EntryState::kOk, {}};
    if (files.name) {
      std::string error;
      const auto bytes = ReadWholeFile(Utf8FromPath(FileIn(folder, stem, kNameExtension)), &error, kMaxNameFileBytes);
      const std::string text = bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
      if (!bytes) {
        entry.state = EntryState::kNameLost;
        entry.problem = "its name cannot be read (" + error + "); it is listed under its file name";
      } else if (ProfileNameProblem(text)) {
        entry.state = EntryState::kNameLost;
        entry.problem = "its name file " + stem + ".name is damaged; it is listed under its file name";
      } else {
        entry.name = std::string(TrimOuterBlanks(text));
      }
    } else {
      entry.state = EntryState::kNameLost;
      entry.problem = "it has no name file; it is listed under its file name";
    }
    if (!files.image) {
      entry.state = EntryState::kImageMissing;
      entry.problem = "its image file " + stem + ".bin is missing";
    } else {
      std::string error;
      const auto bytes = ReadWholeFile(Utf8FromPath(FileIn(folder, stem, kImageExtension)), &error);
      if (!bytes) {
        entry.state = EntryState::kUnreadable;
        entry.problem = "its image cannot be read: " + error;
      } else if (const auto problem = ProfileImageProblem(*bytes)) {
        entry.state = EntryState::kDamaged;
        entry.problem = "its image " + stem + ".bin is damaged: " + *problem;
      }
    }
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const ProfileEntry& a, const ProfileEntry& b) {
    const auto ka = NameKey(a.name);
    const auto kb = NameKey(b.name);
    return ka != kb ? ka < kb : a.stem < b.stem;
  });
  return entries;
}

Result<std::vector<ProfileEntry>> ProfileLibrary::List() const { return ListFolder(folder_); }

Result<ProfileEntry> ProfileLibrary::Find(std::string_view name) const {
  const auto entries = List();
  if (!entries) return Result<ProfileEntry>::Failure(entries.error());
  const ProfileEntry* entry = FindIn(*entries, name);
  if (!entry) return Result<ProfileEntry>::Failure("there is no profile named " + Quoted(TrimOuterBlanks(name)));
  return *entry;
}

Result<DataBuf> ProfileLibrary::Image(std::string_view name) const {
  const auto entry = Find(name);
  if (!entry) return Result<DataBuf>::Failure(entry.error());
  if (!entry->usable()) {
    return Result<DataBuf>::Failure("the profile " + Quoted(entry->name) + " cannot be used: " + entry->problem);
  }
  std::string error;
  const auto bytes = ReadWholeFile(Utf8FromPath(FileIn(folder_, entry->stem, kImageExtension)), &error);
  if (!bytes) return Result<DataBuf>::Failure("the profile " + Quoted(entry->name) + " cannot be read: " + error);
  if (const auto problem = ProfileImageProblem(*bytes)) {
    return Result<DataBuf>::Failure("the profile " + Quoted(entry->name) + " is damaged: " + *problem);
  }
  DataBuf image{};
  std::copy(bytes->begin(), bytes->end(), image.begin());
  return image;
}

Status ProfileLibrary::CheckNewName(std::string_view name, const std::vector<ProfileEntry>& entries,
                                    const ProfileEntry* renamed) const {
  if (const auto problem = ProfileNameProblem(name)) {
    return Status::Failure(Quoted(name) + " cannot name a profile: " + *problem);
  }
  const std::string key = NameKey(name);
  for (const auto& entry : entries) {
    if (renamed && entry.stem == renamed->stem) continue;
    if (NameKey(entry.name) == key) {
      return Status::Failure("a profile named " + Quoted(entry.name) + " already exists; choose another name");
    }
  }
  return Status::Ok();
}

Status ProfileLibrary::WriteName(const fs::path& folder, const std::string& stem, std::string_view name) const {
  const std::string text(TrimOuterBlanks(name));
  const std::string error = WriteFileAtomically(
      Utf8FromPath(FileIn(folder, stem, kNameExtension)),
      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), hook_);
  return error.empty() ? Status::Ok() : Status::Failure(error);
}

// The image first, then its name: a crash between them leaves an image
// listed under its file name, never a name without an image. When the name
// cannot be written the new image goes again, so a failed Add leaves
// nothing behind.
Status ProfileLibrary::WriteEntry(const std::string& stem, std::string_view name, const DataBuf& image) {
  if (auto made = MakeFolder(folder_); !made) return made;
  const fs::path image_path = FileIn(folder_, stem, kImageExtension);
  if (std::string error = WriteFileAtomically(Utf8FromPath(image_path), image, hook_); !error.empty()) {
    return Status::Failure(error);
  }
  if (auto named = WriteName(folder_, stem, name); !named) {
    std::error_code ignored;
    fs::remove(image_path, ignored);
    return named;
  }
  return Status::Ok();
}

Status ProfileLibrary::Add(std::string_view name, const DataBuf& image) {
  const auto entries = List();
  if (!entries) return Status::Failure(entries.error());
  if (auto checked = CheckNewName(name, *entries); !checked) return checked;
  if (const auto problem = ProfileImageProblem(image)) {
    return Status::Failure("the image cannot be kept as a profile: " + *problem);
  }
  const std::string stem = FreeStem(FileStemFor(TrimOuterBlanks(name)), *entries);
  if (auto written = WriteEntry(stem, name, image); !written) {
    return Status::Failure("the profile " + Quoted(TrimOuterBlanks(name)) + " was not saved: " + written.error());
  }
  return Status::Ok();
}

Status ProfileLibrary::Rename(std::string_view name, std::string_view new_name) {
  const auto entries = List();
  if (!entries) return Status::Failure(entries.error());
  const ProfileEntry* entry = FindIn(*entries, name);
  if (!entry) return Status::Failure("there is no profile named " + Quoted(TrimOuterBlanks(name)));
  if (auto checked = CheckNewName(new_name, *entries, entry); !checked) return checked;
  if (auto written = WriteName(folder_, entry->stem, new_name); !written) {
    return Status::Failure("the profile " + Quoted(entry->name) + " was not renamed: " + written.error());
  }
  return Status::Ok();
}

Status ProfileLibrary::Duplicate(std::string_view name, std::string_view new_name) {
  const auto image = Image(name);
  if (!image) return Status::Failure(image.error());
  return Add(new_name, *image);
}

// The name file goes first: a crash before the image follows leaves the
// image in the library, listed under its file name.
Status ProfileLibrary::Delete(std::string_view name) {
  const auto entry = Find(name);
  if (!entry) return Status::Failure(entry.error());
  const fs::path trash = trash_folder();
  const auto trashed = ListFolder(trash);
  if (!trashed) return Status::Failure(trashed.error());
  if (auto made = MakeFolder(trash); !made) return made;
  const std::string stem = FreeStem(entry->stem, *trashed);
  const auto failed = [&](const std::string& why) {
    return Status::Failure("the profile " + Quoted(entry->name) + " was not deleted: " + why);
  };

  const fs::path name_file = FileIn(folder_, entry->stem, kNameExtension);
  const fs::path image_file = FileIn(folder_, entry->stem, kImageExtension);
  const bool has_name = FileExists(name_file);
  if (has_name) {
    if (std::string error = MoveFile(name_file, FileIn(trash, stem, kNameExtension)); !error.empty()) {
      return failed(error);
    }
  }
  if (FileExists(image_file)) {
    if (std::string error = MoveFile(image_file, FileIn(trash, stem, kImageExtension)); !error.empty()) {
      if (has_name) (void)MoveFile(FileIn(trash, stem, kNameExtension), name_file);
      return failed(error);
    }
  }
  // The newest in the trash is the one deleted last: its time is made a
  // second later than every other's, since two deletes may fall within one
  // tick of the file system's times (whole seconds where the C runtime sets
  // them, as on Windows).
  fs::file_time_type when = fs::file_time_type::clock::now();
  for (const auto& other : *trashed) {
    const fs::file_time_type then = DeletedAt(trash, other);
    if (then + std::chrono::seconds(1) > when) when = then + std::chrono::seconds(1);
  }
  std::error_code ignored;
  fs::last_write_time(FileIn(trash, stem, has_name ? kNameExtension : kImageExtension), when, ignored);
  return Status::Ok();
}

Result<std::vector<ProfileEntry>> ProfileLibrary::Deleted() const {
  auto entries = ListFolder(trash_folder());
  if (!entries) return entries;
  std::vector<std::pair<fs::file_time_type, ProfileEntry>> dated;
  for (auto& entry : *entries) dated.emplace_back(DeletedAt(trash_folder(), entry), std::move(entry));
  std::stable_sort(dated.begin(), dated.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<ProfileEntry> sorted;
  for (auto& [time, entry] : dated) sorted.push_back(std::move(entry));
  return sorted;
}

// The image goes first, then a fresh name file: a crash between them leaves
// the image in the library under its file name.
Status ProfileLibrary::RestoreDeleted(std::string_view name, std::optional<std::string_view> as_name) {
  const auto trashed = Deleted();
  if (!trashed) return Status::Failure(trashed.error());
  const ProfileEntry* entry = nullptr;
  for (const auto& candidate : *trashed) {
    if (NameKey(candidate.name) == NameKey(name)) {
      entry = &candidate;
      break;
    }
  }
  if (!entry) return Status::Failure("no deleted profile is named " + Quoted(TrimOuterBlanks(name)));
  if (entry->state == EntryState::kImageMissing) {
    return Status::Failure("the deleted profile " + Quoted(entry->name) + " cannot be restored: " + entry->problem);
  }
  const std::string target = std::string(TrimOuterBlanks(as_name.value_or(entry->name)));
  const auto entries = List();
  if (!entries) return Status::Failure(entries.error());
  if (auto checked = CheckNewName(target, *entries); !checked) {
    return Status::Failure(checked.error() + (as_name ? "" : " (restore it under another name)"));
  }
  if (auto made = MakeFolder(folder_); !made) return made;
  const std::string stem = FreeStem(FileStemFor(target), *entries);
  const fs::path trash = trash_folder();
  if (std::string error = MoveFile(FileIn(trash, entry->stem, kImageExtension), FileIn(folder_, stem, kImageExtension));
      !error.empty()) {
    return Status::Failure("the profile " + Quoted(entry->name) + " was not restored: " + error);
  }
  if (auto named = WriteName(folder_, stem, target); !named) {
    return Status::Failure("the profile " + Quoted(entry->name) + " was restored under its file name " +
                           Quoted(stem) + ", without its name: " + named.error());
  }
  std::error_code ignored;
  fs::remove(FileIn(trash, entry->stem, kNameExtension), ignored);
  return Status::Ok();
}

Result<ImportedProfile> ProfileLibrary::Import(const fs::path& file, std::optional<std::string_view> name,
                                           const ExpectedCodes& expected) {
  const std::string path = Utf8FromPath(file);
  const auto refused = [&](const std::string& why) {
    return Result<ImportedProfile>::Failure(path + " was not imported: " + why);
  };
  std::string error;
  const auto bytes = ReadFileStart(path, kDataBufSize, &error);
  if (!bytes) return Result<ImportedProfile>::Failure(error);
  if (bytes->size() < kDataBufSize) {
    return refused("it holds " + std::to_string(bytes->size()) + " bytes, a profile " + std::to_string(kDataBufSize));
  }
  if (const auto problem = ProfileImageProblem(*bytes)) return refused(*problem);
  DataBuf image{};
  std::copy(bytes->begin(), bytes->end(), image.begin());
  if (const auto problem = ForeignIdentityProblem(image, expected)) return refused(*problem);
  const std::string taken(TrimOuterBlanks(name.value_or(Utf8FromPath(file.stem()))));
  if (auto added = Add(taken, image); !added) return Result<ImportedProfile>::Failure(added.error());
  return ImportedProfile{taken};
}

Status ProfileLibrary::Export(std::string_view name, const fs::path& file) const {
  const auto image = Image(name);
  if (!image) return Status::Failure(image.error());
  if (std::string error = WriteFileAtomically(Utf8FromPath(file), *image, hook_); !error.empty()) {
    return Status::Failure("the profile " + Quoted(TrimOuterBlanks(name)) + " was not exported: " + error);
  }
  return Status::Ok();
}

}  // namespace zelko
