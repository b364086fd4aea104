// Kernels, nested samplers, the resampler classes' sampling, the registries and the unit's
// start-up. The transfers are in Bmp32_ResamplersTransfer.cpp, the stretching algorithms in
// Bmp32_ResamplersScaling.cpp.
#include "bitmap32/Bmp32_Resamplers.h"

#include "bitmap32/Bmp32_LowLevel.h"
#include "bitmap32/Bmp32_ResamplersKernels.h"
#include "bitmap32/Bmp32_Math.h"
#include "classlib/ClassRegistry.h"

#include <cmath>

namespace Bmp32 {

// ---- Kernels ------------------------------------------------------------------------------

bool TCustomKernel::RangeCheck() const {
    return false;
}

void TCustomKernel::Changed() {
    if (FObserver) FObserver->Changed();
}

float TBoxKernel::Filter(float Value) const {
    return Value >= -0.5f && Value <= 0.5f ? 1.0f : 0.0f;
}

float TBoxKernel::GetWidth() const {
    return 1.0f;
}

float TLinearKernel::Filter(float Value) const {
    if (Value >= -1.0f && Value < 0.0f) return 1.0f + Value;
    if (Value >= 0.0f && Value < 1.0f) return 1.0f - Value;
    return 0.0f;
}

float TLinearKernel::GetWidth() const {
    return 1.0f;
}

// ---- Nested samplers ----------------------------------------------------------------------

TCustomSampler& TNestedSampler::Inner() const {
    if (!FSampler) throw ENestedException("Nested sampler is nil");
    return *FSampler;
}

void TNestedSampler::PrepareSampling() {
    Inner().PrepareSampling();
}

void TNestedSampler::FinalizeSampling() {
    Inner().FinalizeSampling();
}

bool TNestedSampler::HasBounds() const {
    return Inner().HasBounds();
}

TRect TNestedSampler::GetSampleBounds() const {
    return Inner().GetSampleBounds();
}

TTransformation& TTransformer::Mapping() const {
    if (!FTransformation) throw ETransformError("Transformation is nil");
    return *FTransformation;
}

TColor32 TTransformer::GetSampleInt(int X, int Y) {
    TFixed u = 0;
    TFixed v = 0;
    Mapping().ReverseTransformFixed(CheckedFixed(X), CheckedFixed(Y), u, v);
    return Inner().GetSampleFixed(u, v);
}

TColor32 TTransformer::GetSampleFixed(TFixed X, TFixed Y) {
    TFixed u = 0;
    TFixed v = 0;
    Mapping().ReverseTransformFixed(X, Y, u, v);
    return Inner().GetSampleFixed(u, v);
}

TColor32 TTransformer::GetSampleFloat(float X, float Y) {
    float u = 0;
    float v = 0;
    Mapping().ReverseTransformFloat(X, Y, u, v);
    return Inner().GetSampleFloat(u, v);
}

void TTransformer::PrepareSampling() {
    Inner().PrepareSampling();
    if (!Mapping().GetPrepared()) Mapping().PrepareTransform();
}

bool TTransformer::HasBounds() const {
    return Mapping().HasTransformedBounds() && Inner().HasBounds();
}

TRect TTransformer::GetSampleBounds() const {
    return Mapping().GetTransformedBounds(FloatRect(Inner().GetSampleBounds()));
}

TColor32 TNearestTransformer::GetSampleInt(int X, int Y) {
    int u = 0;
    int v = 0;
    Mapping().ReverseTransformInt(X, Y, u, v);
    return Inner().GetSampleInt(u, v);
}

TColor32 TNearestTransformer::GetSampleFixed(TFixed X, TFixed Y) {
    TFixed u = 0;
    TFixed v = 0;
    Mapping().ReverseTransformFixed(X, Y, u, v);
    return Inner().GetSampleInt(FixedFloor(u), FixedFloor(v));
}

TColor32 TNearestTransformer::GetSampleFloat(float X, float Y) {
    float u = 0;
    float v = 0;
    Mapping().ReverseTransformFloat(X, Y, u, v);
    return Inner().GetSampleInt(RoundToInt(u), RoundToInt(v));
}

// ---- TBitmap32Resampler -------------------------------------------------------------------

TBitmap32Resampler::TBitmap32Resampler(TBitmap32* ABitmap) : FBitmap(ABitmap) {
    if (FBitmap) FBitmap->SetResampler(this);
}

TBitmap32& TBitmap32Resampler::Bitmap() const {
    if (!FBitmap) throw EBitmapException("Source bitmap is nil");
    return *FBitmap;
}

void TBitmap32Resampler::SetPixelAccessMode(TPixelAccessMode Value) {
    if (Value == FPixelAccessMode) return;
    FPixelAccessMode = Value;
    Changed();
}

TTransformerClass TBitmap32Resampler::GetTransformerClass() const {
    return &MakeTransformer<TTransformer>;
}

void TBitmap32Resampler::Changed() {
    if (FBitmap) FBitmap->Changed();
}

void TBitmap32Resampler::PrepareSampling() {
    FClipRect = Bitmap().GetClipRect();
}

bool TBitmap32Resampler::HasBounds() const {
    return true;
}

TRect TBitmap32Resampler::GetSampleBounds() const {
    return Bitmap().GetClipRect();
}

// ---- TNearestResampler --------------------------------------------------------------------

namespace {

using TPixelRead = TColor32 (TBitmap32::*)(int X, int Y) const;
using TFixedPixelRead = TColor32 (TBitmap32::*)(TFixed X, TFixed Y) const;

TPixelRead PixelReadFor(TPixelAccessMode Mode) {
    switch (Mode) {
    case pamUnsafe:
        return &TBitmap32::GetPixel;
    case pamWrap:
        return &TBitmap32::GetPixelW;
    default:
        return &TBitmap32::GetPixelS;
    }
}

TFixedPixelRead FixedPixelReadFor(TPixelAccessMode Mode) {
    switch (Mode) {
    case pamUnsafe:
        return &TBitmap32::GetPixelX;
    case pamWrap:
        return &TBitmap32::GetPixelXW;
    default:
        return &TBitmap32::GetPixelXS;
    }
}

} // namespace

TNearestResampler::TNearestResampler(TBitmap32* ABitmap)
    : TBitmap32Resampler(ABitmap), FGetPixel(PixelReadFor(GetPixelAccessMode())) {}

TColor32 TNearestResampler::GetSampleInt(int X, int Y) {
    return (Bitmap().*FGetPixel)(X, Y);
}

TColor32 TNearestResampler::GetSampleFixed(TFixed X, TFixed Y) {
    return (Bitmap().*FGetPixel)(FixedRound(X), FixedRound(Y));
}

// A safe read of a point beyond the 32-bit range lies outside the clip rectangle however
// large the bitmap; the other reads raise ERangeError there.
TColor32 TNearestResampler::GetSampleFloat(float X, float Y) {
    const double x = std::nearbyint(X), y = std::nearbyint(Y);
    if (FGetPixel == &TBitmap32::GetPixelS && !(FitsInt(x) && FitsInt(y)))
        return Bitmap().GetOuterColor();
    return (Bitmap().*FGetPixel)(TruncToInt(x), TruncToInt(y));
}

void TNearestResampler::PrepareSampling() {
    TBitmap32Resampler::PrepareSampling();
    FGetPixel = PixelReadFor(GetPixelAccessMode());
}

float TNearestResampler::GetWidth() const {
    return 1.0f;
}

TTransformerClass TNearestResampler::GetTransformerClass() const {
    return &MakeTransformer<TNearestTransformer>;
}

// ---- TLinearResampler ---------------------------------------------------------------------

TLinearResampler::TLinearResampler(TBitmap32* ABitmap)
    : TBitmap32Resampler(ABitmap), FKernel(new TLinearKernel),
      FGetPixelX(FixedPixelReadFor(GetPixelAccessMode())) {}

TLinearResampler::~TLinearResampler() {
    delete FKernel;
}

TColor32 TLinearResampler::GetSampleFixed(TFixed X, TFixed Y) {
    return (Bitmap().*FGetPixelX)(X, Y);
}

// A safe read of a point beyond the 16.16 range goes through the 24.8 read, which holds any
// point of a bitmap and gives the outer colour beyond.
TColor32 TLinearResampler::GetSampleFloat(float X, float Y) {
    const double x = std::nearbyint(double(X) * 65536), y = std::nearbyint(double(Y) * 65536);
    if (FGetPixelX == &TBitmap32::GetPixelXS && !(FitsInt(x) && FitsInt(y)))
        return Bitmap().GetPixelFS(X, Y);
    return (Bitmap().*FGetPixelX)(TruncToInt(x), TruncToInt(y));
}

void TLinearResampler::PrepareSampling() {
    TBitmap32Resampler::PrepareSampling();
    FGetPixelX = FixedPixelReadFor(GetPixelAccessMode());
}

float TLinearResampler::GetWidth() const {
    return 1.0f;
}

// ---- TKernelResampler ---------------------------------------------------------------------

TKernelResampler::TKernelResampler(TBitmap32* ABitmap) : TBitmap32Resampler(ABitmap) {
    FKernel = new TBoxKernel;
    FKernel->SetObserver(this);
}

TKernelResampler::~TKernelResampler() {
    delete FKernel;
}

void TKernelResampler::SetKernel(TCustomKernel* Value) {
    if (!Value) throw EInvalidOperation("A kernel resampler needs a kernel");
    if (Value == FKernel) return;
    delete FKernel;
    FKernel = Value;
    FKernel->SetObserver(this);
    Changed();
}

AnsiString TKernelResampler::GetKernelClassName() const {
    return FKernel->ClassName();
}

void TKernelResampler::SetKernelClassName(const AnsiString& Value) {
    if (Value.empty() || Value == GetKernelClassName()) return;
    if (TCustomKernel* kernel = CreateKernel(Value)) SetKernel(kernel);
}

void TKernelResampler::SetKernelMode(TKernelMode Value) {
    if (Value == FKernelMode) return;
    FKernelMode = Value;
    Changed();
}

void TKernelResampler::SetTableSize(int Value) {
    Value = std::max(Value, 2);
    if (Value == FTableSize) return;
    FTableSize = Value;
    Changed();
}

float TKernelResampler::GetWidth() const {
    return FKernel->GetWidth();
}

namespace {

// The weights of one row rounded to 256ths; the centre takes up what rounding left over, so
// that they sum to 256.
void NormaliseAtCentre(int* Weights, int Radius) {
    int sum = 0;
    for (int k = 0; k <= 2 * Radius; ++k)
        sum += Weights[k];
    Weights[Radius] -= sum - 256;
}

} // namespace

void TKernelResampler::PrepareSampling() {
    TBitmap32Resampler::PrepareSampling();
    FOuterColor = Bitmap().GetOuterColor();
    FRadius = CeilToInt(FKernel->GetWidth());
    const int span = 2 * FRadius + 1;
    FWrappedColumns.assign(GetPixelAccessMode() == pamWrap ? span : 0, 0);
    FWeightTable.clear();
    if (FKernelMode != kmDynamic) {
        FWeightTable.resize(std::size_t(FTableSize + 1) * span);
        for (int row = 0; row <= FTableSize; ++row) {
            int* weights = &FWeightTable[std::size_t(row) * span];
            const double fraction = double(row) / (FTableSize - 1);
            for (int k = -FRadius; k <= FRadius; ++k)
                weights[k + FRadius] =
                    RoundToInt(double(FKernel->Filter(float(k + fraction))) * 256);
            NormaliseAtCentre(weights, FRadius);
        }
    }
    FHorzWeights.assign(span, 0);
    FVertWeights.assign(span, 0);
    FPrepared = true;
}

void TKernelResampler::FinalizeSampling() {
    FWeightTable.clear();
    FWeightTable.shrink_to_fit();
    FHorzWeights.clear();
    FVertWeights.clear();
    FWrappedColumns.clear();
    FPrepared = false;
}

const int* TKernelResampler::TableRow(int Row) const {
    return &FWeightTable[std::size_t(Row) * (2 * FRadius + 1)];
}

void TKernelResampler::FillWeights(std::vector<int>& Weights, float Fraction) const {
    const int span = 2 * FRadius + 1;
    switch (FKernelMode) {
    case kmDynamic:
        for (int k = -FRadius; k <= FRadius; ++k)
            Weights[k + FRadius] = RoundToInt(double(FKernel->Filter(k + Fraction)) * 256);
        NormaliseAtCentre(Weights.data(), FRadius);
        break;
    case kmTableNearest: {
        const int* row = TableRow(RoundToInt(double(Fraction) * (FTableSize - 1)));
        Weights.assign(row, row + span);
        break;
    }
    case kmTableLinear: {
        const int q = RoundToInt(double(Fraction) * (FTableSize - 1) * 65536);
        const int* row0 = TableRow(q >> 16);
        const int* row1 = TableRow((q >> 16) + 1);
        const int fraction = q & 0xFFFF;
        for (int k = 0; k < span; ++k) {
            const int step = (row1[k] - row0[k]) * fraction + 0x7FFF;
            Weights[k] = row0[k] + std::int16_t(Cardinal(step) >> 16);
        }
        NormaliseAtCentre(Weights.data(), FRadius);
        break;
    }
    }
}

namespace {

// The offsets Lo..Hi around the integer position C that lie inside Min..Max - 1; false when
// C itself lies beyond the edge and the sample is the outer colour.
bool ClipOffsets(int C, int Min, int Max, int& Lo, int& Hi) {
    if (Int64(C) + Lo < Min) {
        if (C < Min) return false;
        Lo = Min - C;
    }
    if (Int64(C) + Hi >= Max) {
        if (C > Max) return false;
        Hi = Max - C - 1;
    }
    return true;
}

// Bits 16..31 of a weighted channel total, as a signed 16-bit value.
int ChannelOf(int Total, bool Clamped) {
    const int value = std::int16_t(Cardinal(Total) >> 16);
    return Clamped ? Clamp(value) : value & 0xFF;
}

} // namespace

TColor32 TKernelResampler::GetSampleFloat(float X, float Y) {
    if (!FPrepared)
        throw EInvalidOperation("TKernelResampler samples only between PrepareSampling and "
                                "FinalizeSampling");
    TBitmap32& bitmap = Bitmap();
    if (bitmap.Empty()) return FOuterColor;
    const TPixelAccessMode mode = GetPixelAccessMode();
    if (mode == pamSafe && !(FitsInt(std::ceil(X)) && FitsInt(std::ceil(Y)))) return FOuterColor;
    const int cx = CeilToInt(X);
    const int cy = CeilToInt(Y);
    int hLo = -FRadius, hHi = FRadius, vLo = -FRadius, vHi = FRadius;
    if (mode == pamSafe) {
        const TRect& clip = SamplingClipRect();
        if (!ClipOffsets(cx, clip.Left, clip.Right, hLo, hHi) ||
            !ClipOffsets(cy, clip.Top, clip.Bottom, vLo, vHi))
            return FOuterColor;
    }
    FillWeights(FHorzWeights, float(double(cx) - X));
    FillWeights(FVertWeights, float(double(cy) - Y));

    const TWrapProc wrap = WRAP_PROCS[bitmap.GetWrapMode()];
    if (mode == pamWrap)
        for (int k = -FRadius; k <= FRadius; ++k)
            FWrappedColumns[k + FRadius] = wrap(cx + k, bitmap.GetWidth() - 1);
    int total[4] = {0, 0, 0, 0};
    for (int v = vLo; v <= vHi; ++v) {
        const int rowWeight = FVertWeights[v + FRadius];
        if (rowWeight == 0) continue;
        const int y = mode == pamWrap ? wrap(cy + v, bitmap.GetHeight() - 1) : cy + v;
        const TColor32* row = bitmap.GetScanLine(y);
        int sum[4] = {0, 0, 0, 0};
        for (int h = hLo; h <= hHi; ++h) {
            const int x = mode == pamWrap ? FWrappedColumns[h + FRadius] : cx + h;
            const TColor32 pixel = row[x];
            const int weight = FHorzWeights[h + FRadius];
            sum[0] += int(pixel & 0xFF) * weight;
            sum[1] += int(pixel >> 8 & 0xFF) * weight;
            sum[2] += int(pixel >> 16 & 0xFF) * weight;
            sum[3] += int(pixel >> 24) * weight;
        }
        for (int c = 0; c < 4; ++c)
            total[c] += sum[c] * rowWeight;
    }
    const bool clamped = FKernel->RangeCheck();
    return TColor32(ChannelOf(total[3], clamped)) << 24 |
           TColor32(ChannelOf(total[2], clamped)) << 16 |
           TColor32(ChannelOf(total[1], clamped)) << 8 | TColor32(ChannelOf(total[0], clamped));
}

// ---- Registries ---------------------------------------------------------------------------

TClassList* ResamplerList = nullptr;
TClassList* KernelList = nullptr;

namespace {

template <typename Factory> struct TRegistration {
    TClassReference Class;
    Factory Create;
};

std::vector<TRegistration<TResamplerFactory>>& ResamplerFactories() {
    static std::vector<TRegistration<TResamplerFactory>> factories;
    return factories;
}

std::vector<TRegistration<TKernelFactory>>& KernelFactories() {
    static std::vector<TRegistration<TKernelFactory>> factories;
    return factories;
}

template <typename Factory>
void Register(TClassList*& List, std::vector<TRegistration<Factory>>& Factories,
              TClassReference Class, Factory Create) {
    if (!List) List = new TClassList;
    if (List->IndexOf(Class) < 0) {
        List->Add(Class);
        Factories.push_back({Class, Create});
    }
    RegisterClass(Class);
}

template <typename Factory>
Factory FactoryOf(const TClassList* List, const std::vector<TRegistration<Factory>>& Factories,
                  const AnsiString& ClassName) {
    const TClassReference found = List ? List->Find(ClassName) : nullptr;
    for (const auto& registration : Factories)
        if (registration.Class == found) return registration.Create;
    return nullptr;
}

} // namespace

void RegisterResampler(TClassReference Class, TResamplerFactory Create) {
    Register(ResamplerList, ResamplerFactories(), Class, Create);
}

void RegisterKernel(TClassReference Class, TKernelFactory Create) {
    Register(KernelList, KernelFactories(), Class, Create);
}

TBitmap32Resampler* CreateResampler(const AnsiString& ClassName, TBitmap32* Bitmap) {
    const TResamplerFactory create = FactoryOf(ResamplerList, ResamplerFactories(), ClassName);
    return create ? create(Bitmap) : nullptr;
}

TCustomKernel* CreateKernel(const AnsiString& ClassName) {
    const TKernelFactory create = FactoryOf(KernelList, KernelFactories(), ClassName);
    return create ? create() : nullptr;
}

} // namespace Bmp32

namespace {

Bmp32::TCustomResampler* ConstructRegisteredResampler(const AnsiString& ClassName,
                                                      Bmp32::TBitmap32* Bitmap) {
    return Bmp32::CreateResampler(ClassName, Bitmap);
}

void InitializeResamplers() {
    using namespace Bmp32;
    RegisterResampler<TNearestResampler>();
    RegisterResampler<TLinearResampler>();
    RegisterResampler<TDraftResampler>();
    RegisterResampler<TKernelResampler>();
    RegisterKernels();
    ConstructResampler = ConstructRegisteredResampler;
}

void FinalizeResamplers() {
    using namespace Bmp32;
    ConstructResampler = nullptr;
    delete ResamplerList;
    ResamplerList = nullptr;
    delete KernelList;
    KernelList = nullptr;
    ResamplerFactories().clear();
    KernelFactories().clear();
}

} // namespace

DEFINE_UNIT(Bmp32_Resamplers, uoBmp32Resamplers, InitializeResamplers, FinalizeResamplers);
