#include "platform/Application.h"

#include <QApplication>

namespace {
QApplication* g_app = nullptr;
}

void Application_Initialize(int& argc, char** argv)
{
    if (!g_app) {
        g_app = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }
}

void Application_ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

int Application_Run() { return QApplication::exec(); }

void Application_Terminate() { QCoreApplication::quit(); }
