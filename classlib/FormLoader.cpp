#include "classlib/FormLoader.h"

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Persistence.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <iterator>

#include "classlib/Platform.h"

namespace {

bool Owns(TComponent* Owner, TComponent* Component) {
    for (int i = 0; i < Owner->GetComponentCount(); ++i)
        if (Owner->GetComponent(i) == Component) return true;
    return false;
}

void SetReference(const TReferenceFixup& Fixup, TComponent* Value) {
    try {
        Fixup.Property->SetObjectValue(Fixup.Instance, Value);
    } catch (Exception& E) {
        E.SetMessage(Fixup.ErrorPrefix + E.Message());
        throw;
    }
}

[[noreturn]] void NotFound(const TReferenceFixup& Fixup) {
    throw EReadError(Fixup.ErrorPrefix + "Component " + Fixup.Target + " not found");
}

// The roots loaded so far, and the references that wait for roots not loaded yet.
// Free notifications tell it when a root or a waiting referrer is destroyed.
class TLoadedRoots : public TComponent {
    DECLARE_CLASS(TLoadedRoots, TComponent)
public:
    TLoadedRoots() : TComponent(nullptr) {}

    TComponent* Find(const AnsiString& Name) const {
        for (TComponent* root : FRoots)
            if (SameText(root->GetName(), Name)) return root;
        return nullptr;
    }

    void Wait(const TReferenceFixup& Fixup) {
        FWaiting.push_back(Fixup);
        Fixup.Referrer->FreeNotification(this);
    }

    // Sets every waiting reference into Root; those naming a component that Root does not
    // have are dropped and reported together once the others are set.
    void Add(TComponent* Root) {
        if (Root->GetName().empty()) return;
        if (std::find(FRoots.begin(), FRoots.end(), Root) == FRoots.end()) {
            FRoots.push_back(Root);
            Root->FreeNotification(this);
        }
        auto waitsForRoot = [&](const TReferenceFixup& f) {
            return SameText(f.Target.substr(0, f.Target.find('.')), Root->GetName());
        };
        AnsiString failures;
        // One at a time, each taken off the list before it is set: a setter may free a
        // referrer that still waits, which its free notification then takes off the list.
        for (auto due = std::find_if(FWaiting.begin(), FWaiting.end(), waitsForRoot);
             due != FWaiting.end();
             due = std::find_if(FWaiting.begin(), FWaiting.end(), waitsForRoot)) {
            const TReferenceFixup fixup = *due;
            FWaiting.erase(due);
            RemoveFreeNotification(fixup.Referrer);
            try {
                TComponent* target =
                    Root->FindComponent(fixup.Target.substr(fixup.Target.find('.') + 1));
                if (!target) NotFound(fixup);
                SetReference(fixup, target);
            } catch (const Exception& E) {
                failures += (failures.empty() ? "" : "\n") + E.Message();
            }
        }
        if (!failures.empty()) throw EReadError(failures);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove) return;
        FRoots.erase(std::remove(FRoots.begin(), FRoots.end(), AComponent), FRoots.end());
        FWaiting.erase(
            std::remove_if(FWaiting.begin(), FWaiting.end(),
                           [&](const TReferenceFixup& f) { return f.Referrer == AComponent; }),
            FWaiting.end());
    }

private:
    std::vector<TComponent*> FRoots;
    std::vector<TReferenceFixup> FWaiting;
};

// Never destroyed: roots may still be destroyed while static objects are.
TLoadedRoots& LoadedRoots() {
    static TLoadedRoots* roots = new TLoadedRoots;
    return *roots;
}

// Sets the reference when its target exists; false when it must wait for its root.
bool Resolve(const TReferenceFixup& Fixup, TComponent* Root) {
    const AnsiString& target = Fixup.Target;
    std::size_t dot = target.find('.');
    TComponent* found = nullptr;
    if (dot == AnsiString::npos) {
        found = SameText(target, Root->GetName()) ? Root : Root->FindComponent(target);
        if (!found) found = LoadedRoots().Find(target);
    } else {
        AnsiString rootName = target.substr(0, dot);
        TComponent* owner =
            SameText(rootName, Root->GetName()) ? Root : LoadedRoots().Find(rootName);
        if (!owner) return false;
        found = owner->FindComponent(target.substr(dot + 1));
    }
    if (!found) NotFound(Fixup);
    SetReference(Fixup, found);
    return true;
}

// All fields are checked before any is set, so that a failure leaves none pointing at
// components that are then destroyed.
void AssignFields(TComponent* Root, const AnsiString& SourceName) {
    const auto& fields = GetPublished(Root->ClassType()).Fields();
    for (const TFieldInfo* field : fields) {
        TComponent* component = Root->FindComponent(field->Name);
        if (component && !component->InheritsFrom(field->Class))
            throw EReadError(ReadErrorPrefix(SourceName, 0, Root->GetName(), "") + "Field " +
                             field->Name + " of " + Root->ClassName() + " is a " +
                             field->Class->Name + ", but the component is a " +
                             component->ClassName());
    }
    for (const TFieldInfo* field : fields)
        if (TComponent* component = Root->FindComponent(field->Name))
            field->Assign(Root, component);
}

void Abandon(const std::vector<TComponent*>& Loaded, TComponent* Root) {
    for (auto it = Loaded.rbegin(); it != Loaded.rend(); ++it)
        if (*it != Root && Owns(Root, *it)) delete *it;
    Root->SetReading(false);
    Root->SetLoading(false);
}

void LoadRoot(TReader& Reader, TComponent* Root, const AnsiString& SourceName) {
    std::vector<TReferenceFixup> waiting;
    try {
        Reader.ReadRootComponent(Root);
        for (const TReferenceFixup& fixup : Reader.GetFixups())
            if (!Resolve(fixup, Root)) waiting.push_back(fixup);
        AssignFields(Root, SourceName);
    } catch (...) {
        Abandon(Reader.GetLoaded(), Root);
        throw;
    }
    for (TComponent* component : Reader.GetLoaded())
        component->SetReading(false);
    for (TComponent* component : Reader.GetLoaded())
        component->Loaded();
    for (const TReferenceFixup& fixup : waiting)
        LoadedRoots().Wait(fixup);
    LoadedRoots().Add(Root);
}

} // namespace

void ReadComponentRes(const AnsiString& ResName, TComponent* Root) {
    // Read in place: the skin's data module is megabytes.
    TResourceStream resource(GetModuleHandleA(nullptr), ResName, RT_RCDATA);
    ReadComponentMemory(resource.GetMemory(), resource.GetSize(), Root, ResName);
}

void ReadComponentMemory(const void* Data, Int64 Size, TComponent* Root,
                         const AnsiString& SourceName) {
    if (IsBinaryForm(Data, Size)) {
        // Stream properties get their bytes where they lie, with no text to decode first.
        TReadOnlyMemoryStream stream(Data, Size);
        ReadComponentStream(&stream, Root, SourceName);
        return;
    }
    ReadComponentText(std::string_view(static_cast<const char*>(Data),
                                       static_cast<std::size_t>(Size)),
                      Root, SourceName);
}

void ReadComponentText(std::string_view Text, TComponent* Root, const AnsiString& SourceName) {
    TMemoryStream binary;
    TLineMap lines;
    ObjectTextToBinary(Text, &binary, SourceName, &lines);
    binary.SetPosition(0);
    TReader reader(&binary);
    reader.SetSourceName(SourceName);
    reader.SetLineMap(std::move(lines));
    LoadRoot(reader, Root, SourceName);
}

void ReadComponentStream(TStream* Stream, TComponent* Root, const AnsiString& SourceName) {
    TReader reader(Stream);
    reader.SetSourceName(SourceName);
    LoadRoot(reader, Root, SourceName);
}

AnsiString WriteComponentText(TComponent* Root) {
    TMemoryStream binary;
    WriteComponentStream(&binary, Root);
    binary.SetPosition(0);
    TStringStream text;
    ObjectBinaryToText(&binary, &text);
    return text.GetDataString();
}

void WriteComponentStream(TStream* Stream, TComponent* Root) {
    TWriter writer(Stream);
    writer.WriteRootComponent(Root);
}

TComponent* FindLoadedRoot(const AnsiString& Name) {
    return LoadedRoots().Find(Name);
}
