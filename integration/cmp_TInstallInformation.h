// The product's identity: names the uninstall record, registry keys and the
// main Start-menu folder.
#pragma once

#include "TypInfo.h"

namespace vtrl {

class TInstallInformation : public TPersistent {
    VTRL_CLASS(TInstallInformation)
public:
    const std::string& CompanyName() const { return FCompanyName; }
    void SetCompanyName(const std::string& v) { FCompanyName = v; }
    const std::string& ProductName() const { return FProductName; }
    void SetProductName(const std::string& v) { FProductName = v; }
    const std::string& Version() const { return FVersion; }
    void SetVersion(const std::string& v) { FVersion = v; }

private:
    std::string FCompanyName = "Default Company Name";
    std::string FProductName = "Default Product Name";
    std::string FVersion = "1.0";
};

}  // namespace vtrl
