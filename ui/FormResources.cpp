// Reading a form from its form text, a resource of the program. In a module
// of its own: only the programs that read form texts link every control
// class a form text may name.
#include <windows.h>

#include "Buttons.h"
#include "ComCtrls.h"
#include "DefinitionText.h"
#include "ExtCtrls.h"
#include "FileDialogs.h"
#include "Forms.h"
#include "Grids.h"
#include "MPlayer.h"
#include "StdCtrls.h"

namespace vtrl {

namespace {

// Every class a form text may name. A class registers itself when its
// module is linked in; naming them here links in those that no code of a
// program names (a form text is read by class name).
const TClassInfo* const FormClasses[] = {
    &TLabel::StaticClass(),      &TButton::StaticClass(),      &TCheckBox::StaticClass(),
    &TRadioButton::StaticClass(), &TEdit::StaticClass(),       &TMemo::StaticClass(),
    &TListBox::StaticClass(),    &TProgressBar::StaticClass(), &TPanel::StaticClass(),
    &TGroupBox::StaticClass(),   &TBevel::StaticClass(),       &TBitBtn::StaticClass(),
    &TImage::StaticClass(),      &TRadioGroup::StaticClass(),  &TTimer::StaticClass(),
    &TStringGrid::StaticClass(), &TTreeView::StaticClass(),    &TTabControl::StaticClass(),
    &TAnimate::StaticClass(),    &TImageList::StaticClass(),   &TOpenDialog::StaticClass(),
    &TMediaPlayer::StaticClass(),
};

}  // namespace

void TForm::ReadFormResource(const std::string& ResourceName) {
    (void)FormClasses;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, ResourceName.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) throw Exception("The program has no form resource " + ResourceName);
    std::string_view text(data, SizeofResource(module, found));
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    ReadComponentText(text, this, ResourceName);
}

}  // namespace vtrl
