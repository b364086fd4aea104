// What the person-level tests see and do: the built editor runs as a process of its own and
// is driven only by the pointer and the keys (SendInput at screen points); every check reads
// the screen and the windows from outside. Every wait is a poll on something observable,
// with a deadline.
#pragma once

#include "tests/support/ScreenText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace person {

// Polls Condition until it holds or Ms milliseconds have passed; whether it held.
bool WaitUntil(const std::function<bool()>& Condition, int Ms = 4000);

std::string Describe(const RECT& R);

// ---- Windows seen from outside ---------------------------------------------------------------

std::string ClassOf(HWND Wnd);
std::string TextOf(HWND Wnd);
// Class and caption, for messages.
std::string Name(HWND Wnd);
RECT WindowRectOf(HWND Wnd);
RECT ClientRectOnScreen(HWND Wnd);
POINT Centre(const RECT& R);
// The shown top-level windows of process Pid.
std::vector<HWND> TopWindowsOf(DWORD Pid);
// Every window inside Parent, at any depth.
std::vector<HWND> DescendantsOf(HWND Parent);
// The first window inside Parent of that class whose caption starts with Start.
HWND FindInside(HWND Parent, const std::string& Class, const std::string& Start = "");
// Whether Inner lies wholly inside Outer.
bool Inside(const RECT& Inner, const RECT& Outer);

// ---- A person's hands --------------------------------------------------------------------------
// Each input returns once the system has taken it into its input stream, a pointer input once
// the pointer is where it was sent. What the program makes of it is the caller's to wait for.

void MoveTo(int X, int Y);
void Click(int X, int Y);
void Click(const POINT& P);
// The wheel turned by Notches with the pointer at (X, Y): away from the person when positive.
// It reaches the window that has the keyboard focus.
void Wheel(int X, int Y, int Notches);
// True while the thread of Window runs the system's loop that moves or sizes a window.
bool InMoveSizeLoop(HWND Window);
// Pressed at the first point, moved there in steps, released at the second. With a Frame, the
// press is on its sizing border: the moves wait until its loop runs, since the loop measures
// from where the pointer is when it starts, and the drag ends when the loop has.
void Drag(int X0, int Y0, int X1, int Y1, HWND Frame = nullptr);
void SendKey(WORD Vk, bool Up);
void PressKey(WORD Vk);
void TypeText(const std::string& Text);
// The pointer rests in the screen's corner, away from every window of the editor.
void ParkPointer();
// The main window's type box unrolled by a click on its caption: its combo box once shown,
// null (the test failed) when the box or the combo box is missing or stays hidden.
HWND UnrollTypeBox(HWND Main);

// ---- The screen --------------------------------------------------------------------------------

// Asks Wnd and everything in it to paint itself again from scratch, without waiting for it.
void ForceFullRepaint(HWND Wnd);

// ---- The editor in a process of its own ----------------------------------------------------------

class TEditorProcess {
public:
    // Copies the program and its export template into Folder and starts it there; Main is
    // its main window once shown, null when it never showed.
    explicit TEditorProcess(const std::filesystem::path& Folder);
    ~TEditorProcess();
    TEditorProcess(const TEditorProcess&) = delete;
    TEditorProcess& operator=(const TEditorProcess&) = delete;

    DWORD Pid() const { return FProcess.dwProcessId; }
    DWORD ThreadId() const { return FProcess.dwThreadId; }
    std::vector<HWND> Windows() const { return TopWindowsOf(Pid()); }
    // The first shown top-level window of the editor of that class.
    HWND Find(const std::string& Class) const;
    // The window that has the keyboard focus in the editor.
    HWND Focus() const;
    // The text caret on the screen, blinking or not; empty when there is none.
    RECT Caret() const;

    // Whether the editor's thread handles a message sent now within Ms: it is not busy.
    bool Answers(int Ms = 1000) const;
    // Whether a shown window of the editor still waits to be painted.
    bool PaintPending() const;
    // The rectangle of the screen once the editor is idle, has nothing left to paint and the
    // screen has stayed the same a while (a hover fading out, a caret blinking); the test
    // fails when that does not happen within Ms.
    TShot GrabSettled(const RECT& R, int Ms = 4000) const;
    // Brings Main to the front; the test fails when it does not get there.
    bool Activate() const;

    HWND Main = nullptr;

private:
    bool FStarted = false;
    PROCESS_INFORMATION FProcess{};
};

// A test on the built editor: started in its own folder (Folder) of a temporary folder, active,
// its main window settled, the pointer parked away from it.
class TEditorTest : public testing::Test, protected TTempFolder {
protected:
    explicit TEditorTest(const char* Folder = "ed") : FFolder(Folder) {}
    void SetUp() override;
    void TearDown() override { Editor.reset(); }
    // A window of class Class (any, when empty) that the editor shows next, not one of Before.
    HWND WaitForNew(const std::vector<HWND>& Before, const std::string& Class = "", int Ms = 4000);

    std::unique_ptr<TEditorProcess> Editor;
    HWND Main = nullptr;

private:
    const char* FFolder;
};

// ---- Text as the screen shows it -----------------------------------------------------------------

// The font of the program skin's section Section (such as "button").
inline TTextFont SkinFont(const std::string& Section) {
    return ::SkinFont(VANTOREL_SKIN_INI, Section);
}

} // namespace person
