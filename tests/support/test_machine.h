// A fresh stand-in machine per test, in its own temporary host folder, with helpers to put files
// on it and read them back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/host/control.h"

namespace testing_support {

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Rebuilds the machine with changed settings (the root stays the test's folder).
  void ResetMachine(standin::MachineSetup setup);

  // Files of the machine, by Windows path.
  std::filesystem::path Host(const std::wstring& windowsPath) const { return standin::HostPath(windowsPath); }
  void WriteBytes(const std::wstring& windowsPath, const std::string& bytes) const;
  std::string ReadBytes(const std::wstring& windowsPath) const;
  bool Exists(const std::wstring& windowsPath) const;

  // An immediate or deferred session with the given properties.
  MSIHANDLE Immediate(std::map<std::wstring, std::wstring> properties = {});
  MSIHANDLE Deferred(const std::wstring& customActionData);

  std::filesystem::path root_;
  standin::MachineSetup setup_;
};

// UTF-16LE bytes of a text, and the text of UTF-16LE bytes (a leading FF FE is kept as U+FEFF).
std::string Utf16(const std::wstring& text);
// The text with every line feed preceded by a carriage return, as Windows files are stored.
std::string WithCrLf(const std::string& text);
std::wstring FromUtf16(const std::string& bytes);

}  // namespace testing_support
