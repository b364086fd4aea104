// Scroll bars: the system SCROLLBAR class.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(ScrollBars)

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    DECLARE_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* AOwner);

    static void Published(TPropertyList& P);

    // Fired when Position changes.
    TNotifyEvent OnChange;
    // Fired for every scrolling action of the user, with the position it leads to; the
    // handler may change it.
    TScrollEvent OnScroll;

    // Changing the kind swaps width and height (not while loading).
    TScrollBarKind GetKind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int GetMin() const { return FMin; }
    // While loading, setting Min or Max moves the other bound out of its way instead of
    // raising: a form may give them in either order.
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    int GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // Max below Min raises EInvalidOperation "Scroll bar property out of range"; Position
    // is brought into the range.
    void SetParams(int APosition, int AMin, int AMax);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

    void CNScroll(TWMScroll& Message);

    MESSAGE_HANDLERS(TScrollBar, TWinControl)
    MESSAGE_HANDLER(CN_HSCROLL, CNScroll)
    MESSAGE_HANDLER(CN_VSCROLL, CNScroll)
    END_MESSAGE_HANDLERS

private:
    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};
