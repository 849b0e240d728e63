#include "platform/TabControl.h"

#include "platform/SysUtils.h"
#include "platform/Themes.h"

#include <algorithm>

TCustomTabControl::TCustomTabControl(TWinControl* parent) : TCustomControl(parent) {}

void TCustomTabControl::CheckIndex(int i) const
{
    if (i < 0 || i >= TabCount()) RaiseListIndexError(i);
}

const std::string& TCustomTabControl::TabString(int i) const
{
    CheckIndex(i);
    return tabs_[static_cast<size_t>(i)].text;
}

void* TCustomTabControl::TabObject(int i) const
{
    CheckIndex(i);
    return tabs_[static_cast<size_t>(i)].object;
}

void TCustomTabControl::InsertTab(int i, const std::string& s, void* object)
{
    if (i < 0 || i > TabCount()) RaiseListIndexError(i);
    tabs_.insert(tabs_.begin() + i, Tab{s, object, false});
    if (TabCount() == 1) tabIndex_ = 0;
    else if (tabIndex_ >= i) ++tabIndex_;
    LayoutChanged();
}

void TCustomTabControl::DeleteTab(int i)
{
    CheckIndex(i);
    tabs_.erase(tabs_.begin() + i);
    if (tabIndex_ == i) tabIndex_ = -1;
    else if (tabIndex_ > i) --tabIndex_;
    LayoutChanged();
}

void TCustomTabControl::SetTabString(int i, const std::string& s)
{
    CheckIndex(i);
    tabs_[static_cast<size_t>(i)].text = s;
    LayoutChanged();
}

void TCustomTabControl::MoveTab(int from, int to)
{
    CheckIndex(from);
    CheckIndex(to);
    if (from == to) return;
    const Tab t = tabs_[static_cast<size_t>(from)];
    tabs_.erase(tabs_.begin() + from);
    tabs_.insert(tabs_.begin() + to, t);
    if (tabIndex_ == from) tabIndex_ = to;
    else if (from < tabIndex_ && tabIndex_ <= to) --tabIndex_;
    else if (to <= tabIndex_ && tabIndex_ < from) ++tabIndex_;
    LayoutChanged();
}

int TCustomTabControl::IndexOfTabObject(const void* object) const
{
    for (int i = 0; i < TabCount(); ++i)
        if (tabs_[static_cast<size_t>(i)].object == object) return i;
    return -1;
}

void TCustomTabControl::SetTabIndex(int i)
{
    if (i < 0 || i >= TabCount()) i = -1;
    tabIndex_ = i;
    LayoutChanged();
}

void TCustomTabControl::SetTabPosition(TTabPosition p)
{
    tabPosition_ = p;
    LayoutChanged();
}

void TCustomTabControl::SetTabHeight(int h)
{
    tabHeight_ = std::max(0, h);
    LayoutChanged();
}

void TCustomTabControl::SetTabWidth(int w)
{
    tabWidth_ = std::max(0, w);
    LayoutChanged();
}

void TCustomTabControl::SetMultiLine(bool v)
{
    multiLine_ = v;
    LayoutChanged();
}

void TCustomTabControl::SetImageSize(int w, int h)
{
    imageWidth_ = std::max(0, w);
    imageHeight_ = std::max(0, h);
    LayoutChanged();
}

void TCustomTabControl::SetOwnerDraw(bool v)
{
    ownerDraw_ = v;
    Invalidate();
}

void TCustomTabControl::SetTabHighlighted(int i, bool v)
{
    CheckIndex(i);
    tabs_[static_cast<size_t>(i)].highlighted = v;
    Invalidate();
}

bool TCustomTabControl::TabHighlighted(int i) const
{
    CheckIndex(i);
    return tabs_[static_cast<size_t>(i)].highlighted;
}

void TCustomTabControl::LayoutChanged()
{
    Realign();
    Invalidate();
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange) OnChange(this);
}

int TCustomTabControl::GetImageIndex(int) { return -1; }

void TCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active)
{
    if (OnDrawTab) OnDrawTab(this, TabIndex, Rect, Active);
}

bool TCustomTabControl::UserSelect(int i)
{
    if (i < 0 || i >= TabCount() || i == tabIndex_) return false;
    changingTo_ = i;
    const bool allowed = CanChange();
    changingTo_ = -1;
    if (!allowed) return false;
    tabIndex_ = i;
    LayoutChanged();
    Change();
    return true;
}

// --- layout ---------------------------------------------------------------------------------

TCustomTabControl::Layout TCustomTabControl::ComputeLayout() const
{
    Layout lay;
    const int n = TabCount();
    const int w = Width();
    const int h = Height();
    if (n == 0) {
        lay.stripEnd = tabPosition_ == tpBottom ? h : tabPosition_ == tpRight ? w : 0;
        return lay;
    }
    TBitmap measure(1, 1);
    TCanvas& c = measure.Canvas();
    c.Font().Assign(Font());
    const int fontHeight = c.TextMetrics().Height;
    const bool vertical = Vertical();
    const bool images = imageWidth_ > 0 || imageHeight_ > 0;
    auto* self = const_cast<TCustomTabControl*>(this);
    std::vector<int> lengths(static_cast<size_t>(n));
    bool anyImage = false;
    for (int i = 0; i < n; ++i) {
        const bool image = images && self->GetImageIndex(i) >= 0;
        anyImage = anyImage || image;
        int len = tabWidth_ > 0 ? tabWidth_ : c.TextWidth(tabs_[static_cast<size_t>(i)].text) + 12;
        if (tabWidth_ <= 0 && image) len += (vertical ? imageHeight_ : imageWidth_) + 3;
        lengths[static_cast<size_t>(i)] = len;
    }
    int thickness = tabHeight_;
    if (thickness <= 0) thickness = std::max(fontHeight, anyImage ? (vertical ? imageWidth_ : imageHeight_) : 0) + 6;

    // Rows along the strip.
    const int available = std::max(1, (vertical ? h : w) - 4);
    std::vector<int> rowOf(static_cast<size_t>(n));
    std::vector<int> startOf(static_cast<size_t>(n));
    int row = 0, pos = 0;
    for (int i = 0; i < n; ++i) {
        const int len = lengths[static_cast<size_t>(i)];
        if (multiLine_ && pos > 0 && pos + len > available) {
            ++row;
            pos = 0;
        }
        rowOf[static_cast<size_t>(i)] = row;
        startOf[static_cast<size_t>(i)] = 2 + pos;
        pos += len;
    }
    lay.rows = row + 1;
    const int selRow = tabIndex_ >= 0 ? rowOf[static_cast<size_t>(tabIndex_)] : 0;
    const int band = lay.rows * thickness;
    switch (tabPosition_) {
    case tpTop:
    case tpLeft: lay.stripEnd = 2 + band; break;
    case tpBottom: lay.stripEnd = h - 2 - band; break;
    case tpRight: lay.stripEnd = w - 2 - band; break;
    }
    lay.rects.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        // Place 0 lies next to the page area.
        const int place = (rowOf[static_cast<size_t>(i)] - selRow + lay.rows) % lay.rows;
        const int a0 = startOf[static_cast<size_t>(i)];
        const int a1 = a0 + lengths[static_cast<size_t>(i)];
        int c0 = 0;
        switch (tabPosition_) {
        case tpTop:
        case tpLeft: c0 = 2 + (lay.rows - 1 - place) * thickness; break;
        case tpBottom:
        case tpRight: c0 = lay.stripEnd + place * thickness; break;
        }
        lay.rects[static_cast<size_t>(i)] =
            vertical ? Rect(c0, a0, c0 + thickness, a1) : Rect(a0, c0, a1, c0 + thickness);
    }
    return lay;
}

TRect TCustomTabControl::TabRect(int i) const
{
    if (i < 0 || i >= TabCount()) return {};
    return ComputeLayout().rects[static_cast<size_t>(i)];
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const
{
    const Layout lay = ComputeLayout();
    for (int i = 0; i < TabCount(); ++i)
        if (PtInRect(lay.rects[static_cast<size_t>(i)], Point(x, y))) return i;
    return -1;
}

int TCustomTabControl::RowCount() const { return ComputeLayout().rows; }

TRect TCustomTabControl::PageRect() const
{
    const int s = ComputeLayout().stripEnd;
    switch (tabPosition_) {
    case tpTop: return Rect(0, s, Width(), Height());
    case tpBottom: return Rect(0, 0, Width(), s);
    case tpLeft: return Rect(s, 0, Width(), Height());
    case tpRight: return Rect(0, 0, s, Height());
    }
    return {};
}

TRect TCustomTabControl::DisplayRect() const
{
    TRect r = PageRect();
    InflateRect(r, -4, -4);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

// --- painting and input ----------------------------------------------------------------------

void TCustomTabControl::Paint()
{
    TCanvas& c = Canvas();
    c.Brush().SetColor(Color());
    c.FillRect(Rect(0, 0, Width(), Height()));
    TRect page = PageRect();
    DrawEdge(c, page, EDGE_RAISED, BF_RECT);
    c.Font().Assign(Font());
    const Layout lay = ComputeLayout();
    for (int i = 0; i < TabCount(); ++i) {
        TRect r = lay.rects[static_cast<size_t>(i)];
        const bool active = i == tabIndex_;
        if (active) InflateRect(r, 2, 2);
        c.Brush().SetColor(tabs_[static_cast<size_t>(i)].highlighted ? clHighlight : Color());
        c.FillRect(r);
        unsigned sides = BF_RECT;
        switch (tabPosition_) {
        case tpTop: sides = BF_LEFT | BF_TOP | BF_RIGHT; break;
        case tpBottom: sides = BF_LEFT | BF_BOTTOM | BF_RIGHT; break;
        case tpLeft: sides = BF_LEFT | BF_TOP | BF_BOTTOM; break;
        case tpRight: sides = BF_RIGHT | BF_TOP | BF_BOTTOM; break;
        }
        TRect edge = r;
        DrawEdge(c, edge, EDGE_RAISED, sides);
        if (ownerDraw_) {
            DrawTab(i, r, active);
            continue;
        }
        const std::string& text = tabs_[static_cast<size_t>(i)].text;
        const TSize ext = c.TextExtent(text);
        c.Brush().SetStyle(bsClear);
        if (Vertical()) {
            c.Font().SetOrientation(tabPosition_ == tpLeft ? 900 : 2700);
            const int x = (r.Left + r.Right - ext.cy) / 2;
            const int y = (r.Top + r.Bottom + ext.cx) / 2;
            if (tabPosition_ == tpLeft) c.TextOut(x, y, text);
            else c.TextOut(x + ext.cy, (r.Top + r.Bottom - ext.cx) / 2, text);
            c.Font().SetOrientation(0);
        } else {
            c.TextOut((r.Left + r.Right - ext.cx) / 2, (r.Top + r.Bottom - ext.cy) / 2, text);
        }
        c.Brush().SetStyle(bsSolid);
    }
}

void TCustomTabControl::MouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft) return;
    const int i = IndexOfTabAt(x, y);
    if (i >= 0 && i != tabIndex_) UserSelect(i);
    if (CanFocus() && !Focused()) SetFocus();
}

bool TCustomTabControl::KeyDownMsg(int key, TShiftState shift)
{
    if (!Focused() || shift.Contains(ssCtrl) || shift.Contains(ssAlt) || TabCount() == 0) return false;
    int step = 0;
    if (key == VK_LEFT || key == VK_UP) step = -1;
    else if (key == VK_RIGHT || key == VK_DOWN) step = 1;
    if (step == 0) return false;
    const int to = tabIndex_ < 0 ? 0 : tabIndex_ + step;
    if (to >= 0 && to < TabCount()) UserSelect(to);
    return true;
}
