// Remapping through a vector mesh, and recording a transformation into one.
#include "bitmap32/Bmp32_TransformsRemap.h"

#include "bitmap32/Bmp32_Math.h"

#include <climits>

namespace Bmp32 {

float TRemapTransformation::TAxis::Map(float Dst, float Vector) const {
    return (Vector * Combined + (Dst - DstTranslate) * DstScale) * SrcScale + SrcTranslate;
}

TFixed TRemapTransformation::TAxis::Map(TFixed Dst, TFixed Vector) const {
    return FixedMul(FixedMul(Vector, FixedCombined) + FixedMul(Dst - FixedDstTranslate, FixedDstScale),
                    FixedSrcScale) +
           FixedSrcTranslate;
}

TRemapTransformation::TRemapTransformation() : FVectorMap(new TVectorMap) {
    FVectorMap->SetSize(1, 1);
}

TRemapTransformation::~TRemapTransformation() {
    delete FVectorMap;
}

void TRemapTransformation::SetMappingRect(const TFloatRect& Value) {
    FMappingRect = Value;
    SetPrepared(false);
}

void TRemapTransformation::SetOffset(const TFloatPoint& Value) {
    FOffset = Value;
    FFixedOffset = {Fixed(Value.X), Fixed(Value.Y)};
    FIntOffset = {RoundToInt(Value.X), RoundToInt(Value.Y)};
    SetPrepared(false);
}

void TRemapTransformation::Scale(float Sx, float Sy) {
    FX.Scaling = Sx;
    FY.Scaling = Sy;
    FX.FixedScaling = Fixed(Sx);
    FY.FixedScaling = Fixed(Sy);
}

namespace {

void SetUpAxis(float SrcLo, float SrcHi, float MapLo, float MapHi, int Cells, float& SrcTranslate,
               float& SrcScale, float& DstTranslate, float& DstScale) {
    SrcTranslate = SrcLo;
    SrcScale = (SrcHi - SrcLo) / float(Cells - 1);
    DstTranslate = MapLo;
    DstScale = float(Cells - 1) / (MapHi - MapLo);
}

} // namespace

void TRemapTransformation::PrepareTransform() {
    const TFloatRect& src = GetSrcRect();
    if (IsRectEmpty(src)) throw ETransformError("SrcRect is empty!");
    if (IsRectEmpty(FMappingRect)) throw ETransformError("MappingRect is empty!");
    // The scales divide by the map's size less one.
    if (FVectorMap->GetWidth() < 2 || FVectorMap->GetHeight() < 2)
        throw ETransformError("VectorMap is too small!");
    SetUpAxis(src.Left, src.Right, FMappingRect.Left, FMappingRect.Right, FVectorMap->GetWidth(),
              FX.SrcTranslate, FX.SrcScale, FX.DstTranslate, FX.DstScale);
    SetUpAxis(src.Top, src.Bottom, FMappingRect.Top, FMappingRect.Bottom, FVectorMap->GetHeight(),
              FY.SrcTranslate, FY.SrcScale, FY.DstTranslate, FY.DstScale);
    for (TAxis* axis : {&FX, &FY}) {
        axis->Combined = axis->DstScale * axis->Scaling;
        axis->FixedCombined = Fixed(axis->Combined);
        axis->FixedSrcTranslate = Fixed(axis->SrcTranslate);
        axis->FixedSrcScale = Fixed(axis->SrcScale);
        axis->FixedDstTranslate = Fixed(axis->DstTranslate);
        axis->FixedDstScale = Fixed(axis->DstScale);
    }
}

void TRemapTransformation::ReverseTransformInt(int DstX, int DstY, int& SrcX, int& SrcY) {
    const TFixedPoint v = FVectorMap->GetFixedVectorS(DstX - FIntOffset.X, DstY - FIntOffset.Y);
    SrcX = FixedRound(FX.Map(TFixed(DstX * 65536), v.X));
    SrcY = FixedRound(FY.Map(TFixed(DstY * 65536), v.Y));
}

void TRemapTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) {
    const TFixedPoint v = FVectorMap->GetFixedVectorX(DstX - FFixedOffset.X, DstY - FFixedOffset.Y);
    SrcX = FX.Map(DstX, v.X);
    SrcY = FY.Map(DstY, v.Y);
}

void TRemapTransformation::ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) {
    const TFloatPoint v = FVectorMap->GetFloatVectorF(DstX - FOffset.X, DstY - FOffset.Y);
    SrcX = FX.Map(DstX, v.X);
    SrcY = FY.Map(DstY, v.Y);
}

bool TRemapTransformation::HasTransformedBounds() const {
    return false;
}

TRect TRemapTransformation::GetTransformedBounds(const TFloatRect&) {
    return {-INT_MAX, -INT_MAX, INT_MAX, INT_MAX};
}

void RasterizeTransformation(TVectorMap& VectorMap, TTransformation& Transformation, TRect DstRect,
                             TVectorCombineMode CombineMode,
                             const TVectorCombineEvent& CombineCallback) {
    IntersectRect(DstRect, DstRect, VectorMap.BoundsRect());
    if (IsRectEmpty(DstRect)) return;
    if (!Transformation.GetPrepared()) Transformation.PrepareTransform();
    const int w = DstRect.Right - DstRect.Left, h = DstRect.Bottom - DstRect.Top;
    const TFixed stepX = ProgressStep(w), stepY = ProgressStep(h);
    TFixedPoint progress{0, 0};
    for (int j = DstRect.Top; j < DstRect.Bottom; ++j) {
        progress.X = 0;
        for (int i = DstRect.Left; i < DstRect.Right; ++i) {
            const TFixedPoint p{Fixed(i - DstRect.Left), Fixed(j - DstRect.Top)};
            const TFixedPoint q = Transformation.ReverseTransform(p);
            const TFixedPoint d{q.X - p.X, q.Y - p.Y};
            TFixedPoint& element = VectorMap.GetVectors()[std::size_t(i) + std::size_t(j) * VectorMap.GetWidth()];
            switch (CombineMode) {
            case vcmAdd: element = {element.X + d.X, element.Y + d.Y}; break;
            case vcmReplace: element = d; break;
            case vcmCustom:
                if (CombineCallback) CombineCallback(d, progress, element);
                break;
            }
            progress.X += stepX;
        }
        progress.Y += stepY;
    }
}

} // namespace Bmp32
