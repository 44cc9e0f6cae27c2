// The macro commands of zelko77ctl: the PC library (list, show, new,
// rename, delete, set, export, import) and the device slots (slots,
// import-slots, assign).
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "macros/macro_library.h"

namespace zelko::cli {

struct MacroOptions {
  // --library FILE; empty: the library file of the program.
  std::string library;
};

// The library file the commands work on, loaded. A missing file is created
// from the default library. A file given with --library whose size is not
// 25,600 bytes is refused (it is probably not a macro library, and the next
// change would replace it); the program's own library file is read as far
// as its whole records go, with a warning, and is made whole at the next
// change.
struct LoadedLibrary {
  std::filesystem::path file;
  PCMacroLibrary library;
};
std::optional<LoadedLibrary> LoadLibraryForCommand(CliContext& context, const MacroOptions& options);

// Saves the library; prints why and sets the exit code when it cannot.
bool SaveLibrary(CliContext& context, const LoadedLibrary& loaded);

// The entry in use with this name; prints "no macro named ..." and sets
// kExitBadInput when there is none.
std::optional<std::size_t> FindMacroOrComplain(CliContext& context, const PCMacroLibrary& library,
                                               const std::string& name);

// Prints "zelko77ctl: <text>" on stderr and sets the exit code.
void FailCommand(CliContext& context, int exit_code, const std::string& text);

// A text of the current language pack ("Str106"), with a fallback when the
// pack has none.
std::string PackText(const CliContext& context, const char* id, const char* fallback);

void RunMacroList(CliContext& context, const MacroOptions& options);
void RunMacroShow(CliContext& context, const MacroOptions& options, const std::string& name);
void RunMacroNew(CliContext& context, const MacroOptions& options, const std::string& name);
void RunMacroRename(CliContext& context, const MacroOptions& options, const std::string& old_name,
                    const std::string& new_name);
void RunMacroDelete(CliContext& context, const MacroOptions& options, const std::string& name);
void RunMacroSet(CliContext& context, const MacroOptions& options, const std::string& name,
                 const std::string& lines_file, const std::string& release);
void RunMacroExport(CliContext& context, const MacroOptions& options, const std::string& name,
                    const std::string& file);
void RunMacroExportAll(CliContext& context, const MacroOptions& options, const std::string& file);
void RunMacroImport(CliContext& context, const MacroOptions& options, const std::string& file);
void RunMacroImportAll(CliContext& context, const MacroOptions& options, const std::string& file);

void RunMacroSlots(CliContext& context);
// Both write through the read-edit-write path of the image commands: a
// backup of the image read first, or with `dry_run` only the bytes that
// would change.
void RunMacroImportSlots(CliContext& context, const std::string& file, bool dry_run);
void RunMacroAssign(CliContext& context, const MacroOptions& options, int profile, int button,
                    const std::string& name, bool dry_run);

}  // namespace zelko::cli
