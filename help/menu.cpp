#include "help/menu.h"

#include <filesystem>
#include <system_error>

#include "app/state.h"
#include "app/version.h"
#include "engine/engine.h"
#include "engine/language.h"
#include "engine/translate.h"
#include "ui/uir_constants.h"

namespace {

constexpr int kCaptureHeight = 500;
constexpr int kCaptureWidth = 666;

} // namespace

std::string ProgramWebPage() {
    char directory[vantrel::kPathSize] = {};
    GetResourceDir(directory);
    const std::string docs = std::string(directory) + "/docs/";
    // The English manual lives in its own folder; without it the Portuguese one still helps.
    if (CurrentUiLanguage() == UiLanguage::English) {
        const std::string english = docs + "en/index.html";
        std::error_code error;
        if (std::filesystem::is_regular_file(english, error)) {
            return "file://" + english;
        }
    }
    return "file://" + docs + "index.html";
}

void abrir_page(int, int, void *, int) {
    InetLaunchDefaultWebBrowser(ProgramWebPage().c_str());
}

void exibir_acerca(int, int, void *, int) {
    SetCtrlAttribute(Painel_Acerca, ACERCA_FECHAR, ATTR_VISIBLE, 1);
    InstallPopup(Painel_Acerca);
}

void prepara_acerca() {
    constexpr const char *kVersion = "v" VANTREL_VERSION;
    std::string title;
    GetCtrlVal(Painel_Acerca, ACERCA_TEXTMSG, &title);
    // The title gets the version appended, so it is put in the program's language first.
    SetCtrlVal(Painel_Acerca, ACERCA_TEXTMSG,
               (std::string(Tr(title.c_str())) + " " + kVersion).c_str());
    SetCtrlVal(Painel_Acerca, ACERCA_TEXTMSG_15, kVersion);
    centra_acerca();
}

void centra_acerca() {
    int height = 0;
    int width = 0;
    int boxHeight = 0;
    int boxWidth = 0;
    GetPanelAttribute(Painel_Principal, ATTR_HEIGHT, &height);
    GetPanelAttribute(Painel_Principal, ATTR_WIDTH, &width);
    GetPanelAttribute(Painel_Acerca, ATTR_HEIGHT, &boxHeight);
    GetPanelAttribute(Painel_Acerca, ATTR_WIDTH, &boxWidth);
    SetPanelPos(Painel_Acerca, (height - boxHeight) / 2, (width - boxWidth) / 2);
}

int fecha_acerca(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        RemovePopup(0);
        SetCtrlAttribute(Painel_Acerca, ACERCA_FECHAR, ATTR_VISIBLE, 0);
    }
    return 0;
}

void Cap_Clip(int, int, void *, int) {
    int bitmap = 0;
    if (GetCtrlDisplayBitmap(Painel_Principal, PANEL_MOSTRAR, 0, &bitmap) == 0) {
        ClipboardPutBitmap(bitmap);
        DiscardBitmap(bitmap);
    }
}

void Cap_Fich(int, int, void *, int) {
    char directory[vantrel::kPathSize] = {};
    char chosen[vantrel::kPathSize] = {};
    // The program's folder when the user may write there, otherwise the pictures folder.
    GetCaptureDir(directory);
    // The picture is written in the format its name's extension says.
    const int answer = FileSelectPopup(directory, "ecra osciloscopio.jpg", "*.jpg;*.png;*.bmp",
                                       QT_TRANSLATE_NOOP("Vantrel", "Guardar ecrã"),
                                       VAL_SAVE_BUTTON, 0, 1, 1, 1, chosen);
    if (answer <= 0) {
        return;
    }
    // A capture that could not be written must not look like one that was.
    if (SaveCtrlDisplayToFile(Painel_Principal, PANEL_MOSTRAR, 0, kCaptureHeight, kCaptureWidth,
                              chosen) != 0) {
        MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Guardar ecrã"),
                     QT_TRANSLATE_NOOP("Vantrel",
                                       "Não foi possível escrever o ficheiro escolhido.\n"
                                       "Verifique a pasta e as permissões e tente de novo."));
    }
}
