// What the install components ask of the running installation. The single
// TInstall (above the model) implements it and registers itself here; the
// model, the file component and the record reach the installation only
// through this interface.
#pragma once

#include <string>

namespace vtrl {

class TInstallContainer;

// What an entry of the unfinished-install list asks of the continuation run
// after a restart. The numbers are stored in the registry.
enum TUnfinishedKind : int {
    ukComponent = 0,           // continue the install components of that name
    ukFile = 1,                // delete that file
    ukProgramManagerItem = 2,  // delete that item of Program Manager's "Startup" group
};

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
    // The maker's name and the product's version, as the product's
    // information gives them.
    virtual std::string CompanyName() const { return {}; }
    virtual std::string ProductVersion() const { return {}; }
    // Adds work for the continuation run after a restart to the
    // unfinished-install list: Name with its Kind. Raises
    // EIRCannotWriteValue when the list cannot be written.
    virtual void AddUnfinishedEntry(const std::string& Name, TUnfinishedKind Kind) = 0;
    // Makes a link in the start-up group that runs Target with Parameters
    // at the next logon (a shell link in the Startup folder, or a Program
    // Manager item in its group "Startup" where there are no shell links),
    // and first records it in the unfinished-install list, so that the
    // continuation run removes it. LinkName names the link and the
    // component that makes it.
    virtual void AddStartupLink(const std::string& LinkName, const std::string& Target,
                                const std::string& Parameters) = 0;
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
