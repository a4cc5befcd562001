#pragma once

#include <cstddef>

namespace swftk {

// Shape records are a few dozen bytes each and come by the million in large movies; one heap
// allocation apiece made reading allocator-bound. They are carved from shared blocks instead,
// and each thread reuses the slots freed on it. Blocks stay with the pool once taken, so a
// process keeps the memory of the most records it ever held at once. Larger requests, and
// every request in sanitizer builds (so they still see each record), go to the heap.
void* AllocateRecord(std::size_t size);
void FreeRecord(void* record, std::size_t size) noexcept;

}  // namespace swftk
