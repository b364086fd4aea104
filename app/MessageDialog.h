// The component through which the editor asks its questions: a plain message box
// (the class library's MessageDlg, which tests answer through its hook).
#pragma once

#include "classlib/Component.h"
#include "classlib/Dialogs.h"
#include "classlib/UnitInit.h"

DECLARE_UNIT(MessageDialog)

class TMessageDialog : public TComponent {
    DECLARE_CLASS(TMessageDialog, TComponent)
public:
    explicit TMessageDialog(TComponent* AOwner) : TComponent(AOwner) {}

    // The modal result of the button pressed (mrYes, mrNo, mrOk, ...).
    int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
};
