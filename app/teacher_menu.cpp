#include "app/teacher_menu.h"

#include "app/state.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "exercise/results.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>

namespace {

constexpr const char *kTituloResultados = QT_TRANSLATE_NOOP("Vantrel", "Resultados");
/// Students named one by one in the summary; the table holds them all.
constexpr std::size_t kAlunosNoResumo = 15;

std::string nome_base(const std::string &caminho) {
    const auto barra = caminho.find_last_of("/\\");
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

std::string pasta_de(const std::string &caminho) {
    const auto barra = caminho.find_last_of("/\\");
    return barra == std::string::npos ? std::string() : caminho.substr(0, barra);
}

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

/// At most one byte more than a result file may have, so that a huge file is never read whole.
std::optional<std::string> le_ficheiro(const std::string &caminho) {
    std::ifstream entrada(caminho, std::ios::binary);
    if (!entrada) {
        return std::nullopt;
    }
    std::string texto(exercicio::kTamanhoMaximoResultados + 1, '\0');
    entrada.read(texto.data(), static_cast<std::streamsize>(texto.size()));
    if (entrada.bad()) {
        return std::nullopt;
    }
    texto.resize(static_cast<std::size_t>(entrada.gcount()));
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

} // namespace

int recolhe_resultados(const std::vector<std::string> &ficheiros, const std::string &destino) {
    std::vector<exercicio::Resultado> todos;
    std::string ignorados;
    std::size_t usados = 0;
    for (const std::string &caminho : ficheiros) {
        const std::optional<std::string> texto = le_ficheiro(caminho);
        exercicio::LeituraResultados lida;
        if (texto) {
            lida = exercicio::le_resultados(*texto);
        } else {
            lida.motivo = QT_TRANSLATE_NOOP("Vantrel", "o ficheiro não existe ou não pode ser lido");
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
