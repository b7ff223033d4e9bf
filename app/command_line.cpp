#include "app/command_line.h"

#include "app/version.h"
#include "engine/translate.h"

#include <QCommandLineParser>

#include <array>
#include <cstdio>

namespace {

/// One option. A row without a description is one of Qt's own options: accepted, not listed.
struct OptionRow {
    const char *shortName;   ///< one letter, or nullptr
    const char *longName;    ///< the name after "--"
    const char *valueName;   ///< nullptr for a switch
    const char *description; ///< the line of the usage; nullptr for Qt's own options
    bool CommandLine::*flag = nullptr;
    QString CommandLine::*value = nullptr;
};

const std::array kOptions{
    OptionRow{"h", "help", nullptr, QT_TRANSLATE_NOOP("Vantrel", "mostra esta ajuda e termina"),
              &CommandLine::help},
    OptionRow{"v", "version", nullptr, QT_TRANSLATE_NOOP("Vantrel", "mostra a versão e termina"),
              &CommandLine::version},
    OptionRow{nullptr, "no-splash", nullptr,
              QT_TRANSLATE_NOOP("Vantrel", "arranca sem mostrar a janela «Acerca»"),
              &CommandLine::noSplash},
    OptionRow{nullptr, "power-on", QT_TRANSLATE_NOOP("Vantrel", "MODO"),
              QT_TRANSLATE_NOOP("Vantrel", "arranca ligado no modo MODO: ch, dual, alt, add ou xy"),
              nullptr, &CommandLine::powerOn},
    OptionRow{
        nullptr, "screenshot", QT_TRANSLATE_NOOP("Vantrel", "FICHEIRO"),
        QT_TRANSLATE_NOOP("Vantrel",
                          "grava a janela principal em FICHEIRO (PNG) após um segundo e termina"),
        nullptr, &CommandLine::screenshot},
    OptionRow{nullptr, "check-install", nullptr,
              QT_TRANSLATE_NOOP(
                  "Vantrel", "verifica a instalação e termina (estado 0: completa; 1: com falhas)"),
              &CommandLine::checkInstall},
    OptionRow{
        nullptr, "lang", QT_TRANSLATE_NOOP("Vantrel", "IDIOMA"),
        QT_TRANSLATE_NOOP("Vantrel", "fala IDIOMA nesta execução: pt ou en (não fica memorizado)"),
        nullptr, &CommandLine::language},
    OptionRow{nullptr, "afterglow", nullptr,
              QT_TRANSLATE_NOOP("Vantrel", "o fósforo do ecrã guarda um rasto que se desvanece"),
              &CommandLine::afterglow},
    // Qt's own options: QApplication takes them from the command line.
    OptionRow{nullptr, "platform", "VALOR", nullptr, nullptr, &CommandLine::qtPlatform},
    OptionRow{nullptr, "display", "VALOR", nullptr, nullptr, &CommandLine::qtDisplay},
    OptionRow{nullptr, "platformtheme", "VALOR", nullptr},
    OptionRow{nullptr, "platformpluginpath", "VALOR", nullptr},
    OptionRow{nullptr, "plugin", "VALOR", nullptr},
    OptionRow{nullptr, "style", "VALOR", nullptr},
    OptionRow{nullptr, "stylesheet", "VALOR", nullptr},
    OptionRow{nullptr, "qwindowgeometry", "VALOR", nullptr},
    OptionRow{nullptr, "qwindowtitle", "VALOR", nullptr},
    OptionRow{nullptr, "reverse", nullptr, nullptr},
};

QStringList namesOf(const OptionRow &row) {
    QStringList names;
    if (row.shortName != nullptr) {
        names << QString::fromUtf8(row.shortName);
    }
    names << QString::fromUtf8(row.longName);
    return names;
}

/// "--power-on=dual" -> "power-on"; empty for anything that is not an option.
QString optionName(const QString &argument) {
    if (!argument.startsWith(u'-') || argument == u"-" || argument == u"--") {
        return {};
    }
    QString name = argument.mid(argument.startsWith(u"--") ? 2 : 1);
    return name.left(name.indexOf(u'='));
}

/// The argument as the user typed it (without a value), for the message that names it.
QString spelledAs(const QStringList &arguments, const QString &name) {
    for (const QString &argument : arguments.mid(1)) {
        if (optionName(argument) == name) {
            return argument.left(argument.indexOf(u'='));
        }
    }
    return QStringLiteral("--") + name;
}

const OptionRow *rowNamed(const QString &name) {
    for (const OptionRow &row : kOptions) {
        if (namesOf(row).contains(name)) {
            return &row;
        }
    }
    return nullptr;
}

/// Why QCommandLineParser refused the line, in the program's words: an unknown option, a value
/// given to a switch, or an option whose value is missing at the end of the line.
QString parseRefusal(const QCommandLineParser &parser, const QStringList &arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        return QString::fromUtf8(Tr(QT_TRANSLATE_NOOP("Vantrel", "opção desconhecida: %1")))
            .arg(spelledAs(arguments, unknown.first()));
    }
    for (const QString &argument : arguments.mid(1)) {
        const OptionRow *row = rowNamed(optionName(argument));
        if (row != nullptr && row->valueName == nullptr && argument.contains(u'=')) {
            return QString::fromUtf8(Tr(QT_TRANSLATE_NOOP("Vantrel", "a opção %1 não leva valor")))
                .arg(argument.left(argument.indexOf(u'=')));
        }
    }
    return QString::fromUtf8(Tr(QT_TRANSLATE_NOOP("Vantrel", "a opção %1 precisa de um valor")))
        .arg(arguments.last());
}

CommandLine refused(const QString &why) {
    CommandLine line;
    line.refusal = why;
    return line;
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    // Single-dash words are whole options, as Qt's own "-platform" is.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionRow &row : kOptions) {
        QCommandLineOption option(namesOf(row));
        if (row.valueName != nullptr) {
            option.setValueName(QString::fromUtf8(row.valueName));
        }
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        return refused(parseRefusal(parser, arguments));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return refused(
            QString::fromUtf8(Tr(QT_TRANSLATE_NOOP("Vantrel", "argumento inesperado: %1")))
                .arg(files[1]));
    }
    CommandLine line;
    line.setupFile = files.value(0);
    for (const OptionRow &row : kOptions) {
        const QString name = QString::fromUtf8(row.longName);
        if (!parser.isSet(name)) {
            continue;
        }
        if (row.flag != nullptr) {
            line.*row.flag = true;
        }
        if (row.value != nullptr) {
            line.*row.value = parser.value(name);
            if ((line.*row.value).isEmpty()) {
                return refused(QString::fromUtf8(Tr(QT_TRANSLATE_NOOP(
                                                     "Vantrel", "a opção %1 precisa de um valor")))
                                   .arg(spelledAs(arguments, name)));
            }
        }
    }
    if (!line.language.isEmpty() && line.language != u"pt" && line.language != u"en") {
        return refused(QString::fromUtf8(Tr(QT_TRANSLATE_NOOP(
                                             "Vantrel", "a opção --lang aceita pt ou en, não %1")))
                           .arg(line.language));
    }
    return line;
}

QString CommandLineUsage() {
    QString text = QString::fromUtf8(
        Tr(QT_TRANSLATE_NOOP("Vantrel", "Utilização: vantrel [opções] [FICHEIRO.vantrel]\n"
                                        "Simulador didático de um osciloscópio analógico de dois "
                                        "canais com dois geradores de funções.\n\nOpções:\n")));
    for (const OptionRow &row : kOptions) {
        if (row.description == nullptr) {
            continue;
        }
        QString names =
            row.shortName != nullptr
                ? QStringLiteral("-%1, --%2")
                      .arg(QString::fromUtf8(row.shortName), QString::fromUtf8(row.longName))
                : QStringLiteral("--%1").arg(QString::fromUtf8(row.longName));
        if (row.valueName != nullptr) {
            names += u' ' + QString::fromUtf8(Tr(row.valueName));
        }
        text += QStringLiteral("  %1  %2\n")
                    .arg(names, -22)
                    .arg(QString::fromUtf8(Tr(row.description)));
    }
    text += QString::fromUtf8(
        Tr(QT_TRANSLATE_NOOP("Vantrel", "\nSem ecrã (sem DISPLAY nem WAYLAND_DISPLAY), "
                                        "--check-install e --screenshot trabalham\nsem janela "
                                        "visível.\n")));
    return text;
}

QString CommandLineVersion() {
    return QStringLiteral("vantrel %1\n").arg(QStringLiteral(VANTREL_VERSION));
}

std::optional<int> AnswerWithoutWindow(const CommandLine &line) {
    if (!line.refusal.isEmpty()) {
        std::fprintf(stderr,
                     Tr(QT_TRANSLATE_NOOP(
                         "Vantrel", "vantrel: %s\nUse «vantrel --help» para ver as opções.\n")),
                     qPrintable(line.refusal));
        return 2;
    }
    if (line.help || line.version) {
        const QString text = line.help ? CommandLineUsage() : CommandLineVersion();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    return std::nullopt;
}

void ChooseHeadlessPlatform(const CommandLine &line) {
    const bool headlessCommand = line.checkInstall || !line.screenshot.isEmpty();
    const bool screenNamed = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                             !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                             !line.qtDisplay.isEmpty();
    const bool platformChosen =
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !line.qtPlatform.isEmpty();
    if (headlessCommand && !screenNamed && !platformChosen) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}
