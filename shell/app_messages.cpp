#include "shell/app_messages.h"

#include "platform/app_identity.h"
#include "platform/debug.h"
#include "platform/message_target.h"

const wchar_t* const kHookMessageNames[kHookMessageCount] = {
    L"WM_HOOK_KEY_SINGLEKEY_MSG",       L"WM_HOOK_KEY_HITKEY_MSG",        L"WM_HOOK_KEY_KBMACRO_MSG",
    L"WM_HOOK_KEY_MSMACRO_MSG",         L"WM_HOOK_KEY_KBMACROSINGLE_MSG", L"WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
    L"WM_HOOK_KEY_KBMACROLATER_MSG",    L"WM_HOOK_MOU_SINGLEKEY_MSG",     L"WM_HOOK_MOU_HITKEY_MSG",
    L"WM_HOOK_MOU_KBMACRO_MSG",         L"WM_HOOK_MOU_MSMACRO_MSG",       L"WM_HOOK_KEY_MSMACROSINGLE_MSG",
    L"WM_HOOK_KEY_MSMACROPREVIOUS_MSG", L"WM_HOOK_KEY_MSMACROLATER_MSG",  L"UWM_MOUSERBUTTONDOWN_USER_MSG",
    L"UWM_MOUSELBUTTONUP_USER_MSG",     L"UWM_MOUSELBUTTONDOWN_USER_MSG", L"UWM_MOUSERBUTTONUP_USER_MSG",
    L"UWM_MOUSEMOVE_USER_MSG",
};

const wchar_t* const kGameMessageNames[4] = {L"Game_Start", L"Game_End", L"Game_Kill", L"Game_Death"};

const AppMessages& RegisterAppMessages() {
    static const AppMessages messages = [] {
        for (const wchar_t* name : kHookMessageNames) {
            RegisterWindowMessage(name);
        }
        for (const wchar_t* name : kGameMessageNames) {
            RegisterWindowMessage(name);
        }
        AppMessages m;
        m.identity = RegisterWindowMessage(kAppIdentity);
        DebugLine(L"软件标示：" + std::to_wstring(m.identity));
        m.guid15 = RegisterWindowMessage(L"{4695579F-999A-41d4-9FAF-EFFCE93EBF15}");
        m.guid16 = RegisterWindowMessage(L"{4695579F-999A-41d4-9FAF-EFFCE93EBF16}");
        m.guid17 = RegisterWindowMessage(L"{4695579F-999A-41d4-9FAF-EFFCE93EBF17}");
        m.guid18 = RegisterWindowMessage(L"{4695579F-999A-41d4-9FAF-EFFCE93EBF18}");
        m.guidE19 = RegisterWindowMessage(L"{4695579F-999A-41d4-9FAF-EFFCE93EBE19}");
        return m;
    }();
    return messages;
}
