// clock.cpp - the monotonic clock in milliseconds.
#include "browser/clock.h"

#include <ctime>

long long monotonicMs()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}
