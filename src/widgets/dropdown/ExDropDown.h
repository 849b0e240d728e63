#pragma once
// TExCustomDropDown: the base of every drop-down picker. A one-line masked
// edit with a drop-down button at its right edge that opens a frameless
// pop-up (TDropDownForm) holding the picker's control between an optional
// header and footer strip. The edit text is always Prefix + value +
// Suffix; the edit type decides what may be typed and how numbers read.
//
// Pickers customise the base only through its virtual operations, which
// the pop-up cycle calls in a fixed order: BeforeDropDown (OnBeforeDropDown),
// AdaptDropDownSize, UpdateDropDownControl, OnDropDown (may veto),
// AdjustDropDownHeight, FocusDropDownControl; closing: OnBeforeDropUp, the
// size left by the user remembered, the pop-up hidden (AfterDropUp), the
// last SetText value restored when cancelled, OnDropUp.
//
// The constructor makes the pop-up and the button (CreateDropDownForm and
// CreateDropDownButton run as the base's); a picker makes its control on
// the pop-up in its own constructor and sets it as Control.

#include "platform/MaskEdit.h"
#include "platform/SysUtils.h"
#include "widgets/GridDraw.h"
#include "widgets/GridThemes.h"
#include "widgets/dropdown/DropDownAppearance.h"
#include "widgets/dropdown/DropDownEditButton.h"
#include "widgets/dropdown/DropDownStrips.h"
#include "widgets/dropdown/ExButton.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TDropDownForm;
class TLabel;

enum TDropPosition : std::uint8_t { dpAuto, dpDown, dpUp };
enum TDropDownEditType : std::uint8_t {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};
// "lpRighBottom" is spelled so.
enum TLabelPosition : std::uint8_t {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
    lpBottomRight
};

// Kinds answered by ClassifyNumberText.
enum : int { ntInteger = 0, ntDecimal = 1, ntNotANumber = 2, ntHexOrScientific = 5 };

using TDropDownEvent = std::function<void(TControl* Sender, bool& acceptdrop)>;
using TDropUpEvent = std::function<void(TControl* Sender, bool Cancelled)>;
using TClipboardEvent = std::function<void(TControl* Sender, const std::string& value, bool& allow)>;
using TDropDownButtonItemClick = std::function<void(TControl* Sender, int ButtonIndex)>;
using TDropDownWheelEvent = std::function<void(TControl* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

class TExCustomDropDown : public TCustomMaskEdit, public IDropDownHost, public IDropDownButtonEdit {
public:
    explicit TExCustomDropDown(TWinControl* parent);
    ~TExCustomDropDown() override;
    const char* ClassName() const override { return "TExCustomDropDown"; }

    // --- text model
    // The value: the edit text without Prefix (when it begins with it) and
    // without Suffix (when it ends with it).
    std::string Text() const;
    // Formats Value by the edit type, shows Prefix + Value + Suffix,
    // remembers Value as the old text and clears the modified flag.
    virtual void SetText(const std::string& Value);
    // The whole edit text as given, nothing else.
    void SetTextDirect(const std::string& Value) { TCustomMaskEdit::SetText(Value); }
    // The whole edit text.
    std::string EditTextAll() const { return TCustomMaskEdit::Text(); }
    // Ignored while the editor is disabled or the edit is read-only.
    void SetModified(bool Value);
    bool IsModified() const { return FIsModified; }

    // --- numbers
    // 0 integer, 1 decimal (thousand separators in place), 5 hexadecimal
    // digits or scientific, 2 anything else (also the empty text).
    static int ClassifyNumberText(const std::string& S);
    // Thousand separators removed, read with the locale's decimal separator;
    // 0 when it is no number.
    static double TextToFloat(const std::string& S);
    // Hexadecimal digits summed in 64 bits (other characters count 0),
    // saturating at the largest 64-bit value.
    static std::int64_t HexToInt(const std::string& S);
    double GetFloatValue() const;
    void SetFloatValue(double X);
    void SetIntValue(std::int64_t N);

    // --- pop-up
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownForm* DropDownForm() const { return FDropDownForm.get(); }
    TDropDownEditButton* Button() const { return FButton; }

    // --- copying and version
    // From another drop-down edit: its settings (not its text, label or
    // events); from anything else nothing.
    void Assign(const TControl* Source);
    std::string Version() const;
    void SetVersion(const std::string&) {}
    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool v) override;
    bool ReadOnly() const { return TCustomMaskEdit::ReadOnly(); }
    void SetReadOnly(bool v);

    // --- properties
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
    TColor DropDownBorderColor() const override { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
    int DropDownBorderWidth() const override { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int Value) { FDropDownBorderWidth = Value; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool Value) { FForceShadow = Value; }
    // 0: automatic. A change forgets the size the user left.
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int Value);
    // The size the user left at the last closing (-1: none).
    int UserDropDownWidth() const { return FUserDropDownWidth; }
    int UserDropDownHeight() const { return FUserDropDownHeight; }
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
    int DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(int Value);
    const std::string& DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const std::string& Value);
    const TBitmap& DropDownButtonGlyph() const { return FButton->Glyph(); }
    void SetDropDownButtonGlyph(const TBitmap& Value) { FButton->SetGlyph(Value); }
    bool DropDownSizeable() const override { return FDropDownSizeable; }
    void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TExButtonAppearance& ButtonAppearance() override { return *FButtonAppearance; }
    void SetButtonAppearance(const TExButtonAppearance& Value) { FButtonAppearance->Assign(&Value); }
    THeaderAppearance& DropDownHeader() override { return *FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance& Value) { FDropDownHeader->Assign(&Value); }
    TFooterAppearance& DropDownFooter() override { return *FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance& Value) { FDropDownFooter->Assign(&Value); }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType Value);
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int Value) { FLengthLimit = static_cast<std::int16_t>(Value); }
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    const std::string& Prefix() const { return FPrefix; }
    void SetPrefix(const std::string& Value) { FPrefix = Value; }
    const std::string& Suffix() const { return FSuffix; }
    void SetSuffix(const std::string& Value) { FSuffix = Value; }
    bool Signed() const { return FSigned; }
    void SetSigned(bool Value) { FSigned = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool Value) { FCanUndo = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    const std::string& ValidChars() const { return FValidChars; }
    void SetValidChars(const std::string& Value) { FValidChars = Value; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool Value) { FFocusDraw = Value; }
    // The picker control shown in the pop-up.
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);
    // The control that takes the focus when the pop-up opens.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
    TNUVStyle GetComponentStyle() const { return FNUVStyle; }

    // --- label
    std::string LabelCaption() const;
    void SetLabelCaption(const std::string& Value);
    TLabel* EditLabel() const { return FLabel; }
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
    TFont& LabelFont() { return *FLabelFont; }
    void SetLabelFont(const TFont& Value);
    // The label follows the edit's font instead of LabelFont.
    bool ParentFontLabel() const { return FParentFnt; }
    void SetParentFontLabel(bool Value);

    // --- selection (caret positions in the whole edit text)
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // --- the drop-down and its strips (IDropDownHost, IDropDownButtonEdit)
    TCustomImageList* DropDownImages() const override { return FImages; }
    void HeaderButtonClick(int ButtonIndex) override;
    void FooterButtonClick(int ButtonIndex) override;
    void CloseDropDown(bool Cancelled) override { DoHideDropDown(Cancelled); }
    TColor EditBorderColor() const override { return FBorderColor; }
    bool EditAcceptsInput() const override { return Enabled() && !ReadOnly(); }

    // --- events
    TNotifyEvent OnBeforeDropDown;
    TDropDownEvent OnDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropUpEvent OnDropUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardPaste;
    TClipboardEvent OnClipboardCut;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    // --- the virtual operations pickers override, in the order of the
    // class library's slots
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    virtual std::uint32_t GetVersionNr() const;
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdjustDropDownHeight(int& Height);
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void UpdateDropDownControl();
    virtual void AdaptDropDownSize();
    virtual void DoHideDropDown(bool Cancelled);
    virtual void AfterDropUp();
    virtual void DropDownFormDestroyed() {}
    virtual void FormMouseWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void FormMouseWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void FormKeyPress(char32_t& Key);
    virtual void FormKeyDown(int& Key, TShiftState Shift);
    virtual void FormKeyUp(int& Key, TShiftState Shift);
    virtual void ControlKeyDown(int& Key, TShiftState Shift);
    virtual void ControlKeyUp(int& Key, TShiftState Shift);
    virtual void ControlKeyPress(char32_t& Key);
    virtual void DropDownSizing() {}
    virtual void HandleMouseWheelDown() {}
    virtual void HandleMouseWheelUp() {}
    virtual void DrawFocusedValue(TCanvas& Canvas);
    virtual void SetEditRect();
    virtual void ResizeControl();
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    virtual void DrawSelection(TCanvas& Canvas, const TRect& R, TColor BackColor, int SegmentKind);
    virtual void DrawGradientBackground(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps,
                                        const TRect& R, bool Vertical);
    virtual void SetComponentStyle(TNUVStyle AStyle);
    virtual void SetColorTones(const TColorTones& ATones);

    // The rules of the keys, the characters and the clipboard, which the
    // grid's drop-down editors also call directly.
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    // Whether the edit wants a dialog key (Escape, Enter) itself: Escape
    // with CanUndo selects the value, clears the modified flag and is
    // consumed (Key 0); Escape and Enter go to the parent form as posted
    // keys when DefaultHandling says so.
    bool WantSpecialKey(int& Key);
    // Rewrites an etMoney value with its thousand separators.
    void FormatMoneyText();

protected:
    void KeyUp(int& Key, TShiftState Shift) override;
    void Change() override;
    void WMPaste() override;
    void WMCut() override;
    void WMCopy() override;
    void AfterKey() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool MouseWheel(TShiftState Shift, int Delta, int X, int Y) override;
    void PaintAfter(TCanvas& Canvas) override;
    void Resized() override;
    bool SelectAllOnEnter(bool byMouse) const override;
    void DoEnter() override;
    void DoExit() override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    bool DoKeyDown(int& key, TShiftState shift) override;
    bool DoKeyPress(char32_t& key) override;
    void FontChanged() override;

    // The value's position: the caret limit (Prefix + value length).
    int CaretLimit() const;
    // The value as the field counts characters, and the lengths of Prefix
    // and Suffix so counted.
    WideString Value16() const;
    int PrefixLength() const;
    int SuffixLength() const;
    // The 1-based position just after the integer part of a value (its
    // length + 1), thousand separators and a sign not counted.
    int IntegerPartEnd(const WideString& V) const;
    // The caret just after the decimal separator of a value (past the
    // suffix without one).
    int DecimalSeparatorCaret(const WideString& V) const;
    // The value's decimals are all there and the caret (value index v)
    // stands among them.
    bool DecimalsFull(const WideString& V, int v) const;
    void UpdateLabelPosition();
    void DrawBorder(TCanvas& Canvas);
    bool Hot() const;

private:
    void DropDownButtonClick();
    void KeyDownRules(int& Key, TShiftState Shift);
    bool InheritedKeyDown(int& Key, TShiftState Shift);
    void ApplyCloseRule(int Key);
    void FilterChar(char32_t Key);
    // The field's own handling of a character that passed the filter: the
    // key-press step, then the field types it (Backspace deletes); false
    // when nothing was typed.
    bool PassChar(char32_t Key);
    void DeleteBack();
    void DeleteForward();
    void ToggleSign();
    bool SignedNumberType() const;
    // Puts Prefix + V + Suffix in the field as the user's own change (the
    // modified flag stays) with the caret at Caret.
    void SetValueKeepingModified(const WideString& V, int Caret);
    // The selected part of the value.
    std::string SelectedValue() const;
    TSize ControlSize() const;
    void CreateLabel();
    void WireControlKeys();

    TLabel* FLabel = nullptr;
    bool FParentFnt = false;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    TCustomImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    int FDropDownBorderWidth = 1;
    std::string FButtonHint;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownColor = clWhite;
    TColor FDropDownBorderColor = clBlack;
    int FButtonWidth = 17;
    bool FMouseInControl = false;
    bool FEtched = false;
    TWinControl* FFocusControl = nullptr;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    std::unique_ptr<TExButtonAppearance> FButtonAppearance;
    TControl* FControl = nullptr;
    TSize FControlSize{-1, -1};
    TGradientDirection FDropDownGradient = gdHorizontal;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = 0xD7FFFD;
    TColor FSelectionColorTo = 0x58D4FC;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TDropDownEditType FEditType = etString;
    std::int16_t FLengthLimit = 0;
    std::int16_t FPrecision = 0;
    std::string FPrefix;
    std::string FSuffix;
    std::string FOldString;
    bool FSigned = false;
    bool FReturnIsTab = false;
    bool FBlockChange = false;
    bool FAllowNumericNullValue = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FExcelStyleDecimalSeparator = false;
    std::string FValidChars;
    bool FBlockCopy = false;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    TRect FEditRect;
    bool FDropDownEnabled = false;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TNUVStyle FNUVStyle = tsOffice2007Luna;
    int FLabelMargin = 0;
    TLabelPosition FLabelPosition = lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    std::unique_ptr<TFont> FLabelFont;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    std::unique_ptr<TDropDownForm> FDropDownForm;
    TDropDownEditButton* FButton = nullptr;
    std::string FOldText;
    bool FDestroying = false;
    bool FHiding = false;
    // A key handed on from the pop-up (no dialog handling, no character).
    bool FForwardingKey = false;
    bool FKeyTaken = false;
    bool FAltToggled = false;
    bool FAltToggledNow = false;
    bool FButtonDown = false;
    mutable bool FSelectValueOnEnter = false;
};
