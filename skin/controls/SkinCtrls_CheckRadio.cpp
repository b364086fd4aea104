#include "skin/controls/SkinCtrls_CheckRadio.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    // Clicks come from SetChecked, not from the class library's click.
    SetControlStyle(GetControlStyle() >> csClickEvents);
    FSkinDataName = "checkbox";
    SetTabStop(false);
    SetBounds(GetLeft(), GetTop(), 150, 25);
}

TskSkinCheckRadioBox::~TskSkinCheckRadioBox() {
    StopMorph();
}

void TskSkinCheckRadioBox::Published(TPropertyList& P) {
    P.Add("Images", &TskSkinCheckRadioBox::GetImages, &TskSkinCheckRadioBox::SetImages);
    P.Add("ImageIndex", &TskSkinCheckRadioBox::GetImageIndex, &TskSkinCheckRadioBox::SetImageIndex,
          0);
    P.Add("CanFocused", &TskSkinCheckRadioBox::GetCanFocused, &TskSkinCheckRadioBox::SetCanFocused,
          false);
    P.Add("Radio", &TskSkinCheckRadioBox::GetRadio, &TskSkinCheckRadioBox::SetRadio, false);
    P.Add("Checked", &TskSkinCheckRadioBox::GetChecked, &TskSkinCheckRadioBox::SetChecked, false);
    P.Add("GroupIndex", &TskSkinCheckRadioBox::GetGroupIndex, &TskSkinCheckRadioBox::SetGroupIndex,
          0);
    P.Add("Flat", &TskSkinCheckRadioBox::GetFlat, &TskSkinCheckRadioBox::SetFlat, false);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
}

// ---- The record ------------------------------------------------------------------------

TskDataSkinCheckRadioControl* TskSkinCheckRadioBox::CheckRecord() const {
    return dynamic_cast<TskDataSkinCheckRadioControl*>(GetSkinRecord());
}

void TskSkinCheckRadioBox::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    TskDataSkinCheckRadioControl* record = CheckRecord();
    if (!record) {
        FMorphing = false;
        if (FIndex == -1) FMorphKf = 0;
        return;
    }
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
    UnEnabledFontColor = record->UnEnabledFontColor;
    FrameFontColor = record->FrameFontColor;
    FMorphing = record->Morphing && !FFlat;
    FMorphKind = record->MorphKind;
    ActiveSkinRect = IsNullRect(record->ActiveSkinRect) ? SkinRect : record->ActiveSkinRect;
    CheckImageArea = record->CheckImageArea;
    TextArea = record->TextArea;
    CheckImageRect = record->CheckImageRect;
    UnCheckImageRect = record->UnCheckImageRect;
    auto orElse = [](const TRect& R, const TRect& Fallback) {
        return IsNullRect(R) ? Fallback : R;
    };
    ActiveCheckImageRect = orElse(record->ActiveCheckImageRect, CheckImageRect);
    UnEnabledCheckImageRect = orElse(record->UnEnabledCheckImageRect, CheckImageRect);
    ActiveUnCheckImageRect = orElse(record->ActiveUnCheckImageRect, UnCheckImageRect);
    UnEnabledUnCheckImageRect = orElse(record->UnEnabledUnCheckImageRect, UnCheckImageRect);
    // A flat box shows its parent: no window region.
    if (FFlat) MaskPicture = nullptr;
}

void TskSkinCheckRadioBox::ChangeSkinData() {
    if (FFlat) {
        GetSkinData();
        Repaint();
        return;
    }
    StopMorph();
    TskSkinCustomControl::ChangeSkinData();
    if (FMorphing && CheckRecord() && (IsFocused() || FMouseIn)) FMorphKf = 1;
}

void TskSkinCheckRadioBox::CalcSize(int& W, int& H) {
    if (FFlat) return;
    TskSkinCustomControl::CalcSize(W, H);
    FitAreas(W);
}

void TskSkinCheckRadioBox::FitAreas(int W) {
    const int d = W - RectWidth(SkinRect);
    NewTextArea = TextArea;
    NewTextArea.Right += d;
    TRect area = CheckImageArea;
    if (area.Right > TextArea.Right) {
        area.Left += d;
        area.Right += d;
    }
    const int w = RectWidth(CheckImageRect);
    const int h = RectHeight(CheckImageRect);
    const int left = area.Left + RectWidth(area) / 2 - w / 2;
    const int top = area.Top + RectHeight(area) / 2 - h / 2;
    NewCheckImageRect = TRect(left, top, left + w, top + h);
}

// ---- Checked, grouped ----------------------------------------------------------------------

void TskSkinCheckRadioBox::SetChecked(bool Value) {
    // The mates' and this box's OnClick may delete this box, its parent or its form.
    TComponentProtector protect(this);
    FChecked = Value;
    Repaint();
    if (FChecked && FGroupIndex != 0) UnCheckAll();
    if (IsDestroying()) return;
    // Handlers wait until the form they belong to is read whole.
    if (OnClick && (!FRadio || FChecked) && !IsLoading()) OnClick(this);
}

void TskSkinCheckRadioBox::UnCheckAll() {
    // By index, the parent asked again each time: a mate's OnClick may change the parent's
    // controls or delete the parent, and with it this box, which then has no parent.
    for (int i = 0; !IsDestroying() && GetParent() && i < GetParent()->GetControlCount(); ++i) {
        auto* mate = dynamic_cast<TskSkinCheckRadioBox*>(GetParent()->GetControl(i));
        if (mate && mate != this && mate->FGroupIndex == FGroupIndex && mate->FChecked)
            mate->SetChecked(false);
    }
}

void TskSkinCheckRadioBox::SetCheckState() {
    if (!CanModify()) return;
    if (!FRadio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

void TskSkinCheckRadioBox::SetRadio(bool Value) {
    FRadio = Value;
    if ((FIndex == -1 && DrawDefault) || IsDesigning()) Repaint();
    if (!IsDesigning() || IsLoading()) return;
    FSkinDataName = Value ? "radiobox" : "checkbox";
    FGroupIndex = Value ? 1 : 0;
}

void TskSkinCheckRadioBox::SetFlat(bool Value) {
    FFlat = Value;
    if (FFlat) StopMorph();
    // A flat box has no window region.
    GetSkinData();
    SetControlRegion();
    Repaint();
}

void TskSkinCheckRadioBox::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinCheckRadioBox::SetImages(TCustomImageList* Value) {
    SetReference(this, FImages, Value);
    Repaint();
}

void TskSkinCheckRadioBox::SetImageIndex(int Value) {
    FImageIndex = Value;
    Repaint();
}

void TskSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

bool TskSkinCheckRadioBox::IsFocused() {
    return FCanFocused && Focused();
}

// ---- The fade --------------------------------------------------------------------------------

void TskSkinCheckRadioBox::ReDrawControl() {
    if (FMorphing && CheckRecord())
        StartMorph();
    else
        Repaint();
}

void TskSkinCheckRadioBox::StartMorph() {
    if (!FMorphTimer) FMorphTimer = NewFadeTimer(TNotifyEvent(this, &TskSkinCheckRadioBox::DoMorph));
}

void TskSkinCheckRadioBox::StopMorph() {
    FMorphTimer.reset();
}

void TskSkinCheckRadioBox::DoMorph(TObject*) {
    const bool active = FMouseIn || IsFocused();
    if (!CheckRecord() || !FMorphing) {
        FMorphKf = active ? 1 : 0;
        StopMorph();
        return;
    }
    if (!StepFade(FMorphKf, active)) StopMorph();
    Repaint();
}

// ---- Painting --------------------------------------------------------------------------------

TRect TskSkinCheckRadioBox::CheckPictureRect() {
    if (!IsEffectivelyEnabled()) return FChecked ? UnEnabledCheckImageRect : UnEnabledUnCheckImageRect;
    if (FMouseIn) return FChecked ? ActiveCheckImageRect : ActiveUnCheckImageRect;
    return FChecked ? CheckImageRect : UnCheckImageRect;
}

void TskSkinCheckRadioBox::DrawCheckPicture(TCanvas* Canvas, int X, int Y, const TRect& R) {
    DrawPictureTransparent(Canvas, X, Y, Picture, R);
}

void TskSkinCheckRadioBox::CreateImage(TBitmap* B, const TRect& R, bool AActive) {
    CreateSkinControlImage(B, Picture, R);
    FitAreas(GetWidth());
    TCanvas* canvas = B->GetCanvas();
    const int y = NewCheckImageRect.Top + RectHeight(NewCheckImageRect) / 2 -
                  RectHeight(CheckImageRect) / 2;
    DrawCheckPicture(canvas, NewCheckImageRect.Left, y, CheckPictureRect());
    SetSkinFont(canvas, FontName, FontHeight, FontStyle);
    TColor color = AActive ? ActiveFontColor : FontColor;
    if (!IsEffectivelyEnabled()) color = UnEnabledFontColor;
    canvas->GetFont()->SetColor(color);
    canvas->GetBrush()->SetStyle(bsClear);
    SKDrawText(canvas, GetCaption(), NewTextArea);
}

void TskSkinCheckRadioBox::Paint() {
    GetSkinData();
    if (GetWidth() < 1 || GetHeight() < 1) return;
    if (FFlat) {
        PaintFlat();
        return;
    }
    if (!CheckRecord()) {
        TskSkinCustomControl::Paint();
        return;
    }
    const TRect part = PaintedPart(GetCanvas()->GetHandle(), GetWidth(), GetHeight());
    if (IsNullRect(part)) return;
    TBitmapPart image(part, GetWidth(), GetHeight());
    if (FMorphing && FMorphKf > 0 && FMorphKf < 1) {
        DrawMorphed(
            &image, ShownPart(GetCanvas()->GetHandle(), GetWidth(), GetHeight()), FMorphKind, FMorphKf, [&](TBitmap* B) { CreateImage(B, SkinRect, false); },
            [&](TBitmap* B) { CreateImage(B, ActiveSkinRect, true); });
    } else if (FMouseIn || IsFocused()) {
        CreateImage(&image, ActiveSkinRect, true);
    } else {
        CreateImage(&image, SkinRect, false);
    }
    DrawBlended(GetCanvas(), &image);
}

void TskSkinCheckRadioBox::DrawDefaultBox(TCanvas* Canvas, int X, int Y) {
    Canvas->GetBrush()->SetColor(FMouseIn ? clNavy : clBtnShadow);
    Canvas->FrameRect(TRect(X, Y, X + 14, Y + 14));
    if (!FChecked) return;
    const TColor mark = IsEffectivelyEnabled() ? clBlack : clBtnShadow;
    if (FRadio)
        DrawRadioImage(Canvas, X + 4, Y + 4, mark);
    else
        DrawCheckImage(Canvas, X + 4, Y + 3, mark);
}

void TskSkinCheckRadioBox::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const int h = GetHeight();
    if (IsFocused() || FMouseIn) {
        canvas->GetBrush()->SetColor(clBtnShadow);
        canvas->FrameRect(GetClientRect());
    }
    DrawDefaultBox(canvas, 3, h / 2 - 7);
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    canvas->GetBrush()->SetStyle(bsClear);
    SKDrawText(canvas, GetCaption(), TRect(19, 0, GetWidth(), h));
}

void TskSkinCheckRadioBox::PaintFlat() {
    const int w = GetWidth();
    const int h = GetHeight();
    const TRect part = PaintedPart(GetCanvas()->GetHandle(), w, h);
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    TCanvas* canvas = image.GetCanvas();
    GetParentImage2(this, canvas);
    int textLeft;
    if (CheckRecord()) {
        DrawCheckPicture(canvas, 3, h / 2 - RectHeight(CheckImageRect) / 2, CheckPictureRect());
        SetSkinFont(canvas, FontName, FontHeight, FontStyle);
        canvas->GetFont()->SetColor(IsEffectivelyEnabled() ? FrameFontColor : UnEnabledFontColor);
        textLeft = RectWidth(CheckImageRect) + 7;
    } else {
        canvas->GetFont()->Assign(GetDefaultFont());
        if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
        DrawDefaultBox(canvas, 3, h / 2 - 7);
        textLeft = 22;
    }
    const AnsiString caption = GetCaption();
    const TSize size = canvas->TextExtent(caption);
    // Room for the pixels the last character reaches past its advance.
    const int tw = size.cx + canvas->TextOverhang(caption, DT_SINGLELINE);
    const int th = size.cy;
    TRect text(textLeft, h / 2 - th / 2, textLeft + tw, h / 2 - th / 2 + th);
    TRect imageRect;
    const bool hasImage = FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount();
    if (hasImage) {
        const int iw = FImages->GetWidth();
        const int ih = FImages->GetHeight();
        imageRect = TRect(text.Left, h / 2 - ih / 2, text.Left + iw, h / 2 - ih / 2 + ih);
        FImages->Draw(canvas, imageRect.Left, imageRect.Top, FImageIndex, IsEffectivelyEnabled());
        text.Left += iw + 5;
        text.Right += iw + 5;
    }
    text.Right = std::min(text.Right, w - 2);
    canvas->GetBrush()->SetStyle(bsClear);
    TRect clipped = text;
    canvas->TextRect(clipped, caption, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
    if (IsFocused()) {
        if (!caption.empty())
            canvas->DrawFocusRect(TRect(text.Left - 2, text.Top - 1, text.Right + 3, text.Bottom + 1));
        else if (hasImage)
            canvas->DrawFocusRect(TRect(imageRect.Left - 1, imageRect.Top - 1, imageRect.Right + 1,
                                        imageRect.Bottom + 1));
    }
    GetCanvas()->Draw(0, 0, &image);
}

// ---- Mouse, keys and focus -------------------------------------------------------------------

void TskSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!FMouseIn) {
        FMouseIn = true;
        ReDrawControl();
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FMouseIn) SetCheckState();
}

void TskSkinCheckRadioBox::WndProc(TMessage& Message) {
    if (FCanFocused) {
        switch (Message.Msg) {
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE && IsFocused()) SetCheckState();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!FocusOnPress(this, FSettingFocus)) return;
            break;
        case CN_COMMAND:
            if (FSettingFocus) return;
            break;
        default:
            break;
        }
    }
    TskSkinCustomControl::WndProc(Message);
}

void TskSkinCheckRadioBox::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus() && FCanFocused) {
        SetFocus();
        SetCheckState();
        Message.Message.Result = 1;
        return;
    }
    TskSkinCustomControl::Dispatch(Message.Message);
}

void TskSkinCheckRadioBox::CMTextChanged(TMessage&) {
    if (!CheckRecord() && !IsDesigning() && !DrawDefault) return;
    Repaint();
}

void TskSkinCheckRadioBox::CMMouseEnter(TMessage& Message) {
    TskSkinCustomControl::CMMouseEnter(Message);
    FMouseIn = true;
    ReDrawControl();
}

void TskSkinCheckRadioBox::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::CMMouseLeave(Message);
    FMouseIn = false;
    ReDrawControl();
}

void TskSkinCheckRadioBox::WMFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FCanFocused) ReDrawControl();
}

void TskSkinCheckRadioBox::WMMove(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    // The flat look shows the parent under the box.
    Invalidate();
}

REGISTER_CLASS(TskSkinCheckRadioBox);

DEFINE_UNIT(SkinCtrls_CheckRadio, uoSkin + 10, nullptr, nullptr);
