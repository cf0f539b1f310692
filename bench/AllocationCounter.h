// The benchmark replaces the global operator new to count heap allocations.
// The replacement lives in its own file so the compiler never inlines it into
// the code it counts.
#pragma once

#include <cstdint>

// Allocations made through operator new since the program started.
uint64_t HeapAllocations();
