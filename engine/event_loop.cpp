// Start-up of the engine, the event loop, deferred calls and the callback registry.
#include "engine/dispatch.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "engine/install_paths.h"
#include "engine/model.h"
#include "engine/translators.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPolygonF>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

/// Qt's Fusion style, with the arrow of a menu bar's overflow button drawn here. Every menu bar
/// asks for that icon as it is made, and reading it from Qt's image files would load every
/// image-format plugin at start-up, for a button that a panel's few menus seldom show.
class InstrumentStyle : public QProxyStyle {
public:
    InstrumentStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override {
        if (which != SP_ToolBarHorizontalExtensionButton) {
            return QProxyStyle::standardIcon(which, option, widget);
        }
        constexpr int kSide = 16;
        QPixmap chevrons(kSide, kSide);
        chevrons.fill(Qt::transparent);
        QPainter painter(&chevrons);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 1.6));
        for (const double left : {4.0, 9.0}) {
            painter.drawPolyline(QPolygonF{{left, 4.0}, {left + 3.5, 8.0}, {left, 12.0}});
        }
        painter.end();
        return QIcon(chevrons);
    }
};

/// The instrument's dark bench look for every panel and dialog.
void applyInstrumentLook(QApplication &application) {
    application.setStyle(new InstrumentStyle);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(52, 56, 62));
    palette.setColor(QPalette::WindowText, QColor(232, 234, 238));
    palette.setColor(QPalette::Base, QColor(28, 30, 34));
    palette.setColor(QPalette::AlternateBase, QColor(44, 47, 52));
    palette.setColor(QPalette::Text, QColor(232, 234, 238));
    palette.setColor(QPalette::Button, QColor(70, 75, 82));
    palette.setColor(QPalette::ButtonText, QColor(240, 242, 245));
    palette.setColor(QPalette::Highlight, QColor(64, 140, 110));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::ToolTipBase, QColor(40, 42, 46));
    palette.setColor(QPalette::ToolTipText, QColor(240, 240, 240));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 134, 140));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 134, 140));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 134, 140));
    application.setPalette(palette);
    // 15 px: capitals 11 px tall at the stored size, legible on a teaching bench from a seat away.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    application.setFont(font);
}

/// Large buffers (the screen's frames, a face's drawing) come and go as the picture changes and
/// steadies. A fixed threshold keeps them in their own mappings, given back to the system when
/// freed; glibc's sliding one would move them into the heap after the first free, to stay there.
void returnLargeBuffersWhenFreed() {
#ifdef __GLIBC__
    constexpr int kOwnMappingBytes = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
#endif
}

/// Qt's own event dispatcher rather than glib's: it wakes the program as often for the same
/// timers (measured equal CPU use in every display state) and touches less of the libraries, so
/// the program stays smaller. A QT_NO_GLIB set by the user is left as it is.
void preferQtEventDispatcher() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
}

} // namespace

int InitCVIRTE(void *, char *argv[], void *) {
    EngineState &engine = Engine();
    if (QCoreApplication::instance() == nullptr) {
        returnLargeBuffersWhenFreed();
        preferQtEventDispatcher();
        // QApplication keeps a reference to argc for its whole life.
        static int argc = 0;
        static char emptyName[] = "vantrel";
        static char *fallback[] = {emptyName, nullptr};
        char **arguments = argv != nullptr ? argv : fallback;
        argc = 0;
        while (arguments[argc] != nullptr) {
            ++argc;
        }
        engine.ownApplication = std::make_unique<QApplication>(argc, arguments);
    }
    auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (application == nullptr) {
        return 0;
    }
    applyInstrumentLook(*application);
    InstallUiTranslators();
    AnnounceDesktopIdentity();
    engine.initialised = true;
    return 1;
}

void CloseCVIRTE() {
    EngineReset();
    EngineState &engine = Engine();
    engine.bitmaps.clear();
    if (engine.ownApplication != nullptr) {
        engine.ownApplication.reset();
        engine.initialised = false;
    }
}

int RunUserInterface() {
    EngineState &engine = Engine();
    if (!engine.initialised) {
        return kEngineNotInitialised;
    }
    ArmAllTimers();
    QEventLoop loop;
    engine.loop = &loop;
    engine.loopResult = 0;
    loop.exec();
    engine.loop = nullptr;
    return engine.loopResult;
}

int QuitUserInterface(int returnCode) {
    EngineState &engine = Engine();
    ++engine.quitCount;
    engine.loopResult = returnCode;
    if (engine.loop != nullptr) {
        engine.loop->quit();
    }
    return kEngineOk;
}

int PostDeferredCall(DeferredCallbackPtr function, void *callbackData) {
    if (function == nullptr || QCoreApplication::instance() == nullptr) {
        return kEngineBadValue;
    }
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [function, callbackData] { function(callbackData); });
    return kEngineOk;
}

void Delay(double seconds) {
    if (QCoreApplication::instance() == nullptr || seconds <= 0.0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000.0)), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
}

void ProcessDrawEvents() {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int RegisterCallback(const char *name, CtrlCallbackPtr function) {
    auto &callbacks = Engine().callbacks;
    const auto [entry, added] = callbacks.emplace(name, function);
    return added || entry->second == function ? kEngineOk : kEngineBadValue;
}

int RegisterMenuCallback(const char *name, MenuCallbackPtr function) {
    auto &callbacks = Engine().menuCallbacks;
    const auto [entry, added] = callbacks.emplace(name, function);
    return added || entry->second == function ? kEngineOk : kEngineBadValue;
}

CtrlCallbackPtr FindCallback(const char *name) {
    const auto &callbacks = Engine().callbacks;
    const auto found = callbacks.find(name);
    return found == callbacks.end() ? nullptr : found->second;
}

MenuCallbackPtr FindMenuCallback(const char *name) {
    const auto &callbacks = Engine().menuCallbacks;
    const auto found = callbacks.find(name);
    return found == callbacks.end() ? nullptr : found->second;
}

void SetStrictCallbackResolution(int strict) {
    Engine().strictCallbacks = strict != 0;
}

int DisableBreakOnLibraryErrors() {
    return Engine().breakOnErrorsDepth++ == 0 ? 1 : 0;
}

int EnableBreakOnLibraryErrors() {
    int &depth = Engine().breakOnErrorsDepth;
    depth = std::max(0, depth - 1);
    return depth == 0 ? 1 : 0;
}
