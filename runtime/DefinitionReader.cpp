// The definition reader: creates the components a definition describes and
// sets their published properties in the order written.
#include <algorithm>
#include <limits>
#include <memory>

#include "DefinitionLexer.h"
#include "DefinitionText.h"
#include "TypInfo.h"

namespace vtrl {

using definition::TDefinitionLexer;
using definition::TIncludeChain;
using definition::TToken;
using definition::TTokenKind;

namespace {

// The position of the token that a later step reports against; File
// indexes the read's table of file names (0 the main text).
struct TPos {
    int Line = 1;
    int Column = 1;
    int File = 0;
    TPos() = default;
    TPos(const TToken& t) : Line(t.Line), Column(t.Column), File(t.File) {}
};

struct TObjectHeader {
    TPos At;         // the 'object' keyword
    std::string Name;
    TPos NameAt;
    std::string ClassName;
    TPos ClassAt;
};

// A component reference, resolved once every object exists.
struct TPendingReference {
    TPersistent* Holder;       // the object or sub-object with the property
    TComponent* HolderOwner;   // the component Holder belongs to
    const TPropInfo* Prop;
    std::string Target;        // empty for nil
    TPos At;
};

// One property name as written, split at its dots.
struct TPathPart {
    std::string Name;
    TPos At;
};

class TDefinitionReader {
public:
    TDefinitionReader(std::string_view Text, std::string_view FileName, const TDefinitionIncludeResolver* Includes,
                      TDefinitionErrors* Errors = nullptr)
        : FileNames{std::string(FileName)}, L(Text, FileName, 0, &FileNames), Includes(Includes),
          Chain(std::string(FileName)), Errors(Errors) {}
    // The place of every component of the finished read.
    void NotePlaces(TDefinitionPlaces& Places) const {
        for (const auto& [c, at] : ReadOrder) Places[c] = {FileNames[at.File], at.Line, at.Column};
    }
    // Reads into GivenRoot, or into a new component of the outer object's
    // class owned by Owner when GivenRoot is null. Returns the root.
    TComponent* Read(TComponent* GivenRoot, TComponent* Owner);

private:
    TObjectHeader ReadHeader();
    TComponent* CreateRoot(const TObjectHeader& h, TComponent* Owner);
    void CheckRootClass(const TObjectHeader& h, const TComponent* root) const;
    void BeginLoading(TComponent* c, const TObjectHeader& h);
    void ReadBody(TComponent* c, int Level);
    void ReadChild(TComponent* Enclosing, int Level);
    void ReadInclude(TComponent* Enclosing, int Level);
    void ReadProperty(TComponent* c);
    std::vector<TPathPart> ReadPath();
    void ReadValue(TPersistent& Holder, TComponent* HolderOwner, const TPropInfo& p);
    void ReadValueOf(TPersistent& Holder, TComponent* HolderOwner, const TPropInfo& p);
    void SkipBody();
    void ReadInteger(TPersistent& o, const TPropInfo& p);
    void ReadBoolean(TPersistent& o, const TPropInfo& p);
    void ReadEnumeration(TPersistent& o, const TPropInfo& p);
    void ReadSet(TPersistent& o, const TPropInfo& p);
    void ReadFloat(TPersistent& o, const TPropInfo& p);
    void ReadStringValue(TPersistent& o, const TPropInfo& p);
    void ReadReference(TPersistent& o, TComponent* HolderOwner, const TPropInfo& p);
    void ReadStrings(TPersistent& o, const TPropInfo& p);
    void ReadEvent(TPersistent& o, const TPropInfo& p);
    std::string ReadStringExpression(const TPropInfo& p);
    void ResolveReferences();
    void FinishLoading();
    void Rollback() noexcept;

    [[noreturn]] void Fail(TPos At, const std::string& Message) const {
        throw EDefinitionError(FileNames[At.File], At.Line, At.Column, Message);
    }
    // An error the read can step over: noted when the read collects its
    // errors (the caller then skips what it was reading and goes on),
    // raised otherwise.
    void Note(TPos At, const std::string& Message) {
        if (!Errors) Fail(At, Message);
        Errors->push_back(EDefinitionError(FileNames[At.File], At.Line, At.Column, Message));
    }
    // Runs f; when the read collects its errors, a definition error of f
    // is noted instead of ending the read.
    template <class F>
    void Stepping(F&& f) {
        try {
            f();
        } catch (const EDefinitionError& e) {
            if (!Errors) throw;
            Errors->push_back(e);
        }
    }
    void Expect(char Symbol);
    void ExpectKeyword(const char* Word);
    std::string ExpectIdentifier(const char* What);
    [[noreturn]] void WrongKind(const char* Expected, const TPropInfo& p) const;
    // Runs a class's code (a setter, a factory, Loaded); its failures become
    // definition errors at At. The silent abort passes unchanged.
    template <class F>
    void Guarded(TPos At, F&& f) {
        try {
            f();
        } catch (const EDefinitionError&) {
            throw;
        } catch (const EAbort&) {
            throw;
        } catch (const std::exception& e) {
            Fail(At, e.what());
        }
    }

    // By file index: the main text first, then included texts and the files
    // that line marks name.
    std::vector<std::string> FileNames;
    TDefinitionLexer L;  // the text being read: the main one or an included one
    const TDefinitionIncludeResolver* Includes;
    TIncludeChain Chain;
    TComponent* Root = nullptr;
    std::vector<std::pair<TComponent*, TPos>> ReadOrder;  // with their 'object' keyword
    std::vector<TComponent*> Created;                      // children this read made
    std::vector<TPendingReference> References;
    std::vector<TPendingReference> RootReferences;         // set on Root, to undo
    TDefinitionErrors* Errors;  // null: the first error ends the read
};

TComponent* TDefinitionReader::Read(TComponent* GivenRoot, TComponent* Owner) {
    TObjectHeader h = ReadHeader();
    std::unique_ptr<TComponent> made;
    if (GivenRoot) {
        CheckRootClass(h, GivenRoot);
        Root = GivenRoot;
    } else {
        made.reset(CreateRoot(h, Owner));
        Root = made.get();
    }
    bool collected = false;  // the read ends because of the errors collected
    try {
        BeginLoading(Root, h);
        ReadBody(Root, 1);
        if (L.Current().Kind != TTokenKind::EndOfText)
            L.Fail(L.Current(), "End of text expected after the final 'end' but " + L.Current().Describe() + " found");
        ResolveReferences();
        FinishLoading();
        if (Errors && !Errors->empty()) {
            collected = true;
            throw Errors->front();
        }
    } catch (const EDefinitionError& e) {
        // The error that ended the read is the last one of the list.
        if (Errors && !collected) Errors->push_back(e);
        Rollback();
        throw;
    } catch (...) {
        Rollback();
        throw;
    }
    made.release();
    return Root;
}

TObjectHeader TDefinitionReader::ReadHeader() {
    TObjectHeader h;
    h.At = L.Current();
    ExpectKeyword("object");
    TPos first = L.Current();
    std::string name = ExpectIdentifier("Component name");
    if (L.Current().IsSymbol(':')) {
        L.Next();
        h.Name = std::move(name);
        h.NameAt = first;
        h.ClassAt = L.Current();
        h.ClassName = ExpectIdentifier("Class name");
    } else {
        h.NameAt = first;
        h.ClassAt = first;
        h.ClassName = std::move(name);
    }
    return h;
}

TComponent* TDefinitionReader::CreateRoot(const TObjectHeader& h, TComponent* Owner) {
    const TClassInfo* cls = FindClass(h.ClassName);
    if (!cls) Fail(h.ClassAt, "Class " + h.ClassName + " not found");
    if (!cls->Create) Fail(h.ClassAt, "Class " + h.ClassName + " cannot be created");
    TComponent* c = nullptr;
    Guarded(h.ClassAt, [&] { c = cls->Create(Owner); });
    if (!c) Fail(h.ClassAt, "Class " + h.ClassName + " cannot be created");
    c->ComponentState.Include(csLoading).Include(csReading);
    return c;
}

void TDefinitionReader::CheckRootClass(const TObjectHeader& h, const TComponent* root) const {
    for (const TClassInfo* c = &root->ClassType(); c; c = c->Parent)
        if (SameText(c->Name, h.ClassName)) return;
    Fail(h.ClassAt, "Class " + h.ClassName + " does not match the root component's class " + root->ClassName());
}

// Marks c as loading (before any property), names it and records it.
void TDefinitionReader::BeginLoading(TComponent* c, const TObjectHeader& h) {
    c->ComponentState.Include(csLoading).Include(csReading);
    ReadOrder.emplace_back(c, h.At);
    if (!h.Name.empty()) Stepping([&] { Guarded(h.NameAt, [&] { c->SetName(h.Name); }); });
}

// Properties and nested objects up to the object's 'end'; c is at Level,
// the outer object at 1.
void TDefinitionReader::ReadBody(TComponent* c, int Level) {
    for (;;) {
        const TToken& t = L.Current();
        if (t.IsKeyword("end")) {
            L.Next();
            return;
        }
        if (t.IsKeyword("object")) ReadChild(c, Level + 1);
        else if (L.AtIncludeLine()) ReadInclude(c, Level);
        else if (t.Kind == TTokenKind::Identifier) ReadProperty(c);
        else L.Fail(t, "Property name, 'object' or 'end' expected but " + t.Describe() + " found");
    }
}

// Each level of nesting takes a frame of ReadBody and ReadChild, so the depth
// is bounded before text can exhaust the stack.
void TDefinitionReader::ReadChild(TComponent* Enclosing, int Level) {
    if (Level > MaxDefinitionDepth)
        L.Fail(L.Current(), Fmt("Objects nest deeper than %d levels", MaxDefinitionDepth));
    TObjectHeader h = ReadHeader();
    // An object that cannot be made is stepped over, when the read goes on
    // after errors, with everything inside it.
    auto refuse = [&](TPos At, const std::string& Message) {
        Note(At, Message);
        SkipBody();
    };
    if (!h.Name.empty() && (SameText(h.Name, Root->Name()) || Root->FindComponent(h.Name)))
        return refuse(h.NameAt, "A component named " + h.Name + " already exists");
    const TClassInfo* cls = FindClass(h.ClassName);
    if (!cls)
        return refuse(h.ClassAt, "Class " + h.ClassName + " not found" + DidYouMean(h.ClassName, CreatableClassNames()));
    if (!cls->Create) return refuse(h.ClassAt, "Class " + h.ClassName + " cannot be created");
    TComponent* c = nullptr;
    try {
        Guarded(h.ClassAt, [&] { c = cls->Create(Root); });
    } catch (const EDefinitionError& e) {
        if (!Errors) throw;
        return refuse(h.ClassAt, e.Text);
    }
    if (!c) return refuse(h.ClassAt, "Class " + h.ClassName + " cannot be created");
    Created.push_back(c);
    BeginLoading(c, h);
    Stepping([&] { Guarded(h.At, [&] { c->SetParentComponent(Enclosing); }); });
    ReadBody(c, Level);
}

// 'include' followed by a file name, read as if its objects stood here,
// children of Enclosing (at Level). The included text's lexer takes L's
// place until its end, then the including one goes on after the file name.
void TDefinitionReader::ReadInclude(TComponent* Enclosing, int Level) {
    const TToken at = L.Current();
    if (!Includes || !*Includes) L.Fail(at, "Includes are not allowed here");
    L.Next();
    std::string path = L.Current().Text;
    L.Next();
    std::string resolved;
    const std::string text = Chain.Enter(L, at, path, *Includes, resolved);
    FileNames.push_back(resolved);
    TDefinitionLexer including = std::move(L);
    L = TDefinitionLexer(text, resolved, static_cast<int>(FileNames.size() - 1), &FileNames);
    for (;;) {
        const TToken& t = L.Current();
        if (t.Kind == TTokenKind::EndOfText) break;
        if (t.IsKeyword("object")) ReadChild(Enclosing, Level + 1);
        else if (L.AtIncludeLine()) ReadInclude(Enclosing, Level);
        else L.Fail(t, "'object' or 'include' expected in an included file but " + t.Describe() + " found");
    }
    L = std::move(including);
    Chain.Leave();
}

std::vector<TPathPart> TDefinitionReader::ReadPath() {
    std::vector<TPathPart> path;
    path.push_back({L.Current().Text, L.Current()});
    L.Next();
    while (L.Current().IsSymbol('.')) {
        L.Next();
        TPos at = L.Current();
        path.push_back({ExpectIdentifier("Property name"), at});
    }
    return path;
}

// Name = value, where Name may lead through owned sub-objects
// (Information.ProductName) and a string list may be named List.Strings.
void TDefinitionReader::ReadProperty(TComponent* c) {
    std::vector<TPathPart> path = ReadPath();
    TPersistent* holder = c;
    const TPropInfo* p = nullptr;
    try {
        for (size_t i = 0; i < path.size(); ++i) {
            const TPathPart& part = path[i];
            if (p && p->Kind == tkStrings && i + 1 == path.size() && SameText(part.Name, "Strings")) break;
            if (p) {
                if (p->Kind != tkObject) Fail(part.At, "Property " + p->Name + " has no property " + part.Name);
                TPersistent* sub = nullptr;
                Guarded(path[i - 1].At, [&] { sub = p->GetSubObject(*holder); });
                if (!sub) Fail(path[i - 1].At, "Property " + p->Name + " has no object");
                holder = sub;
            }
            p = holder->ClassType().FindProp(part.Name);
            if (!p) {
                std::vector<std::string> names;
                for (const TPropInfo* q : holder->ClassType().AllProps()) names.push_back(q->Name);
                Fail(part.At, "Property " + part.Name + " does not exist in " + holder->ClassName() +
                                  DidYouMean(part.Name, names));
            }
        }
    } catch (const EDefinitionError& e) {
        if (!Errors) throw;
        Errors->push_back(e);
        Expect('=');
        definition::SkipValue(L);
        return;
    }
    Expect('=');
    ReadValueOf(*holder, c, *p);
}

// A value; when the read goes on after errors, a value that cannot be
// set is noted and read again from its start, only to step over it (a
// fault in the text's form is raised as it is met there).
void TDefinitionReader::ReadValueOf(TPersistent& Holder, TComponent* HolderOwner, const TPropInfo& p) {
    if (!Errors) return ReadValue(Holder, HolderOwner, p);
    const TDefinitionLexer start = L;
    try {
        ReadValue(Holder, HolderOwner, p);
    } catch (const EDefinitionError& e) {
        L = start;
        definition::SkipValue(L);
        Errors->push_back(e);
    }
}

// The rest of an object that is not made, up to and with its 'end'.
void TDefinitionReader::SkipBody() {
    for (;;) {
        const TToken& t = L.Current();
        if (t.IsKeyword("end")) {
            L.Next();
            return;
        }
        if (t.IsKeyword("object")) {
            ReadHeader();
            SkipBody();
        } else if (L.AtIncludeLine()) {
            L.Next();
            L.Next();
        } else if (t.Kind == TTokenKind::Identifier) {
            ReadPath();
            Expect('=');
            definition::SkipValue(L);
        } else {
            L.Fail(t, "Property name, 'object' or 'end' expected but " + t.Describe() + " found");
        }
    }
}


void TDefinitionReader::ReadValue(TPersistent& Holder, TComponent* HolderOwner, const TPropInfo& p) {
    switch (p.Kind) {
    case tkInteger: return ReadInteger(Holder, p);
    case tkBoolean: return ReadBoolean(Holder, p);
    case tkEnumeration: return ReadEnumeration(Holder, p);
    case tkSet: return ReadSet(Holder, p);
    case tkFloat: return ReadFloat(Holder, p);
    case tkString: return ReadStringValue(Holder, p);
    case tkComponent: return ReadReference(Holder, HolderOwner, p);
    case tkStrings: return ReadStrings(Holder, p);
    case tkEvent: return ReadEvent(Holder, p);
    case tkObject:
        L.Fail(L.Current(), "Property " + p.Name + " is an object; set its properties as " + p.Name + ".Name");
    }
}

// Integers are 32-bit: decimal from -2147483648 to 2147483647; a
// $hexadecimal value (the lexer allows at most $FFFFFFFF) gives its bits, so
// $FFFFFFFF is -1, and a negative one must stay down to -$80000000.
void TDefinitionReader::ReadInteger(TPersistent& o, const TPropInfo& p) {
    const TToken t = L.Current();
    if (t.Kind != TTokenKind::Integer) WrongKind("Integer", p);
    int64_t v = t.Int;
    bool hex = t.Text.find('$') != std::string::npos;
    if (hex && v > std::numeric_limits<int32_t>::max() && v <= 0xFFFFFFFF) v = static_cast<int32_t>(static_cast<uint32_t>(v));
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        L.Fail(t, "Integer " + t.Text + " is out of range for property " + p.Name);
    L.Next();
    Guarded(t, [&] { p.SetOrd(o, v); });
}

void TDefinitionReader::ReadBoolean(TPersistent& o, const TPropInfo& p) {
    const TToken t = L.Current();
    if (!t.IsKeyword("True") && !t.IsKeyword("False")) WrongKind("True or False", p);
    L.Next();
    Guarded(t, [&] { p.SetOrd(o, t.IsKeyword("True") ? 1 : 0); });
}

void TDefinitionReader::ReadEnumeration(TPersistent& o, const TPropInfo& p) {
    const TToken t = L.Current();
    if (t.Kind != TTokenKind::Identifier) WrongKind("Enumeration value", p);
    int v = p.Enum->IndexOf(t.Text);
    if (v < 0) L.Fail(t, "'" + t.Text + "' is not a value of " + p.Enum->TypeName + DidYouMean(t.Text, p.Enum->Names));
    L.Next();
    Guarded(t, [&] { p.SetOrd(o, v); });
}

void TDefinitionReader::ReadSet(TPersistent& o, const TPropInfo& p) {
    const TToken start = L.Current();
    if (!start.IsSymbol('[')) WrongKind("Set", p);
    L.Next();
    uint32_t bits = 0;
    if (!L.Current().IsSymbol(']')) {
        for (;;) {
            const TToken t = L.Current();
            if (t.Kind != TTokenKind::Identifier) L.Fail(t, "Set element expected but " + t.Describe() + " found");
            int v = p.Enum->IndexOf(t.Text);
            if (v < 0 || v >= 32)
                L.Fail(t, "Set element '" + t.Text + "' is not a value of " + p.Enum->TypeName +
                              DidYouMean(t.Text, p.Enum->Names));
            bits |= uint32_t{1} << v;
            L.Next();
            if (L.Current().IsSymbol(']')) break;
            if (!L.Current().IsSymbol(','))
                L.Fail(L.Current(), "',' or ']' expected but " + L.Current().Describe() + " found");
            L.Next();
        }
    }
    L.Next();
    Guarded(start, [&] { p.SetOrd(o, bits); });
}

void TDefinitionReader::ReadFloat(TPersistent& o, const TPropInfo& p) {
    const TToken t = L.Current();
    if (t.Kind != TTokenKind::Float && t.Kind != TTokenKind::Integer) WrongKind("Number", p);
    L.Next();
    Guarded(t, [&] { p.SetFloat(o, t.Float); });
}

// A string, pieces joined with '+' (also across lines), or { binary data }.
std::string TDefinitionReader::ReadStringExpression(const TPropInfo& p) {
    if (L.Current().Kind == TTokenKind::Binary) {
        std::string s = L.Current().Text;
        L.Next();
        return s;
    }
    if (L.Current().Kind != TTokenKind::String) WrongKind("String", p);
    std::string s = L.Current().Text;
    L.Next();
    while (L.Current().IsSymbol('+')) {
        L.Next();
        if (L.Current().Kind != TTokenKind::String)
            L.Fail(L.Current(), "String expected after '+' but " + L.Current().Describe() + " found");
        s += L.Current().Text;
        L.Next();
    }
    return s;
}

void TDefinitionReader::ReadStringValue(TPersistent& o, const TPropInfo& p) {
    const TToken t = L.Current();
    std::string s = ReadStringExpression(p);
    Guarded(t, [&] { p.SetStr(o, s); });
}

// A component name (or nil); set after every object exists.
void TDefinitionReader::ReadReference(TPersistent& o, TComponent* HolderOwner, const TPropInfo& p) {
    const TToken t = L.Current();
    if (t.Kind != TTokenKind::Identifier) WrongKind("Component name", p);
    L.Next();
    References.push_back({&o, HolderOwner, &p, t.IsKeyword("nil") ? std::string() : t.Text, t});
}

// ( 'line' 'line' ... ), given as List.Strings = or List =.
void TDefinitionReader::ReadStrings(TPersistent& o, const TPropInfo& p) {
    const TToken start = L.Current();
    if (!start.IsSymbol('(')) WrongKind("'(' with a list of strings", p);
    L.Next();
    TStringList lines;
    while (!L.Current().IsSymbol(')')) {
        if (L.Current().Kind == TTokenKind::EndOfText) L.Fail(start, "Unterminated list of strings");
        if (L.Current().Kind != TTokenKind::String)
            L.Fail(L.Current(), "String or ')' expected but " + L.Current().Describe() + " found");
        lines.Add(ReadStringExpression(p));
    }
    L.Next();
    Guarded(start, [&] { p.SetLines(o, lines); });
}

void TDefinitionReader::ReadEvent(TPersistent& o, const TPropInfo& p) {
    const TToken t = L.Current();
    if (t.Kind != TTokenKind::Identifier) WrongKind("Handler name", p);
    L.Next();
    Guarded(t, [&] { p.SetHandler(o, t.Text, Root); });
}

// References name Root or a component Root owns, of the property's class.
void TDefinitionReader::ResolveReferences() {
    for (const TPendingReference& r : References)
        Stepping([&] {
            TComponent* target = nullptr;
            if (!r.Target.empty()) {
                target = SameText(r.Target, Root->Name()) ? Root : Root->FindComponent(r.Target);
                if (!target) {
                    std::vector<std::string> names{Root->Name()};
                    for (int i = 0; i < Root->ComponentCount(); ++i) names.push_back(Root->Components(i)->Name());
                    Fail(r.At, "Component " + r.Target + " not found" + DidYouMean(r.Target, names));
                }
                if (r.Prop->RefClass && !target->InheritsFrom(*r.Prop->RefClass))
                    Fail(r.At, "Component " + r.Target + " is a " + target->ClassName() + ", property " +
                                   r.Prop->Name + " needs a " + r.Prop->RefClass->Name);
            }
            Guarded(r.At, [&] { r.Prop->SetComp(*r.Holder, target); });
            if (r.HolderOwner == Root) RootReferences.push_back(r);
        });
}

// Written without structured bindings: clang before 16 cannot capture them
// in the lambda, and the fuzz build uses clang.
void TDefinitionReader::FinishLoading() {
    for (const auto& entry : ReadOrder) entry.first->ComponentState.Exclude(csReading);
    for (const auto& entry : ReadOrder) Stepping([&] { Guarded(entry.second, [&] { entry.first->Loaded(); }); });
    for (const auto& entry : ReadOrder) entry.first->ComponentState.Exclude(csLoading);
}

// Resets Root's references to the components this read made, then destroys
// them, the last made first.
void TDefinitionReader::Rollback() noexcept {
    for (const TPendingReference& r : RootReferences) {
        TComponent* now = nullptr;
        try {
            now = r.Prop->GetComp(*r.Holder);
            if (now && std::find(Created.begin(), Created.end(), now) != Created.end()) r.Prop->SetComp(*r.Holder, nullptr);
        } catch (...) {
            // The original failure is the one to report.
        }
    }
    for (auto it = Created.rbegin(); it != Created.rend(); ++it) delete *it;
    Created.clear();
    if (Root) Root->ComponentState.Exclude(csLoading).Exclude(csReading);
}

void TDefinitionReader::Expect(char Symbol) {
    if (!L.Current().IsSymbol(Symbol))
        L.Fail(L.Current(), Fmt("'%s' expected but %s found", std::string(1, Symbol), L.Current().Describe()));
    L.Next();
}

void TDefinitionReader::ExpectKeyword(const char* Word) {
    if (!L.Current().IsKeyword(Word))
        L.Fail(L.Current(), Fmt("'%s' expected but %s found", Word, L.Current().Describe()));
    L.Next();
}

std::string TDefinitionReader::ExpectIdentifier(const char* What) {
    const TToken& t = L.Current();
    if (t.Kind != TTokenKind::Identifier) L.Fail(t, Fmt("%s expected but %s found", What, t.Describe()));
    std::string s = t.Text;
    L.Next();
    return s;
}

void TDefinitionReader::WrongKind(const char* Expected, const TPropInfo& p) const {
    L.Fail(L.Current(), Fmt("%s expected for property %s but %s found", Expected, p.Name, L.Current().Describe()));
}

}  // namespace

void ReadComponentText(std::string_view Text, TComponent* Root, std::string_view FileName) {
    if (!Root) throw Exception("ReadComponentText needs a root component");
    TDefinitionReader(Text, FileName, nullptr).Read(Root, nullptr);
}

TComponent* CreateComponentFromText(std::string_view Text, TComponent* Owner, std::string_view FileName) {
    return TDefinitionReader(Text, FileName, nullptr).Read(nullptr, Owner);
}

void ReadComponentText(std::string_view Text, TComponent* Root, std::string_view FileName,
                       const TDefinitionIncludeResolver& Includes, TDefinitionPlaces* Places,
                       TDefinitionErrors* Errors) {
    if (!Root) throw Exception("ReadComponentText needs a root component");
    TDefinitionReader reader(Text, FileName, &Includes, Errors);
    reader.Read(Root, nullptr);
    if (Places) reader.NotePlaces(*Places);
}

TComponent* CreateComponentFromText(std::string_view Text, TComponent* Owner, std::string_view FileName,
                                    const TDefinitionIncludeResolver& Includes) {
    return TDefinitionReader(Text, FileName, &Includes).Read(nullptr, Owner);
}

}  // namespace vtrl
