// regularFile.h - a file the user names, created or replaced only when it is a regular file.
#ifndef VIREO_BROWSER_REGULARFILE_H
#define VIREO_BROWSER_REGULARFILE_H

#include <sys/types.h>

#include <cstdio>
#include <string>

// Opens path for writing from its start, making the file with mode (less the umask) when
// the name is free. Null, with *reason saying why, for anything but a regular file or a new
// name; without followLinks, a link at path is refused too. Never waits.
FILE *createRegularFile(const char *path, std::string *reason, bool followLinks = true,
                        mode_t mode = 0666);

#endif // VIREO_BROWSER_REGULARFILE_H
