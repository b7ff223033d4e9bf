#include "engine/control_sync.h"

#include "engine/control_widgets.h"
#include "engine/translate.h"
#include "engine/translators.h"
#include "engine/view_format.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

void SyncView(Control &control) {
    QWidget *view = control.view;
    if (view == nullptr) {
        return;
    }
    switch (control.definition.kind) {
    case CTRL_PICTURE: {
        auto *picture = static_cast<PictureView *>(view);
        picture->setDimmed(control.dimmed);
        picture->setPointerAngle(control.pointerAngle);
        picture->setPressedKeys(control.pressedKeys);
        picture->setLeverPosition(control.leverPosition);
        break;
    }
    case CTRL_DECORATION:
        static_cast<DecorationView *>(view)->setDimmed(control.dimmed);
        break;
    case CTRL_TEXT_MSG: {
        auto *text = static_cast<TextView *>(view);
        text->setText(ShownText(control.text));
        text->setDimmed(control.dimmed);
        break;
    }
    case CTRL_LED: {
        auto *led = static_cast<LedView *>(view);
        led->setOn(control.number != 0.0);
        led->setLabel(ShownText(control.label));
        led->setDimmed(control.dimmed);
        break;
    }
    case CTRL_NUMERIC: {
        auto *numeric = static_cast<NumericView *>(view);
        numeric->setText(NumberText(control));
        numeric->setDimmed(control.dimmed);
        break;
    }
    case CTRL_COMMAND_BUTTON:
    case CTRL_TOGGLE_BUTTON: {
        auto *button = static_cast<QPushButton *>(view);
        const QString caption = QText(AcceleratorToMnemonic(Tr(control.label.c_str())));
        if (button->text() != caption) {
            button->setText(caption);
        }
        if (button->isCheckable() && button->isChecked() != (control.number != 0.0)) {
            const QSignalBlocker block(button);
            button->setChecked(control.number != 0.0);
        }
        break;
    }
    case CTRL_RING: {
        auto *combo = static_cast<QComboBox *>(view);
        const QSignalBlocker block(combo);
        const QStringList labels = ItemLabels(control);
        if (combo->count() != labels.size() ||
            (combo->count() > 0 && combo->itemText(combo->count() - 1) != labels.back())) {
            combo->clear();
            combo->addItems(labels);
        }
        if (combo->currentIndex() != control.index) {
            combo->setCurrentIndex(control.index);
        }
        break;
    }
    case CTRL_LIST_BOX: {
        auto *list = view->findChild<QListWidget *>();
        auto *caption = view->findChild<QLabel *>();
        const QSignalBlocker block(list);
        const QStringList labels = ItemLabels(control);
        bool same = list->count() == labels.size();
        for (int i = 0; same && i < list->count(); ++i) {
            same = list->item(i)->text() == labels.at(i);
        }
        if (!same) {
            list->clear();
            list->addItems(labels);
        }
        if (list->currentRow() != control.index) {
            list->setCurrentRow(control.index);
        }
        caption->setText(QText(StripAccelerator(Tr(control.label.c_str()))));
        break;
    }
    case CTRL_TEXT_BOX: {
        auto *edit = view->findChild<QPlainTextEdit *>();
        auto *caption = view->findChild<QLabel *>();
        ShowTextBoxText(edit, QText(control.text));
        caption->setText(QText(StripAccelerator(Tr(control.label.c_str()))));
        caption->setVisible(!control.label.empty());
        break;
    }
    case CTRL_STRING: {
        auto *edit = static_cast<QLineEdit *>(view);
        const QString shown =
            control.definition.readOnly ? ShownText(control.text) : QText(control.text);
        if (edit->text() != shown) {
            edit->setText(shown);
        }
        break;
    }
    case CTRL_KNOB: {
        auto *knob = static_cast<KnobView *>(view);
        knob->setRange(control.min, control.max, control.increment);
        knob->setValue(control.number);
        knob->setDimmed(control.dimmed);
        break;
    }
    case CTRL_SLIDE: {
        auto *slide = static_cast<SlideView *>(view);
        slide->setLabels(ItemLabels(control));
        slide->setIndex(control.index);
        slide->setDimmed(control.dimmed);
        break;
    }
    case CTRL_GRAPH:
    case CTRL_TIMER:
        break;
    }
    // Qt widgets grey themselves; the painted kinds above draw their own dimmed look and must
    // still see the clicks that the filter swallows.
    const bool qtWidget =
        qobject_cast<QPushButton *>(view) != nullptr ||
        qobject_cast<QComboBox *>(view) != nullptr || qobject_cast<QLineEdit *>(view) != nullptr ||
        control.definition.kind == CTRL_LIST_BOX || control.definition.kind == CTRL_TEXT_BOX;
    const bool enabled = qtWidget ? !control.dimmed && control.inputEnabled : true;
    if (view->isEnabled() != enabled) {
        view->setEnabled(enabled);
    }
    if (view->isVisibleTo(view->parentWidget()) != control.visible) {
        view->setVisible(control.visible);
    }
    if (const QString tip = ShownText(control.tooltip); view->toolTip() != tip) {
        view->setToolTip(tip);
    }
}

namespace {

/// The queued flush: one zero-time timer, so that a flush made at once (after a callback)
/// takes the queued one back and leaves no empty pass of the event loop behind.
QTimer *flushTimer() {
    static QPointer<QTimer> timer;
    if (timer == nullptr) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, [] { FlushDirtyControls(); });
    }
    return timer;
}

} // namespace

void MarkDirty(const Panel &panel, Control &control) {
    EngineState &engine = Engine();
    if (!control.dirty) {
        control.dirty = true;
        engine.dirtyControls.emplace_back(panel.handle, control.id);
    }
    if (!engine.flushScheduled && QCoreApplication::instance() != nullptr) {
        engine.flushScheduled = true;
        flushTimer()->start();
    }
}

void FlushDirtyControls() {
    EngineState &engine = Engine();
    if (engine.flushScheduled) {
        engine.flushScheduled = false;
        if (QCoreApplication::instance() != nullptr) {
            flushTimer()->stop();
        }
    }
    std::vector<std::pair<int, int>> dirty;
    dirty.swap(engine.dirtyControls);
    for (const auto &[panel, id] : dirty) {
        if (Control *control = FindControl(panel, id)) {
            control->dirty = false;
            SyncView(*control);
        }
    }
}
