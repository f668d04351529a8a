#include "shell/fonts.h"

#include <vector>

#include "platform/folders.h"
#include "ui/paint_manager.h"

namespace {
std::vector<int> g_fonts;  // handles, in load order

const wchar_t* const kPrivateFonts[] = {
    L"Font/Simplified_Chinese.ttf",
    L"Font/Halbard-Regular.otf",
    L"Font/NotoSansThai-Regular.ttf",
    L"Font/NotoSansCJKtc-Regular.otf",
};

struct FontRow {
    int id;
    int size;
    bool bold;
    bool underline;
};
constexpr FontRow kFontTable[] = {
    {0, 15, false, false}, {1, 14, false, true},  {2, 18, false, false},  {3, 30, false, false},
    {4, 16, false, false}, {5, 20, false, false}, {6, 22, false, false},  {7, 14, false, false},
    {8, 12, false, false}, {9, 11, false, false}, {10, 10, false, false}, {11, 28, false, false},
    {50, 18, true, false},
};
constexpr int kDefaultFontSize = 14;
}  // namespace

void LoadPrivateFonts() {
    for (const wchar_t* file : kPrivateFonts) {
        const int handle = CPaintManagerUI::LoadPrivateFont(ProgramFolder() + L"/" + file);
        if (handle > 0) {
            g_fonts.push_back(handle);
        }
    }
}

void UnloadPrivateFonts() {
    for (auto it = g_fonts.rbegin(); it != g_fonts.rend(); ++it) {
        CPaintManagerUI::UnloadPrivateFont(*it);
    }
    g_fonts.clear();
}

void RegisterFontTable(const std::wstring& face) {
    CPaintManagerUI::SetDefaultFont(TFontInfoUI{face, kDefaultFontSize, false, false, false});
    for (const FontRow& row : kFontTable) {
        CPaintManagerUI::AddFont(row.id, TFontInfoUI{face, row.size, row.bold, row.underline, false});
    }
}
