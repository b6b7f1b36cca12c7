#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

enum class RegistryRoot { LocalMachine, CurrentUser };

struct RegistryValue {
    std::string name;  // as stored (case preserved); empty for the key's default value
    std::string type;  // "REG_SZ", "REG_EXPAND_SZ", "REG_DWORD"
    std::string data;  // UTF-8 text; a REG_DWORD as its decimal text
};

// The registry as both programs see it. Key paths are backslash-separated below a root, written
// with or without a leading "\" ("\Software\Brenvik\Lumora"). Key and value names compare without
// regard to letter case and keep the case they were created with. Every call is one transaction.
// Implementations: the SQLite store in the prefix (Linux); nothing outside platform/ may assume it.
class Registry {
public:
    virtual ~Registry() = default;

    virtual bool KeyExists(RegistryRoot root, std::string_view key) const = 0;
    // Creates the key and any missing parents; an existing key is left as it is.
    virtual void CreateKey(RegistryRoot root, std::string_view key) = 0;
    // Empty when the key or the value does not exist. Throws Error for a value that is not a
    // string (REG_SZ or REG_EXPAND_SZ), naming it.
    virtual std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                                  std::string_view name) const = 0;
    // Writes a REG_SZ value. Throws Error naming the key when the key does not exist.
    virtual void WriteString(RegistryRoot root, std::string_view key, std::string_view name,
                             std::string_view data) = 0;
    // Writes a value of any supported type (lumoreg). Throws Error when the key does not exist
    // or the type or data is not valid.
    virtual void WriteValue(RegistryRoot root, std::string_view key,
                            const RegistryValue& value) = 0;
    // False when there was nothing to delete.
    virtual bool DeleteValue(RegistryRoot root, std::string_view key, std::string_view name) = 0;
    // Deletes the key with all its subkeys and values; false when it did not exist.
    virtual bool DeleteKey(RegistryRoot root, std::string_view key) = 0;
    // Throw Error when the key does not exist.
    virtual std::vector<RegistryValue> ListValues(RegistryRoot root,
                                                  std::string_view key) const = 0;
    virtual std::vector<std::string> ListSubkeys(RegistryRoot root, std::string_view key) const = 0;
    // The key's path as stored ("Software\Brenvik\Lumora"), without root; Error if missing.
    virtual std::string StoredKeyPath(RegistryRoot root, std::string_view key) const = 0;
};

// Opens the registry of the prefix. When the prefix has none yet, creates the prefix with what the
// operating system would have set up: HKLM "\Software\Microsoft\Windows\CurrentVersion" with
// "SystemRoot" = <prefix>/windows, its subkey "Run", HKCU "\Control Panel\Desktop", HKLM
// "\Config\0001\Display\Settings" with "Resolution" = "1024,768", and <prefix>/windows/System.
std::unique_ptr<Registry> OpenRegistry();

}  // namespace lumora
