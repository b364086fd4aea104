#include "skin/form/SkinMenus.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Forms.h"
#include "classlib/ImageLists.h"
#include "classlib/Persistence.h"

namespace {

void RegisterMenuClasses() {
    RegisterClass(TskSkinPopupMenu::StaticClass());
}

constexpr UINT_PTR kScrollTimer = 1;
constexpr int kMarker = 10;

// Least space between the widest caption and the shortcut column.
constexpr int kShortCutGap = 12;

TRect WorkAreaRect() {
    RECT r;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return TRect(r.left, r.top, r.right, r.bottom);
}

// A row's text: its caption, with the shortcut after two spaces.
AnsiString RowText(TMenuItem* Item) {
    AnsiString text = Item->GetCaption();
    if (Item->GetShortCut() != scNone) text += "  " + ShortCutToText(Item->GetShortCut());
    return text;
}

void DrawCheckMark(TCanvas* C, int X, int Y, TColor Color) {
    C->GetPen()->SetColor(Color);
    for (int i = 0; i < 3; ++i) C->Polyline({TPoint(X, Y + 5 - i), TPoint(X + 2, Y + 7 - i), TPoint(X + 7, Y + 2 - i)});
}

void DrawSubArrow(TCanvas* C, int X, int Y, TColor Color) {
    C->GetPen()->SetColor(Color);
    for (int i = 0; i <= 3; ++i) {
        C->MoveTo(X + i, Y + i);
        C->LineTo(X + i, Y + 8 - i);
    }
}

void DrawRadioDot(TCanvas* C, int X, int Y, TColor Color) {
    C->GetPen()->SetColor(Color);
    C->GetBrush()->SetColor(Color);
    C->Ellipse(X, Y, X + 6, Y + 6);
}

// The glyph a standard system-menu item shows in front of its caption.
bool DrawNamedGlyph(TCanvas* C, const AnsiString& Name, int X, int Y, TColor Color) {
    if (Name == "DSF_CLOSE" || Name == "TRAY_DSF_CLOSE") DrawCloseImage(C, X, Y, Color);
    else if (Name == "DSF_MINITEM") DrawMinimizeImage(C, X, Y, Color);
    else if (Name == "DSF_MAXITEM") DrawMaximizeImage(C, X, Y, Color);
    else if (Name == "DSF_RESTORE" || Name == "TRAY_DSF_RESTORE") DrawRestoreImage(C, X, Y, Color);
    else if (Name == "DSF_ROLLUP") DrawRollUpImage(C, X, Y, Color);
    else if (Name == "DSF_MINTOTRAY") DrawMTImage(C, X, Y, Color);
    else return false;
    return true;
}

// Caption, shortcut, submenu arrow and check of one row inside R, text starting after IC;
// the shortcut right-aligned in a column ShortCutWidth wide that ends RightGap from the right.
void DrawRowText(TCanvas* C, TMenuItem* Item, const TRect& R, int IC, int RightGap, int ShortCutWidth) {
    const int middle = R.Top + RectHeight(R) / 2;
    TRect text(R.Left + IC, 0, R.Right - RightGap, 0);
    const AnsiString caption = Item->GetCaption();
    C->TextRect(text, caption, DT_CALCRECT);
    const int h = RectHeight(text);
    text = TRect(text.Left, middle - h / 2, text.Right + 2, middle - h / 2 + h);
    C->TextRect(text, caption, DT_CENTER | DT_VCENTER);
    if (Item->GetShortCut() != scNone) {
        const AnsiString sc = ShortCutToText(Item->GetShortCut());
        TRect column(R.Right - RightGap - ShortCutWidth, text.Top, R.Right - RightGap, text.Bottom);
        C->TextRect(column, sc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    const TColor color = C->GetFont()->GetColor();
    if (Item->GetCount() > 0) DrawSubArrow(C, R.Right - 7, middle - 4, color);
}

void DrawRowMark(TCanvas* C, TMenuItem* Item, int X, int Y, TColor Color) {
    if (DrawNamedGlyph(C, Item->GetName(), X, Y, Color) || !Item->GetChecked()) return;
    if (Item->GetRadioItem())
        DrawRadioDot(C, X + 1, Y + 1, Color);
    else
        DrawCheckMark(C, X + 1, Y, Color);
}

// The row's picture from the menu's images at X, centred on Middle, framed in Color when
// the item is checked; false when the row has none.
bool DrawRowImage(TCanvas* C, TCustomImageList* Images, TMenuItem* Item, int X, int Middle, TColor Color) {
    const int index = Item->GetImageIndex();
    if (!Images || index < 0 || index >= Images->GetCount()) return false;
    const int y = Middle - Images->GetHeight() / 2;
    Images->Draw(C, X, y, index, Item->GetEnabled());
    if (Item->GetChecked()) {
        C->GetBrush()->SetColor(Color);
        C->FrameRect(TRect(X - 1, y - 1, X + Images->GetWidth() + 1, y + Images->GetHeight() + 1));
    }
    return true;
}

} // namespace

DEFINE_UNIT(SkinMenus, uoSkin + 21, RegisterMenuClasses, nullptr);

TTimer* MakeTimer(TComponent* Owner, Cardinal Interval, TNotifyEvent Tick) {
    auto* timer = new TTimer(Owner);
    timer->SetEnabled(false);
    timer->SetInterval(Interval);
    timer->SetOnTimer(Tick);
    return timer;
}

bool CanMenuClose(UINT Msg) {
    switch (Msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_SETFOCUS: case WM_CANCELMODE:
    case WM_MOUSEACTIVATE: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

TBitmap* PictureAt(TskSkinData* S, int Index) {
    if (!S || Index < 0 || Index >= static_cast<int>(S->ActivePictures.size())) return nullptr;
    TBitmap* b = S->ActivePictures[static_cast<std::size_t>(Index)].get();
    return b->GetEmpty() ? nullptr : b;
}

// ---------------------------------------------------------------------------
// TskSkinMenuItem

TskSkinMenuItem::TskSkinMenuItem(TskSkinPopupWindow* AParent, TMenuItem* AMenuItem, TskDataSkinMenuItem* AItemData)
    : Parent(AParent), ItemData(AItemData), MenuItem(AMenuItem) {
    if (!ItemData) return;
    Picture = PictureAt(Parent->SkinData, ItemData->ActivePictureIndex);
    if (!Picture) ItemData->SkinRect = ItemData->ActiveSkinRect = NullRect();
}

int TskSkinMenuItem::Height() const {
    if (!ItemData) return IsDivider() ? 4 : Parent->SkinMenu->DefaultMenuItemHeight;
    return IsDivider() ? RectHeight(ItemData->DividerRect) : RectHeight(ItemData->SkinRect);
}

bool TskSkinMenuItem::CanMorphing() {
    if (!Visible) {
        if (MorphKf != 0) {
            MouseIn = Down = false;
            MorphKf = 0;
        }
        return false;
    }
    const bool active = MouseIn || Down;
    return (active && MorphKf < 1) || (!active && MorphKf > 0);
}

void TskSkinMenuItem::SetMorphKf(double Value) {
    MorphKf = Value < 0 ? 0 : Value > 1 ? 1 : Value;
}

void TskSkinMenuItem::DoMorphing() {
    SetMorphKf(MouseIn || Down ? MorphKf + 0.1 : MorphKf - 0.1);
    if (Parent->HandleAllocated()) Draw(Parent->GetCanvas());
}

void TskSkinMenuItem::Redraw() {
    if (ItemData && ItemData->Morphing)
        Parent->MorphTimer->SetEnabled(true);
    else if (Parent->HandleAllocated())
        Draw(Parent->GetCanvas());
}

void TskSkinMenuItem::MouseEnter(bool Kb) {
    MouseIn = true;
    for (auto& row : Parent->ItemList) {
        if (row.get() != this && row->Down) {
            row->Down = false;
            row->Redraw();
        }
    }
    if (InitialActive && !Kb) return Redraw();
    TskSkinMenu* chain = Parent->SkinMenu;
    if (Down) {
        const int next = chain->GetPWIndex(Parent) + 1;
        if (next + 1 < chain->GetCount()) chain->GetLevel(next)->UpDatePW();
        return;
    }
    Redraw();
    chain->CheckItem(Parent, this, Kb, false);
}

void TskSkinMenuItem::MouseLeave() {
    InitialActive = false;
    MouseIn = false;
    if (!Down) Redraw();
    TskSkinMenu* chain = Parent->SkinMenu;
    if (chain->WaitMenuItem == this) {
        chain->WaitTimer->SetEnabled(false);
        chain->WaitMenuItem = nullptr;
    }
}

void TskSkinMenuItem::MouseDown() {
    InitialActive = false;
    if (!Down && MenuItem->GetEnabled()) Parent->SkinMenu->CheckItem(Parent, this, false, true);
}

void TskSkinMenuItem::DefaultDraw(TCanvas* Cnvs) {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    c->GetFont()->Assign(Parent->SkinMenu->DefaultMenuItemFont.get());
    const int ic = Parent->Images ? Parent->ImageWidth : 19;
    const bool active = MouseIn || Down;
    if (active && !IsDivider()) {
        c->GetBrush()->SetColor(static_cast<TColor>(0xD2BDB6));
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(clNavy);
        c->FrameRect(TRect(0, 0, w, h));
        c->GetFont()->SetColor(clWindowText);
    } else {
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, ic, h));
        c->GetBrush()->SetColor(clWindow);
        c->FillRect(TRect(ic, 0, w, h));
        c->GetFont()->SetColor(MenuItem->GetEnabled() ? clWindowText : clBtnShadow);
    }
    if (IsDivider()) {
        c->GetPen()->SetColor(clBtnShadow);
        c->MoveTo(ic, h / 2);
        c->LineTo(w, h / 2);
    } else {
        c->GetBrush()->SetStyle(bsClear);
        const TRect r1(2, 2, w - 2, h - 2);
        DrawRowText(c, MenuItem, r1, ic, 19, Parent->ShortCutWidth);
        const int middle = r1.Top + RectHeight(r1) / 2;
        const TColor color = c->GetFont()->GetColor();
        if (!DrawRowImage(c, Parent->Images, MenuItem, r1.Left, middle, color))
            DrawRowMark(c, MenuItem, r1.Left + 2, middle - 4, color);
    }
    Parent->BlendWithScreen(&b, ObjectRect.Left, ObjectRect.Top);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TskSkinMenuItem::SkinnedImage(TBitmap* B, bool Active) {
    const TRect look = Active && !IsNullRect(ItemData->ActiveSkinRect) ? ItemData->ActiveSkinRect : ItemData->SkinRect;
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (Picture && !IsNullRect(look))
        CreateHSkinImage(ItemData->ItemLeftOffset, ItemData->ItemRightOffset, B, Picture, look, w, h);
    if (B->GetWidth() != w || B->GetHeight() != h) B->SetSize(w, h);
    TCanvas* c = B->GetCanvas();
    TRect tr = ItemData->TextRect;
    tr.Right = w - (RectWidth(ItemData->SkinRect) - ItemData->TextRect.Right);
    c->GetFont()->SetName(ItemData->FontName.empty() ? AnsiString("Arial") : ItemData->FontName);
    c->GetFont()->SetStyle(ItemData->FontStyle);
    if (ItemData->FontHeight) c->GetFont()->SetHeight(ItemData->FontHeight);
    c->GetFont()->SetCharset(Parent->SkinMenu->DefaultMenuItemFont->GetCharset());
    c->GetFont()->SetColor(Active ? ItemData->ActiveFontColor
                                  : MenuItem->GetEnabled() ? ItemData->FontColor : ItemData->UnEnabledFontColor);
    c->GetBrush()->SetStyle(bsClear);
    DrawRowText(c, MenuItem, tr, Parent->ImageWidth, 16, Parent->ShortCutWidth);
    const int middle = tr.Top + RectHeight(tr) / 2;
    if (!DrawRowImage(c, Parent->Images, MenuItem, tr.Left + 2, middle, c->GetFont()->GetColor()))
        DrawRowMark(c, MenuItem, tr.Left + 2, middle - 4, c->GetFont()->GetColor());
}

void TskSkinMenuItem::Draw(TCanvas* Cnvs) {
    if (!Visible) return;
    if (!ItemData) return DefaultDraw(Cnvs);
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h, pf24bit);
    if (IsDivider()) {
        if (Picture && !IsNullRect(ItemData->DividerRect))
            CreateHSkinImage(ItemData->DividerLeftOffset, ItemData->DividerRightOffset, &b, Picture,
                             ItemData->DividerRect, w, h);
    } else {
        const bool active = MouseIn || Down;
        const bool between = (active && MorphKf < 1) || (!active && MorphKf > 0);
        if (ItemData->Morphing && between) {
            TBitmap normal, lit;
            SkinnedImage(&normal, false);
            SkinnedImage(&lit, true);
            TskEffectBmp e1(normal.GetHandle()), e2(lit.GetHandle());
            e1.MorphByKind(ItemData->MorphKind, &e2, MorphKf);
            e1.Draw(b.GetCanvas()->GetHandle(), 0, 0);
        } else {
            SkinnedImage(&b, active);
        }
    }
    if (b.GetWidth() != w || b.GetHeight() != h) b.SetSize(w, h);
    Parent->BlendWithScreen(&b, ObjectRect.Left, ObjectRect.Top);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

// ---------------------------------------------------------------------------
// TskSkinPopupWindow

TskSkinPopupWindow::TskSkinPopupWindow(TComponent* AOwner, TskSkinMenu* ASkinMenu,
                                       TskDataSkinPopupWindow* APopupWindowData)
    : TCustomControl(AOwner), SkinMenu(ASkinMenu) {
    SetVisible(false);
    MouseTimer = MakeTimer(this, 50, TNotifyEvent(this, &TskSkinPopupWindow::TestMouse));
    MorphTimer = MakeTimer(this, 20, TNotifyEvent(this, &TskSkinPopupWindow::TestMorph));
    ShowTimer = MakeTimer(this, 100, TNotifyEvent(this, &TskSkinPopupWindow::WTProc));
    AlphaBlend = ASkinMenu->AlphaBlend;
    AlphaBlendValue = ASkinMenu->AlphaBlendValue;
    AlphaBlendAnimation = ASkinMenu->AlphaBlendAnimation;
    if (APopupWindowData && APopupWindowData->WindowPictureIndex != -1 &&
        PictureAt(ASkinMenu->SkinData, APopupWindowData->WindowPictureIndex)) {
        PopupWindowData = APopupWindowData;
        SkinData = ASkinMenu->SkinData;
        Picture = PictureAt(SkinData, PopupWindowData->WindowPictureIndex);
        MaskPicture = PictureAt(SkinData, PopupWindowData->MaskPictureIndex);
    }
}

TskSkinPopupWindow::~TskSkinPopupWindow() {
    ItemList.clear();
}

void TskSkinPopupWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

void TskSkinPopupWindow::WMMouseActivate(TMessage& Message) {
    Message.Result = MA_NOACTIVATE;
}

void TskSkinPopupWindow::WMEraseBkgnd(TMessage& Message) {
    PaintMenu(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TskSkinPopupWindow::WMPaint(TMessage& Message) {
    PAINTSTRUCT ps;
    HDC dc = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : BeginPaint(GetHandle(), &ps);
    PaintMenu(dc);
    if (!Message.WParam) EndPaint(GetHandle(), &ps);
}

void TskSkinPopupWindow::CreateMenu(TMenuItem* Item, int StartIndex) {
    TCanvas* canvas = GetCanvas();
    MenuItemData = nullptr;
    if (SkinData) {
        int index = SkinData->GetIndex("MENUITEM");
        if (index == -1) index = SkinData->GetIndex("menuitem");
        if (index != -1) MenuItemData = dynamic_cast<TskDataSkinMenuItem*>(SkinData->ObjectList[static_cast<std::size_t>(index)].get());
    }
    TFont measure;
    if (MenuItemData) {
        measure.SetName(MenuItemData->FontName.empty() ? AnsiString("Arial") : MenuItemData->FontName);
        if (MenuItemData->FontHeight) measure.SetHeight(MenuItemData->FontHeight);
        measure.SetStyle(MenuItemData->FontStyle);
        measure.SetCharset(SkinMenu->DefaultMenuItemFont->GetCharset());
    } else {
        measure.Assign(SkinMenu->DefaultMenuItemFont.get());
    }
    for (int i = std::max(StartIndex, 0); i < Item->GetCount(); ++i)
        if (Item->GetItem(i)->GetVisible())
            ItemList.push_back(std::make_unique<TskSkinMenuItem>(this, Item->GetItem(i), MenuItemData));
    TopIndex = 0;
    VisibleCount = static_cast<int>(ItemList.size());
    // Widths measured on a memory canvas: the window has no device context yet.
    TBitmap probe(1, 1, pf24bit);
    probe.GetCanvas()->GetFont()->Assign(&measure);
    auto textWidth = [&](const AnsiString& Text, UINT Flags) {
        TRect r(0, 0, 0, 0);
        probe.GetCanvas()->TextRect(r, Text, DT_CALCRECT | Flags);
        return RectWidth(r);
    };
    int widest = 0, widestCaption = 0;
    ShortCutWidth = 0;
    for (auto& row : ItemList) {
        widest = std::max(widest, textWidth(RowText(row->MenuItem), 0));
        widestCaption = std::max(widestCaption, textWidth(row->MenuItem->GetCaption(), 0));
        if (row->MenuItem->GetShortCut() != scNone)
            ShortCutWidth = std::max(ShortCutWidth,
                                     textWidth(ShortCutToText(row->MenuItem->GetShortCut()), DT_NOPREFIX));
    }
    // Captions and the shortcut column never touch.
    if (ShortCutWidth > 0) widest = std::max(widest, widestCaption + kShortCutGap + ShortCutWidth);
    canvas->GetFont()->Assign(&measure);
    Images = Item->GetParentMenu() ? Item->GetParentMenu()->GetImages() : nullptr;
    ImageWidth = Images ? Images->GetWidth() + 5 : 16;
    int w = widest + 2 + 16 + ImageWidth;
    int h = 0;
    for (auto& row : ItemList) h += row->Height();
    const bool skinned = PopupWindowData && MenuItemData;
    if (skinned) {
        const TRect& ir = PopupWindowData->ItemsRect;
        w += MenuItemData->TextRect.Left + (RectWidth(MenuItemData->SkinRect) - MenuItemData->TextRect.Right) +
             ir.Left + (Picture->GetWidth() - ir.Right);
        h += ir.Top + (Picture->GetHeight() - ir.Bottom);
    } else {
        // A level without row records draws its rows and frame plainly.
        PopupWindowData = nullptr;
        MenuItemData = nullptr;
        for (auto& row : ItemList) row->ItemData = nullptr;
        w += 10;
        h = 6;
        for (auto& row : ItemList) h += row->Height();
    }
    Scroll = false;
    const int maxH = RectHeight(SkinMenu->WorkArea);
    if (h > maxH) {
        h = maxH;
        Scroll = true;
    }
    SetBounds(GetLeft(), GetTop(), w, h);
    if (!skinned) {
        NewItemsRect = TRect(3, 3, w - 3, h - 3);
    } else {
        const auto& d = *PopupWindowData;
        const int pw = Picture->GetWidth(), ph = Picture->GetHeight();
        NewLTPoint = d.LTPoint;
        NewRTPoint = TPoint(w - (pw - d.RTPoint.X), d.RTPoint.Y);
        NewLBPoint = TPoint(d.LBPoint.X, h - (ph - d.LBPoint.Y));
        NewRBPoint = TPoint(w - (pw - d.RBPoint.X), h - (ph - d.RBPoint.Y));
        NewItemsRect = TRect(d.ItemsRect.Left, d.ItemsRect.Top, w - (pw - d.ItemsRect.Right), h - (ph - d.ItemsRect.Bottom));
    }
    CalcItemRects();
    if (skinned && MaskPicture) {
        const auto& d = *PopupWindowData;
        HRGN rgn = CreateSkinRegion(TSkinGeometry{d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ItemsRect},
                                    TSkinGeometry{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewItemsRect},
                                    MaskPicture, w, h);
        if (rgn) SetWindowRgn(GetHandle(), rgn, TRUE); // the window owns it from here
    }
}

void TskSkinPopupWindow::CalcItemRects() {
    int y = NewItemsRect.Top, limit = NewItemsRect.Bottom;
    if (Scroll) {
        y += kMarker;
        limit -= kMarker;
    }
    VisibleCount = 0;
    for (int i = TopIndex; i < static_cast<int>(ItemList.size()); ++i) {
        TskSkinMenuItem* row = ItemList[static_cast<std::size_t>(i)].get();
        row->ObjectRect = TRect(NewItemsRect.Left, y, NewItemsRect.Right, y + row->Height());
        if (row->ObjectRect.Bottom > limit) break;
        row->Visible = true;
        ++VisibleCount;
        y += row->Height();
    }
    if (!Scroll) return;
    for (int i = 0; i < static_cast<int>(ItemList.size()); ++i)
        if (i < TopIndex || i >= TopIndex + VisibleCount) ItemList[static_cast<std::size_t>(i)]->Visible = false;
}

int TskSkinPopupWindow::GetEndStartVisibleIndex() {
    // The rows that fit between the two markers, counted from the last.
    int space = (NewItemsRect.Bottom - kMarker) - (NewItemsRect.Top + kMarker), counted = 0;
    for (int i = static_cast<int>(ItemList.size()) - 1; i >= 0; --i) {
        space -= ItemList[static_cast<std::size_t>(i)]->Height();
        if (space < 0) break;
        ++counted;
    }
    return static_cast<int>(ItemList.size()) - counted;
}

void TskSkinPopupWindow::Show(const TRect& R, TMenuItem* Item, int StartIndex, bool PopupByItem, bool PopupUp) {
    const bool layered = CheckW2KWXP();
    // Only the first level of a menu just opened fades in.
    const bool fade = layered && AlphaBlend && AlphaBlendAnimation && SkinMenu->FirstShow;
    if (fade) Application->ProcessMessages();
    CreateMenu(Item, StartIndex);
    const TRect& wa = SkinMenu->WorkArea;
    const int w = GetWidth(), h = GetHeight();
    const bool upperHalf = R.Top < wa.Top + RectHeight(wa) / 2;
    bool overlap = false;
    int y;
    if (Scroll) {
        y = wa.Top;
    } else if (PopupByItem) {
        if (R.Top + h - NewItemsRect.Top - wa.Bottom <= 0)
            y = R.Top - NewItemsRect.Top;
        else if (upperHalf)
            y = wa.Bottom - h;
        else
            y = std::max(R.Bottom - h + NewItemsRect.Top, wa.Top);
    } else if (PopupUp) {
        if (R.Top - h >= wa.Top) {
            y = R.Top - h;
        } else if (upperHalf) {
            y = R.Bottom;
            if (y + h > wa.Bottom) {
                y = wa.Bottom - h;
                overlap = true;
            }
        } else {
            y = wa.Top;
            overlap = true;
        }
    } else if (R.Bottom + h <= wa.Bottom) {
        y = R.Bottom;
    } else if (upperHalf) {
        y = wa.Bottom - h;
        overlap = true;
    } else {
        y = R.Top - h;
        if (y < wa.Top) {
            y = wa.Top;
            overlap = true;
        }
    }
    int x;
    if (PopupByItem || Scroll || overlap) {
        x = R.Right + w + 1 > wa.Right ? R.Left - w - 1 : R.Right + 1;
    } else {
        x = R.Left;
        if (R.Left + w > wa.Right)
            x = wa.Right - w;
        else if (R.Left < wa.Left)
            x = wa.Left;
    }
    PopupX = x;
    PopupY = y;
    SetBounds(x, y, w, h);
    if (AlphaBlend && !layered) {
        ShowTimer->SetEnabled(true);
        return;
    }
    if (layered && AlphaBlend) {
        HWND wnd = GetHandle();
        SetWindowLongPtrA(wnd, GWL_EXSTYLE, GetWindowLongPtrA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetAlphaBlendTransparent(wnd, fade ? 0 : AlphaBlendValue);
    }
    ShowNow();
    if (fade)
        for (int alpha = 2;; alpha += 2) {
            SetAlphaBlendTransparent(GetHandle(), static_cast<Byte>(std::min<int>(alpha, AlphaBlendValue)));
            if (alpha >= AlphaBlendValue) break;
        }
    MouseTimer->SetEnabled(true);
    ActivateFirstRow();
}

void TskSkinPopupWindow::ShowNow() {
    if (SkinData && PopupWindowData && PopupWindowData->CursorIndex != -1)
        SetCursor(static_cast<TCursor>(SkinData->StartCursorIndex + PopupWindowData->CursorIndex));
    SetWindowPos(GetHandle(), HWND_TOPMOST, PopupX, PopupY, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TskSkinPopupWindow::ActivateFirstRow() {
    ActiveItem = -1;
    for (int i = 0; i < static_cast<int>(ItemList.size()); ++i) {
        TskSkinMenuItem* row = ItemList[static_cast<std::size_t>(i)].get();
        if (!row->MenuItem->GetEnabled() || row->IsDivider()) continue;
        row->InitialActive = true;
        ActiveItem = i;
        row->MouseEnter(true);
        break;
    }
}

void TskSkinPopupWindow::WTProc(TObject*) {
    ShowTimer->SetEnabled(false);
    ScreenImage = std::make_unique<TBitmap>(GetWidth() + 1, GetHeight() + 1);
    GetScreenImage(PopupX, PopupY, ScreenImage.get());
    BGEffect = std::make_unique<TskEffectBmp>(ScreenImage->GetHandle());
    ShowNow();
    MouseTimer->SetEnabled(true);
    // A first row that is a divider or disabled is never made active.
    ActivateFirstRow();
}

void TskSkinPopupWindow::BlendWithScreen(TBitmap* B, int X, int Y) {
    if (!AlphaBlend || !BGEffect) return;
    TskEffectBmp image(B->GetHandle());
    image.MorphRect(BGEffect.get(), 1.0 - AlphaBlendValue / 255.0, TRect(0, 0, B->GetWidth(), B->GetHeight()), X, Y);
    image.Draw(B->GetCanvas()->GetHandle(), 0, 0);
}

void TskSkinPopupWindow::Hide() {
    if (HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    MouseTimer->SetEnabled(false);
    ShowTimer->SetEnabled(false);
}

void TskSkinPopupWindow::UpDatePW() {
    SkinMenu->CloseMenu(SkinMenu->GetPWIndex(this) + 1);
    for (auto& row : ItemList) {
        if (!row->Down) continue;
        row->Down = false;
        row->Redraw();
    }
}

void TskSkinPopupWindow::CreateRealImage(TBitmap* B) {
    const int w = GetWidth(), h = GetHeight();
    if (PopupWindowData) {
        const auto& d = *PopupWindowData;
        CreateSkinImage(TSkinGeometry{d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ItemsRect},
                        TSkinGeometry{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewItemsRect}, B, Picture,
                        TRect(0, 0, Picture->GetWidth(), Picture->GetHeight()), w, h, true);
        if (B->GetWidth() != w || B->GetHeight() != h) B->SetSize(w, h);
        return;
    }
    B->SetSize(w, h);
    TCanvas* c = B->GetCanvas();
    const int column = Images ? ImageWidth + 3 : 22;
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, column, h));
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(TRect(column, 0, w, h));
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(0, 0, w, h));
    c->GetBrush()->SetColor(clWindow);
    c->FrameRect(TRect(1, 1, w - 1, h - 1));
}

TRect TskSkinPopupWindow::UpMarker() const {
    return PopupWindowData ? TRect(NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Top + kMarker)
                           : TRect(3, 3, GetWidth() - 3, 13);
}

TRect TskSkinPopupWindow::DownMarker() const {
    return PopupWindowData
               ? TRect(NewItemsRect.Left, NewItemsRect.Bottom - kMarker, NewItemsRect.Right, NewItemsRect.Bottom)
               : TRect(3, GetHeight() - 10, GetWidth() - 3, GetHeight() - 3);
}

void TskSkinPopupWindow::DrawMarkers(TCanvas* C) {
    const TColor normal = PopupWindowData ? PopupWindowData->ScrollMarkerColor : clBtnShadow;
    const TColor active = PopupWindowData ? PopupWindowData->ScrollMarkerActiveColor : clBtnText;
    DrawArrowImage(C, UpMarker(), ScrollCode == 1 ? active : normal, 3);
    DrawArrowImage(C, DownMarker(), ScrollCode == 2 ? active : normal, 4);
}

void TskSkinPopupWindow::PaintMenu(HDC DC) {
    TBitmap b;
    CreateRealImage(&b);
    BlendWithScreen(&b, 0, 0);
    for (int i = TopIndex; i < TopIndex + VisibleCount && i < static_cast<int>(ItemList.size()); ++i)
        ItemList[static_cast<std::size_t>(i)]->Draw(b.GetCanvas());
    if (Scroll) DrawMarkers(b.GetCanvas());
    BitBlt(DC, 0, 0, b.GetWidth(), b.GetHeight(), b.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TskSkinPopupWindow::RedrawAll() {
    if (!HandleAllocated()) return;
    HDC dc = GetDC(GetHandle());
    PaintMenu(dc);
    ReleaseDC(GetHandle(), dc);
}

void TskSkinPopupWindow::TestMouse(TObject*) {
    TComponentProtector protect(this);
    POINT cursor;
    GetCursorPos(&cursor);
    POINT client = cursor;
    ::ScreenToClient(GetHandle(), &client);
    if (TPoint(client.x, client.y) == OldMousePoint) return;
    if (WindowFromPoint(cursor) == GetHandle()) {
        TestActive(client.x, client.y);
    } else if (Scroll && ScrollCode != 0) {
        StopScroll();
    }
    if (!IsDestroying()) OldMousePoint = TPoint(client.x, client.y);
}

void TskSkinPopupWindow::TestMorph(TObject*) {
    TComponentProtector protect(this);
    bool any = false;
    for (auto& row : ItemList) {
        if (row->ItemData && row->ItemData->Morphing && row->CanMorphing()) {
            row->DoMorphing();
            any = true;
        }
    }
    if (!any) MorphTimer->SetEnabled(false);
}

bool TskSkinPopupWindow::Selectable(int Index) const {
    TskSkinMenuItem* row = ItemList[static_cast<std::size_t>(Index)].get();
    return row->MenuItem->GetEnabled() && !row->IsDivider();
}

void TskSkinPopupWindow::ActivateRow(int Index, bool Kb) {
    if (Index == ActiveItem) return;
    const int old = ActiveItem;
    ActiveItem = Index;
    if (old >= 0 && old < static_cast<int>(ItemList.size()) && Selectable(old))
        ItemList[static_cast<std::size_t>(old)]->MouseLeave();
    if (IsDestroying()) return;
    if (Index >= 0 && Selectable(Index)) ItemList[static_cast<std::size_t>(Index)]->MouseEnter(Kb);
}

void TskSkinPopupWindow::TestActive(int X, int Y) {
    const TPoint p(X, Y);
    if (Scroll) {
        if (InHalfOpen(UpMarker(), p)) {
            if (ScrollCode == 0 && CanScroll(1)) {
                ScrollCode = 1;
                StartScroll();
            }
        } else if (InHalfOpen(DownMarker(), p)) {
            if (ScrollCode == 0 && CanScroll(2)) {
                ScrollCode = 2;
                StartScroll();
            }
        } else if (ScrollCode != 0) {
            StopScroll();
        }
    }
    if (ItemList.empty()) return;
    OldActiveItem = ActiveItem;
    int found = ActiveItem;
    for (int i = 0; i < static_cast<int>(ItemList.size()); ++i) {
        TskSkinMenuItem* row = ItemList[static_cast<std::size_t>(i)].get();
        if (row->Visible && InHalfOpen(row->ObjectRect, p)) {
            found = i;
            break;
        }
    }
    if (found >= static_cast<int>(ItemList.size())) found = -1;
    if (found == ActiveItem && found != -1) {
        TskSkinMenuItem* row = ItemList[static_cast<std::size_t>(found)].get();
        if (row->InitialActive) {
            row->InitialActive = false;
            if (row->MenuItem->GetCount() > 0) row->MouseEnter(false);
        }
        return;
    }
    ActivateRow(found, false);
}

void TskSkinPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    TestActive(X, Y);
    if (IsDestroying() || Button != mbLeft || ActiveItem < 0) return;
    TskSkinMenuItem* row = ItemList[static_cast<std::size_t>(ActiveItem)].get();
    if (row->Visible && InHalfOpen(row->ObjectRect, TPoint(X, Y)) && !row->IsDivider()) row->MouseDown();
}

bool TskSkinPopupWindow::CanScroll(int Code) const {
    if (Code == 1) return TopIndex >= 1;
    return TopIndex + VisibleCount - 1 < static_cast<int>(ItemList.size()) - 1;
}

void TskSkinPopupWindow::StartScroll() {
    SkinMenu->CloseMenu(SkinMenu->GetPWIndex(this) + 1);
    RedrawAll();
    SetTimer(GetHandle(), kScrollTimer, 100, nullptr);
}

void TskSkinPopupWindow::StopScroll() {
    ScrollCode = 0;
    RedrawAll();
    if (HandleAllocated()) KillTimer(GetHandle(), kScrollTimer);
}

void TskSkinPopupWindow::ScrollTick() {
    if (ScrollCode == 1 && CanScroll(1))
        ScrollUp(false);
    else if (ScrollCode == 2 && CanScroll(2))
        ScrollDown(false);
    else
        StopScroll();
}

void TskSkinPopupWindow::WMTimer(TMessage& Message) {
    if (Message.WParam == kScrollTimer) ScrollTick();
}

void TskSkinPopupWindow::ScrollUp(bool Cycle) {
    if (TopIndex > 0)
        --TopIndex;
    else if (Cycle)
        TopIndex = GetEndStartVisibleIndex();
    CalcItemRects();
    RedrawAll();
}

void TskSkinPopupWindow::ScrollDown(bool Cycle) {
    if (CanScroll(2))
        ++TopIndex;
    else if (Cycle)
        TopIndex = 0;
    CalcItemRects();
    RedrawAll();
}

void TskSkinPopupWindow::PopupKeyDown(Word Key) {
    if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    TComponentProtector protect(this);
    const int count = static_cast<int>(ItemList.size());
    for (int i = 0; i < count; ++i) {
        TskSkinMenuItem* row = ItemList[static_cast<std::size_t>(i)].get();
        if (!row->IsDivider() && IsAccel(Key, row->MenuItem->GetCaption())) {
            row->MouseEnter(false);
            if (IsDestroying()) return;
            if (ActiveItem >= 0 && ActiveItem != i) ItemList[static_cast<std::size_t>(ActiveItem)]->MouseLeave();
            ActiveItem = i;
            row->MouseDown();
            return;
        }
    }
    auto select = [&](int Index, bool Downward) {
        if (Scroll && ScrollCode == 0) {
            for (int guard = 0; guard < count && (Index < TopIndex || Index >= TopIndex + VisibleCount); ++guard) {
                if (Downward)
                    ScrollDown(true);
                else
                    ScrollUp(true);
            }
        }
        ActivateRow(Index, true);
    };
    auto move = [&](bool Downward) {
        if (Downward) {
            for (int i = ActiveItem < 0 || ActiveItem + 1 >= count ? 0 : ActiveItem + 1; i < count; ++i)
                if (Selectable(i)) return select(i, true);
        } else {
            for (int i = ActiveItem <= 0 ? count - 1 : ActiveItem - 1; i >= 0; --i)
                if (Selectable(i)) return select(i, false);
        }
    };
    TskSkinMenu* chain = SkinMenu;
    switch (Key) {
    case VK_DOWN: move(true); break;
    case VK_UP: move(false); break;
    case VK_RIGHT:
        if (ActiveItem >= 0 && ItemList[static_cast<std::size_t>(ActiveItem)]->MenuItem->GetCount() > 0)
            ItemList[static_cast<std::size_t>(ActiveItem)]->MouseDown();
        break;
    case VK_RETURN:
        if (ActiveItem >= 0) ItemList[static_cast<std::size_t>(ActiveItem)]->MouseDown();
        break;
    case VK_LEFT:
    case VK_ESCAPE: {
        const int count2 = chain->GetCount();
        if (Key == VK_LEFT && count2 < 2) break;
        chain->CloseMenu(count2 - 1);
        if (chain->GetCount() > 0) {
            TskSkinPopupWindow* last = chain->GetLevel(chain->GetCount() - 1);
            if (last->ActiveItem >= 0) {
                TskSkinMenuItem* row = last->ItemList[static_cast<std::size_t>(last->ActiveItem)].get();
                row->Down = false;
                row->Redraw();
            }
        }
        break;
    }
    default: break;
    }
}

// ---------------------------------------------------------------------------
// TskSkinMenu

TskSkinMenu::TskSkinMenu(TComponent* AOwner, TCustomForm* AForm) : TComponent(AOwner), Form(AForm) {
    DefaultMenuItemFont = std::make_unique<TFont>();
    DefaultMenuItemFont->SetName("Arial");
    DefaultMenuItemFont->SetHeight(14);
    WaitTimer = MakeTimer(this, 500, TNotifyEvent(this, &TskSkinMenu::WaitItem));
}

TskSkinMenu::~TskSkinMenu() {
    PopupControl = nullptr;
    CloseMenu(0);
}

void TskSkinMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == PopupControl) PopupControl = nullptr;
    if (AComponent == SkinData) SkinData = nullptr;
}

int TskSkinMenu::GetPWIndex(TskSkinPopupWindow* PopupWindow) const {
    for (int i = 0; i < GetCount(); ++i)
        if (PopupList[static_cast<std::size_t>(i)] == PopupWindow) return i;
    return GetCount();
}

void TskSkinMenu::Popup(TControl* APopupControl, TskSkinData* ASkinData, int StartIndex, const TRect& R,
                        TMenuItem* AItem, bool PopupUp) {
    FirstShow = !Visible;
    SetReference(this, PopupControl, APopupControl);
    if (!PopupList.empty()) CloseMenu(0);
    WorkArea = WorkAreaRect();
    SetReference(this, SkinData, ASkinData);
    if (AItem && AItem->GetCount() > 0) {
        Visible = true;
        PopupSub(R, AItem, StartIndex, false, PopupUp);
        FirstShow = false;
    }
}

void TskSkinMenu::PopupSub(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp) {
    TskDataSkinPopupWindow* data = SkinData && !SkinData->Empty ? SkinData->PopupWindow.get() : nullptr;
    auto* level = new TskSkinPopupWindow(nullptr, this, data);
    PopupList.push_back(level);
    level->Show(R, AItem, StartIndex, PopupByItem, PopupUp);
}

void TskSkinMenu::CheckItem(TskSkinPopupWindow* PopupWindow, TskSkinMenuItem* Item, bool Kb, bool Click) {
    const int index = GetPWIndex(PopupWindow);
    auto closeDeeper = [&] {
        if (index < GetCount() - 1) CloseMenu(index + 1);
    };
    auto stopWait = [&] {
        WaitTimer->SetEnabled(false);
        WaitMenuItem = nullptr;
    };
    TMenuItem* menuItem = Item->MenuItem;
    const bool sub = menuItem->GetCount() > 0;
    if (!sub && !Click) {
        stopWait();
        closeDeeper();
    } else if (!sub) {
        stopWait();
        TMenu* menu = menuItem->GetParentMenu();
        const Word command = menuItem->GetCommand();
        Hide();
        // The item runs once every level is gone and the opener and form have heard.
        if (menu)
            menu->DispatchCommand(command);
        else
            menuItem->Click();
    } else if (!Click && !Kb) {
        stopWait();
        closeDeeper();
        WaitMenuItem = Item;
        WaitTimer->SetEnabled(true);
    } else if (Click) {
        if (TMenu* menu = menuItem->GetParentMenu())
            menu->DispatchCommand(menuItem->GetCommand());
        else
            menuItem->Click();
        if (index >= GetCount() || PopupList[static_cast<std::size_t>(index)] != PopupWindow) return;
        stopWait();
        closeDeeper();
        Item->Down = true;
        Item->Redraw();
        TRect r = MovedRect(Item->ObjectRect, PopupWindow->GetLeft(), PopupWindow->GetTop());
        PopupSub(r, menuItem, 0, true, false);
    }
}

void TskSkinMenu::WaitItem(TObject*) {
    TComponentProtector protect(this);
    WaitTimer->SetEnabled(false);
    TskSkinMenuItem* item = WaitMenuItem;
    WaitMenuItem = nullptr;
    if (item) CheckItem(item->Parent, item, false, true);
}

void TskSkinMenu::CloseMenu(int Index) {
    while (GetCount() > std::max(Index, 0)) {
        TskSkinPopupWindow* level = PopupList.back();
        PopupList.pop_back();
        if (WaitMenuItem && WaitMenuItem->Parent == level) WaitMenuItem = nullptr;
        level->Hide();
        delete level;
    }
    if (Index > 0) return;
    WaitTimer->SetEnabled(false);
    Visible = false;
    if (TControl* opener = PopupControl) {
        SetReference<TControl>(this, PopupControl, nullptr);
        if (auto* win = dynamic_cast<TWinControl*>(opener); win && win->HandleAllocated())
            SendMessageA(win->GetHandle(), WM_CLOSESKINMENU, 0, 0);
        else
            opener->Perform(WM_CLOSESKINMENU, 0, 0);
    }
}

void TskSkinMenu::Hide() {
    CloseMenu(0);
    WaitTimer->SetEnabled(false);
    WaitMenuItem = nullptr;
    if (Form && Form->HandleAllocated()) SendMessageA(Form->GetHandle(), WM_CLOSESKINMENU, 0, 0);
}

// ---------------------------------------------------------------------------
// TskSkinPopupMenu

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

void TskSkinPopupMenu::Published(TPropertyList& P) {
    P.Add("SkinData", &TskSkinPopupMenu::GetSkinData, &TskSkinPopupMenu::SetSkinData);
}

void TskSkinPopupMenu::SetSkinData(TskSkinData* Value) {
    SetReference(this, FSkinData, Value);
}

void TskSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

bool TskSkinPopupMenu::Show(TControl* AControl, const TRect& R, bool PopupUp, bool NeedSkin) {
    if (OnPopup) OnPopup(this);
    TskSkinForm* form = nullptr;
    if (PopupForm)
        form = GetSkinFormComponent(PopupForm);
    else if (auto* f = dynamic_cast<TForm*>(GetOwner()))
        form = GetSkinFormComponent(f);
    else if (GetOwner())
        if (auto* f2 = dynamic_cast<TForm*>(GetOwner()->GetOwner())) form = GetSkinFormComponent(f2);
    if (!FSkinData && form) SetSkinData(form->GetMenusSkinData() ? form->GetMenusSkinData() : form->GetSkinData());
    if (!form || (NeedSkin && !FSkinData)) return false;
    form->SkinMenuOpen();
    form->GetSkinMenu()->Popup(AControl, FSkinData, 0, R, GetItems(), PopupUp);
    return form->GetSkinMenu()->Visible;
}

void TskSkinPopupMenu::Popup(int X, int Y) {
    Show(nullptr, TRect(X, Y, X, Y), false, false);
}

void TskSkinPopupMenu::PopupFromRect(const TRect& R, bool PopupUp) {
    Show(nullptr, R, PopupUp, false);
}

bool TskSkinPopupMenu::PopupFromRect2(TControl* AControl, const TRect& R, bool PopupUp) {
    return Show(AControl, R, PopupUp, false);
}

void TskSkinPopupMenu::Popup2(TControl* AControl, int X, int Y) {
    Show(AControl, TRect(X, Y, X, Y), false, true);
}
