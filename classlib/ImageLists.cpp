#include "classlib/ImageLists.h"

#include "classlib/ClassRegistry.h"
#include "classlib/DelayLoad.h"
#include "classlib/Persistence.h"

namespace {

// The common controls' image-list functions, looked up together with the first image list
// (not at the program's start) and kept: Draw runs for every painted item.
struct TImageListFunctions {
    decltype(ImageList_Create)* Create;
    decltype(ImageList_Destroy)* Destroy;
    decltype(ImageList_GetIconSize)* GetIconSize;
    decltype(ImageList_GetImageCount)* GetImageCount;
    decltype(ImageList_AddMasked)* AddMasked;
    decltype(ImageList_Remove)* Remove;
    decltype(ImageList_Draw)* Draw;
    decltype(ImageList_GetIcon)* GetIcon;
};

const TImageListFunctions& ImageListFunctions() {
    static const TImageListFunctions functions = [] {
        const char* const dll = "comctl32.dll";
        return TImageListFunctions{
            DelayLoaded<decltype(ImageList_Create)>(dll, "ImageList_Create"),
            DelayLoaded<decltype(ImageList_Destroy)>(dll, "ImageList_Destroy"),
            DelayLoaded<decltype(ImageList_GetIconSize)>(dll, "ImageList_GetIconSize"),
            DelayLoaded<decltype(ImageList_GetImageCount)>(dll, "ImageList_GetImageCount"),
            DelayLoaded<decltype(ImageList_AddMasked)>(dll, "ImageList_AddMasked"),
            DelayLoaded<decltype(ImageList_Remove)>(dll, "ImageList_Remove"),
            DelayLoaded<decltype(ImageList_Draw)>(dll, "ImageList_Draw"),
            DelayLoaded<decltype(ImageList_GetIcon)>(dll, "ImageList_GetIcon")};
    }();
    return functions;
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
    ReleaseList();
}

void TCustomImageList::ReleaseList() {
    if (FHandle && !FShared) ImageListFunctions().Destroy(FHandle);
    FHandle = nullptr;
    FShared = false;
}

void TCustomImageList::ShareHandle(HIMAGELIST Handle) {
    ReleaseList();
    FHandle = Handle;
    FShared = Handle != nullptr;
    if (Handle) ImageListFunctions().GetIconSize(Handle, &FWidth, &FHeight);
}

void TCustomImageList::Published(TPropertyList& P) {
    P.Add("Width", &TCustomImageList::GetWidth, &TCustomImageList::SetWidth, 16);
    P.Add("Height", &TCustomImageList::GetHeight, &TCustomImageList::SetHeight, 16);
}

void TCustomImageList::CreateList() {
    if (!FHandle)
        FHandle = ImageListFunctions().Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4);
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
    return FHandle ? ImageListFunctions().GetImageCount(FHandle) : 0;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor Transparent) {
    if (FShared) return -1;
    CreateList();
    // The list keeps its own copy of the pixels.
    TBitmap copy;
    copy.Assign(Image);
    copy.SetPixelFormat(pf24bit);
    return ImageListFunctions().AddMasked(FHandle, copy.GetHandle(), ColorToRGB(Transparent));
}

void TCustomImageList::Clear() {
    if (FHandle && !FShared) ImageListFunctions().Remove(FHandle, -1);
}

bool TCustomImageList::GetIcon(int Index, TIcon* Icon) {
    if (Index < 0 || Index >= GetCount()) return false;
    HICON icon = ImageListFunctions().GetIcon(FHandle, Index, ILD_NORMAL);
    if (!icon) return false;
    Icon->SetHandle(icon);
    return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    if (Index < 0 || Index >= GetCount()) return;
    if (Enabled) {
        ImageListFunctions().Draw(FHandle, Index, Canvas->GetHandle(), X, Y, ILD_TRANSPARENT);
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
    ImageListFunctions().Draw(FHandle, Index, dc, 0, 0, ILD_TRANSPARENT);
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
