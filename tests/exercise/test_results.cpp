// The students' result files: read whole or refused naming the line, and collected into one
// table where the last answer to a task counts.

#include "exercise/results.h"

#include <QtTest>

namespace {

const QByteArray kCabecalho = "aluno,tarefa,resposta,valor_verdadeiro,dentro_da_tolerancia,hora\n";

std::string texto(const QByteArray &bytes) {
    return bytes.toStdString();
}

} // namespace

class ResultsTest : public QObject {
    Q_OBJECT

private slots:
    void resultFileIsReadOrRefused_data() {
        QTest::addColumn<QByteArray>("ficheiro");
        QTest::addColumn<int>("respostas"); ///< -1: refused
        QTest::addColumn<int>("linha");
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<QString>("aluno"); ///< of the last answer read
        QTest::addColumn<QString>("resposta");
        const QByteArray certa = "Ana,1,2500,2500,sim,2026-12-08T10:00:00\n";
        QTest::newRow("plain") << kCabecalho + certa + certa << 2 << 0 << ""
                               << "Ana"
                               << "2500";
        QTest::newRow("quoted comma, quote and line break")
            << kCabecalho + "\"Silva, \"\"Zé\"\"\",2,\"2,5\nkHz\",2500,nao,2026-12-08T10:00:00" << 1
            << 0 << ""
            << "Silva, \"Zé\""
            << "2,5\nkHz";
        QTest::newRow("BOM, CRLF, blank line")
            << "\xEF\xBB\xBF" + kCabecalho.chopped(1) +
                   "\r\n\r\nAna,1,x,1e-3,sim,2026-01-02T03:04:05\r\n"
            << 1 << 0 << ""
            << "Ana"
            << "x";
        QTest::newRow("header only") << kCabecalho << 0 << 0 << ""
                                     << ""
                                     << "";
        QTest::newRow("another header") << QByteArray("aluno,tarefa\n") + certa << -1 << 1 << ""
                                        << ""
                                        << "";
        QTest::newRow("empty file") << QByteArray() << -1 << 1 << ""
                                    << ""
                                    << "";
        QTest::newRow("five columns") << kCabecalho + certa + "Ana,1,2500,2500,sim\n"
                                      << -1 << 3 << ""
                                      << ""
                                      << "";
        QTest::newRow("task zero") << kCabecalho + "Ana,0,1,1,sim,2026-12-08T10:00:00\n"
                                   << -1 << 2 << "tarefa"
                                   << ""
                                   << "";
        QTest::newRow("task not whole") << kCabecalho + "Ana,1.5,1,1,sim,2026-12-08T10:00:00\n"
                                        << -1 << 2 << "tarefa"
                                        << ""
                                        << "";
        QTest::newRow("true value NaN") << kCabecalho + "Ana,1,1,nan,sim,2026-12-08T10:00:00\n"
                                        << -1 << 2 << "valor_verdadeiro"
                                        << ""
                                        << "";
        QTest::newRow("verdict") << kCabecalho + "Ana,1,1,1,yes,2026-12-08T10:00:00\n"
                                 << -1 << 2 << "dentro_da_tolerancia"
                                 << ""
                                 << "";
        QTest::newRow("time") << kCabecalho + "Ana,1,1,1,sim,08/12/2026 10:00\n"
                              << -1 << 2 << "hora"
                              << ""
                              << "";
        QTest::newRow("empty name") << kCabecalho + " ,1,1,1,sim,2026-12-08T10:00:00\n"
                                    << -1 << 2 << "aluno"
                                    << ""
                                    << "";
        QTest::newRow("quote left open") << kCabecalho + certa + "\"Ana,1,1,1,sim,x\n"
                                         << -1 << 3 << ""
                                         << ""
                                         << "";
        QTest::newRow("text after a quote") << kCabecalho + "\"Ana\"x,1,1,1,sim,x\n"
                                            << -1 << 2 << ""
                                            << ""
                                            << "";
    }

    void resultFileIsReadOrRefused() {
        QFETCH(QByteArray, ficheiro);
        QFETCH(int, respostas);
        QFETCH(int, linha);
        QFETCH(QString, coluna);
        QFETCH(QString, aluno);
        QFETCH(QString, resposta);
        const exercicio::LeituraResultados lida = exercicio::le_resultados(texto(ficheiro));
        QCOMPARE(lida.valida, respostas >= 0);
        QCOMPARE(lida.linha, linha);
        QCOMPARE(QString::fromUtf8(lida.coluna), coluna);
        QCOMPARE(QString::fromUtf8(lida.motivo).isEmpty(), lida.valida);
        if (respostas > 0) {
            QCOMPARE(static_cast<int>(lida.resultados.size()), respostas);
            QCOMPARE(QString::fromStdString(lida.resultados.back().aluno), aluno);
            QCOMPARE(QString::fromStdString(lida.resultados.back().resposta), resposta);
        }
    }

    void answersAreCollectedLastOneCounting_data() {
        QTest::addColumn<QByteArrayList>("ficheiros");
        QTest::addColumn<QByteArray>("tabela");
        const QByteArray cabecalho = kCabecalho.chopped(1) + ",certas,tarefas\n";
        QTest::newRow("later time counts, whatever the file order")
            << QByteArrayList{kCabecalho + "Rui,1,3 kHz,2500,nao,2026-12-08T10:05:00\n",
                              kCabecalho + "Rui,1,2.5k,2500,sim,2026-12-08T10:01:00\n"}
            << cabecalho + "Rui,1,3 kHz,2500,nao,2026-12-08T10:05:00,0,1\n";
        QTest::newRow("same time: the later line counts")
            << QByteArrayList{kCabecalho + "Rui,1,3,2,nao,2026-12-08T10:00:00\n"
                                           "Rui,1,2,2,sim,2026-12-08T10:00:00\n"}
            << cabecalho + "Rui,1,2,2,sim,2026-12-08T10:00:00,1,1\n";
        QTest::newRow("right out of the highest task, names in order, quoted")
            << QByteArrayList{kCabecalho + "Rui,2,0.1,0.100000001,sim,2026-12-08T10:00:00\n",
                              kCabecalho + "\"Silva, Ana\",1,\"=1+1\",2,sim,2026-12-08T10:00:00\n"
                                           "\"Silva, Ana\",3,\"1,5\",1.5,nao,2026-12-08T10:00:00\n"}
            << cabecalho + "Rui,2,0.1,0.100000001,sim,2026-12-08T10:00:00,1,3\n"
                           "\"Silva, Ana\",1,'=1+1,2,sim,2026-12-08T10:00:00,1,3\n"
                           "\"Silva, Ana\",3,\"1,5\",1.5,nao,2026-12-08T10:00:00,1,3\n";
    }

    void answersAreCollectedLastOneCounting() {
        QFETCH(QByteArrayList, ficheiros);
        QFETCH(QByteArray, tabela);
        std::vector<exercicio::Resultado> todos;
        for (const QByteArray &ficheiro : ficheiros) {
            const exercicio::LeituraResultados lida = exercicio::le_resultados(texto(ficheiro));
            QVERIFY(lida.valida);
            todos.insert(todos.end(), lida.resultados.begin(), lida.resultados.end());
        }
        const std::string escrita = exercicio::escreve_recolha(exercicio::recolhe(todos));
        QCOMPARE(QByteArray::fromStdString(escrita), tabela);
    }
};

QTEST_MAIN(ResultsTest)
#include "test_results.moc"
