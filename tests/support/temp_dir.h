#pragma once
// A fresh directory below /tmp for one test, removed with everything in it afterwards. Always /tmp,
// not $TMPDIR: socket paths inside it must stay within 107 bytes.
#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir() {
        std::string pattern = "/tmp/px300-test-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string Str() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};
