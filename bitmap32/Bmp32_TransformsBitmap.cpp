// Transforming bitmaps and point lists.
#include "bitmap32/Bmp32_TransformsBitmap.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Resamplers.h"

#include <cstring>
#include <memory>

namespace Bmp32 {

TArrayOfArrayOfFixedPoint TransformPoints(const TArrayOfArrayOfFixedPoint& Points,
                                          TTransformation& Transformation) {
    if (Points.empty()) return {};
    Transformation.PrepareTransform();
    TArrayOfArrayOfFixedPoint result(Points.size());
    for (std::size_t i = 0; i < Points.size(); ++i) {
        result[i].resize(Points[i].size());
        for (std::size_t j = 0; j < Points[i].size(); ++j)
            Transformation.TransformFixed(Points[i][j].X, Points[i][j].Y, result[i][j].X,
                                          result[i][j].Y);
    }
    return result;
}

void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation) {
    Transform(Dst, Src, Transformation, Dst->BoundsRect());
}

void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation, const TRect& DstClip) {
    std::unique_ptr<TRasterizer> rasterizer(DefaultRasterizerClass());
    Transform(Dst, Src, Transformation, *rasterizer, DstClip);
}

void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation,
               TRasterizer& Rasterizer) {
    Transform(Dst, Src, Transformation, Rasterizer, Dst->BoundsRect());
}

namespace {

// Rasterizes Src through Transformation into Target's DstRect.
void DrawTransformed(TBitmap32* Target, TBitmap32* Src, TTransformation& Transformation,
                     TRasterizer& Rasterizer, const TRect& DstRect) {
    TCustomResampler* resampler = Src->GetResampler();
    if (!resampler) throw EBitmapException("Source bitmap has no resampler");
    auto* bitmapResampler = dynamic_cast<TBitmap32Resampler*>(resampler);
    const TTransformerClass makeTransformer =
        bitmapResampler ? bitmapResampler->GetTransformerClass() : MakeTransformer<TTransformer>;
    std::unique_ptr<TTransformer> transformer(makeTransformer(resampler, &Transformation));
    try {
        Rasterizer.SetSampler(transformer.get());
        Rasterizer.Rasterize(Target, DstRect, *Src);
    } catch (...) {
        Rasterizer.SetSampler(nullptr);
        EMMS();
        throw;
    }
    Rasterizer.SetSampler(nullptr);
    EMMS();
}

} // namespace

void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation,
               TRasterizer& Rasterizer, const TRect& DstClip) {
    TRect dstRect;
    IntersectRect(dstRect, Transformation.GetTransformedBounds(), Dst->GetClipRect());
    IntersectRect(dstRect, dstRect, DstClip);
    if (dstRect.Right < dstRect.Left || dstRect.Bottom < dstRect.Top) return;
    if (!Dst->GetMeasuringMode()) {
        if (Dst != Src) {
            DrawTransformed(Dst, Src, Transformation, Rasterizer, dstRect);
        } else if (!IsRectEmpty(dstRect)) {
            // Drawing into the bitmap being read: draw into a copy, then take the result.
            TBitmap32 target;
            target.SetSize(Dst->GetWidth(), Dst->GetHeight());
            std::memcpy(target.GetBits(), Dst->GetBits(),
                        sizeof(TColor32) * std::size_t(Dst->GetWidth()) * Dst->GetHeight());
            DrawTransformed(&target, Src, Transformation, Rasterizer, dstRect);
            for (int y = dstRect.Top; y < dstRect.Bottom; ++y)
                std::memcpy(Dst->GetPixelPtr(dstRect.Left, y), target.GetPixelPtr(dstRect.Left, y),
                            sizeof(TColor32) * std::size_t(dstRect.Right - dstRect.Left));
        }
    }
    Dst->Changed(dstRect, AREAINFO_RECT);
}

void SetBorderTransparent(TBitmap32* Bitmap, TRect R) {
    IntersectRect(R, R, Bitmap->BoundsRect());
    TRect visible;
    if (IsRectEmpty(R) || !IntersectRect(visible, R, Bitmap->GetClipRect())) return;
    --R.Right;
    --R.Bottom;
    auto clear = [Bitmap](int X, int Y) { *Bitmap->GetPixelPtr(X, Y) &= 0x00FFFFFF; };
    for (int x = R.Left; x <= R.Right; ++x) {
        clear(x, R.Top);
        clear(x, R.Bottom);
    }
    for (int y = R.Top; y <= R.Bottom; ++y) {
        clear(R.Left, y);
        clear(R.Right, y);
    }
    Bitmap->Changed();
}

} // namespace Bmp32
