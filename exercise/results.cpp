#include "exercise/results.h"

#include "engine/translate.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>

namespace exercicio {

namespace {

constexpr std::size_t kColunas = 6;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

/// One record of the file: its fields and the line it starts on.
struct Registo {
    std::vector<std::string> campos;
    int linha = 0;
};

/// Splits RFC 4180 text into records; false, with `linha` at the fault, for a quote left open
/// (the line of its record) or text right after a closing quote.
bool separa(std::string_view texto, std::vector<Registo> &registos, int &linha) {
    linha = 1;
    Registo actual{{std::string()}, 1};
    bool aspas = false;
    bool fechadas = false; // just after a closing quote: only a comma or a line end may follow
    const auto termina = [&] {
        if (actual.campos.size() > 1 || !actual.campos.front().empty() || fechadas) {
            registos.push_back(std::move(actual));
        }
        actual = Registo{{std::string()}, linha + 1};
        fechadas = false;
    };
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (aspas) {
            if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"') {
                actual.campos.back() += '"';
                ++i;
            } else if (c == '"') {
                aspas = false;
                fechadas = true;
            } else {
                linha += c == '\n' ? 1 : 0;
                actual.campos.back() += c;
            }
            continue;
        }
        if (c == ',') {
            actual.campos.emplace_back();
            fechadas = false;
        } else if (c == '\n' || (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')) {
            i += c == '\r' ? 1 : 0;
            termina();
            ++linha;
        } else if (fechadas) {
            return false;
        } else if (c == '"' && actual.campos.back().empty()) {
            aspas = true;
        } else {
            actual.campos.back() += c;
        }
    }
    if (aspas) {
        linha = actual.linha; // where the quote was opened
        return false;
    }
    termina();
    return true;
}

bool numero_inteiro(const std::string &texto, int &valor) {
    const char *fim = texto.data() + texto.size();
    const auto [resto, erro] = std::from_chars(texto.data(), fim, valor);
    return erro == std::errc() && resto == fim;
}

bool numero_finito(const std::string &texto, double &valor) {
    const char *fim = texto.data() + texto.size();
    const auto [resto, erro] = std::from_chars(texto.data(), fim, valor);
    return erro == std::errc() && resto == fim && std::isfinite(valor);
}

/// "YYYY-MM-DDTHH:MM:SS", digits where the form has them.
bool hora_valida(const std::string &texto) {
    constexpr std::string_view kForma = "0000-00-00T00:00:00";
    if (texto.size() != kForma.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kForma.size(); ++i) {
        const bool digito = texto[i] >= '0' && texto[i] <= '9';
        if (kForma[i] == '0' ? !digito : texto[i] != kForma[i]) {
            return false;
        }
    }
    return true;
}

std::string sem_espacos(std::string texto) {
    const auto primeiro = texto.find_first_not_of(" \t");
    if (primeiro == std::string::npos) {
        return {};
    }
    return texto.substr(primeiro, texto.find_last_not_of(" \t") - primeiro + 1);
}

/// One answer from a record; the column at fault, or nullptr.
const char *le_registo(const Registo &registo, Resultado &r) {
    const std::vector<std::string> &c = registo.campos;
    if (c.size() != kColunas) {
        return "";
    }
    r.aluno = sem_espacos(c[0]);
    r.resposta = c[2];
    r.hora = c[5];
    if (r.aluno.empty()) {
        return "aluno";
    }
    if (!numero_inteiro(c[1], r.tarefa) || r.tarefa < 1 || r.tarefa > kTarefaMaxima) {
        return "tarefa";
    }
    if (!numero_finito(c[3], r.valor_verdadeiro)) {
        return "valor_verdadeiro";
    }
    if (c[4] != "sim" && c[4] != "nao") {
        return "dentro_da_tolerancia";
    }
    r.certa = c[4] == "sim";
    return hora_valida(r.hora) ? nullptr : "hora";
}

std::string numero(double valor) {
    std::array<char, 32> texto{};
    const auto fim = std::to_chars(texto.data(), texto.data() + texto.size(), valor,
                                   std::chars_format::general, 9)
                         .ptr;
    return std::string(texto.data(), fim);
}

/// A field as RFC 4180 writes it; text that a spreadsheet would run as a formula is kept as
/// text with a leading apostrophe.
std::string campo_csv(std::string texto, bool livre = false) {
    if (livre && !texto.empty() && (texto.front() == '=' || texto.front() == '@')) {
        texto.insert(texto.begin(), '\'');
    }
    if (texto.find_first_of(",\"\r\n") == std::string::npos) {
        return texto;
    }
    std::string citado = "\"";
    for (const char c : texto) {
        citado += c;
        if (c == '"') {
            citado += '"';
        }
    }
    return citado + "\"";
}

} // namespace

LeituraResultados le_resultados(std::string_view texto) {
    LeituraResultados leitura;
    if (texto.size() > kTamanhoMaximoResultados) {
        leitura.motivo = QT_TRANSLATE_NOOP("Vantrel", "é demasiado grande para um ficheiro de "
                                                      "resultados");
        return leitura;
    }
    if (texto.starts_with(kBom)) {
        texto.remove_prefix(kBom.size());
    }
    std::vector<Registo> registos;
    int linha = 0;
    if (!separa(texto, registos, linha)) {
        leitura.linha = linha;
        leitura.motivo = QT_TRANSLATE_NOOP("Vantrel", "tem aspas por fechar ou texto depois de "
                                                      "umas aspas");
        return leitura;
    }
    std::string cabecalho;
    if (!registos.empty()) {
        for (const std::string &campo : registos.front().campos) {
            cabecalho += (cabecalho.empty() ? "" : ",") + campo;
        }
    }
    if (cabecalho != kCabecalhoResultados) {
        leitura.linha = 1;
        leitura.motivo = QT_TRANSLATE_NOOP("Vantrel", "não começa pelo cabeçalho dos "
                                                      "resultados do Vantrel");
        return leitura;
    }
    for (std::size_t i = 1; i < registos.size(); ++i) {
        Resultado r;
        if (const char *coluna = le_registo(registos[i], r)) {
            leitura.linha = registos[i].linha;
            leitura.coluna = coluna;
            leitura.motivo = *coluna == '\0'
                                 ? QT_TRANSLATE_NOOP("Vantrel", "não tem seis colunas")
                                 : QT_TRANSLATE_NOOP("Vantrel", "tem um valor inválido");
            return leitura;
        }
        leitura.resultados.push_back(std::move(r));
    }
    leitura.valida = true;
    return leitura;
}

std::vector<Aluno> recolhe(const std::vector<Resultado> &resultados) {
    std::map<std::string, std::map<int, Resultado>> porAluno;
    int tarefas = 0;
    for (const Resultado &r : resultados) {
        tarefas = std::max(tarefas, r.tarefa);
        auto &respostas = porAluno[r.aluno];
        const auto it = respostas.find(r.tarefa);
        // ISO times compare as text; a later line wins a tie.
        if (it == respostas.end() || it->second.hora <= r.hora) {
            respostas[r.tarefa] = r;
        }
    }
    std::vector<Aluno> alunos;
    for (auto &[nome, respostas] : porAluno) {
        Aluno &aluno = alunos.emplace_back();
        aluno.nome = nome;
        aluno.tarefas = tarefas;
        for (auto &[tarefa, r] : respostas) {
            aluno.certas += r.certa ? 1 : 0;
            aluno.respostas.push_back(std::move(r));
        }
    }
    return alunos;
}

std::string escreve_recolha(const std::vector<Aluno> &alunos) {
    std::string texto = std::string(kCabecalhoResultados) + ",certas,tarefas\n";
    for (const Aluno &aluno : alunos) {
        for (const Resultado &r : aluno.respostas) {
            texto += campo_csv(r.aluno, true) + "," + std::to_string(r.tarefa) + "," +
                     campo_csv(r.resposta, true) + "," + numero(r.valor_verdadeiro) + "," +
                     (r.certa ? "sim" : "nao") + "," + campo_csv(r.hora) + "," +
                     std::to_string(aluno.certas) + "," + std::to_string(aluno.tarefas) + "\n";
        }
    }
    return texto;
}

} // namespace exercicio
