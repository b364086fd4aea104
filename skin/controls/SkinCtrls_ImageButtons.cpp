#include "skin/controls/SkinCtrls_ImageButtons.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

TskSkinXFormButton::TskSkinXFormButton(TComponent* AOwner)
    : TskSkinButton(AOwner), FDefImage(std::make_unique<TBitmap>()),
      FDefActiveImage(std::make_unique<TBitmap>()), FDefDownImage(std::make_unique<TBitmap>()),
      FDefMask(std::make_unique<TBitmap>()) {
    SetCanFocused(false);
    // A button that takes no focus is no stop of the Tab key either.
    SetTabStop(false);
}

void TskSkinXFormButton::Published(TPropertyList& P) {
    P.Add("CanFocused", &TskSkinXFormButton::GetCanFocused, &TskSkinXFormButton::SetCanFocused,
          false);
    P.Add("DefImage", &TskSkinXFormButton::GetDefImage, &TskSkinXFormButton::SetDefImage);
    P.Add("DefActiveImage", &TskSkinXFormButton::GetDefActiveImage,
          &TskSkinXFormButton::SetDefActiveImage);
    P.Add("DefDownImage", &TskSkinXFormButton::GetDefDownImage,
          &TskSkinXFormButton::SetDefDownImage);
    P.Add("DefMask", &TskSkinXFormButton::GetDefMask, &TskSkinXFormButton::SetDefMask);
    P.Add("DefActiveFontColor", &TskSkinXFormButton::GetDefActiveFontColor,
          &TskSkinXFormButton::SetDefActiveFontColor, clBlack)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("DefDownFontColor", &TskSkinXFormButton::GetDefDownFontColor,
          &TskSkinXFormButton::SetDefDownFontColor, clBlack)
        .Idents(ColorToIdent, IdentToColor);
}

bool TskSkinXFormButton::UsesOwnImages() {
    GetSkinData();
    return FIndex == -1 && !FDefImage->GetEmpty();
}

void TskSkinXFormButton::SetDefImage(TBitmap* Value) {
    FDefImage->Assign(Value);
    if (FDefImage->GetEmpty()) return;
    SetDefaultHeight(FDefImage->GetHeight());
    SetDefaultWidth(FDefImage->GetWidth());
}

void TskSkinXFormButton::SetDefMask(TBitmap* Value) {
    FDefMask->Assign(Value);
    if (!FDefImage->GetEmpty()) SetControlRegion();
}

void TskSkinXFormButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TskSkinButton::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!UsesOwnImages()) return;
    const int w = FDefImage->GetWidth();
    const int h = FDefImage->GetHeight();
    if (GetWidth() != w || GetHeight() != h) TskSkinButton::SetBounds(GetLeft(), GetTop(), w, h);
}

void TskSkinXFormButton::ChangeSkinData() {
    if (!UsesOwnImages()) {
        TskSkinButton::ChangeSkinData();
        return;
    }
    ApplySkinCursor();
    SetBounds(GetLeft(), GetTop(), FDefImage->GetWidth(), FDefImage->GetHeight());
    SetControlRegion();
    Repaint();
}

void TskSkinXFormButton::SetControlRegion() {
    if (!UsesOwnImages()) {
        TskSkinButton::SetControlRegion();
        return;
    }
    if (FDefMask->GetEmpty())
        SetWindowRegion(nullptr);
    else
        SetWindowRegion(CreateSkinSimplyRegion(FDefMask.get()));
}

void TskSkinXFormButton::Loaded() {
    TskSkinButton::Loaded();
    // The pictures were read in place: the shape follows them now.
    if (!FDefMask->GetEmpty()) SetControlRegion();
}

TBitmap* TskSkinXFormButton::StateImage(bool Pressed, bool Lit) const {
    if (Pressed && !FDefDownImage->GetEmpty()) return FDefDownImage.get();
    if (Lit && !FDefActiveImage->GetEmpty()) return FDefActiveImage.get();
    return FDefImage.get();
}

void TskSkinXFormButton::CreateControlDefaultImage(TBitmap* B) {
    if (!UsesOwnImages()) {
        TskSkinButton::CreateControlDefaultImage(B);
        return;
    }
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const bool pressed = ShowsDown();
    const bool lit = IsLit();
    canvas->Draw(0, 0, StateImage(pressed, lit));
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!IsEffectivelyEnabled())
        canvas->GetFont()->SetColor(clBtnShadow);
    else if (pressed)
        canvas->GetFont()->SetColor(FDefDownFontColor);
    else if (lit)
        canvas->GetFont()->SetColor(FDefActiveFontColor);
    DrawGlyphAndText(canvas, GetClientRect(), GetMargin(), pressed, 1, GetNumGlyphs(), GetGlyph(),
                     GetCaption(), GetLayout(), GetSpacing());
    DrawFocusMark(canvas);
}

REGISTER_CLASS(TskSkinXFormButton);

DEFINE_UNIT(SkinCtrls_ImageButtons, uoSkin + 10, nullptr, nullptr);
