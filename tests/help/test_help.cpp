// The two help books as a student meets them: a right click opens a page on a fresh modal
// panel, the buttons and their shortcuts page through the book with wrap-around, "Mais" opens
// the manual and "Fechar" discards the panel; the pages' titles and texts are checked in full.

#include "app/callbacks.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/language.h"
#include "help/help.h"
#include "help/menu.h"
#include "ui/uir_constants.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

namespace {

// Page 10 as the student reads it.

const char *const kTriggerPage =
    "TRIG.:\n"
    "  AC: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n"
    "      comando TRIG. I/II), sinal sem componente continua.\n"
    "  DC: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n"
    "      comando TRIG. I/II), considerando a componente continua.\n"
    "  HF: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n"
    "      comando TRIG. I/II), aplicando um filtro de passa-alto ao\n"
    "      sinal.\n"
    "  LF: o sinal de trigger é retirado do CH1 ou CH2.(conforme o\n"
    "      comando TRIG. I/II), aplicando um filtro de passa-baixo ao\n"
    "      sinal.\n"
    "  ~: (LINE) o sinal de trigger é a tensão de 50Hz da rede.\n"
    "\n"
    "EXT: o sinal de trigger externo é recebido na ficha BNC : EXT\n"
    "TRIG INP.\n"
    "\n"
    "AT/NORM:\n"
    "  AUTO: dispara o trigger incondicionalmente.Recomendado para o\n"
    "        ajuste inicial.\n"
    "  NORM: só dispara o trigger se satisfeitas as condições de\n"
    "        nível, flanco e hold-off.\n"
    "\n"
    "LEVEL: Amplitude do sinal que dispara o trigger.\n"
    "\n"
    "+/-:\n"
    "  + : dispara o trigger no flanco ascendente do sinal.\n"
    "  - : dispara o trigger no flanco descendente do sinal.\n"
    "\n"
    "HOLD OFF: Inibe o trigger durante um certo intervalo de tempo,\n"
    "          ajustável. Rodando no sentido CW aumenta o tempo de\n"
    "          holdoff.";

// Page 20: the channel-mode table, 66 columns wide.

const char *const kModesPage =
    "Estes controlos permitem definir quais as ondas que são representadas no ecrã do "
    "osciloscópio.\n"
    "\n"
    "|CH I/II| DUAL  |  ADD  | VERT. |efeito da opção\n"
    "------------------------------------------------------------------\n"
    "| DESL  | DESL  | DESL  |  -    |só o CH I é mostrado,\n"
    "|       |       |       |       |trigger feito pelo CH I\n"
    "------------------------------------------------------------------\n"
    "| LIG   | DESL  | DESL  |  -    |só o CH II é mostrado,\n"
    "|       |       |       |       |trigger feito pelo CH II\n"
    "------------------------------------------------------------------\n"
    "| DESL  | LIG   | DESL  | DESL  |CH I e CH II, simultaneamente,\n"
    "|       |       |       |       |trigger feito pelo CH I\n"
    "------------------------------------------------------------------\n"
    "| LIG   | LIG   | DESL  | DESL  |CH I e CH II, simultaneamente,\n"
    "|       |       |       |       |trigger feito pelo CH II\n"
    "------------------------------------------------------------------\n"
    "| DESL  | LIG   | DESL  | LIG   |CH I e CH II, alternadamente,\n"
    "|       |       |       |       |trigger feito pelo CH I\n"
    "------------------------------------------------------------------\n"
    "| LIG   | LIG   | DESL  | LIG   |CH I e CH II, alternadamente,\n"
    "|       |       |       |       |trigger feito pelo CH II\n"
    "------------------------------------------------------------------\n"
    "| DESL  | DESL  | LIG   |  -    |soma de CH I e CH II num traço,\n"
    "|       |       |       |       |trigger feito pelo CH I\n"
    "------------------------------------------------------------------\n"
    "| LIG   | DESL  | LIG   |  -    |soma de CH I e CH II num traço,\n"
    "|       |       |       |       |trigger feito pelo CH II\n"
    "------------------------------------------------------------------\n"
    "\n"
    "DUAL e ADD não se ligam juntos: ligar um desliga o outro. \"-\" na coluna VERT.: a posição "
    "de VERT. não conta. Em X-Y nenhum destes botões conta.";

struct Page {
    const char *book;
    int number;
    const char *title;
    const char *text;
};

const Page kPages[] = {
    {"osc", 1, "Ajuda: POWER",
     "Ligar e desligar o Osciloscópio.\n\nQuando ligado o led verde ficará aceso."},
    {"osc", 2, "Ajuda: INTENSIDADE",
     "Alterando este controlo permite mudar o brilho das ondas representadas."},
    {"osc", 3, "Ajuda: FOCUS", "Este controlo clarificar a forma de onda."},
    {"osc", 4, "Ajuda: TRACE ROTATION",
     "Este controlo permite ajustar a horizontal do traço quando este não tem um sinal ligado."},
    {"osc", 5, "Ajuda: X-Y",
     "Quando o botão X-Y está pressionado, o osciloscópio não apresenta um grafico V/t. Em vez "
     "disso o eixo vertical é controlado pelo sinal de entrada presente no canal II. Isto permite "
     "que o osciloscópio seja utilizado para apresentar um grafico V/V (Volt/Volt).\n\nO modo X-Y "
     "é utilizado quando é necessário representar componentes caracteristicas da curva ou as "
     "figuras de Lissajous."},
    {"osc", 6, "Ajuda: ECRA",
     "Normalmente o ecra mostra um grafico V/t, com a tensão (V) no eixo vertical e o tempo (t) no "
     "eixo horizontal.\n\nAs escalas de ambos os eixos podem sem alteradas para possibilitar a "
     "exibição de uma grande variedade de sinais."},
    {"osc", 7, "Ajuda: SAIR", "Fechar o programa."},
    {"osc", 8, "Ajuda: INFORMAÇÕES",
     "Neste painel são mostrados os estados de cada um dos comandos existentes no "
     "osciloscópio.\nPara permitir ao utilizador saber como está o osciloscópio a funcionar."},
    {"osc", 9, "Ajuda: X-POS",
     "Permite que todo o conteudo do ecrã seja deslocado da direita para a esquerda do ecrã do "
     "osciloscópio e vice-versa.\n\nEste comando é útil quando é necessário usar a gralha do ecrã "
     "para fazer medições, por exemplo, para medir o periodo de uma onda."},
    {"osc", 10, "Ajuda: COMANDOS DE TRIGGER", kTriggerPage},
    {"osc", 11, "Ajuda: TV-Separation",
     "Os osciloscópios são muitas vezes utilizados para analisar formas de onda presentes no "
     "interior de televisões. Este controlo permite que o sinal seja sincronizado com os sinais da "
     "televisão, assim os sinais de diferentes pontos poderão ser comparados."},
    {"osc", 12, "Ajuda: TIME/DIV", "Permite alterar a escala do eixo horizontal do gráfico V/t."},
    {"osc", 13, "Ajuda: CALIB TIME",
     "Este comando permite fazer uma calibração do factor da escala de tempo utilizada."},
    {"osc", 14, "Ajuda: Y-POS I / Y-POS II",
     "Este comandos permitem que as ondas respectivas sejam movidas para cima e para baixo, "
     "alterando a posição de referência (0V).\n\nPara analisar um sinal alternado, é mais pratico "
     "ajustar o comando Y-POS de modo a que o nivel 0 V esteja no centro do ecrã. Para a analise "
     "de impulsos, torna-se mais útil que o nivel 0 V esteja no fundo do ecrã.\n\nY-POS I e Y-POS "
     "II permitem alterar o nivel 0 V das duas entradas independentemente uma da outra."},
    {"osc", 15, "Ajuda: INVERT",
     "Quando o botão INVERT está pressionado, o sinal do canal correspondente é invertido no ecrã "
     "do osciloscópio.\n\nEsta função é útil quando se comparam sinais."},
    {"osc", 16, "Ajuda: VOLTS/DIV",
     "Ajuste da escala vertical do gráfico V/t.\n\nAs escalas verticais para o CH I e CH II são "
     "ajustados independentemente."},
    {"osc", 17, "Ajuda: CALIB VOLTS",
     "Este comando permite a calibração da escala vertical, a calibração é feita para os dois "
     "canais de forma independente."},
    {"osc", 18, "Ajuda: CH I/II",
     "Os sinais são ligados aos sockets BNC de entrada através de plugs BNC.\n\nO socket "
     "disponivel ao lado do socket BNC disponivel um massa ou terra adicional."},
    {"osc", 19, "Ajuda: DC-AC-GD",
     "Na posição DC, o sinal de entrada é ligado directamente ao amplificador vertical do "
     "respectivo canal, CH I ou CH II.\n\n Na posição AC, um condensador é ligado à entrada do "
     "osciloscópio, assim as tensões DC são bloqueadas e apenas a parte AC dos sinais é "
     "mostrada.\n\nNa posição GND, a entrada do amplificador é ligada a 0V. Nesta posição torna "
     "posivel a determinação do nivel 0 V no ecrã do osciloscópio.\n\nA posição DC destes comandos "
     "é posição correcta para a maior parte dos sinais."},
    {"osc", 20, "Ajuda: CH-DUAL-ADD-VERT", kModesPage},
    {"osc", 21, "Ajuda: X-MAG",
     "Quando carregado, a escala horizontal do gráfico é aumentada 10 vezes.\n\nPor exemplo, se o "
     "cursor TIME/DIV estiver regulado para 1ms/div e o botão X-MAG estiver carregado a escala é "
     "alterada para 0.1ms/div."},
    {"osc", 22, "Ajuda: CALIB",
     "O terminal superior fornece uma onda quadrada de 0.2V pico a pico, enquanto que o inferior "
     "fornece, igualmente, uma onda quadrada mas de 2V pico a pico, ambas a 1kHz.\n\nOs sinais "
     "presentes nestas saidas são usados para confirmar se o osciloscópio está calibrado "
     "correctamente.\n\nNas entradas do osciloscócio é possivel escolher como entrada estes dois "
     "sinais."},
    {"osc", 23, "Ajuda: COMPONENT",
     "À saida do é disponibilizada o tensão variavel permitindo que as curvas caracteristicas dos "
     "componentes seja mostradas no ecrã do osciloscópio.\n\nQuando o botão está pressionado, o "
     "osciloscópio apresenta uma representação Volt/Volt, com a tensão de teste dos componentes "
     "ligada internamente ao eixo horizontal do osciloscópio.\n\nPara o normal funcionamento do "
     "osciloscópio o botão não deverá estar pressionado."},
    {"gen", 1, "Ajuda: POWER", "Fechar o Gerador"},
    // Pages of the generator's own additions: "~" marks a fact that the text must state.
    {"gen", 2, "Ajuda: ATT", "~−20 dB divide-o por 10 e −40 dB por 100"},
    {"gen", 3, "Ajuda: FUNCTION",
     "Estes três botões permitem a escolha da forma de onda que se pretende que seja gerada: "
     "sinusoidal, quadrada ou triangular."},
    {"gen", 4, "Ajuda: OUTPUT", "Saida do sinal gerado pelo gerador"},
    {"gen", 5, "Ajuda: VCF", "~o varrimento de frequência não é simulado"},
    {"gen", 6, "Ajuda: SYNC", "~o CH II recebe o SYNC do gerador 1 e o CH I o SYNC do gerador 2"},
    {"gen", 7, "Ajuda: OFFSET",
     "Cria um offset no sinal gerado, ou seja, acrescenta-lhe uma componente continua."},
    {"gen", 8, "Ajuda: AMPLITUDE", "Regulação da amplitude do sinal gerado."},
    {"gen", 9, "Ajuda: RAMP/PULSE", "~de 1 a 99 % do período no nível alto"},
    {"gen", 10, "Ajuda: RANGE",
     "Botões para seleccionar o factor de escala para a frequência pretendida, em conjunto com o "
     "regulador de frequência."},
    {"gen", 11, "Ajuda: FREQUENCY",
     "Escolha da frequência pretendida, utilizando o valor regulado neste comando e utilizando o "
     "factor escolhido no comando RANGE"},
    {"gen", 12, "Ajuda: INFO", "Painel informativo do estado do gerador que está a ser utilizado."},
    {"gen", 13, "Ajuda: PHASE", "~de −180° a +180°"},
    {"gen", 14, "Ajuda: FREQUÊNCIA DIGITADA", "~fora de 0,01 Hz a 2 MHz"},
};

int (*const kOpen[])(int) = {help_O, help_G};
void (*const kShow[])(int) = {mostra_ajuda, mostra_ajudaG};

int bookIndex(const QString &book) {
    return book == "osc" ? 0 : 1;
}

std::string label(int panel) {
    std::string text;
    GetCtrlAttribute(panel, AJUDA_HELP_BOX, ATTR_LABEL_TEXT, &text);
    return text;
}

std::string text(int panel) {
    std::string value;
    GetCtrlVal(panel, AJUDA_HELP_BOX, &value);
    return value;
}

int pageNumber(int panel) {
    int page = -1;
    GetCtrlVal(panel, AJUDA_OP_NUM, &page);
    return page;
}

QPlainTextEdit *box(int panel) {
    QWidget *view = EngineControlWidget(panel, AJUDA_HELP_BOX);
    return view != nullptr ? view->findChild<QPlainTextEdit *>() : nullptr;
}

// A right click delivered to the control's window as the window system would deliver it.
void rightClickThroughWindow(QWidget *control) {
    QWidget *top = control->window();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    const QPoint at = control->mapTo(top, control->rect().center());
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, at);
    QCoreApplication::processEvents();
}

/// A page's text as the table gives it: whole, or the fact that "~" marks.
bool showsPage(const QString &shown, const QString &expected) {
    return expected.startsWith('~') ? shown.contains(expected.mid(1)) : shown == expected;
}

void bookColumn() {
    QTest::addColumn<QString>("book");
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        RegisterInstrumentCallbacks();
        SetStrictCallbackResolution(1);
        Painel_Principal = LoadPanel(0, "oscil.uir", PANEL);
        QVERIFY2(Painel_Principal > 0, GetEngineErrorText());
        DisplayPanel(Painel_Principal);
    }

    void cleanup() {
        SetUiLanguage(UiLanguage::Portuguese);
        EngineSetResourceDir(nullptr);
        while (EngineTopPopup() != 0) {
            DiscardPanel(EngineTopPopup());
        }
    }

    void everyPageShowsItsTitleAndText_data() {
        bookColumn();
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        for (const Page &p : kPages) {
            QTest::addRow("%s %d", p.book, p.number)
                << QString(p.book) << p.number << QString(p.title) << QString(p.text);
        }
    }
    void everyPageShowsItsTitleAndText() {
        QFETCH(QString, book);
        QFETCH(int, page);
        QFETCH(QString, title);
        QFETCH(QString, expected);
        url_help.clear();
        QCOMPARE(kOpen[bookIndex(book)](page), 0);
        const int help = EngineTopPopup();
        QCOMPARE(help, Painel_Ajuda);
        QCOMPARE(EnginePopupDepth(), 1);
        QCOMPARE(QString::fromStdString(label(help)), title);
        const QString shown = QString::fromStdString(text(help));
        QVERIFY2(showsPage(shown, expected), qPrintable(shown));
        QCOMPARE(pageNumber(help), page);
        QCOMPARE(url_help, ProgramWebPage());
        // What the box shows on screen is what the page holds.
        QCoreApplication::processEvents();
        QCOMPARE(box(help)->toPlainText(), shown);
    }

    // Each language's page shows its own title and text in place of the other's, and switching
    // back shows the Portuguese page byte for byte.
    void englishPageReplacesThePortugueseOne_data() {
        bookColumn();
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("osc 1") << "osc" << 1 << "Help: POWER"
                               << "Switches the oscilloscope on and off.\n\nWhen it is on, the "
                                  "green LED is lit.";
        QTest::newRow("osc 10") << "osc" << 10 << "Help: TRIGGER CONTROLS"
                                << "~\n  LF: the trigger signal is taken from CH1 or CH2 (as the\n"
                                   "      TRIG. I/II switch sets), through a low-pass filter.\n";
        QTest::newRow("osc 20") << "osc" << 20 << "Help: CH-DUAL-ADD-VERT"
                                << "~\n| ON    | OFF   | ON    |  -    |sum of CH I and CH II, one "
                                   "trace,\n";
        QTest::newRow("osc 24") << "osc" << 24 << "Help: CIRCUIT BOARD"
                                << "~\"did not converge\"";
        QTest::newRow("gen 1") << "gen" << 1 << "Help: POWER"
                               << "Closes the generator.";
        QTest::newRow("gen 14") << "gen" << 14 << "Help: TYPED FREQUENCY"
                                << "~outside 0.01 Hz to 2 MHz";
    }
    void englishPageReplacesThePortugueseOne() {
        QFETCH(QString, book);
        QFETCH(int, page);
        QFETCH(QString, title);
        QFETCH(QString, expected);
        QCOMPARE(kOpen[bookIndex(book)](page), 0);
        const int help = EngineTopPopup();
        const std::string portugueseTitle = label(help);
        const std::string portugueseText = text(help);
        SetUiLanguage(UiLanguage::English);
        kShow[bookIndex(book)](page);
        QCOMPARE(QString::fromStdString(label(help)), title);
        const QString shown = QString::fromStdString(text(help));
        QVERIFY2(showsPage(shown, expected), qPrintable(shown));
        QCoreApplication::processEvents();
        QCOMPARE(box(help)->toPlainText(), shown);
        SetUiLanguage(UiLanguage::Portuguese);
        kShow[bookIndex(book)](page);
        QCOMPARE(label(help), portugueseTitle);
        QCOMPARE(text(help), portugueseText);
    }

    // No page of either book is left untranslated: every one has an English title and a text of
    // its own.
    void everyPageHasAnEnglishCounterpart_data() {
        bookColumn();
        QTest::addColumn<int>("pages");
        QTest::newRow("osc") << "osc" << kPaginasOsciloscopio;
        QTest::newRow("gen") << "gen" << kPaginasGerador;
    }
    void everyPageHasAnEnglishCounterpart() {
        QFETCH(QString, book);
        QFETCH(int, pages);
        QCOMPARE(kOpen[bookIndex(book)](1), 0);
        const int help = EngineTopPopup();
        for (int page = 1; page <= pages; ++page) {
            SetUiLanguage(UiLanguage::Portuguese);
            kShow[bookIndex(book)](page);
            const std::string portuguese = text(help);
            SetUiLanguage(UiLanguage::English);
            kShow[bookIndex(book)](page);
            QVERIFY2(label(help).starts_with("Help: "), label(help).c_str());
            QVERIFY2(!text(help).empty() && text(help) != portuguese, label(help).c_str());
        }
    }

    // The mode table is read by its columns: in either language every cell border of every line
    // falls in the same pixel column, and the 66-column rule fits the box without wrapping.
    void modeTableLinesUpOnScreen_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("heading");
        QTest::newRow("pt") << false << "|CH I/II| DUAL  |  ADD  | VERT. |efeito da opção";
        QTest::newRow("en") << true << "|CH I/II| DUAL  |  ADD  | VERT. |effect of the setting";
    }
    void modeTableLinesUpOnScreen() {
        QFETCH(bool, english);
        QFETCH(QString, heading);
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        QCOMPARE(help_O(20), 0);
        QCoreApplication::processEvents();
        QPlainTextEdit *edit = box(Painel_Ajuda);
        QVERIFY(QFontInfo(edit->font()).fixedPitch());
        const QFontMetrics metrics(edit->font());
        const QStringList lines = edit->toPlainText().split('\n');
        const qsizetype header = lines.indexOf(heading);
        QVERIFY(header > 0);
        const QString rule(66, '-');
        int rules = 0;
        int rows = 0;
        for (qsizetype i = header; i < lines.size() && !lines[i].isEmpty(); ++i) {
            const QString &line = lines[i];
            QVERIFY2(line.size() <= rule.size(), qPrintable(line));
            if (line == rule) {
                ++rules;
                continue;
            }
            ++rows;
            for (int border : {0, 8, 16, 24, 32}) {
                QVERIFY2(line.at(border) == '|', qPrintable(line));
                QCOMPARE(metrics.horizontalAdvance(line.left(border)),
                         metrics.horizontalAdvance(rule.left(border)));
            }
        }
        QCOMPARE(rules, 9);
        QCOMPARE(rows, 1 + 8 * 2);
        const int room = edit->viewport()->width() - 2 * int(edit->document()->documentMargin());
        QVERIFY2(metrics.horizontalAdvance(rule) <= room,
                 qPrintable(QString("%1 > %2").arg(metrics.horizontalAdvance(rule)).arg(room)));
    }

    void pagingWrapsAroundTheBook_data() {
        bookColumn();
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("osc next") << "osc" << 5 << AJUDA_SEG_BTN << "" << 6;
        QTest::newRow("osc previous") << "osc" << 5 << AJUDA_ANT_BTN << "" << 4;
        QTest::newRow("osc 24 next is 1") << "osc" << 24 << AJUDA_SEG_BTN << "" << 1;
        QTest::newRow("osc 1 previous is 24") << "osc" << 1 << AJUDA_ANT_BTN << "" << 24;
        QTest::newRow("osc Ctrl+S on 24") << "osc" << 24 << 0 << "S" << 1;
        QTest::newRow("osc Ctrl+A on 1") << "osc" << 1 << 0 << "A" << 24;
        QTest::newRow("gen next") << "gen" << 3 << AJUDA_SEG_BTN << "" << 4;
        QTest::newRow("gen 14 next is 1") << "gen" << 14 << AJUDA_SEG_BTN << "" << 1;
        QTest::newRow("gen 1 previous is 14") << "gen" << 1 << AJUDA_ANT_BTN << "" << 14;
        QTest::newRow("gen Ctrl+S on 14") << "gen" << 14 << 0 << "S" << 1;
        QTest::newRow("gen Ctrl+A on 1") << "gen" << 1 << 0 << "A" << 14;
        // A page number that no caller should pass still pages back into the book.
        QTest::newRow("osc past the end") << "osc" << 30 << AJUDA_SEG_BTN << "" << 1;
    }
    void pagingWrapsAroundTheBook() {
        QFETCH(QString, book);
        QFETCH(int, start);
        QFETCH(int, button);
        QFETCH(QString, key);
        QFETCH(int, expected);
        QCOMPARE(kOpen[bookIndex(book)](start), 0);
        const int help = EngineTopPopup();
        QWidget *window = EnginePanelWidget(help);
        if (key.isEmpty()) {
            QTest::mouseClick(EngineControlWidget(help, button), Qt::LeftButton);
        } else {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window, key.at(0).toLatin1(), Qt::ControlModifier);
        }
        // Paged in place: the same panel, the new page.
        QCOMPARE(EngineTopPopup(), help);
        QCOMPARE(pageNumber(help), expected);
        const Page *shown = nullptr;
        for (const Page &p : kPages) {
            if (book == p.book && p.number == expected) {
                shown = &p;
            }
        }
        // Pages outside the table (the board dialog's) are checked by their own suite.
        if (shown != nullptr) {
            QCOMPARE(QString::fromStdString(label(help)), QString(shown->title));
            QVERIFY(showsPage(QString::fromStdString(text(help)), QString(shown->text)));
        }
    }

    // A page outside the book records its number and leaves the panel as it was.
    void pageOutsideTheBookSetsOnlyThePageNumber_data() {
        bookColumn();
        QTest::addColumn<int>("page");
        QTest::newRow("osc 0") << "osc" << 0;
        QTest::newRow("osc 25") << "osc" << 25;
        QTest::newRow("gen 15") << "gen" << 15;
        QTest::newRow("gen -1") << "gen" << -1;
    }
    void pageOutsideTheBookSetsOnlyThePageNumber() {
        QFETCH(QString, book);
        QFETCH(int, page);
        url_help = "antes";
        QCOMPARE(kOpen[bookIndex(book)](page), 0);
        const int help = EngineTopPopup();
        QCOMPARE(pageNumber(help), page);
        QCOMPARE(label(help), std::string("Ajuda:"));
        QCOMPARE(text(help), std::string("Texto de ajuda"));
        QCOMPARE(url_help, std::string("antes"));
    }

    void closingDiscardsAndTheNextRequestGetsAFreshPanel_data() {
        bookColumn();
        QTest::addColumn<int>("close");
        QTest::newRow("osc button") << "osc" << 1;
        QTest::newRow("osc Ctrl+F") << "osc" << 0;
        QTest::newRow("gen button") << "gen" << 1;
        QTest::newRow("gen Ctrl+F") << "gen" << 0;
    }
    void closingDiscardsAndTheNextRequestGetsAFreshPanel() {
        QFETCH(QString, book);
        QFETCH(int, close);
        const auto open = kOpen[bookIndex(book)];
        QCOMPARE(open(3), 0);
        const int first = EngineTopPopup();
        QTest::mouseClick(EngineControlWidget(first, AJUDA_SEG_BTN), Qt::LeftButton);
        QCOMPARE(pageNumber(first), 4);
        if (close == 1) {
            QTest::mouseClick(EngineControlWidget(first, AJUDA_FECHA_AJU), Qt::LeftButton);
        } else {
            QWidget *window = EnginePanelWidget(first);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        }
        QCOMPARE(EnginePopupDepth(), 0);
        int number = 0;
        QVERIFY(GetPanelAttribute(first, ATTR_PANEL_NUMBER, &number) < 0);

        QCOMPARE(open(3), 0);
        const int second = EngineTopPopup();
        QVERIFY(second > 0);
        QCOMPARE(pageNumber(second), 3);
        QCOMPARE(EnginePopupDepth(), 1);
    }

    // A help panel taken off the screen some other way than by Fechar is not left behind.
    void aHelpPanelRemovedWithoutFecharIsReplaced() {
        QCOMPARE(help_O(1), 0);
        const int first = Painel_Ajuda;
        RemovePopup(0);
        QCOMPARE(help_G(2), 0);
        int number = 0;
        QVERIFY(GetPanelAttribute(first, ATTR_PANEL_NUMBER, &number) < 0);
        QCOMPARE(EnginePopupDepth(), 1);
        QCOMPARE(pageNumber(EngineTopPopup()), 2);
    }

    // While a help panel is up it is modal: a right click on the front panel reaches nothing.
    // The clicks go through the window system, where modality is decided.
    void secondRightClickCannotOpenASecondPanel() {
        rightClickThroughWindow(EngineControlWidget(Painel_Principal, PANEL_POWERBUTTON));
        const int help = EngineTopPopup();
        QVERIFY(help > 0);
        QCOMPARE(pageNumber(help), 1);
        rightClickThroughWindow(EngineControlWidget(Painel_Principal, PANEL_TIMEDIV));
        QCOMPARE(EnginePopupDepth(), 1);
        QCOMPARE(EngineTopPopup(), help);
        QCOMPARE(pageNumber(help), 1);
        QTest::mouseClick(EngineControlWidget(help, AJUDA_FECHA_AJU), Qt::LeftButton);
        rightClickThroughWindow(EngineControlWidget(Painel_Principal, PANEL_TIMEDIV));
        QCOMPARE(pageNumber(EngineTopPopup()), 12);
    }

    // "Mais" opens the manual that the menu opens, from any page of either book, in either
    // language.
    void moreOpensTheManual_data() {
        bookColumn();
        QTest::addColumn<bool>("english");
        QTest::newRow("osc") << "osc" << false;
        QTest::newRow("gen en") << "gen" << true;
    }
    void moreOpensTheManual() {
        QFETCH(QString, book);
        QFETCH(bool, english);
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        QCOMPARE(kOpen[bookIndex(book)](2), 0);
        const int help = EngineTopPopup();
        QTest::mouseClick(EngineControlWidget(help, AJUDA_SEG_BTN), Qt::LeftButton);
        QTest::mouseClick(EngineControlWidget(help, AJUDA_COMMANDBUTTON_4), Qt::LeftButton);
        const std::string opened = EngineLastBrowserUrl();
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_sobre_pagina);
        QCOMPARE(opened, EngineLastBrowserUrl());
        QCOMPARE(EngineTopPopup(), help); // the panel stays up
    }

    // The manual follows the program's language; the English one falls back to the Portuguese
    // one when it is not installed.
    void manualFollowsTheLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("installed"); ///< docs/en/index.html exists
        QTest::addColumn<QString>("opened");
        QTest::newRow("pt") << false << true << "/docs/index.html";
        QTest::newRow("en") << true << true << "/docs/en/index.html";
        QTest::newRow("en missing") << true << false << "/docs/index.html";
    }
    void manualFollowsTheLanguage() {
        QFETCH(bool, english);
        QFETCH(bool, installed);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("docs/en"));
        if (installed) {
            QFile manual(dir.filePath("docs/en/index.html"));
            QVERIFY(manual.open(QIODevice::WriteOnly));
        }
        EngineSetResourceDir(dir.path().toUtf8().constData());
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_sobre_pagina);
        QCOMPARE(QString::fromStdString(EngineLastBrowserUrl()), "file://" + dir.path() + opened);
    }

    // A missing or damaged help file: no window, nothing else disturbed.
    void unloadableHelpPanelShowsNothing_data() {
        bookColumn();
        QTest::addColumn<QByteArray>("content"); ///< empty: the file is missing
        QTest::newRow("osc missing") << "osc" << QByteArray();
        QTest::newRow("gen missing") << "gen" << QByteArray();
        QTest::newRow("osc damaged") << "osc" << QByteArray(R"({"panels": [{"number": 1,)");
        QTest::newRow("gen damaged") << "gen" << QByteArray(R"({"panels": 7})");
    }
    void unloadableHelpPanelShowsNothing() {
        QFETCH(QString, book);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        if (!content.isEmpty()) {
            QFile file(dir.filePath(book == "osc" ? "ajuda.uir" : "ajudaG.uir"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Painel_Ajuda = 4321;
        url_help = "antes";
        EngineSetResourceDir(dir.path().toUtf8().constData());
        QCOMPARE(kOpen[bookIndex(book)](1), -1);
        QCOMPARE(EnginePopupDepth(), 0);
        QCOMPARE(Painel_Ajuda, 4321);
        QCOMPARE(url_help, std::string("antes"));
        EngineSetResourceDir(nullptr);
        Painel_Ajuda = 0;
    }
};

int main(int argc, char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    HelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_help.moc"
