// TGclGridPen and TGclGridPenSet: the lines drawn between cells and around the active
// cell.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/Persistence.h"

enum TGridEffect { geNone, geVertical, geHorizontal, geBoth, ge3D };

class TGclGridPen : public TPersistent {
    DECLARE_CLASS(TGclGridPen, TPersistent)
public:
    TColor GetNormalColor() const { return FNormalColor; }
    void SetNormalColor(TColor Value);
    TColor GetSecondColor() const { return FSecondColor; }
    void SetSecondColor(TColor Value);
    TGridEffect GetEffect() const { return FEffect; }
    void SetEffect(TGridEffect Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);

    void Assign(TPersistent* Source) override;
    void DoCfgChanged();

    TNotifyEvent OnCfgChanged;
    static void Published(TPropertyList& P);

private:
    TColor FNormalColor = clBtnShadow;
    TColor FSecondColor = clBtnHighlight;
    TGridEffect FEffect = geBoth;
    TPenStyle FStyle = psSolid;
};

class TGclGridPenSet : public TPersistent {
    DECLARE_CLASS(TGclGridPenSet, TPersistent)
public:
    TGclGridPenSet();
    ~TGclGridPenSet() override;

    TGclGridPen* GetNormalGrid() const { return FNormalGrid; }
    TGclGridPen* GetLockedGrid() const { return FLockedGrid; }
    TGclGridPen* GetCellWhenFocused() const { return FCellWhenFocused; }
    TGclGridPen* GetCellWhenUnfocused() const { return FCellWhenUnfocused; }
    void Assign(TPersistent* Source) override;
    void SetOnCfgChanged(const TNotifyEvent& Event);

    static void Published(TPropertyList& P);

private:
    TGclGridPen* FNormalGrid;
    TGclGridPen* FLockedGrid;
    TGclGridPen* FCellWhenFocused;
    TGclGridPen* FCellWhenUnfocused;
};
