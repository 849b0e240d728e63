#include "platform/MainThread.h"

#include <QCoreApplication>
#include <QThread>

void Queue_Main_Thread(std::function<void()> fn)
{
    if (!fn) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

bool Is_Main_Thread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}
