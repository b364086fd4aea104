#include "grid/gcldata.h"

#include "grid/Gcl32sr.h"

#include "classlib/Platform.h"

namespace {

TGclCharSet AlphaCharSet;

void BuildAlphaCharSet() {
    AlphaCharSet.reset();
    for (unsigned char c : {' ', ',', '-', '.'})
        AlphaCharSet.set(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        AlphaCharSet.set(c);
    for (int c = 'a'; c <= 'z'; ++c)
        AlphaCharSet.set(c);
    for (int c = 128; c <= 255; ++c)
        if (IsCharAlphaA(static_cast<CHAR>(c))) AlphaCharSet.set(c);
}

} // namespace

AnsiString GetGclStr(Word Num) {
    AnsiString text = ResourceStrByNumber(Num);
    return text.empty() ? AnsiString("Unknown") : text;
}

const TGclCharSet& GclAlphaCharSet() {
    return AlphaCharSet;
}

DEFINE_UNIT(gcldata, uoGridModules, BuildAlphaCharSet, nullptr);
