// Components, string lists and the class registry.
#include "Classes.h"

#include <algorithm>
#include <map>

#include "TypInfo.h"

namespace vtrl {

// ------------------------------------------------------------ class registry

namespace {
// Never destroyed, so that class information stays valid for components
// destroyed at the very end of the program.
std::map<std::string, const TClassInfo*, std::less<>>& Registry() {
    static auto* r = new std::map<std::string, const TClassInfo*, std::less<>>;
    return *r;
}
}  // namespace

void RegisterComponentClass(const TClassInfo& Class) { Registry()[UpperCase(Class.Name)] = &Class; }

const TClassInfo* FindClass(std::string_view Name) {
    auto it = Registry().find(UpperCase(Name));
    return it == Registry().end() ? nullptr : it->second;
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, TFactory create)
    : Name(std::move(name)), Parent(parent), Create(std::move(create)) {}

const TPropInfo* TClassInfo::FindProp(std::string_view n) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameText(p.Name, n)) return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TPropInfo*> out = Parent ? Parent->AllProps() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : Props) {
        // A class may publish again what its parent publishes (to give it
        // another default); the later declaration replaces the earlier one.
        auto same = std::find_if(out.begin(), out.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
        if (same != out.end()) *same = &p;
        else out.push_back(&p);
    }
    return out;
}

bool TClassInfo::InheritsFrom(const TClassInfo& Other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &Other) return true;
    return false;
}

// ------------------------------------------------------------- persistent

const TClassInfo& TPersistent::StaticClass() {
    static TClassInfo info("TPersistent", nullptr, nullptr);
    return info;
}

const std::string& TPersistent::ClassName() const { return ClassType().Name; }

bool TPersistent::InheritsFrom(const TClassInfo& Class) const { return ClassType().InheritsFrom(Class); }

TEnumInfo::TEnumInfo(const char* typeName, const char* values) : TypeName(typeName) {
    std::string_view v(values);
    for (int i = 1, n = TokenCount(v, ','); i <= n; ++i) Names.push_back(Trim(GetToken(v, ',', i)));
}

int TEnumInfo::IndexOf(std::string_view Name) const {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], Name)) return static_cast<int>(i);
    return -1;
}

// ------------------------------------------------------------ string list

VTRL_IMPLEMENT_CLASS(TStringList, TPersistent, [](auto&) {})

int TStringList::IndexOf(std::string_view s) const {
    for (size_t i = 0; i < Strings.size(); ++i)
        if (SameText(Strings[i], s)) return static_cast<int>(i);
    return -1;
}

std::string TStringList::Text() const {
    std::string t;
    for (const auto& s : Strings) t += s + "\r\n";
    return t;
}

void TStringList::SetText(std::string_view t) {
    Strings.clear();
    size_t i = 0;
    while (i < t.size()) {
        size_t j = t.find_first_of("\r\n", i);
        if (j == std::string_view::npos) {
            Strings.emplace_back(t.substr(i));
            break;
        }
        Strings.emplace_back(t.substr(i, j - i));
        if (t[j] == '\r' && j + 1 < t.size() && t[j + 1] == '\n') ++j;
        i = j + 1;
    }
}

// -------------------------------------------------------------- component

VTRL_IMPLEMENT_CLASS(TComponent, TPersistent, [](TClassBuilder<TComponent>& b) {
    b.Integer("Tag", &TComponent::Tag, &TComponent::Tag, 0);
})

VTRL_IMPLEMENT_CLASS(TDataModule, TComponent, [](auto&) {})

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) {
        AOwner->InsertComponent(this);
        if (AOwner->Designing()) ComponentState.Include(csDesigning);
    }
}

TComponent::~TComponent() {
    ComponentState.Include(csDestroying);
    // Tell everyone who asked; they drop their references to this one.
    auto notifies = std::move(FFreeNotifies);
    for (TComponent* c : notifies) {
        c->FFreeNotifies.erase(std::remove(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this),
                               c->FFreeNotifies.end());
        c->Notification(this, opRemove);
    }
    // Owned components go from the last to the first.
    while (!FComponents.empty()) delete FComponents.back();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& Value) {
    if (SameText(Value, FName)) {
        FName = Value;
        return;
    }
    if (FOwner && !Value.empty() && FOwner->FindComponent(Value))
        throw Exception("A component named " + Value + " already exists");
    FName = Value;
}

TComponent* TComponent::FindComponent(std::string_view Name) const {
    if (Name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, Name)) return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* Other) {
    if (!Other || Other == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), Other) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(Other);
        Other->FFreeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* Other) {
    if (!Other) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), Other), FFreeNotifies.end());
    Other->FFreeNotifies.erase(std::remove(Other->FFreeNotifies.begin(), Other->FFreeNotifies.end(), this),
                               Other->FFreeNotifies.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent->FOwner == this) RemoveComponent(AComponent);
}

std::any TComponent::MethodAddress(std::string_view Name) const {
    auto it = FMethods.find(UpperCase(Name));
    return it == FMethods.end() ? std::any() : it->second;
}

void TComponent::InsertComponent(TComponent* c) {
    FComponents.push_back(c);
    c->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* c) {
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), c), FComponents.end());
    c->FOwner = nullptr;
}

}  // namespace vtrl
