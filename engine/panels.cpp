#include "engine/panels.h"

#include "engine/control_widgets.h"
#include "engine/graph_widget.h"
#include "engine/install_paths.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
/// An application object still alive when the program's statics are destroyed.
QApplication *lingeringApplication = nullptr;
} // namespace

EngineState::~EngineState() {
    // Qt cannot end its application object once main has returned; one that InitCVIRTE made
    // and CloseCVIRTE did not end is left to the operating system.
    if (ownApplication != nullptr) {
        lingeringApplication = ownApplication.release();
    }
}

EngineState &Engine() {
    static EngineState state;
    return state;
}

Panel *FindPanel(int handle) {
    auto &panels = Engine().panels;
    const auto found = panels.find(handle);
    return found == panels.end() ? nullptr : found->second.get();
}

Control *FindControl(int panel, int control) {
    Panel *owner = FindPanel(panel);
    if (owner == nullptr || control < 2 ||
        control - 2 >= static_cast<int>(owner->controls.size())) {
        return nullptr;
    }
    return &owner->controls[static_cast<std::size_t>(control - 2)];
}

GraphWidget *GraphOf(Control &control) {
    return control.definition.kind == CTRL_GRAPH ? qobject_cast<GraphWidget *>(control.view.data())
                                                 : nullptr;
}

int SelectedValue(const Control &control) {
    if (control.index < 0 || control.index >= static_cast<int>(control.items.size())) {
        return 0;
    }
    return control.items[static_cast<std::size_t>(control.index)].value;
}

namespace {

QString q(const std::string &text) {
    return QString::fromStdString(text);
}

QString resourcePath(const std::string &fileName) {
    return QDir(ResourceDirectoryPath()).filePath(q(fileName));
}

/// The panel's drawing surface. It takes whatever room its window gives it and shows the panel
/// uniformly scaled and centred in it, the margin left on one axis in a darker shade.
class PanelCanvas : public QWidget {
public:
    PanelCanvas(int handle, QSize logical, const QColor &background, bool framed, QWidget *parent)
        : QWidget(parent), handle_(handle), logical_(logical), background_(background),
          framed_(framed) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    QSize sizeHint() const override { return logical_; }
    QSize minimumSizeHint() const override { return (QSizeF(logical_) * kMinPanelScale).toSize(); }

protected:
    void resizeEvent(QResizeEvent *) override {
        if (Panel *panel = FindPanel(handle_)) {
            LayoutPanel(*panel);
        }
    }

    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        const Panel *panel = FindPanel(handle_);
        const double scale = panel != nullptr ? panel->scale : 1.0;
        const QPoint origin = panel != nullptr ? panel->origin : QPoint();
        const QRect face(origin, (QSizeF(logical_) * scale).toSize());
        if (face != rect()) {
            painter.fillRect(rect(), background_.darker(180));
        }
        painter.fillRect(face, background_);
        if (framed_) {
            painter.setPen(QColor(110, 116, 124));
            painter.drawRect(face.adjusted(0, 0, -1, -1));
        }
    }

private:
    int handle_;
    QSize logical_;
    QColor background_;
    bool framed_;
};

/// Commits the control that the panel names as its close or cancel button, as a click would:
/// only while that button could be pressed. A hidden or dimmed button (the about box's
/// "Fechar" during the splash) keeps the window open.
void pressCloseControl(int handle) {
    Panel *panel = FindPanel(handle);
    if (panel == nullptr) {
        return;
    }
    for (const Control &control : panel->controls) {
        if (control.definition.constant == panel->definition.closeControl) {
            if (control.visible && !control.dimmed && control.inputEnabled) {
                DispatchEvent(handle, control.id, EVENT_COMMIT);
            }
            return;
        }
    }
}

/// A panel's window. Its close box, and on a dialog the Escape key, press the control the panel
/// names for closing, if any; otherwise they are ignored, as the instrument's panels close
/// through their own buttons.
class PanelWindow : public QWidget {
public:
    PanelWindow(int handle, QWidget *parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), handle_(handle) {}

protected:
    void closeEvent(QCloseEvent *event) override {
        event->ignore();
        pressCloseControl(handle_);
    }

    /// Keys that no control used arrive here. Escape leaves a dialog (a panel with a parent);
    /// on the main window it would be too easy a way to ask to quit.
    void keyPressEvent(QKeyEvent *event) override {
        const Panel *panel = FindPanel(handle_);
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
            panel != nullptr && panel->parent != 0) {
            event->accept();
            pressCloseControl(handle_);
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    int handle_;
};

/// Turns mouse presses on a control's widget into the engine's click events.
/// What a left press on a control's widget does: nothing for the engine (the widget handles
/// it), a left-click event that replaces the press (pictures and painted controls), or a
/// left-click event after which the widget sees the press too (command buttons, which then
/// commit on release).
enum class LeftClicks { Ignored, Reported, ReportedAndPassed };

class ClickFilter : public QObject {
public:
    ClickFilter(int panel, int control, LeftClicks leftClicks, QObject *parent)
        : QObject(parent), panel_(panel), control_(control), leftClicks_(leftClicks) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Wheel) {
            return wheel(static_cast<QWheelEvent *>(event));
        }
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::ContextMenu) {
            return QObject::eventFilter(watched, event);
        }
        Control *control = FindControl(panel_, control_);
        if (control == nullptr) {
            return false;
        }
        if (type == QEvent::ContextMenu) {
            return true; // right clicks are the help request, never a context menu
        }
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // Callbacks see the click where it lies on the stored (unscaled) control.
        const Panel *owner = FindPanel(panel_);
        const double scale = owner != nullptr && owner->scale > 0.0 ? owner->scale : 1.0;
        const QPoint at = (mouse->position() / scale).toPoint();
        // A dimmed control, or one made an indicator by SetInputMode, takes no mouse input.
        if (control->dimmed || !control->inputEnabled) {
            return true;
        }
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonPress) {
                DispatchEvent(panel_, control_, EVENT_RIGHT_CLICK, at.y(), at.x());
            }
            return true;
        }
        if (mouse->button() == Qt::LeftButton && leftClicks_ != LeftClicks::Ignored) {
            const QPointer<QObject> alive(watched);
            DispatchEvent(panel_, control_,
                          type == QEvent::MouseButtonDblClick ? EVENT_LEFT_DOUBLE_CLICK
                                                              : EVENT_LEFT_CLICK,
                          at.y(), at.x());
            // A button still on the screen goes on to its commit when released; one that the
            // left click took away (a closed panel) must not see the press at all.
            const auto *widget = qobject_cast<const QWidget *>(alive.data());
            return leftClicks_ == LeftClicks::Reported || widget == nullptr || !widget->isVisible();
        }
        return false;
    }

private:
    /// Over a picture the wheel turns the command one step per notch; other kinds handle it
    /// themselves. Fine-grained wheels add up to whole notches.
    bool wheel(QWheelEvent *event) {
        Control *control = FindControl(panel_, control_);
        if (control == nullptr || control->definition.kind != CTRL_PICTURE) {
            return false;
        }
        event->accept();
        if (control->dimmed) {
            return true;
        }
        constexpr int kNotch = 120;
        wheelRest_ += event->angleDelta().y();
        const int notches = wheelRest_ / kNotch;
        wheelRest_ -= notches * kNotch;
        if (notches != 0) {
            DispatchEvent(panel_, control_, EVENT_MOUSE_WHEEL, notches, 0);
        }
        return true;
    }

    int panel_;
    int control_;
    LeftClicks leftClicks_;
    int wheelRest_ = 0;
};

QColor colourOf(const std::string &name) {
    return name.empty() ? QColor() : QColor(q(name));
}

/// The control's font at the panel's scale. Sizes are fixed in pixels (points at 96 dpi), so
/// that text keeps its place in the stored layout on screens of any resolution.
QFont fontOf(const ControlSpec &definition, const QFont &base, double scale) {
    QFont font = base;
    double pixels = base.pixelSize() > 0 ? base.pixelSize() : base.pointSizeF() * 96.0 / 72.0;
    if (definition.fontSize > 0) {
        pixels = definition.fontSize * 96.0 / 72.0;
    }
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * scale))));
    font.setBold(definition.bold);
    return font;
}

// The same font in a fixed-pitch face, for text boxes that hold tables or indented text.
QFont fixedPitchFont(QFont font) {
    font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// Text boxes grow by appending (help pages, status logs): only the new tail is inserted, and
// the view follows it to the newest line. Any other change shows the text from its top.
void showTextBoxText(QPlainTextEdit *edit, const QString &wanted) {
    const QString shown = edit->toPlainText();
    if (shown == wanted) {
        return;
    }
    if (!wanted.startsWith(shown)) {
        edit->setPlainText(wanted);
        return;
    }
    QTextCursor end(edit->document());
    end.movePosition(QTextCursor::End);
    end.insertText(wanted.mid(shown.size()));
    QScrollBar *bar = edit->verticalScrollBar();
    bar->setValue(bar->maximum());
}

int decimalsFor(const Control &control) {
    if (control.definition.dataType == VAL_INTEGER || control.increment <= 0.0) {
        return 0;
    }
    const double digits = -std::floor(std::log10(control.increment) + 1e-9);
    return std::clamp(static_cast<int>(digits), 0, 6);
}

/// `value` rounded to `digits` significant digits, as a panel meter shows it: plain decimals
/// without trailing zeros ("1.414", "2000000", "0.001") from 0.001 up to ten million, the
/// exponent form beyond ("5e-07"), and "inf" for an infinite value.
QString meterText(double value, int digits) {
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    // Round first: 9.9996 becomes 10.00, which moves the decimal point.
    const double rounded = QString::number(value, 'e', digits - 1).toDouble();
    const double magnitude = std::abs(rounded);
    if (magnitude == 0.0) {
        return QStringLiteral("0");
    }
    if (magnitude < 1e-3 || magnitude >= 1e7) {
        return QString::number(rounded, 'g', digits);
    }
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    QString text = QString::number(rounded, 'f', std::max(0, digits - 1 - exponent));
    if (text.contains('.')) {
        while (text.endsWith('0')) {
            text.chop(1);
        }
        if (text.endsWith('.')) {
            text.chop(1);
        }
    }
    return text;
}

QString numberText(const Control &control) {
    if (control.definition.dataType == VAL_INTEGER) {
        return QString::number(static_cast<long long>(std::llround(control.number)));
    }
    if (control.definition.significantDigits > 0) {
        return meterText(control.number, control.definition.significantDigits);
    }
    // Plain decimals read best on a panel meter ("2000000", "0.001"); only very large or very
    // small magnitudes, and infinities, fall back to the exponent form.
    const double value = control.number;
    const double magnitude = std::abs(value);
    if (!std::isfinite(value) || (magnitude != 0.0 && (magnitude < 1e-4 || magnitude >= 1e9))) {
        return QString::number(value, 'g', 6);
    }
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QStringList itemLabels(const Control &control) {
    QStringList labels;
    for (const ItemSpec &item : control.items) {
        labels << q(item.label);
    }
    return labels;
}

/// A label above a list or text box, as the engine shows a control's label.
QWidget *labelled(QWidget *inner, const std::string &label, QWidget *parent, QLabel **labelOut) {
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto *caption = new QLabel(q(StripAccelerator(label)), box);
    caption->setVisible(!label.empty());
    layout->addWidget(caption);
    inner->setParent(box);
    layout->addWidget(inner, 1);
    *labelOut = caption;
    return box;
}

void connectUserEvents(Panel &panel, Control &control, QWidget *view) {
    const int handle = panel.handle;
    const int id = control.id;
    switch (control.definition.kind) {
    case CTRL_COMMAND_BUTTON:
        QObject::connect(qobject_cast<QPushButton *>(view), &QPushButton::clicked, view,
                         [handle, id] { DispatchEvent(handle, id, EVENT_COMMIT); });
        break;
    case CTRL_TOGGLE_BUTTON:
        QObject::connect(qobject_cast<QPushButton *>(view), &QPushButton::clicked, view,
                         [handle, id](bool checked) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->number = checked ? 1.0 : 0.0;
                                 DispatchEvent(handle, id, EVENT_COMMIT);
                             }
                         });
        break;
    case CTRL_RING:
        QObject::connect(qobject_cast<QComboBox *>(view), &QComboBox::activated, view,
                         [handle, id](int index) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->index = index;
                                 DispatchEvent(handle, id, EVENT_VAL_CHANGED);
                                 DispatchEvent(handle, id, EVENT_COMMIT);
                             }
                         });
        break;
    case CTRL_LIST_BOX: {
        auto *list = view->findChild<QListWidget *>();
        QObject::connect(list, &QListWidget::currentRowChanged, view, [handle, id](int row) {
            Control *c = FindControl(handle, id);
            if (c != nullptr && row >= 0 && row != c->index) {
                c->index = row;
                DispatchEvent(handle, id, EVENT_VAL_CHANGED);
            }
        });
        QObject::connect(list, &QListWidget::itemActivated, view,
                         [handle, id] { DispatchEvent(handle, id, EVENT_COMMIT); });
        break;
    }
    case CTRL_KNOB:
        QObject::connect(qobject_cast<KnobView *>(view), &KnobView::valueEdited, view,
                         [handle, id](double value) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->number = value;
                                 DispatchEvent(handle, id, EVENT_VAL_CHANGED);
                             }
                         });
        QObject::connect(qobject_cast<KnobView *>(view), &KnobView::editFinished, view,
                         [handle, id] { DispatchEvent(handle, id, EVENT_COMMIT); });
        break;
    case CTRL_SLIDE:
        QObject::connect(qobject_cast<SlideView *>(view), &SlideView::indexChosen, view,
                         [handle, id](int index) {
                             if (Control *c = FindControl(handle, id)) {
                                 c->index = index;
                                 DispatchEvent(handle, id, EVENT_VAL_CHANGED);
                                 DispatchEvent(handle, id, EVENT_COMMIT);
                             }
                         });
        break;
    case CTRL_STRING: {
        auto *edit = qobject_cast<QLineEdit *>(view);
        QObject::connect(edit, &QLineEdit::editingFinished, view, [handle, id, edit] {
            Control *c = FindControl(handle, id);
            if (c != nullptr && edit->isModified()) {
                edit->setModified(false);
                c->text = edit->text().toStdString();
                DispatchEvent(handle, id, EVENT_COMMIT);
            }
        });
        break;
    }
    default:
        break;
    }
}

QWidget *createView(Panel &panel, Control &control, QWidget *canvas) {
    const ControlSpec &definition = control.definition;
    const QColor colour = colourOf(definition.color);
    QWidget *view = nullptr;
    LeftClicks leftClicks = LeftClicks::Ignored;
    switch (definition.kind) {
    case CTRL_TIMER:
        return nullptr;
    case CTRL_PICTURE:
        view =
            new PictureView(definition.image.empty() ? QString() : resourcePath(definition.image),
                            q(definition.constant), canvas);
        leftClicks = LeftClicks::Reported;
        break;
    case CTRL_DECORATION: {
        const auto style = definition.style == "marker"    ? DecorationView::Style::Marker
                           : definition.style == "hotspot" ? DecorationView::Style::Hotspot
                                                           : DecorationView::Style::Frame;
        view = new DecorationView(style, colour, canvas);
        leftClicks = LeftClicks::Reported;
        // A frame without a callback never takes the clicks meant for what it surrounds.
        if (definition.callback.empty()) {
            view->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        break;
    }
    case CTRL_TEXT_MSG:
        view = new TextView(q(control.text), colour, canvas);
        leftClicks = LeftClicks::Reported;
        if (definition.callback.empty()) {
            view->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        break;
    case CTRL_LED:
        view = new LedView(q(control.label), colour, canvas);
        leftClicks = LeftClicks::Reported;
        break;
    case CTRL_NUMERIC:
        view = new NumericView(canvas);
        leftClicks = LeftClicks::Reported;
        break;
    case CTRL_GRAPH: {
        auto *graph = new GraphWidget(canvas);
        graph->setAxisRange(0, definition.xMin, definition.xMax);
        graph->setAxisRange(1, definition.yMin, definition.yMax);
        view = graph;
        leftClicks = LeftClicks::Reported;
        break;
    }
    case CTRL_COMMAND_BUTTON:
    case CTRL_TOGGLE_BUTTON: {
        auto *button = new QPushButton(q(AcceleratorToMnemonic(control.label)), canvas);
        button->setCheckable(definition.kind == CTRL_TOGGLE_BUTTON);
        button->setAutoDefault(false);
        if (definition.kind == CTRL_COMMAND_BUTTON) {
            leftClicks = LeftClicks::ReportedAndPassed;
        }
        if (button->isCheckable()) {
            // A latching key: raised and grey when out, sunk and lit green when in, so that
            // its state reads at a glance whatever the platform style.
            button->setStyleSheet(
                QStringLiteral("QPushButton { color: #1b1f24; border-radius: 4px; padding: 2px 0px;"
                               " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                               " stop:0 #f4f6f8, stop:1 #b4bbc3);"
                               " border: 1px solid #596069; border-bottom: 3px solid #353a40; }"
                               "QPushButton:checked { color: #ffffff; font-weight: bold;"
                               " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                               " stop:0 #145222, stop:1 #36b052);"
                               " border: 1px solid #082410; border-top: 3px solid #082410; }"
                               "QPushButton:disabled { color: #7a8088; }"));
        }
        if (!definition.shortcut.empty()) {
            auto *shortcut = new QShortcut(QKeySequence(q(definition.shortcut)), panel.window);
            QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        }
        view = button;
        break;
    }
    case CTRL_RING: {
        auto *combo = new QComboBox(canvas);
        combo->addItems(itemLabels(control));
        view = combo;
        break;
    }
    case CTRL_LIST_BOX: {
        QLabel *caption = nullptr;
        view = labelled(new QListWidget, control.label, canvas, &caption);
        break;
    }
    case CTRL_TEXT_BOX: {
        auto *edit = new QPlainTextEdit;
        edit->setReadOnly(true);
        QLabel *caption = nullptr;
        view = labelled(edit, control.label, canvas, &caption);
        break;
    }
    case CTRL_STRING: {
        auto *edit = new QLineEdit(q(control.text), canvas);
        // An indicator that the program writes: no caret, no typing, no focus.
        if (definition.readOnly) {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
        }
        view = edit;
        break;
    }
    case CTRL_KNOB: {
        auto *knob = new KnobView(canvas);
        knob->setRange(control.min, control.max, control.increment);
        knob->setValueFormat(decimalsFor(control));
        knob->setValue(control.number);
        view = knob;
        break;
    }
    case CTRL_SLIDE:
        view = new SlideView(itemLabels(control), canvas);
        break;
    }
    view->setObjectName(q(definition.constant));
    auto *filter = new ClickFilter(panel.handle, control.id, leftClicks, view);
    view->installEventFilter(filter);
    for (QWidget *inner : view->findChildren<QWidget *>()) {
        inner->installEventFilter(filter);
    }
    connectUserEvents(panel, control, view);
    return view;
}

/// Brings a control's widget in line with its model.
void syncView(Control &control) {
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
        break;
    }
    case CTRL_DECORATION:
        static_cast<DecorationView *>(view)->setDimmed(control.dimmed);
        break;
    case CTRL_TEXT_MSG: {
        auto *text = static_cast<TextView *>(view);
        text->setText(q(control.text));
        text->setDimmed(control.dimmed);
        break;
    }
    case CTRL_LED: {
        auto *led = static_cast<LedView *>(view);
        led->setOn(control.number != 0.0);
        led->setLabel(q(control.label));
        led->setDimmed(control.dimmed);
        break;
    }
    case CTRL_NUMERIC: {
        auto *numeric = static_cast<NumericView *>(view);
        numeric->setText(numberText(control));
        numeric->setDimmed(control.dimmed);
        break;
    }
    case CTRL_COMMAND_BUTTON:
    case CTRL_TOGGLE_BUTTON: {
        auto *button = static_cast<QPushButton *>(view);
        const QString caption = q(AcceleratorToMnemonic(control.label));
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
        const QStringList labels = itemLabels(control);
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
        const QStringList labels = itemLabels(control);
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
        caption->setText(q(StripAccelerator(control.label)));
        break;
    }
    case CTRL_TEXT_BOX: {
        auto *edit = view->findChild<QPlainTextEdit *>();
        auto *caption = view->findChild<QLabel *>();
        showTextBoxText(edit, q(control.text));
        caption->setText(q(StripAccelerator(control.label)));
        caption->setVisible(!control.label.empty());
        break;
    }
    case CTRL_STRING: {
        auto *edit = static_cast<QLineEdit *>(view);
        if (edit->text() != q(control.text)) {
            edit->setText(q(control.text));
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
        slide->setLabels(itemLabels(control));
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
    if (view->toolTip() != q(control.tooltip)) {
        view->setToolTip(q(control.tooltip));
    }
}

void initialiseModel(Control &control) {
    const ControlSpec &definition = control.definition;
    control.label = definition.label;
    control.text = definition.text;
    control.number = definition.value;
    control.items = definition.items;
    control.min = definition.min;
    control.max = definition.max;
    control.increment = definition.increment;
    control.hasMin = definition.hasMin;
    control.hasMax = definition.hasMax;
    control.visible = !definition.hidden;
    control.dimmed = definition.dimmed;
    control.interval = definition.interval;
    control.timerEnabled = definition.enabled;
    if (!control.items.empty()) {
        control.index = 0;
        for (std::size_t i = 0; i < control.items.size(); ++i) {
            if (control.items[i].value == static_cast<int>(definition.value)) {
                control.index = static_cast<int>(i);
                break;
            }
        }
    }
}

void buildMenuBar(Panel &panel, QMenuBar *bar) {
    const int barHandle = panel.menuBar;
    std::function<void(QMenu *, const std::vector<MenuItemSpec> &)> addItems;
    addItems = [&](QMenu *menu, const std::vector<MenuItemSpec> &items) {
        for (const MenuItemSpec &item : items) {
            if (item.separator) {
                menu->addSeparator();
                continue;
            }
            if (!item.children.empty()) {
                QMenu *sub = menu->addMenu(q(AcceleratorToMnemonic(item.text)));
                panel.menuActions[item.id] = sub->menuAction();
                addItems(sub, item.children);
                continue;
            }
            QAction *action = menu->addAction(q(AcceleratorToMnemonic(item.text)));
            if (!item.shortcut.empty()) {
                action->setShortcut(QKeySequence(q(item.shortcut)));
            }
            const int itemId = item.id;
            QObject::connect(action, &QAction::triggered, bar,
                             [barHandle, itemId] { DispatchMenuItem(barHandle, itemId); });
            panel.menuActions[item.id] = action;
        }
    };
    for (const MenuItemSpec &menuSpec : panel.definition.menuBar->menus) {
        QMenu *menu = bar->addMenu(q(AcceleratorToMnemonic(menuSpec.text)));
        panel.menuActions[menuSpec.id] = menu->menuAction();
        addItems(menu, menuSpec.children);
    }
}

void buildWindow(Panel &panel) {
    Panel *parent = FindPanel(panel.parent);
    const bool titled = !panel.definition.title.empty();
    Qt::WindowFlags flags = parent != nullptr ? Qt::Dialog : Qt::Window;
    if (!titled && parent != nullptr) {
        flags |= Qt::FramelessWindowHint;
    }
    QWidget *parentWindow = parent != nullptr ? parent->window.data() : nullptr;
    auto *window = new PanelWindow(panel.handle, parentWindow, flags);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setWindowTitle(titled ? q(panel.definition.title) : QStringLiteral(" "));
    panel.window = window;

    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (panel.definition.menuBar) {
        auto *bar = new QMenuBar(window);
        panel.menuBar = Engine().nextHandle++;
        Engine().menuBarPanels[panel.menuBar] = panel.handle;
        buildMenuBar(panel, bar);
        layout->setMenuBar(bar);
    }
    const QColor background = panel.definition.background.empty()
                                  ? QColor(52, 56, 62)
                                  : QColor(q(panel.definition.background));
    auto *canvas =
        new PanelCanvas(panel.handle, QSize(panel.definition.width, panel.definition.height),
                        background, !titled, window);
    layout->addWidget(canvas, 1);
    panel.canvas = canvas;

    for (Control &control : panel.controls) {
        control.view = createView(panel, control, canvas);
        PlaceControl(panel, control);
    }
    // The front-panel picture lies under everything, frames under the controls they surround.
    for (Control &control : panel.controls) {
        if (control.view != nullptr && control.definition.kind == CTRL_DECORATION) {
            control.view->lower();
        }
    }
    for (Control &control : panel.controls) {
        if (control.view != nullptr && control.definition.background) {
            control.view->lower();
        }
    }
    for (Control &control : panel.controls) {
        syncView(control);
        if (control.definition.kind == CTRL_TIMER) {
            auto *timer = new QTimer(window);
            timer->setTimerType(Qt::PreciseTimer);
            const int handle = panel.handle;
            const int id = control.id;
            QObject::connect(timer, &QTimer::timeout, window,
                             [handle, id] { DispatchEvent(handle, id, EVENT_TIMER_TICK); });
            control.timer = timer;
            UpdateTimer(panel, control);
        }
    }
    window->adjustSize();
    if (parent == nullptr) {
        // Child panels are placed relative to this one even before it is first shown.
        window->move(panel.left, panel.top);
    }
}

} // namespace

namespace {
/// The menu bar's lettering grows with the window. Its scale is taken from the whole window,
/// not from the canvas under the bar, so that the bar's own height cannot feed back into it.
void scaleMenuBar(const Panel &panel) {
    auto *bar = panel.window != nullptr
                    ? panel.window->findChild<QMenuBar *>(QString(), Qt::FindDirectChildrenOnly)
                    : nullptr;
    if (bar == nullptr) {
        return;
    }
    constexpr int kStoredBarHeight = 22;
    const QSize logical(panel.definition.width, panel.definition.height + kStoredBarHeight);
    const double scale = FitScale(logical, panel.window->size());
    QFont font = QApplication::font();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * scale))));
    if (bar->font() != font) {
        bar->setFont(font);
    }
}
} // namespace

double FitScale(QSize logical, QSize available) {
    if (logical.isEmpty() || available.isEmpty()) {
        return 1.0;
    }
    const double fit = std::min(static_cast<double>(available.width()) / logical.width(),
                                static_cast<double>(available.height()) / logical.height());
    return std::clamp(fit, kMinPanelScale, kMaxPanelScale);
}

void PlaceControl(const Panel &panel, Control &control) {
    QWidget *view = control.view;
    if (view == nullptr) {
        return;
    }
    const ControlSpec &definition = control.definition;
    // Both corners are rounded from their scaled positions, so that neighbours that touch in
    // the stored layout still touch, and never overlap, at any scale.
    const QPoint topLeft = PanelToCanvas(panel, QPoint(definition.left, definition.top));
    const QPoint bottomRight = PanelToCanvas(
        panel, QPoint(definition.left + definition.width, definition.top + definition.height));
    view->setProperty("panelScale", panel.scale);
    const QFont font = fontOf(definition, QApplication::font(), panel.scale);
    if (view->font() != font) {
        view->setFont(font);
        if (definition.kind == CTRL_TEXT_BOX && definition.fixedPitch) {
            view->findChild<QPlainTextEdit *>()->setFont(fixedPitchFont(font));
        }
    }
    view->setGeometry(QRect(topLeft, bottomRight - QPoint(1, 1)));
    view->update();
}

void LayoutPanel(Panel &panel) {
    if (panel.canvas == nullptr) {
        return;
    }
    const QSize logical(panel.definition.width, panel.definition.height);
    const QSize available = panel.canvas->size();
    panel.scale = FitScale(logical, available);
    const QSize shown = (QSizeF(logical) * panel.scale).toSize();
    panel.origin = QPoint(std::max(0, (available.width() - shown.width()) / 2),
                          std::max(0, (available.height() - shown.height()) / 2));
    for (Control &control : panel.controls) {
        PlaceControl(panel, control);
    }
    scaleMenuBar(panel);
    panel.canvas->update();
}

QPoint PanelToCanvas(const Panel &panel, QPoint logical) {
    return panel.origin + (QPointF(logical) * panel.scale).toPoint();
}

QPoint CanvasToPanel(const Panel &panel, QPoint pixels) {
    const double scale = panel.scale > 0.0 ? panel.scale : 1.0;
    return (QPointF(pixels - panel.origin) / scale).toPoint();
}

int CreatePanel(int parent, const std::string &fileName, int panelNumber) {
    EngineState &engine = Engine();
    if (parent != 0 && FindPanel(parent) == nullptr) {
        engine.errorText = fileName + ": parent panel " + std::to_string(parent) + " not loaded";
        return kEngineBadHandle;
    }
    PanelLoadResult read =
        ReadPanelSpec(resourcePath(fileName).toStdString(), fileName, panelNumber);
    if (read.error != kEngineOk) {
        engine.errorText = read.message;
        return read.error;
    }
    auto panel = std::make_unique<Panel>();
    panel->handle = engine.nextHandle++;
    panel->parent = parent;
    panel->fileName = fileName;
    panel->definition = std::move(read.panel);
    panel->title = panel->definition.title;
    panel->top = panel->definition.top;
    panel->left = panel->definition.left;
    panel->controls.resize(panel->definition.controls.size());
    for (std::size_t i = 0; i < panel->controls.size(); ++i) {
        Control &control = panel->controls[i];
        control.definition = panel->definition.controls[i];
        control.id = static_cast<int>(i) + 2;
        initialiseModel(control);
        if (!control.definition.callback.empty()) {
            const auto found = engine.callbacks.find(control.definition.callback);
            if (found != engine.callbacks.end()) {
                control.callback = found->second;
            } else if (engine.strictCallbacks) {
                engine.errorText = fileName + ": callback \"" + control.definition.callback +
                                   "\" of " + control.definition.constant +
                                   " is not in the program";
                return kEngineNoSuchCallback;
            }
        }
    }
    Panel &built = *panel;
    engine.panels.emplace(built.handle, std::move(panel));
    buildWindow(built);
    return built.handle;
}

namespace {

/// Keeps the final text of a discarded panel's text boxes, so that tests can still read what
/// the user last saw in them.
void rememberTextBoxes(const Panel &panel) {
    std::map<int, std::string> texts;
    for (const Control &control : panel.controls) {
        if (control.definition.kind == CTRL_TEXT_BOX) {
            texts.emplace(control.id, control.text);
        }
    }
    if (texts.empty()) {
        return;
    }
    constexpr std::size_t kPanelsKept = 16;
    auto &kept = Engine().discardedTexts;
    kept.emplace_back(panel.handle, std::move(texts));
    while (kept.size() > kPanelsKept) {
        kept.pop_front();
    }
}

} // namespace

void DestroyPanel(int handle) {
    EngineState &engine = Engine();
    std::vector<int> children;
    for (const auto &[childHandle, child] : engine.panels) {
        if (child->parent == handle) {
            children.push_back(childHandle);
        }
    }
    for (int child : children) {
        DestroyPanel(child);
    }
    Panel *panel = FindPanel(handle);
    if (panel == nullptr) {
        return;
    }
    rememberTextBoxes(*panel);
    std::erase(engine.popups, handle);
    if (panel->menuBar != 0) {
        engine.menuBarPanels.erase(panel->menuBar);
    }
    std::erase_if(engine.dirtyControls,
                  [handle](const auto &entry) { return entry.first == handle; });
    if (panel->window != nullptr) {
        panel->window->hide();
        // The panel may be discarded from inside one of its own widgets' signals.
        panel->window->setParent(nullptr);
        panel->window->deleteLater();
    }
    engine.panels.erase(handle);
}

void ShowPanelWindow(Panel &panel, bool modal) {
    QWidget *window = panel.window;
    if (window == nullptr) {
        return;
    }
    FlushDirtyControls();
    window->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect();
    Panel *parent = FindPanel(panel.parent);
    // A dialog opens at the scale its parent is shown at, and then follows its own window.
    if (parent != nullptr && !window->isVisible() && panel.definition.menuBar == std::nullopt) {
        const QSize logical(panel.definition.width, panel.definition.height);
        window->resize((QSizeF(logical) * parent->scale).toSize());
    }
    QPoint place(panel.left, panel.top);
    if (panel.left == VAL_AUTO_CENTER) {
        place = area.center() - QPoint(window->width() / 2, window->height() / 2);
    } else if (parent != nullptr && parent->canvas != nullptr) {
        place = parent->canvas->mapToGlobal(PanelToCanvas(*parent, place));
    }
    // A dialog asked to open near the screen's edge is kept whole on the screen.
    if (parent != nullptr && area.isValid()) {
        place.setX(std::clamp(place.x(), area.left(),
                              std::max(area.left(), area.right() - window->width())));
        place.setY(std::clamp(place.y(), area.top(),
                              std::max(area.top(), area.bottom() - window->height())));
    }
    window->move(place);
    if (panel.zoom == VAL_MAXIMIZE) {
        // Without a window manager showMaximized() alone leaves the window at its size.
        if (area.isValid()) {
            window->setGeometry(area);
        }
        window->showMaximized();
    } else {
        window->show();
    }
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window->raise();
        window->activateWindow();
    }
}

void HidePanelWindow(Panel &panel) {
    if (panel.window != nullptr) {
        panel.window->hide();
    }
}

void MarkDirty(const Panel &panel, Control &control) {
    EngineState &engine = Engine();
    if (!control.dirty) {
        control.dirty = true;
        engine.dirtyControls.emplace_back(panel.handle, control.id);
    }
    if (!engine.flushScheduled && QCoreApplication::instance() != nullptr) {
        engine.flushScheduled = true;
        QTimer::singleShot(0, [] { FlushDirtyControls(); });
    }
}

void FlushDirtyControls() {
    EngineState &engine = Engine();
    engine.flushScheduled = false;
    std::vector<std::pair<int, int>> dirty;
    dirty.swap(engine.dirtyControls);
    for (const auto &[panel, id] : dirty) {
        if (Control *control = FindControl(panel, id)) {
            control->dirty = false;
            syncView(*control);
        }
    }
}

int DispatchEvent(int panel, int control, int event, int data1, int data2) {
    Control *target = FindControl(panel, control);
    if (target == nullptr || target->callback == nullptr) {
        return 0;
    }
    const CtrlCallbackPtr callback = target->callback;
    const int result = callback(panel, control, event, nullptr, data1, data2);
    FlushDirtyControls();
    return result;
}

int DispatchMenuItem(int menuBar, int item) {
    EngineState &engine = Engine();
    const auto owner = engine.menuBarPanels.find(menuBar);
    if (owner == engine.menuBarPanels.end()) {
        return kEngineBadHandle;
    }
    const int panelHandle = owner->second;
    Panel *panel = FindPanel(panelHandle);
    if (panel == nullptr) {
        return kEngineBadHandle;
    }
    std::string callbackName;
    std::function<bool(const std::vector<MenuItemSpec> &)> find;
    find = [&](const std::vector<MenuItemSpec> &items) {
        for (const MenuItemSpec &entry : items) {
            if (entry.id == item) {
                callbackName = entry.callback;
                return true;
            }
            if (find(entry.children)) {
                return true;
            }
        }
        return false;
    };
    if (!find(panel->definition.menuBar->menus)) {
        return kEngineBadControl;
    }
    const auto callback = engine.menuCallbacks.find(callbackName);
    if (callbackName.empty() || callback == engine.menuCallbacks.end()) {
        return 0;
    }
    callback->second(menuBar, item, nullptr, panelHandle);
    FlushDirtyControls();
    return 0;
}

void UpdateTimer(Panel &, Control &control) {
    QTimer *timer = control.timer;
    if (timer == nullptr) {
        return;
    }
    // 1 ms is the fastest tick the engine delivers, a day the slowest (a longer interval would
    // not fit the timer's int milliseconds).
    constexpr double kSlowestMs = 86400.0 * 1000.0;
    const int milliseconds =
        static_cast<int>(std::lround(std::clamp(control.interval * 1000.0, 1.0, kSlowestMs)));
    // A timer without a callback keeps its settings but never wakes the program up: its ticks
    // would have no effect.
    const bool run = control.timerEnabled && Engine().timersArmed && control.callback != nullptr;
    if (timer->interval() != milliseconds) {
        timer->setInterval(milliseconds);
    }
    if (run && !timer->isActive()) {
        timer->start();
    } else if (!run && timer->isActive()) {
        timer->stop();
    }
}

void ArmAllTimers() {
    EngineState &engine = Engine();
    engine.timersArmed = true;
    for (auto &[handle, panel] : engine.panels) {
        for (Control &control : panel->controls) {
            UpdateTimer(*panel, control);
        }
    }
}
