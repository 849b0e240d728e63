#include "platform/WindowImage.h"

#include "platform/Controls.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

bool SaveControlImage(const TControl* control, const std::string& pngPath)
{
    if (!control || !control->Widget()) return false;
    QApplication::processEvents();
    const QPixmap picture = control->Widget()->grab();
    return !picture.isNull() && picture.save(QString::fromStdString(pngPath), "PNG");
}

TBitmap ControlImage(const TControl* control)
{
    TBitmap bmp;
    if (!control || !control->Widget()) return bmp;
    QApplication::processEvents();
    const QImage picture = control->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    bmp.SetSize(picture.width(), picture.height());
    bmp.Image() = picture;
    return bmp;
}
