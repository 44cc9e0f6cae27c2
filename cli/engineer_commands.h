// zelko77ctl's engineer operations: the key test and the identity codes.
#pragma once
#include <string>

#include "cli/cli_context.h"

namespace zelko::cli {

// Polls the mouse's button-state word and prints each button as it is
// pressed; ends after five seconds without a pressed button (a countdown on
// a terminal) or on Ctrl+C, with the closing commands either way.
void RunKeyTest(CliContext& context);

struct SetIdentityOptions {
  std::string vendor;   // manufacturer code, 0..255 (decimal or 0x hex)
  std::string product;  // product code, 0..255
  bool force = false;   // write a pair the program will refuse afterwards
  bool dry_run = false;
};

// Writes the manufacturer and product codes (0x36, 0x37) with the image
// write path: read, backup, write, verify.
void RunSetIdentity(CliContext& context, const SetIdentityOptions& options);

}  // namespace zelko::cli
