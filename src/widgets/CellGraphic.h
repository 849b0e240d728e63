#pragma once
// The graphic a grid cell can show beside or instead of its text (check
// box, radio control, image, picture, button, progress, node ...), and the
// grid's node, column-size and size-while-typing settings.

#include "widgets/GridTypes.h"

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <string>
#include <variant>

enum TCellType : std::uint8_t {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand
};

enum TCellHAlign : std::uint8_t { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : std::uint8_t { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode : std::uint8_t { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };

// A string list a record can hold as its object (the items of a radio
// group).
class TCellStrings : public TObject, public TStringList {
public:
    std::string ClassName() const override { return "TCellStrings"; }
};

// A free value held by a record (the radio group's last selection).
using TCellVariant = std::variant<std::monostate, long long, double, bool, std::string>;

// Size of a picture object a record shows; a picture class answers it.
class IPictureSize {
public:
    virtual ~IPictureSize() = default;
    virtual int PictureWidth() const = 0;
    virtual int PictureHeight() const = 0;
};

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;
    std::string ClassName() const override { return "TCellGraphic"; }
    // Copies kind, placement, index, flags, value, angle, error mark, text
    // and the ownership flag; not the objects, the free value nor the
    // tri-state. Objects this record owns are freed first and its object
    // references cleared, so that the copied ownership flag never claims an
    // object the record did not create.
    void Assign(const TPersistent* Source) override;

    // Setters that turn a fresh record into one kind.
    void SetBitmap(TObject* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TObject* aicon, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
    void SetPicture(TObject* APicture, bool Transparent, TStretchMode StretchMode, int padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TObject* APicture, bool Transparent, TStretchMode stretchmode, int padding,
                        TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetButton(int bw, int bh, const std::string& caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const std::string& caption, TObject* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    void SetAngle(std::int16_t AAngle);
    void SetInterfacedCell(TObject* AObject);
    // Drawn size of a picture or file picture in a cell of cw x rh; any
    // other kind leaves `result` as the caller set it.
    TPoint GetPictureSize(int cw, int rh, bool hastext, TPoint result = {}) const;

    TCellType CellType = ctNone;
    TObject* CellBitmap = nullptr;
    TObject* CellIcon = nullptr;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    int CellIndex = 0;
    bool CellTransparent = false;
    bool CellCreated = false;
    bool CellBoolean = false;
    int CellAngle = 0;
    double CellValue = 0;
    int CellErrFrom = 0;
    int CellErrLen = 0;
    std::string CellText;
    TCellVariant CellVar;
    TCheckBoxState CellCheckBoxState = cbUnchecked;
    // The colours that the kinds without objects keep in the places of
    // CellBitmap and CellIcon (progress bars, pies, range indicators,
    // shapes, ratings). Plain values, like those places not copied by
    // Assign.
    TColor CellBitmapColor = 0;
    TColor CellIconColor = 0;

private:
    void ReleaseObjects();
};

// True for the check-box records the grid shares between cells; a cell
// never frees them.
inline bool IsSharedCellGraphic(const TCellGraphic* g)
{
    return g && (g->CellType == ctVirtCheckBox || g->CellType == ctRowCheckBox);
}

TCheckBoxState BoolToCheckBoxState(bool bChecked);

class TBaseGrid;

enum TNodeType : std::uint8_t { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// Look of the grid's node rows. Setters of NodeType, ShowTree, ShowTreeFull,
// TreeColor and NodeIndent repaint the grid when the value changes.
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TBaseGrid* AOwner) : FOwner(AOwner) {}
    std::string ClassName() const override { return "TCellNode"; }
    // Copies every setting (the glyphs by content) from another TCellNode;
    // any other source changes nothing.
    void Assign(const TPersistent* Source) override;

    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType v);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool v);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool v);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor v);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int v);
    const TBitmap& ExpandGlyph() const { return FExpandGlyph; }
    void SetExpandGlyph(const TBitmap& b) { FExpandGlyph.Assign(&b); }
    const TBitmap& ContractGlyph() const { return FContractGlyph; }
    void SetContractGlyph(const TBitmap& b) { FContractGlyph.Assign(&b); }

    TColor Color = 0xC0C0C0;
    TColor NodeColor = 0;
    bool ExpandOne = false;

private:
    template <class T>
    void Change(T& field, T v);
    TBaseGrid* FOwner;
    TNodeType FNodeType = cnXP;
    TBitmap FExpandGlyph;
    TBitmap FContractGlyph;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = 0x808080;
};

enum TColumnSizeLocation : std::uint8_t { clRegistry, clIniFile };
enum TAutoSizeRows : std::uint8_t { arAll, arNormal, arFixed };

// Column-size settings of the grid. Setting Stretch fires OnStretchChanged,
// through which the grid re-applies its column stretch.
class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TBaseGrid* AOwner) : Owner(AOwner) {}
    std::string ClassName() const override { return "TColumnSize"; }
    void Assign(const TPersistent* Source) override;

    bool Stretch() const { return FStretch; }
    void SetStretch(bool x);

    TBaseGrid* Owner;
    bool Save = false;
    std::string Key;
    std::string Section;
    int StretchColumn = -1;
    bool SynchWithGrid = false;
    bool SynchNormalCellsOnly = false;
    TColumnSizeLocation Location = clRegistry;
    TAutoSizeRows Rows = arAll;
    std::function<void()> OnStretchChanged;

private:
    bool FStretch = false;
};

class TSizeWhileTyping : public TPersistent {
public:
    std::string ClassName() const override { return "TSizeWhileTyping"; }
    void Assign(const TPersistent* Source) override;
    bool Height = false;
    bool Width = false;
};
