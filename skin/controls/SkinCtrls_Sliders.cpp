#include "skin/controls/SkinCtrls_Sliders.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/Streams.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT kTimerId = 1;
constexpr UINT kTrackInterval = 400;
const char* const kDefaultImages[4] = {"SK_HTB", "SK_HRL", "SK_VTB", "SK_VRL"};

// Value rounded down / up to a multiple of Step (Step >= 1), for negative values too; wide,
// since the multiple may lie past either end of int.
Int64 FloorTo(Int64 Value, Int64 Step) {
    const Int64 q = Value / Step;
    return (Value % Step != 0 && Value < 0 ? q - 1 : q) * Step;
}
Int64 CeilTo(Int64 Value, Int64 Step) {
    const Int64 q = Value / Step;
    return (Value % Step != 0 && Value > 0 ? q + 1 : q) * Step;
}

// How many intervals the points of every K-th step of Step divide Range into.
Int64 PointIntervals(Int64 Range, Int64 K, int Step) {
    return static_cast<Int64>(
        std::nearbyint(static_cast<double>(Range) / (static_cast<double>(K) * Step)));
}

void CopyAlong(TBitmap* Dest, TBitmap* Source, bool Vertical, int To, int From, int Length) {
    if (Length <= 0) return;
    const int cross = Vertical ? Source->GetWidth() : Source->GetHeight();
    if (Vertical)
        Dest->GetCanvas()->CopyRect(TRect(0, To, cross, To + Length), Source->GetCanvas(),
                                    TRect(0, From, cross, From + Length));
    else
        Dest->GetCanvas()->CopyRect(TRect(To, 0, To + Length, cross), Source->GetCanvas(),
                                    TRect(From, 0, From + Length, cross));
}

} // namespace

TskSkinCustomSlider::TskSkinCustomSlider(TComponent* AOwner) : TskSkinControl(AOwner) {
    FSkinDataName = "slider";
    SetTabStop(true);
    FRuler = std::make_unique<TBitmap>();
    for (int i = 0; i < 4; ++i) LoadDefaultImage(i);
    SetBounds(GetLeft(), GetTop(), 150, 40);
    FCreating = false;
    AdjustElements();
}

TskSkinCustomSlider::~TskSkinCustomSlider() {
    for (auto& image : FImages)
        if (image) image->OnChange = TNotifyEvent();
}

// ---- Elements -------------------------------------------------------------------------------

void TskSkinCustomSlider::LoadDefaultImage(int Index) {
    if (!FImages[Index]) {
        FImages[Index] = std::make_unique<TBitmap>();
        FImages[Index]->OnChange = TNotifyEvent(this, &TskSkinCustomSlider::ImageChanged);
    }
    TBitmap* image = FImages[Index].get();
    try {
        image->LoadFromResourceName(GetModuleHandleA(nullptr), kDefaultImages[Index]);
    } catch (const EResNotFound&) {
        // A program without the resources shows no such element.
        image->Assign(nullptr);
    }
    image->SetTransparent(true);
}

void TskSkinCustomSlider::ImageChanged(TObject*) {
    if (!FCreating) AdjustElements();
}

void TskSkinCustomSlider::SetImage(int Index, TBitmap* Bitmap) {
    if (Index < 0 || Index > 3) return;
    if (Bitmap) {
        FImages[Index]->Assign(Bitmap);
        FImages[Index]->SetTransparent(true);
        FUserImages = static_cast<Byte>(FUserImages | (1 << Index));
    } else {
        LoadDefaultImage(Index);
        FUserImages = static_cast<Byte>(FUserImages & ~(1 << Index));
        if (!Reading()) FOptions.Exclude(Index % 2 == 1 ? soRulerOpaque : soThumbOpaque);
    }
    AdjustElements();
}

void TskSkinCustomSlider::DefineProperties(TFiler* Filer) {
    TskSkinControl::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "UserImages", [this](TStream* Stream) { ReadUserImages(Stream); },
        [this](TStream* Stream) { WriteUserImages(Stream); }, FUserImages != 0);
}

void TskSkinCustomSlider::ReadUserImages(TStream* Stream) {
    Byte value = 0;
    if (Stream->GetSize() != 1 || Stream->Read(&value, 1) != 1 || value > 0x0F)
        throw EReadError("UserImages is not one byte of image flags");
    FUserImages = value;
}

void TskSkinCustomSlider::WriteUserImages(TStream* Stream) {
    Stream->WriteBuffer(&FUserImages, 1);
}

void TskSkinCustomSlider::Loaded() {
    TskSkinControl::Loaded();
    for (int i = 0; i < 4; ++i)
        if (StoreImage(i)) {
            // The image was read in place; applying it again marks and fits it.
            TBitmap copy;
            copy.Assign(FImages[i].get());
            SetImage(i, &copy);
        }
    AdjustElements();
}

void TskSkinCustomSlider::GetSkinData() {
    TskSkinControl::GetSkinData();
    FSkinPicture = nullptr;
    auto* record = dynamic_cast<TskDataSkinSlider*>(GetSkinRecord());
    if (!record) return;
    HRulerRect = record->HRulerRect;
    HThumbRect = record->HThumbRect;
    VRulerRect = record->VRulerRect;
    VThumbRect = record->VThumbRect;
    SkinEdgeSize = std::max(0, record->EdgeSize);
    BGColor = record->BGColor;
    PointsColor = record->PointsColor;
    FSkinPicture = SkinPicture(FSD, record->PictureIndex);
}

void TskSkinCustomSlider::ChangeSkinData() {
    GetSkinData();
    ApplySkinCursor();
    AdjustElements();
}

// ---- Properties -------------------------------------------------------------------------------

void TskSkinCustomSlider::SetValue(int Value) {
    Value = ClampValue(Value, FMinValue, FMaxValue);
    const bool changed = Value != FValue;
    FValue = Value;
    SetThumbOffset(GetOffsetByValue(Value));
    if (changed) Change();
}

void TskSkinCustomSlider::SetMinValue(int Value) {
    if (Value != FMinValue) SetRange(Value, FMaxValue);
}

void TskSkinCustomSlider::SetMaxValue(int Value) {
    if (Value != FMaxValue) SetRange(FMinValue, Value);
}

void TskSkinCustomSlider::SetRange(int Min, int Max) {
    if (Max <= Min && !Reading()) return;
    FMinValue = Min;
    FMaxValue = Max;
    const Int64 span = static_cast<Int64>(Max) - Min;
    if (!Reading() && span < FIncrement) FIncrement = static_cast<int>(span);
    if (FOptions.Contains(soShowPoints)) Invalidate();
    SetValue(FValue);
    RangeChanged();
}

void TskSkinCustomSlider::SetIncrement(int Value) {
    if (Value < 1 || Value == FIncrement) return;
    FIncrement = Value;
    SetValue(FValue);
    Invalidate();
}

void TskSkinCustomSlider::SetEdgeSize(int Value) {
    TBitmap* ruler = GetImage(Vertical() ? imVRuler : imHRuler);
    const int length = Vertical() ? ruler->GetHeight() : ruler->GetWidth();
    if (Value < 0 || length <= 2 * Value || Value == FEdgeSize) return;
    FEdgeSize = Value;
    AdjustElements();
}

void TskSkinCustomSlider::SetNumThumbStates(int Value) {
    FNumThumbStates = std::clamp(Value, 1, 2);
    AdjustElements();
}

void TskSkinCustomSlider::SetOrientation(TskSliderOrientation Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    AdjustElements();
    if (!IsLoading() && !Reading()) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
}

void TskSkinCustomSlider::SetOptions(TskSliderOptions Value) {
    FOptions = Value;
    Invalidate();
}

void TskSkinCustomSlider::SetTransparent(bool Value) {
    FTransparent = Value;
    Invalidate();
}

void TskSkinCustomSlider::SetUseSkinThumb(bool Value) {
    FUseSkinThumb = Value;
    AdjustElements();
}

void TskSkinCustomSlider::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (!Value) return;
    StopTracking();
    if (FThumbDown) {
        FThumbDown = false;
        InvalidateThumb();
    }
}

// ---- Geometry ---------------------------------------------------------------------------------

TSize TskSkinCustomSlider::ThumbSize() const {
    if (SkinThumb()) {
        const TRect& r = Vertical() ? VThumbRect : HThumbRect;
        return TSize{RectWidth(r) / 2, RectHeight(r)};
    }
    TBitmap* thumb = GetImage(Vertical() ? imVThumb : imHThumb);
    return TSize{thumb->GetWidth() / FNumThumbStates, thumb->GetHeight()};
}

int TskSkinCustomSlider::GetRulerLength() const {
    const TSize thumb = ThumbSize();
    return Vertical() ? FRuler->GetHeight() - thumb.cy : FRuler->GetWidth() - thumb.cx;
}

void TskSkinCustomSlider::BuildRuler() {
    const bool vertical = Vertical();
    TBitmap* image = GetImage(vertical ? imVRuler : imHRuler);
    const int s = vertical ? image->GetHeight() : image->GetWidth();
    const int length = std::max(0, (vertical ? GetHeight() : GetWidth()) - 2 * kIndent);
    TBitmap ruler;
    const int cross = vertical ? image->GetWidth() : image->GetHeight();
    if (vertical)
        ruler.SetSize(cross, length);
    else
        ruler.SetSize(length, cross);
    const int e = FEdgeSize;
    const int m = s - 2 * e;
    if (m <= 0 || length < 2 * e) {
        // No middle to repeat, or no room for one: the two ends only.
        const int end = std::min({e, s / 2, length / 2});
        CopyAlong(&ruler, image, vertical, 0, 0, end);
        CopyAlong(&ruler, image, vertical, length - end, s - end, end);
    } else {
        const int count = (length - 2 * e) / m + 1;
        const int rest = (length - 2 * e) % m;
        CopyAlong(&ruler, image, vertical, 0, 0, e);
        for (int i = 0; i < count - 1; ++i) CopyAlong(&ruler, image, vertical, e + i * m, e, m);
        // The last piece: the end of the middle and the far end.
        const int at = e + (count - 1) * m;
        CopyAlong(&ruler, image, vertical, at, e + m - rest, e + rest);
    }
    FRuler->Assign(&ruler);
}

void TskSkinCustomSlider::BuildSkinRuler() {
    const bool vertical = Vertical();
    const TRect& source = vertical ? VRulerRect : HRulerRect;
    const int length = std::max(0, (vertical ? GetHeight() : GetWidth()) - 2 * kIndent);
    // The ends never overlap: a middle of at least one pixel stays.
    const int span = vertical ? RectHeight(source) : RectWidth(source);
    const int e = std::max(0, std::min(SkinEdgeSize, (span - 1) / 2));
    TBitmap ruler;
    if (!IsNullRect(source) && length > 0) {
        if (vertical)
            CreateVSkinImage(e, e, &ruler, FSkinPicture, source, RectWidth(source), length);
        else
            CreateHSkinImage(e, e, &ruler, FSkinPicture, source, length, RectHeight(source));
    }
    FRuler->Assign(&ruler);
}

void TskSkinCustomSlider::AdjustElements() {
    if (FCreating) return;
    const int value = FValue;
    if (Skinned())
        BuildSkinRuler();
    else
        BuildRuler();
    const TSize thumb = ThumbSize();
    const int tw = thumb.cx, th = thumb.cy;
    const int rw = FRuler->GetWidth(), rh = FRuler->GetHeight();
    const int w = GetWidth(), h = GetHeight();
    if (!Vertical()) {
        if (th <= rh) {
            FThumbRect = TRect(kIndent, kIndent + (rh - th) / 2, kIndent + tw,
                               kIndent + (rh - th) / 2 + th);
            FRulerOrg = TPoint(kIndent, kIndent);
        } else {
            FThumbRect = TRect(kIndent, kIndent, kIndent + tw, kIndent + th);
            FRulerOrg = TPoint(kIndent, kIndent + (th - rh) / 2);
        }
        FPointsRect = TRect(FRulerOrg.X, kIndent + std::max(th, rh) + 1, FRulerOrg.X + rw, h - 1);
    } else {
        if (tw <= rw) {
            FThumbRect = TRect(kIndent + (rw - tw) / 2, kIndent, kIndent + (rw - tw) / 2 + tw,
                               kIndent + th);
            FRulerOrg = TPoint(kIndent, kIndent);
        } else {
            FThumbRect = TRect(kIndent, kIndent, kIndent + tw, kIndent + th);
            FRulerOrg = TPoint(kIndent + (tw - rw) / 2, kIndent);
        }
        FPointsRect = TRect(kIndent + std::max(tw, rw) + 1, FRulerOrg.Y, w - 1, FRulerOrg.Y + rh);
    }
    SetValue(value);
    Invalidate();
}

int TskSkinCustomSlider::GetOffsetByValue(int Value) const {
    const int rl = GetRulerLength();
    const int indent = kIndent;
    // A value outside the range stands at the nearer end.
    const double k = RangeFraction(ClampValue(Value, FMinValue, FMaxValue), FMinValue, FMaxValue);
    int offset = RoundEven(k * rl) + indent;
    if (Vertical()) offset = GetHeight() - offset - ThumbSize().cy;
    return std::max(offset, indent);
}

int TskSkinCustomSlider::GetValueByOffset(int Offset) const {
    // In floating point throughout: the steps of a range that spans all of int, counted
    // from MinValue, do not fit in int; every integer of that size does fit in a double.
    double along = Offset;
    if (Vertical()) along = static_cast<double>(GetHeight()) - Offset - ThumbSize().cy;
    const int rl = GetRulerLength();
    const double range = static_cast<double>(FMaxValue) - FMinValue;
    double v = rl > 0 ? std::nearbyint((along - kIndent) * range / rl) : 0;
    if (!FOptions.Contains(soSmooth)) v = std::nearbyint(v / FIncrement) * FIncrement;
    return static_cast<int>(std::min(static_cast<double>(FMinValue) + std::max(v, 0.0),
                                     static_cast<double>(FMaxValue)));
}

TPoint TskSkinCustomSlider::GetThumbPosition(int& Offset) const {
    const int first = kIndent, last = kIndent + std::max(0, GetRulerLength());
    Offset = std::clamp(Offset, first, last);
    Offset = std::min(GetOffsetByValue(GetValueByOffset(Offset)), last);
    return Vertical() ? TPoint(FThumbRect.Left, Offset) : TPoint(Offset, FThumbRect.Top);
}

void TskSkinCustomSlider::InvalidateThumb() {
    if (!HandleAllocated()) return;
    RECT r{FThumbRect.Left, FThumbRect.Top, FThumbRect.Right, FThumbRect.Bottom};
    InvalidateRect(GetHandle(), &r, FALSE);
}

void TskSkinCustomSlider::SetThumbOffset(int Offset) {
    const TPoint origin = GetThumbPosition(Offset);
    InvalidateThumb();
    FThumbRect = TRect(origin.X, origin.Y, origin.X + RectWidth(FThumbRect),
                       origin.Y + RectHeight(FThumbRect));
    InvalidateThumb();
    if (!FThumbDown) return;
    const int value = GetValueByOffset(Offset);
    if (value == FValue) return;
    FValue = value;
    Change();
}

// ---- Steps and tracking -------------------------------------------------------------------------

void TskSkinCustomSlider::ThumbJump(TskJumpMode Mode) {
    Int64 value = FValue;
    switch (Mode) {
    case jmHome: value = FMinValue; break;
    case jmEnd: value = FMaxValue; break;
    // The next point of the Increment grid in the step's direction.
    case jmNext: value = FloorTo(FValue, FIncrement) + FIncrement; break;
    case jmPrior: value = CeilTo(FValue, FIncrement) - FIncrement; break;
    default: return;
    }
    const int clamped = ClampValue(value, FMinValue, FMaxValue);
    if (clamped != FValue) SetValue(clamped);
}

TskJumpMode TskSkinCustomSlider::JumpTo(int X, int Y) const {
    if (Vertical()) {
        if (Y < FThumbRect.Top) return jmNext;
        if (Y >= FThumbRect.Bottom) return jmPrior;
        return jmNone;
    }
    if (X < FThumbRect.Left) return jmPrior;
    if (X >= FThumbRect.Right) return jmNext;
    return jmNone;
}

void TskSkinCustomSlider::TimerTrack() {
    if (JumpTo(FMousePos.X, FMousePos.Y) != FStartJump) return;
    ThumbJump(FStartJump);
    if (!FTimerActive && HandleAllocated()) {
        ::SetTimer(GetHandle(), kTimerId, kTrackInterval, nullptr);
        FTimerActive = true;
    }
}

void TskSkinCustomSlider::StopTracking() {
    if (!FTracking) return;
    if (FTimerActive && HandleAllocated()) KillTimer(GetHandle(), kTimerId);
    FTimerActive = false;
    FTracking = false;
    if (GetCapture() == GetHandle()) ReleaseCapture();
    Changed();
}

void TskSkinCustomSlider::Change() {
    if (OnChange) OnChange(this);
}

void TskSkinCustomSlider::Changed() {
    if (OnChanged) OnChanged(this);
}

// ---- Mouse, keys, messages ------------------------------------------------------------------------

void TskSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Shift.Contains(ssDouble)) return;
    if (CanFocus() && !Focused()) SetFocus();
    const bool mayModify = CanModify() && !FReadOnly;
    if (PointInRect(FThumbRect, TPoint(X, Y))) {
        if (!mayModify) return;
        FThumbDown = true;
        FHitOffset = Vertical() ? Y - FThumbRect.Top : X - FThumbRect.Left;
        InvalidateThumb();
        return;
    }
    TRect ruler(FRulerOrg.X, FRulerOrg.Y, FRulerOrg.X + FRuler->GetWidth(),
                FRulerOrg.Y + FRuler->GetHeight());
    if (Vertical()) {
        ruler.Left -= 3;
        ruler.Right += 3;
    } else {
        ruler.Top -= 3;
        ruler.Bottom += 3;
    }
    if (!mayModify || !PointInRect(ruler, TPoint(X, Y))) return;
    ::SetCapture(GetHandle());
    FTracking = true;
    FMousePos = TPoint(X, Y);
    FStartJump = JumpTo(X, Y);
    TimerTrack();
}

void TskSkinCustomSlider::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseMove(Shift, X, Y);
    if (Shift.Contains(ssLeft) && FThumbDown) {
        if (CanModify() && !FReadOnly) SetThumbOffset((Vertical() ? Y : X) - FHitOffset);
    } else if (FTracking) {
        FMousePos = TPoint(X, Y);
    }
}

void TskSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    StopTracking();
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FThumbDown) return;
    FThumbDown = false;
    InvalidateThumb();
    if (CanModify() && !FReadOnly) Changed();
}

void TskSkinCustomSlider::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinControl::KeyDown(Key, Shift);
    if (Shift.Contains(ssShift) || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return;
    TskJumpMode mode = jmNone;
    switch (Key) {
    case VK_HOME: mode = jmHome; break;
    case VK_END: mode = jmEnd; break;
    case VK_RIGHT: mode = Vertical() ? jmNone : jmNext; break;
    case VK_UP: mode = Vertical() ? jmNext : jmNone; break;
    case VK_LEFT: mode = Vertical() ? jmNone : jmPrior; break;
    case VK_DOWN: mode = Vertical() ? jmPrior : jmNone; break;
    default: break;
    }
    if (mode == jmNone || !CanModify() || FReadOnly) return;
    Key = 0;
    ThumbJump(mode);
    Changed();
}

void TskSkinCustomSlider::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS;
}

void TskSkinCustomSlider::WMTimer(TMessage& Message) {
    if (Message.WParam == kTimerId && FTracking)
        TimerTrack();
    else
        TskSkinControl::Dispatch(Message);
}

void TskSkinCustomSlider::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool resized = AWidth != GetWidth() || AHeight != GetHeight();
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized && !Reading()) AdjustElements();
}

void TskSkinCustomSlider::WMFocus(TMessage& Message) {
    TskSkinControl::Dispatch(Message);
    if (FOptions.Contains(soShowFocus)) Invalidate();
}

void TskSkinCustomSlider::CMEnabledChanged(TMessage& Message) {
    TskSkinControl::Dispatch(Message);
    InvalidateThumb();
}

void TskSkinCustomSlider::WMMove(TMessage& Message) {
    TskSkinControl::WMMove(Message);
    // A transparent slider shows what lies under its new place.
    if (FTransparent) Invalidate();
}

// ---- Painting ----------------------------------------------------------------------------------

void TskSkinCustomSlider::DefaultDrawPoints(int PointsStep, int PointsHeight,
                                            int ExtremePointsHeight) {
    InternalDrawPoints(GetCanvas(), PointsStep, PointsHeight, ExtremePointsHeight);
}

void TskSkinCustomSlider::InternalDrawPoints(TCanvas* Canvas, int PointsStep, int PointsHeight,
                                             int ExtremePointsHeight) {
    const int rl = GetRulerLength();
    const Int64 range = static_cast<Int64>(FMaxValue) - FMinValue;
    if (PointsStep < 1 || range <= 0 || rl <= 0) return;
    Canvas->GetPen()->SetColor(Skinned() ? PointsColor : clWindowText);
    // The fewest steps (every k-th) that leave the points at least 4 pixels apart, or one
    // interval over the whole ruler: n intervals are rl div n pixels apart, so n may be at
    // most rl div 4, or 1. n shrinks as k grows: the smallest such k is found by halving,
    // since a range of all of int at a step of 1 would take millions of single steps.
    const Int64 most = std::max(1, rl / 4);
    Int64 low = 1, high = range / PointsStep + 1;
    while (low < high) {
        const Int64 k = low + (high - low) / 2;
        if (PointIntervals(range, k, PointsStep) <= most)
            high = k;
        else
            low = k + 1;
    }
    const Int64 k = low;
    const Int64 count = PointIntervals(range, k, PointsStep) + 1;
    const TSize thumb = ThumbSize();
    Int64 value = FMinValue;
    for (Int64 i = 1; i <= count; ++i) {
        if (i == count) value = FMaxValue;
        const int length =
            value == FMinValue || value == FMaxValue ? ExtremePointsHeight : PointsHeight;
        if (Vertical()) {
            const int y = GetOffsetByValue(static_cast<int>(value)) + thumb.cy / 2;
            Canvas->MoveTo(FPointsRect.Left, y);
            Canvas->LineTo(FPointsRect.Left + length, y);
        } else {
            const int x = GetOffsetByValue(static_cast<int>(value)) + thumb.cx / 2;
            Canvas->MoveTo(x, FPointsRect.Top);
            Canvas->LineTo(x, FPointsRect.Top + length);
        }
        value = std::min(value + k * PointsStep, static_cast<Int64>(FMaxValue));
    }
}

void TskSkinCustomSlider::DrawThumb(TCanvas* Canvas) {
    const bool lit = FThumbDown || !IsEffectivelyEnabled();
    const int w = RectWidth(FThumbRect), h = RectHeight(FThumbRect);
    if (w < 1 || h < 1) return;
    TBitmap thumb(w, h);
    if (SkinThumb()) {
        const TRect& r = Vertical() ? VThumbRect : HThumbRect;
        const int left = lit ? r.Left + w : r.Left;
        thumb.GetCanvas()->CopyRect(TRect(0, 0, w, h), FSkinPicture->GetCanvas(),
                                    TRect(left, r.Top, left + w, r.Top + h));
        thumb.SetTransparent(true);
    } else {
        TBitmap* image = GetImage(Vertical() ? imVThumb : imHThumb);
        const int left = FNumThumbStates == 2 && lit ? w : 0;
        thumb.GetCanvas()->CopyRect(TRect(0, 0, w, h), image->GetCanvas(),
                                    TRect(left, 0, left + w, h));
        thumb.SetTransparent(!FOptions.Contains(soThumbOpaque));
    }
    Canvas->Draw(FThumbRect.Left, FThumbRect.Top, &thumb);
}

void TskSkinCustomSlider::Paint() {
    GetSkinData();
    const int w = GetWidth(), h = GetHeight();
    if (w < 1 || h < 1) return;
    const TRect part = PaintedPart(GetCanvas()->GetHandle(), w, h);
    if (IsNullRect(part)) return;
    TBitmapPart buffer(part, w, h);
    TCanvas* canvas = buffer.GetCanvas();
    if (FTransparent) {
        GetParentImage(this, canvas);
    } else {
        canvas->GetBrush()->SetColor(Skinned() ? BGColor : GetColor());
        canvas->FillRect(TRect(0, 0, w, h));
    }
    if (FRuler->GetWidth() > 0 && FRuler->GetHeight() > 0) {
        FRuler->SetTransparent(!(FOptions.Contains(soRulerOpaque) && !Skinned()));
        canvas->Draw(FRulerOrg.X, FRulerOrg.Y, FRuler.get());
    }
    if (FOptions.Contains(soShowFocus) && Focused() && !IsDesigning())
        canvas->DrawFocusRect(TRect(2, 2, w - 2, h - 2));
    if (FOptions.Contains(soShowPoints)) {
        if (OnDrawPoints)
            DrawPointsByHandler(canvas);
        else
            InternalDrawPoints(canvas, FIncrement, 3, 5);
    }
    DrawThumb(canvas);
    GetCanvas()->Draw(0, 0, &buffer);
}

void TskSkinCustomSlider::DrawPointsByHandler(TCanvas* Buffer) {
    // The handler draws on the control's canvas, as DefaultDrawPoints does: while it runs
    // that canvas draws into the picture being painted, under the thumb, which then goes
    // to the screen whole.
    TCanvas* canvas = GetCanvas();
    struct TRedirect {
        TCanvas* Canvas;
        HDC Screen;
        ~TRedirect() { Canvas->SetHandle(Screen); }
    } redirect{canvas, canvas->HandleAllocated() ? canvas->GetHandle() : nullptr};
    canvas->SetHandle(Buffer->GetHandle());
    OnDrawPoints(this);
}

// ---- Published --------------------------------------------------------------------------------

void TskSkinSlider::Published(TPropertyList& P) {
    P.Add("ImageHThumb", &TskSkinSlider::GetImageHThumb).Stored(&TskSkinSlider::StoreImageHThumb);
    P.Add("ImageHRuler", &TskSkinSlider::GetImageHRuler).Stored(&TskSkinSlider::StoreImageHRuler);
    P.Add("ImageVThumb", &TskSkinSlider::GetImageVThumb).Stored(&TskSkinSlider::StoreImageVThumb);
    P.Add("ImageVRuler", &TskSkinSlider::GetImageVRuler).Stored(&TskSkinSlider::StoreImageVRuler);
    P.Add("Increment", &TskSkinSlider::GetIncrement, &TskSkinSlider::SetIncrement, 10);
    P.Add("MinValue", &TskSkinSlider::GetMinValue, &TskSkinSlider::SetMinValue, 0);
    P.Add("MaxValue", &TskSkinSlider::GetMaxValue, &TskSkinSlider::SetMaxValue, 100);
    P.Add("NumThumbStates", &TskSkinSlider::GetNumThumbStates, &TskSkinSlider::SetNumThumbStates, 2)
        .Range(1, 2);
    P.Add("Orientation", &TskSkinSlider::GetOrientation, &TskSkinSlider::SetOrientation,
          soHorizontal);
    P.Add("EdgeSize", &TskSkinSlider::GetEdgeSize, &TskSkinSlider::SetEdgeSize, 2);
    P.Add("Options", &TskSkinSlider::GetOptions, &TskSkinSlider::SetOptions,
          TskSliderOptions{soShowFocus, soShowPoints, soSmooth});
    P.Add("Value", &TskSkinSlider::GetValue, &TskSkinSlider::SetValue, 0);
    P.Add("Transparent", &TskSkinSlider::GetTransparent, &TskSkinSlider::SetTransparent, false);
    P.Add("UseSkinThumb", &TskSkinSlider::GetUseSkinThumb, &TskSkinSlider::SetUseSkinThumb, true);
    P.Add("OnChange", &TskSkinSlider::OnChange);
    P.Add("OnChanged", &TskSkinSlider::OnChanged);
    P.Add("OnDrawPoints", &TskSkinSlider::OnDrawPoints);
}

REGISTER_CLASS(TskSkinCustomSlider);
REGISTER_CLASS(TskSkinSlider);

namespace {

void RegisterSliderEnums() {
    RegisterEnum<TskSliderOrientation>({"soHorizontal", "soVertical"});
    RegisterEnum<TskSliderOption>(
        {"soShowFocus", "soShowPoints", "soSmooth", "soRulerOpaque", "soThumbOpaque"});
}

} // namespace

DEFINE_UNIT(SkinCtrls_Sliders, uoSkin + 10, RegisterSliderEnums, nullptr);
