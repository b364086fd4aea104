#include "skin/form/SkinForm_Objects.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include "skin/data/Skeffbmp.h"

bool Usable(TBitmap* B) {
    return B && !B->GetEmpty();
}

namespace {

// Source's rectangle R as a bitmap of Size.
std::unique_ptr<TBitmap> Cut(TBitmap* Source, const TRect& R, int W, int H) {
    auto b = std::make_unique<TBitmap>(W, H);
    b->SetPixelFormat(pf24bit);
    if (Usable(Source))
        b->GetCanvas()->CopyRect(TRect(0, 0, W, H), Source->GetCanvas(), R);
    return b;
}

} // namespace

void SetSkinFont(TFont* F, const AnsiString& Name, TFontStyles Style, int Height) {
    if (!Name.empty()) F->SetName(Name);
    F->SetStyle(Style);
    if (Height) F->SetHeight(Height);
}

TskActiveSkinObject::TskActiveSkinObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : Parent(AParent), SkinData(AParent->GetSkinData()) {
    if (!AData) return;
    IDName = AData->IDName;
    Hint = AData->Hint;
    SkinRectInAPicture = AData->SkinRectInAPicture;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    CursorIndex = AData->CursorIndex;
    RollUp = AData->RollUp;
    const int index = AData->ActivePictureIndex;
    if (SkinData && index >= 0 && index < static_cast<int>(SkinData->ActivePictures.size()))
        ActivePicture = SkinData->ActivePictures[static_cast<std::size_t>(index)].get();
    if (!ActivePicture) ActiveSkinRect = NullRect();
    ObjectRect = SkinRect;
    if (SkinData) Picture = RollUp ? SkinData->RollUpPicture.get() : SkinData->Picture.get();
}

void TskActiveSkinObject::CopyLook(TCanvas* Cnvs, TBitmap* Source, const TRect& R) {
    if (!Usable(Source) || IsNullRect(R)) return;
    Cnvs->CopyRect(ObjectRect, Source->GetCanvas(), R);
}

void TskActiveSkinObject::DrawMorphed(TCanvas* Cnvs, TBitmap* Source1, const TRect& R1, const TRect& R2) {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    auto normal = Cut(Source1, R1, w, h);
    auto active = Cut(ActivePicture, R2, w, h);
    TskEffectBmp e1(normal->GetHandle()), e2(active->GetHandle());
    e1.MorphByKind(MorphKind, &e2, MorphKf);
    e1.Draw(Cnvs->GetHandle(), ObjectRect.Left, ObjectRect.Top);
}

void TskActiveSkinObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (Morphing && !MorphAtEnd() && !IsNullRect(ActiveSkinRect))
        return DrawMorphed(Cnvs, NormalPicture(), SkinRect, ActiveSkinRect);
    if (Active && !IsNullRect(ActiveSkinRect)) return CopyLook(Cnvs, ActivePicture, ActiveSkinRect);
    if (!UpDate && !SkinRectInAPicture) return;
    CopyLook(Cnvs, NormalPicture(), SkinRect);
}

void TskActiveSkinObject::Redraw() {
    if (!Morphing)
        Parent->DrawSkinObject(this);
    else
        Parent->GetMorphTimer()->SetEnabled(true);
}

void TskActiveSkinObject::DoMorphing() {
    SetMorphKf(Active ? MorphKf + 0.1 : MorphKf - 0.1);
    Parent->DrawSkinObject(this);
}

void TskActiveSkinObject::SetMorphKf(double Value) {
    MorphKf = Value < 0 ? 0 : Value > 1 ? 1 : Value;
}

bool TskActiveSkinObject::CanMorphing() {
    return (Active && MorphKf < 1) || (!Active && MorphKf > 0);
}

bool TskActiveSkinObject::HoverChangesLook() const {
    return !IsNullRect(ActiveSkinRect);
}

void TskActiveSkinObject::MouseEnter() {
    MouseIn = true;
    Active = true;
    if (HoverChangesLook()) Redraw();
    Parent->MouseEnterEvent(IDName);
}

void TskActiveSkinObject::MouseLeave() {
    MouseIn = false;
    Active = false;
    if (HoverChangesLook()) Redraw();
    Parent->MouseLeaveEvent(IDName);
}

void TskActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button) {
    Parent->MouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button) {
    if (MouseIn) Parent->MouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseMove(int X, int Y) {
    Parent->MouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TskUserObject::Draw(TCanvas* Cnvs, bool) {
    Parent->PaintEvent(IDName, Cnvs, ObjectRect);
}

// ---------------------------------------------------------------------------
// TskSkinButtonObject

TskSkinButtonObject::TskSkinButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    if (auto* data = dynamic_cast<TskDataSkinButton*>(AData)) {
        DownRect = data->DownRect;
        DisabledSkinRect = data->DisabledSkinRect;
        GroupIndex = data->GroupIndex;
    }
    if (!ActivePicture) DownRect = DisabledSkinRect = NullRect();
}

void TskSkinButtonObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (!Enabled && !IsNullRect(DisabledSkinRect)) return CopyLook(Cnvs, ActivePicture, DisabledSkinRect);
    if (Down && !IsNullRect(DownRect) && (GroupIndex != -1 || MouseIn))
        return CopyLook(Cnvs, ActivePicture, DownRect);
    TskActiveSkinObject::Draw(Cnvs, UpDate);
}

void TskSkinButtonObject::ReleaseGroup() {
    if (GroupIndex == -1) return;
    for (int i = 0; i < Parent->GetObjectCount(); ++i) {
        auto* other = dynamic_cast<TskSkinButtonObject*>(Parent->GetObject(i));
        if (other && other->IDName != IDName && other->GroupIndex == GroupIndex && other->Down) {
            other->SetDown(false);
            return;
        }
    }
}

void TskSkinButtonObject::SetDown(bool Value) {
    Down = Value;
    if (IsNullRect(DownRect)) {
        if (Value) ReleaseGroup();
        return;
    }
    if (Value) {
        if (Morphing) MorphKf = 1;
        Parent->DrawSkinObject(this);
        ReleaseGroup();
    } else {
        if (!(GroupIndex == -1 && !MenuItem)) Active = false;
        if (Morphing) Parent->DrawSkinObject(this);
        Redraw();
    }
}

void TskSkinButtonObject::TrackMenu() {
    if (!MenuItem || MenuItem->GetCount() == 0) return;
    TRect r = ObjectRect;
    RECT w{};
    GetWindowRect(Parent->GetForm()->GetHandle(), &w);
    r = MovedRect(r, w.left, w.top);
    Parent->TrackObjectMenu(MenuItem, r, MenuPopupUp);
}

void TskSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button) {
    if (!Enabled) return;
    if (Button == mbLeft && !Down) {
        SetDown(true);
        TrackMenu();
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
    if (!Enabled) return;
    if (Button == mbLeft && !MenuItem && Down && GroupIndex == -1) SetDown(false);
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinButtonObject::MouseEnter() {
    MouseIn = true;
    Active = true;
    if (!IsNullRect(DownRect) && Down) {
        if (GroupIndex == -1) Parent->DrawSkinObject(this);
    } else if (!IsNullRect(ActiveSkinRect)) {
        Redraw();
    }
    Parent->MouseEnterEvent(IDName);
}

void TskSkinButtonObject::MouseLeave() {
    MouseIn = false;
    if (Down && !IsNullRect(DownRect) && (MenuItem || GroupIndex != -1)) {
        Parent->MouseLeaveEvent(IDName);
        return;
    }
    Active = false;
    if (Morphing && Down) MorphKf = 1;
    if (!(IsNullRect(ActiveSkinRect) && (IsNullRect(DownRect) || GroupIndex != -1))) Redraw();
    Parent->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------
// TskSkinStdButtonObject

TskSkinStdButtonObject::TskSkinStdButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskSkinButtonObject(AParent, AData) {
    auto* data = dynamic_cast<TskDataSkinStdButton*>(AData);
    if (!data) return;
    SkinDataExists = true;
    Command = data->Command;
    if (ActivePicture) {
        RestoreRect = data->RestoreRect;
        RestoreActiveRect = data->RestoreActiveRect;
        RestoreDownRect = data->RestoreDownRect;
    }
}

TskSkinStdButtonObject::TskSkinStdButtonObject(TskSkinForm* AParent, const AnsiString& AIDName,
                                               TStdCommand ACommand)
    : TskSkinButtonObject(AParent, nullptr) {
    IDName = AIDName;
    Command = ACommand;
    SkinRectInAPicture = true;
    SkinRect = ActiveSkinRect = DownRect = TRect(0, 0, 1, 1);
    ObjectRect = SkinRect;
}

bool TskSkinStdButtonObject::InRestoreState() const {
    switch (Command) {
    case cmMaximize: return Parent->GetWindowState() == wsMaximized;
    case cmMinimize: return Parent->GetWindowState() == wsMinimized;
    case cmRollUp: return Parent->GetRollUpState();
    default: return false;
    }
}

// A click on a button in its restore state gives the form back, whatever the skin's text
// names (the roll-up button of a rolled-up form unrolls it): the hint says so, as the system
// menu's item for it does. An object of the rolled-up client-mode frame shows in that state
// only, and its skin's text is written for it.
AnsiString TskSkinStdButtonObject::CurrentHint() const {
    if (Hint.empty() || RollUp || !InRestoreState()) return Hint;
    return StripHotkey(kRestoreCaption);
}

bool TskSkinStdButtonObject::DrawsIcon() const {
    return Command == cmSysMenu && Parent->GetShowIcon() && SkinRectInAPicture;
}

void TskSkinStdButtonObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (!SkinDataExists) return DefaultDraw(Cnvs);
    if (!Enabled) return TskSkinButtonObject::Draw(Cnvs, UpDate);
    if (DrawsIcon()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        MorphKf = 0;
        return;
    }
    if (InRestoreState() && !IsNullRect(RestoreRect)) {
        if (Down && !IsNullRect(RestoreDownRect) && MouseIn) return CopyLook(Cnvs, ActivePicture, RestoreDownRect);
        if (Morphing && !MorphAtEnd() && !IsNullRect(RestoreActiveRect))
            return DrawMorphed(Cnvs, ActivePicture, RestoreRect, RestoreActiveRect);
        return CopyLook(Cnvs, ActivePicture,
                        Active && !IsNullRect(RestoreActiveRect) ? RestoreActiveRect : RestoreRect);
    }
    TskSkinButtonObject::Draw(Cnvs, UpDate);
}

bool TskSkinStdButtonObject::CanMorphing() {
    return !DrawsIcon() && TskSkinButtonObject::CanMorphing();
}

void TskSkinStdButtonObject::MouseDown(int, int, TMouseButton Button) {
    if (!Enabled || Button != mbLeft || Down) return;
    SetDown(true);
    if (Command == cmSysMenu) {
        MenuItem = Parent->GetSystemMenu()->GetItems();
        TrackMenu();
    }
}

void TskSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
    const bool act = Active && Button == mbLeft;
    if (Command == cmClose) {
        TskSkinButtonObject::MouseUp(X, Y, Button);
        if (act) DoCommand(); // the form may be gone afterwards
        return;
    }
    if (act) DoCommand();
    TskSkinButtonObject::MouseUp(X, Y, Button);
}

void TskSkinStdButtonObject::DblClick() {
    if (Command == cmSysMenu) DoClose();
}

void TskSkinStdButtonObject::DoCommand() {
    switch (Command) {
    case cmClose: DoClose(); break;
    case cmMaximize: DoMax(); break;
    case cmMinimize: DoMin(); break;
    case cmRollUp: DoRollUp(); break;
    default: break;
    }
}

void TskSkinStdButtonObject::DoMax() {
    Parent->SetWindowState(Parent->GetWindowState() == wsMaximized ? wsNormal : wsMaximized);
}

void TskSkinStdButtonObject::DoMin() {
    if (Parent->GetSupportNCArea() && Parent->GetWindowState() == wsMinimized)
        Parent->SetWindowState(wsNormal);
    else
        Parent->SetWindowState(wsMinimized);
}

void TskSkinStdButtonObject::DoClose() {
    Parent->GetForm()->Close();
}

void TskSkinStdButtonObject::DoRollUp() {
    Parent->SetRollUpState(!Parent->GetRollUpState());
}

void TskSkinStdButtonObject::DefaultDraw(TCanvas* Cnvs) {
    if (Command == cmSysMenu && Parent->GetShowIcon())
        return Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    const bool pressed = Down && MouseIn;
    if (MouseIn) {
        c->GetBrush()->SetColor(static_cast<TColor>(pressed ? 0xB59385 : 0xD2BDB6));
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(static_cast<TColor>(0x800000));
        c->FrameRect(TRect(0, 0, w, h));
    } else {
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, w, h));
    }
    const int x = w / 2 - 5 + (pressed ? 1 : 0), y = h / 2 - 4 + (pressed ? 1 : 0);
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case cmClose: DrawCloseImage(c, x, y, color); break;
    case cmMaximize:
        if (Parent->GetWindowState() == wsMaximized)
            DrawRestoreImage(c, x, y, color);
        else
            DrawMaximizeImage(c, x, y, color);
        break;
    case cmMinimize:
        if (Parent->GetWindowState() == wsMinimized)
            DrawRestoreImage(c, x, y, color);
        else
            DrawMinimizeImage(c, x, y, color);
        break;
    case cmSysMenu: DrawSysMenuImage(c, x, y, color); break;
    case cmRollUp:
        if (Parent->GetRollUpState())
            DrawRestoreRollUpImage(c, x, y, color);
        else
            DrawRollUpImage(c, x, y, color);
        break;
    default: break;
    }
    BitBlt(Cnvs->GetHandle(), ObjectRect.Left, ObjectRect.Top, w, h, c->GetHandle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// TskSkinCaptionObject

TskSkinCaptionObject::TskSkinCaptionObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    auto* data = dynamic_cast<TskDataSkinCaption*>(AData);
    if (!data) return;
    DefaultCaption = data->DefaultCaption;
    FontName = data->FontName;
    FontHeight = data->FontHeight;
    FontStyle = data->FontStyle;
    FontColor = data->FontColor;
    ActiveFontColor = data->ActiveFontColor;
    ShadowColor = data->ShadowColor;
    ActiveShadowColor = data->ActiveShadowColor;
    Shadow = data->Shadow;
    Alignment = data->Alignment;
    TextRect = data->TextRect;
    if (ActivePicture) {
        FrameRect = data->FrameRect;
        ActiveFrameRect = data->ActiveFrameRect;
    }
    FrameLeftOffset = data->FrameLeftOffset;
    FrameRightOffset = data->FrameRightOffset;
    FrameTextRect = data->FrameTextRect;
}

void TskSkinCaptionObject::SetTextValue(const AnsiString& Value) {
    TextValue = Value;
    Parent->DrawSkinObject(this);
}

void TskSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button) {
    Parent->MouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskSkinCaptionObject::MouseEnter() {
    MouseIn = true;
    Parent->MouseEnterEvent(IDName);
}

void TskSkinCaptionObject::MouseLeave() {
    MouseIn = false;
    Parent->MouseLeaveEvent(IDName);
}

int TskSkinCaptionObject::StretchKind() const {
    if (RectWidth(ObjectRect) == RectWidth(SkinRect) && RectHeight(ObjectRect) == RectHeight(SkinRect)) return 0;
    if (!SkinData) return 0;
    const TskSkinData& s = *SkinData;
    if (SkinRect.Top <= s.LTPoint.Y && SkinRect.Bottom < s.RTPoint.Y) return 1;
    if (SkinRect.Top >= s.LBPoint.Y && SkinRect.Bottom > s.RBPoint.Y) return 2;
    if (SkinRect.Top > s.LTPoint.Y || SkinRect.Bottom <= s.LBPoint.Y) return 4;
    return 3;
}

namespace {

// Tiles Source's span [From, To) along one axis of B from 0, the last tile cut.
void TileSpan(TBitmap* B, TBitmap* Source, const TRect& S, int From, int To, bool Horizontal) {
    const int span = To - From;
    if (span <= 0) return;
    HDC d = B->GetCanvas()->GetHandle(), src = Source->GetCanvas()->GetHandle();
    const int length = Horizontal ? B->GetWidth() : B->GetHeight();
    for (int at = 0; at < length; at += span) {
        const int n = std::min(span, length - at);
        if (Horizontal)
            BitBlt(d, at, 0, n, B->GetHeight(), src, S.Left + From, S.Top, SRCCOPY);
        else
            BitBlt(d, 0, at, B->GetWidth(), n, src, S.Left, S.Top + From, SRCCOPY);
    }
}

} // namespace

std::unique_ptr<TBitmap> TskSkinCaptionObject::Stretched(TBitmap* Source, const TRect& S) {
    const int w = std::max(RectWidth(ObjectRect), 1), h = std::max(RectHeight(ObjectRect), 1);
    auto b = std::make_unique<TBitmap>(w, h);
    b->SetPixelFormat(pf24bit);
    if (!Usable(Source) || IsNullRect(S)) return b;
    const TskSkinData& s = *SkinData;
    const bool canScale = !(s.RBPoint.X == s.LTPoint.X || s.RBPoint.Y == s.LTPoint.Y);
    const int kind = StretchKind();
    const bool horizontal = kind <= 2;
    int lead = 0, trail = 0;
    if (kind == 1) lead = s.LTPoint.X - S.Left, trail = S.Right - s.RTPoint.X;
    if (kind == 2) lead = s.LBPoint.X - S.Left, trail = S.Right - s.RBPoint.X;
    if (kind == 3) lead = s.LTPoint.Y - S.Top, trail = S.Bottom - s.LBPoint.Y;
    if (kind == 4) lead = s.RTPoint.Y - S.Top, trail = S.Bottom - s.RBPoint.Y;
    // An end outside the look is no end; ends that leave no middle stretch the whole look.
    const int size = horizontal ? RectWidth(S) : RectHeight(S);
    lead = std::clamp(lead, 0, size);
    trail = std::clamp(trail, 0, size);
    TCanvas* c = b->GetCanvas();
    if (!canScale || (lead == 0 && trail == 0) || lead + trail >= size) {
        c->CopyRect(TRect(0, 0, w, h), Source->GetCanvas(), S);
        return b;
    }
    TileSpan(b.get(), Source, S, lead, size - trail, horizontal);
    HDC d = c->GetHandle(), src = Source->GetCanvas()->GetHandle();
    if (horizontal) {
        BitBlt(d, 0, 0, lead, h, src, S.Left, S.Top, SRCCOPY);
        BitBlt(d, w - trail, 0, trail, h, src, S.Right - trail, S.Top, SRCCOPY);
    } else {
        BitBlt(d, 0, 0, w, lead, src, S.Left, S.Top, SRCCOPY);
        BitBlt(d, 0, h - trail, w, trail, src, S.Left, S.Bottom - trail, SRCCOPY);
    }
    return b;
}

void TskSkinCaptionObject::DrawText(TCanvas* C, int DX, int DY, bool AActive) {
    AnsiString text = Parent->CaptionText();
    if (text.empty() || IsNullRect(TextRect)) return;
    const int w = RectWidth(ObjectRect);
    TRect t = TextRect;
    t.Right = w - (RectWidth(SkinRect) - TextRect.Right);
    if (!IsNullRect(FrameRect)) {
        t.Left += FrameTextRect.Left;
        t.Top += FrameTextRect.Top;
        t.Right -= RectWidth(FrameRect) - FrameTextRect.Right;
    }
    TFont* f = C->GetFont();
    f->SetName(FontName.empty() ? AnsiString("Arial") : FontName);
    f->SetStyle(FontStyle);
    if (FontHeight) f->SetHeight(FontHeight);
    f->SetCharset(Parent->GetDefCaptionFont()->GetCharset());
    CorrectTextbyWidth(C, text, std::max(RectWidth(t), 0));
    const int tw = C->TextWidth(text), th = C->TextHeight(text);
    int x = Alignment == taRightJustify ? t.Right - tw : Alignment == taCenter ? t.Left + RectWidth(t) / 2 - tw / 2 : t.Left;
    int y = t.Top + RectHeight(t) / 2 - th / 2;
    x += DX;
    y += DY;
    C->GetBrush()->SetStyle(bsClear);
    if (!IsNullRect(FrameRect)) {
        const TRect look = AActive && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        const int fw = RectWidth(FrameRect) + tw - RectWidth(FrameTextRect);
        if (fw > 0) {
            TBitmap frame;
            CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &frame, ActivePicture, look, fw, RectHeight(FrameRect));
            BitBlt(C->GetHandle(), x - FrameTextRect.Left, y - FrameTextRect.Top, frame.GetWidth(), frame.GetHeight(),
                   frame.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
        }
    }
    if (Shadow) {
        f->SetColor(AActive ? ActiveShadowColor : ShadowColor);
        C->TextOut(x + 1, y + 1, text);
    }
    f->SetColor(AActive ? ActiveFontColor : FontColor);
    C->TextOut(x, y, text);
}

void TskSkinCaptionObject::ApplyInActiveEffect(TskEffectBmp& E) {
    if (!SkinData || SkinData->Empty || !SkinData->AutoRenderingInActiveImage || Active) return;
    ::ApplyInActiveEffect(E, SkinData->InActiveEffect);
}

std::unique_ptr<TBitmap> TskSkinCaptionObject::Look(bool AActive) {
    auto b = AActive ? Stretched(ActivePicture, ActiveSkinRect) : Stretched(Picture, SkinRect);
    DrawText(b->GetCanvas(), 0, 0, AActive);
    return b;
}

void TskSkinCaptionObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (RectWidth(ObjectRect) <= 0 || RectHeight(ObjectRect) <= 0) return;
    Active = Parent->GetFormActive();
    const bool noActiveLook = IsNullRect(ActiveSkinRect);
    if (noActiveLook || (!Active && MorphKf == 0)) {
        // A partial paint lays the text on the frame image that already shows the look; a
        // full one repaints the look too, so that no earlier text shows through.
        if (!UpDate) return DrawText(Cnvs, ObjectRect.Left, ObjectRect.Top, Active);
        auto b = Stretched(Picture, SkinRect);
        DrawText(b->GetCanvas(), 0, 0, Active);
        TskEffectBmp e(b->GetHandle());
        ApplyInActiveEffect(e);
        e.Draw(Cnvs->GetHandle(), ObjectRect.Left, ObjectRect.Top);
        return;
    }
    auto active = Look(true);
    if (Active && (MorphKf == 1 || (MorphKf == 0 && !Morphing))) {
        BitBlt(Cnvs->GetHandle(), ObjectRect.Left, ObjectRect.Top, active->GetWidth(), active->GetHeight(),
               active->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
        return;
    }
    auto normal = Look(false);
    TskEffectBmp e1(normal->GetHandle()), e2(active->GetHandle());
    e1.MorphByKind(MorphKind, &e2, MorphKf);
    ApplyInActiveEffect(e1);
    e1.Draw(Cnvs->GetHandle(), ObjectRect.Left, ObjectRect.Top);
}
