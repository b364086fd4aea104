#include "app/About_sl.h"

#include "classlib/ExtCtrls.h"
#include "classlib/Persistence.h"
#include "classlib/Picture.h"
#include "classlib/StdCtrls.h"

TFAbout* FAbout = nullptr;

namespace {

const char kPictureResource[] = "ABOUT_PICTURE";

} // namespace

void TFAbout::Published(TPropertyList& P) {
    P.Field("skSkinLabel1", &TFAbout::skSkinLabel1);
    P.Field("Image1", &TFAbout::Image1);
    P.Method("skSkinLabel1Click", &TFAbout::skSkinLabel1Click);
}

void TFAbout::Loaded() {
    TForm::Loaded();
    if (Image1)
        Image1->GetPicture()->GetBitmap()->LoadFromResourceName(GetModuleHandleA(nullptr),
                                                                kPictureResource);
}

void TFAbout::skSkinLabel1Click(TObject*) {
    Close();
}

// The box has nothing to choose: Esc and Return close it, as they close every modal box.
void TFAbout::CMDialogKey(TWMKey& Message) {
    const Word key = Message.CharCode();
    if ((key == VK_ESCAPE || key == VK_RETURN) && KeyDataToShiftState(Message.KeyData()).Empty()) {
        Close();
        Message.Message.Result = 1;
        return;
    }
    TForm::Dispatch(Message.Message);
}
