#pragma once
// Test helper that acts on a window as a person would: the mouse and the keyboard go through the
// window's native widget at the place of a control found by name, and the queued work that follows
// is handled before each call returns. Every action returns false when the control is missing.
#include <string_view>

#include "ui/application.h"
#include "ui/window.h"

class CMenuWnd;
class CControlUI;

// The process's toolkit application, created on first use (offscreen in tests).
CUiApplication& TestApplication();

class CUiPerson {
public:
    explicit CUiPerson(CWindowUI& window) : m_window(window) {}

    bool Click(std::wstring_view name);
    bool DoubleClick(std::wstring_view name);
    bool RightClick(std::wstring_view name);
    // Drags the slider's thumb to where the value lies.
    bool MoveSlider(std::wstring_view name, int value);
    // Clicks into the edit and types the text (the edit keeps the focus).
    bool TypeInto(std::wstring_view name, std::wstring_view text);
    // Presses a key where the keyboard focus is (the native editor of an edit, else the window).
    void PressKey(int qtKey);
    // Opens the combo's drop-down and clicks the row of the element at index.
    bool PickComboItem(std::wstring_view name, int index);
    // Clicks the list's element at index.
    bool PickListItem(std::wstring_view name, int index);
    // Clicks the item with that name in an open menu.
    static bool PickMenuItem(CMenuWnd& menu, std::wstring_view itemName);

private:
    CControlUI* Find(std::wstring_view name);

    CWindowUI& m_window;
};
