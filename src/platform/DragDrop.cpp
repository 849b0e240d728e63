#include "platform/DragDrop.h"

#include "platform/SysUtils.h"

#include <QApplication>
#include <QByteArray>
#include <QCursor>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <mutex>

// --- named formats ---------------------------------------------------------------------------

namespace {

struct FormatRegistry {
    std::mutex lock;
    std::vector<std::string> names; // id 0xC000 + index
};

FormatRegistry& Registry()
{
    static FormatRegistry r;
    return r;
}

constexpr unsigned short FirstNamedFormat = 0xC000;

} // namespace

unsigned short RegisterClipboardFormat(const std::string& name)
{
    if (name.empty()) return 0;
    FormatRegistry& r = Registry();
    std::lock_guard<std::mutex> g(r.lock);
    for (size_t i = 0; i < r.names.size(); ++i)
        if (SameText(r.names[i], name)) return static_cast<unsigned short>(FirstNamedFormat + i);
    if (r.names.size() >= 0x3FFF) return 0;
    r.names.push_back(name);
    return static_cast<unsigned short>(FirstNamedFormat + r.names.size() - 1);
}

std::string ClipboardFormatName(unsigned short id)
{
    FormatRegistry& r = Registry();
    std::lock_guard<std::mutex> g(r.lock);
    if (id < FirstNamedFormat || size_t(id - FirstNamedFormat) >= r.names.size()) return {};
    return r.names[size_t(id - FirstNamedFormat)];
}

// --- a data object of ready blocks ---------------------------------------------------------------

namespace {

class TBlockEnum : public IEnumFormatEtc {
public:
    TBlockEnum(std::vector<unsigned short> formats, size_t index) : formats_(std::move(formats)), index_(index) {}
    HRESULT Next(unsigned celt, TFormatEtc* rgelt, unsigned* fetched) override
    {
        unsigned n = 0;
        while (n < celt && index_ < formats_.size()) {
            rgelt[n] = TFormatEtc{formats_[index_], false, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
            ++n;
            ++index_;
        }
        if (fetched) *fetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(unsigned celt) override
    {
        index_ += celt;
        if (index_ > formats_.size()) {
            index_ = formats_.size();
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT Reset() override
    {
        index_ = 0;
        return S_OK;
    }
    HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) override
    {
        out = std::make_shared<TBlockEnum>(formats_, index_);
        return S_OK;
    }

private:
    std::vector<unsigned short> formats_;
    size_t index_;
};

} // namespace

void TBlockDataObject::Add(unsigned short format, std::vector<std::uint8_t> bytes)
{
    auto block = std::make_shared<std::vector<std::uint8_t>>(std::move(bytes));
    for (auto& b : blocks_)
        if (b.first == format) {
            b.second = block;
            return;
        }
    blocks_.emplace_back(format, block);
}

HRESULT TBlockDataObject::QueryGetData(const TFormatEtc& format)
{
    if (format.dwAspect != DVASPECT_CONTENT || !(format.tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    for (const auto& b : blocks_)
        if (b.first == format.cfFormat) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TBlockDataObject::GetData(const TFormatEtc& format, TStgMedium& medium)
{
    medium = TStgMedium();
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    for (const auto& b : blocks_)
        if (b.first == format.cfFormat) {
            medium.tymed = TYMED_HGLOBAL;
            // The receiver gets its own copy, as with a block handed over.
            medium.hGlobal = std::make_shared<std::vector<std::uint8_t>>(*b.second);
            return S_OK;
        }
    return DV_E_FORMATETC;
}

HRESULT TBlockDataObject::EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out)
{
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<unsigned short> f;
    for (const auto& b : blocks_) f.push_back(b.first);
    out = std::make_shared<TBlockEnum>(std::move(f), 0);
    return S_OK;
}

// --- the window system's drag loop -----------------------------------------------------------------

namespace {

TDoDragDropFn& DragLoop()
{
    static TDoDragDropFn fn;
    return fn;
}

// Mime type under which a format travels between programs.
QString MimeOfFormat(unsigned short format)
{
    if (format == CF_UNICODETEXT) return QStringLiteral("text/plain");
    const std::string name = ClipboardFormatName(format);
    if (name.empty()) return {};
    if (SameText(name, "Rich Text Format")) return QStringLiteral("text/rtf");
    std::string m = "application/x-zelvator-";
    for (char ch : name) m += (ch == ' ') ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return QString::fromStdString(m);
}

std::vector<std::uint8_t> BlockOf(IDataObject& data, unsigned short format)
{
    TStgMedium m;
    if (data.GetData(TFormatEtc{format, false, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, m) != S_OK || !m.hGlobal)
        return {};
    return *m.hGlobal;
}

HRESULT QtDragLoop(const std::shared_ptr<IDataObject>& data, IDropSource& source, int okEffects, int& effect)
{
    effect = DROPEFFECT_NONE;
    if (!data || !QApplication::instance()) return E_FAIL;
    QWidget* from = QApplication::widgetAt(QCursor::pos());
    if (!from) from = QApplication::activeWindow();
    if (!from) return E_FAIL;
    auto* mime = new QMimeData;
    std::shared_ptr<IEnumFormatEtc> en;
    if (data->EnumFormatEtc(DATADIR_GET, en) == S_OK && en) {
        TFormatEtc f;
        unsigned got = 0;
        while (en->Next(1, &f, &got) == S_OK && got == 1) {
            if (data->QueryGetData(f) != S_OK) continue;
            if (f.cfFormat == CF_UNICODETEXT) {
                std::vector<std::uint8_t> b = BlockOf(*data, f.cfFormat);
                std::u16string w;
                for (size_t i = 0; i + 1 < b.size(); i += 2) {
                    char16_t u = char16_t(b[i] | (b[i + 1] << 8));
                    if (u == 0) break;
                    w += u;
                }
                mime->setText(QString::fromStdU16String(w));
                continue;
            }
            const QString type = MimeOfFormat(f.cfFormat);
            if (type.isEmpty()) continue;
            std::vector<std::uint8_t> b = BlockOf(*data, f.cfFormat);
            mime->setData(type, QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())));
        }
    }
    auto* drag = new QDrag(from);
    drag->setMimeData(mime);
    Qt::DropActions allowed;
    if (okEffects & DROPEFFECT_COPY) allowed |= Qt::CopyAction;
    if (okEffects & DROPEFFECT_MOVE) allowed |= Qt::MoveAction;
    if (okEffects & DROPEFFECT_LINK) allowed |= Qt::LinkAction;
    const Qt::DropAction done = drag->exec(allowed);
    switch (done) {
    case Qt::CopyAction: effect = DROPEFFECT_COPY; break;
    case Qt::MoveAction: effect = DROPEFFECT_MOVE; break;
    case Qt::LinkAction: effect = DROPEFFECT_LINK; break;
    default: effect = DROPEFFECT_NONE; break;
    }
    source.GiveFeedback(effect);
    // The window system ends the loop itself; the source hears the end as a
    // released button, or as Escape when nothing was dropped.
    return source.QueryContinueDrag(effect == DROPEFFECT_NONE, TShiftState());
}

} // namespace

HRESULT DoDragDrop(const std::shared_ptr<IDataObject>& data, IDropSource& source, int okEffects, int& effect)
{
    if (DragLoop()) return DragLoop()(data, source, okEffects, effect);
    return QtDragLoop(data, source, okEffects, effect);
}

void SetDoDragDrop(TDoDragDropFn fn) { DragLoop() = std::move(fn); }

// --- drops from the window system --------------------------------------------------------------

namespace {

void PutU32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

void PutWide(std::vector<std::uint8_t>& b, const QString& s)
{
    for (QChar ch : s) {
        const char16_t u = ch.unicode();
        b.push_back(std::uint8_t(u & 0xFF));
        b.push_back(std::uint8_t(u >> 8));
    }
    b.push_back(0);
    b.push_back(0);
}

} // namespace

std::shared_ptr<TBlockDataObject> DataObjectFromMime(const QMimeData& mime)
{
    auto d = std::make_shared<TBlockDataObject>();
    QString text = mime.hasText() ? mime.text() : QString();
    std::vector<std::string> files;
    QString link;
    for (const QUrl& u : mime.urls()) {
        if (u.isLocalFile())
            files.push_back(u.toLocalFile().toStdString());
        else if (link.isEmpty())
            link = u.toString();
    }
    if (!files.empty()) {
        std::vector<std::uint8_t> b;
        PutU32(b, 20); // names follow the header
        PutU32(b, 0);  // drop point
        PutU32(b, 0);
        PutU32(b, 0);  // not in the non-client area
        PutU32(b, 1);  // wide names
        for (const auto& f : files) PutWide(b, QString::fromStdString(f));
        b.push_back(0);
        b.push_back(0);
        d->Add(CF_HDROP, std::move(b));
    }
    if (!link.isEmpty()) {
        const QByteArray a = link.toUtf8();
        std::vector<std::uint8_t> b(a.begin(), a.end());
        b.push_back(0);
        d->Add(RegisterClipboardFormat("UniformResourceLocator"), std::move(b));
        if (text.isEmpty()) text = link;
    }
    if (!text.isEmpty()) {
        std::vector<std::uint8_t> b;
        PutWide(b, text);
        d->Add(CF_UNICODETEXT, std::move(b));
    }
    for (const QString& type : mime.formats()) {
        if (type == QStringLiteral("text/plain") || type == QStringLiteral("text/uri-list")) continue;
        const QByteArray a = mime.data(type);
        unsigned short id = 0;
        if (type == QStringLiteral("text/rtf")) {
            id = RegisterClipboardFormat("Rich Text Format");
        } else if (type.startsWith(QStringLiteral("application/x-zelvator-"))) {
            for (unsigned short f = FirstNamedFormat; f < 0xFFFF; ++f) {
                const std::string name = ClipboardFormatName(f);
                if (name.empty()) break;
                if (MimeOfFormat(f) == type) {
                    id = f;
                    break;
                }
            }
        }
        if (id != 0) d->Add(id, std::vector<std::uint8_t>(a.begin(), a.end()));
    }
    return d;
}
