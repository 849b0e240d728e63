#include "widgets/dropdown/DropDownAppearance.h"

// --- buttons ---------------------------------------------------------------------------

void THeaderButton::NotifyCollection()
{
    if (auto* c = dynamic_cast<THeaderButtons*>(Collection()); c && c->OnButtonChange) c->OnButtonChange(c);
}

void THeaderButton::SetCaption(const std::string& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyCollection();
}

void THeaderButton::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    NotifyCollection();
}

void THeaderButton::SetWidth(int Value)
{
    if (FWidth == Value) return;
    FWidth = Value;
    NotifyCollection();
}

void THeaderButton::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const THeaderButton*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = s->FCaption;
    FImageIndex = s->FImageIndex;
    FEnabled = s->FEnabled;
    FWidth = s->FWidth;
    FHeight = s->FHeight;
}

void TFooterButton::NotifyCollection()
{
    if (auto* c = dynamic_cast<TFooterButtons*>(Collection()); c && c->OnButtonChange) c->OnButtonChange(c);
}

void TFooterButton::SetCaption(const std::string& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyCollection();
}

void TFooterButton::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    NotifyCollection();
}

void TFooterButton::SetWidth(int Value)
{
    if (FWidth == Value) return;
    FWidth = Value;
    NotifyCollection();
}

void TFooterButton::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFooterButton*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = s->FCaption;
    FImageIndex = s->FImageIndex;
    FModalResult = s->FModalResult;
    FEnabled = s->FEnabled;
    FWidth = s->FWidth;
    FHeight = s->FHeight;
}

THeaderButtons::THeaderButtons(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new THeaderButton(c); }), FMyOwner(AOwner)
{
}

TFooterButtons::TFooterButtons(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TFooterButton(c); }), FMyOwner(AOwner)
{
}

// --- header ------------------------------------------------------------------------------

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<THeaderButtons>(AOwner))
{
    FFont->SetName("Tahoma");
    FButtons->OnButtonChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

THeaderAppearance::~THeaderAppearance() = default;

void THeaderAppearance::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    if (OnChange) OnChange(this);
}

void THeaderAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const THeaderAppearance*>(Source);
    if (!s || s == this) return;
    ColorTo = s->ColorTo;
    Color = s->Color;
    BorderColor = s->BorderColor;
    Caption = s->Caption;
    FFont->Assign(*s->FFont);
    ImageIndex = s->ImageIndex;
    BorderWidth = s->BorderWidth;
    GradientDirection = s->GradientDirection;
    Height = s->Height;
    SetVisible(s->FVisible);
    ButtonAlignment = s->ButtonAlignment;
    FButtons->Assign(s->FButtons.get());
}

void THeaderAppearance::AssignColors(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const THeaderAppearance*>(Source);
    if (!s || s == this) return;
    ColorTo = s->ColorTo;
    Color = s->Color;
    BorderColor = s->BorderColor;
    FFont->Assign(*s->FFont);
    GradientDirection = s->GradientDirection;
}

// --- footer ------------------------------------------------------------------------------

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<TFooterButtons>(AOwner))
{
    FButtons->OnButtonChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

TFooterAppearance::~TFooterAppearance() = default;

void TFooterAppearance::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    if (OnChange) OnChange(this);
}

void TFooterAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFooterAppearance*>(Source);
    if (!s || s == this) return;
    BorderColor = s->BorderColor;
    Color = s->Color;
    ColorTo = s->ColorTo;
    GradientDirection = s->GradientDirection;
    FFont->Assign(*s->FFont);
    Caption = s->Caption;
    SizeGrip = s->SizeGrip;
    BorderWidth = s->BorderWidth;
    Height = s->Height;
    ImageIndex = s->ImageIndex;
    SetVisible(s->FVisible);
    ButtonAlignment = s->ButtonAlignment;
    FButtons->Assign(s->FButtons.get());
}

void TFooterAppearance::AssignColors(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFooterAppearance*>(Source);
    if (!s || s == this) return;
    BorderColor = s->BorderColor;
    Color = s->Color;
    ColorTo = s->ColorTo;
    GradientDirection = s->GradientDirection;
    FFont->Assign(*s->FFont);
}
