// What the installation found of the development environments the kit
// registers with: whether Delphi is there, where its programs are, and
// whether the kit's package went into its palette. The completion page
// reads it to say what is left to do; the environment registration fills
// it. Until then nothing is found.
#pragma once

#include <string>

namespace vtrl {

struct TDevEnvironmentState {
    bool DelphiPresent = false;
    // The environment's program folder (where "Delphi32.EXE" is).
    std::string DelphiBinDir;
    bool PackageInstalled = false;
};

// The run's state, process-wide; "nothing found" until it is filled.
TDevEnvironmentState& DevEnvironment();

}  // namespace vtrl
