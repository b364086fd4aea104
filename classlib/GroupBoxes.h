// Group boxes: a captioned frame drawn by the library.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(GroupBoxes)

// A captioned frame around other controls.
class TGroupBox : public TCustomControl {
    DECLARE_CLASS(TGroupBox, TCustomControl)
public:
    explicit TGroupBox(TComponent* AOwner);

    static void Published(TPropertyList& P);

    void AdjustClientRect(TRect& Rect) override;

protected:
    void Paint() override;

    void CMTextChanged(TMessage& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TGroupBox, TCustomControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    int CaptionHeight();
};
