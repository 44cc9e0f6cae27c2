#include "cli/tests/json_schema_check.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zelko::cli::testing {
namespace {

using nlohmann::json;

constexpr std::array<std::string_view, 12> kKnownKeywords = {
    "type",    "required", "properties", "additionalProperties", "items", "enum", "minimum",
    "maximum", "$schema",  "$id",        "title",                "description"};

bool HasType(const json& value, std::string_view type) {
  if (type == "object") return value.is_object();
  if (type == "array") return value.is_array();
  if (type == "string") return value.is_string();
  if (type == "integer") return value.is_number_integer();
  if (type == "number") return value.is_number();
  if (type == "boolean") return value.is_boolean();
  if (type == "null") return value.is_null();
  return false;
}

class Checker {
 public:
  std::vector<std::string> problems;

  void Check(const json& schema, const json& value, const std::string& path) {
    if (!schema.is_object()) return Say(path, "the schema here is not an object");
    for (const auto& [keyword, unused] : schema.items()) {
      if (std::find(kKnownKeywords.begin(), kKnownKeywords.end(), keyword) == kKnownKeywords.end()) {
        Say(path, "the schema uses \"" + keyword + "\", which this validator does not check");
      }
    }
    if (schema.contains("type") && !TypeMatches(schema["type"], value)) {
      return Say(path, value.dump() + " is not of type " + schema["type"].dump());
    }
    if (schema.contains("enum")) {
      const json& allowed = schema["enum"];
      if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
        Say(path, value.dump() + " is not one of " + allowed.dump());
      }
    }
    if (value.is_number()) {
      if (schema.contains("minimum") && value.get<double>() < schema["minimum"].get<double>()) {
        Say(path, value.dump() + " is below the minimum " + schema["minimum"].dump());
      }
      if (schema.contains("maximum") && value.get<double>() > schema["maximum"].get<double>()) {
        Say(path, value.dump() + " is above the maximum " + schema["maximum"].dump());
      }
    }
    if (value.is_object()) CheckObject(schema, value, path);
    if (value.is_array() && schema.contains("items")) {
      for (std::size_t i = 0; i < value.size(); ++i) Check(schema["items"], value[i], path + "/" + std::to_string(i));
    }
  }

 private:
  void Say(const std::string& path, const std::string& what) { problems.push_back(path + ": " + what); }

  static bool TypeMatches(const json& type, const json& value) {
    if (type.is_string()) return HasType(value, type.get<std::string>());
    return std::any_of(type.begin(), type.end(),
                       [&value](const json& one) { return one.is_string() && HasType(value, one.get<std::string>()); });
  }

  void CheckObject(const json& schema, const json& value, const std::string& path) {
    if (schema.contains("required")) {
      for (const json& name : schema["required"]) {
        if (!value.contains(name.get<std::string>())) Say(path, "\"" + name.get<std::string>() + "\" is missing");
      }
    }
    const json properties = schema.value("properties", json::object());
    // additionalProperties: true or absent (anything), false (nothing
    // else), or a schema every other member must meet.
    const json others = schema.value("additionalProperties", json(true));
    for (const auto& [name, member] : value.items()) {
      if (properties.contains(name)) {
        Check(properties[name], member, path + "/" + name);
      } else if (others.is_object()) {
        Check(others, member, path + "/" + name);
      } else if (others.is_boolean() && !others.get<bool>()) {
        Say(path, "\"" + name + "\" is not a property the schema names");
      }
    }
  }
};

}  // namespace

std::vector<std::string> SchemaProblems(const json& schema, const json& value) {
  Checker checker;
  checker.Check(schema, value, "");
  return checker.problems;
}

}  // namespace zelko::cli::testing
