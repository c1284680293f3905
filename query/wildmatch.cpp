// wildmatch.cpp - the wildcard matcher: '*', '?', [classes] with ranges and '^', '\' escapes.
#include "query/wildmatch.h"

#include <cassert>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// p is at the '['; on return it is at the class's closing ']' or at the end of the pattern.
bool InClass(char c, const char *&p)
{
    bool inverted = p[1] == '^';
    if (inverted)
        p++;
    bool member = false;
    if (p[1] == ']' || p[1] == '-') {   // leading ']' or '-' is an ordinary member
        if (*++p == c)
            member = true;
    }
    for (signed char last = (signed char)*p; *++p && *p != ']'; last = (signed char)*p) {
        if (*p == '-' && p[1] != ']' && p[1] != '\0') {
            signed char high = (signed char)*++p;
            if ((signed char)c >= last && (signed char)c <= high)
                member = true;
        } else if (*p == c) {
            member = true;
        }
    }
    return member != inverted;
}

bool IsBlank(char c)
{
    return isspace((unsigned char)c) != 0;
}

} // namespace

int DoMatch(const char *text, const char *p)
{
    if (*p == '\0')
        return *text == '\0';
    for (; *p; text++, p++) {
        if (*text == '\0' && *p != '*')
            return -1;
        switch (*p) {
        case '?':
            break;
        case '*':
            while (*++p == '*')
                ;
            if (*p == '\0')
                return 1;
            for (; *text; text++) {
                int matched = DoMatch(text, p);
                if (matched != 0)
                    return matched;
            }
            return -1;
        case '[':
            if (!InClass(*text, p))
                return 0;
            if (*p == '\0')     // a class left open closes at the end of the pattern
                return text[1] == '\0';
            break;
        case '\\':
            if (*++p != *text)  // a trailing backslash meets a character, never the end: no match
                return 0;
            break;
        default:
            if (*text != *p)
                return 0;
            break;
        }
    }
    return *text == '\0';
}

bool PatternMatch(const char *text, const char *pat)
{
    assert(text != ((void *)0));
    assert(pat != ((void *)0));
    char *list = strdup(pat);
    if (!list)
        return false;
    bool matched = false;
    char *save = nullptr;
    for (char *token = strtok_r(list, "|", &save); token && !matched;
         token = strtok_r(nullptr, "|", &save)) {
        while (IsBlank(*token))
            token++;
        for (size_t end = strlen(token); end > 1 && IsBlank(token[end - 1]); end--)
            token[end - 1] = '\0';
        matched = strcmp(token, "*") == 0 || DoMatch(text, token) == 1;
    }
    free(list);
    return matched;
}
