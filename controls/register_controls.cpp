#include "controls/register_controls.h"

#include "controls/chart_view.h"
#include "controls/circle_progress.h"
#include "controls/combo_edit_element.h"
#include "controls/device_key_button.h"
#include "controls/hand_img_button.h"
#include "controls/hand_img_select_button.h"
#include "controls/redio_macro_button.h"
#include "controls/select_panel.h"
#include "controls/wnd_host.h"
#include "ui/control_factory.h"

namespace {
template <class T>
void Register(CControlFactory& factory, const wchar_t* className, const wchar_t* tag) {
    const ControlCreator create = [] { return new T; };
    factory.RegisterControl(className, create);
    if (tag != nullptr) {
        factory.RegisterControl(tag, create);
    }
}
}  // namespace

void RegisterCustomControls(CControlFactory& factory) {
    Register<CCircleProgressUI>(factory, L"CCircleProgressUI", L"CircleProgress");
    Register<CChartViewUI>(factory, L"CChartViewUI", nullptr);
    Register<CWndUI>(factory, L"CWndUI", L"Wnd");
    Register<CSelectPanelUI>(factory, L"CSelectPanelUI", L"SelectPanel");
    Register<CDeviceKeyButtonUI>(factory, L"CDeviceKeyButtonUI", L"DeviceKeyButton");
    Register<CComboEditContainerElementUI>(factory, L"CComboEditContainerElementUI",
                                           L"ComboEditContainerElement");
    Register<CHandImgButtonUI>(factory, L"CHandImgButtonUI", L"HandImgButton");
    Register<CHandImgSelectButtonUI>(factory, L"CHandImgSelectButtonUI", L"HandImgSelectButton");
    Register<CRedioMacroButtonUI>(factory, L"CRedioMacroButtonUI", L"RedioMacroButton");
}
