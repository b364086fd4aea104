// The screen: its forms and data modules, its size and work area, and the cursors.
#include "classlib/Forms.h"

#include "classlib/List.h"
#include "classlib/ScreenSettings.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TScreen

namespace {

struct TSystemCursor {
    TCursor Index;
    LPCSTR Id;
};

// Cursors without a system counterpart take the nearest system one.
const TSystemCursor kSystemCursors[] = {
    {crDefault, IDC_ARROW},
    {crArrow, IDC_ARROW},
    {crCross, IDC_CROSS},
    {crIBeam, IDC_IBEAM},
    {crSizeNESW, IDC_SIZENESW},
    {crSizeNS, IDC_SIZENS},
    {crSizeNWSE, IDC_SIZENWSE},
    {crSizeWE, IDC_SIZEWE},
    {crUpArrow, IDC_UPARROW},
    {crHourGlass, IDC_WAIT},
    {crDrag, IDC_ARROW},
    {crNoDrop, IDC_NO},
    {crHSplit, IDC_SIZEWE},
    {crVSplit, IDC_SIZENS},
    {crMultiDrag, IDC_ARROW},
    {crSQLWait, IDC_WAIT},
    {crNo, IDC_NO},
    {crAppStart, IDC_APPSTARTING},
    {crHelp, IDC_HELP},
    {crHandPoint, IDC_HAND},
    {crSizeAll, IDC_SIZEALL},
};

} // namespace

TScreen::TCursorList::TCursorList() = default;

TScreen::TCursorList::~TCursorList() {
    for (auto& [index, cursor] : FCursors)
        DestroyCursor(cursor);
}

HCURSOR TScreen::TCursorList::Get(TCursor Index) const {
    auto own = FCursors.find(Index);
    if (own != FCursors.end()) return own->second;
    return SystemCursor(Index);
}

HCURSOR TScreen::TCursorList::SystemCursor(TCursor Index) const {
    if (Index == crNone) return nullptr;
    auto known = FSystem.find(Index);
    if (known != FSystem.end()) return known->second;
    const auto* entry = std::find_if(std::begin(kSystemCursors), std::end(kSystemCursors),
                                     [Index](const TSystemCursor& E) { return E.Index == Index; });
    // Unknown indexes show the default cursor.
    if (entry == std::end(kSystemCursors)) return SystemCursor(crDefault);
    HCURSOR cursor = LoadCursorA(nullptr, entry->Id);
    FSystem[Index] = cursor;
    return cursor;
}

void TScreen::TCursorList::Set(TCursor Index, HCURSOR Cursor) {
    auto own = FCursors.find(Index);
    if (own != FCursors.end()) {
        if (own->second == Cursor) return;
        DestroyCursor(own->second);
        FCursors.erase(own);
    }
    if (Cursor) FCursors[Index] = Cursor;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() = default;

TCustomForm* TScreen::GetForm(int Index) const {
    if (Index < 0 || Index >= GetFormCount()) ListIndexError(Index);
    return FForms[static_cast<std::size_t>(Index)];
}

TDataModule* TScreen::GetDataModule(int Index) const {
    if (Index < 0 || Index >= GetDataModuleCount()) ListIndexError(Index);
    return FDataModules[static_cast<std::size_t>(Index)];
}

TWinControl* TScreen::GetActiveControl() const {
    return FActiveForm ? FActiveForm->FFocusedControl : nullptr;
}

void TScreen::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    POINT p;
    if (!GetCursorPos(&p)) return;
    if (Value != crDefault) {
        ::SetCursor(Cursors[Value]);
        return;
    }
    HWND wnd = WindowFromPoint(p);
    if (wnd && FindControl(wnd))
        SendMessageA(
            wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd),
            MAKELPARAM(SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), WM_MOUSEMOVE));
}

int TScreen::GetWidth() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::GetHeight() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

// Kept until the settings change: a form asks it on every move and resize.
TRect TScreen::GetWorkAreaRect() const {
    static TKeptUntilSettingsChange<TRect> kept;
    return kept.Get([this] {
        RECT r{0, 0, GetWidth(), GetHeight()};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
        return TRect(r.left, r.top, r.right, r.bottom);
    });
}

int TScreen::GetPixelsPerInch() const {
    HDC dc = GetDC(nullptr);
    int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppi;
}

void TScreen::AddForm(TCustomForm* Form) {
    FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form) FActiveForm = nullptr;
}

void TScreen::AddDataModule(TDataModule* Module) {
    FDataModules.push_back(Module);
}

void TScreen::RemoveDataModule(TDataModule* Module) {
    FDataModules.erase(std::remove(FDataModules.begin(), FDataModules.end(), Module),
                       FDataModules.end());
}

void TScreen::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // A form or data module being deleted: it is still whole here, so OnDestroy can run.
    if (auto* form = dynamic_cast<TCustomForm*>(AComponent)) {
        if (std::find(FForms.begin(), FForms.end(), form) != FForms.end()) {
            form->DoDestroy();
            RemoveForm(form);
        }
    } else if (auto* module = dynamic_cast<TDataModule*>(AComponent)) {
        if (std::find(FDataModules.begin(), FDataModules.end(), module) != FDataModules.end()) {
            module->DoDestroy();
            RemoveDataModule(module);
        }
    }
}
