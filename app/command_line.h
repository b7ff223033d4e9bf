#pragma once
/// The program's command line, read before any window exists: help, the version and a refused
/// option need no display. Every option is one row of the table in command_line.cpp.

#include <QString>
#include <QStringList>

#include <optional>

/// What one command line asks for; a value option not given is an empty string.
struct CommandLine {
    bool help = false;         ///< -h, --help: print the usage and end
    bool version = false;      ///< -v, --version: print the version and end
    bool noSplash = false;     ///< --no-splash: no about box at start
    bool checkInstall = false; ///< --check-install: check the installation and end
    bool afterglow = false;    ///< --afterglow: the phosphor keeps a fading trace
    QString powerOn;           ///< --power-on MODE: switched on in a display mode at start
    QString screenshot;        ///< --screenshot FILE: the main window to a PNG, then end
    QString language;          ///< --lang pt|en: the language of this run (not remembered)
    QString qtPlatform;        ///< Qt's own -platform NAME, left for Qt
    QString qtDisplay;         ///< Qt's own -display NAME (X11), left for Qt
    QString setupFile;         ///< FILE.vantrel: a set-up to open at start
    QString refusal; ///< not empty: why the command line is refused (nothing else then counts)
};

/// Reads `arguments`, the program's name first. Qt's own options (-platform, -display, -style,
/// -reverse, ...) are accepted and left for Qt; one argument that is no option names a set-up
/// file; anything else unknown, a missing or unexpected value and a second such argument are
/// refused with a line that names the argument.
CommandLine ParseCommandLine(const QStringList &arguments);

/// The text that --help prints: usage and one line per option.
QString CommandLineUsage();

/// The line that --version prints.
QString CommandLineVersion();

/// Answers the command lines that end before any window: prints the usage or the version to
/// standard output (status 0), or the refusal and a hint to standard error (status 2).
/// Empty when the program is to start.
std::optional<int> AnswerWithoutWindow(const CommandLine &line);

/// Chooses Qt's offscreen platform for the commands that need no screen (--check-install,
/// --screenshot) when neither a display nor a platform is set, as over ssh or in CI. Must run
/// before the application object exists.
void ChooseHeadlessPlatform(const CommandLine &line);
