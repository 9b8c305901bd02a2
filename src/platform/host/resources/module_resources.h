// The resources that modules of the process carry, by module.
#pragma once

#include <string>

#include "control.h"

namespace standin {

struct RegisteredResource {
  HMODULE module;
  ModuleResource resource;
};

// The resource of the module with the type and name asked for, null when there is none; sets the
// Win32 error of FindResourceW in that case.
const RegisteredResource* FindModuleResource(HMODULE module, LPCWSTR name, LPCWSTR type);
// Whether the pointer is a resource that FindModuleResource handed out.
bool IsRegisteredResource(const void* resource);

// The module that holds the address, as its base address; null when no module holds it.
HMODULE ModuleContaining(const void* address);
// The program's own module.
HMODULE MainProgramModule();

}  // namespace standin
