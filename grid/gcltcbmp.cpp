#include "grid/gcltcbmp.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"
#include "grid/gcltcstr.h"

REGISTER_CLASS(TGclTCBitMap);

// Nothing is drawn for a missing bitmap, an empty draw area or a negative glyph.
void TGclTCBaseBitMap::tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                               const TGclCellAttributes& CellAttr, void* Data) {
    TGclBaseTableCell::tcPaint(TableCanvas, CellRect, RowNum, ColNum, CellAttr, Data);
    auto* Info = static_cast<TCellBitMapInfo*>(Data);
    if (!Info || !Info->Bitmap || Info->GlyphIndex < 0 || CellAttr.Access == otxInvisible) return;
    int CellWidth = CellRect.Right - CellRect.Left, CellHeight = CellRect.Bottom - CellRect.Top;
    int GlyphWidth = Info->Bitmap->GetWidth();
    if (Info->GlyphCount > 1) {
        GlyphWidth /= Info->GlyphCount;
        if (Info->GlyphIndex >= Info->GlyphCount) Info->GlyphIndex = 0;
    } else {
        Info->GlyphIndex = 0;
    }
    int GlyphHeight = Info->Bitmap->GetHeight();
    int Margin = GetMargin();
    int DrawWidth = std::min(GlyphWidth, CellWidth - 2 * Margin);
    int DrawHeight = std::min(GlyphHeight, CellHeight - 2 * Margin);
    if (DrawWidth <= 0 || DrawHeight <= 0) return;
    int SrcLeft = Info->GlyphIndex * GlyphWidth;
    TRect Source(SrcLeft, 0, SrcLeft + DrawWidth, DrawHeight);
    TColor Transparent = Info->Bitmap->GetCanvas()->GetPixels(SrcLeft, GlyphHeight - 1);
    int Col = (static_cast<int>(CellAttr.Adjust) - 1) % 3, Row = (static_cast<int>(CellAttr.Adjust) - 1) / 3;
    int X = Col == 0 ? Margin : (Col == 2 ? CellWidth - DrawWidth - Margin : (CellWidth - DrawWidth) / 2);
    int Y = Row == 0 ? Margin : (Row == 2 ? CellHeight - DrawHeight - Margin : (CellHeight - DrawHeight) / 2);
    TRect Dest(CellRect.Left + X, CellRect.Top + Y, CellRect.Left + X + DrawWidth,
               CellRect.Top + Y + DrawHeight);
    TableCanvas->GetBrush()->SetColor(CellAttr.Color);
    TableCanvas->BrushCopy(Dest, Info->Bitmap, Source, Transparent);
}

void TGclTCCustomBitMap::tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                                 const TGclCellAttributes& CellAttr, void* Data) {
    if (!Data) {
        TGclTCBaseBitMap::tcPaint(TableCanvas, CellRect, RowNum, ColNum, CellAttr, nullptr);
        return;
    }
    TCellBitMapInfo Info{static_cast<TBitmap*>(Data), 1, 1, 0};
    TGclTCBaseBitMap::tcPaint(TableCanvas, CellRect, RowNum, ColNum, CellAttr, &Info);
}

void TGclTCCustomBitMap::ResolveAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr) {
    TGclTCBaseBitMap::ResolveAttributes(RowNum, ColNum, CellAttr);
    if (CellAttr.Access == otxDefault || CellAttr.Access == otxNormal) CellAttr.Access = otxReadOnly;
}

void TGclTCBitMap::Published(TPropertyList& P) {
    PublishCellProperties(P, false);
    P.Add("AcceptActivationClick", &TGclBaseTableCell::GetAcceptActivationClick,
          &TGclBaseTableCell::SetAcceptActivationClick, false);
}

DEFINE_UNIT(gcltcbmp, uoGridModules, nullptr, nullptr);
