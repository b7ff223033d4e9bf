#include "measure/spreadsheet_link.h"

#include "app/engine/engine.h"
#include "app/state.h"

// The data-link panel and its spreadsheet server come with the spreadsheet link; until then the
// user is told that the channel keeps its stored waveform.
int iniciar_excel(int channel) {
    CanalE = channel;
    MessagePopup("Folha de Excel", "A ligação à folha de cálculo ainda não está disponível.\n"
                                   "O canal mostra a última forma de onda carregada.");
    return 0;
}
