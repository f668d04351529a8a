#include "config/registry_store.h"

#include <filesystem>

#include "config/json_access.h"
#include "config/json_file.h"
#include "platform/app_identity.h"
#include "platform/folders.h"

CRegistryStore::CRegistryStore(std::wstring file) : m_file(std::move(file)) {}

CRegistryStore::CRegistryStore() : CRegistryStore(ConfigFolder() + L"/registry.json") {}

std::wstring AppRegistryKey() {
    return std::wstring(L"SOFTWARE\\") + kAppIdentity;
}

bool CRegistryStore::KeyExists(const std::wstring& key) const {
    return LoadJsonFile(m_file)[WideToUtf8(key)].isObject();
}

bool CRegistryStore::CreateKey(const std::wstring& key) {
    Json::Value root = LoadJsonFile(m_file);
    if (root[WideToUtf8(key)].isObject()) {
        return true;
    }
    if (!root.isObject()) {
        root = Json::Value(Json::objectValue);
    }
    root[WideToUtf8(key)] = Json::Value(Json::objectValue);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_file).parent_path(), ignored);
    return WriteJsonFile(m_file, root) == 1;
}

std::optional<uint32_t> CRegistryStore::ReadDword(const std::wstring& key, const std::wstring& value) const {
    const Json::Value root = LoadJsonFile(m_file);
    const Json::Value& data = MemberOf(MemberOf(root, WideToUtf8(key).c_str()), WideToUtf8(value).c_str());
    if (!data.isIntegral()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(JsonInt(data));
}

bool CRegistryStore::WriteDword(const std::wstring& key, const std::wstring& value, uint32_t data) {
    Json::Value root = LoadJsonFile(m_file);
    Json::Value& k = root[WideToUtf8(key)];
    if (!k.isObject()) {
        return false;  // a missing key is not created by a write
    }
    k[WideToUtf8(value)] = data;
    return WriteJsonFile(m_file, root) == 1;
}
