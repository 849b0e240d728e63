#pragma once
// The grid's floating footer: a strip below the cells that keeps the last
// row in view as a summary row whose cells are calculated from their
// columns, previews the current row (one cell or a mini-HTML template), or
// is painted by the application.
//
// TFloatingFooter holds the settings (the grid's FloatingFooter); the strip
// itself is TFooterPanel, which the grid makes with height 0 and which
// takes the footer's height while the footer is visible. On a grid with a
// window the panel is a strip of that window right below the cells (the
// cell area makes room for it); it paints onto a canvas it is given and
// takes the mouse in its own pixels (0, 0 at its top-left corner).

#include "platform/ClassBase.h"
#include "platform/Graphics.h"
#include "widgets/BaseGrid.h"

#include <functional>
#include <string>

class TExStringGrid;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

using TFooterCalcEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;

class TFooterPanel : public TObject {
public:
    explicit TFooterPanel(TExStringGrid* AGrid);
    ~TFooterPanel() override;
    TFooterPanel(const TFooterPanel&) = delete;
    TFooterPanel& operator=(const TFooterPanel&) = delete;
    std::string ClassName() const override { return "TFooterPanel"; }
    TExStringGrid* Grid() const { return FGrid; }

    int Height = 0;
    bool Visible = false;
    // The strip shows column hints.
    bool ShowHint = false;
    // Asks for a repaint (the strip on the grid's window, and OnInvalidate).
    std::function<void()> OnInvalidate;
    void Invalidate();
    // Shows the strip on the grid's window as Visible and Height say (no
    // strip while hidden or 0 high).
    void UpdateWindow();

    // The window is made: the height follows the footer, then the grid's
    // OnCreatedFloatingFooter.
    void CreateWnd();
    // Paints the strip, Width x Height pixels, onto ACanvas.
    void Paint(TCanvas& ACanvas, int Width);
    // The displayed column under X (fixed columns, then the scrolled ones
    // from the grid's left column), -1 beyond the last one.
    int ColumnAt(int X) const;
    // The mouse released at X: the grid's OnClick, then OnClickCell with the
    // last row and the column under X.
    void MouseUp(int X, int Y);
    // The hint of the column under X (empty when no hint is to show).
    std::string HintShow(int X);
    // The mouse moved to X: a hint shown for another column is withdrawn
    // (OnCancelHint), the new column remembered.
    void MouseMove(int X, int Y);
    void MouseLeave();
    int LastHintCol() const { return FLastHintCol; }
    std::function<void()> OnCancelHint;

private:
    // Sum of the widths of the fixed columns and of the columns from the
    // left column to the last.
    int VisibleColumnsWidth() const;
    TExStringGrid* FGrid;
    int FLastHintCol = -1;
    // What the grid's window calls for the strip.
    TGridStrip FStrip;
};

class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TExStringGrid* AGrid);
    std::string ClassName() const override { return "TFloatingFooter"; }
    void Assign(const TPersistent* Source) override;

    int Height() const { return FHeight; }
    void SetHeight(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    const std::string& CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
    bool CalculateHiddenRows = true;
    TFooterCalcEvent OnCalcFooter;

    // The calculation of a column (real index): that of its last-row cell,
    // acNONE when the cell has no properties.
    TColumnCalcType GetColumnCalc(int ACol) const;
    // Sets it (creating the cell's properties) and recalculates the column.
    void SetColumnCalc(int ACol, TColumnCalcType Value);
    void Invalidate();

    // The template with each "<#n>" replaced by the text of column n in the
    // current row: a placeholder that is no number, or a column the grid
    // does not have, gives nothing; "<#" without ">" stays as it is.
    std::string ExpandTemplate(const std::string& Template) const;

private:
    TExStringGrid* FGrid;
    int FHeight = 0;
    bool FVisible = false;
    TColor FColor = clBtnFace;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    int FColumn = 0;
    std::string FCustomTemplate;
    bool FShowHint = false;
    TColor FBorderColor = clNone;
    bool FEnableCalculation = true;
};
