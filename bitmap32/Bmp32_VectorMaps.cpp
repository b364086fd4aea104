// Vector maps: cell access, bilinear reads and writes, merging, trimming and mesh files.
#include "bitmap32/Bmp32_VectorMaps.h"

#include "bitmap32/Bmp32_Math.h"
#include "classlib/Paths.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace Bmp32 {

namespace {

TFixedPoint Lerp(const TFixedPoint& A, const TFixedPoint& B, TFixed W) {
    return {A.X + FixedMul(B.X - A.X, W), A.Y + FixedMul(B.Y - A.Y, W)};
}

TFloatPoint ToFloat(const TFixedPoint& P) {
    return {float(P.X * FixedToFloat), float(P.Y * FixedToFloat)};
}

TFixedPoint ToFixed(const TFloatPoint& P) {
    return {Fixed(P.X), Fixed(P.Y)};
}

constexpr char MeshIdentifier[] = "yfqLhseM";
constexpr int MeshHeaderSize = 24;
const char* const BadMeshFormat = "Bad format - Photoshop .msh expected!";

} // namespace

TFixed ProgressStep(int Count) {
    return Count > 1 ? Fixed(1.0f / float(Count - 1)) : 0;
}

TVectorMap::~TVectorMap() {
    Lock();
    SetSize(0, 0);
    Unlock();
}

void TVectorMap::SetVectorCombineMode(TVectorCombineMode Value) {
    if (Value == FVectorCombineMode) return;
    FVectorCombineMode = Value;
    Changed();
}

void TVectorMap::Clear() {
    std::fill(FVectors.begin(), FVectors.end(), TFixedPoint{0, 0});
}

bool TVectorMap::Empty() const {
    return GetWidth() == 0 || GetHeight() == 0 || FVectors.empty();
}

void TVectorMap::ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) {
    FVectors.clear();
    FVectors.shrink_to_fit();
    Width = 0;
    Height = 0;
    if (NewWidth >= 1 && NewHeight >= 1) {
        try {
            FVectors.assign(std::size_t(NewWidth) * std::size_t(NewHeight), TFixedPoint{0, 0});
        } catch (const std::bad_alloc&) {
            throw Exception("Can't allocate VectorMap!");
        } catch (const std::length_error&) {
            throw Exception("Can't allocate VectorMap!");
        }
    }
    Width = NewWidth;
    Height = NewHeight;
}

TFixedPoint TVectorMap::GetFixedVectorS(int X, int Y) const {
    return Contains(X, Y) ? GetFixedVector(X, Y) : TFixedPoint{0, 0};
}

void TVectorMap::SetFixedVectorS(int X, int Y, const TFixedPoint& Value) {
    if (Contains(X, Y)) SetFixedVector(X, Y, Value);
}

TFixedPoint TVectorMap::GetFixedVectorX(TFixed X, TFixed Y) const {
    const int ix = X >> 16, iy = Y >> 16;
    if (!Contains(ix, iy)) return {0, 0};
    const TFixed fx = X & 0xFFFF, fy = Y & 0xFFFF;
    const int dx = ix == GetWidth() - 1 ? 0 : 1;
    const int dy = iy == GetHeight() - 1 ? 0 : 1;
    const TFixedPoint top = Lerp(GetFixedVector(ix, iy), GetFixedVector(ix + dx, iy), fx);
    const TFixedPoint bottom = Lerp(GetFixedVector(ix, iy + dy), GetFixedVector(ix + dx, iy + dy), fx);
    return Lerp(top, bottom, fy);
}

TFixedPoint TVectorMap::GetFixedVectorXS(TFixed X, TFixed Y) const {
    const int ix = X >> 16, iy = Y >> 16;
    const TFixed fx = X & 0xFFFF, fy = Y & 0xFFFF;
    const TFixedPoint top = Lerp(GetFixedVectorS(ix, iy), GetFixedVectorS(ix + 1, iy), fx);
    const TFixedPoint bottom = Lerp(GetFixedVectorS(ix, iy + 1), GetFixedVectorS(ix + 1, iy + 1), fx);
    return Lerp(top, bottom, fy);
}

void TVectorMap::SetFixedVectorX(TFixed X, TFixed Y, const TFixedPoint& Value) {
    const int ix = X >> 16, iy = Y >> 16;
    const TFixed fx = X & 0xFFFF, fy = Y & 0xFFFF;
    const TFixed cx = fx ^ 0xFFFF, cy = fy ^ 0xFFFF;
    const struct {
        int X, Y;
        TFixed W;
    } cells[4] = {{ix, iy, FixedMul(cx, cy)},
                  {ix + 1, iy, FixedMul(fx, cy)},
                  {ix + 1, iy + 1, FixedMul(fx, fy)},
                  {ix, iy + 1, FixedMul(cx, fy)}};
    for (const auto& cell : cells)
        if (Contains(cell.X, cell.Y)) {
            TFixedPoint& n = FVectors[Index(cell.X, cell.Y)];
            n = Lerp(n, Value, cell.W);
        }
}

void TVectorMap::SetFixedVectorXS(TFixed X, TFixed Y, const TFixedPoint& Value) {
    SetFixedVectorX(X, Y, Value);
}

TFloatPoint TVectorMap::GetFloatVector(int X, int Y) const {
    return ToFloat(GetFixedVector(X, Y));
}

void TVectorMap::SetFloatVector(int X, int Y, const TFloatPoint& Value) {
    SetFixedVector(X, Y, ToFixed(Value));
}

TFloatPoint TVectorMap::GetFloatVectorS(int X, int Y) const {
    return ToFloat(GetFixedVectorS(X, Y));
}

void TVectorMap::SetFloatVectorS(int X, int Y, const TFloatPoint& Value) {
    SetFixedVectorS(X, Y, ToFixed(Value));
}

TFloatPoint TVectorMap::GetFloatVectorF(float X, float Y) const {
    return ToFloat(GetFixedVectorX(Fixed(X), Fixed(Y)));
}

void TVectorMap::SetFloatVectorF(float X, float Y, const TFloatPoint& Value) {
    SetFixedVectorX(Fixed(X), Fixed(Y), ToFixed(Value));
}

TFloatPoint TVectorMap::GetFloatVectorFS(float X, float Y) const {
    return ToFloat(GetFixedVectorXS(Fixed(X), Fixed(Y)));
}

void TVectorMap::SetFloatVectorFS(float X, float Y, const TFloatPoint& Value) {
    SetFixedVectorXS(Fixed(X), Fixed(Y), ToFixed(Value));
}

void TVectorMap::Merge(int DstLeft, int DstTop, TVectorMap& Src, TRect SrcRect) {
    if (Src.Empty()) throw Exception("Src is empty!");
    if (Empty()) throw Exception("Base is empty!");
    IntersectRect(SrcRect, SrcRect, Src.BoundsRect());
    TRect dstRect;
    IntersectRect(dstRect,
                  {DstLeft, DstTop, DstLeft + SrcRect.Right - SrcRect.Left,
                   DstTop + SrcRect.Bottom - SrcRect.Top},
                  BoundsRect());
    if (IsRectEmpty(dstRect)) return;
    // Cells cut off at the left or top move the source along with them.
    const int srcLeft = SrcRect.Left + dstRect.Left - DstLeft;
    const int srcTop = SrcRect.Top + dstRect.Top - DstTop;
    const int w = dstRect.Right - dstRect.Left, h = dstRect.Bottom - dstRect.Top;
    // A map merged into itself reads the area as it was.
    std::vector<TFixedPoint> source(std::size_t(w) * h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            source[std::size_t(i) + std::size_t(j) * w] = Src.GetFixedVector(srcLeft + i, srcTop + j);
    const TFixed stepX = ProgressStep(w), stepY = ProgressStep(h);
    TFixedPoint progress{-FixedOne, -FixedOne};
    for (int j = 0; j < h; ++j) {
        progress.X = -FixedOne;
        for (int i = 0; i < w; ++i) {
            const TFixedPoint& s = source[std::size_t(i) + std::size_t(j) * w];
            TFixedPoint& d = FVectors[Index(dstRect.Left + i, dstRect.Top + j)];
            switch (Src.FVectorCombineMode) {
            case vcmAdd: d = {d.X + s.X, d.Y + s.Y}; break;
            case vcmReplace: d = s; break;
            case vcmCustom:
                if (Src.OnVectorCombine) Src.OnVectorCombine(s, progress, d);
                break;
            }
            progress.X += stepX;
        }
        progress.Y += stepY;
    }
}

TRect TVectorMap::GetTrimmedBounds() const {
    if (Empty()) return {0, 0, 0, 0};
    int left = GetWidth(), top = GetHeight(), right = -1, bottom = -1;
    for (int y = 0; y < GetHeight(); ++y)
        for (int x = 0; x < GetWidth(); ++x) {
            const TFixedPoint& v = FVectors[Index(x, y)];
            if (v.X == 0 && v.Y == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    if (right < 0) return {0, 0, 0, 0};
    return {left, top, right + 1, bottom + 1};
}

// ---- Mesh files -----------------------------------------------------------------------------

void TVectorMap::LoadFromFile(const AnsiString& FileName) {
    if (!FileExists(FileName)) throw Exception("File not found!");
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TVectorMap::LoadFromStream(TStream& Stream) {
    Byte header[MeshHeaderSize];
    Stream.ReadBuffer(header, sizeof(header));
    if (CompareText(AnsiString(reinterpret_cast<const char*>(header + 4), 8), MeshIdentifier) != 0)
        throw Exception(BadMeshFormat);
    std::int32_t width = 0, height = 0;
    std::memcpy(&width, header + 16, 4);
    std::memcpy(&height, header + 20, 4);
    // Divided, not multiplied: the product of two large sizes overflows even 64 bits.
    const Int64 left = Stream.GetSize() - Stream.GetPosition();
    if (width < 0 || height < 0 || (width > 0 && Int64(height) > left / 8 / width))
        throw Exception(BadMeshFormat);
    const Int64 bytes = Int64(width) * Int64(height) * 8;
    std::vector<float> values(std::size_t(bytes / 4));
    Stream.ReadBuffer(values.data(), bytes);
    // Converted before the map changes: a value no fixed-point number holds (NaN, infinite
    // or beyond +-32768) makes the file unreadable, not the map half-loaded. The largest
    // vectors are saved as 32768 after rounding to float, so that reads as the largest.
    std::vector<TFixed> fixed(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!(std::fabs(values[i]) <= 32768.0f)) throw Exception(BadMeshFormat);
        fixed[i] = TFixed(
            std::clamp(std::nearbyint(double(values[i]) * 65536), -2147483648.0, 2147483647.0));
    }
    SetSize(width, height);
    for (std::size_t i = 0; i < FVectors.size(); ++i)
        FVectors[i] = {fixed[2 * i], fixed[2 * i + 1]};
    Changed();
}

void TVectorMap::SaveToFile(const AnsiString& FileName) {
    TFileStream stream(FileName, fmCreate);
    SaveToStream(stream);
}

void TVectorMap::SaveToStream(TStream& Stream) {
    Byte header[MeshHeaderSize] = {0, 0, 0, 2};
    std::memcpy(header + 4, MeshIdentifier, 8);
    const std::int32_t fields[3] = {2, GetWidth(), GetHeight()};
    std::memcpy(header + 12, fields, sizeof(fields));
    std::vector<float> values(FVectors.size() * 2);
    for (std::size_t i = 0; i < FVectors.size(); ++i) {
        values[2 * i] = float(FVectors[i].X * FixedToFloat);
        values[2 * i + 1] = float(FVectors[i].Y * FixedToFloat);
    }
    const Byte trailer[8] = {};
    Stream.WriteBuffer(header, sizeof(header));
    Stream.WriteBuffer(values.data(), Int64(values.size()) * 4);
    Stream.WriteBuffer(trailer, sizeof(trailer));
    for (std::size_t i = 0; i < FVectors.size(); ++i)
        FVectors[i] = {Fixed(values[2 * i]), Fixed(values[2 * i + 1])};
}

} // namespace Bmp32
