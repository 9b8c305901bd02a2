// The files of the simulated machine, read from and written to the host folder that holds it.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace msisim {

// Every file of the machine by Windows path, with its bytes.
using MachineFiles = std::map<std::wstring, std::string>;

MachineFiles ReadMachineFiles(const std::filesystem::path& root);

// Puts a file on the current machine of the stand-in, making its folders.
void WriteMachineFile(const std::wstring& windowsPath, const std::string& bytes);
void MakeMachineFolder(const std::wstring& windowsPath);

}  // namespace msisim
