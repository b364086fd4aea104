#include "skin/form/SkinForm_Objects.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include "skin/data/Skeffbmp.h"

namespace {

bool Usable(TBitmap* B) {
    return B && !B->GetEmpty();
}

// Source's rectangle R as a bitmap of Size.
std::unique_ptr<TBitmap> Cut(TBitmap* Source, const TRect& R, int W, int H) {
    auto b = std::make_unique<TBitmap>(W, H);
    b->SetPixelFormat(pf24bit);
    if (Usable(Source))
        b->GetCanvas()->CopyRect(TRect(0, 0, W, H), Source->GetCanvas(), R);
    return b;
}

} // namespace

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

void TskActiveSkinObject::MouseEnter() {
    MouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect)) Redraw();
    Parent->MouseEnterEvent(IDName);
}

void TskActiveSkinObject::MouseLeave() {
    MouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect)) Redraw();
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
    TBitmap b(w, h);
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
}

void TskSkinCaptionObject::SetTextValue(const AnsiString& Value) {
    TextValue = Value;
    Parent->DrawSkinObject(this);
}

void TskSkinCaptionObject::Draw(TCanvas* Cnvs, bool) {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    const bool active = Parent->GetFormActive();
    TBitmap* source = active && !IsNullRect(ActiveSkinRect) ? ActivePicture : NormalPicture();
    const TRect look = active && !IsNullRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect;
    TBitmap b(w, h);
    TCanvas* c = b.GetCanvas();
    // The look's ends stay, its middle is tiled across the wider caption.
    if (Usable(source) && !IsNullRect(look))
        CreateHSkinImage(TextRect.Left, RectWidth(look) - TextRect.Right, &b, source, look, w, h);
    if (b.GetWidth() != w || b.GetHeight() != h) b.SetSize(w, h);
    TRect text(TextRect.Left, TextRect.Top, w - (RectWidth(SkinRect) - TextRect.Right), TextRect.Bottom);
    if (IsNullRect(TextRect)) text = TRect(0, 0, w, h);
    c->GetFont()->SetName(FontName.empty() ? AnsiString("Arial") : FontName);
    if (FontHeight) c->GetFont()->SetHeight(FontHeight);
    c->GetFont()->SetStyle(FontStyle);
    c->GetBrush()->SetStyle(bsClear);
    AnsiString s = TextValue;
    CorrectTextbyWidth(c, s, RectWidth(text));
    UINT align = Alignment == taCenter ? DT_CENTER : Alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    const UINT flags = align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (Shadow) {
        TRect shadow = text;
        shadow = MovedRect(shadow, 1, 1);
        c->GetFont()->SetColor(active ? ActiveShadowColor : ShadowColor);
        c->TextRect(shadow, s, flags);
    }
    c->GetFont()->SetColor(active ? ActiveFontColor : FontColor);
    c->TextRect(text, s, flags);
    BitBlt(Cnvs->GetHandle(), ObjectRect.Left, ObjectRect.Top, w, h, c->GetHandle(), 0, 0, SRCCOPY);
}
