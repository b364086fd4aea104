#include "classlib/GdiCounter.h"

#include <atomic>

namespace {
std::atomic<long> LiveObjects{0};

BOOL Counted(BOOL Deleted) {
    if (Deleted) --LiveObjects;
    return Deleted;
}
} // namespace

long GdiObjectCount() {
    return LiveObjects.load();
}

void GdiCountCreated() {
    ++LiveObjects;
}

BOOL GdiDeleteObject(HGDIOBJ Object) {
    return Object ? Counted(DeleteObject(Object)) : FALSE;
}

BOOL GdiDeleteDC(HDC DC) {
    return DC ? Counted(DeleteDC(DC)) : FALSE;
}

BOOL GdiDestroyIcon(HICON Icon) {
    return Icon ? Counted(DestroyIcon(Icon)) : FALSE;
}

BOOL GdiDeleteEnhMetaFile(HENHMETAFILE Metafile) {
    return Metafile ? Counted(DeleteEnhMetaFile(Metafile)) : FALSE;
}
