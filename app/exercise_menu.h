#pragma once
/// The student's side of an exercise: opening a `.vantrel-ex` file (menu "Ficheiro", command
/// line, a drop on the window), the student's name, the instrument set up with that student's
/// settings and the hidden features, the exercise panel that checks each answer, and the
/// result file (CSV) that records every answer.

#include <string>

/// No exercise open and no panel loaded yet. Called once, after the instrument's start-up
/// values are set.
void prepara_exercicios();

/// True when `caminho` names an exercise file (".vantrel-ex").
bool e_exercicio(const std::string &caminho);

/// Reads and checks the exercise at `caminho`, then asks the student's name. A file that
/// cannot be read or is not a valid exercise gives one message naming the file and the field,
/// and changes nothing. Returns 0 when the name is being asked, -1 otherwise.
int abre_exercicio(const char *caminho);

/// Starts the exercise read last for student `aluno`: the set-up with the student's drawn
/// settings, the hidden features, the exercise panel. When a task's true value cannot be
/// computed, says which and why and leaves the instrument as it was. Returns 0 or -1.
int comeca_exercicio(const std::string &aluno);

/// Closes the exercise: every hidden feature shown again, the panel gone. The instrument keeps
/// its settings.
void fecha_exercicio();

/// Checks the student's `texto` for task `tarefa` (0-based) as "Verificar" does, records it in
/// the result file and shows the feedback. Returns 1 right, 0 wrong, -1 not an answer.
int verifica_resposta(int tarefa, const std::string &texto);

/// Where the answers are written; empty while no exercise is open.
std::string ficheiro_de_respostas();

/// The exercise panel and the name question (0 while not loaded).
int painel_exercicio();
int painel_nome_aluno();

/// Menu item "Abrir exercício…": the file dialog, then the file.
void Abrir_exercicio(int menuBar, int menuItem, void *callbackData, int panel);

/// Callbacks of "exercicio_aluno.uir".
int ex_tarefa(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
int ex_verificar(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);
int ex_escolher_ficheiro(int panel, int control, int event, void *callbackData, int eventData1,
                         int eventData2);
int ex_fechar(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
int ex_comecar(int panel, int control, int event, void *callbackData, int eventData1,
               int eventData2);
int ex_cancelar(int panel, int control, int event, void *callbackData, int eventData1,
                int eventData2);
