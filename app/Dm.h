// The data module. The skin it will hold is not part of the program yet, so for now it
// holds nothing.
#pragma once

#include "classlib/Forms.h"

class TDMM : public TDataModule {
    DECLARE_CLASS(TDMM, TDataModule)
public:
    explicit TDMM(TComponent* AOwner) : TDataModule(AOwner) {}
};

extern TDMM* DMM;
