#include "device/traffic_record.h"

#include <nlohmann/json.hpp>

#include "base/file_reading.h"

namespace zelko {
namespace {

using nlohmann::json;

struct KindName {
  TrafficKind kind;
  const char* name;
};
constexpr KindName kKindNames[] = {
    {TrafficKind::kHeader, "header"},       {TrafficKind::kEnumerate, "enumerate"},
    {TrafficKind::kOpen, "open"},           {TrafficKind::kClose, "close"},
    {TrafficKind::kAttributes, "attributes"}, {TrafficKind::kFeatureLength, "feature_length"},
    {TrafficKind::kSetFeature, "set"},      {TrafficKind::kGetFeature, "get"},
    {TrafficKind::kDescriptor, "descriptor"}, {TrafficKind::kChip, "chip"},
};

const char* KindName(TrafficKind kind) {
  for (const auto& entry : kKindNames) {
    if (entry.kind == kind) return entry.name;
  }
  return "?";
}

std::optional<TrafficKind> KindFromName(std::string_view name) {
  for (const auto& entry : kKindNames) {
    if (name == entry.name) return entry.kind;
  }
  return std::nullopt;
}

std::string Hex4(std::uint16_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i, value = static_cast<std::uint16_t>(value >> 4)) text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  return text;
}

std::optional<std::uint16_t> ParseHex4(std::string_view text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  std::uint16_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = static_cast<std::uint16_t>(value * 16 + digit);
  }
  return value;
}

// Reading fields without exceptions: each getter leaves `ok` false on a
// missing field or one of the wrong type.
class Fields {
 public:
  explicit Fields(const json& object) : object_(object) {}
  bool ok() const { return ok_; }
  const std::string& missing() const { return missing_; }

  const json* Find(const char* name) {
    const auto it = object_.find(name);
    if (it == object_.end()) return Fail(name);
    return &*it;
  }
  std::string String(const char* name) {
    const json* value = Find(name);
    if (!value || !value->is_string()) return Fail(name), std::string{};
    return value->get<std::string>();
  }
  std::int64_t Integer(const char* name, std::int64_t low, std::int64_t high) {
    const json* value = Find(name);
    if (!value || !value->is_number_integer()) return Fail(name), 0;
    const auto number = value->get<std::int64_t>();
    if (number < low || number > high) return Fail(name), 0;
    return number;
  }
  bool Boolean(const char* name) {
    const json* value = Find(name);
    if (!value || !value->is_boolean()) return Fail(name), false;
    return value->get<bool>();
  }
  std::vector<std::uint8_t> Bytes(const char* name) {
    const std::string text = String(name);
    if (!ok_) return {};
    auto bytes = ParseBytesText(text);
    if (!bytes) return Fail(name), std::vector<std::uint8_t>{};
    return *bytes;
  }
  bool IsNull(const char* name) {
    const auto it = object_.find(name);
    return it != object_.end() && it->is_null();
  }
  std::nullptr_t Fail(const char* name) {
    if (ok_) missing_ = name;
    ok_ = false;
    return nullptr;
  }

 private:
  const json& object_;
  bool ok_ = true;
  std::string missing_;
};

constexpr std::int64_t kMaxHandle = 1 << 30;
constexpr std::int64_t kMaxMs = std::int64_t{1} << 52;  // exact in a double

}  // namespace

std::string BytesText(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) text += ' ';
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0xF];
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> ParseBytesText(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    if (i + 2 > text.size()) return std::nullopt;
    const auto value = ParseHex4(text.substr(i, 2));
    if (!value) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*value));
    i += 2;
    if (i < text.size() && text[i] != ' ') return std::nullopt;
  }
  return bytes;
}

std::string TrafficLine(const TrafficEntry& entry) {
  json line;
  line["t"] = KindName(entry.kind);
  switch (entry.kind) {
    case TrafficKind::kHeader:
      line["format"] = entry.header.format;
      line["program"] = entry.header.program;
      line["program_version"] = entry.header.program_version;
      line["platform"] = entry.header.platform;
      return line.dump();
    case TrafficKind::kDescriptor:
      line["handle"] = entry.handle;
      line["bytes"] = BytesText(entry.data);
      return line.dump();
    case TrafficKind::kChip:
      line["code"] = BytesText(std::span(&entry.chip_code, 1));
      return line.dump();
    default:
      break;
  }
  line["ms"] = entry.ms;
  switch (entry.kind) {
    case TrafficKind::kEnumerate:
      line["interfaces"] = entry.interfaces ? json(*entry.interfaces) : json(nullptr);
      break;
    case TrafficKind::kOpen:
      line["path"] = entry.path;
      line["handle"] = entry.handle;
      break;
    case TrafficKind::kClose:
      line["handle"] = entry.handle;
      break;
    case TrafficKind::kAttributes:
      line["handle"] = entry.handle;
      if (entry.attributes) {
        line["ids"] = Hex4(entry.attributes->vendor_id) + ":" + Hex4(entry.attributes->product_id);
        line["release"] = Hex4(entry.attributes->version);
      } else {
        line["ids"] = nullptr;
      }
      break;
    case TrafficKind::kFeatureLength:
      line["handle"] = entry.handle;
      line["bytes"] = entry.feature_length ? json(*entry.feature_length) : json(nullptr);
      break;
    case TrafficKind::kSetFeature:
    case TrafficKind::kGetFeature:
      line["handle"] = entry.handle;
      line["data"] = BytesText(entry.data);
      if (entry.kind == TrafficKind::kGetFeature) line["reply"] = BytesText(entry.reply);
      line["ok"] = entry.ok;
      break;
    default:
      break;
  }
  return line.dump();
}

std::optional<TrafficEntry> ParseTrafficLine(std::string_view text, std::string* error) {
  auto fail = [error](std::string why) -> std::optional<TrafficEntry> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  const json line = json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
  if (line.is_discarded() || !line.is_object()) return fail("not a JSON object");
  Fields fields(line);
  const auto kind = KindFromName(fields.String("t"));
  if (!kind) return fail("no known \"t\" (kind of line)");
  TrafficEntry entry;
  entry.kind = *kind;
  const bool timed = entry.kind != TrafficKind::kHeader && entry.kind != TrafficKind::kDescriptor &&
                     entry.kind != TrafficKind::kChip;
  if (timed) entry.ms = static_cast<std::uint64_t>(fields.Integer("ms", 0, kMaxMs));
  switch (entry.kind) {
    case TrafficKind::kHeader:
      entry.header.format = static_cast<int>(fields.Integer("format", 0, 1000));
      entry.header.program = fields.String("program");
      entry.header.program_version = fields.String("program_version");
      entry.header.platform = fields.String("platform");
      break;
    case TrafficKind::kDescriptor:
      entry.handle = static_cast<int>(fields.Integer("handle", 1, kMaxHandle));
      entry.data = fields.Bytes("bytes");
      break;
    case TrafficKind::kChip: {
      const auto code = fields.Bytes("code");
      if (code.size() != 1) fields.Fail("code");
      else entry.chip_code = code[0];
      break;
    }
    case TrafficKind::kEnumerate:
      if (!fields.IsNull("interfaces")) entry.interfaces = static_cast<int>(fields.Integer("interfaces", 0, 100000));
      break;
    case TrafficKind::kOpen:
      entry.path = static_cast<int>(fields.Integer("path", -1, 100000));
      entry.handle = static_cast<int>(fields.Integer("handle", -1, kMaxHandle));
      break;
    case TrafficKind::kClose:
      entry.handle = static_cast<int>(fields.Integer("handle", -1, kMaxHandle));
      break;
    case TrafficKind::kAttributes:
      entry.handle = static_cast<int>(fields.Integer("handle", -1, kMaxHandle));
      if (!fields.IsNull("ids")) {
        const std::string ids = fields.String("ids");
        const auto colon = ids.find(':');
        const auto vendor = colon == std::string::npos ? std::nullopt : ParseHex4(std::string_view(ids).substr(0, colon));
        const auto product = colon == std::string::npos ? std::nullopt : ParseHex4(std::string_view(ids).substr(colon + 1));
        const auto release = ParseHex4(fields.String("release"));
        if (!vendor || !product) fields.Fail("ids");
        else if (!release) fields.Fail("release");
        else entry.attributes = HidAttributes{*vendor, *product, *release};
      }
      break;
    case TrafficKind::kFeatureLength:
      entry.handle = static_cast<int>(fields.Integer("handle", -1, kMaxHandle));
      if (!fields.IsNull("bytes")) entry.feature_length = static_cast<std::uint16_t>(fields.Integer("bytes", 0, 0xFFFF));
      break;
    case TrafficKind::kSetFeature:
    case TrafficKind::kGetFeature:
      entry.handle = static_cast<int>(fields.Integer("handle", -1, kMaxHandle));
      entry.data = fields.Bytes("data");
      if (entry.kind == TrafficKind::kGetFeature) {
        entry.reply = fields.Bytes("reply");
        if (fields.ok() && entry.reply.size() != entry.data.size()) fields.Fail("reply");
      }
      entry.ok = fields.Boolean("ok");
      break;
  }
  if (!fields.ok()) return fail("\"" + fields.missing() + "\" is missing or not what a " + KindName(entry.kind) + " line holds");
  return entry;
}

std::string DescribeRequest(const TrafficEntry& entry) {
  const std::string on = " on interface " + std::to_string(entry.handle);
  switch (entry.kind) {
    case TrafficKind::kEnumerate: return "the list of HID interfaces";
    case TrafficKind::kOpen: return "opening interface path #" + std::to_string(entry.path);
    case TrafficKind::kClose: return "closing interface " + std::to_string(entry.handle);
    case TrafficKind::kAttributes: return "the ids" + on;
    case TrafficKind::kFeatureLength: return "the feature report length" + on;
    case TrafficKind::kSetFeature: return "set feature" + on + ": " + BytesText(entry.data);
    case TrafficKind::kGetFeature:
      return "get feature" + on + " (report " + (entry.data.empty() ? std::string("?") : BytesText(std::span(entry.data).first(1))) +
             ", " + std::to_string(entry.data.size()) + " bytes)";
    default: return KindName(entry.kind);
  }
}

Result<Recording> ParseRecording(std::string_view text) {
  Recording recording;
  std::size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      recording.truncated = true;  // the writer stopped inside this line
      break;
    }
    ++number;
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::string why;
    auto entry = ParseTrafficLine(line, &why);
    if (!entry) return Result<Recording>::Failure("line " + std::to_string(number) + ": " + why);
    entry->line = number;
    if (number == 1) {
      if (entry->kind != TrafficKind::kHeader) return Result<Recording>::Failure("line 1: not the header of a traffic recording");
      if (entry->header.format != kTrafficFormat) {
        return Result<Recording>::Failure("line 1: recording format " + std::to_string(entry->header.format) +
                                          "; this program reads format " + std::to_string(kTrafficFormat));
      }
      recording.header = entry->header;
      continue;
    }
    if (entry->kind == TrafficKind::kHeader) return Result<Recording>::Failure("line " + std::to_string(number) + ": a second header");
    recording.entries.push_back(std::move(*entry));
  }
  if (number == 0) return Result<Recording>::Failure("the recording is empty");
  return recording;
}

Result<Recording> ReadRecordingFile(const std::string& path) {
  std::string error;
  const auto bytes = ReadWholeFile(path, &error, kMaxRecordingBytes);
  if (!bytes) return Result<Recording>::Failure(error);
  auto recording = ParseRecording(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  if (!recording) return Result<Recording>::Failure(path + ": " + recording.error());
  return recording;
}

std::string PlatformName() {
#if defined(_WIN32)
  std::string name = "windows";
#elif defined(__linux__)
  std::string name = "linux";
#elif defined(__APPLE__)
  std::string name = "macos";
#else
  std::string name = "other";
#endif
#if defined(__x86_64__) || defined(_M_X64)
  name += "-x86_64";
#elif defined(__aarch64__) || defined(_M_ARM64)
  name += "-arm64";
#elif defined(__i386__) || defined(_M_IX86)
  name += "-x86";
#endif
  return name;
}

}  // namespace zelko
