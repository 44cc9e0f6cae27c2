// A JSON Schema validator for the keywords our schemas in docs/json use:
// type, required, properties, additionalProperties (true or false), items,
// enum, minimum, maximum; the annotations $schema, $id, title and
// description are read past. A schema that uses any other keyword is itself
// reported, so a schema cannot promise what nothing checks.
#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace zelko::cli::testing {

// Every place where `value` breaks `schema`, as "PATH: what" (PATH in JSON
// Pointer form, "" for the whole value); empty when it conforms.
std::vector<std::string> SchemaProblems(const nlohmann::json& schema, const nlohmann::json& value);

}  // namespace zelko::cli::testing
