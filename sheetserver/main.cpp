// sheetserver <workbook>: serves the first sheet of a workbook to the simulator's data link, in
// the place of a spreadsheet program. Ends on "[QUIT()]", on SIGTERM, or after ten minutes
// without any connection.

#include "sheetserver/server.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

namespace {

/// The idle time can be shortened through the environment so that tests need not wait.
std::chrono::milliseconds idleTime() {
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("VANTREL_SHEETSERVER_IDLE_SECONDS", &ok);
    return std::chrono::seconds(ok && seconds > 0 ? seconds : 600);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: sheetserver <livro .xls, .xlsx, .ods ou .csv>\n");
        return 2;
    }
    sheetserver::SheetServer server(argv[1], idleTime());
    const QString socketPath = sheetserver::socketPathForService(QStringLiteral("excel"));
    QString reason;
    if (!server.listen(socketPath, reason)) {
        std::fprintf(stderr, "sheetserver: não foi possível escutar em %s: %s\n",
                     qPrintable(socketPath), qPrintable(reason));
        return 2;
    }
    server.endOnTerminationSignals();
    return app.exec();
}
