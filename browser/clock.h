// clock.h - the one clock the program measures waits and paces with.
#ifndef VIREO_BROWSER_CLOCK_H
#define VIREO_BROWSER_CLOCK_H

// Microseconds of the monotonic clock: setting the time of day moves no deadline.
long long monotonicUs();
// The same clock in milliseconds.
long long monotonicMs();

// Puts source, in microseconds, in the monotonic clock's place (null puts it back), so that
// a test can hold the program's time still and move it on by hand, whatever the machine's
// speed.
void setClockSource(long long (*sourceUs)());

#endif
