#include "generator/signal/si_value.h"

#include <QtTest>

class TestSiValue : public QObject {
    Q_OBJECT

private slots:
    void readsTypedValues_data();
    void readsTypedValues();
};

void TestSiValue::readsTypedValues_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("status");
    QTest::addColumn<double>("value");
    const auto row = [](const char *text, const char *unit, int status, double value) {
        QTest::addRow("%s [%s]", text, unit) << QString(text) << QString(unit) << status << value;
    };
    row("4k7", "Ω", 0, 4.7e3);
    row("4.7k", "Ω", 0, 4.7e3);
    row(" 4,7 kΩ ", "Ω", 0, 4.7e3);
    row("4R7", "Ω", 0, 4.7);
    row("47 ohms", "Ω", 0, 47.0);
    row("10 MΩ", "Ω", 0, 10e6);
    row("100n", "F", 0, 100e-9);
    row("100 nF", "F", 0, 100e-9);
    row("1u", "F", 0, 1e-6);
    row("1µ", "F", 0, 1e-6);
    row("2u2f", "F", 0, 2.2e-6);
    row("2.2m", "H", 0, 2.2e-3);
    row("1e3", "Hz", 0, 1e3);
    row(".5 kHz", "Hz", 0, 500.0);
    row("2 MHZ", "Hz", 0, 2e6);
    row("0.1", "", 0, 0.1);
    row("", "Ω", vantrel::kSiValueEmpty, 0.0);
    row("   ", "Ω", vantrel::kSiValueEmpty, 0.0);
    row("abc", "Ω", vantrel::kSiValueNotNumber, 0.0);
    row("4k7k", "Ω", vantrel::kSiValueNotNumber, 0.0);
    row("4.7 kF", "Ω", vantrel::kSiValueNotNumber, 0.0);
    row("4R7", "F", vantrel::kSiValueNotNumber, 0.0);
    row("1.2.3", "V", vantrel::kSiValueNotNumber, 0.0);
    row("k", "Ω", vantrel::kSiValueNotNumber, 0.0);
    row("-4k7", "Ω", vantrel::kSiValueNegative, 0.0);
    row("0", "Ω", vantrel::kSiValueZero, 0.0);
    row("-0,0 k", "Ω", vantrel::kSiValueZero, 0.0);
    row("1p", "F", vantrel::kSiValueBelowMin, 0.0);
    row("1e-999", "F", vantrel::kSiValueBelowMin, 0.0);
    row("11 M", "Ω", vantrel::kSiValueAboveMax, 0.0);
    row("1e999", "Ω", vantrel::kSiValueAboveMax, 0.0);
}

// Every row is read with the limits [1e-11, 1e7] in its unit.
void TestSiValue::readsTypedValues() {
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QFETCH(int, status);
    QFETCH(double, value);
    double out = 42.0;
    const QByteArray textUtf8 = text.toUtf8();
    const QByteArray unitUtf8 = unit.toUtf8();
    QCOMPARE(parseSiValue(textUtf8.toStdString(), unitUtf8.toStdString(), 1e-11, 1e7, &out),
             status);
    QCOMPARE(out, status == 0 ? value : 42.0);
    QCOMPARE(*siValueStatusText(status) == '\0', status == 0);
}

QTEST_GUILESS_MAIN(TestSiValue)
#include "test_si_value.moc"
