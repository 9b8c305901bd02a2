// Loading and validating documents: what loads, what does not, and what the layer prints.
#include <gtest/gtest.h>

#include <xercesc/dom/DOMError.hpp>
#include <xercesc/dom/DOMLocator.hpp>

#include "platform/unicode.h"
#include "xml_test_support.h"
#include "xmldoc/wsx_dom_error_handler.h"
#include "xmldoc/xml_text.h"

namespace xmldoc_test {
namespace {

const std::wstring kPath = L"C:\\Temp\\doc.xml";
const std::string kFailedLine = " !=> Failed to load C:\\Temp\\doc.xml\n     > ";
// The first File element sits on line 21 of an IniFileDocument, the next one on line 22.
const std::string kValidFile = "<File Name=\"a.ini\" Path=\"[A]\"><Section Name=\"s\"/></File>\n";

class LoadTest : public XmlTest {};

struct Invalid {
  const char* what;
  std::string files;
  std::string report;  // the start of the handler's text
  std::string detail;  // a part of the parser's own text
};

TEST_F(LoadTest, DocumentsThatBreakTheDtdDoNotLoadAndTheMessageNamesTheLine) {
  const Invalid cases[] = {
      {"Product outside its list",
       kValidFile + "<File Name=\"b.ini\" Path=\"[B]\"><Section Name=\"s\"><Data Key=\"k\" Product=\"PLXX\">v</Data>"
                    "</Section></File>\n",
       "ERROR on line 22, node Section\n", "'PLXX' for attribute 'Product'"},
      {"Product differing only in letter case",
       kValidFile + "<File Name=\"b.ini\" Path=\"[B]\"><Section Name=\"s\"><Data Key=\"k\" Product=\"all\">v</Data>"
                    "</Section></File>\n",
       "ERROR on line 22, node Section\n", "'all' for attribute 'Product'"},
      {"File without Section", kValidFile + "<File Name=\"b.ini\" Path=\"[B]\"></File>\n", "ERROR on line 22, node ",
       "'(Section)+'"},
      {"missing required attribute", kValidFile + "<File Name=\"b.ini\"><Section Name=\"s\"/></File>\n",
       "ERROR on line 22, node ", "missing required attribute 'Path'"},
      {"Section out of place", kValidFile + "<Section Name=\"s\"/>\n", "ERROR on line 23, node ",
       "element 'Section' is not allowed"},
      {"two errors report the first",
       kValidFile +
           "<File Name=\"b.ini\"><Section Name=\"s\"/></File>\n<File Path=\"[C]\"><Section Name=\"t\"/></File>\n",
       "ERROR on line 22, node ", "'Path'"},
      {"not well-formed", kValidFile + "<File Name=\"b.ini\" Path=\"[B]\"><Section Name=\"s\"/>\n",
       "FATAL ERROR on line ", ""},
  };
  for (const Invalid& invalid : cases) {
    SCOPED_TRACE(invalid.what);
    xmldoc::XmlDocumentFile file;
    LoadOutcome outcome = OpenText(file, kPath, IniFileDocument(invalid.files));
    EXPECT_FALSE(outcome.loaded);
    EXPECT_EQ(outcome.output.rfind(kFailedLine + invalid.report, 0), 0u) << outcome.output;
    EXPECT_NE(outcome.output.find(invalid.detail), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.output, kFailedLine + unicode::ToUtf8(file.LastErrorText()) + "\n");
    EXPECT_EQ(outcome.output.back(), '\n');
  }
}

TEST_F(LoadTest, MissingFileWritesOneLineAndNeverReachesTheParser) {
  xmldoc::XmlDocumentFile file;
  LoadOutcome outcome = Open(file, L"C:\\Temp\\missing.xml");
  EXPECT_FALSE(outcome.loaded);
  EXPECT_EQ(outcome.output, "   !=> File not avaliable to parse: C:\\Temp\\missing.xml\n");
  EXPECT_EQ(file.Path(), L"");  // Parse never ran
  EXPECT_EQ(file.LastErrorText(), L"");
}

TEST_F(LoadTest, WarningsAloneDoNotFailTheLoad) {
  std::string text = IniFileDocument(kValidFile);
  text.insert(text.find("]>"), "  <!ATTLIST Unused Note CDATA #IMPLIED>\n");
  xmldoc::XmlDocumentFile file;
  LoadOutcome outcome = OpenText(file, kPath, text);
  EXPECT_TRUE(outcome.loaded);
  EXPECT_EQ(outcome.output, "");
  EXPECT_EQ(file.LastErrorText().rfind(L"WARNING on line 20, node #document\n", 0), 0u)
      << unicode::ToUtf8(file.LastErrorText());
}

TEST_F(LoadTest, OmittedAttributesReadAsTheirDtdDefaults) {
  xmldoc::XmlDocumentFile file;
  LoadOutcome outcome =
      OpenText(file, kPath,
               IniFileDocument("<File Name=\"a.ini\" Path=\"[A]\" Unicode=\"no\"><Section Name=\"s\">"
                               "<Data Key=\"k\">v</Data><Data Key=\"m\" Product=\"PLM\" Overwrite=\"no\">w</Data>"
                               "</Section></File>\n"));
  ASSERT_TRUE(outcome.loaded) << outcome.output;
  xercesc::DOMElement* fileElement = Children(outcome.document->getDocumentElement(), L"File").at(0);
  EXPECT_EQ(Attribute(fileElement, L"Unicode"), L"no");
  EXPECT_TRUE(AttributeSpecified(fileElement, L"Unicode"));
  EXPECT_EQ(Attribute(fileElement, L"AddACE"), L"no");
  EXPECT_FALSE(AttributeSpecified(fileElement, L"AddACE"));
  auto data = Children(Children(fileElement, L"Section").at(0), L"Data");
  EXPECT_EQ(Attribute(data.at(0), L"Product"), L"ALL");
  EXPECT_EQ(Attribute(data.at(0), L"Overwrite"), L"yes");
  EXPECT_EQ(Attribute(data.at(1), L"Product"), L"PLM");
  EXPECT_EQ(Attribute(data.at(1), L"Overwrite"), L"no");
}

TEST_F(LoadTest, ASecondParseOfTheSameObjectStartsOver) {
  xmldoc::XmlDocumentFile file;
  ASSERT_TRUE(OpenText(file, L"C:\\Temp\\first.xml", IniFileDocument(kValidFile)).loaded);
  LoadOutcome second = OpenText(file, L"C:\\Temp\\second.xml", IniFileDocument(kValidFile + kValidFile));
  ASSERT_TRUE(second.loaded);
  EXPECT_EQ(file.Document(), second.document);
  EXPECT_EQ(file.Path(), L"C:\\Temp\\second.xml");
  EXPECT_EQ(Children(second.document->getDocumentElement(), L"File").size(), 2u);
}

TEST_F(LoadTest, RelativePathsResolveAgainstTheCurrentFolder) {
  standin::MachineSetup setup;
  setup.currentFolder = L"C:\\Work\\";
  ResetMachine(setup);
  WriteBytes(L"C:\\Work\\doc.xml", WithCrLf(IniFileDocument(kValidFile)));
  xmldoc::XmlDocumentFile file;
  LoadOutcome outcome = Open(file, L"doc.xml");
  EXPECT_TRUE(outcome.loaded) << outcome.output;
}

// The handler's text and decision for each severity, including a report without a related node.
class FakeLocator : public xercesc::DOMLocator {
 public:
  XMLFileLoc getLineNumber() const override { return 7; }
  XMLFileLoc getColumnNumber() const override { return 3; }
  XMLFilePos getByteOffset() const override { return 0; }
  XMLFilePos getUtf16Offset() const override { return 0; }
  xercesc::DOMNode* getRelatedNode() const override { return nullptr; }
  const XMLCh* getURI() const override { return nullptr; }
};

class FakeError : public xercesc::DOMError {
 public:
  FakeError(short severity, const std::basic_string<XMLCh>& message) : severity_(severity), message_(message) {}
  ErrorSeverity getSeverity() const override { return static_cast<ErrorSeverity>(severity_); }
  const XMLCh* getMessage() const override { return message_.c_str(); }
  xercesc::DOMLocator* getLocation() const override { return &locator_; }
  void* getRelatedException() const override { return nullptr; }
  const XMLCh* getType() const override { return nullptr; }
  void* getRelatedData() const override { return nullptr; }

 private:
  short severity_;
  std::basic_string<XMLCh> message_;
  mutable FakeLocator locator_;
};

TEST(ErrorHandlerTest, EachReportReplacesTheTextAndOnlyWarningsLetTheParserGoOn) {
  struct Case {
    short severity;
    const wchar_t* text;
    bool goesOn;
  };
  const Case cases[] = {
      {1, L"WARNING on line 7\nparser text", true},
      {2, L"ERROR on line 7\nparser text", false},
      {3, L"FATAL ERROR on line 7\nparser text", false},
      {9, L" on line 7\nparser text", false},
  };
  xmldoc::wsxDOMErrorHandler handler;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.severity);
    EXPECT_EQ(handler.handleError(FakeError(c.severity, xmldoc::ToXml(L"parser text"))), c.goesOn);
    EXPECT_EQ(handler.Message(), c.text);
    EXPECT_EQ(handler.Failed(), !c.goesOn);
  }
}

}  // namespace
}  // namespace xmldoc_test
