#include "file_text.h"

#include <gtest/gtest.h>

namespace {

using msisim::Encoding;

TEST(FileText, EachEncodingComesBackAsWritten) {
  const std::string text = "[Directories]\r\nProjectPath=C:\\Users\\ann\\Dokumente \xC3\xA4\xE2\x82\xAC\r\n";
  for (Encoding encoding : {Encoding::Utf16LeBom, Encoding::Utf8, Encoding::Utf8Bom}) {
    auto bytes = msisim::EncodeText(text, encoding);
    ASSERT_TRUE(bytes);
    msisim::FileText read = msisim::DecodeFile(*bytes);
    EXPECT_EQ(read.encoding, encoding) << msisim::EncodingName(encoding);
    EXPECT_EQ(read.text, text) << msisim::EncodingName(encoding);
  }
}

TEST(FileText, BytesShowTheirEncoding) {
  EXPECT_EQ(*msisim::EncodeText("A", Encoding::Utf16LeBom), std::string("\xFF\xFE"
                                                                        "A\0",
                                                                        4));
  EXPECT_EQ(*msisim::EncodeText("A", Encoding::Utf8Bom),
            "\xEF\xBB\xBF"
            "A");
  // 8-bit text that is not UTF-8 (an ANSI INI file) is shown byte for byte as Latin-1.
  msisim::FileText ansi = msisim::DecodeFile(
      "Stra\xDF"
      "e");
  EXPECT_EQ(ansi.encoding, Encoding::Latin1);
  EXPECT_EQ(ansi.text,
            "Stra\xC3\x9F"
            "e");
  EXPECT_EQ(*msisim::EncodeText(ansi.text, Encoding::Latin1),
            "Stra\xDF"
            "e");
  // An overlong form is not UTF-8 either.
  EXPECT_EQ(msisim::DecodeFile("\xC0\xAF").encoding, Encoding::Latin1);
  EXPECT_FALSE(msisim::EncodeText("\xE2\x82\xAC", Encoding::Latin1));
}

TEST(FileText, LinesEndInCrLfOrLf) {
  EXPECT_EQ(msisim::SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(msisim::SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(msisim::SplitLines("").empty());
}

}  // namespace
