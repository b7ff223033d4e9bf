// The data-link panel's resource file against its table: the panel, each control's identifier,
// constant, kind, stored text and callback, and the close box that presses "Fechar".

#include "app/callbacks.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "ui/uir_constants.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include <array>
#include <string>

namespace {

struct Row {
    int id;
    int generated;
    const char *constant;
    EngineControlKind kind;
    const char *text; ///< caption of buttons, stored text of the text kinds, label of the box
    const char *callback;
};

#define ROW(ID, C, KIND, TEXT, CB)                                                                 \
    { ID, PANEL_##C, #C, KIND, TEXT, CB }

const auto kRows = std::to_array<Row>({
    ROW(2, PATH_fich, CTRL_STRING, "C:\\", ""),
    ROW(3, PATH, CTRL_STRING, "C:\\Programas\\Microsoft Office\\", ""),
    ROW(4, STATUS, CTRL_TEXT_BOX, "Estado:", ""),
    ROW(5, CONNECT, CTRL_COMMAND_BUTTON, "Carregar Dados", "ConnectToExcel"),
    ROW(6, QUIT, CTRL_COMMAND_BUTTON, "Fechar", "Shutdown"),
    ROW(7, TEXT_EX, CTRL_TEXT_MSG, "Localização do Excel:", ""),
    ROW(8, COMMANDBUTTON_2, CTRL_COMMAND_BUTTON, "Procurar", "path_fich"),
    ROW(9, COMMANDBUTTON, CTRL_COMMAND_BUTTON, "Procurar", "path_excel"),
    ROW(10, TEXT_EX2, CTRL_TEXT_MSG, "Localização do ficheiro:", ""),
    ROW(11, TEXTH, CTRL_TEXT_MSG, "Usar o ficheiro template.xls para criação de um novo sinal.",
        ""),
});

std::string stringAttr(int panel, int control, int attribute) {
    std::string text = "<unset>";
    GetCtrlAttribute(panel, control, attribute, &text);
    return text;
}

} // namespace

class DataLinkPanelTest : public QObject {
    Q_OBJECT
    int panel_ = 0;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void panelMatchesTable();
    void controlMatchesTable_data();
    void controlMatchesTable();
    void statusKeepsItsNewestLineInView();
};

void DataLinkPanelTest::initTestCase() {
    std::array<char *, 2> argv{const_cast<char *>("test_datalink_panel"), nullptr};
    QCOMPARE(InitCVIRTE(nullptr, argv.data(), nullptr), 1);
    RegisterInstrumentCallbacks();
    SetStrictCallbackResolution(1);
    panel_ = LoadPanel(0, "ddedemo.uir", PANEL);
    QVERIFY2(panel_ > 0, GetEngineErrorText());
}

void DataLinkPanelTest::cleanupTestCase() {
    EngineReset();
}

void DataLinkPanelTest::panelMatchesTable() {
    std::string text;
    QCOMPARE(GetPanelAttribute(panel_, ATTR_CONSTANT_NAME, &text), 0);
    QCOMPARE(text, std::string("PANEL"));
    QCOMPARE(GetPanelAttribute(panel_, ATTR_TITLE, &text), 0);
    QCOMPARE(text, std::string());
    int value = 0;
    GetPanelAttribute(panel_, ATTR_PANEL_NUMBER, &value);
    QCOMPARE(value, 1);
    GetPanelAttribute(panel_, ATTR_HEIGHT, &value);
    QCOMPARE(value, 164);
    GetPanelAttribute(panel_, ATTR_WIDTH, &value);
    QCOMPARE(value, 712);
    GetPanelAttribute(panel_, ATTR_NUM_CTRLS, &value);
    QCOMPARE(value, static_cast<int>(kRows.size()));
    QCOMPARE(GetPanelMenuBar(panel_), 0);
}

void DataLinkPanelTest::controlMatchesTable_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        QTest::newRow(kRows[i].constant) << static_cast<int>(i);
    }
}

void DataLinkPanelTest::controlMatchesTable() {
    QFETCH(int, row);
    const Row &r = kRows[static_cast<std::size_t>(row)];
    QCOMPARE(r.generated, r.id);
    QCOMPARE(stringAttr(panel_, r.id, ATTR_CONSTANT_NAME), std::string(r.constant));
    int kind = 0;
    GetCtrlAttribute(panel_, r.id, ATTR_CTRL_KIND, &kind);
    QCOMPARE(kind, static_cast<int>(r.kind));
    QCOMPARE(stringAttr(panel_, r.id, ATTR_CALLBACK_NAME), std::string(r.callback));
    int visible = 0;
    int dimmed = 1;
    GetCtrlAttribute(panel_, r.id, ATTR_VISIBLE, &visible);
    GetCtrlAttribute(panel_, r.id, ATTR_DIMMED, &dimmed);
    QCOMPARE(visible, 1);
    QCOMPARE(dimmed, 0);
    std::string text;
    if (r.kind == CTRL_STRING || r.kind == CTRL_TEXT_MSG) {
        QCOMPARE(GetCtrlVal(panel_, r.id, &text), 0);
    } else {
        text = stringAttr(panel_, r.id, ATTR_LABEL_TEXT);
    }
    QCOMPARE(QString::fromStdString(text), QString::fromUtf8(r.text));
    if (r.kind == CTRL_TEXT_BOX) {
        QCOMPARE(GetCtrlVal(panel_, r.id, &text), 0);
        QCOMPARE(text, std::string()); // the status starts empty
    }
}

void DataLinkPanelTest::statusKeepsItsNewestLineInView() {
    DisplayPanel(panel_);
    auto *edit = EngineControlWidget(panel_, PANEL_STATUS)->findChild<QPlainTextEdit *>();
    QVERIFY(edit != nullptr);
    for (int i = 0; i < 40; ++i) {
        SetCtrlVal(panel_, PANEL_STATUS, qPrintable(QString("linha %1\n").arg(i)));
    }
    QTRY_VERIFY(edit->verticalScrollBar()->maximum() > 0);
    // The last line written is on screen, and the first has scrolled away.
    QTextCursor newest(edit->document()->findBlockByNumber(39));
    QTRY_COMPARE(newest.block().text(), QString("linha 39"));
    QTRY_VERIFY(edit->viewport()->rect().contains(edit->cursorRect(newest)));
    const QTextCursor oldest(edit->document()->findBlockByNumber(0));
    QVERIFY(!edit->viewport()->rect().contains(edit->cursorRect(oldest)));
}

QTEST_MAIN(DataLinkPanelTest)
#include "test_datalink_panel.moc"
