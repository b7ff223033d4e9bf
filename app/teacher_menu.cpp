#include "app/teacher_menu.h"

#include "app/setup_menu.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "exercise/authoring.h"
#include "exercise/exercise_file.h"
#include "exercise/results.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace {

constexpr const char *kTituloResultados = QT_TRANSLATE_NOOP("Vantrel", "Resultados");
/// Students named one by one in the summary; the table holds them all.
constexpr std::size_t kAlunosNoResumo = 15;

/// `formato` translated, with its %s and %d filled.
template <typename... Args>
std::string formata(const char *formato, Args... args) {
    const char *traduzido = Tr(formato);
    const int tamanho = std::snprintf(nullptr, 0, traduzido, args...);
    std::string texto(static_cast<std::size_t>(std::max(tamanho, 0)) + 1, '\0');
    std::snprintf(texto.data(), texto.size(), traduzido, args...);
    texto.resize(static_cast<std::size_t>(std::max(tamanho, 0)));
    return texto;
}

/// Why a file was skipped, for the summary.
std::string falha(const std::string &caminho, const exercicio::LeituraResultados &lida) {
    const std::string nome = nome_base(caminho);
    if (lida.linha == 0) {
        return formata(QT_TRANSLATE_NOOP("Vantrel", "«%s»: %s."), nome.c_str(), Tr(lida.motivo));
    }
    if (*lida.coluna == '\0') {
        return formata(QT_TRANSLATE_NOOP("Vantrel", "«%s», linha %d: %s."), nome.c_str(),
                       lida.linha, Tr(lida.motivo));
    }
    return formata(QT_TRANSLATE_NOOP("Vantrel", "«%s», linha %d, coluna «%s»: %s."), nome.c_str(),
                   lida.linha, lida.coluna, Tr(lida.motivo));
}

std::string resumo(const std::vector<exercicio::Aluno> &alunos, std::size_t usados) {
    std::string texto = formata(QT_TRANSLATE_NOOP("Vantrel", "%d ficheiro(s) recolhido(s), %d "
                                                             "aluno(s).\n"),
                                static_cast<int>(usados), static_cast<int>(alunos.size()));
    for (std::size_t i = 0; i < alunos.size() && i < kAlunosNoResumo; ++i) {
        texto += formata(QT_TRANSLATE_NOOP("Vantrel", "%s: %d de %d certas\n"),
                         alunos[i].nome.c_str(), alunos[i].certas, alunos[i].tarefas);
    }
    if (alunos.size() > kAlunosNoResumo) {
        texto += formata(QT_TRANSLATE_NOOP("Vantrel", "… e mais %d aluno(s) na tabela.\n"),
                         static_cast<int>(alunos.size() - kAlunosNoResumo));
    }
    return texto;
}

// ---- "Criar exercício…" -----------------------------------------------------------------------

constexpr const char *kTituloExercicio = QT_TRANSLATE_NOOP("Vantrel", "Criar exercício");
constexpr char kExtensaoExercicio[] = ".vantrel-ex";
/// A typed text is quoted back in a message up to this many bytes.
constexpr std::size_t kCitacaoMaxima = 40;

/// The exercise being made: its tasks and randomised settings, until it is saved.
struct Rascunho {
    int painel = 0;
    std::vector<exercicio::Tarefa> tarefas;
    std::vector<exercicio::Aleatorio> aleatorios;
};

Rascunho &rascunho() {
    static Rascunho r;
    return r;
}

void mensagem_exercicio(const std::string &texto) {
    SetCtrlVal(rascunho().painel, EXERCICIO_MENSAGEM, texto.c_str());
}

std::string texto_de(int control) {
    std::string texto;
    GetCtrlVal(rascunho().painel, control, &texto);
    return texto;
}

int valor_de(int control) {
    int valor = 0;
    GetCtrlVal(rascunho().painel, control, &valor);
    return valor;
}

std::string texto_recusa(const exercicio::Recusa &recusa) {
    std::string texto = std::string(Tr(recusa.campo)) + ": ";
    if (!recusa.citado.empty()) {
        const bool longo = recusa.citado.size() > kCitacaoMaxima;
        texto += "«" + recusa.citado.substr(0, kCitacaoMaxima) + (longo ? "…" : "") + "» ";
    }
    return texto + Tr(recusa.motivo) + ". " +
           Tr(QT_TRANSLATE_NOOP("Vantrel", "Nada foi alterado."));
}

const char *nome_grandeza(exercicio::Grandeza grandeza) {
    constexpr std::array kNomes{QT_TRANSLATE_NOOP("Vantrel", "Frequência"),
                                QT_TRANSLATE_NOOP("Vantrel", "Período"),
                                QT_TRANSLATE_NOOP("Vantrel", "Pico a pico"),
                                QT_TRANSLATE_NOOP("Vantrel", "Amplitude"),
                                QT_TRANSLATE_NOOP("Vantrel", "Offset"),
                                QT_TRANSLATE_NOOP("Vantrel", "Diferença de fase"),
                                QT_TRANSLATE_NOOP("Vantrel", "Constante de tempo"),
                                QT_TRANSLATE_NOOP("Vantrel", "Resposta livre")};
    return Tr(kNomes[static_cast<std::size_t>(grandeza)]);
}

/// A number as the dialog's user writes it, with the decimal comma.
std::string numero_curto(double valor) {
    std::array<char, 32> texto{};
    std::snprintf(texto.data(), texto.size(), "%g", valor);
    std::string escrito = texto.data();
    std::replace(escrito.begin(), escrito.end(), '.', ',');
    return escrito;
}

/// "2. Frequência (Gerador 1, ±5 %): Qual é a frequência…"
std::string linha_tarefa(std::size_t n, const exercicio::Tarefa &t) {
    std::string texto = std::to_string(n + 1) + ". " + nome_grandeza(t.grandeza);
    if (t.origem != exercicio::Origem::Nenhuma) {
        const bool canal = t.origem == exercicio::Origem::Canal;
        texto += canal ? (t.indice == 0 ? " (CH I" : " (CH II")
                       : (t.indice == 0 ? " (Gerador 1" : " (Gerador 2");
        texto += ", ";
    } else {
        texto += " (";
    }
    texto += "±" + numero_curto(t.tolerancia) + (t.percentual ? " %" : " " + t.unidade) + "): ";
    return texto + t.pergunta;
}

const char *rotulo_sorteavel(const std::string &definicao) {
    for (const exercicio::Sorteavel &s : exercicio::sorteaveis()) {
        if (definicao == s.definicao) {
            return Tr(s.rotulo);
        }
    }
    return definicao.c_str();
}

void mostra_rascunho() {
    const Rascunho &r = rascunho();
    ClearListCtrl(r.painel, EXERCICIO_TAREFAS);
    for (std::size_t i = 0; i < r.tarefas.size(); ++i) {
        InsertListItem(r.painel, EXERCICIO_TAREFAS, -1, linha_tarefa(i, r.tarefas[i]).c_str(),
                       static_cast<int>(i));
    }
    ClearListCtrl(r.painel, EXERCICIO_SORTEIOS);
    for (std::size_t i = 0; i < r.aleatorios.size(); ++i) {
        const exercicio::Aleatorio &a = r.aleatorios[i];
        const std::string linha = std::string(rotulo_sorteavel(a.definicao)) + ": " +
                                  numero_curto(a.minimo) + " … " + numero_curto(a.maximo);
        InsertListItem(r.painel, EXERCICIO_SORTEIOS, -1, linha.c_str(), static_cast<int>(i));
    }
}

void fecha_exercicio() {
    DiscardPanel(rascunho().painel);
    rascunho() = Rascunho{};
}

/// The item chosen in a list, or -1 when the list is empty.
int escolhido(int control, std::size_t total) {
    int indice = -1;
    if (total == 0 || GetCtrlIndex(rascunho().painel, control, &indice) != 0) {
        return -1;
    }
    return indice >= 0 && static_cast<std::size_t>(indice) < total ? indice : -1;
}

std::string com_extensao_exercicio(std::string caminho) {
    if (!caminho.ends_with(kExtensaoExercicio)) {
        caminho += kExtensaoExercicio;
    }
    return caminho;
}

} // namespace

int recolhe_resultados(const std::vector<std::string> &ficheiros, const std::string &destino) {
    std::vector<exercicio::Resultado> todos;
    std::string ignorados;
    std::size_t usados = 0;
    for (const std::string &caminho : ficheiros) {
        const std::optional<std::string> texto =
            le_ficheiro_limitado(caminho.c_str(), exercicio::kTamanhoMaximoResultados);
        exercicio::LeituraResultados lida;
        if (texto) {
            lida = exercicio::le_resultados(*texto);
        } else {
            lida.motivo =
                QT_TRANSLATE_NOOP("Vantrel", "o ficheiro não existe ou não pode ser lido");
        }
        if (!lida.valida) {
            ignorados += falha(caminho, lida) + "\n";
            continue;
        }
        ++usados;
        todos.insert(todos.end(), lida.resultados.begin(), lida.resultados.end());
    }
    const std::string ignorados_texto =
        ignorados.empty()
            ? std::string()
            : std::string("\n") + Tr(QT_TRANSLATE_NOOP("Vantrel", "Ficheiros ignorados:")) + "\n" +
                  ignorados;
    if (usados == 0) {
        const std::string texto =
            std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", "Nenhum ficheiro de resultados pôde ser "
                                                        "usado; nada foi guardado.\n"))) +
            ignorados_texto;
        MessagePopup(kTituloResultados, texto.c_str());
        return -1;
    }
    const std::vector<exercicio::Aluno> alunos = exercicio::recolhe(todos);
    std::string texto = resumo(alunos, usados);
    int estado = static_cast<int>(alunos.size());
    if (destino.empty()) {
        texto += Tr(QT_TRANSLATE_NOOP("Vantrel", "A tabela não foi guardada.\n"));
    } else {
        const std::string tabela = exercicio::escreve_recolha(alunos);
        if (WriteFileAtomically(destino.c_str(), tabela.data(), static_cast<int>(tabela.size())) ==
            0) {
            texto += formata(QT_TRANSLATE_NOOP("Vantrel", "Tabela guardada em «%s».\n"),
                             nome_base(destino).c_str());
        } else {
            texto += formata(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível escrever «%s»: "
                                                          "verifique a pasta e as permissões.\n"),
                             nome_base(destino).c_str());
            estado = -1;
        }
    }
    MessagePopup(kTituloResultados, (texto + ignorados_texto).c_str());
    return estado;
}

void Resultados_ex(int, int, void *, int) {
    std::vector<std::string> ficheiros;
    if (MultiFileSelectPopup("", "*.csv",
                             QT_TRANSLATE_NOOP("Vantrel", "Resultados: ficheiros dos alunos"),
                             &ficheiros) <= 0) {
        return;
    }
    char destino[vantrel::kPathSize] = {};
    const std::string pasta = pasta_de(ficheiros.front());
    if (FileSelectPopup(pasta.c_str(), "resultados.csv", "*.csv",
                        QT_TRANSLATE_NOOP("Vantrel", "Guardar a tabela dos resultados"),
                        VAL_SAVE_BUTTON, 0, 1, 1, 1, destino) <= 0) {
        destino[0] = '\0';
    }
    std::string caminho = destino;
    if (!caminho.empty() && !caminho.ends_with(".csv")) {
        caminho += ".csv";
    }
    recolhe_resultados(ficheiros, caminho);
}

void Criar_ex(int, int, void *, int) {
    if (rascunho().painel > 0) {
        return;
    }
    const int painel = LoadPanel(0, "exercicio.uir", EXERCICIO);
    if (painel < 0) {
        MessagePopup(kTituloExercicio,
                     QT_TRANSLATE_NOOP("Vantrel", "A janela «Criar exercício» não pôde ser "
                                                  "carregada (ficheiro «exercicio.uir» em falta ou "
                                                  "danificado)."));
        return;
    }
    rascunho().painel = painel;
    ClearListCtrl(painel, EXERCICIO_SORTEAVEL);
    const auto sorteaveis = exercicio::sorteaveis();
    for (std::size_t i = 0; i < sorteaveis.size(); ++i) {
        InsertListItem(painel, EXERCICIO_SORTEAVEL, -1, sorteaveis[i].rotulo, static_cast<int>(i));
    }
    mostra_rascunho();
    InstallPopup(painel);
}

int criar_juntar_tarefa(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    exercicio::TarefaEscrita escrita;
    escrita.pergunta = texto_de(EXERCICIO_PERGUNTA);
    escrita.grandeza = static_cast<exercicio::Grandeza>(valor_de(EXERCICIO_GRANDEZA));
    escrita.alvo = static_cast<exercicio::Alvo>(valor_de(EXERCICIO_ALVO));
    escrita.unidade = texto_de(EXERCICIO_UNIDADE);
    escrita.verdadeiro = texto_de(EXERCICIO_VALOR);
    escrita.tolerancia = texto_de(EXERCICIO_TOLERANCIA);
    escrita.percentual = valor_de(EXERCICIO_PERCENTUAL) == 1;
    escrita.dicas = texto_de(EXERCICIO_DICAS);
    exercicio::Tarefa tarefa;
    if (const auto recusa = exercicio::constroi_tarefa(escrita, tarefa)) {
        mensagem_exercicio(texto_recusa(*recusa));
        return 0;
    }
    Rascunho &r = rascunho();
    if (r.tarefas.size() >= exercicio::kMaximoTarefas) {
        mensagem_exercicio(Tr(QT_TRANSLATE_NOOP("Vantrel", "Tarefas: já são 50. Nada foi "
                                                           "alterado.")));
        return 0;
    }
    r.tarefas.push_back(tarefa);
    for (const int control : {EXERCICIO_PERGUNTA, EXERCICIO_VALOR, EXERCICIO_DICAS}) {
        SetCtrlVal(r.painel, control, "");
    }
    mostra_rascunho();
    // A computed value follows each student's settings; one that cannot be had now is named.
    const exercicio::Valor agora = exercicio::calcula_valor(tarefa);
    mensagem_exercicio(tarefa.verdadeiro || agora.valor
                           ? std::string()
                           : formata(QT_TRANSLATE_NOOP("Vantrel", "Tarefa junta, mas com o "
                                                                  "instrumento como está o valor "
                                                                  "não se calcula: %s."),
                                     agora.erro.c_str()));
    return 0;
}

namespace {

/// Takes the item chosen in the list `lista` out of `itens`; with none chosen, asks for one.
template <typename Item>
void retira_escolhido(int lista, std::vector<Item> &itens, const char *pedido) {
    const int i = escolhido(lista, itens.size());
    if (i < 0) {
        mensagem_exercicio(Tr(pedido));
        return;
    }
    itens.erase(itens.begin() + i);
    mostra_rascunho();
    mensagem_exercicio("");
}

} // namespace

int criar_retirar_tarefa(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        retira_escolhido(EXERCICIO_TAREFAS, rascunho().tarefas,
                         QT_TRANSLATE_NOOP("Vantrel", "Escolha na lista a tarefa a retirar."));
    }
    return 0;
}

int criar_juntar_sorteio(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    const auto sorteaveis = exercicio::sorteaveis();
    const int i = valor_de(EXERCICIO_SORTEAVEL);
    exercicio::AleatorioEscrito escrita;
    if (i >= 0 && static_cast<std::size_t>(i) < sorteaveis.size()) {
        escrita.definicao = sorteaveis[static_cast<std::size_t>(i)].definicao;
    }
    escrita.minimo = texto_de(EXERCICIO_MINIMO);
    escrita.maximo = texto_de(EXERCICIO_MAXIMO);
    Rascunho &r = rascunho();
    exercicio::Aleatorio aleatorio;
    if (const auto recusa = exercicio::constroi_aleatorio(escrita, r.aleatorios, aleatorio)) {
        mensagem_exercicio(texto_recusa(*recusa));
        return 0;
    }
    r.aleatorios.push_back(aleatorio);
    mostra_rascunho();
    mensagem_exercicio("");
    return 0;
}

int criar_retirar_sorteio(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        retira_escolhido(
            EXERCICIO_SORTEIOS, rascunho().aleatorios,
            QT_TRANSLATE_NOOP("Vantrel", "Escolha na lista a regulação a deixar de sortear."));
    }
    return 0;
}

int criar_guardar(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    Rascunho &r = rascunho();
    exercicio::Exercicio feito;
    feito.configuracao = configuracao_actual();
    feito.oculto.leituras = valor_de(EXERCICIO_OCULTA_LEITURAS) == 1;
    feito.oculto.gerador_bloqueado = valor_de(EXERCICIO_OCULTA_GERADOR) == 1;
    feito.oculto.nomes_fontes = valor_de(EXERCICIO_OCULTA_FONTES) == 1;
    feito.aleatorios = r.aleatorios;
    feito.tarefas = r.tarefas;
    if (const auto recusa = exercicio::verifica_exercicio(feito)) {
        mensagem_exercicio(texto_recusa(*recusa));
        return 0;
    }
    char escolhido_[vantrel::kPathSize] = {};
    if (FileSelectPopup("", "exercicio.vantrel-ex", "*.vantrel-ex",
                        QT_TRANSLATE_NOOP("Vantrel", "Guardar exercício"), VAL_SAVE_BUTTON, 0, 1, 1,
                        1, escolhido_) <= 0) {
        return 0;
    }
    const std::string caminho = com_extensao_exercicio(escolhido_);
    const std::string texto = exercicio::escreve_exercicio(feito);
    if (caminho.size() >= vantrel::kPathSize ||
        WriteFileAtomically(caminho.c_str(), texto.data(), static_cast<int>(texto.size())) != 0) {
        mensagem_exercicio(formata(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível escrever «%s»: "
                                                                "verifique a pasta, as permissões "
                                                                "e o comprimento do caminho."),
                                   nome_base(caminho).c_str()));
        return 0;
    }
    fecha_exercicio();
    MessagePopup(kTituloExercicio,
                 formata(QT_TRANSLATE_NOOP("Vantrel", "Exercício guardado em «%s»."),
                         nome_base(caminho).c_str())
                     .c_str());
    return 0;
}

int criar_cancelar(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        fecha_exercicio();
    }
    return 0;
}
