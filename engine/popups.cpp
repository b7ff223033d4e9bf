// The pop-ups that wait for an answer, and the beep.
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "engine/model.h"
#include "engine/operation_support.h"
#include "engine/translate.h"
#include "engine/translators.h"
#include "engine/view_format.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

void recordPopup(const char *title, const char *message) {
    EngineState &engine = Engine();
    ++engine.popupCount;
    engine.lastPopupTitle = title != nullptr ? title : "";
    engine.lastPopupMessage = message != nullptr ? message : "";
}

/// Lets the test's pop-up handler answer, from inside a nested event loop as a pop-up window
/// would run one: timers keep ticking and windows keep painting while the handler works.
std::optional<EnginePopupAnswer> handlerAnswer(EnginePopupKind kind, const char *title,
                                               const char *message) {
    // A copy: the handler may install another one while it runs.
    const EnginePopupHandler handler = Engine().popupHandler;
    if (!handler) {
        return std::nullopt;
    }
    const std::string titleText = title != nullptr ? title : "";
    const std::string messageText = message != nullptr ? message : "";
    if (QCoreApplication::instance() == nullptr) {
        return handler(kind, titleText, messageText);
    }
    EnginePopupAnswer answer;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        answer = handler(kind, titleText, messageText);
        loop.quit();
    });
    loop.exec();
    return answer;
}

} // namespace

int ConfirmPopup(const char *sourceTitle, const char *sourceMessage) {
    EngineState &engine = Engine();
    // Shown, recorded and handed to a test's handler in the program's language.
    const char *title = Tr(sourceTitle);
    const char *message = Tr(sourceMessage);
    recordPopup(title, message);
    if (const auto answer = handlerAnswer(EnginePopupKind::Confirm, title, message)) {
        return answer->confirm != 0 ? 1 : 0;
    }
    if (!engine.confirmAnswers.empty()) {
        const int answer = engine.confirmAnswers.front();
        engine.confirmAnswers.pop_front();
        return answer != 0 ? 1 : 0;
    }
    if (Headless()) {
        return 0; // nobody can answer: the safe answer is no
    }
    QMessageBox box(QMessageBox::Question, QText(title), QText(message));
    QPushButton *yes =
        box.addButton(ShownText(QT_TRANSLATE_NOOP("Vantrel", "Sim")), QMessageBox::YesRole);
    QPushButton *no =
        box.addButton(ShownText(QT_TRANSLATE_NOOP("Vantrel", "Não")), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no); // Escape answers no, the safe answer
    box.exec();
    return box.clickedButton() == yes ? 1 : 0;
}

int MessagePopup(const char *sourceTitle, const char *sourceMessage) {
    EngineState &engine = Engine();
    // Shown, recorded and handed to a test's handler in the program's language.
    const char *title = Tr(sourceTitle);
    const char *message = Tr(sourceMessage);
    recordPopup(title, message);
    if (handlerAnswer(EnginePopupKind::Message, title, message)) {
        return kEngineOk;
    }
    if (!engine.confirmAnswers.empty()) {
        engine.confirmAnswers.pop_front();
        return kEngineOk;
    }
    if (Headless()) {
        return kEngineOk;
    }
    QMessageBox box(QMessageBox::Information, QText(title), QText(message));
    box.exec();
    return kEngineOk;
}

int FileSelectPopup(const char *defaultDirectory, const char *defaultFileSpec,
                    const char *fileTypeList, const char *title, int buttonLabel, int,
                    int restrictExtension, int, int, char pathOut[260]) {
    EngineState &engine = Engine();
    engine.lastFileDialogDirectory = defaultDirectory != nullptr ? defaultDirectory : "";
    std::optional<std::string> chosen;
    if (const auto answer = handlerAnswer(EnginePopupKind::FileSelect, title, defaultFileSpec)) {
        chosen = answer->path;
    } else if (!engine.fileAnswers.empty()) {
        chosen = engine.fileAnswers.front();
        engine.fileAnswers.pop_front();
    } else if (!Headless()) {
        const QString definition = QText(defaultFileSpec);
        const QString suffix = QFileInfo(definition).suffix();
        // The types offered, one filter each ("*.jpg;*.png;*.bmp"), or the default's own.
        QStringList filters = QText(fileTypeList).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (filters.isEmpty() && restrictExtension != 0 && !suffix.isEmpty() && suffix != "*") {
            filters << QStringLiteral("*.") + suffix;
        }
        const QString filter = filters.join(QStringLiteral(";;"));
        const QString start =
            QDir(QText(defaultDirectory)).filePath(definition.contains('*') ? "" : definition);
        const QString picked =
            buttonLabel == VAL_SAVE_BUTTON
                ? QFileDialog::getSaveFileName(nullptr, ShownText(title), start, filter)
                : QFileDialog::getOpenFileName(nullptr, ShownText(title), start, filter);
        if (!picked.isEmpty()) {
            chosen = QDir::toNativeSeparators(picked).toStdString();
        }
    }
    if (!chosen || chosen->empty()) {
        return VAL_NO_FILE_SELECTED;
    }
    if (chosen->size() >= 260) {
        MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Caminho demasiado longo"),
                     QT_TRANSLATE_NOOP("Vantrel",
                                       "O caminho escolhido tem mais de 259 caracteres e "
                                       "não pode ser usado.\nEscolha um ficheiro num "
                                       "caminho mais curto."));
        return VAL_NO_FILE_SELECTED;
    }
    CopyText(*chosen, pathOut, 260);
    return QFileInfo::exists(QString::fromStdString(*chosen)) ? VAL_EXISTING_FILE_SELECTED
                                                              : VAL_NEW_FILE_SELECTED;
}

int MultiFileSelectPopup(const char *defaultDirectory, const char *fileTypeList, const char *title,
                         std::vector<std::string> *paths) {
    EngineState &engine = Engine();
    engine.lastFileDialogDirectory = defaultDirectory != nullptr ? defaultDirectory : "";
    QStringList chosen;
    std::optional<std::string> answer;
    if (const auto handled = handlerAnswer(EnginePopupKind::FileSelect, title, fileTypeList)) {
        answer = handled->path;
    } else if (!engine.fileAnswers.empty()) {
        answer = engine.fileAnswers.front();
        engine.fileAnswers.pop_front();
    } else if (!Headless()) {
        const QString filter =
            QText(fileTypeList).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        chosen =
            QFileDialog::getOpenFileNames(nullptr, QText(title), QText(defaultDirectory), filter);
    }
    if (answer) {
        chosen = QString::fromStdString(*answer).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    paths->clear();
    for (const QString &path : chosen) {
        const std::string native = QDir::toNativeSeparators(path).toStdString();
        if (native.size() >= 260) {
            const QString message =
                QCoreApplication::translate(
                    "Vantrel", "O caminho «%1…» tem mais de 259 caracteres e não pode ser usado.")
                    .arg(path.left(60));
            MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Caminho demasiado longo"),
                         message.toStdString().c_str());
            continue;
        }
        paths->push_back(native);
    }
    return static_cast<int>(paths->size());
}

void CVI_Beep() {
    ++Engine().beepCount;
    if (!Headless()) {
        QApplication::beep();
    }
}
