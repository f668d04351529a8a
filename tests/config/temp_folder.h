#pragma once
// A fresh folder below the system's temporary folder, removed with its content at the end.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    std::string Utf8Path(std::string_view name) const;
    std::wstring Path(std::string_view name) const;  // as the profile objects take it
    void Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;  // empty when missing
    bool Exists(std::string_view name) const;
    std::vector<std::string> Names() const;  // sorted

private:
    std::filesystem::path m_path;
};

// The content of a file below tests/config/data.
std::string ReadTestData(std::string_view name);
