// True values of the tasks, measured on the instrument's signals as the read-outs measure them.

#include "app/state.h"
#include "board/circuit/boards.h"
#include "engine/translate.h"
#include "exercise/exercise_file.h"
#include "measure/readout.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <string_view>

namespace exercicio {

namespace {

/// One period of a signal and its frequency: a channel's input or a generator's output.
struct Sinal {
    const double *amostras;
    double frequencia;
};

Sinal sinal_de(const Tarefa &t) {
    return t.origem == Origem::Gerador ? Sinal{onda_G[t.indice], freq_G[t.indice]}
                                       : Sinal{onda_entCh[t.indice], freq[t.indice]};
}

double mede(int grandeza, const Sinal &s) {
    return valor_grandeza(grandeza, s.amostras, s.frequencia);
}

Valor falta(const char *motivo) {
    return Valor{std::nullopt, motivo};
}

/// The phase of a period's fundamental, radians.
double fase_fundamental(const double *amostras) {
    std::complex<double> soma;
    for (int i = 0; i < vantrel::kSamples; ++i) {
        soma += amostras[i] * std::polar(1.0, -2.0 * std::numbers::pi * i /
                                                  static_cast<double>(vantrel::kSamples));
    }
    return std::arg(soma);
}

/// The angle between the two channels' fundamentals, 0 .. 180 degrees: which one leads is not
/// asked, since an X-Y figure does not show it.
Valor diferenca_de_fase() {
    if (freq[0] <= 0.0 || freq[0] != freq[1]) {
        return falta(
            QT_TRANSLATE_NOOP("Vantrel", "os dois canais não têm sinais da mesma frequência"));
    }
    if (mede(vantrel::kGrandezaPicoPico, {onda_entCh[0], freq[0]}) == 0.0 ||
        mede(vantrel::kGrandezaPicoPico, {onda_entCh[1], freq[1]}) == 0.0) {
        return falta(QT_TRANSLATE_NOOP("Vantrel", "um dos canais tem um sinal constante"));
    }
    const double graus =
        std::abs(fase_fundamental(onda_entCh[1]) - fase_fundamental(onda_entCh[0])) * 180.0 /
        std::numbers::pi;
    return Valor{graus > 180.0 ? 360.0 - graus : graus, {}};
}

/// R·C of the RC board on the bench, while a channel probes it.
Valor constante_de_tempo() {
    namespace c = vantrel::circuit;
    const bool ligada = ChIN[0] == 5 || ChIN[1] == 5;
    if (!ligada || (placa_tipo != c::kRcLowPass && placa_tipo != c::kRcHighPass)) {
        return falta(QT_TRANSLATE_NOOP("Vantrel", "só se calcula com uma placa RC na bancada, "
                                                  "ligada a um canal"));
    }
    const c::Board &placa = c::kBoards[static_cast<std::size_t>(placa_tipo)];
    double r = 0.0;
    double capacidade = 0.0;
    for (int k = 0; k < placa.componentCount; ++k) {
        const std::string_view nome = placa.components[static_cast<std::size_t>(k)].name;
        const double valor = placa_valores[placa_tipo][k];
        r = nome == "R" ? valor : r;
        capacidade = nome == "C" ? valor : capacidade;
    }
    return Valor{r * capacidade, {}};
}

} // namespace

Valor calcula_valor(const Tarefa &t) {
    if (t.grandeza == Grandeza::Fase) {
        return diferenca_de_fase();
    }
    if (t.grandeza == Grandeza::ConstanteTempo) {
        return constante_de_tempo();
    }
    if (t.grandeza == Grandeza::Livre || t.origem == Origem::Nenhuma || t.indice < 0 ||
        t.indice > 1) {
        return falta(QT_TRANSLATE_NOOP("Vantrel", "não se calcula: o professor tem de o indicar"));
    }
    const Sinal s = sinal_de(t);
    const bool periodica = s.frequencia > 0.0;
    switch (t.grandeza) {
    case Grandeza::Frequencia:
    case Grandeza::Periodo:
        if (!periodica) {
            return falta(QT_TRANSLATE_NOOP("Vantrel", "o sinal é constante: não tem período"));
        }
        return Valor{mede(t.grandeza == Grandeza::Frequencia ? vantrel::kGrandezaFrequencia
                                                             : vantrel::kGrandezaPeriodo,
                          s),
                     {}};
    case Grandeza::PicoPico:
        return Valor{mede(vantrel::kGrandezaPicoPico, s), {}};
    case Grandeza::Amplitude:
        return Valor{mede(vantrel::kGrandezaPicoPico, s) / 2.0, {}};
    case Grandeza::Offset:
        return Valor{mede(vantrel::kGrandezaMedio, s), {}};
    default:
        return falta(QT_TRANSLATE_NOOP("Vantrel", "não se calcula: o professor tem de o indicar"));
    }
}

double valor_verdadeiro(const Tarefa &t) {
    if (t.verdadeiro) {
        return *t.verdadeiro;
    }
    return calcula_valor(t).valor.value_or(std::nan(""));
}

} // namespace exercicio
