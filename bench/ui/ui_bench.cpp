// Toolkit figures: building a keyboard page (170 key buttons and its controls) from a layout and
// showing it, and the cost of one notification.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "ui/application.h"
#include "ui/control.h"
#include "ui/dialog_builder.h"
#include "ui/notifications.h"
#include "ui/paint_manager.h"
#include "ui/window.h"

namespace {
constexpr int kKeys = 170;

// A keyboard page: title bar, 170 key buttons on the device picture, DPI sliders and edits, lighting
// options, a combo, a list and a tab layout.
std::string KeyPageLayout() {
    std::string xml = R"(<Window size="1000,640"><VerticalLayout name="root" bkcolor="#FF202428">
  <HorizontalLayout height="40" childpadding="4">
    <Button name="minbtn" width="30"/><Button name="closebtn" width="30"/><Label text="Keyboard"/>
  </HorizontalLayout>
  <HorizontalLayout>
    <Container name="device_key_light" width="640" bkcolor="#FF303840">
)";
    for (int i = 0; i < kKeys; ++i) {
        const int x = 10 + (i % 22) * 28;
        const int y = 10 + (i / 22) * 30;
        xml += "      <Button name=\"key_" + std::to_string(i) + "\" float=\"true\" pos=\"" +
               std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + 26) + "," +
               std::to_string(y + 28) +
               "\" bkcolor=\"#FF404850\" hotbkcolor=\"#FF607080\" text=\"K\" align=\"center\" "
               "textcolor=\"#FFFFFFFF\"/>\n";
    }
    xml += "    </Container>\n    <VerticalLayout childpadding=\"4\" inset=\"8,8,8,8\">\n";
    for (int i = 1; i <= 5; ++i) {
        const std::string n = std::to_string(i);
        xml += "      <HorizontalLayout height=\"24\"><CheckBox name=\"DPI_enable_check_" + n +
               "\" width=\"20\"/><Slider name=\"DPI_slider_" + n + "\" min=\"1\" max=\"160\" value=\"" +
               std::to_string(i * 20) + "\"/><Edit name=\"DPI_edit_" + n + "\" width=\"60\" text=\"" +
               std::to_string(i * 800) + "\"/></HorizontalLayout>\n";
    }
    for (int i = 0; i < 8; ++i) {
        xml += "      <Option name=\"polling_rate_option_" + std::to_string(i) +
               "\" group=\"rate\" height=\"20\" text=\"rate\"/>\n";
    }
    xml += "      <Combo name=\"light_combo_modeSelect\" height=\"26\">";
    for (int i = 0; i < 20; ++i) {
        xml += "<ListLabelElement text=\"mode " + std::to_string(i) + "\"/>";
    }
    xml += "</Combo>\n      <List name=\"macro_name_list\" height=\"120\">";
    for (int i = 0; i < 20; ++i) {
        xml += "<ListLabelElement text=\"macro " + std::to_string(i) + "\"/>";
    }
    xml += R"(</List>
      <TabLayout name="device_function_switch" height="60">
        <Label text="page 0"/><Label text="page 1"/><Label text="page 2"/>
      </TabLayout>
      <Progress name="setting_progress" height="8" value="40" forecolor="#FF4FC3F7"/>
    </VerticalLayout>
  </HorizontalLayout>
</VerticalLayout></Window>
)";
    return xml;
}

const std::string& LayoutFile() {
    static const std::string path = [] {
        const std::string file = "/tmp/px300_ui_bench_page_" + std::to_string(getpid()) + ".xml";
        std::ofstream(file) << KeyPageLayout();
        return file;
    }();
    return path;
}

class CPageWindow : public CWindowUI {
public:
    std::wstring GetWindowClassName() const override { return L"BenchWnd"; }
    std::wstring GetSkinFile() const override {
        return std::wstring(LayoutFile().begin(), LayoutFile().end());
    }
};

class CCounter : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override { count += msg.wParam; }
    WPARAM count = 0;
};

// Layout text to control tree only.
void BM_BuildKeyPageTree(benchmark::State& state) {
    const std::string xml = KeyPageLayout();
    const std::wstring text(xml.begin(), xml.end());
    for (auto _ : state) {
        std::unique_ptr<CControlUI> root(CDialogBuilder::CreateFromText(text, L"bench"));
        benchmark::DoNotOptimize(root.get());
    }
}
BENCHMARK(BM_BuildKeyPageTree)->Unit(benchmark::kMillisecond);

// The whole way to the screen: read the layout file, build, create the window, lay out and paint.
void BM_BuildAndShowKeyPage(benchmark::State& state) {
    for (auto _ : state) {
        CPageWindow window;
        if (!window.Create(nullptr, L"bench")) {
            state.SkipWithError("layout not built");
            break;
        }
        window.ShowWindow();
        QImage shown = window.GetHostWidget()->grab().toImage();
        benchmark::DoNotOptimize(shown.bits());
        state.PauseTiming();
        window.Close();
        CUiApplication::DoEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["controls"] = kKeys;
}
BENCHMARK(BM_BuildAndShowKeyPage)->Unit(benchmark::kMillisecond);

// Repainting the shown page (a light tick that repaints every key).
void BM_RepaintKeyPage(benchmark::State& state) {
    CPageWindow window;
    window.Create(nullptr, L"bench");
    window.ShowWindow();
    QImage image(window.GetHostWidget()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.GetHostWidget()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RepaintKeyPage)->Unit(benchmark::kMicrosecond);

// One notification from a control to the window's notify handlers.
void BM_NotifyDispatch(benchmark::State& state) {
    CPaintManagerUI manager;
    manager.AttachRoot(CDialogBuilder::CreateFromText(L"<Button name='ok_btn'/>", L"bench"));
    std::vector<CCounter> handlers(static_cast<size_t>(state.range(0)));
    for (auto& h : handlers) {
        manager.AddNotifier(&h);
    }
    CControlUI* sender = manager.GetRoot();
    for (auto _ : state) {
        manager.SendNotify(sender, kNotifyClick, 1);
    }
    benchmark::DoNotOptimize(handlers.front().count);
}
BENCHMARK(BM_NotifyDispatch)->Arg(1)->Arg(4);

// Finding a control by name in the page (the device pages look names up on first use).
void BM_FindControlByName(benchmark::State& state) {
    CPageWindow window;
    window.Create(nullptr, L"bench");
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.FindControl(L"key_169"));
    }
}
BENCHMARK(BM_FindControlByName);
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CUiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(LayoutFile().c_str());
    return 0;
}
