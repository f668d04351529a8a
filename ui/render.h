#pragma once
// CRenderUI: what a control draws with during DoPaint. Coordinates are window client pixels. Code in
// controls/ may draw with Qt directly through Painter().
#include <string_view>

#include "ui/types.h"

class QPainter;
class CPaintManagerUI;

class CRenderUI {
public:
    CRenderUI(QPainter& painter, CPaintManagerUI& manager) : m_painter(painter), m_manager(manager) {}

    QPainter& Painter() const { return m_painter; }
    CPaintManagerUI& Manager() const { return m_manager; }

    void FillRect(const UiRect& rc, UiColor color);
    void DrawBorder(const UiRect& rc, int size, UiColor color, int round = 0);
    void FillEllipse(const UiRect& rc, UiColor color);
    // A pie of the ellipse in rc: angles in degrees, 0 at three o'clock, counter-clockwise positive.
    void FillPie(const UiRect& rc, double startDeg, double spanDeg, UiColor color);
    // Draws an image string of the skin (skin/README.md) into rc; false when nothing was drawn
    // (empty string, missing or unreadable file).
    bool DrawImage(const UiRect& rc, std::wstring_view image);
    // Text in a font of the font table (id -1: default), placed by TextStyle bits.
    void DrawText(const UiRect& rc, std::wstring_view text, UiColor color, int font, unsigned style);

    // Limits drawing to a rectangle while it lives.
    class Clip {
    public:
        Clip(CRenderUI& render, const UiRect& rc);
        ~Clip();
        Clip(const Clip&) = delete;
        Clip& operator=(const Clip&) = delete;

    private:
        QPainter& m_painter;
    };

private:
    QPainter& m_painter;
    CPaintManagerUI& m_manager;
};
