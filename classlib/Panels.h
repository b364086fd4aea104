// Panels: containers with beveled edges and a caption.
#pragma once

#include "classlib/Picture.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(Panels)

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A container with beveled edges and a caption in its middle.
class TCustomPanel : public TCustomControl {
    DECLARE_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);

    static void Published(TPropertyList& P);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TPanelBevel GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    // Width of each bevel.
    int GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // Space between the two bevels, in the panel's colour.
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    // A sunken system frame around everything.
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // Inside the bevels and the border.
    void AdjustClientRect(TRect& Rect) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TCustomPanel, TCustomControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

private:
    // Layout changed: children move, the look is redrawn.
    void BordersChanged();

    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    DECLARE_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};
