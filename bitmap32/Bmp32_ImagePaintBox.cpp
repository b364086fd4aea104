#include "bitmap32/Bmp32_Image.h"

#include <algorithm>

namespace Bmp32 {

namespace {

// The LParam of the paints the optimiser posts, which the system's own paints (LParam 0)
// never carry: asking the window for its update region costs more than a small repaint.
constexpr LPARAM PostedPaintMark = 0x50423332;

} // namespace

TCustomPaintBox32::TCustomPaintBox32(TComponent* AOwner)
    : TCustomControl(AOwner), FBuffer(std::make_unique<TBitmap32>()),
      FInvalidRects(std::make_unique<TRectList>()),
      FRepaintOptimizer(
          std::make_unique<TMicroTilesRepaintOptimizer>(FBuffer.get(), FInvalidRects.get())) {
    SetBounds(GetLeft(), GetTop(), 192, 192);
}

TCustomPaintBox32::~TCustomPaintBox32() = default;

void TCustomPaintBox32::SetBufferOversize(int Value) {
    FBufferOversize = std::max(Value, 0);
}

TRect TCustomPaintBox32::GetViewportRect() {
    return {0, 0, GetWidth(), GetHeight()};
}

void TCustomPaintBox32::ResizeBuffer() {
    const TRect viewport = GetViewportRect();
    auto extent = [this](int Need, int Have) {
        Need = std::max(Need, 0);
        int result = Have;
        if (Have < Need)
            result = Need + FBufferOversize;
        else if (Need < Have - FBufferOversize)
            result = Need;
        return std::max(result, 1);
    };
    const int oldWidth = FBuffer->GetWidth(), oldHeight = FBuffer->GetHeight();
    const int width = extent(viewport.Right - viewport.Left, oldWidth);
    const int height = extent(viewport.Bottom - viewport.Top, oldHeight);
    if (width == oldWidth && height == oldHeight) return;
    FBuffer->Lock();
    try {
        FBuffer->SetSize(width, height);
    } catch (...) {
        FBuffer->Unlock();
        throw;
    }
    FBuffer->Unlock();
    DoBufferResized(oldWidth, oldHeight);
    ForceFullInvalidate();
}

void TCustomPaintBox32::DoBufferResized(int, int) {
    if (OptimizerEnabled())
        FRepaintOptimizer->BufferResizedHandler(FBuffer->GetWidth(), FBuffer->GetHeight());
}

void TCustomPaintBox32::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (GetComponentState().Contains(csDesigning)) ResizeBuffer();
    FBufferValid = false;
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomPaintBox32::Resize() {
    ResizeBuffer();
    FBufferValid = false;
    TCustomControl::Resize();
}

void TCustomPaintBox32::Loaded() {
    FBufferValid = false;
    TCustomControl::Loaded();
    // Sizes set while loading did not reach Resize.
    ResizeBuffer();
}

void TCustomPaintBox32::Invalidate() {
    FBufferValid = false;
    TCustomControl::Invalidate();
}

void TCustomPaintBox32::ForceFullInvalidate() {
    if (OptimizerEnabled()) FRepaintOptimizer->Reset();
    FForceFullRepaint = true;
    Invalidate();
}

bool TCustomPaintBox32::CustomRepaint() {
    return OptimizerEnabled() && !FForceFullRepaint && FRepaintOptimizer->UpdatesAvailable();
}

void TCustomPaintBox32::DoPrepareInvalidRects() {
    if (OptimizerEnabled() && !FForceFullRepaint) FRepaintOptimizer->PerformOptimization();
}

void TCustomPaintBox32::DoPaintBuffer() {
    if (FForceFullRepaint) {
        FForceFullRepaint = false;
        FInvalidRects->Clear();
    } else {
        DoPrepareInvalidRects();
    }
    FBufferValid = true;
}

void TCustomPaintBox32::DoPaintGDIOverlay() {
    if (OnGDIOverlay) OnGDIOverlay(this);
}

void TCustomPaintBox32::CopyToCanvas(const TRect& Rect) {
    BitBlt(GetCanvas()->GetHandle(), Rect.Left, Rect.Top, Rect.Right - Rect.Left,
           Rect.Bottom - Rect.Top, static_cast<HDC>(FBuffer->GetHandle()), Rect.Left, Rect.Top,
           SRCCOPY);
}

void TCustomPaintBox32::Paint() {
    if (OptimizerEnabled()) FRepaintOptimizer->BeginPaint();
    if (!FBufferValid) DoPaintBuffer();
    FBuffer->Lock();
    try {
        if (FInvalidRects->GetCount() == 0)
            CopyToCanvas(GetViewportRect());
        else
            for (int i = 0; i < FInvalidRects->GetCount(); ++i)
                CopyToCanvas(*FInvalidRects->Get(i));
    } catch (...) {
        FBuffer->Unlock();
        throw;
    }
    FBuffer->Unlock();
    DoPaintGDIOverlay();
    if (OptimizerEnabled()) FRepaintOptimizer->EndPaint();
    FInvalidRects->Clear();
    FForceFullRepaint = false;
}

void TCustomPaintBox32::Flush() {
    const TRect viewport = GetViewportRect();
    Flush({0, 0, viewport.Right - viewport.Left, viewport.Bottom - viewport.Top});
}

void TCustomPaintBox32::Flush(const TRect& SrcRect) {
    if (!HandleAllocated() || FBuffer->Empty()) return;
    const TRect viewport = GetViewportRect();
    GetCanvas()->Lock();
    FBuffer->Lock();
    BitBlt(GetCanvas()->GetHandle(), SrcRect.Left + viewport.Left, SrcRect.Top + viewport.Top,
           SrcRect.Right - SrcRect.Left, SrcRect.Bottom - SrcRect.Top,
           static_cast<HDC>(FBuffer->GetHandle()), SrcRect.Left, SrcRect.Top, SRCCOPY);
    FBuffer->Unlock();
    GetCanvas()->Unlock();
}

void TCustomPaintBox32::SetRepaintMode(TRepaintMode Value) {
    if (!FRepaintOptimizer) return;
    // The image control takes the areas of its own bitmap and layers instead: areas its
    // stages report while they paint would only come back as more work.
    const bool image = InheritsFrom(TCustomImage32::StaticClass());
    switch (Value) {
    case rmOptimizer:
        FBuffer->OnAreaChanged =
            image ? TAreaChangedEvent()
                  : TAreaChangedEvent(FRepaintOptimizer.get(),
                                      &TMicroTilesRepaintOptimizer::AreaUpdateHandler);
        FRepaintOptimizer->SetEnabled(true);
        break;
    case rmDirect:
        FBuffer->OnAreaChanged =
            image ? TAreaChangedEvent()
                  : TAreaChangedEvent(this, &TCustomPaintBox32::DirectAreaUpdateHandler);
        FRepaintOptimizer->SetEnabled(false);
        break;
    default:
        FBuffer->OnAreaChanged = nullptr;
        FRepaintOptimizer->SetEnabled(false);
        break;
    }
    FRepaintMode = Value;
    Invalidate();
}

void TCustomPaintBox32::DirectAreaUpdateHandler(TObject*, const TRect& Area, Cardinal) {
    FInvalidRects->Add(Area);
    if (!InsideCustomPaint()) Repaint();
}

void TCustomPaintBox32::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOptions.Contains(pboAutoFocus) && CanFocus()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomPaintBox32::MouseEnter() {
    FMouseInControl = true;
    if (OnMouseEnter) OnMouseEnter(this);
}

void TCustomPaintBox32::MouseLeave() {
    FMouseInControl = false;
    if (OnMouseLeave) OnMouseLeave(this);
}

void TCustomPaintBox32::WMPaint(TWMPaint& Message) {
    FPaintPosted = false;
    if (CustomRepaint()) {
        if (InvalidRectsAvailable()) {
            Paint();
            // Our posted paint is done: a region of the window's own (uncovered meanwhile)
            // brings the system's paint after it. A system paint with no region left would
            // copy the whole buffer to nowhere.
            if (Message.Message.LParam == PostedPaintMark) return;
            if (HandleAllocated() && !GetUpdateRect(GetHandle(), nullptr, FALSE)) return;
        } else if (HandleAllocated()) {
            InvalidateRect(GetHandle(), nullptr, FALSE);
        }
    }
    TCustomControl::Dispatch(Message.Message);
}

void TCustomPaintBox32::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    Message.Message.Result = 1;
}

void TCustomPaintBox32::WMGetDlgCode(TMessage& Message) {
    DefaultHandler(Message);
    if (FOptions.Contains(pboWantArrowKeys))
        Message.Result |= DLGC_WANTARROWS;
    else
        Message.Result &= ~LRESULT(DLGC_WANTARROWS);
}

void TCustomPaintBox32::CMInvalidate(TMessage& Message) {
    if (CustomRepaint() && HandleAllocated()) {
        // One posted paint serves every change made before it arrives.
        if (!FPaintPosted) FPaintPosted = PostMessageA(GetHandle(), WM_PAINT, 0, PostedPaintMark) != 0;
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TCustomPaintBox32::CreateWnd() {
    FPaintPosted = false;
    TCustomControl::CreateWnd();
}

void TCustomPaintBox32::CMMouseEnter(TMessage& Message) {
    MouseEnter();
    TCustomControl::Dispatch(Message);
}

void TCustomPaintBox32::CMMouseLeave(TMessage& Message) {
    MouseLeave();
    TCustomControl::Dispatch(Message);
}

// ---- TPaintBox32 --------------------------------------------------------------------------

void TPaintBox32::DoPaintBuffer() {
    if (OnPaintBuffer) OnPaintBuffer(this);
    TCustomPaintBox32::DoPaintBuffer();
}

} // namespace Bmp32
