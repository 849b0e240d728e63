#include "platform/BiDi.h"

#include <QLocale>

namespace {
int g_forced = -1;
}

bool SysLocaleMiddleEast()
{
    if (g_forced >= 0) return g_forced == 1;
    return QLocale::system().textDirection() == Qt::RightToLeft;
}

void SetSysLocaleMiddleEast(int forced) { g_forced = forced < 0 ? -1 : (forced ? 1 : 0); }
