// TIcon: icons from icon files, resources or handles.
#pragma once

#include "classlib/Canvas.h"

#include <vector>

// An icon: loaded from an icon file (the image closest to the system's icon size is
// chosen) or a module's icon resource, or adopted from a handle. Icons are always
// transparent and cannot be resized. A file that cannot be read raises EInvalidGraphic
// "Icon image is not valid".
class TIcon : public TGraphic {
    DECLARE_CLASS(TIcon, TGraphic)
public:
    TIcon() = default;
    ~TIcon() override;

    void Assign(TPersistent* Source) override;

    bool GetEmpty() const override { return !FHandle; }
    int GetWidth() const override { return FWidth; }
    int GetHeight() const override { return FHeight; }
    // Raise EInvalidGraphicOperation "Cannot change the size of an icon".
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    bool GetTransparent() const override { return true; }

    HICON GetHandle() const { return FHandle; }
    // Takes ownership of Value.
    void SetHandle(HICON Value);

    void LoadFromStream(TStream* Stream) override;
    // Writes the icon file it was loaded from (nothing for an empty icon); an icon made
    // from a handle raises EInvalidGraphicOperation.
    void SaveToStream(TStream* Stream) override;
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    void Replace(HICON Icon, std::vector<Byte> FileData);

    HICON FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::vector<Byte> FFileData;
};
