#include "exercise/authoring.h"

#include "engine/translate.h"
#include "exercise/answers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace exercicio {

namespace {

constexpr auto kSorteaveis = std::to_array<Sorteavel>({
    {"generators[0].frequency",
     QT_TRANSLATE_NOOP("Vantrel", "Gerador 1: frequência (botão, 0 a 2)")},
    {"generators[0].amplitude", QT_TRANSLATE_NOOP("Vantrel", "Gerador 1: amplitude (V)")},
    {"generators[0].offset", QT_TRANSLATE_NOOP("Vantrel", "Gerador 1: offset (V)")},
    {"generators[0].phase", QT_TRANSLATE_NOOP("Vantrel", "Gerador 1: fase (°)")},
    {"generators[1].frequency",
     QT_TRANSLATE_NOOP("Vantrel", "Gerador 2: frequência (botão, 0 a 2)")},
    {"generators[1].amplitude", QT_TRANSLATE_NOOP("Vantrel", "Gerador 2: amplitude (V)")},
    {"generators[1].offset", QT_TRANSLATE_NOOP("Vantrel", "Gerador 2: offset (V)")},
    {"generators[1].phase", QT_TRANSLATE_NOOP("Vantrel", "Gerador 2: fase (°)")},
    {"channels[0].position", QT_TRANSLATE_NOOP("Vantrel", "CH I: Y-POS (divisões)")},
    {"channels[1].position", QT_TRANSLATE_NOOP("Vantrel", "CH II: Y-POS (divisões)")},
    {"oscilloscope.trigger_level", QT_TRANSLATE_NOOP("Vantrel", "LEVEL do disparo")},
});

bool precisa_de_alvo(Grandeza grandeza) {
    return grandeza != Grandeza::Fase && grandeza != Grandeza::ConstanteTempo &&
           grandeza != Grandeza::Livre;
}

/// The hints of a text: separated by '|' or line breaks, blanks at either end dropped.
std::vector<std::string> dicas_de(const std::string &texto) {
    std::vector<std::string> resultado;
    std::size_t inicio = 0;
    while (inicio <= texto.size()) {
        const std::size_t fim = std::min(texto.find_first_of("|\n", inicio), texto.size());
        std::string linha = texto.substr(inicio, fim - inicio);
        std::erase(linha, '\r');
        const auto primeiro = linha.find_first_not_of(" \t");
        if (primeiro != std::string::npos) {
            resultado.push_back(
                linha.substr(primeiro, linha.find_last_not_of(" \t") - primeiro + 1));
        }
        inicio = fim + 1;
    }
    return resultado;
}

bool so_espacos(const std::string &texto) {
    return texto.find_first_not_of(" \t\r\n") == std::string::npos;
}

/// The range of the set-up setting `definicao` ("generators[1].amplitude").
std::optional<setup::Intervalo> intervalo_de(const std::string &definicao) {
    for (const Sorteavel &s : kSorteaveis) {
        if (definicao != s.definicao) {
            continue;
        }
        const std::string chave = definicao.substr(definicao.find('.') + 1);
        for (const setup::Campo &campo : setup::campos()) {
            if (chave == campo.chave) {
                return setup::Intervalo{campo.minimo, campo.maximo};
            }
        }
    }
    return std::nullopt;
}

} // namespace

const char *unidade_base(Grandeza grandeza) {
    switch (grandeza) {
    case Grandeza::Frequencia:
        return "Hz";
    case Grandeza::Periodo:
    case Grandeza::ConstanteTempo:
        return "s";
    case Grandeza::PicoPico:
    case Grandeza::Amplitude:
    case Grandeza::Offset:
        return "V";
    case Grandeza::Fase:
        return "°";
    case Grandeza::Livre:
        return "";
    }
    return "";
}

std::optional<Recusa> constroi_tarefa(const TarefaEscrita &escrita, Tarefa &tarefa) {
    Tarefa nova;
    const char *kPergunta = QT_TRANSLATE_NOOP("Vantrel", "Pergunta");
    if (so_espacos(escrita.pergunta)) {
        return Recusa{kPergunta, QT_TRANSLATE_NOOP("Vantrel", "falta o texto da pergunta"), {}};
    }
    if (escrita.pergunta.size() > kMaximoTexto) {
        return Recusa{kPergunta, QT_TRANSLATE_NOOP("Vantrel", "é demasiado longa"), {}};
    }
    nova.pergunta = escrita.pergunta;
    nova.grandeza = escrita.grandeza;
    const char *kMedida = QT_TRANSLATE_NOOP("Vantrel", "Medida em");
    const bool com_alvo = escrita.alvo != Alvo::Nenhum;
    if (precisa_de_alvo(escrita.grandeza) && !com_alvo) {
        return Recusa{kMedida,
                      QT_TRANSLATE_NOOP("Vantrel",
                                        "esta grandeza mede-se num canal ou num gerador: "
                                        "escolha um"),
                      {}};
    }
    if ((escrita.grandeza == Grandeza::Fase || escrita.grandeza == Grandeza::ConstanteTempo) &&
        com_alvo) {
        return Recusa{kMedida,
                      QT_TRANSLATE_NOOP("Vantrel", "a fase (entre CH I e CH II) e a constante de "
                                                   "tempo (da placa RC) não se medem num só canal "
                                                   "ou gerador: escolha «—»"),
                      {}};
    }
    if (com_alvo) {
        const bool canal = escrita.alvo == Alvo::Canal1 || escrita.alvo == Alvo::Canal2;
        nova.origem = canal ? Origem::Canal : Origem::Gerador;
        nova.indice = escrita.alvo == Alvo::Canal2 || escrita.alvo == Alvo::Gerador2 ? 1 : 0;
    }
    const bool livre = escrita.grandeza == Grandeza::Livre;
    nova.unidade = livre ? escrita.unidade : unidade_base(escrita.grandeza);
    if (nova.unidade.size() > kMaximoTexto) {
        return Recusa{QT_TRANSLATE_NOOP("Vantrel", "Unidade"),
                      QT_TRANSLATE_NOOP("Vantrel", "é demasiado longa"),
                      {}};
    }
    if (!so_espacos(escrita.verdadeiro)) {
        const Resposta lida = le_resposta(escrita.verdadeiro, nova.unidade);
        if (!lida.valor || !std::isfinite(*lida.valor)) {
            return Recusa{QT_TRANSLATE_NOOP("Vantrel", "Valor verdadeiro"),
                          QT_TRANSLATE_NOOP("Vantrel", "não é um número na unidade da grandeza "
                                                       "(por exemplo 2,5 kHz), nem vazio para "
                                                       "«calculado»"),
                          escrita.verdadeiro};
        }
        nova.verdadeiro = *lida.valor;
    } else if (livre) {
        return Recusa{QT_TRANSLATE_NOOP("Vantrel", "Valor verdadeiro"),
                      QT_TRANSLATE_NOOP("Vantrel", "uma resposta livre não se calcula: escreva o "
                                                   "valor verdadeiro"),
                      {}};
    }
    const char *kTolerancia = QT_TRANSLATE_NOOP("Vantrel", "Tolerância");
    const Resposta tolerancia =
        le_resposta(escrita.tolerancia, escrita.percentual ? "%" : nova.unidade);
    if (!tolerancia.valor || !std::isfinite(*tolerancia.valor)) {
        return Recusa{kTolerancia,
                      QT_TRANSLATE_NOOP("Vantrel", "não é um número (por exemplo 5 ou 0,2)"),
                      escrita.tolerancia};
    }
    if (*tolerancia.valor < 0.0) {
        return Recusa{kTolerancia, QT_TRANSLATE_NOOP("Vantrel", "não pode ser negativa"),
                      escrita.tolerancia};
    }
    if (escrita.percentual && *tolerancia.valor > 100.0) {
        return Recusa{kTolerancia, QT_TRANSLATE_NOOP("Vantrel", "passa de 100 %"),
                      escrita.tolerancia};
    }
    nova.tolerancia = *tolerancia.valor;
    nova.percentual = escrita.percentual;
    nova.dicas = dicas_de(escrita.dicas);
    const char *kDicas = QT_TRANSLATE_NOOP("Vantrel", "Dicas");
    if (nova.dicas.size() > kMaximoDicas) {
        return Recusa{kDicas, QT_TRANSLATE_NOOP("Vantrel", "são mais de 10"), {}};
    }
    if (std::any_of(nova.dicas.begin(), nova.dicas.end(),
                    [](const std::string &d) { return d.size() > kMaximoTexto; })) {
        return Recusa{kDicas, QT_TRANSLATE_NOOP("Vantrel", "uma delas é demasiado longa"), {}};
    }
    tarefa = std::move(nova);
    return std::nullopt;
}

std::span<const Sorteavel> sorteaveis() {
    return kSorteaveis;
}

std::optional<Recusa> constroi_aleatorio(const AleatorioEscrito &escrita,
                                         std::span<const Aleatorio> ja_sorteados,
                                         Aleatorio &aleatorio) {
    const char *kDefinicao = QT_TRANSLATE_NOOP("Vantrel", "Regulação sorteada");
    const std::optional<setup::Intervalo> limites = intervalo_de(escrita.definicao);
    if (!limites) {
        return Recusa{kDefinicao, QT_TRANSLATE_NOOP("Vantrel", "não é uma das que se sorteiam"),
                      escrita.definicao};
    }
    if (std::any_of(ja_sorteados.begin(), ja_sorteados.end(),
                    [&](const Aleatorio &a) { return a.definicao == escrita.definicao; })) {
        return Recusa{kDefinicao, QT_TRANSLATE_NOOP("Vantrel", "já é sorteada"), {}};
    }
    if (ja_sorteados.size() >= kMaximoAleatorios) {
        return Recusa{
            kDefinicao, QT_TRANSLATE_NOOP("Vantrel", "já há 20 regulações sorteadas"), {}};
    }
    Aleatorio novo{escrita.definicao, 0.0, 0.0};
    const std::array<std::pair<const std::string *, double *>, 2> extremos{
        {{&escrita.minimo, &novo.minimo}, {&escrita.maximo, &novo.maximo}}};
    for (const auto &[texto, valor] : extremos) {
        const char *campo = valor == &novo.minimo ? QT_TRANSLATE_NOOP("Vantrel", "Mínimo")
                                                  : QT_TRANSLATE_NOOP("Vantrel", "Máximo");
        const Resposta lida = le_resposta(*texto, "");
        if (!lida.valor || !std::isfinite(*lida.valor)) {
            return Recusa{campo, QT_TRANSLATE_NOOP("Vantrel", "não é um número"), *texto};
        }
        if (*lida.valor < limites->minimo || *lida.valor > limites->maximo) {
            return Recusa{campo,
                          QT_TRANSLATE_NOOP("Vantrel", "está fora do alcance dessa regulação"),
                          *texto};
        }
        *valor = *lida.valor;
    }
    if (novo.minimo >= novo.maximo) {
        return Recusa{QT_TRANSLATE_NOOP("Vantrel", "Máximo"),
                      QT_TRANSLATE_NOOP("Vantrel", "tem de ser maior do que o mínimo"),
                      escrita.maximo};
    }
    aleatorio = std::move(novo);
    return std::nullopt;
}

std::optional<Recusa> verifica_exercicio(const Exercicio &exercicio) {
    const char *kTarefas = QT_TRANSLATE_NOOP("Vantrel", "Tarefas");
    if (exercicio.tarefas.empty()) {
        return Recusa{kTarefas,
                      QT_TRANSLATE_NOOP("Vantrel", "o exercício não tem nenhuma tarefa: junte "
                                                   "pelo menos uma"),
                      {}};
    }
    if (exercicio.tarefas.size() > kMaximoTarefas) {
        return Recusa{kTarefas, QT_TRANSLATE_NOOP("Vantrel", "são mais de 50"), {}};
    }
    return std::nullopt;
}

} // namespace exercicio
