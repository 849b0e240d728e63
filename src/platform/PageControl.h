#pragma once
// The class library's page control: a tabbed container whose pages are
// tab sheets. The platform's tab widget lays out the tabs and the pages;
// controls placed on a sheet use the sheet's client coordinates.

#include "platform/Controls.h"

#include <string>

class TTabSheet;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TWinControl* parent);
    ~TPageControl() override;
    const char* ClassName() const override { return "TPageControl"; }

    int PageCount() const;
    // Checked: raises EListError outside 0..PageCount-1.
    TTabSheet* Pages(int i) const;
    TTabSheet* ActivePage() const;
    // Shows the page (it must belong to this control; others are ignored).
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    // Fired when the user switches pages.
    TNotifyEvent OnChange;

private:
    friend class TTabSheet;
    void AddSheet(TTabSheet* sheet);
    void SetSheetCaption(TTabSheet* sheet, const std::string& caption);
    bool programmatic_ = false;
    bool destroying_ = false;
};

class TTabSheet : public TWinControl {
public:
    // A new page at the end of pageControl's pages.
    explicit TTabSheet(TPageControl* pageControl);
    const char* ClassName() const override { return "TTabSheet"; }
    TPageControl* PageControl() const { return pageControl_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    int PageIndex() const;

private:
    TPageControl* pageControl_;
    std::string caption_;
};
