#include "cli/image_commands.h"

#include <cstdio>
#include <iostream>

#include "cli/command_json.h"
#include "cli/image_session.h"
#include "cli/image_show.h"
#include "base/atomic_file.h"
#include "image/backup_store.h"
#include "image/image_flows.h"
#include "base/file_reading.h"
#include "image/expected_codes.h"
#include "session/use_cases.h"
#include "image/section_backup.h"
#include "image/section_read.h"

namespace zelko::cli {
namespace {

void SetExit(CliContext& context, int code) {
  if (context.exit_code == kExitOk) context.exit_code = code;
}

std::string JoinedParts(const UnpackReport& report) {
  std::string text;
  for (const auto& part : report.RepairedParts()) text += (text.empty() ? "" : ", ") + part;
  return text;
}

void PrintRepairs(const UnpackReport& report, const char* what) {
  if (report.AnyRepaired()) {
    std::printf("Damaged in %s and replaced by the built-in defaults: %s\n", what,
                JoinedParts(report).c_str());
  } else {
    std::printf("Every section of %s is intact.\n", what);
  }
}

// Reads a profile or backup file before the mouse is touched.
bool ReadImageFile(CliContext& context, const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::string error;
  auto file = ReadWholeFile(path, &error);
  if (!file) {
    PrintError(error.empty() ? "cannot read " + path : error);
    SetExit(context, kExitBadInput);
    return false;
  }
  bytes = std::move(*file);
  return true;
}

// The file laid over the image read, refused without the signature. A
// backup of sections puts back the sections it holds.
void WriteImageFile(CliContext& context, const std::string& path, const WriteOptions& options,
                    const BackupMaker& made_by) {
  std::vector<std::uint8_t> bytes;
  if (!ReadImageFile(context, path, bytes)) return;
  ImageWriteRequest request;
  request.mode = WriteMode::kWriteImage;
  request.dry_run = options.dry_run;
  request.made_by = made_by;
  std::string damaged;
  if (LooksLikeSectionBackup(bytes)) {
    const auto content = DecodeSectionBackup(bytes, &damaged);
    if (!content) {
      PrintError(path + " cannot be restored: " + damaged);
      SetExit(context, kExitBadInput);
      return;
    }
    request.ranges_to_read = PlanRangeRead(content->ranges);
    request.edit = [content](Workspace& w, std::string& error) {
      DataBuf image = w.data_buf;
      LayBackupOver(*content, image);
      if (const auto problem = ForeignIdentityProblem(image, ShippedExpectedCodes())) {
        error = "the backup was not written: " + *problem;
        return false;
      }
      w.data_buf = image;
      return true;
    };
    RunImageWrite(context, request);
    return;
  }
  const int language = context.options.language;
  request.edit = [&bytes, &path, language](Workspace& w, std::string& error) {
    const session::ProfileLoadPlan plan = session::PlanProfileLoad(w.data_buf, bytes, ShippedExpectedCodes());
    switch (plan.verdict) {
      case session::ProfileLoadVerdict::kNoSignature:
        error = MessageText(kBadProfileTextId, language) + " (" + path +
                (bytes.size() <= kImageSignatureOffset ? " ends before byte 0x07F" : " has no 0x99 at 0x07F") +
                ")";
        return false;
      case session::ProfileLoadVerdict::kForeignIdentity:
        error = path + " was not written: " + plan.problem;
        return false;
      case session::ProfileLoadVerdict::kWrite:
        break;
    }
    const UnpackReport report = w.LoadImage(plan.image, ImageSource::kProfileFile);
    w.CommitRepairs(report);
    if (report.AnyRepaired()) PrintRepairs(report, "the file");
    return true;
  };
  RunImageWrite(context, request);
}

}  // namespace

void RunRead(CliContext& context) {
  auto session = ImageSession::Open(context);
  if (!session) return;
  if (session->ReadMouse(context)) {
    const FlowResult& read = session->last_read();
    std::printf("Read %zu bytes from the mouse", kDataBufSize);
    if (read.read.tries > 1) std::printf(" (%d tries for unanswered chunks)", read.read.tries);
    std::printf(".\n");
    PrintRepairs(read.unpack, "the mouse's image");
  }
  session->Finish(context);
}

void RunShow(CliContext& context, bool json) {
  auto session = ImageSession::Open(context);
  if (!session) return;
  if (session->ReadMouse(context)) {
    ShowOutput out = ShowImage(session->workspace(), context.options.language);
    const UnpackReport& repairs = session->last_read().unpack;
    if (json) {
      std::cout << ShowJson(session->workspace(), context.options.language, repairs.RepairedParts()).dump(2) << "\n";
    } else {
      std::cout << out.text;
      if (repairs.AnyRepaired()) {
        std::cout << "Repaired       " << JoinedParts(repairs)
                  << " (damaged in the mouse; shown as the built-in defaults)\n";
      }
    }
  }
  session->Finish(context);
}

void RunSave(CliContext& context, const std::string& path) {
  auto session = ImageSession::Open(context);
  if (!session) return;
  if (session->ReadMouse(context)) {
    const std::string error = WriteFileAtomically(path, session->workspace().data_buf);
    if (error.empty()) {
      std::printf("Saved the mouse's image to %s\n", path.c_str());
    } else {
      PrintError(error);
      SetExit(context, kExitFailure);
    }
  }
  session->Finish(context);
}

void RunLoad(CliContext& context, const std::string& path, const WriteOptions& options) {
  WriteImageFile(context, path, options, {"load", ""});
}

void RunReset(CliContext& context, int image, const WriteOptions& options) {
  ImageWriteRequest request;
  request.mode = WriteMode::kWriteImage;
  request.dry_run = options.dry_run;
  request.made_by = {"reset", ""};
  request.edit = [image](Workspace& w, std::string& error) {
    if (w.LoadFactoryImage(image, ImageSource::kFactoryImage)) return true;
    error = "factory image " + std::to_string(image) + " is not in this program";
    return false;
  };
  RunImageWrite(context, request);
}

void RunDefaults(CliContext& context, const WriteOptions& options) {
  ImageWriteRequest request;
  request.mode = WriteMode::kWriteImage;
  request.dry_run = options.dry_run;
  request.made_by = {"defaults", ""};
  request.edit = [](Workspace& w, std::string&) {
    w.BuildBuiltInDefaults();
    return true;
  };
  RunImageWrite(context, request);
}

void RunRestore(CliContext& context, const std::string& path, const WriteOptions& options) {
  const std::string folder = DefaultBackupFolder();
  std::optional<BackupEntry> chosen = ParseBackupName(path);
  if (path.empty()) {
    const auto backups = ListBackupEntries(folder);
    chosen = BackupToRestore(backups);
    if (!chosen) {
      PrintError((backups.empty() ? "no backups in " : "every backup was already restored or made by a restore in ") +
                 (folder.empty() ? std::string("the data folder") : folder));
      SetExit(context, kExitBadInput);
      return;
    }
  }
  const std::string file = chosen ? chosen->path : path;
  std::printf("Restoring %s\n", file.c_str());
  // The backup this restore keeps is marked, with the one it puts back, so
  // that the next plain restore walks on past both.
  WriteImageFile(context, file, options, {std::string(kRestoreWrite), chosen ? chosen->stamp : ""});
}

void RunBackups(CliContext& context) {
  const std::string folder = DefaultBackupFolder();
  if (context.options.json) {
    std::cout << BackupsJson(folder, ListBackups(folder)).dump(2) << "\n";
    return;
  }
  const auto backups = ListBackupEntries(folder);
  if (backups.empty()) {
    std::printf("No backups in %s\n", folder.c_str());
    return;
  }
  const auto next = BackupToRestore(backups);
  for (const auto& entry : backups) {
    std::string made = entry.maker.write.empty() ? "-" : entry.maker.write;
    if (!entry.maker.restored_stamp.empty()) made += " of " + entry.maker.restored_stamp;
    std::printf("%s  %-10s %-8s %s\n", next && next->path == entry.path ? "*" : " ", made.c_str(),
                entry.whole ? "whole" : "sections", entry.path.c_str());
  }
}

}  // namespace zelko::cli
