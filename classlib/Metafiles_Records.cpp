#include "classlib/Metafiles_Records.h"

#include "classlib/BmpFormat.h"

#include "classlib/Platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// The widest and highest picture a record may carry.
constexpr Int64 kMaxPictureSide = 0x10000;

// A packed or split device-independent bitmap: its header and colour table in InfoSize
// bytes, and the pixels it describes within BitsSize bytes.
bool BitmapFits(const Byte* Info, Int64 InfoSize, Int64 BitsSize, unsigned Usage) {
    if (InfoSize < 40) return false;
    const Int64 headerSize = ReadLe32(Info);
    if (headerSize < 40 || headerSize > InfoSize) return false;
    const Int64 width = static_cast<std::int32_t>(ReadLe32(Info + 4));
    const Int64 height = std::llabs(static_cast<std::int32_t>(ReadLe32(Info + 8)));
    const unsigned planes = ReadLe16(Info + 12), bits = ReadLe16(Info + 14);
    const std::uint32_t compression = ReadLe32(Info + 16);
    const Int64 used = ReadLe32(Info + 32);
    if (width <= 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide || planes != 1)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const bool masks = compression == BI_BITFIELDS && (bits == 16 || bits == 32);
    if (compression != BI_RGB && !masks) return false;
    if (bits <= 8 && used > (Int64{1} << bits)) return false;
    const Int64 colours = bits <= 8 && used == 0 ? Int64{1} << bits : used;
    Int64 table = colours * (Usage == DIB_PAL_COLORS ? 2 : 4);
    if (masks && headerSize == 40) table += 12;
    if (headerSize + table > InfoSize) return false;
    const Int64 stride = (width * bits + 31) / 32 * 4;
    return stride * height <= BitsSize;
}

// One record of Size bytes: bounded reads of its fields.
struct TRecord {
    const Byte* Data;
    Int64 Size;

    bool Has(Int64 At, Int64 Bytes) const { return At >= 0 && Bytes >= 0 && At + Bytes <= Size; }
    std::uint32_t U32(Int64 At) const { return ReadLe32(Data + At); }
    unsigned U16(Int64 At) const { return ReadLe16(Data + At); }
};

// ---- Enhanced metafiles ------------------------------------------------------------------

// The least size of records whose fields are all fixed.
Int64 FixedSize(std::uint32_t Type) {
    switch (Type) {
    case EMR_SETMETARGN:
    case EMR_SAVEDC:
    case EMR_REALIZEPALETTE:
    case EMR_BEGINPATH:
    case EMR_ENDPATH:
    case EMR_CLOSEFIGURE:
    case EMR_FLATTENPATH:
    case EMR_WIDENPATH:
    case EMR_ABORTPATH: return 8;
    case EMR_SETMAPPERFLAGS:
    case EMR_SETMAPMODE:
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_RESTOREDC:
    case EMR_SETARCDIRECTION:
    case EMR_SETMITERLIMIT:
    case EMR_SELECTCLIPPATH:
    case EMR_SETICMMODE:
    case EMR_SETLAYOUT: return 12;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX:
    case EMR_OFFSETCLIPRGN:
    case EMR_MOVETOEX:
    case EMR_LINETO: return 16;
    case EMR_SETPIXELV: return 20;
    case EMR_EXCLUDECLIPRECT:
    case EMR_INTERSECTCLIPRECT:
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_EXTFLOODFILL:
    case EMR_FILLPATH:
    case EMR_STROKEANDFILLPATH:
    case EMR_STROKEPATH: return 24;
    case EMR_ANGLEARC: return 28;
    case EMR_SETCOLORADJUSTMENT:
    case EMR_SETWORLDTRANSFORM:
    case EMR_ROUNDRECT: return 32;
    case EMR_MODIFYWORLDTRANSFORM: return 36;
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO: return 40;
    default: return -1;
    }
}

class TEnhancedRecord : public TRecord {
public:
    TEnhancedRecord(const Byte* Data, Int64 Size, std::uint32_t Handles) : TRecord{Data, Size}, FHandles(Handles) {}

    bool Playable(std::uint32_t Type) const;

private:
    // A slot of the handle table that a record creates or deletes an object in (0 is the
    // metafile's own).
    bool Slot(Int64 At) const { return Has(At, 4) && U32(At) >= 1 && U32(At) < FHandles; }
    // An object a record uses: a slot, or a stock object.
    bool Object(Int64 At) const { return Has(At, 4) && ((U32(At) & 0x80000000u) || Slot(At)); }
    // Count items of ItemSize bytes from ItemsAt, the count at CountAt.
    bool Items(Int64 CountAt, Int64 ItemsAt, Int64 ItemSize) const {
        return Has(CountAt, 4) && Has(ItemsAt, Int64{U32(CountAt)} * ItemSize);
    }
    // Polygons: their count at 24, the points' at 28, the counts from 32, then the points.
    bool PolyPolygons(Int64 PointSize) const {
        if (!Has(24, 8)) return false;
        const Int64 polygons = U32(24), points = U32(28);
        if (!Has(32, polygons * 4 + points * PointSize)) return false;
        Int64 sum = 0;
        for (Int64 i = 0; i < polygons; ++i) sum += U32(32 + i * 4);
        return sum <= points;
    }
    // Region data of the size at SizeAt, from DataAt.
    bool Region(Int64 SizeAt, Int64 DataAt) const {
        if (!Has(SizeAt, 4)) return false;
        const Int64 size = U32(SizeAt);
        if (size < 32 || !Has(DataAt, size) || U32(DataAt) != 32) return false;
        return 32 + Int64{U32(DataAt + 8)} * 16 <= size;
    }
    // A bitmap whose header and bits lie at the offsets and sizes at these fields; none at all
    // when Optional and both its header's offset and size are 0 (the player goes by either).
    bool Bitmap(Int64 At, unsigned Usage, bool Optional) const {
        if (!Has(At, 16)) return false;
        const Int64 infoAt = U32(At), infoSize = U32(At + 4), bitsAt = U32(At + 8), bitsSize = U32(At + 12);
        if (Optional && infoAt == 0 && infoSize == 0) return true;
        if (!Has(infoAt, infoSize) || !Has(bitsAt, bitsSize)) return false;
        return BitmapFits(Data + infoAt, infoSize, bitsSize, Usage);
    }
    // The characters and spacings of a text record, CharSize bytes a character.
    bool Text(Int64 CharSize) const {
        const Int64 chars = U32(44), stringAt = U32(48), options = U32(52), spacingAt = U32(72);
        if (chars > 0 && !Has(stringAt, chars * CharSize)) return false;
        return spacingAt == 0 || Has(spacingAt, chars * 4 * ((options & ETO_PDY) ? 2 : 1));
    }

    std::uint32_t FHandles;
};

bool TEnhancedRecord::Playable(std::uint32_t Type) const {
    switch (Type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO: return Items(24, 28, 8);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16: return Items(24, 28, 4);
    case EMR_POLYDRAW: return Items(24, 28, 9);
    case EMR_POLYDRAW16: return Items(24, 28, 5);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON: return PolyPolygons(8);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: return PolyPolygons(4);
    case EMR_SELECTOBJECT:
    case EMR_SELECTPALETTE: return Object(8);
    case EMR_DELETEOBJECT: return Slot(8);
    case EMR_RESIZEPALETTE: return Has(8, 8) && Slot(8);
    case EMR_CREATEPEN: return Has(8, 20) && Slot(8);
    case EMR_CREATEBRUSHINDIRECT: return Has(8, 16) && Slot(8);
    case EMR_EXTCREATEFONTINDIRECTW: return Has(12, sizeof(LOGFONTW)) && Slot(8);
    case EMR_CREATEPALETTE: return Has(12, 4) && Slot(8) && Has(16, Int64{U16(14)} * 4);
    case EMR_SETPALETTEENTRIES: return Slot(8) && Items(16, 20, 4);
    case EMR_EXTCREATEPEN: return Slot(8) && Items(48, 52, 4) && Bitmap(12, DIB_RGB_COLORS, true);
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT: return Has(8, 24) && Slot(8) && Bitmap(16, U32(12), false);
    case EMR_FILLRGN: return Has(8, 24) && Slot(28) && Region(24, 32);
    case EMR_FRAMERGN: return Has(8, 32) && Slot(28) && Region(24, 40);
    case EMR_INVERTRGN:
    case EMR_PAINTRGN: return Region(24, 28);
    case EMR_EXTSELECTCLIPRGN: return Has(8, 8) && (U32(8) == 0 || Region(8, 16));
    case EMR_EXTTEXTOUTA: return Has(8, 68) && Text(1);
    case EMR_EXTTEXTOUTW: return Has(8, 68) && Text(2);
    case EMR_BITBLT: return Has(8, 92) && Bitmap(84, U32(80), true);
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT: return Has(8, 100) && Bitmap(84, U32(80), true);
    case EMR_SETDIBITSTODEVICE: return Has(8, 68) && Bitmap(48, U32(64), false);
    case EMR_STRETCHDIBITS: return Has(8, 72) && Bitmap(48, U32(64), false);
    case EMR_GDICOMMENT: return Items(8, 12, 1);
    case EMR_EOF: return Has(8, 12) && (U32(8) == 0 || Has(U32(12), Int64{U32(8)} * 4));
    default: {
        const Int64 size = FixedSize(Type);
        return size >= 0 && Size >= size;
    }
    }
}

// ---- Windows metafiles -----------------------------------------------------------------------

// The least number of parameter words of records whose parameters are all fixed.
int FixedWords(unsigned Function) {
    switch (Function) {
    case META_SAVEDC:
    case META_REALIZEPALETTE: return 0;
    case META_SETBKMODE:
    case META_SETMAPMODE:
    case META_SETROP2:
    case META_SETRELABS:
    case META_SETPOLYFILLMODE:
    case META_SETSTRETCHBLTMODE:
    case META_SETTEXTCHAREXTRA:
    case META_RESTOREDC:
    case META_SETTEXTALIGN: return 1;
    case META_SETBKCOLOR:
    case META_SETTEXTCOLOR:
    case META_SETTEXTJUSTIFICATION:
    case META_SETWINDOWORG:
    case META_SETWINDOWEXT:
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT:
    case META_OFFSETWINDOWORG:
    case META_OFFSETVIEWPORTORG:
    case META_LINETO:
    case META_MOVETO:
    case META_OFFSETCLIPRGN:
    case META_SETMAPPERFLAGS:
    case META_SETLAYOUT: return 2;
    case META_CREATEBRUSHINDIRECT:
    case META_SCALEWINDOWEXT:
    case META_SCALEVIEWPORTEXT:
    case META_EXCLUDECLIPRECT:
    case META_INTERSECTCLIPRECT:
    case META_ELLIPSE:
    case META_FLOODFILL:
    case META_RECTANGLE:
    case META_SETPIXEL: return 4;
    case META_CREATEPENINDIRECT:
    case META_EXTFLOODFILL: return 5;
    case META_ROUNDRECT:
    case META_PATBLT: return 6;
    case META_ARC:
    case META_PIE:
    case META_CHORD: return 8;
    default: return -1;
    }
}

class TWindowsRecord : public TRecord {
public:
    // Words parameters from Data, in a metafile of Objects handles.
    TWindowsRecord(const Byte* Data, Int64 Words, unsigned Objects) : TRecord{Data, Words * 2}, FObjects(Objects) {}

    bool Playable(unsigned Function) const;

private:
    Int64 Words() const { return Size / 2; }
    unsigned Word(Int64 Index) const { return U16(Index * 2); }
    bool Object(Int64 Index) const { return Index < Words() && Word(Index) < FObjects; }
    // A packed bitmap (header, colours, pixels) from parameter word Index to the end.
    bool Bitmap(Int64 Index, unsigned Usage) const {
        if (Index > Words()) return false;
        const Int64 size = Size - Index * 2;
        if (size < 40) return false;
        const Byte* info = Data + Index * 2;
        const Int64 headerSize = ReadLe32(info);
        const unsigned bits = ReadLe16(info + 14);
        const Int64 used = ReadLe32(info + 32);
        if (headerSize < 40 || headerSize > size || bits > 32 || used > 0x10000) return false;
        const Int64 colours = bits <= 8 && used == 0 ? Int64{1} << bits : used;
        const Int64 infoSize = headerSize + colours * (Usage == DIB_PAL_COLORS ? 2 : 4) +
                               (ReadLe32(info + 16) == BI_BITFIELDS && headerSize == 40 ? 12 : 0);
        return infoSize <= size && BitmapFits(info, infoSize, size - infoSize, Usage);
    }

    unsigned FObjects;
};

bool TWindowsRecord::Playable(unsigned Function) const {
    const Int64 words = Words();
    switch (Function) {
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_SELECTPALETTE:
    case META_SELECTCLIPREGION:
    case META_INVERTREGION:
    case META_PAINTREGION: return Object(0);
    case META_FILLREGION: return Object(0) && Object(1);
    case META_FRAMEREGION: return words >= 4 && Object(0) && Object(1);
    case META_CREATEFONTINDIRECT:
        // The face name, which the player reads up to its terminating zero.
        return words >= 25 && std::memchr(Data + 18, 0, 32) != nullptr;
    case META_CREATEPALETTE: return words >= 2 && 2 + Int64{Word(1)} * 2 <= words;
    case META_DIBCREATEPATTERNBRUSH: return words >= 2 && Bitmap(2, Word(1));
    case META_TEXTOUT: return words >= 1 && 1 + (Int64{Word(0)} + 1) / 2 + 2 <= words;
    case META_EXTTEXTOUT: {
        if (words < 4) return false;
        const Int64 rect = (Word(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        return 4 + rect + (Int64{Word(2)} + 1) / 2 <= words;
    }
    case META_POLYGON:
    case META_POLYLINE: return words >= 1 && 1 + Int64{Word(0)} * 2 <= words;
    case META_POLYPOLYGON: {
        if (words < 1) return false;
        const Int64 polygons = Word(0);
        if (1 + polygons > words) return false;
        Int64 points = 0;
        for (Int64 i = 0; i < polygons; ++i) points += Word(1 + i);
        return 1 + polygons + points * 2 <= words;
    }
    case META_ESCAPE: return words >= 2 && 2 + (Int64{Word(1)} + 1) / 2 <= words;
    case META_STRETCHDIB: return words >= 11 && Bitmap(11, Word(2));
    // With a picture when the record is longer than the form without one.
    case META_DIBSTRETCHBLT: return words > 9 ? Bitmap(10, DIB_RGB_COLORS) : words >= 9;
    case META_DIBBITBLT: return words > 9 ? Bitmap(8, DIB_RGB_COLORS) : words >= 9;
    default: {
        const int fixed = FixedWords(Function);
        return fixed >= 0 && words >= fixed;
    }
    }
}

} // namespace

bool EnhancedRecordsPlayable(const std::vector<Byte>& File) {
    const Int64 end = static_cast<Int64>(File.size());
    if (end < 88) return false;
    const std::uint32_t handles = ReadLe16(&File[56]);
    const auto device = [&File](std::size_t At) { return static_cast<std::int32_t>(ReadLe32(&File[At])) > 0; };
    // The player keeps the metafile in slot 0 of its handle table and scales by the device's
    // size in pixels and millimetres.
    if (handles < 1 || !device(72) || !device(76) || !device(80) || !device(84)) return false;
    Int64 at = 0;
    std::uint32_t type = 0;
    while (at < end) {
        if (end - at < 8) return false;
        type = ReadLe32(&File[static_cast<std::size_t>(at)]);
        const Int64 size = ReadLe32(&File[static_cast<std::size_t>(at + 4)]);
        if (size < 8 || size % 4 != 0 || size > end - at) return false;
        if ((at == 0) != (type == EMR_HEADER)) return false;
        if (at > 0 && !TEnhancedRecord(&File[static_cast<std::size_t>(at)], size, handles).Playable(type))
            return false;
        at += size;
    }
    return type == EMR_EOF;
}

bool WindowsRecordsPlayable(const Byte* Records, std::size_t Size, unsigned Objects) {
    const Int64 end = static_cast<Int64>(Size);
    Int64 at = 0;
    for (;;) {
        if (end - at < 6) return false;
        const Int64 bytes = Int64{ReadLe32(Records + at)} * 2;
        const unsigned function = ReadLe16(Records + at + 4);
        if (bytes < 6 || bytes > end - at) return false;
        if (function == 0) return true; // the end record
        if (!TWindowsRecord(Records + at + 6, (bytes - 6) / 2, Objects).Playable(function)) return false;
        at += bytes;
    }
}

// ---- Playing -----------------------------------------------------------------------------

namespace {

// How far from the device's origin a drawing may reach, and how high its text may be.
constexpr double kReach = 1 << 16;
constexpr int kTextReach = 1 << 12;

// The logical box from (X0, Y0) to (X1, Y1) lies within reach on DC's device.
bool BoxInReach(HDC DC, double X0, double Y0, double X1, double Y1) {
    const double limit = 1 << 24;
    if (std::fabs(X0) > limit || std::fabs(Y0) > limit || std::fabs(X1) > limit || std::fabs(Y1) > limit)
        return false;
    POINT corners[4] = {{static_cast<LONG>(X0), static_cast<LONG>(Y0)}, {static_cast<LONG>(X1), static_cast<LONG>(Y0)},
                        {static_cast<LONG>(X0), static_cast<LONG>(Y1)}, {static_cast<LONG>(X1), static_cast<LONG>(Y1)}};
    // The origin goes through too: only the extent's growth counts, not where the picture lies.
    POINT origin{0, 0};
    if (!LPtoDP(DC, corners, 4) || !LPtoDP(DC, &origin, 1)) return false;
    for (const POINT& p : corners)
        if (std::fabs(double(p.x) - origin.x) > kReach || std::fabs(double(p.y) - origin.y) > kReach) return false;
    return true;
}

// The points of a record from At, Count of them, Size bytes each (8: two 32-bit, 4: two 16-bit).
bool PointsInReach(HDC DC, const TRecord& R, Int64 At, Int64 Count, int Size) {
    if (Count <= 0) return true;
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (Int64 i = 0; i < Count; ++i) {
        const double x = Size == 8 ? static_cast<std::int32_t>(R.U32(At + i * 8)) : static_cast<std::int16_t>(R.U16(At + i * 4));
        const double y = Size == 8 ? static_cast<std::int32_t>(R.U32(At + i * 8 + 4)) : static_cast<std::int16_t>(R.U16(At + i * 4 + 2));
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    return BoxInReach(DC, x0, y0, x1, y1);
}

// A rectangle of four 32-bit fields from At.
bool RectInReach(HDC DC, const TRecord& R, Int64 At) {
    return BoxInReach(DC, static_cast<std::int32_t>(R.U32(At)), static_cast<std::int32_t>(R.U32(At + 4)),
                      static_cast<std::int32_t>(R.U32(At + 8)), static_cast<std::int32_t>(R.U32(At + 12)));
}

// The pen that strokes the next shape is no wider than the reach.
bool PenInReach(HDC DC) {
    HGDIOBJ pen = GetCurrentObject(DC, OBJ_PEN);
    double width = 0;
    EXTLOGPEN extended{};
    LOGPEN plain{};
    if (GetObjectType(pen) == OBJ_EXTPEN && GetObjectA(pen, sizeof extended, &extended) > 0)
        width = extended.elpWidth;
    else if (GetObjectA(pen, sizeof plain, &plain) > 0)
        width = plain.lopnWidth.x;
    return BoxInReach(DC, 0, 0, width, width);
}

// A destination box given as its corner and size (32-bit fields at X, Y, W, H).
bool SizedBoxInReach(HDC DC, const TRecord& R, Int64 X, Int64 Y, Int64 W, Int64 H) {
    const double x = static_cast<std::int32_t>(R.U32(X)), y = static_cast<std::int32_t>(R.U32(Y));
    return BoxInReach(DC, x, y, x + static_cast<std::int32_t>(R.U32(W)), y + static_cast<std::int32_t>(R.U32(H)));
}

bool RecordInReach(HDC DC, const ENHMETARECORD* Record) {
    const TRecord r{reinterpret_cast<const Byte*>(Record), Record->nSize};
    switch (Record->iType) {
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO: return PenInReach(DC) && RectInReach(DC, r, 8);
    case EMR_ROUNDRECT:
        return PenInReach(DC) && RectInReach(DC, r, 8) &&
               BoxInReach(DC, 0, 0, static_cast<std::int32_t>(r.U32(24)), static_cast<std::int32_t>(r.U32(28)));
    case EMR_ANGLEARC: {
        const double x = static_cast<std::int32_t>(r.U32(8)), y = static_cast<std::int32_t>(r.U32(12)), radius = r.U32(16);
        return PenInReach(DC) && BoxInReach(DC, x - radius, y - radius, x + radius, y + radius);
    }
    case EMR_MOVETOEX:
    case EMR_LINETO: return PenInReach(DC) && PointsInReach(DC, r, 8, 1, 8);
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
    case EMR_POLYDRAW: return PenInReach(DC) && PointsInReach(DC, r, 28, r.U32(24), 8);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
    case EMR_POLYDRAW16: return PenInReach(DC) && PointsInReach(DC, r, 28, r.U32(24), 4);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON: return PenInReach(DC) && PointsInReach(DC, r, 32 + Int64{r.U32(24)} * 4, r.U32(28), 8);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: return PenInReach(DC) && PointsInReach(DC, r, 32 + Int64{r.U32(24)} * 4, r.U32(28), 4);
    case EMR_STROKEPATH:
    case EMR_STROKEANDFILLPATH: return PenInReach(DC);
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT: return SizedBoxInReach(DC, r, 24, 28, 32, 36);
    case EMR_STRETCHDIBITS: return SizedBoxInReach(DC, r, 24, 28, 72, 76);
    case EMR_SETDIBITSTODEVICE: return SizedBoxInReach(DC, r, 24, 28, 40, 44);
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW: {
        TEXTMETRICA metrics{};
        return PointsInReach(DC, r, 36, 1, 8) && GetTextMetricsA(DC, &metrics) &&
               std::abs(metrics.tmHeight) <= kTextReach && std::abs(metrics.tmMaxCharWidth) <= kTextReach;
    }
    default: return true;
    }
}

int CALLBACK PlayRecordInReach(HDC DC, HANDLETABLE* Table, const ENHMETARECORD* Record, int Handles, LPARAM) {
    if (RecordInReach(DC, Record)) PlayEnhMetaFileRecord(DC, Table, Record, static_cast<UINT>(Handles));
    return TRUE;
}

} // namespace

void PlayWithinReach(HDC DC, HENHMETAFILE Metafile, const RECT& Rect) {
    EnumEnhMetaFile(DC, Metafile, &PlayRecordInReach, nullptr, &Rect);
}
