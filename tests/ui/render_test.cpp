// A sample layout drawn offscreen into a PNG: the right size, and the skin's images really drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <fstream>
#include <set>

#include "platform/debug.h"
#include "platform/text.h"
#include "test_window.h"
#include "tests/support/temp_dir.h"
#include "ui/image_cache.h"

namespace {
QRgb At(const QImage& image, const UiRect& rc, int dx, int dy) {
    return image.pixel(rc.left + dx, rc.top + dy);
}

TEST(Render, ASampleLayoutRendersToANonBlankPngOfTheWindowSize) {
    CTestWindow window(L"sample.xml");
    OpenTestWindow(window);
    const std::wstring png = Utf8ToWide(PX300_BINARY_DIR) + L"/ui_sample.png";
    ASSERT_TRUE(window.SaveSnapshot(png));

    QImage image(QString::fromStdWString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 320);
    EXPECT_EQ(image.height(), 200);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 20u);

    const auto pos = [&](const wchar_t* name) { return window.FindControl(name)->GetPos(); };
    EXPECT_EQ(image.pixel(2, 2), qRgb(0x20, 0x24, 0x28));                  // background colour
    EXPECT_EQ(At(image, pos(L"framed"), 1, 10), qRgb(40, 90, 160));        // 9-slice corner kept
    EXPECT_EQ(At(image, pos(L"framed"), 10, 10), qRgb(200, 220, 250));     // stretched middle
    EXPECT_EQ(At(image, pos(L"stated"), 16, 16), qRgb(30, 120, 220));      // source part of an image
    EXPECT_EQ(At(image, pos(L"svg"), 16, 16), qRgb(0x80, 0xC0, 0xFF));     // SVG
    EXPECT_EQ(At(image, pos(L"opt"), 2, 2), qRgb(0x2E, 0x7D, 0x32));       // selected option colour
    EXPECT_EQ(At(image, pos(L"progress"), 2, 5), qRgb(0x4F, 0xC3, 0xF7));  // filled part
    EXPECT_EQ(At(image, pos(L"progress"), pos(L"progress").Width() - 2, 5), qRgb(0x40, 0x48, 0x50));
}

TEST(Render, AMissingImageDrawsNothingAndSaysSoOnce) {
    CTestWindow window(L"sample.xml");
    OpenTestWindow(window);
    CDebugCapture capture;
    window.FindControl(L"root")->SetBkImage(L"images/nothing_here.png");
    QImage first = window.GetHostWidget()->grab().toImage();
    QImage second = window.GetHostWidget()->grab().toImage();
    EXPECT_EQ(first.pixel(2, 2), qRgb(0x20, 0x24, 0x28));
    EXPECT_EQ(capture.Count(L"nothing_here.png"), 1u);
}

TEST(Render, AnSvgNamingAHugeSizeIsRefusedInsteadOfFillingTheMemory) {
    TestApplication();
    TempDir dir;
    const auto write = [&](const char* name, const char* size) {
        std::ofstream(dir.Path() / name) << "<svg xmlns='http://www.w3.org/2000/svg' " << size
                                         << "><rect width='10' height='10' fill='red'/></svg>";
        return (dir.Path() / name).wstring();
    };
    const std::wstring huge = write("huge.svg", "width='200000' height='200000'");
    const std::wstring small = write("small.svg", "width='20' height='10'");
    EXPECT_EQ(FindSkinImage(huge, 96), nullptr);
    const SkinImage* image = FindSkinImage(small, 144);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->image.size(), QSize(30, 15));
}
}  // namespace
