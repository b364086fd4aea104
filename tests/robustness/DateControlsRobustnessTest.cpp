// Forms holding the month calendar, the date, track and time edits and a masked edit: damaged
// form texts, and hostile dates, bounds, values, masks and texts in otherwise sound ones. The
// loader builds each form or refuses it with its own exception; the controls keep a look they
// can show. Forms of odd bounds and limits write back what they loaded.
#include "skin/boxctrls/SkinBoxCtrls_DateEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_TimeEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"

#include "classlib/Exceptions.h"

#include "tests/robustness/FormSeeds.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

namespace {

const std::string kDatesSeed = "object Probe: TForm\r\n"
                               "  object MC_Due: TskSkinMonthCalendar\r\n"
                               "    Date = 45478.0\r\n"
                               "    FirstDayOfWeek = Mon\r\n"
                               "  end\r\n"
                               "  object DE_Due: TskSkinDateEdit\r\n"
                               "    Text = '05.07.2024'\r\n"
                               "    Date = 45478.0\r\n"
                               "    CalendarWidth = 220\r\n"
                               "  end\r\n"
                               "  object TK_Level: TskSkinTrackEdit\r\n"
                               "    MinValue = -50\r\n"
                               "    MaxValue = 50\r\n"
                               "    Value = 20\r\n"
                               "  end\r\n"
                               "  object TE_Start: TskSkinTimeEdit\r\n"
                               "    Text = '12:34:56.789'\r\n"
                               "    EditMask = '!90:00:00.000;1; '\r\n"
                               "    ShowMilliseconds = True\r\n"
                               "  end\r\n"
                               "  object ME_Code: TMaskEdit\r\n"
                               "    EditMask = '>LL-00;0;_'\r\n"
                               "    Text = 'AB12'\r\n"
                               "  end\r\n"
                               "end\r\n";

void LoadForm(const std::string& Text) {
    TForm form(nullptr);
    ReadComponentText(Text, &form);
    // What the controls show of what they were given.
    for (int i = 0; i < form.GetComponentCount(); ++i) {
        TComponent* c = form.GetComponent(i);
        if (auto* calendar = dynamic_cast<TskSkinMonthCalendar*>(c)) {
            TBitmap image(calendar->GetWidth(), calendar->GetHeight());
            calendar->DrawCalendar(image.GetCanvas());
        } else if (auto* time = dynamic_cast<TskSkinTimeEdit*>(c)) {
            Word h = 0, m = 0, s = 0, ms = 0;
            time->DecodeTime(h, m, s, ms);
            EXPECT_TRUE(TskSkinTimeEdit::IsValidTime(h, m, s, ms)) << time->GetText();
        } else if (auto* edit = dynamic_cast<TCustomMaskEdit*>(c)) {
            EXPECT_EQ(edit->GetEditText().size(),
                      edit->IsMasked() ? static_cast<std::size_t>(edit->GetMask().Length())
                                       : edit->GetEditText().size());
            edit->GetText();
        }
    }
}

// Text with the value of Property in Object replaced by Value.
std::string WithValue(std::string Text, const std::string& Object, const std::string& Property,
                      const std::string& Value) {
    std::string& text = Text;
    const std::size_t at = text.find("    " + Property + " = ", text.find("object " + Object));
    const std::size_t start = at + Property.size() + 7;
    return text.replace(start, text.find("\r\n", start) - start, Value);
}

std::string WithValue(const std::string& Object, const std::string& Property,
                      const std::string& Value) {
    return WithValue(kDatesSeed, Object, Property, Value);
}

// The form Text loads into, as the writer writes it back.
std::string WrittenBack(const std::string& Text) {
    TForm form(nullptr);
    ReadComponentText(Text, &form);
    return WriteComponentText(&form);
}

TEST(DateControlsRobustness, TheLoaderBuildsOrRefusesEveryDamagedForm) {
    ASSERT_NO_THROW(LoadForm(kDatesSeed));
    TCorpus corpus;
    AddTruncations(corpus, "text", kDatesSeed);
    AddBitFlips(corpus, "text", kDatesSeed, 600, 41);
    const struct {
        const char* Object;
        const char* Property;
    } numbers[] = {{"MC_Due", "Date"},     {"DE_Due", "Date"},      {"TK_Level", "MinValue"},
                   {"TK_Level", "MaxValue"}, {"TK_Level", "Value"}, {"DE_Due", "CalendarWidth"}};
    for (const auto& n : numbers)
        for (const std::string& number : HostileNumbers())
            corpus.push_back({std::string(n.Object) + "." + n.Property + " " + number,
                              WithValue(n.Object, n.Property, number)});
    for (const char* date : {"1e308", "-1e308", "-693594.0", "2958466.0", "-700000.0"})
        for (const char* object : {"MC_Due", "DE_Due"})
            corpus.push_back({std::string(object) + ".Date " + date, WithValue(object, "Date", date)});
    for (const char* mask : {"''", "';;;'", "'\\'", "'!!!<><>'", "'0;0;0'", "';1;_'",
                             "'99:99:99;1; '"})
        for (const char* object : {"TE_Start", "ME_Code"})
            corpus.push_back({std::string(object) + ".EditMask " + mask,
                              WithValue(object, "EditMask", mask)});
    for (const char* text : {"''", "'99:99:99.999'", "'24:00:00.001'", "'-1:00:00'", "'ab:cd:ef'",
                             "'31.02.2024'", "'.....'", "'9999999999999999999'", "#0#1#2",
                             "'12:34'"})
        for (const char* object : {"DE_Due", "TE_Start", "ME_Code"})
            corpus.push_back({std::string(object) + ".Text " + text, WithValue(object, "Text", text)});
    corpus.push_back({"long text", WithValue("TE_Start", "Text", "'" + std::string(100000, '7') + "'")});
    corpus.push_back(
        {"long mask", WithValue("ME_Code", "EditMask", "'" + std::string(100000, '0') + "'")});
    ExpectBoundedLoads<EFilerError>(corpus, LoadForm);
}

// Values a control keeps in its own way (a track edit's bounds the wrong way round, a date
// edit's length limit below 0) are written back as they loaded, and then stay.
TEST(DateControlsRobustness, WhatLoadsWritesBackTheSame) {
    TCorpus corpus;
    for (const char* value : {"-60", "-50", "-5", "0", "20", "50", "60"}) {
        std::string text = WithValue("TK_Level", "MinValue", "50");
        text = WithValue(text, "TK_Level", "MaxValue", "-50");
        corpus.push_back({std::string("TK_Level 50..-50 at ") + value,
                          WithValue(text, "TK_Level", "Value", value)});
    }
    for (const char* limit : {"-1", "-2147483648", "0", "3", "2147483647"}) {
        std::string text = kDatesSeed;
        const std::string object = "object DE_Due: TskSkinDateEdit\r\n";
        text.insert(text.find(object) + object.size(), std::string("    MaxLength = ") + limit + "\r\n");
        corpus.push_back({std::string("DE_Due.MaxLength ") + limit, text});
    }
    ExpectBoundedLoads<EFilerError>(corpus, [](const std::string& Text) {
        const std::string once = WrittenBack(Text);
        EXPECT_EQ(WrittenBack(once), once) << "written back from:\n" << Text;
    });
}

} // namespace
