#include "profiles/rules_file.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "base/file_reading.h"
#include "base/path_text.h"
#include "base/user_folders.h"
#include "profiles/json_position.h"
#include "profiles/name_text.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A refusal of a value, with the path that leads to it.
struct Refusal {
  std::string message;
  JsonPath path;
};

std::optional<KeyMode> KeyModeOf(const Json& value, bool* ok) {
  *ok = true;
  if (value.is_null()) return std::nullopt;
  if (value.is_string()) {
    const std::string text = FoldLetterCase(value.get<std::string>());
    if (text == "a") return KeyMode::kA;
    if (text == "b") return KeyMode::kB;
  }
  *ok = false;
  return std::nullopt;
}

std::string KeyModeText(KeyMode mode) { return mode == KeyMode::kA ? "A" : "B"; }

// The object's keys that are not in `known`, as JSON text; empty when none.
std::string UnknownKeysOf(const Json& object, std::initializer_list<std::string_view> known) {
  Json unknown = Json::object();
  for (const auto& [key, value] : object.items()) {
    bool is_known = false;
    for (const auto name : known) is_known = is_known || key == name;
    if (!is_known) unknown[key] = value;
  }
  return unknown.empty() ? std::string() : unknown.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A non-empty text at `key` of `object`.
std::optional<Refusal> ReadName(const Json& object, const char* key, JsonPath path, std::string& out) {
  path.push_back({key, -1});
  const auto it = object.find(key);
  if (it == object.end()) {
    path.pop_back();
    return Refusal{std::string("\"") + key + "\" is missing", path};
  }
  if (!it->is_string() || TrimOuterBlanks(it->get<std::string>()).empty()) {
    return Refusal{std::string("\"") + key + "\" must be a text that is not empty", path};
  }
  out = std::string(TrimOuterBlanks(it->get<std::string>()));
  return std::nullopt;
}

std::optional<Refusal> ReadKeyMode(const Json& object, JsonPath path, std::optional<KeyMode>& out) {
  const auto it = object.find("key_mode");
  if (it == object.end()) return std::nullopt;
  bool ok = false;
  out = KeyModeOf(*it, &ok);
  path.push_back({"key_mode", -1});
  if (!ok) return Refusal{"\"key_mode\" must be \"A\" or \"B\"", path};
  return std::nullopt;
}

std::optional<Refusal> ReadRules(const Json& root, RuleSet& rules) {
  if (!root.is_object()) return Refusal{"the rules file must hold one JSON object ({ ... })", {}};
  if (const auto it = root.find("version"); it != root.end()) {
    if (!it->is_number_integer() || it->get<long long>() < 1) {
      return Refusal{"\"version\" must be a whole number from 1", {{"version", -1}}};
    }
    if (it->get<long long>() > kRulesFileVersion) {
      return Refusal{"the file is of version " + std::to_string(it->get<long long>()) +
                         ", written by a newer program; this one reads version " + std::to_string(kRulesFileVersion),
                     {{"version", -1}}};
    }
  }
  if (const auto it = root.find("enabled"); it != root.end()) {
    if (!it->is_boolean()) return Refusal{"\"enabled\" must be true or false", {{"enabled", -1}}};
    rules.SetEnabled(it->get<bool>());
  }
  if (const auto it = root.find("default"); it != root.end() && !it->is_null()) {
    const JsonPath here = {{"default", -1}};
    if (!it->is_object()) return Refusal{"\"default\" must be an object with a \"profile\", or null", here};
    DefaultRule rule;
    if (auto refused = ReadName(*it, "profile", here, rule.profile)) return refused;
    if (auto refused = ReadKeyMode(*it, here, rule.key_mode)) return refused;
    (void)rules.SetDefault(rule);  // read as a non-empty text
    rules.unknown_keys().default_rule = UnknownKeysOf(*it, {"profile", "key_mode"});
  }
  if (const auto it = root.find("rules"); it != root.end() && !it->is_null()) {
    if (!it->is_array()) return Refusal{"\"rules\" must be a list ([ ... ])", {{"rules", -1}}};
    for (std::size_t i = 0; i < it->size(); ++i) {
      const Json& item = (*it)[i];
      const JsonPath here = {{"rules", -1}, {"", static_cast<int>(i)}};
      if (!item.is_object()) return Refusal{"each rule must be an object ({ ... })", here};
      AppRule rule;
      if (auto refused = ReadName(item, "app", here, rule.app)) return refused;
      if (auto refused = ReadName(item, "profile", here, rule.profile)) return refused;
      if (auto refused = ReadKeyMode(item, here, rule.key_mode)) return refused;
      if (rules.RuleOf(rule.app)) {
        return Refusal{"a second rule for the application \"" + rule.app + "\"", here};
      }
      const std::string unknown = UnknownKeysOf(item, {"app", "profile", "key_mode"});
      if (!unknown.empty()) rules.unknown_keys().rules[NameKey(rule.app)] = unknown;
      (void)rules.AddOrReplace(std::move(rule));  // read as non-empty texts
    }
  }
  rules.unknown_keys().top = UnknownKeysOf(root, {"version", "enabled", "default", "rules"});
  return std::nullopt;
}

// Known keys first, then the unknown ones kept from the file.
Json WithUnknown(Json known, const std::string& unknown) {
  if (!unknown.empty()) {
    const Json kept = Json::parse(unknown);
    for (const auto& [key, value] : kept.items()) {
      if (!known.contains(key)) known[key] = value;
    }
  }
  return known;
}

Json RuleJson(const AppRule& rule, const RuleSet::UnknownKeys& unknown) {
  Json json = Json::object();
  json["app"] = rule.app;
  json["profile"] = rule.profile;
  if (rule.key_mode) json["key_mode"] = KeyModeText(*rule.key_mode);
  const auto it = unknown.rules.find(NameKey(rule.app));
  return WithUnknown(std::move(json), it == unknown.rules.end() ? std::string() : it->second);
}

std::string Where(const fs::path& file, int line, int column) {
  std::string where = Utf8FromPath(file);
  if (line > 0) where += ":" + std::to_string(line) + ":" + std::to_string(column);
  return where;
}

}  // namespace

ParsedRules ParseRulesText(std::string_view text) {
  ParsedRules parsed;
  if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& error) {
    const TextPosition at = PositionOfOffset(text, error.byte > 0 ? error.byte - 1 : 0);
    std::string what = error.what();
    // "[json.exception.parse_error.101] parse error at line 1, column 2: syntax error ..."
    if (const auto colon = what.find(": "); colon != std::string::npos) what = what.substr(colon + 2);
    parsed.error = "not valid JSON: " + what;
    parsed.line = at.line;
    parsed.column = at.column;
    return parsed;
  } catch (const Json::exception& error) {
    // A number too large for any type: "number overflow parsing '1e999'".
    std::string what = error.what();
    if (const auto close = what.find_last_of('\''); close != std::string::npos && close > 0) {
      if (const auto open = what.find_last_of('\'', close - 1); open != std::string::npos) {
        const std::string token = what.substr(open + 1, close - open - 1);
        if (const auto at = text.find(token); !token.empty() && at != std::string_view::npos) {
          const TextPosition position = PositionOfOffset(text, at);
          parsed.line = position.line;
          parsed.column = position.column;
        }
      }
    }
    if (const auto space = what.find("] "); space != std::string::npos) what = what.substr(space + 2);
    parsed.error = "not valid JSON: " + what;
    parsed.line = std::max(parsed.line, 1);
    parsed.column = std::max(parsed.column, 1);
    return parsed;
  }
  RuleSet rules;
  if (auto refused = ReadRules(root, rules)) {
    parsed.error = refused->message;
    const TextPosition at = PositionOfValue(text, refused->path).value_or(TextPosition{});
    parsed.line = at.line;
    parsed.column = at.column;
    return parsed;
  }
  parsed.rules = std::move(rules);
  return parsed;
}

std::string RulesText(const RuleSet& rules) {
  const RuleSet::UnknownKeys& unknown = rules.unknown_keys();
  Json root = Json::object();
  root["version"] = kRulesFileVersion;
  root["enabled"] = rules.enabled();
  if (const auto& rule = rules.default_rule()) {
    Json json = Json::object();
    json["profile"] = rule->profile;
    if (rule->key_mode) json["key_mode"] = KeyModeText(*rule->key_mode);
    root["default"] = WithUnknown(std::move(json), unknown.default_rule);
  } else {
    root["default"] = nullptr;
  }
  Json list = Json::array();
  for (const auto& rule : rules.rules()) list.push_back(RuleJson(rule, unknown));
  root["rules"] = std::move(list);
  return WithUnknown(std::move(root), unknown.top).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<fs::path> UserRulesPath() {
  const auto config = UserConfigFolder();
  if (!config) return std::nullopt;
  return *config / "rules.json";
}

Result<RuleSet> LoadRulesFile(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(file, ec))) return RuleSet{};
  std::string error;
  const auto bytes = ReadWholeFile(Utf8FromPath(file), &error);
  if (!bytes) return Result<RuleSet>::Failure(error + "; the rules file is left as it is");
  ParsedRules parsed = ParseRulesText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  if (!parsed.rules) {
    return Result<RuleSet>::Failure(Where(file, parsed.line, parsed.column) +
                                    ": the rules file cannot be read: " + parsed.error + "; it is left as it is");
  }
  return std::move(*parsed.rules);
}

Status SaveRulesFile(const fs::path& file, const RuleSet& rules, const AtomicWriteHook& hook) {
  if (auto now = LoadRulesFile(file); !now) return Status::Failure(now.error());
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) return Status::Failure("cannot make the folder " + Utf8FromPath(file.parent_path()) + ": " + ec.message());
  const std::string text = RulesText(rules);
  const std::string error = WriteFileAtomically(
      Utf8FromPath(file), std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), hook);
  if (!error.empty()) return Status::Failure("the rules were not saved: " + error);
  return Status::Ok();
}

}  // namespace zelko
