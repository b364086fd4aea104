#include "classlib/Images.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include <algorithm>

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 105, 105);
}

void TPaintBox::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("OnPaint", &TPaintBox::OnPaint);
}

void TPaintBox::Paint() {
    TCanvas* canvas = GetCanvas();
    canvas->SetFont(GetFont());
    canvas->GetBrush()->SetColor(GetColor());
    DrawDesignFrame();
    if (OnPaint) OnPaint(this);
}

// ---------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 105, 105);
    FPicture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

TImage::~TImage() {
    FPicture->OnChange = nullptr;
}

void TImage::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, false);
    P.Add("Center", &TImage::GetCenter, &TImage::SetCenter, false);
    P.Add("Picture", &TImage::GetPicture);
    P.Add("Stretch", &TImage::GetStretch, &TImage::SetStretch, false);
    P.Add("Transparent", &TImage::GetTransparent, &TImage::SetTransparent, false);
}

void TImage::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

void TImage::SetStretch(bool Value) {
    if (FStretch == Value) return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    if (FCenter == Value) return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
    TGraphic* graphic = FPicture->GetGraphic();
    // Setting the graphic's transparency announces a change again; it is then equal.
    if (graphic && graphic->GetTransparent() != FTransparent) graphic->SetTransparent(FTransparent);
    AdjustSize();
    Invalidate();
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight) {
    if (FPicture->GetWidth() <= 0 || FPicture->GetHeight() <= 0) return false;
    NewWidth = FPicture->GetWidth();
    NewHeight = FPicture->GetHeight();
    return true;
}

TRect TImage::DestRect() {
    if (FStretch) return GetClientRect();
    int width = FPicture->GetWidth();
    int height = FPicture->GetHeight();
    if (!FCenter) return Bounds(0, 0, width, height);
    return Bounds((GetWidth() - width) / 2, (GetHeight() - height) / 2, width, height);
}

void TImage::Paint() {
    TCanvas* canvas = GetCanvas();
    DrawDesignFrame();
    if (TGraphic* graphic = FPicture->GetGraphic(); graphic && !graphic->GetEmpty())
        canvas->StretchDraw(DestRect(), graphic);
}

REGISTER_CLASS(TPaintBox);
REGISTER_CLASS(TImage);

DEFINE_UNIT(Images, uoClassLib, nullptr, nullptr);
