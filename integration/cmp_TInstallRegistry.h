// Registry entries an installation writes: a list of string values in one
// key, the key given absolutely, below another registry component's key,
// or from the product's company, name and version; recorded for removal.
#pragma once

#include <string>

#include "cmp_TInstallContainer.h"
#include "routines_Registry.h"

namespace vtrl {

// How a TInstallRegistry's Key is meant.
VTRL_ENUM(TKeySpecifier, ksAbsolute, ksParentKeyKey, ksCompanyName, ksProductName, ksVersion)

class TCustomInstallRegistry;
// Called before each value is written: the value's name and data as the
// entry gives them (before the meta-variables are expanded), and whether
// to write it.
using TBeforeWriteEntry = TEvent<TCustomInstallRegistry*, std::string&, std::string&, bool&>;

// Writes the lines "name=value" of Entries as string values into its key
// under its root, when it is processed with its container.
class TCustomInstallRegistry : public TBaseHelperComponent {
    VTRL_CLASS(TCustomInstallRegistry)
public:
    explicit TCustomInstallRegistry(TComponent* AOwner);

    const TStringList& Entries() const { return FEntries; }
    void SetEntries(const TStringList& Value) { FEntries = Value; }
    const std::string& Key() const { return FKey; }
    virtual void SetKey(const std::string& Value) { FKey = Value; }
    virtual TRootKeys RootKey() const { return FRootKey; }
    virtual void SetRootKey(TRootKeys Value) { FRootKey = Value; }

    // The key the values go into, from the root, with its leading
    // backslash and no trailing one.
    virtual std::string ExpandedKey() const;

    // Writes the entries, then processes the component's own helpers.
    void ProcessHelpers() override;
    // Records the expanded key, its root and every entry's expanded name
    // and value under the record's "RegistryKeys".
    void WriteUninstallInfo(const std::string& Base) override;
    // A key that does not expand.
    void CheckDefinition(std::vector<std::string>& Problems) override;

    TBeforeWriteEntry OnBeforeWriteEntry;

protected:
    TStringList FEntries;
    std::string FKey = "\\SOFTWARE\\MyStuff";
    TRootKeys FRootKey = hkLocalMachine;
};

class TInstallRegistry : public TCustomInstallRegistry {
    VTRL_CLASS(TInstallRegistry)
public:
    explicit TInstallRegistry(TComponent* AOwner);
    ~TInstallRegistry() override;

    TKeySpecifier KeySpecifierType() const { return FKeySpecifierType; }
    // Outside loading: ksParentKeyKey needs a ParentKey, the product's
    // specifiers need a TInstall and clear Key and set the root to
    // hkLocalMachine.
    void SetKeySpecifierType(TKeySpecifier Value);
    TInstallRegistry* ParentKey() const { return FParentKey; }
    // Refuses a chain that leads back to this component; setting nil
    // outside loading turns ksParentKeyKey into ksAbsolute.
    void SetParentKey(TInstallRegistry* Value);
    // Cleared for the product's specifiers.
    void SetKey(const std::string& Value) override;
    // The parent's root when there is a parent.
    TRootKeys RootKey() const override;
    // Outside loading, with a parent, only the parent's root.
    void SetRootKey(TRootKeys Value) override;
    std::string ExpandedKey() const override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TKeySpecifier FKeySpecifierType = ksAbsolute;
    TInstallRegistry* FParentKey = nullptr;
};

}  // namespace vtrl
