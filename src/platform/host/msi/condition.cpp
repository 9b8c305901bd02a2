// TEMPORARY minimal evaluator (property tests, NOT, AND, OR, = "literal"); replaced by the full
// grammar.
#include "msi/condition.h"

#include <cwctype>
#include <string>

namespace standin {
namespace {
std::wstring Trim(std::wstring_view t) {
  std::size_t b = 0, e = t.size();
  while (b < e && std::iswspace(static_cast<wint_t>(t[b]))) ++b;
  while (e > b && std::iswspace(static_cast<wint_t>(t[e - 1]))) --e;
  return std::wstring(t.substr(b, e - b));
}
std::size_t FindWord(const std::wstring& t, const std::wstring& w) {
  std::size_t p = t.find(L" " + w + L" ");
  return p == std::wstring::npos ? p : p + 1;
}
bool Eval(const std::wstring& t, const Session& s) {
  std::wstring x = Trim(t);
  if (auto p = FindWord(x, L"OR"); p != std::wstring::npos) return Eval(x.substr(0, p), s) || Eval(x.substr(p + 2), s);
  if (auto p = FindWord(x, L"or"); p != std::wstring::npos) return Eval(x.substr(0, p), s) || Eval(x.substr(p + 2), s);
  if (auto p = FindWord(x, L"AND"); p != std::wstring::npos) return Eval(x.substr(0, p), s) && Eval(x.substr(p + 3), s);
  if (auto p = FindWord(x, L"and"); p != std::wstring::npos) return Eval(x.substr(0, p), s) && Eval(x.substr(p + 3), s);
  if (x.rfind(L"NOT ", 0) == 0) return !Eval(x.substr(4), s);
  if (auto p = x.find(L"<>"); p != std::wstring::npos) {
    std::wstring v = Trim(x.substr(p + 2));
    if (v.size() >= 2) v = v.substr(1, v.size() - 2);
    return s.ReadProperty(Trim(x.substr(0, p))).value_or(L"") != v;
  }
  if (auto p = x.find(L'='); p != std::wstring::npos) {
    std::wstring v = Trim(x.substr(p + 1));
    if (v.size() >= 2) v = v.substr(1, v.size() - 2);
    return s.ReadProperty(Trim(x.substr(0, p))).value_or(L"") == v;
  }
  return !s.ReadProperty(x).value_or(L"").empty();
}
}  // namespace

MSICONDITION EvaluateCondition(std::wstring_view condition, const Session& session) {
  if (Trim(condition).empty()) return MSICONDITION_NONE;
  return Eval(std::wstring(condition), session) ? MSICONDITION_TRUE : MSICONDITION_FALSE;
}
}  // namespace standin
