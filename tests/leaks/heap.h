// heap.h - bytes the process holds on the heap, and how much a repeated action adds to them.
#ifndef VIREO_TESTS_LEAKS_HEAP_H
#define VIREO_TESTS_LEAKS_HEAP_H

#include <malloc.h>

#include <cstddef>
#include <functional>

// The sanitizers' allocator keeps its own count; glibc's mallinfo2 does not see it.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

// Under the sanitizers the count is exact and the same from run to run. glibc counts
// the blocks its per-thread caches hold as in use, and hands addresses out again, which
// Motif's records by widget address notice: its figures wander by a few hundred bytes.
inline bool heapCountIsExact()
{
    return __sanitizer_get_current_allocated_bytes != nullptr;
}

inline long heapInUse()
{
    if (heapCountIsExact())
        return (long)__sanitizer_get_current_allocated_bytes();
    struct mallinfo2 info = mallinfo2();
    return (long)(info.uordblks + info.hblkhd);
}

// What one round of action adds to the heap, on average over rounds rounds, after
// warmup rounds that fill the toolkit's caches. Taken twice, and the smaller figure
// counts: a cache that fills late grows once, a leak grows every time.
inline long growthPerRound(const std::function<void()> &action, int warmup = 5,
                           int rounds = 20)
{
    for (int i = 0; i < warmup; i++)
        action();
    long figures[2];
    for (long &figure : figures) {
        long before = heapInUse();
        for (int i = 0; i < rounds; i++)
            action();
        figure = (heapInUse() - before) / rounds;
    }
    return figures[0] < figures[1] ? figures[0] : figures[1];
}

#endif
