#pragma once
// The per-user settings store that stands in for the registry: keys holding named DWORD values,
// kept in registry.json of the settings folder as {"<key>": {"<value>": number}}.
// A key must exist before values can be written to it (opening a missing key fails, as the
// program's keys are made once at first start).
#include <cstdint>
#include <optional>
#include <string>

class CRegistryStore {
public:
    // file: the store's JSON file (default: ConfigFolder() + "/registry.json").
    explicit CRegistryStore(std::wstring file);
    CRegistryStore();

    bool KeyExists(const std::wstring& key) const;
    // Creates the key when missing (and the store's folder); true when it exists afterwards.
    bool CreateKey(const std::wstring& key);
    // nullopt when the key or the value is missing, or the value is no number.
    std::optional<uint32_t> ReadDword(const std::wstring& key, const std::wstring& value) const;
    // False when the key is missing or the store cannot be written.
    bool WriteDword(const std::wstring& key, const std::wstring& value, uint32_t data);

    const std::wstring& File() const { return m_file; }

private:
    std::wstring m_file;
};

// The program's own key: "SOFTWARE\" + identity.
std::wstring AppRegistryKey();
