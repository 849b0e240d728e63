#include "platform/Clipbrd.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

bool ClipboardHasText()
{
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m && m->hasText();
}

std::string ClipboardText()
{
    return ClipboardHasText() ? QGuiApplication::clipboard()->text().toStdString() : std::string();
}

void SetClipboardText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}
