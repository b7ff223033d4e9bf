// Draws the manual's figures from the program's own panels: the front panel off and on with the
// calibrator, every setting dialog, the generator panel, a help page and an X-Y figure. Run it
// through the `manual_figures` target whenever the artwork changes:
//   make_figures OUTPUT_DIRECTORY
// It starts the instrument as the program does, drives it through the same callbacks a user's
// clicks reach, and writes one PNG file per figure.

#include "app/callbacks.h"
#include "app/startup.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "generator/generator.h"
#include "help/help.h"
#include "sim/autostart.h"
#include "ui/uir_constants.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace {

QDir output;
int failures = 0;

void settle() {
    for (int pass = 0; pass < 5; ++pass) {
        QCoreApplication::processEvents();
    }
}

/// Reports a figure written to `path`, or counts the failure.
void report(const QString &path, bool written) {
    if (!written) {
        std::fprintf(stderr, "make_figures: could not write %s\n", qPrintable(path));
        ++failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

void save(const QImage &image, const char *name) {
    const QString path = output.filePath(QString::fromLatin1(name));
    report(path, !image.isNull() && image.save(path));
}

// At the panel's stored size, whatever room the offscreen screen gives its window.
void savePanel(int panel, const char *name) {
    settle();
    const QString path = output.filePath(QString::fromLatin1(name));
    report(path, SavePanelDisplayToPng(panel, qPrintable(path)) == 0);
}

// A few refreshes, so that the traces stand on the screen as a user would see them.
void refresh() {
    for (int tick = 0; tick < 3; ++tick) {
        EngineTickTimer(Painel_Principal, PANEL_TIMER_3);
        EngineTickTimer(Painel_Principal, PANEL_TIMER_P);
    }
    settle();
}

struct Dialog {
    int picture; ///< front-panel picture whose left click opens it
    const char *file;
};

// Each setting dialog, opened by its knob or switch with the instrument on.
constexpr Dialog kDialogs[] = {
    {PANEL_TIMEDIV, "dialogo-time-div.png"},       {PANEL_XPOSBTN, "dialogo-x-pos.png"},
    {PANEL_PICTURE_2, "dialogo-cal-tempo.png"},    {PANEL_VOLTDIV1, "dialogo-volts-div.png"},
    {PANEL_PICTURE_6, "dialogo-y-pos.png"},        {PANEL_PICTURE_8, "dialogo-cal-vertical.png"},
    {PANEL_PICTURE_10, "dialogo-acoplamento.png"}, {PANEL_PICTURE_18, "dialogo-entrada.png"},
    {PANEL_PICTURE_CANAIS, "dialogo-modos.png"},   {PANEL_PICTURE_14, "dialogo-level.png"},
    {PANEL_PICTURE_4, "dialogo-intens.png"},       {PANEL_PICTURE_3, "dialogo-focus.png"},
};

// Dialogs that live for the whole run are only taken off the screen.
bool persistent(int panel) {
    return panel == Painel_Xpos || panel == Painel_Canais || panel == Painel_CalibX ||
           panel == Painel_YcalI || panel == Painel_YcalII;
}

void dialogFigures() {
    for (const Dialog &d : kDialogs) {
        EngineSendEvent(Painel_Principal, d.picture, EVENT_LEFT_CLICK);
        const int dialog = EngineTopPopup();
        if (dialog == 0) {
            std::fprintf(stderr, "make_figures: no dialog for %s\n", d.file);
            ++failures;
            continue;
        }
        savePanel(dialog, d.file);
        persistent(dialog) ? RemovePopup(0) : DiscardPanel(dialog);
    }
}

// Generator 1 at 100 Hz on CH I against generator 2 at 200 Hz on CH II: a figure of eight.
void xyFigure() {
    StartPoweredOn("xy");
    ChIN[0] = 1;
    SetCtrlVal(Painel_Principal, PANEL_STRING_CH1, "Gerador");
    botao_freq[1] = 2.0;
    geradorID = 1;
    actual_ger();
    refresh();
    // One frame on the tube lets the phosphor forget the Y-T traces drawn before.
    EnginePanelWidget(Painel_Principal)->grab();
    refresh();
    save(EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR), "ecra-xy.png");
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_figures OUTPUT_DIRECTORY\n");
        return 2;
    }
    output.setPath(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_figures: cannot create %s\n", argv[1]);
        return 1;
    }
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    RegisterInstrumentCallbacks();
    SetStrictCallbackResolution(1);
    if (LoadInstrumentPanels() != 0) {
        std::fprintf(stderr, "make_figures: %s\n", GetEngineErrorText());
        return 1;
    }
    inicializacoes();
    // At its own size, not filling a screen that may be smaller than the panel.
    SetPanelAttribute(Painel_Principal, ATTR_WINDOW_ZOOM, VAL_NO_ZOOM);
    DisplayPanel(Painel_Principal);

    savePanel(Painel_Principal, "painel-desligado.png");
    StartPoweredOn("ch");
    refresh();
    savePanel(Painel_Principal, "painel-calibrador.png");
    dialogFigures();

    ab_gerador(0);
    savePanel(Painel_Gerador, "gerador.png");
    RemovePopup(0);

    help_O(20);
    savePanel(Painel_Ajuda, "ajuda-modos.png");
    DiscardPanel(Painel_Ajuda);

    xyFigure();
    CloseCVIRTE();
    return failures == 0 ? 0 : 1;
}
