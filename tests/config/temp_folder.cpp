#include "tests/config/temp_folder.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/text.h"

CTempFolder::CTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "px300-config-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

CTempFolder::~CTempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string CTempFolder::Utf8Path(std::string_view name) const {
    return (m_path / name).string();
}

std::wstring CTempFolder::Path(std::string_view name) const {
    return Utf8ToWide(Utf8Path(name));
}

void CTempFolder::Write(std::string_view name, std::string_view bytes) const {
    std::ofstream(Utf8Path(name), std::ios::binary) << bytes;
}

std::string CTempFolder::Read(std::string_view name) const {
    std::ifstream in(Utf8Path(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool CTempFolder::Exists(std::string_view name) const {
    return std::filesystem::exists(m_path / name);
}

std::vector<std::string> CTempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadTestData(std::string_view name) {
    std::ifstream in(std::string(PX300_SOURCE_DIR) + "/tests/config/data/" + std::string(name),
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
