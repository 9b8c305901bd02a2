// `msisim preview`: the scenario of a first installation of the full product (or, with
// PELMOENGINE=1, of the engine edition) that reads its INI description from a given file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "scenario.h"

namespace msisim {

// `propertyAssignments` are NAME=VALUE texts that replace or add to the installation's
// properties. Throws ScenarioError for an assignment without a name or one that would move the
// description away from where the preview puts it; std::runtime_error when the file cannot be read.
Scenario PreviewScenario(const std::filesystem::path& description, const std::vector<std::string>& propertyAssignments);

}  // namespace msisim
