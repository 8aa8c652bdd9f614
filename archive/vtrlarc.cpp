// vtrlarc: lists, tests, extracts and builds archives from the command
// line, through the same archive component that setup uses.
//   vtrlarc list FILE
//   vtrlarc test FILE
//   vtrlarc extract FILE DIR [KEY...]
//   vtrlarc add ARCHIVE [--level none|fastest|default|max] [--append] SOURCE...
// FILE is a single-file archive, volume 1 of a disk set, or a
// self-extracting setup, signed or not (found through its trailer).
#include <cstdio>
#include <string>
#include <vector>

#include "FileShim.h"
#include "cmp_TVtrlCompress.h"
#include "routines_Trailer.h"

using namespace vtrl;

namespace {

struct TArchivePart {
    std::string Label;
    int32_t Offset;
};

int Usage() {
    std::fputs("usage: vtrlarc list FILE\n"
               "       vtrlarc test FILE\n"
               "       vtrlarc extract FILE DIR [KEY...]\n"
               "       vtrlarc add ARCHIVE [--level none|fastest|default|max] [--append] SOURCE...\n",
               stderr);
    return 2;
}

std::string DateText(double FileDate) {
    int32_t dos = 0;
    if (!DateTimeToDosDateTime(FileDate, dos)) return "(no valid date)";
    uint32_t d = static_cast<uint32_t>(dos);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", ((d >> 25) & 0x7f) + 1980, (d >> 21) & 0xf,
                  (d >> 16) & 0x1f, (d >> 11) & 0x1f, (d >> 5) & 0x3f, (d & 0x1f) * 2);
    return buf;
}

// The trailer of a self-extracting setup is taken as one only when its
// positions describe FILE exactly up to it: loading program, "setup.1",
// "files.1" and the trailer, without gaps, followed by nothing or by the
// certificate table of a signed program. The last 56 bytes of a plain
// archive are compressed data and practically never do. A damaged
// certificate table is an error of its own.
bool IsSelfExtracting(const std::string& File, TExtractionInfo& Info) {
    TTrailerPlace place;
    {
        TFileHandleOwner f(FileOpenRead(File));
        if (!f.Valid()) return false;
        place = FindTrailer(f.Get());
    }
    if (!place.Damage.empty()) throw Exception("The setup program " + File + " is damaged: " + place.Damage);
    Info = place.Info;
    const int64_t setupStart = Info.SetupStart, setupLast = Info.SetupLast, filesStart = Info.FilesStart,
                  filesLast = Info.FilesLast;
    return place.End >= ExtractionInfoSize + 2 * ArchiveStartSize && DescribesSetupProgram(Info, place.End) &&
           setupLast >= setupStart + ArchiveStartSize - 1 && filesLast >= filesStart + ArchiveStartSize - 1;
}

// The archives in FILE: the two archives of a self-extracting setup, or
// FILE itself at offset 0. The trailer is looked for first: a loading
// program's first bytes may read as a small entry count, and FILE would
// then pass for an empty archive.
std::vector<TArchivePart> Locate(TVtrlCompress& C, const std::string& File) {
    C.SetCompressedFile(File);
    TExtractionInfo x;
    if (IsSelfExtracting(File, x)) {
        C.Offset = x.FilesStart;
        C.EntryCount();  // a damaged archive inside raises its own error
        return {{"setup archive", x.SetupStart}, {"files archive", x.FilesStart}};
    }
    C.Offset = 0;
    C.EntryCount();
    return {{"archive", 0}};
}

int List(const std::string& File) {
    TVtrlCompress c(nullptr);
    for (const TArchivePart& part : Locate(c, File)) {
        c.Offset = part.Offset;
        const TFileHeaders& d = c.Directory();
        std::printf("%s at offset %d: %d members, %s\n", part.Label.c_str(), part.Offset, d.Count(),
                    d.MultiVolume == 1 ? "disk set" : "single file");
        std::printf("%10s %10s  %-19s  %-12s %5s  %s\n", "size", "packed", "date", "version", "disks", "key");
        for (int i = 0; i < d.Count(); ++i) {
            const TFileHeader& e = d.Get(i);
            std::printf("%10d %10d  %-19s  %-12s %2d-%-2d  %s\n", e.UncompressedSize, e.CompressedSize,
                        DateText(e.FileDate).c_str(), e.VersionText.c_str(), e.FirstDisk, e.LastDisk,
                        e.SourcePath.c_str());
        }
    }
    return 0;
}

int Test(const std::string& File) {
    TVtrlCompress c(nullptr);
    int bad = 0, count = 0;
    for (const TArchivePart& part : Locate(c, File)) {
        c.Offset = part.Offset;
        int n = c.EntryCount();
        for (int i = 0; i < n; ++i, ++count) {
            try {
                c.VerifyMember(i);
            } catch (const Exception& e) {
                ++bad;
                // The detail names the member, the archive and the cause.
                std::fprintf(stderr, "%s\n", ExceptionLogText(e).c_str());
            }
        }
    }
    std::printf("%d members tested, %d damaged\n", count, bad);
    return bad == 0 ? 0 : 1;
}

int Extract(const std::string& File, const std::string& Dir, const std::vector<std::string>& Keys) {
    TVtrlCompress c(nullptr);
    std::vector<TArchivePart> parts = Locate(c, File);
    c.Offset = parts.back().Offset;  // the files archive of a setup
    TStringList list;
    for (const std::string& k : Keys) list.Add(k);
    if (Keys.empty())
        for (int i = 0; i < c.EntryCount(); ++i) list.Add(c.Directory().Get(i).SourcePath);
    c.ExtractDirectory = Dir;
    c.Overwrite = owAlways;
    c.SetFilesToProcess(list);
    c.ExtractFiles();
    return 0;
}

int Add(const std::vector<std::string>& Args) {
    TVtrlCompress c(nullptr);
    bool append = false;
    TStringList sources;
    for (size_t i = 1; i < Args.size(); ++i) {
        if (Args[i] == "--append") {
            append = true;
        } else if (Args[i] == "--level" && i + 1 < Args.size()) {
            int level = EnumInfoOf(TCompressionLevel{}).IndexOf("col" + Args[++i]);
            if (level < 0) return Usage();
            c.CompressionLevel = static_cast<TCompressionLevel>(level);
        } else {
            sources.Add(Args[i]);
        }
    }
    c.SetCompressedFile(Args[0]);
    c.SetFilesToProcess(sources);
    c.CompressFiles(append);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2) return Usage();
    const std::string cmd = args[0];
    try {
        if (cmd == "list" && args.size() == 2) return List(args[1]);
        if (cmd == "test" && args.size() == 2) return Test(args[1]);
        if (cmd == "extract" && args.size() >= 3)
            return Extract(args[1], args[2], std::vector<std::string>(args.begin() + 3, args.end()));
        if (cmd == "add") return Add(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vtrlarc: %s\n", ExceptionLogText(e).c_str());
        return 1;
    }
    return Usage();
}
