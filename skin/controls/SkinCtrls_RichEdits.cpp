#include "skin/controls/SkinCtrls_RichEdits.h"

#include "classlib/ClassRegistry.h"

#include <richedit.h>

#include <algorithm>
#include <cstdlib>

TskSkinRichEdit::TskSkinRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {
    SkinDataName = "richedit";
    SetColor(GetDefaultColor());
    GetFont()->Assign(GetDefaultFont());
    SetScrollBars(ssBoth);
}

void TskSkinRichEdit::Published(TPropertyList& P) {
    PublishViewSkin<TskSkinRichEdit>(P);
    P.Add("SkinSupport", &TskSkinRichEdit::GetSkinSupport, &TskSkinRichEdit::SetSkinSupport,
          false);
    P.Add("ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars, ssBoth);
    P.Add("OnMouseWheel", &TControl::OnMouseWheel);
    P.Add("OnMouseWheelDown", &TControl::OnMouseWheelDown);
    P.Add("OnMouseWheelUp", &TControl::OnMouseWheelUp);
}

void TskSkinRichEdit::CreateParams(TCreateParams& Params) {
    TCustomRichEdit::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TskSkinRichEdit::WMNCCalcSize(TMessage& Message) {
    // No non-client area: the editor's own bars never show, the skinned ones take their place.
    Message.Result = 0;
}

void TskSkinRichEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomRichEdit::Notification(AComponent, Operation);
    ViewNotification(AComponent, Operation);
}

void TskSkinRichEdit::Unlink() {
    TCustomRichEdit::Unlink();
    ForgetBars();
}

void TskSkinRichEdit::Loaded() {
    TCustomRichEdit::Loaded();
    ChangeSkinData();
}

void TskSkinRichEdit::ChangeSkinData() {
    TskViewSkin::ChangeSkinData();
    RealignBars();
}

void TskSkinRichEdit::Change() {
    TCustomRichEdit::Change();
    UpDateScrollBars();
}

void TskSkinRichEdit::WndProc(TMessage& Message) {
    TCustomRichEdit::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    // The wheel scrolls the editor by itself: the bars follow it too.
    case WM_MOUSEWHEEL: UpDateScrollBars(); break;
    default: break;
    }
}

void TskSkinRichEdit::UpDateScrollBars() {
    if (IsLoading() || FUpdating || !HandleAllocated()) return;
    FUpdating = true;
    const bool hasText = GetTextLength() > 0;
    UpDateBar(FVScrollBar, SB_VERT, GetHeight(), hasText);
    UpDateBar(FHScrollBar, SB_HORZ, GetWidth(), hasText);
    FUpdating = false;
}

void TskSkinRichEdit::UpDateBar(TskSkinScrollBar* Bar, int Kind, int Visible, bool HasText) {
    if (!Bar) return;
    HWND wnd = GetHandle();
    int min = 0, max = 0, pos = 0;
    NativeScroll(Kind, min, max, pos);
    // The editor hides its own bar once nothing scrolls, and may leave the old range behind.
    const auto shown = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE)) &
                       (Kind == SB_VERT ? WS_VSCROLL : WS_HSCROLL);
    if (shown && max > min && Visible < max && HasText) {
        // The editor measures a document taller than its range in parts of the range: the
        // page is measured so too, or the thumb would stop short of the document's end.
        const int page = Kind == SB_VERT && max >= 0xFFFF
                             ? std::max(1, MulDiv(Visible, max - min, std::max(DocumentHeight(), Visible)))
                             : Visible;
        if (!Bar->GetEnabled()) Bar->SetEnabled(true);
        Bar->SetRange(min, max, pos, page);
        // A press on the track turns a page, not a pixel.
        Bar->SetLargeChange(page);
        return;
    }
    if (Bar->GetEnabled()) Bar->SetEnabled(false);
    SetScrollRange(wnd, Kind, 0, 0, FALSE);
}

int TskSkinRichEdit::DocumentHeight() {
    HWND wnd = GetHandle();
    const auto lines = static_cast<int>(SendMessageA(wnd, EM_GETLINECOUNT, 0, 0));
    auto lineTop = [wnd](int Line) {
        POINTL at{};
        const LRESULT start = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(Line), 0);
        SendMessageA(wnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), start);
        return static_cast<int>(at.y);
    };
    const int last = lineTop(lines - 1);
    // The last line as high as the one before it.
    const int height = lines > 1 ? last - lineTop(lines - 2) : GetFont()->GetHeight();
    return last - lineTop(0) + std::abs(height);
}

void TskSkinRichEdit::OnVScrollBarChange(TObject*) {
    ScrollToThumb(WM_VSCROLL, FVScrollBar);
}

void TskSkinRichEdit::OnHScrollBarChange(TObject*) {
    ScrollToThumb(WM_HSCROLL, FHScrollBar);
}

void TskSkinRichEdit::OnVScrollBarUpButtonClick(TObject*) {
    TskSkinScrollBar* bar = FVScrollBar;
    if (bar->GetMax() - bar->GetPageSize() + 1 > bar->GetPosition())
        SendMessageA(GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, bar->GetPosition()), 0);
    UpDateScrollBars();
}

void TskSkinRichEdit::OnVScrollBarDownButtonClick(TObject*) {
    TskSkinScrollBar* bar = FVScrollBar;
    if (bar->GetPosition() != 0)
        SendMessageA(GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_LINEUP, bar->GetPosition()), 0);
    UpDateScrollBars();
}

REGISTER_CLASS(TskSkinRichEdit);

DEFINE_UNIT(SkinCtrls_RichEdits, uoSkin + 10, nullptr, nullptr);
