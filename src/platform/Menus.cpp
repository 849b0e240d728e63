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

std::vector<TMenuEntry>& Last()
{
    static std::vector<TMenuEntry> entries;
    return entries;
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

const std::vector<TMenuEntry>& LastPopupMenu() { return Last(); }

int TrackPopupMenu(const std::vector<TMenuEntry>& entries, TPoint screenPos, TControl* owner)
{
    Last() = entries;
    const auto usable = [&](int id) {
        return id >= 1 && id <= static_cast<int>(entries.size()) && entries[static_cast<size_t>(id - 1)].Enabled &&
               entries[static_cast<size_t>(id - 1)].Caption != "-";
    };
    if (Handler()) {
        std::vector<std::string> captions;
        for (const auto& e : entries) captions.push_back(e.Caption);
        const int id = Handler()(captions, screenPos);
        return usable(id) ? id : 0;
    }
    QMenu menu(owner ? owner->Widget() : nullptr);
    std::vector<QAction*> actions;
    for (const auto& e : entries) {
        QAction* a = e.Caption == "-" ? menu.addSeparator() : menu.addAction(QString::fromStdString(e.Caption));
        a->setEnabled(e.Enabled);
        actions.push_back(a);
    }
    QAction* chosen = menu.exec(QPoint(screenPos.X, screenPos.Y));
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == chosen) return usable(static_cast<int>(i) + 1) ? static_cast<int>(i) + 1 : 0;
    return 0;
}
