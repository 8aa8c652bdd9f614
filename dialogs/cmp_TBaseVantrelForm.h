// The base of every form of the wizard: a form that knows the language its
// texts are in and follows the main translator when the language changes.
#pragma once

#include "Forms.h"
#include "cmp_TTranslator.h"

namespace vtrl {

class TInstallContainer;

class TBaseVantrelForm : public TForm, public TLanguageFollower {
    VTRL_CLASS(TBaseVantrelForm)
public:
    explicit TBaseVantrelForm(TComponent* AOwner);
    ~TBaseVantrelForm() override;

    // Give the form the font of the target language.
    bool AutoSetFont = true;
    // Translate the form's texts.
    bool AutoTranslate = true;
    // The install component the form shows or changes (set by its dialog
    // component, or chosen by the page itself).
    TInstallContainer* Container = nullptr;
    // The language the form's texts are in now; each translation updates it.
    TVtrlLanguage FormLanguage = ylEnglish;
    // Translate into TranslateIntoLanguage instead of the main translator's
    // language.
    bool OverrideMainTranslator = false;
    TVtrlLanguage TranslateIntoLanguage = ylUser;

    // The main translator's language changed: translates the form again.
    void LanguageChanged() override;
    // Fills the controls from what the form shows; pages override it.
    virtual void SetupControls() {}
    // Sets the font and translates the texts as the fields above ask, then
    // processes pending messages so that the new texts are painted.
    virtual void TranslateForm();
};

// The file Name in the running setup program's own folder, where its
// presetup files (the movie, the music) lie.
std::string BesideProgram(const std::string& Name);

class TButton;
// Gives a Cancel bit button the program's "CANCELGLYPH" picture; a program
// without it (or a plain button) shows the caption alone.
void LoadCancelGlyph(TButton* Button);

}  // namespace vtrl
