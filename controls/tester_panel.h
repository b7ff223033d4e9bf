#pragma once
/// The component tester on the front panel: its COMPONENT key (switches the tester on and off)
/// and its TEST sockets, whose dialog ("opcoes.uir" panel TESTER) chooses the component
/// connected to them. A right click opens help page 23.
///
/// Every callback has the engine's control-callback form and returns 0, except an opening
/// callback whose dialog cannot be loaded, which returns -1 and opens nothing.

/// A left click on the key switches the tester on or off; on the sockets it opens the dialog.
int component_btn(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);
/// Component list of the dialog (value change): shows the chosen kind's values.
int f_componente(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);
/// "Confirmar" (commit): connects the component; a value that cannot be read or lies outside
/// its range is refused with a message and nothing changes.
int aplic_testador(int panel, int control, int event, void *callbackData, int eventData1,
                   int eventData2);
/// "Cancelar" (commit): closes the dialog, nothing changed.
int fecha_testador(int panel, int control, int event, void *callbackData, int eventData1,
                   int eventData2);
