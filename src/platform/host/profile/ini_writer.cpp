// The text of a rewrite: every section and key as parsed or set, in order, each line ended by CR LF.
#include "profile/ini_document.h"

namespace standin::profile {

std::wstring SerializeIni(const IniDocument& document) {
  std::size_t size = 0;
  for (const IniSection& section : document.sections) {
    size += section.name.size() + 4;
    for (const IniKey& key : section.keys) size += key.name.size() + (key.value ? key.value->size() + 1 : 0) + 2;
  }
  std::wstring text;
  text.reserve(size);
  for (const IniSection& section : document.sections) {
    // The unnamed part has no header, so its keys join the section before it on the next read.
    if (!section.name.empty()) text.append(L"[").append(section.name).append(L"]\r\n");
    for (const IniKey& key : section.keys) {
      text.append(key.name);
      if (key.value) text.append(L"=").append(*key.value);
      text.append(L"\r\n");
    }
  }
  return text;
}

}  // namespace standin::profile
