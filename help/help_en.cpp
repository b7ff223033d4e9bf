// The English help books: the same pages as the Portuguese ones, in the same order.

#include <array>

#include "help/help_books.h"

namespace {

constexpr std::array<PaginaAjuda, kPaginasOsciloscopio> kOsciloscopio{{
    {"Help: POWER",
     "Switches the oscilloscope on and off.\n\nWhen it is on, the green LED is lit."},
    {"Help: INTENSITY", "This control changes the brightness of the traces on the screen."},
    {"Help: FOCUS", "This control sharpens the trace."},
    {"Help: TRACE ROTATION",
     "This control levels the trace with the horizontal when no signal is connected."},
    {"Help: X-Y", "When the X-Y button is pressed, the oscilloscope no longer shows a V/t graph. "
                  "Instead, the vertical axis is driven by the input signal on channel II. This "
                  "lets the oscilloscope show a V/V (volt/volt) graph.\n\nX-Y mode is used to "
                  "display the characteristic curves of components or Lissajous figures."},
    {"Help: SCREEN", "The screen normally shows a V/t graph, with the voltage (V) on the vertical "
                     "axis and the time (t) on the horizontal axis.\n\nThe scales of both axes can "
                     "be changed so that a wide variety of signals can be displayed."},
    {"Help: EXIT", "Closes the program."},
    {"Help: INFORMATION", "This panel shows the setting of each of the oscilloscope's controls.\n"
                          "It lets the user see how the oscilloscope is working."},
    {"Help: X-POS",
     "Moves the whole content of the screen from right to left across the oscilloscope's screen, "
     "and back.\n\nThis control is useful when the screen's graticule is used for measurements, "
     "for example to measure the period of a wave."},
    {"Help: TRIGGER CONTROLS", nullptr}, // built line by line
    {"Help: TV-Separation",
     "Oscilloscopes are often used to examine the waveforms inside television sets. This control "
     "synchronises the signal with the television's signals, so that the signals of different "
     "points can be compared."},
    {"Help: TIME/DIV", "Changes the scale of the horizontal axis of the V/t graph."},
    {"Help: CALIB TIME", "This control calibrates the factor of the time scale in use."},
    {"Help: Y-POS I / Y-POS II",
     "These controls move their traces up and down, changing the reference position (0 V).\n\n"
     "To examine an alternating signal, it is more practical to set Y-POS so that the 0 V level "
     "is in the centre of the screen. For pulses, it is more useful to have the 0 V level at the "
     "bottom of the screen.\n\nY-POS I and Y-POS II set the 0 V levels of the two inputs "
     "independently of each other."},
    {"Help: INVERT", "When the INVERT button is pressed, the signal of its channel is shown "
                     "inverted on the oscilloscope's screen.\n\nThis is useful when comparing "
                     "signals."},
    {"Help: VOLTS/DIV", "Sets the vertical scale of the V/t graph.\n\nThe vertical scales of "
                        "CH I and CH II are set independently."},
    {"Help: CALIB VOLTS", "This control calibrates the vertical scale; each of the two channels "
                          "is calibrated independently."},
    {"Help: CH I/II", "Signals are connected to the BNC input sockets with BNC plugs.\n\nThe "
                      "socket beside each BNC socket provides an additional ground (earth)."},
    {"Help: DC-AC-GD",
     "In the DC position, the input signal is connected directly to the vertical amplifier of "
     "its channel, CH I or CH II.\n\nIn the AC position, a capacitor is placed in the "
     "oscilloscope's input, so DC voltages are blocked and only the AC part of the signal is "
     "shown.\n\nIn the GND position, the amplifier's input is connected to 0 V. This position "
     "lets you find the 0 V level on the oscilloscope's screen.\n\nThe DC position of these "
     "switches is the right one for most signals."},
    {"Help: CH-DUAL-ADD-VERT", nullptr}, // built line by line
    {"Help: X-MAG", "When pressed, the horizontal scale of the graph is magnified 10 times.\n\n"
                    "For example, if the TIME/DIV knob is set to 1ms/div and the X-MAG button is "
                    "pressed, the scale becomes 0.1ms/div."},
    {"Help: CALIB", "The upper terminal gives a square wave of 0.2V peak to peak, and the lower "
                    "one also a square wave, of 2V peak to peak; both at 1kHz.\n\nThe signals on "
                    "these outputs are used to check that the oscilloscope is calibrated "
                    "correctly.\n\nThe oscilloscope's inputs can take either of these two "
                    "signals as their input."},
    {"Help: COMPONENT",
     "The component tester's output gives a variable voltage, so that the characteristic curves "
     "of components can be shown on the oscilloscope's screen.\n\nWhen the button is pressed, "
     "the oscilloscope shows a volt/volt display, with the components' test voltage connected "
     "internally to the oscilloscope's horizontal axis.\n\nFor normal use of the oscilloscope "
     "the button must not be pressed."},
    {"Help: CIRCUIT BOARD",
     "The circuit board is an input of CH I or CH II: choose \"Circuit board\" in the channel's "
     "input window.\n\n"
     "Board: the circuit on the board (divider, RC, RLC, rectifiers, clipper, Zener), drawn with "
     "its test points in orange.\n"
     "Connected to: the generator that feeds the board. The waveform, frequency, amplitude and "
     "offset are set on that generator's panel, which the \"Generator panel\" button shows.\n"
     "Measured point: the point this channel shows. \"Input\" is the generator's own signal. "
     "Each channel can measure a different point of the same board: for example the input on "
     "CH I and the output on CH II, in DUAL or in X-Y.\n\n"
     "Components: - and + step to the previous or next value of the E12 series (1; 1.2; 1.5; "
     "1.8; 2.2; 2.7; 3.3; 3.9; 4.7; 5.6; 6.8; 8.2). You can also type the value and press Enter, "
     "with the prefixes p, n, u (or µ), m, k, M: 1,5k, 4k7, 100n, 22u. A value that is not a "
     "number or lies outside the limits is refused with a message, and the component keeps the "
     "value it had. The \"With C\" button removes or puts back the smoothing capacitor.\n\n"
     "Every change shows on the screen at once. If the circuit's calculation does not settle, "
     "the board says \"did not converge\" and its points show a line at 0 V.\n\n"
     "OK: closes the window and keeps the changes.\n"
     "Exit: closes the window and puts the board and the channel's input back as they were when "
     "it was opened."},
}};

constexpr std::array<PaginaAjuda, kPaginasGerador> kGerador{{
    {"Help: POWER", "Closes the generator."},
    {"Help: ATT",
     "The attenuator reduces the whole output signal, offset included: −20 dB divides it by 10 "
     "and −40 dB by 100. This is how millivolt signals are obtained: an amplitude of 2 V with "
     "−40 dB gives 20 mV.\n\nA left click opens the choice of 0 dB, −20 dB and −40 dB."},
    {"Help: FUNCTION",
     "These three buttons choose the waveform to be generated: sine, square or triangle."},
    {"Help: OUTPUT", "Output of the signal made by the generator."},
    {"Help: VCF",
     "Voltage-controlled frequency input: on a real generator, a signal applied to this input "
     "sweeps the output frequency.\n\nThis simulator does not simulate the frequency sweep: the "
     "VCF input has no effect."},
    {"Help: SYNC",
     "Sync output: a TTL square wave, of 0 V and 5 V, with the generator's frequency and phase "
     "(5 V during the first half of each period), whatever the waveform, amplitude or offset "
     "chosen.\n\nTo see it, choose \"Other generator's sync\" as a channel's input: CH II "
     "receives the SYNC of generator 1 and CH I the SYNC of generator 2."},
    {"Help: OFFSET", "Adds an offset to the generated signal, that is, a DC component."},
    {"Help: AMPLITUDE", "Sets the amplitude of the generated signal."},
    {"Help: RAMP/PULSE",
     "Turns the triangle wave into a ramp and the square wave into a pulse.\n\nA left click "
     "opens two knobs: the ramp's rise, from 0 to 100 % of the period (50 % is the triangle wave "
     "and 100 % a sawtooth), and the pulse's duty cycle, from 1 to 99 % of the period at the "
     "high level (50 % is the square wave).\n\nThe sine wave is not changed."},
    {"Help: RANGE", "Buttons that select the scale factor for the frequency you want, together "
                    "with the frequency knob."},
    {"Help: FREQUENCY", "Sets the frequency you want, from the value set on this knob and the "
                        "factor chosen with the RANGE buttons."},
    {"Help: INFO", "Panel that shows the state of the generator in use."},
    {"Help: PHASE",
     "Starting phase of the generated signal, from −180° to +180°, set with the PHASE knob.\n\n"
     "When both generators have the same frequency, generator 2 follows the time base of "
     "generator 1: the phase difference between CH I and CH II is exactly the difference "
     "between the two chosen phases. Two sine waves of equal amplitude at 90° draw a circle in "
     "X-Y mode."},
    {"Help: TYPED FREQUENCY",
     "Type the frequency you want and press Enter: for example 150, 2k, 2,5 kHz or 1.5 MHz. A "
     "decimal comma or point is accepted, with the prefixes m, k and M and the unit Hz.\n\nThe "
     "generator chooses the RANGE and the frequency knob setting that give this value; a value "
     "between two steps of the knob is rounded to the nearest step, and the panel shows the "
     "frequency obtained.\n\nA value outside 0.01 Hz to 2 MHz, negative, empty or with letters "
     "is refused with a message, and the generator is left unchanged."},
}};

// Page 10, line by line: its indentation lines the sub-items up in the fixed-pitch box.
constexpr std::array kComandosTrigger{
    "TRIG.:\n",
    "  AC: the trigger signal is taken from CH1 or CH2 (as the\n",
    "      TRIG. I/II switch sets), without its DC component.\n",
    "  DC: the trigger signal is taken from CH1 or CH2 (as the\n",
    "      TRIG. I/II switch sets), with its DC component.\n",
    "  HF: the trigger signal is taken from CH1 or CH2 (as the\n",
    "      TRIG. I/II switch sets), through a high-pass filter.\n",
    "  LF: the trigger signal is taken from CH1 or CH2 (as the\n",
    "      TRIG. I/II switch sets), through a low-pass filter.\n",
    "  ~: (LINE) the trigger signal is the 50Hz mains voltage.\n\n",
    "EXT: the external trigger signal comes in on the BNC socket\n",
    "EXT TRIG INP.\n\n",
    "AT/NORM:\n",
    "  AUTO: triggers unconditionally. Recommended for the first\n",
    "        setting up.\n",
    "  NORM: triggers only when the level, slope and hold-off\n",
    "        conditions are met.\n\n",
    "LEVEL: amplitude of the signal at which the trigger fires.\n\n",
    "+/-:\n",
    "  + : triggers on the rising edge of the signal.\n",
    "  - : triggers on the falling edge of the signal.\n\n",
    "HOLD OFF: inhibits the trigger for an adjustable length of\n",
    "          time. Turning it clockwise (CW) lengthens the\n",
    "          hold-off time.",
};

// Page 20: the same rows and column widths as the Portuguese table.
constexpr const char *kOn = " ON    ";
constexpr const char *kOff = " OFF   ";
constexpr const char *kAny = "  -    ";
constexpr std::array<LinhaModos, kLinhasModos> kModos{{
    {kOff, kOff, kOff, kAny, "only CH I is shown,", "triggered by CH I"},
    {kOn, kOff, kOff, kAny, "only CH II is shown,", "triggered by CH II"},
    {kOff, kOn, kOff, kOff, "CH I and CH II, simultaneously,", "triggered by CH I"},
    {kOn, kOn, kOff, kOff, "CH I and CH II, simultaneously,", "triggered by CH II"},
    {kOff, kOn, kOff, kOn, "CH I and CH II, alternately,", "triggered by CH I"},
    {kOn, kOn, kOff, kOn, "CH I and CH II, alternately,", "triggered by CH II"},
    {kOff, kOff, kOn, kAny, "sum of CH I and CH II, one trace,", "triggered by CH I"},
    {kOn, kOff, kOn, kAny, "sum of CH I and CH II, one trace,", "triggered by CH II"},
}};

constexpr LivroAjuda kIngles{
    kOsciloscopio,
    kGerador,
    kComandosTrigger,
    kModos,
    "These controls choose which waveforms are shown on the oscilloscope's screen.\n\n",
    "|CH I/II| DUAL  |  ADD  | VERT. |effect of the setting\n",
    "\nDUAL and ADD are never on together: switching one on switches the other off. \"-\" in "
    "the VERT. column: the position of VERT. does not matter. In X-Y none of these buttons "
    "matters."};
static_assert(LivroCompleto(kIngles));

} // namespace

const LivroAjuda &LivroAjudaIngles() {
    return kIngles;
}
