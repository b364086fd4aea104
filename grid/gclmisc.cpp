#include "grid/gclmisc.h"

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

TGclKeyStateFunc KeyState = nullptr;

bool KeyDown(int VirtualKey) {
    return ((KeyState ? KeyState : GetKeyState)(VirtualKey) & 0x8000) != 0;
}

struct TWindowSearch {
    HWND Target;
    bool Found;
};

BOOL CALLBACK FindThreadWindow(HWND Wnd, LPARAM Data) {
    auto* search = reinterpret_cast<TWindowSearch*>(Data);
    search->Found = Wnd == search->Target;
    return !search->Found;
}

// Start and length of every word of S.
std::vector<std::pair<std::size_t, std::size_t>> Words(const AnsiString& S,
                                                       const TGclCharSet& Delims) {
    std::vector<std::pair<std::size_t, std::size_t>> words;
    std::size_t i = 0;
    while (i < S.size()) {
        while (i < S.size() && Delims.test(static_cast<unsigned char>(S[i])))
            ++i;
        const std::size_t start = i;
        while (i < S.size() && !Delims.test(static_cast<unsigned char>(S[i])))
            ++i;
        if (i > start) words.emplace_back(start, i - start);
    }
    return words;
}

} // namespace

HBITMAP LoadBaseBitmap(const char* Name) {
    return LoadBitmapA(GetModuleHandleA(nullptr), Name);
}

HCURSOR LoadBaseCursor(const char* Name) {
    return LoadCursorA(GetModuleHandleA(nullptr), Name);
}

int GetLeftButton() {
    return GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
}

Byte GetShiftFlags() {
    Byte flags = 0;
    if (KeyDown(VK_SHIFT)) flags += 2;
    if (KeyDown(VK_CONTROL)) flags += 4;
    if (KeyDown(VK_MENU)) flags += 8;
    return flags;
}

TGclKeyStateFunc SetGclKeyStateSource(TGclKeyStateFunc Source) {
    TGclKeyStateFunc previous = KeyState;
    KeyState = Source;
    return previous;
}

bool IsForegroundTask() {
    TWindowSearch search{GetForegroundWindow(), false};
    if (search.Target)
        EnumThreadWindows(GetCurrentThreadId(), FindThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND GetNextDlgItem(HWND Wnd) {
    if (HWND previous = GetWindow(Wnd, GW_HWNDPREV)) return previous;
    if (HWND last = GetWindow(Wnd, GW_HWNDLAST)) return last;
    return Wnd;
}

int DefaultEpoch() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear / 100 * 100;
}

AnsiString GenerateComponentName(TComponent* Parent, const AnsiString& Base) {
    if (!IsValidIdent(Base)) throw EComponentError(Format("''%s'' is not a valid component name", Base));
    for (int n = 1;; ++n) {
        AnsiString name = Base + IntToStr(n);
        if (!Parent || !Parent->FindComponent(name)) return name;
    }
}

void DebugOutput(const AnsiString& S) {
    OutputDebugStringA((S + "\r\n").c_str());
}

int CompStruct(const void* S1, const void* S2, std::size_t Size) {
    const int c = Size ? std::memcmp(S1, S2, Size) : 0;
    return c == 0 ? 0 : (c < 0 ? -1 : 1);
}

int WordCount(const AnsiString& S, const TGclCharSet& Delims) {
    return static_cast<int>(Words(S, Delims).size());
}

int WordPosition(int N, const AnsiString& S, const TGclCharSet& Delims) {
    const auto words = Words(S, Delims);
    return N >= 1 && N <= static_cast<int>(words.size()) ? static_cast<int>(words[N - 1].first) + 1
                                                         : 0;
}

AnsiString ExtractWord(int N, const AnsiString& S, const TGclCharSet& Delims) {
    const auto words = Words(S, Delims);
    if (N < 1 || N > static_cast<int>(words.size())) return AnsiString();
    return S.substr(words[N - 1].first, words[N - 1].second);
}

bool PartialCompare(const AnsiString& S1, const AnsiString& S2) {
    if (S1.empty() || S2.empty()) return false;
    const std::size_t n = std::min(S1.size(), S2.size());
    return AnsiUpperCase(S1.substr(0, n)) == AnsiUpperCase(S2.substr(0, n));
}

void FixTextBuffer(const char* Src, char* Dest, std::size_t Size) {
    if (Size == 0) return;
    std::size_t out = 0;
    for (const char* p = Src; *p && out + 1 < Size; ++p) {
        if (*p == '\n' && (p == Src || p[-1] != '\r')) {
            Dest[out++] = '\r';
            if (out + 1 >= Size) break;
        }
        Dest[out++] = *p;
    }
    Dest[out] = '\0';
}

namespace {
std::string InsertAt(const std::string& S, std::size_t At, const char* Text) {
    return S.substr(0, At) + Text + S.substr(At);
}
} // namespace

void FixRealPrim(char* P, std::size_t Size, char DecimalChar) {
    if (Size == 0) return;
    std::string s;
    for (const char* p = P; *p; ++p)
        if (*p != ' ') s += *p;
    if (s.empty()) {
        s.assign(1, '0');
    } else {
        if (s.back() == DecimalChar) s.pop_back();
        std::size_t point = s.find(DecimalChar);
        if (point != std::string::npos)
            s[point] = '.';
        else
            point = s.find('.');
        if (point != std::string::npos) {
            if (point + 1 == s.size()) {
                s += '0';
            } else if (point == 0 || (point == 1 && s[0] == '-')) {
                s = InsertAt(s, point, "0");
                ++point;
            }
        }
        const std::size_t e = s.find('E', 1);
        if (e != std::string::npos && e > 0) {
            if (point == std::string::npos)
                s = InsertAt(s, e, ".");
            else if (e > point && e - point - 1 < 12)
                s = InsertAt(s, e, "00000");
        }
    }
    const std::size_t n = std::min(s.size(), Size - 1);
    std::memcpy(P, s.data(), n);
    P[n] = '\0';
}

namespace {
void SystemBeep() {
    MessageBeep(0);
}
TGclBeepProc BeepProc = SystemBeep;
} // namespace

TGclBeepProc SetGclBeepProc(TGclBeepProc Proc) {
    TGclBeepProc previous = BeepProc;
    BeepProc = Proc ? Proc : SystemBeep;
    return previous;
}

void GclBeep() {
    BeepProc();
}
