// The loading program's exit codes. The setup program's own exit code is
// passed on unchanged (0 installed, 1 failed, 2 cancelled by the user); the
// loader's own failures use codes the setup program never returns.
#pragma once

namespace vtrl {

// The setup program needs its files after a restart: its continuation run
// starts it again from the temporary directory, which is therefore kept
// (the value Windows Installer uses for "restart required").
inline constexpr int LoaderExitRestartNeeded = 3010;
// Neither appended archives (a self-extracting setup) nor "setup.1" beside
// the loading program.
inline constexpr int LoaderExitNoDistribution = 10;
// "setup.1" could not be unpacked (damaged or truncated archive, a damaged
// certificate table, no room or no temporary directory).
inline constexpr int LoaderExitExtractFailed = 11;
// The setup program could not be started or waited for.
inline constexpr int LoaderExitStartFailed = 12;
// A wrong command line (an unknown option, /? or /HELP): the usage is shown
// and nothing is started, the same code the setup program gives for it.
inline constexpr int LoaderExitUsage = 1;

}  // namespace vtrl
