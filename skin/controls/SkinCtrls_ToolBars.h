// The skinned tool bar: a panel docked at the top that hands its skin, its flat mode and
// its image lists to the speed buttons on it.
#pragma once

#include "skin/controls/SkinCtrls_Bevels.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"

DECLARE_UNIT(SkinCtrls_ToolBars)

class TskSkinToolBar : public TskSkinPanel, public TskButtonImages {
    DECLARE_CLASS(TskSkinToolBar, TskSkinPanel)
public:
    explicit TskSkinToolBar(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // The speed buttons and bevels on the bar take the same skin.
    void SetSkinData(TskSkinData* Value) override;
    // At design time the buttons' section names follow the bar ("big" ones on "bigtoolpanel").
    void SetSkinDataName(const AnsiString& Value) override;
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* GetHotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);
    TCustomImageList* GetDisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);

    TCustomImageList* ButtonImages(bool Disabled, bool Hot) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Link(TCustomImageList*& Field, TCustomImageList* Value);

    bool FFlat = false;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
};
