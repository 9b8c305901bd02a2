#include <nlohmann/json.hpp>

#include "file_text.h"
#include "platform/unicode.h"
#include "report.h"

namespace msisim {

using nlohmann::ordered_json;

std::string JsonReport(const RunResult& result) {
  ordered_json actions = ordered_json::array();
  for (const ActionRun& run : result.actions) {
    ordered_json set = ordered_json::object();
    // A removed property reads as empty, which is how the installer removes one.
    for (const auto& [name, value] : run.propertiesSet)
      set[unicode::ToUtf8(name)] = unicode::ToUtf8(value.value_or(L""));
    actions.push_back({{"name", run.name}, {"result", run.result}, {"properties_set", set}});
  }
  ordered_json properties = ordered_json::object();
  for (const auto& [name, value] : result.properties) properties[unicode::ToUtf8(name)] = unicode::ToUtf8(value);
  ordered_json files = ordered_json::object();
  for (const FileChange& change : result.files) {
    std::string path = unicode::ToUtf8(change.path);
    if (!change.after) {
      files[path] = {{"deleted", true}};
      continue;
    }
    FileText text = DecodeFile(*change.after);
    files[path] = {{"encoding", EncodingName(text.encoding)}, {"text", text.text}};
  }
  ordered_json report{
      {"actions", actions}, {"properties", properties},    {"files", files},
      {"log", result.log},  {"output", AllOutput(result)},
  };
  return report.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace msisim
