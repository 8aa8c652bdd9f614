// What the install components ask of the running installation. The single
// TInstall (above the model) implements it and registers itself here; the
// model, the file component and the record reach the installation only
// through this interface.
#pragma once

#include <string>

namespace vtrl {

class TInstallContainer;

class IInstallation {
public:
    // The root of the component tree (the TInstall itself).
    virtual TInstallContainer& InstallRoot() = 0;
    // The directory the setup was loaded from: the anchor of ddLoading.
    virtual const std::string& LoadingDirectory() const = 0;
    // The main install directory: the root's expanded destination, the
    // anchor of ddMainInstallDir and of "%i".
    virtual std::string MainInstallDir() = 0;
    // The product's name, which names the uninstall record.
    virtual std::string ProductName() const = 0;
    // Adds work for the continuation run after a restart to the
    // unfinished-install list.
    virtual void AddUnfinishedEntry(const std::string& Entry) = 0;
    // True when the user's request to abort should go ahead (the
    // installation may ask its handler); pages ask it on Cancel.
    virtual bool ConfirmUserAbort() { return true; }

protected:
    ~IInstallation() = default;
};

// The running installation, or null when there is none.
IInstallation* Installation();
// Called by the TInstall: itself when it is created, null when it goes.
void SetInstallation(IInstallation* Value);

// Process-wide: a file in use could only be replaced at the next restart.
// Set by the file components, cleared by the restart page when the user
// declines, read by the run.
extern bool RestartNeeded;

}  // namespace vtrl
