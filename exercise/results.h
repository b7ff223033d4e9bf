#pragma once
/// The students' result files (CSV, one line per answer given) collected into one table: per
/// student and task the last answer, and per student how many tasks are right.
/// Only the standard library.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace exercicio {

/// First line of every result file, and the first columns of the collected table.
inline constexpr std::string_view kCabecalhoResultados =
    "aluno,tarefa,resposta,valor_verdadeiro,dentro_da_tolerancia,hora";
/// Largest result file read: a class's answers take a few kilobytes.
inline constexpr std::size_t kTamanhoMaximoResultados = 1 << 20;
/// Highest task number a result line may give.
inline constexpr int kTarefaMaxima = 1000;

/// One answer as a result file gives it.
struct Resultado {
    std::string aluno;
    int tarefa = 0; ///< 1-based
    std::string resposta;
    double valor_verdadeiro = 0.0;
    bool certa = false;
    std::string hora; ///< YYYY-MM-DDTHH:MM:SS
};

/// A result file read: its answers, or where and why it is refused.
struct LeituraResultados {
    bool valida = false;
    std::vector<Resultado> resultados;
    int linha = 0;           ///< line at fault, 1-based; 0 for the whole file
    const char *coluna = ""; ///< column at fault ("tarefa"), or "" for the whole line
    const char *motivo = ""; ///< Portuguese, marked for translation: "tem um valor inválido"
};

/// Reads a result file's text (RFC 4180: quoted fields may hold commas, quotes doubled and
/// line breaks; LF or CRLF; a leading UTF-8 BOM is skipped). The whole file is refused at the
/// first fault: another first line, a line without six fields, a task that is not a whole
/// number from 1 to kTarefaMaxima, a true value that is not a finite number, a verdict other
/// than "sim"/"nao", a time not in the form above, an empty name.
LeituraResultados le_resultados(std::string_view texto);

/// What a student got: the last answer to each task they answered, by task, and how many are
/// right out of `tarefas`.
struct Aluno {
    std::string nome;
    std::vector<Resultado> respostas;
    int certas = 0;
    int tarefas = 0;
};

/// The answers of several files, by student (in the order of their names), the last answer to
/// each task counting: the latest time, and on equal times the one read later. The number of
/// tasks is the highest task number any student answered.
std::vector<Aluno> recolhe(const std::vector<Resultado> &resultados);

/// The collected table as CSV: the result columns, then `certas` and `tarefas`, one line per
/// student and task. Names and answers that a spreadsheet would take for a formula are written
/// with a leading apostrophe.
std::string escreve_recolha(const std::vector<Aluno> &alunos);

} // namespace exercicio
