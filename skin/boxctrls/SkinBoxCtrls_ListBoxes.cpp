#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"

#include "skin/controls/SkinCtrls_Client.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

namespace {

// The plain bars' thickness and their corner square.
constexpr int kPlainBar = 19;

// A rectangle of the picture made relative to SkinRect; an empty one stays empty.
TRect RelativeToSkin(const TRect& R, const TRect& Skin) {
    if (IsNullRect(R)) return R;
    return TRect(R.Left - Skin.Left, R.Top - Skin.Top, R.Right - Skin.Left, R.Bottom - Skin.Top);
}

TRect OrElse(const TRect& R, const TRect& Fallback) {
    return IsNullRect(R) ? Fallback : R;
}

} // namespace

// ---- TskListBox -----------------------------------------------------------------------

TskListBox::TskListBox(TComponent* AOwner) : TListBox(AOwner) {
    SetCtl3D(false);
    SetParentCtl3D(false);
    SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks});
    SetStyle(lbOwnerDrawFixed);
}

void TskListBox::CreateParams(TCreateParams& Params) {
    TListBox::CreateParams(Params);
    Params.Style = (Params.Style & ~static_cast<DWORD>(WS_BORDER)) | WS_TABSTOP;
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    Params.WindowClass.style = CS_DBLCLKS;
}

void TskListBox::CreateWnd() {
    TListBox::CreateWnd();
    if (SkinListBox) SkinListBox->ListBoxCreateWnd();
}

void TskListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int oldWidth = GetWidth();
    TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HOffset >= 1 && oldWidth != AWidth) {
        HOffset = std::max(HOffset + oldWidth - AWidth, 0);
        Invalidate();
    }
}

void TskListBox::WndProc(TMessage& Message) {
    if (SkinListBox) {
        bool passOn = true;
        SkinListBox->ListBoxWProc(Message, passOn);
        if (!passOn) return;
        if (Message.Msg == WM_MOUSEWHEEL) {
            // The container scrolls a line at a time and keeps its bars with the list.
            Message.Result = SkinListBox->Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    TskSkinCustomListBox* container = SkinListBox;
    TComponentProtector protect(this);
    TListBox::WndProc(Message);
    if (!container || IsDestroying()) return;
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
        container->ListBoxDblClick();
        break;
    case WM_SETREDRAW:
        FRedrawOff = Message.WParam == 0;
        if (!FRedrawOff) container->UpDateScrollBar();
        break;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL:
    case LB_SETCARETINDEX:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
        // Adding rows one by one with redrawing off syncs once, when it is back on.
        if (!FRedrawOff) container->UpDateScrollBar();
        break;
    default:
        break;
    }
}

void TskListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (SkinListBox) SkinListBox->ListBoxMouseDown(Button, Shift, X, Y);
    TListBox::MouseDown(Button, Shift, X, Y);
}

void TskListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (SkinListBox) SkinListBox->ListBoxMouseUp(Button, Shift, X, Y);
    TListBox::MouseUp(Button, Shift, X, Y);
}

void TskListBox::MouseMove(TShiftState Shift, int X, int Y) {
    if (SkinListBox) SkinListBox->ListBoxMouseMove(Shift, X, Y);
    TListBox::MouseMove(Shift, X, Y);
}

void TskListBox::KeyDown(Word& Key, TShiftState Shift) {
    if (SkinListBox) {
        SkinListBox->ListBoxKeyDown(Key, Shift);
        TskSkinScrollBar* bar = SkinListBox->HScrollBar;
        if (bar && (Key == VK_LEFT || Key == VK_RIGHT)) {
            const int step = bar->GetSmallChange();
            bar->SetPosition(bar->GetPosition() + (Key == VK_LEFT ? -step : step));
            Key = 0;
        }
    }
    TListBox::KeyDown(Key, Shift);
}

void TskListBox::KeyUp(Word& Key, TShiftState Shift) {
    if (SkinListBox) SkinListBox->ListBoxKeyUp(Key, Shift);
    TListBox::KeyUp(Key, Shift);
}

void TskListBox::KeyPress(char& Key) {
    if (SkinListBox) SkinListBox->ListBoxKeyPress(Key);
    TListBox::KeyPress(Key);
}

void TskListBox::Click() {
    if (SkinListBox) SkinListBox->ListBoxClick();
    TListBox::Click();
}

void TskListBox::CMEnter(TMessage& Message) {
    if (SkinListBox) SkinListBox->ListBoxEnter();
    TListBox::Dispatch(Message);
}

void TskListBox::CMExit(TMessage& Message) {
    if (SkinListBox) SkinListBox->ListBoxExit();
    TListBox::Dispatch(Message);
}

void TskListBox::WMNCSwallow(TMessage& Message) {
    // No frame and no visible native bars: the list keeps their state, the container shows it.
    Message.Result = 0;
}

void TskListBox::WMPaint(TMessage& Message) {
    if (Message.WParam) {
        PaintWindow(reinterpret_cast<HDC>(Message.WParam));
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(GetHandle(), &ps);
    try {
        PaintWindow(dc);
    } catch (...) {
        EndPaint(GetHandle(), &ps);
        throw;
    }
    EndPaint(GetHandle(), &ps);
}

void TskListBox::PaintWindow(HDC DC) {
    if (GetWidth() < 1 || GetHeight() < 1) return;
    const int saved = SaveDC(DC);
    TCanvas* canvas = GetCanvas();
    canvas->SetHandle(DC);
    try {
        if (GetColumns() < 1)
            PaintList(canvas);
        else
            PaintColumnsList(canvas);
    } catch (...) {
        canvas->SetHandle(nullptr);
        RestoreDC(DC, saved);
        throw;
    }
    canvas->SetHandle(nullptr);
    RestoreDC(DC, saved);
}

TOwnerDrawState TskListBox::ItemState(int Index) {
    TOwnerDrawState state;
    if (Index == GetItemIndex()) {
        state << odSelected;
        if (Focused()) state << odFocused;
    } else if (GetSelCount() > 0 && GetSelected(Index)) {
        state << odSelected;
    }
    return state;
}

void TskListBox::DrawItemState(TCanvas* Canvas, int Index, const TRect& R, TOwnerDrawState State) {
    if (!SkinListBox) return;
    if (SkinListBox->SkinnedItems())
        SkinListBox->DrawSkinItem(Canvas, Index, R, State);
    else
        SkinListBox->DrawDefaultItem(Canvas, Index, R, State);
}

void TskListBox::PaintList(TCanvas* Canvas) {
    const int itemHeight = std::max(GetItemHeight(), 1);
    const int count = GetItems()->GetCount();
    const int top = GetTopIndex();
    const int last = std::min(top + GetHeight() / itemHeight, count - 1);
    const TRect part = PaintedPart(Canvas->GetHandle(), GetWidth(), GetHeight());
    int bottom = 0;
    for (int i = top; i <= last; ++i)
        bottom = DrawItemIn(Canvas, part, i).Bottom;
    if (bottom >= GetHeight()) return;
    if (SkinListBox && SkinListBox->Skinned()) {
        SkinListBox->PaintBGWH(Canvas, GetWidth(), GetHeight() - bottom, 0, bottom);
    } else {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clWindow);
        Canvas->FillRect(TRect(0, bottom, GetWidth(), GetHeight()));
    }
}

void TskListBox::PaintColumnsList(TCanvas* Canvas) {
    const int itemHeight = std::max(GetItemHeight(), 1);
    const int top = GetTopIndex();
    const int last =
        std::min(top + GetHeight() / itemHeight * GetColumns(), GetItems()->GetCount() - 1);
    const TRect part = PaintedPart(Canvas->GetHandle(), GetWidth(), GetHeight());
    for (int i = top; i <= last; ++i)
        DrawItemIn(Canvas, part, i);
}

TRect TskListBox::DrawItemIn(TCanvas* Canvas, const TRect& Part, int Index) {
    const TRect r = ItemRect(Index);
    // A tall list shows thousands of rows: only those the canvas repaints are drawn.
    if (!IsNullRect(PartOfPlaced(Part, r))) DrawItemState(Canvas, Index, r, ItemState(Index));
    return r;
}

void TskListBox::WMEraseBkgnd(TMessage& Message) {
    Message.Result = 1;
    if (!SkinListBox || GetWidth() < 1 || GetHeight() < 1) return;
    SkinListBox->GetSkinData();
    if (GetColumns() < 1) {
        // One column of rows paints every pixel itself (rows, then what lies below them):
        // a background first would only be painted over.
        if (!FRedrawOff) SkinListBox->UpDateScrollBar();
        return;
    }
    TCanvas* canvas = GetCanvas();
    canvas->SetHandle(reinterpret_cast<HDC>(Message.WParam));
    if (SkinListBox->Skinned()) {
        SkinListBox->PaintBGWH(canvas, GetWidth(), GetHeight(), 0, 0);
    } else {
        canvas->GetBrush()->SetStyle(bsSolid);
        canvas->GetBrush()->SetColor(clWindow);
        canvas->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
    canvas->SetHandle(nullptr);
    if (!FRedrawOff) SkinListBox->UpDateScrollBar();
}

void TskListBox::CNDrawItem(TMessage& Message) {
    if (!SkinListBox) {
        TListBox::Dispatch(Message);
        return;
    }
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state;
    if (item->itemState & ODS_SELECTED) state << odSelected;
    if (item->itemState & ODS_FOCUS) state << odFocused;
    TCanvas* canvas = GetCanvas();
    canvas->SetHandle(item->hDC);
    canvas->SetFont(GetFont());
    canvas->SetBrush(GetBrush());
    try {
        DrawItemState(canvas, static_cast<int>(item->itemID),
                      TRect(item->rcItem.left, item->rcItem.top, item->rcItem.right,
                            item->rcItem.bottom),
                      state);
    } catch (...) {
        canvas->SetHandle(nullptr);
        throw;
    }
    canvas->SetHandle(nullptr);
    Message.Result = TRUE;
}

// ---- TskSkinCustomListBox: construction and properties --------------------------------

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner)
    : TskSkinCustomListBox(AOwner, [](TComponent* Owner) { return new TskListBox(Owner); }) {}

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner,
                                           TskListBox* (*NewList)(TComponent* Owner))
    : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()),
      FDefaultCaptionFont(std::make_unique<TFont>()) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks,
                     csReplicatable});
    SetBounds(GetLeft(), GetTop(), 120, 120);
    FSkinDataName = "listbox";
    TFont* font = GetFont();
    font->SetName("Arial");
    font->SetHeight(14);
    font->SetColor(clWindowText);
    font->SetStyle(TFontStyles());
    FDefaultCaptionFont->SetName("Arial");
    FDefaultCaptionFont->SetHeight(14);
    FDefaultCaptionFont->OnChange = TNotifyEvent(this, &TskSkinCustomListBox::CaptionChanged);
    ListBox = NewList(this);
    ListBox->SkinListBox = this;
    ListBox->SetItemHeight(FDefaultItemHeight);
    ListBox->SetParent(this);
    ListBox->SetVisible(true);
    CalcRects();
}

TskSkinCustomListBox::~TskSkinCustomListBox() {
    StopTimer();
    delete VScrollBar;
    VScrollBar = nullptr;
    ListBox->SkinListBox = nullptr;
    delete ListBox;
    ListBox = nullptr;
}

void TskSkinCustomListBox::Published(TPropertyList& P) {
    using C = TskSkinCustomListBox;
    P.Add("Columns", &C::GetColumns, &C::SetColumns, 0);
    P.Add("RowCount", &C::GetRowCount, &C::SetRowCount, 0);
    P.Add("Images", &C::GetImages, &C::SetImages);
    P.Add("ImageIndex", &C::GetImageIndex, &C::SetImageIndex, -1);
    P.Add("Glyph", &C::GetGlyph, &C::SetGlyph);
    P.Add("NumGlyphs", &C::GetNumGlyphs, &C::SetNumGlyphs, 1);
    P.Add("Spacing", &C::GetSpacing, &C::SetSpacing, 2);
    P.Add("CaptionMode", &C::GetCaptionMode, &C::SetCaptionMode, false);
    P.Add("DefaultCaptionHeight", &C::GetDefaultCaptionHeight, &C::SetDefaultCaptionHeight, 20);
    P.Add("DefaultCaptionFont", &C::GetDefaultCaptionFont);
    P.Add("Alignment", &C::GetAlignment, &C::SetAlignment, taLeftJustify);
    // The inner list box takes no other height.
    P.Add("DefaultItemHeight", &C::GetDefaultItemHeight, &C::SetDefaultItemHeight, 20)
        .Range(1, MaxListItemHeight);
    P.Add("Items", &C::GetItems);
    P.Add("ItemIndex", &C::GetItemIndex, &C::SetItemIndex, -1);
    P.Add("MultiSelect", &C::GetMultiSelect, &C::SetMultiSelect, false);
    P.Add("ExtandedSelect", &C::GetExtandedSelect, &C::SetExtandedSelect, true);
    P.Add("Sorted", &C::GetSorted, &C::SetSorted, false);
    // The list takes the container's font until a font of its own is read: what differs from
    // that is what a reader needs.
    P.Add("ListBoxFont", &C::GetListBoxFont).DefaultsFrom(&C::GetFont);
    P.Add("ListBoxTabOrder", &C::GetListBoxTabOrder, &C::SetListBoxTabOrder);
    P.Add("ListBoxTabStop", &C::GetListBoxTabStop, &C::SetListBoxTabStop, true);
    P.Add("ListBoxPopupMenu", &C::GetListBoxPopupMenu, &C::SetListBoxPopupMenu);
    P.Add("OnUpButtonClick", &C::OnUpButtonClick);
    P.Add("OnDownButtonClick", &C::OnDownButtonClick);
    P.Add("OnCheckButtonClick", &C::OnCheckButtonClick);
    P.Add("OnListBoxClick", &C::OnListBoxClick);
    P.Add("OnListBoxDblClick", &C::OnListBoxDblClick);
    P.Add("OnListBoxMouseDown", &C::OnListBoxMouseDown);
    P.Add("OnListBoxMouseUp", &C::OnListBoxMouseUp);
    P.Add("OnListBoxMouseMove", &C::OnListBoxMouseMove);
    P.Add("OnListBoxKeyDown", &C::OnListBoxKeyDown);
    P.Add("OnListBoxKeyUp", &C::OnListBoxKeyUp);
    P.Add("OnListBoxKeyPress", &C::OnListBoxKeyPress);
    P.Add("OnDrawItem", &C::OnDrawItem);
}

void TskSkinListBox::Published(TPropertyList& P) {
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    // The check list has no horizontal extent.
    P.Add("HorizontalExtent", &TskSkinListBox::GetHorizontalExtent,
          &TskSkinListBox::SetHorizontalExtent, false);
}

void TskSkinCustomListBox::SetHorizontalExtent(bool Value) {
    FHorizontalExtent = Value;
    UpDateScrollBar();
}

int TskSkinCustomListBox::GetColumns() const {
    return ListBox->GetColumns();
}

void TskSkinCustomListBox::SetColumns(int Value) {
    ListBox->SetColumns(Value);
    UpDateScrollBar();
}

void TskSkinCustomListBox::SetRowCount(int Value) {
    FRowCount = Value;
    if (Value != 0) SetHeight(CalcHeight(Value));
}

void TskSkinCustomListBox::SetImages(TCustomImageList* Value) {
    SetReference(this, FImages, Value);
    ListBox->Invalidate();
}

void TskSkinCustomListBox::SetImageIndex(int Value) {
    FImageIndex = Value;
    ListBox->Invalidate();
}

void TskSkinCustomListBox::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    Invalidate();
}

void TskSkinCustomListBox::SetNumGlyphs(int Value) {
    FNumGlyphs = Value;
    Invalidate();
}

void TskSkinCustomListBox::SetSpacing(int Value) {
    FSpacing = Value;
    Invalidate();
}

void TskSkinCustomListBox::SetCaptionMode(bool Value) {
    FCaptionMode = Value;
    if (Skinned()) return;
    CalcRects();
    Invalidate();
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int Value) {
    FDefaultCaptionHeight = Value;
    if (Skinned() || !FCaptionMode) return;
    CalcRects();
    Invalidate();
}

void TskSkinCustomListBox::SetDefaultCaptionFont(TFont* Value) {
    FDefaultCaptionFont->Assign(Value);
}

void TskSkinCustomListBox::CaptionChanged(TObject*) {
    if (!Skinned() && FCaptionMode) Invalidate();
}

void TskSkinCustomListBox::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (FCaptionMode) Invalidate();
}

void TskSkinCustomListBox::SetDefaultItemHeight(int Value) {
    FDefaultItemHeight = Value;
    if (!SkinnedItems()) ListBox->SetItemHeight(Value);
}

TStrings* TskSkinCustomListBox::GetItems() const {
    return ListBox->GetItems();
}

void TskSkinCustomListBox::SetItems(TStrings* Value) {
    ListBox->SetItems(Value);
    UpDateScrollBar();
}

int TskSkinCustomListBox::GetItemIndex() const {
    return ListBox->GetItemIndex();
}

void TskSkinCustomListBox::SetItemIndex(int Value) {
    ListBox->SetItemIndex(Value);
}

bool TskSkinCustomListBox::GetMultiSelect() const {
    return ListBox->GetMultiSelect();
}

void TskSkinCustomListBox::SetMultiSelect(bool Value) {
    ListBox->SetMultiSelect(Value);
}

bool TskSkinCustomListBox::GetExtandedSelect() const {
    return ListBox->GetExtendedSelect();
}

void TskSkinCustomListBox::SetExtandedSelect(bool Value) {
    ListBox->SetExtendedSelect(Value);
}

bool TskSkinCustomListBox::GetSorted() const {
    return ListBox->GetSorted();
}

void TskSkinCustomListBox::SetSorted(bool Value) {
    ListBox->SetSorted(Value);
}

TFont* TskSkinCustomListBox::GetListBoxFont() const {
    return ListBox->GetFont();
}

void TskSkinCustomListBox::SetListBoxFont(TFont* Value) {
    ListBox->SetFont(Value);
}

int TskSkinCustomListBox::GetListBoxTabOrder() const {
    return ListBox->GetTabOrder();
}

void TskSkinCustomListBox::SetListBoxTabOrder(int Value) {
    ListBox->SetTabOrder(Value);
}

bool TskSkinCustomListBox::GetListBoxTabStop() const {
    return ListBox->GetTabStop();
}

void TskSkinCustomListBox::SetListBoxTabStop(bool Value) {
    ListBox->SetTabStop(Value);
}

TComponent* TskSkinCustomListBox::GetListBoxPopupMenu() const {
    return ListBox->GetPopupMenu();
}

void TskSkinCustomListBox::SetListBoxPopupMenu(TComponent* Value) {
    ListBox->SetPopupMenu(Value);
}

void TskSkinCustomListBox::Clear() {
    ListBox->Clear();
    UpDateScrollBar();
}

int TskSkinCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
    return ListBox->ItemAtPos(Pos, Existing);
}

TRect TskSkinCustomListBox::ItemRect(int Index) const {
    return ListBox->ItemRect(Index);
}

int TskSkinCustomListBox::GetSelCount() const {
    return ListBox->GetSelCount();
}

bool TskSkinCustomListBox::GetSelected(int Index) const {
    return ListBox->GetSelected(Index);
}

void TskSkinCustomListBox::SetSelected(int Index, bool Value) {
    ListBox->SetSelected(Index, Value);
}

int TskSkinCustomListBox::GetTopIndex() const {
    return ListBox->GetTopIndex();
}

void TskSkinCustomListBox::SetTopIndex(int Value) {
    ListBox->SetTopIndex(Value);
}

void TskSkinCustomListBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TskSkinCustomListBox::CreateParams(TCreateParams& Params) {
    TskSkinCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

// ---- The overridable operations ----------------------------------------------------------

int TskSkinCustomListBox::GetFullItemWidth(int Index, TCanvas* ACanvas) {
    return ACanvas->TextWidth(GetItems()->Get(Index));
}

void TskSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y) {
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxClick() {
    if (OnListBoxClick) OnListBoxClick(this);
}

void TskSkinCustomListBox::ListBoxDblClick() {
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}

void TskSkinCustomListBox::ListBoxKeyDown(Word& Key, TShiftState Shift) {
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyUp(Word& Key, TShiftState Shift) {
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyPress(char& Key) {
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, Key);
}

void TskSkinCustomListBox::ListBoxEnter() {}

void TskSkinCustomListBox::ListBoxExit() {}

void TskSkinCustomListBox::ListBoxWProc(TMessage&, bool& PassOn) {
    PassOn = true;
}

void TskSkinCustomListBox::ListBoxCreateWnd() {}

// ---- Skin -------------------------------------------------------------------------------

void TskSkinCustomListBox::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinListBox*>(GetSkinRecord());
    if (!record) return;
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    SkinItemRect = record->ItemRect;
    ActiveItemRect = OrElse(record->ActiveItemRect, record->ItemRect);
    FocusItemRect = OrElse(record->FocusItemRect, record->ItemRect);
    ItemLeftOffset = record->ItemLeftOffset;
    ItemRightOffset = record->ItemRightOffset;
    ItemTextRect = record->ItemTextRect;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
    FocusFontColor = record->FocusFontColor;
    CaptionRect = RelativeToSkin(record->CaptionRect, SkinRect);
    CaptionFontName = record->CaptionFontName;
    CaptionFontStyle = record->CaptionFontStyle;
    CaptionFontHeight = record->CaptionFontHeight;
    CaptionFontColor = record->CaptionFontColor;
    UpButtonRect = RelativeToSkin(record->UpButtonRect, SkinRect);
    ActiveUpButtonRect = record->ActiveUpButtonRect;
    DownUpButtonRect = OrElse(record->DownUpButtonRect, record->ActiveUpButtonRect);
    DownButtonRect = RelativeToSkin(record->DownButtonRect, SkinRect);
    ActiveDownButtonRect = record->ActiveDownButtonRect;
    DownDownButtonRect = OrElse(record->DownDownButtonRect, record->ActiveDownButtonRect);
    CheckButtonRect = RelativeToSkin(record->CheckButtonRect, SkinRect);
    ActiveCheckButtonRect = record->ActiveCheckButtonRect;
    DownCheckButtonRect = OrElse(record->DownCheckButtonRect, record->ActiveCheckButtonRect);
    VScrollBarName = record->VScrollBarName;
    HScrollBarName = record->HScrollBarName;
    BothHScrollBarName = record->BothHScrollBarName;
}

void TskSkinCustomListBox::SkinVScrollBar() {
    if (!VScrollBar) return;
    VScrollBar->SetSkinDataName(!Skinned()          ? AnsiString()
                                : GetColumns() < 1 ? VScrollBarName
                                                   : HScrollBarName);
    VScrollBar->SetSkinData(GetSkin());
}

void TskSkinCustomListBox::SkinHScrollBar() {
    if (!HScrollBar) return;
    if (!Skinned()) {
        HScrollBar->SetSkinDataName(AnsiString());
        if (VScrollBar) HScrollBar->SetBothMarkerWidth(kPlainBar);
    } else if (VScrollBar) {
        HScrollBar->SetBothSkinDataName(BothHScrollBarName);
        HScrollBar->SetSkinDataName(BothHScrollBarName);
    } else {
        HScrollBar->SetSkinDataName(HScrollBarName);
    }
    HScrollBar->SetBoth(VScrollBar != nullptr);
    HScrollBar->SetSkinData(GetSkin());
}

void TskSkinCustomListBox::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    SkinChanging = true;
    if (!Skinned()) GetFont()->Assign(GetDefaultFont());
    ListBox->SetItemHeight(
        std::clamp(SkinnedItems() ? RectHeight(SkinItemRect) : FDefaultItemHeight, 1, MaxListItemHeight));
    SkinVScrollBar();
    SkinHScrollBar();
    if (FRowCount != 0) SetHeight(CalcHeight(FRowCount));
    CalcRects();
    SkinChanging = false;
    UpDateScrollBar();
    ListBox->Invalidate();
}

void TskSkinCustomListBox::DefaultFontChange() {
    if (!Skinned()) GetFont()->Assign(GetDefaultFont());
}

void TskSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!Skinned()) Invalidate();
}

void TskSkinCustomListBox::WMSize(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    CalcRects();
    UpDateScrollBar();
    if (VScrollBar) VScrollBar->Invalidate();
}

// ---- Layout -----------------------------------------------------------------------------

int TskSkinCustomListBox::CalcHeight(int Rows) {
    GetSkinData();
    int height = Skinned() ? RectHeight(SkinRect) - RectHeight(ClRect) + Rows * ListBox->GetItemHeight()
                           : Rows * ListBox->GetItemHeight() + 4 +
                                 (FCaptionMode ? FDefaultCaptionHeight : 0);
    if (HScrollBar) height += HScrollBar->GetHeight();
    return height;
}

void TskSkinCustomListBox::CalcRects() {
    if (!ListBox) return;
    const int w = GetWidth(), h = GetHeight();
    int ch = 1;
    if (Skinned()) {
        const int dW = w - RectWidth(SkinRect), dH = h - RectHeight(SkinRect);
        ListRect = TRect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH);
    } else if (FCaptionMode) {
        ch = FDefaultCaptionHeight;
    }
    int hh = 0;
    if (GetColumns() == 0 && HScrollBar && HScrollBar->GetVisible()) {
        if (!Skinned()) {
            HScrollBar->SetBounds(1, h - 20, w - 2, kPlainBar);
            hh = HScrollBar->GetHeight() - 1;
        } else {
            const int bh = HScrollBar->GetHeight();
            HScrollBar->SetBounds(ListRect.Left, ListRect.Bottom - bh, RectWidth(ListRect), bh);
            hh = HScrollBar->GetHeight();
        }
    }
    if (VScrollBar && VScrollBar->GetVisible()) {
        if (!Skinned() && GetColumns() > 0) {
            VScrollBar->SetBounds(1, h - 20, w - 2, kPlainBar);
            ListBoxRect = TRect(2, ch + 1, w - 2, VScrollBar->GetTop());
        } else if (!Skinned()) {
            VScrollBar->SetBounds(w - 20, ch, kPlainBar, h - 1 - ch - hh);
            ListBoxRect = TRect(2, ch + 1, VScrollBar->GetLeft(), h - 2 - hh);
        } else if (GetColumns() > 0) {
            const int bh = VScrollBar->GetHeight();
            VScrollBar->SetBounds(ListRect.Left, ListRect.Bottom - bh, RectWidth(ListRect), bh);
            ListBoxRect = TRect(ListRect.Left, ListRect.Top, ListRect.Right, ListRect.Bottom - bh);
        } else {
            const int bw = VScrollBar->GetWidth();
            VScrollBar->SetBounds(ListRect.Right - bw, ListRect.Top, bw, RectHeight(ListRect) - hh);
            ListBoxRect =
                TRect(ListRect.Left, ListRect.Top, ListRect.Right - bw, ListRect.Bottom - hh);
        }
    } else if (!Skinned()) {
        ListBoxRect = TRect(2, ch + 1, w - 2, h - 2 - hh);
    } else {
        ListBoxRect = TRect(ListRect.Left, ListRect.Top, ListRect.Right, ListRect.Bottom - hh);
    }
    ListBox->SetBounds(ListBoxRect.Left, ListBoxRect.Top, std::max(RectWidth(ListBoxRect), 0),
                       std::max(RectHeight(ListBoxRect), 0));
}

// ---- Scroll bars ------------------------------------------------------------------------

void TskSkinCustomListBox::UpDateScrollBar() {
    if (!ListBox || !ListBox->HandleAllocated() || IsDestroying() || FUpdatingBars) return;
    // Making, placing or freeing a bar repaints the list, which asks again.
    FUpdatingBars = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FUpdatingBars};
    HWND wnd = ListBox->GetHandle();
    const int count = GetItems()->GetCount();
    const int itemHeight = std::max(ListBox->GetItemHeight(), 1);
    int min = 0, max = 0;
    if (GetColumns() > 0) {
        GetScrollRange(wnd, SB_HORZ, &min, &max);
        const int pos = GetScrollPos(wnd, SB_HORZ);
        if (max > min && pos <= max && GetColumns() <= max &&
            ListBox->GetHeight() / itemHeight * GetColumns() < count) {
            if (!VScrollBar) ShowScrollBar();
            VScrollBar->SetRange(min, max, pos, GetColumns());
        } else if (VScrollBar) {
            HideScrollBar();
        }
        return;
    }
    if (FHorizontalExtent && !SkinChanging) {
        // The list's own canvas may be painting: widths are measured on a canvas of their own.
        TBitmap measure;
        measure.SetSize(1, 1);
        TCanvas* canvas = measure.GetCanvas();
        if (!Skinned())
            canvas->GetFont()->Assign(GetListBoxFont());
        else
            SetSkinFont(canvas, FontName, FontHeight, FontStyle);
        int maxWidth = 0;
        for (int i = 0; i < count; ++i) maxWidth = std::max(maxWidth, GetFullItemWidth(i, canvas));
        int available = Skinned() ? ListBox->GetWidth() -
                                        (RectWidth(SkinItemRect) - RectWidth(ItemTextRect))
                                  : ListBox->GetWidth() - 4;
        if (FImages) available -= FImages->GetWidth() + 4;
        if (available < maxWidth) {
            if (!HScrollBar) ShowHScrollBar();
            HScrollBar->SetRange(0, maxWidth, HScrollBar->GetPosition(), available);
            const int step = std::max(canvas->TextWidth("0"), 1);
            HScrollBar->SetSmallChange(step);
            HScrollBar->SetLargeChange(step);
        } else if (HScrollBar) {
            HideHScrollBar();
        }
    } else if (HScrollBar) {
        HideHScrollBar();
    }
    if (FRowCount > 0 && FRowCount == count) {
        if (VScrollBar) HideScrollBar();
        return;
    }
    GetScrollRange(wnd, SB_VERT, &min, &max);
    const int pos = GetScrollPos(wnd, SB_VERT);
    const int page = ListBox->GetHeight() / itemHeight;
    if (max > min && pos <= max && page < count) {
        if (!VScrollBar) ShowScrollBar();
        VScrollBar->SetRange(min, max, pos, page);
        VScrollBar->SetLargeChange(std::max(page, 1));
    } else if (VScrollBar) {
        HideScrollBar();
    }
}

void TskSkinCustomListBox::NewScrollBar(TskSkinScrollBar*& Bar, TScrollBarKind Kind,
                                        TNotifyEvent Change) {
    Bar = new TskSkinScrollBar(this);
    Bar->SetKind(Kind);
    Bar->SetHeight(100);
    Bar->SetWidth(20);
    Bar->SetPageSize(0);
    Bar->SetMin(0);
    Bar->SetPosition(0);
    Bar->OnChange = Change;
}

void TskSkinCustomListBox::ShowScrollBar() {
    if (VScrollBar) return;
    NewScrollBar(VScrollBar, GetColumns() < 1 ? sbVertical : sbHorizontal,
                 TNotifyEvent(this, &TskSkinCustomListBox::SBChange));
    SkinVScrollBar();
    VScrollBar->SetParent(this);
    VScrollBar->SetVisible(true);
    // A horizontal bar already there now leaves the corner to the vertical one.
    SkinHScrollBar();
    CalcRects();
    Invalidate();
}

void TskSkinCustomListBox::ShowHScrollBar() {
    if (HScrollBar) return;
    NewScrollBar(HScrollBar, sbHorizontal, TNotifyEvent(this, &TskSkinCustomListBox::HSBChange));
    SkinHScrollBar();
    HScrollBar->SetParent(this);
    HScrollBar->SetVisible(true);
    CalcRects();
    Invalidate();
}

void TskSkinCustomListBox::HideScrollBar() {
    if (!VScrollBar) return;

    // Hiding repaints, and a repaint may ask for the bars again: the field is cleared first.
    TskSkinScrollBar* bar = VScrollBar;
    VScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    if (HScrollBar) SkinHScrollBar();
    CalcRects();
}

void TskSkinCustomListBox::HideHScrollBar() {
    if (!HScrollBar) return;
    ListBox->HOffset = 0;
    TskSkinScrollBar* bar = HScrollBar;
    HScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    CalcRects();
    ListBox->Invalidate();
}

void TskSkinCustomListBox::SBChange(TObject*) {
    if (GetColumns() > 0) {
        const auto pos = static_cast<WORD>(VScrollBar->GetPosition());
        SendMessageA(ListBox->GetHandle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
    } else {
        // The top index is a full integer: lists of any length scroll to the bar's row.
        SendMessageA(ListBox->GetHandle(), LB_SETTOPINDEX,
                     static_cast<WPARAM>(VScrollBar->GetPosition()), 0);
    }
}

void TskSkinCustomListBox::HSBChange(TObject*) {
    ListBox->HOffset = HScrollBar->GetPosition();
    ListBox->Invalidate();
}

void TskSkinCustomListBox::WMMouseWheel(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    const bool towardsUser = static_cast<int32_t>(Message.WParam) < 1;
    if (VScrollBar) {
        SendMessageA(ListBox->GetHandle(), GetColumns() > 0 ? WM_HSCROLL : WM_VSCROLL,
                     towardsUser ? SB_LINEDOWN : SB_LINEUP, 0);
        UpDateScrollBar();
    } else if (HScrollBar) {
        const int step = HScrollBar->GetSmallChange();
        HScrollBar->SetPosition(HScrollBar->GetPosition() + (towardsUser ? step : -step));
    }
}

// ---- Items ------------------------------------------------------------------------------

void TskSkinCustomListBox::DrawItemContent(TCanvas* Canvas, int Index, const TRect& TR) {
    const int hOffset = ListBox->HOffset;
    int offset = 0;
    if (FImages) {
        const int image = FImageIndex > -1 ? FImageIndex : Index;
        if (image < FImages->GetCount())
            FImages->Draw(Canvas, TR.Left - hOffset,
                          TR.Top + RectHeight(TR) / 2 - FImages->GetHeight() / 2, image, true);
        offset = FImages->GetWidth() + 2;
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    SKDrawText3(Canvas, GetItems()->Get(Index), TR, offset - hOffset);
}

TBitmap& TskSkinCustomListBox::ItemBuffer() {
    if (!FItemBuffer) FItemBuffer = std::make_unique<TBitmap>();
    // What an OnDrawItem handler left on the canvas does not reach the next item: each
    // starts with the pen and brush of a new canvas. The list's own drawing sets what it
    // uses, and renewing the pen and brush at every row would slow scrolling down.
    if (!OnDrawItem) return *FItemBuffer;
    TCanvas* canvas = FItemBuffer->GetCanvas();
    TPen pen;
    canvas->GetPen()->Assign(&pen);
    TBrush brush;
    canvas->GetBrush()->Assign(&brush);
    return *FItemBuffer;
}

void TskSkinCustomListBox::DrawItemImageAndText(TCanvas* Canvas, int Index, TRect TR) {
    if (FImages) {
        const int image = FImageIndex > -1 ? FImageIndex : Index;
        if (image < FImages->GetCount())
            FImages->Draw(Canvas, TR.Left, TR.Top + RectHeight(TR) / 2 - FImages->GetHeight() / 2,
                          image, true);
        TR.Left += FImages->GetWidth() + 2;
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    SKDrawText(Canvas, GetItems()->Get(Index), TR);
}

void TskSkinCustomListBox::DrawSkinItem(TCanvas* Canvas, int Index, const TRect& Rect,
                                        TOwnerDrawState State) {
    if (!Picture || Index < 0 || Index >= GetItems()->GetCount()) return;
    const int w = RectWidth(Rect), h = RectHeight(SkinItemRect);
    if (w <= 0 || h <= 0) return;
    TBitmap& buffer = ItemBuffer();
    const TRect& source = State.Contains(odFocused)    ? FocusItemRect
                          : State.Contains(odSelected) ? ActiveItemRect
                                                       : SkinItemRect;
    CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &buffer, Picture, source, w, h);
    TCanvas* c = buffer.GetCanvas();
    SetSkinFont(c, FontName, FontHeight, FontStyle);
    c->GetFont()->SetColor(State.Contains(odFocused)    ? FocusFontColor
                           : State.Contains(odSelected) ? ActiveFontColor
                                                        : FontColor);
    c->GetBrush()->SetStyle(bsClear);
    const TRect tr(ItemTextRect.Left, ItemTextRect.Top,
                   ItemTextRect.Right + (w - RectWidth(SkinItemRect)), ItemTextRect.Bottom);
    DrawSkinItemContent(c, Index, buffer.GetWidth(), buffer.GetHeight(), tr, State);
    Canvas->Draw(Rect.Left, Rect.Top, &buffer);
}

void TskSkinCustomListBox::DrawSkinItemContent(TCanvas* Canvas, int Index, int W, int H,
                                               const TRect& TR, TOwnerDrawState State) {
    if (OnDrawItem)
        OnDrawItem(Canvas, Index, W, H, TR, State);
    else
        DrawItemContent(Canvas, Index, TR);
}

void TskSkinCustomListBox::DrawDefaultItem(TCanvas* Canvas, int Index, const TRect& Rect,
                                           TOwnerDrawState State) {
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    const int w = RectWidth(Rect), h = RectHeight(Rect);
    if (w <= 0 || h <= 0) return;
    TBitmap& buffer = ItemBuffer();
    buffer.SetSize(w, h);
    TCanvas* c = buffer.GetCanvas();
    TFont* font = c->GetFont();
    font->SetName(GetFont()->GetName());
    font->SetStyle(GetFont()->GetStyle());
    font->SetHeight(GetFont()->GetHeight());
    c->GetBrush()->SetStyle(bsSolid);
    if (State.Contains(odSelected)) {
        c->GetBrush()->SetColor(clHighlight);
        font->SetColor(clHighlightText);
    } else {
        c->GetBrush()->SetColor(clWindow);
        font->SetColor(GetFont()->GetColor());
    }
    const TRect r(std::min(DefaultItemIndent(), w), 0, w, h);
    c->FillRect(r);
    DrawDefaultItemContent(c, Index, w, h, TRect(r.Left + 2, r.Top, r.Right - 2, r.Bottom), State);
    if (State.Contains(odFocused)) {
        c->GetBrush()->SetStyle(bsSolid);
        c->DrawFocusRect(r);
    }
    Canvas->Draw(Rect.Left, Rect.Top, &buffer);
}

void TskSkinCustomListBox::DrawDefaultItemContent(TCanvas* Canvas, int Index, int W, int H,
                                                  const TRect& TR, TOwnerDrawState State) {
    if (OnDrawItem)
        OnDrawItem(Canvas, Index, W, H, TR, State);
    else
        DrawItemContent(Canvas, Index, TR);
}

void TskSkinCustomListBox::PaintBGWH(TCanvas* Canvas, int W, int H, int X, int Y) {
    if (W <= 0 || H <= 0) return;
    // Below a tall list's rows lies most of it: only what Canvas repaints is tiled.
    const TRect part = PaintedPartAt(Canvas->GetHandle(), Bounds(X, Y, W, H));
    if (IsNullRect(part)) return;
    TBitmapPart buffer(part, W, H);
    if (RectWidth(ClRect) <= 0 || RectHeight(ClRect) <= 0 || !Picture) {
        // A skin without a client area has nothing to tile.
        TCanvas* c = buffer.GetCanvas();
        c->GetBrush()->SetColor(clWindow);
        c->FillRect(TRect(0, 0, W, H));
    } else {
        TileClientPart(&buffer, W, H);
    }
    Canvas->Draw(X, Y, &buffer);
}

REGISTER_CLASS(TskSkinListBox);

DEFINE_UNIT(SkinBoxCtrls_ListBoxes, uoSkin + 30, nullptr, nullptr);
