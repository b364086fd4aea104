#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"

#include "skin/controls/SkinCtrls_ButtonCore.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Forms.h"
#include "classlib/ImageLists.h"

#include <algorithm>

namespace {

int WheelDelta(const TMessage& Message) {
    return static_cast<short>(HIWORD(Message.WParam));
}

} // namespace

// ---- TskPopupListBox ---------------------------------------------------------------

TskPopupListBox::TskPopupListBox(TComponent* AOwner) : TskSkinListBox(AOwner) {
    SetCtl3D(false);
    SetParentCtl3D(false);
}

void TskPopupListBox::CreateParams(TCreateParams& Params) {
    TskSkinListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TskPopupListBox::WMMouseActivate(TMessage& Message) {
    Message.Result = MA_NOACTIVATE;
}

TskSkinCustomComboBox* TskPopupListBox::Combo() {
    return dynamic_cast<TskSkinCustomComboBox*>(GetOwner());
}

void TskPopupListBox::ApplyAlpha(Byte Value) {
    SetAlphaBlendTransparent(GetHandle(), Value);
    FAlpha = Value;
}

void TskPopupListBox::Show(const TPoint& Origin) {
    TskSkinCustomComboBox* combo = Combo();
    const bool layeredSystem = combo && CheckW2KWXP();
    HWND wnd = GetHandle();
    if (layeredSystem) {
        const bool blend = combo->GetListBoxAlphaBlend();
        if (blend != FLayered) {
            const LONG_PTR ex = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
            SetWindowLongPtrA(wnd, GWL_EXSTYLE, blend ? ex | WS_EX_LAYERED : ex & ~WS_EX_LAYERED);
            FLayered = blend;
        }
        if (blend && combo->GetListBoxAlphaBlendValue() != FAlpha)
            ApplyAlpha(combo->GetListBoxAlphaBlendAnimation() ? 0 : combo->GetListBoxAlphaBlendValue());
    }
    SetWindowPos(wnd, HWND_TOP, Origin.X, Origin.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    if (!layeredSystem || !combo->GetListBoxAlphaBlend() || !combo->GetListBoxAlphaBlendAnimation())
        return;
    Application->ProcessMessages();
    const int target = combo->GetListBoxAlphaBlendValue();
    for (int alpha = 2;; alpha += 2) {
        ApplyAlpha(static_cast<Byte>(std::min(alpha, target)));
        if (alpha >= target) break;
    }
}

void TskPopupListBox::Hide() {
    if (HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    SetVisible(false);
}

// ---- TskSkinCustomComboBox -----------------------------------------------------------

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    // OnClick belongs to the choices, not to presses on the face; the text is the choice's,
    // never the component's name.
    SetControlStyle(GetControlStyle().Exclude(csClickEvents).Exclude(csSetCaption));
    SetTabStop(true);
    SetBounds(GetLeft(), GetTop(), 120, 20);
    TFont* font = GetFont();
    font->SetName("Arial");
    font->SetHeight(14);
    font->SetColor(clWindowText);
    font->SetStyle(TFontStyles());
    SetSkinDataName("combobox");

    FListBox = new TskPopupListBox(this);
    FListBox->SetVisible(false);
    FListBox->SetTabStop(false);
    // Tab must not move the focus into the open list: that would activate its window.
    FListBox->SetListBoxTabStop(false);
    FListBox->SetParent(this);
    TControl* inner = FListBox->GetListBox();
    inner->OnMouseDown = TMouseEvent(this, &TskSkinCustomComboBox::ListMouseDown);
    inner->OnMouseMove = TMouseMoveEvent(this, &TskSkinCustomComboBox::ListMouseMove);
    inner->OnMouseUp = TMouseEvent(this, &TskSkinCustomComboBox::ListMouseUp);
    FOldListProc = inner->WindowProc;
    inner->WindowProc = TWndMethod(this, &TskSkinCustomComboBox::ListWindowProc);
    FListBox->OnCheckButtonClick = TNotifyEvent(this, &TskSkinCustomComboBox::ListCheckButtonClick);
    CalcRects();
}

TskSkinCustomComboBox::~TskSkinCustomComboBox() {
    delete FEdit;
    FEdit = nullptr;
    if (FListBox) FListBox->GetListBox()->WindowProc = FOldListProc;
    delete FListBox;
    FListBox = nullptr;
}

void TskSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FListBox) FListBox = nullptr;
    if (AComponent == FEdit) FEdit = nullptr;
}

// ---- Properties ----------------------------------------------------------------------

TStrings* TskSkinCustomComboBox::GetItems() const {
    return FListBox->GetItems();
}

void TskSkinCustomComboBox::SetItems(TStrings* Value) {
    FListBox->SetItems(Value);
}

int TskSkinCustomComboBox::GetItemIndex() const {
    return FListBox->GetItemIndex();
}

void TskSkinCustomComboBox::SetItemIndex(int Value) {
    FListBox->SetItemIndex(Value);
    const int index = FListBox->GetItemIndex();
    if (GetItems()->GetCount() > 0 && index != -1) SetText(GetItems()->Get(index));
    FSaveItemIndex = index;
    // The face is painted once the caller is done, not at every step of a refill.
    if (!FEdit) Invalidate();
    if (GetComponentState().Contains(csLoading) || IsDesigning()) return;
    Click();
    Change();
}

void TskSkinCustomComboBox::SetDropDownCount(int Value) {
    if (Value > 0) FDropDownCount = Value;
}

bool TskSkinCustomComboBox::GetSorted() const {
    return FListBox->GetSorted();
}

void TskSkinCustomComboBox::SetSorted(bool Value) {
    FListBox->SetSorted(Value);
}

bool TskSkinCustomComboBox::GetHorizontalExtent() const {
    return FListBox->GetHorizontalExtent();
}

void TskSkinCustomComboBox::SetHorizontalExtent(bool Value) {
    FListBox->SetHorizontalExtent(Value);
}

TCustomImageList* TskSkinCustomComboBox::GetImages() const {
    return FListBox->GetImages();
}

void TskSkinCustomComboBox::SetImages(TCustomImageList* Value) {
    FListBox->SetImages(Value);
    Repaint2();
}

int TskSkinCustomComboBox::GetImageIndex() const {
    return FListBox->GetImageIndex();
}

void TskSkinCustomComboBox::SetImageIndex(int Value) {
    FListBox->SetImageIndex(Value);
    Repaint2();
}

AnsiString TskSkinCustomComboBox::GetListBoxCaption() const {
    return FListBox->GetCaption();
}

void TskSkinCustomComboBox::SetListBoxCaption(const AnsiString& Value) {
    FListBox->SetCaption(Value);
}

bool TskSkinCustomComboBox::GetListBoxCaptionMode() const {
    return FListBox->GetCaptionMode();
}

void TskSkinCustomComboBox::SetListBoxCaptionMode(bool Value) {
    FListBox->SetCaptionMode(Value);
}

TFont* TskSkinCustomComboBox::GetListBoxDefaultFont() const {
    return FListBox->GetDefaultFont();
}

void TskSkinCustomComboBox::SetListBoxDefaultFont(TFont* Value) {
    FListBox->SetDefaultFont(Value);
}

TFont* TskSkinCustomComboBox::GetListBoxDefaultCaptionFont() const {
    return FListBox->GetDefaultCaptionFont();
}

void TskSkinCustomComboBox::SetListBoxDefaultCaptionFont(TFont* Value) {
    FListBox->SetDefaultCaptionFont(Value);
}

int TskSkinCustomComboBox::GetListBoxDefaultItemHeight() const {
    return FListBox->GetDefaultItemHeight();
}

void TskSkinCustomComboBox::SetListBoxDefaultItemHeight(int Value) {
    FListBox->SetDefaultItemHeight(Value);
}

TAlignment TskSkinCustomComboBox::GetListBoxCaptionAlignment() const {
    return FListBox->GetAlignment();
}

void TskSkinCustomComboBox::SetListBoxCaptionAlignment(TAlignment Value) {
    FListBox->SetAlignment(Value);
}

TskDrawSkinItemEvent TskSkinCustomComboBox::GetOnListBoxDrawItem() const {
    return FListBox->OnDrawItem;
}

void TskSkinCustomComboBox::SetOnListBoxDrawItem(TskDrawSkinItemEvent Value) {
    FListBox->OnDrawItem = Value;
}

void TskSkinCustomComboBox::SetStyle(TskSkinCustomComboBoxStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    if (Value == skcbEditStyle) {
        if (!IsLoading()) SetTabStop(false);
        FEdit = new TskCustomEdit(this);
        FEdit->SetAutoSize(false);
        FEdit->SetParent(this);
        FOldEditProc = FEdit->WindowProc;
        FEdit->WindowProc = TWndMethod(this, &TskSkinCustomComboBox::EditWindowProc);
        FEdit->OnEditCancelMode = TEditCancelModeEvent(this, &TskSkinCustomComboBox::EditCancelMode);
        FEdit->OnChange = TNotifyEvent(this, &TskSkinCustomComboBox::EditChange);
        GetSkinData();
        ApplyEditLook(GetFont());
        FEdit->SetText(GetText());
        if (Focused()) FEdit->SetFocus();
    } else {
        if (!IsLoading()) SetTabStop(true);
        TskCustomEdit* edit = FEdit;
        FEdit = nullptr;
        if (edit) edit->SetVisible(false);
        delete edit;
    }
    CalcRects();
    Repaint();
}

void TskSkinCustomComboBox::ApplyEditLook(TFont* PlainFont) {
    if (!FEdit) return;
    TFont* font = FEdit->GetFont();
    if (FIndex == -1) {
        font->Assign(PlainFont);
    } else {
        font->SetStyle(FontStyle);
        font->SetColor(FontColor);
        font->SetHeight(FontHeight);
        font->SetName(FontName);
        font->SetCharset(GetDefaultFont()->GetCharset());
    }
    FEdit->SetEditTransparent(FIndex != -1);
}

// ---- Skin ------------------------------------------------------------------------------

void TskSkinCustomComboBox::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinComboBox*>(GetSkinRecord());
    if (!record) return;
    SItemRect = record->ItemRect;
    FocusItemRect = IsNullRect(record->FocusItemRect) ? record->ItemRect : record->FocusItemRect;
    ItemLeftOffset = record->ItemLeftOffset;
    ItemRightOffset = record->ItemRightOffset;
    ItemTextRect = record->ItemTextRect;
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    FocusFontColor = record->FocusFontColor;
    ButtonRect = record->ButtonRect;
    ActiveButtonRect = record->ActiveButtonRect;
    DownButtonRect = record->DownButtonRect;
    UnEnabledButtonRect = record->UnEnabledButtonRect;
    ListBoxName = record->ListBoxName;
}

void TskSkinCustomComboBox::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    CalcRects();
    ApplyEditLook(GetDefaultFont());
    Repaint();
    FListBox->SetSkinDataName(FIndex != -1 ? ListBoxName : AnsiString());
    FListBox->SetSkinData(GetSkin());
}

void TskSkinCustomComboBox::DefaultFontChange() {
    GetFont()->Assign(GetDefaultFont());
}

void TskSkinCustomComboBox::Invalidate() {
    TskSkinCustomControl::Invalidate();
    if (FEdit && FIndex != -1) FEdit->Invalidate();
}

void TskSkinCustomComboBox::Repaint2() {
    // The face is painted once the caller is done, not at every step of a refill.
    if (!FEdit) Invalidate();
}

void TskSkinCustomComboBox::CalcRects() {
    GetSkinData();
    const int w = GetWidth();
    const int h = GetHeight();
    if (FIndex != -1) {
        const int dW = w - RectWidth(SkinRect);
        FButtonRect = ButtonRect;
        if (RectWidth(SkinRect) - RTPoint.X <= ButtonRect.Left) {
            FButtonRect.Left += dW;
            FButtonRect.Right += dW;
        }
        FItemRect = ClRect;
        FItemRect.Right += dW;
    } else {
        FButtonRect = TRect(w - 19, 2, w - 2, h - 2);
        FItemRect = TRect(2, 2, FButtonRect.Left - 1, h - 2);
    }
    if (FEdit)
        FEdit->SetBounds(FItemRect.Left, FItemRect.Top, RectWidth(FItemRect), RectHeight(FItemRect));
}

// ---- Drawing ---------------------------------------------------------------------------

int TskSkinCustomComboBox::ShownIndex() const {
    return IsPopupVisible() ? FSaveItemIndex : GetItemIndex();
}

void TskSkinCustomComboBox::CreateControlSkinImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    TCanvas* canvas = B->GetCanvas();
    DrawButton(canvas);
    if (!FEdit) DrawSkinItem(canvas);
}

void TskSkinCustomComboBox::CreateControlDefaultImage(TBitmap* B) {
    CalcRects();
    TCanvas* canvas = B->GetCanvas();
    const TRect r(0, 0, GetWidth(), GetHeight());
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(r);
    Frm3D(canvas, r, clBtnShadow, clBtnShadow);
    DrawDefaultButton(canvas);
    if (!FEdit) DrawDefaultItem(canvas);
}

void TskSkinCustomComboBox::DrawButton(TCanvas* C) {
    if (!Picture) return;
    TRect look;
    if (!IsEffectivelyEnabled() && !IsNullRect(UnEnabledButtonRect))
        look = UnEnabledButtonRect;
    else if (FButtonDown && FButtonActive)
        look = IsNullRect(DownButtonRect) ? ActiveButtonRect : DownButtonRect;
    else if (FButtonActive)
        look = ActiveButtonRect;
    if (IsNullRect(look)) return; // the face image holds the normal look
    C->CopyRect(FButtonRect, Picture->GetCanvas(), look);
}

void TskSkinCustomComboBox::DrawDefaultButton(TCanvas* C) {
    DrawDefaultButtonFace(C, FButtonRect, FButtonDown && FButtonActive, FButtonActive);
    DrawArrowImage(C, FButtonRect, IsEffectivelyEnabled() ? clBlack : clBtnShadow, 4);
}

void TskSkinCustomComboBox::DrawItemContent(TCanvas* C, int Index, int W, int H, TRect TR,
                                            bool Focused) {
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    TOwnerDrawState state;
    if (Focused) state.Include(odFocused);
    if (OnComboBoxDrawItem) {
        OnComboBoxDrawItem(C, Index, W, H, TR, state);
        return;
    }
    if (TCustomImageList* images = GetImages()) {
        const int number = GetImageIndex() >= 0 ? GetImageIndex() : Index;
        if (number < images->GetCount())
            images->Draw(C, TR.Left, TR.Top + RectHeight(TR) / 2 - images->GetHeight() / 2, number);
        TR.Left += images->GetWidth() + 2;
    }
    SKDrawText(C, GetItems()->Get(Index), TR);
}

void TskSkinCustomComboBox::DrawSkinItem(TCanvas* C) {
    const int w = RectWidth(FItemRect);
    if (w <= 0) return;
    int h = RectHeight(SItemRect);
    if (h == 0) h = RectHeight(FocusItemRect);
    if (h == 0) h = RectHeight(FItemRect);
    if (h <= 0) return;
    const bool focused = Focused();
    TBitmap buffer(w, h);
    TCanvas* bc = buffer.GetCanvas();
    const TRect look = focused ? FocusItemRect : SItemRect;
    if (!IsNullRect(look) && Picture)
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &buffer, Picture, look, w, h);
    else
        bc->CopyRect(TRect(0, 0, w, h), C, FItemRect);
    const TRect tr = ShownTextRect();
    SetSkinFont(bc, FontName, FontHeight, FontStyle);
    bc->GetFont()->SetColor(!IsEffectivelyEnabled() ? clGrayText : focused ? FocusFontColor : FontColor);
    bc->GetBrush()->SetStyle(bsClear);
    DrawItemContent(bc, ShownIndex(), buffer.GetWidth(), buffer.GetHeight(), tr, focused);
    C->Draw(FItemRect.Left, FItemRect.Top, &buffer);
}

TRect TskSkinCustomComboBox::ShownTextRect() const {
    TRect tr = ItemTextRect;
    tr.Right += RectWidth(FItemRect) - (IsNullRect(SItemRect) ? RectWidth(ClRect) : RectWidth(SItemRect));
    return tr;
}

void TskSkinCustomComboBox::DrawDefaultItem(TCanvas* C) {
    const int w = RectWidth(FItemRect);
    const int h = RectHeight(FItemRect);
    if (w <= 0 || h <= 0) return;
    const bool focused = Focused();
    TBitmap buffer(w, h);
    TCanvas* bc = buffer.GetCanvas();
    TFont* font = bc->GetFont();
    font->SetName(GetFont()->GetName());
    font->SetStyle(GetFont()->GetStyle());
    font->SetHeight(GetFont()->GetHeight());
    font->SetColor(focused ? clHighlightText : clWindowText);
    bc->GetBrush()->SetColor(focused ? clHighlight : clWindow);
    const TRect r(0, 0, w, h);
    bc->FillRect(r);
    bc->GetBrush()->SetStyle(bsClear);
    DrawItemContent(bc, ShownIndex(), w, h, TRect(2, 0, w - 2, h), focused);
    if (focused) bc->DrawFocusRect(r);
    C->Draw(FItemRect.Left, FItemRect.Top, &buffer);
}

// ---- Opening and closing ---------------------------------------------------------------

bool TskSkinCustomComboBox::IsPopupVisible() const {
    return FListBox && FListBox->GetVisible();
}

bool TskSkinCustomComboBox::CanCancelDropDown() {
    return IsPopupVisible() && !FMouseIn;
}

void TskSkinCustomComboBox::DropDown() {
    const int count = GetItems()->GetCount();
    FListBox->SetBounds(FListBox->GetLeft(), FListBox->GetTop(), GetWidth(),
                        FListBox->CalcHeight(std::min(count, FDropDownCount)));
    const TPoint corner(GetLeft(), GetTop() + GetHeight());
    TPoint p = GetParent() ? GetParent()->ClientToScreen(corner) : corner;
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    if (p.Y + FListBox->GetHeight() > workArea.bottom) p.Y -= GetHeight() + FListBox->GetHeight();
    if (FEdit && FEdit->CanFocus()) FEdit->SetFocus();
    FSaveItemIndex = FListBox->GetItemIndex();
    // Moving the highlight off the first row and back brings the list to its top.
    if (FSaveItemIndex == 0 && count > 1) {
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FListBox->SetTopIndex(std::max(0, FListBox->GetItemIndex()));
    FListBox->Show(p);
}

void TskSkinCustomComboBox::CloseUp(bool AcceptValue) {
    if (!IsPopupVisible()) return;
    FListBox->Hide();
    const int index = FListBox->GetItemIndex();
    if (AcceptValue && index >= 0 && index < GetItems()->GetCount()) {
        const AnsiString text = GetItems()->Get(index);
        if (FEdit) {
            // A multi-line EDIT reports no change for a text set from outside.
            FEdit->SetText(text);
            EditChange(FEdit);
        } else {
            SetText(text);
            Repaint();
        }
        Click();
        Change();
    } else {
        FListBox->SetItemIndex(FSaveItemIndex);
    }
    if (AcceptValue) CloseUpAccepted();
}

void TskSkinCustomComboBox::CloseUpAccepted() {
    if (OnCloseUp) OnCloseUp(this);
}

void TskSkinCustomComboBox::CloseOnCancel(TControl* Sender) {
    if (Sender == this || !FListBox) return;
    if (Sender == FListBox || FListBox->ContainsControl(Sender)) return;
    CloseUp(false);
}

// ---- Moves ------------------------------------------------------------------------------

void TskSkinCustomComboBox::MoveTo(int Index, bool AChange) {
    if (AChange)
        SetItemIndex(Index);
    else
        FListBox->SetItemIndex(Index);
}

void TskSkinCustomComboBox::EditUp1(bool AChange) {
    const int index = GetItemIndex();
    if (index > 0) MoveTo(index - 1, AChange);
}

void TskSkinCustomComboBox::EditDown1(bool AChange) {
    const int index = GetItemIndex();
    if (index < GetItems()->GetCount() - 1) MoveTo(index + 1, AChange);
}

void TskSkinCustomComboBox::EditPageUp1(bool AChange) {
    if (GetItems()->GetCount() == 0) return;
    MoveTo(std::max(0, GetItemIndex() - FDropDownCount - 1), AChange);
}

void TskSkinCustomComboBox::EditPageDown1(bool AChange) {
    const int count = GetItems()->GetCount();
    if (count == 0) return;
    MoveTo(std::min(count - 1, GetItemIndex() + FDropDownCount - 1), AChange);
}

void TskSkinCustomComboBox::EditUp(bool AChange) {
    const int index = GetItemIndex();
    if (index <= 0) return;
    FListBox->SetItemIndex(index - 1);
    if (!AChange) return;
    SetText(GetItems()->Get(index - 1));
    Click();
}

void TskSkinCustomComboBox::EditDown(bool AChange) {
    const int index = GetItemIndex();
    if (index >= GetItems()->GetCount() - 1) return;
    FListBox->SetItemIndex(index + 1);
    if (!AChange) return;
    SetText(GetItems()->Get(index + 1));
    Click();
}

// ---- Keys, mouse and focus of the face ------------------------------------------------

void TskSkinCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCustomControl::KeyDown(Key, Shift);
    const bool alt = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_RETURN:
        if (IsPopupVisible()) CloseUp(true);
        break;
    case VK_ESCAPE:
        if (IsPopupVisible()) CloseUp(false);
        break;
    case VK_PRIOR: EditPageUp1(true); break;
    case VK_NEXT: EditPageDown1(true); break;
    case VK_LEFT:
    case VK_UP:
        if (!alt)
            EditUp1(true);
        else if (IsPopupVisible())
            CloseUp(false);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (!alt)
            EditDown1(true);
        else if (!IsPopupVisible())
            DropDown();
        break;
    default:
        break;
    }
}

void TskSkinCustomComboBox::CMWantSpecialKey(TMessage& Message) {
    switch (Message.WParam) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        Message.Result = 1;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
        // While the list is open these close it rather than press a default or cancel button.
        Message.Result = IsPopupVisible() ? 1 : 0;
        break;
    default:
        TskSkinCustomControl::Dispatch(Message);
        break;
    }
}

void TskSkinCustomComboBox::WMMouseWheel(TMessage& Message) {
    if (FEdit) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    const int delta = WheelDelta(Message);
    const bool change = !IsPopupVisible();
    if (delta < 0)
        EditDown1(change);
    else if (delta > 0)
        EditUp1(change);
    Message.Result = 0;
}

void TskSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    FMouseIn = X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight();
    const bool overButton = FMouseIn && X >= FButtonRect.Left && X < FButtonRect.Right &&
                            Y >= FButtonRect.Top && Y < FButtonRect.Bottom;
    if (overButton == FButtonActive) return;
    FButtonActive = overButton;
    Repaint();
}

void TskSkinCustomComboBox::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::CMMouseLeave(Message);
    FMouseIn = false;
    if (!FButtonActive) return;
    FButtonActive = false;
    Repaint();
}

void TskSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!FEdit && !Focused() && CanFocus()) SetFocus();
    if (Button != mbLeft) return;
    const bool inItem = X >= FItemRect.Left && X < FItemRect.Right && Y >= FItemRect.Top &&
                        Y < FItemRect.Bottom;
    if (FButtonActive || (inItem && !FEdit)) {
        FButtonDown = true;
        Repaint();
        if (IsPopupVisible())
            CloseUp(false);
        else
            DropDown();
    } else if (IsPopupVisible()) {
        CloseUp(false);
    }
}

void TskSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FButtonDown = false;
    Repaint();
}

void TskSkinCustomComboBox::WMSize(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    CalcRects();
}

void TskSkinCustomComboBox::WMSetFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FEdit && FEdit->CanFocus())
        FEdit->SetFocus();
    else
        Repaint();
}

void TskSkinCustomComboBox::WMKillFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (!FEdit && IsPopupVisible()) CloseUp(false);
    Repaint();
}

void TskSkinCustomComboBox::CMTextChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FEdit && !FFromEdit) FEdit->SetText(GetText());
    if (OnChange && !HoldOnChange) OnChange(this);
    if (FFromEdit) Change();
}

void TskSkinCustomComboBox::CMCancelMode(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    CloseOnCancel(reinterpret_cast<TControl*>(Message.LParam));
}

void TskSkinCustomComboBox::CMEnabledChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    Repaint();
}

// ---- The open list ------------------------------------------------------------------------

void TskSkinCustomComboBox::ListWindowProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        // The list never takes the focus or the mouse.
        return;
    case WM_LBUTTONUP:
        CloseUp(true);
        return;
    case WM_MOUSEACTIVATE:
        FOldListProc(Message);
        Message.Result = MA_NOACTIVATE;
        return;
    default:
        FOldListProc(Message);
        return;
    }
}

void TskSkinCustomComboBox::ListMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    FLBDown = true;
}

void TskSkinCustomComboBox::ListMouseMove(TObject*, TShiftState, int X, int Y) {
    if (FLBDown) return;
    const int index = FListBox->ItemAtPos(TPoint(X, Y), true);
    if (index >= 0 && index < GetItems()->GetCount() && index != FListBox->GetItemIndex())
        FListBox->SetItemIndex(index);
}

void TskSkinCustomComboBox::ListMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    FLBDown = false;
    CloseUp(true);
}

void TskSkinCustomComboBox::ListCheckButtonClick(TObject*) {
    CloseUp(true);
}

// ---- The edit of the edit style --------------------------------------------------------------

void TskSkinCustomComboBox::EditWindowProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KILLFOCUS:
        if (IsPopupVisible()) CloseUp(false);
        break;
    case WM_MOUSEWHEEL: {
        const int delta = WheelDelta(Message);
        const bool change = !IsPopupVisible();
        if (delta > 0)
            EditUp(change);
        else if (delta < 0)
            EditDown(change);
        break;
    }
    case CM_WANTSPECIALKEY:
        // The typed-in field keys for the box: Return and Esc close an open list.
        if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) {
            CMWantSpecialKey(Message);
            return;
        }
        break;
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_RETURN:
            // With the list closed the typed text stays as it is.
            if (IsPopupVisible()) CloseUp(true);
            return;
        case VK_ESCAPE:
            if (IsPopupVisible()) CloseUp(false);
            return;
        case VK_PRIOR:
        case VK_NEXT:
            if (IsPopupVisible()) {
                if (Message.WParam == VK_PRIOR)
                    EditPageUp1(false);
                else
                    EditPageDown1(false);
            }
            break;
        case VK_UP:
            EditUp(true);
            return;
        case VK_DOWN:
            EditDown(true);
            return;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) return;
        break;
    default:
        break;
    }
    FOldEditProc(Message);
}

void TskSkinCustomComboBox::EditChange(TObject*) {
    TFlagGuard fromEdit(FFromEdit);
    SetText(FEdit->GetText());
}

void TskSkinCustomComboBox::EditCancelMode(TObject*, TControl* Control) {
    CloseOnCancel(Control);
}

// ---- Publishing ---------------------------------------------------------------------------------

void TskSkinCustomComboBox::Published(TPropertyList& P) {
    using C = TskSkinCustomComboBox;
    P.Add("Items", &C::GetItems, &C::SetItems);
    P.Add("ItemIndex", &C::GetItemIndex, &C::SetItemIndex, -1);
    P.Add("DropDownCount", &C::GetDropDownCount, &C::SetDropDownCount, 8);
    P.Add("Sorted", &C::GetSorted, &C::SetSorted, false);
    P.Add("Style", &C::GetStyle, &C::SetStyle, skcbFixedStyle);
    P.Add("Text", &C::GetText, &C::SetText);
    // Always written: it is read before the style, which must not decide it then.
    P.Add("TabStop", &C::GetTabStop, &C::SetTabStop);
    P.Add("Font", &C::GetFont, &C::SetFont);
    P.Add("ListBoxAlphaBlend", &C::GetListBoxAlphaBlend, &C::SetListBoxAlphaBlend, false);
    P.Add("ListBoxAlphaBlendValue", &C::GetListBoxAlphaBlendValue, &C::SetListBoxAlphaBlendValue, 200);
    P.Add("ListBoxAlphaBlendAnimation", &C::GetListBoxAlphaBlendAnimation,
          &C::SetListBoxAlphaBlendAnimation, false);
    P.Add("HorizontalExtent", &C::GetHorizontalExtent, &C::SetHorizontalExtent, false);
    P.Add("Images", &C::GetImages, &C::SetImages);
    P.Add("ImageIndex", &C::GetImageIndex, &C::SetImageIndex, -1);
    P.Add("ListBoxCaption", &C::GetListBoxCaption, &C::SetListBoxCaption);
    P.Add("ListBoxCaptionMode", &C::GetListBoxCaptionMode, &C::SetListBoxCaptionMode, false);
    P.Add("ListBoxDefaultFont", &C::GetListBoxDefaultFont);
    P.Add("ListBoxDefaultCaptionFont", &C::GetListBoxDefaultCaptionFont);
    P.Add("ListBoxDefaultItemHeight", &C::GetListBoxDefaultItemHeight,
          &C::SetListBoxDefaultItemHeight, 20)
        .Range(1, MaxListItemHeight);
    P.Add("ListBoxCaptionAlignment", &C::GetListBoxCaptionAlignment,
          &C::SetListBoxCaptionAlignment, taLeftJustify);
    P.Add("OnChange", &C::OnChange);
    P.Add("OnClick", &C::OnClick);
    P.Add("OnCloseUp", &C::OnCloseUp);
    P.Add("OnComboBoxDrawItem", &C::OnComboBoxDrawItem);
    P.Add("OnListBoxDrawItem", &C::GetOnListBoxDrawItem, &C::SetOnListBoxDrawItem);
}

REGISTER_CLASS(TskPopupListBox);
REGISTER_CLASS(TskSkinCustomComboBox);
REGISTER_CLASS(TskSkinComboBox);

namespace {

void RegisterComboBoxEnums() {
    RegisterEnum<TskSkinCustomComboBoxStyle>({"skcbEditStyle", "skcbFixedStyle"});
}

} // namespace

DEFINE_UNIT(SkinBoxCtrls_ComboBoxes, uoSkin + 31, RegisterComboBoxEnums, nullptr);
