// The property reference: the defaults read back from instances through
// reflection, written as definition values.
#include "routines_Properties.h"

#include <cmath>
#include <memory>

#include "DefinitionText.h"

namespace vtrl {

namespace {

constexpr size_t MaxShownText = 60;

// Markdown table cells may not hold a bar or a line break.
std::string Cell(std::string Text) {
    std::string out;
    for (char c : Text) {
        if (c == '|') out += "\\|";
        else if (c == '\r' || c == '\n') out += ' ';
        else out += c;
    }
    return out;
}

// A text as the definition writes it; a long or binary one (a picture's
// data) by its size only.
std::string TextDefault(const std::string& Value) {
    bool plain = Value.size() <= MaxShownText;
    for (unsigned char c : Value)
        if (c < 32 || c == 127) plain = false;
    return plain ? DefinitionStringLiteral(Value, "") : "(" + IntToStr(int64_t(Value.size())) + " bytes)";
}

std::string KindText(const TPropInfo& p) {
    switch (p.Kind) {
    case tkInteger: return "integer";
    case tkBoolean: return "boolean";
    case tkString: return "text";
    case tkEnumeration: return p.Enum->TypeName;
    case tkSet: return "set of " + p.Enum->TypeName;
    case tkFloat: return "number";
    case tkComponent: return p.RefClass ? p.RefClass->Name : "component";
    case tkStrings: return "lines";
    default: return "";
    }
}

// Appends a row per property of Object (sub-objects expanded as Prefix.Name).
void AddRows(TPersistent& Object, const TClassInfo& Class, const std::string& Prefix, std::string& Out) {
    for (const TPropInfo* p : Class.AllProps()) {
        const std::string name = Prefix + p->Name;
        std::string value;
        switch (p->Kind) {
        case tkEvent: continue;
        case tkObject:
            if (TPersistent* sub = p->GetSubObject(Object)) AddRows(*sub, sub->ClassType(), name + ".", Out);
            continue;
        case tkInteger:
        case tkBoolean:
        case tkEnumeration:
        case tkSet: {
            const int64_t v = p->GetOrd(Object);
            value = DefinitionOrdinalText(*p, v).value_or(IntToStr(v));
            break;
        }
        case tkFloat: {
            const double v = p->GetFloat(Object);
            value = std::isfinite(v) ? DefinitionFloatText(v) : "?";
            break;
        }
        case tkString: value = TextDefault(p->GetStr(Object)); break;
        case tkComponent: {
            const TComponent* c = p->GetComp(Object);
            value = !c ? "nil" : c->Name().empty() ? "(a component without a name)" : c->Name();
            break;
        }
        case tkStrings: {
            const TStringList& lines = p->GetLines(Object);
            value = lines.Count() == 0 ? "()" : "(" + IntToStr(int64_t(lines.Count())) + " lines)";
            break;
        }
        }
        Out += "| `" + name + "` | " + Cell(KindText(*p)) + " | `" + Cell(value) + "` |\n";
    }
}

}  // namespace

std::string DescribePropertyDefaults(const std::vector<std::string>& Classes, const TDefaultsMaker& Make) {
    std::string out;
    for (const std::string& name : Classes) {
        const TClassInfo* cls = FindClass(name);
        if (!cls || !cls->Create) throw Exception("The class " + name + " is not one a definition can create");
        out += "#### " + cls->Name + "\n\n";
        if (cls->Parent) out += "Derived from " + cls->Parent->Name + ".\n\n";
        std::string rows;
        {
            const std::shared_ptr<TComponent> made = Make(*cls);
            if (!made) throw Exception("The class " + name + " cannot be created");
            AddRows(*made, made->ClassType(), "", rows);
        }
        if (rows.empty()) out += "No properties.\n\n";
        else out += "| Property | Kind | Default |\n|---|---|---|\n" + rows + "\n";
    }
    return out;
}

}  // namespace vtrl
