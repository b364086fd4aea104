// What the person-level tests see and do: the built editor runs as a process of its own and
// is driven only by the pointer and the keys (SendInput at screen points); every check reads
// the screen and the windows from outside. Every wait is a poll on something observable,
// with a deadline.
#pragma once

#include <gtest/gtest.h>
#include "classlib/Platform.h"

#include <filesystem>
#include <functional>
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

// ---- The screen --------------------------------------------------------------------------------

// A rectangle of the screen as it shows it, one 0x00RRGGBB value per pixel, rows top down.
struct TShot {
    int Width = 0;
    int Height = 0;
    std::vector<DWORD> Pixels;

    bool operator==(const TShot& Other) const {
        return Width == Other.Width && Height == Other.Height && Pixels == Other.Pixels;
    }
    DWORD At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y * Width + X)]; }
    // The smallest rectangle, in this shot's coordinates, that holds every pixel that differs
    // from Other's; empty when none does.
    RECT Changes(const TShot& Other) const;
    // Area (in this shot's coordinates) painted black, for a part that changes by itself.
    void Blank(const RECT& Area);
    bool SameIn(const TShot& Other, const RECT& Area) const;
    // Written beside the test program as a BMP file.
    void Save(const std::string& Name) const;
};

TShot Grab(const RECT& R);
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

// ---- Text as the screen shows it -----------------------------------------------------------------

// A font as the program's skin names it for one kind of control.
struct TSkinFont {
    std::string Name;
    int Height = 0;
    bool Bold = false;
};
// The font of the skin's section Section (such as "button").
TSkinFont SkinFont(const std::string& Section);
std::ostream& operator<<(std::ostream& Out, const TSkinFont& Font);

struct TInkLook {
    // "&" marks the next letter, as in buttons' captions.
    bool Prefix = false;
    // The text may show as its start followed by "...", where the room is short.
    bool MayShorten = false;
};

// Whether Text, drawn here by the system in Font, shows whole somewhere in Shot: every pixel
// that its glyphs cover fully is there, all in one colour, and the pixels around them are
// mostly not of that colour. On failure, how many of its ink columns do show.
testing::AssertionResult ShowsWhole(const TShot& Shot, const std::string& Text, const TSkinFont& Font,
                                    TInkLook Look = {});

} // namespace person
