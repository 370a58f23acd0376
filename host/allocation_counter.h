// Counts the heap allocations made by the calling thread between start and
// stop, through a malloc that the tarn executable puts in front of the C
// library's. Sanitizer builds replace malloc themselves and count nothing.
#pragma once

#include <cstddef>

namespace host {

bool allocationCountingAvailable();
void startCountingAllocations();
// The allocations since start on this thread.
size_t stopCountingAllocations();

}  // namespace host
