// --json of every zelko77ctl command that prints, against the simulated
// mouse: each output conforms to its schema in docs/json, and `show --json`
// names settings, not bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "session/outcomes.h"
#include "cli/tests/json_schema_check.h"
#include "cli/tests/run_ctl.h"

namespace zelko::cli {
namespace {

using nlohmann::json;
using session::kExitNoDevice;
using session::kExitOk;
using testing::ReadText;
using testing::RunCtl;
using testing::SchemaProblems;
using testing::TempFolder;

const std::filesystem::path kSchemaFolder = std::filesystem::path(ZELKO_SOURCE_DIR) / "docs" / "json";

json Schema(const std::string& name) {
  return json::parse(ReadText(kSchemaFolder / (name + ".schema.json")), nullptr, false);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += "  " + line + "\n";
  return text;
}

TEST(JsonSchemaCheck, FindsEachKindOfFault) {
  const json schema = json::parse(R"({
    "type": "object", "required": ["n", "mode"], "additionalProperties": false,
    "properties": {
      "n": {"type": "integer", "minimum": 1, "maximum": 7},
      "mode": {"type": ["string", "null"], "enum": ["A", "B", null]},
      "list": {"type": "array", "items": {"type": "object", "required": ["x"]}}
    }})");
  struct Case {
    const char* name;
    const char* value;
    const char* problem;  // "" when it conforms
  };
  const Case cases[] = {
      {"conforms", R"({"n": 7, "mode": null, "list": [{"x": 1}]})", ""},
      {"wrong type", R"({"n": "7", "mode": "A"})", "/n: \"7\" is not of type \"integer\""},
      {"a number is not an integer", R"({"n": 1.5, "mode": "A"})", "/n: 1.5 is not of type"},
      {"missing", R"({"n": 1})", ": \"mode\" is missing"},
      {"not named", R"({"n": 1, "mode": "A", "extra": 0})", ": \"extra\" is not a property"},
      {"not in the enum", R"({"n": 1, "mode": "C"})", "/mode: \"C\" is not one of"},
      {"below", R"({"n": 0, "mode": "A"})", "/n: 0 is below the minimum 1"},
      {"above", R"({"n": 8, "mode": "A"})", "/n: 8 is above the maximum 7"},
      {"in an item", R"({"n": 1, "mode": "A", "list": [{"x": 1}, {}]})", "/list/1: \"x\" is missing"},
      {"not an object", R"([1])", ": [1] is not of type \"object\""},
  };
  for (const auto& c : cases) {
    const auto problems = SchemaProblems(schema, json::parse(c.value));
    if (std::string(c.problem).empty()) {
      EXPECT_TRUE(problems.empty()) << c.name << "\n" << Joined(problems);
    } else {
      ASSERT_EQ(problems.size(), 1u) << c.name << "\n" << Joined(problems);
      EXPECT_NE(problems[0].find(c.problem), std::string::npos) << c.name << ": " << problems[0];
    }
  }
  // A keyword it would not check is reported, not passed over.
  const auto unchecked = SchemaProblems(json::parse(R"({"type": "string", "pattern": "^#"})"), "x");
  ASSERT_EQ(unchecked.size(), 1u);
  EXPECT_NE(unchecked[0].find("\"pattern\""), std::string::npos);
}

// One simulated mouse (factory image 1 until a command writes), a data and
// a config folder of its own.
class JsonOutput : public ::testing::Test {
 protected:
  testing::CtlRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--simulate=" + (folder_ / "mouse.bin"), "--sim-virtual-time"});
    return RunCtl(args, testing::kCtlTimeout,
                  {{"XDG_DATA_HOME", folder_ / "data"}, {"XDG_CONFIG_HOME", folder_ / "config"}});
  }
  // The output of a command as one JSON object, or one per line.
  std::vector<json> Objects(const testing::CtlRun& run, bool per_line) {
    std::vector<json> objects;
    if (!per_line) {
      objects.push_back(json::parse(run.out, nullptr, false));
      return objects;
    }
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) objects.push_back(json::parse(line, nullptr, false));
    return objects;
  }

  TempFolder folder_;
};

TEST_F(JsonOutput, EveryPrintingCommandConformsToItsSchema) {
  // A backup to list, and an empty hidraw tree for doctor (a machine
  // without the mouse, whatever is plugged into this one).
  ASSERT_EQ(Run({"reset", "1"}).exit_code, kExitOk);
  std::filesystem::create_directories(folder_.path() / "root" / "sys" / "class" / "hidraw");
  const std::string library = folder_ / "library.bin";
  struct Case {
    const char* schema;
    std::vector<std::string> args;
    int exit_code;
    bool per_line;
  };
  const Case cases[] = {
      {"info", {"info", "--json"}, kExitOk, false},
      {"show", {"show", "--json"}, kExitOk, false},
      {"show", {"--lang", "2", "show", "--json"}, kExitOk, false},
      {"backups", {"backups", "--json"}, kExitOk, false},
      {"doctor", {"doctor", "--json", "--rules-dir", folder_ / "rules", "--hidraw-root", folder_ / "root"},
       kExitNoDevice, false},
      {"label", {"label", "020F04", "--json"}, kExitOk, false},
      {"macro-list", {"macro", "--library", library, "list", "--json"}, kExitOk, false},
      {"macro-show", {"macro", "--library", library, "show", "Combo", "--json"}, kExitOk, false},
      {"macro-slots", {"macro", "slots", "--json"}, kExitOk, false},
      {"pointer-show", {"pointer", "show", "--json"}, kExitOk, false},
      {"keytest", {"--sim-buttons=3@1000+200,1+2@4000+100", "keytest", "--json"}, kExitOk, true},
      {"watch", {"watch", "--ticks", "2", "--interval", "10", "--json"}, kExitOk, true},
  };
  // A macro with events to show.
  ASSERT_EQ(Run({"macro", "--library", library, "new", "Combo"}).exit_code, kExitOk);
  {
    std::ofstream lines(folder_ / "combo.txt");
    lines << "1 Ctrl CODE:8101\n1 A CODE:8204\n0 48\n2 A CODE:0204\n2 Ctrl CODE:0101\n";
  }
  ASSERT_EQ(Run({"macro", "--library", library, "set", "Combo", "--lines", folder_ / "combo.txt"}).exit_code,
            kExitOk);

  std::set<std::string> tested;
  for (const auto& c : cases) {
    const json schema = Schema(c.schema);
    ASSERT_FALSE(schema.is_discarded()) << c.schema << ".schema.json is not JSON";
    const auto run = Run(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << run;
    const auto objects = Objects(run, c.per_line);
    ASSERT_FALSE(objects.empty()) << run;
    for (const json& object : objects) {
      ASSERT_FALSE(object.is_discarded()) << run.command << " printed what is not JSON:\n" << run.out;
      EXPECT_EQ(object.value("schema_version", 0), 1) << run.command;
      const auto problems = SchemaProblems(schema, object);
      EXPECT_TRUE(problems.empty()) << run.command << " against " << c.schema << ".schema.json:\n"
                                    << Joined(problems) << object.dump(2);
    }
    tested.insert(c.schema);
  }
  // Every schema in docs/json is one a command prints by.
  for (const auto& entry : std::filesystem::directory_iterator(kSchemaFolder)) {
    const std::string name = entry.path().filename().string();
    const std::string suffix = ".schema.json";
    if (name.size() <= suffix.size() || name.substr(name.size() - suffix.size()) != suffix) continue;
    EXPECT_TRUE(tested.count(name.substr(0, name.size() - suffix.size()))) << name << " is tested by no command";
  }
}

TEST_F(JsonOutput, ShowNamesTheSettingsOfFactoryImageOne) {
  const auto run = Run({"--lang", "2", "show", "--json"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  const json show = json::parse(run.out);
  // levels[1] is level 2, the current one.
  EXPECT_EQ(show["dpi"]["levels"][1]["level"], 2);
  EXPECT_EQ(show["dpi"]["levels"][1]["dpi"], 1600);
  EXPECT_EQ(show["dpi"]["current_level"], 2);
  EXPECT_TRUE(show["dpi"]["levels"][1]["current"].get<bool>());
  const json& left = show["profiles"][0]["buttons"][0];
  EXPECT_EQ(left["code"], "010100");
  EXPECT_EQ(left["label"], "左键");  // in the chosen language
  EXPECT_EQ(show["record"]["ProfileKeyCodes"]["ModeA"][0], "010100");
}

TEST_F(JsonOutput, KeyTestPrintsOneObjectPerEvent) {
  const auto run = Run({"--sim-buttons=3@1000+200,1+2@4000+100", "keytest", "--json"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  std::vector<std::string> events;
  for (const json& line : Objects(run, true)) {
    events.push_back(line.value("event", "") + (line.contains("button") ? line["button"].dump() : ""));
  }
  EXPECT_EQ(events, (std::vector<std::string>{"start", "press3", "press1", "press2", "end"}));
}

}  // namespace
}  // namespace zelko::cli
