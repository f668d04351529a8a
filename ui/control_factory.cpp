#include "ui/control_factory.h"

#include "ui/attributes.h"
#include "ui/button.h"
#include "ui/color_palette.h"
#include "ui/combo.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/layouts.h"
#include "ui/list.h"
#include "ui/option.h"
#include "ui/progress.h"

CControlFactory& CControlFactory::Instance() {
    static CControlFactory instance;
    return instance;
}

void CControlFactory::RegisterControl(std::wstring_view name, ControlCreator creator) {
    m_creators[ToLower(name)] = std::move(creator);
}

CControlUI* CControlFactory::CreateControl(std::wstring_view name) const {
    const auto it = m_creators.find(ToLower(name));
    return it != m_creators.end() && it->second ? it->second() : nullptr;
}

namespace {
template <class T>
CControlUI* Make() {
    return new T;
}
}  // namespace

CControlUI* CreateBuiltinControl(std::wstring_view tag) {
    using Maker = CControlUI* (*)();
    static const std::map<std::wstring, Maker, std::less<>> kBuiltins = {
        {L"control", &Make<CControlUI>},
        {L"container", &Make<CContainerUI>},
        {L"verticallayout", &Make<CVerticalLayoutUI>},
        {L"horizontallayout", &Make<CHorizontalLayoutUI>},
        {L"tablayout", &Make<CTabLayoutUI>},
        {L"label", &Make<CLabelUI>},
        {L"text", &Make<CTextUI>},
        {L"button", &Make<CButtonUI>},
        {L"option", &Make<COptionUI>},
        {L"checkbox", &Make<CCheckBoxUI>},
        {L"edit", &Make<CEditUI>},
        {L"richedit", &Make<CRichEditUI>},
        {L"progress", &Make<CProgressUI>},
        {L"slider", &Make<CSliderUI>},
        {L"combo", &Make<CComboUI>},
        {L"list", &Make<CListUI>},
        {L"listlabelelement", &Make<CListLabelElementUI>},
        {L"listcontainerelement", &Make<CListContainerElementUI>},
        {L"colorpalette", &Make<CColorPaletteUI>},
    };
    const auto it = kBuiltins.find(ToLower(tag));
    return it != kBuiltins.end() ? it->second() : nullptr;
}
