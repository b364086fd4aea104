#include "skin/controls/SkinTabs.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

namespace {

bool IsSide(TTabPosition Position) {
    return Position == tpLeft || Position == tpRight;
}

// R lies inside Picture.
bool Holds(TBitmap* Picture, const TRect& R) {
    return Picture && !IsNullRect(R) && R.Left >= 0 && R.Top >= 0 &&
           R.Right <= Picture->GetWidth() && R.Bottom <= Picture->GetHeight();
}

// The corner points and client rectangle describe a frame inside a W x H skin rectangle.
bool FrameFits(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
               const TRect& Cl, int W, int H) {
    auto in = [](int V, int Max) { return V >= 0 && V <= Max; };
    return in(LT.X, W) && in(RT.X, W) && in(LB.X, W) && in(RB.X, W) && in(LT.Y, H) &&
           in(RT.Y, H) && in(LB.Y, H) && in(RB.Y, H) && LT.X <= RT.X && LB.X <= RB.X &&
           LT.Y <= LB.Y && RT.Y <= RB.Y && Cl.Left >= 0 && Cl.Top >= 0 && Cl.Right <= W &&
           Cl.Bottom <= H && Cl.Left <= Cl.Right && Cl.Top <= Cl.Bottom;
}

const COLORREF kDefaultHot = RGB(182, 189, 210);
const COLORREF kDefaultFocused = RGB(133, 147, 181);
const COLORREF kDefaultFrame = RGB(0, 0, 128);

void FillWith(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(R);
}

} // namespace

// ---------------------------------------------------------------------------
// TskTabsSkin

TskTabsSkin::TskTabsSkin() : FDefaultFont(std::make_unique<TFont>()) {
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(TFontStyles());
    FDefaultFont->SetColor(clBtnText);
}

TskTabsSkin::~TskTabsSkin() = default;

TBitmap* TskTabsSkin::PictureAt(int Index) const {
    if (!FSD || Index < 0 || Index >= static_cast<int>(FSD->ActivePictures.size())) return nullptr;
    TBitmap* picture = FSD->ActivePictures[static_cast<std::size_t>(Index)].get();
    return picture && !picture->GetEmpty() && picture->GetWidth() > 0 && picture->GetHeight() > 0
               ? picture
               : nullptr;
}

void TskTabsSkin::SetSkinData(TskSkinData* Value) {
    TCustomTabControl* c = Tabs();
    SetReference(c, FSD, Value);
    if (c->IsDestroying() || c->IsDesigning()) return;
    if (!Value || !Value->Empty) ChangeSkinData();
}

void TskTabsSkin::SkinNotification(TComponent* AComponent, TOperation Operation) {
    if (Operation != opRemove) return;
    if (AComponent == FUpDown) FUpDown = nullptr;
    if (AComponent == FSD) SetSkinData(nullptr);
}

void TskTabsSkin::SetDefaultItemHeight(int Value) {
    FDefaultItemHeight = std::clamp(Value, 1, 32767);
    if (FIndex != -1) return;
    Tabs()->SetTabHeight(FDefaultItemHeight);
    SelectionChanged();
    Tabs()->Realign();
}

void TskTabsSkin::GetSkinData() {
    BGPictureIndex = -1;
    FIndex = !FSD || FSD->Empty ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) return;
    const auto* record =
        dynamic_cast<const TskDataSkinTabControl*>(FSD->CtrlList[static_cast<std::size_t>(FIndex)].get());
    FPicture = record ? PictureAt(record->PictureIndex) : nullptr;
    // A record of another kind, or one whose frame its own picture does not hold, gives
    // the default look.
    if (!record || !Holds(FPicture, record->SkinRect) ||
        !FrameFits(record->LTPoint, record->RTPoint, record->LBPoint, record->RBPoint,
                   record->ClRect, RectWidth(record->SkinRect), RectHeight(record->SkinRect))) {
        FIndex = -1;
        return;
    }
    SkinRect = record->SkinRect;
    TabRect = record->TabRect;
    ActiveTabRect = IsNullRect(record->ActiveTabRect) ? record->TabRect : record->ActiveTabRect;
    FocusTabRect = IsNullRect(record->FocusTabRect) ? record->ActiveTabRect : record->FocusTabRect;
    MouseInTabRect = record->MouseInTabRect;
    ClRect = record->ClRect;
    TabsBGRect = record->TabsBGRect;
    LTPoint = record->LTPoint;
    RTPoint = record->RTPoint;
    LBPoint = record->LBPoint;
    RBPoint = record->RBPoint;
    TabLeftOffset = record->TabLeftOffset;
    TabRightOffset = record->TabRightOffset;
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
    FocusFontColor = record->FocusFontColor;
    MouseInFontColor = record->MouseInFontColor;
    UpDownName = record->UpDown;
    BGPictureIndex = PictureAt(record->BGPictureIndex) ? record->BGPictureIndex : -1;
}

void TskTabsSkin::ApplyLook() {
    TCustomTabControl* c = Tabs();
    if (FIndex == -1) {
        c->GetFont()->Assign(FDefaultFont.get());
        c->SetTabHeight(FDefaultItemHeight);
        return;
    }
    // The tabs' colours follow their states when they are drawn.
    TFont* font = c->GetFont();
    font->SetName(FontName);
    font->SetHeight(FontHeight);
    font->SetStyle(FontStyle);
    c->SetTabHeight(std::max(1, RectHeight(TabRect)));
}

void TskTabsSkin::ChangeSkinData() {
    TCustomTabControl* c = Tabs();
    if (c->IsDestroying()) return;
    GetSkinData();
    ApplyLook();
    SelectionChanged();
    c->Realign();
    // Made anew, so that it takes the new skin's up-down record.
    HideSkinUpDown();
    CheckScroll();
    c->Invalidate();
}

void TskTabsSkin::UpDateTabs() {
    TCustomTabControl* c = Tabs();
    c->SetTabHeight(FIndex == -1 ? FDefaultItemHeight : std::max(1, RectHeight(TabRect)));
    if (c->GetMultiLine()) HideSkinUpDown();
    c->Realign();
}

void TskTabsSkin::LoadedLook() {
    if (FIndex != -1) return;
    Tabs()->SetTabHeight(FDefaultItemHeight);
    SelectionChanged();
    Tabs()->Realign();
}

void TskTabsSkin::SelectionChanged() {
    if (FUpDown) {
        // The strip scrolled by itself (a selection brought its tab into view): the up-down
        // shows where it is, without scrolling it again.
        const TNotifyEvent onChange = FUpDown->OnChange;
        FUpDown->OnChange = {};
        FUpDown->SetMax(std::max(GetInVisibleItemCount(), GetPosition()));
        FUpDown->SetPosition(GetPosition());
        FUpDown->OnChange = onChange;
    }
    Tabs()->Invalidate();
}

// ---- Layout ------------------------------------------------------------------------------

TRect TskTabsSkin::FrameInsets() {
    if (FIndex == -1 || (ShowsBackgroundPicture() && BGPictureIndex != -1)) return {};
    return {ClRect.Left, ClRect.Top, RectWidth(SkinRect) - ClRect.Right,
            RectHeight(SkinRect) - ClRect.Bottom};
}

void TskTabsSkin::AdjustDisplayRect(bool ToWindow, RECT& R) {
    TCustomTabControl* c = Tabs();
    const TRect client = c->GetClientRect();
    const int cw = client.Width(), ch = client.Height();
    if (ToWindow) {
        // The inverse of the correction below at the control's size: the page area's
        // distances from the client edges, added around the rectangle given.
        const TRect display = c->GetDisplayRect();
        R.left -= display.Left;
        R.top -= display.Top;
        R.right += cw - display.Right;
        R.bottom += ch - display.Bottom;
        return;
    }
    const TTabPosition position = c->GetTabPosition();
    if (FIndex == -1) {
        switch (position) {
        case tpTop: R = {1, R.top - 5, cw - 1, ch - 1}; break;
        case tpBottom: R = {1, 1, cw - 1, R.bottom + 3}; break;
        case tpLeft: R = {R.left - 3, R.top - 5, cw - 1, ch - 1}; break;
        case tpRight: R = {R.left - 3, R.top - 5, R.right + 3, ch - 1}; break;
        }
    } else {
        const TRect inset = FrameInsets();
        const int ol = inset.Left, ot = inset.Top, orr = inset.Right, ob = inset.Bottom;
        switch (position) {
        case tpTop: R = {ol, ot + R.top - 6, cw - orr, ch - ob}; break;
        case tpBottom: R = {ol, ot + R.top - 6, cw - orr, R.bottom + 4 - ob}; break;
        case tpLeft: R = {ol + R.left - 4, ot + R.top - 6, cw - orr, ch - ob}; break;
        case tpRight: R = {ol, ot + R.top - 6, R.right - orr + 4, ch - ob}; break;
        }
    }
    // The system's page area on the sides starts right at its own frame, so the overlap meant
    // for tabs along the top would lift the frame's top edge out of sight there.
    R.top = std::max<LONG>(R.top, FIndex == -1 ? 1 : FrameInsets().Top);
    // Never outside the client area, never turned inside out.
    R.left = std::clamp<LONG>(R.left, 0, cw);
    R.top = std::clamp<LONG>(R.top, 0, ch);
    R.right = std::clamp<LONG>(R.right, R.left, cw);
    R.bottom = std::clamp<LONG>(R.bottom, R.top, ch);
}

void TskTabsSkin::CorrectItemRect(RECT& R) {
    TCustomTabControl* c = Tabs();
    if (c->GetStyle() != tsTabs) return;
    const bool single = !c->GetMultiLine();
    switch (c->GetTabPosition()) {
    case tpTop:
        if (single) OffsetRect(&R, -2, 0);
        OffsetRect(&R, 0, -2);
        break;
    case tpBottom:
        if (single) OffsetRect(&R, -2, 0);
        OffsetRect(&R, 0, 2);
        break;
    case tpLeft: OffsetRect(&R, -2, 0); break;
    case tpRight: OffsetRect(&R, 2, 0); break;
    }
}

void TskTabsSkin::TabsWndProc(TMessage& Message) {
    switch (Message.Msg) {
    case TCM_ADJUSTRECT:
        if (Message.LParam) AdjustDisplayRect(Message.WParam != 0, *reinterpret_cast<RECT*>(Message.LParam));
        break;
    case TCM_GETITEMRECT:
        if (Message.Result && Message.LParam) CorrectItemRect(*reinterpret_cast<RECT*>(Message.LParam));
        break;
    case WM_SIZE:
        GetSkinData();
        if (!Tabs()->GetMultiLine() && !Tabs()->IsDesigning()) CheckScroll();
        HideNativeUpDown();
        break;
    // The system control shows its arrows again whenever it lays its tabs out.
    case TCM_INSERTITEMA:
    case TCM_INSERTITEMW:
    case TCM_SETITEMA:
    case TCM_SETITEMW:
    case TCM_DELETEITEM:
    case TCM_DELETEALLITEMS:
    case TCM_SETITEMSIZE:
    case TCM_SETCURSEL:
    case TCM_SETCURFOCUS:
    case WM_SETFONT:
    case WM_HSCROLL:
    case WM_KEYDOWN: HideNativeUpDown(); break;
    default: break;
    }
}

// ---- Hot tab ------------------------------------------------------------------------------

void TskTabsSkin::InvalidateTab(int Tab) {
    TCustomTabControl* c = Tabs();
    if (!c->HandleAllocated()) return;
    TRect r = c->GetTabRect(Tab);
    if (IsNullRect(r)) return;
    RECT area{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2};
    InvalidateRect(c->GetHandle(), &area, FALSE);
}

void TskTabsSkin::TestActive(int X, int Y) {
    TCustomTabControl* c = Tabs();
    const int old = FHotTab;
    FHotTab = -1;
    for (int i = 0; i < c->GetTabCount(); ++i) {
        const TRect r = c->GetTabRect(i);
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) {
            FHotTab = i;
            break;
        }
    }
    if (FHotTab == old) return;
    // The selected tab never looks hot, so it need not be drawn again.
    const int selected = c->GetTabIndex();
    if (old != -1 && old != selected) InvalidateTab(old);
    if (FHotTab != -1 && FHotTab != selected) InvalidateTab(FHotTab);
}

void TskTabsSkin::MouseLeft() {
    const int old = FHotTab;
    FHotTab = -1;
    if (old != -1 && old != Tabs()->GetTabIndex()) InvalidateTab(old);
}

// ---- Painting -----------------------------------------------------------------------------

void TskTabsSkin::PaintTabs(HDC DC) {
    TCustomTabControl* c = Tabs();
    const int w = c->GetWidth(), h = c->GetHeight();
    if (w < 1 || h < 1) return;
    GetSkinData();
    const TRect part = PaintedPart(DC, w, h);
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    if (FIndex != -1)
        PaintSkinWindow(&image);
    else
        PaintDefaultWindow(&image);
    DrawTabs(image.GetCanvas());
    // The picture's context draws in the control's coordinates.
    BitBlt(DC, part.Left, part.Top, part.Width(), part.Height(), image.GetCanvas()->GetHandle(),
           part.Left, part.Top, SRCCOPY);
}

void TskTabsSkin::PaintDefaultWindow(TBitmap* B) {
    TCanvas* canvas = B->GetCanvas();
    FillWith(canvas, TRect(0, 0, B->GetWidth(), B->GetHeight()), clBtnFace);
    TRect frame = Tabs()->GetDisplayRect();
    frame = TRect(frame.Left - 1, frame.Top - 1, frame.Right + 1, frame.Bottom + 1);
    canvas->GetBrush()->SetColor(clBtnShadow);
    canvas->FrameRect(frame);
}

void TskTabsSkin::PaintSkinWindow(TBitmap* B) {
    TCustomTabControl* c = Tabs();
    TCanvas* canvas = B->GetCanvas();
    const int w = B->GetWidth(), h = B->GetHeight();
    if (ShowsBackgroundPicture() && BGPictureIndex != -1) {
        TBitmap* picture = PictureAt(BGPictureIndex);
        TileClient(B, picture, TRect(0, 0, picture->GetWidth(), picture->GetHeight()),
                   TRect(0, 0, w, h));
        return;
    }
    // What no part of the skin covers shows the button face.
    FillWith(canvas, TRect(0, 0, w, h), clBtnFace);
    const TRect inset = FrameInsets();
    const TRect display = c->GetDisplayRect();
    const TRect r(display.Left - inset.Left, display.Top - inset.Top, display.Right + inset.Right,
                  display.Bottom + inset.Bottom);

    if (Holds(FPicture, TabsBGRect)) {
        TRect strip;
        switch (c->GetTabPosition()) {
        case tpTop: strip = TRect(0, 0, w, r.Top); break;
        case tpBottom: strip = TRect(0, r.Bottom, w, h); break;
        case tpLeft: strip = TRect(0, 0, r.Left, h); break;
        case tpRight: strip = TRect(r.Right, 0, w, h); break;
        }
        TileClient(B, FPicture, TabsBGRect, strip);
    }

    const TRect client(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top,
                       SkinRect.Left + ClRect.Right, SkinRect.Top + ClRect.Bottom);
    const int dw = r.Width() - RectWidth(SkinRect), dh = r.Height() - RectHeight(SkinRect);
    const bool points = RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y;
    if (!points || r.Width() < 1 || r.Height() < 1) {
        TileClient(B, FPicture, client, r);
        return;
    }
    const TSkinGeometry skin{LTPoint, RTPoint, LBPoint, RBPoint, ClRect};
    const TSkinGeometry sized{LTPoint,
                              TPoint(RTPoint.X + dw, RTPoint.Y),
                              TPoint(LBPoint.X, LBPoint.Y + dh),
                              TPoint(RBPoint.X + dw, RBPoint.Y + dh),
                              TRect(ClRect.Left, ClRect.Top, ClRect.Right + dw, ClRect.Bottom + dh)};
    // The frame's own picture holds what B holds of it.
    const TRect framePart = PartOfPlaced(BitmapPart(B), r);
    if (IsNullRect(framePart)) return;
    TBitmapPart frame(framePart, r.Width(), r.Height());
    CreateSkinImage(skin, sized, &frame, FPicture, SkinRect, r.Width(), r.Height(), true);
    canvas->Draw(r.Left, r.Top, &frame);
}

void TskTabsSkin::PaintPageBackground(TBitmap* B) {
    GetSkinData();
    const int w = B->GetWidth(), h = B->GetHeight();
    if (FIndex != -1 && BGPictureIndex != -1) {
        TBitmap* picture = PictureAt(BGPictureIndex);
        TileClient(B, picture, TRect(0, 0, picture->GetWidth(), picture->GetHeight()),
                   TRect(0, 0, w, h));
        return;
    }
    FillWith(B->GetCanvas(), TRect(0, 0, w, h), clBtnFace);
    if (FIndex == -1) return;
    TileClient(B, FPicture,
               TRect(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top,
                     SkinRect.Left + ClRect.Right, SkinRect.Top + ClRect.Bottom),
               TRect(0, 0, w, h));
}

void TskTabsSkin::DrawTabs(TCanvas* Canvas) {
    TCustomTabControl* c = Tabs();
    const int selected = c->GetTabIndex();
    for (int i = 0; i < c->GetTabCount(); ++i) {
        const TRect r = c->GetTabRect(i);
        if (!IsNullRect(r)) DrawTab(i, r, i == selected, i == FHotTab, Canvas);
    }
}

const TRect* TskTabsSkin::TabLook(bool Active, bool Focused, bool MouseIn) const {
    const TRect* look = &ActiveTabRect;
    if (MouseIn && !Active && !IsNullRect(MouseInTabRect))
        look = &MouseInTabRect;
    else if (Active && Focused && !IsNullRect(FocusTabRect))
        look = &FocusTabRect; // a skin without a focused look shows the active one
    else if (!Active)
        look = &TabRect;
    return Holds(FPicture, *look) ? look : nullptr;
}

void TskTabsSkin::DrawTab(int Tab, const TRect& Rct, bool Active, bool MouseIn, TCanvas* Canvas) {
    TCustomTabControl* c = Tabs();
    const TTabItem& item = c->GetTabItem(Tab);
    TCustomImageList* images = c->GetImages();
    const bool image = images && item.ImageIndex >= 0 && item.ImageIndex < images->GetCount();
    const TTabPosition position = c->GetTabPosition();
    const int w = IsSide(position) ? Rct.Height() : Rct.Width();
    const int h = IsSide(position) ? Rct.Width() : Rct.Height();
    if (w < 1 || h < 1) return;
    const bool focused = c->Focused();

    TBitmap b;
    TCanvas* canvas = b.GetCanvas();
    if (FIndex == -1) {
        b.SetSize(w, h);
        const TRect all(0, 0, w, h), inner(1, 1, w - 1, h - 1);
        if (MouseIn && !Active) {
            FillWith(canvas, all, static_cast<TColor>(kDefaultHot));
        } else if (!Active) {
            FillWith(canvas, all, clBtnFace);
        } else {
            FillWith(canvas, all, static_cast<TColor>(kDefaultFrame));
            FillWith(canvas, inner, static_cast<TColor>(focused ? kDefaultFocused : kDefaultHot));
        }
        canvas->GetFont()->Assign(c->GetFont());
    } else {
        if (const TRect* look = TabLook(Active, focused, MouseIn)) {
            const int lo = std::clamp(TabLeftOffset, 0, RectWidth(*look));
            const int ro = std::clamp(TabRightOffset, 0, RectWidth(*look) - lo);
            CreateHSkinImage(lo, ro, &b, FPicture, *look, w, h);
        } else {
            // The skin has no picture of this state: a blank tab.
            b.SetSize(w, h);
            FillWith(canvas, TRect(0, 0, w, h), clBtnFace);
        }
        TFont* font = canvas->GetFont();
        if (FUseSkinFont) {
            font->SetName(FontName);
            font->SetStyle(FontStyle);
            font->SetHeight(FontHeight);
            font->SetCharset(c->GetFont()->GetCharset());
        } else {
            font->Assign(c->GetFont());
        }
        font->SetColor(MouseIn && !Active     ? MouseInFontColor
                       : Active && focused ? FocusFontColor
                       : !Active           ? FontColor
                                           : ActiveFontColor);
    }
    canvas->GetBrush()->SetStyle(bsClear);
    const int bh = b.GetHeight();
    if (!image) {
        TRect text(0, 0, w, bh);
        canvas->TextRect(text, item.Caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        const int iw = images->GetWidth(), ih = images->GetHeight();
        TRect measure(0, 0, 0, 0);
        canvas->TextRect(measure, item.Caption, DT_CALCRECT | DT_SINGLELINE);
        const int tw = measure.Width() + 2, th = measure.Height();
        const int x = w / 2 - (tw + iw + 2) / 2;
        images->Draw(canvas, x, bh / 2 - ih / 2, item.ImageIndex, TabImageEnabled(Tab));
        canvas->GetBrush()->SetStyle(bsClear);
        TRect text(x + iw + 2, bh / 2 - th / 2, x + iw + 2 + tw, bh / 2 - th / 2 + th);
        canvas->TextRect(text, item.Caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    if (!IsSide(position)) {
        Canvas->Draw(Rct.Left, Rct.Top, &b);
        return;
    }
    // A side tab is drawn lying and turned: its text reads upwards on the left, downwards on
    // the right.
    TskEffectBmp lying(b.GetHandle());
    TskEffectBmp turned(lying.GetHeight(), lying.GetWidth());
    if (position == tpLeft)
        lying.Rotate90_1(&turned);
    else
        lying.Rotate90_2(&turned);
    turned.Draw(Canvas->GetHandle(), Rct.Left, Rct.Top);
}

// ---- Scrolling ----------------------------------------------------------------------------

int TskTabsSkin::GetInVisibleItemCount() {
    TCustomTabControl* c = Tabs();
    if (!c->HandleAllocated()) return 0;
    const int limit = c->GetWidth() - (FUpDown ? FUpDown->GetWidth() : 0) - 3;
    int count = 0;
    for (int i = 0; i < c->GetTabCount(); ++i) {
        const TRect r = c->GetTabRect(i);
        if (r.Right > limit || r.Right < 1) ++count;
    }
    return count;
}

int TskTabsSkin::GetPosition() {
    TCustomTabControl* c = Tabs();
    if (!c->HandleAllocated()) return 0;
    // The system control gives no place to a tab out of view, on either side: those before
    // the first tab it places are the ones scrolled out to the left.
    for (int i = 0; i < c->GetTabCount(); ++i)
        if (c->GetTabRect(i).Right >= 1) return i;
    return 0;
}

void TskTabsSkin::HideNativeUpDown() {
    TCustomTabControl* c = Tabs();
    if (!c->HandleAllocated()) return;
    // The system control keeps its arrows and would show them again at its next layout had
    // they gone; hidden and out of view, they never show.
    HWND arrows = FindWindowExA(c->GetHandle(), nullptr, UPDOWN_CLASSA, nullptr);
    if (!arrows) return;
    RECT r;
    GetWindowRect(arrows, &r);
    MapWindowPoints(HWND_DESKTOP, c->GetHandle(), reinterpret_cast<POINT*>(&r), 2);
    const int aw = r.right - r.left, ah = r.bottom - r.top;
    if (!IsWindowVisible(arrows) && r.right <= 0 && r.bottom <= 0) return;
    SetWindowPos(arrows, nullptr, -aw - 1, -ah - 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void TskTabsSkin::CheckScroll() {
    TCustomTabControl* c = Tabs();
    if (!c->HandleAllocated() || c->IsDestroying()) return;
    HideNativeUpDown();
    if (c->GetMultiLine()) {
        HideSkinUpDown();
        return;
    }
    const int hidden = GetInVisibleItemCount();
    if (hidden == 0) {
        HideSkinUpDown();
        return;
    }
    if (!FUpDown) {
        ShowSkinUpDown();
        return;
    }
    FUpDown->SetMax(hidden);
    PlaceUpDown();
}

void TskTabsSkin::PlaceUpDown() {
    TCustomTabControl* c = Tabs();
    const int top = c->GetTabPosition() == tpTop ? 0 : c->GetHeight() - FUpDown->GetHeight();
    FUpDown->SetBounds(c->GetWidth() - FUpDown->GetWidth(), top, FUpDown->GetWidth(),
                       FUpDown->GetHeight());
}

void TskTabsSkin::ShowSkinUpDown() {
    TCustomTabControl* c = Tabs();
    const TSize size = UpDownSize();
    auto* upDown = new TskSkinUpDown(c);
    FUpDown = upDown;
    upDown->SetBounds(0, 0, size.cx, size.cy);
    upDown->SetMin(0);
    upDown->SetMax(GetInVisibleItemCount());
    upDown->SetPosition(GetPosition());
    upDown->SetIncrement(1);
    if (!UpDownName.empty() && FIndex != -1) upDown->SetSkinDataName(UpDownName);
    upDown->SetSkinData(FSD);
    PlaceUpDown();
    upDown->OnChange = TNotifyEvent(this, &TskTabsSkin::OnUpDownChange);
    upDown->SetParent(c);
    upDown->SetVisible(true);
}

void TskTabsSkin::HideSkinUpDown() {
    TskSkinUpDown* upDown = FUpDown;
    FUpDown = nullptr;
    delete upDown;
}

void TskTabsSkin::OnUpDownChange(TObject*) {
    if (!FUpDown) return;
    FUpDown->SetMax(GetInVisibleItemCount());
    Tabs()->Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FUpDown->GetPosition()), 0);
}

// ---------------------------------------------------------------------------
// TskSkinTabsControl

template <class Base> TskSkinTabsControl<Base>::TskSkinTabsControl(TComponent* AOwner) : Base(AOwner) {
    this->SetCtl3D(false);
    TControlStyle style = this->GetControlStyle();
    style.Include(csOwnPaint);
    this->SetControlStyle(style);
    TFont* font = this->GetFont();
    font->SetName("Arial");
    font->SetHeight(14);
    font->SetStyle(TFontStyles());
    font->SetColor(clBtnText);
    this->SetTabHeight(GetDefaultItemHeight());
}

template <class Base> void TskSkinTabsControl<Base>::Loaded() {
    Base::Loaded();
    LoadedLook();
}

template <class Base> void TskSkinTabsControl<Base>::Change() {
    SelectionChanged();
    Base::Change();
}

template <class Base> void TskSkinTabsControl<Base>::WndProc(TMessage& Message) {
    // From a page area to the window the answer is the control's own alone.
    if (Message.Msg == TCM_ADJUSTRECT && Message.WParam && Message.LParam) {
        TabsWndProc(Message);
        return;
    }
    Base::WndProc(Message);
    TabsWndProc(Message);
}

template <class Base>
void TskSkinTabsControl<Base>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Base::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && !this->IsDesigning()) TestActive(X, Y);
}

template <class Base> void TskSkinTabsControl<Base>::MouseMove(TShiftState Shift, int X, int Y) {
    Base::MouseMove(Shift, X, Y);
    if (!this->IsDesigning()) TestActive(X, Y);
}

template <class Base>
void TskSkinTabsControl<Base>::Notification(TComponent* AComponent, TOperation Operation) {
    Base::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
}

template <class Base> void TskSkinTabsControl<Base>::WMHScroll(TMessage& Message) {
    Base::Dispatch(Message);
    this->Repaint();
}

template <class Base> void TskSkinTabsControl<Base>::CMMouseLeave(TMessage& Message) {
    MouseLeft();
    Base::Dispatch(Message);
}

template class TskSkinTabsControl<TPageControl>;
template class TskSkinTabsControl<TTabControl>;

// ---------------------------------------------------------------------------
// TskSkinPageControl

bool TskSkinPageControl::TabImageEnabled(int Tab) {
    TTabSheet* page = PageOfTab(Tab);
    return !page || page->GetEnabled();
}

TSize TskSkinPageControl::UpDownSize() const {
    return {2 * GetDefaultItemHeight(), GetDefaultItemHeight()};
}

void TskSkinPageControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    // Without pages the page area shows the background until the paint covers it.
    if (GetPageCount() > 0)
        Message.Result = 1;
    else
        TskSkinTabsControl::Dispatch(Message.Message);
}

// ---------------------------------------------------------------------------
// TskSkinCustomTabSheet

void TskSkinCustomTabSheet::PaintBG(HDC DC) {
    const int w = GetWidth(), h = GetHeight();
    auto* pages = dynamic_cast<TskSkinPageControl*>(GetPageControl());
    if (w < 1 || h < 1 || !pages) return;
    const TRect part = PaintedPart(DC, w, h);
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    pages->PaintPageBackground(&image);
    // The picture's context draws in the control's coordinates.
    BitBlt(DC, part.Left, part.Top, part.Width(), part.Height(), image.GetCanvas()->GetHandle(),
           part.Left, part.Top, SRCCOPY);
}

void TskSkinCustomTabSheet::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    if (!Message.DC() || !dynamic_cast<TskSkinPageControl*>(GetPageControl())) {
        TTabSheet::Dispatch(Message.Message);
        return;
    }
    PaintBG(Message.DC());
    Message.Result = 1;
}

void TskSkinCustomTabSheet::WMSize(TWMSize& Message) {
    TTabSheet::Dispatch(Message.Message);
    Repaint();
}

// ---------------------------------------------------------------------------
// TskSkinTabControl

void TskSkinTabControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    Message.Result = 1;
}

REGISTER_CLASS(TskSkinPageControl);
REGISTER_CLASS(TskSkinTabSheet);
REGISTER_CLASS(TskSkinTabControl);

DEFINE_UNIT(SkinTabs, uoSkin + 10, nullptr, nullptr);
