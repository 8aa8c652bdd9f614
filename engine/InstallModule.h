// The installation definition: the data module that owns every component
// of an installation, loaded from the definition embedded in the program.
#pragma once

#include <string>
#include <vector>

#include "Classes.h"
#include "DefinitionText.h"
#include "cmp_TInstall.h"

namespace vtrl {

// The root class of a shipped definition ("object IM: TIM"). It provides
// the event handlers a definition may name: those of the component kit's
// own installation, which make the kit known to the development
// environments (a definition that names none of them goes without):
//   Install1StartInstall      (OnStartInstall) finds the environments
//   Install1UserAbort         (OnUserAbort) asks whether to abort; a silent
//                             run answers yes
//   Install1Cleanup           (OnCleanup) stops the backdrop's music
//   Install1CloseCopyFileDlg  (OnCloseCopyFileDlg) after a copy that was not
//                             aborted: the help link in C++Builder's
//                             contents, then the compiling window when
//                             Delphi 3.0 is there
class TIM : public TDataModule {
    VTRL_CLASS(TIM)
public:
    explicit TIM(TComponent* AOwner);

    // Reads Text into this module: creates the components, sets their
    // properties, resolves references and ends loading. Raises
    // EDefinitionError (file, line and column) on a malformed definition.
    void LoadDefinition(std::string_view Text, std::string_view FileName);
    // As above, with include lines read through Includes (the authoring
    // tool reads a definition from its files; a setup program reads one
    // already expanded and allows no includes).
    // Places, when given, receives where each component is written; with
    // Errors the read collects every error it can step over (see
    // ReadComponentText) and still fails as a whole.
    void LoadDefinition(std::string_view Text, std::string_view FileName, const TDefinitionIncludeResolver& Includes,
                        TDefinitionPlaces* Places = nullptr, TDefinitionErrors* Errors = nullptr);
    // The module's TInstall, or null.
    TInstall* Install() const;
    // Where each component of the last read is written.
    const TDefinitionPlaces& Places() const { return FPlaces; }

    void Install1StartInstall(TComponent* Sender);
    void Install1UserAbort(TInstall* Sender, bool& QuitOut);
    void Install1Cleanup(TInstall* Sender, bool& Continue);
    void Install1CloseCopyFileDlg(TInstallContainer* Sender, bool WasAborted);

private:
    TDefinitionPlaces FPlaces;
};

// The lines of the build check's failure Message (after its heading, one
// "Name: text" each), each placed at the object of the component of Module
// that it names ("FILE(LINE:COL): Name: text"); a line that names no
// component of Places is "FileName: text", or the text itself when
// FileName is empty.
std::vector<std::string> PlacedBuildProblems(const std::string& Message, const TComponent& Module,
                                             const TDefinitionPlaces& Places, const std::string& FileName);

// The definition embedded in the running program as the resource
// RCDATA "INSTALLDEFINITION"; raises Exception when there is none.
std::string EmbeddedDefinition();

}  // namespace vtrl
