#include "xmldoc/unresolved_grammar.h"

#include <initializer_list>

namespace xmldoc {

namespace {

bool Contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

bool ContainsAny(std::wstring_view text, std::initializer_list<std::wstring_view> parts) {
  for (std::wstring_view part : parts) {
    if (Contains(text, part)) return true;
  }
  return false;
}

}  // namespace

// The parser reports a grammar it could not fetch as a failure of its network access that names
// the grammar file or the host it could not resolve. Releases of the XML library word that
// report differently: older ones name the exception type ("Type:NetAccessorException") and say
// "The host/address '...' could not be resolved"; current ones give the network accessor's own
// text alone ("unable to resolve host/address '...'", "unable to connect socket for URL '...'").
bool IsUnresolvedGrammar(std::wstring_view message) {
  bool hostUnresolved = (Contains(message, L"The host/address") && Contains(message, L"could not be resolved")) ||
                        Contains(message, L"unable to resolve host/address");
  bool networkFailure = hostUnresolved || ContainsAny(message, {L"NetAccessor", L"socket for URL"});
  return networkFailure && (hostUnresolved || ContainsAny(message, {L".xsd", L".dtd"}));
}

}  // namespace xmldoc
