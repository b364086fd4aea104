// The records of a metafile checked before the system plays them. The system's player takes
// every count, offset and object index of a record as it stands, so a damaged record would
// make it read or write outside the file or its handle table. Only records whose layout is
// known here pass, and only when everything they point at lies within them.
#pragma once

#include "classlib/Types.h"

#include "classlib/Platform.h"

#include <cstddef>
#include <vector>

// True when every record of the enhanced metafile File can be played: the header first with
// a handle table and device sizes, the end record last, each record within its own size,
// naming only the table's objects, and holding the points, characters, regions and pictures
// its counts say.
bool EnhancedRecordsPlayable(const std::vector<Byte>& File);

// The same for the Size bytes of records of a Windows metafile (after its header) whose
// handle table holds Objects entries; the end record may be followed by nothing that counts.
bool WindowsRecordsPlayable(const Byte* Records, std::size_t Size, unsigned Objects);

// Plays Metafile into Rect of DC record by record, leaving out the drawing records that would
// reach too far on the device (a damaged coordinate, transform, pen or font size makes the
// system work for minutes on a shape millions of pixels wide): the rest of the picture shows.
void PlayWithinReach(HDC DC, HENHMETAFILE Metafile, const RECT& Rect);
