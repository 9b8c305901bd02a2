// Loading XML documents on a fresh machine and looking at what the XML layer printed.
#pragma once

#include <string>
#include <vector>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include "test_machine.h"
#include "xmldoc/xml_document_file.h"
#include "xmldoc/xml_text.h"

namespace xmldoc_test {

struct LoadOutcome {
  bool loaded = false;
  xercesc::DOMDocument* document = nullptr;
  std::string output;  // standard output of the load, UTF-8
};

class XmlTest : public testing_support::MachineTest {
 protected:
  // OpenXmlDocument with its standard output captured.
  LoadOutcome Open(xmldoc::XmlDocumentFile& file, const std::wstring& path);
  // Writes the document as UTF-8 with CR LF line ends and loads it.
  LoadOutcome OpenText(xmldoc::XmlDocumentFile& file, const std::wstring& path, const std::string& text);
};

// The IniFile document type declaration with its internal DTD, as the descriptions carry it.
std::string IniFileDoctype();
// A whole IniFile document around the given File elements.
std::string IniFileDocument(const std::string& files);
// LF line ends become CR LF.
using testing_support::WithCrLf;
// A file of the descriptions folder of the source tree, as bytes.
std::string DescriptionFileBytes(const std::string& name);

// The element children of a node with the given tag name, in document order.
std::vector<xercesc::DOMElement*> Children(const xercesc::DOMNode* parent, const wchar_t* tagName);
std::wstring Attribute(const xercesc::DOMElement* element, const wchar_t* name);
bool AttributeSpecified(const xercesc::DOMElement* element, const wchar_t* name);

}  // namespace xmldoc_test
