#include "action_library.h"

#include <dlfcn.h>

#include <algorithm>
#include <stdexcept>

namespace msisim {

bool IsActionName(std::string_view name) {
  return std::find(kActionNames.begin(), kActionNames.end(), name) != kActionNames.end();
}

ActionLibrary::ActionLibrary(const std::filesystem::path& path) : path_(path) {
  // The library links the stand-in by its soname, so it shares the machine this process set up.
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) throw std::runtime_error("cannot load " + path.string() + ": " + dlerror());
}

ActionLibrary::~ActionLibrary() { dlclose(handle_); }

ActionLibrary::Action ActionLibrary::Find(const std::string& name) const {
  void* symbol = dlsym(handle_, name.c_str());
  if (symbol == nullptr) throw std::runtime_error(path_.string() + " does not export " + name);
  return reinterpret_cast<Action>(symbol);
}

std::filesystem::path DefaultLibraryPath() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "custom.so";
  return self.parent_path().parent_path() / "lib" / "custom.so";
}

}  // namespace msisim
