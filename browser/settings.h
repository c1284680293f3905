// settings.h - the user's settings file "~/.vireorc": its record, reader and writer.
#ifndef VIREO_BROWSER_SETTINGS_H
#define VIREO_BROWSER_SETTINGS_H

#include "browser/options.h"

#include <cstdio>
#include <string>
#include <vector>

class Server;

// One server line of the file: "server", "favorite" or "avoid", host:port, time-out count.
struct ServerEntry {
    unsigned int kind = 0;      // 0, Flag_Favorite or Flag_Avoid
    std::string  host;          // host name or dotted address, as written or read
    int          port = 26000;
    int          timeouts = 0;  // written, never read back: a server read starts at 0
    int          line = 0;      // the file's first line for it; 0: not read from a file
};

// Everything the file carries. The main window fills one before writing and applies one
// after reading; the reader only changes what a good line of the file names.
struct Settings {
    bool        debug = false;
    std::string geometry;               // "mainwin": the shell's "geometry" resource
    int         infoPaneHeight = 0;     // 0: not given
    int         rulePaneWidth = 0;      // 0: not given
    bool        showInfo = false;
    bool        showRules = false;
    int         view = 1;               // index of viewNames
    int         serverSortKey = 1;      // index of serverSortNames
    int         playerSortKey = 1;      // index of playerSortNames
    Options     options;
    std::vector<std::string> sources;   // server-list sources, in order, duplicates kept
    std::vector<ServerEntry> servers;   // in order; the main window joins repeats
};

// The name tables: the index is the stored value, the name what the file holds.
extern const char *const viewNames[5];
extern const char *const serverSortNames[6];
extern const char *const playerSortNames[6];

// The source used when the file names none.
extern const char *const defaultSource;

// "%s/.vireorc" in the user's home: HOME, else the password database's home directory.
// Empty when neither is known.
std::string settingsPath();

// Reads the file into *settings; false when it is not read. Only a regular file is read, and
// only its first few MB; *problem (when given) says why a file that is there was not read,
// or not to its end ("Permission denied", "not a regular file"). Either way, a record that
// ends up without a source gets defaultSource.
bool readSettings(const char *path, Settings *settings, std::string *problem = nullptr);
// The line loop of the reader over an open file (sources not defaulted); false when the
// file went on past the bound and was read only that far. Server lines for one host and
// port come together as one entry with the marks of all of them and the first one's line
// number. Each server line that names no server, and each map list cut to what the filter
// keeps, is said on report (none when null).
bool parseSettings(FILE *fp, Settings *settings, FILE *report = stderr);
// One line, without its line feed; false when it is a server line that names no server,
// which is then dropped. For an option line, *cut (when given) is set to the key of a map
// list longer than the filter keeps, which is cut to fit, or else to null.
bool parseSettingsLine(const char *line, Settings *settings, const char **cut = nullptr);

// Writes a temporary file beside path and renames it over path only when every byte was
// written; false (with errno and *why, when given, telling why) leaves the old file as it
// was and no temporary file behind. A symbolic link to a regular file is written through
// and stays a link; anything but a regular file or a new name is not written at all.
// A save that succeeds removes the temporary files of earlier saves that were killed.
bool writeSettings(const char *path, const Settings &settings, std::string *why = nullptr);
// The file's text, as writeSettings writes it.
void formatSettings(FILE *fp, const Settings &settings);

// The "mainwin" text of a shell: width and height unsigned 16-bit, x and y signed 16-bit.
std::string formatGeometry(int width, int height, int x, int y);

// Between the server records of the main window and the file's server lines.
ServerEntry serverEntry(const Server &server);
// False when the host does not resolve; the record then keeps the name with no address.
bool        makeServer(const ServerEntry &entry, Server *server);
// Joins the marks (Flag_Favorite, Flag_Avoid) of another line for the server whose flags are
// *flags: taken when it has none of its own; false, its own kept, when they add to these.
bool        joinServerMarks(unsigned int *flags, unsigned int marks);
// The keywords of a server line with these marks: "server", "favorite", "avoid", or
// "avoid and favorite" for both.
std::string serverMarkWords(unsigned int marks);

#endif // VIREO_BROWSER_SETTINGS_H
