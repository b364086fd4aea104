#include "skin/boxctrls/skColorCtrls_ColorBox.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

namespace {

// The groups of the class library's colour table, by index.
constexpr int kStandardColors = 16;
constexpr int kExtendedEnd = 20;

TObject* AsObject(TColor Color) {
    return reinterpret_cast<TObject*>(static_cast<intptr_t>(Color));
}

TColor AsColor(TObject* Object) {
    return static_cast<TColor>(reinterpret_cast<intptr_t>(Object));
}

} // namespace

AnsiString PrettyColorName(const AnsiString& Name) {
    const AnsiString bare = Name.compare(0, 2, "cl") == 0 ? Name.substr(2) : Name;
    AnsiString text;
    for (char c : bare) {
        if (c >= 'A' && c <= 'Z' && !text.empty()) text += ' ';
        text += c;
    }
    return text;
}

TskSkinColorComboBox::TskSkinColorComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {
    SetStyle(skcbFixedStyle);
    OnComboBoxDrawItem = TskDrawSkinItemEvent(this, &TskSkinColorComboBox::DrawColorItem);
    SetOnListBoxDrawItem(TskDrawSkinItemEvent(this, &TskSkinColorComboBox::DrawColorItem));
}

void TskSkinColorComboBox::Published(TPropertyList& P) {
    using C = TskSkinColorComboBox;
    P.Add("ExStyle", &C::GetExStyle, &C::SetExStyle,
          TskColorBoxExStyle{skcbStandardColors, skcbExtendedColors, skcbSystemColors});
    P.Add("Selected", &C::GetSelected, &C::SetSelected, clBlack).Idents(ColorToIdent, IdentToColor);
    P.Add("DefaultColorColor", &C::GetDefaultColorColor, &C::SetDefaultColorColor, clBlack)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("NoneColorColor", &C::GetNoneColorColor, &C::SetNoneColorColor, clBlack)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ShowNames", &C::GetShowNames, &C::SetShowNames, true);
}

TColor TskSkinColorComboBox::GetColor(int Index) const {
    return AsColor(GetItems()->GetObject(Index));
}

AnsiString TskSkinColorComboBox::GetColorName(int Index) const {
    return GetItems()->Get(Index);
}

void TskSkinColorComboBox::SetDefaultColorColor(TColor Value) {
    if (FDefaultColorColor == Value) return;
    FDefaultColorColor = Value;
    Invalidate();
}

void TskSkinColorComboBox::SetNoneColorColor(TColor Value) {
    if (FNoneColorColor == Value) return;
    FNoneColorColor = Value;
    Invalidate();
}

void TskSkinColorComboBox::SetShowNames(bool Value) {
    if (FShowNames == Value) return;
    FShowNames = Value;
    Invalidate();
}

void TskSkinColorComboBox::ColorCallBack(const AnsiString& Name) {
    const TColor color = StringToColor(Name);
    GetItems()->AddObject(FExStyle.Contains(skcbPrettyNames) ? PrettyColorName(Name) : Name,
                          AsObject(color));
}

void TskSkinColorComboBox::PopulateList() {
    if (!HandleAllocated()) {
        FNeedsPopulating = true;
        return;
    }
    TStrings* items = GetItems();
    items->BeginUpdate();
    try {
        const bool custom = FExStyle.Contains(skcbCustomColor);
        const TColor customColor = custom && items->GetCount() > 0 ? GetColor(0) : 0;
        const TColor selected = GetSelected();
        items->Clear();
        GetColorValues([this](const AnsiString& Name) { ColorCallBack(Name); });
        // Each group by itself, from the end: "none" and "default" follow the system
        // colours and stay when they are asked for, whatever else is left out.
        int special = kExtendedEnd;
        while (special < items->GetCount() && GetColor(special) != clNone &&
               GetColor(special) != clDefault)
            ++special;
        const auto drop = [items](int First, int Last) {
            for (int i = Last; i >= First; --i) items->Delete(i);
        };
        for (int i = items->GetCount() - 1; i >= special; --i) {
            const TColor color = GetColor(i);
            if ((color == clNone && !FExStyle.Contains(skcbIncludeNone)) ||
                (color == clDefault && !FExStyle.Contains(skcbIncludeDefault)))
                items->Delete(i);
        }
        if (!FExStyle.Contains(skcbSystemColors)) drop(kExtendedEnd, special - 1);
        if (!FExStyle.Contains(skcbExtendedColors)) drop(kStandardColors, kExtendedEnd - 1);
        if (!FExStyle.Contains(skcbStandardColors)) drop(0, kStandardColors - 1);
        if (custom) items->InsertObject(0, "Custom...", AsObject(customColor));
        SetSelected(selected);
    } catch (...) {
        items->EndUpdate();
        throw;
    }
    items->EndUpdate();
    FNeedsPopulating = false;
}

void TskSkinColorComboBox::SetSelected(TColor Value) {
    FSelected = Value;
    if (!HandleAllocated()) return;
    const bool custom = FExStyle.Contains(skcbCustomColor);
    TStrings* items = GetItems();
    int found = -1;
    // A listed colour's own row wins over the custom row, which may hold the same colour.
    for (int i = custom ? 1 : 0; i < items->GetCount() && found < 0; ++i)
        if (GetColor(i) == Value) found = i;
    if (found < 0 && custom && items->GetCount() > 0 && Value != kNoColorSelected) {
        items->PutObject(0, AsObject(Value));
        found = 0;
    }
    SetItemIndex(found);
}

TColor TskSkinColorComboBox::GetSelected() {
    // Until the list is filled the remembered colour is the choice, and the first filling
    // selects it.
    if (!HandleAllocated() || GetItems()->GetCount() == 0) return FSelected;
    const int index = GetItemIndex();
    return index < 0 ? kNoColorSelected : GetColor(index);
}

void TskSkinColorComboBox::SetExStyle(TskColorBoxExStyle Value) {
    FExStyle = Value;
    SetEnabled(Value.Contains(skcbStandardColors) || Value.Contains(skcbExtendedColors) ||
               Value.Contains(skcbSystemColors) || Value.Contains(skcbCustomColor));
    PopulateList();
    if (GetItems()->GetCount() > 0 && GetItemIndex() == -1) SetItemIndex(0);
}

void TskSkinColorComboBox::CreateWnd() {
    TskSkinCustomComboBox::CreateWnd();
    PopulateList();
}

bool TskSkinColorComboBox::CustomRowChosen() {
    return FExStyle.Contains(skcbCustomColor) && GetItemIndex() == 0;
}

void TskSkinColorComboBox::KeyDown(Word& Key, TShiftState Shift) {
    // Enter on the custom row asks for its colour; with the list open Enter first closes it,
    // and the accepted choice asks then.
    if (Key == VK_RETURN && !IsPopupVisible() && CustomRowChosen()) {
        Key = 0;
        PickCustomColor();
        return;
    }
    TskSkinCustomComboBox::KeyDown(Key, Shift);
}

void TskSkinColorComboBox::CloseUpAccepted() {
    TComponentProtector protect(this);
    if (CustomRowChosen()) PickCustomColor();
    if (!IsDestroying()) TskSkinCustomComboBox::CloseUpAccepted();
}

bool TskSkinColorComboBox::PickCustomColor() {
    TComponentProtector protect(this);
    TskSkinColorDialog dialog(nullptr);
    dialog.SetSkinData(GetSkin());
    dialog.SetCtrlSkinData(GetSkin());
    dialog.SetColor(static_cast<TColor>(ColorToRGB(GetColor(0))));
    FColorDialog = &dialog;
    bool accepted = false;
    try {
        accepted = dialog.Execute();
    } catch (...) {
        FColorDialog = nullptr;
        throw;
    }
    FColorDialog = nullptr;
    if (!accepted || IsDestroying() || GetItems()->GetCount() == 0) return accepted;
    GetItems()->PutObject(0, AsObject(dialog.GetColor()));
    Invalidate();
    Click();
    if (!IsDestroying() && OnChange) OnChange(this);
    return accepted;
}

void TskSkinColorComboBox::DrawColorItem(TCanvas* Cnvs, int Index, int, int, const TRect& TextRect,
                                         TOwnerDrawState) {
    const TRect& r = TextRect;
    const TRect swatch = FShowNames ? TRect(r.Left + 1, r.Top + 1, r.Left + RectHeight(r) - 1, r.Bottom - 1)
                                    : TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    TColor color = GetColor(Index);
    // "None" and "default" are no colours to paint: their swatches take the colours given for them.
    if (color == clNone) color = FNoneColorColor;
    if (color == clDefault) color = FDefaultColorColor;
    TBrush* brush = Cnvs->GetBrush();
    brush->SetStyle(bsSolid);
    brush->SetColor(color);
    Cnvs->FillRect(swatch);
    brush->SetStyle(bsClear);
    if (FShowNames)
        SKDrawText(Cnvs, GetColorName(Index),
                   TRect(r.Left + RectWidth(swatch) + 5, r.Top, r.Right - 2, r.Bottom));
}

REGISTER_CLASS(TskSkinColorComboBox);

namespace {

void RegisterColorBoxEnums() {
    RegisterEnum<TskColorBoxStyles>({"skcbStandardColors", "skcbExtendedColors",
                                     "skcbSystemColors", "skcbIncludeNone", "skcbIncludeDefault",
                                     "skcbCustomColor", "skcbPrettyNames"});
}

} // namespace

DEFINE_UNIT(skColorCtrls_ColorBox, uoSkin + 33, RegisterColorBoxEnums, nullptr);
