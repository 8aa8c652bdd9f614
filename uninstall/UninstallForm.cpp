// The uninstall form: start-up from the command line and the removal
// sequence, step by step with its checklist.
#include "UninstallForm.h"

#include <windows.h>

#include "Dialogs.h"
#include "SysUtils.h"
#include "Unattended.h"
#include "routines_AliasRemoval.h"

namespace vtrl {

namespace {

constexpr const char* NoProductMessage =
    "Please remove this software from the Add/Remove Programs from the Control Panel";
constexpr const char* RegistryFailedMessage = "Some or all of the registry keys could not could not be removed";

// Hides the progress bar when a step ends, also when it fails.
class TProgressShown {
public:
    explicit TProgressShown(TProgressBar* Bar) : FBar(Bar) {
        FBar->SetPosition(0);
        FBar->SetVisible(true);
    }
    ~TProgressShown() { FBar->SetVisible(false); }
    TProgressShown(const TProgressShown&) = delete;
    TProgressShown& operator=(const TProgressShown&) = delete;

private:
    TProgressBar* FBar;
};

}  // namespace

TUninstallForm::TUninstallForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("UninstallForm");
    SetCaption("Uninstall program");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    // Arial at 8 points is 11 pixels high on a 96-dpi screen.
    Font()->SetName("Arial");
    Font()->SetSize(8);
    SetClientWidth(469);
    SetClientHeight(328);
    CreateControls();
    OnActivate = [this](TComponent*) { FirstActivation(); };
}

TCheckBox* TUninstallForm::AddCheck(const char* Name, const char* Caption, int Top) {
    auto* box = new TCheckBox(this);
    box->SetName(Name);
    box->SetParent(this);
    box->SetCaption(Caption);
    box->SetBounds(176, Top, 260, 20);
    return box;
}

void TUninstallForm::CreateControls() {
    // The decorative picture's place on the left; the toolkit has no image
    // control yet, so a lowered panel stands in for it.
    ThemeBitmap = new TPanel(this);
    ThemeBitmap->SetName("ThemeBitmap");
    ThemeBitmap->SetParent(this);
    ThemeBitmap->SetBevelOuter(bvLowered);
    ThemeBitmap->SetColor(clNavy);
    ThemeBitmap->SetBounds(8, 8, 153, 312);

    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetWordWrap(true);
    Label1->SetCaption("To remove the software from your computer, click the &Start button below.");
    Label1->SetBounds(176, 12, 281, 36);

    AliasesCB = AddCheck("AliasesCB", "Aliases", 60);
    ActiveXCB = AddCheck("ActiveXCB", "ActiveX/OCX components", 86);
    FilesCB = AddCheck("FilesCB", "Files", 112);
    INIFilesCB = AddCheck("INIFilesCB", "INI file entries", 138);
    RegistryCB = AddCheck("RegistryCB", "Registry entries", 164);
    BDECB = AddCheck("BDECB", "BDE", 190);

    ProgressBar1 = new TProgressBar(this);
    ProgressBar1->SetName("ProgressBar1");
    ProgressBar1->SetParent(this);
    ProgressBar1->SetMin(0);
    ProgressBar1->SetMax(100);
    ProgressBar1->SetBounds(176, 228, 281, 18);
    ProgressBar1->SetVisible(false);

    StartBtn = new TButton(this);
    StartBtn->SetName("StartBtn");
    StartBtn->SetParent(this);
    StartBtn->SetCaption("&Start");
    StartBtn->SetBounds(272, 292, 89, 25);
    StartBtn->SetDefault(true);
    StartBtn->OnClick = [this](TComponent*) { StartBtnClick(); };

    CloseBtn = new TButton(this);
    CloseBtn->SetName("CloseBtn");
    CloseBtn->SetParent(this);
    CloseBtn->SetCaption("&Close");
    CloseBtn->SetBounds(368, 292, 89, 25);
    CloseBtn->Cancel = true;
    CloseBtn->OnClick = [this](TComponent*) { CloseBtnClick(); };

    FRemoval.Progress = [this](int Position) {
        ProgressBar1->SetPosition(Position);
        if (ProgressBar1->HandleAllocated()) UpdateWindow(ProgressBar1->Handle());
    };
}

void TUninstallForm::FormCreate() {
    FRemoval.Directories = TDirectoryList();
    std::vector<std::string> args;
    for (int i = 0; i <= ParamCount(); ++i) args.push_back(ParamStr(i));
    const std::string name = ProductNameFromArgs(args);
    // An empty name ("") would make the Uninstall key itself the record,
    // with every product's record below it.
    if (Trim(name).empty()) {
        StartBtn->SetEnabled(false);
        throw Exception(NoProductMessage);
    }
    FProductName = name;
    SetCaption("Remove " + FProductName);
    FRemoval.BaseKey = UninstallBaseKey(FProductName);
    Log("Product: " + FProductName);
    try {
        CheckRecord(FProductName);
    } catch (...) {
        StartBtn->SetEnabled(false);
        throw;
    }
}

void TUninstallForm::FirstActivation() {
    // An unattended run presses Start itself, once the window is up.
    if (IsSilent() && !FStarted && StartBtn->Enabled()) StartBtnClick();
}

void TUninstallForm::Tick(TCheckBox* Box) {
    Box->SetChecked(true);
    Repaint();
}

template <class F>
void TUninstallForm::WithProgress(F Step) {
    TProgressShown shown(ProgressBar1);
    Step();
}

void TUninstallForm::StartBtnClick() {
    if (FStarted) return;
    FStarted = true;
    StartBtn->SetEnabled(false);
    try {
        TCursorGuard cursor;
        RunRemoval();
    } catch (const std::exception& e) {
        Log(std::string("Removal stopped: ") + e.what());
        Application.ExitCode = 1;
        MessageDlg(e.what(), mtError, {mbOK}, 0);
        // Nobody is there to press Close in an unattended run.
        if (IsSilent()) Application.Terminate();
        return;
    }
    Application.Terminate();
}

void TUninstallForm::RunRemoval() {
    // The record may have gone since start-up (another run removed it);
    // without one the run must change nothing, this program file included.
    CheckRecord(FProductName);
    Log("Removal started: " + FRemoval.BaseKey);
    // Read before anything is removed: the record goes at the end, before
    // this program's own file and folder.
    if (!ReadCreatedFolders(FRemoval)) Log("The record lists no folders: those of the removed files are removed");
    Log("Database aliases deleted: " + IntToStr(RemoveAliases(FRemoval)));
    Tick(AliasesCB);

    WithProgress([this] { Log("ActiveX servers removed: " + IntToStr(RemoveActiveX(FRemoval))); });
    Tick(ActiveXCB);

    WithProgress([this] {
        TPhaseTimer timer("removing files");
        Log("Files deleted: " + IntToStr(RemoveFiles(FRemoval)));
    });
    Tick(FilesCB);

    Log("INI files changed: " + IntToStr(RemoveIniEntries(FRemoval)));
    Tick(INIFilesCB);

    // Logs its own line: what it did to the engine.
    RemoveEngineShare(FRemoval);
    Tick(BDECB);

    {
        TPhaseTimer timer("removing directories");
        Log("Directories removed: " + IntToStr(RemoveDirectories(FRemoval)));
    }
    bool registryRemoved;
    {
        TPhaseTimer timer("removing registry values");
        registryRemoved = RemoveRegistryValues(FRemoval);
    }
    if (!registryRemoved) MessageDlg(RegistryFailedMessage, mtWarning, {mbOK}, 0);
    Tick(RegistryCB);

    // A record that stays must keep a program its UninstallString can start.
    Log(DeleteRecordAtEnd(FRemoval) ? "Record deleted" : "Record already deleted by another run");
    const std::string message = RemoveOwnFile();
    // The folders of files in use go at the restart, after those files and
    // after this program (which may lie in one of them): the restart's work
    // is done in the order it was asked for.
    if (FRemoval.LeftForRestart > 0) {
        Log(IntToStr(FRemoval.LeftForRestart) + " files in use are deleted at the next restart, and " +
            IntToStr(ScheduleDirectoriesForRestart(FRemoval)) + " directories with them");
        Application.ExitCode = 3010;
    }
    MessageDlg(message, mtInformation, {mbOK}, 0);
}

std::string TUninstallForm::RemoveOwnFile() {
    const std::string exe = FProgramFile.empty() ? Application.ExeName() : FProgramFile;
    return RemoveProgramFile(FRemoval, exe, FProductName);
}

}  // namespace vtrl
