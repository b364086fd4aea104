#include "grid/gclcolor.h"

#include "classlib/Filer.h"
#include "classlib/Graphics.h"
#include "classlib/Persistence.h"

TGclColors::TGclColors(TColor DefaultText, TColor DefaultBack)
    : FBackColor(DefaultBack), FTextColor(DefaultText), FDefBackColor(DefaultBack),
      FDefTextColor(DefaultText) {}

void TGclColors::Changed() {
    if (OnColorChange.Assigned()) OnColorChange(this);
}

void TGclColors::SetBackColor(TColor Value) {
    if (Value == FBackColor) return;
    FBackColor = Value;
    if (Value != FDefBackColor) FUseDefault = false;
    Changed();
}

void TGclColors::SetTextColor(TColor Value) {
    if (Value == FTextColor) return;
    FTextColor = Value;
    if (Value != FDefTextColor) FUseDefault = false;
    Changed();
}

void TGclColors::SetUseDefault(bool Value) {
    FUseDefault = Value;
    if (Value) {
        FBackColor = FDefBackColor;
        FTextColor = FDefTextColor;
    }
    Changed();
}

void TGclColors::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TGclColors*>(Source)) {
        SetBackColor(other->FBackColor);
        SetTextColor(other->FTextColor);
        return;
    }
    TPersistent::Assign(Source);
}

void TGclColors::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    // Older forms store the flag; it is read and dropped, never written.
    Filer->DefineProperty("UseDefault", [](TReader* Reader) { Reader->ReadBoolean(); }, nullptr,
                          false);
}

void TGclColors::Published(TPropertyList& P) {
    P.Add("BackColor", &TGclColors::GetBackColor, &TGclColors::SetBackColor)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("TextColor", &TGclColors::GetTextColor, &TGclColors::SetTextColor)
        .Idents(ColorToIdent, IdentToColor);
}
