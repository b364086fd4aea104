#include "skin/boxctrls/SkinBoxCtrls_SpinEdit.h"

#include "skin/data/SkinData_EditControls.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cmath>

namespace {

// The plain look's buttons: 15 pixels wide inside the control's two-pixel frame.
constexpr int kPlainButtonsWidth = 17;

AnsiString Replaced(AnsiString Text, char From, char To) {
    std::replace(Text.begin(), Text.end(), From, To);
    return Text;
}

} // namespace

TskSkinSpinEdit::TskSkinSpinEdit(TComponent* AOwner) : TskSkinStepButtons(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csOpaque, csDoubleClicks});
    FEdit = new TskSkinNumEdit(this);
    FEdit->SetParent(this);
    FEdit->GetFont()->Assign(GetDefaultFont());
    FEdit->SetAutoSize(false);
    FEdit->SetVisible(true);
    FEdit->SetEditTransparent(false);
    FEdit->OnChange = TNotifyEvent(this, &TskSkinSpinEdit::EditChange);
    FEdit->OnUpClick = TNotifyEvent(this, &TskSkinSpinEdit::UpClick);
    FEdit->OnDownClick = TNotifyEvent(this, &TskSkinSpinEdit::DownClick);
    FEdit->OnKeyDown = TKeyEvent(this, &TskSkinSpinEdit::EditKeyDown);
    FEdit->OnKeyUp = TKeyEvent(this, &TskSkinSpinEdit::EditKeyUp);
    FEdit->OnKeyPress = TKeyPressEvent(this, &TskSkinSpinEdit::EditKeyPress);
    {
        TFlagGuard fromValue(FTextFromValue);
        SetText("0");
    }
    FSkinDataName = "spinedit";
    SetBounds(GetLeft(), GetTop(), 120, 20);
}

TskSkinSpinEdit::~TskSkinSpinEdit() {
    delete FEdit;
    FEdit = nullptr;
}

void TskSkinSpinEdit::Published(TPropertyList& P) {
    // The type and the bounds before the value: a form reads them in this order.
    P.Add("ValueType", &TskSkinSpinEdit::GetValueType, &TskSkinSpinEdit::SetValueType, vtInteger);
    P.Add("Decimal", &TskSkinSpinEdit::GetDecimal, &TskSkinSpinEdit::SetDecimal, Byte(2));
    P.Add("MinValue", &TskSkinSpinEdit::GetMinValue, &TskSkinSpinEdit::SetMinValue, 0.0);
    P.Add("MaxValue", &TskSkinSpinEdit::GetMaxValue, &TskSkinSpinEdit::SetMaxValue, 0.0);
    P.Add("Value", &TskSkinSpinEdit::GetValue, &TskSkinSpinEdit::SetValue, 0.0);
    P.Add("Increment", &TskSkinSpinEdit::GetIncrement, &TskSkinSpinEdit::SetIncrement, 1.0);
    P.Add("EditorEnabled", &TskSkinSpinEdit::GetEditorEnabled,
          &TskSkinSpinEdit::SetEditorEnabled, true);
    P.Add("MaxLength", &TskSkinSpinEdit::GetMaxLength, &TskSkinSpinEdit::SetMaxLength, 0);
    P.Add("OnChange", &TskSkinSpinEdit::OnChange);
    P.Add("OnEditKeyDown", &TskSkinSpinEdit::OnEditKeyDown);
    P.Add("OnEditKeyPress", &TskSkinSpinEdit::OnEditKeyPress);
    P.Add("OnEditKeyUp", &TskSkinSpinEdit::OnEditKeyUp);
}

void TskSkinSpinEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinStepButtons::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FEdit) FEdit = nullptr;
}

// ---- Value and text -------------------------------------------------------------------------

double TskSkinSpinEdit::CheckValue(double Value) const {
    return KeepToEditBounds(Value, FMinValue, FMaxValue);
}

void TskSkinSpinEdit::SetMinValue(double Value) {
    FMinValue = Value;
    KeepToBounds();
}

void TskSkinSpinEdit::SetMaxValue(double Value) {
    FMaxValue = Value;
    KeepToBounds();
}

void TskSkinSpinEdit::KeepToBounds() {
    if (IsLoading() || Constrain(FValue) == FValue) return;
    SimpleSetValue(FValue);
}

void TskSkinSpinEdit::Loaded() {
    TskSkinStepButtons::Loaded();
    KeepToBounds();
}

double TskSkinSpinEdit::Constrain(double Value) const {
    const double bounded = CheckValue(Value);
    if (FValueType != vtInteger) return bounded;
    // The integer the text shows is the value kept.
    double whole = std::nearbyint(bounded);
    if (FMinValue != FMaxValue)
        whole = ClampValue(whole, std::ceil(FMinValue), std::floor(FMaxValue));
    return whole == 0 ? 0.0 : whole;
}

AnsiString TskSkinSpinEdit::ValueText(double Value) const {
    if (FValueType == vtInteger) return FormatFloat("0", Value);
    const AnsiString picture = FDecimal > 0 ? "0." + AnsiString(FDecimal, '0') : AnsiString("0");
    return Replaced(FormatFloat(picture, Value), '.', LocaleDecimalSeparator());
}

bool TskSkinSpinEdit::IsNumText(const AnsiString& Text) const {
    if (Text.empty() || Text == "-") return false;
    const char separator = LocaleDecimalSeparator();
    const bool isFloat = FValueType == vtFloat;
    int separators = 0;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '-') {
            if (i != 0) return false;
        } else if (isFloat && c == separator) {
            if (i == 0 || ++separators > 1) return false;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool TskSkinSpinEdit::ReadNumber(const AnsiString& Text, double& Value) const {
    if (FValueType == vtInteger) {
        int whole = 0;
        if (!TryStrToInt(Text, whole)) return false;
        Value = whole;
        return true;
    }
    return TryStrToFloat(Replaced(Text, LocaleDecimalSeparator(), '.'), Value);
}

void TskSkinSpinEdit::ShowValue(double Value) {
    TFlagGuard fromValue(FTextFromValue);
    SetText(ValueText(Value));
}

void TskSkinSpinEdit::SimpleSetValue(double Value) {
    // Not a number, nor one without end: nothing a field could show or step from.
    if (!std::isfinite(Value)) return;
    FValue = Constrain(Value);
    ShowValue(FValue);
}

void TskSkinSpinEdit::SetValue(double Value) {
    if (!std::isfinite(Value)) return;
    SimpleSetValue(Value);
    Change();
}

void TskSkinSpinEdit::Change() {
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TskSkinSpinEdit::TextToValue(const AnsiString& Text) {
    double typed = 0;
    if (!IsNumText(Text) || !ReadNumber(Text, typed)) return;
    TComponentProtector protect(this);
    const double value = Constrain(typed);
    if (value != FValue) {
        FValue = value;
        Change();
        if (IsDestroying()) return;
    }
    // A typed integer outside the bounds is replaced by the one kept; a typed floating-point
    // number stays as typed.
    if (FValueType == vtInteger && typed != value) {
        // Both texts: this runs while the edit's own change is passed on.
        TFlagGuard fromValue(FTextFromValue);
        const AnsiString shown = ValueText(FValue);
        if (FEdit) FEdit->SetText(shown);
        SetText(shown);
    }
}

void TskSkinSpinEdit::CMTextChanged(TMessage& Message) {
    TskSkinStepButtons::Dispatch(Message);
    if (FEdit && !FTextFromEdit) FEdit->SetText(GetText());
    if (FTextFromValue) return;
    TextToValue(FEdit ? FEdit->GetText() : GetText());
}

void TskSkinSpinEdit::EditChange(TObject*) {
    TFlagGuard fromEdit(FTextFromEdit);
    SetText(FEdit->GetText());
}

void TskSkinSpinEdit::SetValueType(TskValueType Value) {
    if (Value == FValueType) return;
    FValueType = Value;
    if (Value == vtInteger) {
        FIncrement = std::nearbyint(FIncrement);
        if (FIncrement == 0) FIncrement = 1;
    }
    if (FEdit) FEdit->SetFloat(Value == vtFloat);
}

bool TskSkinSpinEdit::GetEditorEnabled() const {
    return FEdit && FEdit->GetEditorEnabled();
}

void TskSkinSpinEdit::SetEditorEnabled(bool Value) {
    if (FEdit) FEdit->SetEditorEnabled(Value);
}

int TskSkinSpinEdit::GetMaxLength() const {
    return FEdit ? FEdit->GetMaxLength() : 0;
}

void TskSkinSpinEdit::SetMaxLength(int Value) {
    if (FEdit) FEdit->SetMaxLength(Value);
}

void TskSkinSpinEdit::Step(int Index) {
    SetValue(Index == sbUp ? FValue + FIncrement : FValue - FIncrement);
}

void TskSkinSpinEdit::UpClick(TObject*) {
    Step(sbUp);
}

void TskSkinSpinEdit::DownClick(TObject*) {
    Step(sbDown);
}

void TskSkinSpinEdit::EditKeyDown(TObject*, Word& Key, TShiftState Shift) {
    if (OnEditKeyDown) OnEditKeyDown(this, Key, Shift);
}

void TskSkinSpinEdit::EditKeyPress(TObject*, char& Key) {
    if (OnEditKeyPress) OnEditKeyPress(this, Key);
}

void TskSkinSpinEdit::EditKeyUp(TObject*, Word& Key, TShiftState Shift) {
    if (OnEditKeyUp) OnEditKeyUp(this, Key, Shift);
}

// ---- Skin -----------------------------------------------------------------------------------

void TskSkinSpinEdit::GetSkinData() {
    TskSkinStepButtons::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinSpinEditControl*>(GetSkinRecord());
    FHasSpinRecord = record != nullptr;
    if (!record) return;
    FSkinFont = *record;
    ReadButtonLooks(*record);
}

bool TskSkinSpinEdit::Skinned() const {
    return FIndex != -1 && FHasSpinRecord && PictureHolds(SkinRect);
}

void TskSkinSpinEdit::ApplyEditFont() {
    if (!FEdit) return;
    TFont* font = FEdit->GetFont();
    if (!Skinned()) {
        font->Assign(GetDefaultFont());
    } else if (UseSkinFont) {
        font->SetStyle(FSkinFont.FontStyle);
        font->SetColor(FSkinFont.FontColor);
        font->SetHeight(FSkinFont.FontHeight);
        font->SetName(FSkinFont.FontName);
        font->SetCharset(GetDefaultFont()->GetCharset());
    } else {
        font->Assign(GetDefaultFont());
        font->SetColor(FSkinFont.FontColor);
    }
}

void TskSkinSpinEdit::EnabledFontColor() {
    if (!FEdit) return;
    TColor color = Skinned() ? FSkinFont.FontColor : GetDefaultFont()->GetColor();
    if (!GetEnabled()) color = clGray;
    FEdit->GetFont()->SetColor(color);
}

void TskSkinSpinEdit::ChangeSkinData() {
    TskSkinStepButtons::ChangeSkinData();
    if (IsDestroying()) return;
    ApplyEditFont();
    const bool skinned = Skinned();
    if (FEdit && FEdit->GetEditTransparent() != skinned) FEdit->SetEditTransparent(skinned);
    if (skinned && RectHeight(SkinRect) != GetHeight()) SetHeight(RectHeight(SkinRect));
    CalcRects();
    EnabledFontColor();
    Repaint();
}

void TskSkinSpinEdit::DefaultFontChange() {
    if (FEdit && !Skinned()) FEdit->GetFont()->Assign(GetDefaultFont());
}

void TskSkinSpinEdit::CMEnabledChanged(TMessage& Message) {
    TskSkinStepButtons::Dispatch(Message);
    EnabledFontColor();
}

void TskSkinSpinEdit::Invalidate() {
    TskSkinStepButtons::Invalidate();
    if (FEdit && Skinned()) FEdit->Invalidate();
}

void TskSkinSpinEdit::CalcRects() {
    const int w = GetWidth();
    const int h = GetHeight();
    TRect edit;
    if (Skinned()) {
        // Buttons in the right cap move with it as the control grows.
        FButtons[sbUp].R = GetNewRect(FLooks.UpButtonRect);
        FButtons[sbDown].R = GetNewRect(FLooks.DownButtonRect);
        const int dW = w - RectWidth(SkinRect);
        edit = TRect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom);
    } else {
        FButtons[sbUp].R = TRect(w - kPlainButtonsWidth, 2, w - 2, h / 2);
        FButtons[sbDown].R = TRect(w - kPlainButtonsWidth, h / 2, w - 2, h - 2);
        edit = TRect(2, 2, w - kPlainButtonsWidth, h - 2);
    }
    if (FEdit)
        FEdit->SetBounds(edit.Left, edit.Top, std::max(0, RectWidth(edit)),
                         std::max(0, RectHeight(edit)));
}

void TskSkinSpinEdit::CreateControlSkinImage(TBitmap* B) {
    // A record without a picture that holds it draws the plain look.
    if (!Skinned()) {
        CreateControlDefaultImage(B);
        return;
    }
    TskSkinStepButtons::CreateControlSkinImage(B);
    for (int i = 0; i < 2; ++i) DrawSkinButton(B->GetCanvas(), i);
}

void TskSkinSpinEdit::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* canvas = B->GetCanvas();
    TRect r = GetClientRect();
    canvas->GetBrush()->SetColor(clWindow);
    canvas->FillRect(r);
    Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
    Frame3D(canvas, r, clBtnFace, clBtnFace, 1);
    DrawDefaultButton(canvas, sbUp, 3, false);
    DrawDefaultButton(canvas, sbDown, 4, false);
}

REGISTER_CLASS(TskSkinSpinEdit);

namespace {

void RegisterSpinEditEnums() {
    RegisterEnum<TskValueType>({"vtInteger", "vtFloat"});
}

} // namespace

DEFINE_UNIT(SkinBoxCtrls_SpinEdit, uoSkin + 33, RegisterSpinEditEnums, nullptr);
