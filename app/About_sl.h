// The about box: the program's name and release over a picture; a click on either, Esc or
// Return closes it.
#pragma once

#include "classlib/Forms.h"

#include "skin/controls/SkinCtrls_Labels.h"

class TImage;

class TFAbout : public TForm {
    DECLARE_CLASS(TFAbout, TForm)
public:
    explicit TFAbout(TComponent* AOwner) : TForm(AOwner) {}

    TskSkinLabel* skSkinLabel1 = nullptr;
    TImage* Image1 = nullptr;

    void skSkinLabel1Click(TObject* Sender);

    static void Published(TPropertyList& P);

protected:
    // The picture is a bitmap resource of the program.
    void Loaded() override;

    void CMDialogKey(TWMKey& Message);

    MESSAGE_HANDLERS(TFAbout, TForm)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    END_MESSAGE_HANDLERS
};

extern TFAbout* FAbout;
