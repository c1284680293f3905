// wildmatch.h - shell-style wildcard matching of map names against '|'-separated lists.
#ifndef VIREO_QUERY_WILDMATCH_H
#define VIREO_QUERY_WILDMATCH_H

// True when the text matches at least one pattern of the list; an empty list matches nothing.
bool PatternMatch(const char *text, const char *pat);

// One pattern: 1 match, 0 no match, -1 the text ran out, so no later start can match either.
int DoMatch(const char *text, const char *p);

#endif
