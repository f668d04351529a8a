// px300: the application. Start-up: private fonts, single instance, skin and control classes,
// registered messages, then the main window and the message loop.
#include <pthread.h>
#include <signal.h>

#include <thread>

#include "config/registry_store.h"
#include "platform/app_identity.h"
#include "platform/folders.h"
#include "platform/local_endpoint.h"
#include "platform/single_instance.h"
#include "shell/app_messages.h"
#include "shell/fonts.h"
#include "shell/language.h"
#include "shell/main_wnd.h"
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/font_substitutes.h"
#include "ui/local_bridge.h"
#include "ui/messages.h"

namespace {
// The faces the font table names are not installed under those names; these families stand in.
void SubstituteFaces() {
    SetFontSubstitutes(L"汉仪菱心体简", {L"Noto Sans CJK SC", L"Noto Sans"});
    SetFontSubstitutes(L"Noto Sans CJK TC Regular", {L"Noto Sans CJK TC", L"Noto Sans"});
    SetFontSubstitutes(L"Verdana Unicode MS", {L"Noto Sans Display", L"Noto Sans", L"DejaVu Sans"});
}

// SIGINT and SIGTERM close the main window as the tray menu's "exit" does; SIGUSR1 ends the watcher.
class CSignalWatcher {
public:
    CSignalWatcher() {
        sigemptyset(&m_signals);
        for (int s : {SIGINT, SIGTERM, SIGUSR1})
            sigaddset(&m_signals, s);
        pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);  // before any other thread starts
    }
    void Start(CWindowUI& window) {
        m_thread = std::thread([this, &window] {
            int received = 0;
            while (sigwait(&m_signals, &received) == 0 && received != SIGUSR1) {
                window.PostMessage(kWmClose, 0, 0);
            }
        });
    }
    ~CSignalWatcher() { Stop(); }
    // Ends the watcher; it posts to the window, so this comes before the window goes.
    void Stop() {
        if (m_thread.joinable()) {
            pthread_kill(m_thread.native_handle(), SIGUSR1);
            m_thread.join();
        }
    }

private:
    sigset_t m_signals;
    std::thread m_thread;
};
}  // namespace

int main(int argc, char** argv) {
    CSignalWatcher signals;
    CUiApplication app(argc, argv);
    LoadPrivateFonts();
    SubstituteFaces();
    const AppMessages& messages = RegisterAppMessages();

    CSingleInstance instance(kAppIdentity, LocalRuntimeFolder());
    if (!instance.Acquire()) {
        instance.NotifyRunning();  // the running one comes to the front
        UnloadPrivateFonts();
        return 0;
    }
    SetupResources();

    // The settings key exists from the first start on, as an installer would have made it.
    CRegistryStore store;
    store.CreateKey(AppRegistryKey());
    CLanguageSettings language(store, ProgramFolder() + L"/DefaultData/Language.config");

    {
        CMainWnd window(language, messages);
        if (window.Create(nullptr, kAppIdentity, UiSize{800, 572})) {
            window.CenterWindow();
            window.ShowWindow(true);
            CLocalMessageBridge bridge(window);
            bridge.Start(instance.EndpointPath());
            signals.Start(window);
            CUiApplication::MessageLoop();
            signals.Stop();
        }
    }
    UnloadPrivateFonts();
    return 0;
}
