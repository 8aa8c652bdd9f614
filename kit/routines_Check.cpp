// What vtrlkit does with the installation classes: the definition check
// (a definition read with them, then the build's checks) and the reference
// of their properties' defaults.
#include "routines_Check.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <map>
#include <memory>

#include "DefinitionText.h"
#include "Forms.h"
#include "InstallModule.h"
#include "routines_ExpandPaths.h"
#include "routines_KitFiles.h"
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

std::string DirectoryOf(const std::string& FileName) {
    const size_t cut = FileName.find_last_of("/\\");
    if (cut == std::string::npos) return FileName.size() >= 2 && FileName[1] == ':' ? FileName.substr(0, 2) : "";
    return cut == 0 ? FileName.substr(0, 1) : FileName.substr(0, cut);
}

// Where an object is written: the file that holds it and the line and
// column of its "object" word.
struct TObjectPlace {
    std::string File;
    int Line = 0;
    int Column = 0;
};
using TObjectPlaces = std::map<std::string, TObjectPlace>;  // upper-case name -> place

std::string AsciiUpper(std::string Text) {
    for (char& c : Text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Text;
}

// The identifier at Text[Pos] after the keyword Word and blanks, or empty
// when the text there is not Word followed by a blank.
std::string AfterKeyword(const std::string& Text, size_t Pos, const char* Word) {
    const size_t n = std::strlen(Word);
    if (AsciiUpper(Text.substr(Pos, n)) != AsciiUpper(Word)) return {};
    size_t i = Pos + n;
    if (i >= Text.size() || (Text[i] != ' ' && Text[i] != '\t')) return {};
    while (i < Text.size() && (Text[i] == ' ' || Text[i] == '\t')) ++i;
    return Text.substr(i);
}

// Notes the place of every "object NAME:" line of a definition text that
// the reader has accepted, following its include lines through Includes.
// The definition was read, so its form is sound; this only maps names to
// lines for the messages.
void FindObjects(const std::string& Text, const std::string& File, const TDefinitionIncludeResolver& Includes,
                 int Depth, TObjectPlaces& Places) {
    size_t start = 0;
    for (int line = 1; start <= Text.size(); ++line) {
        size_t end = Text.find('\n', start);
        if (end == std::string::npos) end = Text.size();
        const std::string row = Text.substr(start, end - start);
        start = end + 1;
        const size_t first = row.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        std::string rest = AfterKeyword(row, first, "object");
        if (!rest.empty()) {
            size_t n = 0;
            while (n < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[n])) || rest[n] == '_')) ++n;
            if (n > 0) Places.emplace(AsciiUpper(rest.substr(0, n)), TObjectPlace{File, line, int(first) + 1});
            continue;
        }
        rest = AfterKeyword(row, first, "include");
        if (rest.size() < 2 || rest[0] != '\'' || Depth >= MaxDefinitionIncludeDepth) continue;
        const size_t close = rest.find('\'', 1);
        if (close == std::string::npos) continue;
        try {
            std::string resolved;
            const std::string included = Includes(rest.substr(1, close - 1), File, resolved);
            FindObjects(included, resolved, Includes, Depth + 1, Places);
        } catch (const Exception&) {
            // Read once already; a file gone since leaves its objects unplaced.
        }
    }
}

// The lines of a build check's failure after its heading ("Name: text"
// each), placed at the object they name, or at the definition when that
// is not found.
void AddBuildProblems(const std::string& FileName, const std::string& Message, const TObjectPlaces& Places,
                      std::vector<std::string>& Problems) {
    auto add = [&](const std::string& Line) {
        const size_t colon = Line.find(": ");
        auto it = colon == std::string::npos ? Places.end() : Places.find(AsciiUpper(Line.substr(0, colon)));
        if (it == Places.end()) Problems.push_back(FileName + ": " + Line);
        else
            Problems.push_back(it->second.File + "(" + std::to_string(it->second.Line) + ":" +
                               std::to_string(it->second.Column) + "): " + Line);
    };
    size_t start = Message.find("\r\n");
    if (start == std::string::npos) {
        Problems.push_back(FileName + ": " + Message);
        return;
    }
    while (start != std::string::npos) {
        start += 2;
        const size_t end = Message.find("\r\n", start);
        const std::string line = Message.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty()) add(line);
        start = end;
    }
}

}  // namespace

std::vector<std::string> CheckDefinitionFile(const std::string& FileName) {
    std::vector<std::string> problems;
    std::string text;
    try {
        text = ReadWholeFile(FileName);
    } catch (const Exception& e) {
        problems.push_back(FileName + ": " + e.Message);
        return problems;
    }
    TStandInMainForm form;
    // The module goes before the form: its TInstall holds on to the form.
    auto module = std::make_unique<TIM>(nullptr);
    try {
        module->LoadDefinition(text, FileName, FileIncludeResolver());
    } catch (const EDefinitionError& e) {
        problems.push_back(e.what());
        return problems;
    }
    TInstall* install = module->Install();
    if (!install) {
        problems.push_back(FileName + ": the definition holds no TInstall component");
        return problems;
    }
    try {
        TCurrentDirectoryScope dir(DirectoryOf(FileName));
        install->CheckBuildDefinition(true);
    } catch (const Exception& e) {
        TObjectPlaces places;
        FindObjects(text, FileName, FileIncludeResolver(), 0, places);
        AddBuildProblems(FileName, e.Message, places, problems);
    }
    return problems;
}

std::string DescribeInstallationClasses() {
    // The classes an author writes, in the order a definition usually has
    // them; their ancestors (TFileContainer, TBaseInstallDlg, ...) are
    // never written themselves.
    static const std::vector<std::string> classes{
        "TIM",           "TInstall",           "TInstallFileGroup",  "TInstallFile",
        "TUninstallEXE", "TShellLinkGroup",    "TInstallShellLink",  "TDialogManager",
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
