#include "xml_test_support.h"

#include <fstream>
#include <iterator>
#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMNode.hpp>

#include "xmldoc/xml_text.h"

namespace xmldoc_test {

LoadOutcome XmlTest::Open(xmldoc::XmlDocumentFile& file, const std::wstring& path) {
  LoadOutcome outcome;
  testing::internal::CaptureStdout();
  outcome.loaded = xmldoc::OpenXmlDocument(file, path, outcome.document);
  outcome.output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(outcome.loaded, outcome.document != nullptr);
  return outcome;
}

LoadOutcome XmlTest::OpenText(xmldoc::XmlDocumentFile& file, const std::wstring& path, const std::string& text) {
  WriteBytes(path, WithCrLf(text));
  return Open(file, path);
}

std::string IniFileDoctype() {
  return R"(<!DOCTYPE IniFile [
  <!ELEMENT IniFile (File+)>
  <!ELEMENT File (Section+)>
  <!ATTLIST File
    Name CDATA #REQUIRED
    Path CDATA #REQUIRED
    Unicode (yes|no) "no"
    AddACE (yes|no) "no">
  <!ELEMENT Section (Data*)>
  <!ATTLIST Section
    Name CDATA #REQUIRED>
  <!ELEMENT Data (#PCDATA | Condition)*>
  <!ATTLIST Data
    Key CDATA #REQUIRED
    Product (PLX|PLM|ALL) "ALL"
    Overwrite (yes|no) "yes">
  <!ELEMENT Condition (#PCDATA)>
]>
)";
}

std::string IniFileDocument(const std::string& files) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + IniFileDoctype() + "<IniFile>\n" + files + "</IniFile>\n";
}


std::string DescriptionFileBytes(const std::string& name) {
  std::ifstream in(std::string(DESCRIPTIONS_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<xercesc::DOMElement*> Children(const xercesc::DOMNode* parent, const wchar_t* tagName) {
  std::vector<xercesc::DOMElement*> children;
  for (xercesc::DOMNode* node = parent->getFirstChild(); node != nullptr; node = node->getNextSibling()) {
    if (node->getNodeType() == xercesc::DOMNode::ELEMENT_NODE && xmldoc::ToWide(node->getNodeName()) == tagName) {
      children.push_back(static_cast<xercesc::DOMElement*>(node));
    }
  }
  return children;
}

std::wstring Attribute(const xercesc::DOMElement* element, const wchar_t* name) {
  return xmldoc::ToWide(element->getAttribute(xmldoc::ToXml(name).c_str()));
}

bool AttributeSpecified(const xercesc::DOMElement* element, const wchar_t* name) {
  const xercesc::DOMAttr* attribute = element->getAttributeNode(xmldoc::ToXml(name).c_str());
  return attribute != nullptr && attribute->getSpecified();
}

}  // namespace xmldoc_test

// Xerces-C 3.2.4 as Debian ships it never frees the entity that stands for an external DTD subset
// (a few hundred bytes per parse of a document with an external DTD, allocated under
// XMLScanner::scanProlog); the sanitizer build is told so, and reports every other leak.
extern "C" const char* __lsan_default_suppressions() { return "leak:xercesc_3_2::XMLScanner::scanProlog\n"; }
