// VkWindow.cpp - top-level window with a menu bar; the bar operations live in VkWindowMenuBar.cpp.
#include "framework/VkWindow.h"

VkWindow::VkWindow(const char *name, ArgList args, Cardinal argCount)
    : VkSimpleWindow(name, args, argCount)
{
}

VkWindow::~VkWindow()
{
    deleteMenuBar();
}

const char *VkWindow::className()
{
    return "VkWindow";
}

void VkWindow::show()
{
    installMenuBar();
    VkSimpleWindow::show();
}
