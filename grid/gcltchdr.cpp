#include "grid/gcltchdr.h"

#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

REGISTER_CLASS(TGclTCColHead);
REGISTER_CLASS(TGclTCRowHead);

AnsiString ColumnLetters(int N) {
    AnsiString Text;
    while (N > 0) {
        Text.insert(Text.begin(), static_cast<char>('A' + (N - 1) % 26));
        N = (N - 1) / 26;
    }
    return Text;
}

namespace {

// The place of a Size-wide mark in a cell by the 3-by-3 adjustment.
TPoint MarkOrigin(TGclTblAdjust Adjust, int Width, int Height, int Size, int Margin) {
    int Col = (static_cast<int>(Adjust) - 1) % 3, Row = (static_cast<int>(Adjust) - 1) / 3;
    int X = Col == 0 ? Margin : (Col == 2 ? Width - Margin - Size : (Width - Size) / 2);
    int Y = Row == 0 ? Margin : (Row == 2 ? Height - Margin - Size : (Height - Size) / 2);
    return TPoint(X, Y);
}

void FillTriangle(TCanvas* Canvas, TColor Color, std::initializer_list<TPoint> Points) {
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetColor(Color);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->Polygon(Points);
}

} // namespace

// ---- Column heading ----------------------------------------------------------------------

TGclTCColHead::TGclTCColHead(TComponent* AOwner)
    : TGclTCBaseString(AOwner), FHeadings(std::make_unique<TStringList>()) {
    SetAccess(otxReadOnly);
    SetUseASCIIZStrings(false);
}

void TGclTCColHead::SetHeadings(TStrings* Value) {
    FHeadings->Assign(Value);
    tcDoCfgChanged();
}

void TGclTCColHead::SetShowActiveCol(bool Value) {
    if (Value == FShowActiveCol) return;
    FShowActiveCol = Value;
    tcDoCfgChanged();
}

void TGclTCColHead::SetShowLetters(bool Value) {
    if (Value == FShowLetters) return;
    FShowLetters = Value;
    tcDoCfgChanged();
}

void TGclTCColHead::tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                            const TGclCellAttributes& CellAttr, void* Data) {
    TGclCellAttributes Attr = CellAttr;
    int LockedCols = GetTable() ? tcRetrieveTableLockedCols() : 0;
    int ActiveCol = GetTable() ? tcRetrieveTableActiveCol() : -1;
    if (!GetTableColor()) Attr.Color = GetColor();
    if (!GetTableFont()) {
        if (Attr.Font) Attr.Font->Assign(GetFont());
        Attr.FontColor = GetFont()->GetColor();
    }
    if (FShowActiveCol && ColNum == ActiveCol) {
        unsigned char Empty = 0;
        TGclTCBaseString::tcPaint(TableCanvas, CellRect, RowNum, ColNum, Attr, &Empty);
        int W = CellRect.Right - CellRect.Left, H = CellRect.Bottom - CellRect.Top;
        int Size = std::min(W, H) / 3;
        TPoint O = MarkOrigin(Attr.Adjust, W, H, Size, GetMargin());
        int X = CellRect.Left + O.X, Y = CellRect.Top + O.Y;
        FillTriangle(TableCanvas, Attr.Font ? Attr.Font->GetColor() : Attr.FontColor,
                     {TPoint(X, Y), TPoint(X + Size, Y), TPoint(X + Size / 2, Y + Size)});
        return;
    }
    AnsiString Caption;
    if (!FShowLetters) {
        if (Data) {
            auto* Short = static_cast<const unsigned char*>(Data);
            Caption.assign(reinterpret_cast<const char*>(Short + 1), Short[0]);
        } else if (ColNum >= 0 && ColNum < FHeadings->GetCount()) {
            Caption = FHeadings->Get(ColNum).substr(0, 255);
        }
    } else {
        Caption = ColumnLetters(ColNum - LockedCols + 1);
    }
    unsigned char Short[256];
    Short[0] = static_cast<unsigned char>(Caption.size());
    std::copy(Caption.begin(), Caption.end(), Short + 1);
    bool WasASCIIZ = GetUseASCIIZStrings();
    if (WasASCIIZ) {
        Short[1 + Caption.size()] = 0;
        TGclTCBaseString::tcPaint(TableCanvas, CellRect, RowNum, ColNum, Attr, Short + 1);
    } else {
        TGclTCBaseString::tcPaint(TableCanvas, CellRect, RowNum, ColNum, Attr, Short);
    }
}

void TGclTCColHead::chColumnsChanged(int ColNum1, int ColNum2, TGclTblActions Action) {
    int Count = FHeadings->GetCount();
    switch (Action) {
    case taInsert:
        if (ColNum1 >= 0 && ColNum1 < Count)
            FHeadings->Insert(ColNum1, "");
        else if (ColNum1 == Count)
            FHeadings->Add("");
        break;
    case taDelete:
        if (ColNum1 >= 0 && ColNum1 < Count) FHeadings->Delete(ColNum1);
        break;
    case taExchange: {
        int M = std::max(ColNum1, ColNum2);
        if (Count > 0)
            while (FHeadings->GetCount() <= M) FHeadings->Add("");
        if (ColNum1 >= 0 && ColNum2 >= 0 && FHeadings->GetCount() > 0) {
            AnsiString A = FHeadings->Get(ColNum1);
            FHeadings->Put(ColNum1, FHeadings->Get(ColNum2));
            FHeadings->Put(ColNum2, A);
        }
        break;
    }
    default:
        break;
    }
}

void TGclTCColHead::Published(TPropertyList& P) {
    using H = TGclTCColHead;
    PublishCellProperties(P, true);
    P.Add("Headings", &H::GetHeadings, &H::SetHeadings);
    P.Add("ShowActiveCol", &H::GetShowActiveCol, &H::SetShowActiveCol, false);
    P.Add("ShowLetters", &H::GetShowLetters, &H::SetShowLetters, true);
    P.Add("UseWordWrap", &TGclTCBaseString::GetUseWordWrap, &TGclTCBaseString::SetUseWordWrap, false);
    P.Add("UseASCIIZStrings", &TGclTCBaseString::GetUseASCIIZStrings,
          &TGclTCBaseString::SetUseASCIIZStrings, false);
}

// ---- Row heading -----------------------------------------------------------------------------

TGclTCRowHead::TGclTCRowHead(TComponent* AOwner) : TGclTCBaseString(AOwner) {
    SetAccess(otxReadOnly);
    SetUseASCIIZStrings(false);
    SetUseWordWrap(false);
}

void TGclTCRowHead::SetShowActiveRow(bool Value) {
    if (Value == FShowActiveRow) return;
    FShowActiveRow = Value;
    tcDoCfgChanged();
}

void TGclTCRowHead::SetShowNumbers(bool Value) {
    if (Value == FShowNumbers) return;
    FShowNumbers = Value;
    tcDoCfgChanged();
}

void TGclTCRowHead::tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                            const TGclCellAttributes& CellAttr, void*) {
    int LockedRows = GetTable() ? tcRetrieveTableLockedRows() : 0;
    int ActiveRow = GetTable() ? tcRetrieveTableActiveRow() : -1;
    unsigned char Short[32] = {0};
    if (FShowActiveRow && RowNum == ActiveRow) {
        TGclTCBaseString::tcPaint(TableCanvas, CellRect, RowNum, ColNum, CellAttr, Short);
        int W = CellRect.Right - CellRect.Left, H = CellRect.Bottom - CellRect.Top;
        int Size = std::min(W - 8, H / 3);
        TPoint O = MarkOrigin(CellAttr.Adjust, W, H, Size, GetMargin());
        int X = CellRect.Left + O.X, Y = CellRect.Top + O.Y;
        FillTriangle(TableCanvas, CellAttr.Font ? CellAttr.Font->GetColor() : CellAttr.FontColor,
                     {TPoint(X + Size, Y + Size / 2), TPoint(X, Y), TPoint(X, Y + Size)});
        return;
    }
    AnsiString Caption = FShowNumbers ? Format("%d", RowNum + 1 - LockedRows) : AnsiString();
    Short[0] = static_cast<unsigned char>(Caption.size());
    std::copy(Caption.begin(), Caption.end(), Short + 1);
    TGclTCBaseString::tcPaint(TableCanvas, CellRect, RowNum, ColNum, CellAttr, Short);
}

void TGclTCRowHead::Published(TPropertyList& P) {
    using H = TGclTCRowHead;
    PublishCellProperties(P, true);
    P.Add("ShowActiveRow", &H::GetShowActiveRow, &H::SetShowActiveRow, false);
    P.Add("ShowNumbers", &H::GetShowNumbers, &H::SetShowNumbers, true);
}

DEFINE_UNIT(gcltchdr, uoGridModules, nullptr, nullptr);
