// The standard controls: labels, buttons, check and radio boxes, edits and memos, list and
// combo boxes, scroll bars and group boxes, one unit each.
//
// Most of them are the system's own window classes (BUTTON, EDIT, LISTBOX, COMBOBOX,
// SCROLLBAR) made through CreateSubClass; their notifications come back to them from the
// parent as CN_COMMAND, CN_DRAWITEM and CN_HSCROLL / CN_VSCROLL. Every property can be set
// before the window exists: it is kept and handed to the window when it is made, and list
// and combo boxes keep their items when the window is made again.
#pragma once

#include "classlib/Buttons.h"
#include "classlib/Edits.h"
#include "classlib/GroupBoxes.h"
#include "classlib/Labels.h"
#include "classlib/ListBoxes.h"
#include "classlib/ScrollBars.h"
