#include "classlib/ScrollBars.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csFramed, csDoubleClicks, csOpaque});
    SetBounds(GetLeft(), GetTop(), 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Kind", &TScrollBar::GetKind, &TScrollBar::SetKind, sbHorizontal);
    P.Add("LargeChange", &TScrollBar::GetLargeChange, &TScrollBar::SetLargeChange, 1);
    P.Add("Max", &TScrollBar::GetMax, &TScrollBar::SetMax, 100);
    P.Add("Min", &TScrollBar::GetMin, &TScrollBar::SetMin, 0);
    P.Add("Position", &TScrollBar::GetPosition, &TScrollBar::SetPosition, 0);
    P.Add("SmallChange", &TScrollBar::GetSmallChange, &TScrollBar::SetSmallChange, 1);
    P.Add("OnChange", &TScrollBar::OnChange);
    P.Add("OnScroll", &TScrollBar::OnScroll);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    if (!IsLoading()) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
    if (HandleAllocated()) RecreateWnd();
}

// The writer gives Max before Min, so a range below zero crosses the default one until Min is
// read; the bound moved out of the way gets its own value when it is read in turn.
void TScrollBar::SetMin(int Value) {
    SetParams(FPosition, Value, IsLoading() ? std::max(Value, FMax) : FMax);
}

void TScrollBar::SetMax(int Value) {
    SetParams(FPosition, IsLoading() ? std::min(Value, FMin) : FMin, Value);
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (AMax < AMin) throw EInvalidOperation("Scroll bar property out of range");
    APosition = std::clamp(APosition, AMin, AMax);
    FMin = AMin;
    FMax = AMax;
    bool moved = APosition != FPosition;
    FPosition = APosition;
    if (HandleAllocated()) {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = FMin;
        info.nMax = FMax;
        info.nPos = FPosition;
        SetScrollInfo(GetHandle(), SB_CTL, &info, TRUE);
    }
    if (moved && !IsLoading()) Change();
}

void TScrollBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "SCROLLBAR");
    Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
    TWinControl::CreateWnd();
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPos = FPosition;
    SetScrollInfo(GetHandle(), SB_CTL, &info, TRUE);
}

void TScrollBar::Change() {
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::CNScroll(TWMScroll& Message) {
    int position = FPosition;
    TScrollCode code;
    auto trackPosition = [&] {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        // 32-bit positions; the message carries only 16 bits.
        return GetScrollInfo(GetHandle(), SB_CTL, &info) ? info.nTrackPos : Message.Pos();
    };
    switch (Message.ScrollCode()) {
    case SB_LINEUP:
        code = scLineUp;
        position -= FSmallChange;
        break;
    case SB_LINEDOWN:
        code = scLineDown;
        position += FSmallChange;
        break;
    case SB_PAGEUP:
        code = scPageUp;
        position -= FLargeChange;
        break;
    case SB_PAGEDOWN:
        code = scPageDown;
        position += FLargeChange;
        break;
    case SB_THUMBPOSITION:
        code = scPosition;
        position = trackPosition();
        break;
    case SB_THUMBTRACK:
        code = scTrack;
        position = trackPosition();
        break;
    case SB_TOP:
        code = scTop;
        position = FMin;
        break;
    case SB_BOTTOM:
        code = scBottom;
        position = FMax;
        break;
    case SB_ENDSCROLL:
        code = scEndScroll;
        break;
    default:
        return;
    }
    position = std::clamp(position, FMin, FMax);
    Scroll(code, position);
    SetPosition(position);
}

REGISTER_CLASS(TScrollBar);

namespace {

void RegisterScrollBarsEnums() {
    RegisterEnum<TScrollBarKind>({"sbHorizontal", "sbVertical"});
}

} // namespace

DEFINE_UNIT(ScrollBars, uoClassLib, RegisterScrollBarsEnums, nullptr);
