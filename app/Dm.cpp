#include "app/Dm.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Stored.h"

#include "classlib/Persistence.h"

TDMM* DMM = nullptr;

void TDMM::Published(TPropertyList& P) {
    P.Field("STS_SkinData", &TDMM::STS_SkinData);
    P.Field("STS_StoredSkin", &TDMM::STS_StoredSkin);
}
