#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"

#include "skin/boxctrls/SkinBoxCtrls_Popups.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Strings.h"

#include <windowsx.h>

#include <climits>

// ---- TskSkinPopupTrackBar -------------------------------------------------------------------

void TskSkinPopupTrackBar::CreateParams(TCreateParams& Params) {
    TskSkinTrackBar::CreateParams(Params);
    PopupWindowParams(Params);
}

void TskSkinPopupTrackBar::WMMouseActivate(TMessage& Message) {
    Message.Result = MA_NOACTIVATE;
}

// ---- TskSkinTrackEdit ---------------------------------------------------------------------------

TskSkinTrackEdit::TskSkinTrackEdit(TComponent* AOwner) : TskSkinCustomEdit(AOwner) {
    SetButtonMode(true);
    FSkinDataName = "buttonedit";
    SetBounds(GetLeft(), GetTop(), 120, 20);
    FTrackBar = new TskSkinPopupTrackBar(this);
    FTrackBar->SetVisible(false);
    FTrackBar->SetParent(this);
    FTrackBar->OnChange = TNotifyEvent(this, &TskSkinTrackEdit::TrackBarChange);
    TFlagGuard setting(FInChange);
    SetText("0");
}

TskSkinTrackEdit::~TskSkinTrackEdit() {
    delete FTrackBar;
    FTrackBar = nullptr;
}

void TskSkinTrackEdit::Published(TPropertyList& P) {
    using C = TskSkinTrackEdit;
    using skinctrls_detail::Own;
    // Made with a button: a form leaves that out.
    P.Add("ButtonMode", Own<C>(&TskSkinCustomEdit::GetButtonMode),
          Own<C>(&TskSkinCustomEdit::SetButtonMode), true);
    // The bounds before the value: a form reads them in this order.
    P.Add("MinValue", &C::GetMinValue, &C::SetMinValue, 0);
    P.Add("MaxValue", &C::GetMaxValue, &C::SetMaxValue, 100);
    P.Add("Value", &C::GetValue, &C::SetValue, 0);
    P.Add("TrackBarWidth", &C::GetTrackBarWidth, &C::SetTrackBarWidth, 0);
    P.Add("TrackBarSkinDataName", &C::GetTrackBarSkinDataName, &C::SetTrackBarSkinDataName,
          AnsiString("htrackbar"));
    P.Add("TrackBarAlphaBlend", &C::GetTrackBarAlphaBlend, &C::SetTrackBarAlphaBlend, false);
    P.Add("TrackBarAlphaBlendValue", &C::GetTrackBarAlphaBlendValue,
          &C::SetTrackBarAlphaBlendValue, Byte(0));
    P.Add("TrackBarAlphaBlendAnimation", &C::GetTrackBarAlphaBlendAnimation,
          &C::SetTrackBarAlphaBlendAnimation, false);
    P.Add("JumpWhenClick", &C::GetJumpWhenClick, &C::SetJumpWhenClick, false);
}

void TskSkinTrackEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FTrackBar) FTrackBar = nullptr;
}

bool TskSkinTrackEdit::GetJumpWhenClick() const {
    return FTrackBar && FTrackBar->GetJumpWhenClick();
}

void TskSkinTrackEdit::SetJumpWhenClick(bool Value) {
    if (FTrackBar) FTrackBar->SetJumpWhenClick(Value);
}

// ---- Value and text -----------------------------------------------------------------------

int TskSkinTrackEdit::CheckValue(int Value) const {
    return KeepToEditBounds(Value, FMinValue, FMaxValue);
}

void TskSkinTrackEdit::SetMinValue(int Value) {
    FMinValue = Value;
    KeepToBounds();
}

void TskSkinTrackEdit::SetMaxValue(int Value) {
    FMaxValue = Value;
    KeepToBounds();
}

void TskSkinTrackEdit::KeepToBounds() {
    if (IsLoading() || CheckValue(FValue) == FValue) return;
    FValue = CheckValue(FValue);
    TFlagGuard setting(FInChange);
    SetText(IntToStr(FValue));
}

void TskSkinTrackEdit::Loaded() {
    TskSkinCustomEdit::Loaded();
    KeepToBounds();
}

bool TskSkinTrackEdit::IsNumText(const AnsiString& Text) const {
    if (Text.empty() || Text == "-") return false;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '-' ? i != 0 : c < '0' || c > '9') return false;
    }
    return true;
}

void TskSkinTrackEdit::SetValue(int Value) {
    FValue = CheckValue(Value);
    {
        TFlagGuard setting(FInChange);
        SetText(IntToStr(FValue));
    }
    Change();
}

bool TskSkinTrackEdit::FollowText() {
    const AnsiString text = GetText();
    int typed = 0;
    // A number too long for an int is no value either.
    if (!IsNumText(text) || !TryStrToInt(text, typed)) return false;
    const int value = CheckValue(typed);
    const bool changed = value != FValue;
    FValue = value;
    if (value != typed) {
        TFlagGuard setting(FInChange);
        SetText(IntToStr(value));
        SetSelStart(static_cast<int>(GetText().size()));
    }
    return changed;
}

void TskSkinTrackEdit::Change() {
    // The value follows a typed text before anyone is told of the change.
    if (!FInChange) FollowText();
    TskSkinCustomEdit::Change();
}

void TskSkinTrackEdit::WMSetText(TMessage& Message) {
    TskSkinCustomEdit::Dispatch(Message);
    // The multi-line system edit reports no change for a text set from outside: the value
    // follows it here, and a new value is told.
    if (FInChange || IsDestroying() || !FollowText()) return;
    TComponentProtector protect(this);
    TFlagGuard setting(FInChange);
    Change();
}

// ---- Keys and the wheel ---------------------------------------------------------------------

void TskSkinTrackEdit::KeyPress(char& Key) {
    const auto code = static_cast<unsigned char>(Key);
    if (Key == 27) {
        // The track bar closes; the key still goes on.
        CloseUp();
    } else if (GetReadOnly() ? code >= 32 || Key == '\b'
                             : Key != '-' && (Key < '0' || Key > '9') && code >= 32) {
        // Enter is reported, as in every edit of the family.
        Key = '\0';
        MessageBeep(0);
        return;
    }
    TskSkinCustomEdit::KeyPress(Key);
}

void TskSkinTrackEdit::WMMouseWheel(TMessage& Message) {
    const int delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
    if (delta == 0) return;
    // Turned toward the user (a negative delta) the value grows.
    const int step = delta < 0 ? 1 : -1;
    auto stepped = [step](int V) {
        return step > 0 ? (V == INT_MAX ? V : V + 1) : (V == INT_MIN ? V : V - 1);
    };
    if (IsTrackBarVisible())
        FTrackBar->SetValue(stepped(FTrackBar->GetValue()));
    else
        SetValue(stepped(FValue));
}

// ---- The track bar --------------------------------------------------------------------------

bool TskSkinTrackEdit::IsTrackBarVisible() const {
    return FTrackBar && FTrackBar->GetVisible();
}

void TskSkinTrackEdit::ButtonClick() {
    if (IsTrackBarVisible())
        CloseUp();
    else
        DropDown();
    TskSkinCustomEdit::ButtonClick();
}

void TskSkinTrackEdit::TrackBarChange(TObject*) {
    if (!FFillingTrackBar && FTrackBar) SetValue(FTrackBar->GetValue());
}

void TskSkinTrackEdit::DropDown() {
    if (!FTrackBar || !HandleAllocated() || IsTrackBarVisible()) return;
    const int width = FTrackBarWidth > 0 ? FTrackBarWidth : GetWidth();
    FFillingTrackBar = true;
    FTrackBar->SetDefaultHeight(GetHeight());
    FTrackBar->SetSkinDataName(FTrackBarSkinDataName);
    FTrackBar->SetSkinData(GetSkin());
    FTrackBar->SetBounds(FTrackBar->GetLeft(), FTrackBar->GetTop(), width, GetHeight());
    FTrackBar->SetMinValue(FMinValue);
    FTrackBar->SetMaxValue(FMaxValue);
    FTrackBar->SetValue(FValue);
    FFillingTrackBar = false;
    RECT window;
    GetWindowRect(GetHandle(), &window);
    const TPoint at = DropDownOrigin(TRect(window.left, window.top, window.right, window.bottom),
                                     FTrackBar->GetWidth(), FTrackBar->GetHeight(),
                                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ShowPopup(this, FTrackBar, at, FTrackBarAlphaBlend, FTrackBarAlphaBlendValue,
              FTrackBarAlphaBlendAnimation, 1);
}

void TskSkinTrackEdit::CloseUp() {
    if (IsTrackBarVisible()) HidePopup(FTrackBar);
}

void TskSkinTrackEdit::WMKillFocus(TMessage& Message) {
    TskSkinCustomEdit::Dispatch(Message);
    if (!IsDestroying()) CloseUp();
}

void TskSkinTrackEdit::CMCancelMode(TMessage& Message) {
    TskSkinCustomEdit::Dispatch(Message);
    auto* sender = reinterpret_cast<TControl*>(Message.LParam);
    if (!FTrackBar || IsDestroying() || sender == FTrackBar) return;
    CloseUp();
}

REGISTER_CLASS(TskSkinTrackEdit);

DEFINE_UNIT(SkinBoxCtrls_TrackEdits, uoSkin + 34, nullptr, nullptr);
