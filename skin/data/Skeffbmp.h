// TskEffectBmp: a 24-bit top-down image in a device-independent section, with the
// transitions that morph it towards a second image of the same size, colour effects
// and quarter-turn rotations. Channels computed in floating point are rounded half to
// even and clamped to 0..255. Rows are 3 * Width + Width mod 4 bytes, pixels blue,
// green, red.
//
// The block operations (CopyRect, MorphRect, Resize, the rotations, SplitBlur) skip
// whatever would fall outside either image; the pixel and row accessors check nothing.
#pragma once

#include "skin/data/Skutils_Codecs.h"

#include "classlib/Objects.h"
#include "classlib/Types.h"

#include "classlib/Platform.h"

class TskEffectBmp : public TObject {
    DECLARE_CLASS(TskEffectBmp, TObject)
public:
    TskEffectBmp(int AWidth, int AHeight);
    // A copy of the bitmap's picture.
    explicit TskEffectBmp(HBITMAP Bitmap);
    // A copy of Source.
    explicit TskEffectBmp(const TskEffectBmp* Source);
    ~TskEffectBmp() override;

    HBITMAP GetHandle() const { return FHandle; }
    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    int GetSize() const { return FSize; }
    int GetStride() const { return FStride; }
    Byte* GetBits() const { return FBits; }

    void SetPixel(int X, int Y, int Color);
    int GetPixel(int X, int Y) const;
    void SetLine(int Y, const void* Line);
    Byte* GetLine(int Y) const { return FBits + static_cast<std::size_t>(Y) * FStride; }
    void GetScanLine(int Y, void* Line) const;

    void Draw(HDC DC, int X, int Y);
    void Stretch(HDC DC, int X, int Y, int W, int H);
    void DrawRect(HDC DC, int X, int Y, int SrcX, int SrcY, int W, int H);

    void Resize(TskEffectBmp* Dest);
    // Both ends of R included.
    void CopyRect(TskEffectBmp* Source, const TRect& R, int X, int Y);

    // Transitions towards Source by kf (clamped to 0..1); nothing when the sizes differ.
    void Morph(TskEffectBmp* Source, double kf);
    void MorphGrad(TskEffectBmp* Source, double kf);
    void MorphHGrad(TskEffectBmp* Source, double kf);
    void MorphVGrad(TskEffectBmp* Source, double kf);
    void MorphLeftGrad(TskEffectBmp* Source, double kf);
    void MorphRightGrad(TskEffectBmp* Source, double kf);
    void MorphPush(TskEffectBmp* Source, double kf);
    void MorphLeftSlide(TskEffectBmp* Source, double kf);
    void MorphRightSlide(TskEffectBmp* Source, double kf);
    // The transition a morph kind selects.
    void MorphByKind(TMorphKind Kind, TskEffectBmp* Source, double kf);
    // Blends the block R (right and bottom excluded) with Source's block at (X, Y).
    void MorphRect(TskEffectBmp* Source, double kf, const TRect& R, int X, int Y);

    void ChangeBrightness(double kf);
    void ChangeDarkness(double kf);
    void Invert();
    void GrayScale();
    void SplitBlur(int Amount);
    void Mosaic(int Amount);
    void AddMonoNoise(int Amount);
    void AddColorNoise(int Amount);
    // Counter-clockwise and clockwise quarter turns into Dest (Height x Width).
    void Rotate90_1(TskEffectBmp* Dest);
    void Rotate90_2(TskEffectBmp* Dest);

private:
    void Create(int AWidth, int AHeight);
    bool SameSize(const TskEffectBmp* Other) const;
    Byte* Pixel(int X, int Y) const { return GetLine(Y) + 3 * X; }

    HBITMAP FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    int FSize = 0;
    int FStride = 0;
    Byte* FBits = nullptr;
    BITMAPINFO FInfo{};
};

// The look a skin gives what belongs to an inactive window (its frame, its caption).
void ApplyInActiveEffect(TskEffectBmp& Image, TskInActiveEffect Effect);
