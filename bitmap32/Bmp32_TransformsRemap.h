// The remap transformation, which displaces points by a mesh of vectors, and the recording of
// any transformation as such a mesh.
#pragma once

#include "bitmap32/Bmp32_Transforms.h"
#include "bitmap32/Bmp32_VectorMaps.h"

namespace Bmp32 {

// Maps a destination point to the source through the vector of VectorMap (owned, 1 by 1 at
// first) at that point; MappingRect is the destination area the map covers and SrcRect the
// source area. Reverse only.
class TRemapTransformation : public TTransformation {
    DECLARE_CLASS(TRemapTransformation, TTransformation)
public:
    TRemapTransformation();
    ~TRemapTransformation() override;

    TVectorMap* GetVectorMap() const { return FVectorMap; }
    const TFloatRect& GetMappingRect() const { return FMappingRect; }
    void SetMappingRect(const TFloatRect& Value);
    const TFloatPoint& GetOffset() const { return FOffset; }
    void SetOffset(const TFloatPoint& Value);
    // Multiplies the vectors; takes effect at the next preparation.
    void Scale(float Sx, float Sy);

    // Raises ETransformError "SrcRect is empty!", "MappingRect is empty!" or, for a map
    // smaller than 2 by 2, "VectorMap is too small!".
    void PrepareTransform() override;
    void ReverseTransformInt(int DstX, int DstY, int& SrcX, int& SrcY) override;
    void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) override;
    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override;
    bool HasTransformedBounds() const override;
    // The whole plane.
    TRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

private:
    // The mapping of one axis, in float and in fixed point.
    struct TAxis {
        float Scaling = 1, Combined = 1, SrcTranslate = 0, SrcScale = 1, DstTranslate = 0,
              DstScale = 1;
        TFixed FixedScaling = FixedOne, FixedCombined = FixedOne, FixedSrcTranslate = 0,
               FixedSrcScale = FixedOne, FixedDstTranslate = 0, FixedDstScale = FixedOne;
        float Map(float Dst, float Vector) const;
        TFixed Map(TFixed Dst, TFixed Vector) const;
    };

    TVectorMap* FVectorMap;
    TAxis FX, FY;
    TFloatRect FMappingRect{};
    TFloatPoint FOffset{0, 0};
    TFixedPoint FFixedOffset{0, 0};
    TPoint FIntOffset{0, 0};
};

// Records the displacement of Transformation (reverse point minus point, relative to
// DstRect's corner) into the cells of DstRect: added, replacing, or through CombineCallback.
void RasterizeTransformation(TVectorMap& VectorMap, TTransformation& Transformation, TRect DstRect,
                             TVectorCombineMode CombineMode,
                             const TVectorCombineEvent& CombineCallback = {});

} // namespace Bmp32
