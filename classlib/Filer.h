// The binary form of form resources, and TReader and TWriter, which read and write it.
//
// Values. Each value starts with a one-byte tag; numbers are little-endian.
//   00 vaNull        ends a list, a collection, a set's identifiers, properties, children
//   01 vaList        values up to vaNull
//   02 vaInt8        1 signed byte; integers take the smallest of these four that holds them
//   03 vaInt16       2 bytes
//   04 vaInt32       4 bytes
//   0F vaInt64       8 bytes
//   05 vaDouble      8-byte IEEE double
//   06 vaString      length byte, then the bytes (up to 255)
//   0C vaLString     4-byte length, then the bytes (strings over 255 bytes)
//   07 vaIdent       length byte, then an identifier: an enumeration value, a handler
//                    name or a component reference ("BTN_Add", "DMM.STS_SkinData")
//   08 vaFalse, 09 vaTrue
//   0A vaBinary      4-byte length, then the bytes
//   0B vaSet         identifiers, each a length byte and its characters, then a zero byte
//   0D vaNil         no object
//   0E vaCollection  items, each vaList, properties as below and vaNull; then vaNull
//
// Components. A binary form resource is the signature "VFR1" and one object record:
//   class name    length byte and characters
//   name          length byte and characters (empty for an unnamed component)
//   properties    each a property path (length byte and characters: "Caption",
//                 "Font.Height", "Items.Strings") followed by its value; then vaNull
//   children      object records; then vaNull
// The lines of a TStrings are the list "Strings" of the object; properties that an object
// declares in DefineProperties follow its published ones.
#pragma once

#include "classlib/Objects.h"

#include <functional>
#include <utility>
#include <vector>

class TComponent;
class TCollection;
class TPropInfo;
class TReader;
class TStream;
class TWriter;

enum TValueType : Byte {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaDouble = 0x05,
    vaString = 0x06,
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,
    vaSet = 0x0B,
    vaLString = 0x0C,
    vaNil = 0x0D,
    vaCollection = 0x0E,
    vaInt64 = 0x0F,
};

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// True when Data starts with the binary form's signature; a text form never does.
bool IsBinaryForm(const void* Data, Int64 Size);

// Offsets of records and properties in a binary form converted from text, each with the
// line of the text it came from, by ascending offset.
using TLineMap = std::vector<std::pair<Int64, int>>;

// "Error reading Source (line N): Component.Property: " (parts left out when empty or 0).
AnsiString ReadErrorPrefix(const AnsiString& Source, int Line, const AnsiString& Component,
                           const AnsiString& Property);

// Counts one level of nesting (a list, collection or component inside another) for as long
// as it lives; past 256 levels it raises EReadError "Values nested too deeply", so that
// malformed input cannot exhaust the stack.
class TNestingGuard {
public:
    explicit TNestingGuard(int& Depth);
    ~TNestingGuard();
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
    int& FDepth;
};

class TFiler : public TObject {
    DECLARE_CLASS(TFiler, TObject)
public:
    explicit TFiler(TStream* Stream);

    TStream* GetStream() const { return FStream; }
    // The form or data module being read or written.
    TComponent* GetRoot() const { return FRoot; }
    // Always null: resources here never derive from another form's.
    TPersistent* GetAncestor() const { return nullptr; }

    // For an object's DefineProperties: a property whose value ReadData reads and WriteData
    // writes as exactly one value (usually a list), written only when HasData is true.
    virtual void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                                bool HasData) = 0;
    // The same for a block of bytes; each procedure gets a stream that holds just the block.
    virtual void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData,
                                      TStreamProc WriteData, bool HasData) = 0;

protected:
    TStream* FStream;
    TComponent* FRoot = nullptr;
};

// A reference to a component read by name, to be set once the component is found.
struct TReferenceFixup {
    TComponent* Referrer;  // the component that was being read
    TPersistent* Instance; // the object that has the property (the component or an object of it)
    const TPropInfo* Property;
    AnsiString Target; // "Name" or "Root.Name"
    AnsiString ErrorPrefix;
};

// Reads values, and whole component trees, from a binary form. Every malformed or
// unexpected value raises EReadError ("Stream read error" at the end of the stream,
// "Invalid property value" for a value of the wrong kind).
class TReader : public TFiler {
    DECLARE_CLASS(TReader, TFiler)
public:
    explicit TReader(TStream* Stream);

    // Names the source in error messages; the line map adds text lines to them.
    void SetSourceName(const AnsiString& Name) { FSourceName = Name; }
    void SetLineMap(TLineMap Lines) { FLines = std::move(Lines); }

    TValueType ReadValue();
    TValueType NextValue();
    void SkipValue();
    // True when the next value is vaNull (not consumed).
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    int ReadInteger();
    Int64 ReadInt64();
    bool ReadBoolean();
    // vaString or vaLString.
    AnsiString ReadString();
    // vaDouble or an integer; NaN and infinities raise EReadError.
    double ReadFloat();
    // vaIdent; vaFalse, vaTrue and vaNil give "False", "True" and "nil".
    AnsiString ReadIdent();
    // vaBinary: the bytes.
    std::vector<Byte> ReadBinary();
    // A length byte and that many characters, without tag.
    AnsiString ReadStr();
    // The same as a name or identifier that the text form reads back (dotted parts where
    // AllowDots, nothing where AllowEmpty), or EReadError: both forms take the same names.
    AnsiString ReadName(bool AllowDots, bool AllowEmpty = false);
    void ReadSignature();

    // Reads the root's record into Root: its name and properties, then its children, each
    // created through the class registry with Root as owner and its enclosing object as
    // parent. Every component read is marked loading and reading. Event handlers are bound
    // to Root's published methods; references to components are collected, not set.
    // On failure the message of the exception is prefixed with where it happened, and the
    // components created so far are left as they are (see GetLoaded).
    void ReadRootComponent(TComponent* Root);
    // Root first, then the components created, in creation order.
    const std::vector<TComponent*>& GetLoaded() const { return FLoaded; }
    const std::vector<TReferenceFixup>& GetFixups() const { return FFixups; }
    // The object that encloses the one being read.
    TComponent* GetParent() const { return FParent; }
    // The two parts of a component's record, for its ReadState: the properties up to their
    // end marker, then the child records up to theirs.
    void ReadProperties(TPersistent* Instance);
    void ReadChildren(TComponent* Parent);

    void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;

private:
    Byte ReadByte();
    [[noreturn]] void InvalidValue();
    AnsiString ErrorPrefix() const;
    void NameComponent(TComponent* Component, const AnsiString& Name);
    void ReadComponent(TComponent* Parent);
    void ReadProperty(TPersistent* Instance);
    void ReadPropertyValue(TPersistent* Instance, const AnsiString& Name);
    void ReadPublished(TPersistent* Instance, const TPropInfo* Property);
    void ReadOrdinal(TPersistent* Instance, const TPropInfo* Property);
    void ReadEvent(TPersistent* Instance, const TPropInfo* Property);
    void ReadObject(TPersistent* Instance, const TPropInfo* Property);
    void ReadCollection(TCollection* Collection);

    AnsiString FSourceName;
    TLineMap FLines;
    TComponent* FParent = nullptr;
    TComponent* FComponent = nullptr;
    std::vector<TComponent*> FLoaded;
    std::vector<TReferenceFixup> FFixups;
    // Where the value being read comes from, for error messages.
    Int64 FRecordPosition = 0;
    AnsiString FComponentPath;
    AnsiString FPropertyPath;
    AnsiString FPropertyPrefix;
    // The defined property being looked for while an object runs DefineProperties.
    AnsiString FDefineName;
    bool FDefineFound = false;
    int FNesting = 0;
};

// Writes values, and whole component trees, in the binary form.
class TWriter : public TFiler {
    DECLARE_CLASS(TWriter, TFiler)
public:
    explicit TWriter(TStream* Stream);

    void WriteValue(TValueType Value);
    void WriteListBegin();
    void WriteListEnd();
    // In the smallest integer form that holds Value.
    void WriteInteger(Int64 Value);
    void WriteBoolean(bool Value);
    void WriteString(const AnsiString& Value);
    // EWriteError for infinities and NaN, which have no text form.
    void WriteFloat(double Value);
    // "False", "True" and "nil" become their own tags.
    void WriteIdent(const AnsiString& Ident);
    void WriteBinary(const void* Data, Int64 Size);
    // The tag and length of a binary value, whose Size bytes the caller writes next (or
    // writes in place and then gives their length by writing the header again over it).
    void WriteBinaryHeader(Int64 Size);
    // A length byte and the characters, without tag; EWriteError over 255 characters.
    void WriteStr(const AnsiString& Value);
    void WriteSignature();

    // Writes Root's record: name, the properties that differ from their defaults, then the
    // children that GetChildren reports, each with their own. Handlers are written by the
    // name of Root's published method they are bound to; a handler bound to anything else
    // is left out. References to components are written as "Name" for Root and the
    // components it owns and as "Owner.Name" for others. A number outside the range its
    // property reads raises EWriteError, or is written as the nearest number of the range
    // when the property is WrittenWithinRange: what is written reads back.
    void WriteRootComponent(TComponent* Root);

    void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;

private:
    void WriteBytes(const void* Data, Int64 Size);
    void WriteComponent(TComponent* Component);
    // Defaults, when given, holds the values a reader starts from (TPropInfo::DefaultsFrom).
    void WriteProperties(TPersistent* Instance, const AnsiString& Prefix,
                         TPersistent* Defaults = nullptr);
    void WritePublished(TPersistent* Instance, const TPropInfo* Property, const AnsiString& Prefix,
                        TPersistent* Defaults);
    void WriteOrdinal(const TPropInfo* Property, Int64 Value);
    void WriteCollection(TCollection* Collection);
    AnsiString ReferenceName(TComponent* Component) const;

    AnsiString FPrefix;
    AnsiString FComponentPath;
    AnsiString FPropertyPath;
};
