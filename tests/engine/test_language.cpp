// The interface in English and back in Portuguese: what the engine shows of the panels, menus
// and pop-ups, and Qt's own dialogs in the program's language.

#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/language.h"
#include "engine/translate.h"
#include "ui/uir_constants.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <string>

namespace {

constexpr const char *kResourceFiles[] = {"oscil.uir",  "gerador.uir", "time.uir",   "volt.uir",
                                          "opcoes.uir", "canais.uir",  "acerca.uir", "ajuda.uir",
                                          "ajudaG.uir", "ddedemo.uir", "placa.uir"};
constexpr int kMaxPanelNumber = 12;

std::string textAttribute(int panel, int control, int attribute) {
    std::string value;
    GetCtrlAttribute(panel, control, attribute, &value);
    return value;
}

/// A stored caption as a button shows it: "__Fechar" -> "Fechar" (the mnemonic's mark gone).
QString withoutAccelerator(const char *caption) {
    return QString::fromUtf8(caption).remove(QStringLiteral("__"));
}

/// The captions of the menu bar of `panel`'s window, top level and one level down.
QStringList menuCaptions(int panel) {
    QStringList captions;
    QWidget *window = EnginePanelWidget(panel)->window();
    const auto *bar = window->findChild<QMenuBar *>();
    if (bar == nullptr) {
        return captions;
    }
    for (QAction *menu : bar->actions()) {
        captions << menu->text().remove(u'&');
        if (menu->menu() != nullptr) {
            for (QAction *item : menu->menu()->actions()) {
                if (!item->isSeparator()) {
                    captions << item->text().remove(u'&');
                }
            }
        }
    }
    return captions;
}

/// Every button, ring item and panel title of every resource file shows its stored text in
/// the program's language: the text itself in Portuguese, byte for byte, and a finished English
/// entry in English (Tr hands back the source only where there is none).
int checkShownTexts(UiLanguage language) {
    int checked = 0;
    for (const char *file : kResourceFiles) {
        for (int number = 1; number <= kMaxPanelNumber; ++number) {
            const int panel = LoadPanel(0, file, number);
            if (panel < 0) {
                continue;
            }
            DisplayPanel(panel);
            int count = 0;
            GetPanelAttribute(panel, ATTR_NUM_CTRLS, &count);
            for (int id = 2; id < count + 2; ++id) {
                const std::string label = textAttribute(panel, id, ATTR_LABEL_TEXT);
                const auto *button = qobject_cast<QPushButton *>(EngineControlWidget(panel, id));
                if (button == nullptr || label.empty()) {
                    continue;
                }
                const QString source = withoutAccelerator(label.c_str());
                const QString shown = button->text().remove(u'&');
                const QString where = QStringLiteral("%1 panel %2 control %3: \"%4\"")
                                          .arg(file)
                                          .arg(number)
                                          .arg(id)
                                          .arg(shown);
                if (language == UiLanguage::Portuguese) {
                    QTest::qVerify(shown == source, "shown == source", qPrintable(where), __FILE__,
                                   __LINE__);
                } else {
                    QTest::qVerify(shown == withoutAccelerator(Tr(label.c_str())),
                                   "shown == English", qPrintable(where), __FILE__, __LINE__);
                }
                ++checked;
            }
            DiscardPanel(panel);
        }
    }
    return checked;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(InitCVIRTE(nullptr, nullptr, nullptr), 1); }
    void cleanup() {
        SetUiLanguage(UiLanguage::Portuguese);
        EngineSetPopupHandler(nullptr);
        EngineReset();
    }

    void buttonsShowTheProgramsLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("Portuguese") << false;
        QTest::newRow("English") << true;
    }
    void buttonsShowTheProgramsLanguage() {
        QFETCH(bool, english);
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        QVERIFY(checkShownTexts(CurrentUiLanguage()) > 20);
    }

    // A sample of what a user reads first, so that an empty or unloaded catalogue (every text
    // its own translation) cannot pass the checks above.
    void englishSample_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("english");
        QTest::newRow("about box button") << "Fechar"
                                          << "Close";
        QTest::newRow("menu") << "Ficheiro"
                              << "File";
        QTest::newRow("channel source") << "Gerador de Sinais"
                                        << "Signal Generator";
        QTest::newRow("confirmation") << "  Tem a certeza que pretende sair?  "
                                      << "  Are you sure you want to quit?  ";
        QTest::newRow("data link status") << "... Dados Carregados com Sucesso.\n"
                                          << "... Data Loaded.\n";
    }
    void englishSample() {
        QFETCH(QString, source);
        QFETCH(QString, english);
        const QByteArray text = source.toUtf8();
        QCOMPARE(QString::fromUtf8(Tr(text.constData())), source);
        SetUiLanguage(UiLanguage::English);
        QCOMPARE(QString::fromUtf8(Tr(text.constData())), english);
        SetUiLanguage(UiLanguage::Portuguese);
        QCOMPARE(Tr(text.constData()), text.constData());
    }

    void menusFollowTheLanguage_data() { buttonsShowTheProgramsLanguage_data(); }
    void menusFollowTheLanguage() {
        QFETCH(bool, english);
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        const int panel = LoadPanel(0, "oscil.uir", PANEL);
        QVERIFY(panel > 0);
        DisplayPanel(panel);
        const QStringList captions = menuCaptions(panel);
        QVERIFY(captions.size() > 10);
        const QStringList expected = english
                                         ? QStringList{"File", "Reset", "Screen", "About"}
                                         : QStringList{"Ficheiro", "Reiniciar", "Ecrã", "Sobre"};
        for (const QString &caption : expected) {
            QVERIFY2(captions.contains(caption), qPrintable(captions.join(u'|')));
        }
    }

    void popUpsSpeakTheLanguage_data() { buttonsShowTheProgramsLanguage_data(); }
    void popUpsSpeakTheLanguage() {
        QFETCH(bool, english);
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        QStringList seen;
        EngineSetPopupHandler(
            [&seen](EnginePopupKind, const std::string &title, const std::string &text) {
                seen << QString::fromStdString(title) << QString::fromStdString(text);
                return EnginePopupAnswer{};
            });
        ConfirmPopup("Sair", "  Tem a certeza que pretende sair?  ");
        MessagePopup("Guardar ecrã", "Não foi possível escrever o ficheiro escolhido.\n"
                                     "Verifique a pasta e as permissões e tente de novo.");
        const QStringList expected =
            english ? QStringList{"Quit", "  Are you sure you want to quit?  ", "Save screen",
                                  "Could not write the chosen file.\nCheck the folder and the "
                                  "permissions and try again."}
                    : QStringList{"Sair", "  Tem a certeza que pretende sair?  ", "Guardar ecrã",
                                  "Não foi possível escrever o ficheiro escolhido.\nVerifique a "
                                  "pasta e as permissões e tente de novo."};
        QCOMPARE(seen, expected);
    }

    // What is shown is translated; what the program sets and reads back stays its own text, so
    // that the instrument compares it alike in both languages.
    void dataStaysPortugueseWhileShownInEnglish() {
        SetUiLanguage(UiLanguage::English);
        const int panel = LoadPanel(0, "oscil.uir", PANEL);
        QVERIFY(panel > 0);
        DisplayPanel(panel);
        SetCtrlVal(panel, PANEL_STRING_CH1, "Gerador");
        QCoreApplication::processEvents();
        const auto *source =
            qobject_cast<QLineEdit *>(EngineControlWidget(panel, PANEL_STRING_CH1));
        QVERIFY(source != nullptr);
        QCOMPARE(source->text(), QStringLiteral("Generator"));
        std::string value;
        GetCtrlVal(panel, PANEL_STRING_CH1, &value);
        QCOMPARE(value, std::string("Gerador"));
        const auto *ring = qobject_cast<QComboBox *>(EngineControlWidget(panel, PANEL_DADOS_CHI));
        QVERIFY(ring != nullptr);
        QCOMPARE(ring->itemText(1), QStringLiteral("Frequency"));
        std::string label;
        GetLabelFromIndex(panel, PANEL_DADOS_CHI, 1, &label);
        QCOMPARE(label, std::string("Frequência"));
    }

    // Qt's own file dialog: Portuguese buttons in a Portuguese program, English in English.
    void qtFileDialogSpeaksTheLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("Portuguese") << false << "Cancelar";
        QTest::newRow("English") << true << "Cancel";
    }
    void qtFileDialogSpeaksTheLanguage() {
        QFETCH(bool, english);
        QFETCH(QString, cancel);
        SetUiLanguage(english ? UiLanguage::English : UiLanguage::Portuguese);
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const auto *buttons = dialog.findChild<QDialogButtonBox *>();
        QVERIFY(buttons != nullptr);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(u'&'), cancel);
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
