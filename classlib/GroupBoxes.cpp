#include "classlib/GroupBoxes.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

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
    return FontLineHeight(GetFont());
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

REGISTER_CLASS(TGroupBox);

DEFINE_UNIT(GroupBoxes, uoClassLib, nullptr, nullptr);
