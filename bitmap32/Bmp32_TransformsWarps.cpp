// Twirl, bloat, disturbance and fish-eye.
#include "bitmap32/Bmp32_TransformsWarps.h"

#include "bitmap32/Bmp32_TransformsMatrices.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace Bmp32 {

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

float DefaultUniformRandom() {
    static std::mt19937 engine;
    return std::uniform_real_distribution<float>(0, 1)(engine);
}

} // namespace

TUniformRandom UniformRandom = DefaultUniformRandom;

// ---- Twirl ----------------------------------------------------------------------------------

void TTwirlTransformation::SetTwirl(float Value) {
    FTwirl = Value;
    SetPrepared(false);
}

void TTwirlTransformation::PrepareTransform() {
    const TFloatRect& r = GetSrcRect();
    FCenterX = (r.Right - r.Left) / 2;
    FCenterY = (r.Bottom - r.Top) / 2;
}

void TTwirlTransformation::ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) {
    const float dx = DstX - FCenterX, dy = DstY - FCenterY;
    const float r = std::sqrt(dx * dx + dy * dy);
    const float angle = std::atan2(dy, dx) + r * FTwirl;
    SrcX = r * std::cos(angle) + FCenterX;
    SrcY = r * std::sin(angle) + FCenterY;
}

TRect TTwirlTransformation::GetTransformedBounds(const TFloatRect& ASrcRect) {
    const float cx = (ASrcRect.Left + ASrcRect.Right) / 2;
    const float cy = (ASrcRect.Top + ASrcRect.Bottom) / 2;
    const float reach = Pi * std::max(cy - ASrcRect.Top, cx - ASrcRect.Left) / 2;
    return {RoundToInt(cx - reach), RoundToInt(cy - reach), RoundToInt(cx + reach),
            RoundToInt(cy + reach)};
}

// ---- Bloat ----------------------------------------------------------------------------------

void TBloatTransformation::SetBloatPower(float Value) {
    FBloatPower = Value;
    SetPrepared(false);
}

void TBloatTransformation::PrepareTransform() {
    const TFloatRect& r = GetSrcRect();
    RequireSrcRect(r);
    FFreqX = Pi / (r.Right - r.Left);
    FFreqY = Pi / (r.Bottom - r.Top);
    FAmplitude = std::max(r.Bottom - r.Top, r.Right - r.Left) * FBloatPower;
}

void TBloatTransformation::ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) {
    const float sx = std::sin(FFreqX * DstX), cx = std::cos(FFreqX * DstX);
    const float sy = std::sin(FFreqY * DstY), cy = std::cos(FFreqY * DstY);
    const float t = FAmplitude * sy * sx;
    SrcX = t * cx + DstX;
    SrcY = t * cy + DstY;
}

// ---- Disturbance ----------------------------------------------------------------------------

void TDisturbanceTransformation::ReverseTransformFloat(float DstX, float DstY, float& SrcX,
                                                       float& SrcY) {
    const float r1 = UniformRandom();
    const float r2 = UniformRandom();
    SrcX = DstX + (r1 - 0.5f) * FDisturbance;
    SrcY = DstY + (r2 - 0.5f) * FDisturbance;
}

TRect TDisturbanceTransformation::GetTransformedBounds(const TFloatRect& ASrcRect) {
    const float d = 0.5f * FDisturbance;
    return MakeRect(FloatRect(ASrcRect.Left - d, ASrcRect.Top - d, ASrcRect.Right + d,
                              ASrcRect.Bottom + d),
                    rrClosest);
}

// ---- Fish-eye -------------------------------------------------------------------------------

void TFishEyeTransformation::PrepareTransform() {
    const TFloatRect& r = GetSrcRect();
    RequireSrcRect(r);
    FHalfWidth = (r.Right - r.Left) / 2;
    FHalfHeight = (r.Bottom - r.Top) / 2;
    if (FHalfWidth <= FHalfHeight) {
        FRadius = FHalfWidth;
        FScaleX = 1;
        FScaleY = FHalfWidth / FHalfHeight;
    } else {
        FRadius = FHalfHeight;
        FScaleX = FHalfHeight / FHalfWidth;
        FScaleY = 1;
    }
    FInverseRadius = 1 / FRadius;
    const float arc = std::asin(std::clamp(FRadius * FInverseRadius, -1.0f, 1.0f));
    FLensFactor = arc == 0 ? 0 : FRadius / arc;
}

void TFishEyeTransformation::ReverseTransformFloat(float DstX, float DstY, float& SrcX, float& SrcY) {
    const float sx = (DstX - FHalfWidth) * FScaleX, sy = (DstY - FHalfHeight) * FScaleY;
    const float d = std::sqrt(sx * sx + sy * sy);
    if (d > 0 && d < FRadius) {
        const float f = std::asin(d * FInverseRadius) * FLensFactor / d;
        SrcX = sx * f + FHalfWidth;
        SrcY = sy * f + FHalfHeight;
    } else {
        SrcX = DstX;
        SrcY = DstY;
    }
}

} // namespace Bmp32
