// Messages of the EAI family.
#include "exceptions_Vantrel.h"

#include "cmp_TInstallContainer.h"

namespace vtrl {

EAIICBadCompCall::EAIICBadCompCall(int32_t index, const TClassInfo* componentClass)
    : EAIIC(TranslateMessageText(
          "Bad call to the Comp procedure which returns a TBaseHelperComponent for a TInstallContainer "
          "component. The parameters are probably reversed.")),
      Index(index),
      ComponentClass(componentClass) {}

EAIICAddingNilHelperComponent::EAIICAddingNilHelperComponent(TInstallContainer* container)
    : EAIIC(TranslatedFmt("Tried to add a NIL helper component to the following container: %s",
                          container ? container->Name() : std::string())),
      Container(container) {}

EAIICCircularInstallContainer::EAIICCircularInstallContainer()
    : EAIIC(TranslateMessageText("Circular reference")) {}

EAIICCircularInstallContainer::EAIICCircularInstallContainer(const std::string& helper, const std::string& container)
    : EAIIC(TranslatedFmt("Circular reference: Tried to add: %s to %s", helper, container)) {}

#define VTRL_EAIIF_IMPL(Cls, Template) \
    Cls::Cls(const std::string& Arg) : EAIIF(TranslatedFmt(Template, Arg)) {}
VTRL_EAIIF_IMPL(EAIIFCouldNotOpenFileImage,
                "Could not open or find the following file when trying to read the Size, Date, and Version :%s")
VTRL_EAIIF_IMPL(EAIIFBlankArchiveFile,
                "Cannot either compress or decompress the following file because it's archive file property "
                "is blank. File is :%s")
VTRL_EAIIF_IMPL(EAIIFNotFileContainer,
                "The following TInstallFile component %s requires the Container property to be a component "
                "descended from the TFileContainer component")
VTRL_EAIIF_IMPL(EAIIFDLLNameConflict,
                "The following file :%s: is specified to be a Shared DLL file. To be installed on the user's "
                "system, shared DLLs must be loaded into the WININIT.INI. When the system reboots, the DLL will "
                "be installed.  However, the WININIT.INI supports only old 8.3 character filenames. Therefore, "
                "please rename the DESTNAME property of the TInstallFile component")
VTRL_EAIIF_IMPL(EAIIFDuplicateFileInGroup, "There is already a file with the name :%s")
VTRL_EAIIF_IMPL(EAIIFCannotUpdateDLLCountInRegistry, "Cannot update the DLL count for the following file :%s:")
#undef VTRL_EAIIF_IMPL

EAITwoInstallComponents::EAITwoInstallComponents()
    : EAI(TranslateMessageText(std::string("The TInstall component does not currently support the use of 2 "
                                           "TInstall components in") +
                               " the same project")) {}

EAIUserAbort::EAIUserAbort() : EAI(TranslateMessageText("Installation aborted by the user")) {}

EAICannotGetWindowsDir::EAICannotGetWindowsDir()
    : EAI("Cannot get the Windows directory for your computer. Using GetWindowsDirectory API function") {}

EAICannotGetSystemDir::EAICannotGetSystemDir()
    : EAI("Cannot get the System directory for your computer. Using GetSystemDir API function") {}

EAICannotExpandContainerDirMV::EAICannotExpandContainerDirMV(const std::string& message)
    : EAI(TranslateMessageText(message)) {}

EAICannotExpandInstallDirMV::EAICannotExpandInstallDirMV(const std::string& message)
    : EAI(TranslateMessageText(message)) {}

}  // namespace vtrl
