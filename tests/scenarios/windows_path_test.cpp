#include "windows_path.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsPath, OnlyDriveAndSharePathsBelongToTheMachine) {
  for (const wchar_t* path : {L"C:\\", L"c:\\Users\\ann\\Pelmo.ini", L"\\\\srv\\share", L"\\\\srv\\share\\x.ini"}) {
    EXPECT_TRUE(msisim::IsWindowsPath(path)) << path;
  }
  for (const wchar_t* path : {L"", L"/etc/passwd", L"Users\\ann", L"\\Users\\ann", L"C:", L"C:Pelmo.ini", L"C:/x",
                              L"\\\\srv", L"\\\\srv\\", L"\\\\\\share\\x", L"1:\\x"}) {
    EXPECT_FALSE(msisim::IsWindowsPath(path)) << path;
  }
}

TEST(WindowsPath, HostFilesMapBackToTheirWindowsNames) {
  const std::filesystem::path root = "/machine";
  EXPECT_EQ(msisim::WindowsPathOf(root, root / "c" / "Users" / "ann" / "Pelmo.ini"), L"C:\\Users\\ann\\Pelmo.ini");
  EXPECT_EQ(msisim::WindowsPathOf(root, root / "unc" / "srv" / "share" / "a.ini"), L"\\\\srv\\share\\a.ini");
  EXPECT_EQ(msisim::WindowsPathOf(root, root / "d"), L"D:\\");
  EXPECT_FALSE(msisim::WindowsPathOf(root, root / "unc" / "srv"));
  EXPECT_FALSE(msisim::WindowsPathOf(root, root / "stray" / "x"));
  EXPECT_FALSE(msisim::WindowsPathOf(root, "/elsewhere/c/x"));
}

}  // namespace
