// regularFile.h - a file the user names, created or replaced only when it is a regular file.
#ifndef VIREO_BROWSER_REGULARFILE_H
#define VIREO_BROWSER_REGULARFILE_H

#include <cstdio>
#include <string>

// Opens path for writing from its start, making the file when the name is free. Null, with
// *reason saying why, for anything but a regular file or a new name.
FILE *createRegularFile(const char *path, std::string *reason);

#endif // VIREO_BROWSER_REGULARFILE_H
