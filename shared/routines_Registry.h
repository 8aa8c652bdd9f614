// Registry access shared by setup and uninstall: root selection, the registry
// object with its key operations, and the one-call routines RegWriteString,
// RegWriteInteger and RegReadString that every writer of the uninstall record uses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Classes.h"
#include "SysUtils.h"

namespace vtrl {

// The predefined root keys, by ordinal. The ordinal is what definitions and
// the uninstall record ("Root") store, so the order never changes.
VTRL_ENUM(TRootKeys, hkClassesRoot, hkCurrentConfig, hkCurrentUser, hkDynData, hkLocalMachine,
          hkUsers)

// A key could not be created or a value could not be written by
// RegWriteString / RegWriteInteger. Derives directly from Exception.
class EIRCannotWriteValue : public Exception {
public:
    using Exception::Exception;
};

// Any other failure of the registry object (a value of the wrong type, a
// failed write or delete); the message names the key, the value and the
// Windows error text.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// The HKEY of a root ordinal (0-5), or null for any other ordinal.
HKEY RootKeyHandle(int RootKey);

// Removes one leading backslash: "\Software\X" -> "Software\X". Paths in the
// kit are written from the root with a leading backslash; the system's calls
// take them without it.
std::string_view StripLeadingBackslash(std::string_view Path);

// Move-only owner of one opened registry key; closes it when destroyed.
// Never holds a predefined root key (those are not ours to close).
class TRegKeyHandle {
public:
    TRegKeyHandle() = default;
    explicit TRegKeyHandle(HKEY Key) : Key_(Key) {}
    TRegKeyHandle(TRegKeyHandle&& o) noexcept : Key_(o.Release()) {}
    TRegKeyHandle& operator=(TRegKeyHandle&& o) noexcept;
    TRegKeyHandle(const TRegKeyHandle&) = delete;
    TRegKeyHandle& operator=(const TRegKeyHandle&) = delete;
    ~TRegKeyHandle() { Close(); }

    HKEY Get() const { return Key_; }
    explicit operator bool() const { return Key_ != nullptr; }
    HKEY Release() {
        HKEY k = Key_;
        Key_ = nullptr;
        return k;
    }
    void Close();

private:
    HKEY Key_ = nullptr;
};

// The registry object: a root key and at most one open key below it.
// Key paths with a leading backslash are absolute from the root; without it
// they are relative to the open key (or to the root when none is open).
// Value operations act on the open key (or on the root when none is open).
class TRegistry {
public:
    TRegistry() = default;  // root HKEY_CURRENT_USER, no key open
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return Root_; }
    // Closes the open key and selects another root.
    void SetRootKey(HKEY Root);
    // Path of the open key from the root, without a leading backslash; empty
    // when no key is open.
    const std::string& CurrentPath() const { return Path_; }
    bool HasCurrentKey() const { return static_cast<bool>(Current_); }

    // Opens Key for reading and writing, creating it (and its missing parents)
    // when CanCreate. Returns false when it cannot be opened or created; the
    // previously open key then stays open.
    [[nodiscard]] bool OpenKey(std::string_view Key, bool CanCreate);
    // Opens Key for reading only, never creating it. False as OpenKey.
    [[nodiscard]] bool OpenKeyReadOnly(std::string_view Key);
    void CloseKey();

    // True when Key exists and can be opened for reading; changes nothing.
    bool KeyExists(std::string_view Key) const;
    // Deletes Key with every key below it, depth first. Returns false when
    // Key did not exist or a part of it could not be deleted (keys deleted
    // before the failure stay deleted), and for an empty Key, which would name
    // the open key or the root itself. The open key is closed first when it
    // is Key or lies below it.
    [[nodiscard]] bool DeleteKey(std::string_view Key);
    // Names of the sub-keys of the open key, in the system's order.
    // Raises ERegistryException when they cannot be listed.
    std::vector<std::string> GetKeyNames() const;
    // Names of the values of the open key, in the system's order ("" for the
    // unnamed default value). Raises ERegistryException when they cannot be listed.
    std::vector<std::string> GetValueNames() const;

    bool ValueExists(std::string_view Name) const;
    // String value (REG_SZ or REG_EXPAND_SZ, not expanded), cut at its first
    // NUL. A missing value gives ""; another type raises ERegistryException.
    std::string ReadString(std::string_view Name) const;
    // 32-bit integer value (REG_DWORD). Missing or another type raises
    // ERegistryException.
    int32_t ReadInteger(std::string_view Name) const;
    // As the reads above, but false instead of an exception (and Value unchanged).
    [[nodiscard]] bool TryReadString(std::string_view Name, std::string& Value) const;
    [[nodiscard]] bool TryReadInteger(std::string_view Name, int32_t& Value) const;

    // Writes a REG_SZ / REG_DWORD value; raises ERegistryException on failure.
    void WriteString(std::string_view Name, std::string_view Value);
    void WriteInteger(std::string_view Name, int32_t Value);
    // Deletes a value. Returns false when it did not exist or could not be deleted.
    [[nodiscard]] bool DeleteValue(std::string_view Name);

private:
    HKEY Base() const { return Current_ ? Current_.Get() : Root_; }
    // Full path from the root of Key (absolute or relative to the open key).
    std::string FullPath(std::string_view Key) const;
    bool Open(std::string_view Key, bool CanCreate, REGSAM Access);
    std::string Describe(std::string_view Name) const;

    HKEY Root_ = HKEY_CURRENT_USER;
    TRegKeyHandle Current_;
    std::string Path_;
};

// Selects the root of Reg by ordinal: bit 7 of RootKey is ignored; ordinals
// 0-5 select the TRootKeys root, any other value leaves the root unchanged.
void SelectRootKey(TRegistry& Reg, int RootKey);

// Opens Key under the root RootKey, creating it if missing, and writes the
// string value Ident = Value. Raises EIRCannotWriteValue with
// "Cannot install into registry. Key: %s Ident: %s Value %s" when the key
// cannot be opened or the value cannot be written.
void RegWriteString(int RootKey, std::string_view Key, std::string_view Ident,
                    std::string_view Value);
// RegWriteString's write through Reg, whose key Key is open when KeyOpen:
// raises the same EIRCannotWriteValue when the key is not open or the write
// fails. For callers that write several values through one open key.
void RegWriteStringTo(TRegistry& Reg, bool KeyOpen, std::string_view Key, std::string_view Ident,
                      std::string_view Value);
// As RegWriteString for a 32-bit integer value; the EIRCannotWriteValue
// message is the key path alone.
void RegWriteInteger(int RootKey, std::string_view Key, std::string_view Ident, int32_t Value);
// The string value Ident of Key, or Default when the key does not exist,
// cannot be opened for reading, lacks the value or the read fails. Never
// raises for a missing key or value and never creates the key.
std::string RegReadString(int RootKey, std::string_view Key, std::string_view Ident,
                          std::string_view Default);

}  // namespace vtrl
