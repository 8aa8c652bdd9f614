// TUninstallEXE: the uninstall program's file and the record's top values.
#include "cmp_TUninstallEXE.h"

#include "types_Installation.h"
#include "constants_UninstallRecord.h"
#include "routines_Registry.h"
#include "routines_UninstallRecord.h"

namespace vtrl {

// No properties of its own: it publishes what TInstallFile publishes.
VTRL_IMPLEMENT_CLASS(TUninstallEXE, TInstallFile, [](auto&) {})

void TUninstallEXE::WriteUninstallInfo(const std::string& Key) {
    IInstallation* install = Installation();
    if (!install)
        RaiseFmt("Cannot write installation information for %s because there is no TInstall", Name());
    const std::string product = install->ProductName();
    RegWriteString(hkLocalMachine, Key, uninstall_record::DisplayName, product);
    RegWriteString(hkLocalMachine, Key, uninstall_record::UninstallString,
                   UninstallCommandLine(DestinationPath(), product));
}

}  // namespace vtrl
