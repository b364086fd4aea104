// The data module: it holds the program's skin. Its form resource stores the skin
// (STS_StoredSkin) and the skin data that every skinned element shares (STS_SkinData);
// reading the resource loads the skin.
#pragma once

#include "classlib/Forms.h"

class TskSkinData;
class TskStoredSkin;

class TDMM : public TDataModule {
    DECLARE_CLASS(TDMM, TDataModule)
public:
    explicit TDMM(TComponent* AOwner) : TDataModule(AOwner) {}

    TskSkinData* STS_SkinData = nullptr;
    TskStoredSkin* STS_StoredSkin = nullptr;

    static void Published(TPropertyList& P);
};

extern TDMM* DMM;
