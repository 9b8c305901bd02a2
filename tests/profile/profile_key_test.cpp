#include "inideploy/profile_key.h"

#include <gtest/gtest.h>

#include "test_machine.h"

namespace {

class ProfileKeyExistsTest : public testing_support::MachineTest {};

TEST_F(ProfileKeyExistsTest, TellsAPresentKeyFromAMissingOne) {
  WriteBytes(L"C:\\cfg\\app.ini",
             "[S]\r\nEmpty=\r\nFull=1\r\nQuoted=\"\"\r\nLone\r\nSentinel={7E8054E7-F7BA-4FA5-B150-52031E63E8AD}\r\n"
             "[Other]\r\nX=1\r\n");
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    bool exists;
  } cases[] = {
      {L"S", L"Empty", true},      // an empty value is still a value
      {L"S", L"Quoted", true},     // so is one that reads as empty after its quotes go
      {L"S", L"Full", true},       //
      {L"s", L"FULL", true},       // names ignore case
      {L"S", L"Missing", false},   //
      {L"S", L"Lone", false},      // a line without '=' holds no value
      {L"S", L"X", false},         // the key is in another section
      {L"Nope", L"Full", false},   // missing section
      {L"S", L"Sentinel", false},  // the probe's own sentinel reads as missing
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inideploy::ProfileKeyExists(L"C:\\cfg\\app.ini", c.section, c.key), c.exists) << c.key;
  }
}

TEST_F(ProfileKeyExistsTest, AMissingFileOrFolderHoldsNoKeys) {
  EXPECT_FALSE(inideploy::ProfileKeyExists(L"C:\\cfg\\absent.ini", L"S", L"K"));
  EXPECT_FALSE(inideploy::ProfileKeyExists(L"C:\\no\\such\\folder\\app.ini", L"S", L"K"));
  EXPECT_FALSE(Exists(L"C:\\cfg\\absent.ini"));
}

TEST_F(ProfileKeyExistsTest, SeesAKeyJustWrittenInAUnicodeFile) {
  WriteBytes(L"C:\\cfg\\wide.ini", "\xFF\xFE");
  EXPECT_FALSE(inideploy::ProfileKeyExists(L"C:\\cfg\\wide.ini", L"Directories", L"ProjectPath"));
  ASSERT_TRUE(WritePrivateProfileStringW(L"Directories", L"ProjectPath", L"", L"C:\\cfg\\wide.ini"));
  EXPECT_TRUE(inideploy::ProfileKeyExists(L"C:\\cfg\\wide.ini", L"Directories", L"ProjectPath"));
}

}  // namespace
