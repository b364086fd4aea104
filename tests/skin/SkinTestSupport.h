// Helpers of the skin data tests: in-memory descriptions and small pictures.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/IniFiles.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

// An in-memory INI holding Text.
class TTestIni {
public:
    explicit TTestIni(const AnsiString& Text = AnsiString()) : Ini("") {
        TStringList lines;
        lines.SetText(Text);
        Ini.SetStrings(&lines);
    }
    AnsiString Text() {
        TStringList lines;
        Ini.GetStrings(&lines);
        return lines.GetText();
    }
    // The key names of Section, in file order, joined by ",".
    AnsiString Keys(const AnsiString& Section) {
        TStringList keys;
        Ini.ReadSection(Section, &keys);
        return keys.GetCommaText();
    }
    TMemIniFile Ini;
};

// A Width x Height picture of one flat colour per column band, in Format; palette
// formats get a table of Colors entries.
inline std::unique_ptr<TBitmap> MakePicture(int Width, int Height, TPixelFormat Format,
                                            TColor Color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(Format);
    bitmap->SetSize(Width, Height);
    bitmap->GetCanvas()->GetBrush()->SetColor(Color);
    bitmap->GetCanvas()->FillRect(TRect(0, 0, Width / 2 + 1, Height));
    return bitmap;
}

// An 8-bit BMP file with a colour table of Colors grey entries; pixel (x, y) has
// colour (x + y) mod Colors.
inline AnsiString SmallPaletteBmp(int Width, int Height, int Colors) {
    const int stride = (Width + 3) / 4 * 4;
    const int offset = 14 + 40 + 4 * Colors;
    AnsiString file(static_cast<std::size_t>(offset + stride * Height), '\0');
    auto put32 = [&](int At, std::uint32_t Value) {
        for (int i = 0; i < 4; ++i)
            file[At + i] = static_cast<char>(Value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, offset);
    put32(14, 40);
    put32(18, Width);
    put32(22, Height);
    file[26] = 1;
    file[28] = 8;
    put32(46, Colors);
    for (int c = 0; c < Colors; ++c)
        put32(54 + 4 * c, (c * 16) * 0x010101u);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            file[offset + y * stride + x] = static_cast<char>((x + y) % Colors);
    return file;
}

inline AnsiString BmpBytes(TBitmap* Bitmap) {
    TStringStream stream;
    Bitmap->SaveToStream(&stream);
    return stream.GetDataString();
}

inline void ExpectSamePicture(TBitmap* A, TBitmap* B) {
    EXPECT_EQ(A->GetPixelFormat(), B->GetPixelFormat());
    EXPECT_EQ(BmpBytes(A), BmpBytes(B));
}
