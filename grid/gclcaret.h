// Configurable system carets for self-drawing controls: a caret's look, one caret
// shown in one window at a cell position, and an insert/overwrite pair.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Events.h"
#include "classlib/Objects.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

enum TGclCaretShape { csBlock, csHalfBlock, csVertLine, csHorzLine, csCustom, csBitmap };
enum TGclCaretAlign { caLeft, caTop, caRight, caBottom, caCenter };

// A caret's look, shared by reference count: whoever stores one registers it.
class TGclCaret : public TPersistent {
    DECLARE_CLASS(TGclCaret, TPersistent)
public:
    TGclCaret();
    ~TGclCaret() override;

    void Register() { ++FRefCount; }
    // Frees the caret type when the last holder lets it go.
    void Deregister();

    TBitmap* GetBitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);
    int GetBitmapHotSpotX() const { return FHotSpotX; }
    void SetBitmapHotSpotX(int Value);
    int GetBitmapHotSpotY() const { return FHotSpotY; }
    void SetBitmapHotSpotY(int Value);
    TGclCaretShape GetShape() const { return FShape; }
    void SetShape(TGclCaretShape Value);
    TGclCaretAlign GetAlign() const { return FAlign; }
    void SetAlign(TGclCaretAlign Value);
    Word GetBlinkTime() const { return FBlinkTime; }
    void SetBlinkTime(Word Value);
    int GetCaretHeight() const { return FCaretHeight; }
    void SetCaretHeight(int Value);
    int GetCaretWidth() const { return FCaretWidth; }
    void SetCaretWidth(int Value);
    bool GetIsGray() const { return FIsGray; }
    void SetIsGray(bool Value);

    TNotifyEvent OnChange;

    static void Published(TPropertyList& P);

private:
    void Changed();

    TBitmap* FBitmap;
    int FHotSpotX = 0;
    int FHotSpotY = 0;
    TGclCaretShape FShape = csVertLine;
    TGclCaretAlign FAlign = caLeft;
    Word FBlinkTime = 0;
    int FCaretHeight = 10;
    int FCaretWidth = 2;
    bool FIsGray = false;
    int FRefCount = 0;
};

// One caret type shown in the owner's window at a cell position.
class TGclSingleCaret : public TPersistent {
    DECLARE_CLASS(TGclSingleCaret, TPersistent)
public:
    // The position value that keeps the caret off-screen.
    static constexpr int OffScreen = 2147483647;

    explicit TGclSingleCaret(TWinControl* AOwner);
    ~TGclSingleCaret() override;

    TGclCaret* GetCaretType() const { return FCaretType; }
    void SetCaretType(TGclCaret* Value);
    int GetCellHeight() const { return FCellHeight; }
    void SetCellHeight(int Value);
    int GetCellWidth() const { return FCellWidth; }
    void SetCellWidth(int Value);
    bool GetLinked() const { return FLinked; }
    void SetLinked(bool Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    TPoint GetPos() const { return FPos; }
    void SetPos(TPoint Value);
    TPoint GetOffset() const { return FOffset; }

protected:
    // Takes Value as the type in use: registers it and re-links.
    void UseCaretType(TGclCaret* Value);

private:
    void Reinit();
    void Relink(TObject* Sender);
    void Link();
    void Unlink();
    void MoveCaret();

    TWinControl* FOwner;
    TGclCaret* FCaretType = nullptr;
    int FCellHeight = 10;
    int FCellWidth = 10;
    bool FLinked = false;
    bool FVisible = false;
    TPoint FPos{0, 0};
    TPoint FOffset{0, 0};
    UINT FSavedBlinkTime = 0;
};

// An insert and an overwrite caret type, switched by InsMode.
class TGclCaretPair : public TGclSingleCaret {
    DECLARE_CLASS(TGclCaretPair, TGclSingleCaret)
public:
    explicit TGclCaretPair(TWinControl* AOwner);
    ~TGclCaretPair() override;

    bool GetInsMode() const { return FInsMode; }
    void SetInsMode(bool Value);
    TGclCaret* GetInsCaretType() const { return FInsType; }
    void SetInsCaretType(TGclCaret* Value);
    TGclCaret* GetOvrCaretType() const { return FOvrType; }
    void SetOvrCaretType(TGclCaret* Value);

private:
    // Replaces Slot by Value, counting references.
    void ReplaceType(TGclCaret*& Slot, TGclCaret* Value);

    bool FInsMode = true;
    TGclCaret* FInsType;
    TGclCaret* FOvrType;
};
DECLARE_UNIT(gclcaret)
