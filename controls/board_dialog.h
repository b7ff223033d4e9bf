#pragma once
/// The board dialog ("placa.uir"): which experiment board is on the bench, which generator
/// drives it, which probe point the channel `Canal` measures, and the board's component values
/// (E12 steps with - and +, or typed with SI prefixes). Every change acts at once, as the
/// dialogs' knobs do; "Confirmar" keeps them and closes, "Sair" (and the close box) restores
/// what stood when the dialog opened, the channel's previous source included.
///
/// Every callback has the engine's control-callback form and returns 0; a right click on any
/// control opens the board dialog's help page.

/// Start-up values of the board: RC low-pass on generator 1, CH I probing "Entrada" and CH II
/// the second point, every component at its default.
void placa_valores_iniciais();

/// Connects channel `canal` (0/1) to the board and opens the board dialog for it. Returns 0,
/// or -1 when the dialog cannot be loaded (the channel is connected all the same and the user
/// is told).
int abrir_placa(int canal);

/// Board ring (value change): another board on the bench.
int placa_escolha(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);
/// Generator ring (value change): which generator drives the board.
int placa_gerador_fn(int panel, int control, int event, void *callbackData, int eventData1,
                     int eventData2);
/// Probe ring (value change): the point that channel `Canal` measures.
int placa_ponto_fn(int panel, int control, int event, void *callbackData, int eventData1,
                   int eventData2);
/// A component's value typed (commit): read with SI prefixes and checked against its range; a
/// bad value is explained on the message line and the component keeps its value.
int placa_valor(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
/// A component's - or + (commit): the next E12 value below or above, within its range.
int placa_passo(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
/// A removable component's button (commit): puts it in the circuit or takes it out.
int placa_presenca(int panel, int control, int event, void *callbackData, int eventData1,
                   int eventData2);
/// "Painel do gerador" (commit): shows the panel of the generator that drives the board, over
/// the board dialog, to set its waveform, frequency, amplitude and offset.
int placa_painel_gerador(int panel, int control, int event, void *callbackData, int eventData1,
                         int eventData2);
/// "Confirmar" (commit): closes the dialog, keeping every change.
int placa_confirmar(int panel, int control, int event, void *callbackData, int eventData1,
                    int eventData2);
/// "Sair" (commit): restores the settings of the opening and closes the dialog.
int placa_sair(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
/// Schematic, texts (right click only): the help page.
int placa_ajuda(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
