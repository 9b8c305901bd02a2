#include "oracle_replay.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

#include "platform/host/control.h"
#include "platform/unicode.h"

namespace profile_testing {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// What the probe's buffers were filled with, to see which cells a call wrote.
constexpr wchar_t kUntouched = 0x2591;
constexpr std::size_t kGuardCells = 16;

std::wstring Wide(const json& text) { return unicode::FromUtf8(text.get<std::string>()); }
std::string Narrow(std::wstring_view text) { return unicode::ToUtf8(text); }

std::optional<std::wstring> OptionalWide(const json& call, const char* field) {
  if (call[field].is_null()) return std::nullopt;
  return Wide(call[field]);
}

LPCWSTR Pointer(const std::optional<std::wstring>& text) { return text ? text->c_str() : nullptr; }

std::optional<std::string> FileBytes(const fs::path& host) {
  if (!fs::exists(host)) return std::nullopt;
  std::ifstream in(host, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CallChecker {
 public:
  CallChecker(std::string label, const json& expected, Differences& differences)
      : label_(std::move(label)), expected_(expected), differences_(differences) {}

  void Number(const char* field, long long actual) {
    if (!expected_.contains(field)) return;
    long long wanted = expected_[field].get<long long>();
    if (wanted != actual) Report(differences_.results, field, std::to_string(wanted), std::to_string(actual));
  }
  void Flag(const char* field, bool actual) {
    if (!expected_.contains(field)) return;
    bool wanted = expected_[field].get<bool>();
    if (wanted != actual) Report(differences_.results, field, wanted ? "true" : "false", actual ? "true" : "false");
  }
  void Text(const char* field, const std::wstring& actual) {
    if (!expected_.contains(field)) return;
    std::string wanted = expected_[field].get<std::string>();
    if (wanted != Narrow(actual)) Report(differences_.results, field, json(wanted).dump(), json(Narrow(actual)).dump());
  }
  void LastError(DWORD actual) {
    if (!expected_.contains("lasterror")) return;
    auto wanted = expected_["lasterror"].get<DWORD>();
    if (wanted != actual) Report(differences_.lastErrors, "lasterror", std::to_string(wanted), std::to_string(actual));
  }
  void File(const std::optional<std::string>& actual) {
    bool exists = expected_["exists"].get<bool>();
    if (exists != actual.has_value()) {
      Report(differences_.results, "exists", exists ? "true" : "false", actual ? "true" : "false");
    } else if (exists && expected_["hex"].get<std::string>() != HexOf(*actual)) {
      Report(differences_.results, "hex", expected_["hex"].get<std::string>(), HexOf(*actual));
    }
  }

 private:
  void Report(std::vector<std::string>& into, const char* field, const std::string& wanted, const std::string& got) {
    into.push_back(label_ + " " + field + ": expected " + wanted + ", got " + got);
  }

  std::string label_;
  const json& expected_;
  Differences& differences_;
};

// A string list argument: the entries joined by NULs and closed by one more.
std::optional<std::wstring> EntryList(const json& entries) {
  if (entries.is_null()) return std::nullopt;
  std::wstring list;
  for (const json& entry : entries) list += Wide(entry) + L'\0';
  list += L'\0';
  if (entries.empty()) list += L'\0';
  return list;
}

void CheckBufferCall(const json& call, CallChecker& check, const std::function<DWORD(LPWSTR, DWORD)>& run) {
  auto size = call["size"].get<DWORD>();
  std::vector<wchar_t> buffer(size + kGuardCells, kUntouched);
  SetLastError(0);
  DWORD ret = run(buffer.data(), size);
  DWORD error = GetLastError();
  std::size_t written = buffer.size();
  while (written > 0 && buffer[written - 1] == kUntouched) --written;
  std::wstring raw(buffer.data(), written);
  check.Number("ret", ret);
  check.Text("text", raw.substr(0, raw.find(L'\0')));
  check.Text("raw", raw);
  check.Flag("overrun", written > size);
  check.LastError(error);
}

}  // namespace

std::string HexOf(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char b : bytes) {
    hex.push_back(digits[b >> 4]);
    hex.push_back(digits[b & 0xF]);
  }
  return hex;
}

std::string BytesOfHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

Differences ReplayCase(const json& testCase, const std::wstring& folder) {
  Differences differences;
  std::wstring path = folder + Wide(testCase["file"]);
  fs::path host = standin::HostPath(path);
  if (testCase["initial"]["exists"].get<bool>()) {
    std::ofstream(host, std::ios::binary) << BytesOfHex(testCase["initial"]["hex"].get<std::string>());
  }
  LPCWSTR file = path.c_str();

  int index = 0;
  for (const json& call : testCase["calls"]) {
    std::string name = call["call"].get<std::string>();
    const json& expected = call["result"];
    CallChecker check("call " + std::to_string(index++) + " " + name, expected, differences);
    auto section = call.contains("section") ? OptionalWide(call, "section") : std::nullopt;
    auto key = call.contains("key") ? OptionalWide(call, "key") : std::nullopt;

    auto checkWrite = [&](const std::function<BOOL()>& run) {
      SetLastError(0);
      BOOL ret = run();
      DWORD error = GetLastError();
      check.Number("ret", ret);
      check.LastError(error);
    };

    if (name == "GetPrivateProfileStringW") {
      auto fallback = OptionalWide(call, "default");
      CheckBufferCall(call, check, [&](LPWSTR buffer, DWORD size) {
        return GetPrivateProfileStringW(Pointer(section), Pointer(key), Pointer(fallback), buffer, size, file);
      });
    } else if (name == "GetPrivateProfileSectionW") {
      CheckBufferCall(call, check, [&](LPWSTR buffer, DWORD size) {
        return GetPrivateProfileSectionW(Pointer(section), buffer, size, file);
      });
    } else if (name == "GetPrivateProfileSectionNamesW") {
      CheckBufferCall(call, check,
                      [&](LPWSTR buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, file); });
    } else if (name == "GetPrivateProfileIntW") {
      SetLastError(0);
      auto ret =
          static_cast<INT>(GetPrivateProfileIntW(Pointer(section), Pointer(key), call["default"].get<INT>(), file));
      DWORD error = GetLastError();
      check.Number("ret", ret);
      check.LastError(error);
    } else if (name == "WritePrivateProfileStringW") {
      auto value = OptionalWide(call, "value");
      checkWrite([&] { return WritePrivateProfileStringW(Pointer(section), Pointer(key), Pointer(value), file); });
    } else if (name == "WritePrivateProfileSectionW") {
      auto entries = EntryList(call["entries"]);
      checkWrite([&] { return WritePrivateProfileSectionW(Pointer(section), Pointer(entries), file); });
    } else if (name == "WritePrivateProfileStructW") {
      std::optional<std::string> data;
      if (!call["data_hex"].is_null()) data = BytesOfHex(call["data_hex"].get<std::string>());
      checkWrite([&] {
        return WritePrivateProfileStructW(Pointer(section), Pointer(key), data ? data->data() : nullptr,
                                          call["size"].get<UINT>(), file);
      });
    } else if (name == "GetPrivateProfileStructW") {
      std::string data(call["size"].get<std::size_t>(), '\0');
      SetLastError(0);
      BOOL ret = GetPrivateProfileStructW(Pointer(section), Pointer(key), data.data(), call["size"].get<UINT>(), file);
      DWORD error = GetLastError();
      check.Number("ret", ret);
      if (expected.contains("hex") && ret) {
        check.Text("hex", unicode::FromUtf8(HexOf(data)));
      }
      check.LastError(error);
    } else if (name == "Flush") {
      checkWrite([&] { return WritePrivateProfileStringW(nullptr, nullptr, nullptr, file); });
    } else if (name == "Dump") {
      check.File(FileBytes(host));
    } else {
      differences.results.push_back("unknown call " + name);
    }
  }
  CallChecker("final", testCase["final"], differences).File(FileBytes(host));
  return differences;
}

}  // namespace profile_testing
