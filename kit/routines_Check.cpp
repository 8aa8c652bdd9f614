// What vtrlkit does with the installation classes: the definition check
// (a definition read with them, then the build's checks) and the reference
// of their properties' defaults.
#include "routines_Check.h"

#include <windows.h>

#include <memory>

#include "DefinitionText.h"
#include "Forms.h"
#include "InstallModule.h"
#include "routines_ExpandPaths.h"
#include "FileShim.h"
#include "routines_Properties.h"

namespace vtrl {

namespace {

// Sets the current directory for its lifetime and restores the previous one.
class TCurrentDirectoryScope {
public:
    explicit TCurrentDirectoryScope(const std::string& Dir) {
        char previous[MAX_PATH];
        const DWORD n = GetCurrentDirectoryA(MAX_PATH, previous);
        if (n > 0 && n < MAX_PATH) FPrevious.assign(previous, n);
        if (!Dir.empty() && !SetCurrentDirectoryA(Dir.c_str()))
            throw Exception("Cannot change the current directory to " + Dir);
    }
    ~TCurrentDirectoryScope() {
        if (!FPrevious.empty()) SetCurrentDirectoryA(FPrevious.c_str());
    }
    TCurrentDirectoryScope(const TCurrentDirectoryScope&) = delete;
    TCurrentDirectoryScope& operator=(const TCurrentDirectoryScope&) = delete;

private:
    std::string FPrevious;
};

// TInstall looks for the form it runs on when it is loaded (a definition
// runs automatically by default); a form that is never shown stands in for
// the setup program's main form, and needs no window.
class TStandInMainForm {
public:
    TStandInMainForm() : FForm(std::make_unique<TForm>(nullptr)), FPrevious(Application.MainForm()) {
        InitSystemDirectories();
        if (!FPrevious) Application.SetMainForm(FForm.get());
    }
    ~TStandInMainForm() { Application.SetMainForm(FPrevious); }
    TStandInMainForm(const TStandInMainForm&) = delete;
    TStandInMainForm& operator=(const TStandInMainForm&) = delete;

private:
    std::unique_ptr<TForm> FForm;
    TForm* FPrevious;
};

}  // namespace

namespace {

// A definition read with the installation classes, for the checks.
struct TReadDefinition {
    TStandInMainForm Form;
    // The module goes after the form: its TInstall holds on to the form.
    std::unique_ptr<TIM> Module;
    TDefinitionPlaces Places;
};

// Reads FileName as a setup program would; every error of the read goes
// to Problems. Null when there was one.
std::unique_ptr<TReadDefinition> ReadDefinition(const std::string& FileName, std::vector<std::string>& Problems) {
    std::string text;
    try {
        text = ReadWholeFile(FileName);
    } catch (const Exception& e) {
        Problems.push_back(FileName + ": " + e.Message);
        return nullptr;
    }
    auto read = std::make_unique<TReadDefinition>();
    read->Module = std::make_unique<TIM>(nullptr);
    TDefinitionErrors errors;
    try {
        read->Module->LoadDefinition(text, FileName, FileIncludeResolver(), &read->Places, &errors);
    } catch (const EDefinitionError& e) {
        // Every error the read could step over, then the one that ended it.
        for (const EDefinitionError& x : errors) Problems.push_back(x.what());
        if (errors.empty()) Problems.push_back(e.what());
        return nullptr;
    }
    if (!read->Module->Install()) {
        Problems.push_back(FileName + ": the definition holds no TInstall component");
        return nullptr;
    }
    return read;
}

}  // namespace

std::vector<std::string> CheckDefinitionFile(const std::string& FileName) {
    std::vector<std::string> problems;
    std::unique_ptr<TReadDefinition> read = ReadDefinition(FileName, problems);
    if (!read) return problems;
    try {
        // Relative sources are read where the build reads them: from the
        // folder of the setup program, which lies beside the definition.
        TCurrentDirectoryScope dir(ExtractFileDir(FileName));
        read->Module->Install()->CheckBuildDefinition(true);
    } catch (const Exception& e) {
        for (std::string& p : PlacedBuildProblems(e.Message, *read->Module, read->Places, FileName))
            problems.push_back(std::move(p));
    }
    return problems;
}

std::vector<std::string> ReadDefinitionFile(const std::string& FileName) {
    std::vector<std::string> problems;
    ReadDefinition(FileName, problems);
    return problems;
}

std::string DescribeInstallationClasses() {
    // The classes an author writes, in the order a definition usually has
    // them; their ancestors (TFileContainer, TBaseInstallDlg, ...) are
    // never written themselves.
    static const std::vector<std::string> classes{
        "TIM",           "TInstall",           "TInstallFileGroup",  "TInstallFile",
        "TUninstallEXE", "TShellLinkGroup",    "TInstallShellLink",  "TInstallRegistry", "TDialogManager",
        "TTranslator",   "TSelectLanguageDlg", "TWelcomeDlg",        "TInstallFileGroupsDlg",
        "TSelectFolderDlg", "TRebootDlg",      "TBadInstallationDlg"};
    TStandInMainForm form;
    // Each class is read from a definition that names only it (beside a
    // TInstall, which most helpers look for), so the defaults are those of
    // a read: constructor, parent, references and Loaded. One module at a
    // time: a process holds one TInstall.
    auto make = [](const TClassInfo& Class) -> std::shared_ptr<TComponent> {
        std::string text = "object IM: TIM\n";
        if (!SameText(Class.Name, "TIM")) {
            if (!SameText(Class.Name, "TInstall")) text += "  object Install1: TInstall\n  end\n";
            text += "  object Probe: " + Class.Name + "\n  end\n";
        }
        text += "end\n";
        auto module = std::make_shared<TIM>(nullptr);
        module->LoadDefinition(text, Class.Name);
        TComponent* probe = SameText(Class.Name, "TIM") ? module.get() : module->FindComponent("Probe");
        return std::shared_ptr<TComponent>(module, probe);
    };
    return DescribePropertyDefaults(classes, make);
}

}  // namespace vtrl
