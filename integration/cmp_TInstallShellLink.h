// Start-menu folders (TShellLinkGroup) and the shortcuts in them
// (TInstallShellLink): shell link files, or Program Manager items where the
// shell has no links.
#pragma once

#include <cstdint>
#include <string>

#include "cmp_TInstallContainer.h"
#include "constants_InstallEvents.h"

namespace vtrl {

VTRL_ENUM(TShellGroupKind, gkCustom, gkMainFolder, gkMainSubFolder)
VTRL_ENUM(TShellLinkKind, lkCustom, lkMainExecutable, lkLinkToSubFolder, lkLinkInSubFolder, lkLinkInMainFolder)
VTRL_ENUM(TMethodType, mtAutoDetect, mtShellLinkInterface, mtProgramManager)

// COM could not be initialised for the calling thread; keeps the HRESULT.
class ESHELLCannotInitialize : public Exception {
public:
    explicit ESHELLCannotInitialize(int32_t Code);
    int32_t Code() const { return FCode; }

private:
    int32_t FCode;
};

class TInstallShellLink;

// A folder of the Start menu. Its folder is its expanded DestDir. One folder
// may play the main folder, one the main sub folder (GroupKind).
class TShellLinkGroup : public TBaseHelperComponent {
    VTRL_CLASS(TShellLinkGroup)
public:
    explicit TShellLinkGroup(TComponent* AOwner);

    // The last live folder of that kind, or null.
    static TShellLinkGroup* MainFolder();
    static TShellLinkGroup* MainSubFolder();

    TShellGroupKind GroupKind() const { return FGroupKind; }
    // Outside loading applies the role rules: raises Exception "Must first
    // have a TInstall component" for a main role without a TInstall, moves
    // the role links, demotes the previous holder of the role.
    void SetGroupKind(TShellGroupKind Value);
    // The main folder is always ddProgramMenuDir, the main sub folder
    // ddContainerDestDir (outside loading).
    void SetDestDirType(TPathSpecifiers Value) override;

    // Broadcasts "eccSelectFolder", creates the folder with every missing
    // parent, then processes its own helpers.
    void ProcessHelpers() override;
    // A folder whose container goes is destroyed with it.
    void ContainerDestroying(TInstallContainer* Container) override;
    // A main folder or main sub folder read with no DestDirType of its own
    // gets the one its role has (ddProgramMenuDir, ddContainerDestDir).
    void Loaded() override;
    // A folder that does not resolve to a full path.
    void CheckDefinition(std::vector<std::string>& Problems) override;

private:
    TShellGroupKind FGroupKind = gkCustom;
};

// One shortcut. The link file is ExpandDestDir + "\" + LinkName.
class TInstallShellLink : public TBaseHelperComponent {
    VTRL_CLASS(TInstallShellLink)
public:
    explicit TInstallShellLink(TComponent* AOwner);
    ~TInstallShellLink() override;

    // The last live link of that kind, or null.
    static TInstallShellLink* MainExecutableLink();
    static TInstallShellLink* LinkToSubFolder();

    // ---- properties (setters apply the design rules outside loading)
    uint16_t HotKey() const { return FHotKey; }
    void SetHotKey(uint16_t Value) { FHotKey = Value; }
    TShellLinkKind LinkKind() const { return FLinkKind; }
    void SetLinkKind(TShellLinkKind Value);
    const std::string& LinkName() const { return FLinkName; }
    // Outside loading stores Value with its extension changed to ".LNK".
    void SetLinkName(const std::string& Value);
    TMethodType Method() const { return FMethod; }
    void SetMethod(TMethodType Value) { FMethod = Value; }
    TInstallContainer* ObjectLink() const { return FObjectLink; }
    void SetObjectLink(TInstallContainer* Value);
    const std::string& ObjectLocation() const { return FObjectLocation; }
    void SetObjectLocation(const std::string& Value);
    TPathSpecifiers ObjectLocationType() const { return FObjectLocationType; }
    void SetObjectLocationType(TPathSpecifiers Value);
    const std::string& Parameters() const { return FParameters; }
    void SetParameters(const std::string& Value) { FParameters = Value; }
    void SetContainer(TInstallContainer* Value) override;
    void SetDestDirType(TPathSpecifiers Value) override;

    // The target of the link: the expanded object location. Raises Exception
    // for a missing container or ObjectLink and for a specifier the object
    // location does not accept.
    std::string ExpandObjectLocation();
    // The arguments the link passes: Parameters with the meta-variables
    // expanded; for a link to the uninstall program the product name as it
    // stands (a percent sign in the name must reach the program unchanged).
    std::string LinkArguments();
    // ExpandDestDir with a trailing backslash + LinkName.
    std::string LinkFilePath();
    // LinkFilePath, which must be full (IsFullPath): otherwise raises
    // Exception naming the link and the path, and nothing is made.
    std::string CheckedLinkFilePath();
    // The COM flag: set once a shell link was attempted for this component.
    bool ComInitialized() const { return FComInitialized; }
    // Initialises COM for the calling thread once per link; a result other
    // than S_OK or S_FALSE raises ESHELLCannotInitialize.
    void InitializeCom();

    // Makes the link (shell link file or Program Manager item), then
    // processes its own helpers.
    void ProcessHelpers() override;
    // Records the link file under the record's "Files" keys.
    void WriteUninstallInfo(const std::string& Key) override;
    // A link whose container goes is destroyed with it.
    void ContainerDestroying(TInstallContainer* Container) override;
    // A link written in its short form works: with an ObjectLink and no
    // ObjectLocation it points at the ObjectLink (ddObjectLink), in a
    // TShellLinkGroup with no destination of its own it lies in that folder
    // (ddContainerDestDir), without a LinkName it is named after its target,
    // and a LinkName gets the extension ".LNK" when it has another or none.
    void Loaded() override;
    // The rules its making and its kind impose: a name, a target that
    // resolves to a full path, a link file that does, Parameters that
    // expand, the roles its LinkKind needs.
    void CheckDefinition(std::vector<std::string>& Problems) override;

    // How the link is made: the Method, with mtAutoDetect decided by the
    // Windows platform class.
    TMethodType EffectiveMethod() const;
    // The message of a failing COM call while making the link.
    std::string ComErrorText(int32_t Code) const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ContainerChanged(TInstallContainer* NewContainer) override;

private:
    void CreateShellLink();
    void CreateProgramManagerItem();
    // Raises Exception naming this link, What and Path when Path is not full.
    void RefuseNotFullPath(const std::string& Path, const char* What) const;
    // Raises the "could not be installed" error for a failing COM call.
    [[noreturn]] void RaiseComError(int32_t Code) const;
    void DestroyLater();

    uint16_t FHotKey = 0;
    TShellLinkKind FLinkKind = lkCustom;
    std::string FLinkName;
    TMethodType FMethod = mtAutoDetect;
    TInstallContainer* FObjectLink = nullptr;
    std::string FObjectLocation;
    TPathSpecifiers FObjectLocationType = ddAbsolute;
    std::string FParameters;
    bool FComInitialized = false;
};

}  // namespace vtrl
