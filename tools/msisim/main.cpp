// msisim: runs the library's custom actions the way an installer does and reports what they did.
//
//   msisim run SCENARIO.json [--root DIR] [--json] [--library PATH] [--clock UTC] [--guid-seed N]
//   msisim run SCENARIO.json --engine wine --json [--library custom.dll]
//   msisim preview DESCRIPTION.xml [--property NAME=VALUE]... [--json] [--library PATH] [--clock UTC] [--guid-seed N]
//
// Exit codes: 0 the scenario ran, 1 the simulation failed (library, machine), 2 a bad scenario
// or command line (nothing was run).
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>

#include "action_library.h"
#include "clock_text.h"
#include "preview.h"
#include "report.h"
#include "scenario.h"
#include "simulation.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRan = 0;
constexpr int kFailed = 1;
constexpr int kRefused = 2;

// The report goes straight to the descriptor: an action may have left the C streams in a wide or
// failed state.
void WriteOut(const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    ssize_t wrote = write(STDOUT_FILENO, text.data() + done, text.size() - done);
    if (wrote <= 0) return;
    done += static_cast<std::size_t>(wrote);
  }
}

const CLI::Validator kWholeNumber(
    [](std::string& text) {
      bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
      return digits ? std::string() : "must be a whole number of at least 0, not " + text;
    },
    "N");

struct Options {
  fs::path input;
  fs::path root;
  fs::path library;
  bool json = false;
  std::vector<std::string> properties;
  std::string clock;
  std::optional<std::uint64_t> guidSeed;
  std::string engine = "host";
};

// The command line's clock and seed replace the scenario's, for repeatable previews and runs.
void ApplyOverrides(msisim::Scenario& scenario, const Options& options) {
  if (!options.clock.empty()) {
    scenario.clock = msisim::ParseUtcTime(options.clock);
    if (!scenario.clock) {
      throw msisim::ScenarioError("--clock " + options.clock + ": not a UTC time like 2026-03-02T09:30:00Z");
    }
  }
  if (options.guidSeed) scenario.guidSeed = options.guidSeed;
}

// A fresh machine folder, removed on the way out unless the user named one.
class MachineRoot {
 public:
  explicit MachineRoot(const fs::path& given) : keep_(!given.empty()) {
    if (keep_) {
      path_ = fs::absolute(given);
      if (fs::exists(path_) && !fs::is_empty(path_)) {
        throw msisim::ScenarioError("--root " + given.string() + ": the folder must be empty or not exist yet");
      }
      return;
    }
    std::random_device random;
    path_ = fs::temp_directory_path() / ("msisim-" + std::to_string(random()) + std::to_string(random()));
  }
  ~MachineRoot() {
    if (keep_) return;
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
  }
  const fs::path& Path() const { return path_; }
  bool Kept() const { return keep_; }

 private:
  bool keep_;
  fs::path path_;
};

int Run(msisim::Scenario scenario, const Options& options, const std::string& source) {
  ApplyOverrides(scenario, options);
  MachineRoot root(options.root);
  fs::path library = options.library.empty() ? msisim::DefaultLibraryPath() : options.library;
  msisim::RunResult result = msisim::Simulate(scenario, root.Path(), library);
  if (options.json) {
    WriteOut(msisim::JsonReport(result));
  } else {
    WriteOut(msisim::TextReport(result, {source, scenario.comment, root.Kept() ? root.Path().string() : ""}));
  }
  return kRan;
}

// The Windows build in Wine's installer: tests/e2e/wine_engine.py turns the scenario into packages
// and prefix state and prints the same JSON report. The scenario is checked here first, so that a
// bad one is refused the same way by both engines.
int RunInWine(const Options& options) {
  msisim::LoadScenario(options.input);
  if (!options.json) throw msisim::ScenarioError("--engine wine reports in JSON only; add --json");
  if (!options.root.empty() || !options.clock.empty() || options.guidSeed) {
    throw msisim::ScenarioError(
        "--engine wine takes no --root, --clock or --guid-seed: the real installer decides them");
  }
  std::vector<std::string> arguments{"python3", MSISIM_WINE_ENGINE, options.input.string()};
  if (!options.library.empty()) arguments.insert(arguments.end(), {"--dll", options.library.string()});
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  throw std::runtime_error("cannot start python3 for the Wine engine");
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Runs the library's custom actions the way an installer does, on a simulated machine."};
  app.require_subcommand(1);
  Options options;

  CLI::App* run = app.add_subcommand("run", "Run a scenario and report what the actions did.");
  run->add_option("scenario", options.input, "Scenario file (JSON)")->required();
  run->add_option("--root", options.root, "Build the machine in this folder (empty or new) and keep it");
  run->add_option("--engine", options.engine, "host (the stand-in, default) or wine (custom.dll in Wine's installer)")
      ->check(CLI::IsMember({"host", "wine"}));

  CLI::App* preview = app.add_subcommand("preview", "Show what a first installation writes from an INI description.");
  preview->add_option("description", options.input, "IniFile description (XML)")->required();
  preview->add_option("--property", options.properties, "An installation property, NAME=VALUE (repeatable)");

  for (CLI::App* command : {run, preview}) {
    command->add_flag("--json", options.json, "Print the report as one JSON object");
    command->add_option("--library", options.library,
                        "The custom-action library (default: lib/custom.so of this build)");
    command->add_option("--clock", options.clock, "What GetSystemTime answers, a UTC time like 2026-03-02T09:30:00Z");
    command->add_option("--guid-seed", options.guidSeed, "Makes new GUIDs repeatable")->check(kWholeNumber);
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kRan : kRefused;
  }

  try {
    if (run->parsed() && options.engine == "wine") return RunInWine(options);
    if (run->parsed()) return Run(msisim::LoadScenario(options.input), options, options.input.string());
    return Run(msisim::PreviewScenario(options.input, options.properties), options,
               "preview of " + options.input.string());
  } catch (const msisim::ScenarioError& error) {
    std::cerr << "msisim: " << error.what() << "\n";
    return kRefused;
  } catch (const std::exception& error) {
    std::cerr << "msisim: " << error.what() << "\n";
    return kFailed;
  }
}
