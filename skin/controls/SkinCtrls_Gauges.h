// The skinned gauge: a progress area filled in proportion to Value between MinValue and
// MaxValue, from the left or (Vertical) from the bottom, with an optional progress text
// and percentage, which a vertical gauge writes reading upward.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

DECLARE_UNIT(SkinCtrls_Gauges)

class TskSkinGauge : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinGauge, TskSkinCustomControl)
public:
    explicit TskSkinGauge(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

    int GetValue() const { return FValue; }
    // Clamped to the range; repaints on a change.
    void SetValue(int Value);
    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    bool GetVertical() const { return FVertical; }
    void SetVertical(bool Value);
    const AnsiString& GetProgressText() const { return FProgressText; }
    void SetProgressText(const AnsiString& Value);
    bool GetShowProgressText() const { return FShowProgressText; }
    void SetShowProgressText(bool Value);
    bool GetShowPercent() const { return FShowPercent; }
    void SetShowPercent(bool Value);
    bool GetTextAlphaBlend() const { return FTextAlphaBlend; }
    void SetTextAlphaBlend(bool Value);
    Byte GetTextAlphaBlendValue() const { return FTextAlphaBlendValue; }
    void SetTextAlphaBlendValue(Byte Value);

    // The filled part of progress area R at the current value.
    TRect CalcProgressRect(const TRect& R, bool AVertical) const;
    // The progress area of the current look: the skin's fitted area, or the default one.
    TRect ProgressAreaRect() const;
    // ProgressText and the percentage, as they are shown.
    AnsiString GetShownText() const;
    // The text, centred, in the gauge's font; a vertical gauge's reads upward.
    void DrawProgressText(TCanvas* Canvas);

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;

private:
    bool ShowsText() const { return FShowProgressText || FShowPercent; }
    // The fill P from the skin's progress picture: middle tiles, then the caps.
    void DrawProgress(TCanvas* Canvas, const TRect& P);

    bool FTextAlphaBlend = false;
    Byte FTextAlphaBlendValue = 200;
    AnsiString FProgressText;
    bool FShowProgressText = false;
    bool FShowPercent = false;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 50;
    bool FVertical = false;
    TRect NewProgressArea;

    // Copied from the record.
    TRect ProgressRect, ProgressArea;
    int BeginOffset = 0, EndOffset = 0;
    TskDataSkinFont<14> SkinFont;
};
