// Harvesting a folder tree: the definition objects (file groups and files)
// that install every file under it, as text ready to be included, and the
// update of an earlier harvest that keeps what its author has changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

struct THarvestOptions {
    // The folder as the author's build sees it, written into IncludeFromDir
    // ('product', 'C:\src\product'); empty: the folder's path relative to
    // DefinitionDir. A prefix that starts with one separator and no drive
    // ('\tmp\x') is refused: it would depend on the build's current drive.
    std::string Prefix;
    // The folder of the definition that includes the harvest, from which
    // the build takes relative sources; empty: the current directory.
    std::string DefinitionDir;
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
// "Group_Source", the top group "Group_" and the folder's own name, also
// when Dir is written '.' or '..'), a numeric suffix when two paths give one
// name (without regard to case, decided in sorted order). Folders without
// files give nothing.
//
// Sources are Dir relative to the definition's folder, however Dir is
// written: backslashes, no '.\' in front, '..\' steps when Dir lies
// outside it ('..\shared\product\bin'). When Dir is the definition's
// folder itself, its own files have IncludeFromDir '.' and those of sub
// folders the sub folder ('bin'), so no key starts with a backslash; the
// same holds for the prefix '.'. A Dir on another drive than the
// definition's folder keeps its full path, with a warning.
//
// Appends to Warnings (when given) each archive key (IncludeFromDir '\'
// FileName) longer than MaxHarvestArchiveKey bytes. Raises Exception when
// Dir is not a folder, cannot be listed, or holds a symbolic link or
// anything but files and folders, naming it, and when the prefix is
// refused.
std::string HarvestDefinition(const std::string& Dir, const THarvestOptions& Options,
                              std::vector<std::string>* Warnings = nullptr);

// Returns the harvest of Dir merged into Old, the text of an earlier
// harvest (OldFileName names it in messages) that its author may have
// edited:
// - an object of the new harvest whose name Old has (without regard to
//   case) keeps Old's text as it stands, every line and its order, except
//   that a file's IncludeFromDir and FileName get the harvest's values
//   (put back after Container, FileName after IncludeFromDir, when the
//   author deleted them);
// - a new object is written as HarvestDefinition writes it, in its place
//   in the harvest's order;
// - an object of Old that the harvest no longer gives and that looks like
//   one of its own (a TInstallFile or TInstallFileGroup named NamePrefix +
//   "File_" or "Group_") is dropped, with a line in Notes (when given);
// - every other object and include line of Old follows the harvest's
//   objects, in Old's order.
// Updating an unchanged tree gives Old again when Old is a harvest or an
// earlier update. Raises EDefinitionError "OLDFILE(LINE:COL): ..." when Old
// is not a list of objects and include lines or names two objects alike,
// and what HarvestDefinition raises.
std::string UpdateHarvestDefinition(std::string_view Old, const std::string& OldFileName, const std::string& Dir,
                                    const THarvestOptions& Options, std::vector<std::string>* Warnings = nullptr,
                                    std::vector<std::string>* Notes = nullptr);

// Harvests Dir into the file Output: a new file when there is none,
// otherwise Output updated as UpdateHarvestDefinition does. Sources are
// relative to Output's folder (Options.DefinitionDir is ignored). The text
// is written to Output + ".tmp", which then takes Output's place; an
// Output that would not change is not written. Output and Output + ".tmp"
// are left out of the harvest when they lie in Dir's tree. On any failure
// Output is as it was and Exception (EDefinitionError for a malformed
// Output) names the cause.
void HarvestDefinitionFile(const std::string& Dir, const std::string& Output, const THarvestOptions& Options,
                           std::vector<std::string>* Warnings = nullptr, std::vector<std::string>* Notes = nullptr);

// Path relative to Base, both full paths ('/' or '\' separated, "C:\",
// "/" or "\\server\share" roots, no '.' or '..' steps), joined with
// backslashes; "" when they are the same folder; none when their roots
// differ. IgnoreCase compares ASCII letters without regard to case, as
// Windows names folders.
std::optional<std::string> RelativeHarvestPath(const std::string& Path, const std::string& Base, bool IgnoreCase);

}  // namespace vtrl
