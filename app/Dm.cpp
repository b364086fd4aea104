#include "app/Dm.h"

TDMM* DMM = nullptr;
