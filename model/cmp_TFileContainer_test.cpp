#include <gtest/gtest.h>

#include "cmp_TFileContainer.h"
#include "model_testkit.h"
#include "types_InstallEvents.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

// A group inside a root container, each watched by a recording dialog,
// with two files of 100 and 300 bytes in the group and one of 600 bytes
// directly in the root.
struct Events : ::testing::Test {
    TDataModule Root{nullptr};
    std::vector<std::string> Log;
    TInstallFileGroup* Outer = Make<TInstallFileGroup>(&Root, "Outer");
    TInstallFileGroup* Group = Make<TInstallFileGroup>(&Root, "Group");
    TScriptedFile* A = File("A", 100, Group);
    TScriptedFile* B = File("B", 300, Group);
    TScriptedFile* C = File("C", 600, Outer);
    std::vector<std::string> Percents;

    Events() {
        Group->SetContainer(Outer);
        Make<TRecordingDialog>(&Root, "OuterDlg", &Log)->SetContainer(Outer);
        Make<TRecordingDialog>(&Root, "GroupDlg", &Log)->SetContainer(Group);
        Outer->OnStatus = [this](TInstallFileBase* f, int32_t file, int32_t total) {
            Percents.push_back("Outer " + f->Name() + " " + std::to_string(file) + " " + std::to_string(total));
        };
        Group->OnStatus = [this](TInstallFileBase* f, int32_t file, int32_t total) {
            Percents.push_back("Group " + f->Name() + " " + std::to_string(file) + " " + std::to_string(total));
        };
    }
    TScriptedFile* File(const std::string& Name, int32_t Size, TInstallContainer* In) {
        auto* f = Make<TScriptedFile>(&Root, Name);
        f->SetFileName(Name);
        f->Size = Size;
        f->SetContainer(In);
        return f;
    }
    std::vector<std::string> Received(const std::string& Event) {
        std::vector<std::string> r;
        for (auto& l : Log)
            if (l.find(":" + Event) != std::string::npos) r.push_back(l);
        return r;
    }
};

}  // namespace

// Each container turns a file's status into a percentage of its own total
// before passing it on; the group's helpers hear it first.
TEST_F(Events, StatusIsReportedAtEachLevelInItsOwnFigures) {
    A->OnInstall = [](TScriptedFile& f) {
        f.ReportStatus(50, false);
        f.ReportStatus(100, true);
    };
    B->OnInstall = [](TScriptedFile& f) { f.ReportStatus(300, true); };
    C->OnInstall = [](TScriptedFile& f) { f.ReportStatus(300, false); };
    Outer->Process();
    EXPECT_EQ(Percents, (std::vector<std::string>{
                            "Group A 0 13", "Outer A 0 5",      // 50 of 400; 50 of 1000
                            "Group A 0 25", "Outer A 0 10",     // 100 of 400; 100 of 1000
                            "Group B 0 100", "Outer B 0 40",    // 100 + 300 of 400; of 1000
                            "Outer C 0 70",                     // 400 done + 300 of 1000
                        }));
    EXPECT_EQ(Received("CopyingFile"), (std::vector<std::string>{
                                           "Group:CopyingFile", "Outer:CopyingFile", "Group:CopyingFile",
                                           "Outer:CopyingFile", "Group:CopyingFile", "Outer:CopyingFile",
                                           "Outer:CopyingFile"}));
    EXPECT_EQ(Outer->DoneSize(), 400);  // only finished files count
}

TEST_F(Events, ATotalOfZeroGivesZeroPercent) {
    A->Size = B->Size = C->Size = 0;
    A->OnInstall = [](TScriptedFile& f) { f.ReportStatus(0, true); };
    Outer->Process();
    EXPECT_EQ(Percents, (std::vector<std::string>{"Group A 0 0", "Outer A 0 0"}));
}

// Outside a pass a container neither handles nor forwards anything.
TEST_F(Events, NoPassNoHandlingNoForwarding) {
    A->ReportStatus(10, false);
    EXPECT_TRUE(Percents.empty());
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(A->LastTotalPercent, 0);
}

TEST_F(Events, ParameterChecksHaveTheirMessages) {
    auto expectMessage = [&](TPersistent* p, TEventName name, const char* message) {
        A->OnInstall = [&](TScriptedFile& f) { f.SendUp(name, p); };
        try {
            Group->Process();
            ADD_FAILURE() << "no exception for " << message;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    };
    TFileStatusParameter status;
    TDiskParameter disk;
    TParameterList one{A};
    TParameterList swapped{&status, A};
    TParameterList wrong{A, &disk};
    expectMessage(nullptr, ev::eieInstallingFile,
                  "The ParameterObject is Nil in the DoInformationEventControl method of the TInstallFileGroup");
    expectMessage(&status, ev::eieCopyingFile, "DoInformationEventControl--PO is not a TList object");
    expectMessage(&one, ev::eieCompressingFile, "DoInformationEventControl--Not engouh parameters for status event");
    expectMessage(&swapped, ev::eieInstallingFile, "DoInformationEventControl says bad first parameter");
    expectMessage(&wrong, ev::eieInstallingFile, "DoInformationEventControl says bad second parameter");
    expectMessage(nullptr, ev::eieReplaceInstallFile,
                  "The ParameterObject is Nil in the DoInformationEventControl method of the TFileContainer");
    expectMessage(&status, ev::eieReplaceInstallFile, "DoInformationEventControl parameter is not TInstallFile");
    TParameterList statusForDisk{A, &status};
    expectMessage(&statusForDisk, ev::eieChangeDisk, "DoInformationEventControl says bad second parameter");
}

// A handler that answers a disk request writes its path back, and the
// file's own prompt is then skipped.
TEST_F(Events, DiskChangeHandlerWritesThePathBack) {
    Group->OnNewDisk = [](TInstallFileBase*, int32_t disk, std::string& path) { path = "B:\\disk" + std::to_string(disk); };
    TDiskParameter request;
    A->OnInstall = [&](TScriptedFile& f) {
        request.NewDisk = 2;
        request.Path = "A:\\";
        TParameterList list{&f, &request};
        f.SendUp(ev::eieChangeDisk, &list);
    };
    Outer->Process();
    EXPECT_EQ(request.Path, "B:\\disk2");
    EXPECT_EQ(A->Tag, 1);
    EXPECT_EQ(Received("ChangeDisk"), (std::vector<std::string>{"Group:ChangeDisk", "Outer:ChangeDisk"}));
}

TEST_F(Events, ReplacingIsAnnouncedUpTheTree) {
    std::vector<std::string> replaced;
    Outer->OnReplacing = [&](TInstallFileBase* f) { replaced.push_back(f->Name()); };
    B->OnInstall = [](TScriptedFile& f) { f.SendUp(ev::eieReplaceInstallFile, &f); };
    Outer->Process();
    EXPECT_EQ(replaced, (std::vector<std::string>{"B"}));
    EXPECT_EQ(Received("ReplacingFile"), (std::vector<std::string>{"Group:ReplacingFile", "Outer:ReplacingFile"}));
}

// Totals follow the narrower rule: under itCustom a file without itCustom
// is installed but not counted.
TEST_F(Events, TotalsUseTheNarrowerRule) {
    A->SetInstallTypes({itFull});
    Outer->SetSelectedInstallType(itCustom);
    Outer->ReadSourceInfo();
    EXPECT_EQ(Outer->TotalSize(false), 900);
    EXPECT_EQ(Outer->TotalSize(true), 1000);
}
