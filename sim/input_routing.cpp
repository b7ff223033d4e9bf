#include "sim/input_routing.h"

#include "app/state.h"
#include "board/board.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "generator/signal/signal.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <array>

namespace {

/// Values of `ChIN`.
enum Source : int {
    kOff = 0,
    kGenerator = 1,
    kSpreadsheet = 2,
    kCal02 = 3,
    kCal2 = 4,
    kBoard = 5,
    kOtherSync = 6
};

static_assert(vantrel::board::kSamples == vantrel::kSamples);
static_assert(vantrel::kPlacas == vantrel::circuit::kBoardCount);
static_assert(vantrel::kComponentesPlaca == vantrel::circuit::kMaxComponents);
static_assert(kTrigExtSources == kTrigExtBoard + vantrel::circuit::kMaxProbes);

/// The boards' names as the main panel's source field has room for them (20 characters with
/// the point), in the circuit library's order.
constexpr std::array<const char *, vantrel::kPlacas> kNomeCurto{
    QT_TRANSLATE_NOOP("Vantrel", "Divisor"),    QT_TRANSLATE_NOOP("Vantrel", "Passa-baixo"),
    QT_TRANSLATE_NOOP("Vantrel", "Passa-alto"), QT_TRANSLATE_NOOP("Vantrel", "RLC série"),
    QT_TRANSLATE_NOOP("Vantrel", "Meia onda"),  QT_TRANSLATE_NOOP("Vantrel", "Ponte"),
    QT_TRANSLATE_NOOP("Vantrel", "Limitador"),  "Zener"};

/// Solve status that each channel's name on the main panel shows, so that the name is written
/// again only when it changes.
int estadoMostrado[2] = {0, 0};

/// Frequency of both calibrator outputs, Hz.
constexpr double kCalibratorHz = 1000.0;

/// One period of the calibrator square wave: the first half low, the second half high.
void fillCalibrator(double *buffer, double level) {
    std::fill(buffer, buffer + vantrel::kSamples / 2, -level);
    std::fill(buffer + vantrel::kSamples / 2, buffer + vantrel::kSamples, level);
}

/// Channel c's probe of the board. "Entrada" is the driving generator's buffer itself; a probe
/// whose solve failed shows a flat line, as a disconnected input does, and the main panel says
/// so beside the board's name.
void routeBoard(int c, double *buffer) {
    const int g = placa_gerador;
    freq[c] = freq_G[g];
    if (placa_ponto[c] == 0) {
        std::copy_n(onda_G[g], vantrel::kSamples, buffer);
        return;
    }
    const int estado = placa_resolve();
    const double *probe = vantrel::board::bancada().probe(placa_ponto[c]);
    if (probe != nullptr) {
        std::copy_n(probe, vantrel::kSamples, buffer);
    } else {
        Clear1D(buffer, vantrel::kSamples);
    }
    if (estado != estadoMostrado[c]) {
        mostra_fonte_placa(c);
    }
}

/// Point `ponto` of the board on the bench, as a channel probing it sees it. False for a point
/// the board lacks or a solve that failed.
bool pontoPlaca(int ponto, double *buffer, double *hz) {
    if (ponto < 0 || ponto >= vantrel::circuit::kBoards[placa_tipo].probeCount) {
        return false;
    }
    const int g = placa_gerador;
    if (ponto == 0) {
        std::copy_n(onda_G[g], vantrel::kSamples, buffer);
    } else {
        const double *probe =
            placa_resolve() == 0 ? vantrel::board::bancada().probe(ponto) : nullptr;
        if (probe == nullptr) {
            return false;
        }
        std::copy_n(probe, vantrel::kSamples, buffer);
    }
    *hz = freq_G[g];
    return true;
}

void routeChannel(int c) {
    double *buffer = onda_entCh[c];
    switch (ChIN[c]) {
    case kOff:
        // A disconnected input keeps the frequency of its last source.
        Clear1D(buffer, vantrel::kSamples);
        break;
    case kGenerator:
        // Generator 1 feeds CH I and generator 2 feeds CH II.
        std::copy_n(onda_G[c], vantrel::kSamples, buffer);
        freq[c] = freq_G[c];
        break;
    case kSpreadsheet:
        std::copy_n(onda_E[c], vantrel::kSamples, buffer);
        freq[c] = freq_E[c];
        break;
    case kCal02:
        fillCalibrator(buffer, 0.1);
        freq[c] = kCalibratorHz;
        break;
    case kCal2:
        fillCalibrator(buffer, 1.0);
        freq[c] = kCalibratorHz;
        break;
    case kBoard:
        routeBoard(c, buffer);
        break;
    case kOtherSync:
        // The SYNC output of the other channel's generator: CH I takes generator 2's.
        std::copy_n(onda_sync[1 - c], vantrel::kSamples, buffer);
        freq[c] = freq_G[1 - c];
        break;
    default:
        break;
    }
}

} // namespace

bool fonte_disparo(int fonte, double *buffer, double *hz) {
    switch (fonte) {
    case kTrigExtGen1:
    case kTrigExtGen2:
        std::copy_n(onda_G[fonte - kTrigExtGen1], vantrel::kSamples, buffer);
        *hz = freq_G[fonte - kTrigExtGen1];
        return true;
    case kTrigExtCal02:
    case kTrigExtCal2:
        fillCalibrator(buffer, fonte == kTrigExtCal02 ? 0.1 : 1.0);
        *hz = kCalibratorHz;
        return true;
    case kTrigExtSync1:
    case kTrigExtSync2:
        std::copy_n(onda_sync[fonte - kTrigExtSync1], vantrel::kSamples, buffer);
        *hz = freq_G[fonte - kTrigExtSync1];
        return true;
    default:
        return fonte >= kTrigExtBoard && fonte < kTrigExtSources &&
               pontoPlaca(fonte - kTrigExtBoard, buffer, hz);
    }
}

int placa_resolve() {
    std::array<double, vantrel::kComponentesPlaca> valores{};
    for (int k = 0; k < vantrel::kComponentesPlaca; ++k) {
        valores[k] = placa_presente[placa_tipo][k] != 0 ? placa_valores[placa_tipo][k] : 0.0;
    }
    return vantrel::board::bancada().update(placa_tipo, valores.data(), onda_G[placa_gerador],
                                            freq_G[placa_gerador]);
}

std::string placa_nome(int canal) {
    const std::string placa = Tr(kNomeCurto[static_cast<std::size_t>(placa_tipo)]);
    if (placa_ponto[canal] != 0 && placa_resolve() != 0) {
        return placa + Tr(QT_TRANSLATE_NOOP("Vantrel", ": não convergiu"));
    }
    return placa_ponto_nome(placa_ponto[canal]);
}

std::string placa_ponto_nome(int ponto) {
    const auto &placa = vantrel::circuit::kBoards[placa_tipo];
    if (ponto < 0 || ponto >= placa.probeCount) {
        return {};
    }
    return std::string(Tr(kNomeCurto[static_cast<std::size_t>(placa_tipo)])) + ": " +
           Tr(placa.probes[ponto]);
}

void mostra_fonte_placa(int canal) {
    SetCtrlVal(Painel_Principal, canal == 0 ? PANEL_STRING_CH1 : PANEL_STRING_CH2,
               placa_nome(canal).c_str());
    estadoMostrado[canal] = placa_ponto[canal] != 0 ? placa_resolve() : 0;
}

int act_entr(int /*panel*/, int /*control*/, int event, void * /*callbackData*/, int /*eventData1*/,
             int /*eventData2*/) {
    if (event != EVENT_TIMER_TICK) {
        return 0;
    }
    routeChannel(0);
    routeChannel(1);
    return 0;
}

void seguir_entradas(int on) {
    SetTimerDozing(Painel_Principal, PANEL_TIMER_3, on == 0 ? 1 : 0);
}
