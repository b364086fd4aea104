// Bitmap cells: TGclTCBaseBitMap draws one glyph out of a strip held in a bitmap;
// TGclTCCustomBitMap and TGclTCBitMap take a plain bitmap as the cell data. They have
// no editor and are always read-only.
#pragma once

#include "classlib/UnitInit.h"
#include "grid/gcltcell.h"

DECLARE_UNIT(gcltcbmp)

class TBitmap;

struct TCellBitMapInfo {
    TBitmap* Bitmap;
    int GlyphCount;
    int ActiveGlyphs;
    int GlyphIndex;
};

class TGclTCBaseBitMap : public TGclBaseTableCell {
    DECLARE_CLASS(TGclTCBaseBitMap, TGclBaseTableCell)
public:
    explicit TGclTCBaseBitMap(TComponent* AOwner) : TGclBaseTableCell(AOwner) {}
    // Data is a TCellBitMapInfo or null.
    void tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                 const TGclCellAttributes& CellAttr, void* Data) override;
};

class TGclTCCustomBitMap : public TGclTCBaseBitMap {
    DECLARE_CLASS(TGclTCCustomBitMap, TGclTCBaseBitMap)
public:
    explicit TGclTCCustomBitMap(TComponent* AOwner) : TGclTCBaseBitMap(AOwner) {}
    // Data is a TBitmap or null.
    void tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                 const TGclCellAttributes& CellAttr, void* Data) override;
    void ResolveAttributes(int RowNum, int ColNum, TGclCellAttributes& CellAttr) override;
};

class TGclTCBitMap : public TGclTCCustomBitMap {
    DECLARE_CLASS(TGclTCBitMap, TGclTCCustomBitMap)
public:
    explicit TGclTCBitMap(TComponent* AOwner) : TGclTCCustomBitMap(AOwner) {}
    static void Published(TPropertyList& P);
};
