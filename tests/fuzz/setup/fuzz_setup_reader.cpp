// The set-up file reader over arbitrary bytes. A file it accepts must hold every setting within
// its range, and must read back to the same values once written again.

#include "setup/setup_file.h"

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
    const setup::Leitura leitura = setup::le_configuracao(texto, iniciais);
    if (!leitura.valida) {
        check(leitura.valores.empty() && !leitura.motivo.empty());
        return 0;
    }
    const auto campos = setup::campos();
    check(leitura.valores.size() == campos.size());
    for (std::size_t i = 0; i < campos.size(); ++i) {
        for (const double v : leitura.valores[i]) {
            check(std::isfinite(v) && v >= campos[i].minimo && v <= campos[i].maximo);
        }
    }
    const setup::Leitura outra =
        setup::le_configuracao(setup::escreve_configuracao(leitura.valores), iniciais);
    check(outra.valida && outra.valores == leitura.valores);
    return 0;
}
