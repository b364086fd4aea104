// A locale for tests that must not depend on the machine's: English names, and the short
// date format and date separator given.
#pragma once

#include "classlib/DateTime.h"

class TFixedLocale : public TLocaleSource {
public:
    TFixedLocale(const char* ShortDate, const char* Separator)
        : FShortDate(ShortDate), FSeparator(Separator) {}
    bool LocaleText(LCTYPE Item, AnsiString& Value) override {
        if (Item == LOCALE_SSHORTDATE)
            Value = FShortDate;
        else if (Item == LOCALE_SDATE)
            Value = FSeparator;
        else
            return false; // the English names
        return true;
    }

private:
    AnsiString FShortDate, FSeparator;
};
