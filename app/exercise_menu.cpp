#include "app/exercise_menu.h"

#include "app/setup_menu.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "exercise/answers.h"
#include "exercise/exercise_file.h"
#include "generator/generator.h"
#include "measure/readout.h"
#include "sim/input_routing.h"
#include "ui/uir_constants.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char kFicheiroUir[] = "exercicio_aluno.uir";
constexpr char kExtensao[] = ".vantrel-ex";
constexpr char kCabecalho[] = "aluno,tarefa,resposta,valor_verdadeiro,dentro_da_tolerancia,hora";
constexpr const char *kTituloAbrir = QT_TRANSLATE_NOOP("Vantrel", "Abrir exercício");
constexpr const char *kTituloRespostas = QT_TRANSLATE_NOOP("Vantrel", "Respostas do exercício");

/// A task's state in the list: not answered yet, last answer right, last answer wrong.
enum class Situacao { Sem, Certa, Errada };

struct Sessao {
    std::string caminho;         ///< the exercise file
    exercicio::Exercicio lido;   ///< read and checked, waiting for the student's name
    exercicio::Exercicio aberto; ///< the one the student answers
    bool em_curso = false;       ///< an exercise is open
    std::string aluno;           ///< as typed, blanks at either end aside
    std::vector<double> verdadeiros;
    std::vector<Situacao> situacoes;
    std::string respostas;           ///< the CSV file
    std::vector<std::string> linhas; ///< every answer given, as CSV lines
    std::size_t escritas = 0;        ///< how many of them the CSV file holds
    /// The last answer checked (task and text): leaving the answer field for "Verificar"
    /// commits the field before the button, and one answer must count once.
    std::pair<int, std::string> ultima{-1, {}};
    int resultado_ultima = -1;
    int leituras[2] = {0, 0}; ///< the read-out rings before they were switched off
    int painel = 0;
    int painel_nome = 0;
};

Sessao &sessao() {
    static Sessao s;
    return s;
}

/// The student's name as part of a file name: letters (accented ones too), digits, '-' and
/// '_'; blanks and everything else become '_'.
std::string nome_seguro(const std::string &nome) {
    std::string seguro;
    for (const char c : nome) {
        const auto u = static_cast<unsigned char>(c);
        const bool aceite = u >= 0x80 || std::isalnum(u) != 0 || c == '-' || c == '_';
        seguro += aceite ? c : '_';
    }
    return seguro.empty() ? "aluno" : seguro;
}

/// `<exercise>-<student>.csv` beside the exercise.
std::string respostas_por_omissao(const Sessao &s) {
    std::filesystem::path caminho(s.caminho);
    std::string base = caminho.filename().string();
    if (base.size() > std::string(kExtensao).size() && e_exercicio(base)) {
        base.resize(base.size() - std::string(kExtensao).size());
    }
    caminho.replace_filename(base + "-" + nome_seguro(s.aluno) + ".csv");
    return caminho.string();
}

std::string sem_espacos_nas_pontas(const std::string &texto) {
    const auto inicio = texto.find_first_not_of(" \t\r\n");
    if (inicio == std::string::npos) {
        return {};
    }
    return texto.substr(inicio, texto.find_last_not_of(" \t\r\n") - inicio + 1);
}

/// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string campo_csv(const std::string &texto) {
    if (texto.find_first_of(",\"\r\n") == std::string::npos) {
        return texto;
    }
    std::string quoted = "\"";
    for (const char c : texto) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string hora_local() {
    const std::time_t agora = std::time(nullptr);
    std::tm local{};
    localtime_r(&agora, &local);
    char texto[32] = {};
    std::strftime(texto, sizeof texto, "%Y-%m-%dT%H:%M:%S", &local);
    return texto;
}

std::string linha_csv(const Sessao &s, int tarefa, const std::string &resposta, bool certa) {
    char verdadeiro[40] = {};
    std::snprintf(verdadeiro, sizeof verdadeiro, "%.9g",
                  s.verdadeiros[static_cast<std::size_t>(tarefa)]);
    return campo_csv(s.aluno) + "," + std::to_string(tarefa + 1) + "," + campo_csv(resposta) + "," +
           verdadeiro + "," + (certa ? "sim" : "nao") + "," + hora_local();
}

/// Appends the answers that the file does not hold yet (the heading first, into a new or empty
/// file). True when they were all written.
bool escreve_pendentes(Sessao &s) {
    std::error_code erro;
    const bool vazio = !std::filesystem::exists(s.respostas, erro) ||
                       std::filesystem::file_size(s.respostas, erro) == 0;
    std::ofstream saida(s.respostas, std::ios::binary | std::ios::app);
    if (vazio) {
        saida << kCabecalho << "\n";
    }
    for (std::size_t i = s.escritas; i < s.linhas.size(); ++i) {
        saida << s.linhas[i] << "\n";
    }
    saida.close();
    if (!saida) {
        return false;
    }
    s.escritas = s.linhas.size();
    return true;
}

void grava_respostas(Sessao &s) {
    if (escreve_pendentes(s)) {
        return;
    }
    const std::string mensagem =
        std::string(
            Tr(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível escrever as respostas em "))) +
        "«" + s.respostas + "».\n" +
        Tr(QT_TRANSLATE_NOOP("Vantrel", "Nenhuma resposta se perdeu: escolha outro ficheiro com "
                                        "«Guardar respostas em…»."));
    MessagePopup(kTituloRespostas, mensagem.c_str());
}

void mostra_ficheiro(const Sessao &s) {
    const std::string texto =
        std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", "Respostas guardadas em: "))) + s.respostas;
    SetCtrlVal(s.painel, RESOLVER_FICHEIRO, texto.c_str());
}

std::string rotulo_tarefa(const Sessao &s, std::size_t i) {
    std::string rotulo = std::to_string(i + 1) + ". " + s.aberto.tarefas[i].pergunta;
    if (rotulo.size() > 52) {
        // Cut at a character's start, so that a UTF-8 letter is never split.
        std::size_t corte = 49;
        while (corte > 0 && (static_cast<unsigned char>(rotulo[corte]) & 0xC0) == 0x80) {
            --corte;
        }
        rotulo = rotulo.substr(0, corte) + "…";
    }
    switch (s.situacoes[i]) {
    case Situacao::Certa:
        return "✔ " + rotulo;
    case Situacao::Errada:
        return "✘ " + rotulo;
    case Situacao::Sem:
        break;
    }
    return "   " + rotulo;
}

void mostra_lista(const Sessao &s, int escolhida) {
    ClearListCtrl(s.painel, RESOLVER_TAREFAS);
    for (std::size_t i = 0; i < s.aberto.tarefas.size(); ++i) {
        InsertListItem(s.painel, RESOLVER_TAREFAS, -1, rotulo_tarefa(s, i).c_str(),
                       static_cast<int>(i));
    }
    SetCtrlIndex(s.painel, RESOLVER_TAREFAS, escolhida);
}

/// The chosen task's question and unit, with the answer field, feedback and hints cleared.
void mostra_tarefa(Sessao &s, int tarefa) {
    s.ultima = {-1, {}};
    const exercicio::Tarefa &t = s.aberto.tarefas[static_cast<std::size_t>(tarefa)];
    ResetTextBox(s.painel, RESOLVER_PERGUNTA, t.pergunta.c_str());
    SetCtrlVal(s.painel, RESOLVER_UNIDADE, t.unidade.c_str());
    SetCtrlVal(s.painel, RESOLVER_RESPOSTA, "");
    SetCtrlVal(s.painel, RESOLVER_RESULTADO, "");
    ResetTextBox(s.painel, RESOLVER_DICAS, "");
}

int tarefa_escolhida(const Sessao &s) {
    int indice = 0;
    GetCtrlIndex(s.painel, RESOLVER_TAREFAS, &indice);
    return indice;
}

/// What the exercise hides from the student, hidden (`esconder`) or shown again.
void aplica_oculto(Sessao &s, bool esconder) {
    const exercicio::Oculto &o = s.aberto.oculto;
    constexpr int kAneis[2] = {PANEL_DADOS_CHI, PANEL_DADOS_CHII};
    if (o.leituras) {
        for (int c = 0; c < 2; ++c) {
            if (esconder) {
                GetCtrlVal(Painel_Principal, kAneis[c], &s.leituras[c]);
            }
            SetCtrlVal(Painel_Principal, kAneis[c], esconder ? 0 : s.leituras[c]);
            SetCtrlAttribute(Painel_Principal, kAneis[c], ATTR_DIMMED, esconder ? 1 : 0);
            SetCtrlAttribute(Painel_Principal, kAneis[c], ATTR_TOOLTIP_TEXT,
                             esconder ? QT_TRANSLATE_NOOP("Vantrel", "As leituras estão "
                                                                     "desligadas neste exercício.")
                                      : "");
        }
        act_dados(Painel_Principal, PANEL_TIMER_DADOS, EVENT_TIMER_TICK, nullptr, 0, 0);
    }
    if (o.gerador_bloqueado) {
        bloqueia_gerador(esconder ? 1 : 0);
    }
    if (o.nomes_fontes) {
        for (const int nome : {PANEL_STRING_CH1, PANEL_STRING_CH2}) {
            SetCtrlAttribute(Painel_Principal, nome, ATTR_VISIBLE, esconder ? 0 : 1);
        }
    }
}

/// Every task's true value on the instrument as it stands now; the first task whose value
/// cannot be computed is named in `erro`.
std::optional<std::vector<double>> valores_verdadeiros(const exercicio::Exercicio &ex,
                                                       std::string &erro) {
    std::vector<double> valores;
    for (std::size_t i = 0; i < ex.tarefas.size(); ++i) {
        const exercicio::Tarefa &t = ex.tarefas[i];
        const exercicio::Valor v =
            t.verdadeiro ? exercicio::Valor{t.verdadeiro, {}} : exercicio::calcula_valor(t);
        if (!v.valor) {
            char texto[64] = {};
            std::snprintf(texto, sizeof texto, Tr(QT_TRANSLATE_NOOP("Vantrel", "a tarefa %d: ")),
                          static_cast<int>(i + 1));
            erro = texto + std::string(Tr(v.erro.c_str()));
            return std::nullopt;
        }
        valores.push_back(*v.valor);
    }
    return valores;
}

bool carrega_paineis(Sessao &s) {
    if (s.painel <= 0) {
        s.painel = LoadPanel(0, kFicheiroUir, RESOLVER);
    }
    if (s.painel_nome <= 0) {
        s.painel_nome = LoadPanel(0, kFicheiroUir, NOMEALUNO);
    }
    if (s.painel > 0 && s.painel_nome > 0) {
        return true;
    }
    MessagePopup(kTituloAbrir,
                 QT_TRANSLATE_NOOP("Vantrel", "O painel do exercício não pôde ser carregado "
                                              "(ficheiro \"exercicio_aluno.uir\" em falta ou "
                                              "danificado)."));
    return false;
}

} // namespace

void prepara_exercicios() {
    sessao() = Sessao{};
}

bool e_exercicio(const std::string &caminho) {
    const std::string extensao = kExtensao;
    return caminho.size() >= extensao.size() &&
           caminho.compare(caminho.size() - extensao.size(), extensao.size(), extensao) == 0;
}

int abre_exercicio(const char *caminho) {
    Sessao &s = sessao();
    const std::string nome = nome_base(caminho);
    const std::optional<std::string> texto =
        le_ficheiro_limitado(caminho, exercicio::kTamanhoMaximoExercicio);
    if (!texto) {
        const std::string mensagem =
            Tr(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível abrir ")) + ("«" + nome + "»") +
            Tr(QT_TRANSLATE_NOOP("Vantrel", ": o ficheiro não existe ou não pode ser lido."));
        MessagePopup(kTituloAbrir, mensagem.c_str());
        return -1;
    }
    const exercicio::LeituraExercicio leitura =
        exercicio::le_exercicio(*texto, configuracao_inicial());
    if (!leitura.valido) {
        MessagePopup(kTituloAbrir, exercicio::mensagem_erro(nome, leitura, Tr).c_str());
        return -1;
    }
    if (!carrega_paineis(s)) {
        return -1;
    }
    s.caminho = caminho;
    s.lido = leitura.exercicio;
    SetCtrlVal(s.painel_nome, NOMEALUNO_NOME, "");
    SetCtrlVal(s.painel_nome, NOMEALUNO_AVISO, "");
    InstallPopup(s.painel_nome);
    return 0;
}

int comeca_exercicio(const std::string &aluno) {
    Sessao &s = sessao();
    const std::string nome = sem_espacos_nas_pontas(aluno);
    if (nome.empty() || s.lido.tarefas.empty()) {
        return -1;
    }
    fecha_exercicio();
    const setup::Valores antes = configuracao_actual();
    aplica_configuracao(exercicio::configuracao_do_aluno(s.lido, nome));
    // The channels take their sources now, not at the next tick, so that the true values are
    // measured on the signals the student will see.
    act_entr(Painel_Principal, PANEL_TIMER_3, EVENT_TIMER_TICK, nullptr, 0, 0);
    std::string erro;
    const std::optional<std::vector<double>> verdadeiros = valores_verdadeiros(s.lido, erro);
    if (!verdadeiros) {
        aplica_configuracao(antes);
        act_entr(Painel_Principal, PANEL_TIMER_3, EVENT_TIMER_TICK, nullptr, 0, 0);
        const std::string mensagem = Tr(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível abrir ")) +
                                     ("«" + nome_base(s.caminho) + "»: ") + erro + ".";
        MessagePopup(kTituloAbrir, mensagem.c_str());
        return -1;
    }
    s.aberto = s.lido;
    s.aluno = nome;
    s.verdadeiros = *verdadeiros;
    s.situacoes.assign(s.aberto.tarefas.size(), Situacao::Sem);
    s.linhas.clear();
    s.escritas = 0;
    s.ultima = {-1, {}};
    s.respostas = respostas_por_omissao(s);
    s.em_curso = true;
    aplica_oculto(s, true);

    const std::string titulo =
        Tr(QT_TRANSLATE_NOOP("Vantrel", "Exercício — ")) + nome_base(s.caminho);
    SetPanelAttribute(s.painel, ATTR_TITLE, titulo.c_str());
    const std::string rotulo = Tr(QT_TRANSLATE_NOOP("Vantrel", "Aluno: ")) + s.aluno;
    SetCtrlVal(s.painel, RESOLVER_ALUNO, rotulo.c_str());
    mostra_lista(s, 0);
    mostra_tarefa(s, 0);
    mostra_ficheiro(s);
    DisplayPanel(s.painel);
    return 0;
}

void fecha_exercicio() {
    Sessao &s = sessao();
    if (!s.em_curso) {
        return;
    }
    aplica_oculto(s, false);
    s.em_curso = false;
    s.respostas.clear();
    HidePanel(s.painel);
}

int verifica_resposta(int tarefa, const std::string &texto) {
    Sessao &s = sessao();
    if (!s.em_curso || tarefa < 0 || tarefa >= static_cast<int>(s.aberto.tarefas.size())) {
        return -1;
    }
    if (s.ultima.first == tarefa && s.ultima.second == texto) {
        return s.resultado_ultima;
    }
    const auto i = static_cast<std::size_t>(tarefa);
    const exercicio::Tarefa &t = s.aberto.tarefas[i];
    const exercicio::Resposta resposta = exercicio::le_resposta(texto, t.unidade, Tr);
    if (!resposta.valor) {
        SetCtrlVal(s.painel, RESOLVER_RESULTADO, resposta.erro.c_str());
        return -1;
    }
    const bool certa = exercicio::dentro_da_tolerancia(*resposta.valor, s.verdadeiros[i],
                                                       t.tolerancia, t.percentual);
    s.linhas.push_back(linha_csv(s, tarefa, texto, certa));
    s.situacoes[i] = certa ? Situacao::Certa : Situacao::Errada;
    mostra_lista(s, tarefa);
    SetCtrlVal(s.painel, RESOLVER_RESULTADO,
               certa ? QT_TRANSLATE_NOOP("Vantrel", "✔ Certo: a resposta está dentro da "
                                                    "tolerância.")
                     : QT_TRANSLATE_NOOP("Vantrel", "✘ Errado: a resposta está fora da "
                                                    "tolerância. Veja as dicas e tente de novo."));
    std::string dicas;
    if (!certa) {
        for (const std::string &dica : t.dicas) {
            dicas += "• " + dica + "\n";
        }
        if (t.dicas.empty()) {
            dicas = Tr(QT_TRANSLATE_NOOP("Vantrel", "Esta tarefa não tem dicas."));
        }
    }
    ResetTextBox(s.painel, RESOLVER_DICAS, dicas.c_str());
    grava_respostas(s);
    s.ultima = {tarefa, texto};
    s.resultado_ultima = certa ? 1 : 0;
    return s.resultado_ultima;
}

std::string ficheiro_de_respostas() {
    return sessao().respostas;
}

int painel_exercicio() {
    return sessao().painel;
}

int painel_nome_aluno() {
    return sessao().painel_nome;
}

void Abrir_exercicio(int, int, void *, int) {
    char escolhido[vantrel::kPathSize] = {};
    const std::string pasta = std::filesystem::path(sessao().caminho).parent_path().string();
    if (FileSelectPopup(pasta.c_str(), "*.vantrel-ex", "", kTituloAbrir, VAL_SELECT_BUTTON, 0, 1, 1,
                        0, escolhido) > 0) {
        abre_exercicio(escolhido);
    }
}

int ex_tarefa(int, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED && sessao().em_curso) {
        mostra_tarefa(sessao(), tarefa_escolhida(sessao()));
    }
    return 0;
}

int ex_verificar(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    Sessao &s = sessao();
    std::string texto;
    GetCtrlVal(s.painel, RESOLVER_RESPOSTA, &texto);
    verifica_resposta(tarefa_escolhida(s), texto);
    return 0;
}

int ex_escolher_ficheiro(int, int, int event, void *, int, int) {
    Sessao &s = sessao();
    if (event != EVENT_COMMIT || !s.em_curso) {
        return 0;
    }
    const std::filesystem::path actual(s.respostas);
    char escolhido[vantrel::kPathSize] = {};
    if (FileSelectPopup(actual.parent_path().string().c_str(), actual.filename().string().c_str(),
                        "*.csv", kTituloRespostas, VAL_SAVE_BUTTON, 0, 1, 1, 1, escolhido) <= 0) {
        return 0;
    }
    // The new file receives every answer given so far, so that it stands alone.
    s.respostas = escolhido;
    s.escritas = 0;
    mostra_ficheiro(s);
    if (!s.linhas.empty()) {
        grava_respostas(s);
    }
    return 0;
}

int ex_fechar(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        fecha_exercicio();
    }
    return 0;
}

int ex_comecar(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    Sessao &s = sessao();
    std::string nome;
    GetCtrlVal(s.painel_nome, NOMEALUNO_NOME, &nome);
    if (sem_espacos_nas_pontas(nome).empty()) {
        SetCtrlVal(s.painel_nome, NOMEALUNO_AVISO,
                   QT_TRANSLATE_NOOP("Vantrel", "Escreva o seu nome: não pode ficar vazio."));
        return 0;
    }
    RemovePopup(0);
    comeca_exercicio(nome);
    return 0;
}

int ex_cancelar(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        RemovePopup(0);
    }
    return 0;
}
