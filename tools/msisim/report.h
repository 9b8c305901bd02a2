// The two forms of a run's report: readable text for a person, one JSON object for tools and
// tests.
#pragma once

#include <string>

#include "simulation.h"

namespace msisim {

std::string JsonReport(const RunResult& result);

struct ReportTitle {
  std::string source;   // the scenario or description the run came from
  std::string comment;  // what it shows
  std::string root;     // the host folder of the machine, when it is kept
};

std::string TextReport(const RunResult& result, const ReportTitle& title);

}  // namespace msisim
