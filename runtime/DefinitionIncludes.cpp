// Include lines of definitions: the resolver for files, and the expansion
// of a definition into one self-contained text.
#include <algorithm>
#include <vector>

#include "DefinitionLexer.h"
#include "DefinitionText.h"
#include "FileShim.h"

namespace vtrl {

using definition::TDefinitionLexer;
using definition::TIncludeChain;
using definition::TToken;
using definition::TTokenKind;

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// "C:\x", "\x", "/x", "\\server\x": not taken from the including file's directory.
bool IsAbsolutePath(const std::string& p) {
    if (!p.empty() && IsSeparator(p[0])) return true;
    return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

// The path with "." steps dropped and ".." steps taken back where they can
// be; its root ("/", "C:\", "\\") kept; steps joined with Sep.
std::string NormalizePath(const std::string& p, char Sep) {
    size_t pos = 0;
    std::string root;
    if (p.size() >= 2 && p[1] == ':') {
        root = p.substr(0, 2);
        pos = 2;
    }
    while (pos < p.size() && IsSeparator(p[pos])) {
        root += Sep;
        ++pos;
    }
    std::vector<std::string> steps;
    while (pos < p.size()) {
        size_t end = pos;
        while (end < p.size() && !IsSeparator(p[end])) ++end;
        std::string step = p.substr(pos, end - pos);
        pos = end < p.size() ? end + 1 : end;
        if (step.empty() || step == ".") continue;
        if (step == ".." && !steps.empty() && steps.back() != "..") steps.pop_back();
        else if (step != ".." || root.empty()) steps.push_back(step);
    }
    std::string out = root;
    for (size_t i = 0; i < steps.size(); ++i) out += (i ? std::string(1, Sep) : "") + steps[i];
    return out;
}

// The text without its trailing blanks and line breaks: an included text
// ends where the include line's own break follows.
void DropTrailingBlanks(std::string& Text) {
    const size_t last = Text.find_last_not_of(" \t\r\n");
    Text.erase(last == std::string::npos ? 0 : last + 1);
}

// Walks a definition's form without a class registry and copies it to Out,
// each include line replaced by its expanded text.
class TIncludeExpander {
public:
    TIncludeExpander(const TDefinitionIncludeResolver& Includes, const std::string& MainFile, bool MarkLines)
        : Includes(Includes), Chain(MainFile), MarkLines(MarkLines) {
        const size_t cut = MainFile.find_last_of("/\\");
        if (cut != std::string::npos) MainDir = MainFile.substr(0, cut + 1);
    }
    // Included: a list of objects and include lines rather than one object.
    std::string Expand(std::string_view Text, const std::string& FileName, bool Included);

private:
    struct TFrame {
        TDefinitionLexer& L;
        std::string_view Text;
        std::string Out;
        size_t Copied;  // Text up to here is in Out
    };
    void WalkObject(TFrame& f, int Level);
    void WalkProperty(TFrame& f);
    void ExpandInclude(TFrame& f);
    void MarkInclude(TFrame& f, const TToken& At, size_t End, size_t LineStart, std::string Inner,
                     const std::string& Included, const std::string& FileName);

    // "//#line N 'name'" for a file of the read: its name from the main
    // file's folder, so that no folder of the build machine is recorded.
    std::string LineMark(int Line, const std::string& File) const;

    const TDefinitionIncludeResolver& Includes;
    TIncludeChain Chain;
    bool MarkLines;
    std::string MainDir;  // the main file's folder with its separator, or empty
};

std::string TIncludeExpander::LineMark(int Line, const std::string& File) const {
    std::string name = File;
    if (!MainDir.empty() && name.size() > MainDir.size() && name.compare(0, MainDir.size(), MainDir) == 0)
        name.erase(0, MainDir.size());
    std::string quoted;
    for (char c : name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return "//#line " + std::to_string(Line) + " '" + quoted + "'";
}

std::string TIncludeExpander::Expand(std::string_view Text, const std::string& FileName, bool Included) {
    TDefinitionLexer L(Text, FileName);
    TFrame f{L, Text, {}, Text.substr(0, 3) == "\xEF\xBB\xBF" ? size_t{3} : size_t{0}};
    if (!Included) {
        if (MarkLines) f.Out = LineMark(1, FileName) + "\n";
        WalkObject(f, 1);
        if (L.Current().Kind != TTokenKind::EndOfText)
            L.Fail(L.Current(), "End of text expected after the final 'end' but " + L.Current().Describe() + " found");
    } else {
        while (L.Current().Kind != TTokenKind::EndOfText) {
            if (L.Current().IsKeyword("object")) WalkObject(f, 2);
            else if (L.AtIncludeLine()) ExpandInclude(f);
            else L.Fail(L.Current(), "'object' or 'include' expected in an included file but " + L.Current().Describe() + " found");
        }
    }
    f.Out.append(Text.substr(f.Copied));
    return std::move(f.Out);
}

void TIncludeExpander::WalkObject(TFrame& f, int Level) {
    TDefinitionLexer& L = f.L;
    if (Level > MaxDefinitionDepth) L.Fail(L.Current(), Fmt("Objects nest deeper than %d levels", MaxDefinitionDepth));
    if (!L.Current().IsKeyword("object")) L.Fail(L.Current(), "'object' expected but " + L.Current().Describe() + " found");
    L.Next();
    if (L.Current().Kind != TTokenKind::Identifier)
        L.Fail(L.Current(), "Component name expected but " + L.Current().Describe() + " found");
    L.Next();
    if (L.Current().IsSymbol(':')) {
        L.Next();
        if (L.Current().Kind != TTokenKind::Identifier)
            L.Fail(L.Current(), "Class name expected but " + L.Current().Describe() + " found");
        L.Next();
    }
    for (;;) {
        const TToken& t = L.Current();
        if (t.IsKeyword("end")) {
            L.Next();
            return;
        }
        if (t.IsKeyword("object")) WalkObject(f, Level + 1);
        else if (L.AtIncludeLine()) ExpandInclude(f);
        else if (t.Kind == TTokenKind::Identifier) WalkProperty(f);
        else L.Fail(t, "Property name, 'object' or 'end' expected but " + t.Describe() + " found");
    }
}

void TIncludeExpander::WalkProperty(TFrame& f) {
    TDefinitionLexer& L = f.L;
    L.Next();
    while (L.Current().IsSymbol('.')) {
        L.Next();
        if (L.Current().Kind != TTokenKind::Identifier)
            L.Fail(L.Current(), "Property name expected but " + L.Current().Describe() + " found");
        L.Next();
    }
    if (!L.Current().IsSymbol('=')) L.Fail(L.Current(), "'=' expected but " + L.Current().Describe() + " found");
    L.Next();
    SkipValue(L);
}

// Copies the text before the include line, then the included text, its
// lines after the first indented as the include line was and its trailing
// line breaks dropped (the include line's own break follows).
void TIncludeExpander::ExpandInclude(TFrame& f) {
    TDefinitionLexer& L = f.L;
    const TToken at = L.Current();
    L.Next();
    std::string path = L.Current().Text;
    size_t end = L.Position();
    std::string resolved;
    const std::string text = Chain.Enter(L, at, path, Includes, resolved);
    std::string inner = Expand(text, resolved, true);
    Chain.Leave();

    size_t lineStart = at.Offset;
    while (lineStart > 0 && f.Text[lineStart - 1] != '\n' && f.Text[lineStart - 1] != '\r') --lineStart;
    std::string_view lead = f.Text.substr(lineStart, at.Offset - lineStart);
    bool blankLead = lead.find_first_not_of(" \t") == std::string_view::npos;
    if (MarkLines && blankLead) return MarkInclude(f, at, end, lineStart, std::move(inner), resolved, L.FileName());
    DropTrailingBlanks(inner);
    size_t first = inner.find_first_not_of(" \t\r\n");
    inner.erase(0, first == std::string::npos ? inner.size() : first);
    f.Out.append(f.Text.substr(f.Copied, at.Offset - f.Copied));
    for (size_t i = 0; i < inner.size(); ++i) {
        f.Out += inner[i];
        bool lineEnds = inner[i] == '\n' || (inner[i] == '\r' && (i + 1 == inner.size() || inner[i + 1] != '\n'));
        if (lineEnds && blankLead && i + 1 < inner.size() && inner[i + 1] != '\n' && inner[i + 1] != '\r')
            f.Out.append(lead);
    }
    f.Copied = end;
    L.Next();
}

// The include line at At (its text from LineStart to End) replaced by the
// included text as it stands, between line marks that keep every line
// and column of both files: the included file's from its first line that
// is not blank, then the including file's from the include line's end.
void TIncludeExpander::MarkInclude(TFrame& f, const TToken& At, size_t End, size_t LineStart, std::string Inner,
                                   const std::string& Included, const std::string& FileName) {
    TDefinitionLexer& L = f.L;
    int firstLine = 1;
    size_t first = 0;
    for (size_t i = 0; i < Inner.size(); ++i) {
        const char c = Inner[i];
        if (c == ' ' || c == '\t') continue;
        if (c == '\n' || c == '\r') {
            if (c == '\n' || i + 1 == Inner.size() || Inner[i + 1] != '\n') ++firstLine;
            first = i + 1;
            continue;
        }
        break;
    }
    Inner.erase(0, first);
    DropTrailingBlanks(Inner);
    f.Out.append(f.Text.substr(f.Copied, LineStart - f.Copied));
    if (!Inner.empty()) f.Out += LineMark(firstLine, Included) + "\n" + Inner + "\n";
    // What follows on the include line keeps its column.
    int column = 1;
    for (size_t i = LineStart; i < End; ++i)
        if ((static_cast<unsigned char>(f.Text[i]) & 0xC0) != 0x80) ++column;
    f.Out += LineMark(At.Line, FileName) + "\n" + std::string(column - 1, ' ');
    f.Copied = End;
    L.Next();
}

}  // namespace

namespace definition {

std::string TIncludeChain::Enter(const TDefinitionLexer& L, const TToken& At, const std::string& Path,
                                 const TDefinitionIncludeResolver& Includes, std::string& Resolved) {
    if (static_cast<int>(FNames.size()) > MaxDefinitionIncludeDepth)
        L.Fail(At, Fmt("Includes nest deeper than %d levels", MaxDefinitionIncludeDepth));
    std::string text;
    try {
        text = Includes(Path, L.FileName(), Resolved);
    } catch (const EDefinitionError&) {
        throw;
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        L.Fail(At, e.what());
    }
    if (Resolved.empty()) Resolved = Path;
    if (std::find(FNames.begin(), FNames.end(), Resolved) != FNames.end())
        L.Fail(At, "Include cycle: " + Resolved + " is already being read");
    FNames.push_back(Resolved);
    return text;
}

}  // namespace definition

TDefinitionIncludeResolver FileIncludeResolver() {
    return [](const std::string& Path, const std::string& IncludingFile, std::string& ResolvedName) {
        char sep = IncludingFile.find('\\') != std::string::npos ? '\\' : '/';
        std::string joined = Path;
        if (!IsAbsolutePath(Path)) {
            size_t cut = IncludingFile.find_last_of("/\\");
            if (cut == std::string::npos && IncludingFile.size() >= 2 && IncludingFile[1] == ':') cut = 1;
            if (cut != std::string::npos) joined = IncludingFile.substr(0, cut + 1) + Path;
        }
        ResolvedName = NormalizePath(joined, sep);
        if (ResolvedName.empty()) throw Exception("Included file name is empty");
        return ReadWholeFile(ResolvedName, "included file");
    };
}

std::string ExpandDefinitionIncludes(std::string_view Text, const std::string& FileName,
                                     const TDefinitionIncludeResolver& Includes, bool MarkLines) {
    return TIncludeExpander(Includes, FileName, MarkLines).Expand(Text, FileName, false);
}

std::string ExpandDefinitionIncludes(const std::string& FileName, bool MarkLines) {
    std::string text;
    try {
        text = ReadWholeFile(FileName, "definition");
    } catch (const Exception& e) {
        throw EDefinitionError(FileName, 1, 1, e.Message);
    }
    return ExpandDefinitionIncludes(text, FileName, FileIncludeResolver(), MarkLines);
}

}  // namespace vtrl
