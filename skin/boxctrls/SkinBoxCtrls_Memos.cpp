#include "skin/boxctrls/SkinBoxCtrls_Memos.h"

#include "skin/data/SkinData_EditControls.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// The messages after which the EDIT may have scrolled or changed its lines.
bool MovesText(UINT Msg) {
    switch (Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_SIZE:
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED: return true;
    default: return false;
    }
}

// The messages that change the text, which a read-only memo drops.
bool EditsText(const TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO: return true;
    case WM_KEYDOWN: return Message.WParam == VK_DELETE;
    default: return false;
    }
}

// The messages after which transparent text needs the picture under it again.
bool RepaintsTransparentText(UINT Msg) {
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case WM_VSCROLL:
    case WM_HSCROLL: return true;
    default: return false;
    }
}

void PublishMemoProperties(TPropertyList& P) {
    using C = TskCustomSkinMemo;
    using skinctrls_detail::Own;
    PublishSkinClient<C>(P, 0);
    P.Add("DefaultFont", &C::GetDefaultFont);
    P.Add("UseSkinFont", &C::GetUseSkinFont, &C::SetUseSkinFont, true);
    P.Add("VScrollBar", &C::GetVScrollBar, &C::SetVScrollBar);
    P.Add("AutoSize", Own<C>(&TControl::GetAutoSize), Own<C>(&TControl::SetAutoSize), false);
}

} // namespace

// ---- TskCustomSkinMemo -----------------------------------------------------------------

TskCustomSkinMemo::TskCustomSkinMemo(TComponent* AOwner)
    : TMemo(AOwner), FDefaultFont(std::make_unique<TFont>()) {
    FSkinDataName = "memo";
    FAlphaBlendValue = 0;
    SetAutoSize(false);
    TFont* font = GetFont();
    font->SetName("Arial");
    font->SetHeight(14);
    FDefaultFont->Assign(font);
    FDefaultFont->OnChange = TNotifyEvent(this, &TskCustomSkinMemo::DefaultFontChanged);
}

TskCustomSkinMemo::~TskCustomSkinMemo() = default;

void TskCustomSkinMemo::Notification(TComponent* AComponent, TOperation Operation) {
    TMemo::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FVScrollBar) FVScrollBar = nullptr;
}

void TskCustomSkinMemo::GetSkinData() {
    TskSkinClient::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinMemoControl*>(GetSkinRecord());
    FHasMemoRecord = record != nullptr;
    if (!record) {
        FPicture = nullptr;
        return;
    }
    FPicture = SkinPicture(FSD, record->PictureIndex);
    FSkinRect = record->SkinRect;
    FActiveSkinRect = IsNullRect(record->ActiveSkinRect) ? FSkinRect : record->ActiveSkinRect;
    FClRect = record->ClRect;
    FLTPoint = record->LTPoint;
    FRTPoint = record->RTPoint;
    FLBPoint = record->LBPoint;
    FRBPoint = record->RBPoint;
    FFontName = record->FontName;
    FFontStyle = record->FontStyle;
    FFontHeight = record->FontHeight;
    FFontColor = record->FontColor;
    FActiveFontColor = record->ActiveFontColor;
    FBGColor = record->BGColor;
    FActiveBGColor = record->ActiveBGColor;
}

void TskCustomSkinMemo::ChangeSkinData() {
    GetSkinData();
    TFont* font = GetFont();
    if (!IsSkinned()) {
        font->Assign(FDefaultFont.get());
    } else {
        if (FUseSkinFont) {
            font->SetName(FFontName);
            font->SetStyle(FFontStyle);
            font->SetHeight(FFontHeight);
            font->SetCharset(FDefaultFont->GetCharset());
        } else {
            font->Assign(FDefaultFont.get());
        }
        font->SetColor(Focused() ? FActiveFontColor : FFontColor);
        SetColor(FBGColor);
    }
    UpDateScrollRange();
    // The bar may sit where the skin's size rules put it.
    if (FVScrollBar) FVScrollBar->SetAlign(FVScrollBar->GetAlign());
}

void TskCustomSkinMemo::SetDefaultFont(TFont* Value) {
    FDefaultFont->Assign(Value);
}

void TskCustomSkinMemo::DefaultFontChanged(TObject*) {
    if (!IsSkinned()) GetFont()->Assign(FDefaultFont.get());
}

void TskCustomSkinMemo::SetVScrollBar(TskSkinScrollBar* Value) {
    LinkBar(FVScrollBar, Value);
    if (Value) UpDateScrollRange();
}

void TskCustomSkinMemo::LinkBar(TskSkinScrollBar*& Link, TskSkinScrollBar* Bar) {
    SetReference(this, Link, Bar);
    if (!Bar) return;
    Bar->SetRange(0, 0, 0, 0);
    Bar->OnChange = TNotifyEvent(this, &TskCustomSkinMemo::BarChange);
}

void TskCustomSkinMemo::BarChange(TObject* Sender) {
    // The bar is set from the text while it follows it: that is no request to scroll.
    if (FUpdatingBars || !HandleAllocated()) return;
    ScrollToBar(static_cast<TskSkinScrollBar*>(Sender));
    Invalidate();
}

void TskCustomSkinMemo::ScrollToBar(TskSkinScrollBar* Bar) {
    const UINT msg = Bar == FVScrollBar ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(GetHandle(), msg, MAKEWPARAM(SB_THUMBPOSITION, Bar->GetPosition()), 0);
}

int TskCustomSkinMemo::VisibleLines() {
    HDC screen = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(screen);
    canvas.GetFont()->Assign(GetFont());
    const int h = canvas.TextHeight("Wq");
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, screen);
    return h > 0 ? std::max(1, GetClientHeight() / h) : 1;
}

void TskCustomSkinMemo::Change() {
    TComponentProtector protect(this);
    TMemo::Change();
    if (!IsDestroying()) UpDateScrollRange();
}

void TskCustomSkinMemo::WndProc(TMessage& Message) {
    const UINT msg = Message.Msg;
    if (msg == WM_LBUTTONDOWN) FLeftDown = true;
    TComponentProtector protect(this);
    TMemo::WndProc(Message);
    if (IsDestroying() || !HandleAllocated()) return;
    bool follow = MovesText(msg);
    if (msg == WM_LBUTTONUP && FLeftDown) {
        FLeftDown = false;
        follow = true;
    }
    if (msg == WM_MOUSEMOVE && FLeftDown && (Message.WParam & MK_LBUTTON)) follow = true;
    if (follow) UpDateScrollRange();
}

void TskCustomSkinMemo::WMMouseWheel(TMessage& Message) {
    const int code = GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0 ? SB_LINEUP : SB_LINEDOWN;
    SendMessageA(GetHandle(), WM_VSCROLL, code, 0);
    Message.Result = 0;
}

bool TskCustomSkinMemo::Hot() const {
    return FMouseIn || Focused();
}

void TskCustomSkinMemo::ApplyStateColors(bool HotState) {
    if (!IsSkinned()) return;
    GetFont()->SetColor(HotState ? FActiveFontColor : FFontColor);
    SetColor(HotState ? FActiveBGColor : FBGColor);
}

void TskCustomSkinMemo::WMSetFocus(TMessage& Message) {
    TMemo::Dispatch(Message);
    if (!FMouseIn) ApplyStateColors(true);
}

void TskCustomSkinMemo::WMKillFocus(TMessage& Message) {
    TMemo::Dispatch(Message);
    if (!FMouseIn) ApplyStateColors(false);
}

void TskCustomSkinMemo::CMMouseEnter(TMessage& Message) {
    TMemo::Dispatch(Message);
    FMouseIn = true;
    if (!Focused()) ApplyStateColors(true);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TskCustomSkinMemo::CMMouseLeave(TMessage& Message) {
    TMemo::Dispatch(Message);
    FMouseIn = false;
    if (!Focused()) ApplyStateColors(false);
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---- TskSkinMemo ---------------------------------------------------------------------------

TskSkinMemo::TskSkinMemo(TComponent* AOwner) : TskCustomSkinMemo(AOwner) {}

void TskSkinMemo::Published(TPropertyList& P) {
    using C = TskSkinMemo;
    using skinctrls_detail::Own;
    PublishMemoProperties(P);
    P.Add("BitMapBG", &C::GetBitMapBG, &C::SetBitMapBG, false);
    P.Add("Transparent", Own<C>(&C::GetAlphaBlend), Own<C>(&C::SetAlphaBlend), false);
    P.Add("ReadOnly", &C::GetReadOnly, &C::SetReadOnly, false);
}

void TskSkinMemo::CreateParams(TCreateParams& Params) {
    TskCustomSkinMemo::CreateParams(Params);
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.Style |= ES_MULTILINE;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinMemo::WndProc(TMessage& Message) {
    if (FReadOnly && EditsText(Message)) return;
    const UINT msg = Message.Msg;
    TComponentProtector protect(this);
    TskCustomSkinMemo::WndProc(Message);
    if (IsDestroying()) return;
    if (FBitMapBG && RepaintsTransparentText(msg)) Invalidate();
}

void TskSkinMemo::ScrollToBar(TskSkinScrollBar* Bar) {
    // The EDIT takes a thumb position as a line only with a scroll bar style of its own, which
    // would claim the frame's right edge for an invisible bar: it scrolls by lines instead.
    const int first = static_cast<int>(SendMessageA(GetHandle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageA(GetHandle(), EM_LINESCROLL, 0, Bar->GetPosition() - first);
}

void TskSkinMemo::UpDateScrollRange() {
    if (!FVScrollBar || !HandleAllocated()) return;
    TFlagGuard updating(FUpdatingBars);
    HWND wnd = GetHandle();
    const int lines = static_cast<int>(SendMessageA(wnd, EM_GETLINECOUNT, 0, 0));
    const int first = static_cast<int>(SendMessageA(wnd, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int visible = VisibleLines();
    if (visible >= lines) {
        FVScrollBar->SetRange(0, 0, 0, 0);
        if (FVScrollBar->GetEnabled()) FVScrollBar->SetEnabled(false);
    } else {
        FVScrollBar->SetRange(0, lines, first, visible + 1);
        if (!FVScrollBar->GetEnabled()) FVScrollBar->SetEnabled(true);
    }
}

void TskSkinMemo::ChangeSkinData() {
    TskCustomSkinMemo::ChangeSkinData();
    FrameChanged();
    EnabledFontColor();
}

void TskSkinMemo::FrameChanged() {
    if (!HandleAllocated()) return;
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

void TskSkinMemo::Invalidate() {
    if (!GetParent() || !HandleAllocated()) {
        TskCustomSkinMemo::Invalidate();
        return;
    }
    UINT flags = RDW_INVALIDATE | RDW_FRAME;
    if (FBitMapBG) flags |= RDW_ERASE;
    RedrawWindow(GetHandle(), nullptr, nullptr, flags);
}

void TskSkinMemo::SetBitMapBG(bool Value) {
    if (FBitMapBG == Value) return;
    FBitMapBG = Value;
    if (IsSkinned()) SetColor(Hot() ? FActiveBGColor : FBGColor);
    FrameChanged();
}

void TskSkinMemo::SetAlphaBlend(bool Value) {
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    Invalidate();
}

void TskSkinMemo::SetAlphaBlendValue(Byte Value) {
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    if (FAlphaBlend) Invalidate();
}

void TskSkinMemo::ApplyStateColors(bool HotState) {
    if (IsSkinned()) {
        GetFont()->SetColor(HotState ? FActiveFontColor : FFontColor);
        if (!FBitMapBG) SetColor(HotState ? FActiveBGColor : FBGColor);
    }
    // The frame shows the hot look too, with or without a record.
    Invalidate();
}

void TskSkinMemo::EnabledFontColor() {
    if (GetEnabled())
        GetFont()->SetColor(IsSkinned() ? FFontColor : GetDefaultFont()->GetColor());
    else
        GetFont()->SetColor(clGrayText);
}

void TskSkinMemo::CMEnabledChanged(TMessage& Message) {
    TskCustomSkinMemo::Dispatch(Message);
    EnabledFontColor();
    Invalidate();
}

TRect TskSkinMemo::Insets() {
    GetSkinData();
    return IsSkinned() ? SkinClientInsets(FSkinRect, FClRect) : TRect(2, 2, 2, 2);
}

void TskSkinMemo::WMNCCalcSize(TMessage& Message) {
    AnswerFrameInsets(Message, Insets());
}

void TskSkinMemo::DrawLook(TBitmap* Image) {
    const int w = GetWidth(), h = GetHeight();
    const bool hot = Hot();
    if (IsSkinned() && FPicture) {
        const int dW = w - RectWidth(FSkinRect), dH = h - RectHeight(FSkinRect);
        const TSkinGeometry skin{FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
        const TSkinGeometry sized{FLTPoint, TPoint(FRTPoint.X + dW, FRTPoint.Y),
                                  TPoint(FLBPoint.X, FLBPoint.Y + dH),
                                  TPoint(FRBPoint.X + dW, FRBPoint.Y + dH),
                                  TRect(FClRect.Left, FClRect.Top, FClRect.Right + dW,
                                        FClRect.Bottom + dH)};
        CreateSkinImage(skin, sized, Image, FPicture, hot ? FActiveSkinRect : FSkinRect, w, h,
                        FBitMapBG);
        return;
    }
    TCanvas* c = Image->GetCanvas();
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(TRect(0, 0, w, h));
    TRect r(0, 0, w, h);
    Frame3D(c, r, hot ? clBtnShadow : clBtnFace, hot ? clBtnShadow : clBtnFace, 1);
    Frame3D(c, r, hot ? clBtnFace : clBtnShadow, hot ? clBtnFace : clBtnShadow, 1);
}

void TskSkinMemo::PaintLook(HDC DC) {
    const int w = GetWidth(), h = GetHeight();
    if (w < 1 || h < 1) return;
    GetSkinData();
    const TRect part = PaintedPart(DC, w, h);
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    DrawLook(&image);
    TCanvas canvas;
    canvas.SetHandle(DC);
    DrawBlended(&canvas, &image);
    canvas.SetHandle(nullptr);
}

void TskSkinMemo::WMNCPaint(TMessage& Message) {
    Message.Result = 0;
    if (!HandleAllocated()) return;
    HDC dc = GetWindowDC(GetHandle());
    // The text area is the EDIT's: painting it here would flash under the text.
    const TRect inset = Insets();
    ExcludeClipRect(dc, inset.Left, inset.Top, GetWidth() - inset.Right, GetHeight() - inset.Bottom);
    PaintLook(dc);
    ReleaseDC(GetHandle(), dc);
}

void TskSkinMemo::WMEraseBkgnd(TMessage& Message) {
    if (!FBitMapBG || !Message.WParam) {
        TskCustomSkinMemo::Dispatch(Message);
        return;
    }
    // The picture's part under the text area, which the EDIT leaves transparent.
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    const TRect inset = Insets();
    const int saved = SaveDC(dc);
    OffsetWindowOrgEx(dc, inset.Left, inset.Top, nullptr);
    PaintLook(dc);
    RestoreDC(dc, saved);
    Message.Result = 1;
}

void TskSkinMemo::CNCtlColor(TMessage& Message) {
    if (!FBitMapBG) {
        TskCustomSkinMemo::Dispatch(Message);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
    Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void TskSkinMemo::WMSize(TMessage& Message) {
    TskCustomSkinMemo::Dispatch(Message);
    Invalidate();
}

void TskSkinMemo::WMMove(TMessage& Message) {
    TskCustomSkinMemo::Dispatch(Message);
    if (FAlphaBlend && IsSkinned()) Invalidate();
}

// ---- TskSkinMemo2 --------------------------------------------------------------------------

TskSkinMemo2::TskSkinMemo2(TComponent* AOwner) : TskCustomSkinMemo(AOwner) {
    SetScrollBars(ssBoth);
}

void TskSkinMemo2::Published(TPropertyList& P) {
    using C = TskSkinMemo2;
    PublishMemoProperties(P);
    P.Add("HScrollBar", &C::GetHScrollBar, &C::SetHScrollBar);
    P.Add("ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars, ssBoth);
}

void TskSkinMemo2::CreateParams(TCreateParams& Params) {
    TskCustomSkinMemo::CreateParams(Params);
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinMemo2::Notification(TComponent* AComponent, TOperation Operation) {
    TskCustomSkinMemo::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FHScrollBar) FHScrollBar = nullptr;
}

void TskSkinMemo2::SetHScrollBar(TskSkinScrollBar* Value) {
    LinkBar(FHScrollBar, Value);
    if (Value) UpDateScrollRange();
}

void TskSkinMemo2::WMNCCalcSize(TMessage& Message) {
    // The whole window is the text area: no border, and the EDIT's own bars lie outside it.
    Message.Result = 0;
}

namespace {

// Bar shows the native bar Which of Wnd: its range, page and position, enabled while there is
// something to scroll.
void MirrorBar(TskSkinScrollBar* Bar, HWND Wnd, int Which, bool Enabled) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    const bool scrolls = Enabled && GetScrollInfo(Wnd, Which, &info) &&
                         Int64{info.nMax} - info.nMin + 1 > static_cast<Int64>(info.nPage);
    if (scrolls)
        Bar->SetRange(info.nMin, info.nMax, info.nPos, static_cast<int>(info.nPage));
    else
        Bar->SetRange(0, 0, 0, 0);
    if (Bar->GetEnabled() != scrolls) Bar->SetEnabled(scrolls);
}

} // namespace

void TskSkinMemo2::UpDateScrollRange() {
    if (!HandleAllocated()) return;
    TFlagGuard updating(FUpdatingBars);
    if (FVScrollBar) MirrorBar(FVScrollBar, GetHandle(), SB_VERT, GetEnabled());
    if (FHScrollBar) MirrorBar(FHScrollBar, GetHandle(), SB_HORZ, GetEnabled());
}

REGISTER_CLASS(TskSkinMemo);
REGISTER_CLASS(TskSkinMemo2);

DEFINE_UNIT(SkinBoxCtrls_Memos, uoSkin + 30, nullptr, nullptr);
