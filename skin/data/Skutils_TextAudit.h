// A check of the texts that skinned controls draw, for tests that watch the program from
// outside: when the environment variable VANTOREL_TEXT_AUDIT names a file, every caption
// drawn into a text rectangle is appended to it as one line
//   room width, room height, needed width, needed height, text
// (tab-separated, line breaks of the text shown as "|"), the need measured in the font the
// canvas draws with. Without the variable nothing is measured or written.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/Platform.h"

// Text as drawn into Room with the DrawText Flags given (DT_WORDBREAK wraps at Room's width).
void AuditTextRoom(TCanvas* Canvas, const TRect& Room, const AnsiString& Text,
                   UINT Flags = DT_SINGLELINE);
