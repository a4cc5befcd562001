#include "swftk/record_pool.h"

#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace swftk {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

// Fine classes, so a 24-byte straight edge takes 24 bytes rather than 32.
constexpr std::size_t kGranule = 8;
constexpr std::size_t kSizeClasses = 12;  // slots of 8 to 96 bytes
constexpr std::size_t kLargestPooled = kGranule * kSizeClasses;
constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

struct FreeSlot {
  FreeSlot* next;
};

class BlockStore {
 public:
  std::byte* NewBlock() {
    const std::lock_guard lock(mutex_);
    blocks_.push_back(std::make_unique<std::byte[]>(kBlockBytes));
    return blocks_.back().get();
  }

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<std::byte[]>> blocks_;
};

// Never destroyed: records held by other static objects may still be freed during exit.
BlockStore& Blocks() {
  alignas(BlockStore) static std::byte storage[sizeof(BlockStore)];
  static BlockStore* const blocks = ::new (storage) BlockStore;
  return *blocks;
}

// Trivially destructible, so a thread's exit needs no work; its free slots stay in the
// blocks, which the store still holds.
struct ThreadSlots {
  FreeSlot* free[kSizeClasses] = {};
  std::byte* unused = nullptr;
  std::size_t unusedBytes = 0;
};
thread_local ThreadSlots threadSlots;

std::size_t SizeClass(std::size_t size) {
  return size == 0 ? 0 : (size - 1) / kGranule;
}

}  // namespace

void* AllocateRecord(std::size_t size) {
  if (!kPooled || size > kLargestPooled) return ::operator new(size);
  ThreadSlots& slots = threadSlots;
  const std::size_t sizeClass = SizeClass(size);
  if (FreeSlot* slot = slots.free[sizeClass]) {
    slots.free[sizeClass] = slot->next;
    return slot;
  }
  const std::size_t slotBytes = (sizeClass + 1) * kGranule;
  if (slots.unusedBytes < slotBytes) {
    slots.unused = Blocks().NewBlock();
    slots.unusedBytes = kBlockBytes;
  }
  std::byte* slot = slots.unused;
  slots.unused += slotBytes;
  slots.unusedBytes -= slotBytes;
  return slot;
}

void FreeRecord(void* record, std::size_t size) noexcept {
  if (record == nullptr) return;
  if (!kPooled || size > kLargestPooled) {
    ::operator delete(record);
    return;
  }
  ThreadSlots& slots = threadSlots;
  const std::size_t sizeClass = SizeClass(size);
  slots.free[sizeClass] = ::new (record) FreeSlot{slots.free[sizeClass]};
}

}  // namespace swftk
