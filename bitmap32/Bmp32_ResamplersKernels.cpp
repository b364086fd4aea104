// The filter kernels beyond box and linear.
#include "bitmap32/Bmp32_ResamplersKernels.h"

#include <cmath>
#include <numbers>

namespace Bmp32 {

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// Stores Value in Field and announces the change when it differs.
void SetParameter(TCustomKernel& Kernel, float& Field, float Value) {
    if (Field == Value) return;
    Field = Value;
    Kernel.Changed();
}

} // namespace

float Sinc(float Value) {
    if (Value == 0) return 1;
    const float x = Pi * Value;
    return std::sin(x) / x;
}

float TCosineKernel::Filter(float Value) const {
    if (std::fabs(Value) >= 1) return 0;
    return (std::cos(Pi * Value) + 1) / 2;
}

float TCosineKernel::GetWidth() const {
    return 1;
}

bool TSplineKernel::RangeCheck() const {
    return true;
}

float TSplineKernel::Filter(float Value) const {
    const float x = std::fabs(Value);
    if (x < 1) return 0.5f * x * x * x - x * x + 2.0f / 3;
    if (x < 2) {
        const float t = 2 - x;
        return t * t * t / 6;
    }
    return 0;
}

float TSplineKernel::GetWidth() const {
    return 2;
}

bool TMitchellKernel::RangeCheck() const {
    return true;
}

float TMitchellKernel::Filter(float Value) const {
    const float x = std::fabs(Value);
    if (x < 1) return (7 * x * x * x - 12 * x * x + 16.0f / 3) / 6;
    if (x < 2) return (-7.0f / 3 * x * x * x + 12 * x * x - 20 * x + 32.0f / 3) / 6;
    return 0;
}

float TMitchellKernel::GetWidth() const {
    return 2;
}

bool TCubicKernel::RangeCheck() const {
    return true;
}

float TCubicKernel::Filter(float Value) const {
    const float x = std::fabs(Value);
    if (x < 1) return (FCoeff + 2) * x * x * x - (FCoeff + 3) * x * x + 1;
    if (x < 2) return FCoeff * (x * x * x - 5 * x * x + 8 * x - 4);
    return 0;
}

float TCubicKernel::GetWidth() const {
    return 2;
}

void TCubicKernel::SetCoeff(float Value) {
    SetParameter(*this, FCoeff, Value);
}

bool THermiteKernel::RangeCheck() const {
    return true;
}

float THermiteKernel::Filter(float Value) const {
    const float t = (1 - FTension) / 2;
    const float tt1 = (1 + FBias) * t;
    const float tt2 = (1 - FBias) * t;
    const int i = int(std::floor(Value));
    const float z = std::fabs(float(i) - Value);
    const float z2 = z * z;
    const float z3 = z2 * z;
    const float h1 = z3 - 2 * z2 + z;
    const float h2 = z3 - z2;
    const float h3 = -2 * z3 + 3 * z2;
    const float h0 = 1 - h3;
    switch (i) {
    case -2: return h2 * tt2;
    case -1: return h1 * tt2 + h3 + (tt1 - tt2) * h2;
    case 0: return (tt1 - tt2) * h1 + h0 - h2 * tt1;
    case 1: return -h1 * tt1;
    default: return 0;
    }
}

float THermiteKernel::GetWidth() const {
    return 2;
}

void THermiteKernel::SetBias(float Value) {
    SetParameter(*this, FBias, Value);
}

void THermiteKernel::SetTension(float Value) {
    SetParameter(*this, FTension, Value);
}

bool TWindowedSincKernel::RangeCheck() const {
    return true;
}

float TWindowedSincKernel::Filter(float Value) const {
    const float x = std::fabs(Value);
    if (x >= FWidth) return 0;
    return Window(x) * Sinc(x);
}

float TWindowedSincKernel::GetWidth() const {
    return FWidth;
}

void TWindowedSincKernel::SetWidth(float Value) {
    SetParameter(*this, FWidth, Value);
}

float TLanczosKernel::Window(float Value) const {
    return Sinc(Value / GetWidth());
}

float TGaussianKernel::Window(float Value) const {
    return std::pow(2.0f, -Value * Value / FSigma);
}

void TGaussianKernel::SetSigma(float Value) {
    if (Value != 0) SetParameter(*this, FSigma, Value);
}

float TBlackmanKernel::Window(float Value) const {
    const float t = Pi * Value / GetWidth();
    return 0.42f + 0.5f * std::cos(t) + 0.08f * std::cos(2 * t);
}

float THannKernel::Window(float Value) const {
    return 0.5f + 0.5f * std::cos(Pi * Value / GetWidth());
}

float THammingKernel::Window(float Value) const {
    return 0.54f + 0.46f * std::cos(Pi * Value / GetWidth());
}

bool TSinshKernel::RangeCheck() const {
    return true;
}

float TSinshKernel::Filter(float Value) const {
    if (Value == 0) return 1;
    return std::sin(Pi * Value) * FCoeff / std::sinh(Pi * Value * FCoeff);
}

float TSinshKernel::GetWidth() const {
    return FWidth;
}

void TSinshKernel::SetWidth(float Value) {
    SetParameter(*this, FWidth, Value);
}

void TSinshKernel::SetCoeff(float Value) {
    if (Value != 0) SetParameter(*this, FCoeff, Value);
}

void RegisterKernels() {
    RegisterKernel<TBoxKernel>();
    RegisterKernel<TLinearKernel>();
    RegisterKernel<TCosineKernel>();
    RegisterKernel<TSplineKernel>();
    RegisterKernel<TCubicKernel>();
    RegisterKernel<TMitchellKernel>();
    RegisterKernel<TLanczosKernel>();
    RegisterKernel<TGaussianKernel>();
    RegisterKernel<TBlackmanKernel>();
    RegisterKernel<THannKernel>();
    RegisterKernel<THammingKernel>();
    RegisterKernel<TSinshKernel>();
    RegisterKernel<THermiteKernel>();
}

} // namespace Bmp32
