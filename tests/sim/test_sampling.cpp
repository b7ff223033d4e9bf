// Input routing, coupling, re-sampling onto the screen and the trigger search.

#include "controls/scale_tables.h"
#include "sim/input_routing.h"
#include "sim/sampling.h"
#include "sim/trigger.h"
#include "sim_fixture.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <set>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// The buffer sample that display sample i of channel c read, with a ramp input shown at one
/// screen unit per volt (DC coupling, no offset).
int bufferIndexShown(int c, int i) {
    return static_cast<int>(std::lround(onda[c][i]));
}

} // namespace

class TestSampling : public QObject {
    Q_OBJECT
private slots:
    void init();

    void routingFollowsSource_data();
    void routingFollowsSource();

    void calibratorThroughCoupling_data();
    void calibratorThroughCoupling();
    void fiftyHertzAtTwentyMsReadsEveryTenthSample();
    void stepIsCappedButPhaseCarriesUncapped_data();
    void stepIsCappedButPhaseCarriesUncapped();
    void xyStepsFollowFrequencyRatio_data();
    void xyStepsFollowFrequencyRatio();
    void normalWithoutTriggerPointHidesOnlyTriggeredTrace_data();
    void normalWithoutTriggerPointHidesOnlyTriggeredTrace();
    void autoWithoutTriggerPointRunsAtRandomPhase();
    void modReducesPhaseToBufferIndex_data();
    void modReducesPhaseToBufferIndex();

    void triggerOnSquareWave_data();
    void triggerOnSquareWave();
    void triggerLevelMeetsCalibratedSignal_data();
    void triggerLevelMeetsCalibratedSignal();
    void triggerLampShowsNormal();

    void couplingChoosesWhatLevelMeets_data();
    void couplingChoosesWhatLevelMeets();
    void lowPassLosesFastSineInNormal_data();
    void lowPassLosesFastSineInNormal();
    void lineStartsWithTheMains_data();
    void lineStartsWithTheMains();
    void externalSourcePlacesBothChannels_data();
    void externalSourcePlacesBothChannels();
    void holdoffChoosesAmongEqualCrossings_data();
    void holdoffChoosesAmongEqualCrossings();
};

void TestSampling::init() {
    simtest::loadPanels();
    simtest::resetState();
}

void TestSampling::routingFollowsSource_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("event");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::addColumn<double>("frequency");

    // Before the tick: buffer full of 9.0 at 1000 Hz; generator c holds 100 (c + 1) + i at
    // 50 + c Hz; the spreadsheet 200 (c + 1) + i at 5 + c Hz.
    QTest::newRow("off keeps the last frequency")
        << 0 << 0 << int(EVENT_TIMER_TICK) << 0.0 << 0.0 << 1000.0;
    QTest::newRow("CH I from generator 1")
        << 0 << 1 << int(EVENT_TIMER_TICK) << 100.0 << 699.0 << 50.0;
    QTest::newRow("CH II from generator 2")
        << 1 << 1 << int(EVENT_TIMER_TICK) << 200.0 << 799.0 << 51.0;
    QTest::newRow("CH II from spreadsheet")
        << 1 << 2 << int(EVENT_TIMER_TICK) << 400.0 << 999.0 << 6.0;
    QTest::newRow("Cal 0.2Vpp") << 0 << 3 << int(EVENT_TIMER_TICK) << -0.1 << 0.1 << 1000.0;
    QTest::newRow("Cal 2Vpp") << 1 << 4 << int(EVENT_TIMER_TICK) << -1.0 << 1.0 << 1000.0;
    QTest::newRow("unknown source") << 0 << 7 << int(EVENT_TIMER_TICK) << 9.0 << 9.0 << 1000.0;
    QTest::newRow("not a tick") << 0 << 4 << int(EVENT_COMMIT) << 9.0 << 9.0 << 1000.0;
}

void TestSampling::routingFollowsSource() {
    QFETCH(int, channel);
    QFETCH(int, source);
    QFETCH(int, event);
    QFETCH(double, first);
    QFETCH(double, last);
    QFETCH(double, frequency);

    for (int c = 0; c < 2; ++c) {
        std::fill(std::begin(onda_entCh[c]), std::end(onda_entCh[c]), 9.0);
        freq[c] = 1000.0;
        for (int i = 0; i < vantrel::kSamples; ++i) {
            onda_G[c][i] = 100.0 * (c + 1) + i;
            onda_E[c][i] = 200.0 * (c + 1) + i;
        }
        freq_G[c] = 50.0 + c;
        freq_E[c] = 5.0 + c;
    }
    ChIN[channel] = source;
    QCOMPARE(act_entr(Painel_Principal, PANEL_TIMER_3, event, nullptr, 0, 0), 0);

    QCOMPARE(onda_entCh[channel][0], first);
    QCOMPARE(onda_entCh[channel][vantrel::kSamples - 1], last);
    QCOMPARE(freq[channel], frequency);
    // A square source changes level exactly at the middle of the period.
    if (source >= 3 && event == EVENT_TIMER_TICK) {
        QCOMPARE(onda_entCh[channel][299], first);
        QCOMPARE(onda_entCh[channel][300], last);
    }
    // The other channel (off) is cleared but keeps its frequency.
    if (event == EVENT_TIMER_TICK) {
        QCOMPARE(onda_entCh[1 - channel][0], 0.0);
        QCOMPARE(freq[1 - channel], 1000.0);
    }
}

void TestSampling::calibratorThroughCoupling_data() {
    QTest::addColumn<int>("coupling");
    QTest::addColumn<double>("offsetVolts");
    QTest::addColumn<int>("inversion");
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("shownHigh"); // where the input's +1 V half is drawn
    QTest::addColumn<double>("shownLow");  // where the input's -1 V half is drawn
    QTest::addColumn<int>("lamp");

    // "Cal 2Vpp" at 1 V/div: one division above and below the centre.
    QTest::newRow("DC") << 0 << 0.0 << 1 << 0.0 << 2.5 << -2.5 << PANEL_DC1;
    QTest::newRow("DC keeps an offset") << 0 << 1.0 << 1 << 0.0 << 5.0 << 0.0 << PANEL_DC1;
    QTest::newRow("AC removes an offset") << 1 << 1.0 << 1 << 0.0 << 2.5 << -2.5 << PANEL_AC1;
    QTest::newRow("GND is flat at the position")
        << 2 << 1.0 << 1 << 3.0 << 3.0 << 3.0 << PANEL_GND1;
    QTest::newRow("inversion mirrors about the position")
        << 0 << 0.0 << -1 << 2.0 << -0.5 << 4.5 << PANEL_DC1;
    QTest::newRow("position lifts the trace") << 1 << 0.0 << 1 << -4.0 << -1.5 << -6.5 << PANEL_AC1;
}

void TestSampling::calibratorThroughCoupling() {
    QFETCH(int, coupling);
    QFETCH(double, offsetVolts);
    QFETCH(int, inversion);
    QFETCH(double, position);
    QFETCH(double, shownHigh);
    QFETCH(double, shownLow);
    QFETCH(int, lamp);

    simtest::fillSquare(0, -1.0 + offsetVolts, 1.0 + offsetVolts);
    freq[0] = 1000.0;
    entrada_op[0] = coupling;
    inversao[0] = inversion;
    y_offset[0] = position;
    act_timediv_sig(7); // "1 ms": ten periods on the screen
    QCOMPARE(calc_onda(Esc_Tempo), 0);

    // The rising-edge trigger starts the trace on the high half.
    QCOMPARE(onda[0][0], shownHigh);
    bool lowShown = false;
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QVERIFY2(onda[0][i] == shownHigh || onda[0][i] == shownLow, qPrintable(QString::number(i)));
        lowShown = lowShown || onda[0][i] == shownLow;
    }
    QVERIFY(lowShown);
    QCOMPARE(canais_op[0], coupling == 2 ? 0 : 1);

    for (int control : {PANEL_DC1, PANEL_AC1, PANEL_GND1}) {
        QCOMPARE(simtest::ctrlInt(Painel_Principal, control, ATTR_VISIBLE),
                 control == lamp ? 1 : 0);
    }
}

void TestSampling::fiftyHertzAtTwentyMsReadsEveryTenthSample() {
    // CH I runs free from phase 0.5 while CH II (another frequency) triggers.
    simtest::fillRamp(0);
    freq[0] = 50.0;
    entrada_op[0] = 0;
    Esc_Volt[0] = 1.0F;
    simtest::fillSquare(1, -1.0, 1.0);
    freq[1] = 1000.0;
    trigger_ch = 2;
    xC1 = 0.5;
    act_timediv_sig(3); // "20 ms"

    calc_onda(Esc_Tempo);
    // Ten periods across the screen: every tenth buffer sample. (The single-precision time base
    // makes the step a hair short of 10, which a whole-numbered start phase would show as
    // one sample lower from the second display sample on.)
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QCOMPARE(bufferIndexShown(0, i), 10 * i % vantrel::kSamples);
    }
}

void TestSampling::stepIsCappedButPhaseCarriesUncapped_data() {
    // Frequencies for which the periods on the screen, N = 12.5 f x 0.125, are exact binary
    // fractions: N x 128 is an integer.
    QTest::addColumn<double>("frequency");
    QTest::addColumn<int>("periodsTimes128");
    QTest::newRow("below the cap, N 100.195") << 64.125 << 12825;
    QTest::newRow("above the cap, N 200.391") << 128.25 << 25650;
}

void TestSampling::stepIsCappedButPhaseCarriesUncapped() {
    QFETCH(double, frequency);
    QFETCH(int, periodsTimes128);

    // CH I triggers; CH II runs free from phase 0 on a ramp.
    simtest::fillSquare(0, -1.0, 1.0);
    freq[0] = 1000.0;
    simtest::fillRamp(1);
    freq[1] = frequency;
    entrada_op[1] = 0;
    Esc_Volt[1] = 1.0F;
    calc_onda(0.125);

    const long long capped128 = std::min(periodsTimes128, 120 * 128);
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QCOMPARE(bufferIndexShown(1, i),
                 static_cast<int>((i * capped128 / 128) % vantrel::kSamples));
    }
    // The next screen starts where an uncapped sweep would have ended.
    const double fraction = (periodsTimes128 % 128) / 128.0;
    QCOMPARE(xC2, 600.0 * fraction);
}

void TestSampling::xyStepsFollowFrequencyRatio_data() {
    QTest::addColumn<double>("freq1");
    QTest::addColumn<double>("freq2");
    QTest::addColumn<qlonglong>("step1");
    QTest::addColumn<qlonglong>("step2");
    QTest::addColumn<int>("tolerance"); // samples
    QTest::newRow("1 kHz against 2 kHz") << 1000.0 << 2000.0 << 1LL << 2LL << 0;
    QTest::newRow("2 kHz against 1 kHz") << 2000.0 << 1000.0 << 2LL << 1LL << 0;
    QTest::newRow("both at 0 Hz") << 0.0 << 0.0 << 0LL << 1LL << 0;
    // A zero frequency counts as 1e-05 Hz. That divisor is not exact in binary, so the ratio
    // falls a hair short of a whole number and the lower sample may be read.
    QTest::newRow("CH I at 0 Hz") << 0.0 << 2000.0 << 1LL << 200000000LL << 1;
    QTest::newRow("CH II at 0 Hz") << 1000.0 << 0.0 << 100000000LL << 1LL << 1;
}

void TestSampling::xyStepsFollowFrequencyRatio() {
    QFETCH(double, freq1);
    QFETCH(double, freq2);
    QFETCH(qlonglong, step1);
    QFETCH(qlonglong, step2);
    QFETCH(int, tolerance);

    modoxy = 1;
    for (int c = 0; c < 2; ++c) {
        simtest::fillRamp(c);
        entrada_op[c] = 0;
        Esc_Volt[c] = 1.0F;
    }
    freq[0] = freq1;
    freq[1] = freq2;
    // X-Y never consults the trigger: a NORMAL trigger without a trigger point hides nothing.
    autot = 0;
    levelt = 1e6;
    calc_onda(Esc_Tempo);

    // Distance between two buffer indices around the period.
    const auto apart = [](long long a, long long b) {
        const long long d = ((a - b) % vantrel::kSamples + vantrel::kSamples) % vantrel::kSamples;
        return std::min(d, vantrel::kSamples - d);
    };
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QVERIFY2(apart(bufferIndexShown(0, i), step1 * i) <= tolerance,
                 qPrintable(QString::number(i)));
        QVERIFY2(apart(bufferIndexShown(1, i), step2 * i) <= tolerance,
                 qPrintable(QString::number(i)));
    }
    QCOMPARE(canais_ver[0], 1);
    QCOMPARE(canais_ver[1], 1);
    // The phases are left where the sweep ended (reduced, then advanced once more), for the
    // next figure to continue.
    QVERIFY(std::fabs(xC1 - static_cast<double>(
                                step1 * (vantrel::kSamples - 1) % vantrel::kSamples + step1)) <=
            tolerance);
    QVERIFY(std::fabs(xC2 - static_cast<double>(
                                step2 * (vantrel::kSamples - 1) % vantrel::kSamples + step2)) <=
            tolerance);
}

void TestSampling::normalWithoutTriggerPointHidesOnlyTriggeredTrace_data() {
    QTest::addColumn<int>("triggerChannel");
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("level");
    QTest::addColumn<int>("visible1");
    QTest::addColumn<int>("visible2");
    // mode: 0 NORMAL, 1 AUTO. Both inputs are "Cal 2Vpp" (+-1 V).
    QTest::newRow("NORMAL on CH I, level above") << 1 << 0 << 1.5 << 0 << 1;
    QTest::newRow("NORMAL on CH II, level below") << 2 << 0 << -1.5 << 1 << 0;
    QTest::newRow("NORMAL on CH I, level inside") << 1 << 0 << 0.5 << 1 << 1;
    QTest::newRow("AUTO on CH I, level above") << 1 << 1 << 1.5 << 1 << 1;
}

void TestSampling::normalWithoutTriggerPointHidesOnlyTriggeredTrace() {
    QFETCH(int, triggerChannel);
    QFETCH(int, mode);
    QFETCH(double, level);
    QFETCH(int, visible1);
    QFETCH(int, visible2);

    for (int c = 0; c < 2; ++c) {
        simtest::fillSquare(c, -1.0, 1.0);
        freq[c] = 1000.0;
    }
    canais_ver[0] = canais_ver[1] = 7; // neither 0 nor 1: every flag must be written
    trigger_ch = triggerChannel;
    autot = mode;
    levelt = level;
    calc_onda(Esc_Tempo);
    QCOMPARE(canais_ver[0], visible1);
    QCOMPARE(canais_ver[1], visible2);
}

void TestSampling::autoWithoutTriggerPointRunsAtRandomPhase() {
    // Both channels carry the same ramp at the same frequency; the level is out of reach.
    for (int c = 0; c < 2; ++c) {
        simtest::fillRamp(c);
        freq[c] = 50.0;
        entrada_op[c] = 0;
        Esc_Volt[c] = 1.0F;
    }
    levelt = 1000.0;
    std::array<int, 3> starts{};
    for (int &start : starts) {
        calc_onda(Esc_Tempo);
        start = bufferIndexShown(0, 0);
        // Equal frequencies: the other channel starts at the same phase.
        QCOMPARE(bufferIndexShown(1, 0), start);
    }
    QVERIFY(starts[0] != starts[1] || starts[1] != starts[2]);
}

void TestSampling::modReducesPhaseToBufferIndex_data() {
    QTest::addColumn<double>("phase");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("reduced");
    QTest::newRow("inside") << 123.75 << 123 << 123.75;
    QTest::newRow("one period on") << 650.5 << 50 << 50.5;
    QTest::newRow("many periods on") << 1200.0 << 0 << 0.0;
    QTest::newRow("negative") << -0.5 << 599 << 599.5;
    // Reduced exactly it would be 600 - 1e-14, which rounds to 600: one past the buffer.
    QTest::newRow("a hair below zero") << -1e-14 << 0 << 0.0;
    QTest::newRow("not a number") << kNaN << 0 << 0.0;
}

void TestSampling::modReducesPhaseToBufferIndex() {
    QFETCH(double, phase);
    QFETCH(int, index);
    QFETCH(double, reduced);
    QCOMPARE(mod(&phase, 600.0), index);
    QCOMPARE(phase, reduced);
}

void TestSampling::triggerOnSquareWave_data() {
    QTest::addColumn<double>("first");  // level of samples 0 to 299
    QTest::addColumn<double>("second"); // level of samples 300 to 599
    QTest::addColumn<int>("slope");
    QTest::addColumn<double>("level");
    QTest::addColumn<int>("start");

    QTest::newRow("calibrator rising") << -1.0 << 1.0 << 1 << 0.5 << 300;
    QTest::newRow("calibrator falling") << -1.0 << 1.0 << -1 << 0.5 << 0;
    QTest::newRow("level above the maximum") << -1.0 << 1.0 << 1 << 1.5 << -1;
    QTest::newRow("level below the minimum, falling") << -1.0 << 1.0 << -1 << -1.5 << -1;
    QTest::newRow("level at the maximum") << -1.0 << 1.0 << 1 << 1.0 << 300;
    QTest::newRow("level at the maximum, maximum at 0") << 1.0 << -1.0 << 1 << 1.0 << 0;
    QTest::newRow("level at the minimum, falling") << -1.0 << 1.0 << -1 << -1.0 << 0;
    QTest::newRow("offset is removed") << 2.0 << 4.0 << 1 << 0.5 << 300;
    QTest::newRow("disconnected input, rising") << 0.0 << 0.0 << 1 << 5.0 << 0;
    QTest::newRow("disconnected input, falling") << 0.0 << 0.0 << -1 << -5.0 << 0;
    QTest::newRow("no slope") << -1.0 << 1.0 << 0 << 0.5 << -1;
}

void TestSampling::triggerOnSquareWave() {
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(int, slope);
    QFETCH(double, level);
    QFETCH(int, start);

    simtest::fillSquare(1, first, second);
    slopet = slope;
    levelt = level;
    QCOMPARE(trigger(2), start);
    // The other channel's input (empty) is not the one searched.
    if (slope != 0) {
        QCOMPARE(trigger(1), 0);
    }
}

void TestSampling::triggerLevelMeetsCalibratedSignal_data() {
    QTest::addColumn<double>("level");
    QTest::addColumn<double>("gain");
    QTest::addColumn<int>("start");

    // Ramp input: sample i holds i volts, mean 299.5, so the trigger signal is i - 299.5.
    QTest::newRow("calibrated") << 100.0 << 1.0 << 400;
    QTest::newRow("a sample on the level is not past it") << 100.5 << 1.0 << 401;
    QTest::newRow("gain 0.5 crosses later") << 100.0 << 0.5 << 500;
}

void TestSampling::triggerLevelMeetsCalibratedSignal() {
    QFETCH(double, level);
    QFETCH(double, gain);
    QFETCH(int, start);

    simtest::fillRamp(0);
    y_calib[0] = gain;
    levelt = level;
    QCOMPARE(trigger(1), start);
}

void TestSampling::triggerLampShowsNormal() {
    for (int mode : {0, 1, 0}) {
        autot = mode;
        trigger(1);
        QCOMPARE(simtest::ctrlInt(Painel_Principal, PANEL_ATNORM_TEXT, ATTR_DIMMED), mode);
    }
}

namespace {

/// A 2 V sine on a 1 V offset in channel c's buffer.
void fillOffsetSine(int c, double hz) {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        onda_entCh[c][i] = 1.0 + 2.0 * std::sin(2.0 * std::numbers::pi * i / vantrel::kSamples);
    }
    freq[c] = hz;
}

/// Ramp inputs shown at one unit per volt, so that display sample 0 names the start sample.
void showRamps(double hz) {
    for (int c = 0; c < 2; ++c) {
        simtest::fillRamp(c);
        freq[c] = hz;
        entrada_op[c] = 0;
        Esc_Volt[c] = 1.0F;
    }
}

} // namespace

// DC compares the level with the raw signal, AC with it less its mean: at 1.5 V the sweep
// starts where the sine passes 1.5 V, or 0.5 V above its mean.
void TestSampling::couplingChoosesWhatLevelMeets_data() {
    QTest::addColumn<int>("coupling");
    QTest::addColumn<double>("removed");
    QTest::newRow("AC") << 0 << 1.0;
    QTest::newRow("DC") << 1 << 0.0;
}

void TestSampling::couplingChoosesWhatLevelMeets() {
    QFETCH(int, coupling);
    QFETCH(double, removed);
    fillOffsetSine(0, 1000.0);
    trig_acopl = coupling;
    levelt = 1.5;
    const int start = trigger(1);
    QVERIFY(start > 0);
    QVERIFY(onda_entCh[0][start] - removed > 1.5);
    QVERIFY(onda_entCh[0][start - 1] - removed <= 1.5);
}

// The LF low-pass leaves 1.5 % of a 100 kHz sine: below the level, NORMAL shows no trace.
void TestSampling::lowPassLosesFastSineInNormal_data() {
    QTest::addColumn<int>("coupling");
    QTest::addColumn<int>("visible");
    QTest::newRow("AC") << 0 << 1;
    QTest::newRow("HF") << 2 << 1;
    QTest::newRow("LF") << 3 << 0;
}

void TestSampling::lowPassLosesFastSineInNormal() {
    QFETCH(int, coupling);
    QFETCH(int, visible);
    fillOffsetSine(0, 100e3);
    trig_acopl = coupling;
    autot = 0;
    levelt = 1.5;
    calc_onda(Esc_Tempo);
    QCOMPARE(canais_ver[0], visible);
}

// LINE: each refresh (0.1 s, five mains cycles) starts the sweep with the mains, so 1000 Hz
// stands still and 1001 Hz moves on by its 1 Hz beat: 0.1 period, 60 samples a refresh.
void TestSampling::lineStartsWithTheMains_data() {
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("advance");
    QTest::newRow("1000 Hz") << 1000.0 << 0;
    QTest::newRow("1001 Hz") << 1001.0 << 60;
    QTest::newRow("998 Hz") << 998.0 << 480; // -2 Hz: -0.2 period
}

void TestSampling::lineStartsWithTheMains() {
    QFETCH(double, hz);
    QFETCH(int, advance);
    showRamps(hz);
    trig_acopl = 4;
    autot = 0; // the mains is always there, NORMAL too
    levelt = 1000.0;
    calc_onda(Esc_Tempo);
    int previous = bufferIndexShown(0, 0);
    for (int refresh = 0; refresh < 5; ++refresh) {
        calc_onda(Esc_Tempo);
        const int start = bufferIndexShown(0, 0);
        QCOMPARE((start - previous + vantrel::kSamples) % vantrel::kSamples, advance);
        QCOMPARE(bufferIndexShown(1, 0), start);
        QCOMPARE(canais_ver[0], 1);
        previous = start;
    }
}

// A source on EXT at CH I's frequency (generator 2, either generator's SYNC, or a point of a
// divider board that generator 2 drives): CH I starts where that source crosses the level,
// wherever its own signal stands, and follows the source's phase.
void TestSampling::externalSourcePlacesBothChannels_data() {
    QTest::addColumn<int>("source"); // trig_ext
    QTest::addColumn<int>("shift");  // samples by which the source is late
    QTest::addColumn<int>("start");
    QTest::newRow("generator 2 in phase") << int(kTrigExtGen2) << 0 << 300;
    QTest::newRow("generator 2 100 late") << int(kTrigExtGen2) << 100 << 400;
    QTest::newRow("generator 2 450 late") << int(kTrigExtGen2) << 450 << 150;
    QTest::newRow("SYNC 1 100 late") << int(kTrigExtSync1) << 100 << 400;
    QTest::newRow("SYNC 2 450 late") << int(kTrigExtSync2) << 450 << 150;
    QTest::newRow("board input 100 late") << int(kTrigExtBoard) << 100 << 400;
    QTest::newRow("board output 450 late") << kTrigExtBoard + 1 << 450 << 150;
}

void TestSampling::externalSourcePlacesBothChannels() {
    QFETCH(int, source);
    QFETCH(int, shift);
    QFETCH(int, start);
    showRamps(1000.0);
    const bool sync = source == kTrigExtSync1 || source == kTrigExtSync2;
    const int g = source == kTrigExtSync1 ? 0 : 1;
    double *late = sync ? onda_sync[g] : onda_G[g];
    for (int i = 0; i < vantrel::kSamples; ++i) {
        const bool high =
            (i - shift + vantrel::kSamples) % vantrel::kSamples >= vantrel::kSamples / 2;
        // SYNC is a 0/5 V square; the generator a ±1 V one, 3/4 of it past the divider.
        late[i] = sync ? (high ? 5.0 : 0.0) : (high ? 1.0 : -1.0);
    }
    freq_G[g] = 1000.0;
    placa_tipo = 0; // R2 = 3 R1
    placa_gerador = 1;
    placa_valores[0][0] = 10e3;
    placa_valores[0][1] = 30e3;
    placa_presente[0][0] = placa_presente[0][1] = 1;
    trig_ext = source;
    levelt = 0.5;
    calc_onda(Esc_Tempo);
    QCOMPARE(bufferIndexShown(0, 0), start);
    QCOMPARE(bufferIndexShown(1, 0), start);
    // The ramp on CH I would trigger elsewhere on its own.
    trig_ext = 0;
    QVERIFY(trigger(1) != start);
}

// Two equal pulses a period, 30 % apart, and a sweep of 20 % of the period: at the minimum
// every refresh picks the same one; a short hold-off lands on both in turn; one that outlasts
// the second pulse picks the first again.
void TestSampling::holdoffChoosesAmongEqualCrossings_data() {
    QTest::addColumn<double>("sweeps");
    QTest::addColumn<int>("distinct");
    QTest::newRow("minimum") << 0.0 << 1;
    QTest::newRow("short") << 0.1 << 2;
    QTest::newRow("past the second pulse") << 1.0 << 1;
}

void TestSampling::holdoffChoosesAmongEqualCrossings() {
    QFETCH(double, sweeps);
    QFETCH(int, distinct);
    std::fill_n(onda_entCh[0], vantrel::kSamples, 0.0);
    for (int first : {0, 180}) {
        std::fill_n(onda_entCh[0] + first, 30, 1.0);
    }
    freq[0] = 1.0; // 20 ms/div: 0.2 s, a fifth of the period
    holdoff = sweeps;
    levelt = 0.5;
    std::set<int> starts;
    for (int refresh = 0; refresh < 6; ++refresh) {
        starts.insert(trigger(1));
    }
    QCOMPARE(int(starts.size()), distinct);
}

QTEST_MAIN(TestSampling)
#include "test_sampling.moc"
