#include "widgets/GridTypes.h"

#include "platform/Controls.h"

#include <cstdint>

// --- TIntList -------------------------------------------------------------------

void TIntList::Check(int Index) const
{
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
}

void TIntList::Changed()
{
    if (OnChange) OnChange(this, FCol, FRow);
}

int TIntList::Add(int Value)
{
    items_.push_back(Value);
    Changed();
    return Count() - 1;
}

void TIntList::Insert(int Index, int Value)
{
    if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
    items_.insert(items_.begin() + Index, Value);
}

void TIntList::Delete(int Index)
{
    Check(Index);
    items_.erase(items_.begin() + Index);
    Changed();
}

void TIntList::DeleteValue(int Value)
{
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)] == Value) {
            Delete(i);
            return;
        }
}

bool TIntList::HasValue(int Value) const
{
    for (int v : items_)
        if (v == Value) return true;
    return false;
}

int TIntList::GetInteger(int Index) const
{
    Check(Index);
    return items_[static_cast<size_t>(Index)];
}

void TIntList::SetInteger(int Index, int Value)
{
    Check(Index);
    items_[static_cast<size_t>(Index)] = Value;
    Changed();
}

std::string TIntList::GetStrValue() const
{
    std::string r;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (i) r += ',';
        r += std::to_string(items_[i]);
    }
    return r;
}

namespace {

// Items of the class library's comma text: separated by commas or blanks
// (characters up to 32), double quotes group an item ("" inside is one ").
std::vector<std::string> SplitCommaText(const std::string& s)
{
    std::vector<std::string> r;
    size_t i = 0;
    const size_t n = s.size();
    auto blank = [&](size_t k) { return k < n && s[k] != '\0' && static_cast<unsigned char>(s[k]) <= 32; };
    while (blank(i)) ++i;
    while (i < n) {
        std::string item;
        if (s[i] == '"') {
            ++i;
            while (i < n) {
                if (s[i] == '"') {
                    if (i + 1 < n && s[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += s[i++];
            }
        } else {
            while (i < n && s[i] != ',' && !(static_cast<unsigned char>(s[i]) <= 32)) item += s[i++];
        }
        r.push_back(item);
        while (blank(i)) ++i;
        if (i < n && s[i] == ',') {
            ++i;
            while (blank(i)) ++i;
            if (i >= n) r.emplace_back(); // a trailing comma ends an empty item
        }
    }
    return r;
}

} // namespace

void TIntList::SetStrValue(const std::string& Value)
{
    const std::vector<std::string> parts = SplitCommaText(Value);
    items_.clear();
    for (const std::string& p : parts) Add(StrToInt(p));
}

// --- TSortIndexList ---------------------------------------------------------------

namespace {
constexpr std::uint32_t kDescending = 0x80000000u;
constexpr std::uint32_t kColumnMask = 0x7FFFFFFFu;

std::uint32_t U(int v) { return static_cast<std::uint32_t>(v); }
int I(std::uint32_t v) { return static_cast<int>(v); }

// The run-time library's Val: optional sign, decimal or "$"/"0x"
// hexadecimal; stops at the first character that does not belong to the
// number and keeps what was read.
int ReadLeadingInt(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    long long v = 0;
    auto hexDigit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    for (; i < s.size(); ++i) {
        const int d = hex ? hexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0) break;
        v = v * (hex ? 16 : 10) + d;
        if (v > 0xFFFFFFFFLL) break;
    }
    v &= 0xFFFFFFFFLL;
    const int r = static_cast<int>(static_cast<std::uint32_t>(v));
    return neg ? -r : r;
}
} // namespace

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    Add(Ascending ? ColumnIndex : I(U(ColumnIndex) | kDescending));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((U(GetInteger(i)) & kColumnMask) == U(ColumnIndex)) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    const int i = FindIndex(ColumnIndex);
    if (i >= 0) SetInteger(i, I(U(GetInteger(i)) ^ kDescending));
}

int TSortIndexList::GetSortColumns(int i) const { return I(U(GetInteger(i)) & kColumnMask); }

void TSortIndexList::SetSortColumns(int i, int Value)
{
    SetInteger(i, I((U(GetInteger(i)) & kDescending) | (U(Value) & kColumnMask)));
}

bool TSortIndexList::GetSortDirections(int i) const { return (U(GetInteger(i)) & kDescending) == 0; }

void TSortIndexList::SetSortDirections(int i, bool Value)
{
    const std::uint32_t v = U(GetInteger(i));
    SetInteger(i, I(Value ? (v & kColumnMask) : (v | kDescending)));
}

std::string TSortIndexList::SaveToString() const
{
    std::string r;
    for (int i = 0; i < Count(); ++i) {
        if (i) r += ';';
        r += GetSortDirections(i) ? 'u' : 'd';
        r += std::to_string(U(GetInteger(i)) & 0xFFFFu);
    }
    return r;
}

void TSortIndexList::LoadFromString(const std::string& s)
{
    Clear();
    size_t b = 0;
    while (b <= s.size()) {
        size_t e = s.find(';', b);
        if (e == std::string::npos) e = s.size();
        const std::string entry = s.substr(b, e - b);
        if (entry.size() >= 2) AddIndex(ReadLeadingInt(entry.substr(1)), entry[0] == 'u');
        if (e == s.size()) break;
        b = e + 1;
    }
}

// --- TControlList ---------------------------------------------------------------------

TControlList::~TControlList()
{
    while (Count() > 0) RemoveControl(0);
}

void TControlList::AddControl(int X, int Y, TObject* AObject)
{
    items_.push_back(std::make_unique<TControlItem>(X, Y, AObject));
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)]->FX == X && items_[static_cast<size_t>(i)]->FY == Y) return i;
    return -1;
}

TControlItem* TControlList::GetControl(int i) const
{
    if (i < 0 || i >= Count()) RaiseListIndexError(i);
    return items_[static_cast<size_t>(i)].get();
}

void TControlList::RemoveControl(int Index)
{
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
    items_.erase(items_.begin() + Index);
}

bool TControlList::HasHandle(const TControl* Window) const
{
    if (!Window) return false;
    for (const auto& item : items_) {
        const auto* w = dynamic_cast<const TControl*>(item->FObject);
        if (w && w == Window) return true;
    }
    return false;
}

// --- TFileStringList ----------------------------------------------------------------

void TFileStringList::ReadLn(std::string& s)
{
    s = Strings(fp);
    ++fp;
}

void TFileStringList::WriteLn(const std::string& s)
{
    Add(cache + s);
    cache.clear();
}

bool IsPermutation(const std::vector<int>& v, int n)
{
    if (static_cast<int>(v.size()) != n) return false;
    std::vector<bool> seen(v.size(), false);
    for (int x : v) {
        if (x < 0 || x >= n || seen[static_cast<size_t>(x)]) return false;
        seen[static_cast<size_t>(x)] = true;
    }
    return true;
}

// --- TFilePicture -----------------------------------------------------------------------------

void TFilePicture::Assign(const TPersistent* Source)
{
    if (const auto* s = dynamic_cast<const TFilePicture*>(Source)) {
        FFilename = s->FFilename;
        FWidth = s->FWidth;
        FHeight = s->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}

void TFilePicture::SetFilename(const std::string& Value)
{
    FFilename = Value;
    TBitmap picture;
    if (!picture.LoadFromFile(Value)) throw EInvalidGraphic("Cannot load the picture " + Value);
    FWidth = picture.Width();
    FHeight = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas& Canvas, const TRect& R) const
{
    if (FFilename.empty()) return;
    TBitmap picture;
    if (picture.LoadFromFile(FFilename)) Canvas.StretchDraw(R, picture);
}
