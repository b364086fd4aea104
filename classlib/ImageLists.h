// Image lists: equally sized images in one system image list, drawn normally or greyed.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Icons.h"
#include "classlib/Component.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

#include <commctrl.h>

DECLARE_UNIT(ImageLists)

class TCustomImageList : public TComponent {
    DECLARE_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;
    static void Published(TPropertyList& P);

    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    // Empties the list and takes the new image size.
    void SetSize(int AWidth, int AHeight);
    int GetCount() const;
    // Adds the images of Image, cut in Width-wide pieces; pixels of Transparent do not show.
    // Returns the index of the first.
    int AddMasked(TBitmap* Image, TColor Transparent);
    void Clear();
    // Image Index made into an icon (transparent where the image is masked) that Icon takes
    // over; false, and Icon untouched, for an index outside the list.
    bool GetIcon(int Index, TIcon* Icon);
    // Image Index at (X, Y); greyed when not Enabled. Nothing for an index outside the list.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    HIMAGELIST GetHandle();
    // Shows the images of a list that belongs to someone else (the shell's system image
    // lists): it is never changed, emptied or destroyed through this object.
    void ShareHandle(HIMAGELIST Handle);
    bool GetShared() const { return FShared; }

private:
    void CreateList();
    void ReleaseList();

    HIMAGELIST FHandle = nullptr;
    bool FShared = false;
    int FWidth = 16;
    int FHeight = 16;
};

class TImageList : public TCustomImageList {
    DECLARE_CLASS(TImageList, TCustomImageList)
public:
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};
