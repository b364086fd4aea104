// Class-library controls that take a skin without the skinned bases: the bevel in the
// skin's two colours (with a divider groove), and the splitter drawn as a three-part
// strip of the skin's thickness.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/Bevels.h"
#include "classlib/Splitters.h"

DECLARE_UNIT(SkinCtrls_Bevels)

class TskSkinBevel : public TBevel, public TskSkinFollower {
    DECLARE_CLASS(TskSkinBevel, TBevel)
public:
    explicit TskSkinBevel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinData* GetSkin() const override { return FSD; }
    // Stores and applies, null included.
    void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return SkinDataName; }
    void SetSkinDataName(const AnsiString& Value) { SkinDataName = Value; }
    bool GetDividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);
    void ChangeSkinData() override;

    AnsiString SkinDataName = "bevel";

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TskSkinData* FSD = nullptr;
    bool FDividerMode = false;
    TColor FLightColor = clBtnHighlight;
    TColor FDarkColor = clBtnShadow;
};

class TskSkinSplitter : public TSplitter, public TskSkinFollower {
    DECLARE_CLASS(TskSkinSplitter, TSplitter)
public:
    explicit TskSkinSplitter(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinData* GetSkin() const override { return FSD; }
    void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return SkinDataName; }
    void SetSkinDataName(const AnsiString& Value) { SkinDataName = Value; }
    int GetDefaultSize() const { return FDefaultSize; }
    void SetDefaultSize(int Value) { FDefaultSize = Value; }
    void GetSkinData();
    // The thickness of the skin (or DefaultSize), which is also the least size.
    void ChangeSkinData() override;

    AnsiString SkinDataName = "vsplitter";

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TskSkinData* FSD = nullptr;
    int FIndex = -1;
    int FDefaultSize = 10;
    TskSkinShape FShape;
};
