// TBitmap32 storage, clip rectangle, properties and change notification, and the classes it
// stands on. Canvas, font and the unit's start-up are in Bmp32_Canvas.cpp; drawing is in
// Bmp32_Pixels.cpp, Bmp32_Lines.cpp, Bmp32_SubPixelLines.cpp and Bmp32_Rects.cpp.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_LowLevel.h"
#include "classlib/Persistence.h"

#include <algorithm>

namespace Bmp32 {

TResamplerConstructor ConstructResampler = nullptr;

namespace {

// A resampler attaches itself to its bitmap when it is made; one that did not is attached here.
void AttachNewResampler(TBitmap32& Bitmap, const AnsiString& ClassName) {
    TCustomResampler* resampler = ConstructResampler(ClassName, &Bitmap);
    if (resampler && resampler != Bitmap.GetResampler()) Bitmap.SetResampler(resampler);
}

} // namespace

// ---- TNotifiablePersistent ----------------------------------------------------------------

void TNotifiablePersistent::Changed() {
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TNotifiablePersistent::BeginUpdate() {
    ++FUpdateCount;
}

void TNotifiablePersistent::EndUpdate() {
    if (FUpdateCount < 1) throw EAssertionFailed("Unpaired TThreadPersistent.EndUpdate");
    --FUpdateCount;
}

// ---- TThreadPersistent --------------------------------------------------------------------

namespace {

// Guards the lock counts of every object; made on first use and kept to the process's end,
// so that objects destroyed late in the shut-down still find it.
TCriticalSection& CounterLock() {
    static TCriticalSection* const lock = new TCriticalSection;
    return *lock;
}

} // namespace

void TThreadPersistent::Lock() {
    CounterLock().Enter();
    ++FLockCount;
    CounterLock().Leave();
    FLock.Enter();
}

void TThreadPersistent::Unlock() {
    FLock.Leave();
    CounterLock().Enter();
    --FLockCount;
    CounterLock().Leave();
}

int TThreadPersistent::GetLockCount() const {
    CounterLock().Enter();
    const int count = FLockCount;
    CounterLock().Leave();
    return count;
}

// ---- TCustomMap ---------------------------------------------------------------------------

void TCustomMap::SetWidth(int Value) {
    SetSize(Value, FHeight);
}

void TCustomMap::SetHeight(int Value) {
    SetSize(FWidth, Value);
}

bool TCustomMap::SetSize(int NewWidth, int NewHeight) {
    NewWidth = std::max(NewWidth, 0);
    NewHeight = std::max(NewHeight, 0);
    if (NewWidth == FWidth && NewHeight == FHeight) return false;
    ChangeSize(FWidth, FHeight, NewWidth, NewHeight);
    Changed();
    Resized();
    return true;
}

void TCustomMap::Delete() {
    SetSize(0, 0);
}

bool TCustomMap::Empty() const {
    return FWidth == 0 || FHeight == 0;
}

void TCustomMap::Resized() {
    if (OnResize) OnResize(this);
}

void TCustomMap::ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) {
    Width = NewWidth;
    Height = NewHeight;
}

// ---- TCustomSampler -----------------------------------------------------------------------

namespace {

// Marks a default sampling form as running for as long as it runs.
class TForwardingGuard {
public:
    explicit TForwardingGuard(bool& Flag) : FFlag(Flag) {
        if (FFlag)
            throw EInvalidOperation("A sampler must override GetSampleFixed or GetSampleFloat");
        FFlag = true;
    }
    ~TForwardingGuard() { FFlag = false; }
    TForwardingGuard(const TForwardingGuard&) = delete;
    TForwardingGuard& operator=(const TForwardingGuard&) = delete;

private:
    bool& FFlag;
};

} // namespace

TColor32 TCustomSampler::GetSampleInt(int X, int Y) {
    return GetSampleFixed(Fixed(X), Fixed(Y));
}

TColor32 TCustomSampler::GetSampleFixed(TFixed X, TFixed Y) {
    TForwardingGuard guard(FForwarding);
    return GetSampleFloat(float(X * FixedToFloat), float(Y * FixedToFloat));
}

TColor32 TCustomSampler::GetSampleFloat(float X, float Y) {
    TForwardingGuard guard(FForwarding);
    return GetSampleFixed(Fixed(X), Fixed(Y));
}

void TCustomSampler::PrepareSampling() {}

void TCustomSampler::FinalizeSampling() {}

bool TCustomSampler::HasBounds() const {
    return false;
}

TRect TCustomSampler::GetSampleBounds() const {
    return {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
}

// ---- TBitmap32: life and storage ----------------------------------------------------------

TBitmap32::TBitmap32() {
    MakeFont();
    if (ConstructResampler) AttachNewResampler(*this, DefaultResamplerClassName);
}

TBitmap32::~TBitmap32() {
    BeginUpdate();
    Lock();
    DeleteCanvas();
    // The section goes without SetSize: its OnResize would reach handlers whose objects may
    // be half destroyed by now.
    FontChanged(this);
    ReleasePixelStore();
    FreeFont();
    delete FResampler;
    FResampler = nullptr;
    Unlock();
}

void TBitmap32::ReleasePixelStore() {
    delete FStore;
    FStore = nullptr;
    FBits = nullptr;
}

void TBitmap32::ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) {
    FontChanged(this);
    DeleteCanvas();
    ReleasePixelStore();
    Width = 0;
    Height = 0;
    // Should making the new section fail, the bitmap stays empty with nothing to clip to.
    ResetClipRect();
    if (NewWidth >= 1 && NewHeight >= 1) {
        FBitmapInfo = TopDownBitmapInfo(NewWidth, NewHeight);
        FStore = new TPixelStore(FBitmapInfo);
        FBits = FStore->Bits();
    }
    Width = NewWidth;
    Height = NewHeight;
    ResetClipRect();
    HandleChanged();
}

bool TBitmap32::Empty() const {
    return FStore == nullptr || TCustomMap::Empty();
}

void TBitmap32::Delete() {
    SetSize(0, 0);
}

TPlatformHandle TBitmap32::GetBitmapHandle() const {
    if (!FStore) return nullptr;
    const TPlatformHandle bitmap = FStore->BitmapHandle();
    FBits = FStore->Bits();
    return bitmap;
}

TPlatformHandle TBitmap32::GetHandle() const {
    if (!FStore) return nullptr;
    const TPlatformHandle dc = FStore->DC();
    FBits = FStore->Bits();
    return dc;
}

bool TBitmap32::HandleAllocated() const {
    return FStore && FStore->HandleAllocated();
}

void TBitmap32::Clear() {
    Clear(Black32);
}

void TBitmap32::Clear(TColor32 FillColor) {
    if (Empty()) return;
    if (!FMeasuringMode) {
        if (FClipping)
            FillRect(FClipRect.Left, FClipRect.Top, FClipRect.Right, FClipRect.Bottom, FillColor);
        else
            FillLongword(FBits, GetWidth() * GetHeight(), FillColor);
    }
    Changed();
}

void TBitmap32::ResetAlpha() {
    ResetAlpha(255);
}

void TBitmap32::ResetAlpha(Byte AlphaValue) {
    if (!FMeasuringMode && FBits) {
        auto* pixel = reinterpret_cast<TColor32Entry*>(FBits);
        const int count = GetWidth() * GetHeight();
        for (int i = 0; i < count; ++i)
            pixel[i].A = AlphaValue;
    }
    Changed();
}

// ---- Clip rectangle -----------------------------------------------------------------------

void TBitmap32::SetClipRect(const TRect& Value) {
    IntersectRect(FClipRect, Value, BoundsRect());
    // Edges lie in 0..Width or 0..Height; past the fixed ranges they stop at the largest
    // position those can hold.
    const auto fixedEdge = [](int Edge) { return Fixed(std::min(Edge, 0x7FFF)); };
    const auto edge256 = [](int Edge) { return std::min(Edge, 0x7FFFFF) * 256; };
    FFixedClipRect = {fixedEdge(FClipRect.Left), fixedEdge(FClipRect.Top),
                      fixedEdge(FClipRect.Right), fixedEdge(FClipRect.Bottom)};
    F256ClipRect = {edge256(FClipRect.Left), edge256(FClipRect.Top), edge256(FClipRect.Right),
                    edge256(FClipRect.Bottom)};
    FClipping = !EqualRect(FClipRect, BoundsRect());
}

void TBitmap32::ResetClipRect() {
    SetClipRect(BoundsRect());
}

// ---- Properties ---------------------------------------------------------------------------

void TBitmap32::SetDrawMode(TDrawMode Value) {
    if (Value == FDrawMode) return;
    FDrawMode = Value;
    Changed();
}

void TBitmap32::SetCombineMode(TCombineMode Value) {
    if (Value == FCombineMode) return;
    FCombineMode = Value;
    Changed();
}

void TBitmap32::SetWrapMode(TWrapMode Value) {
    if (Value == FWrapMode) return;
    FWrapMode = Value;
    Changed();
}

void TBitmap32::SetMasterAlpha(Cardinal Value) {
    if (Value == FMasterAlpha) return;
    FMasterAlpha = Value;
    Changed();
}

// ---- Notification -------------------------------------------------------------------------

void TBitmap32::BeginMeasuring(const TAreaChangedEvent& Callback) {
    FMeasuringMode = true;
    FOldOnAreaChanged = OnAreaChanged;
    OnAreaChanged = Callback;
}

void TBitmap32::EndMeasuring() {
    FMeasuringMode = false;
    OnAreaChanged = FOldOnAreaChanged;
}

void TBitmap32::Changed() {
    Changed(BoundsRect(), AREAINFO_RECT);
}

void TBitmap32::Changed(const TRect& Area, Cardinal Info) {
    if (FUpdateCount > 0 && !FMeasuringMode) return;
    if (OnAreaChanged) OnAreaChanged(this, Area, Info);
    if (!FMeasuringMode) TNotifiablePersistent::Changed();
}

void TBitmap32::PropertyChanged() {
    TNotifiablePersistent::Changed();
}

// ---- Resampler ----------------------------------------------------------------------------

void TBitmap32::SetResampler(TCustomResampler* Value) {
    if (!Value) return;
    if (Value != FResampler) {
        delete FResampler;
        FResampler = Value;
    }
    Changed();
}

AnsiString TBitmap32::GetResamplerClassName() const {
    return FResampler ? FResampler->ClassName() : "";
}

void TBitmap32::SetResamplerClassName(const AnsiString& Value) {
    if (Value.empty() || Value == GetResamplerClassName() || !ConstructResampler) return;
    AttachNewResampler(*this, Value);
}

TColor32 TBitmap32::GetPixelR(float X, float Y) const {
    if (!FResampler) throw EInvalidOperation("The bitmap has no resampler");
    return FResampler->GetSampleFloat(X, Y);
}

// ---- Published properties -----------------------------------------------------------------

void TBitmap32::Published(TPropertyList& P) {
    RegisterEnum<TDrawMode>({"dmOpaque", "dmBlend", "dmCustom", "dmTransparent"});
    RegisterEnum<TCombineMode>({"cmBlend", "cmMerge"});
    RegisterEnum<TWrapMode>({"wmClamp", "wmRepeat", "wmMirror"});
    P.Add("DrawMode", &TBitmap32::GetDrawMode, &TBitmap32::SetDrawMode, dmOpaque);
    P.Add("CombineMode", &TBitmap32::GetCombineMode, &TBitmap32::SetCombineMode, cmBlend);
    P.Add("WrapMode", &TBitmap32::GetWrapMode, &TBitmap32::SetWrapMode, wmClamp);
    P.Add("MasterAlpha", &TBitmap32::GetMasterAlpha, &TBitmap32::SetMasterAlpha, 255);
    P.Add("OuterColor", &TBitmap32::GetOuterColor, &TBitmap32::SetOuterColor, 0);
    P.Add("ResamplerClassName", &TBitmap32::GetResamplerClassName,
          &TBitmap32::SetResamplerClassName);
    P.Add("Resampler", &TBitmap32::GetResampler);
    P.Add("OnChange", &TNotifiablePersistent::OnChange);
    P.Add("OnHandleChanged", &TBitmap32::OnHandleChanged);
    P.Add("OnPixelCombine", &TBitmap32::OnPixelCombine);
    P.Add("OnAreaChanged", &TBitmap32::OnAreaChanged);
    P.Add("OnResize", &TCustomMap::OnResize);
}

} // namespace Bmp32
