// The platform side of the bitmap library in the native build: pixels in heap memory with
// no section, device context or font, locks on the standard library's mutex, the two text
// helpers that the library's error messages and resampler names use, the identifier check
// that component names would need, and the component's reading of its stored state, whose
// stream code needs the platform.
#include "bitmap32/Bmp32.h"
#include "classlib/Component.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>

namespace Bmp32 {

TPixelStore::~TPixelStore() {
    std::free(FMemory);
}

TPlatformHandle TPixelStore::BitmapHandle() {
    return nullptr;
}

TPlatformHandle TPixelStore::DC() {
    return nullptr;
}

void TPixelStore::SelectFont(TPlatformHandle) {}

void TPixelStore::SetTextColor(Cardinal) {}

struct TCriticalSection::TImpl {
    std::recursive_mutex Mutex;
};

TCriticalSection::TCriticalSection() : FImpl(std::make_unique<TImpl>()) {}

TCriticalSection::~TCriticalSection() = default;

void TCriticalSection::Enter() {
    FImpl->Mutex.lock();
}

void TCriticalSection::Leave() {
    FImpl->Mutex.unlock();
}

// No font, canvas or persistence: the benchmark draws pixels only.
void TBitmap32::MakeFont() {}
void TBitmap32::FreeFont() {}
void TBitmap32::DeleteCanvas() {}
void TBitmap32::HandleChanged() {}
void TBitmap32::FontChanged(TObject*) {}

void TBitmap32::Assign(TPersistent* Source) {
    TCustomMap::Assign(Source);
}

void TBitmap32::AssignTo(TPersistent* Dest) {
    TCustomMap::AssignTo(Dest);
}

void TBitmap32::DefineProperties(TFiler* Filer) {
    TCustomMap::DefineProperties(Filer);
}

void TBitmap32::ReadData(TStream*) {
    throw EInvalidOperation("The native build reads no bitmaps");
}

void TBitmap32::WriteData(TStream*) {
    throw EInvalidOperation("The native build writes no bitmaps");
}

} // namespace Bmp32

DEFINE_UNIT(Bmp32, uoBmp32, nullptr, nullptr);

AnsiString FormatArgs(std::string_view Fmt, const std::vector<TFormatArg>&) {
    return AnsiString(Fmt);
}

bool SameText(const AnsiString& S1, const AnsiString& S2) {
    return S1.size() == S2.size() &&
           std::equal(S1.begin(), S1.end(), S2.begin(), [](char A, char B) {
               return std::toupper(static_cast<unsigned char>(A)) ==
                      std::toupper(static_cast<unsigned char>(B));
           });
}

AnsiString UpperCase(const AnsiString& S) {
    AnsiString result(S);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// The benchmark names no component: any non-empty name passes.
bool IsValidIdent(const AnsiString& Ident, bool) {
    return !Ident.empty();
}

// The benchmark reads no form resources.
void TComponent::ReadState(TReader*) {
    throw EInvalidOperation("The native build reads no component state");
}
