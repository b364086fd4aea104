// Counts the GDI objects (pens, brushes, fonts, bitmaps, regions, device contexts)
// and icons that the class library creates and has not deleted yet, so that tests
// can prove that nothing leaks (the system's own resource counters are not reliable
// under every Windows implementation).
//
// Every creation goes through GdiTrack, every deletion through GdiDeleteObject,
// GdiDeleteDC or GdiDestroyIcon. Stock objects are neither tracked nor deleted.
#pragma once

#include "classlib/Platform.h"

// Objects tracked and not deleted yet.
long GdiObjectCount();

// Counts one more object when Created is not null, and returns it.
void GdiCountCreated();
template <typename Handle> Handle GdiTrack(Handle Created) {
    if (Created) GdiCountCreated();
    return Created;
}

// Delete a tracked object; a null handle is ignored. Return what the system returned.
BOOL GdiDeleteObject(HGDIOBJ Object);
BOOL GdiDeleteDC(HDC DC);
BOOL GdiDestroyIcon(HICON Icon);
BOOL GdiDeleteEnhMetaFile(HENHMETAFILE Metafile);
