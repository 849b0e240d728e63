#include "widgets/grid_io/SearchPanel.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/dropdown/DropDownDraw.h"

// --- children ------------------------------------------------------------------------------

void TSearchPanelControl::Click()
{
    if (!Visible || !Enabled) return;
    if (CheckStyle) Down = !Down;
    if (OnClick) OnClick(this);
}

void TRetEdit::SetText(const std::string& Value)
{
    if (FText == Value) return;
    FText = Value;
    if (OnChange) OnChange(this);
}

bool TRetEdit::KeyDown(int& Key, TShiftState Shift)
{
    if (Key != VK_RETURN) return false;
    Key = 0;
    if (Shift.Contains(ssCtrl)) {
        if (OnCtrlReturn) OnCtrlReturn(this);
    } else if (OnReturn) {
        OnReturn(this);
    }
    return true;
}

void TRetEdit::KeyPress(char32_t& Key)
{
    if (Key == U'\r' || Key == U'\n') {
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = 0;
        return;
    }
    if (OnKeyPress) OnKeyPress(this, Key);
    if (Key == 0) return;
    if (Key == 8) { // backspace: the last character goes
        std::string t = FText;
        while (!t.empty() && (static_cast<unsigned char>(t.back()) & 0xC0) == 0x80) t.pop_back();
        if (!t.empty()) t.pop_back();
        SetText(t);
        return;
    }
    if (Key < 0x20) return;
    std::u32string one(1, Key);
    std::string utf8;
    for (char32_t c : one) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    SetText(FText + utf8);
}

// --- the bar --------------------------------------------------------------------------------

TSearchPanel::TSearchPanel(TComponent* AOwner) : FGrid(dynamic_cast<TExStringGrid*>(AOwner))
{
    if (!FGrid) throw EInvalidCast("Invalid class typecast: the search panel's owner must be a TExStringGrid");
}

TSearchPanel::~TSearchPanel() = default;

void TSearchPanel::CreateWnd()
{
    if (WindowCreated()) return;
    FEdit = std::make_unique<TRetEdit>();
    FEdit->Left = 25;
    FEdit->Top = 6;
    FEdit->Width = 110;
    FEdit->OnChange = [this](TObject*) { EditChanged(); };
    FEdit->OnReturn = [this](TObject*) {
        if (OnForwardClick) OnForwardClick(this);
    };
    FEdit->OnCtrlReturn = [this](TObject*) {
        if (OnBackwardClick) OnBackwardClick(this);
    };

    auto button = [this](int left, int top, int width, int height, TSearchPanelEvent& event) {
        auto b = std::make_unique<TSearchPanelControl>();
        b->Left = left;
        b->Top = top;
        b->Width = width;
        b->Height = height;
        b->OnClick = [this, &event](TObject*) {
            if (event) event(this);
        };
        return b;
    };
    FForwardButton = button(140, 5, 90, 23, OnForwardClick);
    FForwardButton->Caption = FFindNextCaption;
    FForwardButton->Glyph = "ESGARDOWN";
    FForwardButton->GlyphDisabled = "ESGARDOWND";
    FForwardButton->Enabled = false;
    SetHintOf(FForwardButton.get(), FFindNextHint);

    FBackwardButton = button(235, 5, 90, 23, OnBackwardClick);
    FBackwardButton->Caption = FFindPrevCaption;
    FBackwardButton->Glyph = "ESGARUP";
    FBackwardButton->GlyphDisabled = "ESGARUPD";
    FBackwardButton->Enabled = false;
    SetHintOf(FBackwardButton.get(), FFindPrevHint);

    FExitButton = button(5, 7, 14, 14, OnExitClick);
    FExitButton->Glyph = "ESGCLOSE";
    FExitButton->GlyphHot = "ESGCLOSEH";
    FExitButton->GlyphDown = "ESGCLOSED";
    SetHintOf(FExitButton.get(), FCloseHint);

    FHighlightButton = button(330, 5, 90, 23, OnHighlightClick);
    FHighlightButton->Caption = FHighlightCaption;
    FHighlightButton->PlainFont = true;
    FHighlightButton->Enabled = false;
    FHighlightButton->CheckStyle = true;
    FHighlightButton->Glyph = "ESGHI";
    FHighlightButton->GlyphDisabled = "ESGHID";
    SetHintOf(FHighlightButton.get(), FHighlightHint);

    FMatchCase = std::make_unique<TSearchPanelControl>();
    FMatchCase->Top = 8;
    FMatchCase->Width = 98;
    FMatchCase->Height = 20;
    FMatchCase->Caption = FMatchCaseCaption;
    FMatchCase->OnClick = [](TObject* s) {
        auto* c = static_cast<TSearchPanelControl*>(s);
        c->Checked = !c->Checked;
    };
    PlaceMatchCase();

    if (RightToLeft) Mirror();
    if (FGrid->OnCreatedSearchFooter) FGrid->OnCreatedSearchFooter(FGrid);
}

void TSearchPanel::PlaceMatchCase()
{
    if (FMatchCase) FMatchCase->Left = FHighlightButton && FHighlightButton->Visible ? 425 : 330;
}

void TSearchPanel::Mirror()
{
    auto mirror = [this](int& left, int width) { left = Width - width - left; };
    mirror(FEdit->Left, FEdit->Width);
    for (TSearchPanelControl* c : {FExitButton.get(), FForwardButton.get(), FBackwardButton.get(),
                                   FHighlightButton.get()})
        mirror(c->Left, c->Width);
}

void TSearchPanel::EditChanged()
{
    const bool any = !FEdit->Text().empty();
    FForwardButton->Enabled = any;
    FBackwardButton->Enabled = any;
    FHighlightButton->Enabled = any;
    if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::SetHintOf(TSearchPanelControl* c, const std::string& Value)
{
    if (!c) return;
    c->Hint = Value;
    c->ShowHint = !Value.empty();
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    FGrid->Invalidate();
}

void TSearchPanel::SetFindNextCaption(const std::string& Value)
{
    FFindNextCaption = Value;
    if (FForwardButton) FForwardButton->Caption = Value;
}

void TSearchPanel::SetFindPrevCaption(const std::string& Value)
{
    FFindPrevCaption = Value;
    if (FBackwardButton) FBackwardButton->Caption = Value;
}

void TSearchPanel::SetHighlightCaption(const std::string& Value)
{
    FHighlightCaption = Value;
    if (FHighlightButton) FHighlightButton->Caption = Value;
}

void TSearchPanel::SetMatchCaseCaption(const std::string& Value)
{
    FMatchCaseCaption = Value;
    if (FMatchCase) FMatchCase->Caption = Value;
}

void TSearchPanel::SetFindNextHint(const std::string& Value)
{
    FFindNextHint = Value;
    SetHintOf(FForwardButton.get(), Value);
}

void TSearchPanel::SetFindPrevHint(const std::string& Value)
{
    FFindPrevHint = Value;
    SetHintOf(FBackwardButton.get(), Value);
}

void TSearchPanel::SetCloseHint(const std::string& Value)
{
    FCloseHint = Value;
    SetHintOf(FExitButton.get(), Value);
}

void TSearchPanel::SetHighlightHint(const std::string& Value)
{
    FHighlightHint = Value;
    SetHintOf(FHighlightButton.get(), Value);
}

void TSearchPanel::UpdateFrom(const TSearchFooter& Footer)
{
    const bool highlightDown = FHighlightButton && FHighlightButton->Down;
    if ((FVisible && !Footer.Visible() && highlightDown) || Footer.AlwaysHighLight) FGrid->UnHilightInGrid(false);

    Color = Footer.Color();
    FColorTo = Footer.ColorTo();
    Font.Assign(Footer.Font());
    FVisible = Footer.Visible();
    Height = FVisible ? 32 : 0;
    SetFindNextCaption(Footer.FindNextCaption());
    SetFindPrevCaption(Footer.FindPrevCaption());
    SetHighlightCaption(Footer.HighLightCaption());
    SetMatchCaseCaption(Footer.MatchCaseCaption());
    SetFindNextHint(Footer.HintFindNext());
    SetFindPrevHint(Footer.HintFindPrev());
    SetHighlightHint(Footer.HintHighlight());
    SetCloseHint(Footer.HintClose());
    if (!WindowCreated()) return;
    auto show = [](TSearchPanelControl* c, bool on, int height) {
        c->Visible = on;
        c->Height = on ? height : 0;
    };
    show(FHighlightButton.get(), Footer.ShowHighLight(), 23);
    show(FExitButton.get(), Footer.ShowClose(), 23);
    show(FMatchCase.get(), Footer.ShowMatchCase(), 18);
    show(FBackwardButton.get(), Footer.ShowFindPrev(), 23);
    show(FForwardButton.get(), Footer.ShowFindNext(), 23);
    PlaceMatchCase();
}

void TSearchPanel::Paint(TCanvas& Canvas) const
{
    const TRect r = Rect(0, 0, Width, Height);
    if (FColorTo == clNone) {
        Canvas.Brush().SetColor(Color);
        Canvas.FillRect(r);
    } else {
        DrawGradient(Canvas, Color, FColorTo, 32, r, false);
    }
    Canvas.Pen().SetWidth(1);
    Canvas.Pen().SetColor(FGrid->GridLineColor());
    Canvas.MoveTo(0, 0);
    Canvas.LineTo(Width, 0);
}
