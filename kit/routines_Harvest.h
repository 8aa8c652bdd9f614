// Harvesting a folder tree: the definition objects (file groups and files)
// that install every file under it, as text ready to be included.
#pragma once

#include <string>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

struct THarvestOptions {
    // The folder as the author's build sees it, written into IncludeFromDir
    // ('product', 'C:\src\product'); empty: the folder as given.
    std::string Prefix;
    // The object the top group belongs to.
    std::string Container = "Install1";
    // One TInstallFileGroup per folder (each in its parent folder's group);
    // otherwise one group for all files, each file's DestDir keeping its
    // sub folder.
    bool GroupPerFolder = false;
    // Put before every object name, so that two harvests can stand in one
    // definition.
    std::string NamePrefix;
};

// A key of the archive longer than this draws a warning.
inline constexpr size_t MaxHarvestArchiveKey = 100;

// Returns the objects for every file under Dir, sorted by relative path
// (bytes), names derived from it ("File_Source_VtrlLabel_pas",
// "Group_Source", the top group "Group_" and the folder's name), a numeric
// suffix when two paths give one name (without regard to case, decided in
// sorted order). Folders without files give nothing. Appends to Warnings
// (when given) each archive key (IncludeFromDir '\' FileName) longer than
// MaxHarvestArchiveKey bytes. Raises Exception when Dir is not a folder,
// cannot be listed, or holds a symbolic link or anything but files and
// folders, naming it.
std::string HarvestDefinition(const std::string& Dir, const THarvestOptions& Options,
                              std::vector<std::string>* Warnings = nullptr);

}  // namespace vtrl
