// TInstall's distribution builders: the build mode, the self-extracting
// setup program and the floppy set.
#include "cmp_TInstall.h"

namespace vtrl {

void TInstall::BuildDistribution() { throw Exception("The build mode is not available in this setup program"); }
void TInstall::BuildSetupExecutable() {
    throw Exception("Building a self-extracting setup is not available in this setup program");
}
void TInstall::WriteDiskSet() { throw Exception("The floppy-set mode is not available in this setup program"); }

}  // namespace vtrl
