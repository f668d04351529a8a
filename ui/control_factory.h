#pragma once
// The process-wide control factory: classes registered by tag name, compared without case, for
// layouts to use beside the built-in tags. UI thread only.
#include <functional>
#include <map>
#include <string>
#include <string_view>

class CControlUI;

using ControlCreator = std::function<CControlUI*()>;

class CControlFactory {
public:
    static CControlFactory& Instance();
    // Registers (or replaces) the creator of a tag name.
    void RegisterControl(std::wstring_view name, ControlCreator creator);
    // A new control for a registered name, or null.
    CControlUI* CreateControl(std::wstring_view name) const;

private:
    std::map<std::wstring, ControlCreator, std::less<>> m_creators;  // lower-case names
};

// A new control of a built-in tag (Control, VerticalLayout, Button, ...), compared without case, or null.
CControlUI* CreateBuiltinControl(std::wstring_view tag);
