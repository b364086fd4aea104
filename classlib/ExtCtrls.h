// More controls drawn by the library itself: panels, paint boxes, pictures, bevels,
// splitters and control bars, one unit each.
#pragma once

#include "classlib/Bevels.h"
#include "classlib/ControlBars.h"
#include "classlib/Images.h"
#include "classlib/Panels.h"
#include "classlib/Splitters.h"
#include "classlib/StdCtrls.h"
