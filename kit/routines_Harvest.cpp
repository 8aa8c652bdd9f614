// Harvesting a folder tree into TInstallFileGroup and TInstallFile objects,
// and updating an earlier harvest that its author has edited.
#include "routines_Harvest.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <system_error>

#include "DefinitionLexer.h"
#include "DefinitionText.h"
#include "FileShim.h"
#include "routines_PEResources.h"

namespace vtrl {

namespace fs = std::filesystem;

using definition::TDefinitionLexer;
using definition::TToken;
using definition::TTokenKind;

namespace {

// Windows names folders without regard to case and takes '\' and '/'
// alike; the POSIX file shim takes '\' as '/' too, so a path written the
// Windows way works natively.
#ifdef _WIN32
constexpr bool WindowsPaths = true;
#else
constexpr bool WindowsPaths = false;
#endif

std::string Backslashed(std::string s) {
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

// Paths are UTF-8 in and out, on Windows too (where a narrow fs::path
// would take the ANSI code page).
fs::path ToPath(std::string s) {
    if (!WindowsPaths) std::replace(s.begin(), s.end(), '\\', '/');
    return fs::path(std::u8string(s.begin(), s.end()));
}
std::string FromPath(const fs::path& p) {
    std::u8string s = p.generic_u8string();
    return std::string(s.begin(), s.end());
}

bool SamePathText(std::string_view a, std::string_view b) { return WindowsPaths ? SameText(a, b) : a == b; }

// ----- where the sources are

// Dir made full, without '.' and '..' steps ('/'-separated, a trailing
// separator possible).
fs::path FullPath(const std::string& Dir) {
    std::error_code ec;
    fs::path p = fs::absolute(ToPath(Dir.empty() ? "." : Dir), ec);
    if (ec) throw Exception("Cannot find the full path of " + Dir + ": " + ec.message());
    return p.lexically_normal();
}

// The full path with symbolic links resolved as far as it exists, so that
// the same folder reached two ways gives one relative path.
std::string ResolvedPath(const std::string& Dir) {
    const fs::path full = FullPath(Dir);
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(full, ec);
    return FromPath(ec ? full : resolved);
}

// The folder's own name, also for '.', '..' and 'product/'; its links are
// not followed, so the author's name for it stays.
std::string FolderName(const std::string& Dir) {
    fs::path p = FullPath(Dir);
    if (!p.has_filename()) p = p.parent_path();
    return FromPath(p.filename());
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

struct TSplitPath {
    std::string Root;  // "C:\", "\", "\\server\share\"
    std::vector<std::string> Steps;
};

TSplitPath SplitFullPath(const std::string& p) {
    TSplitPath out;
    size_t pos = 0;
    if (p.size() >= 2 && p[1] == ':') {
        out.Root = p.substr(0, 2);
        pos = 2;
    } else if (p.size() > 2 && IsSeparator(p[0]) && IsSeparator(p[1]) && !IsSeparator(p[2])) {
        out.Root = "\\\\";
        pos = 2;
        for (int part = 0; part < 2 && pos < p.size(); ++part) {
            size_t end = pos;
            while (end < p.size() && !IsSeparator(p[end])) ++end;
            out.Root += p.substr(pos, end - pos) + "\\";
            pos = end < p.size() ? end + 1 : end;
        }
    }
    if (pos < p.size() && IsSeparator(p[pos]) && (out.Root.empty() || out.Root.back() != '\\')) out.Root += '\\';
    while (pos < p.size()) {
        size_t end = pos;
        while (end < p.size() && !IsSeparator(p[end])) ++end;
        std::string step = p.substr(pos, end - pos);
        pos = end < p.size() ? end + 1 : end;
        if (step == ".." && !out.Steps.empty()) out.Steps.pop_back();
        else if (!step.empty() && step != "." && step != "..") out.Steps.push_back(step);
    }
    return out;
}

// The prefix as the author wrote it, trailing separators dropped; '.'
// stands for the definition's folder.
std::string CheckedPrefix(const std::string& Prefix) {
    std::string p = Backslashed(Prefix);
    if (IsDriveRelativePath(p))
        throw Exception("The prefix " + Prefix +
                        " starts at the root of no drive, so the build would read the files from whatever drive "
                        "it runs on: use a relative path (product) or one with a drive letter (C:\\src\\product)");
    while (p.size() > 1 && p.back() == '\\') p.pop_back();
    return p == "." ? std::string() : p;
}

// What IncludeFromDir starts with: the author's prefix, or Dir from the
// definition's folder ("" when it is that folder).
std::string SourcePrefix(const std::string& Dir, const THarvestOptions& O, std::vector<std::string>* Warnings) {
    if (!O.Prefix.empty()) return CheckedPrefix(O.Prefix);
    const std::string folder = ResolvedPath(Dir), base = ResolvedPath(O.DefinitionDir);
    if (std::optional<std::string> rel = RelativeHarvestPath(folder, base, WindowsPaths)) return *rel;
    std::string full = Backslashed(folder);
    while (full.size() > 1 && full.back() == '\\') full.pop_back();
    if (Warnings)
        Warnings->push_back(Dir + " is on another drive than the definition's folder " + Backslashed(base) +
                            ": its sources keep the full path " + full);
    return full;
}

// ----- the tree

std::string Describe(fs::file_type t) {
    switch (t) {
    case fs::file_type::symlink: return "is a symbolic link";
    case fs::file_type::block: return "is a block device";
    case fs::file_type::character: return "is a character device";
    case fs::file_type::fifo: return "is a pipe";
    case fs::file_type::socket: return "is a socket";
    default: return "is neither a file nor a folder";
    }
}

// Every file under Dir, relative and '/'-separated, but those of Skip;
// links and special files are collected and raised together, so the author
// sees all of them at once.
std::vector<std::string> ListFiles(const std::string& Dir, const std::vector<std::string>& Skip) {
    std::error_code ec;
    fs::path root = ToPath(Dir);
    if (!fs::is_directory(fs::symlink_status(root, ec)))
        throw Exception("Cannot harvest " + Dir + ": it is not a folder");
    std::vector<std::string> files, problems;
    fs::recursive_directory_iterator it(root, fs::directory_options::none, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        fs::file_status st = it->symlink_status(ec);
        if (ec) break;
        std::string rel = FromPath(it->path().lexically_relative(root));
        if (std::any_of(Skip.begin(), Skip.end(), [&](const std::string& s) { return SamePathText(s, rel); })) continue;
        if (st.type() == fs::file_type::directory) continue;
        if (st.type() == fs::file_type::regular) files.push_back(rel);
        else problems.push_back(rel + " " + Describe(st.type()));
    }
    if (ec) throw Exception("Cannot harvest " + Dir + ": " + ec.message());
    if (!problems.empty()) {
        std::sort(problems.begin(), problems.end());
        std::string text = "Cannot harvest " + Dir + ":";
        for (const std::string& p : problems) text += "\n  " + p;
        throw Exception(text);
    }
    return files;
}

std::string Parent(const std::string& Rel) {
    size_t cut = Rel.rfind('/');
    return cut == std::string::npos ? std::string() : Rel.substr(0, cut);
}

std::string Leaf(const std::string& Rel) { return Rel.substr(Rel.rfind('/') + 1); }

// Letters, digits and '_' kept, every other byte '_'.
std::string Identifier(const std::string& s) {
    std::string out;
    for (char c : s) {
        bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        out += keep ? c : '_';
    }
    return out;
}

// How a file registers itself, as the install knows servers: an ".OCX" in
// process, a program whose version information has "OLESelfRegister" as
// a program, any other file with that mark in process.
enum class TServerStyle { None, InProcess, Program };

TServerStyle ServerStyleOf(const fs::path& Path, const std::string& FileName) {
    const std::string ext = UpperCase(ExtractFileExt(FileName));
    if (ext == ".OCX") return TServerStyle::InProcess;
    std::ifstream in(Path, std::ios::binary);
    char mz[2] = {};
    // Only a program file can carry the mark: anything else is answered
    // from its first two bytes.
    if (!in.read(mz, 2) || mz[0] != 'M' || mz[1] != 'Z') return TServerStyle::None;
    std::string image = "MZ";
    image.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!VersionHasString(image, "OLESelfRegister")) return TServerStyle::None;
    return ext == ".EXE" ? TServerStyle::Program : TServerStyle::InProcess;
}

// Names unique without regard to case, as components are found: the first
// to ask gets the plain name, later ones _2, _3 ...
class TNames {
public:
    std::string Take(const std::string& Base) {
        std::string name = Base;
        for (int n = 2; !Used.insert(UpperCase(name)).second; ++n) name = Base + "_" + std::to_string(n);
        return name;
    }

private:
    std::set<std::string> Used;
};

// One object of a harvest, as written, with the values an update owns.
struct THarvestObject {
    std::string Name;
    bool File = false;
    std::string IncludeFromDir, FileName;  // a file's
    std::string Text;
};

class THarvester {
public:
    // Skip: paths relative to Dir ('/'-separated) that are not harvested.
    THarvester(const std::string& Dir, const THarvestOptions& Options, std::vector<std::string>* Warnings,
               std::vector<std::string> Skip = {})
        : Dir(Dir), O(Options), Warnings(Warnings), Skip(std::move(Skip)), Prefix(SourcePrefix(Dir, O, Warnings)) {}
    std::vector<THarvestObject> Run();

private:
    void WriteGroup(const std::string& Rel);
    void WriteFile(const std::string& Rel);
    std::string SourceDir(const std::string& FolderRel) const {
        if (Prefix.empty()) return FolderRel.empty() ? "." : Backslashed(FolderRel);
        return FolderRel.empty() ? Prefix : Prefix + "\\" + Backslashed(FolderRel);
    }
    void Property(const std::string& Name, const std::string& Value) {
        Objects.back().Text += "  " + Name + " = " + Value + "\n";
    }
    void StringProperty(const std::string& Name, const std::string& Value) {
        Property(Name, DefinitionStringLiteral(Value, "    "));
    }
    THarvestObject& Begin(const std::string& Name, const char* Class) {
        Objects.push_back({Name, false, {}, {}, "object " + Name + ": " + Class + "\n"});
        return Objects.back();
    }

    const std::string& Dir;
    const THarvestOptions& O;
    std::vector<std::string>* Warnings;
    std::vector<std::string> Skip;
    std::string Prefix;
    std::vector<THarvestObject> Objects;
    TNames Names;
    std::map<std::string, std::string> Groups;  // folder -> object name; "" the top group
    std::string GroupOf(const std::string& Folder) const { return Groups.at(Folder); }
};

std::vector<THarvestObject> THarvester::Run() {
    struct TItem {
        std::string Rel;  // '/'-separated, from Dir
        bool Folder = false;
    };
    std::vector<std::string> files = ListFiles(Dir, Skip);
    if (files.empty()) return {};
    std::vector<TItem> items;
    std::set<std::string> folders;
    for (const std::string& f : files) {
        items.push_back({f, false});
        if (!O.GroupPerFolder) continue;
        for (std::string p = Parent(f); !p.empty() && folders.insert(p).second; p = Parent(p)) items.push_back({p, true});
    }
    std::sort(items.begin(), items.end(), [](const TItem& a, const TItem& b) { return a.Rel < b.Rel; });
    WriteGroup("");
    for (const TItem& i : items) {
        if (i.Folder) WriteGroup(i.Rel);
        else WriteFile(i.Rel);
    }
    return std::move(Objects);
}

// A folder's group: the top one in the named container, the others in
// their parent folder's group with DestDir their own folder's name, which
// adds up to the relative path below the top group's destination.
void THarvester::WriteGroup(const std::string& Rel) {
    // The top group is named after the folder itself.
    const std::string top = Rel.empty() ? FolderName(Dir) : std::string();
    Begin(Names.Take(O.NamePrefix + "Group_" + Identifier(Rel.empty() ? top : Rel)), "TInstallFileGroup");
    Property("Container", Rel.empty() ? O.Container : GroupOf(Parent(Rel)));
    StringProperty("GroupName", Rel.empty() ? top : Backslashed(Rel));
    if (!Rel.empty()) StringProperty("DestDir", "\\" + Leaf(Rel));
    Property("DestDirType", "ddContainerDestDir");
    Property("ArchiveFileType", "ddContainerArchiveFile");
    Objects.back().Text += "end\n";
    Groups.emplace(Rel, Objects.back().Name);
}

void THarvester::WriteFile(const std::string& Rel) {
    std::string folder = Parent(Rel);
    THarvestObject& file = Begin(Names.Take(O.NamePrefix + "File_" + Identifier(Rel)), "TInstallFile");
    file.File = true;
    file.IncludeFromDir = SourceDir(folder);
    file.FileName = Leaf(Rel);
    Property("Container", GroupOf(O.GroupPerFolder ? folder : std::string()));
    StringProperty("IncludeFromDir", file.IncludeFromDir);
    StringProperty("FileName", file.FileName);
    if (!O.GroupPerFolder && !folder.empty()) StringProperty("DestDir", "\\" + Backslashed(folder));
    Property("DestDirType", "ddContainerDestDir");
    Property("ArchiveFileType", "ddContainerArchiveFile");
    // A server is registered when it is installed and counted as shared.
    if (const TServerStyle style = ServerStyleOf(ToPath(Dir) / ToPath(Rel), file.FileName); style != TServerStyle::None) {
        Property(style == TServerStyle::Program ? "RegisterAsActiveX_EXEStyle" : "RegisterAsActiveX_DLLStyle", "True");
        Property("UpdateDLLCounter", "True");
    }
    file.Text += "end\n";
    std::string key = file.IncludeFromDir + "\\" + file.FileName;
    if (Warnings && key.size() > MaxHarvestArchiveKey)
        Warnings->push_back(Fmt("The archive key of %s is %d characters long, more than %d: %s", Rel,
                                static_cast<int>(key.size()), static_cast<int>(MaxHarvestArchiveKey), key));
}

std::string Joined(const std::vector<THarvestObject>& Objects) {
    std::string out;
    for (const THarvestObject& o : Objects) out += o.Text;
    return out;
}

}  // namespace

std::optional<std::string> RelativeHarvestPath(const std::string& Path, const std::string& Base, bool IgnoreCase) {
    const TSplitPath path = SplitFullPath(Path), base = SplitFullPath(Base);
    auto same = [&](const std::string& a, const std::string& b) { return IgnoreCase ? SameText(a, b) : a == b; };
    if (!same(path.Root, base.Root)) return std::nullopt;
    size_t common = 0;
    while (common < path.Steps.size() && common < base.Steps.size() && same(path.Steps[common], base.Steps[common]))
        ++common;
    std::string out;
    for (size_t i = common; i < base.Steps.size(); ++i) out += out.empty() ? ".." : "\\..";
    for (size_t i = common; i < path.Steps.size(); ++i) out += (out.empty() ? "" : "\\") + path.Steps[i];
    return out;
}

std::string HarvestDefinition(const std::string& Dir, const THarvestOptions& Options,
                              std::vector<std::string>* Warnings) {
    return Joined(THarvester(Dir, Options, Warnings).Run());
}

// ----- updating an earlier harvest

namespace {

// A property of an object of the old text, with where its value stands.
struct TOldProperty {
    std::string Name;  // as written, dotted parts joined with '.'
    size_t ValueStart = 0, ValueEnd = 0;
    std::optional<std::string> String;  // the value, when it is a string
    std::string Indent;                 // the blanks before the name on its line
};

// An object or an include line of the old text, at the outer level.
struct TOldItem {
    bool Object = false;
    std::string Name, Class;
    int NameLine = 0, NameColumn = 0;
    size_t Start = 0, End = 0;  // its lines, the indent and the last line break included
    size_t HeaderEnd = 0;       // just after the class name
    std::string Indent, LineBreak = "\n";
    std::vector<TOldProperty> Properties;  // its own, not those of nested objects
};

// Reads the form of an included text (objects and include lines, as the
// definition reader takes them) without a class registry, noting where each
// outer object and each of its properties stands.
class TOldReader {
public:
    TOldReader(std::string_view Text, const std::string& FileName)
        : Text(Text), L(Text, FileName), Floor(Text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0) {}
    std::vector<TOldItem> Read();

private:
    void Step() {
        PrevEnd = L.Position();
        L.Next();
    }
    void ReadObject(TOldItem* Item, int Level);
    void ReadProperty(TOldItem* Item);
    void SkipValue(std::optional<std::string>& String);
    size_t LineStart(size_t Offset) const;
    size_t LineEnd(size_t Offset) const;
    std::string IndentAt(size_t Offset) const {
        const size_t start = LineStart(Offset);
        return start == Offset ? std::string() : std::string(Text.substr(start, Offset - start));
    }

    std::string_view Text;
    TDefinitionLexer L;
    size_t Floor;        // where the current outer item may begin
    size_t PrevEnd = 0;  // just after the token before the current one
};

std::vector<TOldItem> TOldReader::Read() {
    std::vector<TOldItem> items;
    std::set<std::string> names;
    while (L.Current().Kind != TTokenKind::EndOfText) {
        TOldItem item;
        if (L.Current().IsKeyword("object")) {
            item.Object = true;
            ReadObject(&item, 1);
            if (!names.insert(UpperCase(item.Name)).second)
                L.Fail(item.NameLine, item.NameColumn, "A component named " + item.Name + " already exists");
        } else if (L.AtIncludeLine()) {
            item.Start = LineStart(L.Current().Offset);
            Step();
            Step();
            item.End = LineEnd(PrevEnd);
        } else {
            L.Fail(L.Current(), "'object' or 'include' expected in an included file but " + L.Current().Describe() +
                                    " found");
        }
        Floor = item.End;
        items.push_back(std::move(item));
    }
    return items;
}

void TOldReader::ReadObject(TOldItem* Item, int Level) {
    if (Level > MaxDefinitionDepth) L.Fail(L.Current(), Fmt("Objects nest deeper than %d levels", MaxDefinitionDepth));
    const TToken at = L.Current();
    Step();
    const TToken name = L.Current();
    if (name.Kind != TTokenKind::Identifier) L.Fail(name, "Component name expected but " + name.Describe() + " found");
    Step();
    std::string className;
    if (L.Current().IsSymbol(':')) {
        Step();
        if (L.Current().Kind != TTokenKind::Identifier)
            L.Fail(L.Current(), "Class name expected but " + L.Current().Describe() + " found");
        className = L.Current().Text;
        Step();
    }
    if (Item) {
        Item->Name = name.Text;
        Item->Class = className;
        Item->NameLine = name.Line;
        Item->NameColumn = name.Column;
        Item->Start = LineStart(at.Offset);
        Item->Indent = IndentAt(at.Offset);
        Item->HeaderEnd = PrevEnd;
    }
    for (;;) {
        const TToken& t = L.Current();
        if (t.IsKeyword("end")) break;
        if (t.IsKeyword("object")) {
            ReadObject(nullptr, Level + 1);
        } else if (L.AtIncludeLine()) {
            Step();
            Step();
        } else if (t.Kind == TTokenKind::Identifier) {
            ReadProperty(Item);
        } else {
            L.Fail(t, "Property name, 'object' or 'end' expected but " + t.Describe() + " found");
        }
    }
    Step();
    if (!Item) return;
    Item->End = LineEnd(PrevEnd);
    const size_t lineBreak = Text.find('\n', Item->Start);
    if (lineBreak != std::string_view::npos && lineBreak > 0 && Text[lineBreak - 1] == '\r') Item->LineBreak = "\r\n";
}

void TOldReader::ReadProperty(TOldItem* Item) {
    const TToken first = L.Current();
    std::string name = first.Text;
    Step();
    while (L.Current().IsSymbol('.')) {
        Step();
        if (L.Current().Kind != TTokenKind::Identifier)
            L.Fail(L.Current(), "Property name expected but " + L.Current().Describe() + " found");
        name += "." + L.Current().Text;
        Step();
    }
    if (!L.Current().IsSymbol('=')) L.Fail(L.Current(), "'=' expected but " + L.Current().Describe() + " found");
    Step();
    TOldProperty p;
    p.Name = name;
    p.ValueStart = L.Current().Offset;
    SkipValue(p.String);
    p.ValueEnd = PrevEnd;
    p.Indent = IndentAt(first.Offset);
    if (Item) Item->Properties.push_back(std::move(p));
}

// Any value the reader takes: strings joined with '+', binary data, a
// number, an identifier, a set [ ... ] or a list of strings ( ... ).
void TOldReader::SkipValue(std::optional<std::string>& String) {
    const TToken start = L.Current();
    if (start.IsSymbol('[') || start.IsSymbol('(')) {
        const char close = start.IsSymbol('[') ? ']' : ')';
        Step();
        while (!L.Current().IsSymbol(close)) {
            if (L.Current().Kind == TTokenKind::EndOfText)
                L.Fail(start, close == ']' ? "Unterminated set" : "Unterminated list of strings");
            Step();
        }
        Step();
        return;
    }
    if (start.Kind == TTokenKind::String) {
        std::string value = start.Text;
        Step();
        while (L.Current().IsSymbol('+')) {
            Step();
            if (L.Current().Kind != TTokenKind::String)
                L.Fail(L.Current(), "String expected after '+' but " + L.Current().Describe() + " found");
            value += L.Current().Text;
            Step();
        }
        String = std::move(value);
        return;
    }
    if (start.Kind == TTokenKind::EndOfText || start.Kind == TTokenKind::Symbol)
        L.Fail(start, "Value expected but " + start.Describe() + " found");
    Step();
}

// The start of Offset's line when only blanks stand before it there (and
// after the item before), otherwise Offset.
size_t TOldReader::LineStart(size_t Offset) const {
    size_t p = Offset;
    while (p > Floor && (Text[p - 1] == ' ' || Text[p - 1] == '\t')) --p;
    return p == Floor || Text[p - 1] == '\n' || Text[p - 1] == '\r' ? p : Offset;
}

// Just after the line break ending Offset's line when only blanks follow
// there, otherwise Offset.
size_t TOldReader::LineEnd(size_t Offset) const {
    size_t p = Offset;
    while (p < Text.size() && (Text[p] == ' ' || Text[p] == '\t')) ++p;
    if (p == Text.size()) return p;
    if (Text.substr(p, 2) == "\r\n") return p + 2;
    if (Text[p] == '\n' || Text[p] == '\r') return p + 1;
    return Offset;
}

// Old's text of the item, ending with a line break; for a file of the new
// harvest (New) with its IncludeFromDir and FileName set to New's, put back
// after Container (or the header) when missing. A value already equal stays
// as the author wrote it.
std::string KeptText(std::string_view Old, const TOldItem& O, const THarvestObject* New) {
    struct TEdit {
        size_t At, Length;
        std::string Text;
    };
    std::vector<TEdit> edits;
    if (New && New->File) {
        const TOldProperty *container = nullptr, *lastDir = nullptr;
        bool hasName = false;
        for (const TOldProperty& p : O.Properties) {
            const bool dir = SameText(p.Name, "IncludeFromDir"), name = SameText(p.Name, "FileName");
            if (!container && SameText(p.Name, "Container")) container = &p;
            if (!dir && !name) continue;
            if (dir) lastDir = &p;
            hasName = hasName || name;
            const std::string& value = dir ? New->IncludeFromDir : New->FileName;
            if (p.String != value)
                edits.push_back({p.ValueStart, p.ValueEnd - p.ValueStart, DefinitionStringLiteral(value, p.Indent + "  ")});
        }
        std::string indent = O.Properties.empty() ? std::string() : O.Properties.front().Indent;
        if (indent.empty()) indent = O.Indent + "  ";
        auto line = [&](const char* Name, const std::string& Value) {
            return O.LineBreak + indent + Name + " = " + DefinitionStringLiteral(Value, indent + "  ");
        };
        if (!lastDir)
            edits.push_back({container ? container->ValueEnd : O.HeaderEnd, 0,
                             line("IncludeFromDir", New->IncludeFromDir) + (hasName ? "" : line("FileName", New->FileName))});
        else if (!hasName)
            edits.push_back({lastDir->ValueEnd, 0, line("FileName", New->FileName)});
        std::stable_sort(edits.begin(), edits.end(), [](const TEdit& a, const TEdit& b) { return a.At < b.At; });
    }
    std::string out;
    size_t pos = O.Start;
    for (const TEdit& e : edits) {
        out.append(Old.substr(pos, e.At - pos));
        out += e.Text;
        pos = e.At + e.Length;
    }
    out.append(Old.substr(pos, O.End - pos));
    if (out.empty() || out.back() != '\n') out += O.LineBreak;
    return out;
}

// Whether an old object is one harvest writes: a file or group under its
// naming (without regard to case, as component names are found).
bool IsHarvestObject(const TOldItem& O, const std::string& NamePrefix) {
    if (!O.Object || (!SameText(O.Class, "TInstallFile") && !SameText(O.Class, "TInstallFileGroup"))) return false;
    const std::string name = UpperCase(O.Name);
    for (const char* kind : {"File_", "Group_"}) {
        const std::string start = UpperCase(NamePrefix + kind);
        if (name.compare(0, start.size(), start) == 0) return true;
    }
    return false;
}

std::string Update(std::string_view Old, const std::vector<TOldItem>& OldItems, const std::vector<THarvestObject>& Harvest,
                   const std::string& NamePrefix, std::vector<std::string>* Notes) {
    std::map<std::string, size_t> byName;
    for (size_t i = 0; i < OldItems.size(); ++i)
        if (OldItems[i].Object) byName.emplace(UpperCase(OldItems[i].Name), i);
    std::vector<bool> kept(OldItems.size());
    std::string out;
    for (const THarvestObject& h : Harvest) {
        const auto old = byName.find(UpperCase(h.Name));
        if (old == byName.end()) {
            out += h.Text;
            continue;
        }
        kept[old->second] = true;
        out += KeptText(Old, OldItems[old->second], &h);
    }
    for (size_t i = 0; i < OldItems.size(); ++i) {
        const TOldItem& o = OldItems[i];
        if (kept[i]) continue;
        if (!IsHarvestObject(o, NamePrefix)) {
            out += KeptText(Old, o, nullptr);
        } else if (Notes) {
            const bool file = SameText(o.Class, "TInstallFile");
            Notes->push_back(o.Name + ": dropped, its " + (file ? "file" : "folder") + " is no longer in the tree");
        }
    }
    return out;
}

// Writes Bytes to Name + ".tmp", which then takes Name's place; on failure
// Name is as it was and the temporary file is gone.
void WriteReplacing(const std::string& Name, const std::string& Bytes) {
    const std::string temp = Name + ".tmp";
    TFileHandleOwner f(FileCreate(temp));
    if (!f.Valid()) throw Exception("Cannot create " + temp + ": " + SysErrorMessage(GetLastOSError()));
    for (size_t done = 0; done < Bytes.size();) {
        const int32_t chunk = static_cast<int32_t>(std::min<size_t>(Bytes.size() - done, 1 << 20));
        if (FileWrite(f.Get(), Bytes.data() + done, chunk) != chunk) {
            const int code = GetLastOSError();
            f.Close();
            FileDelete(temp);
            throw Exception("Cannot write " + temp + ": " + SysErrorMessage(code));
        }
        done += static_cast<size_t>(chunk);
    }
    f.Close();
    if (!FileReplace(temp, Name)) {
        const int code = GetLastOSError();
        FileDelete(temp);
        throw Exception("Cannot replace " + Name + ": " + SysErrorMessage(code));
    }
}

// The output and its temporary file as paths below Dir, when they lie
// there: a harvest of the definition's own folder leaves them out.
std::vector<std::string> OutputBelow(const std::string& Dir, const std::string& Output) {
    std::optional<std::string> rel = RelativeHarvestPath(ResolvedPath(Output), ResolvedPath(Dir), WindowsPaths);
    if (!rel || rel->empty() || rel->compare(0, 2, "..") == 0) return {};
    std::string file = *rel;
    std::replace(file.begin(), file.end(), '\\', '/');
    return {file, file + ".tmp"};
}

}  // namespace

std::string UpdateHarvestDefinition(std::string_view Old, const std::string& OldFileName, const std::string& Dir,
                                    const THarvestOptions& Options, std::vector<std::string>* Warnings,
                                    std::vector<std::string>* Notes) {
    const std::vector<TOldItem> items = TOldReader(Old, OldFileName).Read();
    return Update(Old, items, THarvester(Dir, Options, Warnings).Run(), Options.NamePrefix, Notes);
}

void HarvestDefinitionFile(const std::string& Dir, const std::string& Output, const THarvestOptions& Options,
                           std::vector<std::string>* Warnings, std::vector<std::string>* Notes) {
    THarvestOptions o = Options;
    o.DefinitionDir = FromPath(ToPath(Output).parent_path());
    if (DirectoryExists(Output)) throw Exception("Cannot write " + Output + ": it is a folder");
    std::optional<std::string> old;
    std::vector<TOldItem> items;
    if (FileExists(Output)) {
        old = ReadWholeFile(Output);
        items = TOldReader(*old, Output).Read();
    }
    const std::vector<THarvestObject> harvest = THarvester(Dir, o, Warnings, OutputBelow(Dir, Output)).Run();
    const std::string text = old ? Update(*old, items, harvest, o.NamePrefix, Notes) : Joined(harvest);
    if (old && *old == text) return;
    WriteReplacing(Output, text);
}

}  // namespace vtrl
