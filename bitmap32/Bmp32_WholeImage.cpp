// TBitmap32 whole-image transforms: roll, flips and quarter turns.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_LowLevel.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace Bmp32 {

namespace {

// BeginUpdate now, EndUpdate however the work ends.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TBitmap32& Bitmap) : FBitmap(Bitmap) { FBitmap.BeginUpdate(); }
    ~TUpdateBracket() { FBitmap.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TBitmap32& FBitmap;
};

bool InPlace(const TBitmap32* Dst, const TBitmap32* Self) {
    return !Dst || Dst == Self;
}

} // namespace

void TBitmap32::Roll(int Dx, int Dy, bool FillBack, TColor32 FillColor) {
    if (Empty() || (Dx == 0 && Dy == 0)) return;
    const int width = GetWidth();
    const int height = GetHeight();
    if (std::llabs(Dx) >= width || std::llabs(Dy) >= height) {
        if (FillBack) Clear(FillColor);
        return;
    }
    const Int64 shift = Int64(Dy) * width + Dx;
    const Int64 count = Int64(width) * height - std::llabs(shift);
    // An overlapping move: every pixel ends up Shift places further along the array.
    if (shift <= 0)
        std::memmove(FBits, FBits - shift, std::size_t(count) * sizeof(TColor32));
    else
        std::memmove(FBits + shift, FBits, std::size_t(count) * sizeof(TColor32));
    if (FillBack) {
        TRect moved = BoundsRect();
        OffsetRect(moved, Dx, Dy);
        IntersectRect(moved, moved, BoundsRect());
        if (moved.Top >= 1)
            FillRect(0, 0, width, moved.Top, FillColor);
        else
            FillRect(0, moved.Bottom, width, height, FillColor);
        if (moved.Left >= 1)
            FillRect(0, moved.Top, moved.Left, moved.Bottom, FillColor);
        else
            FillRect(moved.Right, moved.Top, width, moved.Bottom, FillColor);
    }
    Changed();
}

void TBitmap32::FlipHorz(TBitmap32* Dst) {
    const int width = GetWidth();
    const int height = GetHeight();
    if (InPlace(Dst, this)) {
        for (int y = 0; y < height; ++y) {
            TColor32* row = GetScanLine(y);
            for (int x = 0; x < width / 2; ++x)
                std::swap(row[x], row[width - 1 - x]);
        }
        Changed();
        return;
    }
    {
        TUpdateBracket update(*Dst);
        Dst->SetSize(width, height);
        for (int y = 0; y < height; ++y) {
            const TColor32* src = GetScanLine(y);
            TColor32* dst = Dst->GetScanLine(y) + width - 1;
            for (int x = 0; x < width; ++x)
                *dst-- = src[x];
        }
    }
    Dst->Changed();
}

void TBitmap32::FlipVert(TBitmap32* Dst) {
    const int width = GetWidth();
    const int height = GetHeight();
    if (InPlace(Dst, this)) {
        std::vector<TColor32> buffer(static_cast<std::size_t>(width));
        for (int y = 0; y < height / 2; ++y) {
            TColor32* upper = GetScanLine(y);
            TColor32* lower = GetScanLine(height - 1 - y);
            MoveLongword(upper, buffer.data(), width);
            MoveLongword(lower, upper, width);
            MoveLongword(buffer.data(), lower, width);
        }
        Changed();
        return;
    }
    Dst->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        MoveLongword(GetScanLine(y), Dst->GetScanLine(height - 1 - y), width);
    Dst->Changed();
}

namespace {

// Writes the quarter turn of Src into Dst (resized to Src's height by width): a clockwise
// turn takes (x, y) to (Height - 1 - y, x), a counter-clockwise one to (y, Width - 1 - x).
void WriteQuarterTurn(const TBitmap32& Src, TBitmap32& Dst, bool Clockwise) {
    const int width = Src.GetWidth();
    const int height = Src.GetHeight();
    Dst.SetSize(height, width);
    for (int y = 0; y < height; ++y) {
        const TColor32* src = Src.GetScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (Clockwise)
                Dst.SetPixel(height - 1 - y, x, src[x]);
            else
                Dst.SetPixel(y, width - 1 - x, src[x]);
        }
    }
}

void QuarterTurn(TBitmap32& Self, TBitmap32* Dst, bool Clockwise) {
    if (!InPlace(Dst, &Self)) {
        {
            TUpdateBracket update(*Dst);
            WriteQuarterTurn(Self, *Dst, Clockwise);
        }
        Dst->Changed();
        return;
    }
    TBitmap32 turned;
    turned.SetDrawMode(Self.GetDrawMode());
    turned.SetMasterAlpha(Self.GetMasterAlpha());
    turned.SetOuterColor(Self.GetOuterColor());
    // Assign copies the font too, so the turned bitmap carries this one's.
    turned.SetFont(Self.GetFont());
    WriteQuarterTurn(Self, turned, Clockwise);
    Self.Assign(&turned);
}

} // namespace

void TBitmap32::Rotate90(TBitmap32* Dst) {
    QuarterTurn(*this, Dst, true);
}

void TBitmap32::Rotate270(TBitmap32* Dst) {
    QuarterTurn(*this, Dst, false);
}

void TBitmap32::Rotate180(TBitmap32* Dst) {
    const Int64 count = Int64(GetWidth()) * GetHeight();
    if (InPlace(Dst, this)) {
        for (Int64 i = 0; i < count / 2; ++i)
            std::swap(FBits[i], FBits[count - 1 - i]);
        Changed();
        return;
    }
    Dst->SetSize(GetWidth(), GetHeight());
    TColor32* dst = Dst->GetBits();
    for (Int64 i = 0; i < count; ++i)
        dst[count - 1 - i] = FBits[i];
    Dst->Changed();
}

} // namespace Bmp32
