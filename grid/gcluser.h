// The definitions of the eight user-defined picture-mask characters "1" to "8":
// the characters each accepts, its case conversion, and the literals shown for the
// substitution mask characters 241 to 248.
#pragma once

#include "classlib/Objects.h"
#include "classlib/UnitInit.h"
#include "grid/gcldata.h"

enum TCaseChange { mcNoChange, mcUpperCase, mcLowerCase, mcMixedCase };

class TGclUserData : public TObject {
    DECLARE_CLASS(TGclUserData, TObject)
public:
    TGclUserData();

    // Keys outside "1" to "8" (and codes outside 241 to 248) are ignored.
    TGclCharSet GetUserCharSet(char MaskChar) const;
    // Code 0 is never part of a set.
    void SetUserCharSet(char MaskChar, const TGclCharSet& Value);
    TCaseChange GetForceCase(char MaskChar) const;
    void SetForceCase(char MaskChar, TCaseChange Value);
    char GetSubstChar(char Ch) const;
    void SetSubstChar(char Ch, char Value);

private:
    TGclCharSet FCharSets[8];
    TCaseChange FForceCase[8];
    char FSubstChars[8];
};

// The process-wide definitions, made when the unit starts.
extern TGclUserData* GclUserData;

DECLARE_UNIT(gcluser)
