#pragma once
/// Start-up and quitting of the instrument.

/// The program: reads the command line (see command_line.h; help, the version and a refused
/// line end here without a window), initialises the engine, loads the panels, sets the
/// instrument's initial state, shows the about box for 3 s and runs the event loop. Returns 0
/// after the loop ends, -1 when start-up fails (with one line on standard error naming the file
/// and the reason), 2 for a refused command line.
/// Options: `--power-on MODE` switches the instrument on in a display mode at start (see
/// StartPoweredOn); `--no-splash` skips the about box; `--check-install` loads every panel,
/// looks for the artwork and the manual, and ends with 0 (complete) or 1 (see CheckInstallation);
/// `--screenshot FILE` runs for a second, writes the main window to FILE (PNG) and ends. Any
/// other argument names a set-up file, opened once the main window is shown.
int VantrelMain(int argc, char *argv[]);

/// Loads the main panel and the six child panels that live for the whole run, in order.
/// Returns 0, or -1 at the first panel that fails (the handles loaded so far are kept).
int LoadInstrumentPanels();

/// Gives the oscilloscope's part of the instrument state (everything but the generators and the
/// panel handles) its start-up values, without touching a panel.
void valores_iniciais_osciloscopio();

/// Gives the instrument state and a few controls their start-up values: the oscilloscope's
/// (inicializa_osciloscopio), then the generators' (inicializa_geradores). Returns 0.
int inicializacoes();
/// The oscilloscope's start-up values and front: all the first frame needs.
void inicializa_osciloscopio();
/// Loads the generator panels and gives both generators their start-up values and buffers.
/// Independent of the oscilloscope's part, so the program runs it once its window is up.
void inicializa_geradores();

/// Callback of the main panel's exit button: asks before quitting (naming a set-up's unsaved
/// changes); a right click opens help.
int QuitCallback(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);

/// Menu item "Sair" (Ctrl+Q): the same question as the exit button, then quits.
void Sair_prog(int menuBar, int menuItem, void *callbackData, int panel);
