#include "skin/data/Skeffbmp.h"

#include "classlib/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

double Clamp01(double kf) {
    return kf < 0 ? 0 : kf > 1 ? 1 : kf;
}

// Rounded half to even, clamped to a channel.
Byte Channel(double Value) {
    const double r = std::nearbyint(Value);
    return static_cast<Byte>(r < 0 ? 0 : r > 255 ? 255 : r);
}

int Round(double Value) {
    return static_cast<int>(std::nearbyint(Value));
}

// Each channel of Pixel := c * t + s * (1 - t).
void Blend(Byte* Pixel, const Byte* Source, double t) {
    for (int i = 0; i < 3; ++i)
        Pixel[i] = Channel(Pixel[i] * t + Source[i] * (1 - t));
}

std::minstd_rand& Random() {
    static std::minstd_rand engine(1);
    return engine;
}

int RandomBelow(int Amount) {
    return Amount > 0 ? static_cast<int>(Random()() % static_cast<unsigned>(Amount)) : 0;
}

} // namespace

TskEffectBmp::TskEffectBmp(int AWidth, int AHeight) {
    Create(AWidth, AHeight);
}

TskEffectBmp::TskEffectBmp(HBITMAP Bitmap) {
    BITMAP info{};
    if (!GetObjectA(Bitmap, sizeof info, &info)) throw EInvalidGraphic("Bitmap image is not valid");
    Create(info.bmWidth, info.bmHeight);
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    GetDIBits(dc, Bitmap, 0, static_cast<UINT>(FHeight), FBits, &FInfo, DIB_RGB_COLORS);
    DeleteDC(dc);
}

TskEffectBmp::TskEffectBmp(const TskEffectBmp* Source) {
    Create(Source->FWidth, Source->FHeight);
    std::memcpy(FBits, Source->FBits, static_cast<std::size_t>(FSize));
}

TskEffectBmp::~TskEffectBmp() {
    if (FHandle) DeleteObject(FHandle);
}

void TskEffectBmp::Create(int AWidth, int AHeight) {
    if (AWidth < 0 || AHeight < 0) throw EInvalidGraphicOperation("Invalid effect image size");
    FWidth = AWidth;
    FHeight = AHeight;
    FStride = 3 * AWidth + AWidth % 4;
    FSize = FStride * AHeight;
    FInfo.bmiHeader.biSize = sizeof FInfo.bmiHeader;
    FInfo.bmiHeader.biWidth = AWidth;
    FInfo.bmiHeader.biHeight = -AHeight;
    FInfo.bmiHeader.biPlanes = 1;
    FInfo.bmiHeader.biBitCount = 24;
    FInfo.bmiHeader.biCompression = BI_RGB;
    if (AWidth == 0 || AHeight == 0) return;
    void* bits = nullptr;
    FHandle = CreateDIBSection(nullptr, &FInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!FHandle) throw EOutOfResources("Out of system resources");
    FBits = static_cast<Byte*>(bits);
}

bool TskEffectBmp::SameSize(const TskEffectBmp* Other) const {
    return Other && Other->FWidth == FWidth && Other->FHeight == FHeight;
}

void TskEffectBmp::SetPixel(int X, int Y, int Color) {
    Byte* p = Pixel(X, Y);
    p[0] = static_cast<Byte>(Color);
    p[1] = static_cast<Byte>(Color >> 8);
    p[2] = static_cast<Byte>(Color >> 16);
}

int TskEffectBmp::GetPixel(int X, int Y) const {
    const Byte* p = Pixel(X, Y);
    return p[0] | p[1] << 8 | p[2] << 16;
}

void TskEffectBmp::SetLine(int Y, const void* Line) {
    std::memcpy(GetLine(Y), Line, static_cast<std::size_t>(3 * FWidth));
}

void TskEffectBmp::GetScanLine(int Y, void* Line) const {
    std::memcpy(Line, GetLine(Y), static_cast<std::size_t>(3 * FWidth));
}

void TskEffectBmp::Draw(HDC DC, int X, int Y) {
    SetDIBitsToDevice(DC, X, Y, static_cast<DWORD>(FWidth), static_cast<DWORD>(FHeight), 0, 0, 0,
                      static_cast<UINT>(FHeight), FBits, &FInfo, DIB_RGB_COLORS);
}

void TskEffectBmp::Stretch(HDC DC, int X, int Y, int W, int H) {
    StretchDIBits(DC, X, Y, W, H, 0, 0, FWidth, FHeight, FBits, &FInfo, DIB_RGB_COLORS, SRCCOPY);
}

void TskEffectBmp::DrawRect(HDC DC, int X, int Y, int SrcX, int SrcY, int W, int H) {
    StretchDIBits(DC, X, Y + H - 1, W, 1 - H, SrcX, FHeight - SrcY, W, 1 - H, FBits, &FInfo,
                  DIB_RGB_COLORS, SRCCOPY);
}

void TskEffectBmp::Resize(TskEffectBmp* Dest) {
    if (FWidth == 0 || FHeight == 0) return;
    const double sx = double(Dest->FWidth - 1) / FWidth, sy = double(Dest->FHeight - 1) / FHeight;
    const int ni = Round(sx), nj = Round(sy);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const Byte* from = Pixel(x, y);
            const int dx = Round(x * sx), dy = Round(y * sy);
            for (int j = 0; j <= nj; ++j)
                for (int i = 0; i <= ni; ++i) {
                    const int tx = dx + i, ty = dy + j;
                    if (tx < 0 || ty < 0 || tx >= Dest->FWidth || ty >= Dest->FHeight) continue;
                    std::memcpy(Dest->Pixel(tx, ty), from, 3);
                }
        }
}

void TskEffectBmp::CopyRect(TskEffectBmp* Source, const TRect& R, int X, int Y) {
    for (int y = std::max(R.Top, 0); y <= std::min(R.Bottom, FHeight - 1); ++y)
        for (int x = std::max(R.Left, 0); x <= std::min(R.Right, FWidth - 1); ++x) {
            const int sx = X + x - R.Left, sy = Y + y - R.Top;
            if (sx < 0 || sy < 0 || sx >= Source->FWidth || sy >= Source->FHeight) continue;
            std::memcpy(Pixel(x, y), Source->Pixel(sx, sy), 3);
        }
}

void TskEffectBmp::Morph(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source)) return;
    MorphRect(Source, kf, TRect(0, 0, FWidth, FHeight), 0, 0);
}

void TskEffectBmp::MorphRect(TskEffectBmp* Source, double kf, const TRect& R, int X, int Y) {
    kf = Clamp01(kf);
    for (int y = std::max(R.Top, 0); y < std::min(R.Bottom, FHeight); ++y)
        for (int x = std::max(R.Left, 0); x < std::min(R.Right, FWidth); ++x) {
            const int sx = X + x - R.Left, sy = Y + y - R.Top;
            if (sx < 0 || sy < 0 || sx >= Source->FWidth || sy >= Source->FHeight) continue;
            Blend(Pixel(x, y), Source->Pixel(sx, sy), 1 - kf);
        }
}

void TskEffectBmp::MorphGrad(TskEffectBmp* Source, double kf) {
    if (FWidth < FHeight)
        MorphVGrad(Source, kf);
    else
        MorphHGrad(Source, kf);
}

void TskEffectBmp::MorphHGrad(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source) || FWidth == 0) return;
    const int cw = Round(FWidth * Clamp01(kf));
    const int e = (FWidth - cw) / 2;
    const double step = e == 0 ? 1 : 1.0 / e;
    const int L = std::max(0, FWidth / 2 - cw / 2), R = std::min(FWidth - 1, FWidth / 2 + cw / 2);
    for (int y = 0; y < FHeight; ++y) {
        std::memcpy(Pixel(L, y), Source->Pixel(L, y), static_cast<std::size_t>(3 * (R - L + 1)));
        double t = 0;
        for (int x = L; x >= 0; --x, t = std::min(1.0, t + step))
            Blend(Pixel(x, y), Source->Pixel(x, y), t);
        t = 0;
        for (int x = R; x < FWidth; ++x, t = std::min(1.0, t + step))
            Blend(Pixel(x, y), Source->Pixel(x, y), t);
    }
}

void TskEffectBmp::MorphVGrad(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source) || FHeight == 0) return;
    const int ch = Round(FHeight * Clamp01(kf));
    const int e = (FHeight - 1 - ch) / 2;
    const double step = e == 0 ? 0 : 1.0 / e;
    const int T = std::max(0, FHeight / 2 - ch / 2),
              B = std::min(FHeight - 1, FHeight / 2 + ch / 2);
    for (int y = T; y <= B; ++y)
        std::memcpy(GetLine(y), Source->GetLine(y), static_cast<std::size_t>(3 * FWidth));
    auto blendRow = [&](int y, double t) {
        for (int x = 0; x < FWidth; ++x)
            Blend(Pixel(x, y), Source->Pixel(x, y), t);
    };
    double t = 0;
    for (int y = T; y >= 0; --y, t = std::min(1.0, t + step))
        blendRow(y, t);
    t = 0;
    for (int y = B; y < FHeight; ++y, t = std::min(1.0, t + step))
        blendRow(y, t);
}

void TskEffectBmp::MorphLeftGrad(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source) || FWidth == 0) return;
    const int p = std::min(std::max(Round(FWidth * Clamp01(kf)), 1), FWidth - 1);
    const double step = p < 1 ? 1 : 1.0 / p;
    for (int y = 0; y < FHeight; ++y) {
        double t = 0;
        for (int x = 0; x <= p; ++x, t = std::min(1.0, t + step))
            Blend(Pixel(x, y), Source->Pixel(x, y), t);
    }
}

void TskEffectBmp::MorphRightGrad(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source) || FWidth == 0) return;
    const int p = std::min(std::max(FWidth - Round(FWidth * Clamp01(kf)), 0), FWidth - 1);
    const int n = FWidth - p;
    const double step = n < 1 ? 1 : 1.0 / n;
    for (int y = 0; y < FHeight; ++y) {
        double t = 0;
        for (int x = FWidth - 1; x >= p; --x, t = std::min(1.0, t + step))
            Blend(Pixel(x, y), Source->Pixel(x, y), t);
    }
}

void TskEffectBmp::MorphLeftSlide(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source) || FWidth == 0) return;
    const int p = std::min(std::max(Round(FWidth * Clamp01(kf)), 1), FWidth - 1);
    for (int y = 0; y < FHeight; ++y) {
        int from = std::max(FWidth - 1 - p, 0);
        for (int x = 0; x < p; ++x) {
            from = std::min(from + 1, FWidth - 1);
            std::memcpy(Pixel(x, y), Source->Pixel(from, y), 3);
        }
    }
}

void TskEffectBmp::MorphRightSlide(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source) || FWidth == 0) return;
    const int p = std::min(std::max(Round(FWidth * Clamp01(kf)), 1), FWidth - 1);
    for (int y = 0; y < FHeight; ++y)
        for (int i = 0; i < p; ++i)
            std::memcpy(Pixel(FWidth - p + i, y), Source->Pixel(i, y), 3);
}

void TskEffectBmp::MorphPush(TskEffectBmp* Source, double kf) {
    if (!SameSize(Source) || FWidth == 0) return;
    const int p = std::min(std::max(Round(FWidth * Clamp01(kf)), 0), FWidth - 1);
    for (int y = 0; y < FHeight; ++y) {
        for (int x = FWidth - 1; x >= p; --x)
            std::memcpy(Pixel(x, y), Pixel(std::max(x - p - 1, 0), y), 3);
        int from = std::max(FWidth - p - 1, 0);
        for (int x = 0; x <= p; ++x, from = std::min(from + 1, FWidth - 1))
            std::memcpy(Pixel(x, y), Source->Pixel(from, y), 3);
    }
}

void TskEffectBmp::MorphByKind(TMorphKind Kind, TskEffectBmp* Source, double kf) {
    switch (Kind) {
    case mkDefault:
        Morph(Source, kf);
        break;
    case mkGradient:
        MorphGrad(Source, kf);
        break;
    case mkLeftGradient:
        MorphLeftGrad(Source, kf);
        break;
    case mkRightGradient:
        MorphRightGrad(Source, kf);
        break;
    case mkLeftSlide:
        MorphLeftSlide(Source, kf);
        break;
    case mkRightSlide:
        MorphRightSlide(Source, kf);
        break;
    case mkPush:
        MorphPush(Source, kf);
        break;
    }
}

void TskEffectBmp::ChangeBrightness(double kf) {
    kf = Clamp01(kf);
    for (int y = 0; y < FHeight; ++y)
        for (Byte *p = GetLine(y), *end = p + 3 * FWidth; p < end; ++p)
            *p = Channel((1 - kf) * *p + 255 * kf);
}

void TskEffectBmp::ChangeDarkness(double kf) {
    kf = Clamp01(kf);
    for (int y = 0; y < FHeight; ++y)
        for (Byte *p = GetLine(y), *end = p + 3 * FWidth; p < end; ++p)
            *p = Channel((1 - kf) * *p);
}

void TskEffectBmp::Invert() {
    for (int y = 0; y < FHeight; ++y)
        for (Byte *p = GetLine(y), *end = p + 3 * FWidth; p < end; ++p)
            *p = static_cast<Byte>(255 - *p);
}

void TskEffectBmp::GrayScale() {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            Byte* p = Pixel(x, y);
            const Byte g = Channel(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
            p[0] = p[1] = p[2] = g;
        }
}

void TskEffectBmp::SplitBlur(int Amount) {
    if (Amount == 0 || FWidth == 0) return;
    // Rows and columns that would fall outside the image fall back to the pixel's own.
    auto within = [](int v, int d, int limit) { return v + d < 0 || v + d >= limit ? v : v + d; };
    std::vector<Byte> row(static_cast<std::size_t>(3 * FWidth));
    for (int y = 0; y < FHeight; ++y) {
        const int up = within(y, -Amount, FHeight), down = within(y, Amount, FHeight);
        for (int x = 0; x < FWidth; ++x) {
            const int left = within(x, -Amount, FWidth), right = within(x, Amount, FWidth);
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = static_cast<Byte>((Pixel(left, up)[c] + Pixel(left, down)[c] +
                                                    Pixel(right, up)[c] + Pixel(right, down)[c]) /
                                                   4);
        }
        SetLine(y, row.data());
    }
}

void TskEffectBmp::Mosaic(int Amount) {
    if (Amount <= 1) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            std::memcpy(Pixel(x, y), Pixel(x - x % Amount, y - y % Amount), 3);
}

void TskEffectBmp::AddMonoNoise(int Amount) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const int d = RandomBelow(Amount) - Amount / 2;
            Byte* p = Pixel(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = Channel(p[c] + d);
        }
}

void TskEffectBmp::AddColorNoise(int Amount) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            Byte* p = Pixel(x, y);
            for (int c = 2; c >= 0; --c) // red, green, blue
                p[c] = Channel(p[c] + RandomBelow(Amount) - Amount / 2);
        }
}

void TskEffectBmp::Rotate90_1(TskEffectBmp* Dest) {
    if (Dest->FWidth != FHeight || Dest->FHeight != FWidth) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            std::memcpy(Dest->Pixel(y, FWidth - 1 - x), Pixel(x, y), 3);
}

void TskEffectBmp::Rotate90_2(TskEffectBmp* Dest) {
    if (Dest->FWidth != FHeight || Dest->FHeight != FWidth) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            std::memcpy(Dest->Pixel(FHeight - 1 - y, x), Pixel(x, y), 3);
}

void ApplyInActiveEffect(TskEffectBmp& Image, TskInActiveEffect Effect) {
    switch (Effect) {
    case ieBrightness: Image.ChangeBrightness(0.5); break;
    case ieDarkness: Image.ChangeDarkness(0.3); break;
    case ieGrayScale: Image.GrayScale(); break;
    case ieNoise: Image.AddMonoNoise(50); break;
    case ieSplitBlur: Image.SplitBlur(1); break;
    case ieInvert: Image.Invert(); break;
    }
}
