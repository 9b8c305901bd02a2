#include "test_machine.h"

#include <fstream>
#include <iterator>
#include <random>

#include "platform/unicode.h"

namespace testing_support {

namespace fs = std::filesystem;

void MachineTest::SetUp() {
  std::random_device random;
  root_ = fs::temp_directory_path() / ("standin-test-" + std::to_string(random()) + std::to_string(random()));
  setup_.root = root_;
  standin::ResetMachine(setup_);
}

void MachineTest::TearDown() {
  standin::MachineSetup closed;
  closed.root = root_ / "closed";
  standin::ResetMachine(closed);
  std::error_code error;
  fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(root_, error);
}

void MachineTest::ResetMachine(standin::MachineSetup setup) {
  setup.root = root_;
  setup_ = setup;
  standin::ResetMachine(setup_);
}

void MachineTest::WriteBytes(const std::wstring& windowsPath, const std::string& bytes) const {
  fs::path host = Host(windowsPath);
  fs::create_directories(host.parent_path());
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string MachineTest::ReadBytes(const std::wstring& windowsPath) const {
  std::ifstream in(Host(windowsPath), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool MachineTest::Exists(const std::wstring& windowsPath) const { return fs::exists(Host(windowsPath)); }

MSIHANDLE MachineTest::Immediate(std::map<std::wstring, std::wstring> properties) {
  standin::SessionSetup setup;
  setup.properties = std::move(properties);
  return standin::OpenSession(setup);
}

MSIHANDLE MachineTest::Deferred(const std::wstring& customActionData) {
  standin::SessionSetup setup;
  setup.deferred = true;
  setup.properties[L"CustomActionData"] = customActionData;
  return standin::OpenSession(setup);
}

std::string Utf16(const std::wstring& text) { return unicode::ToUtf16LeBytes(text); }
std::wstring FromUtf16(const std::string& bytes) { return unicode::FromUtf16LeBytes(bytes); }

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace testing_support
