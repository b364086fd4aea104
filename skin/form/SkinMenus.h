// The skinned popup menu as the skinned controls open it: against the screen rectangle
// of the control that opens it. The skinned menu windows belong to the skinned form;
// until a form has one, the menu only announces itself and shows nothing.
#pragma once

#include "skin/controls/SkinCtrls_SpeedButtons.h"

#include "classlib/Menus.h"

DECLARE_UNIT(SkinMenus)

class TskSkinPopupMenu : public TPopupMenu, public TskRectPopup {
    DECLARE_CLASS(TskSkinPopupMenu, TPopupMenu)
public:
    explicit TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}
    static void Published(TPropertyList&) {}

    TskSkinData* SkinData = nullptr;

    // Fires OnPopup; shows the menu through the skinned form of its owner's form when
    // there is one. Returns whether a menu is open.
    bool PopupFromRect2(TControl* Control, const TRect& R, bool Flag) override;
};
