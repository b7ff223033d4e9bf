#pragma once
/// Exercise files (`.vantrel-ex`): a whole set-up, what the front hides from the student, the
/// settings drawn per student, and the tasks whose answers are checked.
///
/// JSON with `"format": 1` and `"kind": "vantrel-exercise"`:
///
///     {"format": 1, "kind": "vantrel-exercise",
///      "setup":  {the object of a set-up file},
///      "hidden": {"readouts": true, "generator_locked": true, "source_names": true},
///      "random": [{"setting": "generators[1].frequency", "minimum": 0.3, "maximum": 1.8}],
///      "tasks":  [{"question": "...", "quantity": "frequency", "generator": 1, "unit": "Hz",
///                  "true_value": "computed", "tolerance": 5, "tolerance_percent": true,
///                  "hints": ["..."]}]}
///
/// A task names `"channel"` (0 CH I, 1 CH II) or `"generator"` (0 or 1) when its quantity is
/// measured on one; "phase" and "time_constant" name neither, "free" may name neither.
/// Reading is bounded and all or nothing, like a set-up's: the first fault names its field.

#include "setup/setup_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exercicio {

/// The format written today; newer files are refused with their number.
inline constexpr int kFormatoExercicio = 1;
/// Largest exercise file read: a set-up's limit and room for the tasks.
inline constexpr std::size_t kTamanhoMaximoExercicio = setup::kTamanhoMaximo + (256 << 10);
/// Bounds that keep a hand-made file within reason.
inline constexpr std::size_t kMaximoTarefas = 50;
inline constexpr std::size_t kMaximoDicas = 10;
inline constexpr std::size_t kMaximoAleatorios = 20;
inline constexpr std::size_t kMaximoTexto = 2000; ///< bytes of a question, hint or unit

/// What a task asks for. The file's names are those of `chave_grandeza`.
enum class Grandeza {
    Frequencia,     ///< "frequency", Hz
    Periodo,        ///< "period", s
    PicoPico,       ///< "peak_to_peak", V
    Amplitude,      ///< "amplitude", V: half the peak-to-peak
    Offset,         ///< "offset", V: the mean value
    Fase,           ///< "phase", degrees: between CH I and CH II, 0 .. 180
    ConstanteTempo, ///< "time_constant", s: R·C of the RC board on the bench
    Livre           ///< "free": any number, the teacher gives the true value
};

/// Where a task's quantity is measured.
enum class Origem { Nenhuma, Canal, Gerador };

/// The front features hidden from the student while the exercise is open.
struct Oculto {
    bool leituras = false;          ///< "readouts": the read-outs beside the screen off
    bool gerador_bloqueado = false; ///< "generator_locked": the generator panels cannot open
    bool nomes_fontes = false;      ///< "source_names": the channels' source names hidden
    bool operator==(const Oculto &) const = default;
};

/// A setting drawn per student within `minimo` .. `maximo`, named as in a set-up file
/// ("generators[1].frequency", "oscilloscope.trigger_level").
struct Aleatorio {
    std::string definicao;
    double minimo = 0.0;
    double maximo = 0.0;
    bool operator==(const Aleatorio &) const = default;
};

struct Tarefa {
    std::string pergunta;
    Grandeza grandeza = Grandeza::Livre;
    Origem origem = Origem::Nenhuma;
    int indice = 0;                   ///< channel or generator, 0 or 1
    std::string unidade;              ///< "Hz", "V", "s", "°", or any text for a free answer
    std::optional<double> verdadeiro; ///< the teacher's value; none: computed from the state
    double tolerancia = 0.0;
    bool percentual = false; ///< tolerance in percent of the true value
    std::vector<std::string> dicas;
    bool operator==(const Tarefa &) const = default;
};

struct Exercicio {
    setup::Valores configuracao; ///< as `setup::captura` gives them
    Oculto oculto;
    std::vector<Aleatorio> aleatorios;
    std::vector<Tarefa> tarefas;
    bool operator==(const Exercicio &) const = default;
};

/// The file's name of a quantity ("frequency", ...) and back.
const char *chave_grandeza(Grandeza grandeza);
std::optional<Grandeza> grandeza_de(std::string_view chave);

/// The JSON text of an exercise file.
std::string escreve_exercicio(const Exercicio &exercicio);

/// Outcome of reading an exercise file: the exercise, or the field at fault and what is wrong.
struct LeituraExercicio {
    bool valido = false;
    Exercicio exercicio;
    std::string campo;  ///< e.g. "tasks[2].tolerance", "setup.generators[1].amplitude"
    std::string motivo; ///< Portuguese, e.g. "está fora do intervalo"
    std::string modelo; ///< a set-up reason holding numbers: as `setup::Leitura` keeps it
    std::string argumentos[2];
};

/// Reads an exercise file's text; `iniciais` are the start-up settings, for a set-up of an
/// older format. Never throws.
LeituraExercicio le_exercicio(std::string_view texto, const setup::Valores &iniciais);

/// "Não foi possível abrir «nome»: o campo «campo» motivo." (or without the field); `traduz`,
/// when given, turns its fixed pieces and the reason into the program's language.
std::string mensagem_erro(std::string_view nome, const LeituraExercicio &leitura,
                          const char *(*traduz)(const char *) = nullptr);

/// The exercise's set-up with every randomised setting drawn for student `aluno` with
/// `sorteio` (whole-numbered settings rounded). The same name gives the same settings.
setup::Valores configuracao_do_aluno(const Exercicio &exercicio, std::string_view aluno);

/// A task's true value from the instrument as it stands (the channels' input buffers and the
/// generators' outputs, as the read-outs measure them), or why it cannot be computed.
struct Valor {
    std::optional<double> valor;
    std::string erro; ///< Portuguese, e.g. "não há uma placa RC na bancada"
};
Valor calcula_valor(const Tarefa &tarefa);

/// The teacher's true value, or `calcula_valor`'s; NaN when it cannot be computed.
double valor_verdadeiro(const Tarefa &tarefa);

} // namespace exercicio
