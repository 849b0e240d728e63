#pragma once
// TLbButton: the owner-drawn push button of every window. It paints its
// whole face (six styles, 3-D or flat border, a glyph from an image strip,
// a caption cut to fit, a hot-track colour while the pointer is over it
// that can fade out in eight steps) and clicks on the mouse, Enter/Space,
// its accelerator and, with Default/Cancel, on Enter/Escape anywhere on its
// form. A click fires OnClick and then gives the form the button's
// ModalResult (when not 0).
//
// The fade (SlowDecease) runs on a 30 ms timer of the GUI thread: each tick
// lowers the hot-track step by one and repaints, eight steps from full
// hot-track colour to none, then the timer stops.

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Timer.h"
#include "widgets/LbButtonFace.h"

#include <memory>
#include <string>

enum TLbColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP, lcsAqua,
    lcsDefault, lcsQuicken
};
enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TLbButton : public TCustomControl {
public:
    explicit TLbButton(TWinControl* parent);
    ~TLbButton() override;
    const char* ClassName() const override { return "TLbButton"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);

    void SetColor(TColor c) override;
    TColor LightColor() const { return lightColor_; }
    void SetLightColor(TColor c);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor c);
    TColor ColorWhenDown() const { return colorWhenDown_; }
    void SetColorWhenDown(TColor c) { colorWhenDown_ = c; }
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor c) { hotTrackColor_ = c; }
    // Applies a preset of colours and style; always reads back lcsCustom.
    TLbColorStyle ColorStyle() const { return lcsCustom; }
    void SetColorStyle(TLbColorStyle s);
    TLbButtonStyle Style() const { return style_; }
    void SetStyle(TLbButtonStyle s);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TLbButtonLayout Layout() const { return layout_; }
    void SetLayout(TLbButtonLayout l);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);

    // The image strip (normal, disabled, pressed, hot side by side).
    const TBitmap& Glyph() const { return glyph_; }
    // Copies the bitmap (nullptr clears the glyph); NumGlyphs becomes its
    // width divided by its height, Kind bkCustom.
    void SetGlyph(const TBitmap* bmp);
    // Loads the strip from a picture file; false when it cannot be read.
    bool LoadGlyphFromFile(const std::string& path, int numGlyphs = 1);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);

    TLbButtonKind Kind() const { return kind_; }
    void SetKind(TLbButtonKind k);
    int ModalResult() const { return modalResult_; }
    // Also turns Kind back to bkCustom.
    void SetModalResult(int r);

    TFont& HotTrackFont() { return hotTrackFont_; }
    void SetHotTrackFont(const TFont& f) { hotTrackFont_.Assign(f); }
    bool UseHotTrackFont() const { return useHotTrackFont_; }
    void SetUseHotTrackFont(bool v) { useHotTrackFont_ = v; }
    bool SlowDecease() const { return slowDecease_; }
    void SetSlowDecease(bool v);
    bool Default() const { return default_; }
    void SetDefault(bool v) { default_ = v; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }

    void SetEnabled(bool v) override;

    // Clicks as the user would.
    void Click() override;

    TNotifyEvent OnMouseExit;

    // State, for the window code and tests.
    bool Down() const { return bDown_; }
    bool CursorOnButton() const { return bCursorOnButton_; }
    int HotTrackStep() const { return hotTrackStep_; }
    bool FadeRunning() const { return fade_.Enabled(); }
    // One fade step (what the fade timer runs every 30 ms).
    void DoHotTrackStep();
    // Renders the face as Paint draws it into a bitmap of the button's size.
    TBitmap RenderFace();

    bool DialogKey(int key, TShiftState shift) override;
    bool DialogChar(char32_t ch) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    void FocusChanged() override;
    void Hidden() override;
    bool KeyDownMsg(int key, TShiftState shift) override;
    bool KeyUpMsg(int key, TShiftState shift) override;

private:
    void ButtonClickAction();
    void PaintNow();
    bool Hot() const;
    bool ParentShowing() const;

    std::string caption_;
    TAlignment alignment_ = TAlignment::taCenter;
    TColor shadowColor_ = clGray;
    TColor colorWhenDown_ = clNone;
    bool flat_ = false;
    bool wordWrap_ = false;
    TBitmap glyph_;
    TColor hotTrackColor_ = clNone;
    TFont hotTrackFont_;
    TLbButtonKind kind_ = bkCustom;
    TLbButtonLayout layout_ = blGlyphLeft;
    TColor lightColor_ = clWhite;
    int modalResult_ = 0;
    int numGlyphs_ = 0;
    bool useHotTrackFont_ = false;
    TLbButtonStyle style_ = bsNormal;
    bool default_ = false;
    bool cancel_ = false;
    bool slowDecease_ = false;
    bool bDown_ = false;
    bool bCursorOnButton_ = false;
    // Enter or Space went down while the button had the focus (0: none);
    // only the key-up of that key clicks.
    int keyDown_ = 0;
    int hotTrackStep_ = 0;
    TTimer fade_;
};
