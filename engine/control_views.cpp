#include "engine/control_views.h"

#include "engine/control_widgets.h"
#include "engine/dispatch.h"
#include "engine/graph_widget.h"
#include "engine/translate.h"
#include "engine/translators.h"
#include "engine/view_format.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineF>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

/// Turns mouse presses on a control's widget into the engine's click events.
/// What a left press on a control's widget does: nothing for the engine (the widget handles
/// it), a left-click event that replaces the press (pictures and painted controls), or a
/// left-click event after which the widget sees the press too (command buttons, which then
/// commit on release).
enum class LeftClicks { Ignored, Reported, ReportedAndPassed };

/// How a knob picture turns in place, in pixels of the unscaled panel: motion beyond
/// kDragThreshold starts a turn, and every kDragStep of it is one step of the knob's dialog.
constexpr double kDragThreshold = 4.0;
constexpr double kDragStep = 8.0;
/// Ctrl turns ten times slower, Shift ten times faster, by wheel and by hand alike.
constexpr int kModifierFactor = 10;
/// Wheel notches closer together than this (milliseconds) are a fast turn, which accelerates.
constexpr quint64 kFastNotch = 60;
/// A drag faster than this (unscaled pixels per millisecond) counts double.
constexpr double kFastDrag = 1.5;

/// Steps per notch or per kDragStep for the modifiers held: Shift multiplies; Ctrl divides, as a
/// count of notches or drag steps that make one step.
int coarseFactor(Qt::KeyboardModifiers modifiers) {
    return modifiers.testFlag(Qt::ShiftModifier) ? kModifierFactor : 1;
}
int fineDivisor(Qt::KeyboardModifiers modifiers) {
    return modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::ShiftModifier)
               ? kModifierFactor
               : 1;
}

/// Degrees clockwise from 12 o'clock of `at` around `centre` (widget coordinates, y down).
double clockAngle(QPointF at, QPointF centre) {
    const QPointF d = at - centre;
    return std::atan2(d.x(), -d.y()) * 180.0 / std::numbers::pi;
}

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
        if (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) {
            return turn(qobject_cast<QWidget *>(watched), static_cast<QMouseEvent *>(event));
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
        // A dimmed control, or one made an indicator by SetInputMode, takes no mouse input.
        if (control->dimmed || !control->inputEnabled) {
            return true;
        }
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonPress) {
                DispatchEvent(panel_, control_, EVENT_RIGHT_CLICK, unscaled(mouse->position()).y(),
                              unscaled(mouse->position()).x());
            }
            return true;
        }
        if (mouse->button() == Qt::LeftButton && leftClicks_ != LeftClicks::Ignored) {
            const auto *picture = qobject_cast<const PictureView *>(watched);
            if (type == QEvent::MouseButtonPress && picture != nullptr &&
                (picture->turnsInPlace() || picture->slides())) {
                // A knob or a slide waits for the release: a press that never moved is its left
                // click.
                pressedAt_ = mouse->position();
                lastAt_ = pressedAt_;
                lastTime_ = mouse->timestamp();
                turning_ = false;
                pressed_ = true;
                dragRest_ = 0.0;
                fineDragRest_ = 0.0;
                return true;
            }
            const QPointer<QObject> alive(watched);
            DispatchEvent(panel_, control_,
                          type == QEvent::MouseButtonDblClick ? EVENT_LEFT_DOUBLE_CLICK
                                                              : EVENT_LEFT_CLICK,
                          unscaled(mouse->position()).y(), unscaled(mouse->position()).x());
            // A button still on the screen goes on to its commit when released; one that the
            // left click took away (a closed panel) must not see the press at all.
            const auto *widget = qobject_cast<const QWidget *>(alive.data());
            return leftClicks_ == LeftClicks::Reported || widget == nullptr || !widget->isVisible();
        }
        return false;
    }

private:
    double scale() const {
        const Panel *owner = FindPanel(panel_);
        return owner != nullptr && owner->scale > 0.0 ? owner->scale : 1.0;
    }

    /// Callbacks see the mouse where it lies on the stored (unscaled) control.
    QPoint unscaled(QPointF at) const { return (at / scale()).toPoint(); }

    /// Motion and release after a press on a knob or slide picture: beyond kDragThreshold the
    /// motion turns the knob, vertically (up is clockwise) when pressed near its hub, around the
    /// hub when pressed on its rim, or moves a slide's lever to the stop under the mouse; a
    /// release that never moved is the left click.
    bool turn(QWidget *widget, QMouseEvent *event) {
        if (!pressed_ || widget == nullptr) {
            return false;
        }
        const QPointF at = event->position();
        if (event->type() == QEvent::MouseButtonRelease) {
            if (event->button() != Qt::LeftButton) {
                return true;
            }
            pressed_ = false;
            widget->setCursor(Qt::OpenHandCursor);
            if (!turning_) {
                const QPoint click = unscaled(pressedAt_);
                DispatchEvent(panel_, control_, EVENT_LEFT_CLICK, click.y(), click.x());
            }
            return true;
        }
        const double pixels = scale();
        const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
        if (!turning_) {
            if (QLineF(pressedAt_, at).length() < kDragThreshold * pixels) {
                return true;
            }
            turning_ = true;
            widget->setCursor(Qt::ClosedHandCursor);
            const double radius = std::min(widget->width(), widget->height()) / 2.0;
            aroundHub_ = QLineF(centre, pressedAt_).length() > radius / 2.0;
        }
        if (const auto *picture = qobject_cast<const PictureView *>(widget);
            picture != nullptr && picture->slides()) {
            slide(*picture, at);
            return true;
        }
        double travel = 0.0;
        if (aroundHub_) {
            double degrees = clockAngle(at, centre) - clockAngle(lastAt_, centre);
            degrees -= 360.0 * std::round(degrees / 360.0);
            const double minRadius = std::min(widget->width(), widget->height()) / 4.0;
            travel = degrees * std::numbers::pi / 180.0 *
                     std::max(QLineF(centre, at).length(), minRadius);
        } else {
            travel = lastAt_.y() - at.y();
        }
        travel /= pixels;
        const quint64 elapsed = event->timestamp() - lastTime_;
        if (lastTime_ != 0 && elapsed > 0 && std::abs(travel) / double(elapsed) > kFastDrag) {
            travel *= 2.0;
        }
        lastAt_ = at;
        lastTime_ = event->timestamp();
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        const double perStep = kDragStep * fineDivisor(modifiers);
        dragRest_ += travel;
        const int steps = static_cast<int>(dragRest_ / perStep);
        dragRest_ -= steps * perStep;
        int tenths = steps * kModifierFactor;
        if (fineDivisor(modifiers) != 1) {
            // With Ctrl every kDragStep is a tenth of a step.
            fineDragRest_ += travel;
            tenths = static_cast<int>(fineDragRest_ / kDragStep);
            fineDragRest_ -= tenths * kDragStep;
        }
        report(steps * coarseFactor(modifiers), tenths * coarseFactor(modifiers));
        return true;
    }

    /// Over a picture the wheel turns the command one step per notch; other kinds handle it
    /// themselves. Fine-grained wheels add up to whole notches; notches in quick succession
    /// count double, then four times. With Ctrl every notch is also reported as a tenth of a
    /// step, for the controls that take fine steps.
    bool wheel(QWheelEvent *event) {
        Control *control = FindControl(panel_, control_);
        if (control == nullptr || control->definition.kind != CTRL_PICTURE) {
            return false;
        }
        event->accept();
        if (control->dimmed) {
            return true;
        }
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        // Some platforms turn a Shift+wheel into a sideways one.
        const QPoint delta = event->angleDelta();
        const int notch = 120 * fineDivisor(modifiers);
        const quint64 now = event->timestamp();
        fastNotches_ = lastWheel_ != 0 && now > lastWheel_ && now - lastWheel_ < kFastNotch
                           ? fastNotches_ + 1
                           : 0;
        lastWheel_ = now;
        const int turned = delta.y() != 0 ? delta.y() : delta.x();
        wheelRest_ += turned;
        const int notches = wheelRest_ / notch;
        wheelRest_ -= notches * notch;
        int tenths = notches * kModifierFactor;
        if (fineDivisor(modifiers) != 1) {
            fineWheelRest_ += turned;
            tenths = fineWheelRest_ / 120;
            fineWheelRest_ -= tenths * 120;
        }
        const int speed = (fastNotches_ >= 6   ? 4
                           : fastNotches_ >= 3 ? 2
                                               : 1) *
                          coarseFactor(modifiers);
        report(notches * speed, tenths * speed);
        return true;
    }

    /// Hands a turn to the callback: whole steps, and the same turn in tenths of a step.
    void report(int steps, int tenths) {
        const Control *control = FindControl(panel_, control_);
        if ((steps != 0 || tenths != 0) && control != nullptr && !control->dimmed) {
            DispatchEvent(panel_, control_, EVENT_MOUSE_WHEEL, steps, tenths);
        }
    }

    /// A slide's lever dragged: the lever goes to the stop nearest the mouse, as the wheel
    /// would move it (a notch up is one stop towards stop 0).
    void slide(const PictureView &picture, QPointF at) {
        const Control *control = FindControl(panel_, control_);
        const int stop = picture.nearestStop(at);
        if (control == nullptr || stop < 0 || stop == control->leverPosition) {
            return;
        }
        const int steps = control->leverPosition - stop;
        report(steps, steps * kModifierFactor);
    }

    int panel_;
    int control_;
    LeftClicks leftClicks_;
    int wheelRest_ = 0;
    int fineWheelRest_ = 0;
    quint64 lastWheel_ = 0;
    int fastNotches_ = 0;
    bool pressed_ = false;
    bool turning_ = false;
    bool aroundHub_ = false;
    QPointF pressedAt_;
    QPointF lastAt_;
    quint64 lastTime_ = 0;
    double dragRest_ = 0.0;
    double fineDragRest_ = 0.0;
};

/// A label above a list or text box, as the engine shows a control's label.
QWidget *labelled(QWidget *inner, const std::string &label, QWidget *parent, QLabel **labelOut) {
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto *caption = new QLabel(QText(StripAccelerator(Tr(label.c_str()))), box);
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

} // namespace

QWidget *CreateView(Panel &panel, Control &control, QWidget *canvas) {
    const ControlSpec &definition = control.definition;
    const QColor colour = ColourOf(definition.color);
    QWidget *view = nullptr;
    LeftClicks leftClicks = LeftClicks::Ignored;
    switch (definition.kind) {
    case CTRL_TIMER:
        return nullptr;
    case CTRL_PICTURE:
        view =
            new PictureView(definition.image.empty() ? QString() : ResourcePath(definition.image),
                            QText(definition.constant), canvas);
        if (static_cast<PictureView *>(view)->turnsInPlace() ||
            static_cast<PictureView *>(view)->slides()) {
            view->setCursor(Qt::OpenHandCursor);
        }
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
        view = new TextView(ShownText(control.text), colour, canvas);
        leftClicks = LeftClicks::Reported;
        if (definition.callback.empty()) {
            view->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        break;
    case CTRL_LED:
        view = new LedView(ShownText(control.label), colour, canvas);
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
        auto *button =
            new QPushButton(QText(AcceleratorToMnemonic(Tr(control.label.c_str()))), canvas);
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
            auto *shortcut = new QShortcut(QKeySequence(QText(definition.shortcut)), panel.window);
            QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        }
        view = button;
        break;
    }
    case CTRL_RING: {
        auto *combo = new QComboBox(canvas);
        combo->addItems(ItemLabels(control));
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
        // An indicator shows its text in the program's language; a field the user types into shows
        // what it holds.
        auto *edit = new QLineEdit(
            definition.readOnly ? ShownText(control.text) : QText(control.text), canvas);
        // An indicator that the program writes: no caret, no typing, no focus.
        if (definition.readOnly) {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
            // Nothing to type into, so a left click is the program's to act on.
            leftClicks = LeftClicks::Reported;
        }
        view = edit;
        break;
    }
    case CTRL_KNOB: {
        auto *knob = new KnobView(canvas);
        knob->setRange(control.min, control.max, control.increment);
        knob->setValueFormat(DecimalsFor(control));
        knob->setValue(control.number);
        view = knob;
        break;
    }
    case CTRL_SLIDE:
        view = new SlideView(ItemLabels(control), canvas);
        break;
    }
    view->setObjectName(QText(definition.constant));
    auto *filter = new ClickFilter(panel.handle, control.id, leftClicks, view);
    view->installEventFilter(filter);
    for (QWidget *inner : view->findChildren<QWidget *>()) {
        inner->installEventFilter(filter);
    }
    connectUserEvents(panel, control, view);
    return view;
}
