// Published-property reflection: a class registry (class name -> factory,
// parent, published properties) and typed builders that declare properties
// beside each class through its real getters and setters.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "Classes.h"

namespace vtrl {

enum TTypeKind {
    tkInteger, tkBoolean, tkString, tkEnumeration, tkSet, tkFloat,
    tkComponent, tkStrings, tkObject, tkEvent
};

// One published property. Ordinal kinds (integer, boolean, enumeration, set
// as bit mask) use GetOrd/SetOrd; the others use the accessor of their kind.
struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkInteger;
    const TEnumInfo* Enum = nullptr;        // tkEnumeration, tkSet
    const TClassInfo* RefClass = nullptr;   // tkComponent
    std::optional<int64_t> DefaultOrd;      // ordinals: value not written
    bool StoredAlways = false;              // written even when "empty"

    std::function<int64_t(const TPersistent&)> GetOrd;
    std::function<void(TPersistent&, int64_t)> SetOrd;
    std::function<std::string(const TPersistent&)> GetStr;
    std::function<void(TPersistent&, const std::string&)> SetStr;
    std::function<double(const TPersistent&)> GetFloat;
    std::function<void(TPersistent&, double)> SetFloat;
    std::function<TComponent*(const TPersistent&)> GetComp;
    std::function<void(TPersistent&, TComponent*)> SetComp;
    std::function<const TStringList&(const TPersistent&)> GetLines;
    std::function<void(TPersistent&, TStringList&)> SetLines;
    std::function<TPersistent*(TPersistent&)> GetSubObject;
    // Events: the bound handler's name, and binding by name to a method of
    // Root (raises Exception when Root has no such method or it has other
    // parameters); an empty name clears the event.
    std::function<std::string(const TPersistent&)> GetHandlerName;
    std::function<void(TPersistent&, const std::string&, const TComponent*)> SetHandler;
};

class TClassInfo {
public:
    using TFactory = std::function<TComponent*(TComponent* Owner)>;
    TClassInfo(std::string Name, const TClassInfo* Parent, TFactory Create);
    std::string Name;
    const TClassInfo* Parent;
    TFactory Create;                 // empty for classes a definition cannot create
    std::vector<TPropInfo> Props;    // own published properties, in order

    // Own and inherited property by name (without regard to case), or null.
    const TPropInfo* FindProp(std::string_view Name) const;
    // Inherited properties first, then own ones.
    std::vector<const TPropInfo*> AllProps() const;
    bool InheritsFrom(const TClassInfo& Other) const;
};

// The class registry; classes register themselves when their class
// information is first built (VTRL_IMPLEMENT_CLASS does it at start-up).
void RegisterComponentClass(const TClassInfo& Class);
// The registered class of that name (without regard to case), or null.
const TClassInfo* FindClass(std::string_view Name);
// The names of the registered classes that a definition can create, sorted.
std::vector<std::string> CreatableClassNames();

namespace detail {
template <class C, class Set, class V>
void Assign(Set s, C& obj, V&& v) {
    if constexpr (std::is_member_object_pointer_v<Set>) obj.*s = std::forward<V>(v);
    else std::invoke(s, obj, std::forward<V>(v));
}
template <class C, class Get>
decltype(auto) Read(Get g, const C& obj) {
    return std::invoke(g, obj);
}
}  // namespace detail

// Declares the published properties of class C. Getters may be member
// functions or fields; setters may be member functions or fields (a field
// is assigned directly).
template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : Info(info) {}

    template <class G, class S>
    TClassBuilder& Integer(const char* Name, G g, S s, std::optional<int64_t> Default = {}) {
        TPropInfo& p = Add(Name, tkInteger);
        p.DefaultOrd = Default;
        p.GetOrd = [g](const TPersistent& o) { return static_cast<int64_t>(detail::Read(g, Self(o))); };
        p.SetOrd = [s](TPersistent& o, int64_t v) { detail::Assign(s, Self(o), static_cast<int32_t>(v)); };
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Boolean(const char* Name, G g, S s, std::optional<bool> Default = {}) {
        TPropInfo& p = Add(Name, tkBoolean);
        if (Default) p.DefaultOrd = *Default ? 1 : 0;
        p.GetOrd = [g](const TPersistent& o) { return detail::Read(g, Self(o)) ? int64_t{1} : int64_t{0}; };
        p.SetOrd = [s](TPersistent& o, int64_t v) { detail::Assign(s, Self(o), v != 0); };
        return *this;
    }
    template <class G, class S>
    TClassBuilder& String(const char* Name, G g, S s, bool StoredAlways = false) {
        TPropInfo& p = Add(Name, tkString);
        p.StoredAlways = StoredAlways;
        p.GetStr = [g](const TPersistent& o) { return std::string(detail::Read(g, Self(o))); };
        p.SetStr = [s](TPersistent& o, const std::string& v) { detail::Assign(s, Self(o), v); };
        return *this;
    }
    template <class E, class G, class S>
    TClassBuilder& Enum(const char* Name, G g, S s, std::optional<E> Default = {}) {
        TPropInfo& p = Add(Name, tkEnumeration);
        p.Enum = &EnumInfoOf(E{});
        if (Default) p.DefaultOrd = static_cast<int64_t>(*Default);
        p.GetOrd = [g](const TPersistent& o) { return static_cast<int64_t>(detail::Read(g, Self(o))); };
        p.SetOrd = [s](TPersistent& o, int64_t v) { detail::Assign(s, Self(o), static_cast<E>(v)); };
        return *this;
    }
    template <class E, class G, class S>
    TClassBuilder& Set(const char* Name, G g, S s, std::optional<TSet<E>> Default = {}) {
        TPropInfo& p = Add(Name, tkSet);
        p.Enum = &EnumInfoOf(E{});
        if (Default) p.DefaultOrd = Default->Bits;
        p.GetOrd = [g](const TPersistent& o) { return static_cast<int64_t>(TSet<E>(detail::Read(g, Self(o))).Bits); };
        p.SetOrd = [s](TPersistent& o, int64_t v) {
            detail::Assign(s, Self(o), TSet<E>::FromBits(static_cast<uint32_t>(v)));
        };
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Float(const char* Name, G g, S s) {
        TPropInfo& p = Add(Name, tkFloat);
        p.GetFloat = [g](const TPersistent& o) { return static_cast<double>(detail::Read(g, Self(o))); };
        p.SetFloat = [s](TPersistent& o, double v) { detail::Assign(s, Self(o), v); };
        return *this;
    }
    // A reference to another component of class T (not owned).
    template <class T, class G, class S>
    TClassBuilder& Reference(const char* Name, G g, S s) {
        TPropInfo& p = Add(Name, tkComponent);
        // A class may refer to its own kind; its class information is being
        // built right now, so T::StaticClass() would recurse.
        if constexpr (std::is_same_v<T, C>) p.RefClass = &Info;
        else p.RefClass = &T::StaticClass();
        p.GetComp = [g](const TPersistent& o) -> TComponent* { return detail::Read(g, Self(o)); };
        p.SetComp = [s](TPersistent& o, TComponent* v) { detail::Assign(s, Self(o), dynamic_cast<T*>(v)); };
        return *this;
    }
    // A string list; the setter receives the list read from the definition.
    template <class G, class S>
    TClassBuilder& Strings(const char* Name, G g, S s) {
        TPropInfo& p = Add(Name, tkStrings);
        p.GetLines = [g](const TPersistent& o) -> const TStringList& { return detail::Read(g, Self(o)); };
        p.SetLines = [s](TPersistent& o, TStringList& v) { detail::Assign(s, Self(o), v); };
        return *this;
    }
    // An owned sub-object whose properties are written as Name.Property.
    template <class G>
    TClassBuilder& Object(const char* Name, G g) {
        TPropInfo& p = Add(Name, tkObject);
        p.GetSubObject = [g](TPersistent& o) -> TPersistent* {
            return std::invoke(g, static_cast<C&>(o));
        };
        return *this;
    }
    // An event field of type TEvent<Args...>.
    template <class B, class... Args>
    TClassBuilder& Event(const char* Name, TEvent<Args...> B::*field) {
        TPropInfo& p = Add(Name, tkEvent);
        p.GetHandlerName = [field](const TPersistent& o) { return (static_cast<const B&>(Self(o)).*field).Name; };
        p.SetHandler = [field, Name](TPersistent& o, const std::string& handler, const TComponent* root) {
            auto& ev = static_cast<B&>(static_cast<C&>(o)).*field;
            if (handler.empty()) {
                ev.Clear();
                return;
            }
            std::any m = root ? root->MethodAddress(handler) : std::any();
            if (!m.has_value()) throw Exception("Unknown event handler '" + handler + "'");
            auto* fn = std::any_cast<std::function<void(Args...)>>(&m);
            if (!fn) throw Exception("Event handler '" + handler + "' does not fit the parameters of " + Name);
            ev.Bind(handler, *fn);
        };
        return *this;
    }

private:
    static const C& Self(const TPersistent& o) { return static_cast<const C&>(o); }
    static C& Self(TPersistent& o) { return static_cast<C&>(o); }
    TPropInfo& Add(const char* Name, TTypeKind Kind) {
        Info.Props.push_back(TPropInfo{});
        Info.Props.back().Name = Name;
        Info.Props.back().Kind = Kind;
        return Info.Props.back();
    }
    TClassInfo& Info;
};

template <class C>
TComponent* CreateComponentOf(TComponent* Owner) {
    if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
        return new C(Owner);
    else
        return nullptr;
}

// Defines Cls::StaticClass(): the class information with the properties
// that Declare adds (a function taking TClassBuilder<Cls>&), registered in
// the class registry at start-up.
#define VTRL_IMPLEMENT_CLASS(Cls, ParentCls, Declare)                                  \
    const ::vtrl::TClassInfo& Cls::StaticClass() {                                    \
        static ::vtrl::TClassInfo* info = [] {                                         \
            auto* i = new ::vtrl::TClassInfo(#Cls, &ParentCls::StaticClass(),          \
                                             &::vtrl::CreateComponentOf<Cls>);         \
            ::vtrl::TClassBuilder<Cls> b(*i);                                          \
            Declare(b);                                                                \
            ::vtrl::RegisterComponentClass(*i);                                                 \
            return i;                                                                  \
        }();                                                                           \
        return *info;                                                                  \
    }                                                                                  \
    [[maybe_unused]] static const ::vtrl::TClassInfo& Cls##_registered = Cls::StaticClass();

}  // namespace vtrl
