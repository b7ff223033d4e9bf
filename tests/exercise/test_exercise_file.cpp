// Exercise files: what is written reads back; damaged files are refused naming the field; the
// per-student draw of randomised settings.

#include "app/state.h"
#include "board/circuit/boards.h"
#include "exercise/exercise_file.h"

#include <QtTest>

#include <cmath>
#include <string>

namespace {

using namespace exercicio;

/// An exercise using every part of the file.
Exercicio completo() {
    Exercicio ex;
    ex.configuracao = setup::captura();
    ex.oculto = {true, true, false};
    ex.aleatorios = {{"generators[1].frequency", 0.3, 1.8},
                     {"oscilloscope.time_div_step", 3, 9},
                     {"channels[0].position", -2.5, 2.5}};
    ex.tarefas = {
        {"Qual é a frequência?",
         Grandeza::Frequencia,
         Origem::Gerador,
         1,
         "Hz",
         std::nullopt,
         5,
         true,
         {"Conte as divisões de um período.", "f = 1 / T"}},
        {"Qual é o desfasamento?",
         Grandeza::Fase,
         Origem::Nenhuma,
         0,
         "°",
         std::nullopt,
         3,
         false,
         {}},
        {"Quantos períodos vê?", Grandeza::Livre, Origem::Nenhuma, 0, "", 4.0, 0, false, {}},
    };
    return ex;
}

/// The written text with its indentation removed, so that table rows can name fields plainly.
QByteArray textoCompleto() {
    QByteArray texto = QByteArray::fromStdString(escreve_exercicio(completo()));
    while (texto.contains("\n ")) {
        texto.replace("\n ", "\n");
    }
    return texto;
}

} // namespace

class ExerciseFileTest : public QObject {
    Q_OBJECT

private slots:
    /// The boards' component values are set at start-up, not at load: a set-up needs them.
    void initTestCase() {
        for (int b = 0; b < vantrel::kPlacas; ++b) {
            const auto &placa = vantrel::circuit::kBoards[static_cast<std::size_t>(b)];
            for (int k = 0; k < placa.componentCount; ++k) {
                placa_valores[b][k] = placa.components[static_cast<std::size_t>(k)].defaultValue;
                placa_presente[b][k] = 1;
            }
        }
    }

    void writtenExerciseReadsBack() {
        const LeituraExercicio leitura =
            le_exercicio(escreve_exercicio(completo()), setup::captura());
        QVERIFY2(leitura.valido, (leitura.campo + " " + leitura.motivo).c_str());
        QVERIFY(leitura.exercicio == completo());
    }

    void damagedFileIsRefusedNamingTheField_data() {
        QTest::addColumn<QByteArray>("de");
        QTest::addColumn<QByteArray>("para");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("motivo");
        const QByteArray tarefa0 = "\"quantity\": \"frequency\",\n\"generator\": 1";
        QTest::newRow("not JSON") << QByteArray("{") << QByteArray("PK\x03\x04") << ""
                                  << "não é um ficheiro de exercício válido (o texto JSON está "
                                     "danificado)";
        QTest::newRow("a set-up file")
            << QByteArray("\"kind\": \"vantrel-exercise\",") << QByteArray() << "kind"
            << "não indica um exercício do Vantrel";
        QTest::newRow("newer format")
            << QByteArray("\"format\": 1,\n\"kind\"") << QByteArray("\"format\": 2,\n\"kind\"")
            << "format"
            << "indica um formato mais recente do que o que este programa lê";
        QTest::newRow("set-up out of range")
            << QByteArray("\"amplitude\": 3.0") << QByteArray("\"amplitude\": 30")
            << "setup.generators[1].amplitude"
            << "está fora do intervalo";
        QTest::newRow("unknown key")
            << QByteArray("\"hidden\": {") << QByteArray("\"extra\": 1,\n\"hidden\": {") << "extra"
            << "não é conhecido";
        QTest::newRow("hidden not a boolean") << QByteArray("\"readouts\": true")
                                              << QByteArray("\"readouts\": 1") << "hidden.readouts"
                                              << "não é true nem false";
        QTest::newRow("random: unknown setting")
            << QByteArray("\"generators[1].frequency\"")
            << QByteArray("\"generators[2].frequency\"") << "random[0].setting"
            << "não é uma definição que possa ser sorteada";
        QTest::newRow("random: a switch")
            << QByteArray("\"generators[1].frequency\"") << QByteArray("\"oscilloscope.dual\"")
            << "random[0].setting"
            << "não é uma definição que possa ser sorteada";
        QTest::newRow("random: beyond the setting's range")
            << QByteArray("\"maximum\": 1.8") << QByteArray("\"maximum\": 2.5") << "random[0]"
            << "tem um intervalo impossível";
        QTest::newRow("random: not whole for a step")
            << QByteArray("\"maximum\": 9.0") << QByteArray("\"maximum\": 8.5") << "random[1]"
            << "não tem limites inteiros";
        QTest::newRow("empty task list")
            << QByteArray("\"tasks\": [$") << QByteArray("\"tasks\": []}") << "tasks"
            << "não tem nenhuma tarefa";
        QTest::newRow("unknown quantity")
            << QByteArray("\"quantity\": \"phase\"") << QByteArray("\"quantity\": \"fase\"")
            << "tasks[1].quantity"
            << "não é conhecido";
        QTest::newRow("signal not named")
            << tarefa0 << QByteArray("\"quantity\": \"frequency\"") << "tasks[0].channel"
            << "falta";
        QTest::newRow("no third generator")
            << tarefa0 << QByteArray("\"quantity\": \"frequency\",\n\"generator\": 2")
            << "tasks[0].generator"
            << "não é 0 nem 1";
        QTest::newRow("phase of one channel")
            << QByteArray("\"quantity\": \"phase\"")
            << QByteArray("\"quantity\": \"phase\", \"channel\": 0") << "tasks[1].channel"
            << "não se aplica a esta grandeza";
        QTest::newRow("free answer computed")
            << QByteArray("\"true_value\": 4.0") << QByteArray("\"true_value\": \"computed\"")
            << "tasks[2].true_value"
            << "não pode ser calculado numa resposta livre";
        QTest::newRow("negative tolerance")
            << QByteArray("\"tolerance\": 5.0") << QByteArray("\"tolerance\": -5")
            << "tasks[0].tolerance"
            << "é negativa";
        QTest::newRow("hint not text")
            << QByteArray("\"f = 1 / T\"") << QByteArray("7") << "tasks[0].hints[1]"
            << "não é um texto";
        QTest::newRow("too large") << QByteArray("\"tasks\": [")
                                   << QByteArray("\"tasks\": [") + QByteArray(2 << 20, ' ') << ""
                                   << "é demasiado grande para um ficheiro de exercício";
    }

    /// The first fault is named, and nothing of the exercise is given back.
    void damagedFileIsRefusedNamingTheField() {
        QFETCH(QByteArray, de);
        QFETCH(QByteArray, para);
        QFETCH(QString, campo);
        QFETCH(QString, motivo);
        // A `de` ending in "$" is replaced up to the end of the text.
        const bool ate_ao_fim = de.endsWith('$');
        de.chop(ate_ao_fim ? 1 : 0);
        QByteArray texto = textoCompleto();
        const qsizetype onde = texto.indexOf(de);
        QVERIFY2(onde >= 0, de.constData());
        texto.replace(onde, ate_ao_fim ? texto.size() - onde : de.size(), para);
        const LeituraExercicio leitura = le_exercicio(texto.toStdString(), setup::captura());
        QVERIFY(!leitura.valido);
        QCOMPARE(QString::fromStdString(leitura.campo), campo);
        QCOMPARE(QString::fromStdString(leitura.motivo), motivo);
        QVERIFY(leitura.exercicio == Exercicio{});
    }

    void sameStudentGetsSameSettings_data() {
        QTest::addColumn<QString>("aluno");
        QTest::addColumn<QString>("outro");
        QTest::newRow("two students") << "Ana Sousa"
                                      << "Rui Lopes";
        QTest::newRow("one letter apart") << "Ana"
                                          << "Ina";
    }

    /// The drawn settings depend on the name only, stay within their ranges, and whole-numbered
    /// settings stay whole.
    void sameStudentGetsSameSettings() {
        QFETCH(QString, aluno);
        QFETCH(QString, outro);
        const Exercicio ex = completo();
        const setup::Valores a = configuracao_do_aluno(ex, aluno.toStdString());
        QCOMPARE(configuracao_do_aluno(ex, aluno.toStdString()), a);
        QVERIFY(configuracao_do_aluno(ex, outro.toStdString()) != a);
        const setup::Valores antes = ex.configuracao;
        std::size_t mudados = 0;
        const auto campos = setup::campos();
        for (std::size_t c = 0; c < a.size(); ++c) {
            for (std::size_t k = 0; k < a[c].size(); ++k) {
                if (a[c][k] == antes[c][k]) {
                    continue;
                }
                ++mudados;
                const bool inteiro = std::holds_alternative<int *>(campos[c].global);
                QVERIFY(!inteiro || a[c][k] == std::round(a[c][k]));
                QVERIFY(a[c][k] >= campos[c].minimo && a[c][k] <= campos[c].maximo);
            }
        }
        QVERIFY(mudados >= 2 && mudados <= ex.aleatorios.size());
    }
};

QTEST_MAIN(ExerciseFileTest)
#include "test_exercise_file.moc"
