#include "board/circuit/boards.h"

#include <QtTest>

#include <vector>

using namespace vantrel::circuit;

class TestCircuit : public QObject {
    Q_OBJECT

private slots:
    void firstProbeIsTheDrive();
};

void TestCircuit::firstProbeIsTheDrive() {
    for (int b = 0; b < kBoardCount; ++b) {
        const Board &board = kBoards[b];
        std::vector<double> values;
        for (int c = 0; c < board.componentCount; ++c) {
            values.push_back(board.components[c].defaultValue);
        }
        std::vector<double> drive(600);
        for (int i = 0; i < 600; ++i) {
            drive[i] = 2.0 * std::sin(2.0 * M_PI * i / 600);
        }
        std::vector<double> probes(board.probeCount * 600);
        QCOMPARE(solveBoard(b, values.data(), drive.data(), 600, 100.0, probes.data()), 0);
        QVERIFY(std::equal(drive.begin(), drive.end(), probes.begin()));
    }
}

QTEST_GUILESS_MAIN(TestCircuit)
#include "test_circuit.moc"
