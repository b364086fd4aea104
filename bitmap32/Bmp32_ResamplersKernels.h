// The filter kernels beyond box and linear: cosine, spline, Mitchell, cubic, Hermite, the
// windowed sinc family (Lanczos, Gaussian, Blackman, Hann, Hamming) and sinsh. Each parameter
// setter announces a change only when the value differs.
#pragma once

#include "bitmap32/Bmp32_Resamplers.h"

namespace Bmp32 {

// (cos(pi x) + 1) / 2 over |x| < 1.
class TCosineKernel : public TCustomKernel {
    DECLARE_CLASS(TCosineKernel, TCustomKernel)
public:
    float Filter(float Value) const override;
    float GetWidth() const override;
};

// The cubic B-spline: smooth, never negative, but blurring.
class TSplineKernel : public TCustomKernel {
    DECLARE_CLASS(TSplineKernel, TCustomKernel)
public:
    bool RangeCheck() const override;
    float Filter(float Value) const override;
    float GetWidth() const override;
};

class TMitchellKernel : public TCustomKernel {
    DECLARE_CLASS(TMitchellKernel, TCustomKernel)
public:
    bool RangeCheck() const override;
    float Filter(float Value) const override;
    float GetWidth() const override;
};

class TCubicKernel : public TCustomKernel {
    DECLARE_CLASS(TCubicKernel, TCustomKernel)
public:
    bool RangeCheck() const override;
    float Filter(float Value) const override;
    float GetWidth() const override;
    float GetCoeff() const { return FCoeff; }
    void SetCoeff(float Value);

private:
    float FCoeff = -0.5f;
};

class THermiteKernel : public TCustomKernel {
    DECLARE_CLASS(THermiteKernel, TCustomKernel)
public:
    bool RangeCheck() const override;
    float Filter(float Value) const override;
    float GetWidth() const override;
    float GetBias() const { return FBias; }
    void SetBias(float Value);
    float GetTension() const { return FTension; }
    void SetTension(float Value);

private:
    float FBias = 0;
    float FTension = 0;
};

// Window(|x|) * Sinc(|x|) inside Width, 0 outside.
class TWindowedSincKernel : public TCustomKernel {
    DECLARE_CLASS(TWindowedSincKernel, TCustomKernel)
public:
    bool RangeCheck() const override;
    float Filter(float Value) const override;
    float GetWidth() const override;
    void SetWidth(float Value);
    virtual float Window(float Value) const = 0;

private:
    float FWidth = 3.0f;
};

class TLanczosKernel : public TWindowedSincKernel {
    DECLARE_CLASS(TLanczosKernel, TWindowedSincKernel)
public:
    float Window(float Value) const override;
};

class TGaussianKernel : public TWindowedSincKernel {
    DECLARE_CLASS(TGaussianKernel, TWindowedSincKernel)
public:
    float Window(float Value) const override;
    float GetSigma() const { return FSigma; }
    // 0 is refused: the window divides by it.
    void SetSigma(float Value);

private:
    float FSigma = 1.33f;
};

class TBlackmanKernel : public TWindowedSincKernel {
    DECLARE_CLASS(TBlackmanKernel, TWindowedSincKernel)
public:
    float Window(float Value) const override;
};

class THannKernel : public TWindowedSincKernel {
    DECLARE_CLASS(THannKernel, TWindowedSincKernel)
public:
    float Window(float Value) const override;
};

class THammingKernel : public TWindowedSincKernel {
    DECLARE_CLASS(THammingKernel, TWindowedSincKernel)
public:
    float Window(float Value) const override;
};

// sin(pi x) * Coeff / sinh(pi x Coeff), 1 at 0.
class TSinshKernel : public TCustomKernel {
    DECLARE_CLASS(TSinshKernel, TCustomKernel)
public:
    bool RangeCheck() const override;
    float Filter(float Value) const override;
    float GetWidth() const override;
    void SetWidth(float Value);
    float GetCoeff() const { return FCoeff; }
    // 0 is refused: the filter divides by it.
    void SetCoeff(float Value);

private:
    float FWidth = 3.0f;
    float FCoeff = 0.5f;
};

// sin(pi x) / (pi x) with pi x held as a float; 1 at 0.
float Sinc(float Value);

// Registers the thirteen kernel classes (not the windowed sinc base) in their fixed order.
void RegisterKernels();

} // namespace Bmp32
