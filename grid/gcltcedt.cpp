#include "grid/gcltcedt.h"

namespace {

// Left and Right leave the editor at the text's ends.
bool LeftGoesToTable(TCustomEdit* Edit) { return Edit->GetSelLength() == 0 && Edit->GetSelStart() == 0; }

bool RightGoesToTable(TCustomEdit* Edit) {
    int Start = Edit->GetSelStart(), Length = Edit->GetSelLength();
    if (Start > 0 && Length > 0) return false;
    return Start + Length >= static_cast<int>(Edit->GetText().size());
}

void PostFocusNotice(TGclBaseTableCell* Cell, TMessage& Msg) {
    if (Cell)
        Cell->PostMessageToTable(Msg.Msg == WM_SETFOCUS ? ctimEditorGotFocus : ctimEditorLostFocus,
                                 Msg.WParam, 0);
}

// Sends the key to the table when the table must have it, or would like it and the
// editor has no use for it: page and line keys (one-line editors), Enter (memos that want
// no returns), Left and Right at the text's ends.
bool KeyGoesToTable(TCustomEdit* Edit, TGclBaseTableCell* Cell, TMessage& Msg, bool LeftRight,
                    bool EnterToTable) {
    TWMKey Key(Msg);
    TGclTblKeyNeeds Needs = Cell->FilterTableKey(Key);
    Word Code = Key.CharCode();
    bool ToTable = Needs == otkMustHave;
    if (Needs == otkWouldLike) {
        bool Memo = dynamic_cast<TCustomMemo*>(Edit) != nullptr;
        if (!Memo && (Code == VK_PRIOR || Code == VK_NEXT || Code == VK_UP || Code == VK_DOWN))
            ToTable = true;
        else if (Code == VK_RETURN)
            ToTable = EnterToTable;
        else if (Code == VK_LEFT)
            ToTable = LeftRight && LeftGoesToTable(Edit);
        else if (Code == VK_RIGHT)
            ToTable = LeftRight && RightGoesToTable(Edit);
    }
    if (ToTable) Cell->SendKeyToTable(Key);
    return ToTable;
}

} // namespace

// ---- One-line editor -----------------------------------------------------------------

void TGclTCStringEdit::WMChar(TMessage& Msg) {
    Word Ch = static_cast<Word>(Msg.WParam);
    if (Ch == 13 || Ch == 9 || Ch == 27) return;
    TEdit::Dispatch(Msg);
    if (CellOwner && CellOwner->GetAutoAdvanceChar() && GetMaxLength() > 0 &&
        static_cast<int>(GetText().size()) >= GetMaxLength()) {
        TMessage Right{WM_KEYDOWN, VK_RIGHT, 0, 0};
        TWMKey Key(Right);
        CellOwner->SendKeyToTable(Key);
    }
}

void TGclTCStringEdit::WMGetDlgCode(TMessage& Msg) {
    TEdit::Dispatch(Msg);
    if (!CellOwner) return;
    if (CellOwner->TableWantsTab()) Msg.Result |= DLGC_WANTTAB;
    if (CellOwner->TableWantsEnter()) Msg.Result |= DLGC_WANTALLKEYS;
}

void TGclTCStringEdit::WMKeyDown(TMessage& Msg) {
    if (CellOwner && KeyGoesToTable(this, CellOwner, Msg, CellOwner->GetAutoAdvanceLeftRight(), false)) return;
    TEdit::Dispatch(Msg);
}

void TGclTCStringEdit::WMFocus(TMessage& Msg) {
    TEdit::Dispatch(Msg);
    PostFocusNotice(CellOwner, Msg);
}

// ---- Memo editor ---------------------------------------------------------------------------

void TGclTCMemoEdit::WMChar(TMessage& Msg) {
    if (Msg.WParam == 9 && CellOwner && CellOwner->TableWantsTab()) return;
    TMemo::Dispatch(Msg);
}

void TGclTCMemoEdit::WMGetDlgCode(TMessage& Msg) {
    TMemo::Dispatch(Msg);
    if (CellOwner && CellOwner->TableWantsTab()) Msg.Result |= DLGC_WANTTAB;
}

void TGclTCMemoEdit::WMKeyDown(TMessage& Msg) {
    if (CellOwner && KeyGoesToTable(this, CellOwner, Msg, true, !CellOwner->GetWantReturns())) return;
    TMemo::Dispatch(Msg);
}

void TGclTCMemoEdit::WMFocus(TMessage& Msg) {
    TMemo::Dispatch(Msg);
    PostFocusNotice(CellOwner, Msg);
}
