// What the drop-down popups of the date and track edits share: their window, where they
// open, and how they are shown (alpha-blended on the systems that layer windows) and hidden.
#pragma once

#include "classlib/WinControls.h"

// The window of a drop-down: a tool window of its own, never a child, that saves what it
// covers.
void PopupWindowParams(TCreateParams& Params);

// The screen point at which a drop-down Width x Height opens for an owner whose window lies
// at Owner (screen coordinates): under the owner, or above it when it would pass the bottom
// of a screen ScreenHeight high; with ScreenWidth above 0, moved left to end at the right
// edge of a screen that wide when it would pass it.
TPoint DropDownOrigin(const TRect& Owner, int Width, int Height, int ScreenWidth,
                      int ScreenHeight);

// Shows Popup at the screen point At above the other windows without activating it. With
// Blend, on a system that layers windows, its window is layered with Alpha; with Animate as
// well it starts transparent and, once the waiting messages are handled, its alpha rises by
// Step at a time to Alpha (the last step clamped) in one loop. Owner, whose drop-down it is,
// may be deleted while the messages are handled.
void ShowPopup(TComponent* Owner, TWinControl* Popup, const TPoint& At, bool Blend, Byte Alpha,
               bool Animate, int Step);
// Hides Popup, and a layered window becomes plain again.
void HidePopup(TWinControl* Popup);
