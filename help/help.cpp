#include "help/help.h"

#include <array>
#include <string>

#include "app/state.h"
#include "engine/engine.h"
#include "engine/language.h"
#include "help/help_books.h"
#include "help/menu.h"
#include "ui/uir_constants.h"

namespace {

constexpr int kLarguraTabela = 66;

constexpr std::array<PaginaAjuda, kPaginasOsciloscopio> kOsciloscopio{{
    {"Ajuda: POWER", "Ligar e desligar o Osciloscópio.\n\nQuando ligado o led verde ficará aceso."},
    {"Ajuda: INTENSIDADE",
     "Alterando este controlo permite mudar o brilho das ondas representadas."},
    {"Ajuda: FOCUS", "Este controlo clarificar a forma de onda."},
    {"Ajuda: TRACE ROTATION",
     "Este controlo permite ajustar a horizontal do traço quando este não tem um sinal ligado."},
    {"Ajuda: X-Y", "Quando o botão X-Y está pressionado, o osciloscópio não apresenta um grafico "
                   "V/t. Em vez disso o eixo vertical é controlado pelo sinal de entrada presente "
                   "no canal II. Isto permite que o osciloscópio seja utilizado para apresentar um "
                   "grafico V/V (Volt/Volt).\n\nO modo X-Y é utilizado quando é necessário "
                   "representar componentes caracteristicas da curva ou as figuras de Lissajous."},
    {"Ajuda: ECRA", "Normalmente o ecra mostra um grafico V/t, com a tensão (V) no eixo vertical e "
                    "o tempo (t) no eixo horizontal.\n\nAs escalas de ambos os eixos podem sem "
                    "alteradas para possibilitar a exibição de uma grande variedade de sinais."},
    {"Ajuda: SAIR", "Fechar o programa."},
    {"Ajuda: INFORMAÇÕES",
     "Neste painel são mostrados os estados de cada um dos comandos existentes no "
     "osciloscópio.\nPara permitir ao utilizador saber como está o osciloscópio a funcionar."},
    {"Ajuda: X-POS",
     "Permite que todo o conteudo do ecrã seja deslocado da direita para a esquerda do ecrã do "
     "osciloscópio e vice-versa.\n\nEste comando é útil quando é necessário usar a gralha do ecrã "
     "para fazer medições, por exemplo, para medir o periodo de uma onda."},
    {"Ajuda: COMANDOS DE TRIGGER", nullptr}, // built line by line
    {"Ajuda: TV-Separation",
     "Os osciloscópios são muitas vezes utilizados para analisar formas de onda presentes no "
     "interior de televisões. Este controlo permite que o sinal seja sincronizado com os sinais da "
     "televisão, assim os sinais de diferentes pontos poderão ser comparados."},
    {"Ajuda: TIME/DIV", "Permite alterar a escala do eixo horizontal do gráfico V/t."},
    {"Ajuda: CALIB TIME",
     "Este comando permite fazer uma calibração do factor da escala de tempo utilizada."},
    {"Ajuda: Y-POS I / Y-POS II",
     "Este comandos permitem que as ondas respectivas sejam movidas para cima e para baixo, "
     "alterando a posição de referência (0V).\n\nPara analisar um sinal alternado, é mais pratico "
     "ajustar o comando Y-POS de modo a que o nivel 0 V esteja no centro do ecrã. Para a analise "
     "de impulsos, torna-se mais útil que o nivel 0 V esteja no fundo do ecrã.\n\nY-POS I e Y-POS "
     "II permitem alterar o nivel 0 V das duas entradas independentemente uma da outra."},
    {"Ajuda: INVERT",
     "Quando o botão INVERT está pressionado, o sinal do canal correspondente é invertido no ecrã "
     "do osciloscópio.\n\nEsta função é útil quando se comparam sinais."},
    {"Ajuda: VOLTS/DIV", "Ajuste da escala vertical do gráfico V/t.\n\nAs escalas verticais para o "
                         "CH I e CH II são ajustados independentemente."},
    {"Ajuda: CALIB VOLTS", "Este comando permite a calibração da escala vertical, a calibração é "
                           "feita para os dois canais de forma independente."},
    {"Ajuda: CH I/II",
     "Os sinais são ligados aos sockets BNC de entrada através de plugs BNC.\n\nO socket "
     "disponivel ao lado do socket BNC disponivel um massa ou terra adicional."},
    {"Ajuda: DC-AC-GD",
     "Na posição DC, o sinal de entrada é ligado directamente ao amplificador vertical do "
     "respectivo canal, CH I ou CH II.\n\n Na posição AC, um condensador é ligado à entrada do "
     "osciloscópio, assim as tensões DC são bloqueadas e apenas a parte AC dos sinais é "
     "mostrada.\n\nNa posição GND, a entrada do amplificador é ligada a 0V. Nesta posição torna "
     "posivel a determinação do nivel 0 V no ecrã do osciloscópio.\n\nA posição DC destes comandos "
     "é posição correcta para a maior parte dos sinais."},
    {"Ajuda: CH-DUAL-ADD-VERT", nullptr}, // built line by line
    {"Ajuda: X-MAG", "Quando carregado, a escala horizontal do gráfico é aumentada 10 "
                     "vezes.\n\nPor exemplo, se o cursor TIME/DIV estiver regulado para 1ms/div e "
                     "o botão X-MAG estiver carregado a escala é alterada para 0.1ms/div."},
    {"Ajuda: CALIB", "O terminal superior fornece uma onda quadrada de 0.2V pico a pico, enquanto "
                     "que o inferior fornece, igualmente, uma onda quadrada mas de 2V pico a pico, "
                     "ambas a 1kHz.\n\nOs sinais presentes nestas saidas são usados para confirmar "
                     "se o osciloscópio está calibrado correctamente.\n\nNas entradas do "
                     "osciloscócio é possivel escolher como entrada estes dois sinais."},
    {"Ajuda: COMPONENT",
     "À saida do é disponibilizada o tensão variavel permitindo que as curvas caracteristicas dos "
     "componentes seja mostradas no ecrã do osciloscópio.\n\nQuando o botão está pressionado, o "
     "osciloscópio apresenta uma representação Volt/Volt, com a tensão de teste dos componentes "
     "ligada internamente ao eixo horizontal do osciloscópio.\n\nPara o normal funcionamento do "
     "osciloscópio o botão não deverá estar pressionado."},
    {"Ajuda: PLACA DE CIRCUITOS",
     "A placa de circuitos é uma entrada do CH I ou do CH II: escolha \"Placa de circuitos\" "
     "na janela de entrada do canal.\n\n"
     "Placa: o circuito montado (divisor, RC, RLC, retificadores, limitador, Zener), desenhado "
     "com os seus pontos de medida a laranja.\n"
     "Ligada ao: o gerador que alimenta a placa. A forma de onda, a frequência, a amplitude e o "
     "offset regulam-se no painel desse gerador, que o botão \"Painel do gerador\" mostra.\n"
     "Ponto medido: o ponto que este canal mostra. \"Entrada\" é o próprio sinal do gerador. "
     "Cada canal pode medir um ponto diferente da mesma placa: por exemplo a entrada no CH I e "
     "a saída no CH II, em DUAL ou em X-Y.\n\n"
     "Componentes: - e + passam ao valor anterior ou seguinte da série E12 (1; 1,2; 1,5; 1,8; "
     "2,2; 2,7; 3,3; 3,9; 4,7; 5,6; 6,8; 8,2). Também pode escrever o valor e carregar em "
     "Enter, com os prefixos p, n, u (ou µ), m, k, M: 1,5k, 4k7, 100n, 22u. Um valor que não é "
     "um número ou fica fora dos limites é recusado com uma mensagem, e o componente mantém o "
     "valor que tinha. O botão \"Com C\" tira ou põe o condensador de alisamento.\n\n"
     "Cada alteração vê-se logo no ecrã. Se o cálculo do circuito não estabilizar, a placa diz "
     "\"não convergiu\" e os seus pontos mostram uma linha a 0 V.\n\n"
     "Confirmar: fecha a janela e mantém as alterações.\n"
     "Sair: fecha a janela e repõe a placa e a entrada do canal como estavam ao abri-la."},
}};

constexpr std::array<PaginaAjuda, kPaginasGerador> kGerador{{
    {"Ajuda: POWER", "Fechar o Gerador"},
    {"Ajuda: ATT",
     "O atenuador reduz todo o sinal de saída, offset incluído: −20 dB divide-o por 10 e −40 dB "
     "por 100. Assim se obtêm sinais de milivolts: 2 V de amplitude com −40 dB dão 20 mV.\n\n"
     "Um clique esquerdo abre a escolha entre 0 dB, −20 dB e −40 dB."},
    {"Ajuda: FUNCTION", "Estes três botões permitem a escolha da forma de onda que se pretende que "
                        "seja gerada: sinusoidal, quadrada ou triangular."},
    {"Ajuda: OUTPUT", "Saida do sinal gerado pelo gerador"},
    {"Ajuda: VCF",
     "Entrada de controlo da frequência por tensão: num gerador real, um sinal aplicado nesta "
     "entrada varre a frequência de saída.\n\nNeste simulador o varrimento de frequência não é "
     "simulado: a entrada VCF não tem efeito."},
    {"Ajuda: SYNC",
     "Saída de sincronismo: uma onda quadrada TTL, de 0 V e 5 V, com a frequência e a fase do "
     "gerador (5 V durante a primeira metade de cada período), qualquer que seja a forma, a "
     "amplitude ou o offset escolhidos.\n\nPara a observar, escolha \"Sync do outro gerador\" "
     "como entrada de um canal: o CH II recebe o SYNC do gerador 1 e o CH I o SYNC do gerador 2."},
    {"Ajuda: OFFSET",
     "Cria um offset no sinal gerado, ou seja, acrescenta-lhe uma componente continua."},
    {"Ajuda: AMPLITUDE", "Regulação da amplitude do sinal gerado."},
    {"Ajuda: RAMP/PULSE",
     "Transforma a onda triangular numa rampa e a onda quadrada num impulso.\n\nUm clique "
     "esquerdo abre dois botões: a subida da rampa, de 0 a 100 % do período (50 % é a onda "
     "triangular e 100 % um dente de serra), e o ciclo do impulso, de 1 a 99 % do período no "
     "nível alto (50 % é a onda quadrada).\n\nA onda sinusoidal não é alterada."},
    {"Ajuda: RANGE", "Botões para seleccionar o factor de escala para a frequência pretendida, em "
                     "conjunto com o regulador de frequência."},
    {"Ajuda: FREQUENCY", "Escolha da frequência pretendida, utilizando o valor regulado neste "
                         "comando e utilizando o factor escolhido no comando RANGE"},
    {"Ajuda: INFO", "Painel informativo do estado do gerador que está a ser utilizado."},
    {"Ajuda: PHASE",
     "Fase inicial do sinal gerado, de −180° a +180°, escolhida com o botão PHASE.\n\nQuando os "
     "dois geradores têm a mesma frequência, o gerador 2 segue a base de tempo do gerador 1: a "
     "diferença de fase entre o CH I e o CH II é exactamente a diferença das duas fases "
     "escolhidas. Duas sinusoides de igual amplitude a 90° desenham um círculo no modo X-Y."},
    {"Ajuda: FREQUÊNCIA DIGITADA",
     "Escreva a frequência pretendida e prima Enter: por exemplo 150, 2k, 2,5 kHz ou 1.5 MHz. "
     "Aceita vírgula ou ponto decimal, os prefixos m, k e M e a unidade Hz.\n\nO gerador "
     "escolhe o RANGE e o regulador de frequência que dão esse valor; um valor entre dois passos "
     "do regulador é arredondado ao passo mais próximo e o painel indica a frequência obtida.\n\n"
     "Um valor fora de 0,01 Hz a 2 MHz, negativo, vazio ou com letras é recusado com uma "
     "mensagem, sem alterar o gerador."},
}};

// Page 10, line by line: its indentation lines the sub-items up in the fixed-pitch box.
constexpr std::array kComandosTrigger{
    "TRIG.:\n",
    "  AC: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n",
    "      comando TRIG. I/II), sinal sem componente continua.\n",
    "  DC: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n",
    "      comando TRIG. I/II), considerando a componente continua.\n",
    "  HF: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n",
    "      comando TRIG. I/II), aplicando um filtro de passa-alto ao\n",
    "      sinal.\n",
    "  LF: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n",
    "      comando TRIG. I/II), aplicando um filtro de passa-baixo ao\n",
    "      sinal.\n",
    "  ~: (LINE) o sinal de trigger é a tensão de 50Hz da rede.\n\n",
    "EXT: o sinal de trigger externo é recebido na ficha BNC : EXT\n",
    "TRIG INP.\n\n",
    "AT/NORM:\n",
    "  AUTO: dispara o trigger incondicionalmente.Recomendado para o\n",
    "        ajuste inicial.\n",
    "  NORM: só dispara o trigger se satisfeitas as condições de\n",
    "        nível, flanco e hold-off.\n\n",
    "LEVEL: Amplitude do sinal que dispara o trigger.\n\n",
    "+/-:\n",
    "  + : dispara o trigger no flanco ascendente do sinal.\n",
    "  - : dispara o trigger no flanco descendente do sinal.\n\n",
    "HOLD OFF: Inibe o trigger durante um certo intervalo de tempo,\n",
    "          ajustável. Rodando no sentido CW aumenta o tempo de\n",
    "          holdoff.",
};

// Page 20: one row per mode the switches give; VERT. matters only with DUAL, and DUAL and ADD
// exclude each other.
constexpr const char *kLig = " LIG   ";
constexpr const char *kDesl = " DESL  ";
constexpr const char *kQualquer = "  -    ";
constexpr std::array<LinhaModos, kLinhasModos> kModos{{
    {kDesl, kDesl, kDesl, kQualquer, "só o CH I é mostrado,", "trigger feito pelo CH I"},
    {kLig, kDesl, kDesl, kQualquer, "só o CH II é mostrado,", "trigger feito pelo CH II"},
    {kDesl, kLig, kDesl, kDesl, "CH I e CH II, simultaneamente,", "trigger feito pelo CH I"},
    {kLig, kLig, kDesl, kDesl, "CH I e CH II, simultaneamente,", "trigger feito pelo CH II"},
    {kDesl, kLig, kDesl, kLig, "CH I e CH II, alternadamente,", "trigger feito pelo CH I"},
    {kLig, kLig, kDesl, kLig, "CH I e CH II, alternadamente,", "trigger feito pelo CH II"},
    {kDesl, kDesl, kLig, kQualquer, "soma de CH I e CH II num traço,", "trigger feito pelo CH I"},
    {kLig, kDesl, kLig, kQualquer, "soma de CH I e CH II num traço,", "trigger feito pelo CH II"},
}};

constexpr const char *kModosIntroducao = "Estes controlos permitem definir quais as ondas que são "
                                         "representadas no ecrã do osciloscópio.\n\n";
constexpr const char *kModosCabecalho = "|CH I/II| DUAL  |  ADD  | VERT. |efeito da opção\n";
constexpr const char *kModosNota =
    "\nDUAL e ADD não se ligam juntos: ligar um desliga o outro. \"-\" na coluna VERT.: "
    "a posição de VERT. não conta. Em X-Y nenhum destes botões conta.";

constexpr LivroAjuda kPortugues{kOsciloscopio,    kGerador,        kComandosTrigger, kModos,
                                kModosIntroducao, kModosCabecalho, kModosNota};
static_assert(LivroCompleto(kPortugues));

const LivroAjuda &livroActual() {
    return CurrentUiLanguage() == UiLanguage::English ? LivroAjudaIngles() : kPortugues;
}

void anexa(const char *linha) {
    SetCtrlVal(Painel_Ajuda, AJUDA_HELP_BOX, linha);
}

std::string linhaTabela(const LinhaModos &celulas, const char *texto) {
    return std::string("|") + celulas.ch + "|" + celulas.dual + "|" + celulas.add + "|" +
           celulas.vert + "|" + texto + "\n";
}

// The mode table, 66 columns wide: under its header a rule, then each row's two lines, and a
// closing rule.
void constroiModos(const LivroAjuda &livro) {
    const std::string separador = std::string(kLarguraTabela, '-') + "\n";
    constexpr const char *kVazia = "       ";
    constexpr LinhaModos kContinuacao{kVazia, kVazia, kVazia, kVazia, "", ""};
    anexa(livro.modosIntroducao);
    anexa(livro.modosCabecalho);
    for (const LinhaModos &linha : livro.modos) {
        anexa(separador.c_str());
        anexa(linhaTabela(linha, linha.primeira).c_str());
        anexa(linhaTabela(kContinuacao, linha.segunda).c_str());
    }
    anexa(separador.c_str());
    anexa(livro.modosNota);
}

void constroiTrigger(const LivroAjuda &livro) {
    for (const char *linha : livro.trigger) {
        anexa(linha);
    }
}

// Title, text and page address of one page of the oscilloscope book (`gerador` false) or the
// generator book, in the program's language; the page number is recorded first, whatever it is.
void mostra(bool gerador, int page) {
    SetCtrlVal(Painel_Ajuda, AJUDA_OP_NUM, page);
    const LivroAjuda &livro = livroActual();
    const std::span<const PaginaAjuda> paginas =
        gerador ? std::span<const PaginaAjuda>(livro.gerador) : livro.osciloscopio;
    if (page < 1 || page > static_cast<int>(paginas.size())) {
        return;
    }
    const PaginaAjuda &pagina = paginas[static_cast<std::size_t>(page - 1)];
    SetCtrlAttribute(Painel_Ajuda, AJUDA_HELP_BOX, ATTR_LABEL_TEXT, pagina.titulo);
    ResetTextBox(Painel_Ajuda, AJUDA_HELP_BOX, "");
    if (pagina.texto != nullptr) {
        InsertTextBoxLine(Painel_Ajuda, AJUDA_HELP_BOX, 0, pagina.texto);
    } else if (page == kPaginaTrigger) {
        constroiTrigger(livro);
    } else if (page == kPaginaModos) {
        constroiModos(livro);
    }
    url_help = ProgramWebPage();
}

int abre(const char *ficheiro, void (*mostraPagina)(int), int page) {
    const int painel = LoadPanel(Painel_Principal, ficheiro, AJUDA);
    if (painel < 0) {
        return -1;
    }
    // A help panel taken off the screen without its Fechar button is still loaded: only one
    // may exist, so the fresh one replaces it.
    if (Painel_Ajuda > 0) {
        DiscardPanel(Painel_Ajuda);
    }
    Painel_Ajuda = painel;
    mostraPagina(page);
    InstallPopup(Painel_Ajuda);
    return 0;
}

// The page before or after the one shown, wrapping around at either end of a book of `ultima`.
int vizinha(int passo, int ultima) {
    int actual = 0;
    GetCtrlVal(Painel_Ajuda, AJUDA_OP_NUM, &actual);
    const int pagina = actual + passo;
    if (pagina < 1) {
        return ultima;
    }
    return pagina > ultima ? 1 : pagina;
}

void fecha(int event) {
    if (event == EVENT_COMMIT) {
        DiscardPanel(Painel_Ajuda);
        Painel_Ajuda = 0;
    }
}

void abreManual(int event) {
    if (event == EVENT_COMMIT) {
        InetLaunchDefaultWebBrowser(url_help.c_str());
    }
}

} // namespace

const LivroAjuda &LivroAjudaPortugues() {
    return kPortugues;
}

void mostra_ajuda(int page) {
    mostra(false, page);
}

void mostra_ajudaG(int page) {
    mostra(true, page);
}

int help_O(int page) {
    return abre("ajuda.uir", mostra_ajuda, page);
}

int help_G(int page) {
    return abre("ajudaG.uir", mostra_ajudaG, page);
}

int aj_ant(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        mostra_ajuda(vizinha(-1, kPaginasOsciloscopio));
    }
    return 0;
}

int aj_seg(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        mostra_ajuda(vizinha(+1, kPaginasOsciloscopio));
    }
    return 0;
}

int fechar_ajuda(int, int, int event, void *, int, int) {
    fecha(event);
    return 0;
}

int abrir_pag(int, int, int event, void *, int, int) {
    abreManual(event);
    return 0;
}

int ajG_ant(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        mostra_ajudaG(vizinha(-1, kPaginasGerador));
    }
    return 0;
}

int ajG_seg(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        mostra_ajudaG(vizinha(+1, kPaginasGerador));
    }
    return 0;
}

int fechar_ajudaG(int, int, int event, void *, int, int) {
    fecha(event);
    return 0;
}

int abrir_pagG(int, int, int event, void *, int, int) {
    abreManual(event);
    return 0;
}
