#include "widgets/LbButton.h"

#include "platform/Forms.h"

#include <cctype>

TLbButton::TLbButton(TWinControl* parent) : TCustomControl(parent)
{
    RegisterLbButtonResources();
    SetBounds(Left(), Top(), 100, 23);
    color_ = clBtnFace;
    SetTabStop(true);
    fade_.SetEnabled(false);
    fade_.SetInterval(30);
    fade_.SetOnTimer([this] { DoHotTrackStep(); });
    if (TForm* f = ParentForm()) hotTrackFont_.Assign(static_cast<const TControl*>(f)->Font());
}

TLbButton::~TLbButton() { fade_.SetEnabled(false); }

void TLbButton::SetCaption(const std::string& s)
{
    caption_ = s;
    Invalidate();
}

void TLbButton::SetColor(TColor c)
{
    color_ = c;
    Invalidate();
}

void TLbButton::SetLightColor(TColor c)
{
    lightColor_ = c;
    PaintNow();
}

void TLbButton::SetShadowColor(TColor c)
{
    shadowColor_ = c;
    PaintNow();
}

void TLbButton::SetStyle(TLbButtonStyle s)
{
    style_ = s;
    Invalidate();
}

void TLbButton::SetFlat(bool v)
{
    flat_ = v;
    PaintNow();
}

void TLbButton::SetAlignment(TAlignment a)
{
    alignment_ = a;
    PaintNow();
}

void TLbButton::SetLayout(TLbButtonLayout l)
{
    layout_ = l;
    PaintNow();
}

void TLbButton::SetWordWrap(bool v)
{
    wordWrap_ = v;
    PaintNow();
}

void TLbButton::SetGlyph(const TBitmap* bmp)
{
    if (bmp) {
        glyph_ = *bmp;
        numGlyphs_ = glyph_.Height() == 0 ? 0 : glyph_.Width() / glyph_.Height();
    } else {
        glyph_.SetSize(glyph_.Width(), 0);
        numGlyphs_ = 0;
    }
    kind_ = bkCustom;
    Invalidate();
}

bool TLbButton::LoadGlyphFromFile(const std::string& path, int numGlyphs)
{
    TBitmap b;
    if (!b.LoadFromFile(path)) return false;
    SetGlyph(&b);
    SetNumGlyphs(numGlyphs);
    return true;
}

void TLbButton::SetNumGlyphs(int n)
{
    numGlyphs_ = n;
    Invalidate();
}

void TLbButton::SetKind(TLbButtonKind k)
{
    struct KindInfo {
        int modal;
        const char* resource;
        const char* caption;
    };
    static const KindInfo info[] = {
        {0, "", ""},
        {mrOk, "LBOK", "OK"},
        {mrCancel, "LBCANCEL", "Abbrechen"},
        {0, "LBHELP", "Hilfe"},
        {mrYes, "LBYES", "Ja"},
        {mrNo, "LBNO", "Nein"},
        {0, "LBCLOSE", "Schlie\xC3\x9F" "en"},
        {mrAbort, "LBABORT", "Abbrechen"},
        {mrRetry, "LBRETRY", "Wiederholen"},
        {mrIgnore, "LBIGNORE", "Ignorieren"},
        {12, "LBALL", "Alle"},
    };
    if (k != bkCustom) {
        const KindInfo& i = info[k];
        numGlyphs_ = 2;
        SetModalResult(i.modal);
        glyph_.LoadFromResourceName(i.resource);
        caption_ = i.caption;
    }
    kind_ = k;
    Invalidate();
}

void TLbButton::SetModalResult(int r)
{
    modalResult_ = r;
    kind_ = bkCustom;
}

void TLbButton::SetColorStyle(TLbColorStyle s)
{
    if (s == lcsCustom) return;
    struct Preset {
        TColor color, light, shadow, down, hot, font;
        bool flat;
        TLbButtonStyle style;
    };
    static const Preset presets[] = {
        {},
        {0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, 0, false, bsModern},
        {0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, 0, false, bsModern},
        {0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, 0, false, bsModern},
        {0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, 0, false, bsModern},
        {clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, 0, true, bsNormal},
        {clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, 0, true, bsNormal},
        {0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, 0, true, bsNormal},
        {0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, 0, false, bsModern},
        {clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, 0, false, bsNormal},
        {0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, 0xFFFFFF, false, bsQuicken},
    };
    const Preset& p = presets[s];
    flat_ = false;
    color_ = p.color;
    lightColor_ = p.light;
    shadowColor_ = p.shadow;
    colorWhenDown_ = p.down;
    hotTrackColor_ = p.hot;
    Font().SetColor(p.font);
    flat_ = p.flat;
    style_ = p.style;
    PaintNow();
}

void TLbButton::SetSlowDecease(bool v)
{
    slowDecease_ = v;
    if (!v) {
        fade_.SetEnabled(false);
        hotTrackStep_ = 0;
    }
    Invalidate();
}

void TLbButton::SetEnabled(bool v)
{
    TControl::SetEnabled(v);
    bDown_ = false;
    PaintNow();
}

bool TLbButton::Hot() const { return bCursorOnButton_ || Focused(); }

bool TLbButton::ParentShowing() const { return Parent() && Parent()->Showing(); }

void TLbButton::PaintNow() { Repaint(); }

TBitmap TLbButton::RenderFace()
{
    const int W = Width(), H = Height();
    TBitmap bmp(W, H);
    TLbFaceParams p;
    p.Alignment = alignment_;
    p.Caption = caption_;
    p.Layout = layout_;
    p.Font.Assign(static_cast<const TControl*>(this)->Font());
    if (Hot() && useHotTrackFont_) p.Font.Assign(hotTrackFont_);
    p.ShadowColor = shadowColor_;
    p.LightColor = lightColor_;
    p.HotTrackColor = hotTrackColor_;
    p.ColorWhenDown = colorWhenDown_;
    p.Color = color_;
    p.Style = style_;
    p.WordWrap = wordWrap_;
    p.Flat = flat_;
    p.Enabled = Enabled();
    p.Hot = Hot();
    p.Pressed = bDown_;
    p.Glyph = &glyph_;
    p.NumGlyphs = numGlyphs_;
    p.HotTrackStep = hotTrackStep_;
    TCanvas& c = bmp.Canvas();
    if (style_ == bsModern || style_ == bsShape || style_ == bsQuicken) {
        c.Brush().SetColor(clFuchsia);
        c.FillRect(Rect(0, 0, W, H));
        bmp.SetTransparent(true);
        bmp.SetTransparentMode(tmFixed);
        bmp.SetTransparentColor(clFuchsia);
    }
    if (style_ == bsOld && Focused()) {
        p.Width = W - 2;
        p.Height = H - 2;
        if (bDown_) p.LightColor = shadowColor_;
        PaintLbButtonFace(c, p);
        TBitmap copy = bmp;
        copy.SetTransparent(false);
        c.Draw(1, 1, copy);
        c.Brush().SetStyle(bsClear);
        c.Pen().SetColor(clBlack);
        c.Pen().SetStyle(psSolid);
        c.Rectangle(0, 0, W, H);
    } else {
        p.Width = W;
        p.Height = H;
        PaintLbButtonFace(c, p);
    }
    c.Flush();
    return bmp;
}

void TLbButton::Paint()
{
    if (!Visible()) return;
    TBitmap bmp = RenderFace();
    TCanvas& c = Canvas();
    c.Draw(0, 0, bmp);
    if (Focused() && Enabled() && style_ != bsShape) c.DrawFocusRect(Rect(4, 4, Width() - 4, Height() - 4));
}

// --- hot track ------------------------------------------------------------------------

void TLbButton::DoMouseEnter()
{
    if (!Enabled() || !Visible() || !ParentShowing()) return;
    bCursorOnButton_ = true;
    hotTrackStep_ = 8;
    PaintNow();
    TControl::DoMouseEnter();
}

void TLbButton::DoMouseLeave()
{
    bCursorOnButton_ = false;
    if (slowDecease_) {
        fade_.SetEnabled(true);
    } else {
        hotTrackStep_ = 0;
        PaintNow();
    }
    if (Enabled() && Visible() && ParentShowing() && OnMouseExit) OnMouseExit(this);
}

void TLbButton::DoHotTrackStep()
{
    --hotTrackStep_;
    if (hotTrackStep_ <= 0) {
        fade_.SetEnabled(false);
        hotTrackStep_ = 0;
    }
    PaintNow();
}

// --- clicks ------------------------------------------------------------------------------

void TLbButton::Click()
{
    bDown_ = true;
    ButtonClickAction();
}

void TLbButton::ButtonClickAction()
{
    if (!Visible() || !Enabled() || !bDown_) return;
    bDown_ = false;
    if (OnClick) OnClick(this);
    if (modalResult_ != 0)
        if (TForm* f = ParentForm()) f->SetModalResult(modalResult_);
}

void TLbButton::MouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft || !Enabled()) return;
    bDown_ = true;
    if (CanFocus()) SetFocus();
    PaintNow();
}

void TLbButton::MouseUp(TMouseButton, TShiftState, int, int)
{
    if (bDown_) Click();
    bDown_ = false;
    PaintNow();
}

bool TLbButton::KeyDownMsg(int key, TShiftState)
{
    if ((key == VK_RETURN || key == VK_SPACE) && Enabled()) {
        keyDown_ = key;
        bDown_ = true;
        PaintNow();
        return true;
    }
    return false;
}

bool TLbButton::KeyUpMsg(int key, TShiftState)
{
    const bool mine = key == VK_RETURN || key == VK_SPACE;
    // A key released here that went down elsewhere (on another window, before
    // the focus came here) is not a click.
    if (mine && key == keyDown_) {
        keyDown_ = 0;
        Click();
    }
    PaintNow();
    return mine;
}

void TLbButton::FocusChanged()
{
    if (!Focused() && keyDown_) {
        // The focus left with the key still down: no click any more.
        keyDown_ = 0;
        bDown_ = false;
    }
    PaintNow();
}

void TLbButton::Hidden()
{
    // A hidden button is neither under the pointer nor pressed; shown again
    // (a dialog used once more) it starts at rest.
    fade_.SetEnabled(false);
    bCursorOnButton_ = false;
    hotTrackStep_ = 0;
    keyDown_ = 0;
    bDown_ = false;
}

bool TLbButton::DialogChar(char32_t ch)
{
    if (IsAccel(ch, caption_) && Visible() && Enabled() && ParentShowing()) {
        bDown_ = true;
        Click();
        return true;
    }
    return false;
}

bool TLbButton::DialogKey(int key, TShiftState shift)
{
    const bool enter = key == VK_RETURN && default_;
    const bool escape = key == VK_ESCAPE && cancel_ && !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && Visible() && Enabled();
    if (!enter && !escape) return false;
    TForm* f = ParentForm();
    if (TControl* active = f ? f->ActiveControl() : nullptr) {
        const std::string cls = UpperCase(active->ClassName());
        if (cls.find("BUTTON") != std::string::npos && cls.find("RADIOBUTTON") == std::string::npos) return false;
    }
    bDown_ = true;
    Click();
    return true;
}
