#pragma once
/// Set-up files: the whole state a user can set, as a JSON text, and back.
///
/// `kCampos` lists every setting with the global that holds it and the values it may take; it
/// is the file's schema as much as its map. Reading checks the whole text against it before it
/// gives anything back, so a bad file changes nothing.

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace setup {

/// The format written today. Files of this format or an older one are read; newer ones are
/// refused with their number.
inline constexpr int kFormato = 2;
/// Largest file read: a full set-up with both spreadsheet waveforms takes about 40 kB.
inline constexpr std::size_t kTamanhoMaximo = 1 << 20;

/// Settings that only a panel keeps: the channel-mode dialog's CH I/II button (1 pressed:
/// CH II) and the quantity of each channel's read-out ring. The front side copies them from
/// the panels before saving and back after loading.
extern int botao_ch2;
extern int grandeza_leitura[2];

/// Where a setting sits in the file: one object "oscilloscope", "tester" or "board", or one
/// object per channel in "channels" and per generator in "generators".
enum class Grupo { Osciloscopio, Canais, Geradores, Testador, Placa };

/// The values of every setting, in the order of `campos()`, one vector per setting holding
/// all its instances one after the other.
using Valores = std::vector<std::vector<double>>;

/// The range of one value of a setting.
struct Intervalo {
    double minimo;
    double maximo;
};

/// One setting: `quantos` values per instance (1 a number, more an array) at `global`, whose
/// instance n starts `n * quantos` elements further on. Values must be finite, within
/// `minimo` .. `maximo`, whole numbers for int globals, and one of `permitidos` when given.
struct Campo {
    Grupo grupo;
    const char *chave;
    const char *nome_global;
    std::variant<int *, float *, double *> global;
    int quantos;
    double minimo;
    double maximo;
    std::span<const double> permitidos{};
    int desde = 1; ///< first format that holds it: older files leave it at its start-up value
    /// For a setting whose range differs per element (a board's components) or follows another
    /// setting (the tester's component): the range of element `elemento` (counted over all
    /// instances) within `minimo` .. `maximo`, given the other settings in `valores`.
    Intervalo (*intervalo)(const Valores &valores, std::size_t elemento) = nullptr;
};

/// Every setting of the file.
std::span<const Campo> campos();

/// The range that element `elemento` of `campo` may take beside the other settings `valores`.
Intervalo intervalo(const Campo &campo, const Valores &valores, std::size_t elemento);

/// The settings as the globals hold them now.
Valores captura();
/// Writes `valores` (as `captura` or `le_configuracao` gives them) into the globals.
void aplica(const Valores &valores);

/// The JSON text of a set-up file holding `valores`.
std::string escreve_configuracao(const Valores &valores);

/// Outcome of reading a file: the values, or the field at fault and what is wrong with it.
struct Leitura {
    bool valida = false;
    Valores valores;
    std::string campo;  ///< e.g. "generators[1].frequency"; empty for the whole file
    std::string motivo; ///< Portuguese, e.g. "está fora do intervalo"
    /// When the reason holds numbers: its marked text with %1 and %2 in their place, and the
    /// numbers, so that `mensagem_erro` can translate it; empty otherwise.
    std::string modelo;
    std::string argumentos[2];
};

/// Reads a set-up file's text. Fields that a file of an older format lacks take their values
/// from `iniciais` (the start-up state). Never throws.
Leitura le_configuracao(std::string_view texto, const Valores &iniciais);

/// False when brackets outside strings nest deeper than `maxima`: checked before parsing, so a
/// hostile file never reaches the parser's recursion.
bool profundidade_aceitavel(std::string_view texto, int maxima);

/// `modelo` (a marked reason, perhaps translated) with %1 and %2 replaced by the two
/// arguments, wherever the translation put them.
std::string com_argumentos(std::string modelo, const std::string (&argumentos)[2]);

/// "Não foi possível abrir «nome»: o campo «campo» motivo." (or without the field); `traduz`,
/// when given, turns its fixed pieces into the program's language.
std::string mensagem_erro(std::string_view nome, const Leitura &leitura,
                          const char *(*traduz)(const char *) = nullptr);

} // namespace setup
