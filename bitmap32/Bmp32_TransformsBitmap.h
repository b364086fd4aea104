// Drawing a bitmap through a transformation, moving polygon points, and clearing the alpha
// of a rectangle's border.
#pragma once

#include "bitmap32/Bmp32_Polygons.h"
#include "bitmap32/Bmp32_Rasterizers.h"
#include "bitmap32/Bmp32_Transforms.h"

namespace Bmp32 {

// Every point moved by TransformFixed, the transformation prepared once; an empty list
// gives an empty list.
TArrayOfArrayOfFixedPoint TransformPoints(const TArrayOfArrayOfFixedPoint& Points,
                                          TTransformation& Transformation);

// Fills the transformation's bounds, cut to Dst's ClipRect and DstClip, with Src sampled at
// the reverse-mapped points through Src's resampler and written by Src's draw mode; announces
// that rectangle. Dst may be Src. Without a rasterizer one of DefaultRasterizerClass is used.
void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation);
void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation, const TRect& DstClip);
void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation,
               TRasterizer& Rasterizer);
void Transform(TBitmap32* Dst, TBitmap32* Src, TTransformation& Transformation,
               TRasterizer& Rasterizer, const TRect& DstClip);

// Clears the alpha of every pixel on the four edges of R (cut to the bitmap), colours kept.
void SetBorderTransparent(TBitmap32* Bitmap, TRect R);

} // namespace Bmp32
