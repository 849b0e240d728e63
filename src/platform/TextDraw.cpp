#include "platform/TextDraw.h"

#include "platform/GraphicsQt.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
int QtFlags(unsigned f)
{
    int q = 0;
    q |= (f & DT_CENTER) ? Qt::AlignHCenter : (f & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (f & DT_SINGLELINE) {
        q |= (f & DT_VCENTER) ? Qt::AlignVCenter : (f & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
        q |= Qt::TextSingleLine;
    } else {
        q |= Qt::AlignTop;
    }
    if (f & DT_WORDBREAK) q |= Qt::TextWordWrap;
    if (!(f & DT_NOPREFIX)) q |= Qt::TextShowMnemonic;
    return q;
}
} // namespace

int DrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned format)
{
    const QString s = QString::fromStdString(text);
    const QFont qf = ToQFont(canvas.Font());
    const QFontMetrics fm(qf);
    const int flags = QtFlags(format);
    if (format & DT_CALCRECT) {
        const int width = (format & DT_WORDBREAK) ? std::max(r.Width(), 1) : 1000000;
        const QRect b = s.isEmpty() ? QRect(0, 0, 0, fm.height())
                                    : fm.boundingRect(QRect(0, 0, width, 1000000), flags & ~Qt::AlignHCenter & ~Qt::AlignRight, s);
        r.Right = r.Left + b.width();
        r.Bottom = r.Top + b.height();
        return b.height();
    }
    QPainter* p = canvas.Painter();
    if (!p) return 0;
    p->save();
    const TPoint org = canvas.WindowOrg();
    p->setTransform(QTransform::fromTranslate(-org.X, -org.Y));
    const QRect qr = ToQRect(r);
    if (!(format & DT_NOCLIP)) p->setClipRect(qr, Qt::IntersectClip);
    p->setFont(qf);
    p->setPen(ToQColor(canvas.Font().Color()));
    QRect used;
    p->drawText(qr, flags, s, &used);
    p->restore();
    return used.height();
}
