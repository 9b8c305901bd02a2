#include "xmldoc/bounded_memory.h"

#include <cstring>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

namespace xmldoc {

namespace {

// Each block starts with its size, padded so that the caller's part keeps the strictest alignment.
constexpr std::size_t kHeader = alignof(std::max_align_t) > sizeof(std::size_t) ? alignof(std::max_align_t)
                                                                                : sizeof(std::size_t);

}  // namespace

xercesc::MemoryManager* BoundedMemory::getExceptionMemoryManager() {
  return xercesc::XMLPlatformUtils::fgMemoryManager->getExceptionMemoryManager();
}

void* BoundedMemory::allocate(XMLSize_t size) {
  if (size > kLimitBytes - used_) {
    exhausted_ = true;
    throw xercesc::OutOfMemoryException();
  }
  auto* block = static_cast<unsigned char*>(xercesc::XMLPlatformUtils::fgMemoryManager->allocate(size + kHeader));
  std::memcpy(block, &size, sizeof size);
  used_ += size;
  return block + kHeader;
}

void BoundedMemory::deallocate(void* p) {
  if (p == nullptr) return;
  unsigned char* block = static_cast<unsigned char*>(p) - kHeader;
  std::size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  used_ -= size;
  xercesc::XMLPlatformUtils::fgMemoryManager->deallocate(block);
}

}  // namespace xmldoc
