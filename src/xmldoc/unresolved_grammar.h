// Whether a parser report says that the document's grammar (an external DTD or schema) could not
// be fetched over the network, which is worth a second attempt without schema validation.
#pragma once

#include <string_view>

namespace xmldoc {

bool IsUnresolvedGrammar(std::wstring_view parserMessage);

}  // namespace xmldoc
