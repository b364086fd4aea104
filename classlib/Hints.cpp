#include "classlib/Hints.h"

#include "classlib/Graphics.h"

#include <algorithm>

DEFINE_UNIT(Hints, uoClassLib, nullptr, nullptr);

const TClassInfo* HintWindowClass = THintWindow::StaticClass();

namespace {

// The lines of a hint are kept this far from the border.
constexpr int kTextMargin = 2;

// What the system shows status and hint texts in.
void UseStatusFont(TFont* Font) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        Font->SetLogFont(metrics.lfStatusFont);
}

constexpr UINT kTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

} // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetVisible(false);
    SetColor(clInfoBk);
    SetParentFont(false);
    UseStatusFont(GetFont());
    GetFont()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
    TCanvas* canvas = GetCanvas();
    canvas->GetFont()->Assign(GetFont());
    TRect rect(0, 0, MaxWidth, 0);
    canvas->TextRect(rect, AHint, kTextFlags | DT_CALCRECT);
    // The border and the margins on both sides.
    rect.Right += 2 * (kTextMargin + 1);
    rect.Bottom += 2 * (kTextMargin + 1);
    return rect;
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
    SetCaption(AHint);
    int width = Rect.Right - Rect.Left;
    int height = Rect.Bottom - Rect.Top;
    const int screenRight = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenBottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    int left = std::max(GetSystemMetrics(SM_XVIRTUALSCREEN), std::min(Rect.Left, screenRight - width));
    int top = std::max(GetSystemMetrics(SM_YVIRTUALSCREEN), std::min(Rect.Top, screenBottom - height));
    SetBounds(left, top, width, height);
    SetWindowPos(GetHandle(), HWND_TOPMOST, left, top, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(GetHandle(), nullptr, TRUE);
    UpdateWindow(GetHandle());
}

void THintWindow::ReleaseHandle() {
    DestroyHandle();
}

void THintWindow::Paint() {
    TCanvas* canvas = GetCanvas();
    TRect rect = GetClientRect();
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(rect);
    canvas->GetFont()->Assign(GetFont());
    canvas->GetBrush()->SetStyle(bsClear);
    rect.Left += kTextMargin;
    rect.Top += kTextMargin;
    canvas->TextRect(rect, GetCaption(), kTextFlags);
}

void THintWindow::WMNCHitTest(TMessage& Message) {
    // The pointer goes through to the windows below.
    Message.Result = HTTRANSPARENT;
}

void THintWindow::WMMouseActivate(TMessage& Message) {
    Message.Result = MA_NOACTIVATE;
}
