// A person clicking, selecting, dragging and typing on the controls of a window: each action gives
// the window the notifications it should, in order.
#include <gtest/gtest.h>

#include <Qt>

#include "test_window.h"
#include "ui/combo.h"
#include "ui/edit.h"
#include "ui/layouts.h"
#include "ui/list.h"
#include "ui/option.h"
#include "ui/progress.h"

namespace {
class PersonTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenTestWindow(window);
        window.log.clear();
    }

    // The log with runs of "movevaluechanged" folded into one (a drag sends one per step).
    std::vector<std::wstring> FoldedLog() const {
        std::vector<std::wstring> out;
        for (const auto& entry : window.log) {
            if (out.empty() || entry != out.back() || !entry.starts_with(L"movevaluechanged")) {
                out.push_back(entry);
            }
        }
        return out;
    }

    CTestWindow window{L"person.xml"};
    CUiPerson person{window};
};

struct ActionCase {
    const char* what;
    std::function<bool(CUiPerson&)> act;
    std::vector<std::wstring> expected;
};

TEST_F(PersonTest, EachActionSendsItsNotificationsInOrder) {
    const ActionCase cases[] = {
        {"click a button", [](CUiPerson& p) { return p.Click(L"ok_btn"); }, {L"click:ok_btn"}},
        {"click a disabled button", [](CUiPerson& p) { return p.Click(L"off_btn"); }, {}},
        {"select another option of a group",
         [](CUiPerson& p) { return p.Click(L"opt_b"); },
         {L"click:opt_b", L"selectchanged:opt_a", L"selectchanged:opt_b"}},
        {"click the selected option again", [](CUiPerson& p) { return p.Click(L"opt_b"); }, {L"click:opt_b"}},
        {"tick a check box",
         [](CUiPerson& p) { return p.Click(L"check"); },
         {L"click:check", L"selectchanged:check", L"checkclick:check"}},
        {"drag a slider",
         [](CUiPerson& p) { return p.MoveSlider(L"slider", 60); },
         {L"movevaluechanged:slider", L"valuechanged:slider"}},
        {"type into an edit and leave it by clicking a button",
         [](CUiPerson& p) { return p.TypeInto(L"edit", L"42") && p.Click(L"ok_btn"); },
         {L"setfocus:edit", L"textchanged:edit", L"textchanged:edit", L"killfocus:edit", L"click:ok_btn"}},
        {"press Enter in an edit, then Tab out of it",
         [](CUiPerson& p) {
             const bool typed = p.TypeInto(L"edit2", L"x");
             p.PressKey(Qt::Key_Return);
             p.PressKey(Qt::Key_Tab);
             return typed;
         },
         {L"setfocus:edit2", L"textchanged:edit2", L"return:edit2", L"killfocus:edit2"}},
        {"pick a combo item",
         [](CUiPerson& p) { return p.PickComboItem(L"combo", 3); },
         {L"setfocus:combo", L"itemselect:combo"}},
        {"pick a list item",
         [](CUiPerson& p) { return p.PickListItem(L"list", 1); },
         {L"killfocus:combo", L"setfocus:list", L"itemselect:list", L"itemclick:row1"}},
        {"double-click a list row",
         [](CUiPerson& p) { return p.DoubleClick(L"row0"); },
         {L"itemselect:list", L"itemclick:row0", L"itemactivate:row0", L"itemclick:row0"}},
        {"press Down in the focused list",
         [](CUiPerson& p) {
             p.PressKey(Qt::Key_Down);
             return true;
         },
         {L"itemselect:list"}},
        {"right-click a row of a list with a menu",
         [](CUiPerson& p) { return p.RightClick(L"row2_btn"); },
         {L"menu:list"}},
    };
    for (const auto& c : cases) {
        window.log.clear();
        EXPECT_TRUE(c.act(person)) << c.what;
        EXPECT_EQ(FoldedLog(), c.expected) << c.what;
    }
}

TEST_F(PersonTest, ActionsLeaveTheControlsInTheStateThePersonSaw) {
    ASSERT_TRUE(person.MoveSlider(L"slider", 60));
    EXPECT_EQ(window.FindControl<CSliderUI>(L"slider")->GetValue(), 60);

    ASSERT_TRUE(person.TypeInto(L"edit", L"4a2"));  // a number-only edit drops the letter
    ASSERT_TRUE(person.Click(L"ok_btn"));
    EXPECT_EQ(window.FindControl(L"edit")->GetText(), L"42");

    ASSERT_TRUE(person.PickComboItem(L"combo", 3));
    auto* combo = window.FindControl<CComboUI>(L"combo");
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_EQ(combo->GetText(), L"three");
    EXPECT_EQ(combo->GetItemAt(combo->GetCurSel())->GetUserData(), L"13");
    EXPECT_EQ(window.last.wParam, 3u);
    EXPECT_EQ(window.last.lParam, -1);
}

TEST_F(PersonTest, AHiddenComboItemIsNotOfferedAndCannotBeSelected) {
    auto* combo = window.FindControl<CComboUI>(L"combo");
    EXPECT_FALSE(person.PickComboItem(L"combo", 2));
    EXPECT_FALSE(combo->SelectItem(2));
    EXPECT_FALSE(combo->SelectItem(9));
    EXPECT_EQ(combo->GetCurSel(), -1);
}

TEST_F(PersonTest, AnOptionGroupKeepsOneSelectedWhateverIsClicked) {
    const wchar_t* names[] = {L"opt_a", L"opt_b", L"opt_c"};
    for (const wchar_t* clicked : {L"opt_c", L"opt_a", L"opt_b", L"opt_b"}) {
        ASSERT_TRUE(person.Click(clicked));
        int selected = 0;
        for (const wchar_t* name : names) {
            const bool on = window.FindControl<COptionUI>(name)->IsSelected();
            selected += on ? 1 : 0;
            EXPECT_EQ(on, std::wstring(name) == clicked) << name;
        }
        EXPECT_EQ(selected, 1);
    }
    // Selecting in code without a notification keeps the rule too.
    window.log.clear();
    window.FindControl<COptionUI>(L"opt_a")->Selected(true, false);
    EXPECT_FALSE(window.FindControl<COptionUI>(L"opt_b")->IsSelected());
    EXPECT_TRUE(window.log.empty());
}

TEST_F(PersonTest, ATabLayoutShowsOnePage) {
    auto* tabs = window.FindControl<CTabLayoutUI>(L"tabs");
    const auto shown = [&] {
        std::wstring pages;
        for (const wchar_t* name : {L"page0", L"page1", L"page2"}) {
            pages += window.FindControl(name)->IsVisible() ? L"1" : L"0";
        }
        return pages;
    };
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(shown(), L"010");
    EXPECT_TRUE(tabs->SelectItem(2));
    EXPECT_EQ(shown(), L"001");
    EXPECT_FALSE(tabs->SelectItem(3));
    EXPECT_EQ(shown(), L"001");
    // Hiding and showing the tab layout keeps its page choice.
    tabs->SetVisible(false);
    EXPECT_EQ(shown(), L"000");
    tabs->SetVisible(true);
    EXPECT_EQ(shown(), L"001");
    // A person cannot click a page that is not shown.
    EXPECT_FALSE(person.Click(L"page0"));
}

TEST_F(PersonTest, AMissingControlIsNullAndActionsOnItDoNothing) {
    EXPECT_EQ(window.FindControl(L"no_such_control"), nullptr);
    EXPECT_EQ(window.FindControl<CSliderUI>(L"ok_btn"), nullptr);  // there, but of another class
    EXPECT_EQ(FindSubControlAs<CButtonUI>(window.FindControl(L"list"), L"ok_btn"), nullptr);
    EXPECT_NE(FindSubControlAs<CButtonUI>(window.FindControl(L"list"), L"row2_btn"), nullptr);
    EXPECT_EQ(FindSubControlAs<CButtonUI>(nullptr, L"ok_btn"), nullptr);
    EXPECT_FALSE(person.Click(L"no_such_control"));
    EXPECT_FALSE(person.PickComboItem(L"no_such_combo", 0));
    EXPECT_TRUE(window.log.empty());
}

TEST_F(PersonTest, AHandlerRemovingTheControlThatNotifiedIsHarmless) {
    struct Case {
        const wchar_t* name;
        const wchar_t* type;
        std::function<bool(CUiPerson&)> act;
    };
    const Case cases[] = {
        {L"check", L"click", [](CUiPerson& p) { return p.Click(L"check"); }},
        {L"opt_c", L"selectchanged", [](CUiPerson& p) { return p.Click(L"opt_c"); }},
        {L"row1", L"itemclick", [](CUiPerson& p) { return p.PickListItem(L"list", 1); }},
        {L"edit2", L"textchanged", [](CUiPerson& p) { return p.TypeInto(L"edit2", L"ab"); }},
    };
    for (const auto& c : cases) {
        window.onNotify = [&](TNotifyUI& msg) {
            if (msg.sType == c.type && msg.pSender->GetName() == c.name) {
                auto* parent = dynamic_cast<CContainerUI*>(msg.pSender->GetParent());
                ASSERT_TRUE(parent->Remove(msg.pSender));
            }
        };
        EXPECT_TRUE(c.act(person));
        EXPECT_EQ(window.FindControl(c.name), nullptr);
    }
    window.onNotify = nullptr;
    EXPECT_TRUE(person.Click(L"ok_btn"));
}

TEST_F(PersonTest, RemovingAControlWhileItHasFocusAndTimersIsHarmless) {
    ASSERT_TRUE(person.TypeInto(L"edit2", L"abc"));
    CControlUI* edit = window.FindControl(L"edit2");
    edit->SetTimer(3, 5);
    auto* row = dynamic_cast<CContainerUI*>(edit->GetParent());
    ASSERT_TRUE(row->Remove(edit));
    CUiApplication::DoEvents(30);
    EXPECT_EQ(window.FindControl(L"edit2"), nullptr);
    EXPECT_EQ(window.PaintManager().GetFocus(), nullptr);
    EXPECT_TRUE(window.timers.empty());
    EXPECT_TRUE(person.Click(L"ok_btn"));
}
}  // namespace
