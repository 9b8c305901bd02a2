#include "resources/module_resources.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <cwctype>
#include <list>
#include <mutex>
#include <string_view>

#include "kernel/machine.h"

namespace standin {

namespace {

// Modules register from their static initialisers and unregister when they are unloaded, which
// may happen on any thread.
struct Registry {
  std::mutex mutex;
  std::list<RegisteredResource> resources;  // a list: handed-out pointers stay valid
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

bool TypeNamesEqual(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

// An integer name comes as MAKEINTRESOURCEW(id) or as the text "#id".
bool NameIsId(LPCWSTR name, WORD id) {
  if (IS_INTRESOURCE(name)) return static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)) == id;
  if (name[0] != L'#') return false;
  unsigned long value = 0;
  for (const wchar_t* c = name + 1; *c != L'\0'; ++c) {
    if (*c < L'0' || *c > L'9' || value > 0xFFFF) return false;
    value = value * 10 + static_cast<unsigned long>(*c - L'0');
  }
  return name[1] != L'\0' && value == id;
}

HMODULE BaseOf(const dl_phdr_info& info) {
  for (int i = 0; i < info.dlpi_phnum; ++i) {
    const auto& header = info.dlpi_phdr[i];
    if (header.p_type == PT_LOAD && header.p_offset == 0) {
      return reinterpret_cast<HMODULE>(info.dlpi_addr + header.p_vaddr);
    }
  }
  return reinterpret_cast<HMODULE>(info.dlpi_addr);
}

}  // namespace

void RegisterModuleResources(const void* addressInModule, const std::vector<ModuleResource>& resources) {
  HMODULE module = ModuleContaining(addressInModule);
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  for (const ModuleResource& resource : resources) registry.resources.push_back({module, resource});
}

void UnregisterModuleResources(const void* addressInModule) {
  HMODULE module = ModuleContaining(addressInModule);
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.resources.remove_if([module](const RegisteredResource& entry) { return entry.module == module; });
}

const RegisteredResource* FindModuleResource(HMODULE module, LPCWSTR name, LPCWSTR type) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  bool typeFound = false;
  for (const RegisteredResource& entry : registry.resources) {
    if (entry.module != module || IS_INTRESOURCE(type) || !TypeNamesEqual(entry.resource.type, type)) continue;
    typeFound = true;
    if (NameIsId(name, entry.resource.id)) return &entry;
  }
  return Fail(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND, nullptr);
}

bool IsRegisteredResource(const void* resource) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  for (const RegisteredResource& entry : registry.resources) {
    if (&entry == resource) return true;
  }
  return false;
}

HMODULE ModuleContaining(const void* address) {
  Dl_info info{};
  if (address == nullptr || ::dladdr(address, &info) == 0) return nullptr;
  return info.dli_fbase;
}

HMODULE MainProgramModule() {
  HMODULE module = nullptr;
  // The first object the dynamic linker lists is the program itself.
  ::dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* data) {
        *static_cast<HMODULE*>(data) = BaseOf(*info);
        return 1;
      },
      &module);
  return module;
}

}  // namespace standin
