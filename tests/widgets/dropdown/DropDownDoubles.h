#pragma once
// Doubles for the drop-down controls' tests: an edit that the header,
// footer and push buttons belong to (recording what they close and which
// buttons were clicked), a pop-up that records the footer's sizing, and a
// pointer that stays where a test puts it.

#include "platform/Controls.h"
#include "platform/ImgList.h"
#include "platform/Screens.h"
#include "widgets/dropdown/DropDownStrips.h"

#include <vector>

class RecordingDropDownHost : public IDropDownHost {
public:
    RecordingDropDownHost() : header(nullptr), footer(nullptr) {}
    TCustomImageList* DropDownImages() const override { return images; }
    THeaderAppearance& DropDownHeader() override { return header; }
    TFooterAppearance& DropDownFooter() override { return footer; }
    TExButtonAppearance& ButtonAppearance() override { return buttons; }
    int DropDownBorderWidth() const override { return borderWidth; }
    TColor DropDownBorderColor() const override { return borderColor; }
    bool DropDownSizeable() const override { return sizeable; }
    void HeaderButtonClick(int i) override { headerClicks.push_back(i); }
    void FooterButtonClick(int i) override { footerClicks.push_back(i); }
    void CloseDropDown(bool Cancelled) override { closes.push_back(Cancelled); }

    THeaderAppearance header;
    TFooterAppearance footer;
    TExButtonAppearance buttons;
    TCustomImageList* images = nullptr;
    int borderWidth = 1;
    TColor borderColor = clBlack;
    bool sizeable = true;
    std::vector<int> headerClicks, footerClicks;
    std::vector<bool> closes;
};

// A plain container that records the footer's sizing requests.
class RecordingSizingPanel : public TCustomControl, public IDropDownSizing {
public:
    explicit RecordingSizingPanel(TWinControl* parent) : TCustomControl(parent) {}
    const char* ClassName() const override { return "RecordingSizingPanel"; }
    void StartSizing(TPoint p) override
    {
        starts.push_back(p);
        sizing = true;
    }
    bool Sizing() const override { return sizing; }
    void SizingMove(TPoint p) override { moves.push_back(p); }
    void EndSizing() override { sizing = false; }
    std::vector<TPoint> starts, moves;
    bool sizing = false;
};

// The pointer stands where the test says (screen coordinates) while alive.
class PointerAt {
public:
    explicit PointerAt(TPoint p) : pos(p)
    {
        previous_ = SetCursorPosSource([this] { return pos; });
    }
    ~PointerAt() { SetCursorPosSource(previous_); }
    PointerAt(const PointerAt&) = delete;
    PointerAt& operator=(const PointerAt&) = delete;
    TPoint pos;

private:
    TCursorPosSource previous_;
};
