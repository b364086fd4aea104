#include "skin/form/SkinForm_MenuBar.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"
#include "skin/form/SkinForm_MainMenuItems.h"

#include "skin/controls/SkinCtrls_Shape.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils_Images.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <cmath>

namespace {
void RegisterMenuBarClasses() {
    RegisterClass(TskSkinMainMenu::StaticClass());
    RegisterClass(TskSkinMainMenuBar::StaticClass());
}
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
    FMorphTimer = new TTimer(this);
    FMorphTimer->SetEnabled(false);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = TNotifyEvent(this, &TskSkinMainMenuBar::TestMorph);
}

TskSkinMainMenuBar::~TskSkinMainMenuBar() = default;

void TskSkinMainMenuBar::Published(TPropertyList& P) {
    P.Add("MainMenu", &TskSkinMainMenuBar::GetMainMenu, &TskSkinMainMenuBar::SetMainMenu);
    P.Add("SkinForm", &TskSkinMainMenuBar::GetSkinForm, &TskSkinMainMenuBar::SetSkinForm);
    P.Add("DefItemFont", &TskSkinMainMenuBar::GetDefItemFont, &TskSkinMainMenuBar::SetDefItemFont);
    P.Add("PopupToUp", &TskSkinMainMenuBar::GetPopupToUp, &TskSkinMainMenuBar::SetPopupToUp, false);
    P.Add("DefaultWidth", &TskSkinMainMenuBar::GetDefaultWidth, &TskSkinMainMenuBar::SetDefaultWidth, 0);
    P.Add("DefaultHeight", &TskSkinMainMenuBar::GetDefaultHeight, &TskSkinMainMenuBar::SetDefaultHeight, 22);
    P.Add("OnMainMenuItemClick", &TskSkinMainMenuBar::OnMainMenuItemClick);
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

void TskSkinMainMenuBar::GetSkinData() {
    TskSkinClient::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinMainMenuBar*>(GetSkinRecord());
    FSkinned = record && !IsNullRect(record->SkinRect);
    FItemSkinned = false;
    FPicture = nullptr;
    if (!FSkinned) {
        FIndex = -1;
        return;
    }
    FSkinRect = record->SkinRect;
    FItemsRect = record->ItemsRect;
    FMenuBarItem = record->MenuBarItem;
    FCloseButton = record->CloseButton;
    FMaxButton = record->MaxButton;
    FMinButton = record->MinButton;
    FSysMenuButton = record->SysMenuButton;
    FTrackMarkColor = record->TrackMarkColor;
    FTrackMarkActiveColor = record->TrackMarkActiveColor;
    FPicture = SkinPicture(FSD, record->PictureIndex);
    const int index = FMenuBarItem.empty() ? -1 : FSD->GetIndex(FMenuBarItem);
    auto* item = index < 0 ? nullptr : dynamic_cast<TskDataSkinMainMenuItem*>(FSD->ObjectList[static_cast<std::size_t>(index)].get());
    if (!item) return;
    TskMenuBarItemLook& look = FItemLook;
    look.Picture = SkinPicture(FSD, item->ActivePictureIndex);
    FItemSkinned = look.Picture && !IsNullRect(item->SkinRect) && !IsNullRect(item->TextRect);
    look.SkinRect = item->SkinRect;
    look.ActiveSkinRect = item->ActiveSkinRect;
    look.DownRect = item->DownRect;
    if (IsNullRect(look.DownRect)) look.DownRect = IsNullRect(look.ActiveSkinRect) ? look.SkinRect : look.ActiveSkinRect;
    look.TextRect = item->TextRect;
    look.FontName = item->FontName;
    look.FontHeight = item->FontHeight;
    look.FontStyle = item->FontStyle;
    look.UnEnabledFontColor = item->UnEnabledFontColor;
    look.FontColor = item->FontColor;
    look.ActiveFontColor = item->ActiveFontColor;
    look.DownFontColor = item->DownFontColor;
    look.ItemLeftOffset = item->ItemLeftOffset;
    look.ItemRightOffset = item->ItemRightOffset;
    look.Morphing = item->Morphing && !IsNullRect(look.ActiveSkinRect);
    look.MorphKind = item->MorphKind;
}

void TskSkinMainMenuBar::ChangeSkinData() {
    GetSkinData();
    if (FMDIButtons) {
        AddButtons();
        CheckButtons();
    }
    if (FSkinned)
        SetHeight(RectHeight(FSkinRect));
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    Invalidate();
}

void TskSkinMainMenuBar::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (!FSkinned && Value >= 1) SetWidth(Value);
}

void TskSkinMainMenuBar::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (!FSkinned && Value >= 1) SetHeight(Value);
}

void TskSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FSkinned) AHeight = RectHeight(FSkinRect);
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
}

TRect TskSkinMainMenuBar::ItemsArea() const {
    return FMDIButtons ? PlaceButtons(BarArea(), nullptr) : BarArea();
}

TRect TskSkinMainMenuBar::BarArea() const {
    if (FSkinned)
        return TRect(FItemsRect.Left, FItemsRect.Top, GetWidth() - (RectWidth(FSkinRect) - FItemsRect.Right),
                     FItemsRect.Bottom);
    return TRect(2, 2, GetWidth() - 2, GetHeight() - 2);
}

TRect TskSkinMainMenuBar::ScrollMarkerRect() const {
    const TRect area = ItemsArea();
    return TRect(area.Right - 5, area.Top, area.Right, area.Bottom);
}

int TskSkinMainMenuBar::ItemWidth(TCanvas* Probe, TMenuItem* Item) {
    TFont* f = Probe->GetFont();
    f->Assign(FDefItemFont.get());
    if (FItemSkinned) SetSkinFont(f, FItemLook.FontName, FItemLook.FontStyle, FItemLook.FontHeight);
    TRect r(0, 0, 0, 0);
    Probe->TextRect(r, Item->GetCaption(), DT_CALCRECT | DT_SINGLELINE);
    if (FItemSkinned) return RectWidth(FItemLook.SkinRect) - RectWidth(FItemLook.TextRect) + RectWidth(r) + 2;
    return RectWidth(r) + 12;
}

void TskSkinMainMenuBar::Layout() {
    GetSkinData();
    std::vector<TskMenuBarItem> items;
    FScrollMarker = false;
    if (FMainMenu) {
        TBitmap probe(1, 1, pf24bit);
        const TRect area = ItemsArea();
        const int h = FItemSkinned ? RectHeight(FItemLook.SkinRect) : RectHeight(area);
        int x = area.Left;
        TMenuItem* top = FMainMenu->GetItems();
        for (int i = 0; i < top->GetCount(); ++i) {
            TMenuItem* m = top->GetItem(i);
            if (!m->GetVisible()) continue;
            TskMenuBarItem item;
            item.MenuItem = m;
            item.ObjectRect = TRect(x, area.Top, x + ItemWidth(probe.GetCanvas(), m), area.Top + h);
            // Once one item does not fit, none after it is shown either.
            item.InBar = !FScrollMarker && item.ObjectRect.Right <= area.Right - 5;
            FScrollMarker = FScrollMarker || !item.InBar;
            x = item.ObjectRect.Right;
            items.push_back(item);
        }
    }
    for (std::size_t i = 0; i < items.size() && i < FItems.size(); ++i)
        if (items[i].MenuItem == FItems[i].MenuItem) {
            items[i].Active = FItems[i].Active;
            items[i].Down = FItems[i].Down;
            items[i].MorphKf = FItems[i].MorphKf;
        }
    FItems = std::move(items);
    if (FActive >= static_cast<int>(FItems.size())) FActive = -1;
    if (FDown >= static_cast<int>(FItems.size())) FDown = -1;
}

const std::vector<TskMenuBarItem>& TskSkinMainMenuBar::Items() {
    Layout();
    return FItems;
}

std::unique_ptr<TBitmap> TskSkinMainMenuBar::ItemImage(const TskMenuBarItem& Item, const TRect& S, bool ActiveText) {
    const TRect r(0, 0, std::max(RectWidth(Item.ObjectRect), 1), std::max(RectHeight(Item.ObjectRect), 1));
    auto b = std::make_unique<TBitmap>(r.Right, r.Bottom, pf24bit);
    DrawItemFace(b->GetCanvas(), r, Item, S, ActiveText);
    return b;
}

void TskSkinMainMenuBar::DrawItemFace(TCanvas* C, const TRect& R, const TskMenuBarItem& Item, const TRect& S,
                                      bool ActiveText) {
    const TskMenuBarItemLook& look = FItemLook;
    DrawItemLook(C, R, look.Picture, S, look.ItemLeftOffset, look.ItemRightOffset);
    C->GetFont()->Assign(FDefItemFont.get());
    SetSkinFont(C->GetFont(), look.FontName, look.FontStyle, look.FontHeight);
    C->GetFont()->SetColor(Item.Down        ? look.DownFontColor
                           : ActiveText     ? look.ActiveFontColor
                           : Item.MenuItem->GetEnabled() ? look.FontColor
                                                         : look.UnEnabledFontColor);
    DrawItemCaption(C, R, look.TextRect, Item.MenuItem->GetCaption());
}

void TskSkinMainMenuBar::DrawItem(TCanvas* C, const TskMenuBarItem& Item) {
    const TRect r = Item.ObjectRect;
    if (FItemSkinned) {
        const TskMenuBarItemLook& look = FItemLook;
        const double target = Item.Active ? 1 : 0;
        if (!Item.Down && look.Morphing && Item.MorphKf != target) {
            auto image = ItemImage(Item, look.SkinRect, false);
            auto active = ItemImage(Item, look.ActiveSkinRect, true);
            TskEffectBmp e1(image->GetHandle()), e2(active->GetHandle());
            e1.MorphByKind(look.MorphKind, &e2, Item.MorphKf);
            e1.Draw(C->GetHandle(), r.Left, r.Top);
            return;
        }
        const TRect& skin = Item.Down ? look.DownRect
                            : Item.Active && !IsNullRect(look.ActiveSkinRect) ? look.ActiveSkinRect
                                                                              : look.SkinRect;
        const bool activeText = Item.Down || Item.Active;
        if (RectWidth(r) < 1 || RectHeight(r) < 1) {
            auto image = ItemImage(Item, skin, activeText);
            BitBlt(C->GetHandle(), r.Left, r.Top, image->GetWidth(), image->GetHeight(),
                   image->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
            return;
        }
        // Straight into the bar's picture, kept within the item as its own picture would be,
        // on the white such a picture starts from.
        TClipWithin within(C, r);
        C->GetBrush()->SetColor(clWhite);
        C->FillRect(r);
        DrawItemFace(C, r, Item, skin, activeText);
        return;
    }
    const bool enabled = Item.MenuItem->GetEnabled();
    if (Item.Down || Item.Active) {
        C->GetBrush()->SetColor(Item.Down ? MenuBarDownColor : MenuBarActiveColor);
        C->FillRect(r);
        C->GetBrush()->SetColor(clNavy);
        C->FrameRect(r);
    }
    C->GetFont()->Assign(FDefItemFont.get());
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetColor(enabled ? FDefItemFont->GetColor() : clBtnShadow);
    TRect t = Item.Down ? MovedRect(r, 1, 1) : r;
    C->TextRect(t, Item.MenuItem->GetCaption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->GetBrush()->SetStyle(bsSolid);
}

void TskSkinMainMenuBar::CreateControlDefaultImage(TBitmap* B) {
    Layout();
    const int w = GetWidth(), h = GetHeight();
    B->SetSize(w, h);
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, w, h));
    if (FSkinned && FPicture && !FPicture->GetEmpty()) {
        // The bar's ends stay, its middle is repeated across.
        // Device-independent: a device picture costs many times as much to make.
        TBitmap back;
        back.SetPixelFormat(pf32bit);
        CreateHSkinImage(FItemsRect.Left, RectWidth(FSkinRect) - FItemsRect.Right, &back, FPicture, FSkinRect, w, h);
        BitBlt(c->GetHandle(), 0, 0, back.GetWidth(), back.GetHeight(), back.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    }
    for (const TskMenuBarItem& item : FItems)
        if (item.InBar) DrawItem(c, item);
    for (const TskMenuBarButton& button : Buttons()) DrawButton(c, button);
    if (FScrollMarker) {
        const TColor color = FSkinned ? (FScrollMarkerActive ? FTrackMarkActiveColor : FTrackMarkColor)
                                      : (FScrollMarkerActive ? clBtnText : clBtnShadow);
        DrawArrowImage(c, ScrollMarkerRect(), color, 2);
    }
}

void TskSkinMainMenuBar::TrackScrollMenu() {
    Layout();
    if (!FSkinForm || !FMainMenu || !FScrollMarker) return;
    int start = -1;
    for (const TskMenuBarItem& item : FItems)
        if (!item.InBar) {
            start = item.MenuItem->GetMenuIndex();
            break;
        }
    if (start < 0) return;
    const TRect marker = ScrollMarkerRect();
    const TPoint at = ClientToScreen(TPoint(marker.Left, marker.Top));
    const TRect r(at.X, at.Y, at.X + RectWidth(marker), at.Y + RectHeight(marker));
    FSkinForm->GetSkinMenu()->CloseMenu(0);
    FSkinForm->SkinMenuOpen();
    FSkinForm->GetSkinMenu()->Popup(this, GetSkin(), start, r, FMainMenu->GetItems(), false);
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
    if (FItemSkinned && FItemLook.Morphing) FMorphTimer->SetEnabled(true);
    Invalidate();
}

void TskSkinMainMenuBar::TestMorph(TObject*) {
    bool any = false;
    for (TskMenuBarButton& b : FButtons) {
        const double target = b.MouseIn ? 1 : 0;
        if (!b.Morphing || b.MorphKf == target) continue;
        b.MorphKf = b.MorphKf < target ? std::min(b.MorphKf + 0.1, 1.0) : std::max(b.MorphKf - 0.1, 0.0);
        if (std::abs(b.MorphKf - target) < 1e-9) b.MorphKf = target;
        any = true;
    }
    for (TskMenuBarItem& item : FItems) {
        // An open item shows its down look at once and comes back from the full active look.
        const double target = item.Active || item.Down ? 1 : 0;
        if (item.MorphKf == target) continue;
        item.MorphKf = item.MorphKf < target ? std::min(item.MorphKf + 0.1, 1.0) : std::max(item.MorphKf - 0.1, 0.0);
        if (std::abs(item.MorphKf - target) < 1e-9) item.MorphKf = target;
        any = true;
    }
    if (any)
        Invalidate();
    else
        FMorphTimer->SetEnabled(false);
}

int TskSkinMainMenuBar::IndexOf(TMenuItem* MenuItem) {
    Layout();
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].MenuItem == MenuItem) return static_cast<int>(i);
    return -1;
}

void TskSkinMainMenuBar::OpenItem(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FItems.size())) return;
    TMenuItem* menuItem = FItems[static_cast<std::size_t>(Index)].MenuItem;
    if (!FItems[static_cast<std::size_t>(Index)].InBar || !menuItem->GetEnabled()) return;
    TComponentProtector protect(this);
    if (menuItem->GetCount() == 0) {
        // A plain item acts at once: keyboard menu mode and any open menu end first.
        if (FSkinForm && FSkinForm->GetMainMenuActive())
            FSkinForm->SkinMainMenuClose();
        else
            MenuExit();
        if (FSkinForm) FSkinForm->FSkinMenuOpen = false;
        if (TMenu* menu = menuItem->GetParentMenu()) menu->DispatchCommand(menuItem->GetCommand());
        return;
    }
    if (!FSkinForm) return;
    // The open menu closes first and tells its opener; the new one then has this bar
    // as its opener.
    FSkinForm->GetSkinMenu()->CloseMenu(0);
    if (TMenu* menu = menuItem->GetParentMenu()) menu->DispatchCommand(menuItem->GetCommand());
    // The item's click, the repaint and the menu-mode event below may each lay the bar out
    // afresh or change the menu: the item is looked up again after each.
    if (IsDestroying() || !FSkinForm || (Index = IndexOf(menuItem)) < 0) return;
    for (auto& other : FItems) other.Down = false;
    FItems[static_cast<std::size_t>(Index)].Down = true;
    FDown = Index;
    SetActive(Index);
    Update();
    FInMenu = true;
    FSkinForm->EnterMainMenuMode();
    if (IsDestroying() || !FSkinForm || (Index = IndexOf(menuItem)) < 0) return;
    const TPoint origin = ClientToScreen(TPoint(0, 0));
    const TRect r = MovedRect(FItems[static_cast<std::size_t>(Index)].ObjectRect, origin.X, origin.Y);
    TskSkinData* skin = nullptr;
    if (auto* skinned = dynamic_cast<TskSkinMainMenu*>(FMainMenu)) skin = skinned->GetSkinData();
    if (!skin) skin = FSkinForm->GetMenusSkinData() ? FSkinForm->GetMenusSkinData() : FSkinForm->GetSkinData();
    FSkinForm->SkinMenuOpen();
    FSkinForm->GetSkinMenu()->Popup(this, skin, 0, r, menuItem, FPopupToUp);
}

void TskSkinMainMenuBar::ClickItem(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FItems.size())) return;
    TMenuItem* menuItem = FItems[static_cast<std::size_t>(Index)].MenuItem;
    if (!FItems[static_cast<std::size_t>(Index)].InBar || !menuItem->GetEnabled()) return;
    if (OnMainMenuItemClick) {
        TComponentProtector protect(this);
        OnMainMenuItemClick(menuItem->GetName());
        if (IsDestroying() || (Index = IndexOf(menuItem)) < 0) return;
    }
    OpenItem(Index);
}

void TskSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (const int button = ButtonAt(X, Y); button != -1) return PressButton(button, Shift.Contains(ssDouble));
    const int index = ItemAt(X, Y);
    if (index == -1) {
        if (FScrollMarker && InHalfOpen(ScrollMarkerRect(), TPoint(X, Y)))
            TrackScrollMenu();
        else if (FDown != -1 && FSkinForm)
            FSkinForm->GetSkinMenu()->Hide();
        return;
    }
    if (index == FDown) {
        if (FSkinForm) FSkinForm->GetSkinMenu()->Hide();
        return;
    }
    ClickItem(index);
}

void TskSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinControl::MouseMove(Shift, X, Y);
    TestActive(X, Y);
}

void TskSkinMainMenuBar::TestActive(int X, int Y) {
    const int button = ButtonAt(X, Y);
    // While a button is held only that one lights.
    if (FButtonCapture == -1 || button == FButtonCapture || button == -1) SetButtonActive(button);
    const bool onMarker = FScrollMarker && InHalfOpen(ScrollMarkerRect(), TPoint(X, Y));
    if (onMarker != FScrollMarkerActive) {
        FScrollMarkerActive = onMarker;
        Invalidate();
    }
    const int index = ItemAt(X, Y);
    if (index == FActive) return;
    if (index == -1) {
        if (FDown == -1 && !FInMenu) SetActive(-1);
        return;
    }
    // While a submenu is open the menu follows the pointer.
    if (FDown != -1)
        OpenItem(index);
    else
        SetActive(index);
}

void TskSkinMainMenuBar::CreateParams(TCreateParams& Params) {
    TskSkinControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_NOPARENTNOTIFY;
}

void TskSkinMainMenuBar::WMMouseActivate(TMessage& Message) {
    if (FDown != -1)
        Message.Result = MA_ACTIVATE;
    else
        TskSkinControl::Dispatch(Message);
}

void TskSkinMainMenuBar::CMMouseLeave2(TMessage& Message) {
    TskSkinControl::Dispatch(Message);
    TestActive(-1, -1);
}

void TskSkinMainMenuBar::WMCloseSkinMenu(TMessage&) {
    // The system-menu button stays down while its menu is open.
    for (TskMenuBarButton& b : FButtons)
        if (b.Command == cmSysMenu && b.Down) {
            b.Down = false;
            if (FButtonCapture != -1 && FButtons[static_cast<std::size_t>(FButtonCapture)].Command == cmSysMenu)
                FButtonCapture = -1;
        }
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
            ClickItem(i);
            return true;
        }
    }
    return false;
}

bool TskSkinMainMenuBar::CheckReturnKey() {
    if (FActive < 0 || FDown != -1) return false;
    ClickItem(FActive);
    return true;
}
