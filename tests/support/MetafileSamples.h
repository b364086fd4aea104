// Metafile files as other programs write them, recorded by the system: an enhanced metafile
// (.emf) and a Windows metafile (.wmf) with and without its placeable header, each a picture
// of a red square on a white field with a blue line and small shapes around it.
#pragma once

#include "classlib/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

// The picture is Size x Size logical units (at least 40): a white field, a red square in its
// middle half and a blue diagonal; the strips above and below the square hold one of every
// kind of record the readers check (polygons, an ellipse, an arc, text in a font of its own,
// a small picture and, with Regions, a filled region).
inline void DrawMetafileSample(HDC DC, int Size, bool Regions) {
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    RECT field{0, 0, Size, Size};
    FillRect(DC, &field, white);
    RECT square{Size / 4, Size / 4, Size * 3 / 4, Size * 3 / 4};
    FillRect(DC, &square, red);
    HPEN blue = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HGDIOBJ oldPen = SelectObject(DC, blue);
    HGDIOBJ oldBrush = SelectObject(DC, green);
    MoveToEx(DC, 0, 0, nullptr);
    LineTo(DC, Size / 4, Size / 4);
    const POINT triangle[] = {{2, 2}, {8, 2}, {5, 8}};
    Polygon(DC, triangle, 3);
    const POINT pair[] = {{2, Size - 8}, {6, Size - 8}, {4, Size - 2}, {8, Size - 8}, {12, Size - 8}, {10, Size - 2}};
    const INT counts[] = {3, 3};
    PolyPolygon(DC, pair, counts, 2);
    Polyline(DC, triangle, 3);
    Ellipse(DC, 12, 1, 18, 7);
    Arc(DC, 20, 1, 26, 7, 20, 4, 26, 4);
    HFONT font = CreateFontA(-7, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(DC, font);
    SetBkMode(DC, TRANSPARENT);
    TextOutA(DC, 14, Size - 9, "Ab", 2);
    const INT spacing[] = {4, 4};
    ExtTextOutA(DC, 24, Size - 9, 0, nullptr, "Cd", 2, spacing);
    SelectObject(DC, oldFont);
    DeleteObject(font);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    // Some recorders copy only as many pixel bytes as the header says.
    info.bmiHeader.biSizeImage = 16;
    const BYTE pixels[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0};
    StretchDIBits(DC, Size - 8, 1, 4, 4, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    if (Regions) {
        HRGN region = CreateRectRgn(30, 2, 33, 6);
        FillRgn(DC, region, green);
        DeleteObject(region);
    }
    SelectObject(DC, oldBrush);
    SelectObject(DC, oldPen);
    DeleteObject(blue);
    DeleteObject(green);
    DeleteObject(red);
    DeleteObject(white);
}

// An enhanced metafile whose frame is FrameMM hundredths of a millimetre square, drawn in
// Size x Size device units.
inline std::string EnhancedMetafileBytes(int Size = 40, int FrameMM = 1059) {
    const RECT frame{0, 0, FrameMM, FrameMM};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    DrawMetafileSample(dc, Size, true);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::string bytes(size, '\0');
    GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(bytes.data()));
    DeleteEnhMetaFile(metafile);
    return bytes;
}

// A Windows metafile of a picture Size x Size logical units wide; with Placeable, behind the
// placeable header that gives its box at Inch units per inch.
inline std::string WindowsMetafileBytes(bool Placeable, int Size = 40, int Inch = 96) {
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowExtEx(dc, Size, Size, nullptr);
    DrawMetafileSample(dc, Size, false);
    HMETAFILE metafile = CloseMetaFile(dc);
    const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::string records(size, '\0');
    GetMetaFileBitsEx(metafile, size, records.data());
    DeleteMetaFile(metafile);
    if (!Placeable) return records;
    std::string header(22, '\0');
    auto put16 = [&header](std::size_t At, std::uint16_t Value) {
        header[At] = static_cast<char>(Value & 0xFF);
        header[At + 1] = static_cast<char>(Value >> 8);
    };
    put16(0, 0xCDD7);
    put16(2, 0x9AC6);
    put16(10, static_cast<std::uint16_t>(Size));
    put16(12, static_cast<std::uint16_t>(Size));
    put16(14, static_cast<std::uint16_t>(Inch));
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(header[i]) |
                                               static_cast<unsigned char>(header[i + 1]) << 8);
    put16(20, checksum);
    return header + records;
}
