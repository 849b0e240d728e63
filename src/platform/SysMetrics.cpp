#include "platform/SysMetrics.h"

#include <QApplication>
#include <QStyle>

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    default: return 0;
    }
}
