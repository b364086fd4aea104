// TJPEGImage: a JPEG picture, decoded into a 24-bit bitmap when it is loaded.
#pragma once

#include "classlib/Bitmaps.h"

#include <memory>
#include <vector>

// Reads one JPEG file from a stream, up to and with its end marker; bytes after it stay
// in the stream (and are not saved with the picture). A damaged file (garbage, a cut-off
// end, corrupt coded data, an unsupported colour space) raises EInvalidGraphic
// "JPEG error #n: text" with the decoder's message number and text, and leaves the image
// as it was; so does a file that declares more pixels than a bitmap holds or than its
// length can plausibly code, or needs more decoder memory or scans than allowed (numbers
// from 1000 are these refusals of our own). Saving writes the file as it was loaded. The
// size cannot be set.
class TJPEGImage : public TGraphic {
    DECLARE_CLASS(TJPEGImage, TGraphic)
public:
    TJPEGImage();
    ~TJPEGImage() override;

    // Copies another JPEG image; any other source is asked to AssignTo this one.
    void Assign(TPersistent* Source) override;

    bool GetEmpty() const override { return FBitmap->GetEmpty(); }
    int GetWidth() const override { return FBitmap->GetWidth(); }
    int GetHeight() const override { return FBitmap->GetHeight(); }
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;

protected:
    // A TBitmap receives the decoded pixels (pf24bit).
    void AssignTo(TPersistent* Dest) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    std::unique_ptr<TBitmap> FBitmap;
    std::vector<Byte> FData;
};
