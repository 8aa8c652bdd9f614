// The scripted file's status report.
#include "model_testkit.h"

#include "types_InstallEvents.h"

namespace vtrl::testkit {
void TScriptedFile::ReportStatus(int32_t BytesDone, bool Finished, TEventName Name) {
    TFileStatusParameter status;
    status.BytesDone = BytesDone;
    status.FileStats.Finished = Finished;
    status.FileStats.FullSize = Size;
    TParameterList list{this, &status};
    SendUp(Name, &list);
    LastTotalPercent = status.TotalPercentDone;
}
}  // namespace vtrl::testkit
