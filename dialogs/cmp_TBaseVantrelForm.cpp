#include "cmp_TBaseVantrelForm.h"

#include "Buttons.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TBaseVantrelForm, TForm, [](auto&) {})

TBaseVantrelForm::TBaseVantrelForm(TComponent* AOwner) : TForm(AOwner) {
    Font()->SetCharset(0);  // ANSI: the resource fonts are the English ones
    AddLanguageFollower(this);
}

TBaseVantrelForm::~TBaseVantrelForm() { RemoveLanguageFollower(this); }

void TBaseVantrelForm::LanguageChanged() { TranslateForm(); }

void TBaseVantrelForm::TranslateForm() {
    if (AutoSetFont) {
        if (OverrideMainTranslator) MainSetFormFontFor(TranslateIntoLanguage, this);
        else MainSetFormFont(this);
    }
    if (AutoTranslate) {
        FormLanguage = OverrideMainTranslator ? MainTranslateControlsInto(FormLanguage, TranslateIntoLanguage, this)
                                              : MainTranslateControls(FormLanguage, this);
    }
    Application.ProcessMessages();
}

std::string BesideProgram(const std::string& Name) {
    return RemoveBackSlash(ExtractFileDir(Application.ExeName())) + "\\" + Name;
}

void LoadCancelGlyph(TButton* Button) {
    auto* cancel = dynamic_cast<TBitBtn*>(Button);
    if (!cancel) return;
    try {
        cancel->Glyph()->LoadFromResourceName(GetModuleHandleA(nullptr), "CANCELGLYPH");
    } catch (const Exception&) {
        // The caption alone.
    }
}

}  // namespace vtrl
