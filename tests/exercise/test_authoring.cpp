// "Criar exercício…": tasks and randomised settings built from what the teacher typed, or
// refused naming the field; and an exercise made in the dialog reads back equal.

#include "app/callbacks.h"
#include "app/setup_menu.h"
#include "app/startup.h"
#include "app/state.h"
#include "app/teacher_menu.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "exercise/authoring.h"
#include "exercise/exercise_file.h"
#include "ui/uir_constants.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using exercicio::Alvo;
using exercicio::Grandeza;

Q_DECLARE_METATYPE(exercicio::Grandeza)
Q_DECLARE_METATYPE(exercicio::Alvo)

class AuthoringTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(InitCVIRTE(nullptr, nullptr, nullptr) == 1);
        RegisterInstrumentCallbacks();
    }

    void taskIsBuiltOrRefusedNamingTheField_data() {
        QTest::addColumn<Grandeza>("grandeza");
        QTest::addColumn<Alvo>("alvo");
        QTest::addColumn<QString>("pergunta");
        QTest::addColumn<QString>("verdadeiro");
        QTest::addColumn<QString>("tolerancia");
        QTest::addColumn<bool>("percentual");
        QTest::addColumn<QString>("campo"); ///< refused field; "" when built
        QTest::addColumn<double>("valor");  ///< the true value built; NaN for "computed"
        const double calculado = std::nan("");
        const QString q = "Qual é a frequência?";
        QTest::newRow("computed, percent") << Grandeza::Frequencia << Alvo::Gerador2 << q << ""
                                           << "5" << true << "" << calculado;
        QTest::newRow("typed with prefix and unit")
            << Grandeza::Frequencia << Alvo::Canal1 << q << "2,5 kHz"
            << "50 Hz" << false << "" << 2500.0;
        QTest::newRow("phase needs no channel") << Grandeza::Fase << Alvo::Nenhum << q << "90"
                                                << "2" << false << "" << 90.0;
        QTest::newRow("free answer, typed") << Grandeza::Livre << Alvo::Nenhum << q << "1,5"
                                            << "0.1" << false << "" << 1.5;
        QTest::newRow("empty question") << Grandeza::Frequencia << Alvo::Canal1 << "  "
                                        << ""
                                        << "5" << true << "Pergunta" << calculado;
        QTest::newRow("frequency without channel")
            << Grandeza::Frequencia << Alvo::Nenhum << q << ""
            << "5" << true << "Medida em" << calculado;
        QTest::newRow("time constant on a channel")
            << Grandeza::ConstanteTempo << Alvo::Canal2 << q << ""
            << "5" << true << "Medida em" << calculado;
        QTest::newRow("free answer computed") << Grandeza::Livre << Alvo::Nenhum << q << ""
                                              << "5" << true << "Valor verdadeiro" << calculado;
        QTest::newRow("true value in another unit")
            << Grandeza::Frequencia << Alvo::Canal1 << q << "2 V"
            << "5" << true << "Valor verdadeiro" << calculado;
        QTest::newRow("tolerance not a number") << Grandeza::Amplitude << Alvo::Canal1 << q << ""
                                                << "muito" << false << "Tolerância" << calculado;
        QTest::newRow("negative tolerance") << Grandeza::Amplitude << Alvo::Canal1 << q << ""
                                            << "-0,1" << false << "Tolerância" << calculado;
        QTest::newRow("over 100 %") << Grandeza::Amplitude << Alvo::Canal1 << q << ""
                                    << "150" << true << "Tolerância" << calculado;
    }

    /// A refused task leaves the one passed in untouched.
    void taskIsBuiltOrRefusedNamingTheField() {
        QFETCH(Grandeza, grandeza);
        QFETCH(Alvo, alvo);
        QFETCH(QString, pergunta);
        QFETCH(QString, verdadeiro);
        QFETCH(QString, tolerancia);
        QFETCH(bool, percentual);
        QFETCH(QString, campo);
        QFETCH(double, valor);
        exercicio::TarefaEscrita escrita{pergunta.toStdString(),
                                         grandeza,
                                         alvo,
                                         "",
                                         verdadeiro.toStdString(),
                                         tolerancia.toStdString(),
                                         percentual,
                                         "Olhe para o ecrã | "};
        exercicio::Tarefa tarefa;
        tarefa.pergunta = "antes";
        const auto recusa = exercicio::constroi_tarefa(escrita, tarefa);
        QCOMPARE(QString::fromUtf8(recusa ? recusa->campo : ""), campo);
        if (recusa) {
            QCOMPARE(tarefa.pergunta, std::string("antes"));
            return;
        }
        QCOMPARE(tarefa.verdadeiro.has_value(), !std::isnan(valor));
        if (tarefa.verdadeiro) {
            QCOMPARE(*tarefa.verdadeiro, valor);
        }
        QCOMPARE(tarefa.dicas, std::vector<std::string>{"Olhe para o ecrã"});
        QCOMPARE(tarefa.unidade, std::string(exercicio::unidade_base(grandeza)));
    }

    void randomisedSettingIsBuiltOrRefused_data() {
        QTest::addColumn<QString>("definicao");
        QTest::addColumn<QString>("de");
        QTest::addColumn<QString>("ate");
        QTest::addColumn<QString>("campo");
        QTest::newRow("amplitude") << "generators[1].amplitude"
                                   << "1,5"
                                   << "4"
                                   << "";
        QTest::newRow("already drawn") << "generators[0].frequency"
                                       << "0.5"
                                       << "1"
                                       << "Regulação sorteada";
        QTest::newRow("not offered") << "channels[0].sheet_samples"
                                     << "0"
                                     << "1"
                                     << "Regulação sorteada";
        QTest::newRow("outside the setting's range") << "generators[1].amplitude"
                                                     << "1"
                                                     << "12"
                                                     << "Máximo";
        QTest::newRow("not a number") << "generators[1].offset"
                                      << "x"
                                      << "1"
                                      << "Mínimo";
        QTest::newRow("empty range") << "generators[1].phase"
                                     << "30"
                                     << "30"
                                     << "Máximo";
    }

    void randomisedSettingIsBuiltOrRefused() {
        QFETCH(QString, definicao);
        QFETCH(QString, de);
        QFETCH(QString, ate);
        QFETCH(QString, campo);
        const std::vector<exercicio::Aleatorio> ja{{"generators[0].frequency", 0.5, 1.5}};
        exercicio::Aleatorio aleatorio;
        const auto recusa = exercicio::constroi_aleatorio(
            {definicao.toStdString(), de.toStdString(), ate.toStdString()}, ja, aleatorio);
        QCOMPARE(QString::fromUtf8(recusa ? recusa->campo : ""), campo);
        QCOMPARE(aleatorio.definicao.empty(), recusa.has_value());
    }

    /// The teacher adds a task and a randomised generator in the dialog and saves: the file
    /// reads back as that exercise, with the instrument's settings.
    void exerciseMadeInTheDialogReadsBackEqual() {
        QTemporaryDir pasta;
        QVERIFY(LoadInstrumentPanels() == 0);
        inicializacoes();
        prepara_configuracoes();
        amplit[1] = 3.5;
        Criar_ex(0, 0, nullptr, 0);
        const int painel = EngineTopPopup();
        QVERIFY(painel > 0);
        const auto escreve = [painel](int control, const char *texto) {
            SetCtrlVal(painel, control, texto);
        };
        // Refused first: nothing is added and the message names the field.
        EngineSendEvent(painel, EXERCICIO_JUNTAR_TAREFA, EVENT_COMMIT);
        std::string mensagem;
        GetCtrlVal(painel, EXERCICIO_MENSAGEM, &mensagem);
        QVERIFY(QString::fromStdString(mensagem).startsWith("Pergunta: "));
        escreve(EXERCICIO_PERGUNTA, "Qual é a amplitude do gerador 2?");
        SetCtrlVal(painel, EXERCICIO_GRANDEZA, static_cast<int>(Grandeza::Amplitude));
        SetCtrlVal(painel, EXERCICIO_ALVO, static_cast<int>(Alvo::Gerador2));
        escreve(EXERCICIO_TOLERANCIA, "5");
        SetCtrlVal(painel, EXERCICIO_PERCENTUAL, 1);
        escreve(EXERCICIO_DICAS, "Conte as divisões|Veja VOLTS/DIV");
        EngineSendEvent(painel, EXERCICIO_JUNTAR_TAREFA, EVENT_COMMIT);
        SetCtrlVal(painel, EXERCICIO_SORTEAVEL, 5); // generator 2's amplitude
        escreve(EXERCICIO_MINIMO, "1");
        escreve(EXERCICIO_MAXIMO, "4,5");
        EngineSendEvent(painel, EXERCICIO_JUNTAR_SORTEIO, EVENT_COMMIT);
        SetCtrlVal(painel, EXERCICIO_OCULTA_LEITURAS, 1);
        const QString caminho = pasta.filePath("amplitude");
        EngineQueueFileAnswer(caminho.toUtf8().constData());
        EngineSendEvent(painel, EXERCICIO_GUARDAR, EVENT_COMMIT);
        QCOMPARE(QString::fromStdString(EngineLastPopupMessage()),
                 "Exercício guardado em «amplitude.vantrel-ex».");

        exercicio::Exercicio esperado;
        esperado.configuracao = configuracao_actual();
        esperado.oculto.leituras = true;
        esperado.aleatorios = {{"generators[1].amplitude", 1.0, 4.5}};
        exercicio::Tarefa tarefa;
        tarefa.pergunta = "Qual é a amplitude do gerador 2?";
        tarefa.grandeza = Grandeza::Amplitude;
        tarefa.origem = exercicio::Origem::Gerador;
        tarefa.indice = 1;
        tarefa.unidade = "V";
        tarefa.tolerancia = 5.0;
        tarefa.percentual = true;
        tarefa.dicas = {"Conte as divisões", "Veja VOLTS/DIV"};
        esperado.tarefas = {tarefa};
        QFile ficheiro(caminho + ".vantrel-ex");
        QVERIFY(ficheiro.open(QIODevice::ReadOnly));
        const exercicio::LeituraExercicio lida =
            exercicio::le_exercicio(ficheiro.readAll().toStdString(), setup::captura());
        QVERIFY2(lida.valido, lida.motivo.c_str());
        QVERIFY(lida.exercicio == esperado);
    }

    /// "Resultados…": two students' files and a damaged one chosen together; the table holds
    /// the two, the summary counts their right answers and names the damaged file's line.
    void resultFilesAreCollectedThroughTheMenu() {
        QTemporaryDir pasta;
        QVERIFY(LoadInstrumentPanels() == 0);
        const QByteArray cabecalho =
            "aluno,tarefa,resposta,valor_verdadeiro,dentro_da_tolerancia,hora\n";
        const std::vector<std::pair<QString, QByteArray>> ficheiros{
            {"ana.csv", cabecalho + "Ana,1,2k,2000,sim,2026-12-08T10:00:00\n"},
            {"rui.csv", cabecalho + "Rui,1,3k,2000,nao,2026-12-08T10:00:00\n"
                                    "Rui,2,1,1,sim,2026-12-08T10:01:00\n"},
            {"mau.csv", cabecalho + "Eva,um,1,1,sim,2026-12-08T10:00:00\n"}};
        QString escolhidos;
        for (const auto &[nome, texto] : ficheiros) {
            QFile ficheiro(pasta.filePath(nome));
            QVERIFY(ficheiro.open(QIODevice::WriteOnly) && ficheiro.write(texto) == texto.size());
            escolhidos += pasta.filePath(nome) + "\n";
        }
        EngineQueueFileAnswer(escolhidos.toUtf8().constData());
        EngineQueueFileAnswer(pasta.filePath("turma").toUtf8().constData());
        EngineActivateMenuItem(GetPanelMenuBar(Painel_Principal), MenuBar_Fich_resultados);
        QCOMPARE(QString::fromStdString(EngineLastPopupMessage()),
                 "2 ficheiro(s) recolhido(s), 2 aluno(s).\nAna: 1 de 2 certas\nRui: 1 de 2 "
                 "certas\nTabela guardada em «turma.csv».\n\nFicheiros ignorados:\n«mau.csv», "
                 "linha 2, coluna «tarefa»: tem um valor inválido.\n");
        QFile tabela(pasta.filePath("turma.csv"));
        QVERIFY(tabela.open(QIODevice::ReadOnly));
        QCOMPARE(tabela.readAll().count('\n'), 4);
    }
};

QTEST_MAIN(AuthoringTest)
#include "test_authoring.moc"
