#include <gtest/gtest.h>

#include "DefinitionText.h"
#include "InstallModule.h"
#include "cmp_TInstallFile.h"

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
