// Transformations that only map backwards (destination to source): twirl, bloat, random
// disturbance and fish-eye. Their forward direction raises ETransformNotImplemented.
#pragma once

#include "bitmap32/Bmp32_Transforms.h"

namespace Bmp32 {

// Uniform random numbers in [0, 1); replaceable so that results can be reproduced.
using TUniformRandom = float (*)();
extern TUniformRandom UniformRandom;

// Turns every point about the middle by an angle growing with its distance.
class TTwirlTransformation : public TTransformation {
    DECLARE_CLASS(TTwirlTransformation, TTransformation)
public:
    float GetTwirl() const { return FTwirl; }
    void SetTwirl(float Value);

    void PrepareTransform() override;
    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override;
    TRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

private:
    float FCenterX = 0, FCenterY = 0;
    float FTwirl = 0.03f;
};

// Swells the middle of the source rectangle along sine waves.
class TBloatTransformation : public TTransformation {
    DECLARE_CLASS(TBloatTransformation, TTransformation)
public:
    float GetBloatPower() const { return FBloatPower; }
    void SetBloatPower(float Value);

    // Raises ETransformError "SrcRect is empty!" for an empty SrcRect.
    void PrepareTransform() override;
    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override;

private:
    float FBloatPower = 0.3f;
    float FAmplitude = 0, FFreqX = 0, FFreqY = 0;
};

// Moves every point by a random amount of up to half Disturbance in each direction.
class TDisturbanceTransformation : public TTransformation {
    DECLARE_CLASS(TDisturbanceTransformation, TTransformation)
public:
    float GetDisturbance() const { return FDisturbance; }
    void SetDisturbance(float Value) { FDisturbance = Value; }

    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override;
    TRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

private:
    float FDisturbance = 0;
};

// A lens over the largest circle that fits the source rectangle.
class TFishEyeTransformation : public TTransformation {
    DECLARE_CLASS(TFishEyeTransformation, TTransformation)
public:
    // Raises ETransformError "SrcRect is empty!" for an empty SrcRect.
    void PrepareTransform() override;
    void ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) override;

private:
    float FHalfWidth = 0, FHalfHeight = 0, FLensFactor = 0, FInverseRadius = 0;
    float FScaleX = 1, FScaleY = 1, FRadius = 0;
};

} // namespace Bmp32
