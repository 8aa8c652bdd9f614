// The definition writer: the text of a component tree, from reflection,
// without the values that equal their stored defaults.
#include <charconv>
#include <cmath>
#include <map>

#include "DefinitionText.h"
#include "TypInfo.h"

namespace vtrl {

namespace {

// A string literal longer than this is split into pieces joined by '+'.
constexpr size_t MaxLiteralPiece = 64;

bool IsControl(unsigned char b) { return b < 32 || b == 127; }

// The pieces of a string literal: quoted printable text, #nnn for control
// characters, UTF-8 bytes as they are; each piece at most MaxLiteralPiece
// bytes long and never cut inside a UTF-8 sequence.
std::vector<std::string> StringLiteralPieces(std::string_view s) {
    std::vector<std::string> pieces(1);
    bool quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
        auto b = static_cast<unsigned char>(s[i]);
        bool continuation = (b & 0xC0) == 0x80;
        if (!continuation && pieces.back().size() >= MaxLiteralPiece) {
            if (quoted) pieces.back() += '\'';
            quoted = false;
            pieces.emplace_back();
        }
        std::string& piece = pieces.back();
        if (IsControl(b)) {
            if (quoted) piece += '\'';
            quoted = false;
            piece += "#" + std::to_string(b);
            continue;
        }
        if (!quoted) piece += '\'';
        quoted = true;
        piece += s[i];
        if (b == '\'') piece += '\'';
    }
    if (quoted) pieces.back() += '\'';
    if (pieces.back().empty()) pieces.back() = "''";
    return pieces;
}

class TDefinitionWriter {
public:
    explicit TDefinitionWriter(const TComponent* root) : Root(root) {}
    std::string Write();

private:
    void WriteObject(const TComponent* c, int Level);
    void WriteProperties(const TPersistent& o, const std::string& Prefix, int Level);
    void WriteProperty(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level);
    void WriteOrdinal(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level);
    void WriteFloat(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level);
    void WriteString(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level);
    void WriteReference(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level);
    void WriteStrings(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level);
    void Line(int Level, const std::string& Text);
    void WriteLiteral(int Level, const std::string& Head, std::string_view Value, const std::string& Tail);

    const TComponent* Root;
    std::map<const TComponent*, std::vector<const TComponent*>> Children;
    size_t Written = 0;
    std::string Out;
};

std::string TDefinitionWriter::Write() {
    for (int i = 0; i < Root->ComponentCount(); ++i) {
        const TComponent* c = Root->Components(i);
        const TComponent* parent = c->GetParentComponent();
        if (!parent || parent == Root || parent->Owner() != Root) parent = Root;
        Children[parent].push_back(c);
    }
    WriteObject(Root, 0);
    if (Written != static_cast<size_t>(Root->ComponentCount()) + 1)
        throw Exception("Cannot write " + Root->Name() + ": the parents of some components form a cycle");
    return Out;
}

void TDefinitionWriter::WriteObject(const TComponent* c, int Level) {
    // What the reader would refuse is not written: a text that cannot be
    // read back is no definition (and the recursion stays bounded).
    if (Level >= MaxDefinitionDepth)
        throw Exception("Cannot write " + Root->Name() + ": " + c->Name() + " is nested deeper than " +
                        std::to_string(MaxDefinitionDepth) + " levels");
    ++Written;
    Line(Level, c->Name().empty() ? "object " + c->ClassName() : "object " + c->Name() + ": " + c->ClassName());
    WriteProperties(*c, "", Level + 1);
    for (const TComponent* child : Children[c]) WriteObject(child, Level + 1);
    Line(Level, "end");
}

void TDefinitionWriter::WriteProperties(const TPersistent& o, const std::string& Prefix, int Level) {
    for (const TPropInfo* p : o.ClassType().AllProps()) WriteProperty(o, *p, Prefix + p->Name, Level);
}

void TDefinitionWriter::WriteProperty(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level) {
    switch (p.Kind) {
    case tkInteger:
    case tkBoolean:
    case tkEnumeration:
    case tkSet: return WriteOrdinal(o, p, Name, Level);
    case tkString: return WriteString(o, p, Name, Level);
    case tkFloat: return WriteFloat(o, p, Name, Level);
    case tkComponent: return WriteReference(o, p, Name, Level);
    case tkStrings: return WriteStrings(o, p, Name, Level);
    case tkObject:
        // Sub-objects are owned by o; GetSubObject takes a non-const object only
        // because reading sets their properties.
        if (TPersistent* sub = p.GetSubObject(const_cast<TPersistent&>(o))) WriteProperties(*sub, Name + ".", Level);
        return;
    case tkEvent:
        if (std::string h = p.GetHandlerName(o); !h.empty()) Line(Level, Name + " = " + h);
        return;
    }
}

void TDefinitionWriter::WriteOrdinal(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level) {
    int64_t v = p.GetOrd(o);
    if (p.DefaultOrd && *p.DefaultOrd == v) return;
    int64_t stray = 0;
    const std::optional<std::string> text = DefinitionOrdinalText(p, v, &stray);
    if (!text) throw Exception(Fmt("Cannot write %s: %d is not a value of %s", Name, stray, p.Enum->TypeName));
    Line(Level, Name + " = " + *text);
}

void TDefinitionWriter::WriteFloat(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level) {
    double v = p.GetFloat(o);
    if (v == 0) return;
    if (!std::isfinite(v)) throw Exception("Cannot write " + Name + ": it is not a finite number");
    Line(Level, Name + " = " + DefinitionFloatText(v));
}

void TDefinitionWriter::WriteString(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level) {
    std::string s = p.GetStr(o);
    if (s.empty() && !p.StoredAlways) return;
    WriteLiteral(Level, Name + " = ", s, "");
}

void TDefinitionWriter::WriteReference(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level) {
    const TComponent* c = p.GetComp(o);
    if (!c) return;
    if (c->Name().empty() || (c != Root && c->Owner() != Root))
        throw Exception("Cannot write " + Name + ": it refers to a component outside " + Root->Name() +
                        " or without a name");
    Line(Level, Name + " = " + c->Name());
}

void TDefinitionWriter::WriteStrings(const TPersistent& o, const TPropInfo& p, const std::string& Name, int Level) {
    const TStringList& lines = p.GetLines(o);
    if (lines.Count() == 0) return;
    Line(Level, Name + ".Strings = (");
    for (int i = 0; i < lines.Count(); ++i) WriteLiteral(Level + 1, "", lines[i], i + 1 == lines.Count() ? ")" : "");
}

void TDefinitionWriter::Line(int Level, const std::string& Text) {
    Out.append(static_cast<size_t>(Level) * 2, ' ');
    Out += Text;
    Out += '\n';
}

// Head, then the literal (continued on the following lines with '+' when
// long), then Tail.
void TDefinitionWriter::WriteLiteral(int Level, const std::string& Head, std::string_view Value, const std::string& Tail) {
    std::vector<std::string> pieces = StringLiteralPieces(Value);
    if (pieces.size() == 1) return Line(Level, Head + pieces[0] + Tail);
    Line(Level, Head + pieces[0] + " +");
    for (size_t i = 1; i < pieces.size(); ++i)
        Line(Level + 1, pieces[i] + (i + 1 == pieces.size() ? Tail : " +"));
}

}  // namespace

std::optional<std::string> DefinitionOrdinalText(const TPropInfo& p, int64_t v, int64_t* Stray) {
    if (p.Kind == tkBoolean) return v ? "True" : "False";
    if (p.Kind == tkEnumeration) {
        if (v >= 0 && v < static_cast<int64_t>(p.Enum->Names.size())) return p.Enum->Names[static_cast<size_t>(v)];
        if (Stray) *Stray = v;
        return std::nullopt;
    }
    if (p.Kind != tkSet) return IntToStr(v);
    std::string text;
    for (size_t i = 0; i < 32; ++i) {
        if (!(v >> i & 1)) continue;
        if (i >= p.Enum->Names.size()) {
            if (Stray) *Stray = static_cast<int64_t>(i);
            return std::nullopt;
        }
        text += (text.empty() ? "" : ", ") + p.Enum->Names[i];
    }
    return "[" + text + "]";
}

// The shortest text that reads back as the same double.
std::string DefinitionFloatText(double Value) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, Value);
    return std::string(buf, r.ptr);
}

std::string DefinitionStringLiteral(std::string_view Value, std::string_view Indent) {
    std::vector<std::string> pieces = StringLiteralPieces(Value);
    std::string out = pieces[0];
    for (size_t i = 1; i < pieces.size(); ++i) out += " +\n" + std::string(Indent) + pieces[i];
    return out;
}

std::string WriteComponentText(const TComponent* Root) {
    if (!Root) throw Exception("WriteComponentText needs a root component");
    return TDefinitionWriter(Root).Write();
}

}  // namespace vtrl
