// The component kit's definition as it ships (product/Vantrel32.vdf with
// what it includes, embedded as the demonstration's setup program has it):
// what it holds, the order its run takes, and the product's language files
// against its translator.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>

#include "InstallModule.h"
#include "cmp_TInstallFile.h"
#include "cmp_TInstallRegistry.h"
#include "cmp_TInstallShellLink.h"
#include "cmp_TTranslator.h"
#include "cmp_TUninstallEXE.h"
#include "dlgcmp_TBaseDlg.h"
#include "exceptions_Vantrel.h"
#include "model_testkit.h"

using namespace vtrl;

namespace {

// The definition, told not to start the run once it is loaded (the
// program's main form would).
std::string ShippedText() {
    HRSRC r = FindResourceA(nullptr, "SHIPPEDDEFINITION", MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!r) return {};
    std::string text(static_cast<const char*>(LockResource(LoadResource(nullptr, r))), SizeofResource(nullptr, r));
    const std::string install = "object Install1: TInstall\n";
    const size_t at = text.find(install);
    if (at != std::string::npos) text.insert(at + install.size(), "    RunAutomatic = False\n");
    return text;
}

std::string Extension(const std::string& Name) {
    std::string e = Name.substr(Name.rfind('.') + 1);
    for (char& c : e) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return e;
}

class ShippedDefinition : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string text = ShippedText();
        ASSERT_FALSE(text.empty());
        Module.LoadDefinition(text, "Vantrel32.vdf");
        Install = Module.Install();
        ASSERT_NE(Install, nullptr);
        for (int i = 0; i < Module.ComponentCount(); ++i)
            if (auto* f = As<TInstallFile>(Module.Components(i))) Files.push_back(f);
    }
    template <class T>
    T* Find(const std::string& Name) {
        return As<T>(Module.FindComponent(Name));
    }
    TIM Module{nullptr};
    TInstall* Install = nullptr;
    std::vector<TInstallFile*> Files;  // in load order
};

}  // namespace

TEST_F(ShippedDefinition, InstallsTheKitIntoItsVersionFolder) {
    EXPECT_EQ(Install->Name(), "Install1");
    EXPECT_EQ(Install->Tag, 1);
    EXPECT_EQ(Install->ArchiveFile(), "\\files.1");
    EXPECT_EQ(Install->ArchiveFileType(), ddLoading);
    EXPECT_EQ(Install->DestDir(), "\\Vantrel32\\Version2");
    EXPECT_EQ(Install->DestDirType(), ddProgramFilesDir);
    EXPECT_EQ(Install->GroupName(), "Vantrel Delphi Components");
    EXPECT_EQ(Install->Information()->ProductName(), "Vantrel 32");
    EXPECT_EQ(Install->Information()->Version(), "2.0");
    EXPECT_FALSE(Install->Information()->CompanyName().empty());
    EXPECT_EQ(Install->PresetupFiles().Strings,
              (std::vector<std::string>{"C:\\WINDOWS\\MEDIA\\HalvornMisc.rmi", "C:\\WINDOWS\\MEDIA\\Tessaly.rmi",
                                        "product\\Presetup\\VantrelEarth.avi"}));
    EXPECT_TRUE(Install->UseLoadingProgram());
    EXPECT_EQ(Install->SelectedInstallType(), itAlways);
    EXPECT_EQ(Install->OnCleanup.Name, "Install1Cleanup");
    EXPECT_EQ(Install->OnStartInstall.Name, "Install1StartInstall");
    EXPECT_EQ(Install->OnUserAbort.Name, "Install1UserAbort");
    EXPECT_EQ(Install->OnCloseCopyFileDlg.Name, "Install1CloseCopyFileDlg");

    auto* registry = Find<TInstallRegistry>("InstallRegistry2");
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->Container(), Install);
    EXPECT_EQ(registry->Key(), "\\Software\\Vantrel Software\\Vantrel96");
    EXPECT_EQ(registry->KeySpecifierType(), ksAbsolute);
    EXPECT_EQ(registry->Entries().Strings, std::vector<std::string>{"VantrelDirectory=%c"});
}

// 233 files and the uninstall program, every one into files.1 and the
// installation folder under its own name, read from a folder relative to
// the setup program; by extension as the kit is made up.
TEST_F(ShippedDefinition, HoldsTheKitsFiles) {
    ASSERT_EQ(Files.size(), 234u);
    std::map<std::string, int> kinds;
    std::set<std::string> names;
    int templates = 0;
    for (TInstallFile* f : Files) {
        SCOPED_TRACE(f->Name());
        EXPECT_EQ(f->Container(), Install);
        EXPECT_EQ(f->ArchiveFileType(), ddContainerArchiveFile);
        EXPECT_TRUE(f->ArchiveFile().empty());
        EXPECT_EQ(f->DestDirType(), ddContainerDestDir);
        EXPECT_TRUE(f->DestDir().empty());
        EXPECT_EQ(f->DestName(), f->FileName());
        EXPECT_GE(f->Order(), 0);
        EXPECT_LE(f->Order(), 213);
        EXPECT_FALSE(f->IncludeFromDir().empty());
        EXPECT_EQ(f->IncludeFromDir().find(':'), std::string::npos) << "a path of the build machine";
        EXPECT_TRUE(names.insert(f->FileName()).second) << "installed twice";
        const bool form = f->FileName().rfind("ordlg_", 0) == 0 && Extension(f->FileName()) == "pas";
        EXPECT_EQ(f->Repository().Delphi3()->RegisterIt(), form);
        EXPECT_EQ(f->Repository().Delphi2()->RegisterIt(), form);
        EXPECT_EQ(f->Repository().CBuilder()->RegisterIt(), form);
        templates += form;
        if (!As<TUninstallEXE>(f)) ++kinds[Extension(f->FileName())];
    }
    EXPECT_EQ(templates, 17);
    EXPECT_EQ(kinds, (std::map<std::string, int>{{"pas", 106}, {"dfm", 57}, {"ico", 15}, {"bmp", 14}, {"txt", 11},
                                                 {"obj", 9},   {"res", 6},  {"dof", 3},  {"dpr", 3},  {"cfg", 1},
                                                 {"lib", 1},   {"kwf", 1},  {"dat", 1},  {"dpk", 1},  {"exe", 1},
                                                 {"dcr", 1},   {"hlp", 1},  {"rc", 1}}));
    auto* uninstall = Find<TUninstallEXE>("UninstallEXE2");
    ASSERT_NE(uninstall, nullptr);
    EXPECT_EQ(uninstall->FileName(), "uninstall.exe");
    EXPECT_EQ(uninstall->Order(), 0);
    auto* help = Find<TInstallFile>("HelpFile");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->FileName(), "Vtrl32.hlp");
    EXPECT_TRUE(help->RegisterAsHelp());
    EXPECT_EQ(Find<TInstallFile>("File404")->FileName(), "Uninstall.dpr");
    EXPECT_EQ(Find<TInstallFile>("File426")->FileName(), "Vantrel.dpr");
    EXPECT_EQ(Find<TInstallFile>("File430")->FileName(), "VantrelLoadProgram.dpr");
}

TEST_F(ShippedDefinition, HasTheKitsWizardsAndLinks) {
    const std::map<std::string, TManagerType> managers{
        {"DialogManager1", dmBeforeInstall},   {"DialogManager2", dmAfterGoodInstall},
        {"DialogManager3", dmAfterBadInstall}, {"DialogManager4", dmDuringCopyFiles},
        {"DialogManager5", dmChangeDisk},      {"DialogManager6", dmReboot},
        {"LoadFileCopyManager", dmDuringCopyFiles}};
    for (const auto& [name, type] : managers) {
        auto* m = Find<TDialogManager>(name);
        ASSERT_NE(m, nullptr) << name;
        EXPECT_EQ(m->ManagerType(), type) << name;
        EXPECT_EQ(m->Container(), name == "LoadFileCopyManager" ? nullptr : Install) << name;
    }
    struct TLink {
        const char *Name, *Folder, *LinkName, *Target;
        TShellLinkKind Kind;
    };
    for (const TLink& l : {TLink{"UninstallLink", "MainFolder", "Vantrel32 Uninstall.LNK", "UninstallEXE2", lkLinkInMainFolder},
                           TLink{"HelpLink", "MainFolder", "Vantrel32 Help.LNK", "HelpFile", lkLinkInMainFolder},
                           TLink{"LinkToSubFolder", "MainFolder", "Other Links.LNK", "SubFolder", lkLinkToSubFolder},
                           TLink{"LoadSourceLink", "SubFolder", "Source for Load Program.LNK", "File430", lkLinkInSubFolder},
                           TLink{"VtrlSourceLink", "SubFolder", "Source for Vantrel.LNK", "File426", lkLinkInSubFolder},
                           TLink{"UninstallSourceLink", "SubFolder", "Source for Uninstall Program.LNK", "File404",
                                 lkLinkInSubFolder}}) {
        auto* link = Find<TInstallShellLink>(l.Name);
        ASSERT_NE(link, nullptr) << l.Name;
        EXPECT_EQ(link->Container()->Name(), l.Folder);
        EXPECT_EQ(link->LinkName(), l.LinkName);
        ASSERT_NE(link->ObjectLink(), nullptr) << l.Name;
        EXPECT_EQ(link->ObjectLink()->Name(), l.Target);
        EXPECT_EQ(link->LinkKind(), l.Kind);
    }
    EXPECT_EQ(Find<TShellLinkGroup>("MainFolder")->DestDir(), "\\Vantrel 2.0");
    EXPECT_EQ(Find<TShellLinkGroup>("SubFolder")->DestDir(), "\\OtherLinks");
}

// The run: the files by their stored Order (of two equal ones the one
// loaded later first), then the Start-menu folder and its sub folder in
// load order, then the registry value, then the wizards.
TEST_F(ShippedDefinition, RunsTheFilesThenTheFoldersThenTheRegistryValue) {
    // The files, the two folders, the registry value, six managers and six
    // pages (the folder page is the main folder's, the seventh manager no
    // one's).
    ASSERT_EQ(Install->HelperCount(), 234 + 2 + 1 + 6 + 6);
    std::map<const TInstallContainer*, size_t> loaded;
    for (size_t i = 0; i < Files.size(); ++i) loaded[Files[i]] = i;
    for (int i = 0; i < 234; ++i) {
        ASSERT_EQ(Install->Helpers(i)->Rank(), rkFile) << i;
        if (i == 0) continue;
        const TInstallContainer *before = Install->Helpers(i - 1), *now = Install->Helpers(i);
        ASSERT_LE(before->Order(), now->Order()) << now->Name();
        if (before->Order() == now->Order()) {
            EXPECT_GT(loaded[before], loaded[now]) << now->Name();
        }
    }
    EXPECT_EQ(Install->Helpers(234)->Name(), "MainFolder");
    EXPECT_EQ(Install->Helpers(235)->Name(), "SubFolder");
    EXPECT_EQ(Install->Helpers(236)->Name(), "InstallRegistry2");
    for (int i = 237; i < Install->HelperCount(); ++i) EXPECT_EQ(Install->Helpers(i)->Rank(), rkDialog) << i;
}

// The product ships the translator's tables as its language files, one a
// language with a table; every table has each GLID of the English one.
TEST_F(ShippedDefinition, TheLanguageFilesAreTheTranslatorsTables) {
    auto* translator = Find<TTranslator>("MainTranslator");
    ASSERT_NE(translator, nullptr);
    const TLanguage& english = *translator->LanguageByIdent(ylEnglish);
    ASSERT_GT(english.StringEntries().size(), 60u);
    for (int i = 0; i < ylUser; ++i) {
        const auto id = static_cast<TVtrlLanguage>(i);
        const TLanguage& language = *translator->LanguageByIdent(id);
        const std::string name = TTranslator::DecodeLanguageToString(id);
        SCOPED_TRACE(name);
        EXPECT_EQ(language.Font().Name().empty(), false);
        const std::string file = testkit::ReadAll(std::string(VTRL_PRODUCT_DIR) + "\\Languages\\vtri" + name + ".txt");
        if (id == ylHebrew) {
            EXPECT_EQ(language.Strings().Count(), 0);
            EXPECT_TRUE(file.empty());
            continue;
        }
        std::vector<std::string> lines;
        for (size_t at = 0; at < file.size();) {
            const size_t end = file.find("\r\n", at);
            lines.push_back(file.substr(at, end - at));
            at = end == std::string::npos ? file.size() : end + 2;
        }
        const auto& table = language.Strings().Strings;
        ASSERT_EQ(lines.size(), table.size()) << "lines in vtri" << name << ".txt";
        for (size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(lines[i], table[i]) << "line " << i + 1;
        std::string missing;
        for (const auto& s : english.StringEntries())
            if (!language.FindStringByGLID(s->GLID)) missing += " " + std::to_string(s->GLID);
        EXPECT_EQ(missing, "") << "GLIDs the table lacks";
    }
}

// One installation a process: the definition cannot be loaded again while
// it is loaded; the error names the place of the second TInstall.
TEST_F(ShippedDefinition, CannotBeLoadedTwice) {
    TIM second(nullptr);
    EXPECT_EQ(testkit::MessageOf([&] { second.LoadDefinition(ShippedText(), "Vantrel32.vdf"); }),
              "Vantrel32.vdf(13:20): " + EAITwoInstallComponents().Message);
    EXPECT_EQ(second.Install(), nullptr);
    EXPECT_EQ(Module.Install(), Install);
}
