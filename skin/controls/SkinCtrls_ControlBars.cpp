#include "skin/controls/SkinCtrls_ControlBars.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

TskSkinControlBar::TskSkinControlBar(TComponent* AOwner) : TCustomControlBar(AOwner) {
    FSkinDataName = "controlbar";
}

void TskSkinControlBar::Published(TPropertyList& P) {
    using skinctrls_detail::Own;
    using C = TskSkinControlBar;
    P.Add("SkinDataName", Own<C>(&C::GetSkinDataName), Own<C>(&C::SetSkinDataName),
          AnsiString("controlbar"));
    P.Add("SkinData", Own<C>(&C::GetSkin), &C::SetSkinData);
    P.Add("SkinBevel", &C::GetSkinBevel, &C::SetSkinBevel, false);
}

void TskSkinControlBar::CreateParams(TCreateParams& Params) {
    TCustomControlBar::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

// ---- The record -----------------------------------------------------------------------------

void TskSkinControlBar::GetSkinData() {
    TskSkinClient::GetSkinData();
    FSkinned = false;
    BGPictureIndex = -1;
    auto* record = dynamic_cast<TskDataSkinControlBar*>(GetSkinRecord());
    if (!record) return;
    FShape.LTPoint = record->LTPoint;
    FShape.RTPoint = record->RTPoint;
    FShape.LBPoint = record->LBPoint;
    FShape.RBPoint = record->RBPoint;
    FShape.SkinRect = record->SkinRect;
    FShape.ClRect = record->ClRect;
    FShape.Picture = SkinPicture(FSD, record->PictureIndex);
    ItemRect = record->ItemRect;
    BGPictureIndex = record->BGPictureIndex;
    // Without its picture the record cannot be drawn: the bar keeps the library's look.
    FSkinned = FShape.Picture && !FShape.Picture->GetEmpty() && !IsNullRect(FShape.SkinRect);
}

TBitmap* TskSkinControlBar::BackgroundPicture() const {
    TBitmap* picture = BGPictureIndex == -1 ? nullptr : SkinPicture(FSD, BGPictureIndex);
    return picture && !picture->GetEmpty() ? picture : nullptr;
}

void TskSkinControlBar::FitToSize() {
    const int dx = GetWidth() - RectWidth(FShape.SkinRect);
    const int dy = GetHeight() - RectHeight(FShape.SkinRect);
    const TRect& cl = FShape.ClRect;
    FShape.NewLTPoint = FShape.LTPoint;
    FShape.NewRTPoint = TPoint(FShape.RTPoint.X + dx, FShape.RTPoint.Y);
    FShape.NewLBPoint = TPoint(FShape.LBPoint.X, FShape.LBPoint.Y + dy);
    FShape.NewRBPoint = TPoint(FShape.RBPoint.X + dx, FShape.RBPoint.Y + dy);
    FShape.NewClRect = TRect(cl.Left, cl.Top, cl.Right + dx, cl.Bottom + dy);
}

void TskSkinControlBar::SetSkinData(TskSkinData* Value) {
    TskSkinClient::SetSkinData(Value);
    // Without a loaded skin the skinned frame goes as well.
    if ((!Value || Value->Empty) && !IsDesigning()) ChangeSkinData();
}

void TskSkinControlBar::SetSkinDataName(const AnsiString& Value) {
    TskSkinClient::SetSkinDataName(Value);
    if (HandleAllocated() && FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
}

void TskSkinControlBar::ChangeSkinData() {
    GetSkinData();
    if (!HandleAllocated()) return;
    if (FSkinBevel)
        RecreateWnd();
    else
        FrameChanged();
    Invalidate();
}

void TskSkinControlBar::SetSkinBevel(bool Value) {
    FSkinBevel = Value;
    GetSkinData();
    if (FSkinned && HandleAllocated()) RecreateWnd();
}

void TskSkinControlBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControlBar::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FSD) return;
    SkinNotification(AComponent, Operation);
    if (!IsDestroying()) ChangeSkinData();
}

// ---- The frame -------------------------------------------------------------------------------

void TskSkinControlBar::WMNCCalcSize(TMessage& Message) {
    GetSkinData();
    if (!FSkinned) {
        TCustomControlBar::Dispatch(Message);
        return;
    }
    Message.Result = 0;
    // Without SkinBevel the whole window is client area.
    if (!FSkinBevel) return;
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    const TRect& cl = FShape.ClRect;
    r->left += std::max(0, cl.Left);
    r->top += std::max(0, cl.Top);
    r->right = std::max(r->left, r->right - std::max(0, RectWidth(FShape.SkinRect) - cl.Right));
    r->bottom = std::max(r->top, r->bottom - std::max(0, RectHeight(FShape.SkinRect) - cl.Bottom));
}

void TskSkinControlBar::WMNCPaint(TMessage& Message) {
    GetSkinData();
    if (!FSkinned) {
        TCustomControlBar::Dispatch(Message);
        return;
    }
    Message.Result = 0;
    if (FSkinBevel) PaintNCSkin();
}

void TskSkinControlBar::PaintNCSkin() {
    if (!HandleAllocated()) return;
    GetSkinData();
    const int w = GetWidth(), h = GetHeight();
    if (!FSkinned || w < 1 || h < 1) return;
    FitToSize();
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(FShape.SkinGeometry(), FShape.NewGeometry(), &left, &top, &right, &bottom,
                           FShape.Picture, FShape.SkinRect, w, h, false, false, false, false);
    HDC dc = GetWindowDC(GetHandle());
    if (!dc) return;
    const TRect& client = FShape.NewClRect;
    if (!IsNullRect(client)) ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Draw(0, 0, &top);
    canvas.Draw(0, top.GetHeight(), &left);
    canvas.Draw(w - right.GetWidth(), top.GetHeight(), &right);
    canvas.Draw(0, h - bottom.GetHeight(), &bottom);
    canvas.SetHandle(nullptr);
    ReleaseDC(GetHandle(), dc);
}

void TskSkinControlBar::WMSize(TMessage& Message) {
    TCustomControlBar::Dispatch(Message);
    if (FSkinned && FSkinBevel) PaintNCSkin();
}

void TskSkinControlBar::WMEraseBkgnd(TMessage& Message) {
    GetSkinData();
    if (!FSkinned) {
        TCustomControlBar::Dispatch(Message);
        return;
    }
    // The paint covers the whole client area.
    Message.Result = 1;
}

// ---- The client area ---------------------------------------------------------------------------

void TskSkinControlBar::Paint() {
    GetSkinData();
    if (!FSkinned) {
        TCustomControlBar::Paint();
        return;
    }
    const int w = GetClientWidth(), h = GetClientHeight();
    if (w < 1 || h < 1) return;
    const TRect part = PaintedPart(GetCanvas()->GetHandle(), w, h);
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    if (TBitmap* background = BackgroundPicture()) {
        TileClient(&image, background, TRect(0, 0, background->GetWidth(), background->GetHeight()),
                   TRect(0, 0, w, h));
    } else {
        const TRect& s = FShape.SkinRect;
        const TRect& cl = FShape.ClRect;
        TileClient(&image, FShape.Picture,
                   TRect(s.Left + cl.Left, s.Top + cl.Top, s.Left + cl.Right, s.Top + cl.Bottom),
                   TRect(0, 0, w, h));
    }
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* band = GetControl(i);
        if (band->GetVisible()) PaintControlFrame(image.GetCanvas(), band, BandRect(band));
    }
    GetCanvas()->Draw(0, 0, &image);
}

void TskSkinControlBar::PaintControlFrame(TCanvas* Canvas, TControl* AControl, const TRect& ARect) {
    if (!FSkinned || IsNullRect(ItemRect)) {
        TCustomControlBar::PaintControlFrame(Canvas, AControl, ARect);
        return;
    }
    const int w = ARect.Width(), h = ARect.Height();
    const int iw = RectWidth(ItemRect), ih = RectHeight(ItemRect);
    // The grip takes the frame's left 12 pixels, the other edges 3.
    const TSkinGeometry skin{{12, 3}, {iw - 3, 3}, {12, ih - 3}, {iw - 3, ih - 3}, {11, 2, iw - 2, ih - 2}};
    const TSkinGeometry fit{{12, 3}, {w - 3, 3}, {12, h - 3}, {w - 3, h - 3}, {11, 2, w - 2, h - 2}};
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(skin, fit, &left, &top, &right, &bottom, FShape.Picture, ItemRect, w, h,
                           false, false, false, false);
    Canvas->Draw(ARect.Left, ARect.Top, &top);
    Canvas->Draw(ARect.Left, ARect.Top + top.GetHeight(), &left);
    Canvas->Draw(ARect.Right - right.GetWidth(), ARect.Top + top.GetHeight(), &right);
    Canvas->Draw(ARect.Left, ARect.Bottom - bottom.GetHeight(), &bottom);
}

REGISTER_CLASS(TskSkinControlBar);

DEFINE_UNIT(SkinCtrls_ControlBars, uoSkin + 10, nullptr, nullptr);
