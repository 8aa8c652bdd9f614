// Registry access shared by setup and uninstall: root selection, the registry
// object with its key operations, and the one-call routines of the uninstall record.
#include "routines_Registry.h"

#include "routines_SysError.h"

namespace vtrl {

namespace {

const HKEY kRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG, HKEY_CURRENT_USER,
                       HKEY_DYN_DATA,     HKEY_LOCAL_MACHINE,  HKEY_USERS};

// Key names are at most 255 characters, value names at most 16383; in UTF-8
// a character can take up to 3 bytes of the A functions' output. Buffers
// start small and grow on ERROR_MORE_DATA up to this bound.
constexpr DWORD kMaxNameBytes = 16383 * 3 + 1;

enum class TEnumWhat { Keys, Values };

// Lists the names of the sub-keys or values of Key. Returns the first
// failing status (ERROR_SUCCESS when the list is complete).
LSTATUS EnumNames(HKEY Key, TEnumWhat What, std::vector<std::string>& Names) {
    std::vector<char> buffer(512);
    for (DWORD index = 0;; ++index) {
        LSTATUS rc;
        DWORD len;
        for (;;) {
            len = static_cast<DWORD>(buffer.size());
            rc = What == TEnumWhat::Keys
                     ? RegEnumKeyExA(Key, index, buffer.data(), &len, nullptr, nullptr, nullptr,
                                     nullptr)
                     : RegEnumValueA(Key, index, buffer.data(), &len, nullptr, nullptr, nullptr,
                                     nullptr);
            if (rc != ERROR_MORE_DATA || buffer.size() >= kMaxNameBytes) break;
            buffer.resize(kMaxNameBytes);
        }
        if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (rc != ERROR_SUCCESS) return rc;
        Names.emplace_back(buffer.data(), len);
    }
}

// Deletes Parent\Name and everything below it, sub-keys first. RegDeleteKey
// of the NT family refuses a key that still has sub-keys (the Windows 95
// family deletes the whole tree), and RegDeleteTree is newer than the systems
// the kit supports, so the tree is walked here.
LSTATUS DeleteTree(HKEY Parent, const std::string& Name) {
    HKEY raw = nullptr;
    LSTATUS rc = RegOpenKeyExA(Parent, Name.c_str(), 0, KEY_READ, &raw);
    if (rc != ERROR_SUCCESS) return rc;
    TRegKeyHandle key(raw);
    // The names are collected before deleting: deleting while enumerating
    // shifts the indices and skips keys.
    std::vector<std::string> children;
    rc = EnumNames(key.Get(), TEnumWhat::Keys, children);
    if (rc != ERROR_SUCCESS) return rc;
    for (const std::string& child : children) {
        rc = DeleteTree(key.Get(), child);
        if (rc != ERROR_SUCCESS) return rc;
    }
    key.Close();
    return RegDeleteKeyA(Parent, Name.c_str());
}

}  // namespace

HKEY RootKeyHandle(int RootKey) {
    if (RootKey < 0 || RootKey >= static_cast<int>(std::size(kRoots))) return nullptr;
    return kRoots[RootKey];
}

std::string_view StripLeadingBackslash(std::string_view Path) {
    if (!Path.empty() && Path.front() == '\\') Path.remove_prefix(1);
    return Path;
}

TRegKeyHandle& TRegKeyHandle::operator=(TRegKeyHandle&& o) noexcept {
    if (this != &o) {
        Close();
        Key_ = o.Release();
    }
    return *this;
}

void TRegKeyHandle::Close() {
    if (Key_ != nullptr) {
        RegCloseKey(Key_);
        Key_ = nullptr;
    }
}

void TRegistry::SetRootKey(HKEY Root) {
    CloseKey();
    Root_ = Root;
}

void TRegistry::CloseKey() {
    Current_.Close();
    Path_.clear();
}

std::string TRegistry::FullPath(std::string_view Key) const {
    if (!Key.empty() && Key.front() == '\\') return std::string(StripLeadingBackslash(Key));
    if (Path_.empty()) return std::string(Key);
    if (Key.empty()) return Path_;
    return Path_ + "\\" + std::string(Key);
}

bool TRegistry::Open(std::string_view Key, bool CanCreate, REGSAM Access) {
    bool absolute = !Key.empty() && Key.front() == '\\';
    HKEY from = absolute ? Root_ : Base();
    std::string sub(StripLeadingBackslash(Key));
    HKEY raw = nullptr;
    LSTATUS rc = CanCreate ? RegCreateKeyExA(from, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             Access, nullptr, &raw, nullptr)
                           : RegOpenKeyExA(from, sub.c_str(), 0, Access, &raw);
    if (rc != ERROR_SUCCESS) return false;
    std::string path = FullPath(Key);
    Current_ = TRegKeyHandle(raw);
    Path_ = std::move(path);
    return true;
}

bool TRegistry::OpenKey(std::string_view Key, bool CanCreate) {
    return Open(Key, CanCreate, KEY_READ | KEY_WRITE);
}

bool TRegistry::OpenKeyReadOnly(std::string_view Key) { return Open(Key, false, KEY_READ); }

bool TRegistry::KeyExists(std::string_view Key) const {
    bool absolute = !Key.empty() && Key.front() == '\\';
    std::string sub(StripLeadingBackslash(Key));
    HKEY raw = nullptr;
    if (RegOpenKeyExA(absolute ? Root_ : Base(), sub.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    TRegKeyHandle closer(raw);
    return true;
}

bool TRegistry::DeleteKey(std::string_view Key) {
    // An empty name would mean the open key or the root itself: refused.
    if (StripLeadingBackslash(Key).empty()) return false;
    std::string full = FullPath(Key);
    if (Current_ && (SameText(Path_, full) ||
                     (Path_.size() > full.size() && Path_[full.size()] == '\\' &&
                      SameText(std::string_view(Path_).substr(0, full.size()), full))))
        CloseKey();
    bool relative = Current_ && !(!Key.empty() && Key.front() == '\\');
    return DeleteTree(relative ? Base() : Root_, relative ? std::string(Key) : full) ==
           ERROR_SUCCESS;
}

std::vector<std::string> TRegistry::GetKeyNames() const {
    std::vector<std::string> names;
    LSTATUS rc = EnumNames(Base(), TEnumWhat::Keys, names);
    if (rc != ERROR_SUCCESS)
        throw ERegistryException("Cannot list the sub-keys of \\" + Path_ + ": " +
                                 Win32ErrorMsg("RegEnumKeyEx", rc));
    return names;
}

std::vector<std::string> TRegistry::GetValueNames() const {
    std::vector<std::string> names;
    LSTATUS rc = EnumNames(Base(), TEnumWhat::Values, names);
    if (rc != ERROR_SUCCESS)
        throw ERegistryException("Cannot list the values of \\" + Path_ + ": " +
                                 Win32ErrorMsg("RegEnumValue", rc));
    return names;
}

std::string TRegistry::Describe(std::string_view Name) const {
    return "value \"" + std::string(Name) + "\" of key \\" + Path_;
}

bool TRegistry::ValueExists(std::string_view Name) const {
    std::string name(Name);
    return RegQueryValueExA(Base(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool TRegistry::TryReadString(std::string_view Name, std::string& Value) const {
    std::string name(Name);
    std::vector<char> data(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        LSTATUS rc = RegQueryValueExA(Base(), name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
        if (rc == ERROR_MORE_DATA) {  // size now holds the length the data needs
            data.resize(size + 1);
            continue;
        }
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
        // The stored data may or may not end in a NUL (a writer may leave it
        // out); the text ends at the first NUL or at the end of the data.
        size_t len = 0;
        while (len < size && data[len] != '\0') ++len;
        Value.assign(data.data(), len);
        return true;
    }
}

std::string TRegistry::ReadString(std::string_view Name) const {
    std::string value;
    if (TryReadString(Name, value)) return value;
    if (!ValueExists(Name)) return std::string();
    throw ERegistryException("Cannot read the " + Describe(Name) + " as a string");
}

bool TRegistry::TryReadInteger(std::string_view Name, int32_t& Value) const {
    std::string name(Name);
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    LSTATUS rc = RegQueryValueExA(Base(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(&data), &size);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data)) return false;
    Value = static_cast<int32_t>(data);
    return true;
}

int32_t TRegistry::ReadInteger(std::string_view Name) const {
    int32_t value = 0;
    if (!TryReadInteger(Name, value))
        throw ERegistryException("Cannot read the " + Describe(Name) + " as an integer");
    return value;
}

void TRegistry::WriteString(std::string_view Name, std::string_view Value) {
    std::string name(Name);
    std::string value(Value);  // the stored data includes the terminating NUL
    LSTATUS rc = RegSetValueExA(Base(), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1));
    if (rc != ERROR_SUCCESS)
        throw ERegistryException("Cannot write the " + Describe(Name) + ": " +
                                 Win32ErrorMsg("RegSetValueEx", rc));
}

void TRegistry::WriteInteger(std::string_view Name, int32_t Value) {
    std::string name(Name);
    DWORD data = static_cast<DWORD>(Value);
    LSTATUS rc = RegSetValueExA(Base(), name.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&data), sizeof(data));
    if (rc != ERROR_SUCCESS)
        throw ERegistryException("Cannot write the " + Describe(Name) + ": " +
                                 Win32ErrorMsg("RegSetValueEx", rc));
}

bool TRegistry::DeleteValue(std::string_view Name) {
    std::string name(Name);
    return RegDeleteValueA(Base(), name.c_str()) == ERROR_SUCCESS;
}

void SelectRootKey(TRegistry& Reg, int RootKey) {
    if (HKEY root = RootKeyHandle(RootKey & 0x7F)) Reg.SetRootKey(root);
}

void RegWriteString(int RootKey, std::string_view Key, std::string_view Ident,
                    std::string_view Value) {
    TRegistry reg;
    SelectRootKey(reg, RootKey);
    const bool open = reg.OpenKey(Key, true);
    RegWriteStringTo(reg, open, Key, Ident, Value);
}

void RegWriteStringTo(TRegistry& Reg, bool KeyOpen, std::string_view Key, std::string_view Ident,
                      std::string_view Value) {
    bool written = KeyOpen;
    if (written) {
        try {
            Reg.WriteString(Ident, Value);
        } catch (const ERegistryException&) {
            written = false;
        }
    }
    if (!written)
        throw EIRCannotWriteValue(
            Fmt(TranslateMessageText("Cannot install into registry. Key: %s Ident: %s Value %s"),
                Key, Ident, Value));
}

void RegWriteInteger(int RootKey, std::string_view Key, std::string_view Ident, int32_t Value) {
    TRegistry reg;
    SelectRootKey(reg, RootKey);
    bool written = reg.OpenKey(Key, true);
    if (written) {
        try {
            reg.WriteInteger(Ident, Value);
        } catch (const ERegistryException&) {
            written = false;
        }
    }
    if (!written) throw EIRCannotWriteValue(std::string(Key));
}

std::string RegReadString(int RootKey, std::string_view Key, std::string_view Ident,
                          std::string_view Default) {
    TRegistry reg;
    SelectRootKey(reg, RootKey);
    std::string value(Default);
    if (reg.OpenKeyReadOnly(Key) && !reg.TryReadString(Ident, value)) value = Default;
    return value;
}

}  // namespace vtrl
