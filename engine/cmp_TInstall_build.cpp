// TInstall's distribution builders: the build mode, the distribution
// ("files.1", "setup.1", the loading program as "setup.exe") and the
// self-extracting setup program. The floppy set is in
// cmp_TInstall_build_disk.cpp.
//
// Two builds from the same definition, the same program and the same source
// files give the same bytes: nothing below stores a build time, a random
// name or the build directory (archive keys are the source paths, dates the
// sources' own dates, and the programs are linked without a PE time stamp).
#include <map>
#include <memory>

#include "Dialogs.h"
#include "dlgcmp_TBaseDlg.h"
#include "FileShim.h"
#include "InstallModule.h"
#include "Forms.h"
#include "Unattended.h"
#include "cmp_TInstall.h"
#include "cmp_TInstall_build.h"
#include "cmp_TInstallFile.h"
#include "cmp_TUninstallEXE.h"
#include "cmp_TVersion.h"
#include "routines_ExpandPaths.h"
#include "routines_Registry.h"
#include "routines_Signing.h"
#include "routines_Trailer.h"
#include "routines_VantrelStuff.h"
#include "types_Archive.h"

namespace vtrl {

const char* const VantrelKitKey = "\\Software\\Vantrel Software\\Vantrel96";
const char* const VantrelDirectoryValue = "VantrelDirectory";
const char* const LoadingProgramName = "VantrelLoadProgram.exe";

namespace {

bool IsAbsolutePath(const std::string& Path) {
    return (Path.size() >= 2 && Path[1] == ':') || (!Path.empty() && (Path[0] == '\\' || Path[0] == '/'));
}

// Path taken relative to the directory Base unless it is absolute already.
std::string AnchoredAt(const std::string& Base, const std::string& Path) {
    return IsAbsolutePath(Path) ? Path : AddBackSlash(Base) + Path;
}

// Appends the whole file Name to Out and reports where it begins and its
// last byte (inclusive), as positions in Out.
void AppendWholeFile(TFileHandle Out, const std::string& Name, int32_t& Start, int32_t& Last) {
    TFileHandleOwner in(FileOpenRead(Name));
    if (!in.Valid()) RaiseFmt("Cannot open %s to append it to the setup program", Name);
    const int64_t start = FileSeek(Out, 0, soFromEnd);
    const int64_t size = FileSize(in.Get());
    // Positions in the trailer are 32-bit signed.
    if (start < 0 || size <= 0 || start + size + ExtractionInfoSize > INT32_MAX)
        RaiseFmt("Cannot append %s: the self-extracting setup program would reach 2 GB", Name);
    std::vector<uint8_t> block(65536);
    int64_t done = 0;
    while (done < size) {
        const int32_t got = FileRead(in.Get(), block.data(), static_cast<int32_t>(block.size()));
        if (got <= 0) RaiseFmt("Cannot read %s", Name);
        if (FileWrite(Out, block.data(), got) != got)
            RaiseFmt("Cannot write the self-extracting setup program. Probably not enough room");
        done += got;
        ProcessMessages();
    }
    Start = static_cast<int32_t>(start);
    Last = static_cast<int32_t>(start + size - 1);
}

// An archive without members: what an empty definition compresses to.
void WriteEmptyArchive(const std::string& Name) {
    TFileHandleOwner out(FileCreate(Name));
    uint8_t start[ArchiveStartSize] = {};
    if (!out.Valid() || FileWrite(out.Get(), start, ArchiveStartSize) != ArchiveStartSize)
        RaiseFmt("Cannot create the archive file %s", Name);
}

}  // namespace

// ------------------------------------------------------------ build mode

TBuildSettings ReadBuildSettings(const std::string& ProgramDir) {
    const std::string inf = AddBackSlash(ProgramDir) + "BUILD.INF";
    if (!FileExists(inf))
        RaiseFmt("Need to have a BUILD.INF file in this directory with the first line specifying the build directory");
    std::string text;
    {
        TFileHandleOwner f(FileOpenRead(inf));
        if (!f.Valid()) RaiseFmt("Cannot open %s", inf);
        char buffer[4096];
        int32_t got;
        while ((got = FileRead(f.Get(), buffer, sizeof buffer)) > 0) text.append(buffer, got);
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    TStringList lines;
    lines.SetText(text);
    // A blank first line names no directory: building into the root of the
    // current drive instead would be a surprise, so it counts as no line.
    const std::string dir = lines.Count() > 0 ? RemoveBackSlash(Trim(lines[0])) : std::string();
    if (dir.empty()) RaiseFmt("Must be 1 line in BUILD.INF. This line should specify the build directory");
    // A relative directory is read from where BUILD.INF lies, not from
    // whatever the current directory happens to be.
    TBuildSettings settings;
    settings.Directory = AnchoredAt(ProgramDir, dir);
    // The lines after it are settings ("Name=Value"); what else a BUILD.INF
    // of old holds there is left alone, but a line that looks like a
    // setting and is none is reported: a mistyped SignCommand must not
    // give an unsigned build that seems fine.
    for (int i = 1; i < lines.Count(); ++i) {
        const std::string line = Trim(lines[i]);
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == ';' || eq == std::string::npos) continue;
        const std::string name = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        if (SameText(name, "SignCommand")) settings.SignCommand = value;
        else
            settings.Warnings.push_back("Warning: line " + IntToStr(i + 1) + " of " + inf +
                                        " is no build setting and is left alone: " + line);
    }
    return settings;
}

std::string ReadBuildDirectory(const std::string& ProgramDir) { return ReadBuildSettings(ProgramDir).Directory; }

std::string FindLoadingProgram() {
    std::string dir = Trim(RegReadString(hkLocalMachine, VantrelKitKey, VantrelDirectoryValue, ""));
    if (dir.empty()) {
        // The answer goes back as typed, also when blank: a blank one then
        // stops the build with a clear error instead of a search for the
        // loading program at the root, and the next build asks again.
        const std::string answer = AskVantrelDirectory();
        RegWriteString(hkLocalMachine, VantrelKitKey, VantrelDirectoryValue, answer);
        dir = Trim(answer);
        if (dir.empty())
            RaiseFmt("The directory of the loader program is not known: the registry value %s of "
                     "HKEY_LOCAL_MACHINE%s is blank",
                     VantrelDirectoryValue, VantrelKitKey);
    }
    return AddBackSlash(RemoveBackSlash(dir)) + LoadingProgramName;
}

void TInstall::BuildMode() {
    try {
        const std::string exe = Application.ExeName();
        const TBuildSettings settings = ReadBuildSettings(ExtractFileDir(exe));
        for (const std::string& w : settings.Warnings) {
            Log(w);
            WriteStdErr(w);
        }
        const std::string& buildDir = settings.Directory;
        SignCommand = settings.SignCommand;
        Log("Building into " + buildDir);
        if (IsVerbose()) Log("The build starts " + IntToStr(ProcessAgeMs()) + " ms after the process");
        BuildDistribution(exe, buildDir, true, "");
        Log("Build finished");
    } catch (const std::exception& e) {
        Log(std::string("Build failed: ") + e.what());
        if (Application.ExitCode == 0) Application.ExitCode = 1;
        MessageDlg(e.what(), mtError, {mbOK}, 0);
    }
    RequestTermination();
}

// ---------------------------------------------------------- the builders

// Copies Source into Dir as Name through a file component's copy operation.
// An earlier file of that name is removed first: the copy follows the
// archive component's overwrite rule, which could keep an old
// self-extracting "setup.exe" and have this build append to it again.
static void CopyIntoBuildDir(TInstall* Install, const std::string& Source, const std::string& Dir,
                             const std::string& Name) {
    const std::string dest = AddBackSlash(Dir) + Name;
    if (SameText(dest, Source)) return;
    if (FileExists(dest) && !FileDelete(dest)) RaiseFmt("Cannot replace %s", dest);
    std::unique_ptr<TInstallFile> file(new TInstallFile(Install));
    file->SetIncludeFromDir(RemoveBackSlash(ExtractFileDir(Source)));
    file->SetFileName(ExtractFileName(Source));
    file->SetDestDirType(ddAbsolute);
    file->SetDestDir(RemoveBackSlash(Dir));
    file->SetDestName(Name);
    VtrlCompress().Overwrite = owAlways;
    file->CopyFile();
    if (!FileExists(dest)) RaiseFmt("Cannot create %s", dest);
}

// ------------------------------------------------- checks before a build

namespace {

// The files of the tree below Container, depth first in helper order.
void CollectFiles(TInstallContainer* Container, std::vector<TInstallFile*>& Files) {
    for (int i = 0; i < Container->HelperCount(); ++i) {
        TInstallContainer* h = Container->Helpers(i);
        if (auto* f = As<TInstallFile>(h)) Files.push_back(f);
        else if (As<TFileContainer>(h)) CollectFiles(h, Files);
    }
}

bool InTree(TComponent* C, const TInstall* Root) {
    for (auto* h = As<TBaseHelperComponent>(C); h;) {
        TInstallContainer* up = h->Container();
        if (up == Root) return true;
        h = As<TBaseHelperComponent>(up);
    }
    return false;
}

}  // namespace

void TInstall::CheckBuildDefinition(bool SelfExtract) {
    if (TComponent* owner = Owner())
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            TComponent* c = owner->Components(i);
            if (c == this || !As<TBaseHelperComponent>(c) || InTree(c, this)) continue;
            const std::string warning =
                "Warning: " + c->Name() + " is not in the installation tree (no Container leads to the " +
                ClassName() + "): it is neither built nor installed";
            Log(warning);
            WriteStdErr(warning);
        }

    // Every file's destination resolves through the same few special
    // folders, read once.
    TPathCacheScope paths;
    std::vector<TInstallFile*> files;
    CollectFiles(this, files);
    std::vector<std::string> problems;
    auto problem = [&](TInstallFile* f, const std::string& text) { problems.push_back(f->Name() + ": " + text); };

    // The archive a file looks for at install time, worked out with a
    // stand-in loading directory, against the one the build fills.
    const std::string loadingDirectory = FLoadingDirectory, archiveFile = FArchiveFile;
    const TPathSpecifiers archiveFileType = FArchiveFileType;
    struct TRestore {
        TInstall& I;
        std::string Dir, File;
        TPathSpecifiers Type;
        ~TRestore() {
            I.FLoadingDirectory = Dir;
            I.FArchiveFile = File;
            I.FArchiveFileType = Type;
        }
    } restore{*this, loadingDirectory, archiveFile, archiveFileType};
    FLoadingDirectory = "A:\\source";
    FArchiveFileType = ddLoading;
    std::vector<std::string> layouts{"\\files.1"};
    if (SelfExtract) layouts.push_back("\\setup.exe");

    std::map<std::string, std::string> keys;  // upper-case key -> file name
    for (TInstallFile* f : files) {
        const std::string key = f->SourcePath();
        if (Trim(f->FileName()).empty()) problem(f, "the FileName property is blank");
        else if (IsDriveRelativePath(f->IncludeFromDir()))
            // It names a folder of whatever drive the build runs on, and the
            // archive key carries the build machine's folders.
            problem(f, "the source folder " + f->IncludeFromDir() +
                           " has no drive: write it relative to the definition's folder (as product\\bin) or with "
                           "its drive letter");
        else if (!FileExists(key)) problem(f, "the source file " + key + " does not exist");
        // Keys are compared with ASCII letters folded, as the archive does.
        if (key.size() > MaxSourcePath)
            problem(f, "the archive key " + key + " is longer than " + std::to_string(MaxSourcePath) +
                           " characters");
        auto [it, fresh] = keys.emplace(UpperCase(key), f->Name());
        if (!fresh) problem(f, "the archive key " + key + " is also the key of " + it->second);
        for (const std::string& layout : layouts) {
            FArchiveFile = layout;
            std::string wanted, found;
            std::string failure = FailureOf([&] {
                wanted = ExpandArchiveFile();
                found = f->ExpandArchiveFile();
            });
            if (failure.empty() && Trim(found).empty()) failure = EAIIFBlankArchiveFile(f->FileName()).what();
            if (failure.empty() && !SameText(found, wanted))
                failure = "at install time it is looked for in " + found + ", but the build puts it in " + wanted;
            if (!failure.empty()) {
                problem(f, "its archive cannot be found at install time: " + failure);
                break;
            }
        }
        std::string dest;
        std::string failure = FailureOf([&] { dest = f->ExpandDestDir(); });
        if (failure.empty() && Trim(dest).empty()) failure = "it is blank";
        else if (failure.empty() && !IsFullPath(dest))
            failure = dest + " is not a full path: give DestDirType a path specifier";
        if (!failure.empty()) problem(f, "its destination cannot be resolved: " + failure);
    }
    // What the links, the folders and the pages would stop at during the
    // install, for every component that takes part: those in the tree, and
    // the pages, which their wizards show wherever they stand.
    if (TComponent* owner = Owner())
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            auto* h = As<TBaseHelperComponent>(owner->Components(i));
            if (!h || (!InTree(h, this) && !As<TCustomBaseInstallDlg>(h))) continue;
            std::vector<std::string> own;
            h->CheckDefinition(own);
            for (const std::string& p : own) problems.push_back(h->Name() + ": " + p);
        }
    if (problems.empty()) return;
    std::string text = "The definition cannot be built:";
    for (const std::string& p : problems) text += "\r\n" + p;
    throw Exception(text);
}

void TInstall::BuildDistribution(const std::string& ExeName, const std::string& BuildDir, bool SelfExtract,
                                 const std::string& Title) {
    // The build runs in the program's folder: a relative IncludeFromDir is
    // read from there, wherever the build was started from, so that a
    // definition and its product travel together with no drive letter in
    // the definition. The key of such a file is the relative path as
    // written, and the program's own key in "setup.1" is its name there.
    const std::string programDir = ExtractFileDir(ExeName);
    if (!programDir.empty() && !SetCurrentDirectoryA(programDir.c_str()))
        throw Exception("Cannot change to the folder " + programDir + ": " + SysErrorMessage(GetLastOSError()));
    {
        TPhaseTimer timer("checking the definition");
        try {
            CheckBuildDefinition(SelfExtract);
        } catch (const Exception& e) {
            // Each problem at the author's file and line, where the
            // definition's line marks tell them.
            const TIM* module = As<TIM>(Owner());
            if (!module || module->Places().empty() || e.Message.find("\r\n") == std::string::npos) throw;
            std::string text = e.Message.substr(0, e.Message.find("\r\n"));
            for (const std::string& p : PlacedBuildProblems(e.Message, *module, module->Places(), ""))
                text += "\r\n" + p;
            throw Exception(text);
        }
    }
    const std::string dir = RemoveBackSlash(BuildDir);
    if (!ForceDirectories(dir)) RaiseFmt("Cannot create the build directory %s", dir);
    // A build that fails leaves no distribution that looks complete: what it
    // wrote is removed again.
    std::vector<std::string> outputs{AddBackSlash(dir) + "setup.1", AddBackSlash(dir) + "files.1",
                                     AddBackSlash(dir) + (FUseLoadingProgram ? std::string("setup.exe")
                                                                              : ExtractFileName(ExeName))};
    try {
        WriteDistribution(ExeName, dir, SelfExtract, Title);
    } catch (...) {
        for (const std::string& o : outputs)
            if (!SameText(o, ExeName)) FileDelete(o);
        throw;
    }
}

void TInstall::WriteDistribution(const std::string& ExeName, const std::string& dir, bool SelfExtract,
                                 const std::string& Title) {
    // Every source's version is asked for by the definition's facts and
    // again by the archive's record of it.
    TVersionCacheScope versions;
    std::vector<TInstallFile*> files;
    CollectFiles(this, files);

    // What the setup archive needs is checked before the long pass; the
    // archive itself is written after it, when its members, deflated on a
    // core of their own from the start, are ready: written first, the pass
    // would wait for the setup program's deflating, which one thread does.
    std::string loader;
    if (FUseLoadingProgram) {
        CheckSetupExecutable(ExeName);
        loader = FindLoadingProgram();
        if (!FileExists(loader)) RaiseFmt("The loader program %s was not found", loader);
    } else if (SelfExtract) {
        RaiseFmt("Cannot build a stand alone executable if the UseLoadingProgram property of the TInstall is "
                 "set to False");
    }

    // With a signing command, the setup program and the uninstall programs
    // go into the archives signed: signed copies are made first, and the
    // archives read those under the programs' own keys. The author's files
    // stay as they are.
    std::unique_ptr<TProgramSigner> signer;
    struct TSubstitutes {
        TVtrlCompress& Archive;
        ~TSubstitutes() { Archive.SourceFiles.Clear(); }
    } substitutes{VtrlCompress()};
    const std::string setupExe =
        AddBackSlash(dir) + (FUseLoadingProgram ? std::string("setup.exe") : ExtractFileName(ExeName));
    if (!Trim(SignCommand).empty()) {
        if (SameText(setupExe, ExeName))
            RaiseFmt("Cannot sign %s: it is the running setup program. Build into another directory", setupExe);
        TPhaseTimer timer("signing the programs");
        signer = std::make_unique<TProgramSigner>(Trim(SignCommand), [](const std::string& Text) { Log(Text); });
        if (FUseLoadingProgram)
            VtrlCompress().SourceFiles.Set(SetupArchiveSources(ExeName).front(), signer->SignedCopy(ExeName));
        for (TInstallFile* f : files) {
            const std::string key = f->SourcePath();
            if (As<TUninstallEXE>(f) && VtrlCompress().SourceFiles.FileOf(key) == key)
                VtrlCompress().SourceFiles.Set(key, signer->SignedCopy(key));
        }
    }

    // Deflating dominates a build: the members of both archives are
    // deflated on every core ahead of the passes, which write them in their
    // own order, so each archive is the one a single thread writes. The
    // scope empties the cache when the build ends or fails.
    std::vector<TPrecompressMember> members;
    const TCompressionLevel level = VtrlCompress().CompressionLevel;
    if (FUseLoadingProgram)
        for (const std::string& source : SetupArchiveSources(ExeName)) members.push_back({source, level});
    for (TInstallFile* f : files) members.push_back({f->SourcePath(), level});
    TPrecompressScope precompressed(VtrlCompress(), members);

    // "files.1": every file of the definition, whatever its Include and
    // install types, in a fresh archive.
    const TPathSpecifiers archiveFileType = FArchiveFileType;
    const std::string archiveFile = FArchiveFile;
    const TlzhCommand addToArchive = FAddToArchive;
    const bool include = FInclude;
    auto restore = [&] {
        FArchiveFileType = archiveFileType;
        FArchiveFile = archiveFile;
        FAddToArchive = addToArchive;
        FInclude = include;
    };
    const std::string filesArchive = AddBackSlash(dir) + "files.1";
    FArchiveFileType = ddAbsolute;
    FArchiveFile = filesArchive;
    FAddToArchive = lzcOverwrite;
    FInclude = true;
    try {
        {
            TPhaseTimer timer("the compress pass");
            Compress(true);
        }
        if (IsVerbose())
            if (const TPrecompressCache* cache = VtrlCompress().Precompressed())
                Log("Members deflated ahead: " + IntToStr(cache->Hits()) + ", by the pass: " +
                    IntToStr(cache->Misses()) + " (" + IntToStr(PrecompressThreads()) + " threads)");
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (!FileExists(filesArchive)) WriteEmptyArchive(filesArchive);

    if (FUseLoadingProgram) {
        BuildSetupExecutable(dir, ExeName);
        CopyIntoBuildDir(this, loader, dir, "setup.exe");
    } else {
        CopyIntoBuildDir(this, ExeName, dir, ExtractFileName(ExeName));
    }

    {
        TPhaseTimer timer("appending the archives");
        if (SelfExtract) AppendArchives(setupExe, AddBackSlash(dir) + "setup.1", filesArchive, Title);
    }
    if (signer) {
        TPhaseTimer timer("signing the setup program");
        signer->SignInPlace(setupExe);
        // The signer must have left the archives where they can be found.
        if (SelfExtract) CheckedTrailer(setupExe);
    }
}

void AppendArchives(const std::string& SetupExe, const std::string& SetupArchive, const std::string& FilesArchive,
                    const std::string& Title) {
    TFileHandleOwner out(FileOpenReadWrite(SetupExe));
    if (!out.Valid()) RaiseFmt("Cannot open %s to append the archives", SetupExe);
    TExtractionInfo info;
    AppendWholeFile(out.Get(), SetupArchive, info.SetupStart, info.SetupLast);
    AppendWholeFile(out.Get(), FilesArchive, info.FilesStart, info.FilesLast);
    info.Title = Title;  // cut to 20 characters by the encoder
    const TExtractionInfoBytes trailer = EncodeExtractionInfo(info);
    if (FileWrite(out.Get(), trailer.data(), ExtractionInfoSize) != ExtractionInfoSize)
        RaiseFmt("Cannot write the self-extracting setup program. Probably not enough room");
}

std::vector<std::string> TInstall::SetupArchiveSources(const std::string& ExeName) const {
    // The setup program comes first: the loading program starts the first
    // member of "setup.1", by its name. Its key is ".\NAME", read in the
    // program's folder where the build runs: the folder the program was
    // built in is nobody's business, and two builds in two folders give
    // the same bytes.
    std::vector<std::string> sources{TInstallFile::SourceKey(".", ExtractFileName(ExeName))};
    // A presetup file named without a directory lies beside the program;
    // one named with a relative path is read from there too.
    for (const std::string& line : FPresetupFiles.Strings) {
        const std::string name = Trim(line);
        sources.push_back(IsAbsolutePath(name) ? name : TInstallFile::SourceKey(".", name));
    }
    return sources;
}

void TInstall::CheckSetupExecutable(const std::string& ExeName) const {
    if (Trim(ExeName).empty()) RaiseFmt("Cannot create setup file. Executable is blank");
    if (!FileExists(ExeName)) RaiseFmt("TInstall: Cannot find the executable file %s", ExeName);
}

void TInstall::BuildSetupExecutable(const std::string& BuildDir, const std::string& ExeName) {
    // ExeName was checked (CheckSetupExecutable) before the files pass.
    std::unique_ptr<TFileContainer> box(new TFileContainer(this));
    box->SetAddToArchive(lzcOverwrite);
    box->SetArchiveFileType(ddAbsolute);
    box->SetArchiveFile(AddBackSlash(RemoveBackSlash(BuildDir)) + "setup.1");
    TPhaseTimer timer("the setup archive");
    for (const std::string& source : SetupArchiveSources(ExeName)) {
        auto* file = new TInstallFile(box.get());
        file->SetIncludeFromDir(RemoveBackSlash(ExtractFileDir(source)));
        file->SetFileName(ExtractFileName(source));
        file->SetContainer(box.get());
    }
    box->Compress(true);
}

}  // namespace vtrl
