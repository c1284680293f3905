// clock.cpp - the monotonic clock in microseconds, or the source a test put in its place.
#include "browser/clock.h"

#include <ctime>

static long long (*sSource)() = nullptr;

static long long systemNowUs()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

long long monotonicUs()
{
    return sSource ? sSource() : systemNowUs();
}

long long monotonicMs()
{
    return monotonicUs() / 1000;
}

long long monotonicUsOf(long long systemUs)
{
    if (!sSource)
        return systemUs;
    return sSource() - (systemNowUs() - systemUs);
}

void setClockSource(long long (*sourceUs)())
{
    sSource = sourceUs;
}
