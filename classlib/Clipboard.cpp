#include "classlib/Clipboard.h"

#include "classlib/Bitmaps.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<TClipboard>& ClipboardInstance() {
    static std::unique_ptr<TClipboard> instance;
    return instance;
}

void FreeClipboard() {
    ClipboardInstance().reset();
}

// Opens the clipboard for the length of one operation unless it is open already.
class TClipboardUse {
public:
    explicit TClipboardUse(TClipboard* Clipboard) : FClipboard(Clipboard) { FClipboard->Open(); }
    ~TClipboardUse() { FClipboard->Close(); }
    TClipboardUse(const TClipboardUse&) = delete;
    TClipboardUse& operator=(const TClipboardUse&) = delete;

private:
    TClipboard* FClipboard;
};

// A global memory block holding Size bytes from Data.
HGLOBAL GlobalCopy(const void* Data, std::size_t Size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, Size);
    if (!memory) throw EClipboardException("Out of memory for the clipboard");
    void* target = GlobalLock(memory);
    std::memcpy(target, Data, Size);
    GlobalUnlock(memory);
    return memory;
}

// The bytes of a device-independent bitmap in the clipboard's form: a BMP file without
// its file header.
HGLOBAL BitmapToDib(TBitmap* Bitmap) {
    TMemoryStream file;
    Bitmap->SaveToStream(&file);
    const auto size = static_cast<std::size_t>(file.GetSize());
    if (size <= sizeof(BITMAPFILEHEADER)) throw EClipboardException("Cannot copy an empty bitmap");
    return GlobalCopy(static_cast<const Byte*>(file.GetMemory()) + sizeof(BITMAPFILEHEADER),
                      size - sizeof(BITMAPFILEHEADER));
}

// The BMP file of a clipboard bitmap, for TBitmap to read; it validates the content.
void DibToBitmap(HGLOBAL Dib, TBitmap* Bitmap) {
    const SIZE_T size = GlobalSize(Dib);
    const auto* data = static_cast<const Byte*>(GlobalLock(Dib));
    if (!data) throw EClipboardException("Clipboard does not contain a picture");
    try {
        const std::vector<Byte> bytes = BmpFileOfPackedDib(data, static_cast<Int64>(size));
        GlobalUnlock(Dib);
        data = nullptr;
        TMemoryStream file;
        file.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        file.SetPosition(0);
        Bitmap->LoadFromStream(&file);
    } catch (...) {
        if (data) GlobalUnlock(Dib);
        throw;
    }
}

} // namespace

DEFINE_UNIT(Clipboard, uoClassLib, nullptr, FreeClipboard);

TClipboard* Clipboard() {
    std::unique_ptr<TClipboard>& instance = ClipboardInstance();
    if (!instance) instance = std::make_unique<TClipboard>();
    return instance.get();
}

TClipboard::~TClipboard() {
    if (FOpenRefCount > 0) CloseClipboard();
    if (FWindow) DeallocateHWnd(FWindow);
}

void TClipboard::Open() {
    if (FOpenRefCount == 0) {
        if (!FWindow) {
            FWindow = AllocateHWnd(TWndMethod::FromCallable(
                [this](TMessage& Message) { DefaultWindowHandler(FWindow, Message); }));
        }
        if (!OpenClipboard(FWindow)) throw EClipboardException("Cannot open clipboard");
        FEmptied = false;
    }
    ++FOpenRefCount;
}

void TClipboard::Close() {
    if (FOpenRefCount == 0) return;
    if (--FOpenRefCount == 0) CloseClipboard();
}

void TClipboard::Clear() {
    TClipboardUse use(this);
    EmptyClipboard();
    FEmptied = true;
}

bool TClipboard::HasFormat(UINT Format) const {
    return IsClipboardFormatAvailable(Format) != FALSE;
}

AnsiString TClipboard::GetAsText() {
    TClipboardUse use(this);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return AnsiString();
    const char* text = static_cast<const char*>(GlobalLock(data));
    if (!text) return AnsiString();
    // The block may be larger than the text; the text ends at its terminator.
    AnsiString result(text, strnlen(text, GlobalSize(data)));
    GlobalUnlock(data);
    return result;
}

void TClipboard::SetAsText(const AnsiString& Value) {
    SetBuffer(CF_TEXT, GlobalCopy(Value.c_str(), Value.size() + 1));
}

HANDLE TClipboard::GetAsHandle(UINT Format) {
    TClipboardUse use(this);
    return GetClipboardData(Format);
}

void TClipboard::SetAsHandle(UINT Format, HANDLE Value) {
    SetBuffer(Format, Value);
}

void TClipboard::SetBuffer(UINT Format, HANDLE Value) {
    try {
        TClipboardUse use(this);
        // Within one Open/Close bracket the formats set add up to one content.
        if (!FEmptied) Clear();
        if (!SetClipboardData(Format, Value))
            throw EClipboardException("Cannot set clipboard data");
    } catch (...) {
        // Memory blocks are the only handles the clipboard frees; others are the caller's
        // kind of object and are freed by the system's rules for that format.
        if (Value && Format != CF_BITMAP && Format != CF_PALETTE && Format != CF_ENHMETAFILE)
            GlobalFree(Value);
        throw;
    }
}

void TClipboard::Assign(TPersistent* Source) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        SetBuffer(CF_DIB, BitmapToDib(bitmap));
    } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        TGraphic* graphic = picture->GetGraphic();
        if (!graphic) throw EClipboardException("Cannot copy an empty picture");
        if (auto* own = dynamic_cast<TBitmap*>(graphic)) {
            Assign(own);
        } else {
            TBitmap copy;
            copy.Assign(graphic);
            Assign(&copy);
        }
    } else {
        TPersistent::Assign(Source);
    }
}

void TClipboard::AssignTo(TPersistent* Dest) {
    TBitmap* bitmap = dynamic_cast<TBitmap*>(Dest);
    auto* picture = dynamic_cast<TPicture*>(Dest);
    if (!bitmap && !picture) {
        TPersistent::AssignTo(Dest);
        return;
    }
    TClipboardUse use(this);
    HANDLE dib = GetClipboardData(CF_DIB);
    if (!dib) throw EClipboardException("Clipboard does not contain a picture");
    TBitmap loaded;
    DibToBitmap(dib, &loaded);
    if (bitmap)
        bitmap->Assign(&loaded);
    else
        picture->SetGraphic(&loaded);
}
