#pragma once
/// Opening and saving set-up files from the "Ficheiro" menu, the command line and the window,
/// the window title that names the open file, and the question before quitting.

#include "setup/setup_file.h"

#include <cstddef>
#include <optional>
#include <string>

/// Remembers the start-up state (what a field missing from an older file takes) and the
/// window's title; no set-up is open. Lists the recent set-ups in the "Ficheiro" menu and lets
/// the user drop a set-up file on the window. Called once, after the instrument's start-up
/// values are set.
void prepara_configuracoes();

/// The settings now, those that only the panels keep (CH I/II button, read-out rings) included.
setup::Valores configuracao_actual();

/// The start-up settings, which a file of an older format takes for what it lacks.
const setup::Valores &configuracao_inicial();

/// Takes `valores` into the globals and brings every panel into line, as the user would have.
void aplica_configuracao(const setup::Valores &valores);

/// The file's bytes, at most one more than `limite`, so that a huge file is never read whole
/// (the caller refuses one that long); none when it cannot be read.
std::optional<std::string> le_ficheiro_limitado(const char *caminho, std::size_t limite);

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

/// The file name of a path, and its folder ("" for none).
std::string nome_base(const std::string &caminho);
std::string pasta_de(const std::string &caminho);

/// True when a set-up was opened or saved and a setting changed since then.
bool configuracao_alterada();

/// The quit question of the SAIR button and of "Sair": names the set-up's unsaved changes when
/// there are any. True when the user confirmed.
bool confirma_saida();

/// Menu items "Abrir configuração…" and "Guardar configuração…": the file dialog, then the
/// file.
void Abrir_config(int menuBar, int menuItem, void *callbackData, int panel);
void Guardar_config(int menuBar, int menuItem, void *callbackData, int panel);
