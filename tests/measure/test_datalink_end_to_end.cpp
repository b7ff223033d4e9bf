// The data link end to end: the staged sheetserver started by "Carregar Dados" on real
// workbooks (the four templates, and CSV workbooks written here for the layouts and the
// faults), the pop-up answered after the workbook is corrected on disk, and the loaded signal
// on its way to the screen. Skipped when the server is not staged beside the program.

#include "app/callbacks.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "measure/spreadsheet_link.h"
#include "sheetserver/workbook_files.h"
#include "sim/input_routing.h"
#include "ui/uir_constants.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace {

QString stage() {
    return qEnvironmentVariable("VANTREL_RESOURCE_DIR");
}

QString server() {
    return stage() + "/sheetserver";
}

/// A CSV workbook: the layout cells, and 600 samples of `sample(i)` (in cell units) in column
/// `column` from row `row`.
QByteArray csvWorkbook(int column, int row, const QString &points,
                       const std::function<QString(int)> &sample) {
    const int rows = row + 600;
    std::vector<QStringList> grid(static_cast<std::size_t>(rows), QStringList());
    const auto put = [&](int r, int c, const QString &text) {
        QStringList &line = grid[static_cast<std::size_t>(r - 1)];
        while (line.size() < c) {
            line << QString();
        }
        line[c - 1] = text;
    };
    put(4, 4, "100000000");
    put(5, 2, "0");
    put(6, 3, points);
    put(8, 3, QString::number(column));
    put(9, 3, QString::number(row));
    for (int i = 0; i < 600; ++i) {
        put(row + i, column, sample(i));
    }
    QByteArray bytes;
    for (const QStringList &line : grid) {
        bytes += line.join(',').toUtf8() + "\n";
    }
    return bytes;
}

QString rampSample(int i) {
    return QString::number(i * 250 - 75000);
}

void markStoredWaveform() {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        onda_E[0][i] = 0.125 * i;
    }
    freq_E[0] = 333.0;
}

bool storedWaveformUntouched() {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        if (onda_E[0][i] != 0.125 * i) {
            return false;
        }
    }
    return freq_E[0] == 333.0;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class DataLinkEndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;  ///< workbooks written here, under a name with blanks and accents
    QTemporaryDir sockets_; ///< the server's socket folder, private to this test

    /// Loads `workbook` into CH I through the panel; returns the status text.
    std::string load(const QString &workbook) {
        iniciar_excel(0);
        const int panel = panelhandle;
        SetCtrlVal(panel, PANEL_PATH, server().toUtf8().constData());
        SetCtrlVal(panel, PANEL_PATH_fich, workbook.toUtf8().constData());
        EngineSendEvent(panel, PANEL_CONNECT, EVENT_COMMIT);
        if (const auto kept = EngineDiscardedText(panel, PANEL_STATUS)) {
            return *kept;
        }
        std::string text;
        GetCtrlVal(panel, PANEL_STATUS, &text);
        return text;
    }
    QString workbookPath(const QString &name) const {
        return folder_.path() + QString::fromUtf8("/sinais \"do\" professor ção/") + name;
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void templateLoadsOneSinePeriod_data();
    void templateLoadsOneSinePeriod();
    void layoutCellsChooseTheSamples_data();
    void layoutCellsChooseTheSamples();
    void pointsCorrectedOnDiskLetTheLoadContinue_data();
    void pointsCorrectedOnDiskLetTheLoadContinue();
    void brokenWorkbookStopsWithAReason_data();
    void brokenWorkbookStopsWithAReason();
    void serverKilledMidLoadKeepsTheWaveform();
};

void DataLinkEndToEndTest::initTestCase() {
    if (!QFileInfo(server()).isExecutable()) {
        QSKIP("sheetserver is not staged beside the program");
    }
    std::array<char *, 2> argv{const_cast<char *>("test_datalink_end_to_end"), nullptr};
    QCOMPARE(InitCVIRTE(nullptr, argv.data(), nullptr), 1);
    RegisterInstrumentCallbacks();
    QVERIFY(QDir().mkpath(workbookPath(QString())));
    qputenv("VANTREL_DDE_DIR", sockets_.path().toLocal8Bit());
}

void DataLinkEndToEndTest::init() {
    markStoredWaveform();
}

void DataLinkEndToEndTest::cleanup() {
    EngineReset();
    panelhandle = datalink = systemlink = program_handle = 0;
    QFile::remove(QCoreApplication::applicationDirPath() + "/memo.dat");
}

void DataLinkEndToEndTest::templateLoadsOneSinePeriod_data() {
    QTest::addColumn<QString>("extension");
    for (const char *extension : {"xls", "xlsx", "ods", "csv"}) {
        QTest::newRow(extension) << QString(extension);
    }
}

void DataLinkEndToEndTest::templateLoadsOneSinePeriod() {
    QFETCH(QString, extension);
    const QString workbook = workbookPath("modelo." + extension);
    QFile::remove(workbook);
    QVERIFY(QFile::copy(stage() + "/Excel/template." + extension, workbook));
    const std::string text = load(workbook);
    QVERIFY2(text.find("... Dados Carregados com Sucesso.\n") != std::string::npos, text.c_str());
    QCOMPARE(freq_E[0], 1000.0);
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QVERIFY(std::abs(onda_E[0][i] - std::sin(2.0 * std::numbers::pi * i / vantrel::kSamples)) <
                1e-4);
    }
    // The signal reaches the channel's input through the routing of an "Excel" source.
    ChIN[0] = 2;
    act_entr(0, 0, EVENT_TIMER_TICK, nullptr, 0, 0);
    QCOMPARE(onda_entCh[0][150], onda_E[0][150]);
    QCOMPARE(freq[0], 1000.0);
    ChIN[0] = 0;
}

void DataLinkEndToEndTest::layoutCellsChooseTheSamples_data() {
    QTest::addColumn<QString>("extension");
    for (const char *extension : {"csv", "xlsx", "ods"}) {
        QTest::newRow(extension) << QString(extension);
    }
}

void DataLinkEndToEndTest::layoutCellsChooseTheSamples() {
    QFETCH(QString, extension);
    const QString workbook = workbookPath("rampa." + extension);
    // Samples in column 2 from row 12; the rows around them hold no number.
    testfiles::Sheet sheet = testfiles::signalSheet(250.0, 2, 12);
    for (int i = 0; i < vantrel::kSamples; ++i) {
        sheet[{12 + i, 2}] = testfiles::number(i * 250 - 75000);
    }
    sheet[{11, 2}] = testfiles::text("antes");
    sheet[{612, 2}] = testfiles::text("depois");
    testfiles::writeSheet(workbook.toStdString(), sheet);
    const std::string text = load(workbook);
    QVERIFY2(text.find("Sucesso") != std::string::npos, text.c_str());
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QCOMPARE(onda_E[0][i], (i * 250 - 75000) / 100000.0);
    }
    QCOMPARE(freq_E[0], 250.0);
}

void DataLinkEndToEndTest::pointsCorrectedOnDiskLetTheLoadContinue_data() {
    QTest::addColumn<QString>("extension");
    for (const char *extension : {"csv", "xlsx", "ods"}) {
        QTest::newRow(extension) << QString(extension);
    }
}

void DataLinkEndToEndTest::pointsCorrectedOnDiskLetTheLoadContinue() {
    QFETCH(QString, extension);
    const std::string workbook = workbookPath("pontos." + extension).toStdString();
    testfiles::Sheet sheet = testfiles::signalSheet();
    sheet[{6, 3}] = testfiles::number(599);
    testfiles::writeSheet(workbook, sheet);
    int asked = 0;
    EngineSetPopupHandler([&](EnginePopupKind kind, const std::string &title, const std::string &) {
        EnginePopupAnswer answer;
        if (kind == EnginePopupKind::Confirm && title == "Numero de pontos!" && asked++ < 20) {
            if (asked == 1) {
                sheet[{6, 3}] = testfiles::number(600); // the user's fix, saved
                testfiles::writeSheet(workbook, sheet);
            }
            Delay(0.2); // the server re-reads the file on its own time
            answer.confirm = 1;
        }
        return answer;
    });
    const std::string text = load(QString::fromStdString(workbook));
    QVERIFY(asked >= 1);
    QVERIFY2(text.find("Sucesso") != std::string::npos, text.c_str());
    QVERIFY(std::abs(onda_E[0][150] - 1.0) < 1e-9);
}

void DataLinkEndToEndTest::brokenWorkbookStopsWithAReason_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); ///< empty name: the file is not written at all
    QTest::addColumn<int>("keep"); ///< bytes kept of the template; -1 the bytes given, -2 none,
                                   ///< -3 a zip bomb
    QTest::newRow("missing") << "nao existe.xlsx" << QByteArray() << -2;
    QTest::newRow("empty") << "vazio.xlsx" << QByteArray() << -1;
    QTest::newRow("truncated xlsx") << "cortado.xlsx" << QByteArray() << 700;
    QTest::newRow("not a workbook") << "lixo.ods" << QByteArray(4000, '\x5a') << -1;
    // A password-protected .xlsx is an OLE compound file around the encrypted package.
    QTest::newRow("password-protected xlsx")
        << "protegido.xlsx"
        << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(4096, '\x5a') << -1;
    QTest::newRow("zip bomb") << "bomba.xlsx" << QByteArray() << -3;
    QTest::newRow("sample not a number") << "texto.csv" << csvWorkbook(2, 12, "600", [](int i) {
        return i == 300 ? QString("abc") : rampSample(i);
    }) << -1;
}

void DataLinkEndToEndTest::brokenWorkbookStopsWithAReason() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, keep);
    const QString workbook = workbookPath(name);
    QFile::remove(workbook);
    if (keep >= 0) {
        QFile source(stage() + "/Excel/template.xlsx");
        QVERIFY(source.open(QIODevice::ReadOnly));
        writeFile(workbook, source.read(keep));
    } else if (keep == -1) {
        writeFile(workbook, bytes);
    } else if (keep == -3) {
        // A few hundred kilobytes that inflate to 264 MiB.
        const std::string zeros(8u << 20, '\0');
        std::vector<std::pair<std::string, std::string>> entries;
        for (int i = 0; i < 33; ++i) {
            entries.emplace_back("xl/media/zero" + std::to_string(i) + ".bin", zeros);
        }
        testfiles::writeZip(workbook.toStdString(), entries);
    }
    const std::string text = load(workbook);
    QVERIFY2(text.find("Sucesso") == std::string::npos, text.c_str());
    QVERIFY2(text.find("\n!!! ") != std::string::npos, text.c_str());
    QVERIFY(storedWaveformUntouched());
    QCOMPARE(panelhandle > 0, true); // the panel stays with the reason
}

void DataLinkEndToEndTest::serverKilledMidLoadKeepsTheWaveform() {
    const QString workbook = workbookPath("morto.csv");
    writeFile(workbook, csvWorkbook(2, 12, "600", rampSample));
    // The server is ended as soon as the worksheet conversation is up.
    QTimer killer;
    QObject::connect(&killer, &QTimer::timeout, [&] {
        if (datalink > 0 && program_handle > 0) {
            killer.stop();
            TerminateExecutable(program_handle);
        }
    });
    killer.start(1);
    const std::string text = load(workbook);
    QVERIFY2(text.find("!!! Ligação Desligada!!!\n") != std::string::npos, text.c_str());
    QVERIFY(storedWaveformUntouched());
}

QTEST_MAIN(DataLinkEndToEndTest)
#include "test_datalink_end_to_end.moc"
