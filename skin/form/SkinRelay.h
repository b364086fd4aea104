// How a skinned form hands a skin change to its controls: BeforeChangeSkinData on every
// skinned control of the tree that uses the changing skin data object, then the reload,
// then ChangeSkinData on the same controls. The form frame calls it around every load.
#pragma once

#include "skin/controls/SkinCtrls_Client.h"

#include "classlib/WinControls.h"

#include <functional>
#include <vector>

// The skinned controls of Root's tree (windowed children descended into) whose skin
// data is Data, all of them when Data is null; Root itself is not included.
std::vector<TskSkinClient*> SkinnedControlsOf(TWinControl* Root, TskSkinData* Data);

// Before, Reload, after, in that order; a Reload that throws still lets the controls
// look their records up again (they paint unskinned from an empty skin).
void RelaySkinChange(TWinControl* Root, TskSkinData* Data, const std::function<void()>& Reload);
