// Profile behaviour beyond the recorded cases: where files are found, text that must survive a
// rewrite, and buffers that must not be overrun.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_machine.h"

namespace {

class ProfileBehaviour : public testing_support::MachineTest {};

TEST_F(ProfileBehaviour, ABareFileNameLivesInTheWindowsFolder) {
  standin::MachineSetup setup;
  setup.currentFolder = L"C:\\work\\";
  ResetMachine(setup);
  std::filesystem::create_directories(Host(L"C:\\Windows"));
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"A", L"1", L"bare.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\Windows\\bare.ini"), "[S]\r\nA=1\r\n");
  EXPECT_FALSE(Exists(L"C:\\work\\bare.ini"));

  // A relative path with a folder in it is taken from the current folder.
  std::filesystem::create_directories(Host(L"C:\\work\\sub"));
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"A", L"2", L"sub\\rel.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\work\\sub\\rel.ini"), "[S]\r\nA=2\r\n");
}

TEST_F(ProfileBehaviour, CharactersSurviveARewriteInTheirEncoding) {
  // Bytes the code page leaves undefined come back as they were.
  WriteBytes(L"C:\\a.ini", "[S]\r\nA=\x81\x8D\x8F\x90\x9D\x80\r\n");
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"B", L"\u20AC", L"C:\\a.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\a.ini"), "[S]\r\nA=\x81\x8D\x8F\x90\x9D\x80\r\nB=\x80\r\n");

  // A character the code page lacks becomes its look-alike, or '?' when it has none.
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"C", L"\u0141ukasz \uFF21\u2002\u4E2D", L"C:\\a.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\a.ini"), "[S]\r\nA=\x81\x8D\x8F\x90\x9D\x80\r\nB=\x80\r\nC=Lukasz A ?\r\n");

  // Characters beyond the 16-bit range are stored as surrogate pairs in a UTF-16 file.
  WriteBytes(L"C:\\w.ini", "\xFF\xFE");
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"A", L"x\U0001F600", L"C:\\w.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\w.ini"), std::string("\xFF\xFE[\0S\0]\0\r\0\n\0A\0=\0x\0\x3D\xD8\x00\xDE\r\0\n\0", 26));
  wchar_t buffer[16];
  GetPrivateProfileStringW(L"S", L"A", nullptr, buffer, 16, L"C:\\w.ini");
  EXPECT_STREQ(buffer, L"x\U0001F600");
}

// Reading and setting a key ignore blanks around the names; removals and the section lists take
// the name as given, so a padded name removes nothing.
TEST_F(ProfileBehaviour, OnlyKeyLookupsIgnoreBlanksAroundNames) {
  const std::string initial = "[Sec]\r\nA=1\r\n[Next]\r\nB=2\r\n";
  WriteBytes(L"C:\\p.ini", initial);
  wchar_t buffer[16];
  EXPECT_EQ(GetPrivateProfileStringW(L" Sec ", L" A ", nullptr, buffer, 16, L"C:\\p.ini"), 1u);
  EXPECT_EQ(GetPrivateProfileSectionW(L" Sec ", buffer, 16, L"C:\\p.ini"), 0u);
  EXPECT_TRUE(WritePrivateProfileStringW(L" Sec ", L" A ", nullptr, L"C:\\p.ini"));
  EXPECT_TRUE(WritePrivateProfileStringW(L" Next ", nullptr, nullptr, L"C:\\p.ini"));
  EXPECT_TRUE(WritePrivateProfileSectionW(L" Next ", L"\0", L"C:\\p.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\p.ini"), initial);
  EXPECT_TRUE(WritePrivateProfileStringW(L" Sec ", L" A ", L"2", L"C:\\p.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\p.ini"), "[Sec]\r\nA=2\r\n[Next]\r\nB=2\r\n");
}

// Only the blank, the ASCII controls from tab to carriage return and Ctrl-Z are trimmed.
TEST_F(ProfileBehaviour, UnicodeSpacesBelongToTheName) {
  WriteBytes(L"C:\\s.ini",
             "[S]\r\n\x1A\tA\v=\f1\x1A\r\n\xA0"
             "B=2\r\n");
  wchar_t buffer[16];
  EXPECT_EQ(GetPrivateProfileStringW(L"S", L"A", nullptr, buffer, 16, L"C:\\s.ini"), 1u);
  EXPECT_EQ(GetPrivateProfileStringW(L"S", L"B", L"dflt", buffer, 16, L"C:\\s.ini"), 4u);
  EXPECT_EQ(GetPrivateProfileStringW(L"S", L"\u00A0B", nullptr, buffer, 16, L"C:\\s.ini"), 1u);
}

// Defaults: a key read trims the default's trailing blanks, a key list takes it as passed; both
// drop one pair of quotes around it, and a file that cannot be opened gives it with its quotes.
TEST_F(ProfileBehaviour, DefaultsAsEachReadTakesThem) {
  WriteBytes(L"C:\\d.ini", "[S]\r\n;only a comment\r\n");
  struct Case {
    const wchar_t* file;
    const wchar_t* key;
    const wchar_t* fallback;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\d.ini", L"K", L"d  ", L"d"},
      {L"C:\\d.ini", nullptr, L"d  ", L"d  "},
      {L"C:\\d.ini", L"K", L"\"q\"  ", L"q"},
      {L"C:\\d.ini", nullptr, L"\"q\"", L"q"},
      {L"C:\\d.ini", nullptr, L"\"q\"  ", L"\"q\"  "},
      {L"C:\\none\\d.ini", L"K", L"\"q\"  ", L"\"q\""},
  };
  for (const Case& c : cases) {
    wchar_t buffer[16];
    DWORD count = GetPrivateProfileStringW(L"S", c.key, c.fallback, buffer, 16, c.file);
    EXPECT_STREQ(buffer, c.expected) << c.fallback;
    EXPECT_EQ(count, std::wstring(c.expected).size()) << c.fallback;
  }
}

// The entries of a section list are added one by one, each looking its section up anew.
TEST_F(ProfileBehaviour, SectionListEntriesGoIntoTheSectionTheyFind) {
  WriteBytes(L"C:\\e.ini", "");
  ASSERT_TRUE(WritePrivateProfileSectionW(L"New", L"a=1\0b=2\0", L"C:\\e.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\e.ini"), "[New]\r\na=1\r\nb=2\r\n");
  // A created name keeps its trailing blanks, which the next lookup does not ignore.
  ASSERT_TRUE(WritePrivateProfileSectionW(L" Pad ", L"x=1\0y=2\0", L"C:\\e.ini"));
  EXPECT_EQ(ReadBytes(L"C:\\e.ini"), "[New]\r\na=1\r\nb=2\r\n[Pad ]\r\nx=1\r\n[Pad ]\r\ny=2\r\n");
}

// Sizes too small for a list's closing NULs write inside the buffer only.
TEST_F(ProfileBehaviour, TinyBuffersAreNeverOverrun) {
  WriteBytes(L"C:\\t.ini", "[First]\r\nA=1\r\n");
  constexpr wchar_t kGuard = 0x2591;
  for (DWORD size : {0u, 1u, 2u}) {
    for (int call = 0; call < 5; ++call) {
      std::vector<wchar_t> buffer(size + 4, kGuard);
      switch (call) {
        case 0:
          GetPrivateProfileSectionW(L"First", buffer.data(), size, L"C:\\t.ini");
          break;
        case 1:
          GetPrivateProfileSectionW(L"Missing", buffer.data(), size, L"C:\\t.ini");
          break;
        case 2:
          GetPrivateProfileSectionNamesW(buffer.data(), size, L"C:\\t.ini");
          break;
        case 3:
          GetPrivateProfileStringW(L"First", nullptr, L"dflt", buffer.data(), size, L"C:\\t.ini");
          break;
        case 4:
          GetPrivateProfileStringW(L"First", L"A", L"\"\"", buffer.data(), size, L"C:\\missing.ini");
          break;
      }
      for (std::size_t i = size; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], kGuard) << "call " << call << ", size " << size << ", cell " << i;
      }
    }
  }
}

}  // namespace
