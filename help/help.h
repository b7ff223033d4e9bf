#pragma once
/// Context help: a right click on a command opens its page in a modal help panel, which pages
/// through the whole book with wrap-around, opens the program's manual and closes.

/// Number of pages of the oscilloscope book and of the generator book.
inline constexpr int kPaginasOsciloscopio = 24;
inline constexpr int kPaginasGerador = 14;

/// Opens page `page` (1 to 24) of the oscilloscope help book on a fresh help panel. Returns 0,
/// or -1 when the help panel cannot be loaded (then nothing is shown).
int help_O(int page);
/// Opens page `page` (1 to 14) of the generator help book. Returns 0, or -1 when the help panel
/// cannot be loaded.
int help_G(int page);

/// Shows page `page` of the oscilloscope book on the help panel in place. The page number is
/// always recorded; a page outside the book changes nothing else.
void mostra_ajuda(int page);
/// The same for the generator book.
void mostra_ajudaG(int page);

/// Buttons of the oscilloscope help panel (commit only): previous and next page with
/// wrap-around, close (discards the panel), and the program's manual in the browser.
int aj_ant(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int aj_seg(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int fechar_ajuda(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);
int abrir_pag(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);

/// The same buttons on the generator help panel.
int ajG_ant(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int ajG_seg(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int fechar_ajudaG(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);
int abrir_pagG(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
