#include "skin/form/SkinHint.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMenus.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

void RegisterHintClasses() {
    RegisterClass(TskSkinHint::StaticClass());
}

// Hints are texts, not captions: an "&" is shown as it is.
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_CENTER | DT_NOPREFIX;

// The work area of the monitor the pointer is on.
TRect WorkAreaAtCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return TRect(info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
}

TSize TextSize(TCanvas* Cnvs, const AnsiString& S) {
    TRect r(0, 0, 0, 0);
    Cnvs->TextRect(r, S, kMeasureFlags);
    return TSize(r.Right - r.Left, r.Bottom - r.Top);
}

// The first byte of Bytes[Start, Start + Count) that differs from Skip; the number of
// bytes after it in that range, 0 when every byte is Skip.
std::size_t BytesAfterFirstOther(const std::vector<Byte>& Bytes, std::size_t Start, std::size_t Count, Byte Skip) {
    for (std::size_t i = 0; i < Count; ++i)
        if (Bytes[Start + i] != Skip) return Count - 1 - i;
    return 0;
}

} // namespace

DEFINE_UNIT(SkinHint, uoSkin + 24, RegisterHintClasses, nullptr);

TRect PlaceHintRect(TPoint P, int W, int H, const TRect& WorkArea) {
    int left = P.X, top = P.Y;
    if (left + W > WorkArea.Right) left -= W + 2;
    if (top + H > WorkArea.Bottom) top -= H + 2;
    left = std::max(WorkArea.Left, std::min(left, WorkArea.Right - W));
    top = std::max(WorkArea.Top, std::min(top, WorkArea.Bottom - H));
    return TRect(left, top, left + W, top + H);
}

int CursorHeightMargin(HCURSOR Cursor) {
    const int systemHeight = GetSystemMetrics(SM_CYCURSOR);
    ICONINFO icon{};
    if (!Cursor || !GetIconInfo(Cursor, &icon)) return systemHeight;
    int result = systemHeight;
    BITMAP mask{};
    if (icon.hbmMask && GetObjectA(icon.hbmMask, sizeof(mask), &mask) && mask.bmBitsPixel == 1 &&
        mask.bmWidth > 0 && mask.bmHeight >= mask.bmWidth) {
        const int width = mask.bmWidth, height = mask.bmHeight;
        const std::size_t rowLength = static_cast<std::size_t>(((width + 31) & ~31) / 8);
        struct {
            BITMAPINFOHEADER Header;
            RGBQUAD Colors[2];
        } info{};
        info.Header.biSize = sizeof(BITMAPINFOHEADER);
        info.Header.biWidth = width;
        info.Header.biHeight = height; // bottom-up: the mask's top half comes last
        info.Header.biPlanes = 1;
        info.Header.biBitCount = 1;
        info.Header.biCompression = BI_RGB;
        std::vector<Byte> bits(rowLength * static_cast<std::size_t>(height));
        HDC dc = GetDC(nullptr);
        const int rows = GetDIBits(dc, icon.hbmMask, 0, static_cast<UINT>(height), bits.data(),
                                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        if (rows == height) {
            const std::size_t part = static_cast<std::size_t>(width) * rowLength;
            const std::size_t andStart = bits.size() - part;
            std::size_t n = BytesAfterFirstOther(bits, andStart, part, 0xFF);
            if (n == 0 && height >= 2 * width) n = BytesAfterFirstOther(bits, andStart - part, part, 0x00);
            result = static_cast<int>(n / rowLength) - static_cast<int>(icon.yHotspot);
        }
    }
    if (icon.hbmMask) DeleteObject(icon.hbmMask);
    if (icon.hbmColor) DeleteObject(icon.hbmColor);
    return result;
}

TskSkinHint* FindHintComponent() {
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    if (!main) return nullptr;
    for (int i = 0; i < main->GetComponentCount(); ++i)
        if (auto* hint = dynamic_cast<TskSkinHint*>(main->GetComponent(i)); hint && hint->GetActive()) return hint;
    return nullptr;
}

// ---------------------------------------------------------------------------
// TskSkinHintWindow

TskSkinHintWindow::TskSkinHintWindow(TComponent* AOwner)
    : THintWindow(AOwner), ScreenImage(std::make_unique<TBitmap>()) {}

TskSkinHintWindow::~TskSkinHintWindow() {
    SetReference<TskSkinHint>(this, HintComponent, nullptr);
    SetReference<TskSkinData>(this, SkinData, nullptr);
}

void TskSkinHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    // Shown only by ActivateHint, never by being made: a popup made visible is activated.
    Params.Style &= ~static_cast<DWORD>(WS_VISIBLE);
}

void TskSkinHintWindow::Notification(TComponent* AComponent, TOperation Operation) {
    THintWindow::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == HintComponent) HintComponent = nullptr;
    if (AComponent == SkinData) SkinData = nullptr;
}

void TskSkinHintWindow::WMNCPaint(TMessage&) {}

void TskSkinHintWindow::WMEraseBkgnd(TMessage& Message) {
    Message.Result = 1;
}

TskDataSkinHintWindow* TskSkinHintWindow::Record() const {
    return SkinData ? SkinData->HintWindow.get() : nullptr;
}

TBitmap* TskSkinHintWindow::WindowPicture() const {
    const TskDataSkinHintWindow* r = Record();
    return r ? PictureAt(SkinData, r->WindowPictureIndex) : nullptr;
}

TBitmap* TskSkinHintWindow::MaskPicture() const {
    const TskDataSkinHintWindow* r = Record();
    return r ? PictureAt(SkinData, r->MaskPictureIndex) : nullptr;
}

void TskSkinHintWindow::UseSkin(TskSkinHint* Component) {
    SetReference(this, HintComponent, Component);
    TskSkinData* skin = Component->GetSkinData();
    // A skin without a hint picture gives the plain look.
    const bool usable = skin && !skin->Empty && skin->HintWindow->WindowPictureIndex != -1 &&
                        PictureAt(skin, skin->HintWindow->WindowPictureIndex);
    SetReference(this, SkinData, usable ? skin : nullptr);
}

void TskSkinHintWindow::PrepareFont() {
    TFont* font = GetFont();
    font->Assign(HintComponent->GetDefaultFont());
    if (SkinData && HintComponent->GetUseSkinFont()) {
        const TskDataSkinHintWindow* r = Record();
        font->SetHeight(r->FontHeight);
        font->SetName(r->FontName);
        font->SetStyle(r->FontStyle);
    }
    GetCanvas()->GetFont()->Assign(font);
}

void TskSkinHintWindow::CalcHintSize(TCanvas* Cnvs, const AnsiString& S, const TSize& Limit, int& H, int& W) {
    const TSize text = TextSize(Cnvs, S);
    W = text.cx;
    H = text.cy;
    TBitmap* picture = WindowPicture();
    if (!picture) {
        W = std::min(W + 4, Limit.cx);
        H = std::min(H + 4, Limit.cy);
        return;
    }
    const TskDataSkinHintWindow* r = Record();
    const int pw = picture->GetWidth(), ph = picture->GetHeight();
    W += r->ClRect.Left + (pw - r->ClRect.Right);
    H += r->ClRect.Top + (ph - r->ClRect.Bottom);
    // A text of any length is cut to the screen; the window is never below its picture.
    W = std::max(std::min(W, Limit.cx), pw);
    H = std::max(std::min(H, Limit.cy), ph);
    const int dw = W - pw, dh = H - ph;
    NewClRect = r->ClRect;
    NewClRect.Right += dw;
    NewClRect.Bottom += dh;
    NewLTPoint = r->LTPoint;
    NewRTPoint = TPoint(r->RTPoint.X + dw, r->RTPoint.Y);
    NewLBPoint = TPoint(r->LBPoint.X, r->LBPoint.Y + dh);
    NewRBPoint = TPoint(r->RBPoint.X + dw, r->RBPoint.Y + dh);
}

bool TskSkinHintWindow::Measure(const AnsiString& S, TRect& WorkArea, int& W, int& H) {
    TskSkinHint* component = FindHintComponent();
    if (!component) return false;
    UseSkin(component);
    PrepareFont();
    WorkArea = WorkAreaAtCursor();
    CalcHintSize(GetCanvas(), S, TSize(RectWidth(WorkArea), RectHeight(WorkArea)), H, W);
    return true;
}

TRect TskSkinHintWindow::CalcHintRect(int, const AnsiString& AHint, void*) {
    TRect work;
    int w = 0, h = 0;
    if (!Measure(AHint, work, w, h)) return TRect(0, 0, 0, 0);
    return TRect(0, 0, w, h);
}

void TskSkinHintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
    TRect work;
    int w = 0, h = 0;
    if (!Measure(AHint, work, w, h)) return;
    SetCaption(AHint);
    const TRect r = PlaceHintRect(TPoint(Rect.Left, Rect.Top), w, h, work);
    // What lies under the hint is taken before the hint covers it.
    if (HintComponent->GetAlphaBlend() && !HintComponent->GetAlphaBlendSupport())
        CaptureScreen(r);
    else
        CapturedRect = TRect();
    SetBounds(r.Left, r.Top, w, h);
    ApplyAlpha();
    SetHintWindowRegion();
    HWND wnd = GetHandle();
    SetWindowPos(wnd, HWND_TOPMOST, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    InvalidateRect(wnd, nullptr, FALSE);
    UpdateWindow(wnd);
}

void TskSkinHintWindow::ReleaseHandle() {
    SetVisible(false);
    THintWindow::ReleaseHandle();
    // A new window starts opaque and whole.
    CurAlphaBlend = false;
    CurAlphaBlendValue = 0;
    Rgn = nullptr;
    CapturedRect = TRect();
}

void TskSkinHintWindow::Hidden() {
    SetVisible(false);
    CapturedRect = TRect();
}

void TskSkinHintWindow::CaptureScreen(const TRect& R) {
    auto image = std::make_unique<TBitmap>(RectWidth(R), RectHeight(R));
    image->SetPixelFormat(pf24bit);
    const bool shown = HandleAllocated() && IsWindowVisible(GetHandle());
    if (shown && IsNullRect(CapturedRect)) {
        // Nothing kept of what lies under the shown hint: it goes first, and the program's
        // windows under it paint themselves again.
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND Wnd, LPARAM) -> BOOL {
                if (IsWindowVisible(Wnd))
                    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                return TRUE;
            },
            0);
    }
    ::GetScreenImage(R.Left, R.Top, image.get());
    if (shown && !IsNullRect(CapturedRect)) {
        // Shown again, the hint would blend with itself: where it covers the screen, what lay
        // under it when it was shown is taken instead.
        RECT covered;
        const RECT from{CapturedRect.Left, CapturedRect.Top, CapturedRect.Right, CapturedRect.Bottom};
        const RECT to{R.Left, R.Top, R.Right, R.Bottom};
        if (IntersectRect(&covered, &from, &to))
            BitBlt(image->GetCanvas()->GetHandle(), covered.left - R.Left, covered.top - R.Top,
                   covered.right - covered.left, covered.bottom - covered.top, ScreenImage->GetCanvas()->GetHandle(),
                   covered.left - CapturedRect.Left, covered.top - CapturedRect.Top, SRCCOPY);
    }
    ScreenImage = std::move(image);
    CapturedRect = R;
}

void TskSkinHintWindow::ApplyAlpha() {
    const bool alpha = HintComponent->GetAlphaBlend();
    const bool layered = HintComponent->GetAlphaBlendSupport();
    const Byte value = HintComponent->GetAlphaBlendValue();
    HWND wnd = GetHandle();
    if (alpha != CurAlphaBlend && layered) {
        const LONG_PTR ex = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
        if (alpha) {
            SetWindowLongPtrA(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
            SetAlphaBlendTransparent(wnd, value);
        } else {
            SetWindowLongPtrA(wnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        }
        CurAlphaBlend = alpha;
    }
    if (value != CurAlphaBlendValue && layered && alpha) {
        SetAlphaBlendTransparent(wnd, value);
        CurAlphaBlendValue = value;
    }
}

void TskSkinHintWindow::SetHintWindowRegion() {
    HWND wnd = GetHandle();
    TBitmap* mask = MaskPicture();
    if (!mask) {
        if (Rgn) {
            SetWindowRgn(wnd, nullptr, FALSE);
            Rgn = nullptr;
        }
        return;
    }
    const TskDataSkinHintWindow* r = Record();
    HRGN rgn = CreateSkinRegion(TSkinGeometry{r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect},
                                TSkinGeometry{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, mask,
                                GetWidth(), GetHeight());
    // A region the window takes is its own from then on, freed by it when replaced; one it
    // refuses is still ours.
    if (SetWindowRgn(wnd, rgn, FALSE)) {
        Rgn = rgn;
    } else if (rgn) {
        DeleteObject(rgn);
    }
}

void TskSkinHintWindow::Paint() {
    const int w = GetWidth(), h = GetHeight();
    if (w < 1 || h < 1) return;
    TBitmap buffer(w, h);
    buffer.SetPixelFormat(pf24bit);
    TCanvas* c = buffer.GetCanvas();
    TBitmap* picture = WindowPicture();
    if (picture) {
        const TskDataSkinHintWindow* r = Record();
        CreateSkinImage(TSkinGeometry{r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect},
                        TSkinGeometry{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, &buffer, picture,
                        TRect(0, 0, picture->GetWidth(), picture->GetHeight()), w, h, true);
    } else {
        c->GetBrush()->SetColor(clInfoBk);
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect(TRect(0, 0, w, h));
    }
    c->GetBrush()->SetStyle(bsClear);
    c->GetFont()->Assign(GetFont());
    const AnsiString text = GetCaption();
    if (picture) {
        c->GetFont()->SetColor(Record()->FontColor);
        const TSize size = TextSize(c, text);
        TRect area(NewClRect.Left + RectWidth(NewClRect) / 2 - size.cx / 2,
                   NewClRect.Top + RectHeight(NewClRect) / 2 - size.cy / 2, 0, 0);
        area.Right = area.Left + size.cx;
        area.Bottom = area.Top + size.cy;
        // A text cut to the screen stays inside the client part, and a cut line says so.
        area.Left = std::max(area.Left, NewClRect.Left);
        area.Top = std::max(area.Top, NewClRect.Top);
        area.Right = std::min(area.Right, NewClRect.Right);
        area.Bottom = std::min(area.Bottom, NewClRect.Bottom);
        c->TextRect(area, text, DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
        if (HintComponent) c->GetFont()->Assign(HintComponent->GetDefaultFont());
        c->GetFont()->SetColor(clInfoText);
        TRect area(2, 2, w - 2, h - 2);
        c->TextRect(area, text, DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (HintComponent && HintComponent->GetAlphaBlend() && !HintComponent->GetAlphaBlendSupport() &&
        ScreenImage->GetWidth() == w && ScreenImage->GetHeight() == h) {
        TskEffectBmp image(buffer.GetHandle());
        TskEffectBmp under(ScreenImage->GetHandle());
        image.Morph(&under, 1.0 - HintComponent->GetAlphaBlendValue() / 255.0);
        image.Draw(c->GetHandle(), 0, 0);
    }
    BitBlt(GetCanvas()->GetHandle(), 0, 0, w, h, c->GetHandle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// TskSkinHint

TskSkinHint::TskSkinHint(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()) {
    HintWindow = new TskSkinHintWindow(this);
    if (IsDesigning() || !Application) return;
    HintWindowClass = TskSkinHintWindow::StaticClass();
    // The application makes its hint window anew, of the new class.
    Application->SetShowHint(!Application->GetShowHint());
    Application->SetShowHint(!Application->GetShowHint());
    Application->OnShowHint = TShowHintEvent(this, &TskSkinHint::SelfOnShowHint);
    Application->SetHintShortPause(100);
}

TskSkinHint::~TskSkinHint() {
    StopHintTimer();
    // The application must not call a hint component that is gone.
    if (Application && Application->OnShowHint.Object() == this) Application->OnShowHint = nullptr;
    SetReference<TskSkinData>(this, FSkinData, nullptr);
}

void TskSkinHint::Published(TPropertyList& P) {
    P.Add("OnShowHint", &TskSkinHint::OnShowHint);
    P.Add("Active", &TskSkinHint::GetActive, &TskSkinHint::SetActive, true);
    P.Add("SkinData", &TskSkinHint::GetSkinData, &TskSkinHint::SetSkinData);
    P.Add("AlphaBlendSupport", &TskSkinHint::GetAlphaBlendSupport, &TskSkinHint::SetAlphaBlendSupport, true);
    P.Add("DefaultFont", &TskSkinHint::GetDefaultFont, &TskSkinHint::SetDefaultFont);
    P.Add("UseSkinFont", &TskSkinHint::GetUseSkinFont, &TskSkinHint::SetUseSkinFont, true);
    P.Add("AlphaBlend", &TskSkinHint::GetAlphaBlend, &TskSkinHint::SetAlphaBlend, false);
    P.Add("AlphaBlendValue", &TskSkinHint::GetAlphaBlendValue, &TskSkinHint::SetAlphaBlendValue, Byte{200});
}

void TskSkinHint::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinData) FSkinData = nullptr;
    if (Operation == opRemove && AComponent == HintTimer) HintTimer = nullptr;
    if (Operation == opRemove && AComponent == HintWindow) HintWindow = nullptr;
}

void TskSkinHint::SetActive(bool Value) {
    FActive = Value;
    if (Value && Application && Application->GetMainForm()) {
        TCustomForm* main = Application->GetMainForm();
        for (int i = 0; i < main->GetComponentCount(); ++i)
            if (auto* other = dynamic_cast<TskSkinHint*>(main->GetComponent(i)); other && other != this && other->FActive)
                other->SetActive(false);
    }
    if (Value && !IsDesigning() && Application)
        Application->OnShowHint = TShowHintEvent(this, &TskSkinHint::SelfOnShowHint);
}

void TskSkinHint::SetSkinData(TskSkinData* Value) {
    SetReference(this, FSkinData, Value);
}

void TskSkinHint::SetAlphaBlendSupport(bool Value) {
    FAlphaBlendSupport = Value && (CheckW2KWXP() || IsDesigning());
}

void TskSkinHint::SetDefaultFont(TFont* Value) {
    FDefaultFont->Assign(Value);
}

void TskSkinHint::SelfOnShowHint(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo) {
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
}

void TskSkinHint::ActivateHint(TPoint P, const AnsiString& S) {
    if (!HintWindow) return;
    HintWindow->ActivateHint(TRect(P.X, P.Y, P.X, P.Y), S);
}

void TskSkinHint::StopHintTimer() {
    delete std::exchange(HintTimer, nullptr);
}

// A pause of 0 starts no system timer: the timer only marks the hint as waiting or shown.
void TskSkinHint::StartHintTimer(int Interval, void (TskSkinHint::*Tick)(TObject*)) {
    StopHintTimer();
    HintTimer = MakeTimer(this, static_cast<Cardinal>(std::max(Interval, 0)), TNotifyEvent(this, Tick));
    HintTimer->SetEnabled(Interval > 0);
}

void TskSkinHint::ActivateHint2(const AnsiString& S) {
    HintText = S;
    const int pause = Application ? Application->GetHintPause() : 0;
    StartHintTimer(pause, &TskSkinHint::HintTime1);
    // No pause: at once. No hide pause: until the object hides it.
    if (pause <= 0) HintTime1(HintTimer);
}

void TskSkinHint::HintTime1(TObject*) {
    if (!HintTimer) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    ActivateHint(TPoint(cursor.x, cursor.y + GetCursorHeightMargin()), HintText);
    StartHintTimer(Application ? Application->GetHintHidePause() : 0, &TskSkinHint::HintTime2);
}

void TskSkinHint::HintTime2(TObject*) {
    HideHint();
}

void TskSkinHint::HideHint() {
    StopHintTimer();
    if (!IsVisible()) return;
    HintWindow->Hidden();
    SetWindowPos(HintWindow->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

bool TskSkinHint::IsVisible() const {
    return HintWindow && HintWindow->HandleAllocated() && IsWindowVisible(HintWindow->GetHandle());
}

int TskSkinHint::GetCursorHeightMargin() {
    return CursorHeightMargin(GetCursor());
}
