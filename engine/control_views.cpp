#include "engine/control_views.h"

#include "engine/control_widgets.h"
#include "engine/dispatch.h"
#include "engine/graph_widget.h"
#include "engine/view_format.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

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

/// A label above a list or text box, as the engine shows a control's label.
QWidget *labelled(QWidget *inner, const std::string &label, QWidget *parent, QLabel **labelOut) {
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto *caption = new QLabel(QText(StripAccelerator(label)), box);
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
        view = new TextView(QText(control.text), colour, canvas);
        leftClicks = LeftClicks::Reported;
        if (definition.callback.empty()) {
            view->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        break;
    case CTRL_LED:
        view = new LedView(QText(control.label), colour, canvas);
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
        auto *button = new QPushButton(QText(AcceleratorToMnemonic(control.label)), canvas);
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
        auto *edit = new QLineEdit(QText(control.text), canvas);
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
