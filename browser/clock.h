// clock.h - the one clock the program measures waits and paces with.
#ifndef VIREO_BROWSER_CLOCK_H
#define VIREO_BROWSER_CLOCK_H

// Milliseconds of the monotonic clock: setting the time of day moves no deadline.
long long monotonicMs();

#endif
