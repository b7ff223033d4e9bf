// Draws the manual's figures from the program's own panels: the front panel off and on with the
// calibrator, every setting dialog, the generator panel, a help page, an X-Y figure, the
// trigger's LINE and LF lessons, a diode on the component tester, the experiment boards
// (their dialog and the screens of the experiments) and an example exercise answered wrongly.
// Run it through the `manual_figures` and `manual_figures_en` targets whenever the artwork or
// the interface texts change:
//   make_figures [--lang pt|en] OUTPUT_DIRECTORY
// Portuguese unless told otherwise. It starts the instrument as the program does, drives it through
// the same callbacks a user's clicks reach, and writes one PNG file per figure.

#include "app/callbacks.h"
#include "app/exercise_menu.h"
#include "app/language_choice.h"
#include "app/setup_menu.h"
#include "app/startup.h"
#include "app/state.h"
#include "board/circuit/boards.h"
#include "controls/board_dialog.h"
#include "controls/front_state.h"
#include "controls/scale_tables.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/language.h"
#include "generator/generator.h"
#include "help/help.h"
#include "sim/autostart.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QScopeGuard>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <optional>

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

constexpr int kHalfMsPerDiv = 8;
constexpr int kFiveMicrosPerDiv = 14;

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

/// Generator 1 on CH I at `hz` (a sine, 2 V peak), the time base at step `timeStep`.
void generatorOnChannelOne(double hz, int timeStep) {
    ChIN[0] = 1;
    SetCtrlVal(Painel_Principal, PANEL_STRING_CH1, "Gerador");
    geradorID = 0;
    tipo_onda[0] = 3;
    botao_activo[0] = hz >= 10000.0 ? 100000 : 1000;
    botao_freq[0] = hz / botao_activo[0];
    actual_ger();
    Esc_TempoID = timeStep;
    act_timediv_sig(Esc_TempoID);
}

// The trigger's lessons: LINE on 1001 Hz drifting (the afterglow keeps the last positions),
// and LF losing a 100 kHz sine in NORMAL.
void triggerFigures() {
    StartPoweredOn("ch");
    generatorOnChannelOne(1001.0, kHalfMsPerDiv);
    trig_acopl = 4;
    mostra_frontal();
    refresh();
    EnginePanelWidget(Painel_Principal)->grab();
    SetGraphAfterglow(Painel_Principal, PANEL_MOSTRAR, 1);
    refresh();
    save(EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR), "disparo-linha.png");
    SetGraphAfterglow(Painel_Principal, PANEL_MOSTRAR, 0);

    generatorOnChannelOne(100e3, kFiveMicrosPerDiv);
    trig_acopl = 3;
    autot = 0;
    levelt = 0.5;
    mostra_frontal();
    refresh();
    EnginePanelWidget(Painel_Principal)->grab();
    refresh();
    save(EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR), "disparo-lf.png");
    trig_acopl = 0;
    autot = 1;
    levelt = 0.0;
}

// A silicon diode on the component tester.
void testerFigure() {
    testador_comp = 6;
    testador_valor[0] = 0.65;
    EngineSendEvent(Painel_Principal, PANEL_COMPONENT, EVENT_LEFT_CLICK);
    refresh();
    EnginePanelWidget(Painel_Principal)->grab();
    refresh();
    save(EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR), "testador-diodo.png");
    EngineSendEvent(Painel_Principal, PANEL_COMPONENT, EVENT_LEFT_CLICK);
}

// The settings of one experiment's screen: the board and the points of CH I and CH II, generator
// 1's waveform, frequency and amplitude, and the scales.
struct Experiment {
    const char *file;
    int board;
    int probe2;
    int waveform; ///< 1 square, 3 sine
    int range;
    double knob;
    double amplitude;
    int timeStep;
    int voltStep;
    int voltStep2;  ///< CH II
    int coupling2;  ///< CH II: 0 DC, 1 AC (the ripple alone)
    bool smoothing; ///< the rectifier's C in the circuit
};

constexpr int kFontePlaca = 5;
constexpr int k1ms = 7;
constexpr int k5ms = 5;
constexpr int k1V = 4;
constexpr int k2V = 3;
constexpr int k5V = 2;
constexpr int k02V = 6;

// RC low-pass at its corner (1.5 kOhm, 1 uF: 106 Hz) and with a 20 Hz square wave, the
// half-wave rectifier smoothed by 100 uF, the Zener regulator.
constexpr Experiment kExperiments[] = {
    {"placa-rc-dual.png", vantrel::circuit::kRcLowPass, 1, 3, 100, 1.06, 2.0, k1ms, k1V, k1V, 0,
     false},
    {"placa-rc-quadrada.png", vantrel::circuit::kRcLowPass, 1, 1, 10, 2.0, 2.0, k1ms, k1V, k1V, 0,
     false},
    {"placa-meia-onda.png", vantrel::circuit::kHalfWave, 1, 3, 100, 1.0, 10.0, k5ms, k5V, k02V, 1,
     true},
    {"placa-zener.png", vantrel::circuit::kZenerRegulator, 1, 3, 100, 1.0, 5.0, k5ms, k2V, k2V, 0,
     false},
};

void setUp(const Experiment &e) {
    for (int c = 0; c < 2; ++c) {
        ChIN[c] = kFontePlaca;
        apagar(c + 1);
    }
    apagar(3);
    apagar(4);
    // One frame on the tube lets the phosphor forget the figure before.
    EnginePanelWidget(Painel_Principal)->grab();
    entrada_op[0] = 0;
    entrada_op[1] = e.coupling2;
    act_voltdiv_sig(e.voltStep, 0);
    act_voltdiv_sig(e.voltStep2, 1);
    act_timediv_sig(e.timeStep);
    placa_tipo = e.board;
    placa_gerador = 0;
    placa_ponto[0] = 0;
    placa_ponto[1] = e.probe2;
    placa_presente[e.board][1] = e.smoothing ? 1 : placa_presente[e.board][1];
    geradorID = 0;
    tipo_onda[0] = e.waveform;
    botao_activo[0] = e.range;
    botao_freq[0] = e.knob;
    amplit[0] = e.amplitude;
    actual_ger();
}

void boardFigures() {
    StartPoweredOn("dual");
    abrir_placa(0);
    EngineSendEvent(Painel_Placa, PLACA_CONFIRMAR, EVENT_COMMIT);
    abrir_placa(1);
    savePanel(Painel_Placa, "dialogo-placa.png");
    EngineSendEvent(Painel_Placa, PLACA_CONFIRMAR, EVENT_COMMIT);
    for (const Experiment &e : kExperiments) {
        setUp(e);
        refresh();
        save(EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR), e.file);
    }
    // The ellipse of the low-pass at its corner: CH I on X, VC on Y.
    StartPoweredOn("xy");
    setUp(kExperiments[0]);
    refresh();
    save(EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR), "placa-rc-xy.png");
}

/// The calibrator example opened for a student and its first task answered wrongly: the
/// exercise panel with its feedback and hints. The example is copied to a scratch folder with a
/// plain name, which the panel shows, so that its result file lands there.
void exerciseFigure() {
    char recursos[vantrel::kPathSize] = {};
    GetResourceDir(recursos);
    QDir pasta(QDir::temp().filePath(QStringLiteral("exercicios")));
    pasta.removeRecursively();
    pasta.mkpath(QStringLiteral("."));
    const auto limpa = qScopeGuard([&pasta] { pasta.removeRecursively(); });
    const QString exemplo = pasta.filePath(QStringLiteral("calibrador.vantrel-ex"));
    QFile::copy(QString::fromLocal8Bit(recursos) + "/docs/exemplos/calibrador.vantrel-ex", exemplo);
    prepara_configuracoes();
    prepara_exercicios();
    if (abre_exercicio(QFile::encodeName(exemplo).constData()) != 0 ||
        comeca_exercicio("Ana Sousa") != 0) {
        report(output.filePath(QStringLiteral("exercicio-aluno.png")), false);
        return;
    }
    RemovePopup(0);
    refresh();
    SetCtrlVal(painel_exercicio(), RESOLVER_RESPOSTA, "1,2 kHz");
    verifica_resposta(0, "1,2 kHz");
    savePanel(painel_exercicio(), "exercicio-aluno.png");
    fecha_exercicio();
}

struct Options {
    UiLanguage language = UiLanguage::Portuguese;
    const char *outputDirectory = nullptr;
};

/// The language and the output folder, or nothing when the command line names neither rightly.
std::optional<Options> parseOptions(int argc, char *argv[]) {
    Options options;
    if (argc == 2) {
        options.outputDirectory = argv[1];
        return options;
    }
    if (argc != 4 || std::strcmp(argv[1], "--lang") != 0) {
        return std::nullopt;
    }
    const std::optional<UiLanguage> language = UiLanguageNamed(QString::fromLocal8Bit(argv[2]));
    if (!language) {
        return std::nullopt;
    }
    options.language = *language;
    options.outputDirectory = argv[3];
    return options;
}

} // namespace

int main(int argc, char *argv[]) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: make_figures [--lang pt|en] OUTPUT_DIRECTORY\n");
        return 2;
    }
    output.setPath(QString::fromLocal8Bit(options->outputDirectory));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_figures: cannot create %s\n", options->outputDirectory);
        return 1;
    }
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    // Before any panel loads, so that every panel is drawn in the chosen language.
    SetUiLanguage(options->language);
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
    triggerFigures();
    testerFigure();
    placa_valores_iniciais();
    boardFigures();
    exerciseFigure();
    CloseCVIRTE();
    return failures == 0 ? 0 : 1;
}
