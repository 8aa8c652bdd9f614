// TInstall's floppy-set mode: splits a self-extracting setup program onto
// disks in drive A: ("setup.exe" = the loading program, "setup.1", and the
// disk set "files.1", files.2, ...), asking for each further disk.
#include <windows.h>

#include <vector>

#include "Controls.h"
#include "Dialogs.h"
#include "FileShim.h"
#include "Forms.h"
#include "Unattended.h"
#include "cmp_TInstall.h"
#include "cmp_TInstall_build.h"
#include "cmp_TInstallFile.h"
#include "routines_Trailer.h"
#include "types_Archive.h"

namespace vtrl {

const char* const DiskHandshakeVariable = "VTRL_TEST_DISK_HANDSHAKE";

namespace {

const char* const TargetDrive = "a:";

// Copies Count bytes of In from position From into a new file Name, in
// blocks of 8192 bytes. A short write raises Exception ShortWriteMessage.
// Unsign clears the certificate table's entry in the PE header that the
// first block holds: the loading program cut out of a signed setup program
// would otherwise name a table beyond its own end.
void WritePart(TFileHandle In, int64_t From, int64_t Count, const std::string& Name,
               std::string_view ShortWriteMessage, bool Unsign = false) {
    static_assert(CertificateHeadSize <= 8192, "the PE header lies in the first block");
    TFileHandleOwner out(FileCreate(Name));
    if (!out.Valid()) RaiseFmt("Cannot create %s on the A drive (Windows error %d)", Name, GetLastOSError());
    if (FileSeek(In, From, soFromBeginning) != From) RaiseFmt("Cannot read the self-extracting setup program");
    std::vector<uint8_t> block(8192);
    while (Count > 0) {
        const int32_t want = static_cast<int32_t>(Count < 8192 ? Count : 8192);
        const int32_t got = FileRead(In, block.data(), want);
        if (got != want) RaiseFmt("Cannot read the self-extracting setup program");
        if (Unsign) {
            ClearCertificateTable(block.data(), static_cast<size_t>(got));
            Unsign = false;
        }
        if (FileWrite(out.Get(), block.data(), got) != got) RaiseFmt(ShortWriteMessage);
        Count -= got;
        ProcessMessages();
    }
}

// The test handshake described in cmp_TInstall_build.h.
int HandshakeAnswer(const std::string& Dir, const TQuestion& Q) {
    static const std::string Asking = "Please insert disk ";
    int64_t disk = 0;
    if (Q.Msg.compare(0, Asking.size(), Asking) != 0 || !TryStrToInt(std::string_view(Q.Msg).substr(Asking.size()), disk))
        return mrNone;
    const std::string base = AddBackSlash(Dir);
    const std::string asked = base + "insert" + IntToStr(disk) + ".txt";
    const std::string answer = base + "inserted" + IntToStr(disk) + ".txt";
    { TFileHandleOwner f(FileCreate(asked)); }
    for (int i = 0; i < 1200; ++i) {
        if (FileExists(answer)) {
            Sleep(50);  // let the writer finish
            std::string text(16, '\0');
            {
                TFileHandleOwner f(FileOpenRead(answer));
                text.resize(f.Valid() ? std::max<int32_t>(0, FileRead(f.Get(), text.data(), 16)) : 0);
            }
            FileDelete(answer);
            FileDelete(asked);
            return SameText(Trim(text).substr(0, 2), "OK") ? mrOk : mrCancel;
        }
        Sleep(100);
    }
    return mrCancel;
}

}  // namespace

TTrailerPlace CheckedTrailer(const std::string& Program) {
    const TTrailerPlace place = ReadTrailer(Program);
    if (!DescribesSetupProgram(place.Info, place.End)) RaiseFmt("%s is not a self-extracting setup program", Program);
    return place;
}

void TInstall::WriteDiskSet() {
    TVtrlCompress& archive = VtrlCompress();
    const std::string handshake = [] {
        char buffer[MAX_PATH] = {};
        DWORD n = GetEnvironmentVariableA(DiskHandshakeVariable, buffer, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
    }();
    if (!handshake.empty() && IsSilent())
        SetQuestionResponder([handshake](const TQuestion& Q) { return HandshakeAnswer(handshake, Q); });
    try {
        TCursorGuard hourglass(crHourGlass);
        FSelfExtract = true;
        ReadLoaderArguments();
        const std::string program = ExpandArchiveFile();
        Log("Writing " + program + " to drive A:");
        TFileHandleOwner in(FileOpenRead(program));
        if (!in.Valid()) RaiseFmt("Cannot open the self-extracting setup program %s", program);
        const TTrailerPlace place = CheckedTrailer(program);
        const TExtractionInfo& info = place.Info;
        const std::string drive = AddBackSlash(TargetDrive);
        WritePart(in.Get(), 0, info.SetupStart, drive + "setup.exe",
                  "Cannot create setup.exe on the A drive. Probably not enough room", place.Signed);
        WritePart(in.Get(), info.SetupStart, int64_t(info.SetupLast) - info.SetupStart + 1, drive + "setup.1",
                  "Cannot create the Setup.1 archive on the A drive. Probably not enough room");
        in.Close();

        archive.OnNewDisk = [](TVtrlCompress*, int Disk, std::string&) {
            TCursorGuard normal(crDefault);
            if (MessageDlg(Fmt(TranslateMessageText("Please insert disk %d"), Disk), mtConfirmation,
                           {mbOK, mbCancel}, mrOk) != mrOk)
                RaiseFmt("Aborted");
        };
        archive.OnStatus = [](TVtrlCompress*, const TlzhFileStats&) { ProcessMessages(); };
        archive.SetCompressedFile("");
        archive.Offset = info.FilesStart;
        archive.SetCompressedFile(program);
        archive.Abort = false;
        try {
            archive.SplitToDisks(drive, "files.1");
        } catch (...) {
            archive.OnNewDisk.Clear();
            archive.OnStatus.Clear();
            archive.Offset = 0;
            throw;
        }
        archive.OnNewDisk.Clear();
        archive.OnStatus.Clear();
        archive.Offset = 0;
        Log("Floppy set written");
    } catch (const std::exception& e) {
        Log(std::string("Floppy set failed: ") + e.what());
        if (Application.ExitCode == 0) Application.ExitCode = 1;
        MessageDlg(e.what(), mtError, {mbOK}, 0);
    }
    if (!handshake.empty()) SetQuestionResponder(nullptr);
    RequestTermination();
}

}  // namespace vtrl
