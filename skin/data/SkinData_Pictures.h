// Skin pictures: the byte layout that stored and compressed skins share, and the rule
// by which a named picture file is loaded.
//
// Layout (little-endian): for each of the main picture, mask, roll-up picture and
// roll-up mask one flag byte (1 = empty, 0 = one BMP file follows), then the 32-bit
// count of further ("active") pictures and that many BMP files back to back. Each BMP
// file is delimited by the size in its own header.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"

#include <array>
#include <memory>
#include <vector>

// A skin's further pictures. A loaded picture is never drawn into: a skin data that loads a
// stored skin shares the stored skin's pictures instead of copying them (the controls' picture
// alone is some 2 MB), so a list changes by putting new pictures in, never by changing one.
using TBitmapList = std::vector<std::shared_ptr<TBitmap>>;

struct TSkinPictures {
    // Main picture, mask, roll-up picture, roll-up mask.
    std::array<std::unique_ptr<TBitmap>, 4> Main;
    TBitmapList Active;
};

// "main picture", "mask", "roll-up picture", "roll-up mask".
extern const char* const SkinPictureRoles[4];

void WriteSkinPictures(TStream* Stream, const std::array<TBitmap*, 4>& Main,
                       const TBitmapList& Active);
// Reads the layout into new bitmaps. Data that ends early, a flag other than 0 and 1, a
// negative count, a damaged BMP or one whose size claims more than its pixels raises
// EReadError naming Source and the picture.
TSkinPictures ReadSkinPictures(TStream* Stream, const AnsiString& Source);
// Raises EReadError naming Source when Stream holds bytes after the pictures.
void CheckSkinPicturesEnd(TStream* Stream, const AnsiString& Source);

// Loads FileName into Bitmap: decoded as JPEG when Name contains ".jpg" or ".jpeg"
// (case-sensitive), else as BMP. An empty Name empties the bitmap.
void LoadSkinPicture(TBitmap* Bitmap, const AnsiString& FileName, const AnsiString& Name);

// Runs Do; an exception of the class library gets Prefix before its message.
template <typename F> void WithErrorPrefix(const AnsiString& Prefix, F Do) {
    try {
        Do();
    } catch (Exception& e) {
        e.SetMessage(Prefix + e.Message());
        throw;
    }
}
