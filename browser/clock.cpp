// clock.cpp - the monotonic clock in milliseconds, or the source a test put in its place.
#include "browser/clock.h"

#include <ctime>

static long long (*sSource)() = nullptr;

long long monotonicMs()
{
    if (sSource)
        return sSource();
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

void setClockSource(long long (*source)())
{
    sSource = source;
}
