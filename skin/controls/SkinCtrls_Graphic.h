// The window-less skinned control bases: the twins of TskSkinControl and
// TskSkinCustomControl on TGraphicControl. They paint on the parent's canvas, blend
// with the picture of the parent and the window-less siblings, and have no region.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

class TskGraphicSkinControl : public TGraphicControl, public TskSkinClient {
    DECLARE_CLASS(TskGraphicSkinControl, TGraphicControl)
public:
    explicit TskGraphicSkinControl(TComponent* AOwner);
    static void Published(TPropertyList& P);
    TControl* SkinnedControl() override { return this; }

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);

    MESSAGE_HANDLERS(TskGraphicSkinControl, TGraphicControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    END_MESSAGE_HANDLERS
};

class TskGraphicSkinCustomControl : public TskGraphicSkinControl, public TskSkinSizing {
    DECLARE_CLASS(TskGraphicSkinCustomControl, TskGraphicSkinControl)
public:
    explicit TskGraphicSkinCustomControl(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void ChangeSkinData() override;
    // A skinned size change goes through CalcSize; a move repaints a blended control,
    // since no window tells it that it moved.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    TskSkinClient& Client() override { return *this; }
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
};
