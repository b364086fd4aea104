#include "skin/form/SkinForm_MainMenuItems.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include "skin/data/Skeffbmp.h"

#include <algorithm>

TskSkinMainMenuItem::TskSkinMainMenuItem(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    if (auto* d = dynamic_cast<TskDataSkinMainMenuItem*>(AData)) {
        FontName = d->FontName;
        FontHeight = d->FontHeight;
        FontStyle = d->FontStyle;
        UnEnabledFontColor = d->UnEnabledFontColor;
        FontColor = d->FontColor;
        ActiveFontColor = d->ActiveFontColor;
        DownFontColor = d->DownFontColor;
        TextRect = d->TextRect;
        DownRect = d->DownRect;
        ItemLeftOffset = d->ItemLeftOffset;
        ItemRightOffset = d->ItemRightOffset;
    }
    if (!ActivePicture) DownRect = NullRect();
    if (IsNullRect(DownRect)) DownRect = IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
    if (IsNullRect(ActiveSkinRect)) Morphing = false;
}

void TskSkinMainMenuItem::SetFont(TCanvas* C) const {
    SetSkinFont(C->GetFont(), FontName, FontStyle, FontHeight);
}

TRect TskSkinMainMenuItem::CalcItemRect() {
    TBitmap probe(1, 1, pf24bit);
    SetFont(probe.GetCanvas());
    TRect text(0, 0, 0, 0);
    const AnsiString caption = MenuItem ? MenuItem->GetCaption() : AnsiString();
    probe.GetCanvas()->TextRect(text, caption, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    const int w = RectWidth(SkinRect) - RectWidth(TextRect) + RectWidth(text) + 2;
    const int h = RectHeight(SkinRect);
    int left = Parent->NewMainMenuRect.Left;
    for (int i = 0; i < Parent->GetObjectCount(); ++i) {
        TskActiveSkinObject* o = Parent->GetObject(i);
        if (o == this) break;
        if (dynamic_cast<TskSkinMainMenuItem*>(o)) left = o->ObjectRect.Right;
    }
    const int top = Parent->NewMainMenuRect.Top;
    return TRect(left, top, left + w, top + h);
}

void DrawItemLook(TCanvas* C, const TRect& At, TBitmap* Source, const TRect& S, int LO, int RO) {
    if (!Usable(Source) || IsNullRect(S)) return;
    HDC d = C->GetHandle(), src = Source->GetCanvas()->GetHandle();
    const int w = RectWidth(At), h = RectHeight(At);
    const int lo = std::clamp(LO, 0, RectWidth(S)), ro = std::clamp(RO, 0, RectWidth(S));
    const int middle = RectWidth(S) - lo - ro;
    if (middle > 0)
        for (int x = lo; x < w - ro; x += middle)
            BitBlt(d, At.Left + x, At.Top, std::min(middle, w - ro - x), h, src, S.Left + lo, S.Top, SRCCOPY);
    if (lo > 0) BitBlt(d, At.Left, At.Top, lo, h, src, S.Left, S.Top, SRCCOPY);
    if (ro > 0) BitBlt(d, At.Right - ro, At.Top, ro, h, src, S.Right - ro, S.Top, SRCCOPY);
}

void DrawItemCaption(TCanvas* C, const TRect& At, const TRect& TextRect, const AnsiString& Caption) {
    C->GetBrush()->SetStyle(bsClear);
    TRect r(At.Left + TextRect.Left, At.Top, At.Left + TextRect.Left, At.Bottom);
    TRect m = r;
    C->TextRect(m, Caption, DT_CALCRECT | DT_SINGLELINE);
    r.Right = m.Right + 2;
    C->TextRect(r, Caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->GetBrush()->SetStyle(bsSolid);
}

std::unique_ptr<TBitmap> TskSkinMainMenuItem::Image(const TRect& S, bool ActiveText) {
    const int w = std::max(RectWidth(ObjectRect), 1), h = std::max(RectHeight(ObjectRect), 1);
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    TCanvas* c = b->GetCanvas();
    DrawItemLook(c, TRect(0, 0, w, h), ActivePicture, S, ItemLeftOffset, ItemRightOffset);
    SetFont(c);
    const bool enabled = MenuItem && MenuItem->GetEnabled();
    c->GetFont()->SetColor(Down ? DownFontColor : ActiveText ? ActiveFontColor : enabled ? FontColor : UnEnabledFontColor);
    if (MenuItem) DrawItemCaption(c, TRect(0, 0, w, h), TextRect, MenuItem->GetCaption());
    return b;
}

void TskSkinMainMenuItem::Draw(TCanvas* Cnvs, bool UpDate) {
    if (IsNullRect(SkinRect) || IsNullRect(TextRect)) return;
    const TRect r = CalcItemRect();
    // Hit tests use ObjectRect, so it stays in frame coordinates; only the drawing moves
    // up when the item is painted into the bottom border image.
    ObjectRect = r;
    FrameItemRect = NullRect();
    int dy = 0;
    if (Parent->GetSupportNCArea() && !UpDate && Parent->NewClRect.Bottom < r.Top) {
        FrameItemRect = r;
        dy = Parent->NewClRect.Bottom;
    }
    if (r.Right > Parent->NewMainMenuRect.Right) {
        if (ItemVisible) {
            StoredEnabled = Enabled;
            Enabled = false;
            ItemVisible = false;
        }
        return;
    }
    if (!ItemVisible) {
        ItemVisible = true;
        Enabled = StoredEnabled;
    }
    std::unique_ptr<TBitmap> image;
    if (Down) {
        image = Image(DownRect, true);
    } else if (Morphing && !MorphAtEnd()) {
        auto normal = Image(SkinRect, false);
        auto active = Image(ActiveSkinRect, true);
        TskEffectBmp e1(normal->GetHandle()), e2(active->GetHandle());
        e1.MorphByKind(MorphKind, &e2, MorphKf);
        e1.Draw(Cnvs->GetHandle(), r.Left, r.Top - dy);
        return;
    } else if (Active) {
        image = Image(IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect, true);
    } else {
        image = Image(SkinRect, false);
    }
    BitBlt(Cnvs->GetHandle(), r.Left, r.Top - dy, image->GetWidth(), image->GetHeight(),
           image->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TskSkinMainMenuItem::SetDown(bool Value) {
    Down = Value;
    if (Value) {
        Parent->DrawSkinObject(this);
        TrackMenu();
        Parent->EnterMainMenuMode();
    } else {
        Active = false;
        if (Morphing) MorphKf = 1;
        Redraw();
    }
}

bool TskSkinMainMenuItem::SearchDown() {
    for (int i = 0; i < Parent->GetObjectCount(); ++i) {
        auto* other = dynamic_cast<TskSkinMainMenuItem*>(Parent->GetObject(i));
        if (other && other != this && other->IDName != IDName && other->Down) {
            other->SetDown(false);
            return true;
        }
    }
    return false;
}

void TskSkinMainMenuItem::SearchActive() {
    for (int i = 0; i < Parent->GetObjectCount(); ++i) {
        auto* other = dynamic_cast<TskSkinMainMenuItem*>(Parent->GetObject(i));
        if (other && other != this && other->IDName != IDName && other->Active) {
            other->MouseLeave();
            return;
        }
    }
}

void TskSkinMainMenuItem::MouseEnter() {
    if (SearchDown()) {
        Active = MouseIn = true;
        if (Morphing) MorphKf = 1;
        SetDown(true);
        return;
    }
    SearchActive();
    MouseIn = Active = true;
    Redraw();
}

void TskSkinMainMenuItem::MouseLeave() {
    Active = MouseIn = false;
    if (Morphing && Down) MorphKf = 0;
    Redraw();
    Parent->MouseLeaveEvent(IDName);
}

void TskSkinMainMenuItem::MouseDown(int X, int Y, TMouseButton Button) {
    if (!Enabled) return;
    if (Button == mbLeft && MenuItem) {
        if (MenuItem->GetCount() == 0) {
            SetDown(false);
            Parent->FSkinMenuOpen = false;
            if (TMenu* menu = MenuItem->GetParentMenu())
                menu->DispatchCommand(MenuItem->GetCommand());
            else
                MenuItem->Click();
            return; // the command may have changed the menu and freed this item
        }
        SetDown(true);
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinMainMenuItem::TrackMenu() {
    if (!MenuItem || MenuItem->GetCount() == 0) return;
    Parent->SkinMenuOpen();
    RECT w{};
    GetWindowRect(Parent->GetForm()->GetHandle(), &w);
    const TRect r = MovedRect(ObjectRect, w.left, w.top);
    TskSkinData* skin = nullptr;
    bool up = false;
    if (auto* own = dynamic_cast<TskSkinMainMenu*>(MenuItem->GetParentMenu()); own && own->GetSkinData()) {
        skin = own->GetSkinData();
        up = skin->MainMenuPopupUp;
    } else {
        skin = Parent->GetMenusSkinData() ? Parent->GetMenusSkinData() : Parent->GetSkinData();
        up = Parent->GetSkinData() && Parent->GetSkinData()->MainMenuPopupUp;
    }
    Parent->GetSkinMenu()->Popup(nullptr, skin, 0, r, MenuItem, up);
}

// ---------------------------------------------------------------------------
// The form's main-menu items and their keyboard

namespace {
TskSkinMainMenuItem* AsItem(TskActiveSkinObject* O) {
    return dynamic_cast<TskSkinMainMenuItem*>(O);
}
} // namespace

std::vector<TskSkinMainMenuItem*> TskSkinForm::MainMenuItems() const {
    std::vector<TskSkinMainMenuItem*> items;
    for (auto& o : FObjectList)
        if (auto* item = AsItem(o.get())) items.push_back(item);
    return items;
}

void TskSkinForm::CreateMainMenu() {
    if (!FMainMenu || !FSkinData) return;
    const int index = FSkinData->GetIndex("MAINMENUITEM");
    if (index < 0) return;
    TskDataSkinObject* record = FSkinData->ObjectList[static_cast<std::size_t>(index)].get();
    if (!dynamic_cast<TskDataSkinMainMenuItem*>(record)) return;
    TMenuItem* items = FMainMenu->GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        TMenuItem* m = items->GetItem(i);
        if (!m->GetVisible()) continue;
        auto item = std::make_unique<TskSkinMainMenuItem>(this, record);
        item->IDName = m->GetName();
        item->Enabled = item->StoredEnabled = m->GetEnabled();
        item->MenuItem = m;
        FObjectList.push_back(std::move(item));
    }
}

void TskSkinForm::UpdateMainMenu(bool AUpdate) {
    for (int i = GetObjectCount() - 1; i >= 0; --i)
        if (AsItem(GetObject(i))) FObjectList.erase(FObjectList.begin() + i);
    ResetObjectIndexes();
    CreateMainMenu();
    if (!AUpdate || !FForm->HandleAllocated()) return;
    if (FSupportNCArea) {
        SendNCPaint();
    } else {
        RECT r{NewMainMenuRect.Left, NewMainMenuRect.Top, NewMainMenuRect.Right, NewMainMenuRect.Bottom};
        InvalidateRect(FForm->GetHandle(), &r, TRUE);
    }
}

void TskSkinForm::EnterMainMenuMode() {
    if (FMainMenuActive) return;
    FMainMenuActive = true;
    if (OnMainMenuEnter) OnMainMenuEnter(this);
}

bool TskSkinForm::ReleaseDownMainMenuItem() {
    for (TskSkinMainMenuItem* item : MainMenuItems())
        if (item->Down) {
            item->Active = false;
            item->Down = false;
            item->MouseIn = false;
            DrawSkinObject(item);
            return true;
        }
    return false;
}

void TskSkinForm::ActivateMenu() {
    TskSkinMainMenuItem* target = nullptr;
    for (TskSkinMainMenuItem* item : MainMenuItems())
        if (item->Active) {
            target = item;
            break;
        }
    if (!target) {
        auto items = MainMenuItems();
        if (!items.empty()) target = items.front();
    }
    if (target) target->MouseEnter();
}

namespace {
bool Selectable(TskSkinMainMenuItem* Item) {
    return Item->Enabled && Item->Visible && Item->ItemVisible;
}
} // namespace

void TskSkinForm::StepMainMenuItem(int Direction) {
    if (FMainMenuBar) return Direction > 0 ? FMainMenuBar->NextMainMenuItem() : FMainMenuBar->PriorMainMenuItem();
    std::vector<TskSkinMainMenuItem*> items;
    for (TskSkinMainMenuItem* item : MainMenuItems())
        if (Selectable(item)) items.push_back(item);
    if (items.empty()) return;
    const int n = static_cast<int>(items.size());
    int current = -1;
    for (int i = 0; i < n; ++i)
        if (items[static_cast<std::size_t>(i)]->Active || items[static_cast<std::size_t>(i)]->Down) {
            current = i;
            break;
        }
    if (current < 0) return items[Direction > 0 ? 0 : static_cast<std::size_t>(n - 1)]->MouseEnter();
    TskSkinMainMenuItem* next = items[static_cast<std::size_t>((current + Direction + n) % n)];
    // Entering the next item while the current one is open moves the open menu to it.
    if (!items[static_cast<std::size_t>(current)]->Down) items[static_cast<std::size_t>(current)]->MouseLeave();
    next->MouseEnter();
}

void TskSkinForm::NextMainMenuItem() {
    StepMainMenuItem(1);
}

void TskSkinForm::PriorMainMenuItem() {
    StepMainMenuItem(-1);
}

bool TskSkinForm::FindHotKeyItem(Word CharCode) {
    if (FMainMenuBar) return FMainMenuBar->FindHotKeyItem(CharCode);
    for (TskSkinMainMenuItem* item : MainMenuItems()) {
        if (!Selectable(item) || !item->MenuItem || !IsAccel(CharCode, item->MenuItem->GetCaption())) continue;
        item->MouseEnter();
        if (FSkinMenuOpen && item->MenuItem->GetCount() > 0) return true;
        item->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

bool TskSkinForm::CheckReturnKey() {
    if (FMainMenuBar) return FMainMenuBar->CheckReturnKey();
    for (TskSkinMainMenuItem* item : MainMenuItems()) {
        const bool plainDown = item->Down && item->MenuItem && item->MenuItem->GetCount() == 0;
        if (plainDown || (item->Active && !FSkinMenuOpen)) {
            item->Active = item->MouseIn = false;
            item->MouseDown(0, 0, mbLeft);
            return true;
        }
    }
    return false;
}
