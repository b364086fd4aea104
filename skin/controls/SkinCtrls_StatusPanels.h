// The skinned status panel: one panel of a status bar, a framed label with a glyph before its
// text, drawn from the skin section "statuspanel" or in the default look by its border style.
#pragma once

#include "skin/controls/SkinCtrls_Labels.h"

DECLARE_UNIT(SkinCtrls_StatusPanels)

class TskSkinStatusPanel : public TskSkinLabel {
    DECLARE_CLASS(TskSkinStatusPanel, TskSkinLabel)
public:
    explicit TskSkinStatusPanel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // A copy is kept.
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    // The glyph is a strip of this many equal frames: the first shown while the panel is
    // enabled, the second (when there is one) while it is disabled.
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;

    void CMEnabledChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinStatusPanel, TskSkinLabel)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    END_MESSAGE_HANDLERS

private:
    // The glyph at TextRect's left, centred between Top and Bottom; the text starts after it.
    void DrawPanelGlyph(TCanvas* Canvas, TRect& TextRect, int Top, int Bottom);

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
};
