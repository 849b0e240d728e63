#include "platform/Menus.h"

#include "platform/Controls.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {
TPopupMenuHandler& Handler()
{
    static TPopupMenuHandler h;
    return h;
}
} // namespace

TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler handler)
{
    TPopupMenuHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

int TrackPopupMenu(const std::vector<std::string>& entries, TPoint screenPos, TControl* owner)
{
    if (Handler()) return Handler()(entries, screenPos);
    QMenu menu(owner ? owner->Widget() : nullptr);
    std::vector<QAction*> actions;
    for (const auto& e : entries) actions.push_back(menu.addAction(QString::fromStdString(e)));
    QAction* chosen = menu.exec(QPoint(screenPos.X, screenPos.Y));
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == chosen) return static_cast<int>(i) + 1;
    return 0;
}
