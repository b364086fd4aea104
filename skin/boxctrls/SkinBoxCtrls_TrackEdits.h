// The skinned track edit: a button edit that holds an integer between MinValue and MaxValue
// (any integer when the two are equal), typed or turned by the wheel, whose button drops a
// horizontal skinned track bar in a popup window that sets the value by dragging.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/controls/SkinCtrls_TrackBars.h"

DECLARE_UNIT(SkinBoxCtrls_TrackEdits)

// The track bar a track edit drops: a tool window that never takes the activation.
class TskSkinPopupTrackBar : public TskSkinTrackBar {
    DECLARE_CLASS(TskSkinPopupTrackBar, TskSkinTrackBar)
public:
    explicit TskSkinPopupTrackBar(TComponent* AOwner) : TskSkinTrackBar(AOwner) {}

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMMouseActivate(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinPopupTrackBar, TskSkinTrackBar)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
    END_MESSAGE_HANDLERS
};

class TskSkinTrackEdit : public TskSkinCustomEdit {
    DECLARE_CLASS(TskSkinTrackEdit, TskSkinCustomEdit)
public:
    explicit TskSkinTrackEdit(TComponent* AOwner);
    ~TskSkinTrackEdit() override;
    static void Published(TPropertyList& P);

    int GetMinValue() const { return FMinValue; }
    // The value is kept to the new bounds and shown, telling no one.
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int GetValue() const { return FValue; }
    // The value kept to the bounds, shown, then OnChange.
    void SetValue(int Value);
    // Value kept to MinValue..MaxValue as every range control keeps it (ClampValue: bounds
    // that cross give MaxValue); any value when the two are equal.
    int CheckValue(int Value) const;
    // Digits and a leading minus sign, with at least one digit.
    bool IsNumText(const AnsiString& Text) const;

    int GetTrackBarWidth() const { return FTrackBarWidth; }
    // 0: the edit's width.
    void SetTrackBarWidth(int Value) { FTrackBarWidth = Value; }
    const AnsiString& GetTrackBarSkinDataName() const { return FTrackBarSkinDataName; }
    void SetTrackBarSkinDataName(const AnsiString& Value) { FTrackBarSkinDataName = Value; }
    bool GetTrackBarAlphaBlend() const { return FTrackBarAlphaBlend; }
    void SetTrackBarAlphaBlend(bool Value) { FTrackBarAlphaBlend = Value; }
    Byte GetTrackBarAlphaBlendValue() const { return FTrackBarAlphaBlendValue; }
    void SetTrackBarAlphaBlendValue(Byte Value) { FTrackBarAlphaBlendValue = Value; }
    bool GetTrackBarAlphaBlendAnimation() const { return FTrackBarAlphaBlendAnimation; }
    void SetTrackBarAlphaBlendAnimation(bool Value) { FTrackBarAlphaBlendAnimation = Value; }
    bool GetJumpWhenClick() const;
    void SetJumpWhenClick(bool Value);

    void DropDown();
    void CloseUp();
    bool IsTrackBarVisible() const;
    TskSkinPopupTrackBar* GetTrackBar() const { return FTrackBar; }

protected:
    void ButtonClick() override;
    void Change() override;
    void KeyPress(char& Key) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void WMSetText(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void CMCancelMode(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinTrackEdit, TskSkinCustomEdit)
    MESSAGE_HANDLER(WM_SETTEXT, WMSetText)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(CM_CANCELMODE, CMCancelMode)
    END_MESSAGE_HANDLERS

private:
    // The value of a typed or set text: a number is kept to the bounds, and a number
    // beyond them is shown as the bound. Any other text changes nothing. True when the
    // value changed.
    bool FollowText();
    // The value kept to bounds that changed. A form's lines come in any order, and equal
    // bounds hold any value: while it is read the bounds are only stored, and the value is
    // kept once they are all there.
    void KeepToBounds();
    void TrackBarChange(TObject* Sender);

    TskSkinPopupTrackBar* FTrackBar = nullptr;
    bool FInChange = false;
    // The track bar is given the edit's values: its changes are not the user's.
    bool FFillingTrackBar = false;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 0;
    int FTrackBarWidth = 0;
    AnsiString FTrackBarSkinDataName = "htrackbar";
    bool FTrackBarAlphaBlend = false;
    Byte FTrackBarAlphaBlendValue = 0;
    bool FTrackBarAlphaBlendAnimation = false;
};
