#pragma once
/// Making an exercise from what the teacher typed in "Criar exercício…": each task and each
/// randomised setting is checked as it is added, so that a bad field is refused with its name
/// and nothing of the exercise changes.

#include "exercise/exercise_file.h"

#include <optional>
#include <span>
#include <string>

namespace exercicio {

/// Where a task's quantity is measured, as the dialog offers it.
enum class Alvo { Nenhum, Canal1, Canal2, Gerador1, Gerador2 };

/// One task as the dialog's fields hold it: texts as typed.
struct TarefaEscrita {
    std::string pergunta;
    Grandeza grandeza = Grandeza::Frequencia;
    Alvo alvo = Alvo::Nenhum;
    std::string unidade;     ///< a free answer's unit; the other quantities have their own
    std::string verdadeiro;  ///< a number (SI prefixes allowed), or empty for "calculado"
    std::string tolerancia;  ///< a number
    bool percentual = false; ///< tolerance in percent of the true value
    std::string dicas;       ///< the hints, separated by '|' or line breaks
};

/// A randomised setting as typed: the setting's key and its range.
struct AleatorioEscrito {
    std::string definicao; ///< as in a set-up file: "generators[0].frequency"
    std::string minimo;
    std::string maximo;
};

/// Why a field was refused: the field's label and the reason, both Portuguese texts marked for
/// translation, and the text typed (empty when none is quoted).
struct Recusa {
    const char *campo;
    const char *motivo;
    std::string citado;
};

/// The unit in which a quantity's answers and true value are given ("" for a free answer).
const char *unidade_base(Grandeza grandeza);

/// The task that `escrita` describes, or why a field cannot be taken. The quantities measured
/// on a channel or generator need one; phase and time constant need none; a free answer needs
/// the teacher's true value.
std::optional<Recusa> constroi_tarefa(const TarefaEscrita &escrita, Tarefa &tarefa);

/// A setting that the teacher may randomise: its key in the set-up file and its label.
struct Sorteavel {
    const char *definicao;
    const char *rotulo; ///< Portuguese, marked for translation
};
/// The settings offered for randomising, in the dialog's order.
std::span<const Sorteavel> sorteaveis();

/// The randomised setting that `escrita` describes, within the setting's own range, or why it
/// cannot be taken (also when `ja_sorteados` holds the setting already).
std::optional<Recusa> constroi_aleatorio(const AleatorioEscrito &escrita,
                                         std::span<const Aleatorio> ja_sorteados,
                                         Aleatorio &aleatorio);

/// Whether the exercise as assembled can be saved: at least one task, and within the file's
/// bounds.
std::optional<Recusa> verifica_exercicio(const Exercicio &exercicio);

} // namespace exercicio
