#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/device_commands.h"
#include "cli/device_session.h"
#include "cli/id_text.h"

namespace zelko::cli {
namespace {

const char* StateText(ExchangeState state) {
  switch (state) {
    case ExchangeState::kNoDevice: return "no device";
    case ExchangeState::kNotAcknowledged: return "not acknowledged";
    case ExchangeState::kBadSignature: return "bad status signature";
    case ExchangeState::kNotConfigurable: return "not configurable";
    case ExchangeState::kConfigurable: return "configurable";
    case ExchangeState::kMouseBusy: return "held by another program";
  }
  return "";
}

struct InfoFacts {
  std::string path;
  DeviceLinkState link;
  ExchangeResult exchange;
  bool identity_read = false;
  std::array<std::uint8_t, kIdentityLength> identity{0xFF, 0xFF};
};

void PrintText(const InfoFacts& f) {
  const bool answered = f.exchange.state != ExchangeState::kNotAcknowledged &&
                        f.exchange.state != ExchangeState::kNoDevice;
  std::printf("path:           %s\n", f.path.c_str());
  std::printf("vendor id:      %s\n", HexText(f.link.DeviceVendorId, 4).c_str());
  std::printf("product id:     %s\n", HexText(f.link.DeviceProductId, 4).c_str());
  std::printf("version:        %s\n", HexText(f.link.DeviceVersion, 4).c_str());
  std::printf("handshake:      %s\n", StateText(f.exchange.state));
  if (answered) {
    std::printf("status flag:    %s\n", f.exchange.status_flag ? "set" : "clear");
    std::printf("chip id:        %s (chip code %s)\n", HexText(f.exchange.chip_id).c_str(),
                HexText(f.exchange.chip_code).c_str());
  }
  std::printf("configurable:   %s\n", f.exchange.configurable() ? "yes" : "no");
  if (f.identity_read) {
    std::printf("identity bytes: %s %s\n", HexText(f.identity[0]).c_str(),
                HexText(f.identity[1]).c_str());
  }
}

void PrintJson(const InfoFacts& f) {
  nlohmann::json out{
      {"path", f.path},
      {"vendor_id", HexText(f.link.DeviceVendorId, 4)},
      {"product_id", HexText(f.link.DeviceProductId, 4)},
      {"version", HexText(f.link.DeviceVersion, 4)},
      {"handshake", StateText(f.exchange.state)},
      {"status_flag", f.exchange.status_flag},
      {"chip_id", HexText(f.exchange.chip_id)},
      {"chip_code", HexText(f.exchange.chip_code)},
      {"configurable", f.exchange.configurable()},
  };
  out["identity"] = f.identity_read ? nlohmann::json::array({HexText(f.identity[0]), HexText(f.identity[1])})
                                    : nlohmann::json(nullptr);
  std::printf("%s\n", out.dump(2).c_str());
}

}  // namespace

void RunInfo(CliContext& context, const InfoOptions& options) {
  auto session = OpenDeviceSession(context);
  if (!session) return;
  CommandChannel& channel = session->channel();
  InfoFacts facts;
  facts.path = session->link().DevicePath();
  facts.link = session->link().state();
  facts.exchange = channel.BeginExchange();

  if (facts.exchange.configurable()) {
    BlockTransferReport report;
    facts.identity_read = channel.ReadBlock(kIdentityAddress, kIdentityLength, facts.identity, &report) &&
                          report.all_acknowledged();
    if (!facts.identity_read) {
      PrintError("the identity bytes at 0x36 and 0x37 could not be read");
      context.exit_code = kExitTransferFailed;
    }
  }
  // What info reports was read before the closing pair: an unanswered end
  // is told, but does not change the facts or the exit status.
  if (facts.exchange.needs_closing_pair() && !channel.EndExchange()) {
    PrintError(std::string("note: ") + kEndNotAcknowledgedText);
  }

  if (options.json) PrintJson(facts); else PrintText(facts);

  switch (facts.exchange.state) {
    case ExchangeState::kNoDevice:
    case ExchangeState::kNotAcknowledged:
      PrintError("the mouse did not answer the opening handshake; unplug and replug it, then try again");
      context.exit_code = kExitTransferFailed;
      break;
    case ExchangeState::kBadSignature:
    case ExchangeState::kNotConfigurable:
      context.exit_code = kExitNotConfigurable;
      break;
    case ExchangeState::kConfigurable:
      break;
    case ExchangeState::kMouseBusy:
      ReportMouseBusy(facts.exchange.lock, context);
      break;
  }
  session->Finish(context);
}

}  // namespace zelko::cli
