#include "inideploy/embedded_description.h"

#include <string_view>

#include "inideploy/local_files.h"

namespace inideploy {

namespace {

constexpr wchar_t kResourceType[] = L"XML_RESOURCE";

// The module this code was loaded from: the library itself, wherever the installer put it.
HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ExtractEmbeddedDescription), &module);
  return module;
}

}  // namespace

std::wstring ExtractEmbeddedDescription(WORD resourceId) {
  HMODULE module = OwnModule();
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), kResourceType);
  if (resource == nullptr) return {};
  std::wstring path = NewTempFile(L"xml");
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || path.empty()) return {};
  DWORD size = SizeofResource(module, resource);
  if (!WriteWholeFile(path, std::string_view(static_cast<const char*>(bytes), size))) return {};
  return path;
}

}  // namespace inideploy
