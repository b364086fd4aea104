// The smallest honest Win32 window program: one class, one top-level window of the editor's
// size, painted once with a filled background and a line of text. The start-up benchmark
// measures the editor's cold start against this program under the same Wine.
#include <windows.h>

namespace {

LRESULT CALLBACK BareWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_PAINT: {
        PAINTSTRUCT Paint;
        HDC Dc = BeginPaint(Window, &Paint);
        FillRect(Dc, &Paint.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        TextOutA(Dc, 10, 10, "Bare window", 11);
        EndPaint(Window, &Paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(Window, Message, WParam, LParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int ShowCommand) {
    WNDCLASSA Class{};
    Class.lpfnWndProc = BareWindowProc;
    Class.hInstance = Instance;
    Class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    Class.lpszClassName = "BareWindow";
    RegisterClassA(&Class);
    HWND Window = CreateWindowExA(0, "BareWindow", "Bare window", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 780, 560, nullptr, nullptr,
                                  Instance, nullptr);
    ShowWindow(Window, ShowCommand);
    UpdateWindow(Window);
    MSG Message;
    while (GetMessageA(&Message, nullptr, 0, 0) > 0) {
        TranslateMessage(&Message);
        DispatchMessageA(&Message);
    }
    return 0;
}
