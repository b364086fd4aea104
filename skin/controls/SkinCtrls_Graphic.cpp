#include "skin/controls/SkinCtrls_Graphic.h"

#include "classlib/ClassRegistry.h"

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TskGraphicSkinControl::Published(TPropertyList& P) {
    PublishControlProperties(P);
    PublishSkinClient<TskGraphicSkinControl>(P);
}

void TskGraphicSkinControl::Paint() {
    PaintOffScreen(GetCanvas());
}

void TskGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
}

void TskGraphicSkinControl::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TskGraphicSkinControl::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TskGraphicSkinControl::WMEraseBkgnd(TMessage& Message) {
    Message.Result = 1;
}

TskGraphicSkinCustomControl::TskGraphicSkinCustomControl(TComponent* AOwner)
    : TskGraphicSkinControl(AOwner) {}

void TskGraphicSkinCustomControl::Published(TPropertyList& P) {
    PublishSkinSizing<TskGraphicSkinCustomControl>(P);
}

void TskGraphicSkinCustomControl::GetSkinData() {
    TskGraphicSkinControl::GetSkinData();
    ReadRecordShape(FSkinCursorIndex);
    // Window-less controls cannot be cut to a mask.
    MaskPicture = nullptr;
}

void TskGraphicSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    ApplySkinCursor();
    if (!ApplySkinSize()) Repaint();
}

void TskGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool moved = ALeft != GetLeft() || ATop != GetTop();
    const bool fitted = FitBounds(AWidth, AHeight);
    TskGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (fitted)
        Repaint();
    else if (moved)
        MovedRepaint();
}

void TskGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* canvas = B->GetCanvas();
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(GetClientRect());
}

void TskGraphicSkinCustomControl::CreateControlSkinImage(TBitmap* B) {
    CreateSkinControlImage(B, Picture, SkinRect);
}

REGISTER_CLASS(TskGraphicSkinControl);
REGISTER_CLASS(TskGraphicSkinCustomControl);
