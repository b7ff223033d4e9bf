// The student's side of an exercise: true values as the read-outs measure them, the examples
// answered end to end with their result file, and files that must change nothing.

#include "app/callbacks.h"
#include "app/exercise_menu.h"
#include "app/setup_menu.h"
#include "app/startup.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "exercise/answers.h"
#include "exercise/exercise_file.h"
#include "generator/generator.h"
#include "measure/readout.h"
#include "sim/input_routing.h"
#include "ui/uir_constants.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <string>

namespace {

using namespace exercicio;

void arranque() {
    EngineReset();
    QVERIFY(LoadInstrumentPanels() == 0);
    inicializacoes();
    prepara_configuracoes();
    prepara_exercicios();
}

void encaminha() {
    act_entr(Painel_Principal, PANEL_TIMER_3, EVENT_TIMER_TICK, nullptr, 0, 0);
}

/// What the CH I read-out shows for quantity `anel`.
double leitura_ch1(int anel) {
    SetCtrlVal(Painel_Principal, PANEL_DADOS_CHI, anel);
    act_dados(Painel_Principal, PANEL_TIMER_DADOS, EVENT_TIMER_TICK, nullptr, 0, 0);
    double valor = 0.0;
    GetCtrlVal(Painel_Principal, PANEL_DAD_CHI, &valor);
    return valor;
}

QString exemplo(const char *nome) {
    return QStringLiteral(VANTREL_SOURCE_DIR "/docs/exemplos/") + nome;
}

QStringList linhas(const QString &caminho) {
    QFile file(caminho);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

/// Opens `caminho` and starts it for `aluno` through the name question, as the student does.
void comeca(const QString &caminho, const QString &aluno) {
    QCOMPARE(abre_exercicio(caminho.toUtf8().constData()), 0);
    QCOMPARE(EngineTopPopup(), painel_nome_aluno());
    SetCtrlVal(painel_nome_aluno(), NOMEALUNO_NOME, aluno.toUtf8().constData());
    EngineSendEvent(painel_nome_aluno(), NOMEALUNO_COMECAR, EVENT_COMMIT);
}

} // namespace

class StudentTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(InitCVIRTE(nullptr, nullptr, nullptr) == 1);
        RegisterInstrumentCallbacks();
    }

    void cleanup() {
        fecha_exercicio();
        EngineReset();
    }

    void trueValueIsWhatTheReadoutShows_data() {
        QTest::addColumn<QString>("grandeza");
        QTest::addColumn<int>("origem"); // 0 CH I, 1 generator 1
        QTest::addColumn<int>("fonte");
        QTest::addColumn<int>("forma");
        QTest::addColumn<double>("ciclo");
        QTest::addColumn<double>("desvio");
        QTest::addColumn<int>("anel");
        QTest::addColumn<double>("factor");
        QTest::newRow("frequency, sine") << "frequency" << 0 << 1 << 3 << 50.0 << 0.0 << 1 << 1.0;
        QTest::newRow("period, calibrator") << "period" << 0 << 4 << 3 << 50.0 << 0.0 << 2 << 1.0;
        QTest::newRow("peak-to-peak, pulse")
            << "peak_to_peak" << 0 << 1 << 1 << 20.0 << 1.0 << 3 << 1.0;
        QTest::newRow("amplitude of the generator, triangle")
            << "amplitude" << 1 << 1 << 2 << 50.0 << -0.5 << 3 << 0.5;
        QTest::newRow("offset, pulse: its mean")
            << "offset" << 0 << 1 << 1 << 20.0 << 1.5 << 6 << 1.0;
        QTest::newRow("offset of the generator, sine")
            << "offset" << 1 << 1 << 3 << 50.0 << -2.0 << 6 << 1.0;
    }

    /// A computed true value is the figure that the read-out shows for the same signal.
    void trueValueIsWhatTheReadoutShows() {
        QFETCH(QString, grandeza);
        QFETCH(int, origem);
        QFETCH(int, fonte);
        QFETCH(int, forma);
        QFETCH(double, ciclo);
        QFETCH(double, desvio);
        QFETCH(int, anel);
        QFETCH(double, factor);
        arranque();
        ChIN[0] = fonte;
        tipo_onda[0] = forma;
        ciclo_G[0] = ciclo;
        offset[0] = desvio;
        amplit[0] = 2.5;
        sintetiza_gerador(0);
        encaminha();
        Tarefa t;
        t.grandeza = *grandeza_de(grandeza.toStdString());
        t.origem = origem == 0 ? Origem::Canal : Origem::Gerador;
        const Valor v = calcula_valor(t);
        QVERIFY2(v.valor.has_value(), v.erro.c_str());
        QCOMPARE(*v.valor, leitura_ch1(anel) * factor);
        QCOMPARE(valor_verdadeiro(t), *v.valor);
    }

    void trueValueWithoutReadout_data() {
        QTest::addColumn<QString>("grandeza");
        QTest::addColumn<double>("fase1");
        QTest::addColumn<double>("fase2");
        QTest::addColumn<double>("botao2"); // generator 2's frequency knob
        QTest::addColumn<int>("fonte2");
        QTest::addColumn<int>("placa");
        QTest::addColumn<double>("esperado"); // NaN: refused with a reason
        const double nan = std::nan("");
        QTest::newRow("phase 60°") << "phase" << 0.0 << 60.0 << 1.0 << 1 << 0 << 60.0;
        QTest::newRow("phase, CH II lagging")
            << "phase" << 30.0 << -120.0 << 1.0 << 1 << 0 << 150.0;
        QTest::newRow("phase across ±180°") << "phase" << 170.0 << -170.0 << 1.0 << 1 << 0 << 20.0;
        QTest::newRow("phase of two frequencies") << "phase" << 0.0 << 60.0 << 1.5 << 1 << 0 << nan;
        QTest::newRow("phase with CH II off") << "phase" << 0.0 << 60.0 << 1.0 << 0 << 0 << nan;
        QTest::newRow("time constant, RC low-pass")
            << "time_constant" << 0.0 << 0.0 << 1.0 << 5 << 1 << 1.5e-3;
        QTest::newRow("time constant, RC high-pass")
            << "time_constant" << 0.0 << 0.0 << 1.0 << 5 << 2 << 1.5e-3;
        QTest::newRow("time constant, RLC board")
            << "time_constant" << 0.0 << 0.0 << 1.0 << 5 << 3 << nan;
        QTest::newRow("time constant, board not probed")
            << "time_constant" << 0.0 << 0.0 << 1.0 << 1 << 1 << nan;
    }

    void trueValueWithoutReadout() {
        QFETCH(QString, grandeza);
        QFETCH(double, fase1);
        QFETCH(double, fase2);
        QFETCH(double, botao2);
        QFETCH(int, fonte2);
        QFETCH(int, placa);
        QFETCH(double, esperado);
        arranque();
        ChIN[0] = 1;
        ChIN[1] = fonte2;
        fase_G[0] = fase1;
        fase_G[1] = fase2;
        botao_freq[1] = botao2;
        freq_G[1] = botao2 * botao_activo[1];
        placa_tipo = placa;
        sintetiza_gerador(0);
        sintetiza_gerador(1);
        encaminha();
        Tarefa t;
        t.grandeza = *grandeza_de(grandeza.toStdString());
        const Valor v = calcula_valor(t);
        if (std::isnan(esperado)) {
            QVERIFY(!v.valor && !v.erro.empty());
            QVERIFY(std::isnan(valor_verdadeiro(t)));
        } else {
            QVERIFY2(v.valor.has_value(), v.erro.c_str());
            QVERIFY2(std::abs(*v.valor - esperado) < 1e-9 * std::max(1.0, esperado),
                     QByteArray::number(*v.valor, 'g', 12));
        }
    }

    void exampleAnsweredEndToEnd_data() {
        QTest::addColumn<QString>("ficheiro");
        QTest::addColumn<QString>("aluno");
        QTest::addColumn<QString>("nome_csv");
        QTest::addColumn<QList<double>>("verdadeiros");
        QTest::addColumn<QStringList>("unidades");
        const char *rui = "Rui \"Tó\", 11.º B";
        QTest::newRow("calibrator")
            << "calibrador.vantrel-ex"
            << "Ana Sousa"
            << "Ana Sousa" << QList<double>{1000.0, 1e-3, 2.0} << QStringList{"Hz", "s", "V"};
        QTest::newRow("unknown generator")
            << "gerador_desconhecido.vantrel-ex" << rui << "\"Rui \"\"Tó\"\", 11.º B\""
            << QList<double>{1000.0 * sorteio(rui, "generators[0].frequency", 0.3, 1.8),
                             sorteio(rui, "generators[0].amplitude", 0.5, 4.0)}
            << QStringList{"Hz", "V"};
        QTest::newRow("phase in X-Y")
            << "desfasamento_xy.vantrel-ex"
            << "Ana Sousa"
            << "Ana Sousa"
            << QList<double>{sorteio("Ana Sousa", "generators[1].phase", 20.0, 160.0)}
            << QStringList{"°"};
        QTest::newRow("RC time constant")
            << "constante_rc.vantrel-ex"
            << "Ana Sousa"
            << "Ana Sousa" << QList<double>{2.2e3 * 1e-6} << QStringList{"s"};
    }

    /// A student opens an example, answers every task (the first one wrong at first) and the
    /// result file holds every answer; closing gives back the hidden features.
    void exampleAnsweredEndToEnd() {
        QFETCH(QString, ficheiro);
        QFETCH(QString, aluno);
        QFETCH(QString, nome_csv);
        QFETCH(QList<double>, verdadeiros);
        QFETCH(QStringList, unidades);
        QTemporaryDir pasta;
        const QString copia = pasta.filePath(ficheiro);
        QVERIFY(QFile::copy(exemplo(ficheiro.toUtf8().constData()), copia));
        arranque();
        const LeituraExercicio lido =
            le_exercicio(linhas(copia).join('\n').toStdString(), setup::captura());
        QVERIFY2(lido.valido, mensagem_erro(ficheiro.toStdString(), lido).c_str());

        QCOMPARE(abre_exercicio(copia.toUtf8().constData()), 0);
        EngineSendEvent(painel_nome_aluno(), NOMEALUNO_COMECAR, EVENT_COMMIT);
        std::string aviso;
        GetCtrlVal(painel_nome_aluno(), NOMEALUNO_AVISO, &aviso);
        QVERIFY2(!aviso.empty() && EngineTopPopup() == painel_nome_aluno(), "empty name taken");
        SetCtrlVal(painel_nome_aluno(), NOMEALUNO_NOME, aluno.toUtf8().constData());
        EngineSendEvent(painel_nome_aluno(), NOMEALUNO_COMECAR, EVENT_COMMIT);
        QVERIFY(EnginePanelShown(painel_exercicio()));

        const Oculto &oculto = lido.exercicio.oculto;
        int dimmed = 0;
        int visivel = 0;
        GetCtrlAttribute(Painel_Principal, PANEL_DADOS_CHI, ATTR_DIMMED, &dimmed);
        GetCtrlAttribute(Painel_Principal, PANEL_STRING_CH1, ATTR_VISIBLE, &visivel);
        QCOMPARE(dimmed == 1, oculto.leituras);
        QCOMPARE(visivel == 0, oculto.nomes_fontes);
        const int popups = EnginePopupCount();
        ab_gerador(0);
        QCOMPARE(EnginePopupCount() - popups, oculto.gerador_bloqueado ? 1 : 0);
        QCOMPARE(EnginePanelShown(Painel_Gerador) == 0, oculto.gerador_bloqueado);
        HidePanel(Painel_Gerador);

        QStringList esperadas;
        const auto linha = [&](int tarefa, const QString &resposta, double verdadeiro, bool certa) {
            esperadas << QRegularExpression::escape(QString("%1,%2,%3,%4,%5,")
                                                        .arg(nome_csv)
                                                        .arg(tarefa)
                                                        .arg(resposta)
                                                        .arg(QString::asprintf("%.9g", verdadeiro))
                                                        .arg(certa ? "sim" : "nao")) +
                             R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)";
        };
        const QString errada = "1e-9 " + unidades[0];
        SetCtrlVal(painel_exercicio(), RESOLVER_RESPOSTA, errada.toUtf8().constData());
        // Clicking "Verificar" commits the answer field first: the answer counts once.
        EngineSendEvent(painel_exercicio(), RESOLVER_RESPOSTA, EVENT_COMMIT);
        EngineSendEvent(painel_exercicio(), RESOLVER_VERIFICAR, EVENT_COMMIT);
        linha(1, errada, verdadeiros[0], false);
        int dicas = 0;
        GetNumTextBoxLines(painel_exercicio(), RESOLVER_DICAS, &dicas);
        QVERIFY(dicas >= static_cast<int>(lido.exercicio.tarefas[0].dicas.size()));
        for (int i = 0; i < verdadeiros.size(); ++i) {
            // Typed with a decimal comma and in the task's unit, as a student would.
            const QString certa = QString::number(verdadeiros[i] * 1.01, 'g', 6).replace('.', ',') +
                                  " " + unidades[i];
            SetCtrlIndex(painel_exercicio(), RESOLVER_TAREFAS, i);
            QCOMPARE(verifica_resposta(i, certa.toStdString()), 1);
            linha(i + 1, certa.contains(',') ? '"' + certa + '"' : certa, verdadeiros[i], true);
        }

        const QString csv = QString::fromStdString(ficheiro_de_respostas());
        QCOMPARE(QFileInfo(csv).dir(), QDir(pasta.path()));
        const QStringList escritas = linhas(csv);
        QCOMPARE(escritas.value(0),
                 QString("aluno,tarefa,resposta,valor_verdadeiro,dentro_da_tolerancia,hora"));
        QCOMPARE(escritas.size(), esperadas.size() + 1);
        for (int i = 0; i < esperadas.size(); ++i) {
            QVERIFY2(QRegularExpression("^" + esperadas[i] + "$").match(escritas[i + 1]).hasMatch(),
                     qPrintable(escritas[i + 1]));
        }

        EngineSendEvent(painel_exercicio(), RESOLVER_FECHAR, EVENT_COMMIT);
        GetCtrlAttribute(Painel_Principal, PANEL_DADOS_CHI, ATTR_DIMMED, &dimmed);
        GetCtrlAttribute(Painel_Principal, PANEL_STRING_CH1, ATTR_VISIBLE, &visivel);
        QVERIFY(dimmed == 0 && visivel == 1 && !EnginePanelShown(painel_exercicio()));
        ab_gerador(0);
        QVERIFY(EnginePanelShown(Painel_Gerador));
    }

    /// An exercise dropped on the window opens as one (not as a set-up): the name is asked.
    void droppedExerciseAsksTheName() {
        arranque();
        const int popups = EnginePopupCount();
        QMimeData ficheiros;
        ficheiros.setUrls({QUrl::fromLocalFile(exemplo("calibrador.vantrel-ex"))});
        QDropEvent largada(QPointF(10, 10), Qt::CopyAction, &ficheiros, Qt::LeftButton,
                           Qt::NoModifier);
        QCoreApplication::sendEvent(EnginePanelWidget(Painel_Principal), &largada);
        QTRY_COMPARE(EngineTopPopup(), painel_nome_aluno());
        QCOMPARE(EnginePopupCount(), popups);
    }

    /// A result file that cannot be written says so; the answers wait for the next file.
    void answersSurviveAFailedWrite() {
        QTemporaryDir pasta;
        arranque();
        comeca(exemplo("calibrador.vantrel-ex"), "Ana");
        const QString impossivel = pasta.filePath("nao-existe/respostas.csv");
        EngineQueueFileAnswer(impossivel.toUtf8().constData());
        EngineSendEvent(painel_exercicio(), RESOLVER_ESCOLHER, EVENT_COMMIT);
        QCOMPARE(verifica_resposta(0, "1 kHz"), 1);
        QCOMPARE(QString::fromStdString(EngineLastPopupMessage()),
                 "Não foi possível escrever as respostas em «" + impossivel +
                     "».\nNenhuma resposta se perdeu: escolha outro ficheiro com «Guardar "
                     "respostas em…».");
        QCOMPARE(verifica_resposta(1, "3 ms"), 0);
        const QString possivel = pasta.filePath("respostas.csv");
        EngineQueueFileAnswer(possivel.toUtf8().constData());
        EngineSendEvent(painel_exercicio(), RESOLVER_ESCOLHER, EVENT_COMMIT);
        const QStringList escritas = linhas(possivel);
        QCOMPARE(escritas.size(), 3);
        QVERIFY(escritas[1].startsWith("Ana,1,1 kHz,1000,sim,") &&
                escritas[2].startsWith("Ana,2,3 ms,0.001,nao,"));
    }

    void fileThatCannotBeUsedChangesNothing_data() {
        QTest::addColumn<QString>("de"); // a pattern
        QTest::addColumn<QString>("para");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("damaged field")
            << R"("tolerance": 2)"
            << R"("tolerance": "2")"
            << "Não foi possível abrir «x.vantrel-ex»: o campo «tasks[0].tolerance» não é um "
               "número.";
        QTest::newRow("a value the state cannot give")
            << R"("quantity": "frequency",\s*"channel": 0)"
            << R"("quantity": "time_constant")"
            << "Não foi possível abrir «x.vantrel-ex»: a tarefa 1: só se calcula com uma placa "
               "RC na bancada, ligada a um canal.";
    }

    /// Refused before or after the student's name: one message, and the instrument as it was.
    void fileThatCannotBeUsedChangesNothing() {
        QFETCH(QString, de);
        QFETCH(QString, para);
        QFETCH(QString, mensagem);
        QTemporaryDir pasta;
        QString texto = linhas(exemplo("calibrador.vantrel-ex")).join('\n');
        const QRegularExpression padrao(de);
        QVERIFY(texto.contains(padrao));
        texto.replace(padrao, para);
        const QString caminho = pasta.filePath("x.vantrel-ex");
        QFile destino(caminho);
        QVERIFY(destino.open(QIODevice::WriteOnly) && destino.write(texto.toUtf8()) > 0);
        destino.close();
        arranque();
        amplit[0] = 7.0;
        const setup::Valores antes = configuracao_actual();
        if (abre_exercicio(caminho.toUtf8().constData()) == 0) {
            SetCtrlVal(painel_nome_aluno(), NOMEALUNO_NOME, "Ana");
            EngineSendEvent(painel_nome_aluno(), NOMEALUNO_COMECAR, EVENT_COMMIT);
        }
        QCOMPARE(QString::fromStdString(EngineLastPopupMessage()), mensagem);
        QCOMPARE(configuracao_actual(), antes);
        QVERIFY(ficheiro_de_respostas().empty());
        QVERIFY(painel_exercicio() <= 0 || !EnginePanelShown(painel_exercicio()));
    }
};

QTEST_MAIN(StudentTest)
#include "test_student.moc"
