// Set-up files: every setting survives a save and a fresh start; damaged files change nothing.

#include "app/callbacks.h"
#include "app/setup_menu.h"
#include "app/startup.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "setup/setup_file.h"
#include "ui/uir_constants.h"

#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

/// Globals of app/state.h that are no setting: panel handles, values the program derives from
/// the settings, signal buffers it recomputes, and the spreadsheet link's own state.
const std::set<std::string> kNaoConfiguracoes{
    "Painel_Holdoff", "Painel_Externo", "Painel_Testador", "ciclo_rede", "fase_disparo",
    "Painel_Principal", "Painel_Xpos", "Painel_Canais", "Painel_CalibX", "Painel_YcalI",
    "Painel_YcalII", "Painel_Acerca", "Painel_Time", "Painel_Volt", "Painel_YposI", "Painel_YposII",
    "Painel_YentI", "Painel_YentII", "Painel_Entradas", "Painel_Focus", "Painel_Intens",
    "Painel_Level", "Painel_Gerador", "Painel_Ger_Esc", "Painel_Ger_Freq", "Painel_Ger_Ampl",
    "Painel_Ger_Onda", "Painel_Ger_offset", "Painel_Ger_Fase", "Painel_Ger_Rampa", "Painel_Ger_Att",
    "Painel_Placa", "Painel_Ajuda", "panelhandle",
    // derived from the settings
    "chop_ch", "OPCAO_FOCUS", "OPCAO_INTENS", "Esc_Volt", "canais_op", "dc_val", "Esc_Tempo",
    "atraso_orig", "minimo", "maximo", "trigger_ch", "freq_G", "onda_G", "onda_sync", "geradorID",
    "Canal",
    // recomputed every refresh
    "onda_entCh", "freq", "xC1", "xC2", "onda", "canais_ver", "plot_onda", "plot_exist",
    // the spreadsheet link and the help pages
    "CanalE", "datalink", "systemlink", "program_handle", "status", "path", "pathP", "pathF",
    "path_memo", "url_help"};

/// The names of every global that app/state.h declares.
std::set<std::string> globaisDeclaradas() {
    QFile file(QStringLiteral(VANTREL_SOURCE_DIR "/app/state.h"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    std::set<std::string> nomes;
    static const QRegularExpression declaracao(R"(^extern [^;(]*?(\w+)\s*(\[[^;]*)?;)",
                                               QRegularExpression::MultilineOption);
    auto it = declaracao.globalMatch(QString::fromUtf8(file.readAll()));
    while (it.hasNext()) {
        nomes.insert(it.next().captured(1).toStdString());
    }
    return nomes;
}

void arranqueLimpo() {
    EngineReset();
    // A run starts with these at their load-time values; inicializacoes sets the rest.
    Ligado = vert_op = chop_ch = Canal = 0;
    levelt = 0.0;
    for (int c = 0; c < 2; ++c) {
        freq_E[c] = 0.0;
        std::fill(std::begin(onda_E[c]), std::end(onda_E[c]), 0.0);
    }
    QVERIFY(LoadInstrumentPanels() == 0);
    inicializacoes();
    prepara_configuracoes();
}

/// A valid value of `campo`'s element `elemento` other than its value in `valores` (the same
/// when it may take only one).
double outroValor(const setup::Campo &campo, const setup::Valores &valores, std::size_t indice,
                  std::size_t elemento) {
    const double actual = valores[indice][elemento];
    for (const double permitido : campo.permitidos) {
        if (permitido != actual) {
            return permitido;
        }
    }
    const setup::Intervalo limites = setup::intervalo(campo, valores, elemento);
    if (std::holds_alternative<int *>(campo.global)) {
        return actual < limites.maximo ? actual + 1.0 : limites.minimo;
    }
    // Different per element, so that a shifted array shows.
    const double fraccao = 0.25 + 0.5 * static_cast<double>(elemento % 7) / 7.0;
    const double valor = limites.minimo + fraccao * (limites.maximo - limites.minimo);
    return valor != actual ? valor : limites.minimo;
}

/// Values whose range follows another setting (the tester's values its component) moved into
/// that range, as the dialog that changes the one does with the other.
void acertaDependentes(setup::Valores &valores) {
    const auto campos = setup::campos();
    for (std::size_t i = 0; i < campos.size(); ++i) {
        for (std::size_t k = 0; k < valores[i].size(); ++k) {
            const setup::Intervalo limites = setup::intervalo(campos[i], valores, k);
            valores[i][k] = std::clamp(valores[i][k], limites.minimo, limites.maximo);
        }
    }
}

/// What the instrument shows besides its settings: the values derived from them, the lamps,
/// source names, dialog knobs and LEDs, as numbers.
std::vector<double> estadoVisivel() {
    std::vector<double> v{
        double(OPCAO_INTENS), double(OPCAO_FOCUS), double(trigger_ch), double(Esc_Tempo),
        canais_op[0] * 1.0,   canais_op[1] * 1.0,  freq_G[0],          freq_G[1],
        double(Esc_Volt[0]),  double(Esc_Volt[1])};
    v.insert(v.end(), std::begin(onda_G[0]), std::end(onda_G[0]));
    v.insert(v.end(), std::begin(onda_G[1]), std::end(onda_G[1]));
    for (const int lampada :
         {PANEL_INV1_TEXT, PANEL_INV2_TEXT, PANEL_XMAG_TEXT, PANEL_SLOPE_TEXT, PANEL_XY_TEXT,
          PANEL_CH_TEXT, PANEL_DUAL_TEXT, PANEL_ADD_TEXT, PANEL_VERT_TEXT, PANEL_CAL_TEXT,
          PANEL_CAL1_TEXT, PANEL_CAL2_TEXT, PANEL_TIME_INFO, PANEL_COMP_TEXT}) {
        int apagada = 0;
        int visivel = 0;
        GetCtrlAttribute(Painel_Principal, lampada, ATTR_DIMMED, &apagada);
        GetCtrlAttribute(Painel_Principal, lampada, ATTR_VISIBLE, &visivel);
        v.push_back(apagada);
        v.push_back(visivel);
    }
    for (const int fonte : {PANEL_STRING_CH1, PANEL_STRING_CH2}) {
        std::string nome;
        GetCtrlVal(Painel_Principal, fonte, &nome);
        v.push_back(static_cast<double>(std::hash<std::string>{}(nome) % 1000003));
    }
    double knob = 0.0;
    int led = 0;
    GetCtrlVal(Painel_Xpos, PANEL_XPOS_XPOS, &knob);
    v.push_back(knob);
    for (const int painel : {Painel_CalibX, Painel_YcalI, Painel_YcalII}) {
        GetCtrlVal(painel, painel == Painel_CalibX ? P_CAL_X_XCAL : YCAL1_YCAL, &knob);
        GetCtrlVal(painel, painel == Painel_CalibX ? P_CAL_X_LED : YCAL1_LED, &led);
        v.push_back(knob);
        v.push_back(led);
    }
    GetCtrlVal(Painel_Gerador, GERADOR_LED, &led);
    v.push_back(led);
    GetCtrlVal(Painel_Principal, PANEL_LEDPOWER, &led);
    v.push_back(led);
    return v;
}

bool escreverFicheiro(const QString &caminho, const QByteArray &bytes) {
    QFile file(caminho);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

class SetupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(InitCVIRTE(nullptr, nullptr, nullptr) == 1);
        RegisterInstrumentCallbacks();
    }

    void cleanup() { EngineReset(); }

    /// A global added to the state must be saved (a line in the settings' table) or be named
    /// here as no setting.
    void everyGlobalIsASettingOrNamedAsNone() {
        const std::set<std::string> declaradas = globaisDeclaradas();
        QVERIFY(declaradas.size() > 50);
        std::set<std::string> conhecidas = kNaoConfiguracoes;
        for (const setup::Campo &campo : setup::campos()) {
            conhecidas.insert(campo.nome_global);
        }
        for (const std::string &nome : declaradas) {
            QVERIFY2(conhecidas.count(nome) == 1, nome.c_str());
        }
    }

    void settingSurvivesSaveAndFreshStart_data() {
        QTest::addColumn<int>("campo");
        const auto campos = setup::campos();
        for (std::size_t i = 0; i < campos.size(); ++i) {
            QTest::newRow(campos[i].chave) << static_cast<int>(i);
        }
        QTest::newRow("every setting at once") << -1;
    }

    /// The setting changed away from start-up, opened, saved and opened in a fresh start: the
    /// whole instrument is as it was, what it shows included.
    void settingSurvivesSaveAndFreshStart() {
        QFETCH(int, campo);
        QTemporaryDir pasta;
        const QString pedido = pasta.filePath("pedido.vantrel");
        const QString guardado = pasta.filePath("guardado.vantrel");
        arranqueLimpo();
        setup::Valores valores = setup::captura();
        const auto campos = setup::campos();
        for (std::size_t i = 0; i < campos.size(); ++i) {
            // DUAL and ADD exclude each other: all at once changes DUAL only.
            const bool add = std::string(campos[i].chave) == "add";
            if (static_cast<int>(i) == campo || (campo < 0 && !add)) {
                for (std::size_t k = 0; k < valores[i].size(); ++k) {
                    valores[i][k] = outroValor(campos[i], valores, i, k);
                }
            }
        }
        acertaDependentes(valores);
        QVERIFY(escreverFicheiro(pedido,
                                 QByteArray::fromStdString(setup::escreve_configuracao(valores))));
        QCOMPARE(abre_configuracao(pedido.toUtf8().constData()), 0);
        const std::vector<double> visivel = estadoVisivel();
        QCOMPARE(guarda_configuracao(guardado.toUtf8().constData()), 0);
        QVERIFY(!configuracao_alterada());

        arranqueLimpo();
        QCOMPARE(abre_configuracao(guardado.toUtf8().constData()), 0);
        QCOMPARE(setup::captura(), valores);
        QCOMPARE(estadoVisivel(), visivel);
        QCOMPARE(EnginePopupCount(), 0);
    }

    /// A file written before the tester and the board were saved opens; they take their
    /// start-up values, whatever they were before.
    void olderFormatOpensWithLaterSettingsAtStartUp() {
        arranqueLimpo();
        const setup::Valores iniciais = setup::captura();
        testador = 1;
        testador_comp = 6;
        placa_tipo = 3;
        placa_ponto[1] = 3;
        placa_valores[1][0] = 47e3;
        QCOMPARE(abre_configuracao(VANTREL_SOURCE_DIR "/tests/setup/formato1.vantrel"), 0);
        const setup::Valores lidos = setup::captura();
        const auto campos = setup::campos();
        for (std::size_t i = 0; i < campos.size(); ++i) {
            if (campos[i].desde > 1) {
                QVERIFY2(lidos[i] == iniciais[i], campos[i].chave);
            }
        }
        QCOMPARE(amplit[0], 4.5);
        QCOMPARE(Esc_TempoID, 9);
    }

    void quitAsksAboutUnsavedChangesOnlyForAnOpenSetup_data() {
        QTest::addColumn<bool>("aberta");
        QTest::addColumn<bool>("alterada");
        QTest::addColumn<QString>("pergunta");
        const QString simples = "  Tem a certeza que pretende sair?  ";
        QTest::newRow("plain instrument, changed") << false << true << simples;
        QTest::newRow("set-up opened, unchanged") << true << false << simples;
        QTest::newRow("set-up opened, changed")
            << true << true
            << "A configuração «x.vantrel» tem alterações que não foram guardadas.\nSair sem as "
               "guardar?";
    }

    void quitAsksAboutUnsavedChangesOnlyForAnOpenSetup() {
        QFETCH(bool, aberta);
        QFETCH(bool, alterada);
        QFETCH(QString, pergunta);
        QTemporaryDir pasta;
        arranqueLimpo();
        const QString caminho = pasta.filePath("x.vantrel");
        if (aberta) {
            QCOMPARE(guarda_configuracao(caminho.toUtf8().constData()), 0);
            std::string titulo;
            GetPanelAttribute(Painel_Principal, ATTR_TITLE, &titulo);
            QVERIFY(QString::fromStdString(titulo).endsWith(" — x.vantrel"));
        }
        if (alterada) {
            EngineSendEvent(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        }
        QCOMPARE(configuracao_alterada(), aberta && alterada);
        const int sair = EngineQuitCount();
        EngineQueueConfirmAnswer(0);
        Sair_prog(0, 0, nullptr, 0);
        QCOMPARE(QString::fromStdString(EngineLastPopupMessage()), pergunta);
        QCOMPARE(EngineQuitCount(), sair);
    }

    /// Saved set-ups come back, latest first, as items of "Ficheiro" in the next run, and
    /// choosing one, or dropping a file on the window, opens it.
    void recentAndDroppedSetupsOpen() {
        QTemporaryDir pasta;
        EngineSetProgramDir(pasta.path().toUtf8().constData());
        const auto limpa = qScopeGuard([] { EngineSetProgramDir(nullptr); });
        arranqueLimpo();
        const QString a = pasta.filePath("a.vantrel");
        const QString b = pasta.filePath("b.vantrel");
        amplit[0] = 4.0;
        QCOMPARE(guarda_configuracao(a.toUtf8().constData()), 0);
        amplit[0] = 6.0;
        QCOMPARE(guarda_configuracao(b.toUtf8().constData()), 0);
        amplit[0] = 4.0;
        QCOMPARE(guarda_configuracao(a.toUtf8().constData()), 0);

        arranqueLimpo();
        QMenu *ficheiro =
            EnginePanelWidget(Painel_Principal)->findChild<QMenuBar *>()->findChild<QMenu *>();
        QStringList textos;
        QAction *recenteB = nullptr;
        for (QAction *accao : ficheiro->actions()) {
            if (accao->text().startsWith("1 ") || accao->text().startsWith("2 ")) {
                textos << accao->text();
                recenteB = accao->text() == "2 b.vantrel" ? accao : recenteB;
            }
        }
        QCOMPARE(textos, QStringList({"1 a.vantrel", "2 b.vantrel"}));
        recenteB->trigger();
        QCOMPARE(amplit[0], 6.0);

        QMimeData ficheiros;
        ficheiros.setUrls({QUrl::fromLocalFile(a)});
        QDragEnterEvent chegada(QPoint(10, 10), Qt::CopyAction, &ficheiros, Qt::LeftButton,
                                Qt::NoModifier);
        QCoreApplication::sendEvent(EnginePanelWidget(Painel_Principal), &chegada);
        QVERIFY(chegada.isAccepted());
        QDropEvent largada(QPointF(10, 10), Qt::CopyAction, &ficheiros, Qt::LeftButton,
                           Qt::NoModifier);
        QCoreApplication::sendEvent(EnginePanelWidget(Painel_Principal), &largada);
        QTRY_COMPARE(amplit[0], 4.0);
    }

    void damagedFileIsRefusedNamingTheField_data() {
        QTest::addColumn<QByteArray>("de");
        QTest::addColumn<QByteArray>("para");
        QTest::addColumn<QString>("mensagem");
        const QString campo = "Não foi possível abrir «x.vantrel»: o campo «%1» %2.";
        QTest::newRow("truncated") << QByteArray("\"generators\"") << QByteArray("\"gene")
                                   << "Não foi possível abrir «x.vantrel»: não é um ficheiro de "
                                      "configuração válido (o texto JSON está danificado).";
        QTest::newRow("not JSON") << QByteArray("{") << QByteArray("PK\x03\x04")
                                  << "Não foi possível abrir «x.vantrel»: não é um ficheiro de "
                                     "configuração válido (o texto JSON está danificado).";
        QTest::newRow("wrong type")
            << QByteArray("\"frequency\": 1.0") << QByteArray("\"frequency\": \"1\"")
            << campo.arg("generators[0].frequency", "não é um número");
        QTest::newRow("out of range")
            << QByteArray("\"amplitude\": 3.0") << QByteArray("\"amplitude\": 30")
            << campo.arg("generators[1].amplitude", "está fora do intervalo");
        QTest::newRow("not whole")
            << QByteArray("\"time_div_step\": 3") << QByteArray("\"time_div_step\": 3.5")
            << campo.arg("oscilloscope.time_div_step", "não é um número inteiro");
        QTest::newRow("not allowed")
            << QByteArray("\"range\": 100") << QByteArray("\"range\": 200")
            << campo.arg("generators[0].range", "não tem um dos valores possíveis");
        QTest::newRow("NaN") << QByteArray("\"focus\": 0.0") << QByteArray("\"focus\": NaN")
                             << "Não foi possível abrir «x.vantrel»: não é um ficheiro de "
                                "configuração válido (o texto JSON está danificado).";
        QTest::newRow("infinite") << QByteArray("\"trigger_level\": 0.0")
                                  << QByteArray("\"trigger_level\": 1e999")
                                  << "Não foi possível abrir «x.vantrel»: não é um ficheiro de "
                                     "configuração válido (o texto JSON está danificado).";
        QTest::newRow("missing") << QByteArray("\"coupling\": 1,") << QByteArray()
                                 << campo.arg("channels[0].coupling", "falta");
        QTest::newRow("unknown") << QByteArray("\"xy\": 0") << QByteArray("\"xy\": 0, \"z\": 1")
                                 << campo.arg("oscilloscope.z", "não é conhecido");
        QTest::newRow("newer format")
            << QByteArray("\"format\": 2") << QByteArray("\"format\": 3")
            << campo.arg("format", "indica o formato 3, mais recente do que o "
                                   "que este programa lê (2)");
        QTest::newRow("board point the board lacks")
            << QByteArray("\"board_point\": 1") << QByteArray("\"board_point\": 3")
            << campo.arg("channels[1].board_point", "está fora do intervalo");
        QTest::newRow("component value outside its part's range")
            << QByteArray("\"values\": [\n10000.0") << QByteArray("\"values\": [\n5.0")
            << campo.arg("board.values[0]", "está fora do intervalo");
        QTest::newRow("tester value outside its kind's range")
            << QByteArray("\"values\": [\n1000.0") << QByteArray("\"values\": [\n0.5")
            << campo.arg("tester.values[0]", "está fora do intervalo");
        QTest::newRow("group of a later format in an older file")
            << QByteArray("\"format\": 2") << QByteArray("\"format\": 1")
            << campo.arg("board", "não é conhecido");
        QTest::newRow("short array")
            << QByteArray("\"sheet_samples\": [\n0.0,") << QByteArray("\"sheet_samples\": [")
            << campo.arg("channels[0].sheet_samples", "não é uma lista de 600 números");
        QTest::newRow("DUAL with ADD")
            << QByteArray("\"dual\": 0,\n\"add\": 0") << QByteArray("\"dual\": 1,\n\"add\": 1")
            << campo.arg("oscilloscope.add", "não pode estar ligado ao mesmo tempo que "
                                             "«dual»");
        QTest::newRow("10 MB array")
            << QByteArray("\"sheet_samples\": [")
            << QByteArray("\"sheet_samples\": [") + QByteArray(10 << 20, ' ')
            << "Não foi possível abrir «x.vantrel»: é demasiado grande para um ficheiro de "
               "configuração.";
    }

    /// A damaged file gives one message naming the file and the field, and changes nothing.
    void damagedFileIsRefusedNamingTheField() {
        QFETCH(QByteArray, de);
        QFETCH(QByteArray, para);
        QFETCH(QString, mensagem);
        QTemporaryDir pasta;
        arranqueLimpo();
        QByteArray texto = QByteArray::fromStdString(setup::escreve_configuracao(setup::captura()));
        while (texto.contains("\n ")) {
            texto.replace("\n ", "\n");
        }
        const qsizetype onde = texto.indexOf(de);
        QVERIFY2(onde >= 0, de.constData());
        texto.replace(onde, de.size(), para);
        const QString caminho = pasta.filePath("x.vantrel");
        QVERIFY(escreverFicheiro(caminho, texto));
        // Settings away from start-up, so that a partial load would show.
        EngineSendEvent(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK);
        amplit[0] = 7.0;
        const setup::Valores antes = setup::captura();
        const std::vector<double> visivel = estadoVisivel();
        QCOMPARE(abre_configuracao(caminho.toUtf8().constData()), -1);
        QCOMPARE(QString::fromStdString(EngineLastPopupMessage()), mensagem);
        QCOMPARE(setup::captura(), antes);
        QCOMPARE(estadoVisivel(), visivel);
    }
};

QTEST_MAIN(SetupTest)
#include "test_setup.moc"
