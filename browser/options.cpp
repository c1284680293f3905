// options.cpp - the Options record's defaults, its option-line reader and writer.
#include "browser/options.h"

#include <cassert>
#include <climits>
#include <cstring>
#include <strings.h>

// ---- Value conversions

bool Setting::TestBool(const char *value)
{
    assert(value);
    return strcasecmp(value, "true") == 0;
}

bool Setting::ScanInt(const char *value, int *out)
{
    assert(value && out);
    const char *p = value;
    while (*p == ' ' || *p == '\t')
        p++;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        p++;
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        n = n * 10 + (*p - '0');
        if (n > (long long)INT_MAX + 1)
            return false;       // stop before the sum itself can overflow
    }
    if (negative)
        n = -n;
    if (n > INT_MAX || n < INT_MIN)
        return false;
    *out = (int)n;
    return true;
}

int Setting::GetInt(const char *value)
{
    assert(value);
    int n = 0;
    return Setting::ScanInt(value, &n) ? n : 0;
}

// ---- Typed stores

bool checkBoolean(const char *var, const char *name, const char *value, bool *ptr)
{
    assert(var && name && value && ptr);
    if (strcmp(var, name) != 0)
        return false;
    *ptr = Setting::TestBool(value);
    return true;
}

bool checkBoolean(const char *var, const char *name, const char *value, unsigned char *ptr)
{
    assert(var && name && value && ptr);
    if (strcmp(var, name) != 0)
        return false;
    *ptr = Setting::TestBool(value);
    return true;
}

bool checkInt(const char *var, const char *name, const char *value, int *ptr)
{
    assert(var && name && value && ptr);
    if (strcmp(var, name) != 0)
        return false;
    Setting::ScanInt(value, ptr);
    return true;
}

bool checkString(const char *var, const char *name, const char *value, char *ptr, size_t size)
{
    assert(var && name && value && ptr && size > 0);
    if (strcmp(var, name) != 0)
        return false;
    copyMapPattern(ptr, size, value);
    return true;
}

bool checkString(const char *var, const char *name, const char *value, std::string &str)
{
    assert(var && name && value);
    if (strcmp(var, name) != 0)
        return false;
    str = value;
    return true;
}

void copyMapPattern(char *field, size_t size, const char *text)
{
    assert(field && size > 0 && text);
    size_t length = strnlen(text, size - 1);
    memcpy(field, text, length);
    field[length] = '\0';
}

void writeSettingText(FILE *fp, const std::string &text)
{
    for (char c : text) {
        bool control = ((unsigned char)c < ' ' && c != '\t') || c == 0x7f;
        fputc(control ? ' ' : c, fp);
    }
}

// ---- Options

int Options::boundQueriesAtOnce(int count)
{
    if (count < MinQueriesAtOnce)
        return MinQueriesAtOnce;
    return count > MaxQueriesAtOnce ? MaxQueriesAtOnce : count;
}

Options::Options()
    : queryOnLoad(false), autoUpdate(false), promptToSave(false), queriesAtOnce(4),
      queryTimeout(800), queryRules(false), queryPlayers(false), autoConnect(false)
{
}

// False for a key without a value, or no key at all.
static bool splitOption(const char *text, std::string *name, const char **value)
{
    assert(text);
    const char *key = text + strspn(text, " \t");
    size_t keyLength = strcspn(key, " \t");
    if (keyLength == 0 || key[keyLength] == '\0' || key[keyLength + 1] == '\0')
        return false;
    name->assign(key, keyLength);
    *value = key + keyLength + 1;
    return true;
}

void Options::parse(const char *text)
{
    std::string name;
    const char *value;
    if (splitOption(text, &name, &value) && !parseGeneral(name.c_str(), value))
        parseFilter(name.c_str(), value);
}

const char *Options::cutKey(const char *text)
{
    std::string name;
    const char *value;
    if (!splitOption(text, &name, &value) || strlen(value) < sizeof(ServerFilter::includeMap))
        return nullptr;
    for (const char *key : {"includeMap", "excludeMap"}) {
        if (name == key)
            return key;
    }
    return nullptr;
}

bool Options::parseGeneral(const char *key, const char *value)
{
    return checkBoolean(key, "queryOnLoad", value, &queryOnLoad)
        || checkBoolean(key, "autoUpdate", value, &autoUpdate)
        || checkBoolean(key, "promptToSave", value, &promptToSave)
        || checkBoolean(key, "queryRules", value, &queryRules)
        || checkBoolean(key, "queryPlayers", value, &queryPlayers)
        || parseQueriesAtOnce(key, value)
        || checkInt(key, "queryTimeout", value, &queryTimeout)
        || checkString(key, "quakePath", value, quakePath)
        || checkString(key, "quakeCmd", value, quakeCmd)
        || checkString(key, "quakeOptions", value, quakeOptions)
        || checkBoolean(key, "autoConnect", value, &autoConnect);
}

bool Options::parseQueriesAtOnce(const char *key, const char *value)
{
    if (!checkInt(key, "queriesAtOnce", value, &queriesAtOnce))
        return false;
    queriesAtOnce = boundQueriesAtOnce(queriesAtOnce);
    return true;
}

bool Options::parseFilter(const char *key, const char *value)
{
    ServerFilter &f = filter;
    return checkBoolean(key, "requireQueryInfo", value, &f.requireQueryInfo)
        || checkBoolean(key, "pingFilter", value, &f.pingFilter)
        || checkBoolean(key, "timeoutFilter", value, &f.timeoutFilter)
        || checkBoolean(key, "includeMapFilter", value, &f.includeMapFilter)
        || checkBoolean(key, "excludeMapFilter", value, &f.excludeMapFilter)
        || checkBoolean(key, "excludeFullServers", value, &f.excludeFullServers)
        || checkBoolean(key, "minPlayerFilter", value, &f.minPlayerFilter)
        || checkBoolean(key, "maxPlayerFilter", value, &f.maxPlayerFilter)
        || checkInt(key, "maxPing", value, &f.maxPing)
        || checkInt(key, "maxTimeouts", value, &f.maxTimeouts)
        || checkInt(key, "minPlayers", value, &f.minPlayers)
        || checkInt(key, "maxPlayers", value, &f.maxPlayers)
        || checkString(key, "includeMap", value, f.includeMap, sizeof f.includeMap)
        || checkString(key, "excludeMap", value, f.excludeMap, sizeof f.excludeMap);
}

static void writeBool(FILE *fp, const char *key, bool value)
{
    fprintf(fp, "option %s %s\n", key, value ? "true" : "false");
}

static void writeInt(FILE *fp, const char *key, int value)
{
    fprintf(fp, "option %s %d\n", key, value);
}

static void writeString(FILE *fp, const char *key, const std::string &value)
{
    fprintf(fp, "option %s ", key);
    writeSettingText(fp, value);
    fputc('\n', fp);
}

void Options::write(FILE *fp) const
{
    assert(fp);
    writeBool(fp, "queryOnLoad", queryOnLoad);
    writeBool(fp, "autoUpdate", autoUpdate);
    writeBool(fp, "promptToSave", promptToSave);
    writeBool(fp, "queryRules", queryRules);
    writeBool(fp, "queryPlayers", queryPlayers);
    writeInt(fp, "queriesAtOnce", queriesAtOnce);
    writeInt(fp, "queryTimeout", queryTimeout);
    writeString(fp, "quakePath", quakePath);
    writeString(fp, "quakeCmd", quakeCmd);
    writeString(fp, "quakeOptions", quakeOptions);
    writeBool(fp, "autoConnect", autoConnect);
    writeBool(fp, "requireQueryInfo", filter.requireQueryInfo);
    writeBool(fp, "pingFilter", filter.pingFilter);
    writeBool(fp, "timeoutFilter", filter.timeoutFilter);
    writeBool(fp, "includeMapFilter", filter.includeMapFilter);
    writeBool(fp, "excludeMapFilter", filter.excludeMapFilter);
    writeBool(fp, "excludeFullServers", filter.excludeFullServers);
    writeBool(fp, "minPlayerFilter", filter.minPlayerFilter);
    writeBool(fp, "maxPlayerFilter", filter.maxPlayerFilter);
    writeInt(fp, "maxPing", filter.maxPing);
    writeInt(fp, "maxTimeouts", filter.maxTimeouts);
    writeInt(fp, "minPlayers", filter.minPlayers);
    writeInt(fp, "maxPlayers", filter.maxPlayers);
    writeString(fp, "includeMap", filter.includeMap);
    writeString(fp, "excludeMap", filter.excludeMap);
}
