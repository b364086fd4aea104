#include "app/MessageDialog.h"

#include "classlib/ClassRegistry.h"

namespace {

void RegisterMessageDialog() {
    RegisterClass(TMessageDialog::StaticClass());
}

} // namespace

DEFINE_UNIT(MessageDialog, uoApp, RegisterMessageDialog, nullptr);

int TMessageDialog::MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                               int HelpCtx) {
    return ::MessageDlg(Msg, DlgType, Buttons, HelpCtx);
}
