#include "app/startup.h"

#include "app/callbacks.h"
#include "app/command_line.h"
#include "app/exercise_menu.h"
#include "app/install_check.h"
#include "app/language_choice.h"
#include "app/setup_menu.h"
#include "app/state.h"
#include "controls/board_dialog.h"
#include "controls/front_state.h"
#include "engine/engine.h"
#include "generator/generator.h"
#include "help/help.h"
#include "help/menu.h"
#include "sim/autostart.h"
#include "sim/input_routing.h"
#include "ui/uir_constants.h"

#include <QFile>

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr double kSplashSeconds = 3.0;
/// Long enough for a few refreshes of the slowest time-based mode.
constexpr double kScreenshotSettleSeconds = 1.0;

/// One line on standard error: a broken installation must be diagnosable.
void reportStartupFailure() {
    std::fprintf(stderr, "vantrel: cannot start: %s\n", GetEngineErrorText());
}

/// Loads one panel into `handle`; false when the engine refused it.
bool loadInto(int &handle, int parent, const char *file, int number) {
    handle = LoadPanel(parent, file, number);
    return handle >= 0;
}

void showSplash() {
    // The main window opens maximized after the splash: the screen's middle will be its middle.
    SetPanelPos(Painel_Acerca, VAL_AUTO_CENTER, VAL_AUTO_CENTER);
    InstallPopup(Painel_Acerca);
    Delay(kSplashSeconds);
    RemovePopup(0);
    centra_acerca();
}

/// From the running event loop: lets the traces settle, writes the main window to the PNG
/// file named by `picture` and ends the loop with 0, or 1 when the file could not be written.
void saveScreenshot(void *picture) {
    const char *file = static_cast<const char *>(picture);
    Delay(kScreenshotSettleSeconds);
    const int result = SavePanelDisplayToPng(Painel_Principal, file);
    if (result != 0) {
        std::fprintf(stderr, "vantrel: cannot write the screenshot %s\n", file);
    }
    QuitUserInterface(result == 0 ? 0 : 1);
}

} // namespace

int LoadInstrumentPanels() {
    if (!loadInto(Painel_Principal, 0, "oscil.uir", PANEL)) {
        return -1;
    }
    const bool loaded = loadInto(Painel_Xpos, Painel_Principal, "time.uir", PANEL_XPOS) &&
                        loadInto(Painel_Canais, Painel_Principal, "canais.uir", PANEL_CANA) &&
                        loadInto(Painel_CalibX, Painel_Principal, "time.uir", P_CAL_X) &&
                        loadInto(Painel_YcalI, Painel_Principal, "volt.uir", YCAL1) &&
                        loadInto(Painel_YcalII, Painel_Principal, "volt.uir", YCAL2) &&
                        loadInto(Painel_Acerca, Painel_Principal, "acerca.uir", ACERCA);
    if (!loaded) {
        return -1;
    }
    prepara_acerca();
    return 0;
}

void valores_iniciais_osciloscopio() {
    minimo = -300.0;
    maximo = 300.0;
    atraso_orig = -300.0;
    atraso = atraso_orig;

    for (int c = 0; c < 2; ++c) {
        y_offset[c] = 0.0;
        y_calib[c] = 1.0;
        entrada_op[c] = 1;
    }
    calib = 1.0;

    Esc_TempoID = 3;
    Esc_VoltID[0] = 4;
    Esc_VoltID[1] = 4;

    modoxy = 0;
    autot = 1;
    xmag = 1.0;
    trigger_ch = 1;
    dual_op = 0;
    add_op = 0;

    ChIN[0] = 0;
    ChIN[1] = 0;
    placa_valores_iniciais();
    plot_exist[0] = 0;
    plot_exist[1] = 0;
    for (int &shown : canais_ver) {
        shown = 1;
    }

    xC1 = 0.0;
    xC2 = 0.0;
    OPCAO_FOCUS = VAL_THIN_LINE;
    OPCAO_INTENS = MakeColor(25, 210, 200);
    focus_val = 0.0F;
    intens_val = 5;
    for (int c = 0; c < 2; ++c) {
        inversao[c] = 1;
        canais_op[c] = 1;
        dc_val[c] = 0.0;
    }
    slopet = 1;
    // Zero when the program starts; a reset brings them back there too.
    levelt = 0.0;
    vert_op = 0;
    chop_ch = 0;
    trig_acopl = 0;
    trig_ext = 0;
    holdoff = 0.0;
    tvsep = 0;
    testador = 0;
    testador_comp = 2;
    testador_valor[0] = 1000.0;
    testador_valor[1] = 1e-06;
}

int inicializacoes() {
    inicializa_osciloscopio();
    inicializa_geradores();
    return 0;
}

void inicializa_osciloscopio() {
    valores_iniciais_osciloscopio();
    SetPanelAttribute(Painel_Principal, ATTR_WINDOW_ZOOM, VAL_MAXIMIZE);
    SetCtrlVal(Painel_Principal, PANEL_LEDPOWER, Ligado);
    seguir_entradas(Ligado);
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_XAXIS, VAL_MANUAL, minimo, maximo);
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_LEFT_YAXIS, VAL_MANUAL, -10.0, 10.0);
    SetCtrlAttribute(Painel_Xpos, PANEL_XPOS_XPOS, ATTR_MAX_VALUE, 120.0);
    SetCtrlAttribute(Painel_Xpos, PANEL_XPOS_XPOS, ATTR_MIN_VALUE, -120.0);
    SetCtrlAttribute(Painel_Xpos, PANEL_XPOS_XPOS, ATTR_INCR_VALUE, 6.0);
    mostra_frontal();
}

void inicializa_geradores() {
    if (iniciar_gerador() != 0) {
        // The instrument runs on; only the generator panels are missing.
        std::fprintf(stderr, "vantrel: the generator panels are unavailable: %s\n",
                     GetEngineErrorText());
    }
    geradorID = 0;
    actual_ger();
    geradorID = 1;
    actual_ger();
}

int QuitCallback(int, int, int event, void *, int, int) {
    switch (event) {
    case EVENT_COMMIT:
        if (confirma_saida()) {
            QuitUserInterface(0);
        }
        break;
    case EVENT_RIGHT_CLICK:
        help_O(7);
        break;
    default:
        break;
    }
    return 0;
}

void Sair_prog(int, int, void *, int) {
    if (confirma_saida()) {
        QuitUserInterface(0);
    }
}

int VantrelMain(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // The remembered language speaks first (a refused command line is told in it); --lang
    // overrides it for this run only.
    SetUiLanguage(RememberedUiLanguage());
    const CommandLine line = ParseCommandLine(arguments);
    if (const std::optional<UiLanguage> chosen = UiLanguageNamed(line.language)) {
        SetUiLanguage(*chosen);
    }
    if (const std::optional<int> answered = AnswerWithoutWindow(line)) {
        return *answered;
    }
    ChooseHeadlessPlatform(line);
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return -1;
    }
    RegisterInstrumentCallbacks();
    SetStrictCallbackResolution(1);
    if (LoadInstrumentPanels() != 0) {
        reportStartupFailure();
        CloseCVIRTE();
        return -1;
    }
    inicializa_osciloscopio();
    if (line.checkInstall) {
        inicializa_geradores();
        const int result = CheckInstallation();
        CloseCVIRTE();
        return result;
    }
    if (line.afterglow) {
        // The phosphor keeps a fading trace for about a tenth of a second.
        SetGraphAfterglow(Painel_Principal, PANEL_MOSTRAR, 1);
    }
    if (!line.noSplash) {
        showSplash();
    }
    // Lives until the program ends: the deferred call reads it from the event loop.
    const QByteArray picture = QFile::encodeName(line.screenshot);
    if (!picture.isEmpty()) {
        // The published picture shows the panel at its own size, whatever the screen.
        SetPanelAttribute(Painel_Principal, ATTR_WINDOW_ZOOM, VAL_NO_ZOOM);
    }
    DisplayPanel(Painel_Principal);
    // The window comes up first: the generators' panels are not on it until opened, and the
    // event loop (the first use of their buffers) starts only after them.
    ProcessDrawEvents();
    inicializa_geradores();
    prepara_configuracoes();
    prepara_exercicios();
    if (!line.powerOn.isEmpty()) {
        const QByteArray mode = line.powerOn.toLocal8Bit();
        if (StartPoweredOn(mode.constData()) != 0) {
            std::fprintf(stderr, "vantrel: unknown --power-on mode \"%s\"\n", mode.constData());
        }
        mostra_frontal();
    }
    if (!line.setupFile.isEmpty()) {
        const QByteArray ficheiro = QFile::encodeName(line.setupFile);
        if (e_exercicio(ficheiro.toStdString())) {
            abre_exercicio(ficheiro.constData());
        } else {
            abre_configuracao(ficheiro.constData());
        }
    }
    if (!picture.isEmpty()) {
        PostDeferredCall(saveScreenshot, const_cast<char *>(picture.constData()));
    }
    const int result = RunUserInterface();
    CloseCVIRTE();
    return !picture.isEmpty() ? result : 0;
}
