#include "skin/boxctrls/SkinBoxCtrls_ScrollBoxes.h"

#include "skin/data/SkinData_Controls.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

TskSkinScrollBox::TskSkinScrollBox(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    FSkinDataName = "scrollbox";
    SetControlStyle(GetControlStyle() << csAcceptsControls);
    SetBounds(GetLeft(), GetTop(), 150, 150);
}

void TskSkinScrollBox::Published(TPropertyList& P) {
    using C = TskSkinScrollBox;
    P.Add("VScrollBar", &C::GetVScrollBar, &C::SetVScrollBar);
    P.Add("HScrollBar", &C::GetHScrollBar, &C::SetHScrollBar);
    P.Add("BorderStyle", &C::GetBorderStyle, &C::SetBorderStyle, TskSkinBorderStyle::bvFrame);
}

void TskSkinScrollBox::CreateParams(TCreateParams& Params) {
    TskSkinCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinScrollBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FV.Bar) FV.Bar = nullptr;
    if (AComponent == FH.Bar) FH.Bar = nullptr;
}

void TskSkinScrollBox::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinScrollBoxControl*>(GetSkinRecord());
    FBGPictureIndex = record ? record->BGPictureIndex : -1;
}

TBitmap* TskSkinScrollBox::BackgroundPicture() {
    return FIndex == -1 ? nullptr : SkinPicture(FSD, FBGPictureIndex);
}

// ---- The bars --------------------------------------------------------------------------------

void TskSkinScrollBox::LinkBar(TAxis& Axis, TskSkinScrollBar* Bar) {
    SetReference(this, Axis.Bar, Bar);
    Axis.LastPosition = 0;
    if (!Bar) return;
    Bar->SetCanFocused(false);
    Bar->SetEnabled(true);
    Bar->SetVisible(false);
    Bar->OnChange = TNotifyEvent(this, &Axis == &FV ? &TskSkinScrollBox::VBarChange : &TskSkinScrollBox::HBarChange);
    Bar->OnLastChange = TNotifyEvent(this, &TskSkinScrollBox::BarLastChange);
}

void TskSkinScrollBox::SetVScrollBar(TskSkinScrollBar* Value) {
    LinkBar(FV, Value);
    if (Value) GetVRange();
}

void TskSkinScrollBox::SetHScrollBar(TskSkinScrollBar* Value) {
    LinkBar(FH, Value);
    if (Value) GetHRange();
}

void TskSkinScrollBox::ScrollControls(bool Vertical, int Delta) {
    if (Delta == 0) return;
    TFlagGuard scrolling(FScrolling);
    if (Vertical)
        ScrollBy(0, -Delta);
    else
        ScrollBy(-Delta, 0);
}

void TskSkinScrollBox::VScrollControls(int Delta) {
    ScrollControls(true, Delta);
}

void TskSkinScrollBox::HScrollControls(int Delta) {
    ScrollControls(false, Delta);
}

void TskSkinScrollBox::VBarChange(TObject*) {
    const int position = FV.Bar->GetPosition();
    ScrollControls(true, position - FV.LastPosition);
    FV.LastPosition = position;
}

void TskSkinScrollBox::HBarChange(TObject*) {
    const int position = FH.Bar->GetPosition();
    ScrollControls(false, position - FH.LastPosition);
    FH.LastPosition = position;
}

void TskSkinScrollBox::BarLastChange(TObject*) {
    Invalidate();
}

void TskSkinScrollBox::Scroll(TAxis& Axis, bool Vertical, int Pos) {
    TskSkinScrollBar* bar = Axis.Bar;
    if (!bar || bar->GetPageSize() == 0) return;
    // As far as the bar goes: its last position shows the content's last pixels.
    Pos = std::clamp(Pos, bar->GetMin(), bar->GetMax() - bar->GetPageSize() + 1);
    ScrollControls(Vertical, Pos - bar->GetPosition());
    bar->SimplySetPosition(Pos);
    Axis.LastPosition = bar->GetPosition();
}

void TskSkinScrollBox::VScroll(int Pos) {
    Scroll(FV, true, Pos);
}

void TskSkinScrollBox::HScroll(int Pos) {
    Scroll(FH, false, Pos);
}

// ---- Ranges ----------------------------------------------------------------------------------

bool TskSkinScrollBox::GetRange(TAxis& Axis, bool Vertical) {
    TskSkinScrollBar* bar = Axis.Bar;
    if (!bar || !GetParent() || FUpdatingRange) return false;
    const int clientSize = Vertical ? GetClientHeight() : GetClientWidth();
    int extent = 0;
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        if (c->GetVisible())
            extent = std::max(extent, Vertical ? c->GetTop() + c->GetHeight() : c->GetLeft() + c->GetWidth());
    }
    const int position = bar->GetPosition();
    const Int64 full = Int64{position} + extent;
    bool show;
    if (full <= clientSize) {
        ScrollControls(Vertical, -position);
        bar->SetRange(0, 0, 0, 0);
        Axis.LastPosition = 0;
        show = false;
    } else {
        show = true;
        const int max = static_cast<int>(std::min<Int64>(full - 1, INT_MAX));
        int wanted = position;
        if (position >= 1 && extent < clientSize && Axis.Grow >= 1)
            // The box grew while scrolled: the content comes down by the growth.
            wanted = position - std::min(Axis.Grow, position);
        else if (Axis.Grow == 0 && max < bar->GetMax() && position >= 1 && extent < clientSize)
            // The content shrank: the position stays where it can, at most the new range's end.
            wanted = std::min(position, max - clientSize + 1);
        bar->SetRange(0, max, wanted, clientSize);
        // The children stand where the bar's position says, whatever the bar allowed.
        ScrollControls(Vertical, bar->GetPosition() - position);
        Axis.LastPosition = bar->GetPosition();
    }
    Axis.Grow = 0;
    if (FV.Bar && FH.Bar) FH.Bar->SetBoth(FV.Bar->GetVisible() || (Vertical && show));
    if (bar->GetVisible() == show) return false;
    {
        TFlagGuard updating(FUpdatingRange);
        bar->SetVisible(show);
        if (FH.Bar && FV.Bar) FH.Bar->SetBoth(FV.Bar->GetVisible());
        if (GetAlign() != alNone && GetParent()) GetParent()->Realign();
    }
    return true;
}

void TskSkinScrollBox::GetVRange() {
    if (GetRange(FV, true)) UpdateScrollRange();
}

void TskSkinScrollBox::GetHRange() {
    if (GetRange(FH, false)) UpdateScrollRange();
}

void TskSkinScrollBox::UpdateScrollRange() {
    // A bar shown or hidden changes the other axis's client size: a few passes settle both.
    for (int pass = 0; pass < 3; ++pass) {
        const bool horizontal = GetRange(FH, false);
        const bool vertical = GetRange(FV, true);
        if (!horizontal && !vertical) break;
    }
}

void TskSkinScrollBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int oldWidth = GetWidth(), oldHeight = GetHeight();
    // Inside a bar's showing or hiding, the pass that did it measures again afterwards.
    const bool nested = FUpdatingRange;
    if (nested) {
        TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    } else {
        TFlagGuard updating(FUpdatingRange);
        TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    }
    FV.Grow = oldHeight > 0 && GetHeight() > oldHeight ? GetHeight() - oldHeight : 0;
    FH.Grow = oldWidth > 0 && GetWidth() > oldWidth ? GetWidth() - oldWidth : 0;
    if (nested) return;
    GetRange(FV, true);
    GetRange(FH, false);
    UpdateScrollRange();
}

void TskSkinScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
    TskSkinCustomControl::AlignControls(AControl, Rect);
    if (!FScrolling && !FUpdatingRange) UpdateScrollRange();
}

void TskSkinScrollBox::CMVisibleChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    for (TskSkinScrollBar* bar : {FV.Bar, FH.Bar})
        if (bar) bar->SetVisible(GetVisible());
    if (GetVisible()) UpdateScrollRange();
}

// ---- Frame and background ---------------------------------------------------------------------

void TskSkinScrollBox::SetBorderStyle(TskSkinBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    FrameChanged();
}

void TskSkinScrollBox::FrameChanged() {
    if (HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (TskSkinScrollBar* bar : {FV.Bar, FH.Bar})
        if (bar) bar->SetAlign(bar->GetAlign());
    UpdateScrollRange();
    Invalidate();
}

void TskSkinScrollBox::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    FrameChanged();
}

TRect TskSkinScrollBox::Insets() {
    GetSkinData();
    if (FBorderStyle == TskSkinBorderStyle::bvNone || BackgroundPicture()) return TRect();
    return FIndex == -1 ? TRect(1, 1, 1, 1) : SkinClientInsets(SkinRect, ClRect);
}

void TskSkinScrollBox::WMNCCalcSize(TMessage& Message) {
    AnswerFrameInsets(Message, Insets());
}

void TskSkinScrollBox::WMNCPaint(TMessage& Message) {
    Message.Result = 0;
    const TRect inset = Insets();
    if (!HandleAllocated() || inset == TRect()) return;
    const int w = GetWidth(), h = GetHeight();
    HDC dc = GetWindowDC(GetHandle());
    ExcludeClipRect(dc, inset.Left, inset.Top, w - inset.Right, h - inset.Bottom);
    TCanvas canvas;
    canvas.SetHandle(dc);
    if (FIndex != -1 && Picture) {
        const TRect part = PaintedPart(dc, w, h);
        if (!IsNullRect(part)) {
            TBitmapPart frame(part, w, h);
            const int dW = w - RectWidth(SkinRect), dH = h - RectHeight(SkinRect);
            const TSkinGeometry sized{LTPoint, TPoint(RTPoint.X + dW, RTPoint.Y),
                                      TPoint(LBPoint.X, LBPoint.Y + dH),
                                      TPoint(RBPoint.X + dW, RBPoint.Y + dH),
                                      TRect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH)};
            CreateSkinImage(SkinGeometry(), sized, &frame, Picture, SkinRect, w, h, false);
            canvas.Draw(0, 0, &frame);
        }
    } else {
        DrawBorderFrame(&canvas, TRect(0, 0, w, h), FBorderStyle);
    }
    canvas.SetHandle(nullptr);
    ReleaseDC(GetHandle(), dc);
}

void TskSkinScrollBox::WMSize(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TskSkinScrollBox::CreateControlSkinImage(TBitmap* B) {
    const int cw = GetClientWidth(), ch = GetClientHeight();
    if (cw < 1 || ch < 1) return;
    if (TBitmap* picture = BackgroundPicture()) {
        TilePicture(B->GetCanvas(), picture, cw, ch, BitmapPart(B));
        return;
    }
    if (!Picture || IsNullRect(ClRect)) {
        CreateControlDefaultImage(B);
        return;
    }
    TileClientPart(B, cw, ch);
}

REGISTER_CLASS(TskSkinScrollBox);

DEFINE_UNIT(SkinBoxCtrls_ScrollBoxes, uoSkin + 30, nullptr, nullptr);
