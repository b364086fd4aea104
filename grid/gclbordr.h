// Single lines on any of the four sides of a container that hosts an edit, the
// container itself (edit laid out inside the enabled borders, attached label) and its
// drop-down button.
#pragma once

#include "classlib/Buttons.h"
#include "classlib/Graphics.h"
#include "grid/gclbase.h"
#include "grid/gcleditf.h"
#include "classlib/UnitInit.h"

enum TGclBorderStyle { bpsSolid };

class TGclBorder : public TPersistent {
    DECLARE_CLASS(TGclBorder, TPersistent)
public:
    TGclBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TGclBorderStyle Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TColor GetPenColor() const { return FPenColor; }
    void SetPenColor(TColor Value);
    TPenStyle GetPenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle Value);
    int GetPenWidth() const { return FPenWidth; }
    // Values below 1 are ignored.
    void SetPenWidth(int Value);

    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

    static void Published(TPropertyList& P);

private:
    void Changed();

    TGclBorderStyle FBorderStyle = bpsSolid;
    bool FEnabled = false;
    TColor FPenColor = clBlack;
    TPenStyle FPenStyle = psSolid;
    int FPenWidth = 2;
};

class TGclBorders : public TPersistent {
    DECLARE_CLASS(TGclBorders, TPersistent)
public:
    // Changed fires whenever one of the four borders changes.
    explicit TGclBorders(TNotifyEvent Changed);
    ~TGclBorders() override;

    TGclBorder* GetBottomBorder() const { return FBottom; }
    TGclBorder* GetLeftBorder() const { return FLeft; }
    TGclBorder* GetRightBorder() const { return FRight; }
    TGclBorder* GetTopBorder() const { return FTop; }

    void Assign(TPersistent* Source) override;

    static void Published(TPropertyList& P);

private:
    TGclBorder* FBottom;
    TGclBorder* FLeft;
    TGclBorder* FRight;
    TGclBorder* FTop;
};

enum TGclLabelPosition { lpTopLeft, lpBottomLeft };

class TGclBorderParent : public TGclCustomControl {
    DECLARE_CLASS(TGclBorderParent, TGclCustomControl)
public:
    explicit TGclBorderParent(TComponent* AOwner);
    ~TGclBorderParent() override;

    TGclBorders* GetBorders() const { return FBorders; }
    TGclCustomEdit* GetEditControl() const { return FEdit; }
    void SetEditControl(TGclCustomEdit* Edit);
    TGclLabelPosition GetLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TGclLabelPosition Value);
    // The glyph width that a shown button takes besides its 4 pixels of frame.
    void SetButtonAllowance(int GlyphWidth, bool ShowButton);

    // The inner edit's rectangle for the present borders and size.
    TRect EditRect() const;
    void PaintBorders();
    // Opened by the drop-down button; the popup containers override it.
    virtual void PopupOpen() {}

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    static void Published(TPropertyList& P);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WMSetFocus(TMessage& Msg);

    MESSAGE_HANDLERS(TGclBorderParent, TGclCustomControl)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    END_MESSAGE_HANDLERS

private:
    void BordersChanged(TObject* Sender);

    TGclBorders* FBorders;
    TGclCustomEdit* FEdit = nullptr;
    TGclLabelPosition FLabelPosition = lpTopLeft;
    int FButtonGlyphWidth = 0;
    bool FShowButton = false;
};

class TGclBorderEdButton : public TBitBtn {
    DECLARE_CLASS(TGclBorderEdButton, TBitBtn)
public:
    explicit TGclBorderEdButton(TGclBorderParent* AOwner);
    void Click() override;

private:
    TGclBorderParent* FContainer;
};

DECLARE_UNIT(gclbordr)
