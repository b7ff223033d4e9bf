#include "exercise/answers.h"

#include "engine/translate.h"
#include "setup/setup_file.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace exercicio {

namespace {

struct Prefixo {
    std::string_view simbolo;
    double factor;
};

constexpr std::array<Prefixo, 9> kPrefixos{{
    {"p", 1e-12},
    {"n", 1e-9},
    {"u", 1e-6},
    {"\xC2\xB5", 1e-6}, // µ, micro sign
    {"\xCE\xBC", 1e-6}, // μ, Greek mu
    {"m", 1e-3},
    {"k", 1e3},
    {"M", 1e6},
    {"G", 1e9},
}};

/// Relative slack of the tolerance test, so that an answer on the edge is not lost to the
/// rounding of its decimal digits.
constexpr double kFolga = 1e-12;

std::string_view sem_espacos(std::string_view texto) {
    const auto espaco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!texto.empty() && espaco(texto.front())) {
        texto.remove_prefix(1);
    }
    while (!texto.empty() && espaco(texto.back())) {
        texto.remove_suffix(1);
    }
    return texto;
}

/// The length of the number at the start of `texto`: digits, one decimal point or comma, an
/// exponent.
std::size_t comprimento_numero(std::string_view texto) {
    std::size_t i = 0;
    const auto digitos = [&] {
        while (i < texto.size() && std::isdigit(static_cast<unsigned char>(texto[i])) != 0) {
            ++i;
        }
    };
    if (i < texto.size() && (texto[i] == '-' || texto[i] == '+')) {
        ++i;
    }
    digitos();
    if (i < texto.size() && (texto[i] == '.' || texto[i] == ',')) {
        ++i;
        digitos();
    }
    if (i + 1 < texto.size() && (texto[i] == 'e' || texto[i] == 'E') &&
        (std::isdigit(static_cast<unsigned char>(texto[i + 1])) != 0 || texto[i + 1] == '-' ||
         texto[i + 1] == '+')) {
        ++i;
        if (texto[i] == '-' || texto[i] == '+') {
            ++i;
        }
        digitos();
    }
    return i;
}

std::optional<double> numero(std::string_view texto) {
    std::string copia(texto);
    for (char &c : copia) {
        c = c == ',' ? '.' : c;
    }
    if (!copia.empty() && copia.front() == '+') {
        copia.erase(0, 1);
    }
    double valor = 0.0;
    const char *fim = copia.data() + copia.size();
    const auto [parou, erro] = std::from_chars(copia.data(), fim, valor);
    if (copia.empty() || erro != std::errc() || parou != fim || !std::isfinite(valor)) {
        return std::nullopt;
    }
    return valor;
}

std::optional<double> factor_prefixo(std::string_view simbolo) {
    if (simbolo.empty()) {
        return 1.0;
    }
    for (const Prefixo &p : kPrefixos) {
        if (p.simbolo == simbolo) {
            return p.factor;
        }
    }
    return std::nullopt;
}

std::uint64_t mistura(std::uint64_t x) {
    // splitmix64's finaliser: every input bit reaches every output bit.
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

Resposta le_resposta(std::string_view texto, std::string_view unidade,
                     const char *(*traduz)(const char *)) {
    const std::string_view limpo = sem_espacos(texto);
    const auto recusa = [&](const char *modelo) {
        const std::string argumentos[2] = {"«" + std::string(limpo) + "»", std::string(unidade)};
        return Resposta{std::nullopt,
                        setup::com_argumentos(traduz ? traduz(modelo) : modelo, argumentos)};
    };
    const std::size_t n = comprimento_numero(limpo);
    const std::optional<double> valor = numero(limpo.substr(0, n));
    if (!valor) {
        return recusa(QT_TRANSLATE_NOOP("Vantrel", "%1 não é um número"));
    }
    std::string_view resto = sem_espacos(limpo.substr(n));
    if (!unidade.empty() && resto.size() >= unidade.size() &&
        resto.substr(resto.size() - unidade.size()) == unidade) {
        resto = sem_espacos(resto.substr(0, resto.size() - unidade.size()));
    }
    const std::optional<double> factor = factor_prefixo(resto);
    if (!factor) {
        return recusa(
            unidade.empty()
                ? QT_TRANSLATE_NOOP("Vantrel",
                                    "%1 deve ser só um número, com ou sem prefixo (k, m, µ…)")
                : QT_TRANSLATE_NOOP("Vantrel", "%1 não está em %2"));
    }
    return {*valor * *factor, {}};
}

bool dentro_da_tolerancia(double resposta, double verdadeiro, double tolerancia, bool percentual) {
    const double margem = percentual ? std::abs(verdadeiro) * tolerancia / 100.0 : tolerancia;
    const double folga = kFolga * std::max(std::abs(verdadeiro), std::abs(margem));
    return std::abs(resposta - verdadeiro) <= margem + folga;
}

double sorteio(std::string_view aluno, std::string_view definicao, double minimo, double maximo) {
    std::uint64_t h = 0xCBF29CE484222325ULL; // FNV-1a over the name and the setting
    const auto junta = [&h](unsigned char c) { h = (h ^ c) * 0x100000001B3ULL; };
    for (const char c : sem_espacos(aluno)) {
        junta(static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c))));
    }
    junta(0);
    for (const char c : definicao) {
        junta(static_cast<unsigned char>(c));
    }
    const double u = static_cast<double>(mistura(h) >> 11) * 0x1.0p-53;
    return minimo + u * (maximo - minimo);
}

} // namespace exercicio
