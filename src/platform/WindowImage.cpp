#include "platform/WindowImage.h"

#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
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

TBitmap ScreenImage(const TControl* control)
{
    TBitmap bmp;
    if (!control || !control->Widget() || !control->Widget()->isVisible()) return bmp;
    QApplication::processEvents();
    QWidget* w = control->Widget();
    QWidget* top = w->window();
    QScreen* screen = top->screen();
    if (!screen || !top->windowHandle()) return bmp;
    const QPoint at = w->mapTo(top, QPoint(0, 0));
    const QImage picture = screen->grabWindow(top->winId(), at.x(), at.y(), w->width(), w->height())
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) return bmp;
    bmp.SetSize(picture.width(), picture.height());
    bmp.Image() = picture;
    return bmp;
}

void PaintParentBackground(const TControl& control, TCanvas& canvas)
{
    const QWidget* w = control.Widget();
    QWidget* parent = w ? w->parentWidget() : nullptr;
    if (!parent) return;
    const QRect g = w->geometry();
    if (g.isEmpty()) return;
    QPixmap under(g.size());
    under.fill(parent->palette().color(parent->backgroundRole()));
    parent->render(&under, QPoint(), QRegion(g), QWidget::DrawWindowBackground);
    if (QPainter* p = canvas.BeginPaint()) p->drawPixmap(0, 0, under);
}
