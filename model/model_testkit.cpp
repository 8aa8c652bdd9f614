// The scripted file's status report.
#include "model_testkit.h"

#include <fstream>
#include <sstream>

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

std::string ReadAll(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteFile(const std::string& Path, const std::string& Text) { std::ofstream(Path, std::ios::binary) << Text; }
}  // namespace vtrl::testkit
