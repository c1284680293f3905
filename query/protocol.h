// protocol.h - helpers of the game's query protocol that the user interface shares.
#ifndef VIREO_QUERY_PROTOCOL_H
#define VIREO_QUERY_PROTOCOL_H

#include <sys/time.h>

struct Rule;

// Milliseconds from earlier to later; later is normalised in place.
int TimevalDiffMs(struct timeval *later, const struct timeval *earlier);
// True when the rule holds the game's own default, which the rule pane leaves out.
bool IsDefaultRule(const Rule &rule);

#endif
