// Control bars: a container whose children are bands, each shown in a frame with a grip on
// its left, laid out left to right in rows in the order they were placed on the bar. The bar
// places its bands itself; it offers no dragging of them.
#pragma once

#include "classlib/Panels.h"
#include "classlib/Picture.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(ControlBars)

class TCustomControlBar : public TCustomControl {
    DECLARE_CLASS(TCustomControlBar, TCustomControl)
public:
    explicit TCustomControlBar(TComponent* AOwner);
    ~TCustomControlBar() override;
    static void Published(TPropertyList& P);

    // The room a band's frame takes round its control: the grip on the left, an edge on
    // the other sides.
    static constexpr int BandGrip = 11;
    static constexpr int BandEdge = 2;
    // The frame of Control's band: its bounds grown by the grip and the edges.
    static TRect BandRect(TControl* Control);

    // Tiled over the background when it is not empty.
    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    // The height of a row of bands.
    int GetRowSize() const { return FRowSize; }
    void SetRowSize(int Value);
    // Rows take whole multiples of RowSize; without, a row is as high as its highest band.
    bool GetRowSnap() const { return FRowSnap; }
    void SetRowSnap(bool Value);
    // The edges drawn round the bar, outside its client area.
    TPanelBevel GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);

protected:
    void Paint() override;
    // Draws the frame of AControl's band in ARect (the band's rectangle on Canvas).
    virtual void PaintControlFrame(TCanvas* Canvas, TControl* AControl, const TRect& ARect);
    // Places the visible children as bands, row by row, in the order they were placed on
    // the bar.
    void AlignControls(TControl* AControl, TRect& Rect) override;
    bool PlacesUnalignedControls() const override { return true; }
    // With AutoSize: as high as its rows.
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    // The non-client area and the look of the bevels.
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    // The window measures its non-client area again and repaints it.
    void FrameChanged();

    MESSAGE_HANDLERS(TCustomControlBar, TCustomControl)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    END_MESSAGE_HANDLERS

private:
    int BevelExtent() const;
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> FPicture;
    int FRowSize = 26;
    bool FRowSnap = true;
    TPanelBevel FBevelInner = bvRaised;
    TPanelBevel FBevelOuter = bvLowered;
    // The height of the rows at the last layout.
    int FRowsHeight = 0;
};

class TControlBar : public TCustomControlBar {
    DECLARE_CLASS(TControlBar, TCustomControlBar)
public:
    explicit TControlBar(TComponent* AOwner) : TCustomControlBar(AOwner) {}
};
