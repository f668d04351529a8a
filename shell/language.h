#pragma once
// The interface language: read from the settings store and the language list, applied to fonts and
// texts, and stored when the user picks another.
#include <functional>
#include <optional>
#include <string>

#include "config/language_list.h"
#include "config/registry_store.h"

class CLanguageSettings {
public:
    // listFile: the language list ("Language.config" of the factory data folder).
    CLanguageSettings(CRegistryStore& store, std::wstring listFile);

    // The index of the element whose id is the stored "LANGUAGE" (520 when the value is missing);
    // 0 when the key is missing or no element matches.
    size_t ReadLanguageIndex() const;
    // Fonts, texts and the stored id for the language at index; nothing when it is the current one.
    // afterApply runs last (the main window repaints and tells its child windows).
    void ApplyLanguage(size_t index);
    // Stores the id when the key exists, writing "写成功！" on success.
    bool StoreLanguageId(uint32_t id);

    std::optional<size_t> CurrentIndex() const { return m_current; }
    void SetAfterApply(std::function<void()> afterApply) { m_afterApply = std::move(afterApply); }

private:
    CRegistryStore& m_store;
    std::wstring m_listFile;
    std::optional<size_t> m_current;
    std::function<void()> m_afterApply;
};
