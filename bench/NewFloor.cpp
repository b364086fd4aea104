#include "bench/NewFloor.h"

#include "bench/BenchSamples.h"

#include <stdexcept>

namespace Bench {

namespace {

constexpr char kClassName[] = "VantorelNewFloor";
constexpr int kListRows = 100000;

// Every window paints what it is asked to in one colour; the system draws the list's bar.
LRESULT CALLBACK PlainWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Window, &paint);
        FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        EndPaint(Window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(Window, Message, WParam, LParam);
    }
}

void RegisterPlainClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}

HWND MakeChild(HWND Parent, const RECT& Bounds, DWORD Style = 0, DWORD ExStyle = 0) {
    HWND child =
        CreateWindowExA(ExStyle, kClassName, "", WS_CHILD | WS_VISIBLE | Style, Bounds.left,
                        Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top, Parent,
                        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!child) throw std::runtime_error("No window for the platform's part of New");
    return child;
}

void SetListRows(HWND List, int Rows) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = Rows > 0 ? Rows - 1 : 0;
    info.nPage = Rows > 0 ? 5 : 0;
    SetScrollInfo(List, SB_VERT, &info, TRUE);
}

void Disable(HWND Button) {
    EnableWindow(Button, FALSE);
    InvalidateRect(Button, nullptr, TRUE);
    UpdateWindow(Button);
}

} // namespace

TNewFloor::TNewFloor(const TNewWindows& Windows, SIZE Client) : FCaption(Windows.Caption) {
    RegisterPlainClass();
    FFrame = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, Client.cx, Client.cy,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!FFrame) throw std::runtime_error("No window for the platform's part of New");
    FBox = MakeChild(FFrame, Windows.Box);
    // Sunk into its box, as the page list is.
    FList = MakeChild(FBox, Windows.List, WS_VSCROLL, WS_EX_CLIENTEDGE);
    FReplace = MakeChild(FFrame, Windows.Replace);
    FAnimate = MakeChild(FFrame, Windows.Animate);
    ShowWindow(FFrame, SW_SHOWNOACTIVATE);
    UpdateWindow(FFrame);
}

TNewFloor::~TNewFloor() {
    DestroyWindow(FFrame);
    PumpMessages();
}

void TNewFloor::Reset() {
    SetListRows(FList, kListRows);
    EnableWindow(FReplace, TRUE);
    EnableWindow(FAnimate, TRUE);
    RedrawWindow(FFrame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
}

void TNewFloor::New() {
    SetListRows(FList, 0);
    // A caption of its own each time, as a new file name would be.
    FCaptionToggle = !FCaptionToggle;
    SetWindowTextA(FBox, FCaptionToggle ? "Pages ::   Untitled.pge" : "Pages ::   Other.pge");
    InvalidateRect(FBox, &FCaption, FALSE);
    UpdateWindow(FBox);
    Disable(FReplace);
    Disable(FAnimate);
    RedrawWindow(FFrame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
}

} // namespace Bench
