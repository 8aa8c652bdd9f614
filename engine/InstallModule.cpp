// The installation-definition data module and its embedded definition.
#include "InstallModule.h"

#include <windows.h>

#include "CompilingForm.h"
#include "DefinitionText.h"
#include "Dialogs.h"
#include "MPlayer.h"
#include "Unattended.h"
#include "Unit1.h"
#include "cmp_TInstallRegistry.h"
#include "cmp_TInstallShellLink.h"
#include "cmp_TTranslator.h"
#include "cmp_TUninstallEXE.h"
#include "dlgcmp_TBadInstallationDlg.h"
#include "dlgcmp_TBaseDlg.h"
#include "dlgcmp_TChangeDiskDlg.h"
#include "dlgcmp_TInstallFileGroup.h"
#include "dlgcmp_TReboot.h"
#include "dlgcmp_TSelectFolder.h"
#include "dlgcmp_TSelectLanguage.h"
#include "dlgcmp_TWelcomeDlg.h"
#include "MyCopyForm.h"
#include "routines_DevEnvironment.h"

namespace vtrl {

namespace {

// Every install component class a definition may name. A class registers
// itself when its module is linked in; naming them here links in those
// that no code of the program names (a definition is read by class name).
const TClassInfo* const DefinitionClasses[] = {
    &TInstall::StaticClass(),          &TInstallFileGroup::StaticClass(), &TInstallFile::StaticClass(),
    &TUninstallEXE::StaticClass(),     &TInstallInformation::StaticClass(), &TTranslator::StaticClass(),
    &TDialogManager::StaticClass(),    &TWelcomeDlg::StaticClass(),   &TSelectLanguageDlg::StaticClass(),
    &TSelectFolderDlg::StaticClass(),  &TInstallFileGroupsDlg::StaticClass(), &TRebootDlg::StaticClass(),
    &TBadInstallationDlg::StaticClass(), &TChangeDiskDlg::StaticClass(),
    &TShellLinkGroup::StaticClass(),   &TInstallShellLink::StaticClass(), &TInstallRegistry::StaticClass(),
};

// The forms that join a manager of their own accord (no component names
// them): naming them links in their modules, which register them. The
// product's own pages are linked in by product_pages.cpp.
const TClassInfo* const SelfRegisteredForms[] = {
    &TDuringCopyForm::StaticClass(),
};

}  // namespace

VTRL_IMPLEMENT_CLASS(TIM, TDataModule, [](auto&) {})

TIM::TIM(TComponent* AOwner) : TDataModule(AOwner) {
    (void)DefinitionClasses;
    (void)SelfRegisteredForms;
    PublishMethod("Install1StartInstall",
                  std::function<void(TComponent*)>([this](TComponent* s) { Install1StartInstall(s); }));
    PublishMethod("Install1UserAbort",
                  std::function<void(TInstall*, bool&)>([this](TInstall* s, bool& q) { Install1UserAbort(s, q); }));
    PublishMethod("Install1Cleanup",
                  std::function<void(TInstall*, bool&)>([this](TInstall* s, bool& c) { Install1Cleanup(s, c); }));
    PublishMethod("Install1CloseCopyFileDlg", std::function<void(TInstallContainer*, bool)>(
                                                  [this](TInstallContainer* s, bool a) { Install1CloseCopyFileDlg(s, a); }));
}

// ------------------------------------------------- the kit's own handlers

void TIM::Install1StartInstall(TComponent*) { FindDevEnvironments(DevEnvironment()); }

void TIM::Install1UserAbort(TInstall*, bool& QuitOut) {
    QuitOut = MessageDlg(TranslateMessageText("Are you sure you want to abort this installation?"), mtConfirmation,
                         {mbYes, mbNo}, mrYes) == mrYes;
}

void TIM::Install1Cleanup(TInstall*, bool&) {
    if (TMediaPlayer* player = BackgroundPlayer()) player->Close();
}

void TIM::Install1CloseCopyFileDlg(TInstallContainer* Sender, bool WasAborted) {
    if (WasAborted) return;
    Application.ProcessMessages();
    TDevEnvironmentState& env = DevEnvironment();
    if (!Trim(env.CBuilderRootDir).empty()) (void)AddHelpContentsLink(AddBackSlash(env.CBuilderHelpDir) + "BCB.CNT");
    if (!env.DelphiPresent) return;
    std::unique_ptr<TFormCompile> form(new TFormCompile(&Application));
    TInstallContainer* root = Install() ? Install() : Sender;
    form->Dest = RemoveBackSlash(root->ExpandDestDir());
    (void)form->ShowModal();
    Application.ProcessMessages();
}

void TIM::LoadDefinition(std::string_view Text, std::string_view FileName) {
    LoadDefinition(Text, FileName, TDefinitionIncludeResolver());
}

void TIM::LoadDefinition(std::string_view Text, std::string_view FileName,
                         const TDefinitionIncludeResolver& Includes, TDefinitionPlaces* Places,
                         TDefinitionErrors* Errors) {
    ReadComponentText(Text, this, FileName, Includes, &FPlaces, Errors);
    if (Places) *Places = FPlaces;
    Log("Definition loaded: " + IntToStr(ComponentCount()) + " components");
}

TInstall* TIM::Install() const {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* install = As<TInstall>(Components(i))) return install;
    return nullptr;
}

std::vector<std::string> PlacedBuildProblems(const std::string& Message, const TComponent& Module,
                                             const TDefinitionPlaces& Places, const std::string& FileName) {
    std::vector<std::string> problems;
    auto add = [&](const std::string& Line) {
        const size_t colon = Line.find(": ");
        const TComponent* c = colon == std::string::npos ? nullptr : Module.FindComponent(Line.substr(0, colon));
        auto it = c ? Places.find(c) : Places.end();
        if (it != Places.end())
            problems.push_back(it->second.File + "(" + std::to_string(it->second.Line) + ":" +
                               std::to_string(it->second.Column) + "): " + Line);
        else problems.push_back(FileName.empty() ? Line : FileName + ": " + Line);
    };
    size_t start = Message.find("\r\n");
    if (start == std::string::npos) {
        add(Message);
        return problems;
    }
    while (start != std::string::npos) {
        start += 2;
        const size_t end = Message.find("\r\n", start);
        const std::string line = Message.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty()) add(line);
        start = end;
    }
    return problems;
}

std::string EmbeddedDefinition() {
    HRSRC res = FindResourceA(nullptr, "INSTALLDEFINITION", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) throw Exception("The setup program holds no installation definition");
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, res));
}

}  // namespace vtrl
