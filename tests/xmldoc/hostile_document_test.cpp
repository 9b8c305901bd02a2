// Documents built to exhaust the parser fail quickly, with a message, and valid ones still load.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "xml_test_support.h"

namespace xmldoc_test {
namespace {

// Ten levels of entities, each referring ten times to the one below: 10^9 expansions.
std::string BillionLaughs() {
  std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ELEMENT lolz (#PCDATA)>\n<!ENTITY lol0 \"lol\">\n";
  for (int level = 1; level <= 9; ++level) {
    text += "<!ENTITY lol" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) text += "&lol" + std::to_string(level - 1) + ";";
    text += "\">\n";
  }
  return text + "]>\n<lolz>&lol9;</lolz>\n";
}

// The same expansion in an attribute value.
std::string LaughsInAnAttribute() {
  std::string text = BillionLaughs();
  text.replace(text.find("<!ELEMENT lolz (#PCDATA)>"), 25,
               "<!ELEMENT lolz EMPTY>\n<!ATTLIST lolz laugh CDATA #IMPLIED>");
  text.replace(text.find("<lolz>&lol9;</lolz>"), 19, "<lolz laugh=\"&lol9;\"/>");
  return text;
}

// One large entity referred to a few thousand times: few expansions, gigabytes of text.
std::string QuadraticBlowup() {
  std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE q [\n<!ELEMENT q (#PCDATA)>\n<!ENTITY a \"" +
                     std::string(100000, 'x') + "\">\n]>\n<q>";
  for (int i = 0; i < 5000; ++i) text += "&a;";
  return text + "</q>\n";
}

std::string Nested(int depth) {
  std::string text = "<?xml version=\"1.0\"?>\n";
  for (int i = 0; i < depth; ++i) text += "<d>";
  for (int i = 0; i < depth; ++i) text += "</d>";
  return text + "\n";
}

class HostileDocumentTest : public XmlTest {};

TEST_F(HostileDocumentTest, FailsQuicklyWithAMessage) {
  struct Case {
    const char* what;
    std::function<std::string()> document;
    std::string message;
  };
  const Case cases[] = {
      {"billion laughs", BillionLaughs, "entity expansions"},
      {"billion laughs in an attribute", LaughsInAnAttribute, "entity expansions"},
      {"quadratic blowup", QuadraticBlowup, "more than 64 MB of memory"},
      {"deep nesting", [] { return Nested(200000); }, "nested more than 1000 levels deep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto start = std::chrono::steady_clock::now();
    xmldoc::XmlDocumentFile file;
    LoadOutcome outcome = OpenText(file, L"C:\\Temp\\hostile.xml", c.document());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(outcome.loaded);
    EXPECT_NE(outcome.output.find(" !=> Failed to load C:\\Temp\\hostile.xml\n     > "), std::string::npos)
        << outcome.output;
    EXPECT_NE(outcome.output.find(c.message), std::string::npos) << outcome.output;
  }
}

TEST_F(HostileDocumentTest, ReasonableNestingAndEntitiesStillLoad) {
  // The deepest document that loads also saves: the serializer descends recursively.
  xmldoc::XmlDocumentFile nested;
  EXPECT_TRUE(OpenText(nested, L"C:\\Temp\\nested.xml", Nested(1000)).loaded);
  EXPECT_TRUE(nested.Save(L"UTF-16", L"\r\n"));

  std::string entities = "<?xml version=\"1.0\"?>\n<!DOCTYPE q [\n<!ELEMENT q (#PCDATA)>\n<!ENTITY a \"[A]\">\n]>\n<q>";
  for (int i = 0; i < 1000; ++i) entities += "&a;";
  xmldoc::XmlDocumentFile expanded;
  LoadOutcome outcome = OpenText(expanded, L"C:\\Temp\\entities.xml", entities + "</q>\n");
  ASSERT_TRUE(outcome.loaded) << outcome.output;
  EXPECT_EQ(xmldoc::ToWide(outcome.document->getDocumentElement()->getTextContent()).size(), 3000u);
}

}  // namespace
}  // namespace xmldoc_test
