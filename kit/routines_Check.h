// Checking an installation definition before it is embedded (the reader's
// errors with their positions, then the checks a build makes), and the
// reference of the classes' properties. Both need the installation
// classes, so they exist only in the Windows build of vtrlkit.
#pragma once

#include <string>
#include <vector>

namespace vtrl {

// Reads the definition FileName (includes taken from the files beside it)
// into an installation module as a setup program reads it, and returns
// every problem found, one line each: "FILE(LINE:COL): text" for each error
// of the reader (which goes on after an error where it can; the build's
// checks run only on a definition that reads without one), and "FILE(LINE:COL):
// component: text" for each problem the build would refuse (sources,
// archive keys, archives, destinations), placed at the component's object
// in the file that holds it ("FILE: text", FILE the definition, where no
// object is named). An empty result means the definition builds.
// Relative source folders are taken from the definition's folder, as a
// build started from a setup program beside the definition takes them;
// the current directory is restored afterwards. Warnings that do not stop
// a build are written to stderr as they are found.
std::vector<std::string> CheckDefinitionFile(const std::string& FileName);

// The first half of the check: the errors of reading FileName with the
// installation classes (the form, classes, properties, values and
// references), without the build's checks of sources and rules.
std::vector<std::string> ReadDefinitionFile(const std::string& FileName);

// The authoring chapter's reference of the installation classes: every
// property an author may write, with the value it has when a definition
// leaves it out (see DescribePropertyDefaults).
std::string DescribeInstallationClasses();

}  // namespace vtrl
