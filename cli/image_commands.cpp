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

// The file laid over the image read, refused without the signature.
void WriteImageFile(CliContext& context, const std::string& path, const WriteOptions& options) {
  std::vector<std::uint8_t> bytes;
  if (!ReadImageFile(context, path, bytes)) return;
  ImageWriteRequest request;
  request.mode = WriteMode::kWriteImage;
  request.dry_run = options.dry_run;
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
  WriteImageFile(context, path, options);
}

void RunReset(CliContext& context, int image, const WriteOptions& options) {
  ImageWriteRequest request;
  request.mode = WriteMode::kWriteImage;
  request.dry_run = options.dry_run;
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
  request.edit = [](Workspace& w, std::string&) {
    w.BuildBuiltInDefaults();
    return true;
  };
  RunImageWrite(context, request);
}

void RunRestore(CliContext& context, const std::string& path, const WriteOptions& options) {
  const std::string folder = DefaultBackupFolder();
  const auto chosen = session::BackupToRestore(path, folder);
  if (!chosen) {
    PrintError("no backups in " + (folder.empty() ? std::string("the data folder") : folder));
    SetExit(context, kExitBadInput);
    return;
  }
  std::printf("Restoring %s\n", chosen->c_str());
  WriteImageFile(context, *chosen, options);
}

void RunBackups(CliContext& context) {
  const std::string folder = DefaultBackupFolder();
  const auto backups = ListBackups(folder);
  if (context.options.json) {
    std::cout << BackupsJson(folder, backups).dump(2) << "\n";
    return;
  }
  if (backups.empty()) {
    std::printf("No backups in %s\n", folder.c_str());
    return;
  }
  for (const auto& path : backups) std::printf("%s\n", path.c_str());
}

}  // namespace zelko::cli
