// The open-file dialog as a component, and the shell's folder browser.
#pragma once

#include <array>

#include "Controls.h"

namespace vtrl {

VTRL_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
          ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
          ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
          ofNoDereferenceLinks)
using TOpenOptions = TSet<TOpenOption>;

// Asks a person for a file name (GetOpenFileNameA). Filter is written as
// "Description|*.ext|Description|*.a;*.b".
class TOpenDialog : public TComponent {
    VTRL_CLASS(TOpenDialog)
public:
    explicit TOpenDialog(TComponent* AOwner);
    std::string FileName;
    std::string Filter;
    int FilterIndex = 1;
    std::string InitialDir;
    std::string DefaultExt;
    std::string Title;
    TOpenOptions Options{ofHideReadOnly};
    // Shows the dialog, owned by the active form. Returns true when a
    // person chose a file (FileName holds it); false when cancelled, and in
    // a silent run, where nothing is shown and FileName stays as it was.
    // Raises Exception when the dialog cannot be shown.
    bool Execute();

    // The flags (OFN_*) and the filter (NUL-separated, double NUL at the
    // end) that Execute hands to Windows.
    DWORD OptionFlags() const;
    std::string FilterText() const;
};

// Asks a person for a folder through the shell's folder browser
// (SHBrowseForFolderA) over the whole name space, admitting only
// file-system folders. A plain object: made where it is needed.
class TOpenFolderDialog {
public:
    // The chosen folder after a successful Execute.
    std::string Path() const { return FPath.data(); }
    // Shows the browser owned by the active window. True when a person
    // chose a folder; false when cancelled or the choice is no file-system
    // folder, and in a silent run, where nothing is shown.
    bool Execute();

private:
    std::array<char, MAX_PATH> FPath{};
};

// Asks a person for a directory with the shell's folder browser
// (SHBrowseForFolderA), owned by the active form, with Caption above the
// tree, starting at Directory (when it exists), offering to make a new
// folder when AllowNew. Returns true with the chosen directory in
// Directory; false leaves Directory unchanged: cancelled, a choice that is
// no directory of the file system, and a silent run, where nothing is
// shown.
bool SelectDirectory(const std::string& Caption, std::string& Directory, bool AllowNew);

}  // namespace vtrl
