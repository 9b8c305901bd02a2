#include "inideploy/dom_helpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include "xmldoc/xml_text.h"

namespace {

using inideploy::GetElementText;
using inideploy::SetElementText;

class DomHelpersTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { xercesc::XMLPlatformUtils::Initialize(); }
  static void TearDownTestSuite() { xercesc::XMLPlatformUtils::Terminate(); }

  // The root element of a small document.
  xercesc::DOMElement* Parse(const std::string& xml) {
    parser_ = std::make_unique<xercesc::XercesDOMParser>();
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(xml.data()), xml.size(), "test");
    parser_->parse(source);
    return parser_->getDocument()->getDocumentElement();
  }

  // The element's children: T'text', C'cdata' or <Tag:text>.
  static std::wstring Children(const xercesc::DOMElement* element) {
    std::wstring out;
    for (auto* child = element->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
      std::wstring text = xmldoc::ToWide(child->getTextContent());
      switch (child->getNodeType()) {
        case xercesc::DOMNode::TEXT_NODE:
          out += L"T'" + text + L"'";
          break;
        case xercesc::DOMNode::CDATA_SECTION_NODE:
          out += L"C'" + text + L"'";
          break;
        default:
          out += L"<" + xmldoc::ToWide(child->getNodeName()) + L":" + text + L">";
      }
    }
    return out;
  }

  std::unique_ptr<xercesc::XercesDOMParser> parser_;
};

struct TextCase {
  std::string xml;
  std::wstring text;
  std::wstring childrenAfterSet;
};

TEST_F(DomHelpersTest, ReadsTheFirstNonBlankTextAndReplacesItInPlace) {
  const TextCase cases[] = {
      {"<D>\n    old value\n  </D>", L"old value", L"T'\n    new\n  '"},
      {"<D><![CDATA[..\\Data]]></D>", L"..\\Data", L"C'new'"},
      {"<D>\n  <C>X=1</C>\n  old\n</D>", L"old", L"T''<C:X=1>T'\n  new\n'"},
      {"<D>first<C>X</C>second</D>", L"first", L"T'new'<C:X>T'new'"},
      {"<D><C>X</C></D>", L"", L"<C:X>T'new'"},
      {"<D>  \n  </D>", L"", L"T'new'"},
      {"<D/>", L"", L"T'new'"},
      {"<D> <!-- note --> </D>", L"", L"T''<#comment: note >T'new'"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.xml);
    xercesc::DOMElement* element = Parse(c.xml);
    EXPECT_EQ(GetElementText(element), c.text);
    SetElementText(element, L"new");
    EXPECT_EQ(Children(element), c.childrenAfterSet);
    EXPECT_EQ(GetElementText(element), L"new");
  }
}

TEST_F(DomHelpersTest, FindsOnlyDirectChildElementsByExactName) {
  xercesc::DOMElement* root = Parse("<D><x><Condition>inner</Condition></x><condition/><Condition>a</Condition></D>");
  xercesc::DOMElement* found = inideploy::FindChildElement(root, L"Condition");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(GetElementText(found), L"a");
  EXPECT_EQ(inideploy::FindChildElement(root, L"Missing"), nullptr);
}

}  // namespace
