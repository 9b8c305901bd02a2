// Windows paths of the machine and where they live on the host.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace standin {

// The absolute, normalised Windows form of a path, as GetFullPathNameW gives it: forward slashes
// become backslashes, a relative path is taken from the current folder, "." and ".." are
// resolved (never above the drive or share root), and trailing dots and blanks of each component
// are dropped. A trailing backslash is kept. Empty for an empty path.
std::wstring FullWindowsPath(std::wstring_view path);

// The host path of a Windows path. Components match existing host entries without regard to
// case, as Windows names do; components that do not exist yet keep the spelling given.
std::filesystem::path MapToHost(std::wstring_view windowsPath);

// Windows compares names without regard to case.
bool NamesEqualIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace standin
