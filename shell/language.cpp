#include "shell/language.h"

#include "platform/debug.h"
#include "shell/fonts.h"
#include "ui/paint_manager.h"
#include "ui/resource_manager.h"

namespace {
constexpr const wchar_t* kLanguageValue = L"LANGUAGE";
}

CLanguageSettings::CLanguageSettings(CRegistryStore& store, std::wstring listFile)
    : m_store(store), m_listFile(std::move(listFile)) {}

size_t CLanguageSettings::ReadLanguageIndex() const {
    if (!m_store.KeyExists(AppRegistryKey())) {
        return 0;
    }
    const uint32_t id = m_store.ReadDword(AppRegistryKey(), kLanguageValue).value_or(kDefaultLanguageId);
    return LanguageIndexForId(ReadLanguageList(m_listFile), id);
}

void CLanguageSettings::ApplyLanguage(size_t index) {
    if (m_current == index) {
        return;
    }
    if (const auto face = FontFaceForLanguage(index, m_current)) {
        CPaintManagerUI::RemoveAllFonts();
        RegisterFontTable(*face);
    }
    m_current = index;
    const auto list = ReadLanguageList(m_listFile);
    if (index < list.size()) {
        CResourceManager& resources = CResourceManager::Instance();
        resources.SetLanguage(list[index].name);
        if (!list[index].file.empty()) {
            resources.LoadLanguage(list[index].file);
        }
        resources.ReloadText();
        StoreLanguageId(list[index].id);
    }
    if (m_afterApply) {
        m_afterApply();
    }
}

bool CLanguageSettings::StoreLanguageId(uint32_t id) {
    if (!m_store.WriteDword(AppRegistryKey(), kLanguageValue, id)) {
        return false;
    }
    DebugLine(L"写成功！");
    return true;
}
