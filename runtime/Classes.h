// The component runtime: persistent objects, components with owner, name,
// tag and state, string lists, events and enumeration/set types.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

class TClassInfo;
class TComponent;

// Everything whose published properties can be stored in a definition.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& Class) const;
};

// Declares the class information of a published class. Put it first in the
// class body; VTRL_IMPLEMENT_CLASS in the .cpp file fills it in.
#define VTRL_CLASS(Cls)                                               \
public:                                                               \
    static const ::vtrl::TClassInfo& StaticClass();                   \
    const ::vtrl::TClassInfo& ClassType() const override { return StaticClass(); } \
                                                                      \
private:

// ---------------------------------------------------------------- events

// A method reference: a handler and, when it came from a definition, the
// name of the root component's method it is bound to.
template <class... Args>
class TEvent {
public:
    using Fn = std::function<void(Args...)>;
    TEvent() = default;
    TEvent(Fn f) : Handler(std::move(f)) {}
    TEvent& operator=(Fn f) {
        Handler = std::move(f);
        Name.clear();
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(Handler); }
    void operator()(Args... a) const { Handler(std::forward<Args>(a)...); }
    void Bind(std::string name, Fn f) {
        Handler = std::move(f);
        Name = std::move(name);
    }
    void Clear() {
        Handler = nullptr;
        Name.clear();
    }
    Fn Handler;
    std::string Name;
};

using TNotifyEvent = TEvent<TComponent*>;

// ------------------------------------------------------ enumerations, sets

// Value names of an enumeration, taken from the identifiers themselves.
class TEnumInfo {
public:
    TEnumInfo(const char* TypeName, const char* StringizedValues);
    std::string TypeName;
    std::vector<std::string> Names;
    // Index of a value name (compared without regard to case) or -1.
    int IndexOf(std::string_view Name) const;
};

// Declares an unscoped enumeration whose value names the runtime knows.
#define VTRL_ENUM(Name, ...)                                                  \
    enum Name : uint8_t { __VA_ARGS__ };                                      \
    inline const ::vtrl::TEnumInfo& EnumInfoOf(Name) {                        \
        static const ::vtrl::TEnumInfo info(#Name, #__VA_ARGS__);             \
        return info;                                                          \
    }

// A set of enumeration values (at most 32 members), stored as a bit mask.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> l) {
        for (E e : l) Bits |= Bit(e);
    }
    static constexpr TSet FromBits(uint32_t b) {
        TSet s;
        s.Bits = b;
        return s;
    }
    constexpr bool Contains(E e) const { return (Bits & Bit(e)) != 0; }
    constexpr bool Empty() const { return Bits == 0; }
    constexpr TSet& Include(E e) { Bits |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { Bits &= ~Bit(e); return *this; }
    constexpr TSet operator+(TSet o) const { return FromBits(Bits | o.Bits); }
    constexpr TSet operator-(TSet o) const { return FromBits(Bits & ~o.Bits); }
    constexpr TSet operator*(TSet o) const { return FromBits(Bits & o.Bits); }
    constexpr bool operator==(const TSet&) const = default;
    uint32_t Bits = 0;

private:
    static constexpr uint32_t Bit(E e) { return uint32_t{1} << static_cast<unsigned>(e); }
};

// ---------------------------------------------------------------- strings

// An ordered list of text lines. The operations that change the list as a
// whole or add and remove lines are virtual, so that a list which keeps
// something in step with its lines (a language table) sees every change;
// replacing one line in place through operator[] is not such a change.
class TStringList : public TPersistent {
    VTRL_CLASS(TStringList)
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> l) : Strings(l) {}
    int Count() const { return static_cast<int>(Strings.size()); }
    const std::string& operator[](int i) const { return Strings.at(i); }
    std::string& operator[](int i) { return Strings.at(i); }
    virtual void Add(std::string s) { Strings.push_back(std::move(s)); }
    virtual void AddStrings(const TStringList& Other) {
        std::vector<std::string> lines = Other.Strings;  // Other may be this list
        Strings.insert(Strings.end(), lines.begin(), lines.end());
    }
    // Raises std::out_of_range when i is outside 0..Count().
    virtual void Insert(int i, std::string s) {
        if (i < 0 || i > Count()) throw std::out_of_range("TStringList::Insert");
        Strings.insert(Strings.begin() + i, std::move(s));
    }
    virtual void Delete(int i) { Strings.erase(Strings.begin() + i); }
    // Moves line From to index To; raises std::out_of_range for an index
    // outside the list.
    virtual void Move(int From, int To) {
        if (From < 0 || From >= Count() || To < 0 || To >= Count()) throw std::out_of_range("TStringList::Move");
        std::string s = Strings[static_cast<size_t>(From)];
        Strings.erase(Strings.begin() + From);
        Strings.insert(Strings.begin() + To, std::move(s));
    }
    virtual void Clear() { Strings.clear(); }
    int IndexOf(std::string_view s) const;  // without regard to case
    // Lines joined with CR LF after each line, as a memo shows them.
    std::string Text() const;
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    virtual void SetText(std::string_view t);
    bool operator==(const TStringList& o) const { return Strings == o.Strings; }
    std::vector<std::string> Strings;
};

// ------------------------------------------------------------- components

enum TComponentStateFlag : uint8_t { csLoading, csReading, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateFlag>;
enum TOperation { opInsert, opRemove };

// A named object that owns other components and destroys them with itself.
class TComponent : public TPersistent {
    VTRL_CLASS(TComponent)
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return FName; }
    // Raises Exception when another component of the owner has the name;
    // the name is then unchanged.
    virtual void SetName(const std::string& Value);
    TComponent* Owner() const { return FOwner; }
    int32_t Tag = 0;
    TComponentState ComponentState;
    bool Loading() const { return ComponentState.Contains(csLoading); }
    bool Designing() const { return ComponentState.Contains(csDesigning); }
    bool Destroying() const { return ComponentState.Contains(csDestroying); }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int i) const { return FComponents.at(i); }
    // The owned component with this name (without regard to ASCII case), or
    // null. Takes constant time: owners keep their components' names indexed.
    TComponent* FindComponent(std::string_view Name) const;

    // Asks for a notice (Notification with opRemove) when Other is destroyed.
    void FreeNotification(TComponent* Other);
    void RemoveFreeNotification(TComponent* Other);

    // The component that holds this one in a definition's nesting (a
    // control's parent window); definitions nest a component under it.
    // Components that have none keep the defaults.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* Parent) {}

    // Called once for each component after a definition has been read and
    // every reference resolved; the loading state is still set.
    virtual void Loaded() {}

    // Handler lookup for definitions: the method that a definition names
    // (as in "OnCleanup = Install1Cleanup") as a std::function of the
    // event's signature wrapped in std::any; empty when there is none.
    std::any MethodAddress(std::string_view Name) const;
    const std::map<std::string, std::any, std::less<>>& Methods() const { return FMethods; }

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Makes a method known to definitions under Name.
    template <class... Args>
    void PublishMethod(std::string Name, std::function<void(Args...)> Fn) {
        FMethods[UpperCase(Name)] = std::move(Fn);
    }

private:
    struct TNameIndex;
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    void IndexName(TComponent* c);
    void UnindexName(TComponent* c);
    std::string FName;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::map<std::string, std::any, std::less<>> FMethods;
    // The named owned components by name; made with the first named one, so
    // that the many components that own nothing pay one pointer for it.
    std::unique_ptr<TNameIndex> FNames;
};

// A non-visual container of components: the root of a definition that is
// not a form (an installation definition, for one).
class TDataModule : public TComponent {
    VTRL_CLASS(TDataModule)
public:
    explicit TDataModule(TComponent* AOwner) : TComponent(AOwner) {}
};

// Casts a component to T when it is one, else null.
template <class T>
T* As(TPersistent* p) {
    return dynamic_cast<T*>(p);
}

}  // namespace vtrl
