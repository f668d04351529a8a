#include "ui/application.h"

#include <QApplication>
#include <QThread>

struct CUiApplication::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

CUiApplication::CUiApplication(int& argc, char** argv) : m_impl(std::make_unique<Impl>(argc, argv)) {
    // Windows are hidden or closed on purpose (the main window lives on in the tray).
    QApplication::setQuitOnLastWindowClosed(false);
}

CUiApplication::~CUiApplication() = default;

int CUiApplication::MessageLoop() {
    return QApplication::exec();
}

void CUiApplication::PostQuitMessage(int code) {
    QApplication::exit(code);
}

void CUiApplication::DoEvents(int maxMs) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents, maxMs);
}

bool CUiApplication::IsUiThread() {
    return QCoreApplication::instance() != nullptr && QThread::currentThread() == qApp->thread();
}
