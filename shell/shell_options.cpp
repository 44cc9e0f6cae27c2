#include "shell/shell_options.h"

#include <CLI/CLI.hpp>
#include <QtGlobal>
#include <array>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "base/build_info.h"
#include "base/exit_status_text.h"
#include "base/near_miss.h"
#include "device/platform_transport.h"
#include "session/device_option_flags.h"

namespace zelko {
namespace {

// Qt's own options that zelko77 leaves to Qt, with whether a value follows
// (as "-style fusion"; "-style=fusion" works too). Qt takes them with one
// dash or two.
struct QtOption {
  std::string_view name;
  bool takesValue;
};
constexpr std::array<QtOption, 14> kQtOptions = {{
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"style", true},
    {"stylesheet", true},
    {"reverse", false},
    {"widgetcount", false},
    {"qwindowgeometry", true},
    {"qwindowtitle", true},
    {"qwindowicon", true},
    {"display", true},
    {"geometry", true},
    {"title", true},
}};

std::string QtOptionsFooter() {
  std::string text = "Qt's own options are left to Qt:";
  for (const QtOption& option : kQtOptions) {
    text += " -" + std::string(option.name) + (option.takesValue ? " VALUE" : "");
    text += &option == &kQtOptions.back() ? ".\n" : ",";
  }
  return text;
}

// The arguments that are ours, Qt's options (and their values) taken out.
struct SplitArguments {
  std::vector<std::string> ours;
  bool platformGiven = false;  // -platform NAME
};

SplitArguments SplitQtOptions(int argc, const char* const* argv) {
  SplitArguments split;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    std::string_view name = arg;
    if (name.starts_with("--")) name.remove_prefix(2);
    else if (name.starts_with("-")) name.remove_prefix(1);
    else name = {};
    const std::size_t equals = name.find('=');
    const bool valueAttached = equals != std::string_view::npos;
    if (valueAttached) name = name.substr(0, equals);
    const QtOption* qt = nullptr;
    for (const QtOption& option : kQtOptions) {
      if (!name.empty() && option.name == name) qt = &option;
    }
    if (!qt) {
      split.ours.emplace_back(arg);
      continue;
    }
    if (qt->name == "platform") split.platformGiven = true;
    if (qt->takesValue && !valueAttached && i + 1 < argc) ++i;
  }
  return split;
}

std::string VersionText() {
  return VersionLines("zelko77") + "Qt: " + qVersion() + " (built with " + QT_VERSION_STR +
         ")\nHID backend: " + std::string(PlatformTransportName()) +
         "\nwindow system: the one Qt chooses at start (-platform or QT_QPA_PLATFORM to choose)\n";
}

// "unknown option --simulte; did you mean --simulate?"
std::string UnknownOptionText(const CLI::App& app, const std::vector<std::string>& extras) {
  std::vector<std::string> names;
  for (const CLI::Option* option : app.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
  }
  const std::string& typed = extras.front();
  const std::string given = typed.substr(0, typed.find('='));
  std::string text = "zelko77: unknown option " + typed;
  if (const auto meant = NearMiss(given, names)) text += "; did you mean " + *meant + "?";
  return text + "\nRun with --help for the options.\n";
}

}  // namespace

ShellEnvironment ReadShellEnvironment() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return {set("DISPLAY"), set("WAYLAND_DISPLAY"), set("QT_QPA_PLATFORM")};
}

ShellOptionsResult ParseShellOptions(int argc, const char* const* argv, const ShellEnvironment& environment) {
  ShellOptionsResult result;
  ShellOptions& o = result.options;
  CLI::App app{"zelko77 - the ZELKO77 gaming mouse configuration window"};
  app.footer("One window runs at a time: a second start brings the first forward and ends.\n" + QtOptionsFooter() +
             ExitStatusHelp());
  app.set_version_flag("--version", VersionText(), "Print the version, the build's commit, the Qt version and the HID backend, and end");
  session::DeviceRequest request;
  request.program = "zelko77";
  session::AddDeviceOptions(app, request);
  app.add_option("--screenshot", o.screenshotFolder,
                 "Render every page in every language to PNG files in DIR (no display needed) and end")
      ->type_name("DIR");
  app.add_flag("--engineer-page", o.engineerPage,
               "Open the engineer page as soon as the mouse has been read (in the window: Ctrl+Shift+E)");
  app.add_option("--single-instance-key", o.instanceKey,
                 "Another key for the one-window check (default: the window title)")
      ->type_name("KEY");
  // Unknown options are ours to refuse (with a better message than CLI11's).
  app.allow_extras();
  const SplitArguments split = SplitQtOptions(argc, argv);
  std::vector<std::string> reversed(split.ours.rbegin(), split.ours.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    result.exitCode = session::kExitOk;
    result.output = app.help();
    return result;
  } catch (const CLI::CallForVersion& e) {
    result.exitCode = session::kExitOk;
    result.output = e.what();
    return result;
  } catch (const CLI::ParseError& e) {
    result.exitCode = session::kExitBadInput;
    result.output = "zelko77: " + std::string(e.what()) + "\nRun with --help for more information.\n";
    return result;
  }
  if (!app.remaining().empty()) {
    result.exitCode = session::kExitBadInput;
    result.output = UnknownOptionText(app, app.remaining());
    return result;
  }
  auto setup = session::ReadDeviceRequest(request);
  if (!setup) {
    result.exitCode = session::kExitBadInput;
    result.output = "zelko77: " + setup.error() + "\n";
    return result;
  }
  o.device = std::move(*setup);
  // Pictures need no display (they are drawn offscreen); the window does,
  // and without one Qt would abort.
  const bool display = environment.x11Display || environment.waylandDisplay || environment.qtPlatform ||
                       split.platformGiven;
  if (o.screenshotFolder.empty() && !display) {
    result.exitCode = session::kExitFailure;
    result.output =
        "zelko77: there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set): "
        "run it on a virtual screen with xvfb-run zelko77, or take pictures of every page without a display "
        "with zelko77 --screenshot DIR.\n";
  }
  return result;
}

}  // namespace zelko
