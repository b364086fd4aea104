#include "classlib/Controls.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Persistence.h"

#include <gtest/gtest.h>

namespace {

// Types with internal linkage have no consistent order with the others under this
// toolchain's type_info::before, so the registry must not rely on one.
enum TEarlyA { eaOne, eaTwo };
enum TEarlyB { ebOne, ebTwo };
enum TEarlyC { ecOne, ecTwo };
enum TLateA { laOne, laTwo };
enum TLateB { lbOne, lbTwo };
enum TLateC { lcOne, lcTwo };

// Before the class library registers its own (its units start in main).
const bool kEarly = RegisterEnum<TEarlyA>({"eaOne", "eaTwo"}) &&
                    RegisterEnum<TEarlyB>({"ebOne", "ebTwo"}) &&
                    RegisterEnum<TEarlyC>({"ecOne", "ecTwo"});

template <typename E> AnsiString SecondName() {
    const TEnumInfo* info = GetEnumInfo<E>();
    return info ? info->NameOf(1) : AnsiString("unregistered");
}

TEST(EnumRegistry, LocalEnumerationsBeforeAndAfterTheLibrarysOwnAreAllFound) {
    ASSERT_TRUE(kEarly);
    RegisterEnum<TLateA>({"laOne", "laTwo"});
    RegisterEnum<TLateB>({"lbOne", "lbTwo"});
    RegisterEnum<TLateC>({"lcOne", "lcTwo"});

    EXPECT_EQ(SecondName<TEarlyA>(), "eaTwo");
    EXPECT_EQ(SecondName<TEarlyB>(), "ebTwo");
    EXPECT_EQ(SecondName<TEarlyC>(), "ecTwo");
    EXPECT_EQ(SecondName<TLateA>(), "laTwo");
    EXPECT_EQ(SecondName<TLateB>(), "lbTwo");
    EXPECT_EQ(SecondName<TLateC>(), "lcTwo");
    EXPECT_EQ(SecondName<TAlign>(), "alTop");
    EXPECT_EQ(SecondName<TBorderIcon>(), "biMinimize");
    EXPECT_EQ(SecondName<TPosition>(), "poDefault");
    EXPECT_EQ(SecondName<TWindowState>(), "wsMinimized");
    EXPECT_EQ(SecondName<TCloseAction>(), "caHide");
}

TEST(EnumRegistry, FormsLoadWithLocalEnumerationsRegistered) {
    RegisterEnum<TLateA>({"laOne", "laTwo"});
    TForm form(nullptr);
    ReadComponentText("object Probe: TForm\n"
                      "  BorderIcons = [biSystemMenu]\n"
                      "  Position = poScreenCenter\n"
                      "  Font.Style = [fsBold]\n"
                      "end",
                      &form);
    EXPECT_TRUE(form.GetBorderIcons() == TBorderIcons{biSystemMenu});
    EXPECT_EQ(form.GetPosition(), poScreenCenter);
}

} // namespace
