// Writing a loaded document back over its file.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "xml_test_support.h"

namespace xmldoc_test {
namespace {

const std::wstring kPath = L"C:\\Temp\\bex1.xml";
const std::string kFiles =
    "<File Name=\"a.ini\" Path=\"[A]\" Unicode=\"no\">\n"
    "  <Section Name=\"s\">\n"
    "    <Data Key=\"k\">\n      [VALUE]\n    </Data>\n"
    "    <Data Key=\"m\" Product=\"ALL\" Overwrite=\"yes\"><![CDATA[[OTHER]]]></Data>\n"
    "  </Section>\n"
    "</File>\n";

class SaveTest : public XmlTest {
 protected:
  void Load(xmldoc::XmlDocumentFile& file) { ASSERT_TRUE(OpenText(file, kPath, IniFileDocument(kFiles)).loaded); }

  bool Save(xmldoc::XmlDocumentFile& file, std::string* output = nullptr) {
    testing::internal::CaptureStdout();
    bool saved = file.Save(L"UTF-16", L"\r\n");
    std::string printed = testing::internal::GetCapturedStdout();
    if (output != nullptr) *output = printed;
    return saved;
  }
};

TEST_F(SaveTest, WritesUtf16WithBomAndKeepsOnlySpelledOutAttributes) {
  xmldoc::XmlDocumentFile file;
  Load(file);
  std::string output;
  ASSERT_TRUE(Save(file, &output));
  EXPECT_EQ(output, "");

  std::string bytes = ReadBytes(kPath);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  std::wstring text = testing_support::FromUtf16(bytes.substr(2));
  EXPECT_EQ(text.rfind(L"<?xml version=\"1.0\" encoding=\"UTF-16\"", 0), 0u);
  // The lines the serializer lays out end in CR LF; line breaks inside the internal DTD and inside
  // text were read as LF (XML reads every line end so) and are written as they stand.
  EXPECT_NE(text.find(L"?>\r\n<!DOCTYPE IniFile ["), std::wstring::npos);
  EXPECT_NE(text.find(L"\n]>\r\n<IniFile>"), std::wstring::npos);
  EXPECT_EQ(text.substr(text.size() - 12), L"</IniFile>\r\n");
  EXPECT_EQ(text.find(L"\r\r"), std::wstring::npos);
  EXPECT_NE(text.find(L"<!DOCTYPE IniFile ["), std::wstring::npos);
  EXPECT_NE(text.find(L"Unicode=\"no\""), std::wstring::npos);
  EXPECT_NE(text.find(L"<Data Key=\"m\" Overwrite=\"yes\" Product=\"ALL\">"), std::wstring::npos);
  EXPECT_EQ(text.find(L"AddACE=\""), std::wstring::npos);
  EXPECT_EQ(text.find(L"<Data Key=\"k\" "), std::wstring::npos);  // its defaults stay unwritten

  // The saved document loads again with the same content.
  xmldoc::XmlDocumentFile again;
  LoadOutcome reloaded = Open(again, kPath);
  ASSERT_TRUE(reloaded.loaded) << reloaded.output;
  auto data =
      Children(Children(Children(reloaded.document->getDocumentElement(), L"File").at(0), L"Section").at(0), L"Data");
  ASSERT_EQ(data.size(), 2u);
  EXPECT_EQ(Attribute(data[0], L"Product"), L"ALL");
  EXPECT_FALSE(AttributeSpecified(data[0], L"Product"));
  EXPECT_TRUE(AttributeSpecified(data[1], L"Product"));
  EXPECT_EQ(xmldoc::ToWide(data[1]->getTextContent()), L"[OTHER]");
}

TEST_F(SaveTest, SavingTwiceWritesTheSameBytes) {
  xmldoc::XmlDocumentFile file;
  Load(file);
  ASSERT_TRUE(Save(file));
  std::string first = ReadBytes(kPath);
  ASSERT_TRUE(Save(file));
  EXPECT_EQ(ReadBytes(kPath), first);
}

TEST_F(SaveTest, ReadOnlyTargetIsMadeWritable) {
  xmldoc::XmlDocumentFile file;
  Load(file);
  ASSERT_TRUE(SetFileAttributesW(kPath.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(Save(file));
  EXPECT_EQ(GetFileAttributesW(kPath.c_str()), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(kPath).substr(0, 2), "\xFF\xFE");
}

TEST_F(SaveTest, DeletedTargetIsNotCreated) {
  xmldoc::XmlDocumentFile file;
  Load(file);
  ASSERT_TRUE(DeleteFileW(kPath.c_str()));
  std::string output;
  EXPECT_FALSE(Save(file, &output));
  EXPECT_EQ(output, "C:\\Temp\\bex1.xml is is not writable\n");
  EXPECT_FALSE(Exists(kPath));
}

TEST_F(SaveTest, TargetHeldWithoutSharingIsReportedAndLeftAlone) {
  xmldoc::XmlDocumentFile file;
  Load(file);
  std::string before = ReadBytes(kPath);
  HANDLE holder = CreateFileW(kPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  std::string output;
  EXPECT_FALSE(Save(file, &output));
  CloseHandle(holder);
  EXPECT_EQ(output.rfind("Exception message is: \n", 0), 0u) << output;
  EXPECT_EQ(ReadBytes(kPath), before);
}

TEST_F(SaveTest, NothingIsWrittenWithoutAParsedDocument) {
  WriteBytes(kPath, "<broken");
  xmldoc::XmlDocumentFile file;
  ASSERT_FALSE(Open(file, kPath).loaded);
  EXPECT_FALSE(Save(file));
  EXPECT_EQ(ReadBytes(kPath), "<broken");
}

// The serializer gives up on an encoding it does not know; that must not read as a saved file.
TEST_F(SaveTest, UnknownEncodingIsAFailedSave) {
  xmldoc::XmlDocumentFile file;
  Load(file);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(file.Save(L"NO-SUCH-ENCODING", L"\r\n"));
  testing::internal::GetCapturedStdout();
}

}  // namespace
}  // namespace xmldoc_test
