// TMetafile: enhanced and Windows metafiles (with and without the placeable header) read
// from streams and files, their size, their drawing at any size, saving them back as they
// were, refusals that keep the old picture, and TPicture and TImage choosing them by the
// file's extension.
#include "classlib/Exceptions.h"
#include "classlib/Images.h"
#include "classlib/Metafiles.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include "tests/support/GuiTestSupport.h"
#include "tests/support/MetafileSamples.h"
#include "tests/support/TempFolder.h"

namespace {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::unique_ptr<TMetafile> Loaded(const std::string& Bytes) {
    auto metafile = std::make_unique<TMetafile>();
    TStringStream stream(Bytes);
    metafile->LoadFromStream(&stream);
    EXPECT_EQ(stream.GetPosition(), static_cast<Int64>(Bytes.size())) << "reads exactly its own bytes";
    return metafile;
}

// The metafile drawn stretched over a W x H bitmap of grey.
std::unique_ptr<TBitmap> Drawn(TMetafile* Metafile, int W, int H) {
    auto bitmap = std::make_unique<TBitmap>(W, H);
    bitmap->SetPixelFormat(pf24bit);
    bitmap->GetCanvas()->GetBrush()->SetColor(clGray);
    bitmap->GetCanvas()->FillRect(TRect(0, 0, W, H));
    bitmap->GetCanvas()->StretchDraw(TRect(0, 0, W, H), Metafile);
    return bitmap;
}

std::string Saved(TGraphic* Graphic) {
    TStringStream stream;
    Graphic->SaveToStream(&stream);
    return stream.GetDataString();
}

TEST(Metafile, EachKindLoadsWithItsSizeAndDrawsAtAnySize) {
    struct TCase {
        const char* Name;
        std::string Bytes;
        int Width;
        bool Enhanced;
    };
    const int dpi = ScreenDpi();
    const TCase cases[] = {
        {"enhanced", EnhancedMetafileBytes(40, 1059), 1059 * dpi / 2540, true},
        {"placeable", WindowsMetafileBytes(true, 40, 96), 40 * dpi / 96, false},
        {"placeable at 48 per inch", WindowsMetafileBytes(true, 40, 48), 80 * dpi / 96, false},
        {"plain windows", WindowsMetafileBytes(false, 40), -1, false},
    };
    for (const TCase& c : cases) {
        auto metafile = Loaded(c.Bytes);
        EXPECT_FALSE(metafile->GetEmpty()) << c.Name;
        EXPECT_EQ(metafile->GetEnhanced(), c.Enhanced) << c.Name;
        if (c.Width >= 0) {
            EXPECT_EQ(metafile->GetWidth(), c.Width) << c.Name;
            EXPECT_EQ(metafile->GetHeight(), c.Width) << c.Name;
        }
        for (int size : {40, 120}) {
            auto image = Drawn(metafile.get(), size, size);
            EXPECT_EQ(PixelOf(image.get(), size / 2, size / 2), ColorToRGB(clRed)) << c.Name << " " << size;
            EXPECT_EQ(PixelOf(image.get(), size - 3, size / 2), ColorToRGB(clWhite)) << c.Name << " " << size;
        }
        EXPECT_EQ(Saved(metafile.get()), c.Bytes) << c.Name << ": written back as it was read";
    }
}

TEST(Metafile, DamagedFilesAreRefusedAndTheOldPictureStays) {
    const std::string emf = EnhancedMetafileBytes();
    const std::string wmf = WindowsMetafileBytes(true);
    auto metafile = Loaded(emf);
    const int width = metafile->GetWidth();
    const std::string damaged[] = {
        "", "x", std::string(200, '\0'), emf.substr(0, emf.size() - 4), emf.substr(0, 100),
        wmf.substr(0, 30), wmf.substr(0, wmf.size() - 6),
        // The first record after the header claims to run past the file's end.
        [&] {
            std::string s = emf;
            s[static_cast<unsigned char>(emf[4]) + 7] = '\x7F';
            return s;
        }(),
        // No end record: the last record's type changed.
        [&] { std::string s = emf; s[s.size() - 20] = 1; return s; }(),
        // A placeable header of 0 units per inch.
        [&] { std::string s = wmf; s[14] = s[15] = 0; return s; }(),
    };
    for (const std::string& bytes : damaged) {
        TStringStream stream(bytes);
        EXPECT_THROW(metafile->LoadFromStream(&stream), EInvalidGraphic) << bytes.size();
        EXPECT_EQ(metafile->GetWidth(), width);
        EXPECT_EQ(Saved(metafile.get()), emf);
    }
    // A frame of absurd size is refused, not taken as a picture of millions of pixels.
    std::string huge = emf;
    huge[24 + 8] = huge[24 + 9] = huge[24 + 10] = '\x7F';
    TStringStream stream(huge);
    EXPECT_THROW(metafile->LoadFromStream(&stream), EInvalidGraphic);
}

TEST(Metafile, CopiesAndHandlesKeepTheirOwnPicture) {
    auto metafile = Loaded(EnhancedMetafileBytes());
    TMetafile copy;
    copy.Assign(metafile.get());
    metafile.reset();
    EXPECT_EQ(PixelOf(Drawn(&copy, 40, 40).get(), 20, 20), ColorToRGB(clRed));

    TMetafile adopted;
    adopted.SetHandle(CopyEnhMetaFileA(copy.GetHandle(), nullptr));
    EXPECT_EQ(adopted.GetWidth(), copy.GetWidth());
    // Made from a handle, it saves as an enhanced metafile that loads again.
    auto again = Loaded(Saved(&adopted));
    EXPECT_EQ(again->GetWidth(), copy.GetWidth());
    adopted.SetWidth(100);
    EXPECT_EQ(adopted.GetWidth(), 100);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
}

TEST(Metafile, PicturesAndImagesTakeMetafilesByExtension) {
    TTempFolder folder;
    folder.Put("a.emf", EnhancedMetafileBytes());
    folder.Put("b.WMF", WindowsMetafileBytes(true));
    folder.Put("c.wmf", "not a metafile");
    TPicture picture;
    for (const char* name : {"a.emf", "b.WMF"}) {
        picture.LoadFromFile(folder.PathOf(name));
        EXPECT_NE(dynamic_cast<TMetafile*>(picture.GetGraphic()), nullptr) << name;
    }
    EXPECT_THROW(picture.LoadFromFile(folder.PathOf("c.wmf")), EInvalidGraphic);
    EXPECT_NE(dynamic_cast<TMetafile*>(picture.GetGraphic()), nullptr) << "the last good one stays";

    // A picture of a metafile goes through a form's stream and comes back the same.
    TStringStream data;
    picture.WriteData(&data);
    data.SetPosition(0);
    TPicture read;
    read.ReadData(&data);
    EXPECT_EQ(Saved(read.GetGraphic()), WindowsMetafileBytes(true));

    TForm form(nullptr);
    form.SetBounds(60, 60, 200, 200);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(10, 10, 80, 80);
    image->SetStretch(true);
    image->GetPicture()->Assign(&picture);
    form.Show();
    auto shot = CaptureWindow(form.GetHandle());
    const TPoint at = form.ClientToScreen(TPoint(50, 50));
    RECT frame;
    GetWindowRect(form.GetHandle(), &frame);
    EXPECT_EQ(PixelOf(shot.get(), at.X - frame.left, at.Y - frame.top), ColorToRGB(clRed));
}

} // namespace
