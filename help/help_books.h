#pragma once
/// The help books' contents, one set per language. Both languages fill the same shape, so the
/// books cannot differ in page count, and a missing title stops the build.

#include <array>
#include <span>

#include "help/help.h"

struct PaginaAjuda {
    const char *titulo;
    const char *texto; ///< nullptr: the page is built line by line
};

/// One row of the channel-mode table: the three buttons' states and the two lines of text.
struct LinhaModos {
    const char *ch, *dual, *add, *vert; ///< cells of the switch columns, 7 characters each
    const char *primeira, *segunda;
};

inline constexpr int kPaginaTrigger = 10;
inline constexpr int kPaginaModos = 20;
inline constexpr int kLinhasModos = 8;

struct LivroAjuda {
    std::array<PaginaAjuda, kPaginasOsciloscopio> osciloscopio;
    std::array<PaginaAjuda, kPaginasGerador> gerador;
    std::span<const char *const> trigger;       ///< page 10, one entry per line of the box
    std::array<LinhaModos, kLinhasModos> modos; ///< page 20's rows
    const char *modosIntroducao;
    const char *modosCabecalho;
    const char *modosNota;
};

/// True when every page has a title, and only pages 10 and 20 of the oscilloscope book are
/// built line by line.
constexpr bool LivroCompleto(const LivroAjuda &livro) {
    int pagina = 0;
    for (const PaginaAjuda &p : livro.osciloscopio) {
        ++pagina;
        const bool construida = pagina == kPaginaTrigger || pagina == kPaginaModos;
        if (p.titulo == nullptr || (p.texto == nullptr) != construida) {
            return false;
        }
    }
    for (const PaginaAjuda &p : livro.gerador) {
        if (p.titulo == nullptr || p.texto == nullptr) {
            return false;
        }
    }
    for (const LinhaModos &l : livro.modos) {
        if (l.primeira == nullptr || l.segunda == nullptr) {
            return false;
        }
    }
    return !livro.trigger.empty() && livro.modosIntroducao != nullptr &&
           livro.modosCabecalho != nullptr && livro.modosNota != nullptr;
}

/// The Portuguese book (the default) and the English one.
const LivroAjuda &LivroAjudaPortugues();
const LivroAjuda &LivroAjudaIngles();
