#pragma once
// The notification type strings (TNotifyUI::sType) the toolkit's controls send.
inline constexpr wchar_t kNotifyWindowInit[] = L"windowinit";        // sender: root, once, before first paint
inline constexpr wchar_t kNotifyWindowSize[] = L"windowsize";        // sender: root, after each resize
inline constexpr wchar_t kNotifyClick[] = L"click";                  // button, option, check box activated
inline constexpr wchar_t kNotifySelectChanged[] = L"selectchanged";  // option or check box changed state
inline constexpr wchar_t kNotifyCheckClick[] = L"checkclick";  // a person toggled a check box (wParam: on)
inline constexpr wchar_t kNotifyItemSelect[] = L"itemselect";  // list/combo; wParam new, lParam old index
inline constexpr wchar_t kNotifyItemClick[] = L"itemclick";    // list element released under the mouse
inline constexpr wchar_t kNotifyItemActivate[] = L"itemactivate";  // list element double-clicked or Enter
inline constexpr wchar_t kNotifyValueChanged[] = L"valuechanged";  // slider released, wheel step
inline constexpr wchar_t kNotifyMoveValueChanged[] = L"movevaluechanged";  // slider dragged
inline constexpr wchar_t kNotifyTextChanged[] = L"textchanged";            // edit text changed by typing
inline constexpr wchar_t kNotifyReturn[] = L"return";                      // Enter in an edit
inline constexpr wchar_t kNotifySetFocus[] = L"setfocus";
inline constexpr wchar_t kNotifyKillFocus[] = L"killfocus";
inline constexpr wchar_t kNotifyTimer[] = L"timer";  // control timer; wParam: id
inline constexpr wchar_t kNotifyMenu[] = L"menu";    // context menu on a control with menu="true"
inline constexpr wchar_t kNotifyColorChanged[] = L"colorchanged";  // colour palette
inline constexpr wchar_t kNotifyMouseEnter[] = L"msenter";
inline constexpr wchar_t kNotifyMouseLeave[] = L"msleave";
inline constexpr wchar_t kNotifyDblClick[] = L"dbclick";
