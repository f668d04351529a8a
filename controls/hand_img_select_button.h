#pragma once
// CHandImgSelectButtonUI ("HandImgSelectButton"): a button showing a picture ("handimage") that is
// larger than the button in part, top-left first; the person pans it by dragging with the button
// pressed. "cursor" names the cursor shown over it ("arrow", "ibeam", "wait", "cross", "uparrow",
// "size", "icon", "sizenwse", "sizenesw", "sizewe", "sizens", "sizeall", "no", "hand").
// Entering and leaving the enabled button send "msenter" and "msleave".
#include <string>

#include "ui/button.h"

// The part of a picture shown in a smaller view (picture pixels). Panning moves the part against the
// mouse and never past the picture's edges.
class CPanView {
public:
    void SetImageSize(UiSize image);
    // Keeps the part inside the picture when the view grows.
    void SetViewSize(UiSize view);
    UiSize ImageSize() const { return m_image; }
    // The view is narrower or lower than the picture.
    bool IsCropped() const { return m_view.cx < m_image.cx || m_view.cy < m_image.cy; }
    // The shown part: the view's size within the picture, at the panned offset.
    UiRect Source() const;
    // Follows a mouse movement of (dx, dy): moving left shows more of the right side. False when the
    // part did not move.
    bool Pan(int dx, int dy);

private:
    void Clamp();

    UiSize m_image;
    UiSize m_view;
    UiPoint m_offset;
};

class CHandImgSelectButtonUI : public CButtonUI {
public:
    std::wstring GetClass() const override;

    // Loads the picture (a file of the skin, or an image string naming one) and shows its top-left.
    void SetHandImage(std::wstring image);
    UiSize GetImageSize() const { return m_view.ImageSize(); }
    // The image string drawn now: the file with the shown part as source, or the file alone when
    // the button shows the whole picture.
    std::wstring GetDrawnImage();
    bool IsPanning() const { return m_panning; }

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(CRenderUI& render) override;

private:
    // Puts the view's size in step with the button's (picture pixels are 96-DPI pixels).
    void SyncViewSize();
    int Unscale(int device) const;

    std::wstring m_file;
    CPanView m_view;
    bool m_panning = false;
    UiPoint m_last;  // picture pixels
};
