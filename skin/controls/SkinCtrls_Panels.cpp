#include "skin/controls/SkinCtrls_Panels.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/ColorMix.h"

#include <algorithm>

using enum TskSkinBorderStyle;

TskSkinPanel::TskSkinPanel(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks,
                     csSetCaption, csOpaque, csReplicatable});
    FSkinDataName = "panel";
    SetBounds(GetLeft(), GetTop(), 150, 150);
}

void TskSkinPanel::Published(TPropertyList& P) {
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("AutoEnabledControls", &TskSkinPanel::GetAutoEnabledControls,
          &TskSkinPanel::SetAutoEnabledControls, true);
    P.Add("CheckedMode", &TskSkinPanel::GetCheckedMode, &TskSkinPanel::SetCheckedMode, false);
    P.Add("Checked", &TskSkinPanel::GetChecked, &TskSkinPanel::SetChecked, false);
    P.Add("Glyph", &TskSkinPanel::GetGlyph, &TskSkinPanel::SetGlyph);
    P.Add("NumGlyphs", &TskSkinPanel::GetNumGlyphs, &TskSkinPanel::SetNumGlyphs, 1);
    P.Add("Spacing", &TskSkinPanel::GetSpacing, &TskSkinPanel::SetSpacing, 2);
    P.Add("DefaultAlignment", &TskSkinPanel::GetDefaultAlignment,
          &TskSkinPanel::SetDefaultAlignment, taLeftJustify);
    P.Add("DefaultCaptionHeight", &TskSkinPanel::GetDefaultCaptionHeight,
          &TskSkinPanel::SetDefaultCaptionHeight, 22);
    P.Add("BorderStyle", &TskSkinPanel::GetBorderStyle, &TskSkinPanel::SetBorderStyle, bvFrame);
    P.Add("CaptionMode", &TskSkinPanel::GetCaptionMode, &TskSkinPanel::SetCaptionMode, false);
    P.Add("RollUpMode", &TskSkinPanel::GetRollUpMode, &TskSkinPanel::SetRollUpMode, false);
    P.Add("RollUpState", &TskSkinPanel::GetRollUpState, &TskSkinPanel::SetRollUpState, false);
    P.Add("OnChecked", &TskSkinPanel::OnChecked);
    P.Add("OnClick", &TControl::OnClick);
    P.Add("OnDblClick", &TControl::OnDblClick);
}

void TskSkinPanel::CreateParams(TCreateParams& Params) {
    TskSkinCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinPanel::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    auto* record = dynamic_cast<TskDataSkinPanelControl*>(GetSkinRecord());
    if (!record) return;
    CaptionRect = record->CaptionRect;
    Alignment = record->Alignment;
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    BGPictureIndex = record->BGPictureIndex;
    CheckImageRect = record->CheckImageRect;
    UnCheckImageRect = record->UnCheckImageRect;
}

// ---- Roll-up -----------------------------------------------------------------------

void TskSkinPanel::SetRollUpState(bool Value) {
    if (!FRollUpMode) {
        FRollUpState = false;
        return;
    }
    if (Value == FRollUpState) return;
    FRollUpState = Value;
    DoRollUp(Value);
}

void TskSkinPanel::DoRollUp(bool Value) {
    if (Value) {
        FStoredHeight = GetHeight();
        if (!FHiddenControls) HideControls();
        // A child's event unrolled the panel while it was hiding its children.
        if (!FRollUpState) return;
        SetHeight(RolledHeight());
    } else if (FStoredHeight != -1) {
        SetHeight(FStoredHeight);
        if (FHiddenControls) ShowControls();
    }
}

int TskSkinPanel::RolledHeight() {
    return HasPlainCaptionBar() ? FDefaultCaptionHeight + 1 : GetHeight() - RectHeight(NewClRect);
}

void TskSkinPanel::HideControls() {
    HideChildren(this, FHiddenControls);
}

void TskSkinPanel::ShowControls() {
    ShowChildren(this, FHiddenControls);
}

void TskSkinPanel::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    if (FRollUpState && FStoredHeight != -1) {
        // Rolled again for the new skin's caption, from the height kept before rolling.
        const int stored = FStoredHeight;
        SetHeight(stored);
        SetHeight(RolledHeight());
        FStoredHeight = stored;
    } else {
        Realign();
    }
}

// ---- Properties ----------------------------------------------------------------------

void TskSkinPanel::DefaultLookChanged(bool Realign) {
    if (FIndex != -1) return;
    Repaint();
    if (Realign) TskSkinCustomControl::Realign();
}

void TskSkinPanel::SetChecked(bool Value) {
    FChecked = Value;
    if (FCheckedMode) Repaint();
    if (FAutoEnabledControls && FCheckedMode)
        for (int i = 0; i < GetControlCount(); ++i) GetControl(i)->SetEnabled(FChecked);
    if (OnChecked) OnChecked(this);
}

void TskSkinPanel::SetCheckedMode(bool Value) {
    FCheckedMode = Value;
    Repaint();
}

void TskSkinPanel::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinPanel::SetNumGlyphs(int Value) {
    FNumGlyphs = Value < 1 ? 1 : (Value > 2 ? 2 : Value);
    Repaint();
}

void TskSkinPanel::SetSpacing(int Value) {
    FSpacing = Value;
    Repaint();
}

void TskSkinPanel::SetDefaultAlignment(TAlignment Value) {
    FDefaultAlignment = Value;
    if (FCaptionMode) DefaultLookChanged(false);
}

void TskSkinPanel::SetRollUpMode(bool Value) {
    FRollUpMode = Value;
    if (FCaptionMode) DefaultLookChanged(false);
}

void TskSkinPanel::SetDefaultCaptionHeight(int Value) {
    FDefaultCaptionHeight = Value;
    if (FCaptionMode) DefaultLookChanged(true);
}

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle Value) {
    FBorderStyle = Value;
    DefaultLookChanged(true);
}

void TskSkinPanel::SetCaptionMode(bool Value) {
    FCaptionMode = Value;
    Repaint();
    Realign();
}

void TskSkinPanel::SetAlphaBlend(bool Value) {
    FAlphaBlend = Value;
    Repaint();
}

void TskSkinPanel::SetAlphaBlendValue(Byte Value) {
    FAlphaBlendValue = Value;
    Repaint();
}

void TskSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1) Repaint();
}

void TskSkinPanel::CMTextChanged(TMessage&) {
    if (!FCaptionMode) return;
    // The text shows in the caption bar only: a large box (a list's group) repaints its bar,
    // not everything around its children. A skinned bar is known once the box has painted;
    // a box not on the screen is painted whole when it shows, and Repaint asks nothing then.
    const TRect bar = HasPlainCaptionBar() ? DefaultCaptionBar() : NewCaptionRect;
    if (IsNullRect(bar) || !HandleAllocated() || !IsWindowVisible(GetHandle())) {
        Repaint();
        return;
    }
    const RECT r{bar.Left, bar.Top, bar.Right, bar.Bottom};
    InvalidateRect(GetHandle(), &r, FALSE);
    Update();
}

void TskSkinPanel::AdjustClientRect(TRect& Rect) {
    if (FIndex != -1 && !IsDesigning()) {
        if (!BackgroundPicture()) Rect = NewClRect;
        if (HasPlainCaptionBar()) Rect.Top = std::max(Rect.Top, FDefaultCaptionHeight);
        return;
    }
    if (FBorderStyle != bvNone) Rect = TRect(Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1);
    if (FCaptionMode) Rect.Top += FDefaultCaptionHeight;
}

TRect TskSkinPanel::CaptionBar() {
    return HasPlainCaptionBar() ? TRect(1, 1, GetWidth() - 1, FDefaultCaptionHeight) : NewCaptionRect;
}

bool TskSkinPanel::HasPlainCaptionBar() const {
    return FIndex == -1 || (FCaptionMode && IsNullRect(CaptionRect));
}

TRect TskSkinPanel::CaptionTextRect() {
    if (HasPlainCaptionBar()) {
        TRect r = DefaultCaptionRect();
        r.Left += 2;
        return r;
    }
    TRect r = ResizeMode > 0 ? GetNewRect(CaptionRect) : CaptionRect;
    if (FRollUpMode) r.Right -= 12;
    return r;
}

TRect TskSkinPanel::DefaultCaptionBar() {
    return FBorderStyle != bvFrame ? TRect(1, 1, GetWidth() - 1, FDefaultCaptionHeight)
                                   : TRect(0, 0, GetWidth(), FDefaultCaptionHeight);
}

TRect TskSkinPanel::DefaultCaptionRect() {
    TRect r = DefaultCaptionBar();
    if (FCheckedMode) r.Left += 20;
    if (FRollUpMode) r.Right -= 10;
    return r;
}

void TskSkinPanel::SetCaptionFont(TCanvas* Canvas) {
    if (FIndex == -1)
        Canvas->GetFont()->Assign(GetDefaultFont());
    else
        SetSkinFont(Canvas, FontName, FontHeight, FontStyle);
}

void TskSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if ((FRollUpMode || FCheckedMode) && FCaptionMode && Button == mbLeft &&
        PointInRect(CaptionBar(), TPoint(X, Y))) {
        if (FCheckedMode) SetChecked(!FChecked);
        if (FRollUpMode) SetRollUpState(!FRollUpState);
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---- Painting -------------------------------------------------------------------------

TBitmap* TskSkinPanel::BackgroundPicture() {
    if (FIndex == -1 || BGPictureIndex == -1) return nullptr;
    return SkinPicture(FSD, BGPictureIndex);
}

void TskSkinPanel::Paint() {
    GetSkinData();
    // A background picture (an index naming one of the skin's pictures) is tiled straight
    // onto the panel; any other index paints as a panel without one.
    if (TBitmap* picture = BackgroundPicture()) {
        // Only the tiles the shown part of the repainted area meets.
        for (const TRect& part : PaintedParts(GetCanvas()->GetHandle(), GetWidth(), GetHeight()))
            TilePicture(GetCanvas(), picture, GetWidth(), GetHeight(), part);
        return;
    }
    // A plain client's tiles do not overlap: they too go straight onto the panel, without a
    // picture of the repainted part first (a large panel behind other controls repaints
    // mostly what they cover).
    if (IsPlainTiledClient() && !DrawsOverSkin() && !FAlphaBlend && GetWidth() > 0 &&
        GetHeight() > 0) {
        const std::vector<TRect> parts =
            PaintedParts(GetCanvas()->GetHandle(), GetWidth(), GetHeight());
        if (parts.empty()) return;
        if (TileClientPart(GetCanvas(), parts.front(), GetWidth(), GetHeight())) {
            for (std::size_t i = 1; i < parts.size(); ++i)
                TileClientPart(GetCanvas(), parts[i], GetWidth(), GetHeight());
            return;
        }
    }
    TskSkinCustomControl::Paint();
}

bool TskSkinPanel::IsPlainTiledClient() const {
    return FIndex != -1 && FBorderStyle == bvNone && ResizeMode == rmBoth && !FCaptionMode;
}

void TskSkinPanel::DrawCaptionContent(TCanvas* Canvas, TRect R, TAlignment Align, int LeftPad,
                                      TColor ArrowColor) {
    const AnsiString caption = GetCaption();
    const bool hasGlyph = !FGlyph->GetEmpty();
    const int gw = hasGlyph ? FGlyph->GetWidth() / FNumGlyphs : 0;
    const TSize extent = Canvas->TextExtent(caption);
    const int ty = R.Top + RectHeight(R) / 2 - extent.cy / 2;
    const int block = extent.cx + (hasGlyph ? gw + FSpacing : 0);
    int tx = R.Left + LeftPad;
    if (Align == taRightJustify)
        tx = R.Right - block;
    else if (Align == taCenter)
        tx = R.Left + LeftPad + RectWidth(R) / 2 - block / 2;
    int gx = tx;
    const int gy = R.Top + RectHeight(R) / 2 - FGlyph->GetHeight() / 2;
    if (hasGlyph) tx += gw + FSpacing;
    if (FRollUpMode)
        DrawArrowImage(Canvas, TRect(R.Right, R.Top, R.Right + 10, R.Bottom), ArrowColor,
                       FRollUpState ? 4 : 3);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextRect(R, tx, ty, caption);
    if (hasGlyph)
        DrawGlyph(Canvas, gx, gy, FGlyph.get(), FNumGlyphs,
                  !IsEffectivelyEnabled() && FNumGlyphs == 2 ? 2 : 1);
}

void TskSkinPanel::CreateControlSkinImage(TBitmap* B) {
    if (IsPlainTiledClient()) {
        TileClientPart(B, GetWidth(), GetHeight());
        return;
    }
    TskSkinCustomControl::CreateControlSkinImage(B);
    NewCaptionRect = ResizeMode > 0 ? GetNewRect(CaptionRect) : CaptionRect;
    // A skin without a caption place still shows the caption bar a panel asks for.
    if (HasPlainCaptionBar()) {
        DrawPlainCaptionBar(B->GetCanvas());
        return;
    }
    if (GetCaption().empty() || IsNullRect(CaptionRect)) return;
    TCanvas* canvas = B->GetCanvas();
    TRect r = CaptionTextRect();
    if (FCheckedMode && Picture) {
        const TRect check = FChecked ? CheckImageRect : UnCheckImageRect;
        if (!IsNullRect(check)) {
            TBitmap image(RectWidth(check), RectHeight(check));
            image.GetCanvas()->CopyRect(TRect(0, 0, RectWidth(check), RectHeight(check)),
                                        Picture->GetCanvas(), check);
            image.SetTransparent(true);
            canvas->Draw(r.Left, r.Top + RectHeight(r) / 2 - RectHeight(check) / 2, &image);
            r.Left += RectWidth(check) + 2;
        }
    }
    SetCaptionFont(canvas);
    const TColor colour = CaptionColor(FontColor);
    canvas->GetFont()->SetColor(colour);
    DrawCaptionContent(canvas, r, Alignment, 0, colour);
}

void TskSkinPanel::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    DrawBorderFrame(canvas, TRect(0, 0, GetWidth(), GetHeight()), FBorderStyle);
    if (FCaptionMode) DrawPlainCaptionBar(canvas);
}

void TskSkinPanel::DrawPlainCaptionBar(TCanvas* Canvas) {
    const TRect bar = DefaultCaptionBar();
    const TRect inner(bar.Left + 1, bar.Top + 1, bar.Right - 1, bar.Bottom - 1);
    if (FBorderStyle != bvFrame) {
        Frm3D(Canvas, bar, clBtnShadow, clBtnHighlight);
        Frm3D(Canvas, inner, clBtnHighlight, clBtnShadow);
    } else {
        Frm3D(Canvas, bar, clBtnShadow, clBtnShadow);
        Frm3D(Canvas, inner, clBtnHighlight, clBtnFace);
    }
    const TRect r = DefaultCaptionRect();
    SetCaptionFont(Canvas);
    const TColor text = CaptionColor(FIndex == -1 ? Canvas->GetFont()->GetColor() : FontColor);
    Canvas->GetFont()->SetColor(text);
    if (FCheckedMode) {
        const int cy = r.Top + RectHeight(r) / 2;
        const TRect box(5, cy - 7, 19, cy + 7);
        Frm3D(Canvas, box, clBtnShadow, clBtnShadow);
        if (FChecked) DrawCheckImage(Canvas, box.Left + 1 + 3, box.Top + 1 + 2, clBtnText);
    }
    DrawCaptionContent(Canvas, r, FDefaultAlignment, 2, FIndex == -1 ? CaptionColor(clBtnText) : text);
}

TColor TskSkinPanel::CaptionColor(TColor Enabled) {
    if (IsEffectivelyEnabled()) return Enabled;
    // The system's grey is made for its own faces; on a skin's it may all but vanish, while
    // the skin's colour taken halfway to grey stays readable where the skin put it.
    return FIndex == -1 ? clGrayText : MixColors(Enabled, clGray, 50);
}

// ---- Descendants ------------------------------------------------------------------------

void TskSkinPanel::PublishDocked(TPropertyList& P, TAlign Align, int DefaultHeight) {
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, Align);
    P.Add("BorderStyle", &TskSkinPanel::GetBorderStyle, &TskSkinPanel::SetBorderStyle, bvNone);
    PublishDefaultSize<TskSkinPanel>(P, 0, DefaultHeight);
}

TskSkinGroupBox::TskSkinGroupBox(TComponent* AOwner) : TskSkinPanel(AOwner) {
    FSkinDataName = "groupbox";
    SetCaptionMode(true);
}

void TskSkinGroupBox::Published(TPropertyList& P) {
    P.Add("CaptionMode", &TskSkinPanel::GetCaptionMode, &TskSkinPanel::SetCaptionMode, true);
}

TskSkinStatusBar::TskSkinStatusBar(TComponent* AOwner) : TskSkinPanel(AOwner) {
    FSkinDataName = "statusbar";
    SetAlign(alBottom);
    SetDefaultHeight(21);
    SetBorderStyle(bvNone);
}

void TskSkinStatusBar::Published(TPropertyList& P) {
    PublishDocked(P, alBottom, 21);
}

void TskSkinStatusBar::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < GetControlCount(); ++i)
        if (auto* child = dynamic_cast<TskSkinControl*>(GetControl(i))) child->SetSkinData(Value);
}

REGISTER_CLASS(TskSkinPanel);
REGISTER_CLASS(TskSkinGroupBox);
REGISTER_CLASS(TskSkinStatusBar);

DEFINE_UNIT(SkinCtrls_Panels, uoSkin + 10, nullptr, nullptr);
