// New GUIDs: random version-4 UUIDs from the system's random source, or from a seeded generator
// when the host asks for repeatable runs.
#include <cwchar>
#include <new>
#include <random>

#include "kernel/machine.h"

namespace standin {

namespace {
struct GuidSource {
  bool seeded = false;
  std::mt19937_64 generator;
};
GuidSource& Source() {
  static GuidSource source;
  return source;
}
std::uint64_t NextRandom() {
  GuidSource& source = Source();
  if (source.seeded) return source.generator();
  static std::random_device device;
  return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}
}  // namespace

void UseSystemRandomGuids() {
  TheMachine().setup.guidSeed.reset();
  Source().seeded = false;
}

void SetGuidSeed(std::uint64_t seed) {
  TheMachine().setup.guidSeed = seed;
  Source().seeded = true;
  Source().generator.seed(seed);
}

}  // namespace standin

extern "C" RPC_STATUS UuidCreate(UUID* Uuid) {
  if (Uuid == nullptr) return RPC_S_OUT_OF_MEMORY;
  std::uint64_t high = standin::NextRandom();
  std::uint64_t low = standin::NextRandom();
  Uuid->Data1 = static_cast<std::uint32_t>(high >> 32);
  Uuid->Data2 = static_cast<std::uint16_t>(high >> 16);
  Uuid->Data3 = static_cast<std::uint16_t>((high & 0x0FFF) | 0x4000);  // version 4
  for (int i = 0; i < 8; ++i) Uuid->Data4[i] = static_cast<std::uint8_t>(low >> (8 * (7 - i)));
  Uuid->Data4[0] = static_cast<std::uint8_t>((Uuid->Data4[0] & 0x3F) | 0x80);  // RFC 4122 variant
  return RPC_S_OK;
}

extern "C" RPC_STATUS UuidToStringW(const UUID* Uuid, RPC_WSTR* StringUuid) {
  if (Uuid == nullptr || StringUuid == nullptr) return RPC_S_OUT_OF_MEMORY;
  // The real function reports a failed allocation; an exception must not cross this C boundary.
  auto* text = new (std::nothrow) wchar_t[37];
  if (text == nullptr) return RPC_S_OUT_OF_MEMORY;
  std::swprintf(text, 37, L"%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", Uuid->Data1, Uuid->Data2, Uuid->Data3,
                Uuid->Data4[0], Uuid->Data4[1], Uuid->Data4[2], Uuid->Data4[3], Uuid->Data4[4], Uuid->Data4[5],
                Uuid->Data4[6], Uuid->Data4[7]);
  *StringUuid = text;
  return RPC_S_OK;
}

extern "C" RPC_STATUS RpcStringFreeW(RPC_WSTR* String) {
  if (String != nullptr) {
    delete[] *String;
    *String = nullptr;
  }
  return RPC_S_OK;
}
