// More controls drawn by the library itself: panels, paint boxes, pictures, bevels and
// splitters, one unit each.
#pragma once

#include "classlib/Bevels.h"
#include "classlib/Images.h"
#include "classlib/Panels.h"
#include "classlib/Splitters.h"
#include "classlib/StdCtrls.h"
