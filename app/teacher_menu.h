#pragma once
/// The teacher's items of the "Ficheiro" menu: "Resultados…", which collects the students'
/// result files into one table, and "Criar exercício…".

#include <string>
#include <vector>

/// Reads the result files `ficheiros`, writes their collected table to `destino` (nothing is
/// written when it is empty) and shows a summary: each student's right answers and every file
/// skipped with its fault. Returns the number of students collected, or -1 when no file could
/// be used or the table could not be written.
int recolhe_resultados(const std::vector<std::string> &ficheiros, const std::string &destino);

/// Menu item "Resultados…": choosing the files, then where the table goes.
void Resultados_ex(int menuBar, int menuItem, void *callbackData, int panel);

/// Menu item "Criar exercício…": the dialog in which the teacher adds tasks, chooses what the
/// student does not see and which settings each student gets drawn, then saves the exercise
/// with the instrument's settings as they are.
void Criar_ex(int menuBar, int menuItem, void *callbackData, int panel);

/// The dialog's buttons: add or remove a task or a randomised setting, save, cancel.
int criar_juntar_tarefa(int panel, int control, int event, void *callbackData, int eventData1,
                        int eventData2);
int criar_retirar_tarefa(int panel, int control, int event, void *callbackData, int eventData1,
                         int eventData2);
int criar_juntar_sorteio(int panel, int control, int event, void *callbackData, int eventData1,
                         int eventData2);
int criar_retirar_sorteio(int panel, int control, int event, void *callbackData, int eventData1,
                          int eventData2);
int criar_guardar(int panel, int control, int event, void *callbackData, int eventData1,
                  int eventData2);
int criar_cancelar(int panel, int control, int event, void *callbackData, int eventData1,
                   int eventData2);
