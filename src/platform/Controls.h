#pragma once
// Window controls with the shape of the class library's: absolute geometry
// (Left/Top/Width/Height in the parent's client coordinates), Caption/Text,
// Visible, Enabled, Hint, Font, Color, TabOrder, and method-pointer events
// (OnClick, OnChange, OnEnter, OnExit, OnKeyDown, OnKeyPress ...).
//
// Ownership: a control is created with its parent, `new TLabel(form)`, and
// the parent owns it from then on (it is destroyed with the parent). A
// form is owned by whoever created it.
//
// Events follow the class library:
// - TCheckBox.OnClick and TRadioButton.OnClick fire when Checked changes,
//   also when a program sets it (a radio button only when it becomes
//   checked). TEdit.OnChange and TMemo.OnChange fire on every change of the
//   text, programmatic ones included.
// - TComboBox.OnChange and TListBox.OnClick fire only on the user's choice
//   (mouse or keyboard), never when a program sets ItemIndex.
// - OnKeyDown gets the virtual key code (VK_...) and may set it to 0 to
//   swallow the key; OnKeyPress gets the character and may change it (an
//   edit then inserts the new character) or set it to 0 to swallow it.
//   A form with KeyPreview sees both before the focused control.
// - Label captions show "&&" as "&" and drop a single "&" (accelerator).
//
// All controls are used from the GUI thread only.

#include "platform/Graphics.h"
#include "platform/Input.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class TControl;
class TWinControl;
class TForm;

// --- events and small types ---------------------------------------------------

using TNotifyEvent = std::function<void(TControl* Sender)>;
// Key: the virtual key code (VK_..., see Input.h); may be set to 0.
using TKeyEvent = std::function<void(TControl* Sender, int& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TControl* Sender, char32_t& Key)>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBevelCut { bvNone, bvLowered, bvRaised };
enum class TComboBoxStyle { csDropDown, csDropDownList };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TShapeType { stRectangle, stSquare, stRoundRect, stEllipse, stCircle };

// --- string lists bound to a control --------------------------------------------

// The item list of a combo box or list box, the lines of a memo. Index
// checks raise EListError like TStringList.
class TStrings {
public:
    virtual ~TStrings() = default;
    virtual int Count() const = 0;
    virtual std::string Strings(int i) const = 0;
    virtual void Put(int i, const std::string& s) = 0;
    virtual void Insert(int i, const std::string& s) = 0;
    virtual void Delete(int i) = 0;
    virtual void Clear() = 0;
    int Add(const std::string& s)
    {
        Insert(Count(), s);
        return Count() - 1;
    }
    // Index of the first entry equal to s ignoring case, -1 when none.
    int IndexOf(const std::string& s) const;
    void Assign(const std::vector<std::string>& items);
    std::vector<std::string> ToVector() const;
    // Entries joined with LF after each.
    std::string Text() const;
    // Replaces the entries by the lines of text (CR, LF or CR LF).
    void SetText(const std::string& text);
};

// --- base classes ----------------------------------------------------------------

class TControl {
public:
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    // The class name, as the class library's ClassName ("TEdit", "TLbButton").
    virtual const char* ClassName() const = 0;

    std::string Name;
    int Tag = 0;

    TWinControl* Parent() const { return parent_; }
    // Moves the control onto another parent (the class library's Parent
    // write); it keeps its Left and Top, now in the new parent's client
    // area, and the new parent owns it. Nothing for nullptr or the present
    // parent.
    void SetParent(TWinControl* parent);
    // The form this control is on (itself for a form).
    TForm* ParentForm() const;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    virtual void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // True when the control and all its parents are visible and the form shows.
    bool Showing() const;

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& s);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);

    // The control's font. Until it is changed, a control uses its parent's
    // font (ParentFont); the first call of the non-const Font() gives the
    // control a font of its own, and every change of it applies at once.
    const TFont& Font() const;
    TFont& Font();
    void SetFont(const TFont& f);

    TColor Color() const { return color_; }
    virtual void SetColor(TColor c);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c);

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int v);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);

    bool CanFocus() const;
    void SetFocus();
    bool Focused() const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign a);
    unsigned Anchors() const { return anchors_; }
    void SetAnchors(unsigned a);

    void Invalidate();
    void Repaint();
    void BringToFront();

    // Runs a click as the user would: fires OnClick.
    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // The Qt widget behind the control (for the platform layer only).
    QWidget* Widget() const { return widget_; }

    struct Impl;

protected:
    // widget: the Qt widget, created by the derived class; this control takes
    // it over and puts it into the parent's client area (parent may be null
    // for a form).
    TControl(TWinControl* parent, QWidget* widget);
    // Forms are created without a widget and attach it from their constructor.
    void AttachWidget(QWidget* widget);

    // Called by the event hook; a control that reacts on its own overrides.
    virtual void DoEnter();
    virtual void DoExit();
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    // Key handling before the widget sees the key; true swallows it.
    virtual bool DoKeyDown(int& key, TShiftState shift);
    virtual bool DoKeyPress(char32_t& key);
    virtual bool DoKeyUp(int& key, TShiftState shift);
    // A mouse click on a control without a click of its own (label, image,
    // panel, shape).
    virtual bool ClicksOnMouse() const { return false; }
    // Applies the own font to the widget (and re-measures labels).
    virtual void FontChanged();

    friend class TWinControl;
    friend class TForm;
    friend class ControlHook;

    TWinControl* parent_ = nullptr;
    QWidget* widget_ = nullptr;
    std::unique_ptr<Impl> impl_;
    bool visible_ = true;
    bool enabled_ = true;
    bool showHint_ = false;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    std::string hint_;
    TColor color_ = clBtnFace;
    TCursor cursor_ = crDefault;
    TAlign align_ = TAlign::alNone;
    unsigned anchors_ = akLeft | akTop;
    // Distances to the parent's right and bottom edges kept by anchors.
    int anchorRight_ = 0;
    int anchorBottom_ = 0;
};

// A control that holds other controls.
class TWinControl : public TControl {
public:
    ~TWinControl() override;
    int ControlCount() const { return static_cast<int>(children_.size()); }
    // Checked: raises EListError outside 0..ControlCount-1.
    TControl* Controls(int i) const;
    // Every control on it, children first-level first then theirs (depth first).
    void ForEachControl(const std::function<void(TControl*)>& fn) const;
    // Lays out aligned and anchored children for the current client size.
    void Realign();
    // The widget that holds the children's widgets (the control's own
    // widget, or its client area where it has a frame around one).
    virtual QWidget* ClientWidget() const { return widget_; }
    // True when this control or a control on it has the keyboard focus.
    bool ContainsFocus() const;

protected:
    TWinControl(TWinControl* parent, QWidget* widget);
    // The part of the client area that aligned children share (the class
    // library's AdjustClientRect); the whole client area by default.
    virtual TRect AlignRect() const;

private:
    friend class TControl;
    void Adopt(TControl* child);
    void Release(TControl* child);
    std::vector<TControl*> children_;
    bool destroying_ = false;
};

// --- standard controls ----------------------------------------------------------------

class TLabel : public TControl {
public:
    explicit TLabel(TWinControl* parent);
    const char* ClassName() const override { return "TLabel"; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    // AutoSize (default true): the label takes the size of its text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    void SetWordWrap(bool v);
    void SetAlignment(TAlignment a);
    // Transparent (default true): the parent's background shows through.
    void SetTransparent(bool v);
    void SetColor(TColor c) override;

protected:
    bool ClicksOnMouse() const override { return true; }

private:
    void Fit();
    std::string caption_;
    bool autoSize_ = true;
    bool wordWrap_ = false;
};

// A label that shows links written as <a href="target">text</a>. Its
// caption is marked-up text: a text that is not the program's own mark-up
// (a text of the UI text table, a user's value) goes in through HtmlEscape.
class TLinkLabel : public TControl {
public:
    explicit TLinkLabel(TWinControl* parent);
    const char* ClassName() const override { return "TLinkLabel"; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    // Sender and the link's target; nothing is opened by the label itself.
    std::function<void(TControl* Sender, const std::string& Link)> OnLinkClick;
    // Runs OnLinkClick for the first link of the caption (for programs and tests).
    void ClickLink();

private:
    std::string caption_;
};

class TEdit : public TControl {
public:
    explicit TEdit(TWinControl* parent);
    const char* ClassName() const override { return "TEdit"; }
    std::string Text() const;
    void SetText(const std::string& s);
    // 0 = no limit (the default).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    // A character shown in place of every typed one (0 = none).
    void SetPasswordChar(char c);
    void SelectAll();
    TNotifyEvent OnChange;

    // Types text as the user would: every character goes through OnKeyDown /
    // OnKeyPress and is inserted at the cursor (for tests and macros).
    void TypeText(const std::string& text);
    void TypeKey(int virtualKey);

protected:
    bool DoKeyPress(char32_t& key) override;

private:
    int maxLength_ = 0;
};

class TMemo : public TControl {
public:
    explicit TMemo(TWinControl* parent);
    ~TMemo() override;
    const char* ClassName() const override { return "TMemo"; }
    TStrings& Lines();
    std::string Text() const;
    void SetText(const std::string& s);
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    void SetWordWrap(bool v);
    void SetScrollBars(TScrollStyle s);
    TNotifyEvent OnChange;

private:
    struct MemoLines;
    std::unique_ptr<MemoLines> lines_;
};

class TComboBox : public TControl {
public:
    explicit TComboBox(TWinControl* parent);
    ~TComboBox() override;
    const char* ClassName() const override { return "TComboBox"; }
    TStrings& Items();
    int ItemIndex() const;
    // -1 clears the choice; an index outside the list raises EListError.
    void SetItemIndex(int i);
    // The chosen item's text (or the typed text of a csDropDown box).
    std::string Text() const;
    void SetText(const std::string& s);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle s);
    void SetDropDownCount(int n);
    // Items the open list shows at once.
    int DropDownCount() const;
    // Width of the open list (never below the box's); 0: the box's width.
    int DroppedWidth() const { return droppedWidth_; }
    void SetDroppedWidth(int w);
    // The open list's right edge on the box's right edge: a list wider
    // than the box opens leftwards.
    bool DropLeftwards() const { return dropLeftwards_; }
    void SetDropLeftwards(bool v) { dropLeftwards_ = v; }
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // The open list's rectangle in the box's client coordinates (empty
    // while it is closed).
    TRect DroppedRect() const;
    // Chooses item i as the user would (fires OnChange when it changes).
    void UserSelect(int i);
    TNotifyEvent OnChange;

    struct QtCombo;

private:
    struct ComboItems;
    std::unique_ptr<ComboItems> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    bool programmatic_ = false;
    int droppedWidth_ = 0;
    bool dropLeftwards_ = false;
};

class TListBox : public TControl {
public:
    explicit TListBox(TWinControl* parent);
    ~TListBox() override;
    const char* ClassName() const override { return "TListBox"; }
    TStrings& Items();
    int ItemIndex() const;
    void SetItemIndex(int i);
    // Selects item i as the user would (fires OnClick).
    void UserSelect(int i);

private:
    struct ListItems;
    std::unique_ptr<ListItems> items_;
    bool programmatic_ = false;
};

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TWinControl* parent);
    const char* ClassName() const override { return "TCheckBox"; }
    std::string Caption() const;
    void SetCaption(const std::string& s);
    bool Checked() const;
    void SetChecked(bool v);
    // Toggles as a user click does.
    void Click() override;
};

class TRadioButton : public TControl {
public:
    explicit TRadioButton(TWinControl* parent);
    const char* ClassName() const override { return "TRadioButton"; }
    std::string Caption() const;
    void SetCaption(const std::string& s);
    bool Checked() const;
    void SetChecked(bool v);
    void Click() override;
};

class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl* parent);
    const char* ClassName() const override { return "TPanel"; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    void SetBevelOuter(TBevelCut b);
    void SetColor(TColor c) override;
    // ParentBackground false: the panel paints its own Color.
    void SetParentBackground(bool v);

protected:
    bool ClicksOnMouse() const override { return true; }

private:
    std::string caption_;
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TWinControl* parent);
    const char* ClassName() const override { return "TGroupBox"; }
    std::string Caption() const;
    void SetCaption(const std::string& s);
};

// A rectangle, rounded rectangle or ellipse drawn with a pen and a brush.
class TShape : public TControl {
public:
    explicit TShape(TWinControl* parent);
    const char* ClassName() const override { return "TShape"; }
    void SetShape(TShapeType s);
    void SetPenColor(TColor c);
    void SetPenWidth(int w);
    // Brush colour; SetBrushClear(true) leaves the inside unfilled.
    void SetBrushColor(TColor c);
    void SetBrushClear(bool clear);

    TShapeType Shape() const { return shape_; }
    TColor PenColor() const { return penColor_; }
    int PenWidth() const { return penWidth_; }
    TColor BrushColor() const { return brushColor_; }
    bool BrushClear() const { return brushClear_; }

protected:
    bool ClicksOnMouse() const override { return true; }

private:
    TShapeType shape_ = TShapeType::stRectangle;
    TColor penColor_ = clBlack;
    int penWidth_ = 1;
    TColor brushColor_ = clWhite;
    bool brushClear_ = false;
};

// A picture loaded from a file (BMP, PNG, JPEG).
class TImage : public TControl {
public:
    explicit TImage(TWinControl* parent);
    const char* ClassName() const override { return "TImage"; }
    // False when the file is missing or no picture.
    bool LoadFromFile(const std::string& path);
    // Shows a copy of the bitmap; Picture gives what is shown (empty when
    // nothing is).
    void SetPicture(const TBitmap& picture);
    TBitmap Picture() const;
    void Clear();
    bool Empty() const;
    int PictureWidth() const;
    int PictureHeight() const;
    void SetStretch(bool v);
    void SetCenter(bool v);

protected:
    bool ClicksOnMouse() const override { return true; }
};

// Base of owner-drawn controls: paints itself in Paint and gets the mouse,
// the keys and the focus changes through the virtual methods below. The
// mouse-up of a press is delivered to the control even when released
// outside it (mouse capture).
class TCustomControl : public TWinControl {
public:
    // The canvas of the control; valid only inside Paint.
    TCanvas& Canvas();
    // Dialog keys: Enter, Escape and Ctrl+Tab (with or without Shift)
    // pressed anywhere on the form that the focused control did not take;
    // true marks the key handled.
    virtual bool DialogKey(int key, TShiftState shift);
    // Dialog characters: a character typed on the form (with Alt, or when
    // the focused control takes no text); true marks it handled.
    virtual bool DialogChar(char32_t ch);

protected:
    explicit TCustomControl(TWinControl* parent);
    virtual void Paint() {}
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // MouseMove also while no button is held (off by default).
    void SetMouseTracking(bool on);
    // A turn of the wheel over the control (delta 120 a notch away from the
    // user); false passes it on to the parent.
    virtual bool MouseWheel(TShiftState shift, int delta, int x, int y);
    // After every change of the size (aligned children already placed).
    virtual void Resized() {}
    // Whether a click gives the control the focus (default true); without,
    // the focus comes only by Tab (with TabStop) and SetFocus. Call it after
    // SetTabStop.
    void SetFocusOnClick(bool on);
    // The control got or lost the focus.
    virtual void FocusChanged() {}
    // The control stopped showing (hidden itself, or with a parent or its form).
    virtual void Hidden() {}
    // A key reached the focused control (after OnKeyDown); true takes it,
    // false passes it on to the form (dialog keys and characters).
    virtual bool KeyDownMsg(int key, TShiftState shift);
    virtual bool KeyUpMsg(int key, TShiftState shift);

private:
    friend class CustomWidget;
    TCanvas* canvas_ = nullptr;
};

// True when the caption's accelerator (the character after a single "&")
// is ch, ignoring case.
bool IsAccel(char32_t ch, const std::string& caption);
// The caption as shown: "&&" becomes "&", a single "&" is dropped.
std::string StripAccel(const std::string& caption);

// The text as it stands, for a marked-up caption: "&", "<", ">" and the
// quotes become character references, so nothing in it is a tag or a link.
std::string HtmlEscape(const std::string& text);
