#pragma once

#include <cstddef>

namespace kinemora::bench {

// What operator new handed out while an AllocationWatch was alive. The
// counting operator new and delete are replaced in the binary that links
// allocation_counter.cpp; allocations made with malloc directly (stdio's
// own buffers) are not seen.
struct Allocations {
  std::size_t calls = 0;
  std::size_t bytes = 0;      // total asked for
  std::size_t peakLive = 0;   // most bytes held at once, above the start
};

class AllocationWatch {
 public:
  AllocationWatch();
  Allocations taken() const;

 private:
  std::size_t calls_, bytes_, live_;
};

}  // namespace kinemora::bench
