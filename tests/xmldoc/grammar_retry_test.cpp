// Grammars the parser cannot fetch: this machine has no network, and the ".invalid" top-level
// name never resolves anywhere, so the lookups fail at once.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/unicode.h"
#include "xml_test_support.h"
#include "xmldoc/unresolved_grammar.h"

namespace xmldoc_test {
namespace {

const std::string kUnresolved = " !=> Unresolved Schema! Schema validation disabled when loading ";

class GrammarRetryTest : public XmlTest {
 protected:
  void SetUp() override {
    XmlTest::SetUp();
    xmldoc::schemaUnresolved = 0;  // process-wide; tests may share a process
  }

  LoadOutcome TimedOpen(const std::wstring& path, const std::string& text) {
    auto start = std::chrono::steady_clock::now();
    xmldoc::XmlDocumentFile file;
    LoadOutcome outcome = OpenText(file, path, text);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    outcome.document = nullptr;  // released with the file
    return outcome;
  }

  LoadOutcome OpenValidDescription() {
    return TimedOpen(L"C:\\Temp\\valid.xml",
                     IniFileDocument("<File Name=\"a.ini\" Path=\"[A]\"><Section Name=\"s\"/></File>\n"));
  }
};

TEST_F(GrammarRetryTest, UnreachableSchemaIsRetriedWithoutSchemaAndEveryLaterLoadSaysSo) {
  LoadOutcome outcome = TimedOpen(L"C:\\Temp\\schema.xml",
                                  "<?xml version=\"1.0\"?>\n"
                                  "<IniFile xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
                                  "  xsi:noNamespaceSchemaLocation=\"http://grammar.invalid/inifile.xsd\"/>\n");
  EXPECT_TRUE(outcome.loaded);
  EXPECT_EQ(outcome.output, kUnresolved + "C:\\Temp\\schema.xml\n");
  EXPECT_EQ(xmldoc::schemaUnresolved, 1);

  LoadOutcome later = OpenValidDescription();
  EXPECT_TRUE(later.loaded);
  EXPECT_EQ(later.output, kUnresolved + "C:\\Temp\\valid.xml\n");
}

TEST_F(GrammarRetryTest, UnreachableDtdFailsAgainOnTheRetryAndLaterLoadsSaySo) {
  LoadOutcome outcome = TimedOpen(
      L"C:\\Temp\\dtd.xml",
      "<?xml version=\"1.0\"?>\n<!DOCTYPE IniFile SYSTEM \"http://grammar.invalid/inifile.dtd\">\n<IniFile/>\n");
  EXPECT_FALSE(outcome.loaded);
  EXPECT_EQ(outcome.output.rfind(" !=> Failed to load C:\\Temp\\dtd.xml\n     > FATAL ERROR on line 2", 0), 0u)
      << outcome.output;
  EXPECT_NE(outcome.output.find("grammar.invalid"), std::string::npos);
  EXPECT_EQ(xmldoc::schemaUnresolved, 1);

  LoadOutcome later = OpenValidDescription();
  EXPECT_TRUE(later.loaded);
  EXPECT_EQ(later.output, kUnresolved + "C:\\Temp\\valid.xml\n");
}

TEST_F(GrammarRetryTest, MissingLocalGrammarIsAnOrdinaryFailure) {
  LoadOutcome outcome = TimedOpen(L"C:\\Temp\\local.xml",
                                  "<?xml version=\"1.0\"?>\n<!DOCTYPE IniFile SYSTEM \"missing.dtd\">\n<IniFile/>\n");
  EXPECT_FALSE(outcome.loaded);
  EXPECT_NE(outcome.output.find("missing.dtd"), std::string::npos) << outcome.output;
  EXPECT_EQ(xmldoc::schemaUnresolved, 0);
  EXPECT_EQ(OpenValidDescription().output, "");
}

// An external DTD beside the document is read through the machine's files, like the document.
TEST_F(GrammarRetryTest, ExternalDtdBesideTheDocumentValidatesIt) {
  std::string doctype = IniFileDoctype();
  std::string subset = doctype.substr(doctype.find('[') + 1, doctype.rfind(']') - doctype.find('[') - 1);
  WriteBytes(L"C:\\Temp\\Grammar\\inifile.dtd", subset);
  const std::string head = "<?xml version=\"1.0\"?>\n<!DOCTYPE IniFile SYSTEM \"inifile.dtd\">\n<IniFile>\n";

  LoadOutcome valid = TimedOpen(L"C:\\Temp\\Grammar\\valid.xml",
                                head + "<File Name=\"a.ini\" Path=\"[A]\"><Section Name=\"s\"/></File>\n</IniFile>\n");
  EXPECT_TRUE(valid.loaded) << valid.output;
  LoadOutcome invalid =
      TimedOpen(L"C:\\Temp\\Grammar\\invalid.xml", head + "<File Name=\"a.ini\" Path=\"[A]\"></File>\n</IniFile>\n");
  EXPECT_FALSE(invalid.loaded);
  EXPECT_NE(invalid.output.find("ERROR on line 4"), std::string::npos) << invalid.output;
  EXPECT_EQ(xmldoc::schemaUnresolved, 0);
}

}  // namespace
}  // namespace xmldoc_test

namespace xmldoc_test {
namespace {

TEST(UnresolvedGrammarTest, RecognisesNetworkFailuresForGrammarsInBothWordings) {
  struct Case {
    const wchar_t* message;
    bool unresolved;
  };
  const Case cases[] = {
      // Xerces-C 3.1
      {L"FATAL ERROR on line 2, node #document\nAn exception occurred! Type:NetAccessorException, Message:Could not "
       L"connect to the socket for URL 'http://grammar.invalid/inifile.xsd'",
       true},
      {L"FATAL ERROR on line 0\nAn exception occurred! Type:NetAccessorException, Message:The host/address "
       L"'grammar.invalid' could not be resolved",
       true},
      {L"FATAL ERROR on line 2\nAn exception occurred! Type:NetAccessorException, Message:internal error", false},
      // Xerces-C 3.2
      {L"FATAL ERROR on line 2, node #document\nunable to resolve host/address 'grammar.invalid'", true},
      {L"FATAL ERROR on line 2\nunable to connect socket for URL 'http://10.0.0.1/inifile.dtd'", true},
      {L"FATAL ERROR on line 2\nunable to connect socket for URL 'http://10.0.0.1/page'", false},
      // Not the network
      {L"FATAL ERROR on line 2, node #document\nunable to open DTD document 'missing.dtd'", false},
      {L"ERROR on line 22, node File\nmissing required attribute 'Path'", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(xmldoc::IsUnresolvedGrammar(c.message), c.unresolved) << unicode::ToUtf8(c.message);
  }
}

}  // namespace
}  // namespace xmldoc_test
