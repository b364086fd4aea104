// The about box: the program's name and release over a picture; a click on either
// closes it.
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
};

extern TFAbout* FAbout;
