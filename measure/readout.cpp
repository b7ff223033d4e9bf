#include "measure/readout.h"

#include "app/state.h"
#include "engine/engine.h"
#include "generator/signal/signal.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <cmath>

namespace {

/// The controls of one channel's read-out on the main panel.
struct Leitura {
    int anel;    ///< quantity ring
    int valor;   ///< numeric value display
    int unidade; ///< unit text
};

constexpr Leitura kLeituras[2] = {
    {PANEL_DADOS_CHI, PANEL_DAD_CHI, PANEL_GRD_NOME1},
    {PANEL_DADOS_CHII, PANEL_DAD_CHII, PANEL_GRD_NOME2},
};

bool grandeza_valida(int grandeza) {
    return grandeza >= vantrel::kGrandezaFrequencia && grandeza <= vantrel::kGrandezaEficaz;
}

void mostra_leitura(int canal) {
    const Leitura &l = kLeituras[canal];
    int grandeza = vantrel::kGrandezaNenhuma;
    GetCtrlVal(Painel_Principal, l.anel, &grandeza);
    if (!grandeza_valida(grandeza)) {
        SetCtrlAttribute(Painel_Principal, l.valor, ATTR_VISIBLE, 0);
        SetCtrlAttribute(Painel_Principal, l.unidade, ATTR_VISIBLE, 0);
        return;
    }
    SetCtrlVal(Painel_Principal, l.valor, valor_grandeza(grandeza, onda_entCh[canal], freq[canal]));
    SetCtrlVal(Painel_Principal, l.unidade, unidade_grandeza(grandeza));
    SetCtrlAttribute(Painel_Principal, l.valor, ATTR_VISIBLE, 1);
    SetCtrlAttribute(Painel_Principal, l.unidade, ATTR_VISIBLE, 1);
}

} // namespace

namespace {

/// A voltage that differs from 0 only by the rounding of the sums over the buffer (the mean of
/// one sampled sine period comes out near 1e-14 V) reads 0: below a billionth of the signal's
/// peak-to-peak, or below a picovolt.
double zero_se_arredondamento(double valor, const double sinal[]) {
    double alto = 0.0;
    double baixo = 0.0;
    int indice = 0;
    MaxMin1D(sinal, vantrel::kSamples, &alto, &indice, &baixo, &indice);
    const double limiar = std::max(1e-12, 1e-9 * (alto - baixo));
    return std::abs(valor) < limiar ? 0.0 : valor;
}

double valor_exacto(int grandeza, const double sinal[], double frequencia) {
    double alto = 0.0;
    double baixo = 0.0;
    int indice = 0;
    double valor = 0.0;
    switch (grandeza) {
    case vantrel::kGrandezaFrequencia:
        return frequencia;
    case vantrel::kGrandezaPeriodo:
        // A constant signal (frequency 0) has an infinite period, shown as such.
        return 1.0 / frequencia;
    case vantrel::kGrandezaPicoPico:
        MaxMin1D(sinal, vantrel::kSamples, &alto, &indice, &baixo, &indice);
        return alto - baixo;
    case vantrel::kGrandezaMaximo:
        MaxMin1D(sinal, vantrel::kSamples, &alto, &indice, &baixo, &indice);
        return alto;
    case vantrel::kGrandezaMinimo:
        MaxMin1D(sinal, vantrel::kSamples, &alto, &indice, &baixo, &indice);
        return baixo;
    case vantrel::kGrandezaMedio:
        Mean(sinal, vantrel::kSamples, &valor);
        return valor;
    case vantrel::kGrandezaEficaz:
        RMS(sinal, vantrel::kSamples, &valor);
        return valor;
    default:
        return 0.0;
    }
}

} // namespace

double valor_grandeza(int grandeza, const double sinal[], double frequencia) {
    const double valor = valor_exacto(grandeza, sinal, frequencia);
    const bool tensao =
        grandeza >= vantrel::kGrandezaPicoPico && grandeza <= vantrel::kGrandezaEficaz;
    return tensao ? zero_se_arredondamento(valor, sinal) : valor;
}

const char *unidade_grandeza(int grandeza) {
    switch (grandeza) {
    case vantrel::kGrandezaFrequencia:
        return "Hz";
    case vantrel::kGrandezaPeriodo:
        return "s";
    case vantrel::kGrandezaPicoPico:
    case vantrel::kGrandezaMaximo:
    case vantrel::kGrandezaMinimo:
    case vantrel::kGrandezaMedio:
    case vantrel::kGrandezaEficaz:
        return "V";
    default:
        return "";
    }
}

int act_dados(int, int, int event, void *, int, int) {
    if (event == EVENT_TIMER_TICK) {
        mostra_leitura(0);
        mostra_leitura(1);
    }
    return 0;
}
