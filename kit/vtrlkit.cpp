// vtrlkit: the authoring tool. It makes a product's setup program from the
// kit's setup program and the author's installation definition, with no
// compiler or resource compiler needed.
//   vtrlkit embed SETUP.EXE DEFINITION OUT.EXE
//   vtrlkit harvest DIR [--group-per-folder] [--prefix P] [--container NAME] [--output FILE]
//   vtrlkit check DEFINITION
//   vtrlkit properties (Windows build)
// Exit codes: 0 success (and --help), 1 failure (the message names the file
// and the cause), 2 wrong usage, 3 (check, native build) the definition's
// text is sound but its classes were not checked.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DefinitionText.h"
#include "FileShim.h"
#include "routines_Harvest.h"
#include "routines_PEResources.h"
#ifdef VTRLKIT_WITH_CLASSES
#include "routines_Check.h"
#endif

using namespace vtrl;

namespace {

using TArguments = std::vector<std::string>;

// A command: its name, its usage line, and the function that runs it with
// the arguments after the name. A function returns the exit code or raises
// Exception for a failure.
struct TCommand {
    const char* Name;
    const char* Usage;
    int (*Run)(const TArguments& Args);
};

// True when A and B name the same existing file (the same path, or two
// paths of one file).
bool SameFile(const std::string& A, const std::string& B) {
    if (A == B) return true;
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(A), std::filesystem::path(B), error);
}

constexpr int ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2, ExitCheckedInPart = 3;

// Writes the definition into a copy of the setup program. The output is
// written beside OUT and renamed, so a failure leaves no half-written file.
int Embed(const TArguments& Args) {
    if (Args.size() != 3) return ExitUsage;
    const std::string& setup = Args[0];
    const std::string& definition = Args[1];
    const std::string& out = Args[2];
    if (SameFile(setup, out)) throw Exception("The output " + out + " may not be the setup program itself");
    const std::string image = ReadWholeFile(setup);
#ifdef VTRLKIT_WITH_CLASSES
    // A definition the setup program could not read is not embedded.
    if (const std::vector<std::string> problems = ReadDefinitionFile(definition); !problems.empty()) {
        for (const std::string& p : problems) std::fprintf(stderr, "%s\n", p.c_str());
        throw Exception(Fmt("%s: %d %s; nothing was written", definition, static_cast<int>(problems.size()),
                            problems.size() == 1 ? "error" : "errors"));
    }
#endif
    // Included files are put in their place: the setup program reads one
    // text from its resource. Its form is checked on the way, and line
    // marks keep the places of the author's files for the build's errors.
    const std::string text = ExpandDefinitionIncludes(definition, true);
    std::string result;
    try {
        result = EmbedInstallDefinition(image, text);
    } catch (const EPEImageError& e) {
        throw Exception(setup + ": " + e.Message);
    }
    WriteWholeFile(out, result);
    return ExitSuccess;
}

// Prints the objects for every file under DIR, ready to be included, or
// writes them to the --output file, updating it when it exists. Warnings
// and the objects an update drops go to stderr.
int Harvest(const TArguments& Args) {
    THarvestOptions o;
    std::string dir, output;
    for (size_t i = 0; i < Args.size(); ++i) {
        if (Args[i] == "--group-per-folder") o.GroupPerFolder = true;
        else if (Args[i] == "--prefix" && i + 1 < Args.size()) o.Prefix = Args[++i];
        else if (Args[i] == "--container" && i + 1 < Args.size()) o.Container = Args[++i];
        else if (Args[i] == "--output" && i + 1 < Args.size() && output.empty()) output = Args[++i];
        else if (dir.empty() && Args[i].rfind("--", 0) != 0) dir = Args[i];
        else return ExitUsage;
    }
    if (dir.empty() || (output.empty() && std::find(Args.begin(), Args.end(), "--output") != Args.end()))
        return ExitUsage;
    std::vector<std::string> warnings, notes;
    std::string text;
    if (output.empty()) text = HarvestDefinition(dir, o, &warnings);
    else HarvestDefinitionFile(dir, output, o, &warnings, &notes);
    for (const std::string& w : warnings) std::fprintf(stderr, "warning: %s\n", w.c_str());
    for (const std::string& n : notes) std::fprintf(stderr, "note: %s\n", n.c_str());
    std::fwrite(text.data(), 1, text.size(), stdout);
    return ExitSuccess;
}

// Reports every problem of a definition on stderr, one a line: reader
// errors with file, line and column, then what a build would refuse. The
// Windows build knows the installation classes and checks everything; a
// native build checks the form of the texts and their includes only.
int Check(const TArguments& Args) {
    if (Args.size() != 1) return ExitUsage;
    const std::string& definition = Args[0];
#ifdef VTRLKIT_WITH_CLASSES
    const std::vector<std::string> problems = CheckDefinitionFile(definition);
    for (const std::string& p : problems) std::fprintf(stderr, "%s\n", p.c_str());
    if (!problems.empty()) {
        std::fprintf(stderr, "%s: %d %s\n", definition.c_str(), static_cast<int>(problems.size()),
                     problems.size() == 1 ? "problem" : "problems");
        return ExitFailure;
    }
    std::printf("%s: no problems found; the definition builds as it stands\n", definition.c_str());
    return ExitSuccess;
#else
    try {
        (void)ExpandDefinitionIncludes(definition);
    } catch (const EDefinitionError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return ExitFailure;
    }
    std::fprintf(stderr,
                 "%s: the text and its includes are well formed; classes, properties and the build's checks "
                 "need the Windows build of vtrlkit (run: wine vtrlkit.exe check DEF)\n",
                 definition.c_str());
    return ExitCheckedInPart;
#endif
}

#ifdef VTRLKIT_WITH_CLASSES
// Prints the reference of the installation classes' properties and their
// defaults (the authoring chapter holds it).
int Properties(const TArguments& Args) {
    if (!Args.empty()) return ExitUsage;
    const std::string text = DescribeInstallationClasses();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return ExitSuccess;
}
#endif

const TCommand Commands[] = {
    {"embed", "vtrlkit embed SETUP.EXE DEFINITION OUT.EXE   put the installation definition into a copy of SETUP.EXE",
     Embed},
    {"harvest",
     "vtrlkit harvest DIR [--group-per-folder] [--prefix P] [--container NAME] [--output FILE]   print the files "
     "under DIR as definition objects, sources relative to the current folder; with --output write them to FILE, "
     "or update FILE keeping its author's edits, sources relative to FILE's folder",
     Harvest},
    {"check",
     "vtrlkit check DEFINITION   report every problem of the definition (exit 0 only when it would build; "
     "the native build checks the text's form only and exits 3 when that is sound)",
     Check},
#ifdef VTRLKIT_WITH_CLASSES
    {"properties", "vtrlkit properties   print every property of the installation classes with its default (Markdown)",
     Properties},
#endif
};

int Usage(FILE* To) {
    std::fputs("usage:\n", To);
    for (const TCommand& c : Commands) std::fprintf(To, "  %s\n", c.Usage);
    std::fputs("exit codes: 0 success, 1 failure, 2 wrong usage, 3 checked in part (check, native build)\n", To);
    return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage(stderr);
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "/?") {
        Usage(stdout);
        return ExitSuccess;
    }
    for (const TCommand& c : Commands) {
        if (name != c.Name) continue;
        try {
            const int code = c.Run(TArguments(argv + 2, argv + argc));
            if (code == ExitUsage) std::fprintf(stderr, "usage: %s\n", c.Usage);
            return code;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "vtrlkit %s: %s\n", c.Name, e.what());
            return ExitFailure;
        }
    }
    std::fprintf(stderr, "vtrlkit: unknown command '%s'\n", name.c_str());
    return Usage(stderr);
}
