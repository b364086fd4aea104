#include "grid/gclcolor.h"
#include "grid/gcluser.h"

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Persistence.h"
#include "classlib/Graphics.h"


#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(GclColors, DefaultsAndChangeEvents) {
    TGclColors colors(clGrayText, clWindow);
    int fired = 0;
    colors.OnColorChange = TNotifyEvent::FromCallable([&](TObject*) { ++fired; });
    EXPECT_EQ(colors.GetTextColor(), clGrayText);
    EXPECT_EQ(colors.GetBackColor(), clWindow);
    EXPECT_TRUE(colors.GetUseDefault());

    colors.SetBackColor(clWindow);
    EXPECT_EQ(fired, 0);
    colors.SetBackColor(clRed);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(colors.GetUseDefault());
    colors.SetTextColor(clBlue);
    colors.SetUseDefault(true);
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(colors.GetBackColor(), clWindow);
    EXPECT_EQ(colors.GetTextColor(), clGrayText);

    TGclColors copy(clBlack, clWhite);
    copy.Assign(&colors);
    EXPECT_EQ(copy.GetTextColor(), clGrayText);
    EXPECT_EQ(copy.GetBackColor(), clWindow);
}

class TColorHost : public TComponent {
    DECLARE_CLASS(TColorHost, TComponent)
public:
    explicit TColorHost(TComponent* AOwner) : TComponent(AOwner) {}
    TGclColors* GetColors() const { return FColors.get(); }
    static void Published(TPropertyList& P) { P.Add("Colors", &TColorHost::GetColors); }

private:
    std::unique_ptr<TGclColors> FColors = std::make_unique<TGclColors>(clGrayText, clWindow);
};

TEST(GclColors, OldUseDefaultIsReadAndDropped) {
    TColorHost host(nullptr);
    ReadComponentText("object Host: TColorHost\n"
                      "  Colors.BackColor = clRed\n"
                      "  Colors.UseDefault = True\n"
                      "end\n",
                      &host);
    EXPECT_EQ(host.GetColors()->GetBackColor(), clRed);
    EXPECT_FALSE(host.GetColors()->GetUseDefault());
    AnsiString written = WriteComponentText(&host);
    EXPECT_EQ(written.find("UseDefault"), AnsiString::npos);
    EXPECT_NE(written.find("clRed"), AnsiString::npos);
    // A flag of another type is a read error, not a crash.
    EXPECT_THROW(ReadComponentText("object Host: TColorHost\n  Colors.UseDefault = 'x'\nend\n",
                                   &host),
                 Exception);
}

TEST(GclUserData, SetsCasesAndSubstitutes) {
    TGclUserData data;
    EXPECT_TRUE(data.GetUserCharSet('1').test(255));
    EXPECT_FALSE(data.GetUserCharSet('1').test(0));

    TGclCharSet digits;
    digits.set(0);
    for (char c = '0'; c <= '9'; ++c)
        digits.set(static_cast<unsigned char>(c));
    data.SetUserCharSet('3', digits);
    EXPECT_FALSE(data.GetUserCharSet('3').test(0));
    EXPECT_EQ(data.GetUserCharSet('3').count(), 10u);
    data.SetUserCharSet('9', digits);
    EXPECT_TRUE(data.GetUserCharSet('9').none());

    data.SetForceCase('2', mcUpperCase);
    EXPECT_EQ(data.GetForceCase('2'), mcUpperCase);
    EXPECT_EQ(data.GetForceCase('A'), mcNoChange);

    EXPECT_EQ(data.GetSubstChar('A'), '\0');
    EXPECT_EQ(static_cast<unsigned char>(data.GetSubstChar(char(243))), 243);
    data.SetSubstChar(char(243), '-');
    EXPECT_EQ(data.GetSubstChar(char(243)), '-');
    ASSERT_NE(GclUserData, nullptr);
}

} // namespace
