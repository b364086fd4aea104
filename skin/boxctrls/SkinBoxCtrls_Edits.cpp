#include "skin/boxctrls/SkinBoxCtrls_Edits.h"

#include "skin/controls/SkinCtrls_ButtonCore.h"
#include "skin/data/SkinData_EditControls.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Clipboard.h"

#include <windowsx.h>

#include <algorithm>

namespace {

AnsiString WithoutLineBreaks(const AnsiString& Text) {
    AnsiString result;
    result.reserve(Text.size());
    for (char c : Text)
        if (c != '\r' && c != '\n') result += c;
    return result;
}

bool Inside(const TRect& R, const TPoint& P) {
    return R.Left <= P.X && P.X < R.Right && R.Top <= P.Y && P.Y < R.Bottom;
}

} // namespace

char LocaleDecimalSeparator() {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1)
        return buffer[0];
    return '.';
}

// ---------------------------------------------------------------------------
// TskCustomEdit

TskCustomEdit::TskCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetControlStyle(GetControlStyle() << csOpaque);
}

void TskCustomEdit::Published(TPropertyList& P) {
    P.Add("ReadOnly", &TskCustomEdit::GetReadOnly, &TskCustomEdit::SetReadOnly, false);
}

void TskCustomEdit::SetEditTransparent(bool Value) {
    FEditTransparent = Value;
    RecreateWnd();
}

void TskCustomEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (FEditTransparent) Params.ExStyle |= WS_EX_TRANSPARENT;
    Params.Style |= GetPasswordChar() == '\0' ? ES_MULTILINE : ES_PASSWORD;
}

void TskCustomEdit::Invalidate() {
    if (!FEditTransparent || !GetParent() || !HandleAllocated() || !GetParent()->HandleAllocated()) {
        TCustomMaskEdit::Invalidate();
        return;
    }
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TskCustomEdit::InvalidateTransparent() {
    if (FEditTransparent && HandleAllocated()) Invalidate();
}

void TskCustomEdit::Change() {
    TCustomMaskEdit::Change();
    InvalidateTransparent();
}

AnsiString TskCustomEdit::PasteText(const AnsiString& Text) {
    return WithoutLineBreaks(Text);
}

void TskCustomEdit::WMSetFont(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    SendMessageA(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 0));
}

void TskCustomEdit::CNCtlColor(TMessage& Message) {
    if (!FEditTransparent) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
    Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void TskCustomEdit::WMEraseBkgnd(TMessage& Message) {
    if (!FEditTransparent || !Message.WParam) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    PaintBackground(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

TPoint TskCustomEdit::ClientOffset() {
    POINT client{0, 0};
    ::ClientToScreen(GetHandle(), &client);
    RECT window;
    GetWindowRect(GetHandle(), &window);
    return TPoint(client.x - window.left, client.y - window.top);
}

void TskCustomEdit::PaintBackground(HDC DC) {
    if (!GetParent() || !GetParent()->HandleAllocated() || GetWidth() < 1 || GetHeight() < 1)
        return;
    // The parent's picture under the part of the client area that DC shows.
    const TPoint origin = ClientOffset();
    TRect part = PaintedPart(DC, GetClientWidth(), GetClientHeight());
    if (IsNullRect(part)) return;
    part = TRect(part.Left + origin.X, part.Top + origin.Y, part.Right + origin.X,
                 part.Bottom + origin.Y);
    TBitmapPart under(part, GetWidth(), GetHeight());
    GetParentImage(this, under.GetCanvas());
    BitBlt(DC, part.Left - origin.X, part.Top - origin.Y, part.Width(), part.Height(),
           under.GetCanvas()->GetHandle(), part.Left, part.Top, SRCCOPY);
}

void TskCustomEdit::WMGetDlgCode(TMessage& Message) {
    // The EDIT is multi-line only to place its text; to the user it is one line, so Return,
    // Esc and Tab belong to the form (default and cancel buttons, focus). The key message is
    // kept from the EDIT: with it the EDIT would switch to dialog mode, claim every key and
    // answer Esc by closing its parent window.
    Message.LParam = 0;
    TCustomMaskEdit::Dispatch(Message);
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

void TskCustomEdit::WMChar(TMessage& Message) {
    // The EDIT is multi-line: a line break typed (Enter, Ctrl+Enter) would split the text.
    // Enter has reached OnKeyPress already.
    if (Message.WParam == '\r' || Message.WParam == '\n') return;
    if (Message.WParam == VK_ESCAPE || !FReadOnly) TCustomMaskEdit::Dispatch(Message);
}

void TskCustomEdit::WMKeyDown(TMessage& Message) {
    if (FReadOnly && Message.WParam == VK_DELETE) return;
    TCustomMaskEdit::Dispatch(Message);
    InvalidateTransparent();
}

void TskCustomEdit::WMPaste(TMessage&) {
    if (FReadOnly) return;
    AnsiString text;
    try {
        text = Clipboard()->GetAsText();
    } catch (const EClipboardException&) {
        MessageBeep(0);
        return;
    }
    text = PasteText(text);
    if (!text.empty()) SetSelText(text);
    InvalidateTransparent();
}

void TskCustomEdit::WMEditCommand(TMessage& Message) {
    if (FReadOnly) return;
    TCustomMaskEdit::Dispatch(Message);
    InvalidateTransparent();
}

void TskCustomEdit::WMRepainting(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    InvalidateTransparent();
}

void TskCustomEdit::WMLButtonDown(TMessage& Message) {
    FMouseDown = true;
    TCustomMaskEdit::Dispatch(Message);
    InvalidateTransparent();
}

void TskCustomEdit::WMLButtonUp(TMessage& Message) {
    FMouseDown = false;
    TCustomMaskEdit::Dispatch(Message);
}

void TskCustomEdit::WMMouseMove(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    if (FMouseDown) InvalidateTransparent();
}

void TskCustomEdit::CMCancelMode(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    if (OnEditCancelMode) OnEditCancelMode(this, reinterpret_cast<TControl*>(Message.LParam));
}

// ---------------------------------------------------------------------------
// TskSkinNumEdit

void TskSkinNumEdit::Published(TPropertyList& P) {
    P.Add("EditorEnabled", &TskSkinNumEdit::GetEditorEnabled, &TskSkinNumEdit::SetEditorEnabled,
          true);
    P.Add("Float", &TskSkinNumEdit::GetFloat, &TskSkinNumEdit::SetFloat, false);
    P.Add("OnUpClick", &TskSkinNumEdit::OnUpClick);
    P.Add("OnDownClick", &TskSkinNumEdit::OnDownClick);
}

bool TskSkinNumEdit::IsValidIn(char Key, const AnsiString& Text) const {
    const char separator = LocaleDecimalSeparator();
    const auto code = static_cast<unsigned char>(Key);
    const bool inSet = Key == '-' || (Key >= '0' && Key <= '9') || (Float && Key == separator);
    bool valid = inSet || (code < 32 && Key != '\r');
    if (!EditorEnabled && valid && (code >= 32 || Key == '\b')) valid = false;
    if (valid && Float && Key == separator && Text.find(separator) != AnsiString::npos)
        valid = false;
    return valid;
}

bool TskSkinNumEdit::IsValidChar(char Key) {
    return IsValidIn(Key, GetText());
}

void TskSkinNumEdit::KeyPress(char& Key) {
    // Enter is reported, never typed, in every edit of the family.
    if (Key != '\r' && !IsValidChar(Key)) {
        Key = '\0';
        MessageBeep(0);
    }
    if (Key != '\0') TskCustomEdit::KeyPress(Key);
}

void TskSkinNumEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_UP || Key == VK_DOWN) {
        const Word key = Key;
        Key = 0;
        if (key == VK_UP && OnUpClick) OnUpClick(this);
        if (key == VK_DOWN && OnDownClick) OnDownClick(this);
        return;
    }
    TskCustomEdit::KeyDown(Key, Shift);
}

AnsiString TskSkinNumEdit::PasteText(const AnsiString& Text) {
    // The text as it will be around the pasted part: the selection goes.
    AnsiString around = GetText();
    const auto start = std::min<std::size_t>(static_cast<std::size_t>(GetSelStart()), around.size());
    around.erase(start, static_cast<std::size_t>(GetSelLength()));
    AnsiString accepted;
    bool refused = false;
    for (char c : TskCustomEdit::PasteText(Text)) {
        if (static_cast<unsigned char>(c) >= 32 && IsValidIn(c, around + accepted))
            accepted += c;
        else
            refused = true;
    }
    if (refused) MessageBeep(0);
    return accepted;
}

void TskSkinNumEdit::WMMouseWheel(TMessage& Message) {
    if (GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0) {
        if (OnDownClick) OnDownClick(this);
    } else if (OnUpClick) {
        OnUpClick(this);
    }
}

// ---------------------------------------------------------------------------
// TskSkinCustomEdit

TskSkinCustomEdit::TskSkinCustomEdit(TComponent* AOwner)
    : TskCustomEdit(AOwner), FDefaultFont(std::make_unique<TFont>()) {
    FSkinDataName = "edit";
    FAlphaBlendValue = 0;
    SetAutoSize(false);
    TFont* font = GetFont();
    font->SetName("Arial");
    font->SetColor(clWindowText);
    font->SetStyle(TFontStyles());
    font->SetHeight(14);
    FDefaultFont->Assign(font);
    FDefaultFont->OnChange = TNotifyEvent(this, &TskSkinCustomEdit::DefaultFontChanged);
    SetHeight(20);
    SetBorderStyle(bsNone);
    SetEditTransparent(true);
    SetControlStyle(GetControlStyle() << csOpaque);
}

TskSkinCustomEdit::~TskSkinCustomEdit() = default;

void TskSkinCustomEdit::Published(TPropertyList& P) {
    // The constructor's values are the stored defaults, so that every other value survives.
    PublishSkinClient<TskSkinCustomEdit>(P, 0);
    P.Add("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, bsNone);
    P.Add("ButtonMode", &TskSkinCustomEdit::GetButtonMode, &TskSkinCustomEdit::SetButtonMode,
          false);
    P.Add("Alignment", &TskSkinCustomEdit::GetAlignment, &TskSkinCustomEdit::SetAlignment,
          taLeftJustify);
    P.Add("DefaultFont", &TskSkinCustomEdit::GetDefaultFont);
    P.Add("UseSkinFont", &TskSkinCustomEdit::GetUseSkinFont, &TskSkinCustomEdit::SetUseSkinFont,
          true);
    P.Add("DefaultWidth", &TskSkinCustomEdit::GetDefaultWidth,
          &TskSkinCustomEdit::SetDefaultWidth, 0);
    P.Add("DefaultHeight", &TskSkinCustomEdit::GetDefaultHeight,
          &TskSkinCustomEdit::SetDefaultHeight, 20);
    P.Add("OnButtonClick", &TskSkinCustomEdit::OnButtonClick);
}

void TskSkinCustomEdit::CreateParams(TCreateParams& Params) {
    TskCustomEdit::CreateParams(Params);
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_TRANSPARENT);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style |= kAlignments[FAlignment];
}

void TskSkinCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TskCustomEdit::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
}

void TskSkinCustomEdit::GetSkinData() {
    TskSkinClient::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinEditControl*>(GetSkinRecord());
    FHasEditRecord = record != nullptr;
    if (!record) {
        FPicture = nullptr;
        return;
    }
    const int pictures = static_cast<int>(FSD->ActivePictures.size());
    FPicture = record->PictureIndex >= 0 && record->PictureIndex < pictures
                   ? FSD->ActivePictures[static_cast<std::size_t>(record->PictureIndex)].get()
                   : nullptr;
    FSkinRect = record->SkinRect;
    FClRect = record->ClRect;
    FLOffset = record->LTPoint.X;
    FRTPointX = record->RTPoint.X;
    FROffset = RectWidth(FSkinRect) - record->RTPoint.X;
    FActiveSkinRect = IsNullRect(record->ActiveSkinRect) ? FSkinRect : record->ActiveSkinRect;
    FFontName = record->FontName;
    FFontStyle = record->FontStyle;
    FFontHeight = record->FontHeight;
    FFontColor = record->FontColor;
    FDisabledFontColor = record->DisabledFontColor;
    FActiveFontColor = record->ActiveFontColor;
    FSkinButtonRect = record->ButtonRect;
    FActiveButtonRect = record->ActiveButtonRect;
    FDownButtonRect = IsNullRect(record->DownButtonRect) ? FActiveButtonRect : record->DownButtonRect;
    FUnEnabledButtonRect = record->UnEnabledButtonRect;
}

bool TskSkinCustomEdit::Hot() const {
    return FMouseIn || Focused();
}

void TskSkinCustomEdit::SetStateFontColor(TColor Color) {
    if (IsSkinned()) GetFont()->SetColor(Color);
}

void TskSkinCustomEdit::EnabledFontColor() {
    if (GetEnabled())
        GetFont()->SetColor(IsSkinned() ? FFontColor : FDefaultFont->GetColor());
    else
        GetFont()->SetColor(IsSkinned() ? FDisabledFontColor : clGrayText);
}

void TskSkinCustomEdit::ChangeSkinData() {
    GetSkinData();
    if (!IsSkinned()) {
        GetFont()->Assign(FDefaultFont.get());
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else {
        if (FUseSkinFont) {
            TFont* font = GetFont();
            font->SetName(FFontName);
            font->SetStyle(FFontStyle);
            font->SetHeight(FFontHeight);
            font->SetCharset(FDefaultFont->GetCharset());
        } else {
            GetFont()->Assign(FDefaultFont.get());
        }
        if (RectHeight(FSkinRect) > 0) SetHeight(RectHeight(FSkinRect));
        GetFont()->SetColor(Focused() ? FActiveFontColor : FFontColor);
    }
    RecreateWnd();
    EnabledFontColor();
}

void TskSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    if (IsSkinned() && RectHeight(FSkinRect) > 0 &&
        (AWidth != GetWidth() || AHeight != GetHeight()))
        AHeight = RectHeight(FSkinRect);
    TskCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
}

void TskSkinCustomEdit::Invalidate() {
    if (GetParent() && HandleAllocated())
        RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    else
        TskCustomEdit::Invalidate();
}

void TskSkinCustomEdit::SetButtonMode(bool Value) {
    FButtonMode = Value;
    RecreateWnd();
    if (IsDesigning() && !IsLoading()) FSkinDataName = Value ? "buttonedit" : "edit";
}

void TskSkinCustomEdit::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    RecreateWnd();
}

void TskSkinCustomEdit::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (!IsSkinned() && Value >= 1) SetWidth(Value);
}

void TskSkinCustomEdit::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (!IsSkinned() && Value >= 1) SetHeight(Value);
}

void TskSkinCustomEdit::SetDefaultFont(TFont* Value) {
    FDefaultFont->Assign(Value);
}

void TskSkinCustomEdit::DefaultFontChanged(TObject*) {
    if (!IsSkinned()) GetFont()->Assign(FDefaultFont.get());
}

void TskSkinCustomEdit::SetAlphaBlend(bool Value) {
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    Invalidate();
}

void TskSkinCustomEdit::SetAlphaBlendValue(Byte Value) {
    FAlphaBlendValue = Value;
    if (FAlphaBlend) Invalidate();
}

void TskSkinCustomEdit::CalcRects() {
    const int w = GetWidth();
    const int h = GetHeight();
    if (IsSkinned()) {
        const int dW = w - RectWidth(FSkinRect);
        FEditRect = TRect(FClRect.Left, FClRect.Top, FClRect.Right + dW, FClRect.Bottom);
        FButtonRect = FSkinButtonRect;
        // A button in the stretched middle stays where the skin puts it.
        if (FRTPointX <= FButtonRect.Left) {
            FButtonRect.Left += dW;
            FButtonRect.Right += dW;
        }
    } else {
        FButtonRect = TRect(w - 20, 0, w, h);
        FEditRect = TRect(2, 2, w - 22, h - 2);
    }
}

void TskSkinCustomEdit::WMNCCalcSize(TMessage& Message) {
    GetSkinData();
    AnswerFrameInsets(Message, IsSkinned() ? SkinClientInsets(FSkinRect, FClRect)
                                           : TRect(2, 2, HasButton() ? 22 : 2, 2));
}

void TskSkinCustomEdit::PaintDefault(TBitmap* B) {
    TCanvas* c = B->GetCanvas();
    const int w = GetWidth();
    const int h = GetHeight();
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(TRect(0, 0, w, h));
    TRect r(0, 0, HasButton() ? FButtonRect.Left : w, h);
    const bool hot = Hot();
    Frame3D(c, r, hot ? clBtnShadow : clBtnFace, hot ? clBtnShadow : clBtnFace, 1);
    Frame3D(c, r, hot ? clBtnFace : clBtnShadow, hot ? clBtnFace : clBtnShadow, 1);
    if (HasButton()) DrawDefaultButtonFace(c, FButtonRect, FButtonDown && FButtonHot, FButtonHot);
}

void TskSkinCustomEdit::PaintSkin(TBitmap* B) {
    const TRect& source = Hot() ? FActiveSkinRect : FSkinRect;
    CreateHSkinImage(FLOffset, FROffset, B, FPicture, source, GetWidth(), RectHeight(source));
    if (!HasButton()) return;
    const TRect* button = nullptr;
    if (!GetEnabled() && !IsNullRect(FUnEnabledButtonRect))
        button = &FUnEnabledButtonRect;
    else if (FButtonDown && FButtonHot)
        button = &FDownButtonRect;
    else if (FButtonHot)
        button = &FActiveButtonRect;
    if (button && !IsNullRect(*button) && !IsNullRect(FButtonRect))
        B->GetCanvas()->CopyRect(FButtonRect, FPicture->GetCanvas(), *button);
}

void TskSkinCustomEdit::PaintWhole(HDC DC) {
    GetSkinData();
    CalcRects();
    const TRect part = PaintedPart(DC, GetWidth(), GetHeight());
    if (IsNullRect(part)) return;
    TBitmapPart image(part, GetWidth(), GetHeight());
    // A record whose picture is missing paints the plain look rather than nothing.
    if (IsSkinned() && FPicture)
        PaintSkin(&image);
    else
        PaintDefault(&image);
    TCanvas canvas;
    canvas.SetHandle(DC);
    DrawBlended(&canvas, &image);
    canvas.SetHandle(nullptr);
}

void TskSkinCustomEdit::WMNCPaint(TMessage& Message) {
    Message.Result = 0;
    if (!HandleAllocated() || GetWidth() < 1 || GetHeight() < 1) return;
    HDC dc = GetWindowDC(GetHandle());
    PaintWhole(dc);
    ReleaseDC(GetHandle(), dc);
}

void TskSkinCustomEdit::PaintBackground(HDC DC) {
    if (GetWidth() < 1 || GetHeight() < 1) return;
    const TPoint origin = ClientOffset();
    const int saved = SaveDC(DC);
    OffsetWindowOrgEx(DC, origin.X, origin.Y, nullptr);
    PaintWhole(DC);
    RestoreDC(DC, saved);
}

LRESULT TskSkinCustomEdit::HitCode(int ScreenX, int ScreenY) {
    TPoint p = ScreenToClient(TPoint(ScreenX, ScreenY));
    GetSkinData();
    if (IsSkinned()) {
        p.X += FClRect.Left;
        p.Y += FClRect.Top;
    } else {
        p.X += 2;
        p.Y += 2;
    }
    CalcRects();
    if (Inside(FButtonRect, p)) return HTEDITBUTTON;
    if (Inside(FEditRect, p)) return 0;
    return HTEDITFRAME;
}

void TskSkinCustomEdit::WMNCHitTest(TMessage& Message) {
    if (!HasButton()) {
        TskCustomEdit::Dispatch(Message);
        return;
    }
    const LRESULT code = HitCode(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    if (code == 0)
        TskCustomEdit::Dispatch(Message);
    else
        Message.Result = code;
}

void TskSkinCustomEdit::WMNCLButtonDown(TMessage& Message) {
    if (!HasButton()) {
        TskCustomEdit::Dispatch(Message);
        return;
    }
    // A press on the frame is no scroll bar's: the system would track one.
    if (static_cast<LRESULT>(Message.WParam) == HTEDITFRAME) return;
    if (static_cast<LRESULT>(Message.WParam) != HTEDITBUTTON) {
        TskCustomEdit::Dispatch(Message);
        return;
    }
    FButtonDown = true;
    Invalidate();
}

void TskSkinCustomEdit::WMNCLButtonUp(TMessage& Message) {
    if (!HasButton() || static_cast<LRESULT>(Message.WParam) != HTEDITBUTTON) {
        TskCustomEdit::Dispatch(Message);
        return;
    }
    FButtonDown = false;
    Invalidate();
    if (!Focused() && CanFocus()) SetFocus();
    ButtonClick();
}

void TskSkinCustomEdit::ButtonClick() {
    if (OnButtonClick) OnButtonClick(this);
}

void TskSkinCustomEdit::WMNCMouseMove(TMessage& Message) {
    if (HasButton() && static_cast<LRESULT>(Message.WParam) == HTEDITBUTTON) {
        if (!FTrackingNC) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, GetHandle(),
                                  0};
            FTrackingNC = TrackMouseEvent(&track) != FALSE;
        }
        if (!FButtonHot) {
            FButtonHot = true;
            Invalidate();
        }
        return;
    }
    if (FButtonHot) {
        FButtonHot = false;
        Invalidate();
    }
    TskCustomEdit::Dispatch(Message);
}

void TskSkinCustomEdit::WMNCMouseLeave(TMessage& Message) {
    FTrackingNC = false;
    if (FButtonHot || FButtonDown) {
        FButtonHot = false;
        FButtonDown = false;
        Invalidate();
    }
    TskCustomEdit::Dispatch(Message);
}

void TskSkinCustomEdit::WMMouseMove(TMessage& Message) {
    if (FButtonHot) {
        FButtonHot = false;
        Invalidate();
    }
    TskCustomEdit::Dispatch(Message);
}

void TskSkinCustomEdit::WMSetFocus(TMessage& Message) {
    if (!FMouseIn) SetStateFontColor(FActiveFontColor);
    TskCustomEdit::Dispatch(Message);
}

void TskSkinCustomEdit::WMKillFocus(TMessage& Message) {
    if (!FMouseIn) SetStateFontColor(FFontColor);
    TskCustomEdit::Dispatch(Message);
}

void TskSkinCustomEdit::CMMouseEnter(TMessage& Message) {
    TskCustomEdit::Dispatch(Message);
    FMouseIn = true;
    if (!Focused()) {
        SetStateFontColor(FActiveFontColor);
        Invalidate();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TskSkinCustomEdit::CMMouseLeave(TMessage& Message) {
    TskCustomEdit::Dispatch(Message);
    FMouseIn = false;
    if (!Focused()) {
        SetStateFontColor(FFontColor);
        Invalidate();
    }
    if (FButtonDown || FButtonHot) {
        FButtonDown = false;
        FButtonHot = false;
        Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TskSkinCustomEdit::CMEnabledChanged(TMessage& Message) {
    TskCustomEdit::Dispatch(Message);
    EnabledFontColor();
    Invalidate();
}

// ---------------------------------------------------------------------------

void TskSkinMaskEdit::Published(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("AutoSize", Own<TskSkinMaskEdit>(&TControl::GetAutoSize),
          Own<TskSkinMaskEdit>(&TControl::SetAutoSize), false);
}

REGISTER_CLASS(TskSkinNumEdit);
REGISTER_CLASS(TskSkinEdit);
REGISTER_CLASS(TskSkinMaskEdit);

DEFINE_UNIT(SkinBoxCtrls_Edits, uoSkin + 30, nullptr, nullptr);
