// Editable list rows built from their skin layout, and the host of a native window.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "controls/combo_edit_element.h"
#include "controls/wnd_host.h"
#include "controls_window.h"
#include "ui/list.h"

namespace {
class RowTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenControlsWindow(window);
        list = window.FindControl<CListUI>(L"rows");
        row0 = window.FindControl<CComboEditContainerElementUI>(L"row0");
        row1 = window.FindControl<CComboEditContainerElementUI>(L"row1");
        ASSERT_TRUE(list != nullptr && row0 != nullptr && row1 != nullptr);
        window.log.clear();
    }

    // A point of a row's first text, away from its edit.
    UiPoint OnText(CComboEditContainerElementUI* row) {
        return {row->GetPos().left + 20, Center(row->GetPos()).y};
    }

    CTestWindow window{ControlsData(L"rows.xml")};
    CListUI* list = nullptr;
    CComboEditContainerElementUI* row0 = nullptr;
    CComboEditContainerElementUI* row1 = nullptr;
    CTestMouse mouse{window};
};

TEST_F(RowTest, EachRowBuildsItsControlsFromTheSkin) {
    for (auto* row : {row0, row1}) {
        ASSERT_NE(row->GetText1(), nullptr);
        ASSERT_NE(row->GetText2(), nullptr);
        ASSERT_NE(row->GetDelayEdit(), nullptr);
        EXPECT_EQ(row->GetText1()->GetName(), L"text1");
        EXPECT_NE(row->GetText1(), row0 == row ? row1->GetText1() : row0->GetText1());
    }
}

TEST_F(RowTest, PressingARowSelectsItAndControlPressingTogglesIt) {
    mouse.Press(OnText(row1));
    mouse.Release(OnText(row1));
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(window.log,
              (std::vector<std::wstring>{L"setfocus:row1", L"itemselect:rows", L"itemclick:row1"}));

    mouse.Press(OnText(row1), Qt::ControlModifier);
    mouse.Release(OnText(row1));
    EXPECT_EQ(list->GetCurSel(), -1) << "toggled off";
    mouse.Press(OnText(row1), Qt::ControlModifier);
    mouse.Release(OnText(row1));
    EXPECT_EQ(list->GetCurSel(), 1) << "toggled on";

    window.log.clear();
    CUiPerson(window).PressKey(Qt::Key_Return);
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"itemactivate:row1", L"return:row1"}));
}

TEST_F(RowTest, ARowRemovedByItsActivationSendsNothingMore) {
    mouse.Press(OnText(row1));
    mouse.Release(OnText(row1));
    window.log.clear();
    window.onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == L"itemactivate") {
            list->Remove(msg.pSender);
        }
    };
    CUiPerson(window).PressKey(Qt::Key_Return);
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"itemactivate:row1"}));
}

TEST_F(RowTest, ARowThatIsNotMouseEnabledIgnoresTheMouse) {
    row0->SetMouseEnabled(false);
    for (UiEvent type : {UiEvent::ButtonDown, UiEvent::ButtonUp, UiEvent::DblClick}) {
        TEventUI event;
        event.Type = type;
        event.ptMouse = OnText(row0);
        row0->Event(event);
    }
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_TRUE(window.log.empty());
}

TEST_F(RowTest, AnEditConfirmedWithEnterOrAChangedChoiceMarksTheRowChanged) {
    CUiPerson person(window);
    ASSERT_TRUE(person.TypeInto(L"delay_edit", L"25"));  // row0's edit comes first
    EXPECT_FALSE(row0->IsChanged()) << "typing alone";
    person.PressKey(Qt::Key_Return);
    EXPECT_TRUE(row0->IsChanged());
    EXPECT_FALSE(row1->IsChanged());

    window.PaintManager().SendNotify(row1->GetText2(), L"selectchanged");
    EXPECT_TRUE(row1->IsChanged());
    row1->SetChanged(false);
    window.PaintManager().SendNotify(row0->GetText2(), L"selectchanged");
    window.PaintManager().SendNotify(row1->GetDelayEdit(), L"textchanged");
    EXPECT_FALSE(row1->IsChanged()) << "another row's control, another notification";
}

TEST_F(RowTest, ARemovedRowHearsNoMoreNotifications) {
    ASSERT_TRUE(list->Remove(row0));
    window.PaintManager().SendNotify(row1->GetText1(), L"selectchanged");  // would reach a deleted row
    EXPECT_TRUE(row1->IsChanged());

    ASSERT_TRUE(list->Remove(row1, true));
    std::unique_ptr<CComboEditContainerElementUI> kept(row1);
    kept->SetChanged(false);
    window.PaintManager().SendNotify(kept->GetText1(), L"selectchanged");
    EXPECT_FALSE(kept->IsChanged()) << "out of the window";
}

TEST_F(RowTest, AHostedWindowFollowsTheControl) {
    auto* host = window.FindControl<CWndUI>(L"wnd");
    ASSERT_NE(host, nullptr);
    QWidget* parent = window.GetHostWidget();
    auto* child = new QWidget(parent);  // owned by the window's widget
    auto top = std::make_unique<QWidget>();
    const auto rectOf = [](const UiRect& rc) { return QRect(rc.left, rc.top, rc.Width(), rc.Height()); };

    host->Attach(child);
    EXPECT_EQ(child->geometry(), rectOf(host->GetPos()));
    EXPECT_TRUE(child->isVisible());
    host->SetVisible(false);
    EXPECT_FALSE(child->isVisible());
    host->SetVisible(true);
    ASSERT_TRUE(window.PaintManager().SetDPI(144));
    window.PaintManager().LayoutIfNeeded();
    EXPECT_EQ(child->geometry(), rectOf(host->GetPos())) << "moved with the layout";
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(host->Detach(), child);

    host->Attach(top.get());
    EXPECT_EQ(top->geometry().topLeft(), parent->mapToGlobal(rectOf(host->GetPos()).topLeft()));
    EXPECT_TRUE(top->isVisible());
    EXPECT_TRUE(top->testAttribute(Qt::WA_ShowWithoutActivating));
    top.reset();
    EXPECT_EQ(host->GetWidget(), nullptr) << "a widget destroyed elsewhere is let go";
    host->SetVisible(false);  // nothing left to hide
}
}  // namespace
