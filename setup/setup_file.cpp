#include "setup/setup_file.h"

#include "app/state.h"
#include "board/circuit/boards.h"
#include "controls/scale_tables.h"
#include "engine/translate.h"
#include "sim/numeric/component_tester.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace setup {

int botao_ch2 = 0;
int grandeza_leitura[2] = {0, 0};

namespace {

using nlohmann::json;

template <typename T>
constexpr T *primeiro(T &valor) {
    return &valor;
}
template <typename T, std::size_t N>
constexpr T *primeiro(T (&valores)[N]) {
    return &valores[0];
}
template <typename T, std::size_t N, std::size_t M>
constexpr T *primeiro(T (&valores)[N][M]) {
    return &valores[0][0];
}

constexpr std::array<double, 2> kSinais{-1.0, 1.0};
constexpr std::array<double, 2> kAmpliacao{1.0, 10.0};
constexpr std::array<double, 7> kEscalas{1, 10, 100, 1000, 10000, 100000, 1000000};
constexpr std::array<double, 3> kAtenuacoes{0.0, 20.0, 40.0};
/// Spreadsheet waveforms are any finite numbers; these bounds keep a file within reason.
constexpr double kVoltsFolha = 1.0e6;
constexpr double kFrequenciaFolha = 1.0e7;

/// Spans of the tester's values and of the boards' component values over every kind and
/// part; each value is then held to its own kind's or part's range.
constexpr double kValorMaximoTestador = 1.0e7;
constexpr double kValorMaximoPlaca = 1.0e6;
/// Every board's components, three per board.
constexpr int kComponentesDasPlacas = vantrel::kPlacas * vantrel::kComponentesPlaca;

Intervalo valores_testador(const Valores &valores, std::size_t elemento);
Intervalo ponto_placa(const Valores &valores, std::size_t elemento);
Intervalo valor_placa(const Valores &valores, std::size_t elemento);
Intervalo presenca_placa(const Valores &valores, std::size_t elemento);

// One line per setting; the global's own name goes with it for the round-trip test.
#define CAMPO(grupo, chave, global, quantos, ...)                                                  \
    Campo {                                                                                        \
        Grupo::grupo, chave, #global, primeiro(global), quantos, __VA_ARGS__                       \
    }

const std::array kCampos{
    CAMPO(Osciloscopio, "power", Ligado, 1, 0, 1),
    CAMPO(Osciloscopio, "xy", modoxy, 1, 0, 1),
    CAMPO(Osciloscopio, "dual", dual_op, 1, 0, 1),
    CAMPO(Osciloscopio, "add", add_op, 1, 0, 1),
    CAMPO(Osciloscopio, "alternate", vert_op, 1, 0, 1),
    CAMPO(Osciloscopio, "ch_ii", botao_ch2, 1, 0, 1),
    CAMPO(Osciloscopio, "time_div_step", Esc_TempoID, 1, 0, vantrel::kTimeSteps - 1),
    CAMPO(Osciloscopio, "time_variable", calib, 1, 0.6, 1.0),
    CAMPO(Osciloscopio, "x_start", atraso, 1, -420.0, -180.0),
    CAMPO(Osciloscopio, "x_magnifier", xmag, 1, 1.0, 10.0, kAmpliacao),
    CAMPO(Osciloscopio, "trigger_level", levelt, 1, -10.0, 10.0),
    CAMPO(Osciloscopio, "trigger_slope", slopet, 1, -1, 1, kSinais),
    CAMPO(Osciloscopio, "trigger_auto", autot, 1, 0, 1),
    CAMPO(Osciloscopio, "intensity", intens_val, 1, 0, 10),
    CAMPO(Osciloscopio, "focus", focus_val, 1, -10.0, 10.0),
    CAMPO(Osciloscopio, "trigger_coupling", trig_acopl, 1, 0, 4),
    CAMPO(Osciloscopio, "trigger_external", trig_ext, 1, 0, vantrel::kFontesExternas - 1),
    CAMPO(Osciloscopio, "hold_off", holdoff, 1, 0.0, 10.0),
    CAMPO(Osciloscopio, "tv_separation", tvsep, 1, 0, 2),
    CAMPO(Canais, "volts_div_step", Esc_VoltID, 1, 0, vantrel::kVoltSteps - 1),
    CAMPO(Canais, "volts_variable", y_calib, 1, 0.6, 1.0),
    CAMPO(Canais, "position", y_offset, 1, -10.0, 10.0),
    CAMPO(Canais, "invert", inversao, 1, -1, 1, kSinais),
    CAMPO(Canais, "coupling", entrada_op, 1, 0, 2),
    CAMPO(Canais, "source", ChIN, 1, 0, 6),
    CAMPO(Canais, "readout", grandeza_leitura, 1, 0, 7),
    CAMPO(Canais, "sheet_frequency", freq_E, 1, 0.0, kFrequenciaFolha),
    CAMPO(Canais, "sheet_samples", onda_E, vantrel::kSamples, -kVoltsFolha, kVoltsFolha),
    CAMPO(Geradores, "waveform", tipo_onda, 1, 1, 3),
    CAMPO(Geradores, "range", botao_activo, 1, 1, 1000000, kEscalas),
    CAMPO(Geradores, "frequency", botao_freq, 1, 0.0, 2.0),
    CAMPO(Geradores, "amplitude", amplit, 1, 0.0, 10.0),
    CAMPO(Geradores, "offset", offset, 1, -5.0, 5.0),
    CAMPO(Geradores, "on", ger_enable, 1, 0, 1),
    CAMPO(Geradores, "phase", fase_G, 1, -180.0, 180.0),
    CAMPO(Geradores, "ramp_rise", rampa_G, 1, 0.0, 100.0),
    CAMPO(Geradores, "pulse_duty", ciclo_G, 1, 1.0, 99.0),
    CAMPO(Geradores, "attenuation", atenuacao_G, 1, 0, 40, kAtenuacoes),
    CAMPO(Testador, "on", testador, 1, 0, 1, {}, 2),
    CAMPO(Testador, "component", testador_comp, 1, 0, tester::kKinds - 1, {}, 2),
    CAMPO(Testador, "values", testador_valor, 2, 0.0, kValorMaximoTestador, {}, 2,
          valores_testador),
    CAMPO(Placa, "board", placa_tipo, 1, 0, vantrel::kPlacas - 1, {}, 2),
    CAMPO(Placa, "generator", placa_gerador, 1, 0, 1, {}, 2),
    CAMPO(Placa, "values", placa_valores, kComponentesDasPlacas, 0.0, kValorMaximoPlaca, {}, 2,
          valor_placa),
    CAMPO(Placa, "present", placa_presente, kComponentesDasPlacas, 0, 1, {}, 2, presenca_placa),
    CAMPO(Canais, "board_point", placa_ponto, 1, 0, vantrel::circuit::kMaxProbes - 1, {}, 2,
          ponto_placa),
};

static_assert(vantrel::kPlacas == vantrel::circuit::kBoardCount);
static_assert(vantrel::kComponentesPlaca == vantrel::circuit::kMaxComponents);

#undef CAMPO

/// The value `i` of the setting that `global` holds, as `valores` has it.
template <typename T>
double valor_de(const Valores &valores, T *global, std::size_t i = 0) {
    for (std::size_t c = 0; c < kCampos.size() && c < valores.size(); ++c) {
        if (kCampos[c].global == decltype(Campo::global){global}) {
            return i < valores[c].size() ? valores[c][i] : 0.0;
        }
    }
    return 0.0;
}

/// A value of the tester's component keeps to that kind's range; a value the kind lacks is
/// kept as it was and only has to be a number within reason.
Intervalo valores_testador(const Valores &valores, std::size_t elemento) {
    const tester::ValueRange alcance = tester::valueRange(
        static_cast<int>(valor_de(valores, &testador_comp)), static_cast<int>(elemento));
    if (alcance.name[0] == '\0') {
        return {0.0, kValorMaximoTestador};
    }
    return {alcance.min, alcance.max};
}

const vantrel::circuit::Board &placa_de(double tipo) {
    const auto i = static_cast<std::size_t>(std::clamp(tipo, 0.0, vantrel::kPlacas - 1.0));
    return vantrel::circuit::kBoards[i];
}

/// The board's probe points: a channel measures one that the board on the bench has.
Intervalo ponto_placa(const Valores &valores, std::size_t) {
    return {0.0, placa_de(valor_de(valores, &placa_tipo)).probeCount - 1.0};
}

/// Components in table order, every board's in turn; a board with fewer keeps 0 in the rest.
Intervalo valor_placa(const Valores &, std::size_t elemento) {
    const vantrel::circuit::Board &placa = placa_de(elemento / vantrel::kComponentesPlaca);
    const std::size_t k = elemento % vantrel::kComponentesPlaca;
    if (k >= static_cast<std::size_t>(placa.componentCount)) {
        return {0.0, 0.0};
    }
    return {placa.components[k].minValue, placa.components[k].maxValue};
}

/// Only a removable component may be out of its circuit; the rest are always in.
Intervalo presenca_placa(const Valores &, std::size_t elemento) {
    const vantrel::circuit::Board &placa = placa_de(elemento / vantrel::kComponentesPlaca);
    const std::size_t k = elemento % vantrel::kComponentesPlaca;
    if (k >= static_cast<std::size_t>(placa.componentCount)) {
        return {0.0, 0.0};
    }
    return {placa.components[k].switchable ? 0.0 : 1.0, 1.0};
}

constexpr const char *kNomePrograma = "Vantrel";
/// Deeper nesting than a set-up ever has is refused before the parser sees it.
constexpr int kProfundidadeMaxima = 8;
constexpr std::array kGrupos{Grupo::Osciloscopio, Grupo::Canais, Grupo::Geradores, Grupo::Testador,
                             Grupo::Placa};

const char *nome_grupo(Grupo grupo) {
    switch (grupo) {
    case Grupo::Osciloscopio:
        return "oscilloscope";
    case Grupo::Canais:
        return "channels";
    case Grupo::Geradores:
        return "generators";
    case Grupo::Testador:
        return "tester";
    case Grupo::Placa:
        return "board";
    }
    return "";
}

bool por_canal(Grupo grupo) {
    return grupo == Grupo::Canais || grupo == Grupo::Geradores;
}

int instancias(Grupo grupo) {
    return por_canal(grupo) ? 2 : 1;
}

/// The first format whose files hold the group.
int formato_do_grupo(Grupo grupo) {
    int desde = kFormato;
    for (const Campo &campo : kCampos) {
        if (campo.grupo == grupo) {
            desde = std::min(desde, campo.desde);
        }
    }
    return desde;
}

bool inteiro(const Campo &campo) {
    return std::holds_alternative<int *>(campo.global);
}

double le_global(const Campo &campo, std::size_t i) {
    return std::visit([i](auto *p) { return static_cast<double>(p[i]); }, campo.global);
}

void escreve_global(const Campo &campo, std::size_t i, double valor) {
    std::visit(
        [i, valor](auto *p) { p[i] = static_cast<std::remove_pointer_t<decltype(p)>>(valor); },
        campo.global);
}

nlohmann::ordered_json valor_json(const Campo &campo, double valor) {
    return inteiro(campo) ? nlohmann::ordered_json(static_cast<long long>(valor))
                          : nlohmann::ordered_json(valor);
}

std::string caminho(const Campo &campo, int instancia) {
    std::string texto = nome_grupo(campo.grupo);
    if (por_canal(campo.grupo)) {
        texto += "[" + std::to_string(instancia) + "]";
    }
    return texto + "." + campo.chave;
}

/// Gathers the first fault while a file is checked.
struct Verificacao {
    Leitura &leitura;
    bool falha(std::string campo, std::string motivo) {
        leitura.campo = std::move(campo);
        leitura.motivo = std::move(motivo);
        return false;
    }
    /// A reason with up to two numbers: kept whole in Portuguese and as its marked text.
    bool falha(std::string campo, const char *modelo, std::string a1, std::string a2 = {}) {
        leitura.modelo = modelo;
        leitura.argumentos[0] = std::move(a1);
        leitura.argumentos[1] = std::move(a2);
        return falha(std::move(campo), com_argumentos(modelo, leitura.argumentos));
    }
};

bool le_numero(const json &valor, const Campo &campo, const std::string &nome, double &saida,
               Verificacao &v) {
    if (!valor.is_number()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um número"));
    }
    const double numero = valor.get<double>();
    if (!std::isfinite(numero)) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um número finito"));
    }
    if (inteiro(campo) && numero != std::floor(numero)) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um número inteiro"));
    }
    if (numero < campo.minimo || numero > campo.maximo) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "está fora do intervalo"));
    }
    if (!campo.permitidos.empty() && std::find(campo.permitidos.begin(), campo.permitidos.end(),
                                               numero) == campo.permitidos.end()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não tem um dos valores possíveis"));
    }
    saida = numero;
    return true;
}

bool le_campo(const json &objeto, const Campo &campo, int instancia, std::vector<double> &saida,
              Verificacao &v) {
    const std::string nome = caminho(campo, instancia);
    const auto it = objeto.find(campo.chave);
    if (it == objeto.end()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "falta"));
    }
    const std::size_t base = static_cast<std::size_t>(instancia * campo.quantos);
    if (campo.quantos == 1) {
        return le_numero(*it, campo, nome, saida[base], v);
    }
    if (!it->is_array() || it->size() != static_cast<std::size_t>(campo.quantos)) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é uma lista de %1 números"),
                       std::to_string(campo.quantos));
    }
    for (int k = 0; k < campo.quantos; ++k) {
        const std::string elemento = nome + "[" + std::to_string(k) + "]";
        if (!le_numero((*it)[static_cast<std::size_t>(k)], campo, elemento,
                       saida[base + static_cast<std::size_t>(k)], v)) {
            return false;
        }
    }
    return true;
}

/// The objects of one group: the "oscilloscope" object, or the two of a list.
bool objetos_do_grupo(const json &raiz, Grupo grupo, std::vector<const json *> &objetos,
                      Verificacao &v) {
    const char *nome = nome_grupo(grupo);
    const auto it = raiz.find(nome);
    if (it == raiz.end()) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "falta"));
    }
    if (!por_canal(grupo)) {
        if (!it->is_object()) {
            return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é um objeto"));
        }
        objetos.push_back(&*it);
        return true;
    }
    if (!it->is_array() || it->size() != 2) {
        return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "não é uma lista de 2 objetos"));
    }
    for (std::size_t n = 0; n < 2; ++n) {
        if (!(*it)[n].is_object()) {
            return v.falha(std::string(nome) + "[" + std::to_string(n) + "]",
                           QT_TRANSLATE_NOOP("Vantrel", "não é um objeto"));
        }
        objetos.push_back(&(*it)[n]);
    }
    return true;
}

/// Keys that no setting of the group (or of the file) knows make a foreign file.
bool sem_chaves_estranhas(const json &objeto, Grupo grupo, const std::string &prefixo,
                          Verificacao &v) {
    for (const auto &item : objeto.items()) {
        const std::string &chave = item.key();
        const bool conhecida = std::any_of(kCampos.begin(), kCampos.end(), [&](const Campo &c) {
            return c.grupo == grupo && chave == c.chave;
        });
        if (!conhecida) {
            return v.falha(prefixo + "." + chave, QT_TRANSLATE_NOOP("Vantrel", "não é conhecido"));
        }
    }
    return true;
}

bool le_formato(const json &raiz, int &formato, Verificacao &v) {
    const auto it = raiz.find("format");
    if (it == raiz.end()) {
        return v.falha(
            "format",
            QT_TRANSLATE_NOOP("Vantrel", "falta: não é um ficheiro de configuração do Vantrel"));
    }
    if (!it->is_number_integer() || it->get<long long>() < 1) {
        return v.falha("format", QT_TRANSLATE_NOOP("Vantrel", "não é um número de formato"));
    }
    if (it->get<long long>() > kFormato) {
        return v.falha("format",
                       QT_TRANSLATE_NOOP("Vantrel", "indica o formato %1, mais recente do que o "
                                                    "que este programa lê (%2)"),
                       std::to_string(it->get<long long>()), std::to_string(kFormato));
    }
    formato = static_cast<int>(it->get<long long>());
    return true;
}

bool le_raiz(const json &raiz, Leitura &leitura, const Valores &iniciais) {
    Verificacao v{leitura};
    if (!raiz.is_object()) {
        return v.falha(
            "", QT_TRANSLATE_NOOP("Vantrel", "não é um ficheiro de configuração do Vantrel"));
    }
    int formato = 0;
    if (!le_formato(raiz, formato, v)) {
        return false;
    }
    for (const auto &item : raiz.items()) {
        const std::string &chave = item.key();
        const bool grupo = std::any_of(kGrupos.begin(), kGrupos.end(), [&](Grupo g) {
            return chave == nome_grupo(g) && formato_do_grupo(g) <= formato;
        });
        if (!grupo && chave != "format" && chave != "program") {
            return v.falha(chave, QT_TRANSLATE_NOOP("Vantrel", "não é conhecido"));
        }
    }
    leitura.valores = iniciais;
    leitura.valores.resize(kCampos.size());
    for (const Grupo grupo : kGrupos) {
        if (formato_do_grupo(grupo) > formato) {
            continue;
        }
        std::vector<const json *> objetos;
        if (!objetos_do_grupo(raiz, grupo, objetos, v)) {
            return false;
        }
        for (std::size_t n = 0; n < objetos.size(); ++n) {
            const std::string prefixo =
                por_canal(grupo) ? std::string(nome_grupo(grupo)) + "[" + std::to_string(n) + "]"
                                 : nome_grupo(grupo);
            if (!sem_chaves_estranhas(*objetos[n], grupo, prefixo, v)) {
                return false;
            }
        }
        for (std::size_t i = 0; i < kCampos.size(); ++i) {
            const Campo &campo = kCampos[i];
            if (campo.grupo != grupo || campo.desde > formato) {
                continue;
            }
            auto &saida = leitura.valores[i];
            saida.resize(static_cast<std::size_t>(campo.quantos * instancias(grupo)));
            for (std::size_t n = 0; n < objetos.size(); ++n) {
                if (!le_campo(*objetos[n], campo, static_cast<int>(n), saida, v)) {
                    return false;
                }
            }
        }
    }
    return true;
}

/// Values whose range differs per element or follows another setting, once all are read.
bool dentro_dos_intervalos(Leitura &leitura) {
    Verificacao v{leitura};
    for (std::size_t c = 0; c < kCampos.size(); ++c) {
        const Campo &campo = kCampos[c];
        const std::vector<double> &valores = leitura.valores[c];
        for (std::size_t i = 0; campo.intervalo != nullptr && i < valores.size(); ++i) {
            const Intervalo limites = campo.intervalo(leitura.valores, i);
            if (valores[i] < limites.minimo || valores[i] > limites.maximo) {
                const auto quantos = static_cast<std::size_t>(campo.quantos);
                std::string nome = caminho(campo, static_cast<int>(i / quantos));
                if (quantos > 1) {
                    nome += "[" + std::to_string(i % quantos) + "]";
                }
                return v.falha(nome, QT_TRANSLATE_NOOP("Vantrel", "está fora do intervalo"));
            }
        }
    }
    return true;
}

/// Settings that the front panel lets the user choose only one at a time.
bool combinacao_valida(Leitura &leitura) {
    if (valor_de(leitura.valores, &dual_op) != 0.0 && valor_de(leitura.valores, &add_op) != 0.0) {
        leitura.campo = "oscilloscope.add";
        leitura.motivo =
            QT_TRANSLATE_NOOP("Vantrel", "não pode estar ligado ao mesmo tempo que «dual»");
        return false;
    }
    return true;
}

} // namespace

std::string com_argumentos(std::string modelo, const std::string (&argumentos)[2]) {
    for (const auto &[marca, valor] :
         {std::pair{"%1", &argumentos[0]}, std::pair{"%2", &argumentos[1]}}) {
        const std::size_t onde = modelo.find(marca);
        if (onde != std::string::npos) {
            modelo.replace(onde, 2, *valor);
        }
    }
    return modelo;
}

bool profundidade_aceitavel(std::string_view texto, int maxima) {
    int nivel = 0;
    bool em_texto = false;
    bool escape = false;
    for (const char c : texto) {
        if (em_texto) {
            escape = !escape && c == '\\';
            em_texto = escape || c != '"';
            continue;
        }
        if (c == '"') {
            em_texto = true;
        } else if (c == '[' || c == '{') {
            if (++nivel > maxima) {
                return false;
            }
        } else if (c == ']' || c == '}') {
            --nivel;
        }
    }
    return true;
}

std::span<const Campo> campos() {
    return kCampos;
}

Intervalo intervalo(const Campo &campo, const Valores &valores, std::size_t elemento) {
    if (campo.intervalo != nullptr) {
        return campo.intervalo(valores, elemento);
    }
    return {campo.minimo, campo.maximo};
}

Valores captura() {
    Valores valores;
    valores.reserve(kCampos.size());
    for (const Campo &campo : kCampos) {
        const auto total = static_cast<std::size_t>(campo.quantos * instancias(campo.grupo));
        std::vector<double> &v = valores.emplace_back(total);
        for (std::size_t i = 0; i < total; ++i) {
            v[i] = le_global(campo, i);
        }
    }
    return valores;
}

void aplica(const Valores &valores) {
    const std::size_t n = std::min(valores.size(), kCampos.size());
    for (std::size_t c = 0; c < n; ++c) {
        const Campo &campo = kCampos[c];
        const auto total = static_cast<std::size_t>(campo.quantos * instancias(campo.grupo));
        for (std::size_t i = 0; i < std::min(total, valores[c].size()); ++i) {
            escreve_global(campo, i, valores[c][i]);
        }
    }
}

std::string escreve_configuracao(const Valores &valores) {
    nlohmann::ordered_json raiz;
    raiz["format"] = kFormato;
    raiz["program"] = kNomePrograma;
    raiz["oscilloscope"] = nlohmann::ordered_json::object();
    raiz["channels"] = {nlohmann::ordered_json::object(), nlohmann::ordered_json::object()};
    raiz["generators"] = {nlohmann::ordered_json::object(), nlohmann::ordered_json::object()};
    raiz["tester"] = nlohmann::ordered_json::object();
    raiz["board"] = nlohmann::ordered_json::object();
    for (std::size_t c = 0; c < kCampos.size() && c < valores.size(); ++c) {
        const Campo &campo = kCampos[c];
        auto &grupo = raiz[nome_grupo(campo.grupo)];
        for (int n = 0; n < instancias(campo.grupo); ++n) {
            auto &objeto = por_canal(campo.grupo) ? grupo[n] : grupo;
            const auto base = static_cast<std::size_t>(n * campo.quantos);
            if (campo.quantos == 1) {
                objeto[campo.chave] = valor_json(campo, valores[c].at(base));
                continue;
            }
            auto lista = nlohmann::ordered_json::array();
            for (int k = 0; k < campo.quantos; ++k) {
                lista.push_back(
                    valor_json(campo, valores[c].at(base + static_cast<std::size_t>(k))));
            }
            objeto[campo.chave] = std::move(lista);
        }
    }
    return raiz.dump(1) + "\n";
}

Leitura le_configuracao(std::string_view texto, const Valores &iniciais) {
    Leitura leitura;
    if (texto.size() > kTamanhoMaximo) {
        leitura.motivo =
            QT_TRANSLATE_NOOP("Vantrel", "é demasiado grande para um ficheiro de configuração");
        return leitura;
    }
    if (!profundidade_aceitavel(texto, kProfundidadeMaxima)) {
        leitura.motivo =
            QT_TRANSLATE_NOOP("Vantrel", "não é um ficheiro de configuração do Vantrel");
        return leitura;
    }
    const json raiz = json::parse(texto.begin(), texto.end(), nullptr, false);
    if (raiz.is_discarded()) {
        leitura.motivo = QT_TRANSLATE_NOOP(
            "Vantrel", "não é um ficheiro de configuração válido (o texto JSON está danificado)");
        return leitura;
    }
    leitura.valida = le_raiz(raiz, leitura, iniciais) && dentro_dos_intervalos(leitura) &&
                     combinacao_valida(leitura);
    if (!leitura.valida) {
        leitura.valores.clear();
    }
    return leitura;
}

std::string mensagem_erro(std::string_view nome, const Leitura &leitura,
                          const char *(*traduz)(const char *)) {
    const auto t = [traduz](const char *texto) {
        return traduz != nullptr ? traduz(texto) : texto;
    };
    std::string texto = t(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível abrir «")) +
                        std::string(nome) + t(QT_TRANSLATE_NOOP("Vantrel", "»: "));
    const std::string motivo = leitura.modelo.empty()
                                   ? std::string(t(leitura.motivo.c_str()))
                                   : com_argumentos(t(leitura.modelo.c_str()), leitura.argumentos);
    if (leitura.campo.empty()) {
        return texto + motivo + ".";
    }
    return texto + t(QT_TRANSLATE_NOOP("Vantrel", "o campo «")) + leitura.campo + "» " + motivo +
           ".";
}

} // namespace setup
