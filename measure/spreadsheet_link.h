#pragma once
/// The spreadsheet data link: loads a 600-point waveform for a channel from a workbook served by
/// the spreadsheet server over the engine's DDE client.

#include <optional>
#include <string_view>

/// Opens the data-link panel for `channel` (0 CH I, 1 CH II). Returns main_excel's result.
int iniciar_excel(int channel);
/// Loads the data-link panel, fills in the remembered (or default) paths and shows it as a
/// modal pop-up. Returns 0, or -1 when the panel cannot be loaded.
int main_excel();
/// Remembers the paths and starts the spreadsheet program on the workbook. Returns 0, or -1
/// (after a status line) when the paths cannot be used or the program does not start.
int arrancar_excel();
/// Ends the link (conversations and program) and discards the panel.
void fechar_excel();

int path_excel(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
int path_fich(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
/// "Carregar Dados": the whole load, from the launch to the closing.
int ConnectToExcel(int panel, int control, int event, void *callbackData, int eventData1,
                   int eventData2);
/// "Fechar": closes the panel; during a load it asks the load to give up first.
int Shutdown(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
/// The callback of both conversations: a disconnect notice ends the link.
int ClientCallback(unsigned int handle, char *topicName, char *itemName, int xType, int dataFmt,
                   int dataSize, void *dataPtr, void *callbackData);

/// A cell's text as a number: the whole text (blanks around it allowed), in the C notation
/// whatever the user's locale, finite. Nothing otherwise.
std::optional<double> ParseCellNumber(std::string_view text);
/// A cell's text as a row or column index from 1 to `largest`: a whole number. Nothing
/// otherwise.
std::optional<int> ParseCellIndex(std::string_view text, int largest);
