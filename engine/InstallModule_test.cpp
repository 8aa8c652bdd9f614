#include <gtest/gtest.h>

#include "DefinitionText.h"
#include "InstallModule.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Unattended.h"
#include "cmp_TInstallFile.h"
#include "routines_DevEnvironment.h"

using namespace vtrl;

namespace {

const char* const Definition = R"(object IM: TIM
  object Install1: TInstall
    UseLoadingProgram = False
    RunAutomatic = False
    InstallTypes = [itCompact, itFull]
    Information.ProductName = 'Vantrel 32'
    PresetupFiles.Strings = (
      'C:\WINDOWS\MEDIA\HalvornMisc.rmi'
      'VantrelEarth.avi')
  end
  object File1: TInstallFile
    Container = Install1
    FileName = 'unit1.pas'
    IncludeFromDir = 'C:\src'
    Order = 5
  end
  object File2: TInstallFile
    Container = Install1
    FileName = 'unit2.pas'
    IncludeFromDir = 'C:\src'
    Order = 5
  end
end
)";

}  // namespace

// A stored definition builds the tree: ties keep their stored Order and
// the later one goes first; the install type comes from the TInstall.
TEST(InstallDefinition, LoadsTheTree) {
    TIM module(nullptr);
    module.LoadDefinition(Definition, "test.vdf");
    TInstall* install = module.Install();
    ASSERT_NE(install, nullptr);
    EXPECT_FALSE(install->Loading());
    EXPECT_EQ(install->Information()->ProductName(), "Vantrel 32");
    EXPECT_EQ(install->PresetupFiles().Count(), 2);
    ASSERT_EQ(install->HelperCount(), 2);
    EXPECT_EQ(install->Helpers(0)->Name(), "File2");
    EXPECT_EQ(install->Helpers(0)->Order(), 5);
    // itDefault is absent, so itCompact is chosen before itFull.
    EXPECT_EQ(install->SelectedInstallType(), itCompact);
    EXPECT_EQ(install->Helpers(1)->SelectedInstallType(), itCompact);
    EXPECT_EQ(install->FindFile("c:\\SRC\\UNIT1.PAS")->Name(), "File1");
}

TEST(InstallDefinition, RoundTripsThroughTheWriter) {
    std::string written;
    {
        TIM module(nullptr);
        module.LoadDefinition(Definition, "test.vdf");
        written = WriteComponentText(&module);
    }
    EXPECT_NE(written.find("FileName = 'unit1.pas'"), std::string::npos);
    EXPECT_EQ(written.find("AllowChangeDir"), std::string::npos);  // default, not written
    TIM again(nullptr);
    again.LoadDefinition(written, "written.vdf");
    EXPECT_EQ(WriteComponentText(&again), written);
}

TEST(InstallDefinition, ErrorsNameTheirPosition) {
    TIM module(nullptr);
    try {
        module.LoadDefinition("object IM: TIM\n  object F: TInstallFile\n    FileType = iftBogus\n  end\nend\n",
                              "bad.vdf");
        FAIL();
    } catch (const EDefinitionError& e) {
        EXPECT_NE(std::string(e.what()).find("bad.vdf(3:"), std::string::npos) << e.what();
    }
}

// The kit's own handlers, as its definition names them: the abort is
// asked (a silent run answers yes, a person may say no); after an aborted
// copy, or without Delphi 3.0, nothing follows the copy.
TEST(InstallDefinition, TheKitsHandlersAreBoundByName) {
    TIM module(nullptr);
    module.LoadDefinition(R"(object IM: TIM
  object Install1: TInstall
    UseLoadingProgram = False
    RunAutomatic = False
    OnCleanup = Install1Cleanup
    OnStartInstall = Install1StartInstall
    OnUserAbort = Install1UserAbort
    OnCloseCopyFileDlg = Install1CloseCopyFileDlg
  end
end
)", "handlers.vdf");
    TInstall* install = module.Install();
    ASSERT_NE(install, nullptr);
    EXPECT_EQ(install->OnUserAbort.Name, "Install1UserAbort");
    EXPECT_EQ(install->OnCloseCopyFileDlg.Name, "Install1CloseCopyFileDlg");
    SetSilent(true);
    std::string asked;
    SetQuestionResponder([&](const TQuestion& q) {
        asked = q.Msg;
        return static_cast<int>(mrNo);
    });
    EXPECT_FALSE(install->ConfirmUserAbort());
    EXPECT_EQ(asked, "Are you sure you want to abort this installation?");
    SetQuestionResponder(nullptr);
    EXPECT_TRUE(install->ConfirmUserAbort());

    DevEnvironment() = {true, "C:\\Nowhere\\BIN", false};
    install->OnCloseCopyFileDlg(install, true);  // aborted: no window, no registration
    EXPECT_TRUE(DevEnvironment().DelphiPresent);
    install->OnStartInstall(install);  // this prefix has no environments
    EXPECT_FALSE(DevEnvironment().DelphiPresent);
    install->OnCloseCopyFileDlg(install, false);
    EXPECT_FALSE(DevEnvironment().PackageInstalled);
    bool go = true;
    install->OnCleanup(install, go);  // no backdrop: nothing to close
    EXPECT_TRUE(go);
    SetSilent(false);
    DevEnvironment() = {};
}
