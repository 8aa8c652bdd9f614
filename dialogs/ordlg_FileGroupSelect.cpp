#include "ordlg_FileGroupSelect.h"

#include <climits>

#include "ComCtrls.h"
#include "FileShim.h"
#include "FileDialogs.h"
#include "Graphics.h"
#include "StdCtrls.h"
#include "cmp_TFileContainer.h"
#include "types_Installation.h"

namespace vtrl {

namespace {
// State images of the tree: 1 included, 2 excluded (image 0 is never shown).
constexpr int StateIncluded = 1;
constexpr int StateExcluded = 2;
constexpr TColor StateTransparentColor = 0x008080;  // olive

// Inclusion as the page shows it: the rule of the install run.
int StateOf(const TFileContainer& Group) { return Group.IsSelected() ? StateIncluded : StateExcluded; }

// A group's name as the tree shows it: the language's text when its table
// translates the name, else the name as the definition writes it. The
// table lookup ignores case, so the English table hands back its own
// writing of a name ("Custom" for "CUSTOM"); a text that differs only in
// the case of ASCII letters is no translation.
std::string GroupCaption(const TFileContainer& Group) {
    const std::string name = Group.GroupName();
    std::string shown = TranslateMessageText(name);
    return SameText(shown, name) ? name : shown;
}

template <class T>
T* Find(const TComponent& Form, const char* Name) {
    auto* c = dynamic_cast<T*>(Form.FindComponent(Name));
    if (!c) throw Exception(std::string("The form text ORDLG_FILEGROUPSELECT lacks its ") + Name);
    return c;
}
}  // namespace

VTRL_IMPLEMENT_CLASS(TFileGroupSelectForm, TStandardPageForm, [](auto&) {})

std::string FormatByteCount(int64_t Bytes) { return Fmt("%0.0n", static_cast<double>(Bytes)); }

int64_t DriveFreeSpace(const std::string& Directory) {
    if (Directory.empty()) return -1;
    const char letter = UpperCase(Directory.substr(0, 1))[0];
    if (letter < 'A' || letter > 'Z') return -1;
    // The 64-bit figure: sectors times bytes times clusters of the older
    // call passes 2 GB on any disk of today.
    return DiskFree(std::string(1, letter) + ":\\");
}

TFileGroupSelectForm::TFileGroupSelectForm(TComponent* AOwner) : TStandardPageForm(AOwner) {
    PublishMethod("GroupListBoxChange",
                  std::function<void(TComponent*, TTreeNode*)>([this](TComponent*, TTreeNode* n) { NodeSelected(n); }));
    PublishMethod("ToggleBtnClick", std::function<void(TComponent*)>([this](TComponent*) {
                      GroupListBox->SetFocus();
                      ToggleSelectedGroup();
                  }));
    PublishMethod("BrowseBtnClick", std::function<void(TComponent*)>([this](TComponent*) { Browse(); }));
    ReadPage("ORDLG_FILEGROUPSELECT");
    GroupListBox = Find<TTreeView>(*this, "GroupListBox");
    DescriptionMemo = Find<TMemo>(*this, "DescriptionMemo");
    DescriptionLabel = Find<TLabel>(*this, "DescriptionLabel");
    ToggleBtn = Find<TButton>(*this, "ToggleBtn");
    BrowseBtn = Find<TButton>(*this, "BrowseBtn");
    DirectoryLabel = Find<TEdit>(*this, "DirectoryLabel");
    SpaceRequiredLabel = Find<TLabel>(*this, "SpaceRequiredLabel");
    SpaceAvailableLabel = Find<TLabel>(*this, "SpaceAvailableLabel");
    OpenDialog = new TOpenDialog(this);
    OpenDialog->SetName("OpenDialog");
    OpenDialog->FileName = "*.";
    OpenDialog->Options = TOpenOptions{ofHideReadOnly, ofNoValidate};
    LoadStateImages();
    if (IInstallation* installation = Installation()) Container = &installation->InstallRoot();
}

void TFileGroupSelectForm::LoadStateImages() {
    FStateImages = new TImageList(this);
    FStateImages->SetName("StateImages");
    try {
        TBitmap included, excluded;
        included.LoadFromResourceName(GetModuleHandleA(nullptr), "STATEINCLUDED");
        excluded.LoadFromResourceName(GetModuleHandleA(nullptr), "STATEEXCLUDED");
        FStateImages->SetWidth(included.Width());
        FStateImages->SetHeight(included.Height());
        FStateImages->AddMasked(excluded, StateTransparentColor);  // image 0, never shown
        FStateImages->AddMasked(included, StateTransparentColor);
        FStateImages->AddMasked(excluded, StateTransparentColor);
        GroupListBox->SetStateImages(FStateImages);
    } catch (const Exception&) {
        // A program without the pictures shows the tree without states.
    }
}

bool TFileGroupSelectForm::SkipPage() {
    if (!Container) return true;
    const TInstallType type = Container->SelectedInstallType();
    return type != itAlways && type != itCustom;
}

void TFileGroupSelectForm::SetupControls() {
    TStandardPageForm::SetupControls();
    if (!Container)
        throw Exception(TranslateMessageText("Cannot show the install file groups dialog for blank container property"));
    auto* root = dynamic_cast<TFileContainer*>(Container);
    if (!root)
        throw Exception(TranslateMessageText("Container for ") + Name() +
                        TranslateMessageText(" must be TFileContainer descendant"));
    GroupListBox->Items().Clear();
    TTreeNode* node = GroupListBox->Items().AddChild(nullptr, GroupCaption(*root));
    node->Data = root;
    node->SetStateIndex(StateIncluded);
    AddGroups(node, root);
    FSelectedGroup = root;
    GroupListBox->SetSelected(node);
    node->Expand(false);
    UpdateGroupInfo();
}

void TFileGroupSelectForm::AddGroups(TTreeNode* Node, TFileContainer* Group) {
    for (int i = 0; i < Group->HelperCount(); ++i) {
        auto* child = dynamic_cast<TFileContainer*>(Group->Helpers(i));
        if (!child) continue;
        TTreeNode* n = GroupListBox->Items().AddChild(Node, GroupCaption(*child));
        n->Data = child;
        n->SetStateIndex(StateOf(*child));
        AddGroups(n, child);
    }
}

void TFileGroupSelectForm::UpdateGroupInfo() {
    const std::string bytes = " " + TranslateMessageText("Bytes");
    if (auto* root = dynamic_cast<TFileContainer*>(Container))
        SpaceRequiredLabel->SetCaption(FormatByteCount(root->TotalSize(false)) + bytes);
    TFileContainer* group = FSelectedGroup;
    if (!group) return;
    const std::string directory = group->ExpandDestDir();
    SpaceAvailableLabel->SetCaption(FormatByteCount(DriveFreeSpace(directory)) + bytes);
    // As the definition, the run options or the person wrote it: the
    // folder is created with this writing.
    DirectoryLabel->SetText(directory);
    BrowseBtn->SetEnabled(group->AllowChangeDir());
    ToggleBtn->SetEnabled(group->AllowChoice());
    const bool described = group->Description().Count() > 0;
    DescriptionMemo->SetVisible(described);
    DescriptionLabel->SetVisible(described);
    if (described) {
        TStringList lines;
        if (TTranslator* translator = MainTranslator())
            translator->TranslateMemo(ylEnglish, group->Description(), lines);
        else
            lines = group->Description();
        DescriptionMemo->SetLines(lines);
    }
    if (TTreeNode* node = GroupListBox->Selected(); node && node->Data == group) node->SetStateIndex(StateOf(*group));
}

void TFileGroupSelectForm::NodeSelected(TTreeNode* Node) {
    if (!Node || !Node->Data) return;
    FSelectedGroup = static_cast<TFileContainer*>(Node->Data);
    UpdateGroupInfo();
}

void TFileGroupSelectForm::ToggleSelectedGroup() {
    if (!FSelectedGroup || !FSelectedGroup->AllowChoice()) return;
    FSelectedGroup->SetInclude(!FSelectedGroup->Include());
    UpdateGroupInfo();
}

void TFileGroupSelectForm::Browse() {
    if (!FSelectedGroup || !FSelectedGroup->AllowChangeDir()) return;
    if (OpenDialog->Execute()) SetGroupDirectoryFrom(OpenDialog->FileName);
}

void TFileGroupSelectForm::SetGroupDirectoryFrom(const std::string& FileName) {
    if (!FSelectedGroup || !FSelectedGroup->AllowChangeDir()) return;
    std::string directory = ExtractFilePath(FileName);
    // A drive's root keeps its backslash: "C:" alone would name the current
    // directory of drive C.
    if (!(directory.size() == 3 && directory[1] == ':')) directory = RemoveBackSlash(directory);
    FSelectedGroup->SetDestDirType(ddAbsolute);
    FSelectedGroup->SetDestDir(directory);
    UpdateGroupInfo();
}

}  // namespace vtrl
