#pragma once
/// The instrument state: every control callback and the simulation meet in these globals.
///
/// Per-channel arrays use index 0 for CH I and 1 for CH II. Screen units: in the time-based
/// modes X runs from -300 to +300 (one unit per display sample, 60 per division) and Y from
/// -10 to +10 (2.5 per division); in X-Y mode X runs from -12.5 to +12.5.
/// Each global is defined with its load-time value in state.cpp; `inicializacoes` sets the
/// start-up values again.

#include <string>

namespace vantrel {
inline constexpr int kSamples = 600;        ///< samples per input buffer and per trace
inline constexpr int kPathSize = 260;       ///< longest file path, terminator included
inline constexpr int kPlacas = 8;           ///< experiment boards on the bench's shelf
inline constexpr int kComponentesPlaca = 3; ///< adjustable components of a board, at most
inline constexpr int kFontesExternas = 11;  ///< values of `trig_ext`: 0 .. 10
} // namespace vantrel

// ---- Panel handles ----------------------------------------------------------------------------
extern int Painel_Principal; ///< main panel, "oscil.uir" 1, top-level, whole run
extern int Painel_Xpos;      ///< X-POS dialog, "time.uir" 2, whole run
extern int Painel_Canais;    ///< channel-mode dialog, "canais.uir" 4, whole run
extern int Painel_CalibX;    ///< time-base calibration dialog, "time.uir" 1, whole run
extern int Painel_YcalI;     ///< CH I vertical calibration dialog, "volt.uir" 2, whole run
extern int Painel_YcalII;    ///< CH II vertical calibration dialog, "volt.uir" 3, whole run
extern int Painel_Acerca;    ///< about panel, "acerca.uir" 1, whole run
extern int Painel_Time;      ///< Time/Div dialog while open
extern int Painel_Volt;      ///< Volts/Div dialog while open
extern int Painel_YposI;     ///< CH I Y-POS dialog while open
extern int Painel_YposII;    ///< CH II Y-POS dialog while open
extern int Painel_YentI;     ///< CH I coupling dialog while open
extern int Painel_YentII;    ///< CH II coupling dialog while open
extern int Painel_Entradas;  ///< input-source dialog while open
extern int Painel_Focus;     ///< focus dialog while open
extern int Painel_Intens;    ///< intensity dialog while open
extern int Painel_Level;     ///< trigger-level dialog while open
extern int Painel_Holdoff;   ///< HOLD OFF dialog while open
extern int Painel_Externo;   ///< external trigger source dialog while open
extern int Painel_Testador;  ///< component tester's TEST sockets dialog while open

// ---- Power and display mode -------------------------------------------------------------------
extern int Ligado;       ///< power: 0 off, 1 on
extern int modoxy;       ///< 1 X-Y mode, 0 time-based modes
extern int dual_op;      ///< DUAL switch: 1 on
extern int add_op;       ///< ADD switch: 1 on
extern int vert_op;      ///< VERT. switch: 1 alternates the DUAL traces
extern int chop_ch;      ///< trace of the next alternating refresh: 1 CH I, else CH II
extern int OPCAO_FOCUS;  ///< plot style of every trace: VAL_THIN_LINE (0) or VAL_FAT_LINE (5)
extern int OPCAO_INTENS; ///< trace colour, RGB (red bits 16-23)
extern float focus_val;  ///< last focus knob value, -10 .. +10
extern int intens_val;   ///< last intensity knob value, 0 .. 10

// ---- Vertical, per channel --------------------------------------------------------------------
extern int Esc_VoltID[2];  ///< Volts/Div step, 0 ("20 V") .. 11 ("5 mV")
extern float Esc_Volt[2];  ///< screen units per volt: 2.5 / (volts per division); 0 until power-on
extern double y_calib[2];  ///< variable vertical gain, 0.6 .. 1.0, multiplies the signal
extern double y_offset[2]; ///< vertical position, screen units, added to the trace
extern int inversao[2];    ///< +1 normal, -1 inverted
extern int entrada_op[2];  ///< coupling: 0 DC, 1 AC, 2 GND
extern int canais_op[2];   ///< 1 the signal passes (DC or AC), 0 input grounded
extern double dc_val[2];   ///< DC level subtracted from the input, volts

// ---- Horizontal -------------------------------------------------------------------------------
extern int Esc_TempoID;    ///< Time/Div step, 0 (".2 s") .. 17 (".5 us")
extern float Esc_Tempo;    ///< 0.8 x seconds per division; 0 until power-on
extern double calib;       ///< variable time-base factor, 0.6 .. 1.0, divides the time scale
extern double atraso_orig; ///< X of the first display sample with X-POS at zero: -300
extern double atraso;      ///< X of the first display sample: atraso_orig + X-POS knob
extern double xmag;        ///< X distance between display samples: 1, or 10 with X-MAG
extern double minimo;      ///< left end of the X axis in the time-based modes: -300
extern double maximo;      ///< right end of the X axis in the time-based modes: +300

// ---- Trigger ----------------------------------------------------------------------------------
extern double levelt;  ///< trigger level, volts, against the calibrated mean-free input
extern int slopet;     ///< +1 rising, -1 falling
extern int autot;      ///< 1 AUTO, 0 NORMAL
extern int trigger_ch; ///< channel (1 or 2) whose trigger search the next refresh uses
extern int trig_acopl; ///< trigger coupling: 0 AC, 1 DC, 2 HF, 3 LF, 4 LINE (50 Hz mains)
/// external trigger source: 0 off (internal trigger), 1 generator 1, 2 generator 2,
/// 3 Cal 0.2Vpp, 4 Cal 2Vpp, 5 SYNC of generator 1, 6 SYNC of generator 2, 7 .. 10 the point
/// 0 .. 3 of the board on the bench (as `placa_ponto`)
extern int trig_ext;
extern double holdoff;       ///< HOLD OFF, in sweeps: 0 (minimum, the refresh's own trigger) .. 10
extern int tvsep;            ///< TV SEP: 0 OFF, 1 H (line sync), 2 V (field sync)
extern long long ciclo_rede; ///< 50 Hz mains cycles counted by the LINE trigger's sweeps
extern double fase_disparo;  ///< trigger source's phase at the last sweep start, buffer samples

// ---- Component tester -------------------------------------------------------------------------
extern int testador;             ///< 1 while the tester shows its V-I figure instead of the traces
extern int testador_comp;        ///< component on the TEST sockets (tester::Kind)
extern double testador_valor[2]; ///< its values: R, C, L or Zener volts; [1] the C of a series RC

// ---- Input routing and signal buffers ---------------------------------------------------------
/// source: 0 off, 1 generator, 2 spreadsheet, 3 Cal 0.2Vpp, 4 Cal 2Vpp, 5 experiment board,
/// 6 SYNC output of the other channel's generator
extern int ChIN[2];
extern int Canal;                               ///< channel (0/1) of the open setting dialog
extern double onda_entCh[2][vantrel::kSamples]; ///< one period of each channel's input, volts
extern double freq[2];                      ///< frequency of each input buffer, Hz (0: constant)
extern double onda_G[2][vantrel::kSamples]; ///< one period of each generator's output, volts
extern double freq_G[2];                    ///< frequency of each generator's output, Hz
extern double onda_E[2][vantrel::kSamples]; ///< spreadsheet waveform of each channel, volts
extern double freq_E[2];                    ///< frequency of each spreadsheet waveform, Hz
extern double xC1;                          ///< phase of CH I display sample 0, buffer samples
extern double xC2;                          ///< phase of CH II display sample 0, buffer samples
extern double onda[3][vantrel::kSamples];   ///< display samples, screen units: CH I, CH II, ADD
extern int canais_ver[3];                   ///< per trace CH I, CH II, ADD: 1 draw, 0 hide

// ---- Trace plots ------------------------------------------------------------------------------
extern int plot_onda[4];  ///< plot handles of traces 1 CH I, 2 CH II, 3 ADD, 4 X-Y
extern int plot_exist[4]; ///< 1 while that trace is on the screen

// ---- Generators -------------------------------------------------------------------------------
extern int geradorID;        ///< generator (0/1) that the generator panels show and edit
extern int tipo_onda[2];     ///< waveform: 1 square, 2 triangle, 3 sine
extern int botao_activo[2];  ///< frequency range multiplier: 1 .. 1000000
extern double botao_freq[2]; ///< frequency knob, 0.0 .. 2.0
extern double amplit[2];     ///< peak amplitude, volts, 0 .. 10
extern double offset[2];     ///< DC offset, volts, -5 .. +5
extern int ger_enable[2];    ///< generator switched on
extern double fase_G[2];     ///< start phase of the period, degrees, -180 .. +180
extern double rampa_G[2];    ///< rising share of the triangle key's ramp, %, 0 .. 100 (50 triangle)
extern double ciclo_G[2];    ///< duty cycle of the square key's pulse, %, 1 .. 99 (50 square)
extern int atenuacao_G[2];   ///< output attenuator, dB: 0, 20 or 40
extern double onda_sync[2][vantrel::kSamples]; ///< SYNC output: 0/5 V square in step, volts
extern int Painel_Gerador;
extern int Painel_Ger_Esc;
extern int Painel_Ger_Freq;
extern int Painel_Ger_Ampl;
extern int Painel_Ger_Onda;
extern int Painel_Ger_offset;
extern int Painel_Ger_Fase;
extern int Painel_Ger_Rampa;
extern int Painel_Ger_Att;

// ---- Experiment board (the source 5 of a channel) -------------------------------------------
extern int Painel_Placa;   ///< board dialog while open
extern int placa_tipo;     ///< board on the bench: 0 .. kPlacas - 1, the circuit library's order
extern int placa_gerador;  ///< generator (0/1) that drives the board
extern int placa_ponto[2]; ///< probe point that each channel measures: 0 "Entrada", the drive
/// component values of every board in table order, in their units (ohm, farad, henry, volt)
extern double placa_valores[vantrel::kPlacas][vantrel::kComponentesPlaca];
/// 1 while that component is in its circuit, 0 while a removable part is taken out
extern int placa_presente[vantrel::kPlacas][vantrel::kComponentesPlaca];

// ---- Spreadsheet link -------------------------------------------------------------------------
extern int CanalE;                         ///< channel fed by the spreadsheet waveform being loaded
extern int datalink;                       ///< worksheet conversation handle
extern int systemlink;                     ///< system conversation handle
extern int panelhandle;                    ///< data-link panel while it exists
extern int program_handle;                 ///< started spreadsheet program
extern int status;                         ///< result of the last conversation call
extern char path[vantrel::kPathSize];      ///< command line that starts the spreadsheet program
extern char pathP[vantrel::kPathSize];     ///< spreadsheet program path
extern char pathF[vantrel::kPathSize];     ///< spreadsheet file path
extern char path_memo[vantrel::kPathSize]; ///< record file path

// ---- Help -------------------------------------------------------------------------------------
extern int Painel_Ajuda; ///< help panel while shown
/// Web address of the help page shown last; a string, so that a program installed deep in the
/// file system still opens its whole manual address.
extern std::string url_help;
