#include "skin/controls/SkinCtrls_Gauges.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Strings.h"

#include <algorithm>

TskSkinGauge::TskSkinGauge(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    FSkinDataName = "gauge";
    SetBounds(GetLeft(), GetTop(), 100, 20);
}

void TskSkinGauge::Published(TPropertyList& P) {
    P.Add("TextAlphaBlend", &TskSkinGauge::GetTextAlphaBlend, &TskSkinGauge::SetTextAlphaBlend,
          false);
    P.Add("TextAlphaBlendValue", &TskSkinGauge::GetTextAlphaBlendValue,
          &TskSkinGauge::SetTextAlphaBlendValue, 200);
    P.Add("ProgressText", &TskSkinGauge::GetProgressText, &TskSkinGauge::SetProgressText);
    P.Add("ShowProgressText", &TskSkinGauge::GetShowProgressText,
          &TskSkinGauge::SetShowProgressText, false);
    P.Add("ShowPercent", &TskSkinGauge::GetShowPercent, &TskSkinGauge::SetShowPercent, false);
    P.Add("MinValue", &TskSkinGauge::GetMinValue, &TskSkinGauge::SetMinValue, 0);
    P.Add("MaxValue", &TskSkinGauge::GetMaxValue, &TskSkinGauge::SetMaxValue, 100);
    P.Add("Value", &TskSkinGauge::GetValue, &TskSkinGauge::SetValue, 50);
    P.Add("Vertical", &TskSkinGauge::GetVertical, &TskSkinGauge::SetVertical, false);
}

void TskSkinGauge::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinGaugeControl*>(GetSkinRecord());
    if (!record) return;
    FVertical = record->Vertical;
    ProgressRect = record->ProgressRect;
    ProgressArea = record->ProgressArea;
    BeginOffset = std::max(0, record->BeginOffset);
    EndOffset = std::max(0, record->EndOffset);
    SkinFont = *record;
}

void TskSkinGauge::CalcSize(int& W, int& H) {
    TskSkinCustomControl::CalcSize(W, H);
    NewProgressArea = AreaAtSize(ProgressArea, FVertical, W, H);
}

// ---- Value and text ----------------------------------------------------------------------

void TskSkinGauge::SetValue(int Value) {
    Value = ClampValue(Value, FMinValue, FMaxValue);
    if (Value == FValue) return;
    FValue = Value;
    Repaint();
}

void TskSkinGauge::SetMinValue(int Value) {
    FMinValue = Value;
    FValue = ClampValue(FValue, FMinValue, FMaxValue);
    Repaint();
}

void TskSkinGauge::SetMaxValue(int Value) {
    FMaxValue = Value;
    FValue = ClampValue(FValue, FMinValue, FMaxValue);
    Repaint();
}

void TskSkinGauge::SetVertical(bool Value) {
    FVertical = Value;
    if (IsDesigning() && !IsLoading()) SetSkinDataName(Value ? "vgauge" : "gauge");
    Repaint();
}

void TskSkinGauge::SetProgressText(const AnsiString& Value) {
    FProgressText = Value;
    Repaint();
}

void TskSkinGauge::SetShowProgressText(bool Value) {
    FShowProgressText = Value;
    Repaint();
}

void TskSkinGauge::SetShowPercent(bool Value) {
    FShowPercent = Value;
    Repaint();
}

void TskSkinGauge::SetTextAlphaBlend(bool Value) {
    FTextAlphaBlend = Value;
    if (FIndex != -1 && ShowsText()) Repaint();
}

void TskSkinGauge::SetTextAlphaBlendValue(Byte Value) {
    FTextAlphaBlendValue = Value;
    if (FIndex != -1 && ShowsText() && FTextAlphaBlend) Repaint();
}

AnsiString TskSkinGauge::GetShownText() const {
    AnsiString text;
    if (FShowProgressText) text = FProgressText;
    if (FShowPercent)
        text += IntToStr(RoundEven(RangeFraction(FValue, FMinValue, FMaxValue) * 100)) + "%";
    return text;
}

// ---- Geometry ------------------------------------------------------------------------------

TRect TskSkinGauge::CalcProgressRect(const TRect& R, bool AVertical) const {
    const double k = RangeFraction(FValue, FMinValue, FMaxValue);
    TRect p = R;
    if (AVertical)
        p.Top = R.Bottom - RoundEven(RectHeight(R) * k);
    else
        p.Right = R.Left + RoundEven(RectWidth(R) * k);
    return p;
}

TRect TskSkinGauge::ProgressAreaRect() const {
    if (FIndex != -1) return AreaAtSize(ProgressArea, FVertical, GetWidth(), GetHeight());
    return TRect(1, 1, GetWidth() - 1, GetHeight() - 1);
}

// ---- Painting ---------------------------------------------------------------------------------

void TskSkinGauge::DrawProgressText(TCanvas* Canvas) {
    const AnsiString text = GetShownText();
    if (text.empty()) return;
    TFont* font = Canvas->GetFont();
    if (FIndex == -1) {
        font->Assign(GetDefaultFont());
    } else {
        SetSkinFont(Canvas, SkinFont.FontName, SkinFont.FontHeight, SkinFont.FontStyle);
        font->SetColor(SkinFont.FontColor);
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    const TSize size = Canvas->TextExtent(text);
    const int w = GetWidth(), h = GetHeight();
    if (!FVertical) {
        Canvas->TextOut(w / 2 - size.cx / 2, h / 2 - size.cy / 2, text);
        return;
    }
    // A quarter turn counter-clockwise.
    font->SetOrientation(900);
    Canvas->TextOut(w / 2 - size.cy / 2, h / 2 + size.cx / 2, text);
}

void TskSkinGauge::DrawProgress(TCanvas* Canvas, const TRect& P) {
    const bool vertical = FVertical;
    const int length = vertical ? RectHeight(P) : RectWidth(P);
    const int caps = BeginOffset + EndOffset;
    if (length < caps || !Picture) return;
    const TRect& source = ProgressRect;
    // Pieces are copied one to one, never stretched across the fill either.
    const int cross = vertical ? std::min(RectWidth(P), RectWidth(source))
                               : std::min(RectHeight(P), RectHeight(source));
    TCanvas* picture = Picture->GetCanvas();
    // Copies Length pixels along the fill from source position From to target position To.
    auto piece = [&](int To, int From, int Length) {
        if (Length <= 0 || cross <= 0) return;
        if (vertical)
            Canvas->CopyRect(TRect(P.Left, To, P.Left + cross, To + Length), picture,
                             TRect(source.Left, From, source.Left + cross, From + Length));
        else
            Canvas->CopyRect(TRect(To, P.Top, To + Length, P.Top + cross), picture,
                             TRect(From, source.Top, From + Length, source.Top + cross));
    };
    const int tile = (vertical ? RectHeight(source) : RectWidth(source)) - caps;
    const int start = (vertical ? P.Top : P.Left) + BeginOffset;
    const int end = (vertical ? P.Bottom : P.Right) - EndOffset;
    const int sourceStart = (vertical ? source.Top : source.Left) + BeginOffset;
    const int sourceEnd = (vertical ? source.Bottom : source.Right) - EndOffset;
    // A picture without a middle leaves the middle as it is.
    if (length > caps && tile > 0) {
        if (vertical) {
            for (int y = end; y > start; y -= tile) {
                const int n = std::min(tile, y - start);
                piece(y - n, sourceEnd - n, n);
            }
        } else {
            for (int x = start; x < end; x += tile) piece(x, sourceStart, std::min(tile, end - x));
        }
    }
    piece(start - BeginOffset, sourceStart - BeginOffset, BeginOffset);
    piece(end, sourceEnd, EndOffset);
}

void TskSkinGauge::CreateControlSkinImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlSkinImage(B);
    TCanvas* canvas = B->GetCanvas();
    DrawProgress(canvas, CalcProgressRect(ProgressAreaRect(), FVertical));
    if (!FTextAlphaBlend || GetShownText().empty()) {
        DrawProgressText(canvas);
        return;
    }
    const TRect part = BitmapPart(B);
    TBitmapPart plain(part, B->GetWidth(), B->GetHeight());
    plain.GetCanvas()->Draw(0, 0, B);
    DrawProgressText(canvas);
    TskEffectBmp withText(B->GetHandle());
    TskEffectBmp without(plain.GetHandle());
    withText.Morph(&without, 1 - FTextAlphaBlendValue / 255.0);
    withText.Draw(B->GetCanvas()->GetHandle(), part.Left, part.Top);
}

void TskSkinGauge::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* canvas = B->GetCanvas();
    TRect r = GetClientRect();
    canvas->GetBrush()->SetColor(clWindow);
    canvas->FillRect(r);
    Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
    canvas->GetBrush()->SetColor(static_cast<TColor>(RGB(182, 189, 210)));
    canvas->FillRect(CalcProgressRect(ProgressAreaRect(), FVertical));
    DrawProgressText(canvas);
}

REGISTER_CLASS(TskSkinGauge);

DEFINE_UNIT(SkinCtrls_Gauges, uoSkin + 10, nullptr, nullptr);
