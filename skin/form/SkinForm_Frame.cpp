#include "skin/form/SkinForm_Frame.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Arrange.h"

#include "skin/controls/SkinCtrls_Shape.h"
#include "skin/data/Skeffbmp.h"

#include <algorithm>


namespace {

bool RectInZone(const TRect& R, const TRect& Zone) {
    return R.Left >= Zone.Left && R.Right <= Zone.Right && R.Top >= Zone.Top && R.Bottom <= Zone.Bottom;
}

TSkinGeometry Geometry(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& Cl) {
    return TSkinGeometry{LT, RT, LB, RB, Cl};
}

TRect WorkArea() {
    if (Screen) return Screen->GetWorkAreaRect();
    RECT r;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return TRect(r.left, r.top, r.right, r.bottom);
}

} // namespace

TRect MapSkinRect(const TRect& R, const TSkinFrameZones& Z, int dX, int dY) {
    const TRect lt(0, 0, Z.LTPoint.X, Z.LTPoint.Y);
    const TRect rt(Z.RTPoint.X, 0, Z.PictureWidth, Z.RTPoint.Y);
    const TRect lb(0, Z.LBPoint.Y, Z.LBPoint.X, Z.PictureHeight);
    const TRect rb(Z.RBPoint.X, Z.RBPoint.Y, Z.PictureWidth, Z.PictureHeight);
    const TPoint tl(R.Left, R.Top), br(R.Right, R.Bottom);
    TRect m = R;
    if (RectInZone(R, lt)) return m;
    if (RectInZone(R, rt)) return MovedRect(m, dX, 0);
    if (RectInZone(R, lb)) return MovedRect(m, 0, dY);
    if (RectInZone(R, rb)) return MovedRect(m, dX, dY);
    if (InHalfOpen(lt, tl) && InHalfOpen(rb, br)) {
        m.Right += dX;
        m.Bottom += dY;
    } else if (InHalfOpen(lt, tl) && InHalfOpen(rt, br)) {
        m.Right += dX;
    } else if (InHalfOpen(lb, tl) && InHalfOpen(rb, br)) {
        m.Right += dX;
        m = MovedRect(m, 0, dY);
    } else if (InHalfOpen(lt, tl) && InHalfOpen(lb, br)) {
        m.Bottom += dY;
    } else if (InHalfOpen(rt, tl) && InHalfOpen(rb, br)) {
        m = MovedRect(m, dX, 0);
        m.Bottom += dY;
    }
    return m;
}

int PlainFrameHitTest(TPoint P, int W, int H, bool CanSize, bool ObjectActive,
                      const TRect& CaptionRect, int CaptionHeight) {
    const int x = P.X, y = P.Y;
    if (CanSize) {
        if (ObjectActive) return HTOBJECT_FRAME;
        if (x < 3 && y < 3) return HTTOPLEFT;
        if (x >= W - 2 && y < 3) return HTTOPRIGHT;
        if (x < 3 && y >= H - 2) return HTBOTTOMLEFT;
        if (x >= W - 2 && y >= H - 2) return HTBOTTOMRIGHT;
        if (x < 3) return HTLEFT;
        if (y < 3) return HTTOP;
        if (x >= W - 2) return HTRIGHT;
        if (y >= H - 2) return HTBOTTOM;
    }
    if (InHalfOpen(CaptionRect, P)) return HTCAPTION;
    if (InHalfOpen(TRect(3, CaptionHeight + 3, W - 3, H - 3), P)) return HTCLIENT;
    return HTOBJECT_FRAME;
}

void MagneticDock(int& L, int& T, int W, int H, const TRect& A, int M) {
    if (A.Left - M < L && L < A.Left + M) L = A.Left;
    if (A.Top - M < T && T < A.Top + M) T = A.Top;
    const int r = L + W, b = T + H;
    if (A.Right - M < r && r < A.Right + M) L = A.Right - W;
    if (A.Bottom - M < b && b < A.Bottom + M) T = A.Bottom - H;
}

// ---------------------------------------------------------------------------
// Geometry

bool TskSkinForm::CanNCSupport() const {
    return FSupportNCArea && FSkinData && !FSkinData->Empty && !IsNullRect(FSkinData->ClRect) &&
           FSkinData->Picture && !FSkinData->Picture->GetEmpty();
}

bool TskSkinForm::CanObjectTest(bool ObjectRollUp) const {
    return FSupportNCArea ? !ObjectRollUp : ObjectRollUp == FRollUpState;
}

void TskSkinForm::PointToNCPoint(TPoint& P) {
    RECT r{};
    if (FForm->HandleAllocated()) GetWindowRect(FForm->GetHandle(), &r);
    P.X -= r.left;
    P.Y -= r.top;
}

void TskSkinForm::CalcRects() {
    if (!FSkinData || FSkinData->Empty) return;
    if (FNewWidth == 0) FNewWidth = FForm->GetWidth();
    if (FNewHeight == 0) FNewHeight = FForm->GetHeight();
    const TskSkinData& s = *FSkinData;
    const int pw = s.Picture ? s.Picture->GetWidth() : 0;
    const int ph = s.Picture ? s.Picture->GetHeight() : 0;
    const int dW = FNewWidth - pw, dH = FNewHeight - ph;
    NewLTPoint = s.LTPoint;
    NewRTPoint = TPoint(s.RTPoint.X + dW, s.RTPoint.Y);
    NewLBPoint = TPoint(s.LBPoint.X, s.LBPoint.Y + dH);
    NewRBPoint = TPoint(s.RBPoint.X + dW, s.RBPoint.Y + dH);
    NewClRect = TRect(s.ClRect.Left, s.ClRect.Top, s.ClRect.Right + dW, s.ClRect.Bottom + dH);
    NewCaptionRect = s.CaptionRect;
    if (!IsNullRect(NewCaptionRect)) NewCaptionRect.Right += dW;
    NewButtonsRect = s.ButtonsRect;
    if (NewButtonsRect.Left > pw / 2) NewButtonsRect = MovedRect(NewButtonsRect, dW, 0);
    NewHitTestLTPoint = s.HitTestLTPoint;
    NewHitTestRTPoint = TPoint(s.HitTestRTPoint.X + dW, s.HitTestRTPoint.Y);
    NewHitTestLBPoint = TPoint(s.HitTestLBPoint.X, s.HitTestLBPoint.Y + dH);
    NewHitTestRBPoint = TPoint(s.HitTestRBPoint.X + dW, s.HitTestRBPoint.Y + dH);
    NewMaskRectArea = TRect(s.MaskRectArea.Left, s.MaskRectArea.Top, s.MaskRectArea.Right + dW,
                            s.MaskRectArea.Bottom + dH);
    NewIconRect = CalcRealObjectRect(s.IconRect);
    NewMainMenuRect = s.MainMenuRect;
    if (s.RBPoint.X != s.LTPoint.X && s.RBPoint.Y != s.LTPoint.Y) NewMainMenuRect.Right += dW;
    if (InHalfOpen(TRect(0, s.LBPoint.Y, s.LBPoint.X, ph), TPoint(s.MainMenuRect.Left, s.MainMenuRect.Top)))
        NewMainMenuRect = MovedRect(NewMainMenuRect, 0, dH);
}

TRect TskSkinForm::CalcRealObjectRect(const TRect& R) {
    const TskSkinData& s = *FSkinData;
    TSkinFrameZones zones{s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint,
                          s.Picture ? s.Picture->GetWidth() : 0, s.Picture ? s.Picture->GetHeight() : 0};
    return MapSkinRect(R, zones, NewRBPoint.X - s.RBPoint.X, NewRBPoint.Y - s.RBPoint.Y);
}

namespace {
TskSkinStdButtonObject* LaidOutButton(const std::vector<TskActiveSkinObject*>& Objects, TStdCommand Command) {
    for (TskActiveSkinObject* o : Objects)
        if (auto* b = dynamic_cast<TskSkinStdButtonObject*>(o))
            if (b->Visible && b->SkinRectInAPicture && b->Command == Command) return b;
    return nullptr;
}
} // namespace

void TskSkinForm::CalcAllRealObjectRect() {
    std::vector<TskActiveSkinObject*> objects;
    TskSkinCaptionObject* caption = nullptr;
    for (auto& o : FObjectList) {
        o->ObjectRect = CalcRealObjectRect(o->SkinRect);
        objects.push_back(o.get());
        if (!caption) caption = dynamic_cast<TskSkinCaptionObject*>(o.get());
    }
    const bool hasButtons = !IsNullRect(NewButtonsRect);
    if (!hasButtons && IsNullRect(NewCaptionRect)) return;
    const TRect anchor = hasButtons ? NewButtonsRect : NewCaptionRect;
    const int y = anchor.Top;
    const int offset = FSkinData->ButtonsOffset;
    auto size = [&](TskSkinStdButtonObject* b) {
        TSize s(RectWidth(b->SkinRect), RectHeight(b->SkinRect));
        if (b->Command == cmSysMenu && FShowIcon) GetIconSize(s.cx, s.cy);
        return s;
    };
    static const TStdCommand kOrder[] = {cmClose, cmMaximize, cmMinimize, cmRollUp};
    TskSkinStdButtonObject* sys = LaidOutButton(objects, cmSysMenu);
    if (!FSkinData->ButtonsInLeft) {
        int x = anchor.Right;
        for (TStdCommand c : kOrder) {
            TskSkinStdButtonObject* b = LaidOutButton(objects, c);
            if (!b) continue;
            const TSize s = size(b);
            b->ObjectRect = TRect(x - s.cx, y, x, y + s.cy);
            x -= s.cx + offset;
        }
        if (!hasButtons && caption) caption->ObjectRect.Right = x + offset;
        if (sys) {
            const TSize s = size(sys);
            const int top = NewCaptionRect.Top + RectHeight(NewCaptionRect) / 2 - s.cy / 2;
            sys->ObjectRect = TRect(NewCaptionRect.Left, top, NewCaptionRect.Left + s.cx, top + s.cy);
            if (caption) caption->ObjectRect.Left = NewCaptionRect.Left + s.cx;
        }
    } else {
        int x = anchor.Left;
        auto place = [&](TskSkinStdButtonObject* b) {
            const TSize s = size(b);
            b->ObjectRect = TRect(x, y, x + s.cx, y + s.cy);
            x += s.cx + offset;
        };
        for (TStdCommand c : kOrder)
            if (TskSkinStdButtonObject* b = LaidOutButton(objects, c)) place(b);
        if (!hasButtons) {
            if (sys) place(sys);
            if (caption) caption->ObjectRect.Left = x + offset;
        }
    }
}

void TskSkinForm::RemoveRegion() {
    if (!FRgn) return;
    // The window owns the region it was given and deletes it itself.
    SetWindowRgn(FForm->GetHandle(), nullptr, TRUE);
    FRgn = nullptr;
}

void TskSkinForm::CreateNewRegion(bool AUpdate) {
    if (!FForm->HandleAllocated()) return;
    if (FSupportNCArea && FForm->GetBorderStyle() == bsNone) return RemoveRegion();
    if (MaximizedMDIChild() && FSkinData && FSkinData->Mask && !FSkinData->Mask->GetEmpty()) return RemoveRegion();
    if (!FSkinData || FSkinData->Empty || !FSkinData->Mask || FSkinData->Mask->GetEmpty()) {
        RemoveRegion();
        for (auto* m : {TopMask.get(), BottomMask.get(), LeftMask.get(), RightMask.get()}) m->SetSize(0, 0);
        return;
    }
    const TskSkinData& s = *FSkinData;
    HRGN rgn = nullptr;
    if (AUpdate) {
        CreateSkinMask(Geometry(s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint, s.MaskRectArea),
                       Geometry(NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewMaskRectArea),
                       s.Mask.get(), TopMask.get(), LeftMask.get(), RightMask.get(), BottomMask.get(),
                       FNewWidth, FNewHeight);
        rgn = CreateSkinRegionFromMasks(NewMaskRectArea, TopMask.get(), LeftMask.get(), RightMask.get(),
                                        BottomMask.get());
    } else {
        rgn = CreateSkinSimplyRegion(s.Mask.get());
    }
    SetRegion(rgn);
}

// Sets Rgn as the window region; a missing or empty one (a mask without black pixels)
// leaves the window whole rather than invisible.
void TskSkinForm::SetRegion(HRGN Rgn) {
    RECT box;
    if (!Rgn || GetRgnBox(Rgn, &box) == NULLREGION) {
        if (Rgn) DeleteObject(Rgn);
        RemoveRegion();
        return;
    }
    SetWindowRgn(FForm->GetHandle(), Rgn, TRUE);
    FRgn = Rgn;
}

bool TskSkinForm::PtInMask(TPoint P) {
    if (InHalfOpen(NewMaskRectArea, P)) return true;
    auto black = [](TBitmap* B, int X, int Y) {
        if (X < 0 || Y < 0 || X >= B->GetWidth() || Y >= B->GetHeight()) return false;
        return (B->GetCanvas()->GetPixels(X, Y) & 0xFFFFFF) == 0;
    };
    const TRect& m = NewMaskRectArea;
    if (P.Y <= m.Top) return black(TopMask.get(), P.X, P.Y);
    if (P.Y >= m.Bottom) return black(BottomMask.get(), P.X, P.Y - m.Bottom);
    if (P.X > m.Left) return black(RightMask.get(), P.X - m.Right, P.Y - m.Top);
    return black(LeftMask.get(), P.X, P.Y - m.Top);
}

// ---------------------------------------------------------------------------
// Hit tests

// The sizing code of P on the skin's border; 0 off the border or where no code applies.
int TskSkinForm::SkinBorderHitTest(TPoint P) {
    const int b = FSkinData->BorderWidth;
    const int w = FForm->GetWidth(), h = FForm->GetHeight();
    const TPoint around[] = {TPoint(P.X - b, P.Y), TPoint(P.X, P.Y - b), TPoint(P.X + b, P.Y), TPoint(P.X, P.Y + b)};
    bool border = false;
    if (!FSkinData->Mask || FSkinData->Mask->GetEmpty()) {
        for (const TPoint& q : around) border = border || !InHalfOpen(TRect(0, 0, w, h), q);
    } else if (!InHalfOpen(NewMaskRectArea, P)) {
        for (const TPoint& q : around) border = border || !PtInMask(q);
    }
    if (!border) return 0;
    const int x = P.X, y = P.Y;
    if (x <= NewHitTestLTPoint.X && y <= NewHitTestLTPoint.Y) return HTTOPLEFT;
    if (x >= NewHitTestRTPoint.X && y <= NewHitTestRTPoint.Y) return HTTOPRIGHT;
    if (x <= NewHitTestLBPoint.X && y >= NewHitTestLBPoint.Y) return HTBOTTOMLEFT;
    if (x >= NewHitTestRBPoint.X && y >= NewHitTestRBPoint.Y) return HTBOTTOMRIGHT;
    if (InHalfOpen(TRect(NewHitTestLTPoint.X, 0, NewHitTestRTPoint.X, NewClRect.Top), P)) return HTTOP;
    if (InHalfOpen(TRect(NewHitTestLBPoint.X, NewClRect.Bottom, NewHitTestRBPoint.X, h), P)) return HTBOTTOM;
    if (InHalfOpen(TRect(0, NewHitTestLTPoint.Y, NewClRect.Left, NewHitTestLBPoint.Y), P)) return HTLEFT;
    if (InHalfOpen(TRect(NewClRect.Right, NewHitTestRTPoint.Y, w, NewHitTestRBPoint.Y), P)) return HTRIGHT;
    return 0;
}

int TskSkinForm::NewNCHitTest(TPoint P) {
    auto captionTest = [&] {
        for (auto& o : FObjectList)
            if (dynamic_cast<TskSkinCaptionObject*>(o.get()) && CanObjectTest(o->RollUp) &&
                InHalfOpen(o->ObjectRect, P))
                return HTCAPTION;
        return HTOBJECT_FRAME;
    };
    if (FRollUpState || FWindowState == wsMinimized) return captionTest();
    if (ActiveObject != -1 && captionTest() != HTCAPTION && !InHalfOpen(NewClRect, P)) return HTOBJECT_FRAME;
    if (FWindowState == wsMaximized || !FSizeable) return InHalfOpen(NewClRect, P) ? HTCLIENT : captionTest();
    if (const int code = SkinBorderHitTest(P)) return code;
    return InHalfOpen(NewClRect, P) ? HTCLIENT : captionTest();
}

int TskSkinForm::NewDefNCHitTest(TPoint P) {
    const bool canSize = FWindowState == wsNormal && !FRollUpState && FSizeable;
    return PlainFrameHitTest(P, FForm->GetWidth(), FForm->GetHeight(), canSize, ActiveObject != -1,
                             GetDefCaptionRect(), GetDefCaptionHeight());
}

void TskSkinForm::NCCalcSize(TMessage& Message) {
    Message.Result = 0;
    if (!FSupportNCArea || FForm->GetBorderStyle() == bsNone || MaximizedMDIChild()) return;
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    if (CanNCSupport()) {
        CalcRects();
        const TskSkinData& s = *FSkinData;
        r->left += s.ClRect.Left;
        r->top += s.ClRect.Top;
        r->right -= s.Picture->GetWidth() - s.ClRect.Right;
        r->bottom -= s.Picture->GetHeight() - s.ClRect.Bottom;
    } else {
        r->left += 3;
        r->top += GetDefCaptionHeight() + 3;
        r->right -= 3;
        r->bottom -= 3;
    }
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
}

// ---------------------------------------------------------------------------
// Painting

void TskSkinForm::DrawSkinObject(TskActiveSkinObject* Object) {
    if (!CanObjectTest(Object->RollUp) || !FForm->HandleAllocated()) return;
    if (!FSupportNCArea) return Object->Draw(FForm->GetCanvas(), true);
    if (FForm->GetBorderStyle() == bsNone || MaximizedMDIChild()) return;
    HWND wnd = FForm->GetHandle();
    HDC dc = GetWindowDC(wnd);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        Object->Draw(&canvas, true);
        canvas.SetHandle(nullptr);
    }
    ReleaseDC(wnd, dc);
}

void TskSkinForm::DrawNCObjects(TBitmap* Top, TBitmap* Bottom) {
    // The main-menu items first, into the border that holds the menu area; each places
    // itself after the one before it.
    for (TskSkinMainMenuItem* item : MainMenuItems())
        item->Draw(NewMainMenuRect.Top > NewClRect.Top ? Bottom->GetCanvas() : Top->GetCanvas(), false);
    for (TskActiveSkinObject* o : ObjectSnapshot()) {
        if (!HasObject(o) || !CanObjectTest(o->RollUp) || !o->Visible || dynamic_cast<TskSkinMainMenuItem*>(o))
            continue;
        if (o->ObjectRect.Bottom > NewClRect.Top) {
            const TRect kept = o->ObjectRect;
            o->ObjectRect = MovedRect(o->ObjectRect, 0, -NewClRect.Bottom);
            o->Draw(Bottom->GetCanvas(), false);
            if (HasObject(o)) o->ObjectRect = kept;
        } else {
            o->Draw(Top->GetCanvas(), false);
        }
    }
}

void TskSkinForm::PaintNCSkin() {
    if (!CanNCSupport() || !FForm->HandleAllocated()) return;
    if (FNewWidth == 0) FNewWidth = FForm->GetWidth();
    if (FNewHeight == 0) FNewHeight = FForm->GetHeight();
    if (FNewWidth < GetMinWidth() || FNewHeight < GetMinHeight()) return;
    // A hidden frame shows nothing; showing it paints the frame again.
    PaintSkinFrame(IsWindowVisible(FForm->GetHandle()) != FALSE);
}

// The frame laid out for FNewWidth x FNewHeight, drawn when Show says so.
void TskSkinForm::PaintSkinFrame(bool Show) {
    CalcRects();
    CalcAllRealObjectRect();
    if (!Show) return;
    const TskSkinData& s = *FSkinData;
    TBitmap top, left, right, bottom;
    // Memory images: a device bitmap of the frame's width costs more to make than to fill.
    for (TBitmap* b : {&top, &left, &right, &bottom}) b->SetPixelFormat(pf32bit);
    CreateSkinBorderImages(Geometry(s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint, s.ClRect),
                           Geometry(NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect), &left, &top,
                           &right, &bottom, s.Picture.get(),
                           TRect(0, 0, s.Picture->GetWidth(), s.Picture->GetHeight()), FNewWidth, FNewHeight,
                           s.LeftStretch, s.TopStretch, s.RightStretch, s.BottomStretch);
    DrawNCObjects(&top, &bottom);
    HWND wnd = FForm->GetHandle();
    HDC dc = GetWindowDC(wnd);
    if (!IsNullRect(NewClRect))
        ExcludeClipRect(dc, NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom);
    const int topH = top.GetHeight();
    const TPoint at[] = {TPoint(0, 0), TPoint(0, topH), TPoint(FNewWidth - right.GetWidth(), topH),
                         TPoint(0, FNewHeight - bottom.GetHeight())};
    TBitmap* images[] = {&top, &left, &right, &bottom};
    const bool plain = GetFormActive() || !s.AutoRenderingInActiveImage;
    for (int i = 0; i < 4; ++i) {
        TBitmap* b = images[i];
        if (b->GetEmpty() || b->GetWidth() <= 0 || b->GetHeight() <= 0) continue;
        if (plain) {
            BitBlt(dc, at[i].X, at[i].Y, b->GetWidth(), b->GetHeight(), b->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
            continue;
        }
        FInactiveLooks[i].Of(b, s.InActiveEffect).Draw(dc, at[i].X, at[i].Y);
    }
    ReleaseDC(wnd, dc);
}

void TskSkinForm::PaintIconic() {
    HWND wnd = FForm->GetHandle();
    RECT r;
    GetWindowRect(wnd, &r);
    const int w = r.right - r.left;
    if (CanNCSupport()) {
        // The frame a rolled-up form shows, as wide as the icon where the skin's middles
        // can shrink that far; what passes the icon's edges is cut off.
        const TskSkinData& s = *FSkinData;
        const int pw = s.Picture->GetWidth();
        FNewWidth = std::max({w, pw - (s.RTPoint.X - s.LTPoint.X), pw - (s.RBPoint.X - s.LBPoint.X)});
        FNewHeight = s.Picture->GetHeight() - RectHeight(s.ClRect);
        PaintSkinFrame(true);
    } else {
        FNewWidth = w;
        FNewHeight = GetDefCaptionHeight() + 6;
        PaintNCDefault();
    }
    // The frame was laid out for the icon: the restored window lays out its own again.
    FFrameBuiltFor = TSize(-1, -1);
}

void TskSkinForm::PaintBG(HDC DC) {
    PaintBG(DC, FForm->GetClientRect());
}

void TskSkinForm::PaintBG(HDC DC, const TRect& Client) {
    if (!FSkinData || FSkinData->Empty) return;
    const TRect& client = Client;
    const TRect& cl = FSkinData->ClRect;
    TBitmap* picture = FSkinData->Picture.get();
    TBitmap b(RectWidth(client), RectHeight(client), pf24bit);
    if (!IsNullRect(cl) && picture && !picture->GetEmpty()) {
        HDC src = picture->GetCanvas()->GetHandle();
        for (int y = 0; y < b.GetHeight(); y += RectHeight(cl))
            for (int x = 0; x < b.GetWidth(); x += RectWidth(cl))
                BitBlt(b.GetCanvas()->GetHandle(), x, y, RectWidth(cl), RectHeight(cl), src, cl.Left, cl.Top, SRCCOPY);
    } else {
        b.GetCanvas()->GetBrush()->SetColor(clBtnFace);
        b.GetCanvas()->FillRect(TRect(0, 0, b.GetWidth(), b.GetHeight()));
    }
    BitBlt(DC, 0, 0, b.GetWidth(), b.GetHeight(), b.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

TBitmap* TskSkinForm::BackgroundPicture() const {
    TBitmap* p = FSkinData ? SkinPicture(FSkinData, FSkinData->BGPictureIndex) : nullptr;
    return p && !p->GetEmpty() ? p : nullptr;
}

void TskSkinForm::PaintBG2(HDC DC) {
    PaintBG2(DC, FForm->GetClientRect());
}

void TskSkinForm::PaintBG2(HDC DC, const TRect& Client) {
    TBitmap* p = BackgroundPicture();
    if (!p) return PaintBG(DC, Client);
    const TRect& client = Client;
    for (int y = 0; y <= RectHeight(client) / p->GetHeight(); ++y)
        for (int x = 0; x <= RectWidth(client) / p->GetWidth(); ++x)
            BitBlt(DC, x * p->GetWidth(), y * p->GetHeight(), p->GetWidth(), p->GetHeight(),
                   p->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TskSkinForm::PaintBGDefault(HDC DC) {
    const TRect client = FForm->GetClientRect();
    RECT r{client.Left, client.Top, client.Right, client.Bottom};
    FillRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
}

int TskSkinForm::GetDefCaptionHeight() {
    const TFormBorderStyle style = FForm->GetBorderStyle();
    return style == bsToolWindow || style == bsSizeToolWin ? 15 : 19;
}

int TskSkinForm::GetDefButtonSize() {
    const TFormBorderStyle style = FForm->GetBorderStyle();
    return style == bsToolWindow || style == bsSizeToolWin ? 13 : 17;
}

TRect TskSkinForm::GetDefCaptionRect() {
    CalcDefRects();
    return DefCaptionRect;
}

void TskSkinForm::CalcDefRects() {
    if (FNewWidth == 0) FNewWidth = FForm->GetWidth();
    if (FNewHeight == 0) FNewHeight = FForm->GetHeight();
    DefCaptionRect = TRect(3, 3, FNewWidth - 3, GetDefCaptionHeight());
    if (FObjectList.empty()) return;
    const int s = GetDefButtonSize();
    int r = FNewWidth - 3;
    std::vector<TskActiveSkinObject*> objects;
    for (auto& o : FObjectList) objects.push_back(o.get());
    for (TStdCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp}) {
        if (TskSkinStdButtonObject* b = LaidOutButton(objects, c)) {
            b->ObjectRect = TRect(r - s, 4, r, 4 + s);
            r -= s;
        }
    }
    DefCaptionRect.Right = r;
    for (TskActiveSkinObject* o : objects) {
        auto* b = dynamic_cast<TskSkinStdButtonObject*>(o);
        if (!b || b->Command != cmSysMenu) continue;
        const int l = DefCaptionRect.Left;
        int w = s, h = s;
        if (FShowIcon) GetIconSize(w, h);
        b->ObjectRect = TRect(l, 4, l + w, 4 + h);
        DefCaptionRect.Left = b->ObjectRect.Right;
        break;
    }
}

void TskSkinForm::PaintNCDefault() {
    if (!FForm->HandleAllocated()) return;
    if (FNewWidth == 0) FNewWidth = FForm->GetWidth();
    if (FNewHeight == 0) FNewHeight = FForm->GetHeight();
    if (FObjectList.empty() && !FSkinApplied) LoadDefObjects();
    CalcDefRects();
    const int capH = GetDefCaptionHeight();
    const int w = FNewWidth, h = FNewHeight;
    TBitmap b(std::max(w - 6, 1), capH, pf24bit);
    TCanvas* c = b.GetCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, b.GetWidth(), b.GetHeight()));
    const int a = DefCaptionRect.Left - 3;
    const int bb = b.GetWidth() - DefCaptionRect.Right;
    if (capH - 4 >= 2) {
        for (int y = 2; y <= capH - 4; ++y) {
            c->GetPen()->SetColor((y - 2) % 2 == 0 ? clBtnHighlight : clBtnShadow);
            c->MoveTo(a + 2, y);
            c->LineTo(b.GetWidth() - bb - 6, y);
        }
    }
    c->GetFont()->Assign(GetFormActive() ? FDefCaptionFont.get() : FDefInActiveCaptionFont.get());
    AnsiString text = CaptionText();
    if (!text.empty()) {
        CorrectTextbyWidth(c, text, b.GetWidth() - a - bb);
        const int tw = c->TextWidth(text), th = c->TextHeight(text);
        const int x = a + (b.GetWidth() - a - bb) / 2 - (tw + 5) / 2;
        const int y = capH / 2 - th / 2;
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(TRect(x, 0, x + tw + 5, b.GetHeight()));
        c->GetBrush()->SetStyle(bsClear);
        c->TextOut(x + 3, y, text);
        c->GetBrush()->SetStyle(bsSolid);
    }
    for (TskActiveSkinObject* o : ObjectSnapshot()) {
        if (!HasObject(o) || !o->Visible) continue;
        o->ObjectRect = MovedRect(o->ObjectRect, -3, -3);
        o->Draw(c, true);
        if (HasObject(o)) o->ObjectRect = MovedRect(o->ObjectRect, 3, 3);
    }
    HWND wnd = FForm->GetHandle();
    HDC dc = GetWindowDC(wnd);
    ExcludeClipRect(dc, 3, capH + 3, w - 3, h - 3);
    BitBlt(dc, 3, 3, b.GetWidth(), b.GetHeight(), c->GetHandle(), 0, 0, SRCCOPY);
    {
        TCanvas frame;
        frame.SetHandle(dc);
        Frm3D(&frame, TRect(0, 0, w, h), cl3DLight, cl3DDkShadow);
        Frm3D(&frame, TRect(1, 1, w - 1, h - 1), clBtnHighlight, clBtnShadow);
        Frm3D(&frame, TRect(2, 2, w - 2, h - 2), clBtnFace, clBtnFace);
        frame.SetHandle(nullptr);
    }
    ReleaseDC(wnd, dc);
}

// ---------------------------------------------------------------------------
// Size limits, icon and states

int TskSkinForm::GetMinWidth() {
    if (FSupportNCArea) {
        if (!FSkinApplied) return FMinWidth >= 1 ? FMinWidth : 130;
        const int p = FSkinData->Picture ? FSkinData->Picture->GetWidth() : 0;
        return p < FMinWidth && FWindowState != wsMinimized ? FMinWidth : p;
    }
    if (!FSkinApplied) return 0;
    // Rolled up to a picture that does not stretch: that picture's width.
    const TskSkinData& s = *FSkinData;
    if (FRollUpState && s.RollUpPicture && s.RollUpLeftPoint.X >= s.RollUpRightPoint.X)
        return s.RollUpPicture->GetWidth();
    const int p = s.Picture ? s.Picture->GetWidth() : 0;
    return FMinWidth == 0 || p < FMinWidth ? p : FMinWidth;
}

int TskSkinForm::GetMinHeight() {
    const bool free = !FRollUpState && FWindowState != wsMinimized;
    if (FSupportNCArea) {
        const int plain = GetDefCaptionHeight() + 6;
        int p = plain;
        if (FSkinApplied) {
            p = (FSkinData->Picture ? FSkinData->Picture->GetHeight() : 0) - RectHeight(FSkinData->ClRect);
            // A frame with little or nothing outside its client part would minimize or roll
            // up to a sliver nobody can click: a frame that is all caption is at least the
            // plain one.
            if (!free) p = std::max(p, plain);
        }
        return p < FMinHeight && free ? FMinHeight : p;
    }
    if (!FSkinApplied) return 0;
    // Rolled up: the roll-up picture's height.
    if (FRollUpState && FSkinData->RollUpPicture) return FSkinData->RollUpPicture->GetHeight();
    const int p = FSkinData->Picture ? FSkinData->Picture->GetHeight() : 0;
    return FMinHeight == 0 || p < FMinHeight ? p : FMinHeight;
}

int TskSkinForm::GetMaxWidth() {
    return RectWidth(WorkArea());
}

int TskSkinForm::GetMaxHeight() {
    return RectHeight(WorkArea());
}

void TskSkinForm::GetIconSize(int& W, int& H) {
    W = GetSystemMetrics(SM_CXSMICON);
    if (W == 0) W = GetSystemMetrics(SM_CXICON);
    H = GetSystemMetrics(SM_CYSMICON);
    if (H == 0) H = GetSystemMetrics(SM_CYICON);
}

void TskSkinForm::DrawFormIcon(TCanvas* Cnvs, int X, int Y) {
    if (!FIcon) {
        int w, h;
        GetIconSize(w, h);
        HICON source = FForm->GetIcon() ? FForm->GetIcon()->GetHandle() : nullptr;
        HICON loaded = nullptr;
        if (!source) source = reinterpret_cast<HICON>(GetClassLongPtrA(Application->GetHandle(), GCLP_HICON));
        if (!source) source = loaded = LoadIconA(nullptr, IDI_APPLICATION);
        FIcon = std::make_unique<TIcon>();
        FIcon->SetHandle(static_cast<HICON>(CopyImage(source, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE)));
        (void)loaded; // shared system icon: not destroyed
    }
    if (FIcon->GetHandle())
        DrawIconEx(Cnvs->GetHandle(), X, Y, FIcon->GetHandle(), 0, 0, 0, nullptr, DI_NORMAL);
}

TPoint TskSkinForm::GetMinimizeCoord() {
    if (IsMDIChild()) return GetMDIMinimizeCoord();
    return MinimizedSlot(WorkArea(), GetMinWidth(), GetMinHeight(), [&](TPoint P) {
        for (int i = 0; i < Screen->GetFormCount(); ++i) {
            TCustomForm* f = Screen->GetForm(i);
            if (f == FForm || f == Application->GetMainForm() || !f->GetVisible()) continue;
            TskSkinForm* c = GetSkinFormComponent(f);
            if (c && c->GetWindowState() == wsMinimized && f->GetLeft() == P.X && f->GetTop() == P.Y) return true;
        }
        return false;
    });
}

void TskSkinForm::SetFormBounds(const TRect& R) {
    FForm->SetBounds(R.Left, R.Top, RectWidth(R), RectHeight(R));
}

void TskSkinForm::SetWindowState(TWindowState Value) {
    if (Value == FWindowState) return;
    const bool mainForm = Application->GetMainForm() == FForm;
    if (!(Value == wsMinimized && mainForm)) FWindowState = Value;
    switch (Value) {
    case wsNormal: DoNormalize(); break;
    case wsMinimized: DoMinimize(); break;
    case wsMaximized: DoMaximize(); break;
    }
}

namespace {
TRect BoundsOf(TControl* C) {
    return TRect(C->GetLeft(), C->GetTop(), C->GetLeft() + C->GetWidth(), C->GetTop() + C->GetHeight());
}
bool Empty(const TRect& R) {
    return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0;
}
} // namespace

void TskSkinForm::DoMinimize() {
    if (Application->GetMainForm() != FForm && FSupportNCArea) {
        if (Empty(NormalBounds)) NormalBounds = BoundsOf(FForm);
        const TPoint p = GetMinimizeCoord();
        FForm->SetBounds(p.X, p.Y, GetMinWidth(), GetMinHeight());
        if (IsMDIChild()) SendToMainForm(WM_MDICHILDRESTORED);
    } else {
        Application->Minimize();
    }
}

void TskSkinForm::DoMaximize() {
    if (Empty(NormalBounds)) NormalBounds = BoundsOf(FForm);
    if (IsMDIChild()) {
        // Without its frame, over the whole of the work area.
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1, false);
        const TRect before = BoundsOf(FForm);
        const TRect area = GetMDIWorkArea();
        SetFormBounds(TRect(0, 0, RectWidth(area), RectHeight(area)));
        if (RectWidth(before) == FForm->GetWidth() && RectHeight(before) == FForm->GetHeight()) UpDateForm();
        SendToMainForm(WM_MDICHILDMAXIMIZED);
        return;
    }
    if (FMaximizeOnFullScreen)
        SetFormBounds(TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    else
        SetFormBounds(WorkArea());
}

void TskSkinForm::DoNormalize() {
    FMaxRollUpState = false;
    const TRect before = BoundsOf(FForm);
    if (!Empty(NormalBounds)) SetFormBounds(NormalBounds);
    MouseTimer->SetEnabled(true);
    if (FSupportNCArea) {
        if (RectWidth(before) == FForm->GetWidth() && RectHeight(before) == FForm->GetHeight()) UpDateForm();
        FForm->Invalidate();
        if (IsMDIChild()) SendToMainForm(WM_MDICHILDRESTORED);
    }
    NormalBounds = TRect();
}

void TskSkinForm::SetRollUpState(bool Value) {
    if (!FSkinApplied && !FSupportNCArea) return;
    if (!FBorderIcons.Contains(TskBorderIcon::biRollUp)) return;
    if (FRollUpState && FWindowState == wsMaximized && !FMaxRollUpState) return;
    if (FWindowState == wsMinimized || Value == FRollUpState) return;
    // Client mode rolls up to the skin's roll-up picture, and not without one.
    if (!FSupportNCArea && (!FSkinData->RollUpPicture || FSkinData->RollUpPicture->GetEmpty())) return;
    if (FWindowState == wsMaximized) FMaxRollUpState = Value;
    FRollUpState = Value;
    MouseDownObject = -1;
    TSizeConstraints* constraints = FForm->GetConstraints();
    if (Value) {
        RollUpHeight = FForm->GetHeight();
        RollUpWidth = FForm->GetWidth();
        // Rolled up, the form is exactly its caption high, whatever its constraints say.
        FRollUpConstraintHeight = constraints->GetMinHeight();
        FRollUpConstraintWidth = constraints->GetMinWidth();
        constraints->SetMinHeight(0);
        constraints->SetMinWidth(0);
        if (FSupportNCArea)
            FForm->SetHeight(GetMinHeight());
        else
            CreateRollUpForm();
    } else {
        if (FSupportNCArea)
            FForm->SetHeight(RollUpHeight);
        else
            RestoreRollUpForm();
        constraints->SetMinHeight(FRollUpConstraintHeight);
        constraints->SetMinWidth(FRollUpConstraintWidth);
    }
    if (FSupportNCArea) SendNCPaint();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TskSkinForm::DoMagnetic(int& L, int& T, int W, int H) {
    TRect area = WorkArea();
    TCustomForm* main = Application->GetMainForm();
    if (IsMDIChild() && main) {
        // The children's work area, on the screen.
        const TPoint origin = main->ClientToScreen(TPoint(0, 0));
        area = MovedRect(GetMDIWorkArea(), origin.X, origin.Y);
    }
    MagneticDock(L, T, W, H, area, FMagneticSize);
}
