// The machine's clock: set by the host, never advancing by itself, so that logs are repeatable.
#include "kernel/machine.h"

namespace standin {
void SetClock(const SYSTEMTIME& utc) { TheMachine().setup.clock = utc; }
}  // namespace standin

extern "C" void GetSystemTime(SYSTEMTIME* lpSystemTime) {
  if (lpSystemTime != nullptr) *lpSystemTime = standin::TheMachine().setup.clock;
}
