// main.cpp - the program's entry point: resources, application object, main window, event loop.
#include "browser/app.h"
#include "browser/mainwin.h"

#include <csignal>

int main(int argc, char **argv)
{
    // A file-size limit makes a write fail with EFBIG, which every writer reports; the
    // signal would end the program instead, in the middle of a save.
    signal(SIGXFSZ, SIG_IGN);
    // Before the toolkit opens: it reads XENVIRONMENT when the display is opened.
    App::setXEnvironment(argc > 0 ? argv[0] : nullptr, "Vireo");
    App *app = new App("Vireo", &argc, argv);
    MainWin *window = App::createMainWin();
    // Before the start's list update, which may keep the loop away for a while: a logout
    // meanwhile is acted on once it returns.
    window->saveWhenDisplayLost();
    app->quitOnSignals();
    window->show();
    window->setTitle("Vireo 1.1");
    app->run();
    return 0;
}
