#include <gtest/gtest.h>

#include "cmp_TFileContainer.h"
#include "model_testkit.h"
#include "types_InstallEvents.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

class TTestInstallBDE : public TBaseHelperComponent {
    VTRL_CLASS(TTestInstallBDE)
public:
    explicit TTestInstallBDE(TComponent* Owner) : TBaseHelperComponent(Owner) { FRank = 9500; }
};

// A class whose name is the database installer's, in other letter case.
class TInstallBde : public TBaseHelperComponent {
    VTRL_CLASS(TInstallBde)
public:
    explicit TInstallBde(TComponent* Owner) : TBaseHelperComponent(Owner) { FRank = 9500; }
};

struct Tree : ::testing::Test {
    TDataModule Root{nullptr};
    TInstallFileGroup* Group = Make<TInstallFileGroup>(&Root, "Group1");

    TScriptedFile* File(const std::string& Name, int32_t Order = -1) {
        auto* f = Make<TScriptedFile>(&Root, Name);
        f->SetFileName(Name);
        f->SetOrder(Order);
        return f;
    }
    std::vector<std::string> Names(TInstallContainer* c) {
        std::vector<std::string> n;
        for (int i = 0; i < c->HelperCount(); ++i) n.push_back(c->Helpers(i)->Name());
        return n;
    }
    std::vector<int> Orders(TInstallContainer* c) {
        std::vector<int> n;
        for (int i = 0; i < c->HelperCount(); ++i) n.push_back(c->Helpers(i)->Order());
        return n;
    }
};

}  // namespace

VTRL_IMPLEMENT_CLASS(TInstallBde, TBaseHelperComponent, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TTestInstallBDE, TBaseHelperComponent, [](auto&) {})

// Helpers are ordered by rank, then Order; while loading, a tie goes before
// the helper already there and Order values are kept until the next change.
TEST_F(Tree, TiesWhileLoadingInsertBeforeAndKeepTheirOrder) {
    TScriptedFile* a = File("A");
    TScriptedFile* b = File("B");
    Group->ComponentState.Include(csLoading);
    a->ComponentState.Include(csLoading);
    b->ComponentState.Include(csLoading);
    a->SetOrder(5);
    b->SetOrder(5);
    a->SetContainer(Group);
    b->SetContainer(Group);
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(Orders(Group), (std::vector<int>{5, 5}));
    Group->ComponentState.Exclude(csLoading);
    a->ComponentState.Exclude(csLoading);
    b->ComponentState.Exclude(csLoading);
    TScriptedFile* c = File("C");
    c->SetContainer(Group);
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(Orders(Group), (std::vector<int>{0, 1, 2}));
}

TEST_F(Tree, OrderMinusOneGoesAfterItsRankButBeforeHigherRanks) {
    auto* sub = Make<TInstallFileGroup>(&Root, "Sub");
    File("F1")->SetContainer(Group);
    auto* dialog = Make<TRecordingDialog>(&Root, "Dlg", nullptr);
    dialog->SetContainer(Group);
    sub->SetContainer(Group);  // rank 1000 goes first
    File("F2")->SetContainer(Group);
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"Sub", "F1", "F2", "Dlg"}));
    EXPECT_EQ(Orders(Group), (std::vector<int>{0, 0, 1, 0}));
}

TEST_F(Tree, ChangingOrderMovesTheHelperAndRenumbers) {
    TScriptedFile* a = File("A");
    a->SetContainer(Group);
    File("B")->SetContainer(Group);
    File("C")->SetContainer(Group);
    a->SetOrder(1);  // goes before the helper that has Order 1 once A is out (C)
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(Orders(Group), (std::vector<int>{0, 1, 2}));
    TScriptedFile* loose = File("Loose");
    loose->SetOrder(7);  // no container: not stored
    EXPECT_EQ(loose->Order(), -1);
}

TEST_F(Tree, TheDatabaseInstallerGoesFirstWhateverItsRank) {
    Make<TInstallFileGroup>(&Root, "Sub")->SetContainer(Group);
    File("F")->SetContainer(Group);
    auto* bde = Make<TInstallBde>(&Root, "Bde");
    bde->SetContainer(Group);
    EXPECT_EQ(Names(Group)[0], "Bde");
    auto* other = Make<TTestInstallBDE>(&Root, "Other");  // a similar name does not count
    other->SetContainer(Group);
    EXPECT_EQ(Names(Group).back(), "Other");
}

// itAlways never stands beside another install type.
TEST_F(Tree, InstallTypesAreNormalised) {
    TScriptedFile* f = File("F");
    f->SetInstallTypes({itFull});
    f->SetInstallTypes({itFull, itAlways});
    EXPECT_EQ(f->InstallTypes(), (TInstallTypes{itAlways}));
    f->SetInstallTypes({itFull, itAlways});
    EXPECT_EQ(f->InstallTypes(), (TInstallTypes{itFull}));
    f->SetInstallTypes({});
    EXPECT_EQ(f->InstallTypes(), (TInstallTypes{itAlways}));
    f->SetInstallTypes({itCompact, itCustom});
    EXPECT_EQ(f->InstallTypes(), (TInstallTypes{itCompact, itCustom}));
}

TEST_F(Tree, InclusionAndTotalsRules) {
    TScriptedFile* f = File("F");
    f->SetInstallTypes({itFull});
    f->SetSelectedInstallType(itCompact);
    EXPECT_FALSE(f->IsSelected());
    f->SetSelectedInstallType(itCustom);
    EXPECT_TRUE(f->IsSelected());           // installed under itCustom
    EXPECT_FALSE(f->IsCountedInTotals());   // but not counted in the totals
    f->SetSelectedInstallType(itFull);
    EXPECT_TRUE(f->IsCountedInTotals());
    f->SetInclude(false);
    EXPECT_FALSE(f->IsSelected());
}

TEST_F(Tree, CircularContainersAreRefused) {
    auto* b = Make<TInstallFileGroup>(&Root, "B");
    try {
        Group->SetContainer(Group);
        FAIL();
    } catch (const EAIICCircularInstallContainer& e) {
        EXPECT_STREQ(e.what(), "Circular reference");
    }
    Group->SetContainer(b);
    try {
        b->SetContainer(Group);
        FAIL();
    } catch (const EAIICCircularInstallContainer& e) {
        EXPECT_STREQ(e.what(), "Circular reference: Tried to add: B to Group1");
    }
    EXPECT_EQ(b->Container(), nullptr);
    EXPECT_EQ(Group->HelperCount(), 0);
    try {
        Group->AddHelper(nullptr);
        FAIL();
    } catch (const EAIICAddingNilHelperComponent& e) {
        EXPECT_STREQ(e.what(), "Tried to add a NIL helper component to the following container: Group1");
        EXPECT_EQ(e.Container, Group);
    }
}

TEST_F(Tree, CompAndHelpersReportBadCalls) {
    File("F")->SetContainer(Group);
    EXPECT_EQ(Group->Comp<TInstallFileBase>(0)->Name(), "F");
    try {
        Group->Comp(1, TInstallFileBase::StaticClass());
        FAIL();
    } catch (const EAIICBadCompCall& e) {
        EXPECT_EQ(e.Index, 1);
        EXPECT_EQ(e.ComponentClass, &TInstallFileBase::StaticClass());
        EXPECT_STREQ(e.what(),
                     "Bad call to the Comp procedure which returns a TBaseHelperComponent for a TInstallContainer "
                     "component. The parameters are probably reversed.");
    }
    try {
        Group->Helpers(3);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(),
                     "Tried to reference a helper component in the following component: Group1. The following index "
                     "was used: 3");
    }
}

TEST_F(Tree, DestroyedHelpersLeaveTheListAndFileContainersOwnTheirFiles) {
    auto* sub = Make<TInstallFileGroup>(&Root, "Sub");
    sub->SetContainer(Group);
    TScriptedFile* f = File("F");
    f->SetContainer(sub);
    TScriptedFile* g = File("G");
    g->SetContainer(Group);
    delete g;
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"Sub"}));
    EXPECT_TRUE(Group->HasHelper(f));
    delete sub;  // destroys F with it
    EXPECT_EQ(Group->HelperCount(), 0);
    EXPECT_EQ(Root.FindComponent("F"), nullptr);
}

TEST_F(Tree, ContainerChangesReanchorOutsideLoading) {
    TScriptedFile* f = File("F");
    f->SetDestDir("\\X");
    f->SetContainer(Group);
    EXPECT_EQ(f->DestDirType(), ddContainerDestDir);
    EXPECT_EQ(f->DestDir(), "");
    EXPECT_EQ(f->ArchiveFileType(), ddContainerArchiveFile);
    f->SetContainer(nullptr);
    EXPECT_EQ(f->DestDirType(), ddAbsolute);
    EXPECT_EQ(f->ArchiveFileType(), ddAbsolute);
    EXPECT_EQ(Group->HelperCount(), 0);
}

TEST_F(Tree, FileGroupsNameThemselves) {
    EXPECT_EQ(Group->GroupName(), "Unnamed File Group");
    EXPECT_EQ(Group->Rank(), rkFileGroup);
    EXPECT_TRUE(Group->ProcessWithContainer());
}

// A group that is left out announces itself and does nothing else.
TEST_F(Tree, ExcludedGroupOnlySendsBeforeProcess) {
    std::vector<std::string> log;
    Make<TRecordingDialog>(&Root, "Dlg", &log)->SetContainer(Group);
    TScriptedFile* f = File("F");
    f->SetContainer(Group);
    bool installed = false;
    f->OnInstall = [&](TScriptedFile&) { installed = true; };
    Group->SetInclude(false);
    Group->Process();
    EXPECT_EQ(log, (std::vector<std::string>{"Group1:eccBeforeProcess"}));
    EXPECT_FALSE(installed);
}

TEST_F(Tree, IncludedGroupInstallsWithItsBroadcastsInOrder) {
    std::vector<std::string> log;
    Make<TRecordingDialog>(&Root, "Dlg", &log)->SetContainer(Group);
    TScriptedFile* f = File("F");
    f->SetContainer(Group);
    f->OnInstall = [&](TScriptedFile&) { log.push_back("install F"); };
    Group->Process();
    EXPECT_EQ(log, (std::vector<std::string>{"Group1:eccBeforeProcess", "Group1:InstallTypeDialog",
                                             "Group1:eccBeforeInstallFileGroup", "install F",
                                             "Group1:DoneCopyingFiles", "Group1:eccAfterProcess"}));
}

TEST_F(Tree, SilentAbortEndsOnlyThatComponent) {
    TScriptedFile* a = File("A");
    a->SetContainer(Group);
    TScriptedFile* b = File("B");
    b->SetContainer(Group);
    std::vector<std::string> done;
    a->OnInstall = [&](TScriptedFile&) { Abort(); };
    b->OnInstall = [&](TScriptedFile&) { done.push_back("B"); };
    EXPECT_NO_THROW(Group->Process());
    EXPECT_EQ(done, (std::vector<std::string>{"B"}));
}

// The install and compress passes restore State and announce
// "DoneCopyingFiles" also when they fail.
TEST_F(Tree, FailingPassesRestoreStateAndAnnounceTheEnd) {
    std::vector<std::string> log;
    Make<TRecordingDialog>(&Root, "Dlg", &log)->SetContainer(Group);
    TScriptedFile* f = File("F");
    f->SetContainer(Group);
    f->OnInstall = [](TScriptedFile&) { throw Exception("disk on fire"); };
    bool closed = false, wasAborted = true;
    Group->OnCloseCopyFileDlg = [&](TInstallContainer*, bool aborted) {
        closed = true;
        wasAborted = aborted;
    };
    VtrlCompress().Abort = false;
    EXPECT_THROW(Group->SetState(fcsInstall), Exception);
    EXPECT_EQ(Group->State(), fcsNone);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(wasAborted);
    EXPECT_TRUE(VtrlCompress().Abort);
    EXPECT_EQ(log.back(), "Group1:DoneCopyingFiles");
    VtrlCompress().Abort = false;

    log.clear();
    Group->SetArchiveFileType(ddAbsolute);
    Group->SetArchiveFile("Z:\\nowhere\\files.lzh");
    EXPECT_THROW(Group->SetState(fcsCompress), Exception);
    EXPECT_EQ(Group->State(), fcsNone);
    EXPECT_EQ(log, (std::vector<std::string>{"Group1:DoneCopyingFiles"}));
    EXPECT_EQ(f->AddToArchive(), lzcOverwrite);  // restored after the failure
}

TEST_F(Tree, CompressNestsEverythingBelowTheOutermostArchive) {
    auto* sub = Make<TInstallFileGroup>(&Root, "Sub");
    sub->SetContainer(Group);
    sub->SetArchiveFileType(ddAbsolute);
    sub->SetArchiveFile("Z:\\sub.lzh");
    TScriptedFile* f = File("F");
    f->SetContainer(sub);
    std::vector<std::string> seen;
    f->OnInstall = [&](TScriptedFile& file) {
        seen.push_back(std::to_string(file.AddToArchive()) + " " + sub->ArchiveFile() + " " +
                       std::to_string(sub->AddToArchive()));
    };
    Group->SetArchiveFileType(ddAbsolute);
    Group->SetArchiveFile("Z:\\missing\\files.lzh");  // absent archive: nothing to delete
    Group->Compress(true);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "1  1");  // everything appends into the outer archive
    EXPECT_EQ(sub->ArchiveFile(), "Z:\\sub.lzh");
    EXPECT_EQ(sub->AddToArchive(), lzcOverwrite);
}
