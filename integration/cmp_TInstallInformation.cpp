// The product's identity record.
#include "cmp_TInstallInformation.h"

namespace vtrl {

// The three texts are always written: their defaults are placeholders
// that a definition is expected to replace.
VTRL_IMPLEMENT_CLASS(TInstallInformation, TPersistent, [](TClassBuilder<TInstallInformation>& b) {
    b.String("CompanyName", &TInstallInformation::CompanyName, &TInstallInformation::SetCompanyName, true)
        .String("ProductName", &TInstallInformation::ProductName, &TInstallInformation::SetProductName, true)
        .String("Version", &TInstallInformation::Version, &TInstallInformation::SetVersion, true);
})

}  // namespace vtrl
