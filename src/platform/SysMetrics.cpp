#include "platform/SysMetrics.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN: {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().width() : 0;
    }
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    default: return 0;
    }
}
