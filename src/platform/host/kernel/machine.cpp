#include "kernel/machine.h"

#include <stdexcept>

namespace standin {

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

HANDLE AddKernelObject(std::unique_ptr<KernelObject> object) {
  Machine& machine = TheMachine();
  std::uintptr_t value = machine.nextKernelHandle;
  machine.nextKernelHandle += 4;
  machine.kernelObjects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

bool RemoveKernelObject(HANDLE handle) {
  return TheMachine().kernelObjects.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1;
}

void InjectedFault(const char* function) {
  Machine& machine = TheMachine();
  if (!machine.throwOnCall.empty() && machine.throwOnCall == function) {
    machine.throwOnCall.clear();
    throw std::runtime_error(machine.throwMessage);
  }
}

void ThrowOnNextCall(std::string functionName, std::string message) {
  TheMachine().throwOnCall = std::move(functionName);
  TheMachine().throwMessage = std::move(message);
}

}  // namespace standin

namespace {
thread_local DWORD lastError = 0;
}

extern "C" DWORD GetLastError() { return lastError; }
extern "C" void SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }
