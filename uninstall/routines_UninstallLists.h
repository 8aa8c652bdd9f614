// The bookkeeping of a removal that needs no Windows: the directory list
// that every step feeds, the order in which those directories are removed,
// the progress position within a step, and the product name taken from the
// command line.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vtrl {

// The directories of the files a removal deleted or unregistered. Each is
// kept upper-cased (ASCII letters only: the comparison must not depend on
// the code page, and the file system ignores case anyway) and without a
// trailing backslash; a directory already listed after that folding is not
// added again. The order is the order of first addition.
class TDirectoryList {
public:
    // Adds Dir (a directory path, with or without a trailing backslash).
    // An empty Dir is ignored. Returns true when it was new.
    bool Add(std::string_view Dir);
    // Adds the directory part of the file path Path (nothing for a bare name).
    bool AddFileDir(std::string_view Path);
    // True when Dir (folded as Add folds it) is listed.
    bool Contains(std::string_view Dir) const;
    const std::vector<std::string>& Items() const { return FItems; }
    int Count() const { return static_cast<int>(FItems.size()); }

private:
    std::vector<std::string> FItems;       // in the order first added
    std::unordered_set<std::string> FKnown;  // the same, for a look-up per file
};

// Removes the listed directories with Remove (true: removed). The first
// pass goes in list order; further passes over the directories still there
// follow as long as a pass removed something, so a directory that becomes
// empty only once a later entry (its sub-directory) is gone is removed too.
// Remove is asked at most once per directory and pass; a failure is never
// an error. Returns the directories removed, in removal order.
std::vector<std::string> RemoveListedDirectories(const TDirectoryList& List,
                                                 const std::function<bool(const std::string&)>& Remove);

// The progress bar position before entry Index (from 0) of Count entries:
// Index / (Count - 1) * 100, rounded to the nearest integer with halves
// going to the even neighbour, computed exactly in integers. With one entry
// (the division has no divisor) it is 0; a negative or out-of-range input
// is clamped to 0..100.
int ProgressPosition(int Index, int Count);

// The product name of the command line: the arguments after the program
// path joined by single blanks (none at either end). Empty when there is no
// argument. Args[0] is the program path.
std::string ProductNameFromArgs(const std::vector<std::string>& Args);

// A command line whose program path is not quoted
// ("C:\Program Files\P\uninstall.exe Product") would split at the path's first blank and turn
// the rest of the path into product words. When CommandLine does not begin
// with a quote but begins with ProgramPath (ASCII case ignored) followed by
// a blank or its end, returns it with the path put in double quotes; any
// other command line comes back unchanged.
std::string QuoteProgramPath(std::string_view CommandLine, std::string_view ProgramPath);

}  // namespace vtrl
