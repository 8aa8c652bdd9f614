#include "ordlg_SelectFolder.h"

#include "StdCtrls.h"
#include "cmp_TInstallShellLink.h"
#include "cmp_TProgramManager.h"
#include "routines_ExpandPaths.h"
#include "routines_WinVersion.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TSelectFolderForm, TStandardPageForm, [](auto&) {})

namespace {
void GetProgramsSubfolders(TStringList& Folders) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((AddBackSlash(ProgramsFolder()) + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") Folders.Add(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}
}  // namespace

void GetExistingProgramFolders(TStringList& Folders) {
    Folders.Clear();
    const TWindowsPlatform platform = GetWindowsPlatform();
    if (platform == wpWindowsNT35 || platform == wpWin32s) {
        // The list only offers names; a Program Manager that does not answer
        // leaves it empty rather than ending the installation.
        try {
            ProgramManager().GetGroups(Folders);
        } catch (const Exception&) {
            Folders.Clear();
        }
        return;
    }
    GetProgramsSubfolders(Folders);
}

TSelectFolderForm::TSelectFolderForm(TComponent* AOwner) : TStandardPageForm(AOwner) {
    PublishMethod("FolderEditChange", std::function<void(TComponent*)>([this](TComponent*) { StoreFolder(); }));
    PublishMethod("FolderListBoxClick", std::function<void(TComponent*)>([this](TComponent*) {
                      const int i = FolderListBox->ItemIndex();
                      if (i >= 0 && i < FolderListBox->Items().Count()) SetFolderText(FolderListBox->Items()[i]);
                  }));
    ReadPage("ORDLG_SELECTFOLDER");
    FolderEdit = dynamic_cast<TEdit*>(FindComponent("FolderEdit"));
    FolderListBox = dynamic_cast<TListBox*>(FindComponent("FolderListBox"));
    if (!FolderEdit || !FolderListBox)
        throw Exception("The form text ORDLG_SELECTFOLDER lacks its FolderEdit or FolderListBox");
    Container = TShellLinkGroup::MainFolder();
}

bool TSelectFolderForm::SkipPage() { return Container == nullptr; }

void TSelectFolderForm::SetupControls() {
    TStandardPageForm::SetupControls();
    TStringList folders;
    GetExistingProgramFolders(folders);
    FolderListBox->SetItems(folders);
    std::string name;
    if (Container && Container->DestDirType() == ddProgramMenuDir)
        name = ExtractFileName(RemoveBackSlash(Container->DestDir()));
    if (name.empty() && FolderListBox->Items().Count() > 0) name = FolderListBox->Items()[0];
    SetFolderText(name);
}

void TSelectFolderForm::SetFolderText(const std::string& Text) {
    FolderEdit->SetText(Text);
    // Without a window the edit reports no change of its text.
    if (!FolderEdit->HandleAllocated()) StoreFolder();
}

void TSelectFolderForm::StoreFolder() {
    if (!Container) return;
    Container->SetDestDirType(ddProgramMenuDir);
    Container->SetDestDir("\\" + FolderEdit->Text());
}

}  // namespace vtrl
