#pragma once
// The window of a rule frame: the title strip with the software code and
// the window's description, the grid (or a page control with one page per
// grid) between the strips, and the button strip with OK, Cancel, Delete
// Row, Insert Row, Copy Row and Paste Row (or OK and Cancel alone). Its handlers only bind the
// controls to the frame (URuleFrame.h), which does the work.

#include "rules/can_mqtt/URuleFrame.h"

#include "core/UFrame.h"
#include "core/ULanguage.h"
#include "platform/Forms.h"
#include "widgets/ExPageControl.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TRuleWindow : public TForm {
public:
    ~TRuleWindow() override;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    // The row buttons; nullptr in windows with OK and Cancel only.
    TLbButton* Btn_DelRow = nullptr;
    TLbButton* Btn_InsRow = nullptr;
    TLbButton* Btn_CopyRow = nullptr;
    TLbButton* Btn_PasteRow = nullptr;
    // Windows with several grids: one page per grid.
    TExPageControl* PageControl1 = nullptr;

    TRuleFrame& Frame() { return *frame_; }
    TExColumnGrid* Grid(int g) const;
    TExTabSheet* Sheet(int g) const;
    int GridCount() const { return static_cast<int>(grids_.size()); }
    // The grid the row buttons act on: the active page's.
    int Active_Grid() const;

    // The window's texts (caption, description, buttons, pages, headers,
    // hint lists).
    virtual void Set_Lang();
    bool Controllo_dati() { return frame_->Controllo_dati(); }
    void Btn_OKClick();
    void Btn_DelRowClick() { frame_->Delete_Row(Active_Grid()); }
    void Btn_InsRowClick() { frame_->Insert_Row(Active_Grid()); }
    void Btn_CopyRowClick() { frame_->Copy_Row(Active_Grid()); }
    void Btn_PasteRowClick() { frame_->Paste_Row(Active_Grid()); }

protected:
    // Builds the window of the description; lang: the slot whose language
    // change re-texts the window (none for windows that keep the language
    // of the program's start). The derived window calls Set_Lang once its
    // own controls exist.
    TRuleWindow(const TRuleWindowDesc& desc, std::function<std::string()> path,
                std::optional<ULanguage::TLangWindow> lang);
    // Each showing: the frame's reset and load, the first page active.
    virtual void FormShow();
    // Before writing (after a passing validation); false keeps the window open.
    virtual bool Before_Save() { return true; }
    // A double click on a cell (row, real column): header auto-size.
    virtual void DblClickCell(int g, int row, int col);
    // Whether the grid takes the keyboard focus at every showing (so that
    // typing goes into the first cell and Return does not press OK).
    bool Focus_Grid_On_Show = true;

private:
    std::unique_ptr<TRuleFrame> frame_;
    std::vector<TExColumnGrid*> grids_;  // owned by their parent controls
    std::vector<TExTabSheet*> sheets_;
    std::optional<ULanguage::TLangWindow> lang_;
};
