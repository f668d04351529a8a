#pragma once
// The toolkit's application object and message loop. Create one on the main thread before any
// window; that thread is the UI thread.
#include <memory>

class CUiApplication {
public:
    CUiApplication(int& argc, char** argv);
    ~CUiApplication();
    CUiApplication(const CUiApplication&) = delete;
    CUiApplication& operator=(const CUiApplication&) = delete;

    // Runs the message loop until PostQuitMessage; returns its exit code.
    static int MessageLoop();
    // Ends the message loop with an exit code (from the UI thread).
    static void PostQuitMessage(int code);
    // Handles what is queued for the UI thread, for up to maxMs when waiting is needed (tests).
    static void DoEvents(int maxMs = 0);
    static bool IsUiThread();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
