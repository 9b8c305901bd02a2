// The readable report: per action what it set and printed, then every file with a diff against
// what was there before, then the log lines of the run.
#include <algorithm>

#include "file_text.h"
#include "line_diff.h"
#include "platform/unicode.h"
#include "report.h"
#include "windows_path.h"

namespace msisim {

namespace {

std::string Indented(const std::string& text, const std::string& indent) {
  std::string out;
  for (const std::string& line : SplitLines(text)) out += indent + line + "\n";
  return out;
}

// Long comments read better broken at word boundaries.
std::string Wrapped(const std::string& text, const std::string& indent, std::size_t width = 100) {
  std::string out, line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && indent.size() + line.size() + 1 + word.size() > width) {
      out += indent + line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (!line.empty()) out += indent + line + "\n";
  return out;
}

void AppendAction(std::string& out, std::size_t number, const ActionRun& run) {
  out += "  " + std::to_string(number) + ". " + run.name + (run.deferred ? " (deferred)" : " (immediate)") +
         " returned " + std::to_string(run.result) + "\n";
  if (run.deferred) out += "       CustomActionData: " + unicode::ToUtf8(run.customActionData) + "\n";
  std::size_t width = 0;
  for (const auto& [name, value] : run.propertiesSet) width = std::max(width, unicode::ToUtf8(name).size());
  for (const auto& [name, value] : run.propertiesSet) {
    std::string shown = unicode::ToUtf8(name);
    shown.resize(width, ' ');
    out += "       " + shown + (value ? " = " + unicode::ToUtf8(*value) : " removed") + "\n";
  }
  if (run.propertiesSet.empty()) out += "       no property changed\n";
  if (!run.output.empty()) out += "       printed:\n" + Indented(run.output, "         | ");
}

bool InFolder(const std::wstring& path, const std::wstring& folder) {
  if (folder.empty()) return false;
  std::wstring prefix = folder.back() == L'\\' ? folder : folder + L"\\";
  return path.size() > prefix.size() && SamePathIgnoringCase(path.substr(0, prefix.size()), prefix);
}

void AppendFile(std::string& out, const FileChange& change, const std::wstring& temp) {
  std::string path = unicode::ToUtf8(change.path);
  std::optional<FileText> before, after;
  if (change.before) before = DecodeFile(*change.before);
  if (change.after) after = DecodeFile(*change.after);
  std::string verb = !before ? "created" : !after ? "deleted" : "changed";
  std::string encoding = std::string(EncodingName((after ? after : before)->encoding));
  if (before && after && before->encoding != after->encoding) {
    encoding = std::string(EncodingName(before->encoding)) + " -> " + encoding;
  }
  std::vector<std::string> oldLines = before ? SplitLines(before->text) : std::vector<std::string>{};
  std::vector<std::string> newLines = after ? SplitLines(after->text) : std::vector<std::string>{};
  // The prepare action's working files are long XML documents; the INI files are what counts.
  if (after && InFolder(change.path, temp)) {
    out += "  " + verb + " " + path + " (" + encoding + ", " + std::to_string(newLines.size()) +
           " lines): a working file in the temporary folder; --json shows its text\n";
    return;
  }
  out += "  " + verb + " " + path + " (" + encoding + ")\n";
  std::string diff = UnifiedDiff(oldLines, newLines, before ? path + " (before)" : "(no file)",
                                 after ? path + " (after)" : "(no file)");
  if (diff.empty()) diff = "(the same lines; only the bytes differ)\n";
  out += Indented(diff, "    ");
}

}  // namespace

std::string TextReport(const RunResult& result, const ReportTitle& title) {
  std::string out = "Scenario: " + title.source + "\n";
  if (!title.comment.empty()) out += Wrapped(title.comment, "  ");
  if (!title.root.empty()) out += "Machine kept at " + title.root + "\n";

  out += "\nActions\n";
  for (std::size_t i = 0; i < result.actions.size(); ++i) AppendAction(out, i + 1, result.actions[i]);
  if (result.actions.empty()) out += "  none\n";

  out += "\nFiles\n";
  for (const FileChange& change : result.files) AppendFile(out, change, result.temp);
  if (result.files.empty()) out += "  none created, changed or deleted\n";

  std::vector<std::string> logLines = SplitLines(result.log);
  out += "\nLog " + unicode::ToUtf8(result.logPath) + ": " + std::to_string(logLines.size()) + " lines added\n";
  for (const std::string& line : logLines) out += "  " + line + "\n";
  return out;
}

}  // namespace msisim
