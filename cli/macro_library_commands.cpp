// macro list, show, new, rename, delete, set, export, export-all, import,
// import-all: the PC library file.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <system_error>

#include "cli/command_json.h"
#include "cli/device_session.h"
#include "cli/macro_commands.h"
#include "base/atomic_file.h"
#include "macros/library_file.h"
#include "macros/macro_editor.h"
#include "macros/macro_lines.h"
#include "macros/macro_name_codec.h"
#include "resources/general_pack.h"
#include "resources/language_pack.h"
#include "base/file_reading.h"
#include "base/path_text.h"
#include "base/user_folders.h"
#include "session/use_cases.h"

namespace zelko::cli {
namespace {

std::optional<std::filesystem::path> DefaultLibraryFile() {
  return session::MacroLibraryPlace(LoadGeneralPack().Path, ProgramFolder().value_or(std::filesystem::path()));
}

std::optional<std::vector<std::uint8_t>> ReadInputFile(CliContext& context, const std::string& file) {
  std::string error;
  auto bytes = ReadWholeFile(file, &error);
  if (!bytes) FailCommand(context, kExitBadInput, error.empty() ? "cannot read " + file : error);
  return bytes;
}

bool WriteOutputFile(CliContext& context, const std::string& file, std::span<const std::uint8_t> bytes) {
  const std::string error = WriteFileAtomically(file, bytes);
  if (error.empty()) return true;
  FailCommand(context, kExitFailure, error);
  return false;
}

// The message of a refused library change.
void ReportRefusal(CliContext& context, LibraryResult result) {
  switch (result) {
    case LibraryResult::kDuplicateName:
      FailCommand(context, kExitBadInput, PackText(context, "Str106", "This macro already exists"));
      break;
    case LibraryResult::kFull:
      FailCommand(context, kExitBadInput, "the macro library is full");
      break;
    case LibraryResult::kFileTooShort:
      FailCommand(context, kExitBadInput, PackText(context, "Str103", "Macro bin length out of range"));
      break;
    case LibraryResult::kNoName:
      FailCommand(context, kExitBadInput, "the macro has no name");
      break;
    case LibraryResult::kNoSuchEntry:
      FailCommand(context, kExitBadInput, "no such macro");
      break;
    case LibraryResult::kOk:
      break;
  }
}

bool NameAccepted(CliContext& context, const std::string& name) {
  if (const auto problem = MacroNameProblem(name)) {
    FailCommand(context, kExitBadInput, *problem);
    return false;
  }
  return true;
}

// Lines of a text file: CR LF or LF, blank lines skipped.
std::optional<std::vector<std::string>> ReadLinesFile(CliContext& context, const std::string& file) {
  std::stringstream text;
  if (file == "-") {
    text << std::cin.rdbuf();
  } else {
    const auto bytes = ReadInputFile(context, file);
    if (!bytes) return std::nullopt;
    text.str(std::string(bytes->begin(), bytes->end()));
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

void FailCommand(CliContext& context, int exit_code, const std::string& text) {
  PrintError(text);
  context.exit_code = exit_code;
}

std::string PackText(const CliContext& context, const char* id, const char* fallback) {
  std::string text = LangText(context.options.language, id);
  return text.empty() ? fallback : text;
}

std::optional<LoadedLibrary> LoadLibraryForCommand(CliContext& context, const MacroOptions& options) {
  LoadedLibrary loaded;
  const bool chosen = !options.library.empty();
  if (chosen) {
    loaded.file = PathFromUtf8(options.library);
  } else if (const auto file = DefaultLibraryFile()) {
    loaded.file = *file;
  } else {
    FailCommand(context, kExitFailure,
                "no folder for the macro library (set XDG_DATA_HOME or HOME, or APPDATA on Windows, or use --library)");
    return std::nullopt;
  }
  std::error_code error;
  if (chosen && std::filesystem::is_regular_file(loaded.file, error)) {
    const auto size = std::filesystem::file_size(loaded.file, error);
    if (!error && size != kLibraryFileSize) {
      FailCommand(context, kExitBadInput,
           Utf8FromPath(loaded.file) + " has " + std::to_string(size) +
               " bytes; a macro library file has exactly 25600");
      return std::nullopt;
    }
  }
  switch (LoadOrCreateLibraryFile(loaded.file, loaded.library)) {
    case LibraryLoad::kLoaded:
    case LibraryLoad::kCreated:
      return loaded;
    case LibraryLoad::kLoadedShort:
    case LibraryLoad::kLoadedLong:
      std::fprintf(stderr,
                   "zelko77ctl: warning: %s does not have 25600 bytes; the entries it reaches were read "
                   "and the next change writes it whole\n",
                   Utf8FromPath(loaded.file).c_str());
      return loaded;
    case LibraryLoad::kCreateFailed:
      FailCommand(context, kExitFailure, "cannot create the macro library " + Utf8FromPath(loaded.file));
      return std::nullopt;
    case LibraryLoad::kUnreadable:
      FailCommand(context, kExitFailure, "cannot read the macro library " + Utf8FromPath(loaded.file));
      return std::nullopt;
  }
  return std::nullopt;
}

bool SaveLibrary(CliContext& context, const LoadedLibrary& loaded) {
  if (SaveLibraryFile(loaded.file, loaded.library)) return true;
  FailCommand(context, kExitFailure, "cannot write the macro library " + Utf8FromPath(loaded.file));
  return false;
}

std::optional<std::size_t> FindMacroOrComplain(CliContext& context, const PCMacroLibrary& library,
                                               const std::string& name) {
  const auto entry = library.FindByName(name);
  if (!entry) FailCommand(context, kExitBadInput, "no macro named \"" + name + "\" in the library");
  return entry;
}

void RunMacroList(CliContext& context, const MacroOptions& options) {
  const auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  std::vector<MacroListEntry> listed;
  for (std::size_t entry : loaded->library.EntriesInUse()) {
    listed.push_back({entry + 1, MacroNameText(loaded->library.names[entry])});
  }
  if (context.options.json) {
    std::printf("%s\n", MacroListJson(loaded->file.string(), listed).dump(2).c_str());
    return;
  }
  for (const MacroListEntry& macro : listed) std::printf("%s\n", macro.name.c_str());
}

void RunMacroShow(CliContext& context, const MacroOptions& options, const std::string& name) {
  auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const auto entry = FindMacroOrComplain(context, loaded->library, name);
  if (!entry) return;
  MacroEditor editor(loaded->library, {});
  editor.Open(*entry);
  if (context.options.json) {
    std::printf("%s\n", MacroShowJson(MacroNameText(loaded->library.names[*entry]), editor.lines(), editor.release_stop()).dump(2).c_str());
    return;
  }
  for (const std::string& line : editor.lines()) std::printf("%s\n", line.c_str());
}

void RunMacroNew(CliContext& context, const MacroOptions& options, const std::string& name) {
  if (!NameAccepted(context, name)) return;
  auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const LibraryChange change = NewMacro(loaded->library, name);
  if (change.result != LibraryResult::kOk) return ReportRefusal(context, change.result);
  SaveLibrary(context, *loaded);
}

void RunMacroRename(CliContext& context, const MacroOptions& options, const std::string& old_name,
                    const std::string& new_name) {
  if (!NameAccepted(context, new_name)) return;
  auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const auto entry = FindMacroOrComplain(context, loaded->library, old_name);
  if (!entry) return;
  const LibraryChange change = RenameMacro(loaded->library, *entry, new_name);
  if (change.result != LibraryResult::kOk) return ReportRefusal(context, change.result);
  SaveLibrary(context, *loaded);
}

void RunMacroDelete(CliContext& context, const MacroOptions& options, const std::string& name) {
  auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const auto entry = FindMacroOrComplain(context, loaded->library, name);
  if (!entry) return;
  DeleteMacro(loaded->library, *entry);
  SaveLibrary(context, *loaded);
}

void RunMacroSet(CliContext& context, const MacroOptions& options, const std::string& name,
                 const std::string& lines_file, const std::string& release) {
  const auto text_lines = ReadLinesFile(context, lines_file);
  if (!text_lines) return;
  MacroLines lines;
  for (std::size_t i = 0; i < text_lines->size(); ++i) {
    const std::string& line = (*text_lines)[i];
    if (line.empty()) continue;
    if (lines.empty() && IsHeaderLine(line)) {
      lines.push_back(line);
      continue;
    }
    if (const auto problem = MacroLineProblem(line)) {
      return FailCommand(context, kExitBadInput,
                  lines_file + ":" + std::to_string(i + 1) + ": \"" + line + "\": " + *problem);
    }
    lines.push_back(line);
  }

  auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const auto entry = FindMacroOrComplain(context, loaded->library, name);
  if (!entry) return;
  MacroEditor editor(loaded->library, [&](const PCMacroLibrary&) { return SaveLibrary(context, *loaded); });
  editor.Open(*entry);
  if (release == "stop") editor.ChooseReleaseStop();
  if (release == "continue") editor.ChooseReleaseContinue();
  MacroLines wanted = std::move(lines);
  if (wanted.empty() || !IsHeaderLine(wanted.front())) wanted.insert(wanted.begin(), HeaderLine(DelayMode::kNone));
  const EncodedMacro encoded = EncodeMacroLines(wanted, editor.release_mode());
  if (encoded.cut()) {
    return FailCommand(context, kExitBadInput,
                "the lines take " + std::to_string(encoded.wanted_bytes) +
                    " event bytes; a macro holds at most 221");
  }
  editor.ReplaceLines(wanted);  // saves; a failed save has set the exit code
}

void RunMacroExport(CliContext& context, const MacroOptions& options, const std::string& name,
                    const std::string& file) {
  const auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const auto entry = FindMacroOrComplain(context, loaded->library, name);
  if (!entry) return;
  WriteOutputFile(context, file, ExportOneMacro(loaded->library, *entry));
}

void RunMacroExportAll(CliContext& context, const MacroOptions& options, const std::string& file) {
  const auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  WriteOutputFile(context, file, LibraryToBytes(loaded->library));
}

void RunMacroImport(CliContext& context, const MacroOptions& options, const std::string& file) {
  const auto bytes = ReadInputFile(context, file);
  if (!bytes) return;
  auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const LibraryChange change = ImportOneMacro(loaded->library, *bytes);
  if (change.result == LibraryResult::kFull) {
    return FailCommand(context, kExitBadInput, "the macro library holds 99 macros or more; nothing was imported");
  }
  if (change.result != LibraryResult::kOk) return ReportRefusal(context, change.result);
  if (!SaveLibrary(context, *loaded)) return;
  if (bytes->size() != kMacroRecordSize) {
    std::fprintf(stderr, "zelko77ctl: %s has %zu bytes: its first 256 were imported\n", file.c_str(),
                 bytes->size());
  }
  std::printf("%s\n", MacroNameText(loaded->library.names[change.entry]).c_str());
}

void RunMacroImportAll(CliContext& context, const MacroOptions& options, const std::string& file) {
  const auto bytes = ReadInputFile(context, file);
  if (!bytes) return;
  auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const LibraryChange change = ImportAllMacros(loaded->library, *bytes);
  if (change.result != LibraryResult::kOk) return ReportRefusal(context, change.result);
  if (bytes->size() != kLibraryFileSize) {
    const std::size_t records = std::min(bytes->size() / kMacroRecordSize, kLibraryEntryCount);
    std::fprintf(stderr, "zelko77ctl: %s has %zu bytes: entries 1..%zu were replaced, the others kept\n",
                 file.c_str(), bytes->size(), records);
  }
  SaveLibrary(context, *loaded);
}

}  // namespace zelko::cli
