// Memory for one parser and the documents it builds, up to a fixed total. Entity references can
// make a small document expand into gigabytes of text (one large entity referenced many times);
// a parse that needs more than any description could is stopped instead of exhausting the
// installer's process.
#pragma once

#include <cstddef>
#include <xercesc/framework/MemoryManager.hpp>

namespace xmldoc {

class BoundedMemory : public xercesc::MemoryManager {
 public:
  // A description and everything the actions build from it take well under a megabyte.
  static constexpr std::size_t kLimitBytes = std::size_t{64} << 20;

  BoundedMemory() = default;

  xercesc::MemoryManager* getExceptionMemoryManager() override;
  // Throws the library's OutOfMemoryException beyond the limit, as the library expects.
  void* allocate(XMLSize_t size) override;
  void deallocate(void* p) override;

  // Whether an allocation was refused since the last Reset.
  bool Exhausted() const { return exhausted_; }
  void Reset() { exhausted_ = false; }

 private:
  std::size_t used_ = 0;
  bool exhausted_ = false;
};

}  // namespace xmldoc
