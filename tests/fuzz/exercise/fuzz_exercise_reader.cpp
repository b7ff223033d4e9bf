// The exercise file reader over arbitrary bytes. An exercise it accepts must keep within the
// file's bounds, read back the same once written again, and draw settings within their ranges.

#include "exercise/exercise_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const setup::Valores iniciais = setup::captura();
    const std::string_view texto(reinterpret_cast<const char *>(data), size);
    const exercicio::LeituraExercicio leitura = exercicio::le_exercicio(texto, iniciais);
    if (!leitura.valido) {
        check(leitura.exercicio == exercicio::Exercicio{} && !leitura.motivo.empty());
        return 0;
    }
    const exercicio::Exercicio &ex = leitura.exercicio;
    check(!ex.tarefas.empty() && ex.tarefas.size() <= exercicio::kMaximoTarefas);
    for (const exercicio::Tarefa &t : ex.tarefas) {
        check(std::isfinite(t.tolerancia) && t.tolerancia >= 0.0);
        check(!t.verdadeiro || std::isfinite(*t.verdadeiro));
    }
    const exercicio::LeituraExercicio outra =
        exercicio::le_exercicio(exercicio::escreve_exercicio(ex), iniciais);
    check(outra.valido && outra.exercicio == ex);
    const auto campos = setup::campos();
    const setup::Valores aluno = exercicio::configuracao_do_aluno(ex, "Ana");
    for (std::size_t i = 0; i < campos.size(); ++i) {
        for (const double v : aluno[i]) {
            check(std::isfinite(v) && v >= campos[i].minimo && v <= campos[i].maximo);
        }
    }
    return 0;
}
