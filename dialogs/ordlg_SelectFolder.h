// The Start-menu folder page: the name of the program's folder in the
// Start menu, typed or picked from the folders that exist. Every change is
// written into the main folder's destination at once.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TEdit;
class TListBox;
class TStringList;

class TSelectFolderForm : public TStandardPageForm {
    VTRL_CLASS(TSelectFolderForm)
public:
    // Container defaults to the installation's main Start-menu folder.
    explicit TSelectFolderForm(TComponent* AOwner);

    TEdit* FolderEdit = nullptr;
    TListBox* FolderListBox = nullptr;

    // Nothing to name without a folder.
    bool SkipPage() override;
    // Lists the existing folders and puts the container's folder name (or
    // the first existing folder) into the edit, which writes it back.
    void SetupControls() override;
    // The edit's text becomes the container's destination: ddProgramMenuDir
    // and "\" followed by the text.
    void StoreFolder();

private:
    // Sets the edit's text; the change is stored also when the edit has no
    // window to report it.
    void SetFolderText(const std::string& Text);
};

// The program folders that exist now: the subfolders of the Start menu's
// Programs folder, or Program Manager's groups on Windows NT 3.5x and
// Win32s. Empty when they cannot be read.
void GetExistingProgramFolders(TStringList& Folders);

}  // namespace vtrl
