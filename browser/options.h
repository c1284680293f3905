// options.h - Options, the user's settings record, and its "option" lines of the settings file.
#ifndef VIREO_BROWSER_OPTIONS_H
#define VIREO_BROWSER_OPTIONS_H

#include "query/filter.h"

#include <cstddef>
#include <cstdio>
#include <string>

// Conversions of the settings file's values.
namespace Setting {
bool TestBool(const char *value);
int  GetInt(const char *value);
// GetInt that also says whether the number fits an int; *out is left alone when it does not.
bool ScanInt(const char *value, int *out);
}

// Typed stores of one key: each returns true when var is name (and then the key is used up,
// even where a value out of range is refused and nothing is stored).
bool checkBoolean(const char *var, const char *name, const char *value, bool *ptr);
bool checkBoolean(const char *var, const char *name, const char *value, unsigned char *ptr);
bool checkInt(const char *var, const char *name, const char *value, int *ptr);
bool checkString(const char *var, const char *name, const char *value, char *ptr, size_t size);
bool checkString(const char *var, const char *name, const char *value, std::string &str);

// Copies a wildcard list into one of the filter's fixed fields, cut to what the field holds.
void copyMapPattern(char *field, size_t size, const char *text);

class Options {
public:
    // queriesAtOnce is kept inside these bounds: 0 or less would never start a query.
    static const int MinQueriesAtOnce = 1;
    static const int MaxQueriesAtOnce = 64;
    static int boundQueriesAtOnce(int count);

    Options();
    // One option value: a key, one blank or tab, and the key's value.
    void parse(const char *text);
    // The key of an option value that parse cuts to fit the filter's field (a map list
    // longer than it keeps); null for any other.
    static const char *cutKey(const char *text);
    // The 25 option lines, in the order parse compares them.
    void write(FILE *fp) const;

    bool         queryOnLoad;
    bool         autoUpdate;
    bool         promptToSave;
    ServerFilter filter;
    int          queriesAtOnce;
    int          queryTimeout;
    bool         queryRules;
    bool         queryPlayers;
    bool         autoConnect;
    std::string  quakePath;
    std::string  quakeCmd;
    std::string  quakeOptions;

private:
    bool parseGeneral(const char *key, const char *value);
    bool parseQueriesAtOnce(const char *key, const char *value);
    bool parseFilter(const char *key, const char *value);
};

// Writes text on one line of the settings file: a line break inside it would start a
// line of its own, and the reader drops a line with any other control character, text and
// all; so each of them becomes a blank.
void writeSettingText(FILE *fp, const std::string &text);

#endif // VIREO_BROWSER_OPTIONS_H
