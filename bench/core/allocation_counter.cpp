#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> totalCalls{0};
std::atomic<std::size_t> totalBytes{0};
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakLiveBytes{0};

// Each block starts with its size, so delete knows what it gives back; the
// header keeps the 16-byte alignment malloc gives.
constexpr std::size_t kHeader = 16;

void* counted(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (!block) return nullptr;
  *static_cast<std::size_t*>(block) = size;
  totalCalls.fetch_add(1, std::memory_order_relaxed);
  totalBytes.fetch_add(size, std::memory_order_relaxed);
  const std::size_t live = liveBytes.fetch_add(size, std::memory_order_relaxed) + size;
  std::size_t peak = peakLiveBytes.load(std::memory_order_relaxed);
  while (live > peak && !peakLiveBytes.compare_exchange_weak(peak, live)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void release(void* p) {
  if (!p) return;
  void* block = static_cast<char*>(p) - kHeader;
  liveBytes.fetch_sub(*static_cast<std::size_t*>(block), std::memory_order_relaxed);
  std::free(block);
}

void* countedOrThrow(std::size_t size) {
  void* p = counted(size);
  if (!p) throw std::bad_alloc();
  return p;
}

}  // namespace

void* operator new(std::size_t size) { return countedOrThrow(size); }
void* operator new[](std::size_t size) { return countedOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return counted(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return counted(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }

namespace kinemora::bench {

AllocationWatch::AllocationWatch()
    : calls_(totalCalls.load()), bytes_(totalBytes.load()), live_(liveBytes.load()) {
  peakLiveBytes.store(live_);
}

Allocations AllocationWatch::taken() const {
  Allocations a;
  a.calls = totalCalls.load() - calls_;
  a.bytes = totalBytes.load() - bytes_;
  a.peakLive = peakLiveBytes.load() - live_;
  return a;
}

}  // namespace kinemora::bench
