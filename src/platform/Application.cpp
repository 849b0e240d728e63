#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/EventGuard.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// How many events are being dispatched, one inside the other.
int g_depth = 0;
// The exception kept by FromQt and the dispatch depth at which it was kept.
std::exception_ptr g_kept;
int g_keptDepth = 0;
// Objects whose last paint failed and was reported; a successful paint
// takes them out again.
std::vector<QPointer<QObject>> g_failedPaints;

bool PaintFailedBefore(QObject* o)
{
    return std::any_of(g_failedPaints.begin(), g_failedPaints.end(), [o](const QPointer<QObject>& p) { return p == o; });
}

void PaintSucceeded(QObject* o)
{
    if (g_failedPaints.empty()) return;
    std::erase_if(g_failedPaints, [o](const QPointer<QObject>& p) { return p.isNull() || p == o; });
}

// Reports a failed paint after the painting (a message box must not open
// inside it), once until the object paints without failing.
void PaintFailed(QObject* o, std::exception_ptr e)
{
    if (PaintFailedBefore(o)) return;
    g_failedPaints.emplace_back(o);
    QMetaObject::invokeMethod(qApp, [e] { Application_HandleException(e); }, Qt::QueuedConnection);
}

// Every event of the program passes here. Handlers run inside FromQt at
// the platform's boundaries; what they kept is handled once the event is
// dispatched. An exception that still reaches this point (a boundary
// without FromQt) is caught here as a last resort.
class ZelApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        ++g_depth;
        bool result = false;
        try {
            result = QApplication::notify(receiver, event);
        } catch (...) {
            EventGuard::Keep(std::current_exception());
        }
        --g_depth;
        if (g_kept && g_keptDepth > g_depth) {
            std::exception_ptr e = std::exchange(g_kept, nullptr);
            if (type == QEvent::Paint)
                PaintFailed(receiver, e);
            else
                Application_HandleException(e);
        } else if (type == QEvent::Paint) {
            PaintSucceeded(receiver);
        }
        return result;
    }
};

QApplication* g_app = nullptr;

// --- the system asking the program to end -------------------------------------------

int g_endPipe[2] = {-1, -1};

void OnEndSignal(int)
{
    const char b = 1;
    [[maybe_unused]] const ssize_t n = write(g_endPipe[1], &b, 1);
}

// SIGTERM (log-out, shut-down, kill), SIGHUP (the terminal went away) and
// SIGINT (Ctrl+C) close the main window as its close box does, so the
// settings file is written and the program ends normally. A second request
// while the first is handled ends the program at once.
void WatchEndRequests()
{
    if (g_endPipe[0] >= 0 || pipe2(g_endPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(g_endPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char buf[16];
        while (read(g_endPipe[0], buf, sizeof buf) > 0) {
        }
        for (int sig : {SIGTERM, SIGHUP, SIGINT}) std::signal(sig, SIG_DFL);
        FromQt([] {
            if (TForm* main = Application_MainForm())
                main->Close();
            else
                Application_Terminate();
        });
    });
    struct sigaction sa = {};
    sa.sa_handler = OnEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &sa, nullptr);
}

} // namespace

void EventGuard::Keep(std::exception_ptr e) noexcept
{
    if (g_kept) return;
    g_kept = std::move(e);
    g_keptDepth = g_depth;
}

void EventGuard::Rethrow()
{
    if (g_kept) std::rethrow_exception(std::exchange(g_kept, nullptr));
}

void Application_Initialize(int& argc, char** argv)
{
    if (!g_app) {
        g_app = new ZelApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }
}

void Application_ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

int Application_Run()
{
    WatchEndRequests();
    return QApplication::exec();
}

void Application_Terminate() { QCoreApplication::quit(); }

void Application_HandleException(std::exception_ptr e)
{
    if (!e) return;
    std::string message;
    try {
        std::rethrow_exception(e);
    } catch (const EAbort&) {
        return;
    } catch (const std::exception& x) {
        message = x.what();
    } catch (...) {
        message = "An unexpected error occurred.";
    }
    if (message.empty()) message = "An unexpected error occurred.";
    // A failing message box must not take the program down with it.
    try {
        ShowError(message);
    } catch (...) {
    }
}
