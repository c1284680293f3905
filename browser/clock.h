// clock.h - the one clock the program measures waits and paces with.
#ifndef VIREO_BROWSER_CLOCK_H
#define VIREO_BROWSER_CLOCK_H

// Microseconds of the monotonic clock: setting the time of day moves no deadline.
long long monotonicUs();
// The same clock in milliseconds.
long long monotonicMs();
// A moment the system stamped on its monotonic clock, in microseconds, on this clock: under
// a test's source it lies as far before the source's now as before the system's.
long long monotonicUsOf(long long systemUs);

// Puts source, in microseconds, in the monotonic clock's place (null puts it back), so that
// a test can hold the program's time still and move it on by hand, whatever the machine's
// speed.
void setClockSource(long long (*sourceUs)());

#endif
