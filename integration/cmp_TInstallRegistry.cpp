// Registry entries: the key's forms, the rules that keep a chain of parent
// keys sound, writing the values and recording them for removal.
#include "cmp_TInstallRegistry.h"

#include "Unattended.h"
#include "exceptions_Vantrel.h"
#include "routines_ExpandPaths.h"
#include "routines_UninstallRecord.h"
#include "types_Installation.h"
#include "types_Vantrel.h"

namespace vtrl {

namespace {

// The name and the value of an entry line, split at its first "="; false
// for a line without one.
bool SplitEntry(const std::string& Line, std::string& Ident, std::string& Value) {
    const size_t eq = Line.find('=');
    if (eq == std::string::npos) return false;
    Ident = Line.substr(0, eq);
    Value = Line.substr(eq + 1);
    return true;
}

bool NamesTheProduct(TKeySpecifier Type) {
    return Type == ksCompanyName || Type == ksProductName || Type == ksVersion;
}

}  // namespace

// ------------------------------------------------------------- the base

VTRL_IMPLEMENT_CLASS(TCustomInstallRegistry, TBaseHelperComponent, [](TClassBuilder<TCustomInstallRegistry>& b) {
    b.Strings("Entries", &TCustomInstallRegistry::Entries, &TCustomInstallRegistry::SetEntries)
        .String("Key", &TCustomInstallRegistry::Key, &TCustomInstallRegistry::SetKey, true)
        .Enum<TRootKeys>("RootKey", &TCustomInstallRegistry::RootKey, &TCustomInstallRegistry::SetRootKey,
                         hkLocalMachine)
        .Event("OnAfterProcess", &TInstallContainer::OnAfterProcess)
        .Event("OnBeforeProcess", &TInstallContainer::OnBeforeProcess)
        .Event("OnBeforeWriteEntry", &TCustomInstallRegistry::OnBeforeWriteEntry);
})

TCustomInstallRegistry::TCustomInstallRegistry(TComponent* AOwner) : TBaseHelperComponent(AOwner) {
    FRank = rkRegistry;
    FProcessWithContainer = true;
}

std::string TCustomInstallRegistry::ExpandedKey() const { return RemoveBackSlash(FKey); }

void TCustomInstallRegistry::ProcessHelpers() {
    const std::string key = ExpandedKey();
    TRegistry reg;
    SelectRootKey(reg, RootKey());
    if (!reg.OpenKey(key, true)) RaiseFmt("Cannot open the %s key in the registry", key);
    for (int i = 0; i < FEntries.Count(); ++i) {
        std::string ident, value;
        if (!SplitEntry(FEntries[i], ident, value)) continue;
        bool go = true;
        if (OnBeforeWriteEntry) OnBeforeWriteEntry(this, ident, value, go);
        if (!go) continue;
        const std::string name = ExpandMetaVariables(ident, this);
        reg.WriteString(name, ExpandMetaVariables(value, this));
        Log("Registry value " + key + " | " + name);
    }
    TBaseHelperComponent::ProcessHelpers();
}

void TCustomInstallRegistry::WriteUninstallInfo(const std::string& Base) {
    // Installing again writes the same key again: its entry takes the
    // values once more instead of a second entry listing it.
    const std::string entry = RegistryKeysEntry(Base, ExpandedKey(), static_cast<int32_t>(RootKey()) & ~0x80);
    // The record lists every entry, also one a handler kept from being
    // written: it is built from Entries alone.
    for (int i = 0; i < FEntries.Count(); ++i) {
        std::string ident, value;
        if (!SplitEntry(FEntries[i], ident, value)) continue;
        RegWriteString(hkLocalMachine, entry + "\\Entries", ExpandMetaVariables(ident, this),
                       ExpandMetaVariables(value, this));
    }
}

void TCustomInstallRegistry::CheckDefinition(std::vector<std::string>& Problems) {
    const std::string failure = FailureOf([&] { (void)ExpandedKey(); });
    if (!failure.empty()) Problems.push_back("its key cannot be expanded: " + failure);
}

// ------------------------------------------------------------ the class

VTRL_IMPLEMENT_CLASS(TInstallRegistry, TCustomInstallRegistry, [](TClassBuilder<TInstallRegistry>& b) {
    b.Set<TInstallType>("InstallTypes", &TInstallContainer::InstallTypes, &TInstallContainer::SetInstallTypes,
                        TInstallTypes{itAlways})
        .Enum<TKeySpecifier>("KeySpecifierType", &TInstallRegistry::KeySpecifierType,
                             &TInstallRegistry::SetKeySpecifierType, ksAbsolute)
        .Reference<TInstallRegistry>("ParentKey", &TInstallRegistry::ParentKey, &TInstallRegistry::SetParentKey);
})

TInstallRegistry::TInstallRegistry(TComponent* AOwner) : TCustomInstallRegistry(AOwner) {}

TInstallRegistry::~TInstallRegistry() {
    if (FParentKey) RemoveFreeNotification(FParentKey);
}

// A parent that goes tells its children through its free notices (each
// child asked for them when it took the parent): they are left without a
// parent, and a key below it becomes absolute.
void TInstallRegistry::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomInstallRegistry::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FParentKey) {
        FParentKey = nullptr;
        if (FKeySpecifierType == ksParentKeyKey) FKeySpecifierType = ksAbsolute;
    }
}

void TInstallRegistry::SetKeySpecifierType(TKeySpecifier Value) {
    if (Loading()) {
        FKeySpecifierType = Value;
        return;
    }
    if (Value == ksParentKeyKey && !FParentKey)
        RaiseFmt("Cannot set the KeySpecifier property of %s because the ParentKey property is Nil", Name());
    if (NamesTheProduct(Value)) {
        if (!Installation()) RaiseFmt("There must be a TInstall component in your project");
        FKey.clear();
        FRootKey = hkLocalMachine;
    } else if (Value != ksAbsolute && Value != ksParentKeyKey) {
        throw Exception(TranslateMessageText("That path specifier is not allowed for the KeySpecifier property for ") +
                        Name());
    }
    FKeySpecifierType = Value;
}

void TInstallRegistry::SetParentKey(TInstallRegistry* Value) {
    for (TCustomInstallRegistry* p = Value; p;) {
        auto* parent = As<TInstallRegistry>(p);
        if (!parent) RaiseFmt("There was something other than a TInstallRegistry component in the ParentKey chain");
        if (parent == this) RaiseFmt("Parent key cannot be the component");
        p = parent->FParentKey;
    }
    if (FParentKey) RemoveFreeNotification(FParentKey);
    FParentKey = Value;
    if (Value) FreeNotification(Value);
    if (!Loading() && !Value && FKeySpecifierType == ksParentKeyKey) FKeySpecifierType = ksAbsolute;
}

void TInstallRegistry::SetKey(const std::string& Value) {
    FKey = NamesTheProduct(FKeySpecifierType) ? std::string() : Value;
}

TRootKeys TInstallRegistry::RootKey() const { return FParentKey ? FParentKey->RootKey() : FRootKey; }

void TInstallRegistry::SetRootKey(TRootKeys Value) {
    if (!Loading() && FParentKey) {
        if (Value != FParentKey->RootKey()) RaiseFmt("Rootkey must be the same as the parent key's root key");
        FRootKey = FParentKey->RootKey();
        return;
    }
    FRootKey = Value;
}

std::string TInstallRegistry::ExpandedKey() const {
    switch (FKeySpecifierType) {
    case ksAbsolute: return RemoveBackSlash(FKey);
    case ksParentKeyKey:
        if (!FParentKey) RaiseFmt("Cannot expand the Key of %s because the ParentKey is Nil", Name());
        return RemoveBackSlash(RemoveBackSlash(FParentKey->ExpandedKey()) + FKey);
    case ksCompanyName:
    case ksProductName:
    case ksVersion: {
        IInstallation* install = Installation();
        if (!install) RaiseFmt("Cannot expand the Key of %s because the there is no TInstall", Name());
        std::string key = "\\SOFTWARE\\" + install->CompanyName();
        if (FKeySpecifierType != ksCompanyName) key += "\\" + install->ProductName();
        if (FKeySpecifierType == ksVersion) key += "\\" + install->ProductVersion();
        return key;
    }
    }
    RaiseFmt("That path specifier is not allowed for the Key property for %s", Name());
}

}  // namespace vtrl
