// zelko77ctl set-identity: the manufacturer and product codes at 0x36 and
// 0x37, the pair the program looks for before it reads the mouse.
#include <cstdio>
#include <optional>
#include <tuple>

#include "base/number_text.h"
#include "cli/device_session.h"
#include "cli/engineer_commands.h"
#include "cli/image_session.h"
#include "image/expected_codes.h"

namespace zelko::cli {
namespace {

// "18", "0x12": a code of one byte.
std::optional<std::uint8_t> ParseCode(const std::string& text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const auto value = hex ? ParseHexNumber(text, 0xFF) : ParseDecimalNumber(text, 0xFF);
  if (!value) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

}  // namespace

void RunSetIdentity(CliContext& context, const SetIdentityOptions& options) {
  const auto vendor = ParseCode(options.vendor);
  const auto product = ParseCode(options.product);
  for (const auto& [text, code, what] : {std::tuple{&options.vendor, vendor, "VID"},
                                         std::tuple{&options.product, product, "PID"}}) {
    if (!code) {
      PrintError(std::string(what) + " \"" + *text + "\" is not a code from 0 to 255 (decimal, or hex with 0x)");
      context.exit_code = kExitBadInput;
      return;
    }
  }
  ImageWriteRequest request;
  request.dry_run = options.dry_run;
  request.made_by = {"set-identity", ""};
  bool foreign = false;
  request.edit_settings = [&](MouseSettings& settings, Workspace& workspace, std::string& error) {
    DataBuf after = workspace.data_buf;
    after[kManufacturerCodeAddress] = *vendor;
    after[kProductCodeAddress] = *product;
    if (const auto problem = ForeignIdentityProblem(after, ShippedExpectedCodes())) {
      if (!options.force) {
        error = "not written: " + *problem + " (--force writes it all the same)";
        return false;
      }
      foreign = true;
    }
    settings.options.manufacturer_code = *vendor;
    settings.options.product_code = *product;
    return true;
  };
  RunImageWrite(context, request);
  if (foreign && context.exit_code == kExitOk && !options.dry_run) {
    std::printf("The mouse now carries codes %u, %u, which this program refuses: only a program that "
                "accepts them can read or reset it now.\n",
                static_cast<unsigned>(*vendor), static_cast<unsigned>(*product));
  }
}

}  // namespace zelko::cli
