// A student's answers: read with SI prefixes or refused, judged against a tolerance, and the
// per-student draw that gives each student other numbers.

#include "exercise/answers.h"

#include <QtTest>

#include <cmath>
#include <string_view>

/// A stand-in translation that moves the placeholders, as a translation may.
const char *emIngles(const char *modelo) {
    const std::string_view m = modelo;
    if (m == "%1 não está em %2") {
        return "unit %2 expected, got %1";
    }
    return m.starts_with("%1 ") ? "%1 is refused" : modelo;
}

class AnswersTest : public QObject {
    Q_OBJECT

private slots:
    void answerIsReadOrRefused_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("unidade");
        QTest::addColumn<double>("valor"); ///< NaN: refused
        QTest::addColumn<QString>("erro");
        const double recusada = std::nan("");
        QTest::newRow("comma and unit") << "2,5 kHz"
                                        << "Hz" << 2500.0 << "";
        QTest::newRow("point and prefix") << "2.5k"
                                          << "Hz" << 2500.0 << "";
        QTest::newRow("plain") << "2500"
                               << "Hz" << 2500.0 << "";
        QTest::newRow("blanks, no space") << "  2,5kHz "
                                          << "Hz" << 2500.0 << "";
        QTest::newRow("negative milli") << "-3 mV"
                                        << "V" << -0.003 << "";
        QTest::newRow("micro sign") << "40 µs"
                                    << "s" << 40e-6 << "";
        QTest::newRow("exponent") << "1e3 Hz"
                                  << "Hz" << 1000.0 << "";
        QTest::newRow("mega") << "1.2 M"
                              << "Hz" << 1.2e6 << "";
        QTest::newRow("free answer") << "0,25"
                                     << "" << 0.25 << "";
        QTest::newRow("other unit") << "2,5 kV"
                                    << "Hz" << recusada << "«2,5 kV» não está em Hz";
        QTest::newRow("unknown prefix") << "3 x"
                                        << "V" << recusada << "«3 x» não está em V";
        QTest::newRow("text") << "muito"
                              << "V" << recusada << "«muito» não é um número";
        QTest::newRow("empty") << ""
                               << "V" << recusada << "«» não é um número";
        QTest::newRow("two points") << "1.2.3"
                                    << "V" << recusada << "«1.2.3» não está em V";
        QTest::newRow("unit on a free answer")
            << "3 V"
            << "" << recusada << "«3 V» deve ser só um número, com ou sem prefixo (k, m, µ…)";
        QTest::newRow("overflow") << "1e999"
                                  << "V" << recusada << "«1e999» não é um número";
    }

    void answerIsReadOrRefused() {
        QFETCH(QString, texto);
        QFETCH(QString, unidade);
        QFETCH(double, valor);
        QFETCH(QString, erro);
        const exercicio::Resposta r =
            exercicio::le_resposta(texto.toStdString(), unidade.toStdString());
        QCOMPARE(QString::fromStdString(r.erro), erro);
        QCOMPARE(r.valor.has_value(), !std::isnan(valor));
        if (r.valor) {
            QVERIFY(std::abs(*r.valor - valor) <= 1e-12 * std::abs(valor));
            return;
        }
        // The reason comes in the caller's language, the student's text and unit in place.
        const QString traduzido = QString::fromStdString(
            exercicio::le_resposta(texto.toStdString(), unidade.toStdString(), emIngles).erro);
        QVERIFY2(traduzido.contains("«" + texto.trimmed() + "»") && !traduzido.contains("não") &&
                     !traduzido.contains('%'),
                 qPrintable(traduzido));
    }

    void toleranceEdges_data() {
        QTest::addColumn<double>("resposta");
        QTest::addColumn<double>("verdadeiro");
        QTest::addColumn<double>("tolerancia");
        QTest::addColumn<bool>("percentual");
        QTest::addColumn<bool>("dentro");
        QTest::newRow("5 % just inside above") << 1050.0 << 1000.0 << 5.0 << true << true;
        QTest::newRow("5 % just inside below") << 950.0 << 1000.0 << 5.0 << true << true;
        QTest::newRow("5 % just outside above") << 1050.001 << 1000.0 << 5.0 << true << false;
        QTest::newRow("5 % just outside below") << 949.999 << 1000.0 << 5.0 << true << false;
        QTest::newRow("% of a negative value") << -0.0105 << -0.01 << 5.0 << true << true;
        QTest::newRow("wrong sign") << 0.01 << -0.01 << 5.0 << true << false;
        QTest::newRow("0.1 V absolute, inside") << 2.1 << 2.0 << 0.1 << false << true;
        QTest::newRow("0.1 V absolute, outside") << 1.8999 << 2.0 << 0.1 << false << false;
        QTest::newRow("absolute around zero") << -0.05 << 0.0 << 0.05 << false << true;
    }

    void toleranceEdges() {
        QFETCH(double, resposta);
        QFETCH(double, verdadeiro);
        QFETCH(double, tolerancia);
        QFETCH(bool, percentual);
        QFETCH(bool, dentro);
        QCOMPARE(exercicio::dentro_da_tolerancia(resposta, verdadeiro, tolerancia, percentual),
                 dentro);
    }

    /// The same student gets the same numbers; other students and other settings other ones,
    /// spread over the whole range.
    void drawIsTheStudentsOwn() {
        using exercicio::sorteio;
        QCOMPARE(sorteio("Ana Silva", "generators[0].frequency", 0.5, 2.0),
                 sorteio("  ana silva ", "generators[0].frequency", 0.5, 2.0));
        QVERIFY(sorteio("Ana Silva", "generators[0].frequency", 0.5, 2.0) !=
                sorteio("Rui Costa", "generators[0].frequency", 0.5, 2.0));
        QVERIFY(sorteio("Ana Silva", "generators[0].frequency", 0.5, 2.0) !=
                sorteio("Ana Silva", "generators[1].frequency", 0.5, 2.0));
        double menor = 2.0;
        double maior = 0.5;
        for (int i = 0; i < 200; ++i) {
            const double v = sorteio(QString("aluno %1").arg(i).toStdString(), "x", 0.5, 2.0);
            QVERIFY(v >= 0.5 && v < 2.0);
            menor = std::min(menor, v);
            maior = std::max(maior, v);
        }
        QVERIFY(menor < 0.6 && maior > 1.9);
    }
};

QTEST_MAIN(AnswersTest)
#include "test_answers.moc"
