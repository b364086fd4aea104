#include "skin/controls/SkinCtrls_ToolBars.h"

#include "classlib/ClassRegistry.h"

TskSkinToolBar::TskSkinToolBar(TComponent* AOwner) : TskSkinPanel(AOwner) {
    FSkinDataName = "toolpanel";
    SetAlign(alTop);
    SetDefaultHeight(25);
    SetBorderStyle(TskSkinBorderStyle::bvNone);
}

void TskSkinToolBar::Published(TPropertyList& P) {
    PublishDocked(P, alTop, 25);
    P.Add("Flat", &TskSkinToolBar::GetFlat, &TskSkinToolBar::SetFlat, false);
    P.Add("Images", &TskSkinToolBar::GetImages, &TskSkinToolBar::SetImages);
    P.Add("HotImages", &TskSkinToolBar::GetHotImages, &TskSkinToolBar::SetHotImages);
    P.Add("DisabledImages", &TskSkinToolBar::GetDisabledImages,
          &TskSkinToolBar::SetDisabledImages);
}

void TskSkinToolBar::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* child = GetControl(i);
        if (auto* button = dynamic_cast<TskSkinSpeedButton*>(child)) button->SetSkinData(Value);
        if (auto* bevel = dynamic_cast<TskSkinBevel*>(child)) bevel->SetSkinData(Value);
    }
}

void TskSkinToolBar::SetSkinDataName(const AnsiString& Value) {
    TskSkinPanel::SetSkinDataName(Value);
    if (!IsDesigning() || IsLoading()) return;
    const AnsiString big = Value == "bigtoolpanel" ? "big" : "";
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* child = GetControl(i);
        if (auto* menu = dynamic_cast<TskSkinMenuSpeedButton*>(child))
            menu->SetSkinDataName(big + (menu->GetTrackButtonMode() ? "toolmenutrackbutton"
                                                                    : "toolmenubutton"));
        else if (auto* button = dynamic_cast<TskSkinSpeedButton*>(child))
            button->SetSkinDataName(big + "toolbutton");
    }
}

void TskSkinToolBar::SetFlat(bool Value) {
    FFlat = Value;
    for (int i = 0; i < GetControlCount(); ++i)
        if (auto* button = dynamic_cast<TskSkinSpeedButton*>(GetControl(i))) button->SetFlat(Value);
}

void TskSkinToolBar::Link(TCustomImageList*& Field, TCustomImageList* Value) {
    SetReference(this, Field, Value);
}

void TskSkinToolBar::SetImages(TCustomImageList* Value) {
    Link(FImages, Value);
    for (int i = 0; i < GetControlCount(); ++i)
        if (auto* button = dynamic_cast<TskSkinSpeedButton*>(GetControl(i))) button->Repaint();
}

void TskSkinToolBar::SetHotImages(TCustomImageList* Value) {
    Link(FHotImages, Value);
}

void TskSkinToolBar::SetDisabledImages(TCustomImageList* Value) {
    Link(FDisabledImages, Value);
}

TCustomImageList* TskSkinToolBar::ButtonImages(bool Disabled, bool Hot) {
    if (Disabled && FDisabledImages) return FDisabledImages;
    if (Hot && FHotImages) return FHotImages;
    return FImages;
}

void TskSkinToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FHotImages) FHotImages = nullptr;
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

REGISTER_CLASS(TskSkinToolBar);

DEFINE_UNIT(SkinCtrls_ToolBars, uoSkin + 10, nullptr, nullptr);
