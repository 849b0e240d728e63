#pragma once
// The colours and font of the hot and the selected item of an item selector
// (the list of the detail, image and colour pickers), with a preset per
// selection colour style (SetColorStyle) and one per component style
// (ApplyItemAppearanceStyle).
//
// An item face is an upper half from Color... to Color...To and a lower
// (mirror) half from ColorMirror... to ColorMirror...To, framed by
// BorderColor with inner top and bottom lines and corner pixels in
// EdgeColor. BorderColorHot / BorderColorSelected, when not clNone, are
// the only border of a hot or selected item.

#include "platform/ClassBase.h"
#include "platform/Graphics.h"
#include "widgets/GridThemes.h"
#include "widgets/dropdown/DropDownAppearance.h"

#include <memory>

class TItemAppearance : public TPersistent {
public:
    explicit TItemAppearance(TPersistent* AOwner);
    ~TItemAppearance() override;
    std::string ClassName() const override { return "TItemAppearance"; }
    TPersistent* GetOwner() const { return FOwner; }
    // From a TItemAppearance: the twelve face colours, the font, then its
    // colour style (whose preset is written over the copied colours when
    // the styles differ), then the text and the hot/selected border
    // colours. Anything else as the base does.
    void Assign(const TPersistent* Source) override;

    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // Only a different style is stored and its preset written (scCustom
    // writes no colour).
    void SetColorStyle(TSelectionColorStyle Style);
    TFont& Font() { return *FFont; }
    const TFont& Font() const { return *FFont; }
    void SetFont(const TFont& Value) { FFont->Assign(Value); }

    TColor ColorMirrorHotTo = clNone;
    TColor BorderColor = clNone;
    TColor ColorMirrorHot = clNone;
    TColor ColorSelectedTo = clNone;
    TColor ColorSelected = clNone;
    TColor EdgeColor = clNone;
    TColor ColorHotTo = clNone;
    TColor BorderColorBottom = clNone;
    TColor ColorHot = clNone;
    TColor BorderColorTop = clNone;
    TColor ColorMirrorSelectedTo = clNone;
    TColor ColorMirrorSelected = clNone;
    TColor ColorSelectedText = clBlack;
    TColor ColorHotText = clBlack;
    TColor BorderColorHot = clNone;
    TColor BorderColorSelected = clNone;
    // Never fired by the appearance itself.
    TAppearanceNotifyEvent OnChange;

private:
    TPersistent* FOwner;
    TSelectionColorStyle FColorStyle = scCustom;
    std::unique_ptr<TFont> FFont;
};

// Writes the colours of the component style into Appearance (its colour
// style stays); nothing without an appearance or for tsCustom.
void ApplyItemAppearanceStyle(TItemAppearance* Appearance, TNUVStyle AStyle);
