// The skinned roll-up panel: a container with a caption bar holding a close button and a
// roll button; it rolls to its caption bar vertically, or to a narrow strip with the
// caption turned upright horizontally.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include <vector>

DECLARE_UNIT(SkinCtrls_ExPanels)

enum TskExPanelRollKind { rkRollHorizontal, rkRollVertical };

class TskSkinExPanel : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinExPanel, TskSkinCustomControl)
public:
    explicit TskSkinExPanel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnChangeRollState;
    TNotifyEvent OnClose;

    // Button indexes.
    enum { ebClose = 0, ebRoll = 1 };

    void GetSkinData() override;
    void ChangeSkinData() override;
    // While rolled, the rolled dimension stays pinned.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;

    bool GetRollState() const { return FRollState; }
    void SetRollState(bool Value);
    TskExPanelRollKind GetRollKind() const { return FRollKind; }
    void SetRollKind(TskExPanelRollKind Value);
    bool GetShowRollButton() const { return FShowRollButton; }
    void SetShowRollButton(bool Value);
    bool GetShowCloseButton() const { return FShowCloseButton; }
    void SetShowCloseButton(bool Value);
    // A caption too long for its bar loses characters in its middle instead of at its end,
    // which keeps both ends of a name in view.
    bool GetShortenInMiddle() const { return FShortenInMiddle; }
    void SetShortenInMiddle(bool Value);
    int GetDefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    // The width and height kept from before the last roll.
    int GetStoredWidth() const { return FStoredWidth; }
    int GetStoredHeight() const { return FStoredHeight; }
    int GetRollWidth() const;
    int GetRollHeight() const;
    TRect GetButtonRect(int Index) const { return FButtons[Index].Rect; }
    // Hides the panel (the close button).
    void Close();

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinExPanel, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

private:
    struct TButtonState {
        TRect Rect;
        bool Active = false;
        bool Down = false;
    };

    bool Horizontal() const { return FRollKind == rkRollHorizontal; }
    // Drawn from the skin: a record, and a rolled picture when rolled.
    bool SkinLook() const;
    void TestActive(int X, int Y);
    void HideControls();
    void ShowControls();
    // Places the buttons and returns the caption's text rectangle.
    TRect LayoutDefault();
    TRect LayoutSkinned();
    void DrawButton(TCanvas* Canvas, int Index);
    void DrawRotatedCaption(TCanvas* Canvas, const TRect& R);
    // The caption across the bar, shortened with "..." where the text rectangle R is short.
    void DrawCaption(TCanvas* Canvas, const TRect& R);
    // The skin's normal, active and down rectangles of a button.
    void ButtonSources(int Index, TRect& Normal, TRect& Active, TRect& Down) const;

    bool FRollState = false;
    TskExPanelRollKind FRollKind = rkRollVertical;
    bool FShowRollButton = true;
    bool FShowCloseButton = true;
    int FDefaultCaptionHeight = 21;
    bool FShortenInMiddle = false;
    bool FRollChanging = false;
    int FStoredWidth = 0;
    int FStoredHeight = 0;
    std::unique_ptr<std::vector<TControl*>> FHiddenControls;
    TButtonState FButtons[2];
    int FActiveButton = -1, FOldActiveButton = -1, FDownButton = -1;

    // Copied from the record.
    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
    TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
    TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
    TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
    TRect CaptionRect;
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = clBtnText;
};
