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
        int page = Visible;
        // A document taller than the editor's range is measured in parts of the range, and
        // the editor scrolls to a thumb position in that measure. Its own page and position
        // count pixels against another measure, so the bar takes both from the document:
        // otherwise the thumb would stop short of the end, or show the end elsewhere.
        if (Kind == SB_VERT && max >= 0xFFFF) ScaledPage(max - min, Visible, page, pos);
        if (!Bar->GetEnabled()) Bar->SetEnabled(true);
        Bar->SetRange(min, max, pos, page);
        // A press on the track turns a page, not a pixel.
        Bar->SetLargeChange(page);
        return;
    }
    if (Bar->GetEnabled()) Bar->SetEnabled(false);
    // Only a range that is not 0..0 yet: the editor lays its text out again at every change.
    if (max != 0 || min != 0) SetScrollRange(wnd, Kind, 0, 0, FALSE);
}

void TskSkinRichEdit::ScaledPage(int Range, int Visible, int& Page, int& Pos) {
    HWND wnd = GetHandle();
    const auto lines = static_cast<int>(SendMessageA(wnd, EM_GETLINECOUNT, 0, 0));
    auto lineTop = [wnd](int Line) {
        POINTL at{};
        const LRESULT start = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(Line), 0);
        SendMessageA(wnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), start);
        return static_cast<Int64>(at.y);
    };
    const Int64 first = lineTop(0);
    const Int64 last = lineTop(lines - 1);
    // The last line as high as the one before it.
    const Int64 lastHeight = lines > 1 ? last - lineTop(lines - 2) : std::abs(GetFont()->GetHeight());
    // The first line's top lies at the formatting rectangle's top when nothing is scrolled;
    // the rectangle's height is the part of the document shown.
    RECT format{};
    SendMessageA(wnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const Int64 shown = format.bottom > format.top ? format.bottom - format.top : Visible;
    const Int64 height = std::max<Int64>(last - first + lastHeight, shown);
    const Int64 scrolled = std::clamp<Int64>(format.top - first, 0, height);
    Page = static_cast<int>(std::max<Int64>(1, (shown * Range + height / 2) / height));
    Pos = static_cast<int>((scrolled * Range + height / 2) / height);
}

void TskSkinRichEdit::OnVScrollBarChange(TObject*) {
    ScrollToThumb(WM_VSCROLL, FVScrollBar);
    // The editor scrolls to the thumb's pixel, most often inside a line.
    ShowTopLineWhole();
}

void TskSkinRichEdit::ShowTopLineWhole() {
    HWND wnd = GetHandle();
    int min = 0, max = 0, pos = 0;
    NativeScroll(SB_VERT, min, max, pos);
    // The editor's scroll position in pixels has 16 bits: a taller document keeps the
    // thumb's place.
    if (max >= 0xFFFF) return;
    RECT format{};
    SendMessageA(wnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const LRESULT line = SendMessageA(wnd, EM_GETFIRSTVISIBLELINE, 0, 0);
    POINTL top{};
    SendMessageA(wnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&top),
                 SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    if (top.y >= format.top) return;
    POINT scrolled{};
    SendMessageA(wnd, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
    scrolled.y -= format.top - top.y;
    SendMessageA(wnd, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
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
