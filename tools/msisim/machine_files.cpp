#include "machine_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/host/control.h"
#include "windows_path.h"

namespace msisim {

namespace fs = std::filesystem;

MachineFiles ReadMachineFiles(const fs::path& root) {
  MachineFiles files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    auto windowsPath = WindowsPathOf(root, entry.path());
    if (!windowsPath) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[*windowsPath] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  return files;
}

void WriteMachineFile(const std::wstring& windowsPath, const std::string& bytes) {
  fs::path host = standin::HostPath(windowsPath);
  fs::create_directories(host.parent_path());
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) throw std::runtime_error("cannot write " + host.string());
}

void MakeMachineFolder(const std::wstring& windowsPath) { fs::create_directories(standin::HostPath(windowsPath)); }

}  // namespace msisim
