#include "inideploy/deploy_ini_path.h"

#include "fsutil/file_path.h"

namespace inideploy {

namespace {

std::wstring AncestorFolder(const std::wstring& path, int levels) {
  std::wstring folder = path;
  for (int level = 0; level < levels; ++level) folder = fsutil::FilePath(folder).ParentFolder();
  return folder;
}

}  // namespace

std::wstring DeployIniPath(const std::wstring& databasePath, const std::wstring& deployIniName, bool vorqSet) {
  if (vorqSet) return fsutil::FilePath(AncestorFolder(databasePath, 4)).Combine(deployIniName);
  return AncestorFolder(databasePath, 3) + L"CustomSettings\\" + deployIniName;
}

}  // namespace inideploy
