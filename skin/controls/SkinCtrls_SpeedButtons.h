// Window-less skinned speed buttons: groups, a flat mode without a frame until the
// pointer comes, repeat, the hover fade; and the menu speed button whose press opens a
// skinned popup menu against the button until the menu tells it that it closed.
#pragma once

#include "skin/controls/SkinCtrls_ButtonCore.h"
#include "skin/controls/SkinCtrls_Graphic.h"
#include "skin/controls/SkinCtrls_MenuTrack.h"

DECLARE_UNIT(SkinCtrls_SpeedButtons)

// A container whose speed buttons take their pictures from its image lists (the tool bar).
class TskButtonImages {
public:
    // The list a button without a glyph draws from: disabled, hot, else the normal one.
    virtual TCustomImageList* ButtonImages(bool Disabled, bool Hot) = 0;

protected:
    ~TskButtonImages() = default;
};

class TskSkinSpeedButton : public TskGraphicSkinCustomControl, public TskButtonCore {
    DECLARE_CLASS(TskSkinSpeedButton, TskGraphicSkinCustomControl)
public:
    explicit TskSkinSpeedButton(TComponent* AOwner);
    ~TskSkinSpeedButton() override;
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void ButtonClick() override;

    bool GetFlat() const { return FFlat; }
    // A flat button is transparent and never fades.
    void SetFlat(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    // Repaints only on a container with image lists.
    void SetImageIndex(int Value);

protected:
    TControl* ButtonControl() override { return this; }
    TskSkinClient& ButtonClient() override { return *this; }
    TskSkinSizing& ButtonSizing() override { return *this; }
    bool IsGroupMate(TControl* Other) override {
        return dynamic_cast<TskSkinSpeedButton*>(Other) != nullptr;
    }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    // The glyph, or the container's image when the glyph is empty.
    void DrawContent(TCanvas* Canvas, const TRect& R, bool Shift, bool ADown, bool AActive) override;
    // Glyph and caption straight on the canvas, without a face (flat and not lit).
    void PaintContentOnly(const TRect& R);
    // Shown pressed: Down and grouped or under the pointer.
    bool ShowsDown() { return GetDown() && (GetGroupIndex() != 0 || FMouseIn); }
    bool FlatIdle();

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinSpeedButton, TskGraphicSkinCustomControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

private:
    bool FFlat = false;
    int FImageIndex = 0;
};

class TskSkinMenuSpeedButton : public TskSkinSpeedButton, public TskMenuTrack {
    DECLARE_CLASS(TskSkinMenuSpeedButton, TskSkinSpeedButton)
public:
    explicit TskSkinMenuSpeedButton(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void GetSkinData() override;

protected:
    TskButtonCore& TrackedButton() override { return *this; }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive) override;
    void CreateControlDefaultImage(TBitmap* B) override;

    void WMCloseSkinMenu(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinMenuSpeedButton, TskSkinSpeedButton)
    MESSAGE_HANDLER(WM_CLOSESKINMENU, WMCloseSkinMenu)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS
};
