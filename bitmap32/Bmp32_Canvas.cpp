// The parts of unit Bmp32 that stand on the class library's graphics and controls: the
// bitmap's canvas and font, colours given as class-library colours, sizes taken from
// graphics and controls, and the unit's start-up.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_LowLevel.h"
#include "classlib/Bitmaps.h"
#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "classlib/Platform.h"

namespace Bmp32 {

TPlatformHandle StockFont = nullptr;
TBitmap* StockBitmap = nullptr;

TColor32 Color32(std::int32_t WinColor) {
    return ColorSwap(ColorToRGB(WinColor));
}

TPlatformHandle WinPalette(const TPalette32& Palette) {
    struct {
        WORD Version = 0x300;
        WORD Count = 256;
        PALETTEENTRY Entries[256];
    } palette;
    for (std::size_t i = 0; i < Palette.size(); ++i)
        palette.Entries[i] = {Byte(RedComponent(Palette[i])), Byte(GreenComponent(Palette[i])),
                              Byte(BlueComponent(Palette[i])), 0};
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
}

void TCustomMap::SetSizeFrom(TPersistent* Source) {
    if (!Source)
        SetSize(0, 0);
    else if (auto* map = dynamic_cast<TCustomMap*>(Source))
        SetSize(map->GetWidth(), map->GetHeight());
    else if (auto* graphic = dynamic_cast<TGraphic*>(Source))
        SetSize(graphic->GetWidth(), graphic->GetHeight());
    else if (auto* control = dynamic_cast<TControl*>(Source))
        SetSize(control->GetWidth(), control->GetHeight());
    else
        throw Exception(AnsiString("Can't set size from '") + Source->ClassName() + "'");
}

void TBitmap32::MakeFont() {
    FFont = new TFont;
    FFont->OnChange = TNotifyEvent(this, &TBitmap32::FontChanged);
}

void TBitmap32::FreeFont() {
    delete FFont;
    FFont = nullptr;
}

TCanvas* TBitmap32::GetCanvas() {
    if (!FCanvas) {
        FCanvas = new TCanvas;
        FCanvas->SetHandle(static_cast<HDC>(GetHandle()));
        FCanvas->OnChange = TNotifyEvent(this, &TBitmap32::CanvasChanged);
    }
    return FCanvas;
}

void TBitmap32::DeleteCanvas() {
    if (!FCanvas) return;
    FCanvas->SetHandle(nullptr);
    delete FCanvas;
    FCanvas = nullptr;
}

void TBitmap32::CanvasChanged(TObject*) {
    Changed();
}

void TBitmap32::HandleChanged() {
    if (FCanvas) FCanvas->SetHandle(static_cast<HDC>(GetHandle()));
    if (OnHandleChanged) OnHandleChanged(this);
}

void TBitmap32::SetFont(TFont* Value) {
    FFont->Assign(Value);
    FontChanged(this);
}

void TBitmap32::FontChanged(TObject*) {
    if (!FFontHandle) return;
    if (FStore) FStore->SelectFont(StockFont);
    FFontHandle = nullptr;
}

void TBitmap32::UpdateFont() {
    if (!GetHandle()) return;
    if (!FFontHandle) FFontHandle = FFont->GetHandle();
    FStore->SelectFont(FFontHandle);
    FStore->SetTextColor(ColorToRGB(FFont->GetColor()));
}

} // namespace Bmp32

namespace {

void InitializeBmp32() {
    Bmp32::StockFont = Bmp32::StockSystemFont();
    Bmp32::StockBitmap = new TBitmap(8, 8);
}

void FinalizeBmp32() {
    delete Bmp32::StockBitmap;
    Bmp32::StockBitmap = nullptr;
}

} // namespace

DEFINE_UNIT(Bmp32, uoBmp32, InitializeBmp32, FinalizeBmp32);
