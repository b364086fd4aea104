#include "classlib/Clipboard.h"

#include "classlib/Bitmaps.h"
#include "classlib/Picture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

COLORREF Pixel(TBitmap* Bitmap, int X, int Y) {
    return static_cast<COLORREF>(Bitmap->GetCanvas()->GetPixels(X, Y));
}

TEST(ClipboardTest, TextAndOtherFormatsGoInAndComeBackThroughNestedOpens) {
    Clipboard()->SetAsText("Page 1\r\nPage 2");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->GetAsText(), "Page 1\r\nPage 2");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->GetAsText(), "");
    UINT custom = RegisterClipboardFormatA("VantorelTestFormat");
    Clipboard()->Open();
    Clipboard()->Open();
    Clipboard()->SetAsText("both");
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(data), "abc", 4);
    GlobalUnlock(data);
    Clipboard()->SetAsHandle(custom, data);
    Clipboard()->Close();
    Clipboard()->Close();
    Clipboard()->Close(); // one Close too many is harmless

    EXPECT_EQ(Clipboard()->GetAsText(), "both");
    Clipboard()->Open();
    HANDLE stored = Clipboard()->GetAsHandle(custom);
    ASSERT_NE(stored, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(stored)), "abc");
    GlobalUnlock(stored);
    Clipboard()->Close();
}

TEST(ClipboardTest, BitmapsGoInAndComeBackAsPictures) {
    TBitmap bitmap(5, 3);
    bitmap.SetPixelFormat(pf24bit);
    bitmap.GetCanvas()->GetBrush()->SetColor(clLime);
    bitmap.GetCanvas()->FillRect(TRect(0, 0, 5, 3));
    bitmap.GetCanvas()->SetPixels(4, 2, clRed);
    Clipboard()->Assign(&bitmap);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_DIB));

    TPicture picture;
    picture.Assign(Clipboard());
    ASSERT_EQ(picture.GetWidth(), 5);
    ASSERT_EQ(picture.GetHeight(), 3);
    TBitmap copy;
    copy.Assign(Clipboard());
    EXPECT_EQ(Pixel(&copy, 0, 0), ColorToRGB(clLime));
    EXPECT_EQ(Pixel(&copy, 4, 2), ColorToRGB(clRed));
}

TEST(ClipboardTest, APictureCannotComeFromText) {
    Clipboard()->SetAsText("no picture");
    TBitmap bitmap;
    EXPECT_THROW(bitmap.Assign(Clipboard()), EClipboardException);
    EXPECT_TRUE(bitmap.GetEmpty());
}

} // namespace
