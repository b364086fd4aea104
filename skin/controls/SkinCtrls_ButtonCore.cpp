#include "skin/controls/SkinCtrls_ButtonCore.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <functional>

// ---- Glyph and caption layout --------------------------------------------------------

void CalcGlyphAndTextLayout(TskButtonLayout Layout, const TRect& R, int GW, int GH, int TW, int TH,
                            int Margin, int Spacing, int& GX, int& GY, int& TX, int& TY) {
    const int cx = R.Left + RectWidth(R) / 2;
    const int cy = R.Top + RectHeight(R) / 2;
    const int h = (TW + GW + Spacing) / 2;
    const int v = (TH + GH + Spacing) / 2;
    switch (Layout) {
    case blGlyphLeft:
        GY = cy - GH / 2;
        TY = cy - TH / 2;
        if (Margin == -1) {
            GX = cx - h;
            TX = cx + h - TW;
        } else {
            GX = R.Left + Margin;
            TX = GX + GW + Spacing;
        }
        break;
    case blGlyphRight:
        GY = cy - GH / 2;
        TY = cy - TH / 2;
        if (Margin == -1) {
            TX = cx - h;
            GX = cx + h - GW;
        } else {
            GX = R.Right - GW - Margin;
            TX = GX - Spacing - TW;
        }
        break;
    case blGlyphTop:
        GX = cx - GW / 2;
        TX = cx - TW / 2;
        if (Margin == -1) {
            GY = cy - v;
            TY = cy + v - TH;
        } else {
            GY = R.Top + Margin;
            TY = GY + GH + Spacing;
        }
        break;
    case blGlyphBottom:
        GX = cx - GW / 2;
        TX = cx - TW / 2;
        if (Margin == -1) {
            GY = cy + v - GH;
            TY = cy - v;
        } else {
            GY = R.Bottom - GH - Margin;
            TY = GY - Spacing - TH;
        }
        break;
    }
}

TSize CaptionExtent(TCanvas* Canvas, const AnsiString& Caption) {
    RECT measure = {0, 0, 0, 0};
    DrawTextA(Canvas->GetHandle(), Caption.c_str(), static_cast<int>(Caption.size()), &measure, DT_CALCRECT);
    // Laid out by what its glyphs draw, not only by their advances.
    const int width =
        Caption.empty() ? 0 : measure.right - measure.left + Canvas->TextOverhang(Caption, 0, measure);
    return TSize(width, measure.bottom - measure.top);
}

namespace {

// The caption laid out with an image of GW x GH, which Draw paints at its place after
// the caption; the rectangle the two cover.
TRect DrawLaidOut(TCanvas* Canvas, const TRect& R, int Margin, bool Shift, int GW, int GH,
                  const AnsiString& Caption, TskButtonLayout Layout, int Spacing,
                  const std::function<void(int X, int Y)>& Draw) {
    // The canvas makes its DC's text background transparent when it hands the handle out.
    Canvas->GetBrush()->SetStyle(bsClear);
    HDC dc = Canvas->GetHandle();
    const TSize extent = CaptionExtent(Canvas, Caption);
    const int tw = extent.cx, th = extent.cy;
    int gx = 0, gy = 0, tx = 0, ty = 0;
    CalcGlyphAndTextLayout(Layout, R, GW, GH, tw, th, Margin, Spacing, gx, gy, tx, ty);
    if (Shift) {
        ++gx;
        ++gy;
        ++tx;
        ++ty;
    }
    // Clipped to the face, not to the caption's own width, which would cut a glyph's edge.
    RECT text = {tx, ty, tx + tw, ty + th};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    DrawTextA(dc, Caption.c_str(), static_cast<int>(Caption.size()), &text, DT_LEFT | DT_NOCLIP);
    RestoreDC(dc, saved);
    if (Draw) Draw(gx, gy);
    // An empty one of the two counts as none.
    const RECT caption{tx, ty, tx + tw, ty + th}, glyph{gx, gy, gx + GW, gy + GH};
    RECT covered{};
    UnionRect(&covered, &caption, &glyph);
    return TRect(covered.left, covered.top, covered.right, covered.bottom);
}

} // namespace

TRect DrawGlyphAndText(TCanvas* Canvas, const TRect& R, int Margin, bool Shift, int GlyphIndex,
                      int NumGlyphs, TBitmap* Glyph, const AnsiString& Caption,
                      TskButtonLayout Layout, int Spacing) {
    const bool hasGlyph = Glyph && !Glyph->GetEmpty();
    const int count = NumGlyphs < 1 ? 1 : NumGlyphs;
    const int gw = hasGlyph ? Glyph->GetWidth() / count : 0;
    const int gh = hasGlyph ? Glyph->GetHeight() : 0;
    std::function<void(int, int)> draw;
    if (hasGlyph)
        draw = [&](int X, int Y) { DrawGlyph(Canvas, X, Y, Glyph, count, GlyphIndex); };
    return DrawLaidOut(Canvas, R, Margin, Shift, gw, gh, Caption, Layout, Spacing, draw);
}

TRect DrawImageAndText(TCanvas* Canvas, const TRect& R, int Margin, bool Enabled, bool Shift,
                      TCustomImageList* Images, int ImageIndex, const AnsiString& Caption,
                      TskButtonLayout Layout, int Spacing) {
    const bool hasImage = Images && ImageIndex >= 0 && ImageIndex < Images->GetCount();
    std::function<void(int, int)> draw;
    if (hasImage)
        draw = [&](int X, int Y) { Images->Draw(Canvas, X, Y, ImageIndex, Enabled); };
    return DrawLaidOut(Canvas, R, Margin, Shift, hasImage ? Images->GetWidth() : 0,
                       hasImage ? Images->GetHeight() : 0, Caption, Layout, Spacing, draw);
}

int ButtonGlyphIndex(bool ADown, bool AActive, bool Enabled, int NumGlyphs) {
    if (AActive && ADown && NumGlyphs > 2) return 3;
    if (AActive && NumGlyphs > 3) return 4;
    return Enabled || NumGlyphs < 2 ? 1 : 2;
}

void DrawDefaultButtonFace(TCanvas* Canvas, const TRect& R, bool Down, bool Lit) {
    TColor frame = clNavy;
    TColor fill = static_cast<TColor>(RGB(182, 189, 210));
    if (Down) {
        fill = static_cast<TColor>(RGB(133, 147, 181));
    } else if (!Lit) {
        frame = clBtnShadow;
        fill = clBtnFace;
    }
    Canvas->GetBrush()->SetColor(fill);
    Canvas->FillRect(R);
    Canvas->GetBrush()->SetColor(frame);
    Canvas->FrameRect(R);
}

// ---- TskButtonGlyph -------------------------------------------------------------------

TskButtonGlyph::TskButtonGlyph() : FGlyph(std::make_unique<TBitmap>()) {}

TskButtonGlyph::~TskButtonGlyph() = default;

void TskButtonGlyph::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    GlyphChanged();
}

void TskButtonGlyph::SetNumGlyphs(int Value) {
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    GlyphChanged();
}

void TskButtonGlyph::SetMargin(int Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    GlyphChanged();
}

void TskButtonGlyph::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    GlyphChanged();
}

void TskButtonGlyph::SetLayout(TskButtonLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    GlyphChanged();
}

void TskButtonGlyph::DrawGlyphAndCaption(TCanvas* Canvas, const TRect& R, bool Shift,
                                         int GlyphIndex, const AnsiString& Caption) {
    FContentRect = DrawGlyphAndText(Canvas, R, FMargin, Shift, GlyphIndex, FNumGlyphs, FGlyph.get(),
                                    Caption, FLayout, FSpacing);
}

int TskButtonGlyph::ContentWidth(TCanvas* Canvas, const AnsiString& Caption) const {
    const int text = CaptionExtent(Canvas, Caption).cx;
    const int glyph = FGlyph->GetEmpty() ? 0 : FGlyph->GetWidth() / FNumGlyphs;
    if (glyph == 0) return text;
    if (FLayout == blGlyphTop || FLayout == blGlyphBottom) return std::max(text, glyph);
    return text + FSpacing + glyph;
}

// ---- TskButtonCore --------------------------------------------------------------------

TskButtonCore::TskButtonCore() = default;

TskButtonCore::~TskButtonCore() = default;

void TskButtonCore::SetAction(TCustomAction* Value) {
    FActionLink.reset();
    if (!Value) return;
    FActionLink = std::make_unique<TActionLink>(
        Value, [this](TCustomAction* Action) { ActionChange(Action); });
    ActionChange(Value);
}

void TskButtonCore::ActionChange(TCustomAction* Sender) {
    TControl* control = ButtonControl();
    control->SetCaption(Sender->GetCaption());
    control->SetEnabled(Sender->GetEnabled());
    TActionList* list = Sender->GetActionList();
    TCustomImageList* images = list ? list->GetImages() : nullptr;
    if (GetGlyph()->GetEmpty()) DrawImageIntoGlyph(images, Sender->GetImageIndex());
    control->Repaint();
}

void TskButtonCore::DrawImageIntoGlyph(TCustomImageList* Images, int Index) {
    if (!Images || Index < 0 || Index >= Images->GetCount()) return;
    TBitmap* glyph = GetGlyph();
    glyph->SetSize(Images->GetWidth(), Images->GetHeight());
    glyph->GetCanvas()->GetBrush()->SetColor(clFuchsia);
    glyph->GetCanvas()->FillRect(TRect(0, 0, Images->GetWidth(), Images->GetHeight()));
    Images->Draw(glyph->GetCanvas(), 0, 0, Index);
}

void TskButtonCore::SetGlyphFromImages(TCustomImageList* Images, int Index) {
    GetGlyph()->Assign(nullptr);
    DrawImageIntoGlyph(Images, Index);
    ButtonControl()->Repaint();
}

void TskButtonCore::GlyphChanged() {
    ButtonControl()->Repaint();
}

void TskButtonCore::ReadButtonRecord() {
    auto* record = dynamic_cast<TskDataSkinButtonControl*>(ButtonClient().GetSkinRecord());
    if (!record) {
        if (ButtonClient().GetSkinIndex() == -1) FMorphing = false;
        return;
    }
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
    DownFontColor = record->DownFontColor;
    DisabledFontColor = record->DisabledFontColor;
    ActiveSkinRect = IsNullRect(record->ActiveSkinRect) ? ButtonSizing().SkinRect : record->ActiveSkinRect;
    DownSkinRect = IsNullRect(record->DownSkinRect) ? ActiveSkinRect : record->DownSkinRect;
    DisabledSkinRect = record->DisabledSkinRect;
    FMorphing = record->Morphing;
    FMorphKind = record->MorphKind;
}

void TskButtonCore::SetDown(bool Value) {
    FDown = Value;
    if (FMorphing) {
        FMorphKf = 1;
        if (Value)
            StopMorph();
        else
            StartMorph();
    }
    ButtonControl()->Repaint();
    if (FGroupIndex != 0 && Value && !FAllowAllUp) DoAllUp();
}

void TskButtonCore::DoAllUp() {
    TWinControl* parent = ButtonControl()->GetParent();
    if (!parent) return;
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* control = parent->GetControl(i);
        if (control == ButtonControl() || !IsGroupMate(control)) continue;
        auto* other = dynamic_cast<TskButtonCore*>(control);
        if (other->FGroupIndex == FGroupIndex && other->FDown) other->SetDown(false);
    }
}

// ---- The hover fade and the repeat -----------------------------------------------------

void TskButtonCore::ReDrawControl() {
    if (FMorphing && ButtonClient().GetSkinIndex() != -1)
        StartMorph();
    else
        ButtonControl()->Repaint();
}

void TskButtonCore::StartMorph() {
    if (!FMorphTimer) FMorphTimer = NewFadeTimer(TNotifyEvent(this, &TskButtonCore::DoMorph));
}

void TskButtonCore::StopMorph() {
    FMorphTimer.reset();
}

void TskButtonCore::DoMorph(TObject*) {
    const bool lit = IsLit();
    if (ButtonClient().GetSkinIndex() != -1 && FMorphing) {
        if (!StepFade(FMorphKf, lit)) StopMorph();
        ButtonControl()->Repaint();
        return;
    }
    FMorphKf = lit ? 1 : 0;
    StopMorph();
}

void TskButtonCore::StartRepeat() {
    FRepeatTimer = std::make_unique<TTimer>(nullptr);
    FRepeatTimer->SetInterval(static_cast<Cardinal>(FRepeatInterval));
    FRepeatTimer->SetOnTimer(TNotifyEvent(this, &TskButtonCore::RepeatTimerProc));
    FRepeatTimer->SetEnabled(true);
}

void TskButtonCore::StopRepeat() {
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    FRepeatTimer.reset();
}

void TskButtonCore::RepeatTimerProc(TObject*) {
    // A click may free the button (a scroll button that is no longer needed).
    TComponentProtector protect(ButtonControl());
    ButtonClick();
}

// ---- Looks -----------------------------------------------------------------------------

int TskButtonCore::GlyphIndex(bool ADown, bool AActive) {
    return ButtonGlyphIndex(ADown, AActive, ButtonControl()->IsEffectivelyEnabled(),
                            GetNumGlyphs());
}

TColor TskButtonCore::FontColorOf(bool ADown, bool AActive) {
    if (!ButtonControl()->IsEffectivelyEnabled()) return DisabledFontColor;
    if (AActive) return ADown ? DownFontColor : ActiveFontColor;
    return FontColor;
}

void TskButtonCore::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive) {
    TskSkinSizing& sizing = ButtonSizing();
    sizing.CreateSkinControlImage(B, sizing.Picture, R);
    TCanvas* canvas = B->GetCanvas();
    sizing.SetSkinFont(canvas, FontName, FontHeight, FontStyle);
    canvas->GetFont()->SetColor(FontColorOf(ADown, AActive));
    DrawContent(canvas, sizing.NewClRect, AActive && ADown, ADown, AActive);
}

void TskButtonCore::DrawContent(TCanvas* Canvas, const TRect& R, bool Shift, bool ADown,
                                bool AActive) {
    DrawGlyphAndCaption(Canvas, R, Shift, GlyphIndex(ADown, AActive),
                        ButtonControl()->GetCaption());
}

void TskButtonCore::CreateStateImage(TBitmap* Image, const TRect& Shown, bool ShowsDown,
                                     bool Lit) {
    const TskSkinSizing& sizing = ButtonSizing();
    const bool enabled = ButtonControl()->IsEffectivelyEnabled();
    if (FMorphing && FMorphKf != 0 && FMorphKf != 1 && enabled) {
        DrawMorphed(
            Image, Shown, FMorphKind, FMorphKf,
            [&](TBitmap* B) { CreateButtonImage(B, sizing.SkinRect, false, false); },
            [&](TBitmap* B) { CreateButtonImage(B, ActiveSkinRect, false, true); });
    } else if (!enabled && !IsNullRect(DisabledSkinRect)) {
        CreateButtonImage(Image, DisabledSkinRect, false, false);
    } else if (ShowsDown) {
        CreateButtonImage(Image, DownSkinRect, true, true);
    } else if (Lit || (FMorphing && FMorphKf == 1)) {
        CreateButtonImage(Image, ActiveSkinRect, false, true);
    } else {
        CreateButtonImage(Image, sizing.SkinRect, false, false);
    }
}

// ---- Mouse -----------------------------------------------------------------------------

void TskButtonCore::LeftPress() {
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FRepeatMode && FGroupIndex == 0)
            StartRepeat();
        else if (FGroupIndex != 0)
            ButtonClick();
        FAllUpPending = false;
    } else if (FGroupIndex != 0) {
        FAllUpPending = true;
    }
}

void TskButtonCore::LeftRelease() {
    FMouseDown = false;
    if (FGroupIndex != 0) {
        if (FDown && FAllowAllUp && FAllUpPending && FMouseIn) {
            SetDown(false);
            ButtonClick();
        }
    } else if (FMouseIn) {
        SetDown(false);
        StopRepeat();
        ButtonClick();
    } else {
        // Released outside: no click, and no repaint.
        FDown = false;
        StopRepeat();
    }
}

void TskButtonCore::EnabledChanged() {
    if (FMorphing) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    // The control's own handling of the change has invalidated it already.
    ButtonControl()->Update();
}

void TskButtonCore::TextChanged() {
    TskSkinClient& client = ButtonClient();
    if (client.GetSkinIndex() == -1 && !ButtonControl()->IsDesigning() && !client.DrawDefault)
        return;
    ButtonControl()->Repaint();
}

void TskButtonCore::PointerEntered() {
    if (FDown && FRepeatMode && FGroupIndex == 0) StartRepeat();
}

void TskButtonCore::PointerLeft() {
    if (FDown && FRepeatMode && FGroupIndex == 0) StopRepeat();
}

namespace {

void RegisterButtonLayouts() {
    RegisterEnum<TskButtonLayout>({"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
}

} // namespace

DEFINE_UNIT(SkinCtrls_ButtonCore, uoSkin + 10, RegisterButtonLayouts, nullptr);
