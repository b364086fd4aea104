#include "classlib/Filer.h"

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Persistence.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
// Last: it brings <windows.h> and its macros.
#include "classlib/ClassRegistry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

const char kSignature[4] = {'V', 'F', 'R', '1'};

AnsiString ChildPath(TComponent* Root, const AnsiString& ClassName, const AnsiString& Name) {
    AnsiString own = Name.empty() ? ClassName : Name;
    return Root->GetName().empty() ? own : Root->GetName() + "." + own;
}

// Brackets an update of a list or collection; EndUpdate also runs when reading fails.
template <typename T, typename F> void InUpdate(T* Target, F Work) {
    Target->BeginUpdate();
    try {
        Work();
    } catch (...) {
        try {
            Target->EndUpdate();
        } catch (...) {
        }
        throw;
    }
    Target->EndUpdate();
}

} // namespace

AnsiString ReadErrorPrefix(const AnsiString& Source, int Line, const AnsiString& Component,
                           const AnsiString& Property) {
    AnsiString result = "Error reading " + (Source.empty() ? AnsiString("form resource") : Source);
    if (Line > 0) result += " (line " + IntToStr(Line) + ")";
    result += ": ";
    if (!Component.empty()) result += Component + (Property.empty() ? ": " : ".");
    if (!Property.empty()) result += Property + ": ";
    return result;
}

TNestingGuard::TNestingGuard(int& Depth) : FDepth(Depth) {
    if (FDepth >= 256) throw EReadError("Values nested too deeply");
    ++FDepth;
}

TNestingGuard::~TNestingGuard() {
    --FDepth;
}

TFiler::TFiler(TStream* Stream) : FStream(Stream) {}

// ---- TReader: values ----------------------------------------------------------

TReader::TReader(TStream* Stream) : TFiler(Stream) {}

Byte TReader::ReadByte() {
    Byte b;
    FStream->ReadBuffer(&b, 1);
    return b;
}

void TReader::InvalidValue() {
    throw EReadError("Invalid property value");
}

TValueType TReader::ReadValue() {
    return static_cast<TValueType>(ReadByte());
}

TValueType TReader::NextValue() {
    TValueType value = ReadValue();
    FStream->Seek(-1, soCurrent);
    return value;
}

bool TReader::EndOfList() {
    return NextValue() == vaNull;
}

void TReader::ReadListBegin() {
    if (ReadValue() != vaList) InvalidValue();
}

void TReader::ReadListEnd() {
    if (ReadValue() != vaNull) InvalidValue();
}

namespace {

// Count little-endian bytes as a signed number of that width.
Int64 ReadSigned(TStream* Stream, int Count) {
    Byte bytes[8];
    Stream->ReadBuffer(bytes, Count);
    std::uint64_t bits = 0;
    for (int i = Count - 1; i >= 0; --i)
        bits = (bits << 8) | bytes[i];
    if (Count < 8 && (bits >> (Count * 8 - 1)) & 1) bits |= ~std::uint64_t(0) << (Count * 8);
    return static_cast<Int64>(bits);
}

std::uint32_t ReadLength(TStream* Stream) {
    return static_cast<std::uint32_t>(ReadSigned(Stream, 4));
}

// Count bytes, refusing a count that the stream cannot hold before allocating it.
AnsiString ReadChars(TStream* Stream, Int64 Count) {
    if (Count > Stream->GetSize() - Stream->GetPosition()) throw EReadError("Stream read error");
    AnsiString result(static_cast<std::size_t>(Count), '\0');
    if (Count > 0) Stream->ReadBuffer(result.data(), Count);
    return result;
}

Int64 IntegerBody(TStream* Stream, TValueType Type, bool& IsInteger) {
    IsInteger = true;
    switch (Type) {
    case vaInt8:
        return ReadSigned(Stream, 1);
    case vaInt16:
        return ReadSigned(Stream, 2);
    case vaInt32:
        return ReadSigned(Stream, 4);
    case vaInt64:
        return ReadSigned(Stream, 8);
    default:
        IsInteger = false;
        return 0;
    }
}

} // namespace

Int64 TReader::ReadInt64() {
    bool isInteger;
    Int64 value = IntegerBody(FStream, ReadValue(), isInteger);
    if (!isInteger) InvalidValue();
    return value;
}

int TReader::ReadInteger() {
    Int64 value = ReadInt64();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EReadError("Value " + IntToStr(value) + " is out of range");
    return static_cast<int>(value);
}

bool TReader::ReadBoolean() {
    TValueType type = ReadValue();
    if (type != vaFalse && type != vaTrue) InvalidValue();
    return type == vaTrue;
}

AnsiString TReader::ReadString() {
    switch (ReadValue()) {
    case vaString:
        return ReadChars(FStream, ReadByte());
    case vaLString:
        return ReadChars(FStream, ReadLength(FStream));
    default:
        InvalidValue();
    }
}

double TReader::ReadFloat() {
    TValueType type = ReadValue();
    if (type == vaDouble) {
        double value;
        FStream->ReadBuffer(&value, sizeof value);
        // As in the text form, which has no way to write them.
        if (!std::isfinite(value)) throw EReadError("Invalid floating point value");
        return value;
    }
    bool isInteger;
    Int64 value = IntegerBody(FStream, type, isInteger);
    if (!isInteger) InvalidValue();
    return static_cast<double>(value);
}

AnsiString TReader::ReadIdent() {
    switch (ReadValue()) {
    case vaIdent:
        return ReadName(true);
    case vaFalse:
        return "False";
    case vaTrue:
        return "True";
    case vaNil:
        return "nil";
    default:
        InvalidValue();
    }
}

std::vector<Byte> TReader::ReadBinary() {
    if (ReadValue() != vaBinary) InvalidValue();
    AnsiString bytes = ReadChars(FStream, ReadLength(FStream));
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

bool IsBinaryForm(const void* Data, Int64 Size) {
    return Size >= Int64(sizeof kSignature) &&
           std::memcmp(Data, kSignature, sizeof kSignature) == 0;
}

AnsiString TReader::ReadStr() {
    return ReadChars(FStream, ReadByte());
}

namespace {

AnsiString Printable(const AnsiString& S) {
    AnsiString shown;
    for (char c : S.substr(0, 32))
        shown += static_cast<unsigned char>(c) < 32 ? '?' : c;
    return shown;
}

} // namespace

AnsiString TReader::ReadName(bool AllowDots, bool AllowEmpty) {
    AnsiString name = ReadStr();
    if (!IsValidIdent(name, AllowDots) && !(AllowEmpty && name.empty()))
        throw EReadError("Invalid name or identifier '" + Printable(name) + "'");
    return name;
}

void TReader::ReadSignature() {
    char signature[sizeof kSignature];
    if (FStream->Read(signature, sizeof signature) != sizeof signature ||
        std::memcmp(signature, kSignature, sizeof signature) != 0)
        throw EReadError("Invalid stream format");
}

void TReader::SkipValue() {
    TNestingGuard nesting(FNesting);
    switch (TValueType type = ReadValue()) {
    case vaList:
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        break;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: {
        bool isInteger;
        IntegerBody(FStream, type, isInteger);
        break;
    }
    case vaDouble:
        ReadChars(FStream, sizeof(double));
        break;
    case vaString:
    case vaIdent:
        ReadStr();
        break;
    case vaLString:
    case vaBinary:
        ReadChars(FStream, ReadLength(FStream));
        break;
    case vaFalse:
    case vaTrue:
    case vaNil:
        break;
    case vaSet:
        while (!ReadStr().empty()) {
        }
        break;
    case vaCollection:
        while (!EndOfList()) {
            ReadListBegin();
            while (!EndOfList()) {
                ReadStr();
                SkipValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        break;
    default:
        InvalidValue();
    }
}

// ---- TReader: components ------------------------------------------------------

AnsiString TReader::ErrorPrefix() const {
    int line = 0;
    auto after = std::upper_bound(FLines.begin(), FLines.end(), FRecordPosition,
                                  [](Int64 pos, const auto& entry) { return pos < entry.first; });
    if (after != FLines.begin()) line = std::prev(after)->second;
    return ReadErrorPrefix(FSourceName, line, FComponentPath, FPropertyPath);
}

void TReader::ReadRootComponent(TComponent* Root) {
    FRoot = Root;
    FComponent = Root;
    FParent = nullptr;
    try {
        ReadSignature();
        FRecordPosition = FStream->GetPosition();
        AnsiString className = ReadStr();
        AnsiString name = ReadStr();
        FComponentPath = name.empty() ? className : name;
        if (!SameText(className, Root->ClassName()))
            throw EReadError("The resource describes a " + className + ", not a " +
                             Root->ClassName());
        FLoaded.push_back(Root);
        Root->SetLoading(true);
        Root->SetReading(true);
        NameComponent(Root, name);
        Root->ReadState(this);
    } catch (Exception& E) {
        E.SetMessage(ErrorPrefix() + E.Message());
        throw;
    } catch (const std::exception& E) {
        throw EReadError(ErrorPrefix() + E.what());
    }
}

void TReader::NameComponent(TComponent* Component, const AnsiString& Name) {
    // A name that is no identifier or is taken is a fault of the stream being read.
    try {
        Component->SetName(Name);
    } catch (const EComponentError& E) {
        throw EReadError(E.Message());
    }
}

// The component's own reading of its record, here beside the reader it calls.
void TComponent::ReadState(TReader* Reader) {
    Reader->ReadProperties(this);
    Reader->ReadChildren(this);
}

void TReader::ReadChildren(TComponent* Parent) {
    while (!EndOfList())
        ReadComponent(Parent);
    ReadListEnd();
}

void TReader::ReadComponent(TComponent* Parent) {
    TNestingGuard nesting(FNesting);
    FRecordPosition = FStream->GetPosition();
    FPropertyPath.clear();
    FPropertyPrefix.clear();
    AnsiString className = ReadStr();
    AnsiString name = ReadStr();
    FComponentPath = ChildPath(FRoot, className, name);

    const TClassInfo* info = FindClass(className);
    if (!info->Create)
        throw EReadError("A " + AnsiString(info->Name) + " cannot be created from a form resource");
    TComponent* component = info->Create(FRoot);
    FLoaded.push_back(component);
    component->SetLoading(true);
    component->SetReading(true);
    NameComponent(component, name);
    component->SetParentComponent(Parent);

    TComponent* savedComponent = FComponent;
    TComponent* savedParent = FParent;
    FComponent = component;
    FParent = Parent;
    component->ReadState(this);
    FComponent = savedComponent;
    FParent = savedParent;
}

void TReader::ReadProperties(TPersistent* Instance) {
    while (!EndOfList())
        ReadProperty(Instance);
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent* Instance) {
    FRecordPosition = FStream->GetPosition();
    FPropertyPath.clear();
    AnsiString path = ReadStr();
    FPropertyPath = FPropertyPrefix + path;

    // "Font.Height": every part but the last names an object kept in place.
    TPersistent* target = Instance;
    std::size_t start = 0;
    for (std::size_t dot; (dot = path.find('.', start)) != AnsiString::npos; start = dot + 1) {
        AnsiString part = path.substr(start, dot - start);
        const TPropInfo* property = GetPublished(target->ClassType()).FindProperty(part);
        if (!property || property->GetKind() != pkObject || property->IsReference())
            throw EReadError("Property " + path.substr(0, dot) + " does not exist");
        target = dynamic_cast<TPersistent*>(property->GetObjectValue(target));
        if (!target) throw EReadError("Property " + path.substr(0, dot) + " holds no object");
    }
    ReadPropertyValue(target, path.substr(start));
}

void TReader::ReadPropertyValue(TPersistent* Instance, const AnsiString& Name) {
    if (const TPropInfo* property = GetPublished(Instance->ClassType()).FindProperty(Name)) {
        ReadPublished(Instance, property);
        return;
    }
    if (auto* lines = dynamic_cast<TStrings*>(Instance); lines && SameText(Name, "Strings")) {
        InUpdate(lines, [&] {
            lines->Clear();
            ReadListBegin();
            while (!EndOfList())
                lines->Add(ReadString());
            ReadListEnd();
        });
        return;
    }
    AnsiString savedName = FDefineName;
    bool savedFound = FDefineFound;
    FDefineName = Name;
    FDefineFound = false;
    Instance->DefineProperties(this);
    bool found = FDefineFound;
    FDefineName = savedName;
    FDefineFound = savedFound;
    if (!found) throw EReadError("Property " + Name + " does not exist");
}

void TReader::ReadPublished(TPersistent* Instance, const TPropInfo* Property) {
    TPropKind kind = Property->GetKind();
    if (kind != pkObject && !Property->HasSetter())
        throw EReadError("Property " + Property->GetName() + " is read-only");
    switch (kind) {
    case pkInteger:
    case pkBoolean:
    case pkEnumeration:
    case pkSet:
        ReadOrdinal(Instance, Property);
        break;
    case pkFloat:
        Property->SetFloatValue(Instance, ReadFloat());
        break;
    case pkString:
        Property->SetStrValue(Instance, ReadString());
        break;
    case pkEvent:
        ReadEvent(Instance, Property);
        break;
    case pkObject:
        ReadObject(Instance, Property);
        break;
    }
}

void TReader::ReadOrdinal(TPersistent* Instance, const TPropInfo* Property) {
    Int64 value = 0;
    switch (Property->GetKind()) {
    case pkBoolean:
        value = ReadBoolean();
        break;
    case pkInteger:
        if (Property->HasIdents() && NextValue() == vaIdent) {
            AnsiString ident = ReadIdent();
            int number;
            if (!Property->IdentToInt(ident, number))
                throw EReadError("Invalid property value " + ident);
            value = Property->FromIdentNumber(number);
        } else {
            value = ReadInt64();
            if (value < Property->GetMinValue() || value > Property->GetMaxValue())
                throw EReadError("Value " + IntToStr(value) + " is out of range");
        }
        break;
    case pkEnumeration: {
        AnsiString ident = ReadIdent();
        value = Property->GetEnumInfo().ValueOf(ident);
        if (value < 0) throw EReadError("Invalid property value " + ident);
        break;
    }
    default: {
        const TEnumInfo& info = Property->GetEnumInfo();
        if (ReadValue() != vaSet) InvalidValue();
        std::uint64_t bits = 0;
        for (AnsiString ident; !(ident = ReadStr()).empty();) {
            Int64 element = info.ValueOf(ident);
            if (element < 0 || element >= 64) throw EReadError("Invalid property value " + ident);
            bits |= std::uint64_t(1) << element;
        }
        value = static_cast<Int64>(bits);
        break;
    }
    }
    Property->SetOrdValue(Instance, value);
}

void TReader::ReadEvent(TPersistent* Instance, const TPropInfo* Property) {
    if (NextValue() == vaNil) {
        ReadValue();
        Property->SetMethodValue(Instance, TMethod());
        return;
    }
    if (NextValue() != vaIdent) InvalidValue();
    AnsiString name = ReadIdent();
    const TMethodInfo* method = GetPublished(FRoot->ClassType()).FindMethod(name);
    if (!method) throw EReadError("Method " + name + " does not exist in " + FRoot->ClassName());
    TMethod bound = method->Bind(FRoot);
    if (!bound.Signature || *bound.Signature != Property->GetSignature())
        throw EReadError("Method " + name + " does not have the parameters of event " +
                         Property->GetName());
    Property->SetMethodValue(Instance, bound);
}

void TReader::ReadObject(TPersistent* Instance, const TPropInfo* Property) {
    if (Property->IsReference()) {
        if (!Property->HasSetter())
            throw EReadError("Property " + Property->GetName() + " is read-only");
        if (NextValue() == vaNil) {
            ReadValue();
            Property->SetObjectValue(Instance, nullptr);
            return;
        }
        if (NextValue() != vaIdent) InvalidValue();
        AnsiString target = ReadIdent();
        FFixups.push_back({FComponent, Instance, Property, target, ErrorPrefix()});
        return;
    }
    // Other objects are read through their own properties ("Font.Height"), except the
    // items of a collection, which are its value.
    auto* collection = dynamic_cast<TCollection*>(Property->GetObjectValue(Instance));
    if (!collection) InvalidValue();
    ReadCollection(collection);
}

void TReader::ReadCollection(TCollection* Collection) {
    TNestingGuard nesting(FNesting);
    if (ReadValue() != vaCollection) InvalidValue();
    AnsiString path = FPropertyPath;
    AnsiString savedPrefix = FPropertyPrefix;
    InUpdate(Collection, [&] {
        Collection->Clear();
        for (int index = 0; !EndOfList(); ++index) {
            if (ReadValue() != vaList) InvalidValue();
            TCollectionItem* item = Collection->Add();
            FPropertyPrefix = path + "[" + IntToStr(index) + "].";
            ReadProperties(item);
        }
        ReadListEnd();
    });
    FPropertyPrefix = savedPrefix;
    FPropertyPath = path;
}

void TReader::DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc, bool) {
    if (FDefineFound || FDefineName.empty() || !SameText(Name, FDefineName)) return;
    FDefineFound = true;
    Int64 start = FStream->GetPosition();
    SkipValue();
    if (!ReadData) return;
    Int64 end = FStream->GetPosition();
    FStream->SetPosition(start);
    ReadData(this);
    if (FStream->GetPosition() != end)
        throw EReadError("Property " + Name + " was not read as one whole value");
}

void TReader::DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc,
                                   bool) {
    if (FDefineFound || FDefineName.empty() || !SameText(Name, FDefineName)) return;
    FDefineFound = true;
    // A form read from memory hands its bytes over in place: a stored skin's pictures are
    // megabytes, and every fresh copy of them costs as much as decoding them.
    auto* memory = dynamic_cast<TCustomMemoryStream*>(FStream);
    if (!memory) {
        std::vector<Byte> bytes = ReadBinary();
        if (!ReadData) return;
        TReadOnlyMemoryStream block(bytes.data(), static_cast<Int64>(bytes.size()));
        ReadData(&block);
        return;
    }
    if (ReadValue() != vaBinary) InvalidValue();
    const Int64 size = ReadLength(FStream);
    const Int64 start = FStream->GetPosition();
    if (size > FStream->GetSize() - start) throw EReadError("Stream read error");
    FStream->SetPosition(start + size);
    if (!ReadData) return;
    TReadOnlyMemoryStream block(static_cast<const Byte*>(memory->GetMemory()) + start, size);
    ReadData(&block);
}

// ---- TWriter: values ----------------------------------------------------------

TWriter::TWriter(TStream* Stream) : TFiler(Stream) {}

void TWriter::WriteBytes(const void* Data, Int64 Size) {
    if (Size > 0) FStream->WriteBuffer(Data, Size);
}

namespace {

void WriteLittleEndian(TStream* Stream, std::uint64_t Bits, int Count) {
    Byte bytes[8];
    for (int i = 0; i < Count; ++i)
        bytes[i] = static_cast<Byte>(Bits >> (8 * i));
    Stream->WriteBuffer(bytes, Count);
}

} // namespace

void TWriter::WriteValue(TValueType Value) {
    Byte b = Value;
    WriteBytes(&b, 1);
}

void TWriter::WriteListBegin() {
    WriteValue(vaList);
}

void TWriter::WriteListEnd() {
    WriteValue(vaNull);
}

void TWriter::WriteInteger(Int64 Value) {
    auto bits = static_cast<std::uint64_t>(Value);
    if (Value >= -128 && Value <= 127) {
        WriteValue(vaInt8);
        WriteLittleEndian(FStream, bits, 1);
    } else if (Value >= -32768 && Value <= 32767) {
        WriteValue(vaInt16);
        WriteLittleEndian(FStream, bits, 2);
    } else if (Value >= std::numeric_limits<std::int32_t>::min() &&
               Value <= std::numeric_limits<std::int32_t>::max()) {
        WriteValue(vaInt32);
        WriteLittleEndian(FStream, bits, 4);
    } else {
        WriteValue(vaInt64);
        WriteLittleEndian(FStream, bits, 8);
    }
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? vaTrue : vaFalse);
}

void TWriter::WriteString(const AnsiString& Value) {
    if (Value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(Value);
    } else {
        if (Value.size() > std::numeric_limits<std::uint32_t>::max())
            throw EWriteError("String too long");
        WriteValue(vaLString);
        WriteLittleEndian(FStream, Value.size(), 4);
        WriteBytes(Value.data(), static_cast<Int64>(Value.size()));
    }
}

void TWriter::WriteFloat(double Value) {
    if (!std::isfinite(Value)) throw EWriteError("Invalid floating point value");
    WriteValue(vaDouble);
    WriteBytes(&Value, sizeof Value);
}

void TWriter::WriteIdent(const AnsiString& Ident) {
    if (SameText(Ident, "False")) {
        WriteValue(vaFalse);
    } else if (SameText(Ident, "True")) {
        WriteValue(vaTrue);
    } else if (SameText(Ident, "nil")) {
        WriteValue(vaNil);
    } else {
        if (!IsValidIdent(Ident, true))
            throw EWriteError("'" + Ident + "' is not a valid identifier");
        WriteValue(vaIdent);
        WriteStr(Ident);
    }
}

void TWriter::WriteBinary(const void* Data, Int64 Size) {
    WriteBinaryHeader(Size);
    WriteBytes(Data, Size);
}

void TWriter::WriteBinaryHeader(Int64 Size) {
    if (Size < 0 || Size > std::numeric_limits<std::uint32_t>::max())
        throw EWriteError("Binary value too large");
    WriteValue(vaBinary);
    WriteLittleEndian(FStream, static_cast<std::uint64_t>(Size), 4);
}

void TWriter::WriteStr(const AnsiString& Value) {
    if (Value.size() > 255) throw EWriteError("'" + Value.substr(0, 32) + "...' is too long");
    Byte length = static_cast<Byte>(Value.size());
    WriteBytes(&length, 1);
    WriteBytes(Value.data(), length);
}

void TWriter::WriteSignature() {
    WriteBytes(kSignature, sizeof kSignature);
}

// ---- TWriter: components ------------------------------------------------------

void TWriter::WriteRootComponent(TComponent* Root) {
    FRoot = Root;
    try {
        WriteSignature();
        WriteComponent(Root);
    } catch (Exception& E) {
        AnsiString where = FComponentPath;
        if (!FPropertyPath.empty()) where += "." + FPropertyPath;
        E.SetMessage("Error writing " + where + ": " + E.Message());
        throw;
    }
}

void TWriter::WriteComponent(TComponent* Component) {
    FComponentPath = Component == FRoot
                         ? Component->GetName()
                         : ChildPath(FRoot, Component->ClassName(), Component->GetName());
    FPropertyPath.clear();
    WriteStr(Component->ClassName());
    WriteStr(Component->GetName());
    WriteProperties(Component, AnsiString());
    WriteListEnd();
    Component->GetChildren([this](TComponent* Child) { WriteComponent(Child); }, FRoot);
    WriteListEnd();
}

void TWriter::WriteProperties(TPersistent* Instance, const AnsiString& Prefix,
                              TPersistent* Defaults) {
    for (const TPropInfo* property : GetPublished(Instance->ClassType()).Properties())
        WritePublished(Instance, property, Prefix, Defaults);
    if (auto* lines = dynamic_cast<TStrings*>(Instance); lines && lines->GetCount() > 0) {
        FPropertyPath = Prefix + "Strings";
        WriteStr(FPropertyPath);
        WriteListBegin();
        for (int i = 0; i < lines->GetCount(); ++i)
            WriteString(lines->Get(i));
        WriteListEnd();
    }
    AnsiString savedPrefix = FPrefix;
    FPrefix = Prefix;
    Instance->DefineProperties(this);
    FPrefix = savedPrefix;
}

void TWriter::WritePublished(TPersistent* Instance, const TPropInfo* Property,
                             const AnsiString& Prefix, TPersistent* Defaults) {
    if (!Property->IsStored(Instance)) return;
    AnsiString name = Prefix + Property->GetName();
    FPropertyPath = name;
    switch (Property->GetKind()) {
    case pkInteger:
    case pkBoolean:
    case pkEnumeration:
    case pkSet: {
        if (!Property->HasSetter()) return;
        Int64 value = Property->GetOrdValue(Instance);
        if (Property->IsWrittenWithinRange())
            value = std::clamp(value, Property->GetMinValue(), Property->GetMaxValue());
        if (Defaults ? value == Property->GetOrdValue(Defaults)
                     : Property->HasDefault() && value == Property->GetDefaultOrd())
            return;
        WriteStr(name);
        WriteOrdinal(Property, value);
        return;
    }
    case pkFloat: {
        if (!Property->HasSetter()) return;
        double value = Property->GetFloatValue(Instance);
        if (Defaults ? value == Property->GetFloatValue(Defaults)
                     : Property->HasDefault() && value == Property->GetDefaultFloat())
            return;
        WriteStr(name);
        WriteFloat(value);
        return;
    }
    case pkString: {
        if (!Property->HasSetter()) return;
        AnsiString value = Property->GetStrValue(Instance);
        if (value == (Defaults ? Property->GetStrValue(Defaults) : Property->GetDefaultStr()))
            return;
        WriteStr(name);
        WriteString(value);
        return;
    }
    case pkEvent: {
        if (!Property->HasSetter()) return;
        AnsiString handler =
            GetPublished(FRoot->ClassType()).MethodName(FRoot, Property->GetMethodValue(Instance));
        if (handler.empty()) return;
        WriteStr(name);
        WriteIdent(handler);
        return;
    }
    case pkObject:
        break;
    }
    TObject* value = Property->GetObjectValue(Instance);
    if (Property->IsReference()) {
        auto* component = dynamic_cast<TComponent*>(value);
        if (!Property->HasSetter() || !component) return;
        WriteStr(name);
        WriteIdent(ReferenceName(component));
    } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
        WriteStr(name);
        WriteCollection(collection);
    } else if (auto* nested = dynamic_cast<TPersistent*>(value)) {
        auto* defaults = dynamic_cast<TPersistent*>(Property->GetDefaultsObject(Instance));
        // Values are compared one property at a time: only an object of the same class has
        // them all.
        if (defaults && defaults->ClassType() != nested->ClassType()) defaults = nullptr;
        WriteProperties(nested, name + ".", defaults);
    }
}

void TWriter::WriteOrdinal(const TPropInfo* Property, Int64 Value) {
    switch (Property->GetKind()) {
    case pkBoolean:
        WriteBoolean(Value != 0);
        return;
    case pkInteger: {
        AnsiString ident;
        bool fits32 = Value >= std::numeric_limits<std::int32_t>::min() &&
                      Value <= std::numeric_limits<std::uint32_t>::max();
        if (fits32 && Property->IntToIdent(static_cast<int>(Value), ident)) {
            WriteIdent(ident);
            return;
        }
        // What could not be read back is not written.
        if (Value < Property->GetMinValue() || Value > Property->GetMaxValue())
            throw EWriteError("Value " + IntToStr(Value) + " is out of range");
        WriteInteger(Value);
        return;
    }
    case pkEnumeration: {
        AnsiString ident = Property->GetEnumInfo().NameOf(Value);
        if (ident.empty()) throw EWriteError("Value " + IntToStr(Value) + " has no identifier");
        WriteIdent(ident);
        return;
    }
    default: {
        const TEnumInfo& info = Property->GetEnumInfo();
        WriteValue(vaSet);
        auto bits = static_cast<std::uint64_t>(Value);
        for (int element = 0; element < 64; ++element) {
            if (!((bits >> element) & 1)) continue;
            AnsiString ident = info.NameOf(element);
            if (ident.empty())
                throw EWriteError("Set element " + IntToStr(element) + " has no identifier");
            WriteStr(ident);
        }
        WriteValue(vaNull);
        return;
    }
    }
}

void TWriter::WriteCollection(TCollection* Collection) {
    WriteValue(vaCollection);
    for (int i = 0; i < Collection->GetCount(); ++i) {
        WriteListBegin();
        WriteProperties(Collection->GetItem(i), AnsiString());
        WriteListEnd();
    }
    WriteListEnd();
}

AnsiString TWriter::ReferenceName(TComponent* Component) const {
    if (Component->GetName().empty())
        throw EWriteError("A reference to an unnamed " + AnsiString(Component->ClassName()) +
                          " cannot be written");
    TComponent* owner = Component->GetOwner();
    if (Component == FRoot || owner == FRoot || !owner || owner->GetName().empty())
        return Component->GetName();
    return owner->GetName() + "." + Component->GetName();
}

void TWriter::DefineProperty(const AnsiString& Name, TReaderProc, TWriterProc WriteData,
                             bool HasData) {
    if (!HasData || !WriteData) return;
    FPropertyPath = FPrefix + Name;
    WriteStr(FPropertyPath);
    Int64 start = FStream->GetPosition();
    WriteData(this);
    if (FStream->GetPosition() == start) throw EWriteError("Property " + Name + " wrote no value");
}

void TWriter::DefineBinaryProperty(const AnsiString& Name, TStreamProc, TStreamProc WriteData,
                                   bool HasData) {
    if (!HasData || !WriteData) return;
    FPropertyPath = FPrefix + Name;
    TMemoryStream block;
    WriteData(&block);
    WriteStr(FPropertyPath);
    WriteBinary(block.GetMemory(), block.GetSize());
}
