#include <gtest/gtest.h>

#include <algorithm>

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
// "DoneCopyingFiles" also when they fail; a failed install pass is no
// finished copy for the closing handler.
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
    EXPECT_TRUE(wasAborted);
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

// Rule: a helper list changed one helper at a time, loading or not, holds
// the helpers at the places, and with the Orders, that a walk over the whole
// list and a full renumbering give (the list keeps shortcuts for large
// trees; they must never change where a helper goes).
namespace {

struct TListModel {
    struct TEntry {
        TInstallContainer* Helper;
        int32_t Order;
    };
    std::vector<TEntry> List;

    size_t Find(TInstallContainer* h) const {
        for (size_t i = 0; i < List.size(); ++i)
            if (List[i].Helper == h) return i;
        return List.size();
    }
    void Add(TInstallContainer* h, int32_t order, bool loading) {
        size_t at = List.size();
        if (h->ClassName() == "TInstallBde") at = 0;
        else
            for (size_t i = 0; i < List.size(); ++i)
                if (List[i].Helper->Rank() > h->Rank() ||
                    (List[i].Helper->Rank() == h->Rank() && order != -1 && List[i].Order >= order)) {
                    at = i;
                    break;
                }
        List.insert(List.begin() + static_cast<std::ptrdiff_t>(at), {h, order});
        if (!loading) Renumber();
    }
    int32_t Remove(TInstallContainer* h, bool loading) {
        const size_t at = Find(h);
        const int32_t order = List[at].Order;
        List.erase(List.begin() + static_cast<std::ptrdiff_t>(at));
        if (!loading) Renumber();
        return order;
    }
    void Renumber() {
        int32_t pos = 0;
        for (size_t i = 0; i < List.size(); ++i) {
            if (i > 0 && List[i].Helper->Rank() != List[i - 1].Helper->Rank()) pos = 0;
            List[i].Order = pos++;
        }
    }
};

void SetLoading(TComponent* c, bool on) {
    if (on) c->ComponentState.Include(csLoading);
    else c->ComponentState.Exclude(csLoading);
}

}  // namespace

TEST_F(Tree, HelperListsChangedOneAtATimeMatchTheWholeListRules) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        TDataModule root(nullptr);
        auto* group = Make<TInstallFileGroup>(&root, "G");
        TListModel model;
        std::vector<TBaseHelperComponent*> out, in;
        uint32_t state = seed * 2654435761u;
        auto next = [&](uint32_t n) {
            state = state * 1664525u + 1013904223u;
            return (state >> 8) % n;
        };
        int made = 0;
        auto make = [&]() -> TBaseHelperComponent* {
            const std::string name = "H" + std::to_string(++made);
            switch (next(10)) {
            case 0: return Make<TInstallFileGroup>(&root, name);
            case 1: return Make<TRecordingDialog>(&root, name, nullptr);
            case 2:
                if (seed % 4 == 0) return Make<TInstallBde>(&root, name);
                [[fallthrough]];
            default: return Make<TScriptedFile>(&root, name);
            }
        };
        const bool loadingFirst = seed % 2 == 0;
        for (int step = 0; step < 160; ++step) {
            const bool loading = loadingFirst && step < 80;
            SetLoading(group, loading);
            const uint32_t op = next(10);
            if (op < 5 || in.empty()) {
                TBaseHelperComponent* h = out.empty() || next(2) ? make() : out[next(static_cast<uint32_t>(out.size()))];
                std::erase(out, h);
                // An Order can be given only while the helper loads or sits in a container.
                const int32_t order = next(3) == 0 ? -1 : static_cast<int32_t>(next(6));
                SetLoading(h, true);
                h->SetOrder(order);
                SetLoading(h, loading);
                h->SetContainer(group);
                model.Add(h, order, loading);
                in.push_back(h);
            } else if (op < 7) {
                TBaseHelperComponent* h = in[next(static_cast<uint32_t>(in.size()))];
                std::erase(in, h);
                if (next(2)) {
                    h->SetContainer(nullptr);
                    out.push_back(h);
                    model.Remove(h, loading);
                } else {
                    model.Remove(h, loading);
                    delete h;
                }
            } else {
                TBaseHelperComponent* h = in[next(static_cast<uint32_t>(in.size()))];
                const int32_t order = static_cast<int32_t>(next(6));
                SetLoading(h, loading);
                h->SetOrder(order);
                SetLoading(h, false);
                TListModel::TEntry& e = model.List[model.Find(h)];
                if (loading) e.Order = order;
                else if (order != e.Order) {
                    model.Remove(h, false);
                    model.Add(h, order, false);
                }
            }
            ASSERT_EQ(group->HelperCount(), static_cast<int>(model.List.size())) << "seed " << seed << " step " << step;
            for (size_t i = 0; i < model.List.size(); ++i) {
                ASSERT_EQ(group->Helpers(static_cast<int>(i)), model.List[i].Helper)
                    << "seed " << seed << " step " << step << " place " << i;
                ASSERT_EQ(group->Helpers(static_cast<int>(i))->Order(), model.List[i].Order)
                    << "seed " << seed << " step " << step << " place " << i;
            }
        }
        SetLoading(group, false);
    }
}

TEST_F(Tree, RemovingAfterLoadingRenumbersTheWholeList) {
    TScriptedFile* a = File("A");
    TScriptedFile* b = File("B");
    TScriptedFile* c = File("C");
    SetLoading(Group, true);
    for (TScriptedFile* f : {a, b, c}) {
        SetLoading(f, true);
        f->SetOrder(7);
        f->SetContainer(Group);
        SetLoading(f, false);
    }
    SetLoading(Group, false);
    EXPECT_EQ(Orders(Group), (std::vector<int>{7, 7, 7}));
    delete a;  // the last of the list: nothing moves, yet every Order is renewed
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"C", "B"}));
    EXPECT_EQ(Orders(Group), (std::vector<int>{0, 1}));
}

// Rule: a destroyed component leaves every list that holds it, and the
// helpers that name it as their container forget it, however they came to.
TEST_F(Tree, DestroyedContainersAreForgottenEvenWhenTakenOffTheListByHand) {
    TScriptedFile* f = File("F");
    f->SetContainer(Group);
    Group->RemoveHelper(f);  // by hand: F still names Group
    EXPECT_EQ(f->Container(), Group);
    delete Group;
    Group = nullptr;
    EXPECT_EQ(f->Container(), nullptr);
}

TEST_F(Tree, AHelperListedByHandInASecondListLeavesItWhenDestroyed) {
    auto* other = Make<TInstallFileGroup>(&Root, "Other");
    TScriptedFile* f = File("F");
    TScriptedFile* g = File("G");
    f->SetContainer(Group);
    g->SetContainer(Group);
    other->AddHelper(f);  // shared: no list may trust its shortcuts now
    other->AddHelper(g);
    delete f;
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"G"}));
    EXPECT_EQ(Names(other), (std::vector<std::string>{"G"}));
    TScriptedFile* h = File("H");
    h->SetContainer(Group);
    EXPECT_EQ(Orders(Group), (std::vector<int>{0, 1}));
}

TEST_F(Tree, TheRegistryListsLiveComponentsInCreationOrder) {
    auto has = [](TInstallContainer* c) {
        auto all = TInstallContainer::Registry();
        return std::find(all.begin(), all.end(), c) - all.begin();
    };
    TScriptedFile* a = File("A");
    TScriptedFile* b = File("B");
    TScriptedFile* c = File("C");
    EXPECT_LT(has(Group), has(a));
    EXPECT_EQ(has(b), has(a) + 1);
    EXPECT_EQ(has(c), has(b) + 1);
    const auto before = TInstallContainer::Registry().size();
    delete b;
    EXPECT_EQ(TInstallContainer::Registry().size(), before - 1);
    EXPECT_EQ(has(c), has(a) + 1);
}
