// Windows paths of the simulated machine: which texts count as one, and the Windows name of a
// host file under the machine root (the inverse of the stand-in's mapping).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace msisim {

// An absolute Windows path: a drive letter, a colon and a backslash ("C:\..."), or a UNC path
// with a server and a share ("\\server\share\...").
bool IsWindowsPath(std::wstring_view path);

// The Windows path of a host file below the machine root: <root>/c/a/b is C:\a\b and
// <root>/unc/srv/share/x is \\srv\share\x. Nothing for a host path outside that layout.
std::optional<std::wstring> WindowsPathOf(const std::filesystem::path& root, const std::filesystem::path& host);

// Windows compares paths without regard to letter case.
bool SamePathIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace msisim
