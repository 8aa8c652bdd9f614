// The directory list, directory removal order, progress and product name.
#include "routines_UninstallLists.h"

#include <algorithm>

#include "SysUtils.h"

namespace vtrl {

bool TDirectoryList::Add(std::string_view Dir) {
    std::string d = UpperCase(RemoveBackSlash(Dir));
    if (d.empty()) return false;
    if (!FKnown.insert(d).second) return false;
    FItems.push_back(std::move(d));
    return true;
}

bool TDirectoryList::Contains(std::string_view Dir) const {
    return FKnown.count(UpperCase(RemoveBackSlash(Dir))) > 0;
}

bool TDirectoryList::AddFileDir(std::string_view Path) {
    return Add(ExtractFileDir(Path));
}

std::vector<std::string> RemoveListedDirectories(const TDirectoryList& List,
                                                 const std::function<bool(const std::string&)>& Remove) {
    std::vector<std::string> left = List.Items(), removed;
    bool progress = true;
    while (progress && !left.empty()) {
        progress = false;
        std::vector<std::string> still;
        for (const std::string& d : left) {
            if (Remove(d)) {
                removed.push_back(d);
                progress = true;
            } else {
                still.push_back(d);
            }
        }
        left = std::move(still);
    }
    return removed;
}

int ProgressPosition(int Index, int Count) {
    if (Count <= 1 || Index <= 0) return 0;
    if (Index >= Count - 1) return 100;
    const long long num = static_cast<long long>(Index) * 100, den = Count - 1;
    long long q = num / den;
    const long long twice = 2 * (num % den);
    if (twice > den || (twice == den && q % 2 == 1)) ++q;
    return static_cast<int>(q);
}

std::string ProductNameFromArgs(const std::vector<std::string>& Args) {
    std::string name;
    for (size_t i = 1; i < Args.size(); ++i) {
        if (i > 1) name += ' ';
        name += Args[i];
    }
    return name;
}

std::string QuoteProgramPath(std::string_view CommandLine, std::string_view ProgramPath) {
    if (ProgramPath.empty() || CommandLine.size() < ProgramPath.size()) return std::string(CommandLine);
    if (!SameText(CommandLine.substr(0, ProgramPath.size()), ProgramPath)) return std::string(CommandLine);
    std::string_view rest = CommandLine.substr(ProgramPath.size());
    if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') return std::string(CommandLine);
    return "\"" + std::string(CommandLine.substr(0, ProgramPath.size())) + "\"" + std::string(rest);
}

}  // namespace vtrl
