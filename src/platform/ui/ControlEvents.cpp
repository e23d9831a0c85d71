#include "platform/ui/ControlEvents.h"

#include "platform/ui/Form.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace platform {
namespace {

// Runs a control's handler, which may show a box in whose event loop the control's window is deleted, this
// filter and its handler with it. Returns whether the control is still there.
template <class Handler, class... Args>
bool runGuarded(QObject* control, const Handler& handler, Args&... args) {
    const QPointer<QObject> alive(control);
    const Handler running = handler;
    running(args...);
    return !alive.isNull();
}

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QWidget* control, KeyPressHandler handler)
        : QObject(control), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || reentered_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        int ascii = asciiOf(*key);
        if (ascii < 0)
            return false;
        const int original = ascii;
        if (!runGuarded(watched, handler_, ascii))
            return true;
        if (ascii == original)
            return false;
        if (ascii != 0) {
            // A handler that changed the character gets the new one typed instead.
            QKeyEvent replaced(QEvent::KeyPress, keyFor(ascii), key->modifiers(), QString(QChar(ascii)));
            reentered_ = true;
            QCoreApplication::sendEvent(watched, &replaced);
            reentered_ = false;
        }
        return true;
    }

private:
    static int asciiOf(const QKeyEvent& key) {
        if (key.key() == Qt::Key_Backspace)
            return 8;
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
            return 13;
        if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return -1;
        const QString text = key.text();
        if (text.size() != 1 || !text.at(0).isPrint())
            return -1;
        return text.at(0).unicode();
    }
    static int keyFor(int ascii) {
        if (ascii == 8)
            return Qt::Key_Backspace;
        if (ascii == 13)
            return Qt::Key_Return;
        return QChar(ascii).toUpper().unicode();
    }

    KeyPressHandler handler_;
    bool reentered_ = false;
};

// Set while a lost-focus check puts the focus back; and the control it last put the focus back on.
int returningFocus = 0;
QPointer<QWidget> focusReturnedTo;

// A click whose focus change was refused by a lost-focus check does not reach the control it was meant
// for: the application sees the press right after that focus change, and drops it.
class RefusedPressFilter : public QObject {
public:
    static void dropNextPressOn(QWidget* target) {
        static RefusedPressFilter* filter = [] {
            auto* f = new RefusedPressFilter;
            f->setParent(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(f);
            return f;
        }();
        filter->target_ = target;
        // The press is delivered as soon as the focus change returns; nothing is dropped after it.
        QTimer::singleShot(0, filter, [] { filter->target_ = nullptr; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress || !target_ || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget != target_ && !target_->isAncestorOf(widget))
            return false;
        target_ = nullptr;
        return true;
    }

private:
    QPointer<QWidget> target_;
};

class FocusFilter : public QObject {
public:
    FocusFilter(QWidget* control, QEvent::Type type, std::function<void()> handler)
        : QObject(control), type_(type), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != type_)
            return false;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        // The focus change goes on with this window's controls once the handler has returned.
        Form* form = qobject_cast<Form*>(static_cast<QWidget*>(watched)->window());
        std::optional<Form::Delivery> delivery;
        if (form)
            delivery.emplace(*form);
        if (type_ == QEvent::FocusIn)
            return !runGuarded(watched, handler_);
        if (returningFocus > 0)
            return false;
        const QPointer<QWidget> control = static_cast<QWidget*>(watched);
        const QPointer<QWidget> next = QApplication::focusWidget();
        focusReturnedTo = nullptr;
        // A control that went with its window has nothing left to deliver the event to.
        if (!runGuarded(watched, handler_))
            return true;
        if (focusReturnedTo != control)
            return false;
        // The check put the focus back: a click that moved it does not go on, and the control, which has
        // the focus again, does not see this stale focus change (a line edit would drop its selection).
        if (reason == Qt::MouseFocusReason && next && next != control)
            RefusedPressFilter::dropNextPressOn(next);
        return true;
    }

private:
    QEvent::Type type_;
    std::function<void()> handler_;
};

class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* control, std::function<void()> handler)
        : QObject(control), control_(control), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = pressed_ && mouse->button() == Qt::LeftButton &&
                           control_->rect().contains(mouse->position().toPoint());
        pressed_ = false;
        if (click)
            handler_();
        return false;
    }

private:
    QWidget* control_;
    std::function<void()> handler_;
    bool pressed_ = false;
};

} // namespace

void onKeyPress(QWidget* control, KeyPressHandler handler) {
    control->installEventFilter(new KeyPressFilter(control, std::move(handler)));
}

void onGotFocus(QWidget* control, std::function<void()> handler) {
    control->installEventFilter(new FocusFilter(control, QEvent::FocusIn, std::move(handler)));
}

void onLostFocus(QWidget* control, std::function<void()> handler) {
    control->installEventFilter(new FocusFilter(control, QEvent::FocusOut, std::move(handler)));
}

void returnFocus(QWidget* control) {
    ++returningFocus;
    control->setFocus(Qt::OtherFocusReason);
    --returningFocus;
    focusReturnedTo = control;
}

void keepNumberKeys(int& keyAscii, QLatin1StringView alsoKept) {
    const bool kept = (keyAscii >= '0' && keyAscii <= '9') || keyAscii == 13 || keyAscii == 8 ||
                      (keyAscii < 128 && alsoKept.contains(QLatin1Char(char(keyAscii))));
    if (!kept)
        keyAscii = 0;
}

void onClick(QWidget* control, std::function<void()> handler) {
    control->installEventFilter(new ClickFilter(control, std::move(handler)));
}

} // namespace platform
