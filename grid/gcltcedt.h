// The in-place editors of text cells: a one-line edit and a memo, both routing the
// table's keys through their cell.
#pragma once

#include "classlib/Edits.h"
#include "grid/gcltcstr.h"

class TGclTCStringEdit : public TEdit {
    DECLARE_CLASS(TGclTCStringEdit, TEdit)
public:
    explicit TGclTCStringEdit(TComponent* AOwner) : TEdit(AOwner) {}
    TGclTCCustomString* CellOwner = nullptr;

protected:
    void WMChar(TMessage& Msg);
    void WMGetDlgCode(TMessage& Msg);
    void WMKeyDown(TMessage& Msg);
    void WMFocus(TMessage& Msg);

    MESSAGE_HANDLERS(TGclTCStringEdit, TEdit)
    MESSAGE_HANDLER(WM_CHAR, WMChar)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    END_MESSAGE_HANDLERS
};

class TGclTCMemoEdit : public TMemo {
    DECLARE_CLASS(TGclTCMemoEdit, TMemo)
public:
    explicit TGclTCMemoEdit(TComponent* AOwner) : TMemo(AOwner) {}
    TGclTCCustomMemo* CellOwner = nullptr;

protected:
    void WMChar(TMessage& Msg);
    void WMGetDlgCode(TMessage& Msg);
    void WMKeyDown(TMessage& Msg);
    void WMFocus(TMessage& Msg);

    MESSAGE_HANDLERS(TGclTCMemoEdit, TMemo)
    MESSAGE_HANDLER(WM_CHAR, WMChar)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    END_MESSAGE_HANDLERS
};
