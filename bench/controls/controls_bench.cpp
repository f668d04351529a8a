// Figures of the key buttons of a keyboard page: painting 170 keys on their select panel with and
// without their lights (the light tick repaints them all), and ending a drag selection over them.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "controls/device_key_button.h"
#include "controls/select_panel.h"
#include "platform/text.h"
#include "ui/application.h"
#include "ui/paint_manager.h"
#include "ui/render.h"

namespace {
constexpr int kKeys = 170;
constexpr UiSize kPage{660, 260};

// A select panel with 170 key buttons in rows of 22, as on the keyboard picture.
struct CKeyPage {
    CPaintManagerUI manager;
    CSelectPanelUI* panel = new CSelectPanelUI;

    explicit CKeyPage(bool lit) {
        panel->SetBkColor(0xFF303840);
        for (int i = 0; i < kKeys; ++i) {
            auto* key = new CDeviceKeyButtonUI;
            const int x = 10 + (i % 22) * 28;
            const int y = 10 + (i / 22) * 30;
            key->SetFloat(true);
            key->SetFloatPos({x, y, x + 26, y + 28});
            key->SetFixedWidth(26);
            key->SetFixedHeight(28);
            key->SetLightImage(L"common/controls/key_light.svg");
            key->SetKeyUnsetImage(L"common/controls/key_unset.svg");
            key->ShowKeyUnsetImage(true);
            key->ShowLight(lit);
            key->SetLightColor(static_cast<UiColor>(i * 0x010203), 200);
            panel->Add(key);
        }
        manager.AttachRoot(panel);
        manager.OnResize(kPage);
        manager.LayoutIfNeeded();
    }

    void Paint(QImage& image) {
        QPainter painter(&image);
        CRenderUI render(painter, manager);
        manager.Paint(render, {0, 0, kPage.cx, kPage.cy});
    }
};

void BM_PaintKeyPanel(benchmark::State& state) {
    CKeyPage page(state.range(0) != 0);
    QImage image(kPage.cx, kPage.cy, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        page.Paint(image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["keys"] = kKeys;
}
BENCHMARK(BM_PaintKeyPanel)->ArgName("lit")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DragSelectionOverKeys(benchmark::State& state) {
    CKeyPage page(false);
    TEventUI down;
    down.Type = UiEvent::ButtonDown;
    down.ptMouse = {5, 5};
    TEventUI move = down;
    move.Type = UiEvent::MouseMove;
    move.ptMouse = {330, 130};
    TEventUI up = move;
    up.Type = UiEvent::ButtonUp;
    for (auto _ : state) {
        page.panel->Event(down);
        page.panel->Event(move);
        page.panel->Event(up);
    }
    state.counters["keys"] = kKeys;
}
BENCHMARK(BM_DragSelectionOverKeys)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CUiApplication app(argc, argv);
    CPaintManagerUI::SetResourcePath(Utf8ToWide(PX300_SOURCE_DIR "/skin"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
