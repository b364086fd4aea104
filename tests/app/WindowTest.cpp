// Proves that test programs drive real windows under the test display.
#include "classlib/Platform.h"
#include <gtest/gtest.h>

namespace {

constexpr UINT kPing = WM_APP + 1;

LRESULT CALLBACK EchoProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == kPing) return static_cast<LRESULT>(wparam * 2 + lparam);
    return DefWindowProcA(wnd, msg, wparam, lparam);
}

HWND CreateEchoWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = EchoProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantorelEchoWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "Echo", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace

TEST(Window, AnswersMessagesAndShowsOnTheDisplay) {
    HWND wnd = CreateEchoWindow();
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(SendMessageA(wnd, kPing, 20, 2), 42);

    ShowWindow(wnd, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(wnd));
    RECT client;
    ASSERT_TRUE(GetClientRect(wnd, &client));
    EXPECT_GT(client.right, 0);

    char caption[16] = {};
    GetWindowTextA(wnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "Echo");
    EXPECT_TRUE(DestroyWindow(wnd));
}
