// How a skinned form hands a skin change to its controls: BeforeChangeSkinData on every
// control of the tree that follows the changing skin data object, then the reload, then
// ChangeSkinData on the same controls. The form frame calls it around every load.
#pragma once

#include "skin/controls/SkinCtrls_Client.h"

#include "classlib/WinControls.h"

#include <functional>
#include <vector>

// The controls of Root's tree (windowed children descended into) that follow Data, all
// that follow a skin when Data is null; Root itself is not included.
std::vector<TskSkinFollower*> SkinnedControlsOf(TWinControl* Root, TskSkinData* Data);

// Call on each of those controls in turn. A control may rebuild its children when the
// skin changes (the page control makes its up-down anew): one that an earlier call
// deleted is passed over.
void ForEachSkinnedControl(TWinControl* Root, TskSkinData* Data,
                           const std::function<void(TskSkinFollower*)>& Call);

// Before, Reload, after, in that order; a Reload that throws still lets the controls
// look their records up again (they paint unskinned from an empty skin).
void RelaySkinChange(TWinControl* Root, TskSkinData* Data, const std::function<void()>& Reload);
