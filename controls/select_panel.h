#pragma once
// CSelectPanelUI ("SelectPanel"): a vertical layout on which a person drags a rectangle to select
// several of its key buttons at once. A drag that ends sets the selected flag of every direct child
// of class "DeviceKeyButton" to whether it meets the rectangle (children outside are deselected),
// then sends "click_select_end", also when it met no button. A press and release without movement
// changes nothing and sends nothing. The rectangle is drawn over the children while dragging.
#include "ui/layouts.h"

class CSelectPanelUI : public CVerticalLayoutUI {
public:
    std::wstring GetClass() const override;

    bool IsDragging() const { return m_dragging; }
    // The rectangle of the drag in progress or of the last one (client pixels, left <= right,
    // top <= bottom).
    const UiRect& GetSelectionRect() const { return m_selection; }

    void DoEvent(TEventUI& event) override;
    void DoPaint(CRenderUI& render, const UiRect& paint) override;

private:
    void Track(UiPoint pt);
    void ApplySelection();

    bool m_armed = false;
    bool m_dragging = false;
    UiPoint m_start;
    UiPoint m_current;
    UiRect m_selection;
};

// The rectangle spanned by two points, each coordinate pair ordered.
UiRect SpanRect(UiPoint a, UiPoint b);
