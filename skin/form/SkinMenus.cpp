#include "skin/form/SkinMenus.h"

#include "classlib/ClassRegistry.h"

bool TskSkinPopupMenu::PopupFromRect2(TControl*, const TRect&, bool) {
    if (OnPopup) OnPopup(this);
    // No skinned form frame exists yet to show the skinned menu in.
    return false;
}

REGISTER_CLASS(TskSkinPopupMenu);

DEFINE_UNIT(SkinMenus, uoSkin + 20, nullptr, nullptr);
