#pragma once
/// Opening and saving set-up files from the "Ficheiro" menu, the command line and the window,
/// the window title that names the open file, and the question before quitting.

#include <string>

/// Remembers the start-up state (what a field missing from an older file takes) and the
/// window's title; no set-up is open. Lists the recent set-ups in the "Ficheiro" menu and lets
/// the user drop a set-up file on the window. Called once, after the instrument's start-up
/// values are set.
void prepara_configuracoes();

/// Opens the set-up file at `caminho`: the whole instrument takes it, panels, lamps and
/// generators included, as if the user had set it. A file that cannot be read or is not a
/// valid set-up gives one message naming the file and the field at fault and changes nothing.
/// Returns 0, or -1 when nothing was opened.
int abre_configuracao(const char *caminho);

/// Writes the instrument's settings to `caminho` in one step (a failure leaves the old file).
/// Returns 0, or -1 after a message when the file could not be written.
int guarda_configuracao(const char *caminho);

/// Opens `caminho` as the user asked for it (a recent set-up, a dropped file, the open dialog):
/// after asking, when the open set-up has unsaved changes.
void Abrir_config_em(const std::string &caminho);

/// True when a set-up was opened or saved and a setting changed since then.
bool configuracao_alterada();

/// The quit question of the SAIR button and of "Sair": names the set-up's unsaved changes when
/// there are any. True when the user confirmed.
bool confirma_saida();

/// Menu items "Abrir configuração…" and "Guardar configuração…": the file dialog, then the
/// file.
void Abrir_config(int menuBar, int menuItem, void *callbackData, int panel);
void Guardar_config(int menuBar, int menuItem, void *callbackData, int panel);
