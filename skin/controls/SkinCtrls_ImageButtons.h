// The image button: a skinned button that, without a skin record of its own, takes its
// size and its normal, hot and pressed looks from pictures of its own and cuts its window
// to the black pixels of a mask picture. With a record it is a plain skinned button.
#pragma once

#include "skin/controls/SkinCtrls_Buttons.h"

DECLARE_UNIT(SkinCtrls_ImageButtons)

class TskSkinXFormButton : public TskSkinButton {
    DECLARE_CLASS(TskSkinXFormButton, TskSkinButton)
public:
    explicit TskSkinXFormButton(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // The normal look; it also gives the button its size.
    TBitmap* GetDefImage() const { return FDefImage.get(); }
    void SetDefImage(TBitmap* Value);
    // The look while hovered or focused.
    TBitmap* GetDefActiveImage() const { return FDefActiveImage.get(); }
    void SetDefActiveImage(TBitmap* Value) { FDefActiveImage->Assign(Value); }
    // The look while pressed.
    TBitmap* GetDefDownImage() const { return FDefDownImage.get(); }
    void SetDefDownImage(TBitmap* Value) { FDefDownImage->Assign(Value); }
    // The window's shape: its black pixels belong to the button.
    TBitmap* GetDefMask() const { return FDefMask.get(); }
    void SetDefMask(TBitmap* Value);
    TColor GetDefActiveFontColor() const { return FDefActiveFontColor; }
    void SetDefActiveFontColor(TColor Value) { FDefActiveFontColor = Value; }
    TColor GetDefDownFontColor() const { return FDefDownFontColor; }
    void SetDefDownFontColor(TColor Value) { FDefDownFontColor = Value; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ChangeSkinData() override;
    void SetControlRegion() override;

protected:
    void Loaded() override;
    void CreateControlDefaultImage(TBitmap* B) override;

private:
    // No skin record and a picture of its own: size, look and shape come from the pictures.
    bool UsesOwnImages();
    // The picture of the look the state asks for: pressed, lit, else normal.
    TBitmap* StateImage(bool Pressed, bool Lit) const;

    std::unique_ptr<TBitmap> FDefImage;
    std::unique_ptr<TBitmap> FDefActiveImage;
    std::unique_ptr<TBitmap> FDefDownImage;
    std::unique_ptr<TBitmap> FDefMask;
    TColor FDefActiveFontColor = clBlack;
    TColor FDefDownFontColor = clBlack;
};
