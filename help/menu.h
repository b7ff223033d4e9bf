#pragma once
/// The main panel's menu bar commands and the about box's close button.

#include <string>

/// "Página Oficial": opens the program's manual, in the program's language, in the default
/// browser.
void abrir_page(int menuBar, int menuItem, void *callbackData, int panel);
/// "Acerca": shows the about box with its close button.
void exibir_acerca(int menuBar, int menuItem, void *callbackData, int panel);
/// "Capturar para Clipboard": puts the screen's picture on the clipboard.
void Cap_Clip(int menuBar, int menuItem, void *callbackData, int panel);
/// "Capturar para Ficheiro": writes the screen's picture, 666 x 500, as a JPEG, PNG or BMP file
/// as the chosen name's extension says; says so when the file cannot be written.
void Cap_Fich(int menuBar, int menuItem, void *callbackData, int panel);

/// Readies the about box once loaded: writes the program's version into its title and version
/// lines and centres it on the main panel.
void prepara_acerca();
/// Places the about box in the middle of the main panel.
void centra_acerca();

/// The about box's "Fechar": hides the box and its button again.
int fecha_acerca(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);

/// Address of the program's web page (its manual, installed beside the program), in the
/// program's language: the English manual (docs/en/) when English, if it is installed.
std::string ProgramWebPage();
