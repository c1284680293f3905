// app.h - App, the program's application object, and where the program finds its own folder.
#ifndef VIREO_BROWSER_APP_H
#define VIREO_BROWSER_APP_H

#include "framework/VkApp.h"

class MainWin;

class App : public VkApp {
public:
    App(const char *className, int *argc, char **argv);
    ~App() override;
    // From now on SIGTERM, SIGHUP and SIGINT quit as File > Exit does, from the event loop;
    // the program then ends by that signal. One ignored at start stays ignored.
    void quitOnSignals();
    void exitApp(int status) override;

    // Points the toolkit's resource search at the class resource file beside the program.
    static void setXEnvironment(const char *argv0, const char *className);
    // The program's folder (ending in "/"), cut to buflen - 1 characters; empty when unknown.
    static void getAppDirectory(char *path, unsigned int buflen);
    static const char *cachedAppDirectory();
    // The folder of the program started as argv0; false when it is not found or does
    // not fit in size bytes (buf is then left alone).
    static bool locateProgram(const char *argv0, char *buf, unsigned int size);
    static bool searchPath(char *out, unsigned int size, const char *pathList,
                           const char *name);
    static bool isFile(const char *path);
    static void stripFilename(char *path);
    static MainWin *createMainWin();

private:
    static void sQuitSignalCB(XtPointer clientData, int *fd, XtInputId *);
    void quitForSignal(int signal);

    int mEndingSignal = 0;      // the signal whose quit is under way; 0: none
};

#endif
