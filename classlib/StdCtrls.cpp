#include "classlib/StdCtrls.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

namespace {

// The size DrawText gives Text with Font; Width limits the lines when Flags wrap words.
TSize MeasureText(TFont* Font, const AnsiString& Text, UINT Flags, int Width) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    RECT r = {0, 0, Width, 0};
    DrawTextA(dc, Text.c_str(), static_cast<int>(Text.size()), &r, Flags | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

// The height of a line of Font.
int LineHeight(TFont* Font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

bool Loading(const TComponent* Component) {
    return Component->GetComponentState().Contains(csLoading);
}

} // namespace

// ---------------------------------------------------------------------------
// TItemsWindow

// The messages of one kind of list window.
struct TItemMessages {
    UINT Count, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent,
        GetItemData, SetItemData, GetCurSel, SetCurSel;
    LRESULT Error;
};

// The items of a list or combo box: the window's own while it exists, kept in a string
// list while it does not (before it is made and while it is made again).
class TItemsWindow : public TStrings {
public:
    TItemsWindow(TWinControl* Control, const TItemMessages& Messages)
        : FControl(Control), FMessages(Messages) {
        FSaved.SetDuplicates(dupAccept);
    }

    void SetSorted(bool Value) {
        FSorted = Value;
        FSaved.SetSorted(Value);
    }

    int GetCount() const override {
        return Live() ? static_cast<int>(Send(FMessages.Count)) : FSaved.GetCount();
    }

    AnsiString Get(int Index) const override {
        if (!Live()) return FSaved.Get(Index);
        CheckIndex(Index);
        LRESULT length = Send(FMessages.GetTextLen, static_cast<WPARAM>(Index));
        if (length == FMessages.Error) IndexError(Index);
        AnsiString text(static_cast<std::size_t>(length) + 1, '\0');
        LRESULT copied = Send(FMessages.GetText, static_cast<WPARAM>(Index),
                              reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        return text;
    }

    void Put(int Index, const AnsiString& S) override {
        TObject* object = GetObject(Index);
        Delete(Index);
        if (FSorted)
            AddObject(S, object);
        else
            InsertObject(Index, S, object);
    }

    TObject* GetObject(int Index) const override {
        if (!Live()) return FSaved.GetObject(Index);
        CheckIndex(Index);
        return reinterpret_cast<TObject*>(Send(FMessages.GetItemData, static_cast<WPARAM>(Index)));
    }

    void PutObject(int Index, TObject* AObject) override {
        if (!Live()) {
            FSaved.PutObject(Index, AObject);
            return;
        }
        CheckIndex(Index);
        Send(FMessages.SetItemData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
    }

    int Add(const AnsiString& S) override { return AddObject(S, nullptr); }

    int AddObject(const AnsiString& S, TObject* AObject) override {
        if (!Live()) return FSaved.AddObject(S, AObject);
        LRESULT index = Send(FMessages.AddString, 0, reinterpret_cast<LPARAM>(S.c_str()));
        if (index < 0) throw EOutOfResources("Cannot add an item to the list");
        Send(FMessages.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(AObject));
        return static_cast<int>(index);
    }

    void Insert(int Index, const AnsiString& S) override { InsertObject(Index, S, nullptr); }

    void InsertObject(int Index, const AnsiString& S, TObject* AObject) override {
        if (FSorted) throw EStringListError("Operation not allowed on sorted list");
        if (!Live()) {
            FSaved.InsertObject(Index, S, AObject);
            return;
        }
        if (Index < 0 || Index > GetCount()) IndexError(Index);
        LRESULT index = Send(FMessages.InsertString, static_cast<WPARAM>(Index),
                             reinterpret_cast<LPARAM>(S.c_str()));
        if (index < 0) throw EOutOfResources("Cannot add an item to the list");
        Send(FMessages.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(AObject));
    }

    void Delete(int Index) override {
        if (!Live()) {
            FSaved.Delete(Index);
            return;
        }
        CheckIndex(Index);
        Send(FMessages.DeleteString, static_cast<WPARAM>(Index));
    }

    void Clear() override {
        if (Live())
            Send(FMessages.ResetContent);
        else
            FSaved.Clear();
    }

    int GetSelected() const { return static_cast<int>(Send(FMessages.GetCurSel)); }
    void Select(int Index) const { Send(FMessages.SetCurSel, static_cast<WPARAM>(Index)); }

    // The window was made: it takes the kept items.
    void WindowCreated() {
        for (int i = 0; i < FSaved.GetCount(); ++i) {
            LRESULT index =
                Send(FMessages.AddString, 0, reinterpret_cast<LPARAM>(FSaved.Get(i).c_str()));
            if (index >= 0)
                Send(FMessages.SetItemData, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(FSaved.GetObject(i)));
        }
        FSaved.Clear();
    }

    // The window is about to go: its items are kept.
    void WindowDestroying() {
        FSaved.Clear();
        int count = GetCount();
        for (int i = 0; i < count; ++i)
            FSaved.AddObject(Get(i), GetObject(i));
    }

protected:
    void SetUpdateState(bool Updating) override {
        if (!Live()) return;
        Send(WM_SETREDRAW, !Updating);
        if (!Updating) FControl->Invalidate();
    }

private:
    bool Live() const { return FControl->HandleAllocated(); }
    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const {
        return SendMessageA(FControl->GetHandle(), Msg, WParam, LParam);
    }
    void CheckIndex(int Index) const {
        if (Index < 0 || Index >= GetCount()) IndexError(Index);
    }

    TWinControl* FControl;
    TItemMessages FMessages;
    TStringList FSaved;
    bool FSorted = false;
};

namespace {

const TItemMessages kListBoxMessages = {
    LB_GETCOUNT,     LB_GETTEXT,     LB_GETTEXTLEN,  LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
    LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_GETCURSEL, LB_SETCURSEL,    LB_ERR,
};

const TItemMessages kComboBoxMessages = {
    CB_GETCOUNT,     CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_ADDSTRING,
    CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,
    CB_SETITEMDATA,  CB_GETCURSEL,    CB_SETCURSEL,    CB_ERR,
};

} // namespace

// ---------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csOpaque << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 65, 17);
    SetParentColor(true);
    SetAutoSize(true);
}

TCustomLabel::~TCustomLabel() {
    SetFocusControl(nullptr);
}

void TCustomLabel::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Alignment", &TCustomLabel::GetAlignment, &TCustomLabel::SetAlignment, taLeftJustify);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, true);
    P.Add("FocusControl", &TCustomLabel::GetFocusControl, &TCustomLabel::SetFocusControl);
    P.Add("Layout", &TCustomLabel::GetLayout, &TCustomLabel::SetLayout, tlTop);
    P.Add("ShowAccelChar", &TCustomLabel::GetShowAccelChar, &TCustomLabel::SetShowAccelChar, true);
    P.Add("Transparent", &TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent, false);
    P.Add("WordWrap", &TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap, false);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    TextChanged();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    TControlStyle style = GetControlStyle();
    if (Value)
        style >> csOpaque;
    else
        style << csOpaque;
    SetControlStyle(style);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    TextChanged();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (FAlignment == taCenter)
        flags |= DT_CENTER;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::Paint() {
    TCanvas* canvas = GetCanvas();
    TRect rect = GetClientRect();
    if (!FTransparent) {
        canvas->GetBrush()->SetStyle(bsSolid);
        canvas->GetBrush()->SetColor(GetColor());
        canvas->FillRect(rect);
    }
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->SetFont(GetFont());
    AnsiString text = GetCaption();
    UINT flags = TextFlags();
    if (FLayout != tlTop) {
        TRect measured = rect;
        canvas->TextRect(measured, text, flags | DT_CALCRECT);
        int free = rect.Height() - measured.Height();
        rect.Top += FLayout == tlBottom ? free : free / 2;
    }
    if (GetEnabled()) {
        canvas->TextRect(rect, text, flags);
        return;
    }
    // Disabled text: a light copy one pixel down and right under a shadowed one.
    TRect light(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    canvas->GetFont()->SetColor(clBtnHighlight);
    canvas->TextRect(light, text, flags);
    canvas->GetFont()->SetColor(clBtnShadow);
    canvas->TextRect(rect, text, flags);
}

bool TCustomLabel::CanAutoSize(int& NewWidth, int& NewHeight) {
    AnsiString text = GetCaption();
    // An empty caption still takes the height of a line.
    if (text.empty() || (FShowAccelChar && text == "&")) text += " ";
    TSize size = MeasureText(GetFont(), text, TextFlags(), FWordWrap ? GetWidth() : 0);
    if (!FWordWrap) NewWidth = size.cx;
    NewHeight = size.cy;
    return true;
}

void TCustomLabel::TextChanged() {
    AdjustSize();
    Invalidate();
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    TextChanged();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    TextChanged();
}

void TCustomLabel::CMDialogChar(TWMKey& Message) {
    if (FFocusControl && GetEnabled() && FShowAccelChar &&
        IsAccel(Message.CharCode(), GetCaption()) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(Message.Message);
}

// ---------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButton::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Cancel", &TButton::GetCancel, &TButton::SetCancel, false);
    P.Add("Default", &TButton::GetDefault, &TButton::SetDefault, false);
    P.Add("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult, 0);
}

void TButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    if (HandleAllocated()) UpdateDefaultLook(IsActive());
}

bool TButton::IsActive() const {
    TWinControl* focused = FindControl(GetFocus());
    if (focused == this) return true;
    // Another button with the focus takes Return itself.
    if (dynamic_cast<TButton*>(focused)) return false;
    return FDefault;
}

void TButton::UpdateDefaultLook(bool Active) {
    if (!HandleAllocated()) return;
    HWND wnd = GetHandle();
    LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE) & BS_TYPEMASK;
    if (style == BS_OWNERDRAW) {
        Invalidate();
        return;
    }
    SendMessageA(wnd, BM_SETSTYLE, Active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TWMKey& Message) {
    Word key = Message.CharCode();
    bool wanted = (key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && FCancel);
    if (wanted && KeyDataToShiftState(Message.KeyData()).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

void TButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
    auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    bool active = focused == this || (FDefault && !dynamic_cast<TButton*>(focused));
    UpdateDefaultLook(active);
    TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TBitBtn

TBitBtn::TBitBtn(TComponent* AOwner)
    : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()), FCanvas(std::make_unique<TCanvas>()) {
    FGlyph->OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::Published(TPropertyList& P) {
    P.Add("Glyph", &TBitBtn::GetGlyph, &TBitBtn::SetGlyph);
}

void TBitBtn::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    Invalidate();
}

void TBitBtn::GlyphChanged(TObject*) {
    Invalidate();
}

void TBitBtn::CreateParams(TCreateParams& Params) {
    TButton::CreateParams(Params);
    Params.Style = (Params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::CNDrawItem(TWMDrawItem& Message) {
    const DRAWITEMSTRUCT* item = Message.DrawItemStruct();
    RECT frame = item->rcItem;
    const bool pressed = item->itemState & ODS_SELECTED;
    DrawFrameControl(item->hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    FCanvas->SetHandle(item->hDC);
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush()->SetStyle(bsClear);
    const TRect bounds(item->rcItem.left, item->rcItem.top, item->rcItem.right,
                       item->rcItem.bottom);
    const AnsiString caption = GetCaption();
    const bool hasGlyph = !FGlyph->GetEmpty();
    const int glyphWidth = hasGlyph ? FGlyph->GetWidth() : 0;
    const int textWidth = caption.empty() ? 0 : FCanvas->TextWidth(StripHotkey(caption));
    const int spacing = hasGlyph && !caption.empty() ? 4 : 0;
    const int shift = pressed ? 1 : 0;
    int x = bounds.Left + (bounds.Width() - glyphWidth - spacing - textWidth) / 2 + shift;
    if (hasGlyph) {
        FGlyph->SetTransparent(true);
        FCanvas->Draw(x, bounds.Top + (bounds.Height() - FGlyph->GetHeight()) / 2 + shift,
                      FGlyph.get());
        x += glyphWidth + spacing;
    }
    if (!caption.empty()) {
        TRect text(x, bounds.Top + shift, bounds.Right, bounds.Bottom + shift);
        FCanvas->GetFont()->SetColor(GetEnabled() ? GetFont()->GetColor() : clGrayText);
        FCanvas->TextRect(text, caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    if (item->itemState & ODS_FOCUS) {
        TRect focus(bounds.Left + 4, bounds.Top + 4, bounds.Right - 4, bounds.Bottom - 4);
        FCanvas->DrawFocusRect(focus);
    }
    FCanvas->SetHandle(nullptr);
    Message.Result = TRUE;
}

// ---------------------------------------------------------------------------
// TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TCheckBox::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Alignment", &TCheckBox::GetAlignment, &TCheckBox::SetAlignment, taRightJustify);
    P.Add("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed, false);
    P.Add("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked).Stored(false);
    P.Add("State", &TCheckBox::GetState, &TCheckBox::SetState, cbUnchecked);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_3STATE;
    if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageA(GetHandle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    if (HandleAllocated()) SendMessageA(GetHandle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
    if (!Loading(this)) Click();
}

void TCheckBox::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCheckBox::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == BN_CLICKED) Toggle();
}

void TCheckBox::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

// ---------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 113, 17);
    SetParentColor(true);
}

void TRadioButton::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked, false);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageA(GetHandle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    // Tab reaches the group through its checked button.
    SetTabStop(Value);
    if (HandleAllocated())
        SendMessageA(GetHandle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value) return;
    if (TWinControl* parent = GetParent())
        for (int i = 0; i < parent->GetControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->GetControl(i));
                sibling && sibling != this)
                sibling->SetChecked(false);
    if (!Loading(this)) Click();
}

void TRadioButton::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == BN_CLICKED || Message.NotifyCode() == BN_DOUBLECLICKED)
        SetChecked(true);
}

void TRadioButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus()) {
        SetFocus();
        SetChecked(true);
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

// ---------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(GetLeft(), GetTop(), 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TCustomEdit::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Text", &TControl::GetText, &TControl::SetText);
    P.Add("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, bsSingle);
    P.Add("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength, 0);
    P.Add("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly, false);
    P.Add("OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (FPasswordChar != '\0') Params.Style |= ES_PASSWORD;
    if (FBorderStyle == bsSingle) {
        if (GetCtl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    HWND wnd = GetHandle();
    SendMessageA(wnd, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    if (FPasswordChar != '\0')
        SendMessageA(wnd, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
    SendMessageA(wnd, EM_SETMODIFY, FModified, 0);
    SendMessageA(wnd, EM_SETSEL, static_cast<WPARAM>(FSelStart),
                 static_cast<LPARAM>(FSelStart + FSelLength));
}

void TCustomEdit::DestroyWnd() {
    if (HandleAllocated()) {
        FModified = GetModified();
        FSelStart = GetSelStart();
        FSelLength = GetSelLength();
    }
    TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(int Value) {
    FMaxLength = std::max(Value, 0);
    if (HandleAllocated())
        SendMessageA(GetHandle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETREADONLY, Value, 0);
}

bool TCustomEdit::GetModified() {
    if (HandleAllocated()) return SendMessageA(GetHandle(), EM_GETMODIFY, 0, 0) != 0;
    return FModified;
}

void TCustomEdit::SetModified(bool Value) {
    FModified = Value;
    if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETMODIFY, Value, 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (FPasswordChar == Value) return;
    FPasswordChar = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomEdit::GetSelStart() {
    if (!HandleAllocated()) return FSelStart;
    DWORD start = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) {
    FSelStart = std::max(Value, 0);
    FSelLength = 0;
    if (HandleAllocated())
        SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(FSelStart),
                     static_cast<LPARAM>(FSelStart));
}

int TCustomEdit::GetSelLength() {
    if (!HandleAllocated()) return FSelLength;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
    FSelStart = GetSelStart();
    FSelLength = std::max(Value, 0);
    if (HandleAllocated())
        SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(FSelStart),
                     static_cast<LPARAM>(FSelStart + FSelLength));
}

AnsiString TCustomEdit::GetSelText() {
    AnsiString text = GetText();
    auto start = std::min<std::size_t>(static_cast<std::size_t>(GetSelStart()), text.size());
    return text.substr(start, static_cast<std::size_t>(GetSelLength()));
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
    if (HandleAllocated()) {
        SendMessageA(GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
        return;
    }
    AnsiString text = GetText();
    auto start = std::min<std::size_t>(static_cast<std::size_t>(FSelStart), text.size());
    text.replace(start, static_cast<std::size_t>(FSelLength), Value);
    FSelStart = static_cast<int>(start + Value.size());
    FSelLength = 0;
    SetText(text);
}

void TCustomEdit::SelectAll() {
    FSelStart = 0;
    FSelLength = static_cast<int>(GetText().size());
    if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::Clear() {
    SetText("");
}

void TCustomEdit::Change() {
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == EN_CHANGE && !Loading(this)) Change();
}

// ---------------------------------------------------------------------------
// TCustomMemo

namespace {

// The lines of a memo's text. Reading splits the text; every change writes the whole
// text back, the lines joined by CR LF.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    int GetCount() const override { return static_cast<int>(Lines().size()); }
    AnsiString Get(int Index) const override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
        return lines[static_cast<std::size_t>(Index)];
    }
    void Put(int Index, const AnsiString& S) override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
        lines[static_cast<std::size_t>(Index)] = S;
        Store(lines);
    }
    void Insert(int Index, const AnsiString& S) override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index > static_cast<int>(lines.size())) IndexError(Index);
        lines.insert(lines.begin() + Index, S);
        Store(lines);
    }
    void Delete(int Index) override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
        lines.erase(lines.begin() + Index);
        Store(lines);
    }
    void Clear() override { FMemo->SetText(""); }
    void SetText(const AnsiString& Value) override { FMemo->SetText(Value); }

private:
    std::vector<AnsiString> Lines() const {
        TStringList split;
        split.SetText(FMemo->GetText());
        std::vector<AnsiString> lines;
        for (int i = 0; i < split.GetCount(); ++i)
            lines.push_back(split.Get(i));
        return lines;
    }
    void Store(const std::vector<AnsiString>& Lines) {
        AnsiString text;
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            if (i > 0) text += "\r\n";
            text += Lines[i];
        }
        FMemo->SetText(text);
    }

    TCustomMemo* FMemo;
};

} // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
    SetBounds(GetLeft(), GetTop(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::Published(TPropertyList& P) {
    P.Add("Lines", &TCustomMemo::GetLines);
    P.Add("ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars, ssNone);
    P.Add("WantReturns", &TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns, true);
    P.Add("WantTabs", &TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs, false);
    P.Add("WordWrap", &TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap, true);
}

void TCustomMemo::SetLines(TStrings* Value) {
    FLines->Assign(Value);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
    if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap)
        Params.Style |= WS_HSCROLL;
}

void TCustomMemo::WMGetDlgCode(TWMGetDlgCode& Message) {
    TCustomEdit::Dispatch(Message.Message);
    if (FWantTabs)
        Message.Result |= DLGC_WANTTAB;
    else
        Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!FWantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

// ---------------------------------------------------------------------------
// TCustomListControl

TCustomListControl::TCustomListControl(TComponent* AOwner, const TItemMessages& Messages)
    : TWinControl(AOwner), FItems(std::make_unique<TItemsWindow>(this, Messages)) {
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListControl::~TCustomListControl() = default;

TStrings* TCustomListControl::GetItems() const {
    return FItems.get();
}

void TCustomListControl::SetItems(TStrings* Value) {
    FItems->Assign(Value);
}

int TCustomListControl::GetItemIndex() {
    return HandleAllocated() ? FItems->GetSelected() : FItemIndex;
}

void TCustomListControl::SetItemIndex(int Value) {
    if (Value < 0 || Value >= FItems->GetCount()) Value = -1;
    FItemIndex = Value;
    if (HandleAllocated()) FItems->Select(Value);
}

void TCustomListControl::SetSorted(bool Value) {
    if (FSorted == Value) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListControl::CreateWnd() {
    TWinControl::CreateWnd();
    FItems->WindowCreated();
    FItems->Select(FItemIndex);
}

void TCustomListControl::DestroyWnd() {
    if (HandleAllocated()) {
        FItemIndex = GetItemIndex();
        FItems->WindowDestroying();
    }
    TWinControl::DestroyWnd();
}

// ---------------------------------------------------------------------------
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomListControl(AOwner, kListBoxMessages), FCanvas(std::make_unique<TCanvas>()) {
    SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(GetLeft(), GetTop(), 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("ItemHeight", &TCustomListBox::GetItemHeight, &TCustomListBox::SetItemHeight, 16);
    P.Add("Items", &TCustomListBox::GetItems);
    P.Add("Sorted", &TCustomListBox::GetSorted, &TCustomListBox::SetSorted, false);
    P.Add("Style", &TCustomListBox::GetStyle, &TCustomListBox::SetStyle, lbStandard);
    P.Add("OnDrawItem", &TCustomListBox::OnDrawItem);
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::GetItemHeight() {
    if (HandleAllocated() && FStyle == lbStandard)
        return static_cast<int>(SendMessageA(GetHandle(), LB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value) {
    if (Value <= 0 || Value > 255)
        throw EInvalidOperation("List box item height must be between 1 and 255");
    FItemHeight = Value;
    if (HandleAllocated() && FStyle == lbOwnerDrawFixed) {
        SendMessageA(GetHandle(), LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(Value));
        Invalidate();
    }
}

void TCustomListBox::Clear() {
    GetItems()->Clear();
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TCustomListControl::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
    if (GetSorted()) Params.Style |= LBS_SORT;
    if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    if (GetCtl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TCustomListBox::CreateWnd() {
    TCustomListControl::CreateWnd();
    if (FStyle == lbOwnerDrawFixed)
        SendMessageA(GetHandle(), LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(FItemHeight));
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < GetItems()->GetCount())
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, GetItems()->Get(Index));
}

void TCustomListBox::CNCommand(TWMCommand& Message) {
    switch (Message.NotifyCode()) {
    case LBN_SELCHANGE:
        Click();
        break;
    case LBN_DBLCLK:
        DblClick();
        break;
    default:
        break;
    }
}

void TCustomListBox::CNDrawItem(TWMDrawItem& Message) {
    const DRAWITEMSTRUCT* item = Message.DrawItemStruct();
    TOwnerDrawState state;
    if (item->itemState & ODS_SELECTED) state << odSelected;
    if (item->itemState & ODS_GRAYED) state << odGrayed;
    if (item->itemState & ODS_DISABLED) state << odDisabled;
    if (item->itemState & ODS_CHECKED) state << odChecked;
    if (item->itemState & ODS_FOCUS) state << odFocused;
    const TRect rect(item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);

    FCanvas->SetHandle(item->hDC);
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush()->SetStyle(bsSolid);
    if (state.Contains(odSelected)) {
        FCanvas->GetBrush()->SetColor(clHighlight);
        FCanvas->GetFont()->SetColor(clHighlightText);
    } else {
        FCanvas->GetBrush()->SetColor(GetColor());
    }
    try {
        if (static_cast<int>(item->itemID) >= 0)
            DrawItem(static_cast<int>(item->itemID), rect, state);
        else
            FCanvas->FillRect(rect);
        if (state.Contains(odFocused)) FCanvas->DrawFocusRect(rect);
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
    Message.Result = TRUE;
}

// ---------------------------------------------------------------------------
// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomListControl(AOwner, kComboBoxMessages) {
    SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(GetLeft(), GetTop(), 145, 21);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount,
          8);
    P.Add("Sorted", &TCustomComboBox::GetSorted, &TCustomComboBox::SetSorted, false);
    P.Add("Style", &TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle, csDropDown);
    // Text, then the items, then the index: the index needs its items and wins over the
    // text.
    P.Add("Text", &TControl::GetText, &TControl::SetText);
    P.Add("Items", &TCustomComboBox::GetItems);
    P.Add("ItemIndex", &TCustomComboBox::GetItemIndex, &TCustomComboBox::SetItemIndex, -1);
    P.Add("OnChange", &TCustomComboBox::OnChange);
}

void TCustomComboBox::SetItemIndex(int Value) {
    AnsiString shown = GetText();
    TCustomListControl::SetItemIndex(Value);
    if (FItemIndex < 0) return;
    AnsiString item = GetItems()->Get(FItemIndex);
    if (item == shown) return;
    // The window shows the item already; the control's own copy of the text follows.
    SetText(item);
    if (!Loading(this)) Change();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value) {
    FDropDownCount = std::max(Value, 1);
    FitWindow();
}

bool TCustomComboBox::GetDroppedDown() {
    return HandleAllocated() && SendMessageA(GetHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    SendMessageA(GetHandle(), CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::Clear() {
    GetItems()->Clear();
    FItemIndex = -1;
    SetText("");
}

int TCustomComboBox::DropDownHeight() {
    return FDropDownCount * (LineHeight(GetFont()) + 2) + 2;
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomListControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FitWindow();
}

void TCustomComboBox::FitWindow() {
    if (!HandleAllocated()) return;
    // The window's height counts the open list; the system keeps the closed height for
    // the control itself.
    SetWindowPos(GetHandle(), nullptr, 0, 0, GetWidth(), GetHeight() + DropDownHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TCustomListControl::CreateParams(Params);
    CreateSubClass(Params, "COMBOBOX");
    Params.Style |=
        WS_VSCROLL | CBS_AUTOHSCROLL | (FStyle == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    if (GetSorted()) Params.Style |= CBS_SORT;
    Params.Height += DropDownHeight();
}

void TCustomComboBox::CreateWnd() {
    AnsiString text = GetText();
    TCustomListControl::CreateWnd();
    if (FStyle == csDropDown && FItemIndex < 0) SetWindowTextA(GetHandle(), text.c_str());
}

AnsiString TCustomComboBox::RealGetText() {
    // A list-only box shows its selected item, or nothing.
    if (HandleAllocated() || FStyle == csDropDown) return TCustomListControl::RealGetText();
    return FItemIndex >= 0 && FItemIndex < GetItems()->GetCount() ? GetItems()->Get(FItemIndex)
                                                                  : AnsiString();
}

void TCustomComboBox::Change() {
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TCustomComboBox::CNCommand(TWMCommand& Message) {
    switch (Message.NotifyCode()) {
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_SELCHANGE: {
        int index = GetItemIndex();
        FItemIndex = index;
        // The window's text follows the selection only after this notification.
        if (index >= 0) SetText(GetItems()->Get(index));
        Click();
        Change();
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csFramed, csDoubleClicks, csOpaque});
    SetBounds(GetLeft(), GetTop(), 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Kind", &TScrollBar::GetKind, &TScrollBar::SetKind, sbHorizontal);
    P.Add("LargeChange", &TScrollBar::GetLargeChange, &TScrollBar::SetLargeChange, 1);
    P.Add("Max", &TScrollBar::GetMax, &TScrollBar::SetMax, 100);
    P.Add("Min", &TScrollBar::GetMin, &TScrollBar::SetMin, 0);
    P.Add("Position", &TScrollBar::GetPosition, &TScrollBar::SetPosition, 0);
    P.Add("SmallChange", &TScrollBar::GetSmallChange, &TScrollBar::SetSmallChange, 1);
    P.Add("OnChange", &TScrollBar::OnChange);
    P.Add("OnScroll", &TScrollBar::OnScroll);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    if (!Loading(this)) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
    if (HandleAllocated()) RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (AMax < AMin) throw EInvalidOperation("Scroll bar property out of range");
    APosition = std::clamp(APosition, AMin, AMax);
    FMin = AMin;
    FMax = AMax;
    bool moved = APosition != FPosition;
    FPosition = APosition;
    if (HandleAllocated()) {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = FMin;
        info.nMax = FMax;
        info.nPos = FPosition;
        SetScrollInfo(GetHandle(), SB_CTL, &info, TRUE);
    }
    if (moved && !Loading(this)) Change();
}

void TScrollBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "SCROLLBAR");
    Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
    TWinControl::CreateWnd();
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPos = FPosition;
    SetScrollInfo(GetHandle(), SB_CTL, &info, TRUE);
}

void TScrollBar::Change() {
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::CNScroll(TWMScroll& Message) {
    int position = FPosition;
    TScrollCode code;
    auto trackPosition = [&] {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        // 32-bit positions; the message carries only 16 bits.
        return GetScrollInfo(GetHandle(), SB_CTL, &info) ? info.nTrackPos : Message.Pos();
    };
    switch (Message.ScrollCode()) {
    case SB_LINEUP:
        code = scLineUp;
        position -= FSmallChange;
        break;
    case SB_LINEDOWN:
        code = scLineDown;
        position += FSmallChange;
        break;
    case SB_PAGEUP:
        code = scPageUp;
        position -= FLargeChange;
        break;
    case SB_PAGEDOWN:
        code = scPageDown;
        position += FLargeChange;
        break;
    case SB_THUMBPOSITION:
        code = scPosition;
        position = trackPosition();
        break;
    case SB_THUMBTRACK:
        code = scTrack;
        position = trackPosition();
        break;
    case SB_TOP:
        code = scTop;
        position = FMin;
        break;
    case SB_BOTTOM:
        code = scBottom;
        position = FMax;
        break;
    case SB_ENDSCROLL:
        code = scEndScroll;
        break;
    default:
        return;
    }
    position = std::clamp(position, FMin, FMax);
    Scroll(code, position);
    SetPosition(position);
}

// ---------------------------------------------------------------------------
// TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                     csReplicatable});
    SetBounds(GetLeft(), GetTop(), 185, 105);
    SetParentColor(true);
}

void TGroupBox::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
}

int TGroupBox::CaptionHeight() {
    return LineHeight(GetFont());
}

void TGroupBox::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    Rect.Left += 2;
    Rect.Top += CaptionHeight();
    Rect.Right -= 2;
    Rect.Bottom -= 2;
}

void TGroupBox::Paint() {
    TCanvas* canvas = GetCanvas();
    canvas->SetFont(GetFont());
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
    const TRect client = GetClientRect();
    canvas->FillRect(client);
    const int captionHeight = CaptionHeight();
    // An etched frame through the middle of the caption line.
    TRect frame(client.Left, client.Top + captionHeight / 2 - 1, client.Right, client.Bottom);
    TRect outer = frame;
    Frame3D(canvas, outer, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, outer, clBtnHighlight, clBtnShadow, 1);
    AnsiString caption = GetCaption();
    if (caption.empty()) return;
    TRect text(8, 0, 8, captionHeight);
    canvas->TextRect(text, caption, DT_SINGLELINE | DT_CALCRECT);
    text.Left -= 2;
    text.Right += 2;
    canvas->FillRect(text);
    text.Left += 2;
    if (!GetEnabled()) canvas->GetFont()->SetColor(clGrayText);
    canvas->TextRect(text, caption, DT_SINGLELINE | DT_LEFT);
}

void TGroupBox::CMTextChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    Invalidate();
}

void TGroupBox::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        Message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(Message.Message);
}

// ---------------------------------------------------------------------------

namespace {

void RegisterStdControls() {
    RegisterEnum<TAlignment>({"taLeftJustify", "taRightJustify", "taCenter"});
    RegisterEnum<TTextLayout>({"tlTop", "tlCenter", "tlBottom"});
    RegisterEnum<TCheckBoxState>({"cbUnchecked", "cbChecked", "cbGrayed"});
    RegisterEnum<TScrollStyle>({"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    RegisterEnum<TListBoxStyle>({"lbStandard", "lbOwnerDrawFixed"});
    RegisterEnum<TComboBoxStyle>({"csDropDown", "csDropDownList"});
    RegisterEnum<TScrollBarKind>({"sbHorizontal", "sbVertical"});
    for (const TClassInfo* info :
         {TLabel::StaticClass(), TButton::StaticClass(), TBitBtn::StaticClass(),
          TCheckBox::StaticClass(), TRadioButton::StaticClass(), TEdit::StaticClass(),
          TMemo::StaticClass(), TListBox::StaticClass(), TComboBox::StaticClass(),
          TScrollBar::StaticClass(), TGroupBox::StaticClass()})
        RegisterClass(info);
}

} // namespace

DEFINE_UNIT(StdCtrls, uoClassLib, RegisterStdControls, nullptr);
