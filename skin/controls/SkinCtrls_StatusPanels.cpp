#include "skin/controls/SkinCtrls_StatusPanels.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

TskSkinStatusPanel::TskSkinStatusPanel(TComponent* AOwner)
    : TskSkinLabel(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    FSkinDataName = "statuspanel";
    SetWidth(120);
}

void TskSkinStatusPanel::Published(TPropertyList& P) {
    P.Add("Glyph", &TskSkinStatusPanel::GetGlyph, &TskSkinStatusPanel::SetGlyph);
    P.Add("NumGlyphs", &TskSkinStatusPanel::GetNumGlyphs, &TskSkinStatusPanel::SetNumGlyphs, 1)
        .Range(1, 2);
}

void TskSkinStatusPanel::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinStatusPanel::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 2);
    Repaint();
}

void TskSkinStatusPanel::CMEnabledChanged(TMessage& Message) {
    TskSkinLabel::Dispatch(Message);
    Repaint();
}

void TskSkinStatusPanel::DrawPanelGlyph(TCanvas* Canvas, TRect& TextRect, int Top, int Bottom) {
    if (FGlyph->GetEmpty()) return;
    // A one-frame strip has no disabled frame: the panel then shows its only one.
    const int frame = !GetEnabled() && FNumGlyphs > 1 ? 2 : 1;
    const int y = Top + (Bottom - Top) / 2 - FGlyph->GetHeight() / 2;
    DrawGlyph(Canvas, TextRect.Left, y, FGlyph.get(), FNumGlyphs, frame);
    TextRect.Left += FGlyph->GetWidth() / FNumGlyphs + 2;
}

void TskSkinStatusPanel::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    DrawBorderFrame(canvas, GetClientRect(), GetBorderStyle());
    TRect text(3, 3, GetWidth() - 3, GetHeight() - 3);
    DrawPanelGlyph(canvas, text, 0, GetHeight());
    DrawLabelText(canvas, text);
}

void TskSkinStatusPanel::CreateControlSkinImage(TBitmap* B) {
    PaintLabel(B);
    TRect text = NewClRect;
    DrawPanelGlyph(B->GetCanvas(), text, text.Top, text.Bottom);
    DrawLabelText(B->GetCanvas(), text);
}

REGISTER_CLASS(TskSkinStatusPanel);

DEFINE_UNIT(SkinCtrls_StatusPanels, uoSkin + 10, nullptr, nullptr);
