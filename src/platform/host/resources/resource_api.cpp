// The kernel32 calls that find a module and the resources it carries.
#include "kernel/machine.h"
#include "resources/module_resources.h"

using standin::Fail;

namespace {

constexpr DWORD kErrorModNotFound = 126;

}  // namespace

extern "C" BOOL GetModuleHandleExW(DWORD dwFlags, LPCWSTR lpModuleName, HMODULE* phModule) {
  if (phModule == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  *phModule = nullptr;
  HMODULE module = nullptr;
  if ((dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) != 0) {
    module = standin::ModuleContaining(lpModuleName);
  } else if (lpModuleName == nullptr) {
    module = standin::MainProgramModule();
  }
  // Modules of the stand-in have no Windows names, so a lookup by name finds none.
  if (module == nullptr) return Fail(kErrorModNotFound, FALSE);
  *phModule = module;
  return TRUE;
}

extern "C" HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
  if (lpName == nullptr || lpType == nullptr) return Fail(ERROR_INVALID_PARAMETER, nullptr);
  HMODULE module = hModule != nullptr ? hModule : standin::MainProgramModule();
  return const_cast<standin::RegisteredResource*>(standin::FindModuleResource(module, lpName, lpType));
}

extern "C" HGLOBAL LoadResource(HMODULE /*hModule*/, HRSRC hResInfo) {
  if (!standin::IsRegisteredResource(hResInfo)) return Fail(ERROR_INVALID_HANDLE, nullptr);
  return const_cast<void*>(static_cast<const standin::RegisteredResource*>(hResInfo)->resource.data);
}

extern "C" DWORD SizeofResource(HMODULE /*hModule*/, HRSRC hResInfo) {
  if (!standin::IsRegisteredResource(hResInfo)) return Fail(ERROR_INVALID_HANDLE, DWORD{0});
  return static_cast<DWORD>(static_cast<const standin::RegisteredResource*>(hResInfo)->resource.size);
}

// Resource data is loaded with its module, so locking only hands the pointer back.
extern "C" LPVOID LockResource(HGLOBAL hResData) { return hResData; }
