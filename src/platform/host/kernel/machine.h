// The process-wide state of the stand-in: one machine, its handles and its fault injection.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "control.h"

namespace standin {

// Anything a kernel HANDLE can stand for (an open file, a directory search, ...).
class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

struct Machine {
  MachineSetup setup;
  std::map<std::uintptr_t, std::unique_ptr<KernelObject>> kernelObjects;
  std::uintptr_t nextKernelHandle = 0x100;
  bool failInstallerCalls = false;
  std::string throwOnCall;
  std::string throwMessage;
};

Machine& TheMachine();

// Registers a kernel object and returns its handle.
HANDLE AddKernelObject(std::unique_ptr<KernelObject> object);
// The object behind a handle when it is of type T, else null.
template <typename T>
T* KernelObjectAs(HANDLE handle) {
  auto& objects = TheMachine().kernelObjects;
  auto it = objects.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == objects.end() ? nullptr : dynamic_cast<T*>(it->second.get());
}
// Destroys the object; false when the handle is unknown.
bool RemoveKernelObject(HANDLE handle);

// Fault injection: throws when the named function is the one ThrowOnNextCall chose.
void InjectedFault(const char* function);

// New GUIDs come from the system's random source again (ResetMachine without a seed).
void UseSystemRandomGuids();

// Sets the calling thread's last error and returns the value given, for one-line failure paths.
template <typename T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

}  // namespace standin
