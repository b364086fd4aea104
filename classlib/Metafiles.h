// TMetafile: a picture recorded as drawing commands, read from an enhanced metafile (.emf) or
// a Windows metafile (.wmf, with or without its placeable header) and played back by the
// system at any size.
#pragma once

#include "classlib/Canvas.h"

#include <vector>

// A file is checked whole before the system sees it: its header, then every record up to the
// end record, within the bytes the header declares and the stream holds, and each record as
// its kind is laid out (Metafiles_Records.h); records of kinds not known there are refused.
// A file that fails raises EInvalidGraphic "Metafile image is not valid" and leaves the
// metafile as it was. A picture wider or higher than MaxMetafileExtent pixels is refused
// the same way.
//
// The size is the picture's frame in screen pixels (a placeable header's box at its units
// per inch); setting Width or Height only changes the size it is drawn at by Draw's callers.
// SaveToStream writes the file it was loaded from, as it was; a metafile made from a handle
// writes the enhanced format.
class TMetafile : public TGraphic {
    DECLARE_CLASS(TMetafile, TGraphic)
public:
    static constexpr int MaxMetafileExtent = 0x10000;

    TMetafile() = default;
    ~TMetafile() override;

    void Assign(TPersistent* Source) override;

    bool GetEmpty() const override { return !FHandle; }
    int GetWidth() const override { return FWidth; }
    int GetHeight() const override { return FHeight; }
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    // Whether the file it was loaded from is an enhanced metafile (a handle gives one).
    bool GetEnhanced() const { return FEnhanced; }

    // Still owned by the metafile.
    HENHMETAFILE GetHandle() const { return FHandle; }
    // Takes ownership of Value; its size comes from its header.
    void SetHandle(HENHMETAFILE Value);

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    void Replace(HENHMETAFILE Metafile, int Width, int Height, bool Enhanced,
                 std::vector<Byte> FileData);
    void LoadEnhanced(TStream* Stream, const Byte* Head, Int64 Available);
    void LoadWindows(TStream* Stream, const Byte* Head, Int64 Available);

    HENHMETAFILE FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    bool FEnhanced = true;
    std::vector<Byte> FFileData;
};
