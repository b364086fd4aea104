// A text and background colour pair with fixed defaults, for the entry fields'
// disabled, error and highlight colours.
#pragma once

#include "classlib/Events.h"
#include "classlib/Graphics.h"
#include "classlib/Objects.h"

class TGclColors : public TPersistent {
    DECLARE_CLASS(TGclColors, TPersistent)
public:
    TGclColors(TColor DefaultText, TColor DefaultBack);

    TColor GetBackColor() const { return FBackColor; }
    void SetBackColor(TColor Value);
    TColor GetTextColor() const { return FTextColor; }
    void SetTextColor(TColor Value);
    bool GetUseDefault() const { return FUseDefault; }
    void SetUseDefault(bool Value);

    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnColorChange;

    static void Published(TPropertyList& P);

private:
    void Changed();

    TColor FBackColor;
    TColor FTextColor;
    TColor FDefBackColor;
    TColor FDefTextColor;
    bool FUseDefault = true;
};
