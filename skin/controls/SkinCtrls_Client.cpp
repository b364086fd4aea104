#include "skin/controls/SkinCtrls_Client.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

void TskSkinClient::SetSkinData(TskSkinData* Value) {
    TControl* control = SkinnedControl();
    if (FSD && FSD != Value) FSD->RemoveFreeNotification(control);
    FSD = Value;
    if (!Value) {
        control->Repaint();
        return;
    }
    Value->FreeNotification(control);
    if (!Value->Empty && !control->IsDesigning()) ChangeSkinData();
}

void TskSkinClient::SetAlphaBlend(bool Value) {
    FAlphaBlend = Value;
    SkinnedControl()->Repaint();
}

void TskSkinClient::SetAlphaBlendValue(Byte Value) {
    FAlphaBlendValue = Value;
    SkinnedControl()->Repaint();
}

void TskSkinClient::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
}

TskDataSkinControl* TskSkinClient::GetSkinRecord() const {
    if (!FSD || FIndex < 0 || FIndex >= static_cast<int>(FSD->CtrlList.size())) return nullptr;
    return FSD->CtrlList[static_cast<std::size_t>(FIndex)].get();
}

void TskSkinClient::ChangeSkinData() {
    GetSkinData();
    ApplySkinCursor();
    SkinnedControl()->Repaint();
}

void TskSkinClient::ApplySkinCursor() {
    if (!UseSkinCursor) return;
    SkinnedControl()->SetCursor(FSD && FSkinCursorIndex != -1
                                    ? FSD->StartCursorIndex + FSkinCursorIndex
                                    : crDefault);
}

void TskSkinClient::PaintOffScreen(TCanvas* Canvas) {
    TControl* control = SkinnedControl();
    if (control->GetWidth() < 1 || control->GetHeight() < 1) return;
    GetSkinData();
    TBitmap image(control->GetWidth(), control->GetHeight());
    if (FIndex != -1)
        CreateControlSkinImage(&image);
    else if (DrawDefault)
        CreateControlDefaultImage(&image);
    DrawBlended(Canvas, &image);
}

void TskSkinClient::DrawBlended(TCanvas* Canvas, TBitmap* Image) {
    if (!FAlphaBlend) {
        Canvas->Draw(0, 0, Image);
        return;
    }
    TControl* control = SkinnedControl();
    TBitmap parent(Image->GetWidth(), Image->GetHeight());
    if (control->IsWindowed())
        GetParentImage(control, parent.GetCanvas());
    else
        GetParentImage2(control, parent.GetCanvas());
    TskEffectBmp mine(Image->GetHandle());
    TskEffectBmp under(parent.GetHandle());
    mine.Morph(&under, 1 - FAlphaBlendValue / 255.0);
    mine.Draw(Canvas->GetHandle(), 0, 0);
}

void TskSkinClient::SkinNotification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

void TskSkinClient::MovedRepaint() {
    if (FAlphaBlend) SkinnedControl()->Repaint();
}
