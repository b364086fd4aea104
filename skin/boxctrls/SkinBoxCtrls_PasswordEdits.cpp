#include "skin/boxctrls/SkinBoxCtrls_PasswordEdits.h"

#include "skin/data/SkinData_EditControls.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Clipboard.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <vector>

int NextWordStart(const AnsiString& Text, int Pos) {
    const int length = static_cast<int>(Text.size());
    int i = std::clamp(Pos, 0, length);
    while (i < length && Text[static_cast<std::size_t>(i)] != ' ') ++i;
    while (i < length && Text[static_cast<std::size_t>(i)] == ' ') ++i;
    return i;
}

int PriorWordStart(const AnsiString& Text, int Pos) {
    int i = std::clamp(Pos, 0, static_cast<int>(Text.size()));
    bool wordSeen = false;
    while (i > 0) {
        const bool space = Text[static_cast<std::size_t>(i - 1)] == ' ';
        if (space && wordSeen) break;
        if (!space) wordSeen = true;
        --i;
    }
    return i;
}

namespace {

// The clipboard's text in the system's ANSI code page, without the control characters that no
// key types into the field (the line break of a copied line, say).
AnsiString ClipboardText() {
    AnsiString text;
    TClipboard* clipboard = Clipboard();
    if (clipboard->HasFormat(CF_UNICODETEXT)) {
        clipboard->Open();
        HANDLE data = clipboard->GetAsHandle(CF_UNICODETEXT);
        if (auto* wide = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
            // The block may be larger than the text; the text ends at its terminator.
            const int length = static_cast<int>(wcsnlen(wide, GlobalSize(data) / sizeof(wchar_t)));
            const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
            text.resize(static_cast<std::size_t>(std::max(size, 0)));
            WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), size, nullptr, nullptr);
            GlobalUnlock(data);
        }
        clipboard->Close();
    } else {
        text = clipboard->GetAsText();
    }
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 32; });
    return text;
}

bool ExactlyShift(TShiftState Shift, TShiftStateItem Only) {
    return Shift * TShiftState{ssShift, ssAlt, ssCtrl} == TShiftState{Only};
}

} // namespace

TskSkinPasswordEdit::TskSkinPasswordEdit(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    FSkinDataName = "edit";
    SetWidth(121);
    SetDefaultHeight(21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle((GetControlStyle() << csCaptureMouse) >> csSetCaption);
    SetCursor(crDefault);
}

void TskSkinPasswordEdit::Published(TPropertyList& P) {
    using C = TskSkinPasswordEdit;
    PublishDefaultSize<C>(P, 0, 21);
    P.Add("AutoSelect", &C::GetAutoSelect, &C::SetAutoSelect, true);
    P.Add("CharCase", &C::GetCharCase, &C::SetCharCase, ecNormal);
    P.Add("Cursor", &C::GetCursor, &C::SetCursor, crIBeam);
    P.Add("HideSelection", &C::GetHideSelection, &C::SetHideSelection, true);
    P.Add("MaxLength", &C::GetMaxLength, &C::SetMaxLength, 0);
    P.Add("PasswordKind", &C::GetPasswordKind, &C::SetPasswordKind, pkRoundRect);
    P.Add("ReadOnly", &C::GetReadOnly, &C::SetReadOnly, false);
    P.Add("Text", &C::GetText, &C::SetText);
    P.Add("TextAlignment", &C::GetTextAlignment, &C::SetTextAlignment, taLeftJustify);
    P.Add("OnChange", &C::OnChange);
}

void TskSkinPasswordEdit::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinEditControl*>(GetSkinRecord());
    FHasEditRecord = record != nullptr;
    if (!record) return;
    FActiveSkinRect = IsNullRect(record->ActiveSkinRect) ? SkinRect : record->ActiveSkinRect;
    FLeftPart = LTPoint.X;
    FRightPart = RectWidth(SkinRect) - RTPoint.X;
    FFontColor = record->FontColor;
    FDisabledFontColor = record->DisabledFontColor;
    FActiveFontColor = record->ActiveFontColor;
}

void TskSkinPasswordEdit::CalcSize(int& W, int& H) {
    TskSkinCustomControl::CalcSize(W, H);
    // The face is one row of the skin: the field keeps its height.
    if (IsSkinned() && RectHeight(SkinRect) > 0) H = RectHeight(SkinRect);
}

// ---- Geometry --------------------------------------------------------------------------

TRect TskSkinPasswordEdit::GetEditRect() {
    if (IsSkinned())
        return TRect(ClRect.Left, ClRect.Top, ClRect.Right + GetWidth() - RectWidth(SkinRect),
                     ClRect.Bottom);
    return TRect(2, 2, GetWidth() - 2, GetHeight() - 2);
}

int TskSkinPasswordEdit::GetPasswordCharWidth() {
    return RectHeight(GetEditRect()) / 2 + 3;
}

int TskSkinPasswordEdit::AlignmentOffset() {
    const int textWidth = Length() * GetPasswordCharWidth();
    const int editWidth = RectWidth(GetEditRect());
    if (editWidth <= textWidth) return 0;
    switch (FTextAlignment) {
    case taRightJustify: return editWidth - textWidth;
    case taCenter: return (editWidth - textWidth) / 2;
    default: return 0;
    }
}

int TskSkinPasswordEdit::GetCharX(int Index) {
    int x = GetEditRect().Left + AlignmentOffset();
    if (Index > 0) x += (std::min(Index, Length()) - FFirstVisible + 1) * GetPasswordCharWidth();
    return x;
}

int TskSkinPasswordEdit::GetCoordinatePosition(int X) {
    if (FText.empty()) return FFirstVisible - 1;
    const int p = FFirstVisible - 1 + (X - AlignmentOffset() - GetEditRect().Left) / GetPasswordCharWidth();
    return std::clamp(p, 0, Length());
}

int TskSkinPasswordEdit::GetAlignmentFlags() const {
    switch (FTextAlignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return 0;
    }
}

TRect TskSkinPasswordEdit::GetSelRect() {
    const TRect edit = GetEditRect();
    TRect r(GetCharX(GetSelStart()), edit.Top, GetCharX(GetSelStart() + GetSelLength()), edit.Bottom);
    r.Left = std::max(r.Left, edit.Left);
    r.Right = std::min(r.Right, edit.Right);
    if (r.Right < r.Left) r.Right = r.Left;
    return r;
}

// ---- Caret and selection -----------------------------------------------------------------

int TskSkinPasswordEdit::GetSelStart() const {
    if (FSelLength > 0) return FSelStart;
    if (FSelLength == 0) return FCaret;
    return FSelStart + FSelLength;
}

int TskSkinPasswordEdit::GetSelLength() const {
    return std::abs(FSelLength);
}

AnsiString TskSkinPasswordEdit::GetSelText() const {
    return FText.substr(static_cast<std::size_t>(GetSelStart()), static_cast<std::size_t>(GetSelLength()));
}

AnsiString TskSkinPasswordEdit::GetVisibleSelText() const {
    const AnsiString selected = GetSelText();
    const int hidden = FFirstVisible - 1 - GetSelStart();
    if (hidden <= 0) return selected;
    return hidden >= static_cast<int>(selected.size()) ? AnsiString() : selected.substr(static_cast<std::size_t>(hidden));
}

void TskSkinPasswordEdit::ClampToText() {
    const int length = Length();
    FCaret = std::clamp(FCaret, 0, length);
    FSelStart = std::clamp(FSelStart, 0, length);
    FSelLength = std::clamp(FSelLength, -FSelStart, length - FSelStart);
    FFirstVisible = std::clamp(FFirstVisible, 1, std::max(1, length));
}

void TskSkinPasswordEdit::SetCaretPosition(int Value) {
    // The selection's caret end goes with the caret and its anchor stays: the selection
    // never reaches past the text, however the caret is moved.
    const int anchor = std::clamp(FSelStart + FSelLength, 0, Length());
    FCaret = std::clamp(Value, 0, Length());
    FSelStart = FCaret;
    FSelLength = FSelLength == 0 ? 0 : anchor - FCaret;
    UpdateFirstVisibleChar();
    if (Focused() && HandleAllocated()) SetCaretPos(GetCharX(FCaret), GetEditRect().Top);
}

void TskSkinPasswordEdit::UpdateFirstVisibleChar() {
    if (FCaret + 1 > FFirstVisible) {
        const int cw = GetPasswordCharWidth();
        const int editWidth = RectWidth(GetEditRect());
        while (cw * (FCaret - FFirstVisible + 1) > editWidth && Length() > FFirstVisible) ++FFirstVisible;
    } else {
        FFirstVisible = std::max(FCaret, 1);
    }
    Invalidate();
}

void TskSkinPasswordEdit::SetSelStart(int Value) {
    Value = std::clamp(Value, 0, Length());
    if (Value == FSelStart) return;
    FSelLength = 0;
    FSelStart = Value;
    SetCaretPosition(Value);
    Invalidate();
}

void TskSkinPasswordEdit::SetSelLength(int Value) {
    Value = std::clamp(Value, -FSelStart, Length() - FSelStart);
    if (Value == FSelLength) return;
    FSelLength = Value;
    Invalidate();
}

void TskSkinPasswordEdit::SelectAll() {
    // The caret at the end, the anchor at the start: Shift with an arrow goes on from there.
    FSelStart = Length();
    FSelLength = -Length();
    SetCaretPosition(Length());
}

void TskSkinPasswordEdit::SelectWord() {
    const int start = GetPrivWordBeging(FCaret);
    const int end = GetNextWordBeging(start);
    FSelStart = end;
    FSelLength = start - end;
    SetCaretPosition(end);
}

// ---- Text changes --------------------------------------------------------------------------

void TskSkinPasswordEdit::SetText(const AnsiString& Value) {
    if (!ValidText(Value)) return;
    AnsiString text = Value;
    if (FCharCase == ecUpperCase)
        text = AnsiUpperCase(text);
    else if (FCharCase == ecLowerCase)
        text = AnsiLowerCase(text);
    if (FMaxLength > 0 && static_cast<int>(text.size()) > FMaxLength)
        text.resize(static_cast<std::size_t>(FMaxLength));
    const bool changed = text != FText;
    FText = text;
    ClampToText();
    Invalidate();
    if (changed) Change();
}

void TskSkinPasswordEdit::Change() {
    TComponentProtector protect(this);
    Changed();
    if (GetEnabled() && HandleAllocated()) SetCaretPosition(FCaret);
    if (OnChange) OnChange(this);
}

void TskSkinPasswordEdit::InsertText(const AnsiString& S) {
    if (FReadOnly) return;
    const int start = GetSelStart();
    AnsiString text = FText;
    text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(GetSelLength()), S);
    FSelLength = 0;
    if (FMaxLength > 0 && static_cast<int>(text.size()) > FMaxLength) {
        Invalidate();
        return;
    }
    TComponentProtector protect(this);
    SetText(text);
    if (!IsDestroying()) SetCaretPosition(start + static_cast<int>(S.size()));
}

void TskSkinPasswordEdit::InsertChar(char C) {
    InsertText(AnsiString(1, C));
}

void TskSkinPasswordEdit::ClearSelection() {
    if (FReadOnly) return;
    const int start = GetSelStart();
    AnsiString text = FText;
    text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(GetSelLength()));
    FSelLength = 0;
    TComponentProtector protect(this);
    SetText(text);
    if (!IsDestroying()) SetCaretPosition(start);
}

void TskSkinPasswordEdit::InsertAfter(int Pos, const AnsiString& S, bool Selected) {
    AnsiString inserted = S;
    if (FMaxLength > 0) inserted.resize(std::min<std::size_t>(inserted.size(), static_cast<std::size_t>(std::max(0, FMaxLength - Length()))));
    Pos = std::clamp(Pos, 0, Length());
    AnsiString text = FText;
    text.insert(static_cast<std::size_t>(Pos), inserted);
    TComponentProtector protect(this);
    SetText(text);
    if (!Selected || IsDestroying()) return;
    // The caret at the inserted text's end, the anchor at its start.
    FSelStart = Pos + static_cast<int>(inserted.size());
    FSelLength = -static_cast<int>(inserted.size());
    SetCaretPosition(FSelStart);
}

void TskSkinPasswordEdit::DeleteFrom(int Pos, int Count, bool Selected) {
    const int start = std::clamp(Pos - 1, 0, Length());
    AnsiString text = FText;
    text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(std::clamp(Count, 0, Length() - start)));
    TComponentProtector protect(this);
    SetText(text);
    if (!Selected || IsDestroying()) return;
    FSelLength = 0;
    SetSelStart(start);
}

void TskSkinPasswordEdit::PasteFromClipboard() {
    if (FReadOnly) return;
    AnsiString text;
    try {
        text = ClipboardText();
    } catch (const EClipboardException&) {
        MessageBeep(0);
        return;
    }
    InsertText(text);
}

void TskSkinPasswordEdit::SetCharCase(TEditCharCase Value) {
    if (FCharCase == Value) return;
    FCharCase = Value;
    if (!FText.empty() && Value != ecNormal) SetText(FText);
}

void TskSkinPasswordEdit::SetHideSelection(bool Value) {
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    Invalidate();
}

void TskSkinPasswordEdit::SetPasswordKind(TskPasswordKind Value) {
    if (FPasswordKind == Value) return;
    FPasswordKind = Value;
    Invalidate();
}

void TskSkinPasswordEdit::SetTextAlignment(TAlignment Value) {
    if (FTextAlignment == Value) return;
    FTextAlignment = Value;
    Invalidate();
}

void TskSkinPasswordEdit::SetCursor(TCursor Value) {
    TControl::SetCursor(Value == crDefault ? crIBeam : Value);
}

// ---- Keys and mouse ------------------------------------------------------------------------

void TskSkinPasswordEdit::KeyDown(Word& Key, TShiftState Shift) {
    TComponentProtector protect(this);
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (IsDestroying() || Key == 0) return;
    const int oldCaret = FCaret;
    const bool ctrl = Shift.Contains(ssCtrl);
    bool moved = false;
    switch (Key) {
    case VK_INSERT:
        if (ExactlyShift(Shift, ssShift)) PasteFromClipboard();
        break;
    case 'V':
    case 118:
        if (ExactlyShift(Shift, ssCtrl)) PasteFromClipboard();
        break;
    case VK_RIGHT:
        FCaret = ctrl ? GetNextWordBeging(FCaret) : std::min(FCaret + 1, Length());
        moved = true;
        break;
    case VK_LEFT:
        FCaret = ctrl ? GetPrivWordBeging(FCaret) : std::max(FCaret - 1, 0);
        moved = true;
        break;
    case VK_HOME:
        FCaret = 0;
        moved = true;
        break;
    case VK_END:
        FCaret = Length();
        moved = true;
        break;
    case VK_BACK:
    case VK_DELETE:
        if (FReadOnly) break;
        if (GetSelLength() > 0) {
            ClearSelection();
        } else if (Key == VK_DELETE && FCaret < Length()) {
            AnsiString text = FText;
            text.erase(static_cast<std::size_t>(FCaret), 1);
            SetText(text);
        } else if (Key == VK_BACK && FCaret > 0) {
            AnsiString text = FText;
            text.erase(static_cast<std::size_t>(FCaret - 1), 1);
            --FCaret;
            SetText(text);
        }
        break;
    default: break;
    }
    if (IsDestroying()) return;
    if (moved) {
        if (Shift.Contains(ssShift)) {
            FSelStart = FCaret;
            FSelLength += oldCaret - FCaret;
        } else {
            FSelLength = 0;
        }
        Invalidate();
    }
    UpdateCaretePosition();
}

void TskSkinPasswordEdit::KeyPress(char& Key) {
    TComponentProtector protect(this);
    TskSkinCustomControl::KeyPress(Key);
    if (IsDestroying()) return;
    if (static_cast<unsigned char>(Key) >= 32 && !FReadOnly) InsertChar(Key);
}

void TskSkinPasswordEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TComponentProtector protect(this);
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (IsDestroying()) return;
    if (Button == mbLeft) FLeftDown = true;
    if (!Focused() && CanFocus()) SetFocus();
    if (IsDestroying() || Button != mbLeft) return;
    FSelLength = 0;
    SetCaretPosition(GetCoordinatePosition(X));
}

void TskSkinPasswordEdit::MouseMove(TShiftState Shift, int X, int Y) {
    TComponentProtector protect(this);
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (IsDestroying() || !FLeftDown) return;
    const int oldCaret = FCaret;
    const int p = GetCoordinatePosition(X);
    FCaret = std::min(X > GetEditRect().Right ? p + 1 : p, Length());
    FSelStart = FCaret;
    FSelLength -= FCaret - oldCaret;
    SetCaretPosition(FCaret);
    Invalidate();
}

void TskSkinPasswordEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FLeftDown = false;
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinPasswordEdit::WMLButtonDblClk(TMessage&) {
    FLeftDown = false;
    SelectWord();
    DblClick();
}

// ---- Messages ------------------------------------------------------------------------------

void TskSkinPasswordEdit::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TskSkinPasswordEdit::UpdateCarete() {
    if (!HandleAllocated()) return;
    GetSkinData();
    const int height = IsSkinned() ? RectHeight(GetEditRect()) : GetHeight() - 4;
    CreateCaret(GetHandle(), nullptr, 0, std::max(height, 1));
    SetCaretPosition(FCaret);
    ShowCaret();
}

void TskSkinPasswordEdit::ShowCaret() {
    if (HandleAllocated()) ::ShowCaret(GetHandle());
}

void TskSkinPasswordEdit::HideCaret() {
    if (HandleAllocated()) ::HideCaret(GetHandle());
}

void TskSkinPasswordEdit::WMSetFocus(TMessage& Message) {
    TComponentProtector protect(this);
    TskSkinCustomControl::Dispatch(Message);
    if (IsDestroying()) return;
    UpdateCarete();
    FSelLength = 0;
    SetCaretPosition(0);
    if (FAutoSelect) SelectAll();
}

void TskSkinPasswordEdit::WMKillFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    DestroyCaret();
    Invalidate();
}

void TskSkinPasswordEdit::WMSetText(TMessage& Message) {
    // The secret stays out of the window's caption, where other programs could read it. A
    // text sent by another program (a password filler) is taken as the program's own.
    const char* text = reinterpret_cast<const char*>(Message.LParam);
    Message.Result = TRUE;
    SetText(text ? text : "");
}

void TskSkinPasswordEdit::WMCopy(TMessage& Message) {
    // Nothing leaves the field.
    Message.Result = 0;
}

void TskSkinPasswordEdit::CMTextChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    FSelLength = 0;
    ClampToText();
    Invalidate();
}

void TskSkinPasswordEdit::CMFontChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (Focused()) UpdateCarete();
}

void TskSkinPasswordEdit::CMEnabledChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (HandleAllocated()) Invalidate();
}

void TskSkinPasswordEdit::CMMouseEnter(TMessage& Message) {
    TskSkinCustomControl::CMMouseEnter(Message);
    FMouseIn = true;
    if (!Focused()) Invalidate();
}

void TskSkinPasswordEdit::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::CMMouseLeave(Message);
    FMouseIn = false;
    if (!Focused()) Invalidate();
}

// ---- Painting ------------------------------------------------------------------------------

void TskSkinPasswordEdit::DrawPasswordChar(const TRect& Cell, bool Selected, TCanvas* Canvas) {
    TColor color;
    if (!GetEnabled())
        color = IsSkinned() ? FDisabledFontColor : clGrayText;
    else if (Selected)
        color = clHighlightText;
    else if (!IsSkinned())
        color = clWindowText;
    else
        color = Hot() ? FActiveFontColor : FFontColor;
    const int inset = 2 - (RectWidth(Cell) - RectHeight(Cell)) / 2;
    const TRect g(Cell.Left + 2, Cell.Top + inset, Cell.Right - 2, Cell.Bottom - inset);
    if (IsNullRect(g)) return;
    Canvas->GetBrush()->SetColor(color);
    Canvas->GetPen()->SetColor(color);
    switch (FPasswordKind) {
    case pkRoundRect:
        Canvas->RoundRect(g.Left, g.Top, g.Right, g.Bottom, RectWidth(g) / 2, RectHeight(g) / 2);
        break;
    case pkRect: Canvas->FillRect(g); break;
    case pkTriangle: {
        const int side = RectWidth(g);
        TRect square(0, 0, side + (side % 2 == 0 ? 1 : 0), side);
        RectToCenter(square, Cell);
        const TPoint points[] = {TPoint(square.Left + side / 2 + 1, square.Top),
                                 TPoint(square.Right, square.Bottom), TPoint(square.Left, square.Bottom)};
        Canvas->Polygon(points);
        break;
    }
    }
}

void TskSkinPasswordEdit::PaintText(TCanvas* Canvas) {
    const TRect edit = GetEditRect();
    const int cw = GetPasswordCharWidth();
    const int x0 = GetCharX(0);
    for (int i = 0; i <= Length() - FFirstVisible; ++i) {
        const int left = x0 + i * cw;
        // Cells past the text area's right edge are not drawn at all.
        if (left >= edit.Right) break;
        DrawPasswordChar(TRect(left, edit.Top, left + cw, edit.Bottom), false, Canvas);
    }
}

void TskSkinPasswordEdit::PaintSelectedText(TCanvas* Canvas) {
    const TRect sel = GetSelRect();
    const int cw = GetPasswordCharWidth();
    const int count = static_cast<int>(GetVisibleSelText().size());
    for (int i = 0; i < count; ++i) {
        const int left = sel.Left + i * cw;
        if (left >= sel.Right) break;
        DrawPasswordChar(TRect(left, sel.Top, left + cw, sel.Bottom), true, Canvas);
    }
}

void TskSkinPasswordEdit::PaintContent(TBitmap* B) {
    TCanvas* canvas = B->GetCanvas();
    const bool selection = ShowsSelection() && GetSelLength() > 0;
    if (selection) {
        canvas->GetBrush()->SetColor(clHighlight);
        canvas->FillRect(GetSelRect());
    }
    // Glyphs stop at the text area: a cut one stays inside it, never on the frame.
    HDC dc = canvas->GetHandle();
    const TRect edit = GetEditRect();
    IntersectClipRect(dc, edit.Left, edit.Top, edit.Right, edit.Bottom);
    PaintText(canvas);
    if (selection) PaintSelectedText(canvas);
    SelectClipRgn(dc, nullptr);
}

void TskSkinPasswordEdit::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->GetCanvas();
    const int w = GetWidth(), h = GetHeight();
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(TRect(0, 0, w, h));
    TRect r(0, 0, w, h);
    const bool hot = Hot();
    Frame3D(c, r, hot ? clBtnShadow : clBtnFace, hot ? clBtnShadow : clBtnFace, 1);
    Frame3D(c, r, hot ? clBtnFace : clBtnShadow, hot ? clBtnFace : clBtnShadow, 1);
    PaintContent(B);
}

void TskSkinPasswordEdit::CreateControlSkinImage(TBitmap* B) {
    // A record of another kind, or one without its picture, gives the plain look.
    if (!IsSkinned() || !Picture) {
        CreateControlDefaultImage(B);
        return;
    }
    const TRect& source = Hot() ? FActiveSkinRect : SkinRect;
    CreateHSkinImage(FLeftPart, FRightPart, B, Picture, source, GetWidth(), RectHeight(source));
    PaintContent(B);
}

REGISTER_CLASS(TskSkinPasswordEdit);

namespace {

void RegisterPasswordEnums() {
    RegisterEnum<TskPasswordKind>({"pkRoundRect", "pkRect", "pkTriangle"});
}

} // namespace

DEFINE_UNIT(SkinBoxCtrls_PasswordEdits, uoSkin + 30, RegisterPasswordEnums, nullptr);
