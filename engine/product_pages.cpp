// The pages of the component kit's own installation: the music page before
// the installation and the completion page after it. They join the wizards
// of their managers by themselves once their modules are linked in, which
// naming their classes here does; only the kit's own setup program is
// built with this file.
#include "GoodInstall.h"
#include "MusicForm.h"

namespace vtrl {

extern const TClassInfo* const ProductPages[];
const TClassInfo* const ProductPages[] = {&TMusicSelectForm::StaticClass(), &TGoodInstallForm::StaticClass()};

}  // namespace vtrl
