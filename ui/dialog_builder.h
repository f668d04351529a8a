#pragma once
// Builds control trees from layout files of the skin (the dialect is described in skin/README.md).
#include <string>
#include <string_view>

class CControlUI;
class CContainerUI;
class CPaintManagerUI;

class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A new control for a tag the toolkit does not know (compare the name without case), or null.
    // It may build the control from another layout file with CDialogBuilder and this same callback.
    virtual CControlUI* CreateControl(const std::wstring& tag) = 0;
};

class CDialogBuilder {
public:
    // Builds the tree of a layout file (skin-relative or absolute) and returns its root, which the
    // caller owns; with a parent the root is added to it (and owned by it). Tags are looked up among
    // the built-in controls, then through the callback, then in the process-wide control factory; an
    // unknown tag is skipped with its children. The attributes of a <Window> root go to the manager
    // (size, limits, caption) and its <Font> elements to the font table. Null, with a debug line
    // naming the file and line, when the file cannot be read or is not well-formed XML.
    static CControlUI* Create(const std::wstring& file, IDialogBuilderCallback* callback = nullptr,
                              CPaintManagerUI* manager = nullptr, CContainerUI* parent = nullptr);
    // The same from layout text; origin names it in debug lines.
    static CControlUI* CreateFromText(std::wstring_view xml, std::wstring_view origin,
                                      IDialogBuilderCallback* callback = nullptr,
                                      CPaintManagerUI* manager = nullptr, CContainerUI* parent = nullptr);
};
