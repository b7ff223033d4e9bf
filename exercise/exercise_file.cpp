#include "exercise/exercise_file.h"

#include "engine/translate.h"
#include "exercise/answers.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <utility>

namespace exercicio {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr const char *kTipo = "vantrel-exercise";
constexpr const char *kCalculado = "computed";
/// A set-up nests 4 deep; the exercise adds one level around it.
constexpr int kProfundidadeMaxima = 10;

constexpr std::array<std::pair<Grandeza, const char *>, 8> kGrandezas{{
    {Grandeza::Frequencia, "frequency"},
    {Grandeza::Periodo, "period"},
    {Grandeza::PicoPico, "peak_to_peak"},
    {Grandeza::Amplitude, "amplitude"},
    {Grandeza::Offset, "offset"},
    {Grandeza::Fase, "phase"},
    {Grandeza::ConstanteTempo, "time_constant"},
    {Grandeza::Livre, "free"},
}};

/// A randomised setting's place in the set-up's values.
struct Lugar {
    std::size_t campo;
    std::size_t elemento;
};

std::string caminho_de(const setup::Campo &campo, int instancia) {
    switch (campo.grupo) {
    case setup::Grupo::Osciloscopio:
        return std::string("oscilloscope.") + campo.chave;
    case setup::Grupo::Canais:
        return "channels[" + std::to_string(instancia) + "]." + campo.chave;
    case setup::Grupo::Geradores:
        return "generators[" + std::to_string(instancia) + "]." + campo.chave;
    case setup::Grupo::Testador:
        return std::string("tester.") + campo.chave;
    case setup::Grupo::Placa:
        return std::string("board.") + campo.chave;
    }
    return {};
}

/// Only settings of one number can be drawn: a waveform's samples cannot.
std::optional<Lugar> lugar_de(std::string_view definicao) {
    const auto campos = setup::campos();
    for (std::size_t c = 0; c < campos.size(); ++c) {
        const bool por_canal =
            campos[c].grupo == setup::Grupo::Canais || campos[c].grupo == setup::Grupo::Geradores;
        const int instancias = por_canal ? 2 : 1;
        for (int n = 0; n < instancias && campos[c].quantos == 1; ++n) {
            if (caminho_de(campos[c], n) == definicao) {
                return Lugar{c, static_cast<std::size_t>(n)};
            }
        }
    }
    return std::nullopt;
}

bool inteiro(const setup::Campo &campo) {
    return std::holds_alternative<int *>(campo.global);
}

/// The first fault found while a file is checked.
struct Verificacao {
    LeituraExercicio &leitura;
    bool falha(std::string campo, std::string motivo) {
        leitura.campo = std::move(campo);
        leitura.motivo = std::move(motivo);
        return false;
    }
};

bool chaves_conhecidas(const json &objeto, std::initializer_list<std::string_view> conhecidas,
                       const std::string &prefixo, Verificacao &v) {
    for (const auto &item : objeto.items()) {
        bool conhecida = false;
        for (const std::string_view c : conhecidas) {
            conhecida = conhecida || item.key() == c;
        }
        if (!conhecida) {
            return v.falha(prefixo.empty() ? item.key() : prefixo + "." + item.key(),
                           QT_TRANSLATE_NOOP("Vantrel", "não é conhecido"));
        }
    }
    return true;
}

bool le_numero(const json &valor, const std::string &nome, double &saida, Verificacao &v) {
    if (!valor.is_number()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um número"));
    }
    saida = valor.get<double>();
    if (!std::isfinite(saida)) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um número finito"));
    }
    return true;
}

bool le_logico(const json &objeto, const char *chave, const std::string &prefixo, bool &saida,
               Verificacao &v) {
    const auto it = objeto.find(chave);
    if (it == objeto.end()) {
        return true;
    }
    if (!it->is_boolean()) {
        return v.falha(prefixo + "." + chave, QT_TRANSLATE_NOOP("Vantrel", "não é true nem false"));
    }
    saida = it->get<bool>();
    return true;
}

bool le_texto(const json &valor, const std::string &nome, std::string &saida, Verificacao &v) {
    if (!valor.is_string()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um texto"));
    }
    saida = valor.get<std::string>();
    if (saida.size() > kMaximoTexto) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "é demasiado longo"));
    }
    return true;
}

/// A list of at most `maximo` elements.
bool le_lista(const json &valor, const std::string &nome, std::size_t maximo, Verificacao &v) {
    if (!valor.is_array()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é uma lista"));
    }
    if (valor.size() > maximo) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "tem elementos a mais"));
    }
    return true;
}

bool le_tipo_e_formato(const json &raiz, Verificacao &v) {
    const auto tipo = raiz.find("kind");
    if (tipo == raiz.end() || *tipo != kTipo) {
        return v.falha("kind", QT_TRANSLATE_NOOP("Vantrel", "não indica um exercício do Vantrel"));
    }
    const auto formato = raiz.find("format");
    if (formato == raiz.end() || !formato->is_number_integer() || formato->get<long long>() < 1) {
        return v.falha("format", QT_TRANSLATE_NOOP("Vantrel", "não é um número de formato"));
    }
    if (formato->get<long long>() > kFormatoExercicio) {
        return v.falha("format",
                       QT_TRANSLATE_NOOP("Vantrel", "indica um formato mais recente do que o que "
                                                    "este programa lê"));
    }
    return true;
}

bool le_configuracao_interna(const json &raiz, const setup::Valores &iniciais, Exercicio &ex,
                             Verificacao &v) {
    const auto it = raiz.find("setup");
    if (it == raiz.end() || !it->is_object()) {
        return v.falha("setup", QT_TRANSLATE_NOOP("Vantrel", "falta ou não é um objeto"));
    }
    // The set-up's own reader checks it, so both files follow one schema.
    const setup::Leitura leitura = setup::le_configuracao(it->dump(), iniciais);
    if (!leitura.valida) {
        v.leitura.modelo = leitura.modelo;
        v.leitura.argumentos[0] = leitura.argumentos[0];
        v.leitura.argumentos[1] = leitura.argumentos[1];
        return v.falha(leitura.campo.empty() ? "setup" : "setup." + leitura.campo, leitura.motivo);
    }
    ex.configuracao = leitura.valores;
    return true;
}

bool le_oculto(const json &raiz, Oculto &oculto, Verificacao &v) {
    const auto it = raiz.find("hidden");
    if (it == raiz.end()) {
        return true;
    }
    if (!it->is_object()) {
        return v.falha("hidden", QT_TRANSLATE_NOOP("Vantrel", "não é um objeto"));
    }
    return chaves_conhecidas(*it, {"readouts", "generator_locked", "source_names"}, "hidden", v) &&
           le_logico(*it, "readouts", "hidden", oculto.leituras, v) &&
           le_logico(*it, "generator_locked", "hidden", oculto.gerador_bloqueado, v) &&
           le_logico(*it, "source_names", "hidden", oculto.nomes_fontes, v);
}

bool le_aleatorio(const json &objeto, const std::string &nome, Aleatorio &a, Verificacao &v) {
    if (!objeto.is_object()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um objeto"));
    }
    if (!chaves_conhecidas(objeto, {"setting", "minimum", "maximum"}, nome, v)) {
        return false;
    }
    for (const char *chave : {"setting", "minimum", "maximum"}) {
        if (!objeto.contains(chave)) {
            return v.falha(nome + "." + chave, QT_TRANSLATE_NOOP("Vantrel", "falta"));
        }
    }
    if (!le_texto(objeto["setting"], nome + ".setting", a.definicao, v) ||
        !le_numero(objeto["minimum"], nome + ".minimum", a.minimo, v) ||
        !le_numero(objeto["maximum"], nome + ".maximum", a.maximo, v)) {
        return false;
    }
    const std::optional<Lugar> lugar = lugar_de(a.definicao);
    if (!lugar) {
        return v.falha(nome + ".setting",
                       QT_TRANSLATE_NOOP("Vantrel", "não é uma definição que possa ser sorteada"));
    }
    const setup::Campo &campo = setup::campos()[lugar->campo];
    // Switches and settings with a few allowed values are chosen, not drawn.
    if (!campo.permitidos.empty() || (inteiro(campo) && campo.maximo - campo.minimo <= 1)) {
        return v.falha(nome + ".setting",
                       QT_TRANSLATE_NOOP("Vantrel", "não é uma definição que possa ser sorteada"));
    }
    if (a.minimo > a.maximo || a.minimo < campo.minimo || a.maximo > campo.maximo) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "tem um intervalo impossível"));
    }
    if (inteiro(campo) && (a.minimo != std::floor(a.minimo) || a.maximo != std::floor(a.maximo))) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não tem limites inteiros"));
    }
    return true;
}

bool le_aleatorios(const json &raiz, Exercicio &ex, Verificacao &v) {
    const auto it = raiz.find("random");
    if (it == raiz.end()) {
        return true;
    }
    if (!le_lista(*it, "random", kMaximoAleatorios, v)) {
        return false;
    }
    for (std::size_t i = 0; i < it->size(); ++i) {
        Aleatorio a;
        if (!le_aleatorio((*it)[i], "random[" + std::to_string(i) + "]", a, v)) {
            return false;
        }
        ex.aleatorios.push_back(std::move(a));
    }
    return true;
}

/// "channel" or "generator": required where the quantity is measured on one signal, refused
/// where it is measured between both or on the board.
bool le_origem(const json &objeto, const std::string &nome, Tarefa &t, Verificacao &v) {
    const bool canal = objeto.contains("channel");
    const bool gerador = objeto.contains("generator");
    if (canal && gerador) {
        return v.falha(nome + ".generator",
                       QT_TRANSLATE_NOOP("Vantrel", "não pode vir com «channel»"));
    }
    const bool de_um_sinal = t.grandeza != Grandeza::Fase &&
                             t.grandeza != Grandeza::ConstanteTempo &&
                             t.grandeza != Grandeza::Livre;
    if (!canal && !gerador) {
        return !de_um_sinal || v.falha(nome + ".channel", QT_TRANSLATE_NOOP("Vantrel", "falta"));
    }
    const std::string chave = canal ? "channel" : "generator";
    if (t.grandeza == Grandeza::Fase || t.grandeza == Grandeza::ConstanteTempo) {
        return v.falha(nome + "." + chave,
                       QT_TRANSLATE_NOOP("Vantrel", "não se aplica a esta grandeza"));
    }
    const json &valor = objeto[chave];
    if (!valor.is_number_integer() || (valor != 0 && valor != 1)) {
        return v.falha(nome + "." + chave, QT_TRANSLATE_NOOP("Vantrel", "não é 0 nem 1"));
    }
    t.origem = canal ? Origem::Canal : Origem::Gerador;
    t.indice = valor.get<int>();
    return true;
}

bool le_valor_e_tolerancia(const json &objeto, const std::string &nome, Tarefa &t, Verificacao &v) {
    for (const char *chave : {"true_value", "tolerance"}) {
        if (!objeto.contains(chave)) {
            return v.falha(nome + "." + chave, QT_TRANSLATE_NOOP("Vantrel", "falta"));
        }
    }
    const json &valor = objeto["true_value"];
    if (valor == kCalculado) {
        if (t.grandeza == Grandeza::Livre) {
            return v.falha(nome + ".true_value",
                           QT_TRANSLATE_NOOP("Vantrel", "não pode ser calculado numa resposta "
                                                        "livre"));
        }
    } else {
        double numero = 0.0;
        if (!le_numero(valor, nome + ".true_value", numero, v)) {
            return false;
        }
        t.verdadeiro = numero;
    }
    if (!le_numero(objeto["tolerance"], nome + ".tolerance", t.tolerancia, v)) {
        return false;
    }
    if (t.tolerancia < 0.0) {
        return v.falha(nome + ".tolerance", QT_TRANSLATE_NOOP("Vantrel", "é negativa"));
    }
    return le_logico(objeto, "tolerance_percent", nome, t.percentual, v);
}

bool le_dicas(const json &objeto, const std::string &nome, Tarefa &t, Verificacao &v) {
    const auto it = objeto.find("hints");
    if (it == objeto.end()) {
        return true;
    }
    if (!le_lista(*it, nome + ".hints", kMaximoDicas, v)) {
        return false;
    }
    for (std::size_t i = 0; i < it->size(); ++i) {
        if (!le_texto((*it)[i], nome + ".hints[" + std::to_string(i) + "]", t.dicas.emplace_back(),
                      v)) {
            return false;
        }
    }
    return true;
}

bool le_tarefa(const json &objeto, const std::string &nome, Tarefa &t, Verificacao &v) {
    if (!objeto.is_object()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um objeto"));
    }
    if (!chaves_conhecidas(objeto,
                           {"question", "quantity", "channel", "generator", "unit", "true_value",
                            "tolerance", "tolerance_percent", "hints"},
                           nome, v)) {
        return false;
    }
    for (const char *chave : {"question", "quantity", "unit"}) {
        if (!objeto.contains(chave)) {
            return v.falha(nome + "." + chave, QT_TRANSLATE_NOOP("Vantrel", "falta"));
        }
    }
    std::string quantidade;
    if (!le_texto(objeto["question"], nome + ".question", t.pergunta, v) ||
        !le_texto(objeto["quantity"], nome + ".quantity", quantidade, v) ||
        !le_texto(objeto["unit"], nome + ".unit", t.unidade, v)) {
        return false;
    }
    if (t.pergunta.empty()) {
        return v.falha(nome + ".question", QT_TRANSLATE_NOOP("Vantrel", "está vazio"));
    }
    const std::optional<Grandeza> grandeza = grandeza_de(quantidade);
    if (!grandeza) {
        return v.falha(nome + ".quantity", QT_TRANSLATE_NOOP("Vantrel", "não é conhecido"));
    }
    t.grandeza = *grandeza;
    return le_origem(objeto, nome, t, v) && le_valor_e_tolerancia(objeto, nome, t, v) &&
           le_dicas(objeto, nome, t, v);
}

bool le_tarefas(const json &raiz, Exercicio &ex, Verificacao &v) {
    const auto it = raiz.find("tasks");
    if (it == raiz.end()) {
        return v.falha("tasks", QT_TRANSLATE_NOOP("Vantrel", "falta"));
    }
    if (!le_lista(*it, "tasks", kMaximoTarefas, v)) {
        return false;
    }
    if (it->empty()) {
        return v.falha("tasks", QT_TRANSLATE_NOOP("Vantrel", "não tem nenhuma tarefa"));
    }
    for (std::size_t i = 0; i < it->size(); ++i) {
        Tarefa t;
        if (!le_tarefa((*it)[i], "tasks[" + std::to_string(i) + "]", t, v)) {
            return false;
        }
        ex.tarefas.push_back(std::move(t));
    }
    return true;
}

bool le_raiz(const json &raiz, const setup::Valores &iniciais, Exercicio &ex, Verificacao &v) {
    if (!raiz.is_object()) {
        return v.falha("", QT_TRANSLATE_NOOP("Vantrel", "não é um ficheiro de exercício do "
                                                        "Vantrel"));
    }
    return le_tipo_e_formato(raiz, v) &&
           chaves_conhecidas(raiz, {"format", "kind", "setup", "hidden", "random", "tasks"}, "",
                             v) &&
           le_configuracao_interna(raiz, iniciais, ex, v) && le_oculto(raiz, ex.oculto, v) &&
           le_aleatorios(raiz, ex, v) && le_tarefas(raiz, ex, v);
}

ordered_json tarefa_json(const Tarefa &t) {
    ordered_json objeto;
    objeto["question"] = t.pergunta;
    objeto["quantity"] = chave_grandeza(t.grandeza);
    if (t.origem != Origem::Nenhuma) {
        objeto[t.origem == Origem::Canal ? "channel" : "generator"] = t.indice;
    }
    objeto["unit"] = t.unidade;
    objeto["true_value"] = t.verdadeiro ? ordered_json(*t.verdadeiro) : ordered_json(kCalculado);
    objeto["tolerance"] = t.tolerancia;
    objeto["tolerance_percent"] = t.percentual;
    objeto["hints"] = t.dicas;
    return objeto;
}

} // namespace

const char *chave_grandeza(Grandeza grandeza) {
    for (const auto &[g, chave] : kGrandezas) {
        if (g == grandeza) {
            return chave;
        }
    }
    return "";
}

std::optional<Grandeza> grandeza_de(std::string_view chave) {
    for (const auto &[g, nome] : kGrandezas) {
        if (chave == nome) {
            return g;
        }
    }
    return std::nullopt;
}

std::string escreve_exercicio(const Exercicio &ex) {
    ordered_json raiz;
    raiz["format"] = kFormatoExercicio;
    raiz["kind"] = kTipo;
    raiz["setup"] = ordered_json::parse(setup::escreve_configuracao(ex.configuracao));
    raiz["hidden"] = {{"readouts", ex.oculto.leituras},
                      {"generator_locked", ex.oculto.gerador_bloqueado},
                      {"source_names", ex.oculto.nomes_fontes}};
    raiz["random"] = ordered_json::array();
    for (const Aleatorio &a : ex.aleatorios) {
        raiz["random"].push_back(
            {{"setting", a.definicao}, {"minimum", a.minimo}, {"maximum", a.maximo}});
    }
    raiz["tasks"] = ordered_json::array();
    for (const Tarefa &t : ex.tarefas) {
        raiz["tasks"].push_back(tarefa_json(t));
    }
    return raiz.dump(1) + "\n";
}

LeituraExercicio le_exercicio(std::string_view texto, const setup::Valores &iniciais) {
    LeituraExercicio leitura;
    if (texto.size() > kTamanhoMaximoExercicio) {
        leitura.motivo =
            QT_TRANSLATE_NOOP("Vantrel", "é demasiado grande para um ficheiro de exercício");
        return leitura;
    }
    const json raiz = setup::profundidade_aceitavel(texto, kProfundidadeMaxima)
                          ? json::parse(texto.begin(), texto.end(), nullptr, false)
                          : json(json::value_t::discarded);
    if (raiz.is_discarded()) {
        leitura.motivo = QT_TRANSLATE_NOOP(
            "Vantrel", "não é um ficheiro de exercício válido (o texto JSON está danificado)");
        return leitura;
    }
    Verificacao v{leitura};
    leitura.valido = le_raiz(raiz, iniciais, leitura.exercicio, v);
    if (!leitura.valido) {
        leitura.exercicio = Exercicio{};
    }
    return leitura;
}

std::string mensagem_erro(std::string_view nome, const LeituraExercicio &leitura,
                          const char *(*traduz)(const char *)) {
    setup::Leitura como_configuracao;
    como_configuracao.campo = leitura.campo;
    como_configuracao.motivo = leitura.motivo;
    como_configuracao.modelo = leitura.modelo;
    como_configuracao.argumentos[0] = leitura.argumentos[0];
    como_configuracao.argumentos[1] = leitura.argumentos[1];
    return setup::mensagem_erro(nome, como_configuracao, traduz);
}

setup::Valores configuracao_do_aluno(const Exercicio &ex, std::string_view aluno) {
    setup::Valores valores = ex.configuracao;
    for (const Aleatorio &a : ex.aleatorios) {
        const std::optional<Lugar> lugar = lugar_de(a.definicao);
        if (!lugar || lugar->campo >= valores.size() ||
            lugar->elemento >= valores[lugar->campo].size()) {
            continue;
        }
        double valor = sorteio(aluno, a.definicao, a.minimo, a.maximo);
        if (inteiro(setup::campos()[lugar->campo])) {
            valor = std::round(valor);
        }
        valores[lugar->campo][lugar->elemento] = valor;
    }
    return valores;
}

} // namespace exercicio
