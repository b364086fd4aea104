// The international settings from injected WIN.INI and registry values, the
// setting-change broadcast, and a few readings of Wine's real store.
#include "grid/gclexcpt.h"
#include "grid/gclintl.h"

#include "classlib/DateTime.h"
#include "classlib/Forms.h"
#include "classlib/Strings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

class TFakeSource : public TGclIntlSource {
public:
    std::map<std::string, std::string> Values;
    bool HasRegistry = false;
    AnsiString Registry;

    bool ProfileString(const char* Key, AnsiString& Value) override {
        auto found = Values.find(Key);
        if (found == Values.end()) return false;
        Value = found->second;
        return true;
    }
    int ProfileInt(const char* Key, int Default) override {
        auto found = Values.find(Key);
        return found == Values.end() ? Default : StrToIntDef(found->second, 0);
    }
    bool RegistryShortDate(AnsiString& Value) override {
        if (HasRegistry) Value = Registry;
        return HasRegistry;
    }
};

class Locale : public testing::Test {
protected:
    void SetUp() override {
        Previous = SetGclIntlSource(&Source);
        SavedTimeFormat = LongTimeFormat;
        LongTimeFormat = "h:mm:ss";
    }
    void TearDown() override {
        SetGclIntlSource(Previous);
        LongTimeFormat = SavedTimeFormat;
    }
    std::unique_ptr<TGclIntlSup> Make() { return std::make_unique<TGclIntlSup>(); }

    TFakeSource Source;
    TGclIntlSource* Previous = nullptr;
    AnsiString SavedTimeFormat;
};

} // namespace

TEST_F(Locale, DefaultsWithoutAnySettings) {
    auto intl = Make();
    EXPECT_EQ(intl->DecimalChar, '.');
    EXPECT_EQ(intl->CommaChar, ',');
    EXPECT_EQ(intl->CurrencyDigits, 2);
    EXPECT_EQ(intl->NegCurrencyForm, 0);
    EXPECT_EQ(intl->ListChar, ',');
    EXPECT_EQ(intl->GetCountry(), "");
    EXPECT_EQ(intl->CurrencyLtStr, "$");
    EXPECT_EQ(intl->CurrencyRtStr, "$");
    EXPECT_EQ(intl->CurrencyForm, 0);
    EXPECT_FALSE(intl->HourLeadingZero);
    EXPECT_FALSE(intl->TwelveHour);
    EXPECT_EQ(intl->ColonChar, ':');
    EXPECT_EQ(intl->SlashChar, '/');
    EXPECT_EQ(intl->AmString, "AM");
    EXPECT_EQ(intl->PmString, "PM");
    EXPECT_EQ(intl->ShortDate, "MM/dd/yy");
    EXPECT_EQ(intl->LongDate, "wwww, nnnn dd, yyyy");
    EXPECT_EQ(intl->LongDateSub1 + intl->LongDateSub2 + intl->LongDateSub3, "");
    const std::string letters{intl->YesChar, intl->NoChar, intl->TrueChar, intl->FalseChar};
    EXPECT_EQ(letters, "YNTF");
}

TEST_F(Locale, SeparatorsCurrencyAndClock) {
    Source.Values = {{"sDecimal", ","}, {"sThousand", ","}, {"sCurrency", "DM"}, {"iCurrency", "3"},
                     {"sTime", "."}, {"iTLZero", "7"}, {"iCurrDigits", "258"}};
    LongTimeFormat = "h:mm:ss AMPM";
    auto intl = Make();
    EXPECT_EQ(intl->DecimalChar, '.');
    EXPECT_EQ(intl->CommaChar, ',');
    EXPECT_EQ(intl->CurrencyLtStr, "DM");
    EXPECT_EQ(intl->CurrencyRtStr, " DM");
    EXPECT_EQ(intl->ColonChar, ':'); // the separator is read from "sTTime" alone
    EXPECT_TRUE(intl->HourLeadingZero);
    EXPECT_TRUE(intl->TwelveHour);
    EXPECT_EQ(intl->CurrencyDigits, 2); // low 8 bits of 258
    Source.Values = {{"sDecimal", ""}, {"sCurrency", "DM"}, {"iCurrency", "2"}, {"sTTime", "-"}, {"sTime", "."}};
    LongTimeFormat = "AMPM h:mm:ss";
    intl->ResetInternationalInfo();
    EXPECT_EQ(intl->DecimalChar, '.');
    EXPECT_EQ(intl->CurrencyLtStr, "DM ");
    EXPECT_EQ(intl->CurrencyRtStr, "DM");
    EXPECT_EQ(intl->ColonChar, '-');
    EXPECT_FALSE(intl->TwelveHour);
    intl->SetCurrencyLtStr("ABCDEFG");
    EXPECT_EQ(intl->GetCurrencyLtStr(), "ABCDE");
    Source.Values = {{"sCurrency", "ABCDEFGH"}, {"iCurrency", "2"}, {"s1159", "morning"}};
    intl->ResetInternationalInfo();
    EXPECT_EQ(intl->CurrencyLtStr, "ABCDE "); // five read, then the space
    EXPECT_EQ(intl->AmString, "morni");
}

TEST_F(Locale, ShortDateFromWinIniOrRegistry) {
    Source.Values = {{"sShortDate", "dd.MM.yyyy"}, {"sDate", "."}};
    EXPECT_EQ(Make()->ShortDate, "dd/MM/yyyy");
    Source.Values = {{"sShortDate", "dd-MMM-yy"}, {"sDate", "-"}};
    EXPECT_EQ(Make()->ShortDate, "dd/nnn/yy");
    Source.Values = {{"sShortDate", "M/d/yy"}, {"sDate", "-"}};
    Source.HasRegistry = true;
    Source.Registry = "yyyy-MM-dd";
    EXPECT_EQ(Make()->ShortDate, "yyyy/MM/dd");
    Source.Registry = std::string(40, 'd');
    EXPECT_EQ(Make()->ShortDate.size(), 29u);
    Source.HasRegistry = false;
    Source.Values = {{"sShortDate", std::string(40, 'y')}};
    EXPECT_EQ(Make()->ShortDate.size(), 29u);
}

TEST_F(Locale, LongDateLiteralsAndMarks) {
    Source.Values = {{"sLongDate", "dddd, d' de 'MMMM' de 'yyyy"}};
    auto intl = Make();
    EXPECT_EQ(intl->LongDate, "wwww, dffffnnnnggggyyyy");
    EXPECT_EQ(intl->LongDateSub1, " de ");
    EXPECT_EQ(intl->LongDateSub2, " de ");
    EXPECT_EQ(intl->LongDateSub3, "");
    Source.Values = {{"sLongDate", "d'abcdefgh'yyyy"}};
    intl->ResetInternationalInfo();
    EXPECT_EQ(intl->LongDate, "dffffffyyyy");
    EXPECT_EQ(intl->LongDateSub1, "abcdef");
    Source.Values = {{"sLongDate", "d'yyyy"}};
    intl->ResetInternationalInfo();
    EXPECT_EQ(intl->LongDate, "dyyyy");
    EXPECT_EQ(intl->LongDateSub1, "");
    Source.Values = {{"sLongDate", "d.MMMM yyyy"}};
    intl->ResetInternationalInfo();
    EXPECT_EQ(intl->LongDate, "d. nnnn yyyy");
    // Blanks after "," and "." may take a full-length format past its 39 characters.
    Source.Values = {{"sLongDate", "d,d,d,d,d,d,d,d,d,d,d,d,d,d,d,d,d,d,d,d"}};
    intl->ResetInternationalInfo();
    EXPECT_EQ(intl->LongDate.size(), 39u + 19u);
}

TEST_F(Locale, SettingChangeBroadcast) {
    auto intl = Make();
    EXPECT_EQ(intl->WindowHandle(), nullptr);
    intl->SetAutoUpdate(true);
    const HWND wnd = intl->WindowHandle();
    ASSERT_NE(wnd, nullptr);
    intl->SetAutoUpdate(true);
    EXPECT_EQ(intl->WindowHandle(), wnd);
    Source.Values = {{"sDecimal", ","}, {"sThousand", "."}};
    int calls = 0;
    intl->OnWinIniChange = TNotifyEvent::FromCallable([&](TObject*) { ++calls; });
    SendMessageA(wnd, WM_WININICHANGE, 0, 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(intl->DecimalChar, '.'); // the handler runs in place of the reload
    intl->OnWinIniChange = nullptr;
    SendMessageA(wnd, WM_WININICHANGE, 0, 0);
    EXPECT_EQ(intl->DecimalChar, ',');
    intl->SetAutoUpdate(false);
    EXPECT_EQ(intl->WindowHandle(), nullptr);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST(LocaleWine, RealStoreGivesAUsablePicture) {
    TGclIntlSup intl;
    EXPECT_NE(intl.DecimalChar, intl.CommaChar);
    EXPECT_FALSE(intl.ShortDate.empty());
    const AnsiString picture = intl.InternationalDate(true);
    EXPECT_NE(picture.find("yyyy"), AnsiString::npos) << picture;
    const TStDate date = DMYtoStDate(6, 12, 2026, 0);
    EXPECT_EQ(intl.DateStringToDate(picture, intl.DateToDateString(picture, date, false), 1900), date);
    const AnsiString time = intl.InternationalTime(true);
    EXPECT_EQ(intl.TimeStringToTime(time, intl.TimeToTimeString(time, 45296, false)), 45296) << time;
}

TEST(LocaleWine, GlobalSettingsAndRangeMessages) {
    ASSERT_NE(GclIntlSup, nullptr);
    EXPECT_EQ(GclIntlSup->GetAutoUpdate(), false);
    const AnsiString date = GclIntlSup->InternationalDate(true);
    EXPECT_EQ(AnsiString(EInvalidRangeValue(14).what()),
              "Invalid date range. Enter a value using '" + date + "' as the format");
    EXPECT_EQ(AnsiString(EInvalidRangeValue(15).what()),
              "Invalid time range. Enter a value using '" + GclIntlSup->InternationalTime(false) +
                  "' as the format");
}
