// Harvesting a folder tree into TInstallFileGroup and TInstallFile objects.
#include "routines_Harvest.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "DefinitionText.h"

namespace vtrl {

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 in and out, on Windows too (where a narrow fs::path
// would take the ANSI code page).
fs::path ToPath(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }
std::string FromPath(const fs::path& p) {
    std::u8string s = p.generic_u8string();
    return std::string(s.begin(), s.end());
}

struct TItem {
    std::string Rel;  // '/'-separated, from Dir
    bool Folder = false;
};

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

// Every file under Dir, relative; links and special files are
// collected and raised together, so the author sees all of them at once.
std::vector<std::string> ListFiles(const std::string& Dir) {
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

std::string Backslashed(std::string s) {
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
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

class THarvester {
public:
    THarvester(const std::string& Dir, const THarvestOptions& Options, std::vector<std::string>* Warnings)
        : Dir(Dir), O(Options), Warnings(Warnings) {
        std::string prefix = O.Prefix.empty() ? Dir : O.Prefix;
        while (prefix.size() > 1 && (prefix.back() == '\\' || prefix.back() == '/')) prefix.pop_back();
        Prefix = Backslashed(prefix);
    }
    std::string Run();

private:
    void WriteGroup(const std::string& Rel);
    void WriteFile(const std::string& Rel);
    std::string SourceDir(const std::string& FolderRel) const {
        return FolderRel.empty() ? Prefix : Prefix + "\\" + Backslashed(FolderRel);
    }
    void Property(const std::string& Name, const std::string& Value) { Out += "  " + Name + " = " + Value + "\n"; }
    void StringProperty(const std::string& Name, const std::string& Value) {
        Property(Name, DefinitionStringLiteral(Value, "    "));
    }

    const std::string& Dir;
    const THarvestOptions& O;
    std::vector<std::string>* Warnings;
    std::string Prefix;
    std::string Out;
    TNames Names;
    std::map<std::string, std::string> Groups;  // folder -> object name; "" the top group
    std::string GroupOf(const std::string& Folder) const { return Groups.at(Folder); }
};

std::string THarvester::Run() {
    std::vector<std::string> files = ListFiles(Dir);
    if (files.empty()) return "";
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
    return Out;
}

// A folder's group: the top one in the named container, the others in
// their parent folder's group with DestDir their own folder's name, which
// adds up to the relative path below the top group's destination.
void THarvester::WriteGroup(const std::string& Rel) {
    // The top group is named after the folder itself.
    std::string top;
    if (Rel.empty()) {
        top = FromPath(ToPath(Dir).lexically_normal().filename());
        if (top.empty() || top == ".")
            top = FromPath(fs::absolute(ToPath(Dir)).lexically_normal().parent_path().filename());
    }
    std::string name = Names.Take(O.NamePrefix + "Group_" + Identifier(Rel.empty() ? top : Rel));
    Out += "object " + name + ": TInstallFileGroup\n";
    Property("Container", Rel.empty() ? O.Container : GroupOf(Parent(Rel)));
    StringProperty("GroupName", Rel.empty() ? top : Backslashed(Rel));
    if (!Rel.empty()) StringProperty("DestDir", "\\" + Leaf(Rel));
    Property("DestDirType", "ddContainerDestDir");
    Property("ArchiveFileType", "ddContainerArchiveFile");
    Out += "end\n";
    Groups.emplace(Rel, name);
}

void THarvester::WriteFile(const std::string& Rel) {
    std::string folder = Parent(Rel);
    std::string name = Names.Take(O.NamePrefix + "File_" + Identifier(Rel));
    std::string source = SourceDir(folder);
    std::string fileName = Leaf(Rel);
    Out += "object " + name + ": TInstallFile\n";
    Property("Container", GroupOf(O.GroupPerFolder ? folder : std::string()));
    StringProperty("IncludeFromDir", source);
    StringProperty("FileName", fileName);
    if (!O.GroupPerFolder && !folder.empty()) StringProperty("DestDir", "\\" + Backslashed(folder));
    Property("DestDirType", "ddContainerDestDir");
    Property("ArchiveFileType", "ddContainerArchiveFile");
    Out += "end\n";
    std::string key = source + "\\" + fileName;
    if (Warnings && key.size() > MaxHarvestArchiveKey)
        Warnings->push_back(Fmt("The archive key of %s is %d characters long, more than %d: %s", Rel,
                                static_cast<int>(key.size()), static_cast<int>(MaxHarvestArchiveKey), key));
}

}  // namespace

std::string HarvestDefinition(const std::string& Dir, const THarvestOptions& Options,
                              std::vector<std::string>* Warnings) {
    return THarvester(Dir, Options, Warnings).Run();
}

}  // namespace vtrl
