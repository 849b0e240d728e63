#include "platform/WindowImage.h"

#include "platform/Controls.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

bool SaveControlImage(const TControl* control, const std::string& pngPath)
{
    if (!control || !control->Widget()) return false;
    QApplication::processEvents();
    const QPixmap picture = control->Widget()->grab();
    return !picture.isNull() && picture.save(QString::fromStdString(pngPath), "PNG");
}
