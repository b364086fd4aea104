#include "grid/gcluser.h"

TGclUserData* GclUserData = nullptr;

namespace {
int UserIndex(char MaskChar) {
    return MaskChar >= '1' && MaskChar <= '8' ? MaskChar - '1' : -1;
}
int SubstIndex(char Ch) {
    int code = static_cast<unsigned char>(Ch);
    return code >= 241 && code <= 248 ? code - 241 : -1;
}
} // namespace

TGclUserData::TGclUserData() {
    for (int i = 0; i < 8; ++i) {
        FCharSets[i].set();
        FCharSets[i].reset(0);
        FForceCase[i] = mcNoChange;
        FSubstChars[i] = static_cast<char>(241 + i);
    }
}

TGclCharSet TGclUserData::GetUserCharSet(char MaskChar) const {
    int i = UserIndex(MaskChar);
    return i < 0 ? TGclCharSet() : FCharSets[i];
}

void TGclUserData::SetUserCharSet(char MaskChar, const TGclCharSet& Value) {
    int i = UserIndex(MaskChar);
    if (i < 0) return;
    FCharSets[i] = Value;
    FCharSets[i].reset(0);
}

TCaseChange TGclUserData::GetForceCase(char MaskChar) const {
    int i = UserIndex(MaskChar);
    return i < 0 ? mcNoChange : FForceCase[i];
}

void TGclUserData::SetForceCase(char MaskChar, TCaseChange Value) {
    int i = UserIndex(MaskChar);
    if (i >= 0) FForceCase[i] = Value;
}

char TGclUserData::GetSubstChar(char Ch) const {
    int i = SubstIndex(Ch);
    return i < 0 ? '\0' : FSubstChars[i];
}

void TGclUserData::SetSubstChar(char Ch, char Value) {
    int i = SubstIndex(Ch);
    if (i >= 0) FSubstChars[i] = Value;
}

namespace {
void StartUserData() {
    GclUserData = new TGclUserData;
}
void FinishUserData() {
    delete GclUserData;
    GclUserData = nullptr;
}
} // namespace

DEFINE_UNIT(gcluser, uoGridModules, StartUserData, FinishUserData);
