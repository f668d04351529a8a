#pragma once
// A fresh directory for one test's virtual devices, removed with everything in it afterwards.
// Kept short (socket paths are limited to 107 bytes).
#include <stdlib.h>

#include <filesystem>
#include <string>

class CVirtualTestDir {
public:
    CVirtualTestDir() {
        std::string pattern = "/tmp/px300v-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~CVirtualTestDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CVirtualTestDir(const CVirtualTestDir&) = delete;
    CVirtualTestDir& operator=(const CVirtualTestDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
