// Paint boxes and images: window-less surfaces to draw on, and pictures.
#pragma once

#include "classlib/Picture.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(Images)

// A window-less area that its owner draws in OnPaint, on Canvas.
class TPaintBox : public TGraphicControl {
    DECLARE_CLASS(TPaintBox, TGraphicControl)
public:
    explicit TPaintBox(TComponent* AOwner);

    static void Published(TPropertyList& P);

    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// A window-less control that shows a picture.
class TImage : public TGraphicControl {
    DECLARE_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    static void Published(TPropertyList& P);

    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    // Scaled to the control's size.
    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);
    // Centred in the control when not stretched.
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    // The picture's transparent colour shows what lies behind the control.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);


protected:
    void Paint() override;
    // The picture's size.
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged(TObject* Sender);
    TRect DestRect();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
};
