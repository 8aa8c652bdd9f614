// The loading program's steps (see routines_Loader.h).
#include "routines_Loader.h"
#include "routines_Trailer.h"

#include <windows.h>

#include <cstring>

#include "FileShim.h"
#include "RunOptionValues.h"
#include "SysUtils.h"
#include "cmp_TFileHeaders.h"
#include "exceptions_VtrlCompress.h"
#include "routines_Compression.h"
#include "routines_Inflate.h"
#include "types_Archive.h"

namespace vtrl {

const char* const LoaderUsage =
    "Usage: setup.exe [/SILENT] [/NORESTART] [/DIR=<path>] [/LANG=<language>] [/LOG=<file>] [/VERBOSE]\r\n"
    "                 [/RESPONSE=<file>] [/RECORD=<file>] [/SCREENSHOTS=<dir>]\r\n"
    "  /SILENT            install without showing a window; every question takes its default answer\r\n"
    "  /NORESTART         never restart Windows; a restart that is needed ends with exit code 3010\r\n"
    "  /DIR=<path>        install into <path> instead of the product's own folder\r\n"
    "  /LANG=<language>   use <language> (English, German, French, ...) without asking\r\n"
    "  /LOG=<file>        append a log of the installation to <file>\r\n"
    "  /VERBOSE           add to the log where the time went and the memory used\r\n"
    "  /RESPONSE=<file>   answer the pages and questions from the response file <file>\r\n"
    "  /RECORD=<file>     write what you choose into the response file <file>\r\n"
    "  /SCREENSHOTS=<dir> with /RESPONSE, save a picture of each page answered in <dir>";

namespace {

// When Arg is Prefix followed by a value, sets Value to it and returns true.
bool TextOption(const std::string& Arg, std::string_view Prefix, std::string& Value) {
    if (Arg.size() <= Prefix.size() || !SameText(std::string_view(Arg).substr(0, Prefix.size()), Prefix)) return false;
    Value = Arg.substr(Prefix.size());
    return true;
}

// TextOption for a file or directory name, made absolute from CurrentDir.
bool PathOption(const std::string& Arg, std::string_view Prefix, const std::string& CurrentDir, std::string& Value) {
    std::string name;
    if (!TextOption(Arg, Prefix, name)) return false;
    const bool absolute = (name.size() >= 2 && name[1] == ':') || name[0] == '\\' || name[0] == '/';
    Value = absolute ? name : AddBackSlash(CurrentDir) + name;
    return true;
}

}  // namespace

TLoaderOptions ParseLoaderOptions(const std::vector<std::string>& Args, const std::string& CurrentDir) {
    TLoaderOptions o;
    for (const std::string& a : Args) {
        if (SameText(a, "/SILENT")) {
            o.Silent = true;
        } else if (SameText(a, "/VERBOSE")) {
            o.Verbose = true;
        } else if (SameText(a, "/NORESTART")) {
            o.NoRestart = true;
        } else if (TextOption(a, "/DIR=", o.Directory) || TextOption(a, "/LANG=", o.Language) ||
                   PathOption(a, "/LOG=", CurrentDir, o.LogFile) ||
                   PathOption(a, "/RESPONSE=", CurrentDir, o.ResponseFile) ||
                   PathOption(a, "/RECORD=", CurrentDir, o.RecordFile) ||
                   PathOption(a, "/SCREENSHOTS=", CurrentDir, o.ScreenshotDir)) {
            // taken into o by PathOption
        } else if (a == "/?" || SameText(a, "/HELP")) {
            o.Help = true;
        } else if (const char* name = OptionWithoutValue(a)) {
            if (o.NoValue.empty()) o.NoValue = name;
        } else if (o.Unknown.empty()) {
            o.Unknown = a;
        }
    }
    return o;
}

bool LocateParts(const std::string& LoaderPath, TDistributionParts& Parts) {
    {
        TFileHandleOwner f(FileOpenRead(LoaderPath));
        const TTrailerPlace place = f.Valid() ? FindTrailer(f.Get()) : TTrailerPlace();
        if (!place.Damage.empty()) {
            Parts.Damage = place.Damage;
            return false;
        }
        if (place.Found) {
            Parts.SelfExtracting = true;
            Parts.SetupArchive = LoaderPath;
            Parts.SetupOffset = place.Info.SetupStart;
            return true;
        }
    }
    const std::string beside = ExtractFilePath(LoaderPath) + "setup.1";
    if (!FileExists(beside)) return false;
    Parts.SelfExtracting = false;
    Parts.SetupArchive = beside;
    Parts.SetupOffset = 0;
    return true;
}

std::string QuoteArgument(const std::string& Arg) {
    if (!Arg.empty() && Arg.find_first_of(" \t\"") == std::string::npos) return Arg;
    std::string q = "\"";
    size_t backslashes = 0;
    for (char c : Arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        q.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        q += c;
    }
    q.append(2 * backslashes, '\\');  // before the closing quote
    return q + '"';
}

std::string SetupCommandLine(const std::string& SetupPath, const TLoaderOptions& Options,
                             const TDistributionParts& Parts, const std::string& LoaderPath) {
    // The program path is read without backslash rules; it holds no quote.
    std::string cmd = "\"" + SetupPath + "\"";
    if (Options.Silent) cmd += " /SILENT";
    if (Options.Verbose) cmd += " /VERBOSE";
    if (Options.NoRestart) cmd += " /NORESTART";
    if (!Options.Directory.empty()) cmd += " " + QuoteArgument("/DIR=" + Options.Directory);
    if (!Options.Language.empty()) cmd += " " + QuoteArgument("/LANG=" + Options.Language);
    if (!Options.LogFile.empty()) cmd += " " + QuoteArgument("/LOG=" + Options.LogFile);
    if (!Options.ResponseFile.empty()) cmd += " " + QuoteArgument("/RESPONSE=" + Options.ResponseFile);
    if (!Options.RecordFile.empty()) cmd += " " + QuoteArgument("/RECORD=" + Options.RecordFile);
    if (!Options.ScreenshotDir.empty()) cmd += " " + QuoteArgument("/SCREENSHOTS=" + Options.ScreenshotDir);
    if (Parts.SelfExtracting) cmd += " *SELFEXTRACT " + QuoteArgument(ExtractFileName(LoaderPath));
    // The source directory without a trailing backslash ("A:" for a disk's
    // root), quoted as one argument so that blanks in it survive as they are.
    cmd += " " + QuoteArgument(RemoveBackSlash(ExtractFileDir(LoaderPath)));
    return cmd;
}

std::string CreatePrivateTempDirectory() {
    std::string base = GetTempDirectory();
    if (base.empty()) throw Exception("There is no directory for temporary files");
    // The process number in hexadecimal, spelled out here: Format would
    // bring the C library's printf into the loading program.
    std::string pid;
    for (DWORD v = GetCurrentProcessId();; v >>= 4) {
        pid.insert(pid.begin(), "0123456789ABCDEF"[v & 0xF]);
        if (v < 16) break;
    }
    for (unsigned n = 0; n < 1000; ++n) {
        const std::string dir = base + "vtrlsetup" + pid + "-" + IntToStr(n);
        // CreateDirectory fails on an existing directory, so nobody else's
        // directory is ever taken over.
        if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw Exception("Cannot create a temporary directory in " + base + " (Windows error " +
                    IntToStr(GetLastError()) + ")");
}

intptr_t CreateTempLock(const std::string& Dir) {
    const std::string path = AddBackSlash(Dir) + TempLockName;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return reinterpret_cast<intptr_t>(h);
}

bool ReleaseTempLock(intptr_t Lock, const std::string& Dir) {
    if (reinterpret_cast<HANDLE>(Lock) != INVALID_HANDLE_VALUE) CloseHandle(reinterpret_cast<HANDLE>(Lock));
    const std::string path = AddBackSlash(Dir) + TempLockName;
    return DeleteFileA(path.c_str()) || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

namespace {

// The plain files of Dir, by name.
std::vector<std::string> FilesOf(const std::string& Dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((AddBackSlash(Dir) + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

bool DeleteOne(const std::string& Path) {
    SetFileAttributesA(Path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(Path.c_str()) != 0;
}

// One directory whose lock is free: the programs first, then the rest.
TStaleDirectory RemoveStaleDirectory(const std::string& Dir) {
    TStaleDirectory r;
    r.Dir = Dir;
    const std::vector<std::string> files = FilesOf(Dir);
    for (const std::string& f : files) {
        if (!SameText(ExtractFileExt(f), ".exe") || DeleteOne(AddBackSlash(Dir) + f)) continue;
        r.Note = "the program " + f + " cannot be deleted (Windows error " + IntToStr(GetLastError()) +
                 "): a setup program may still run from it";
        return r;
    }
    for (const std::string& f : files) {
        const std::string path = AddBackSlash(Dir) + f;
        if (!SameText(ExtractFileExt(f), ".exe") && !DeleteOne(path) && FileExists(path)) {
            r.Note = "the file " + f + " cannot be deleted (Windows error " + IntToStr(GetLastError()) + ")";
            return r;
        }
    }
    r.Removed = RemoveDirectoryA(Dir.c_str()) != 0;
    if (!r.Removed) r.Note = "the directory cannot be removed (Windows error " + IntToStr(GetLastError()) + ")";
    return r;
}

}  // namespace

std::vector<TStaleDirectory> RemoveStaleTempDirectories(const std::string& TempBase, const std::string& Own) {
    std::vector<TStaleDirectory> done;
    std::vector<std::string> dirs;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((AddBackSlash(TempBase) + TempDirectoryPrefix + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return done;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) dirs.push_back(AddBackSlash(TempBase) + fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    for (const std::string& dir : dirs) {
        if (SameText(RemoveBackSlash(dir), RemoveBackSlash(Own))) continue;
        // A lock that cannot be deleted is held by the loader that runs
        // from there; no lock at all marks a directory that stays.
        if (!DeleteFileA((AddBackSlash(dir) + TempLockName).c_str())) continue;
        done.push_back(RemoveStaleDirectory(dir));
    }
    return done;
}

// The archive is read with its directory and the shared inflating loop
// alone: the archive component would bring the component runtime into the
// loading program, which travels uncompressed in every distribution.
std::string UnpackSetupArchive(const TDistributionParts& Parts, const std::string& Dir) {
    TVtrlFileStream archive(FileOpenRead(Parts.SetupArchive));
    if (archive.Handle() == InvalidFileHandle)
        throw Exception(OSCause("Cannot open the setup archive " + Parts.SetupArchive, GetLastOSError()));
    TFileHeaders directory;
    directory.ReadFrom(archive, Parts.SetupOffset);
    if (directory.MultiVolume != 0)
        throw Exception("The setup archive " + Parts.SetupArchive + " is split over disks, which it never is");
    if (directory.Count() == 0) throw Exception("The setup archive " + Parts.SetupArchive + " holds no setup program");
    std::string first;
    for (int i = 0; i < directory.Count(); ++i) {
        const TFileHeader& e = directory.Get(i);
        const std::string name = ExtractFileName(e.SourcePath);
        if (!IsPlainFileName(name)) throw Exception("The setup archive names a member " + e.SourcePath);
        const std::string path = AddBackSlash(Dir) + name;
        if (i == 0) first = path;
        // The member's data lies from DataPos to LastBytePos.
        int64_t left = static_cast<int64_t>(e.LastBytePos) - e.DataPos + 1;
        const int64_t start = static_cast<int64_t>(Parts.SetupOffset) + e.DataPos;
        if (left < 0 || archive.Seek(start, soFromBeginning) != start) {
            EVCFHCannotReadHeaders x;
            x.Detail = "the data of " + e.SourcePath + " lies outside the archive";
            throw x;
        }
        TFileHandleOwner out(FileCreate(path));
        if (!out.Valid()) throw Exception(OSCause("Cannot create " + path, GetLastOSError()));
        int64_t size = 0;
        const bool complete = InflateStream(
            [&](uint8_t* Buffer, int32_t Count) {
                const int32_t want = left < Count ? static_cast<int32_t>(left) : Count;
                const int32_t n = want > 0 ? archive.Read(Buffer, want) : 0;
                left -= n;
                return n;
            },
            [&](const uint8_t* Data, int32_t Count) {
                if (size + Count > e.UncompressedSize)
                    RaiseWrongSize(e.SourcePath, "it inflates to more than the " + IntToStr(e.UncompressedSize) +
                                                     " bytes the directory records");
                if (FileWrite(out.Get(), Data, Count) != Count)
                    throw Exception(OSCause("Cannot write " + path, GetLastOSError()));
                size += Count;
            });
        CheckInflatedSize(e, complete, size);
    }
    return first;
}

bool RemoveTempDirectory(const std::string& Dir) {
    for (int attempt = 0; attempt < 30; ++attempt) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((AddBackSlash(Dir) + "*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                const std::string f = AddBackSlash(Dir) + fd.cFileName;
                SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(f.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        if (RemoveDirectoryA(Dir.c_str()) || !DirectoryExists(Dir)) return true;
        Sleep(100);
    }
    return false;
}

uint32_t RunAndWait(const std::string& Program, const std::string& CommandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = CommandLine;  // CreateProcessA may write to it
    if (!CreateProcessA(Program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw Exception("Cannot start the setup program " + Program + " (Windows error " +
                        IntToStr(GetLastError()) + ")");
    CloseHandle(pi.hThread);
    DWORD code = 0;
    const bool ok = WaitForSingleObject(pi.hProcess, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    if (!ok) throw Exception("Cannot wait for the setup program " + Program);
    return code;
}

}  // namespace vtrl
