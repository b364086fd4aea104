#include "skin/data/Skutils.h"

#include "classlib/DateTime.h"
#include "classlib/Forms.h"
#include "classlib/WinControls.h"

#include <memory>

bool RectInRect(const TRect& R1, const TRect& R2) {
    const RECT r2{R2.Left, R2.Top, R2.Right, R2.Bottom};
    return PtInRect(&r2, POINT{R1.Left, R1.Top}) && PtInRect(&r2, POINT{R1.Right, R1.Bottom});
}

TRect RectToCenter(TRect& R, const TRect& Bounds) {
    const int w = RectWidth(R), h = RectHeight(R);
    const int x = Bounds.Left + (RectWidth(Bounds) - w) / 2,
              y = Bounds.Top + (RectHeight(Bounds) - h) / 2;
    R = TRect(x, y, x + w, y + h);
    return R;
}

// ---- Text --------------------------------------------------------------------------

void CorrectTextbyWidth(TCanvas* Cnvs, AnsiString& S, int W) {
    if (Cnvs->TextWidth(S) <= W) return;
    // A text that cannot fit (an empty one at a negative width too) ends as "..." alone.
    while (!S.empty()) {
        S.pop_back();
        if (Cnvs->TextWidth(S + "...") <= W) break;
    }
    S += "...";
}

void FitTextToRoom(TCanvas* Cnvs, AnsiString& S, int Room) {
    const AnsiString whole = S;
    for (int width = Room;;) {
        const int excess = Cnvs->TextWidth(S) + Cnvs->TextOverhang(S) - Room;
        if (excess <= 0 || S == "...") return;
        width -= excess;
        S = whole;
        CorrectTextbyWidth(Cnvs, S, width);
    }
}

void FitTextToRoomInMiddle(TCanvas* Cnvs, AnsiString& S, int Room) {
    auto fits = [&](const AnsiString& Text) { return Cnvs->TextWidth(Text) + Cnvs->TextOverhang(Text) <= Room; };
    if (fits(S)) return;
    const AnsiString whole = S;
    // The start keeps the odd character: a name is read from its start.
    for (std::size_t dropped = 1; dropped < whole.size(); ++dropped) {
        const std::size_t kept = whole.size() - dropped;
        S = whole.substr(0, (kept + 1) / 2) + "..." + whole.substr(whole.size() - kept / 2);
        if (fits(S)) return;
    }
    S = "...";
}

void SKDrawText(TCanvas* Cnvs, const AnsiString& S, const TRect& R) {
    TRect r = R;
    Cnvs->TextRect(r, S, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void SKDrawText2(TCanvas* Cnvs, const AnsiString& S, const TRect& R) {
    SKDrawText3(Cnvs, S, R, 0);
}

void SKDrawText3(TCanvas* Cnvs, const AnsiString& S, const TRect& R, int AOffset) {
    Cnvs->TextRect(R, R.Left + 2 + AOffset, R.Top + RectHeight(R) / 2 - Cnvs->TextHeight(S) / 2, S);
}

// ---- The parent's picture ----------------------------------------------------------

namespace {

bool Intersects(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// Paints Control into DC with the origin at (X, Y) and the clip at its size.
void PaintAt(TControl* Control, HDC DC, int X, int Y) {
    const int saved = SaveDC(DC);
    SetViewportOrgEx(DC, X, Y, nullptr);
    IntersectClipRect(DC, 0, 0, Control->GetWidth(), Control->GetHeight());
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
}

// The custom-drawn children of Parent (whose origin is at (X, Y)) that meet Bounds.
void PaintCustomChildren(TWinControl* Parent, HDC DC, int X, int Y, const TRect& Area) {
    for (int i = 0; i < Parent->GetControlCount(); ++i) {
        TControl* child = Parent->GetControl(i);
        auto* custom = dynamic_cast<TCustomControl*>(child);
        if (!custom || !child->GetVisible()) continue;
        const TRect at = Bounds(X + child->GetLeft(), Y + child->GetTop(), child->GetWidth(),
                                child->GetHeight());
        if (!Intersects(at, Area)) continue;
        PaintAt(child, DC, at.Left, at.Top);
        PaintCustomChildren(custom, DC, at.Left, at.Top, Area);
    }
}

// Moves DC's origin to the parent's top-left as seen from Control and clips to it.
int EnterParent(TControl* Control, HDC DC) {
    const int saved = SaveDC(DC);
    TWinControl* parent = Control->GetParent();
    SetViewportOrgEx(DC, -Control->GetLeft(), -Control->GetTop(), nullptr);
    IntersectClipRect(DC, 0, 0, parent->GetClientWidth(), parent->GetClientHeight());
    return saved;
}

void PaintSiblings(TControl* Control, HDC DC, bool CustomToo) {
    TWinControl* parent = Control->GetParent();
    const int X = -Control->GetLeft(), Y = -Control->GetTop();
    const TRect bounds = Control->GetBoundsRect();
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* sibling = parent->GetControl(i);
        if (sibling == Control) break;
        auto* custom = dynamic_cast<TCustomControl*>(sibling);
        const bool graphic = dynamic_cast<TGraphicControl*>(sibling) != nullptr;
        if (!(graphic || (CustomToo && custom)) || !sibling->GetVisible()) continue;
        if (!Intersects(sibling->GetBoundsRect(), bounds)) continue;
        PaintAt(sibling, DC, sibling->GetLeft() + X, sibling->GetTop() + Y);
        if (custom)
            PaintCustomChildren(custom, DC, sibling->GetLeft() + X, sibling->GetTop() + Y,
                                TRect(0, 0, Control->GetWidth(), Control->GetHeight()));
    }
}

} // namespace

void GetParentImage(TControl* Control, TCanvas* Dest) {
    TWinControl* parent = Control->GetParent();
    if (!parent) return;
    HDC dc = Dest->GetHandle();
    const int saved = EnterParent(Control, dc);
    const WPARAM w = reinterpret_cast<WPARAM>(dc);
    if (dynamic_cast<TCustomForm*>(parent)) {
        SendMessageA(parent->GetHandle(), WM_ERASEBKGND, w, 0);
    } else {
        parent->Perform(WM_ERASEBKGND, w, 0);
        parent->Perform(WM_PAINT, w, 0);
    }
    RestoreDC(dc, saved);
    PaintSiblings(Control, dc, true);
}

void GetParentImage2(TControl* Control, TCanvas* Dest) {
    TWinControl* parent = Control->GetParent();
    if (!parent) return;
    HDC dc = Dest->GetHandle();
    const int saved = EnterParent(Control, dc);
    if (!dynamic_cast<TCustomForm*>(parent)) parent->PaintWindow(dc);
    SendMessageA(parent->GetHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    PaintSiblings(Control, dc, false);
}

// ---- Glyphs ------------------------------------------------------------------------

namespace {

void Line(TCanvas* Cnvs, int X0, int Y0, int X1, int Y1) {
    Cnvs->MoveTo(X0, Y0);
    Cnvs->LineTo(X1, Y1);
}

void PenAndBrush(TCanvas* Cnvs, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    Cnvs->GetBrush()->SetColor(Color);
}

void ClearBrush(TCanvas* Cnvs, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    Cnvs->GetBrush()->SetStyle(bsClear);
}

} // namespace

void DrawTrackArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    const int cx = R.Left + RectWidth(R) / 2, cy = R.Top + RectHeight(R) / 2 + 2;
    for (int i = 2; i >= 0; --i)
        Line(Cnvs, cx - i, cy - i, cx + i + 1, cy - i);
}

void DrawArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color, int Direction) {
    Cnvs->GetPen()->SetColor(Color);
    const int mx = R.Left + RectWidth(R) / 2, my = R.Top + RectHeight(R) / 2;
    switch (Direction) {
    case 1:
        for (int i = 0; i <= 3; ++i)
            Line(Cnvs, mx - 2 + i, my - i, mx - 2 + i, my + i + 1);
        break;
    case 2:
        for (int i = 3; i >= 0; --i)
            Line(Cnvs, mx + 2 - i, my + i, mx + 2 - i, my - i - 1);
        break;
    case 3:
        for (int i = 0; i <= 3; ++i)
            Line(Cnvs, mx - i, my - 2 + i, mx + i + 1, my - 2 + i);
        break;
    case 4:
        for (int i = 3; i >= 0; --i)
            Line(Cnvs, mx - i, my + 2 - i, mx + i + 1, my + 2 - i);
        break;
    default:
        break;
    }
}

void DrawRadioImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    PenAndBrush(Cnvs, Color);
    Cnvs->Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    for (int i = 0; i <= 2; ++i)
        Cnvs->Polyline({TPoint(X, Y + 5 - i), TPoint(X + 2, Y + 7 - i), TPoint(X + 7, Y + 2 - i)});
}

void DrawCloseImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    Line(Cnvs, X + 1, Y + 1, X + 9, Y + 9);
    Line(Cnvs, X + 9, Y + 1, X + 1, Y + 9);
    Line(Cnvs, X + 2, Y + 1, X + 10, Y + 9);
    Line(Cnvs, X + 8, Y + 1, X, Y + 9);
}

void DrawRCloseImage(TCanvas* Cnvs, const TRect& R, TColor Color) {
    DrawCloseImage(Cnvs, R.Left + RectWidth(R) / 2 - 5, R.Top + RectHeight(R) / 2 - 5, Color);
}

void DrawSysMenuImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    ClearBrush(Cnvs, Color);
    Cnvs->Rectangle(X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    Line(Cnvs, X + 1, Y + 8, X + 9, Y + 8);
    Line(Cnvs, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    ClearBrush(Cnvs, Color);
    Cnvs->Rectangle(X, Y, X + 11, Y + 10);
    Cnvs->Rectangle(X, Y, X + 11, Y + 2);
}

void DrawRestoreImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    ClearBrush(Cnvs, Color);
    Cnvs->Rectangle(X + 2, Y, X + 10, Y + 6);
    Cnvs->Rectangle(X + 2, Y, X + 10, Y + 2);
    Cnvs->Rectangle(X, Y + 4, X + 7, Y + 10);
    Cnvs->Rectangle(X, Y + 4, X + 7, Y + 6);
}

void DrawRollUpImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    for (int i = 0; i <= 4; ++i)
        Line(Cnvs, X + 5 - i, Y + 2 + i, X + 5 + i, Y + 2 + i);
}

void DrawRestoreRollUpImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    Cnvs->GetPen()->SetColor(Color);
    for (int i = 0; i <= 4; ++i)
        Line(Cnvs, X + 5 - i, Y + 6 - i, X + 5 + i, Y + 6 - i);
}

void DrawMTImage(TCanvas* Cnvs, int X, int Y, TColor Color) {
    PenAndBrush(Cnvs, Color);
    Cnvs->Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}

void Frm3D(TCanvas* Cnvs, TRect R, TColor TopColor, TColor BottomColor) {
    Cnvs->GetPen()->SetWidth(1);
    --R.Right;
    --R.Bottom;
    Cnvs->GetPen()->SetColor(TopColor);
    Cnvs->Polyline({TPoint(R.Left, R.Bottom), TPoint(R.Left, R.Top), TPoint(R.Right, R.Top)});
    Cnvs->GetPen()->SetColor(BottomColor);
    Cnvs->Polyline(
        {TPoint(R.Right, R.Top), TPoint(R.Right, R.Bottom), TPoint(R.Left - 1, R.Bottom)});
}

void DrawGlyph(TCanvas* Cnvs, int X, int Y, TBitmap* FB, int Count, int Number) {
    if (FB->GetEmpty()) return;
    const int w = FB->GetWidth() / (Count < 1 ? 1 : Count);
    if (w <= 0) return;
    TBitmap frame;
    frame.SetSize(w, FB->GetHeight());
    frame.GetCanvas()->CopyRect(TRect(0, 0, w, FB->GetHeight()), FB->GetCanvas(),
                                TRect(w * (Number - 1), 0, w * Number, FB->GetHeight()));
    frame.SetTransparent(true);
    Cnvs->Draw(X, Y, &frame);
}

// ---- Screen and windows ------------------------------------------------------------

void GetScreenImage(int X, int Y, TBitmap* B) {
    HDC screen = GetDC(nullptr);
    BitBlt(B->GetCanvas()->GetHandle(), 0, 0, B->GetWidth(), B->GetHeight(), screen, X, Y, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

void GetWindowsVersion(int& Major, int& Minor) {
    const DWORD version = GetVersion();
    Major = static_cast<int>(version & 0xFF);
    Minor = static_cast<int>((version >> 8) & 0xFF);
}

bool CheckWXP() {
    int major, minor;
    GetWindowsVersion(major, minor);
    return major == 5 && minor == 1;
}

bool CheckW2KWXP() {
    int major, minor;
    GetWindowsVersion(major, minor);
    return major == 5 && minor >= 0 && minor <= 2;
}

void SetAlphaBlendTransparent(HWND WHandle, Byte Value) {
    HMODULE user = LoadLibraryA("USER32");
    if (!user) return;
    using TSetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    auto set = reinterpret_cast<TSetLayered>(
        reinterpret_cast<void*>(GetProcAddress(user, "SetLayeredWindowAttributes")));
    if (set) set(WHandle, 0, Value, LWA_ALPHA);
    FreeLibrary(user);
}

// ---- Pictures ----------------------------------------------------------------------

bool IsJpegFile(const AnsiString& FileName) {
    return FileName.find(".jpg") != AnsiString::npos || FileName.find(".jpeg") != AnsiString::npos;
}

void LoadFromJPegImage(TBitmap* B, TJPEGImage* J) {
    B->SetSize(J->GetWidth(), J->GetHeight());
    B->GetCanvas()->Draw(0, 0, J);
}

void LoadFromJpegStream(TBitmap* B, TStream* Stream) {
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromStream(Stream);
    LoadFromJPegImage(B, jpeg.get());
}

void LoadFromJpegFile(TBitmap* B, const AnsiString& FileName) {
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromFile(FileName);
    LoadFromJPegImage(B, jpeg.get());
}

// ---- Dates -------------------------------------------------------------------------

int ExtractDay(TDateTime D) {
    Word y, m, d;
    DecodeDate(D, y, m, d);
    return d;
}

int ExtractMonth(TDateTime D) {
    Word y, m, d;
    DecodeDate(D, y, m, d);
    return m;
}

int ExtractYear(TDateTime D) {
    Word y, m, d;
    DecodeDate(D, y, m, d);
    return y;
}

bool Skutils::IsLeapYear(int Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysPerMonth(int Year, int Month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return Month == 2 && Skutils::IsLeapYear(Year) ? 29 : days[Month - 1];
}
