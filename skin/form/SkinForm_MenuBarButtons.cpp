// The maximized MDI child's buttons on the main menu bar: its system menu at the left end,
// close, restore and minimize at the right end, acting on the child's frame.
#include "skin/form/SkinForm_MenuBar.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include "skin/controls/SkinCtrls_Shape.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace {

// The frame of the maximized child of the bar's form; null when none.
TskSkinForm* MaximizedChildFrame(TskSkinForm* SkinForm) {
    TCustomForm* child = SkinForm ? SkinForm->GetMaximizeMDIChild() : nullptr;
    return child ? GetSkinFormComponent(child) : nullptr;
}

} // namespace

void TskSkinMainMenuBar::AddButtons() {
    FButtons.clear();
    FButtonActive = FButtonCapture = -1;
    // Without a bar record the buttons have names of their own and fixed commands.
    const struct {
        AnsiString Name;
        TStdCommand Command;
    } slots[] = {{FSkinned ? FSysMenuButton : AnsiString("SysMenuButton"), cmSysMenu},
                 {FSkinned ? FCloseButton : AnsiString("CloseButton"), cmClose},
                 {FSkinned ? FMaxButton : AnsiString("MaxButton"), cmMaximize},
                 {FSkinned ? FMinButton : AnsiString("MinButton"), cmMinimize}};
    for (const auto& slot : slots) {
        TskMenuBarButton b;
        b.Command = slot.Command;
        const int index = FSD && !FSD->Empty && !slot.Name.empty() ? FSD->GetIndex(slot.Name) : -1;
        auto* record =
            index < 0 ? nullptr : dynamic_cast<TskDataSkinStdButton*>(FSD->ObjectList[static_cast<std::size_t>(index)].get());
        if (record) b.Picture = SkinPicture(FSD, record->ActivePictureIndex);
        if (record && b.Picture && !IsNullRect(record->SkinRect)) {
            b.HasSkin = true;
            if (FSkinned) b.Command = record->Command;
            b.SkinRect = record->SkinRect;
            b.ActiveSkinRect = record->ActiveSkinRect;
            b.DownRect = record->DownRect;
            b.Morphing = record->Morphing && !IsNullRect(record->ActiveSkinRect);
            b.MorphKind = record->MorphKind;
        }
        FButtons.push_back(b);
    }
}

void TskSkinMainMenuBar::CheckButtons() {
    TskSkinForm* child = MaximizedChildFrame(FSkinForm);
    for (TskMenuBarButton& b : FButtons) {
        b.Enabled = true;
        if (!child) continue;
        // Close and restore are always there; minimize and the system menu as the child allows.
        if (b.Command == cmMinimize) b.Enabled = child->GetBorderIcons().Contains(TskBorderIcon::biMinimize);
        if (b.Command == cmSysMenu) b.Enabled = child->GetBorderIcons().Contains(TskBorderIcon::biSystemMenu);
    }
}

void TskSkinMainMenuBar::MDIChildMaximize() {
    if (!FMDIButtons) {
        FMDIButtons = true;
        AddButtons();
    }
    CheckButtons();
    Invalidate();
}

void TskSkinMainMenuBar::MDIChildRestore() {
    if (FSkinForm && FSkinForm->IsMDIChildMaximized()) {
        CheckButtons();
    } else if (FMDIButtons) {
        if (FButtonCapture != -1 && GetCapture() == GetHandle()) ReleaseCapture();
        FMDIButtons = false;
        FButtons.clear();
        FButtonActive = FButtonCapture = -1;
    }
    Invalidate();
}

TRect TskSkinMainMenuBar::PlaceButtons(TRect Area, std::vector<TskMenuBarButton>* Placed) const {
    if (!FMDIButtons || FButtons.size() != 4) return Area;
    const int areaHeight = RectHeight(Area);
    for (std::size_t i = 0; i < FButtons.size(); ++i) {
        const TskMenuBarButton& b = FButtons[i];
        const int w = b.HasSkin ? RectWidth(b.SkinRect) : areaHeight;
        const int h = b.HasSkin ? RectHeight(b.SkinRect) : areaHeight;
        const int top = b.HasSkin ? Area.Top + areaHeight / 2 - h / 2 : Area.Top;
        TRect r;
        if (i == 0) {
            r = TRect(Area.Left, top, Area.Left + w, top + h);
            Area.Left += w + 2;
        } else {
            r = TRect(Area.Right - w, top, Area.Right, top + h);
            Area.Right -= w + 2;
        }
        if (Placed) (*Placed)[i].ObjectRect = r;
    }
    return Area;
}

const std::vector<TskMenuBarButton>& TskSkinMainMenuBar::Buttons() {
    PlaceButtons(BarArea(), &FButtons);
    return FButtons;
}

int TskSkinMainMenuBar::ButtonAt(int X, int Y) {
    Buttons();
    for (std::size_t i = 0; i < FButtons.size(); ++i)
        if (FButtons[i].Enabled && InHalfOpen(FButtons[i].ObjectRect, TPoint(X, Y))) return static_cast<int>(i);
    return -1;
}

void TskSkinMainMenuBar::SetButtonActive(int Index) {
    if (Index == FButtonActive) return;
    FButtonActive = Index;
    bool morph = false;
    for (std::size_t i = 0; i < FButtons.size(); ++i) {
        FButtons[i].MouseIn = static_cast<int>(i) == Index;
        morph = morph || FButtons[i].Morphing;
    }
    if (morph) FMorphTimer->SetEnabled(true);
    Invalidate();
}

void TskSkinMainMenuBar::PressButton(int Index, bool Double) {
    TComponentProtector protect(this);
    const TStdCommand command = FButtons[static_cast<std::size_t>(Index)].Command;
    if (Double && command == cmSysMenu) {
        // A double click on the system menu closes the child, its menu first.
        if (FSkinForm) {
            if (FSkinForm->GetSkinMenu()->Visible) FSkinForm->GetSkinMenu()->Hide();
            FSkinForm->SkinMenuClose();
        }
        if (TskSkinForm* child = MaximizedChildFrame(FSkinForm)) child->GetForm()->Close();
        return;
    }
    TskMenuBarButton& b = FButtons[static_cast<std::size_t>(Index)];
    if (b.Down) return;
    b.Down = true;
    if (b.Morphing && !IsNullRect(b.DownRect)) b.MorphKf = 1;
    Invalidate();
    Update();
    if (command == cmSysMenu) return ButtonCommand(cmSysMenu);
    FButtonCapture = Index;
    SetCapture(GetHandle());
}

void TskSkinMainMenuBar::ReleaseButton(int X, int Y) {
    if (FButtonCapture < 0 || FButtonCapture >= static_cast<int>(FButtons.size())) return;
    TskMenuBarButton& b = FButtons[static_cast<std::size_t>(FButtonCapture)];
    FButtonCapture = -1;
    if (GetCapture() == GetHandle()) ReleaseCapture();
    b.Down = false;
    const bool over = InHalfOpen(b.ObjectRect, TPoint(X, Y));
    const TStdCommand command = b.Command;
    Invalidate();
    if (over) ButtonCommand(command);
}

void TskSkinMainMenuBar::ButtonCommand(TStdCommand Command) {
    TskSkinForm* child = MaximizedChildFrame(FSkinForm);
    if (!child) return;
    TComponentProtector protect(this), keep(child);
    switch (Command) {
    case cmClose: child->GetForm()->Close(); break;
    case cmMaximize: child->SetWindowState(wsNormal); break;
    case cmMinimize: child->SetWindowState(wsMinimized); break;
    case cmSysMenu: {
        if (!FSkinForm) break;
        const TRect r = FButtons.empty() ? TRect() : FButtons.front().ObjectRect;
        const TPoint at = ClientToScreen(TPoint(r.Left, r.Top));
        TPopupMenu* menu = child->GetSystemMenu();
        FSkinForm->SkinMenuOpen();
        FSkinForm->GetSkinMenu()->Popup(this, child->GetMenusSkinData() ? child->GetMenusSkinData() : child->GetSkinData(),
                                        0, MovedRect(r, at.X - r.Left, at.Y - r.Top), menu->GetItems(), FPopupToUp);
        break;
    }
    default: break;
    }
}

void TskSkinMainMenuBar::DrawButton(TCanvas* C, const TskMenuBarButton& B) {
    const TRect r = B.ObjectRect;
    const int w = RectWidth(r), h = RectHeight(r);
    if (w <= 0 || h <= 0) return;
    if (B.HasSkin) {
        HDC src = B.Picture->GetCanvas()->GetHandle();
        auto copy = [&](const TRect& S) {
            BitBlt(C->GetHandle(), r.Left, r.Top, RectWidth(S), RectHeight(S), src, S.Left, S.Top, SRCCOPY);
        };
        const double target = B.MouseIn ? 1 : 0;
        if (B.Down && B.MouseIn && !IsNullRect(B.DownRect)) return copy(B.DownRect);
        if (B.Morphing && B.MorphKf != target) {
            TBitmap normal(w, h, pf24bit), active(w, h, pf24bit);
            BitBlt(normal.GetCanvas()->GetHandle(), 0, 0, w, h, src, B.SkinRect.Left, B.SkinRect.Top, SRCCOPY);
            BitBlt(active.GetCanvas()->GetHandle(), 0, 0, w, h, src, B.ActiveSkinRect.Left, B.ActiveSkinRect.Top,
                   SRCCOPY);
            TskEffectBmp e1(normal.GetHandle()), e2(active.GetHandle());
            e1.MorphByKind(B.MorphKind, &e2, B.MorphKf);
            e1.Draw(C->GetHandle(), r.Left, r.Top);
            return;
        }
        return copy(B.MouseIn && !IsNullRect(B.ActiveSkinRect) ? B.ActiveSkinRect : B.SkinRect);
    }
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    if (B.Down || B.MouseIn) {
        c->GetBrush()->SetColor(B.Down ? MenuBarDownColor : MenuBarActiveColor);
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(clNavy);
        c->FrameRect(TRect(0, 0, w, h));
    } else {
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, w, h));
    }
    const int shift = B.Down && B.MouseIn ? 1 : 0;
    const int x = w / 2 - 5 + shift, y = h / 2 - 4 + shift;
    const TColor color = B.Enabled ? clBtnText : clBtnShadow;
    switch (B.Command) {
    case cmClose: DrawCloseImage(c, x, y, color); break;
    case cmMaximize: DrawRestoreImage(c, x, y, color); break;
    case cmMinimize: DrawMinimizeImage(c, x, y, color); break;
    case cmSysMenu: DrawSysMenuImage(c, x, y, color); break;
    default: break;
    }
    BitBlt(C->GetHandle(), r.Left, r.Top, w, h, c->GetHandle(), 0, 0, SRCCOPY);
}

void TskSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) ReleaseButton(X, Y);
}
