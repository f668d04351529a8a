// Language texts: controls that show keys follow a reload; bad files keep the current texts.
#include <gtest/gtest.h>

#include <QWidget>

#include "platform/debug.h"
#include "test_window.h"
#include "ui/resource_manager.h"

namespace {
TEST(Texts, ReloadingTheLanguageChangesTheTextsOfControlsThatShowKeys) {
    CTestWindow window(L"person.xml");
    OpenTestWindow(window);
    CResourceManager& texts = CResourceManager::Instance();
    CControlUI* title = window.FindControl(L"title");
    CControlUI* plain = window.FindControl(L"ok_btn");

    ASSERT_TRUE(texts.LoadLanguage(L"lang_en.xml"));
    texts.SetLanguage(L"English");
    texts.ReloadText();
    EXPECT_EQ(title->GetText(), L"Hello");
    const QImage english = window.GetHostWidget()->grab().toImage();

    ASSERT_TRUE(texts.LoadLanguage(L"lang_de.xml"));
    texts.SetLanguage(L"Deutsch");
    texts.ReloadText();
    EXPECT_EQ(texts.GetLanguage(), L"Deutsch");
    EXPECT_EQ(title->GetText(), L"Hallo");
    EXPECT_EQ(title->GetTextRaw(), L"hello_text");
    EXPECT_EQ(plain->GetText(), L"OK");  // plain text is not a key
    EXPECT_NE(window.GetHostWidget()->grab().toImage(), english);

    // A key the language lacks shows as itself.
    title->SetText(L"no_such_key");
    EXPECT_EQ(title->GetText(), L"no_such_key");
}

TEST(Texts, AnUnreadableLanguageFileKeepsTheCurrentTexts) {
    TestApplication();
    CPaintManagerUI::SetResourcePath(TestDataDir());
    CResourceManager& texts = CResourceManager::Instance();
    ASSERT_TRUE(texts.LoadLanguage(L"lang_en.xml"));
    for (const wchar_t* bad :
         {L"missing.xml", L"self_include.xml", L"images/key.svg", L"images/states.png"}) {
        EXPECT_FALSE(texts.LoadLanguage(bad));
        EXPECT_EQ(texts.GetText(L"hello_text"), L"Hello") << bad;
    }
    CDebugCapture capture;
    EXPECT_FALSE(texts.LoadLanguage(L"missing.xml"));
    EXPECT_EQ(capture.Count(L"cannot read language file"), 1u);
}
}  // namespace
