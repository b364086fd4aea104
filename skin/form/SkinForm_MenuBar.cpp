#include "skin/form/SkinForm_MenuBar.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

namespace {
void RegisterMenuBarClasses() {
    RegisterClass(TskSkinMainMenu::StaticClass());
    RegisterClass(TskSkinMainMenuBar::StaticClass());
}

constexpr TColor kDownColor = 0xB59385;   // RGB(133, 147, 181)
constexpr TColor kActiveColor = 0xD2BDB6; // RGB(182, 189, 210)
} // namespace

DEFINE_UNIT(SkinForm_MenuBar, uoSkin + 23, RegisterMenuBarClasses, nullptr);

void TskSkinMainMenu::Published(TPropertyList& P) {
    P.Add("SkinData", &TskSkinMainMenu::GetSkinData, &TskSkinMainMenu::SetSkinData);
}

void TskSkinMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMainMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

TskSkinMainMenuBar::TskSkinMainMenuBar(TComponent* AOwner) : TskSkinControl(AOwner) {
    FDefItemFont = std::make_unique<TFont>();
    FDefItemFont->SetName("Arial");
    FDefItemFont->SetHeight(14);
    FDefItemFont->SetColor(clBtnText);
    SetSkinDataName("mainmenubar");
    SetDrawDefault(true);
    SetAlign(alTop);
    SetHeight(22);
}

TskSkinMainMenuBar::~TskSkinMainMenuBar() = default;

void TskSkinMainMenuBar::Published(TPropertyList& P) {
    P.Add("MainMenu", &TskSkinMainMenuBar::GetMainMenu, &TskSkinMainMenuBar::SetMainMenu);
    P.Add("SkinForm", &TskSkinMainMenuBar::GetSkinForm, &TskSkinMainMenuBar::SetSkinForm);
    P.Add("DefItemFont", &TskSkinMainMenuBar::GetDefItemFont, &TskSkinMainMenuBar::SetDefItemFont);
    P.Add("PopupToUp", &TskSkinMainMenuBar::GetPopupToUp, &TskSkinMainMenuBar::SetPopupToUp, false);
}

void TskSkinMainMenuBar::SetMainMenu(TMainMenu* Value) {
    SetReference(this, FMainMenu, Value);
    Invalidate();
}

void TskSkinMainMenuBar::SetSkinForm(TskSkinForm* Value) {
    SetReference(this, FSkinForm, Value);
}

void TskSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FMainMenu) FMainMenu = nullptr;
    if (AComponent == FSkinForm) FSkinForm = nullptr;
}

void TskSkinMainMenuBar::Layout() {
    std::vector<TskMenuBarItem> items;
    FScrollMarker = false;
    if (FMainMenu) {
        TBitmap probe(1, 1);
        probe.GetCanvas()->GetFont()->Assign(FDefItemFont.get());
        const TRect area(2, 2, GetWidth() - 2, GetHeight() - 2);
        int x = area.Left;
        TMenuItem* top = FMainMenu->GetItems();
        for (int i = 0; i < top->GetCount(); ++i) {
            TMenuItem* m = top->GetItem(i);
            if (!m->GetVisible()) continue;
            TRect r(0, 0, 0, 0);
            probe.GetCanvas()->TextRect(r, m->GetCaption(), DT_CALCRECT | DT_SINGLELINE);
            TskMenuBarItem item;
            item.MenuItem = m;
            item.ObjectRect = TRect(x, area.Top, x + RectWidth(r) + 12, area.Bottom);
            item.InBar = item.ObjectRect.Right <= area.Right - 5;
            FScrollMarker = FScrollMarker || !item.InBar;
            x = item.ObjectRect.Right;
            items.push_back(item);
        }
    }
    for (std::size_t i = 0; i < items.size() && i < FItems.size(); ++i)
        if (items[i].MenuItem == FItems[i].MenuItem) {
            items[i].Active = FItems[i].Active;
            items[i].Down = FItems[i].Down;
        }
    FItems = std::move(items);
    if (FActive >= static_cast<int>(FItems.size())) FActive = -1;
    if (FDown >= static_cast<int>(FItems.size())) FDown = -1;
}

const std::vector<TskMenuBarItem>& TskSkinMainMenuBar::Items() {
    Layout();
    return FItems;
}

void TskSkinMainMenuBar::CreateControlDefaultImage(TBitmap* B) {
    Layout();
    const int w = GetWidth(), h = GetHeight();
    B->SetSize(w, h);
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, w, h));
    c->GetFont()->Assign(FDefItemFont.get());
    for (const TskMenuBarItem& item : FItems) {
        if (!item.InBar) continue;
        TRect r = item.ObjectRect;
        if (item.Down || item.Active) {
            c->GetBrush()->SetColor(item.Down ? kDownColor : kActiveColor);
            c->FillRect(r);
            c->GetBrush()->SetColor(clNavy);
            c->FrameRect(r);
        }
        c->GetBrush()->SetStyle(bsClear);
        c->GetFont()->SetColor(item.MenuItem->GetEnabled() ? FDefItemFont->GetColor() : clBtnShadow);
        c->TextRect(r, item.MenuItem->GetCaption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        c->GetBrush()->SetStyle(bsSolid);
    }
    if (FScrollMarker) DrawArrowImage(c, TRect(w - 7, 2, w - 2, h - 2), clBtnText, 2);
}

int TskSkinMainMenuBar::ItemAt(int X, int Y) {
    Layout();
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i)
        if (FItems[static_cast<std::size_t>(i)].InBar && X >= FItems[i].ObjectRect.Left &&
            X < FItems[i].ObjectRect.Right && Y >= FItems[i].ObjectRect.Top && Y < FItems[i].ObjectRect.Bottom)
            return i;
    return -1;
}

void TskSkinMainMenuBar::SetActive(int Index) {
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i) FItems[static_cast<std::size_t>(i)].Active = i == Index;
    FActive = Index;
    Invalidate();
}

void TskSkinMainMenuBar::OpenItem(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FItems.size())) return;
    TskMenuBarItem& item = FItems[static_cast<std::size_t>(Index)];
    if (!item.InBar || !item.MenuItem->GetEnabled()) return;
    TMenuItem* menuItem = item.MenuItem;
    if (menuItem->GetCount() == 0) {
        MenuExit();
        if (TMenu* menu = menuItem->GetParentMenu()) menu->DispatchCommand(menuItem->GetCommand());
        return;
    }
    if (!FSkinForm) return;
    // The open menu closes first and tells its opener; the new one then has this bar
    // as its opener.
    FSkinForm->GetSkinMenu()->CloseMenu(0);
    if (TMenu* menu = menuItem->GetParentMenu()) menu->DispatchCommand(menuItem->GetCommand());
    for (auto& other : FItems) other.Down = false;
    item.Down = true;
    FDown = Index;
    SetActive(Index);
    Update();
    const TPoint origin = ClientToScreen(TPoint(0, 0));
    const TRect r = MovedRect(item.ObjectRect, origin.X, origin.Y);
    TskSkinData* skin = nullptr;
    if (auto* skinned = dynamic_cast<TskSkinMainMenu*>(FMainMenu)) skin = skinned->GetSkinData();
    if (!skin) skin = FSkinForm->GetMenusSkinData() ? FSkinForm->GetMenusSkinData() : FSkinForm->GetSkinData();
    FInMenu = true;
    FSkinForm->SkinMenuOpen();
    FSkinForm->GetSkinMenu()->Popup(this, skin, 0, r, menuItem, FPopupToUp);
}

void TskSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const int index = ItemAt(X, Y);
    if (index == -1) return;
    if (index == FDown) {
        if (FSkinForm) FSkinForm->GetSkinMenu()->Hide();
        return;
    }
    OpenItem(index);
}

void TskSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseMove(Shift, X, Y);
    const int index = ItemAt(X, Y);
    if (index == FActive || index == -1) return;
    // While a submenu is open the menu follows the pointer.
    if (FDown != -1)
        OpenItem(index);
    else
        SetActive(index);
}

void TskSkinMainMenuBar::CMMouseLeave2(TMessage& Message) {
    TskSkinControl::Dispatch(Message);
    if (FDown == -1 && !FInMenu) SetActive(-1);
}

void TskSkinMainMenuBar::WMCloseSkinMenu(TMessage&) {
    if (FDown >= 0 && FDown < static_cast<int>(FItems.size())) FItems[static_cast<std::size_t>(FDown)].Down = false;
    FDown = -1;
    Invalidate();
}

void TskSkinMainMenuBar::MenuEnter() {
    Layout();
    FInMenu = true;
    SetActive(FItems.empty() ? -1 : 0);
}

void TskSkinMainMenuBar::MenuExit() {
    FInMenu = false;
    if (FDown >= 0 && FSkinForm) FSkinForm->GetSkinMenu()->Hide();
    FDown = -1;
    for (auto& item : FItems) item.Down = false;
    SetActive(-1);
}

void TskSkinMainMenuBar::MenuClose() {
    if (FDown >= 0) FItems[static_cast<std::size_t>(FDown)].Down = false;
    FDown = -1;
    Invalidate();
}

void TskSkinMainMenuBar::Step(int Direction) {
    Layout();
    const int n = static_cast<int>(FItems.size());
    if (n == 0) return;
    int i = FActive;
    for (int k = 0; k < n; ++k) {
        i = i < 0 ? (Direction > 0 ? 0 : n - 1) : (i + Direction + n) % n;
        const TskMenuBarItem& item = FItems[static_cast<std::size_t>(i)];
        if (!item.InBar || !item.MenuItem->GetEnabled()) continue;
        if (FDown != -1)
            OpenItem(i);
        else
            SetActive(i);
        return;
    }
}

void TskSkinMainMenuBar::NextMainMenuItem() {
    Step(1);
}

void TskSkinMainMenuBar::PriorMainMenuItem() {
    Step(-1);
}

bool TskSkinMainMenuBar::FindHotKeyItem(Word Key) {
    Layout();
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i) {
        const TskMenuBarItem& item = FItems[static_cast<std::size_t>(i)];
        if (item.InBar && item.MenuItem->GetEnabled() && IsAccel(Key, item.MenuItem->GetCaption())) {
            OpenItem(i);
            return true;
        }
    }
    return false;
}

bool TskSkinMainMenuBar::CheckReturnKey() {
    if (FActive < 0 || FDown != -1) return false;
    OpenItem(FActive);
    return true;
}
