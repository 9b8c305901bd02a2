// TEMPORARY minimal formatter ([Property] only); replaced by the full formatted-text rules.
#include "msi/format.h"

namespace standin {
std::wstring FormatRecord(const Record& record, const Session& session) {
  const std::wstring& text = record.fields[0].text;
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'[') {
      std::size_t e = text.find(L']', i);
      if (e != std::wstring::npos) {
        out += session.ReadProperty(text.substr(i + 1, e - i - 1)).value_or(L"");
        i = e;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}
}  // namespace standin
