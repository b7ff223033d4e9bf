#include "app/setup_menu.h"

#include "app/exercise_menu.h"
#include "app/reset.h"
#include "app/state.h"
#include "controls/trigger_display.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "generator/generator.h"
#include "setup/setup_file.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kTituloAbrir[] = QT_TRANSLATE_NOOP("Vantrel", "Abrir configuração");
constexpr char kTituloGuardar[] = QT_TRANSLATE_NOOP("Vantrel", "Guardar configuração");
constexpr char kExtensao[] = ".vantrel";
constexpr char kFicheiroRecentes[] = "configuracoes_recentes.txt";
constexpr std::size_t kMaximoRecentes = 4;

struct Configuracao {
    std::string ficheiro;              ///< the set-up opened or saved last; empty for none
    setup::Valores guardados;          ///< the settings as that file holds them
    setup::Valores iniciais;           ///< the start-up settings
    std::string titulo_janela;         ///< the main window's own title
    std::vector<std::string> recentes; ///< set-ups opened or saved, the latest first
    std::vector<int> itens_recentes;   ///< their items in the "Ficheiro" menu
    std::string largado;               ///< a file dropped on the window, until it is opened
};

Configuracao &configuracao() {
    static Configuracao c;
    return c;
}

} // namespace

std::string nome_base(const std::string &caminho) {
    const auto barra = caminho.find_last_of("/\\");
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

std::string pasta_de(const std::string &caminho) {
    const auto barra = caminho.find_last_of("/\\");
    return barra == std::string::npos ? std::string() : caminho.substr(0, barra);
}

setup::Valores configuracao_actual() {
    GetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG, &setup::botao_ch2);
    GetCtrlVal(Painel_Principal, PANEL_DADOS_CHI, &setup::grandeza_leitura[0]);
    GetCtrlVal(Painel_Principal, PANEL_DADOS_CHII, &setup::grandeza_leitura[1]);
    return setup::captura();
}

const setup::Valores &configuracao_inicial() {
    return configuracao().iniciais;
}

void aplica_configuracao(const setup::Valores &valores) {
    const int ligado = Ligado;
    setup::aplica(valores);
    const int pedido = Ligado;
    Ligado = ligado;
    define_intens(intens_val);
    define_focus(focus_val);
    for (int c = 0; c < 2; ++c) {
        canais_op[c] = entrada_op[c] == 0 || entrada_op[c] == 1 ? 1 : 0;
    }
    trigger_ch = setup::botao_ch2 + 1;
    if (modoxy == 1) {
        xC1 = 0.0;
        xC2 = 0.0;
    }
    SetCtrlVal(Painel_Principal, PANEL_DADOS_CHI, setup::grandeza_leitura[0]);
    SetCtrlVal(Painel_Principal, PANEL_DADOS_CHII, setup::grandeza_leitura[1]);
    alinha_osciloscopio(setup::botao_ch2);
    alinha_geradores();
    if (pedido != Ligado) {
        Power_btn(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK, nullptr, 0, 0);
    }
}

namespace {

std::string caminho_recentes() {
    char pasta[vantrel::kPathSize] = {};
    if (GetUserFileDir(pasta, vantrel::kPathSize) != 0) {
        return {};
    }
    return std::string(pasta) + "/" + kFicheiroRecentes;
}

void abre_recente(int, int item, void *, int) {
    const Configuracao &c = configuracao();
    for (std::size_t i = 0; i < c.itens_recentes.size() && i < c.recentes.size(); ++i) {
        if (c.itens_recentes[i] == item) {
            Abrir_config_em(c.recentes[i]);
            return;
        }
    }
}

/// The recent set-ups as items of the "Ficheiro" menu, numbered, between its two separators.
void mostra_recentes() {
    Configuracao &c = configuracao();
    const int barra = GetPanelMenuBar(Painel_Principal);
    for (const int item : c.itens_recentes) {
        DiscardMenuItem(barra, item);
    }
    c.itens_recentes.clear();
    for (std::size_t i = 0; i < c.recentes.size(); ++i) {
        const std::string texto = std::to_string(i + 1) + " " + nome_base(c.recentes[i]);
        const int item = NewMenuItem(barra, MenuBar_Fich, texto.c_str(), MenuBar_Fich_SEPARATOR_4,
                                     abre_recente, nullptr);
        if (item > 0) {
            c.itens_recentes.push_back(item);
        }
    }
}

/// The list of recent set-ups kept between runs, one path a line.
void le_recentes() {
    Configuracao &c = configuracao();
    std::ifstream entrada(caminho_recentes());
    std::string linha;
    while (c.recentes.size() < kMaximoRecentes && std::getline(entrada, linha)) {
        if (!linha.empty() && linha.size() < vantrel::kPathSize) {
            c.recentes.push_back(linha);
        }
    }
}

void junta_recente(const std::string &caminho) {
    Configuracao &c = configuracao();
    std::erase(c.recentes, caminho);
    c.recentes.insert(c.recentes.begin(), caminho);
    c.recentes.resize(std::min(c.recentes.size(), kMaximoRecentes));
    std::string texto;
    for (const std::string &r : c.recentes) {
        texto += r + "\n";
    }
    // The list is a convenience: a folder that cannot be written only loses it.
    const std::string ficheiro = caminho_recentes();
    if (!ficheiro.empty()) {
        WriteFileAtomically(ficheiro.c_str(), texto.data(), static_cast<int>(texto.size()));
    }
    mostra_recentes();
}

void abre_largado(void *) {
    const std::string caminho = configuracao().largado;
    if (e_exercicio(caminho)) {
        abre_exercicio(caminho.c_str());
    } else {
        Abrir_config_em(caminho);
    }
}

/// A file dropped on the window opens once the drop is over, so that the file manager is not
/// held while a message waits.
void largado(int, const char *caminho) {
    configuracao().largado = caminho;
    PostDeferredCall(abre_largado, nullptr);
}

/// The set-up's file becomes the open one: the window names it, its settings are the saved
/// ones.
void fixa_ficheiro(const std::string &caminho) {
    Configuracao &c = configuracao();
    c.ficheiro = caminho;
    c.guardados = configuracao_actual();
    const std::string titulo = c.titulo_janela + " — " + nome_base(caminho);
    SetPanelAttribute(Painel_Principal, ATTR_TITLE, titulo.c_str());
    junta_recente(caminho);
}

/// The user's answer before the settings of an open set-up with changes are given up.
bool pode_abandonar(const char *titulo, const char *pergunta) {
    if (!configuracao_alterada()) {
        return true;
    }
    const std::string texto =
        Tr(QT_TRANSLATE_NOOP("Vantrel", "A configuração «")) + nome_base(configuracao().ficheiro) +
        Tr(QT_TRANSLATE_NOOP("Vantrel", "» tem alterações que não foram guardadas.\n")) +
        Tr(pergunta);
    return ConfirmPopup(titulo, texto.c_str()) == 1;
}

std::string com_extensao(std::string caminho) {
    const std::string extensao = kExtensao;
    if (caminho.size() < extensao.size() ||
        caminho.compare(caminho.size() - extensao.size(), extensao.size(), extensao) != 0) {
        caminho += extensao;
    }
    return caminho;
}

} // namespace

std::optional<std::string> le_ficheiro_limitado(const char *caminho, std::size_t limite) {
    std::ifstream entrada(caminho, std::ios::binary);
    if (!entrada) {
        return std::nullopt;
    }
    std::string texto(limite + 1, '\0');
    entrada.read(texto.data(), static_cast<std::streamsize>(texto.size()));
    if (entrada.bad()) {
        return std::nullopt;
    }
    texto.resize(static_cast<std::size_t>(entrada.gcount()));
    return texto;
}

void prepara_configuracoes() {
    Configuracao &c = configuracao();
    c = Configuracao{};
    c.iniciais = configuracao_actual();
    GetPanelAttribute(Painel_Principal, ATTR_TITLE, &c.titulo_janela);
    le_recentes();
    mostra_recentes();
    SetPanelFileDropCallback(Painel_Principal, largado);
}

void Abrir_config_em(const std::string &caminho) {
    if (pode_abandonar(kTituloAbrir, QT_TRANSLATE_NOOP("Vantrel", "Abrir outra sem as guardar?"))) {
        abre_configuracao(caminho.c_str());
    }
}

int abre_configuracao(const char *caminho) {
    const std::string nome = nome_base(caminho);
    const std::optional<std::string> texto = le_ficheiro_limitado(caminho, setup::kTamanhoMaximo);
    if (!texto) {
        const std::string mensagem =
            Tr(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível abrir «")) + nome +
            Tr(QT_TRANSLATE_NOOP("Vantrel", "»: o ficheiro não existe ou não pode ser lido."));
        MessagePopup(kTituloAbrir, mensagem.c_str());
        return -1;
    }
    const setup::Leitura leitura = setup::le_configuracao(*texto, configuracao().iniciais);
    if (!leitura.valida) {
        MessagePopup(kTituloAbrir, setup::mensagem_erro(nome, leitura, Tr).c_str());
        return -1;
    }
    aplica_configuracao(leitura.valores);
    fixa_ficheiro(caminho);
    return 0;
}

int guarda_configuracao(const char *caminho) {
    const std::string texto = setup::escreve_configuracao(configuracao_actual());
    if (WriteFileAtomically(caminho, texto.data(), static_cast<int>(texto.size())) != 0) {
        const std::string mensagem =
            Tr(QT_TRANSLATE_NOOP("Vantrel", "Não foi possível escrever «")) + nome_base(caminho) +
            Tr(QT_TRANSLATE_NOOP("Vantrel",
                                 "».\nVerifique a pasta e as permissões e tente de novo."));
        MessagePopup(kTituloGuardar, mensagem.c_str());
        return -1;
    }
    fixa_ficheiro(caminho);
    return 0;
}

bool configuracao_alterada() {
    const Configuracao &c = configuracao();
    return !c.ficheiro.empty() && configuracao_actual() != c.guardados;
}

bool confirma_saida() {
    if (configuracao_alterada()) {
        return pode_abandonar(QT_TRANSLATE_NOOP("Vantrel", "Sair"),
                              QT_TRANSLATE_NOOP("Vantrel", "Sair sem as guardar?"));
    }
    return ConfirmPopup(QT_TRANSLATE_NOOP("Vantrel", "Sair"),
                        QT_TRANSLATE_NOOP("Vantrel", "  Tem a certeza que pretende sair?  ")) == 1;
}

void Abrir_config(int, int, void *, int) {
    char escolhido[vantrel::kPathSize] = {};
    const std::string pasta = pasta_de(configuracao().ficheiro);
    if (FileSelectPopup(pasta.c_str(), "*.vantrel", "", kTituloAbrir, VAL_SELECT_BUTTON, 0, 1, 1, 0,
                        escolhido) > 0) {
        Abrir_config_em(escolhido);
    }
}

void Guardar_config(int, int, void *, int) {
    const Configuracao &c = configuracao();
    const std::string proposto =
        c.ficheiro.empty() ? "configuracao.vantrel" : nome_base(c.ficheiro);
    char escolhido[vantrel::kPathSize] = {};
    if (FileSelectPopup(pasta_de(c.ficheiro).c_str(), proposto.c_str(), "", kTituloGuardar,
                        VAL_SAVE_BUTTON, 0, 1, 1, 1, escolhido) <= 0) {
        return;
    }
    const std::string caminho = com_extensao(escolhido);
    if (caminho.size() >= vantrel::kPathSize) {
        MessagePopup(kTituloGuardar,
                     QT_TRANSLATE_NOOP("Vantrel", "O caminho escolhido é demasiado longo.\n"
                                                  "Escolha um ficheiro num caminho mais curto."));
        return;
    }
    guarda_configuracao(caminho.c_str());
}
