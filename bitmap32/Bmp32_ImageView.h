// TImgView32: an image control that scrolls its bitmap with two range bars along the bottom
// and right edges, keeps a small image centred, adds an empty margin (OverSize) around the
// bitmap, and has a size grip in the corner between the bars that resizes the form.
#pragma once

#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_RangeBars.h"

#include <memory>

namespace Bmp32 {

enum TScrollBarVisibility { svAlways, svHidden, svAuto };
enum TSizeGripStyle { sgAuto, sgNone, sgAlways };

class TCustomImgView32;

// The bars' look (the horizontal bar is the master), their increment, size and visibility.
class TIVScrollProperties : public TArrowBarAccess {
    DECLARE_CLASS(TIVScrollProperties, TArrowBarAccess)
public:
    explicit TIVScrollProperties(TCustomImgView32* View) : FView(View) {}

    int GetIncrement() const;
    void SetIncrement(int Value);
    // 0: the system's scroll-bar height.
    int GetSize() const;
    void SetSize(int Value);
    TScrollBarVisibility GetVisibility() const;
    void SetVisibility(TScrollBarVisibility Value);

    static void Published(TPropertyList& P);

private:
    TCustomImgView32* FView;
};

class TCustomImgView32 : public TCustomImage32 {
    DECLARE_CLASS(TCustomImgView32, TCustomImage32)
    friend class TIVScrollProperties;

public:
    explicit TCustomImgView32(TComponent* AOwner);
    ~TCustomImgView32() override;

    TNotifyEvent OnScroll;

    bool GetCentered() const { return FCentered; }
    void SetCentered(bool Value);
    int GetOverSize() const { return FOverSize; }
    void SetOverSize(int Value);
    TSizeGripStyle GetSizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(TSizeGripStyle Value);
    TIVScrollProperties* GetScrollBars() const { return FScrollBars.get(); }
    TCustomRangeBar* GetHorScroll() const { return FHorScroll.get(); }
    TCustomRangeBar* GetVerScroll() const { return FVerScroll.get(); }

    // 0 when the bars are hidden.
    int GetScrollBarSize();
    bool GetScrollBarsVisible();
    bool GetSizeGripVisible();
    TRect GetSizeGripRect();
    // (0, 0, Width - bar size, Height - bar size).
    TRect GetViewportRect() override;
    // Scrolls so that bitmap point (X, Y) is in the middle of the viewport.
    void ScrollToCenter(int X, int Y);
    void Scroll(int Dx, int Dy);
    void SetScaleMode(TScaleMode Value) override;
    void Loaded() override;

    static void Published(TPropertyList& P);

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void BitmapResized() override;
    void DoScaleChange() override;

    virtual void DoScroll();
    virtual void ScrollHandler(TObject* Sender);
    virtual void UpdateImage();
    virtual void UpdateScrollBars();

private:
    void AlignAll();
    void Recenter();
    bool InSizeGrip(int X, int Y);

    bool FCentered = true;
    int FScrollBarSize = 0;
    TScrollBarVisibility FScrollBarVisibility = svAlways;
    TSizeGripStyle FSizeGrip = sgAuto;
    int FOverSize = 0;
    bool FScrollLock = false;
    std::unique_ptr<TCustomRangeBar> FHorScroll;
    std::unique_ptr<TCustomRangeBar> FVerScroll;
    std::unique_ptr<TIVScrollProperties> FScrollBars;
};

class TImgView32 : public TCustomImgView32 {
    DECLARE_CLASS(TImgView32, TCustomImgView32)
public:
    using TCustomImgView32::TCustomImgView32;
};

// Registers the view's class and enumerations for form resources.
void RegisterImageViewClasses();

} // namespace Bmp32
