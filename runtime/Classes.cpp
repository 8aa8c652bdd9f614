// Components, string lists and the class registry.
#include "Classes.h"

#include <algorithm>
#include <map>
#include <unordered_map>

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

std::vector<std::string> CreatableClassNames() {
    std::vector<std::string> names;
    for (const auto& entry : Registry())
        if (entry.second->Create) names.push_back(entry.second->Name);
    return names;
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

namespace {
// Names compare as SameText does: ASCII letters fold, other bytes are kept.
char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

struct TNameHash {
    size_t operator()(std::string_view s) const noexcept {
        uint64_t h = 14695981039346656037ull;  // FNV-1a
        for (char c : s) h = (h ^ static_cast<unsigned char>(FoldAscii(c))) * 1099511628211ull;
        return static_cast<size_t>(h);
    }
};

struct TNameEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept { return SameText(a, b); }
};
}  // namespace

// Keys view the components' own FName, so a name is unindexed before it
// changes and indexed again after.
struct TComponent::TNameIndex {
    std::unordered_map<std::string_view, TComponent*, TNameHash, TNameEqual> Map;
};

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
    if (!SameText(Value, FName) && FOwner && !Value.empty() && FOwner->FindComponent(Value))
        throw Exception("A component named " + Value + " already exists");
    if (FOwner) FOwner->UnindexName(this);
    FName = Value;
    if (FOwner) FOwner->IndexName(this);
}

TComponent* TComponent::FindComponent(std::string_view Name) const {
    if (Name.empty() || !FNames) return nullptr;
    auto it = FNames->Map.find(Name);
    return it == FNames->Map.end() ? nullptr : it->second;
}

void TComponent::IndexName(TComponent* c) {
    if (c->FName.empty()) return;
    if (!FNames) FNames = std::make_unique<TNameIndex>();
    FNames->Map.emplace(c->FName, c);
}

void TComponent::UnindexName(TComponent* c) {
    if (c->FName.empty() || !FNames) return;
    auto it = FNames->Map.find(c->FName);
    if (it != FNames->Map.end() && it->second == c) FNames->Map.erase(it);
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

// Searches from the end: components mostly go in the reverse of their
// creation (an owner destroys its last first), which makes each removal
// constant and the destruction of a large tree linear.
void TComponent::RemoveComponent(TComponent* c) {
    auto it = std::find(FComponents.rbegin(), FComponents.rend(), c);
    if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
    UnindexName(c);
    c->FOwner = nullptr;
}

}  // namespace vtrl
