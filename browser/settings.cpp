// settings.cpp - reads and writes the settings file "~/.vireorc".
#include "browser/settings.h"

#include "browser/signalIgnored.h"
#include "query/server.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

const char *const viewNames[5] = {"all", "passed", "skipped", "favorites", "avoid"};
const char *const serverSortNames[6] = {"name", "ping", "timeOut", "IP", "map", "players"};
const char *const playerSortNames[6] = {"team", "name", "frags", "time", "ping", "skin"};

const char *const defaultSource = "http://www.quakeservers.net/quakeworld/servers/";

// A line longer than this is junk, not a setting; memory stays bounded whatever the file.
static const size_t MaxLine = 65536;
// No settings file the program wrote comes near this; what lies beyond it is not read.
static const long MaxFileSize = 4L << 20;
// Pane sizes become X dimensions, which stop at 32767.
static const int MaxPaneSize = 32767;

// ---- Reading

static bool atEnd(FILE *fp)
{
    int c = getc(fp);
    if (c == EOF)
        return true;
    ungetc(c, fp);
    return false;
}

static void readName(const char *value, const char *const *names, int count, int *index)
{
    for (int i = 0; i < count; i++) {
        if (strcmp(value, names[i]) == 0) {
            *index = i;
            return;
        }
    }
}

static void readPaneSize(const char *value, int *size)
{
    int n;
    if (Setting::ScanInt(value, &n) && n >= 0 && n <= MaxPaneSize)
        *size = n;
}

static bool isHostChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || c == '.' || c == '-' || c == '_';
}

// The first token of a server line, "host" or "host:port", as Server::SetHost reads it;
// false for a token no server could come from.
static bool readServerToken(const char *value, ServerEntry *entry)
{
    const char *token = value + strspn(value, " \t");
    std::string text(token, strcspn(token, " \t"));
    size_t colon = text.find(':');
    std::string host = text.substr(0, colon);
    if (host.empty() || host.size() > 255)
        return false;
    for (char c : host) {
        if (!isHostChar(c))
            return false;
    }
    int port = 0;
    if (colon != std::string::npos) {
        std::string digits = text.substr(colon + 1);
        // Anything else read as no port at all, and so as another server.
        if (digits.empty() || digits.size() > 5 || strspn(digits.c_str(), "0123456789") <
            digits.size())
            return false;
        port = atoi(digits.c_str());
    }
    if (port > 65535)
        return false;
    entry->host = host;
    entry->port = port == 0 ? 26000 : port;
    return true;
}

static bool readServer(const char *value, unsigned int kind, Settings *settings)
{
    ServerEntry entry;
    entry.kind = kind;
    if (!readServerToken(value, &entry))
        return false;
    settings->servers.push_back(entry);
    return true;
}

static const struct {
    const char  *name;
    unsigned int kind;
} serverKeywords[] = {
    {"server", 0},
    {"avoid", Server::Flag_Avoid},
    {"favorite", Server::Flag_Favorite},
};

typedef void (*KeywordEffect)(const char *value, Settings *settings);

struct Keyword {
    const char   *name;
    KeywordEffect effect;
};

static const Keyword keywords[] = {
    {"mainwin", [](const char *v, Settings *s) { s->geometry = v; }},
    {"serverList", [](const char *v, Settings *s) { s->sources.push_back(v); }},
    {"infoPaneHeight", [](const char *v, Settings *s) { readPaneSize(v, &s->infoPaneHeight); }},
    {"rulePaneWidth", [](const char *v, Settings *s) { readPaneSize(v, &s->rulePaneWidth); }},
    {"filter", [](const char *v, Settings *s) { readName(v, viewNames, 5, &s->view); }},
    {"sortServers",
     [](const char *v, Settings *s) { readName(v, serverSortNames, 6, &s->serverSortKey); }},
    {"sortPlayers",
     [](const char *v, Settings *s) { readName(v, playerSortNames, 6, &s->playerSortKey); }},
    {"showinfo", [](const char *v, Settings *s) { s->showInfo = Setting::TestBool(v); }},
    {"showrules", [](const char *v, Settings *s) { s->showRules = Setting::TestBool(v); }},
    {"debug", [](const char *v, Settings *s) { s->debug = Setting::TestBool(v); }},
    {"option", [](const char *v, Settings *s) { s->options.parse(v); }},
};

bool parseSettingsLine(const char *line, Settings *settings, const char **cut)
{
    assert(line && settings);
    if (line[0] == '\0' || line[0] == '#')
        return true;
    const char *start = line + strspn(line, " \t");
    size_t length = strcspn(start, " \t");
    if (length == 0 || start[length] == '\0' || start[length + 1] == '\0')
        return true;            // no keyword, or a keyword without a value
    std::string keyword(start, length);
    const char *value = start + length + 1;
    if (cut && keyword == "option")
        *cut = Options::cutKey(value);
    for (const auto &k : serverKeywords) {
        if (keyword == k.name)
            return readServer(value, k.kind, settings);
    }
    for (const Keyword &k : keywords) {
        if (keyword == k.name) {
            k.effect(value, settings);
            break;
        }
    }
    return true;
}

static bool isControl(char c)
{
    return ((unsigned char)c < 0x20 && c != '\t') || c == 0x7f;
}

// Once per line: the next save leaves the line out, or writes what was kept of it, so the
// user must hear of it now.
static void reportLine(FILE *report, int number, const std::string &line, const std::string &what)
{
    if (!report)
        return;
    const size_t shown = 80;
    std::string text;
    for (size_t i = 0; i < line.size() && i < shown; i++) {
        char escape[8];
        snprintf(escape, sizeof escape, "\\x%02x", (unsigned char)line[i]);
        text += isControl(line[i]) ? std::string(escape) : std::string(1, line[i]);
    }
    if (line.size() > shown)
        text += "...";
    fprintf(report, "~/.vireorc line %d: %s: %s\n", number, text.c_str(), what.c_str());
}

static void reportDroppedLine(FILE *report, int number, const std::string &line, const char *why)
{
    reportLine(report, number, line, std::string(why) + ", ignored");
}

static void reportCutLine(FILE *report, int number, const std::string &line, const char *key,
                          const ServerFilter &filter)
{
    bool include = strcmp(key, "includeMap") == 0;
    reportLine(report, number, line,
               std::string(key) + " longer than the " +
               std::to_string(sizeof filter.includeMap - 1) + " characters it keeps, cut to \"" +
               (include ? filter.includeMap : filter.excludeMap) + "\"");
}

// Reads one line of any length, from at most *left more bytes; false at the end of the
// file or of the bytes allowed; a line cut by the byte bound is dropped. *unusable says why
// a line is no setting: it holds a control character (a NUL, a CR not before the line
// feed) or runs past MaxLine, of which only MaxLine characters are kept.
static bool readLine(FILE *fp, std::string *line, long *left, const char **unusable)
{
    line->clear();
    *unusable = nullptr;
    int c = EOF;
    while (*left > 0 && (c = getc(fp)) != EOF) {
        (*left)--;
        if (c == '\n')
            break;
        if (line->size() < MaxLine)
            line->push_back((char)c);
        else
            *unusable = "longer than 64 KiB";
    }
    if (c != '\n' && c != EOF && !atEnd(fp))
        return false;           // cut by the bound, and the file goes on
    if (c != '\n' && line->empty())
        return false;
    if (!line->empty() && line->back() == '\r')
        line->pop_back();       // written on another system
    if (!*unusable && std::find_if(line->begin(), line->end(), isControl) != line->end())
        *unusable = "holds a control character";
    return true;
}

// A server marked both favorite and never-ping has a line of each kind: a later line for a
// server read already adds its mark to the first rather than naming a second server.
static void mergeServerLines(std::vector<ServerEntry> *servers)
{
    std::unordered_map<std::string, size_t> first;
    std::vector<ServerEntry> merged;
    merged.reserve(servers->size());
    for (ServerEntry &entry : *servers) {
        std::string key = entry.host;
        for (char &c : key)
            c = (char)tolower((unsigned char)c);        // host names ignore case
        key += ":" + std::to_string(entry.port);
        auto found = first.emplace(key, merged.size());
        if (found.second)
            merged.push_back(std::move(entry));
        else
            merged[found.first->second].kind |= entry.kind;
    }
    servers->swap(merged);
}

bool parseSettings(FILE *fp, Settings *settings, FILE *report)
{
    assert(fp && settings);
    std::string line;
    int number = 0;
    long left = MaxFileSize;
    const char *unusable = nullptr;
    while (readLine(fp, &line, &left, &unusable)) {
        number++;
        size_t servers = settings->servers.size();
        const char *cut = nullptr;
        if (unusable)
            reportDroppedLine(report, number, line, unusable);
        else if (!parseSettingsLine(line.c_str(), settings, &cut))
            reportDroppedLine(report, number, line, "not a host and port");
        else if (settings->servers.size() > servers)
            settings->servers.back().line = number;
        else if (cut)
            reportCutLine(report, number, line, cut, settings->options.filter);
    }
    mergeServerLines(&settings->servers);
    return left > 0 || atEnd(fp);
}

static void tell(std::string *problem, const std::string &text)
{
    if (problem)
        *problem = text;
}

// Only a regular file is opened: a pipe would hold the start up in open, and a device may
// never come to an end.
static FILE *openRegular(const char *path, std::string *problem)
{
    struct stat st;
    if (stat(path, &st) != 0) {
        if (errno != ENOENT)
            tell(problem, strerror(errno));
        return nullptr;
    }
    int fd = S_ISREG(st.st_mode) ? open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    if (S_ISREG(st.st_mode) && fd < 0) {
        tell(problem, strerror(errno));
        return nullptr;
    }
    // Asked again of the open file: another may have taken the name's place meanwhile.
    if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        close(fd);
        fd = -1;
    }
    FILE *fp = fd >= 0 ? fdopen(fd, "r") : nullptr;
    if (!fp) {
        if (fd >= 0)
            close(fd);
        tell(problem, "not a regular file");
    }
    return fp;
}

bool readSettings(const char *path, Settings *settings, std::string *problem)
{
    assert(path && settings);
    FILE *fp = path[0] != '\0' ? openRegular(path, problem) : nullptr;
    if (fp) {
        if (!parseSettings(fp, settings))
            tell(problem, "larger than " + std::to_string(MaxFileSize >> 20) + " MB");
        else if (ferror(fp))
            tell(problem, strerror(errno));
        fclose(fp);
    }
    if (settings->sources.empty())
        settings->sources.push_back(defaultSource);
    return fp != nullptr;
}

std::string settingsPath()
{
    const char *home = getenv("HOME");
    if (!home || home[0] == '\0') {
        struct passwd *pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    if (!home || home[0] == '\0')
        return std::string();
    return std::string(home) + "/.vireorc";
}

// ---- Writing

static void writeBool(FILE *fp, const char *keyword, bool value)
{
    fprintf(fp, "%s %s\n", keyword, value ? "true" : "false");
}

static void writeString(FILE *fp, const char *keyword, const std::string &value)
{
    fprintf(fp, "%s ", keyword);
    writeSettingText(fp, value);
    fputc('\n', fp);
}

static void writeServerLine(FILE *fp, const char *kind, const ServerEntry &entry)
{
    fprintf(fp, "%s ", kind);
    writeSettingText(fp, entry.host);
    fprintf(fp, ":%u %d\n", (unsigned)entry.port, entry.timeouts);
}

// A line per mark, never-ping first: a reader that takes only the first line of a server
// still keeps it from being queried.
static void writeServer(FILE *fp, const ServerEntry &entry)
{
    if (entry.kind & Server::Flag_Avoid)
        writeServerLine(fp, "avoid", entry);
    if (entry.kind & Server::Flag_Favorite)
        writeServerLine(fp, "favorite", entry);
    if (!(entry.kind & (Server::Flag_Avoid | Server::Flag_Favorite)))
        writeServerLine(fp, "server", entry);
}

void formatSettings(FILE *fp, const Settings &s)
{
    assert(fp);
    assert(s.view >= 0 && s.view < 5);
    assert(s.serverSortKey >= 0 && s.serverSortKey < 6);
    assert(s.playerSortKey >= 0 && s.playerSortKey < 6);
    fputs("# Vireo resource file\n\n", fp);
    writeBool(fp, "debug", s.debug);
    fputs("\n", fp);
    writeString(fp, "mainwin", s.geometry);
    fprintf(fp, "infoPaneHeight %d\n", s.infoPaneHeight);
    fprintf(fp, "rulePaneWidth %d\n", s.rulePaneWidth);
    fputs("\n# options\n", fp);
    writeBool(fp, "showinfo", s.showInfo);
    writeBool(fp, "showrules", s.showRules);
    writeString(fp, "filter", viewNames[s.view]);
    writeString(fp, "sortServers", serverSortNames[s.serverSortKey]);
    writeString(fp, "sortPlayers", playerSortNames[s.playerSortKey]);
    fputs("\n", fp);
    s.options.write(fp);
    for (const std::string &source : s.sources)
        writeString(fp, "serverList", source);
    fputs("\n# servers (hostname:port timeout)\n", fp);
    for (const ServerEntry &entry : s.servers)
        writeServer(fp, entry);
}

// The file a save replaces: the path itself, or the regular file a symbolic link names, so
// that a linked settings file stays linked. Nothing else is replaced: the rename would turn
// a device or a pipe into a regular file, and a dangling link into a file of its own.
static bool saveTarget(const char *path, std::string *target, std::string *why)
{
    struct stat st;
    if (lstat(path, &st) != 0) {
        *why = strerror(errno);
        if (errno != ENOENT)
            return false;
        *target = path;         // the first save
        return true;
    }
    *target = path;
    if (S_ISLNK(st.st_mode)) {
        char *real = realpath(path, nullptr);
        if (!real) {
            *why = std::string("a link to nothing usable (") + strerror(errno) + "), left as it is";
            errno = ENOENT;
            return false;
        }
        *target = real;
        free(real);
        if (stat(target->c_str(), &st) != 0) {
            *why = strerror(errno);
            return false;
        }
    }
    if (!S_ISREG(st.st_mode)) {
        *why = "not a regular file, left as it is";
        errno = EINVAL;
        return false;
    }
    return true;
}

// A save writes "<name>.saving-<pid>-XXXXXX" beside the file. One left by a process that is
// gone (killed half-way) is taken away by the next save that succeeds; a save that another
// running program is making is left alone.
static const char *const TempInfix = ".saving-";

static std::string tempTemplate(const std::string &target)
{
    return target + TempInfix + std::to_string((long)getpid()) + "-XXXXXX";
}

static bool isLeftover(const char *name, const std::string &prefix)
{
    if (strncmp(name, prefix.c_str(), prefix.size()) != 0)
        return false;
    const char *pid = name + prefix.size();
    size_t digits = strspn(pid, "0123456789");
    const char *suffix = pid + digits + 1;
    if (digits == 0 || digits > 9 || pid[digits] != '-' || strlen(suffix) != 6)
        return false;
    for (const char *c = suffix; *c; c++) {
        if (!isalnum((unsigned char)*c))
            return false;
    }
    pid_t owner = (pid_t)atol(pid);
    return owner == getpid() || (kill(owner, 0) != 0 && errno == ESRCH);
}

static void removeLeftovers(const std::string &target)
{
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    std::string prefix = target.substr(slash + 1) + TempInfix;
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (struct dirent *entry = readdir(dir)) {
        struct stat st;
        if (isLeftover(entry->d_name, prefix)
            && fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(st.st_mode))
            unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

// The new file keeps the old one's permissions; a first file gets the usual ones.
static mode_t modeFor(const std::string &target)
{
    struct stat st;
    if (stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

static bool writeAll(int fd, const Settings &settings)
{
    FILE *fp = fdopen(fd, "w");
    if (!fp) {
        close(fd);
        return false;
    }
    formatSettings(fp, settings);
    bool written = fflush(fp) == 0 && !ferror(fp) && fsync(fd) == 0;
    int error = errno;
    bool closed = fclose(fp) == 0;
    if (!written)
        errno = error;
    return written && closed;
}

bool writeSettings(const char *path, const Settings &settings, std::string *why)
{
    assert(path);
    std::string reason;
    if (!why)
        why = &reason;
    if (path[0] == '\0') {
        *why = strerror(ENOENT);
        errno = ENOENT;
        return false;
    }
    std::string target;
    if (!saveTarget(path, &target, why))
        return false;
    std::string temp = tempTemplate(target);
    int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        *why = strerror(errno);
        return false;
    }
    bool saved;
    {
        // A file-size limit is a failed save like a full disk, not the end of the program.
        SignalIgnored sizeLimit(SIGXFSZ);
        saved = fchmod(fd, modeFor(target)) == 0 && writeAll(fd, settings)
                && rename(temp.c_str(), target.c_str()) == 0;
    }
    int error = errno;
    if (saved) {
        removeLeftovers(target);
        return true;
    }
    unlink(temp.c_str());
    *why = strerror(error);
    errno = error;
    return false;
}

std::string formatGeometry(int width, int height, int x, int y)
{
    char text[64];
    snprintf(text, sizeof text, "%dx%d+%d+%d", (unsigned short)width, (unsigned short)height,
             (short)x, (short)y);
    return text;
}

// ---- Server records

ServerEntry serverEntry(const Server &server)
{
    ServerEntry entry;
    entry.kind = server.mFlags & (Server::Flag_Avoid | Server::Flag_Favorite);
    entry.host = server.mAddress.KnownHostName();
    if (entry.host.empty())
        entry.host = server.mAddress.DottedString();
    entry.port = server.mPort;
    entry.timeouts = server.mTimeouts;
    return entry;
}

bool joinServerMarks(unsigned int *flags, unsigned int marks)
{
    assert(flags);
    const unsigned int kinds = Server::Flag_Favorite | Server::Flag_Avoid;
    unsigned int own = *flags & kinds;
    marks &= kinds;
    if ((marks & ~own) == 0)
        return true;
    if (own != 0)
        return false;
    *flags |= marks;
    return true;
}

std::string serverMarkWords(unsigned int marks)
{
    bool avoid = marks & Server::Flag_Avoid, favorite = marks & Server::Flag_Favorite;
    if (avoid && favorite)
        return "avoid and favorite";
    return avoid ? "avoid" : favorite ? "favorite" : "server";
}

bool makeServer(const ServerEntry &entry, Server *server)
{
    assert(server);
    server->mPort = entry.port > 0 && entry.port <= 65535 ? (uint16_t)entry.port
                                                          : Server::DefaultPort;
    server->mFlags |= entry.kind;
    if (server->mAddress.Resolve(entry.host.c_str()))
        return true;
    server->mAddress.SetUnresolved(entry.host.c_str());
    return false;
}
