#include "measure/spreadsheet_link.h"

#include "app/state.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "measure/link_record.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr const char *kService = "excel";
constexpr int kPoints = vantrel::kSamples;
constexpr double kCellScale = 100000.0;
constexpr double kRetrySeconds = 0.5;
constexpr double kGiveUpSeconds = 30.0;
constexpr int kStarsPerLine = 23;
constexpr int kReadSize = 1000;
// Largest row and column of a worksheet (xlsx and ods).
constexpr int kLastRow = 1048576;
constexpr int kLastColumn = 16384;

// The load in progress, if any: "Fechar" pressed during it only asks it to give up, since the
// load itself still runs below on the stack.
bool loadRunning = false;
bool cancelRequested = false;

void report(const std::string &text) {
    if (panelhandle > 0) {
        // Whole lines translate here; a line built around a value has its pieces translated.
        SetCtrlVal(panelhandle, PANEL_STATUS, Tr(text.c_str()));
    }
}

/// Why a load stopped short; empty while it goes on.
struct Stop {
    std::string reason;
    bool byUser = false;
};

std::string cellName(int row, int column) {
    std::array<char, 32> name{};
    std::snprintf(name.data(), name.size(), "R%iC%i", row, column);
    return name.data();
}

/// Reads a cell of the worksheet conversation as text, or says why it could not.
bool readCell(const std::string &item, std::string &text, Stop &stop) {
    std::array<char, kReadSize> buffer{};
    status = ClientDDERead(datalink, item.c_str(), CF_TEXT, buffer.data(), kReadSize, 0);
    if (cancelRequested) {
        stop = {QT_TRANSLATE_NOOP("Vantrel", "!!! Carregamento cancelado.\n"), true};
        return false;
    }
    if (status == kDdeDisconnected || status == kDdeBadHandle) {
        // The server went away; its notice may not have been handed out yet.
        stop.reason =
            datalink != 0 ? QT_TRANSLATE_NOOP("Vantrel", "!!! Ligação Desligada!!!\n") : "";
        return false;
    }
    if (status < 0) {
        const std::string why = GetDDEErrorText();
        stop.reason = status == kDdeRefused
                          ? "!!! " + why + "\n"
                          : Tr(QT_TRANSLATE_NOOP("Vantrel", "!!! Célula ")) + item +
                                Tr(QT_TRANSLATE_NOOP("Vantrel", " não lida: ")) + why + "\n";
        return false;
    }
    text = buffer.data();
    return true;
}

bool readNumber(const std::string &item, double &value, Stop &stop) {
    std::string text;
    if (!readCell(item, text, stop)) {
        return false;
    }
    const std::optional<double> number = ParseCellNumber(text);
    if (!number) {
        stop.reason = Tr(QT_TRANSLATE_NOOP("Vantrel", "!!! Célula ")) + item +
                      Tr(QT_TRANSLATE_NOOP("Vantrel", " não contém um número: \"")) + text +
                      "\".\n";
        return false;
    }
    value = *number;
    return true;
}

bool readIndex(const std::string &item, int largest, int &value, Stop &stop) {
    std::string text;
    if (!readCell(item, text, stop)) {
        return false;
    }
    const std::optional<int> index = ParseCellIndex(text, largest);
    if (!index) {
        stop.reason = Tr(QT_TRANSLATE_NOOP("Vantrel", "!!! Célula ")) + item +
                      Tr(QT_TRANSLATE_NOOP("Vantrel", " não contém um número inteiro entre 1 e ")) +
                      std::to_string(largest) + ": \"" + text + "\".\n";
        return false;
    }
    value = *index;
    return true;
}

std::string recordPath() {
    std::array<char, vantrel::kPathSize> directory{};
    if (GetUserFileDir(directory.data(), vantrel::kPathSize) < 0) {
        return std::string();
    }
    return std::string(directory.data()) + "/memo.dat";
}

std::optional<LinkRecord> readRecord() {
    if (path_memo[0] == '\0') {
        return std::nullopt;
    }
    std::ifstream file(path_memo, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    // One byte more than a record, so that a longer file is seen as foreign.
    std::string bytes(kRecordSize + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return ParseLinkRecord(bytes);
}

void copyPath(const std::string &text, char (&target)[vantrel::kPathSize]) {
    const std::size_t length =
        std::min(text.size(), static_cast<std::size_t>(vantrel::kPathSize - 1));
    std::copy_n(text.begin(), length, target);
    target[length] = '\0';
}

void rememberPaths(const std::string &program, const std::string &file) {
    const auto record = BuildLinkRecord(program, file);
    if (!record) {
        report(QT_TRANSLATE_NOOP(
            "Vantrel",
            "... Caminho com mais de 149 caracteres: os caminhos não foram memorizados.\n"));
        return;
    }
    if (path_memo[0] == '\0' ||
        WriteFileAtomically(path_memo, record->data(), static_cast<int>(record->size())) < 0) {
        report(std::string(Tr(QT_TRANSLATE_NOOP(
                   "Vantrel", "... Não foi possível guardar os caminhos em \""))) +
               path_memo + "\".\n");
    }
}

/// Ends the conversations and the program of a load; the panel stays.
void endLink() {
    DisableBreakOnLibraryErrors();
    status = DisconnectFromDDEServer(datalink);
    status = ClientDDEExecute(systemlink, "[CLOSE(0)]", 0);
    status = ClientDDEExecute(systemlink, "[QUIT()]", 0);
    status = DisconnectFromDDEServer(systemlink);
    status = TerminateExecutable(program_handle);
    EnableBreakOnLibraryErrors();
    datalink = systemlink = program_handle = 0;
}

/// Waits for the server to take the worksheet conversation.
bool connectWorksheet(Stop &stop) {
    int stars = 0;
    double waited = 0.0;
    do {
        Delay(kRetrySeconds);
        waited += kRetrySeconds;
        if (cancelRequested) {
            stop = {QT_TRANSLATE_NOOP("Vantrel", "\n!!! Ligação cancelada.\n"), true};
            return false;
        }
        report("  *");
        if (++stars == kStarsPerLine) {
            stars = 0;
            report("\n");
        }
        DisableBreakOnLibraryErrors();
        status = ConnectToDDEServer(&datalink, kService, pathF, ClientCallback, nullptr);
        EnableBreakOnLibraryErrors();
        // A refusal, or a program that cannot speak to any server: waiting will not help.
        if (status == kDdeRefused || status == kDdeNoTransport) {
            stop.reason = std::string("\n!!! ") + GetDDEErrorText() + "\n";
            return false;
        }
        if (status < 0 && ExecutableHasTerminated(program_handle) == 1) {
            stop.reason = std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", "\n!!! O programa \""))) +
                          pathP +
                          Tr(QT_TRANSLATE_NOOP("Vantrel", "\" terminou sem aceitar a ligação.\n"));
            return false;
        }
        if (status < 0 && waited >= kGiveUpSeconds) {
            stop.reason = QT_TRANSLATE_NOOP(
                "Vantrel", "\n!!! O Excel não respondeu em 30 s; verifique os caminhos.\n");
            return false;
        }
    } while (status < 0);
    return true;
}

void connectSystem() {
    status = ConnectToDDEServer(&systemlink, kService, "system", ClientCallback, nullptr);
    if (status < 0) {
        systemlink = 0;
        report(QT_TRANSLATE_NOOP("Vantrel", "!!! A ligação ao Work Sheet falhou.\n"));
        return;
    }
    report(QT_TRANSLATE_NOOP("Vantrel", "... Ligação ao Worksheet com sucesso.\n"));
    SetCtrlAttribute(panelhandle, PANEL_CONNECT, ATTR_DIMMED, 1);
}

/// Reads R6C3 until it holds the number of points; the user may correct the workbook and
/// confirm, or answer no to give up.
bool checkPoints(Stop &stop) {
    std::array<char, 256> message{};
    std::snprintf(
        message.data(), message.size(),
        Tr(QT_TRANSLATE_NOOP(
            "Vantrel", "O número de pontos calculados no ficheiro indicado\nnão corresponde com os "
                       "necessários.\n\nPontos necessários: %d.\n\nConfirmar quando corrigido...")),
        kPoints);
    double points = 0.0;
    while (true) {
        if (!readNumber("R6C3", points, stop)) {
            return false;
        }
        if (points == kPoints) {
            return true;
        }
        if (ConfirmPopup(QT_TRANSLATE_NOOP("Vantrel", "Numero de pontos!"), message.data()) != 1) {
            stop.reason = QT_TRANSLATE_NOOP(
                "Vantrel", "!!! Número de pontos diferente de 600: carregamento abandonado.\n");
            return false;
        }
        if (cancelRequested) {
            stop = {QT_TRANSLATE_NOOP("Vantrel", "!!! Carregamento cancelado.\n"), true};
            return false;
        }
    }
}

/// Reads the samples and the frequency into scratch storage and commits them only whole.
bool readSignal(Stop &stop) {
    int column = 0;
    int firstRow = 0;
    if (!readIndex("R8C3", kLastColumn, column, stop) ||
        !readIndex("R9C3", kLastRow - kPoints + 1, firstRow, stop)) {
        return false;
    }
    std::array<double, kPoints> samples{};
    for (int i = 0; i < kPoints; ++i) {
        if (!readNumber(cellName(firstRow + i, column), samples[i], stop)) {
            return false;
        }
        samples[i] /= kCellScale;
    }
    double frequency = 0.0;
    if (!readNumber("R4C4", frequency, stop)) {
        return false;
    }
    std::copy(samples.begin(), samples.end(), onda_E[CanalE]);
    freq_E[CanalE] = frequency / kCellScale;
    return true;
}

/// The load after the program was started: true when the signal was stored.
bool load(Stop &stop) {
    report(QT_TRANSLATE_NOOP("Vantrel", "??? A tentar ligar ao Excel...\n    AGUARDE.\n"));
    if (!connectWorksheet(stop)) {
        return false;
    }
    report(QT_TRANSLATE_NOOP("Vantrel", "\n... Ligação ao Excel com sucesso.\n"));
    connectSystem();
    status = SetUpDDEHotLink(datalink, "R5C2", CF_TEXT, 5000);
    if (status < 0) {
        std::printf("SetUpDDEHotLink Failed, %d\n", status);
        std::fflush(stdout);
    }
    return checkPoints(stop) && readSignal(stop);
}

} // namespace

std::optional<double> ParseCellNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const char *end = text.data() + text.size();
    const auto [stopped, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stopped != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseCellIndex(std::string_view text, int largest) {
    const std::optional<double> value = ParseCellNumber(text);
    if (!value || *value != std::floor(*value) || *value < 1.0 || *value > largest) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

int iniciar_excel(int channel) {
    CanalE = channel;
    copyPath(recordPath(), path_memo);
    return main_excel();
}

int main_excel() {
    panelhandle = LoadPanel(0, "ddedemo.uir", PANEL);
    if (panelhandle < 0) {
        panelhandle = 0;
        return -1;
    }
    SetPanelPos(panelhandle, VAL_AUTO_CENTER, VAL_AUTO_CENTER);

    // Without a record: the installed spreadsheet server and the folder of the templates.
    std::array<char, vantrel::kPathSize> helpers{};
    std::array<char, vantrel::kPathSize> resources{};
    GetHelperProgramDir(helpers.data());
    GetResourceDir(resources.data());
    std::string file = std::string(resources.data()) + "/Excel/";
    std::string program = std::string(helpers.data()) + "/sheetserver";
    if (const std::optional<LinkRecord> record = readRecord()) {
        program = record->program;
        file = record->file;
    }
    copyPath(program, pathP);
    SetCtrlVal(panelhandle, PANEL_PATH_fich, file.c_str());
    SetCtrlVal(panelhandle, PANEL_PATH, pathP);
    InstallPopup(panelhandle);
    return 0;
}

int path_excel(int panel, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT || loadRunning) {
        return 0;
    }
    GetCtrlVal(panel, PANEL_PATH, pathP);
    std::array<char, vantrel::kPathSize> chosen{};
    // Extensions are not restricted: programs here have none, and workbooks come in four
    // formats.
    if (FileSelectPopup(pathP, "*.exe", "", "Executavel do Microsoft Excel", VAL_OK_BUTTON, 0, 0, 1,
                        0, chosen.data()) > 0) {
        SetCtrlVal(panel, PANEL_PATH, chosen.data());
    }
    return 0;
}

int path_fich(int panel, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT || loadRunning) {
        return 0;
    }
    GetCtrlVal(panel, PANEL_PATH_fich, pathF);
    std::array<char, vantrel::kPathSize> chosen{};
    if (FileSelectPopup(pathF, "*.xls", "", "", VAL_OK_BUTTON, 0, 0, 1, 0, chosen.data()) > 0) {
        SetCtrlVal(panel, PANEL_PATH_fich, chosen.data());
    }
    return 0;
}

int arrancar_excel() {
    std::string program;
    std::string file;
    GetCtrlVal(panelhandle, PANEL_PATH, &program);
    GetCtrlVal(panelhandle, PANEL_PATH_fich, &file);
    if (program.size() >= vantrel::kPathSize || file.size() >= vantrel::kPathSize) {
        report(QT_TRANSLATE_NOOP(
            "Vantrel", "!!! Caminho com mais de 259 caracteres: use um caminho mais curto.\n"));
        return -1;
    }
    if (program.empty() || file.empty()) {
        report(QT_TRANSLATE_NOOP("Vantrel", "!!! Indique o programa e o ficheiro.\n"));
        return -1;
    }
    copyPath(program, pathP);
    copyPath(file, pathF);
    rememberPaths(program, file);

    const std::string commandLine =
        QuoteCommandWord(program, false) + " " + QuoteCommandWord(file, true);
    copyPath(commandLine.size() < vantrel::kPathSize ? commandLine : std::string(), path);
    if (LaunchExecutableEx(commandLine.c_str(), 2, &program_handle) < 0) {
        program_handle = 0;
        report(Tr(QT_TRANSLATE_NOOP("Vantrel", "!!! Não foi possível iniciar o programa \"")) +
               program + "\".\n");
        return -1;
    }
    return 0;
}

int ConnectToExcel(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT || loadRunning) {
        return 0;
    }
    loadRunning = true;
    cancelRequested = false;
    Stop stop;
    if (arrancar_excel() == 0) {
        if (load(stop)) {
            report(QT_TRANSLATE_NOOP("Vantrel", "... Dados Carregados com Sucesso.\n"));
            loadRunning = false;
            fechar_excel();
            return 0;
        }
        report(stop.reason);
        if (!stop.byUser) {
            report(QT_TRANSLATE_NOOP(
                "Vantrel", "!!! Dados não carregados; o sinal do canal não foi alterado.\n"));
        }
        endLink();
    }
    loadRunning = false;
    if (stop.byUser) {
        fechar_excel();
    } else {
        SetCtrlAttribute(panelhandle, PANEL_CONNECT, ATTR_DIMMED, 0);
    }
    return 0;
}

void fechar_excel() {
    report(QT_TRANSLATE_NOOP("Vantrel", "Closing Worksheet...\n"));
    report(QT_TRANSLATE_NOOP("Vantrel", "Quiting Excel...\n"));
    endLink();
    if (panelhandle > 0) {
        DiscardPanel(panelhandle);
    }
    panelhandle = 0;
}

int Shutdown(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    if (loadRunning) {
        cancelRequested = true;
        return 0;
    }
    fechar_excel();
    return 0;
}

int ClientCallback(unsigned int handle, char *, char *, int xType, int, int, void *, void *) {
    if (xType != DDE_DISCONNECT) {
        return 0;
    }
    // Only the conversations of the link in progress; a late notice of an ended one is old news.
    const int conversation = static_cast<int>(handle);
    if (conversation <= 0 || (conversation != datalink && conversation != systemlink)) {
        return 0;
    }
    report(QT_TRANSLATE_NOOP("Vantrel", "!!! Ligação Desligada!!!\n"));
    DisconnectFromDDEServer(datalink);
    DisconnectFromDDEServer(systemlink);
    datalink = systemlink = 0;
    return 0;
}
