#pragma once

// The experiment boards: small circuits driven by a generator, each with named probe points
// and adjustable components, solved into one period of samples at every probe.
//
// A solve gives the circuit's periodic steady state for one period of the drive (the
// generator's output, usually 600 samples). Linear boards are solved exactly, harmonic by
// harmonic (see periodic.h). Boards with diodes use the junction models of devices.h: where
// the circuit stores no energy each sample is solved on its own; with a smoothing capacitor
// the circuit is integrated over whole periods (Rosenbrock, Boost.Odeint), the starting
// voltage being corrected between periods (secant on "end of period minus start") until a
// period ends where it began to within 1e-6 of the drive's peak.
//
// Probe voltages are between two nodes of the circuit (a probe across L or across a bridge's
// load is differential); the first probe of every board is "Entrada", the drive itself.

#include <array>

// Marks a shown text for the translation tools; it stays the plain text here (the screen
// translates it).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace vantrel::circuit {

/// Status: the number of samples is less than 1.
inline constexpr int kBoardCountError = -21001;
/// Status: a null pointer, a negative or non-finite frequency, or a non-finite drive sample.
inline constexpr int kBoardArgumentError = -21002;
/// Status: no board has this index.
inline constexpr int kBoardIndexError = -21003;
/// Status: a component value is non-finite or outside its [minValue, maxValue] (0 is
/// allowed for a switchable component, and means that it is absent).
inline constexpr int kBoardComponentError = -21004;
/// Status: the solution did not settle within the work bound ("não convergiu").
inline constexpr int kBoardNotConverged = -21005;

/// Board indices, in the order of kBoards.
enum BoardId : int {
    kDivider = 0,    ///< voltage divider R1 over R2
    kRcLowPass,      ///< RC, output across C (an integrator when RC >> period)
    kRcHighPass,     ///< CR, output across R (a differentiator when RC << period)
    kRlcSeries,      ///< series R, L, C
    kHalfWave,       ///< one diode into RL, optional smoothing C across RL
    kBridge,         ///< four-diode bridge into RL, optional smoothing C across RL
    kClipper,        ///< series R, two antiparallel diodes to ground
    kZenerRegulator, ///< series R, Zener to ground, load RL across the Zener
    kBoardCount
};

inline constexpr int kMaxProbes = 4;
inline constexpr int kMaxComponents = 3;

/// One adjustable component of a board.
struct Component {
    const char *name;      ///< "R1", "C", "L", "RL", "Vz"
    const char *unit;      ///< "Ω", "F", "H" or "V"
    double defaultValue;   ///< start value, in the unit
    double minValue;       ///< smallest value a solve accepts
    double maxValue;       ///< largest value a solve accepts
    bool e12;              ///< steps through the E12 series (see e12.h)
    bool switchable;       ///< may be removed from the circuit: pass 0 as its value
    bool presentByDefault; ///< for a switchable component, whether it starts in the circuit
};

/// One board: its Portuguese name, probe points and components.
struct Board {
    const char *name;        ///< shown to the user
    const char *description; ///< one Portuguese sentence on what the board shows
    int probeCount;
    std::array<const char *, kMaxProbes> probes; ///< probes[0] is always "Entrada"
    int componentCount;
    std::array<Component, kMaxComponents> components;
};

// Defaults suit the generators' start (100 Hz sine of 2 or 3 V peak): the RC corner is near
// 100 Hz, the RLC resonates near 107 Hz with Q about 3, the rectifiers load 1 kΩ, the
// 2.7 V Zener just breaks down under generator 2's 3 V.
inline constexpr std::array<Board, kBoardCount> kBoards{{
    {QT_TRANSLATE_NOOP("Vantrel", "Divisor de tensão"),
     QT_TRANSLATE_NOOP("Vantrel",
                       "Duas resistências em série: a saída é a entrada vezes R2 / (R1 + R2)."),
     2,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), QT_TRANSLATE_NOOP("Vantrel", "Saída")},
     2,
     {{{"R1", "Ω", 10e3, 10.0, 1e6, true, false, true},
       {"R2", "Ω", 10e3, 10.0, 1e6, true, false, true}}}},
    {QT_TRANSLATE_NOOP("Vantrel", "RC passa-baixo"),
     QT_TRANSLATE_NOOP(
         "Vantrel",
         "Saída aos terminais de C; com onda quadrada e RC muito maior que o período é um "
         "integrador."),
     3,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), "VC", "VR"},
     2,
     {{{"R", "Ω", 1.5e3, 10.0, 1e6, true, false, true},
       {"C", "F", 1e-6, 10e-12, 10e-3, true, false, true}}}},
    {QT_TRANSLATE_NOOP("Vantrel", "RC passa-alto"),
     QT_TRANSLATE_NOOP(
         "Vantrel",
         "Saída aos terminais de R; com onda quadrada e RC muito menor que o período é um "
         "diferenciador."),
     3,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), "VR", "VC"},
     2,
     {{{"C", "F", 1e-6, 10e-12, 10e-3, true, false, true},
       {"R", "Ω", 1.5e3, 10.0, 1e6, true, false, true}}}},
    {QT_TRANSLATE_NOOP("Vantrel", "RLC série"),
     QT_TRANSLATE_NOOP(
         "Vantrel",
         "R, L e C em série: na ressonância, 1/(2π√(LC)), VR é máxima e igual à entrada."),
     4,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), "VR", "VL", "VC"},
     3,
     {{{"R", "Ω", 22.0, 1.0, 1e6, true, false, true},
       {"L", "H", 100e-3, 1e-6, 10.0, true, false, true},
       {"C", "F", 22e-6, 10e-12, 10e-3, true, false, true}}}},
    {QT_TRANSLATE_NOOP("Vantrel", "Retificador de meia onda"),
     QT_TRANSLATE_NOOP(
         "Vantrel",
         "Um díodo de silício alimenta a carga RL; o condensador C, se presente, alisa a saída."),
     3,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), QT_TRANSLATE_NOOP("Vantrel", "Saída"), "VD"},
     2,
     {{{"RL", "Ω", 1e3, 10.0, 1e6, true, false, true},
       {"C", "F", 100e-6, 10e-12, 10e-3, true, true, false}}}},
    {QT_TRANSLATE_NOOP("Vantrel", "Retificador em ponte"),
     QT_TRANSLATE_NOOP(
         "Vantrel", "Quatro díodos de silício em ponte alimentam a carga RL (saída flutuante); o "
                    "condensador C, se presente, alisa a saída."),
     2,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), QT_TRANSLATE_NOOP("Vantrel", "Saída")},
     2,
     {{{"RL", "Ω", 1e3, 10.0, 1e6, true, false, true},
       {"C", "F", 100e-6, 10e-12, 10e-3, true, true, false}}}},
    {QT_TRANSLATE_NOOP("Vantrel", "Limitador a díodos"),
     QT_TRANSLATE_NOOP("Vantrel",
                       "Dois díodos de silício em antiparalelo limitam a saída a cerca de ±0,7 V."),
     3,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), QT_TRANSLATE_NOOP("Vantrel", "Saída"), "VR"},
     1,
     {{{"R", "Ω", 1e3, 10.0, 1e6, true, false, true}}}},
    {QT_TRANSLATE_NOOP("Vantrel", "Regulador Zener"),
     QT_TRANSLATE_NOOP(
         "Vantrel",
         "O díodo Zener limita a saída a Vz nas alternâncias positivas e a cerca de -0,7 V nas "
         "negativas."),
     3,
     {QT_TRANSLATE_NOOP("Vantrel", "Entrada"), QT_TRANSLATE_NOOP("Vantrel", "Saída"), "VR"},
     3,
     {{{"R", "Ω", 220.0, 10.0, 1e6, true, false, true},
       {"RL", "Ω", 10e3, 10.0, 1e6, true, false, true},
       {"Vz", "V", 2.7, 1.8, 33.0, true, false, true}}}},
}};

/// Default step bound of solveBoard: integrator steps over all periods of one solve, which
/// keeps the worst case near 50 ms.
inline constexpr long kDefaultMaxSteps = 60000;

/// Solves board `board` for one period of `drive` (n samples, uniformly spaced over one
/// period of freqHz; freqHz == 0 means the drive is DC and gives the DC steady state).
/// @param componentValues kBoards[board].componentCount values in table order, in the
///        components' units; 0 for a switchable component removes it.
/// @param probesOut receives probeCount * n samples: probesOut[p * n + i] is probe p at
///        sample i; probe 0 is a copy of the drive.
/// @param maxSteps bound on integrator steps (only boards that store energy integrate).
/// @return 0, or kBoardCountError, kBoardArgumentError, kBoardIndexError,
///         kBoardComponentError, kBoardNotConverged; on error probesOut is left untouched.
int solveBoard(int board, const double *componentValues, const double *drive, int n, double freqHz,
               double *probesOut, long maxSteps = kDefaultMaxSteps);

/// Portuguese words for a solveBoard status, for the user: "" for 0, "não convergiu" for
/// kBoardNotConverged, a short phrase for the other codes.
const char *boardStatusText(int status);

} // namespace vantrel::circuit
