#include "classlib/ImageLists.h"

#include "classlib/ClassRegistry.h"
#include "classlib/DelayLoad.h"
#include "classlib/Persistence.h"

namespace {

// The common controls load with the first image list, not at the program's start.
template <typename F> F* CommonControls(const char* Name) {
    return DelayLoaded<F>("comctl32.dll", Name);
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
    ReleaseList();
}

void TCustomImageList::ReleaseList() {
    if (FHandle && !FShared)
        CommonControls<decltype(ImageList_Destroy)>("ImageList_Destroy")(FHandle);
    FHandle = nullptr;
    FShared = false;
}

void TCustomImageList::ShareHandle(HIMAGELIST Handle) {
    ReleaseList();
    FHandle = Handle;
    FShared = Handle != nullptr;
    if (Handle)
        CommonControls<decltype(ImageList_GetIconSize)>("ImageList_GetIconSize")(Handle, &FWidth,
                                                                                 &FHeight);
}

void TCustomImageList::Published(TPropertyList& P) {
    P.Add("Width", &TCustomImageList::GetWidth, &TCustomImageList::SetWidth, 16);
    P.Add("Height", &TCustomImageList::GetHeight, &TCustomImageList::SetHeight, 16);
}

void TCustomImageList::CreateList() {
    if (!FHandle)
        FHandle = CommonControls<decltype(ImageList_Create)>("ImageList_Create")(
            FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4);
}

HIMAGELIST TCustomImageList::GetHandle() {
    CreateList();
    return FHandle;
}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
    Clear();
    ReleaseList();
    FWidth = AWidth;
    FHeight = AHeight;
}

int TCustomImageList::GetCount() const {
    return FHandle ? CommonControls<decltype(ImageList_GetImageCount)>("ImageList_GetImageCount")(
                         FHandle)
                   : 0;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor Transparent) {
    if (FShared) return -1;
    CreateList();
    // The list keeps its own copy of the pixels.
    TBitmap copy;
    copy.Assign(Image);
    copy.SetPixelFormat(pf24bit);
    return CommonControls<decltype(ImageList_AddMasked)>("ImageList_AddMasked")(
        FHandle, copy.GetHandle(), ColorToRGB(Transparent));
}

void TCustomImageList::Clear() {
    if (FHandle && !FShared)
        CommonControls<decltype(ImageList_Remove)>("ImageList_Remove")(FHandle, -1);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    if (Index < 0 || Index >= GetCount()) return;
    if (Enabled) {
        CommonControls<decltype(ImageList_Draw)>("ImageList_Draw")(
            FHandle, Index, Canvas->GetHandle(), X, Y, ILD_TRANSPARENT);
        return;
    }
    // Greyed: every shown pixel in a light grey of its own brightness. The image is drawn
    // on a key colour first, so that the pixels it leaves alone are known.
    const COLORREF key = RGB(255, 0, 255);
    TBitmap plain(FWidth, FHeight);
    plain.SetPixelFormat(pf24bit);
    HDC dc = plain.GetCanvas()->GetHandle();
    HBRUSH brush = CreateSolidBrush(key);
    RECT all{0, 0, FWidth, FHeight};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    CommonControls<decltype(ImageList_Draw)>("ImageList_Draw")(FHandle, Index, dc, 0, 0,
                                                               ILD_TRANSPARENT);
    HDC target = Canvas->GetHandle();
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c == key) continue;
            const int grey = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
            const int light = 128 + grey / 2;
            SetPixel(target, X + x, Y + y, RGB(light, light, light));
        }
}

REGISTER_CLASS(TImageList);

DEFINE_UNIT(ImageLists, uoClassLib, nullptr, nullptr);
