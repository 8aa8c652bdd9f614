// The file group page: the tree of the installation's file groups, each
// included or excluded by the person, with its description, its
// destination directory and the space the installation needs.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TFileContainer;
class TTreeView;
class TTreeNode;
class TMemo;
class TLabel;
class TEdit;
class TImageList;
class TOpenDialog;

class TFileGroupSelectForm : public TStandardPageForm {
    VTRL_CLASS(TFileGroupSelectForm)
public:
    explicit TFileGroupSelectForm(TComponent* AOwner);

    TTreeView* GroupListBox = nullptr;
    TMemo* DescriptionMemo = nullptr;
    TLabel* DescriptionLabel = nullptr;
    TButton* ToggleBtn = nullptr;
    TButton* BrowseBtn = nullptr;
    TEdit* DirectoryLabel = nullptr;
    TLabel* SpaceRequiredLabel = nullptr;
    TLabel* SpaceAvailableLabel = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    // The group whose information the page shows (a node's data).
    TFileContainer* SelectedGroup() const { return FSelectedGroup; }

    // Skipped without container, and when the installation's chosen type
    // leaves the person nothing to choose (neither itAlways nor itCustom).
    bool SkipPage() override;
    // Fills the tree from the container's file groups, each under its
    // GroupName as the definition writes it (the language's text when the
    // translator's table has another), selects the root and shows its
    // information. Raises Exception without container or when the
    // container is no TFileContainer.
    void SetupControls() override;
    // Shows the selected group's figures, directory (in the case it is
    // written in), description and state.
    void UpdateGroupInfo();
    // Flips the selected group's Include, when the group allows a choice.
    void ToggleSelectedGroup();
    // Makes the directory of FileName (a name the open-file dialog gave)
    // the selected group's absolute destination, when the group allows a
    // change of directory.
    void SetGroupDirectoryFrom(const std::string& FileName);

private:
    void AddGroups(TTreeNode* Node, TFileContainer* Group);
    void NodeSelected(TTreeNode* Node);
    void Browse();
    void LoadStateImages();
    TFileContainer* FSelectedGroup = nullptr;
    TImageList* FStateImages = nullptr;
};

// Bytes as the page shows them: thousands separators, no decimals.
std::string FormatByteCount(int64_t Bytes);
// The bytes free to this user on the drive whose letter begins Directory;
// -1 when Windows cannot tell or Directory names no drive.
int64_t DriveFreeSpace(const std::string& Directory);

}  // namespace vtrl
