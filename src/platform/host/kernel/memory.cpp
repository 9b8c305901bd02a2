// LocalAlloc and LocalFree over the C heap; the security and RPC calls hand out such blocks.
#include <cstdlib>
#include <cstring>

#include "platform/win32.h"

extern "C" HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  void* block = std::malloc(uBytes == 0 ? 1 : uBytes);
  if (block == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((uFlags & LMEM_ZEROINIT) != 0) std::memset(block, 0, uBytes);
  return block;
}

extern "C" HLOCAL LocalFree(HLOCAL hMem) {
  std::free(hMem);
  return nullptr;
}
