#include "platform/ui/Form.h"

#include "platform/ui/FormRegistry.h"

#include <QCloseEvent>
#include <QEvent>

namespace platform {

Form::Form(FormRegistry& registry) : QWidget(nullptr), registry_(&registry) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form() {
    if (registry_)
        registry_->formUnloaded(this);
}

FormRegistry& Form::registry() const {
    return *registry_;
}

FormRegistry* Form::liveRegistry() const {
    return registry_.data();
}

void Form::Show() {
    // An unloaded window is on its way out (perhaps after its registry): it is not shown again.
    if (unloaded_ || !registry_)
        return;
    const QPointer<Form> self(this);
    // A window that starts minimised is minimised once it is on screen: X window managers map a window that
    // asked for it before as a normal one.
    const bool startsMinimised = isMinimized() && !isVisible();
    if (startsMinimised)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    if (!self || unloaded_)
        return;
    if (startsMinimised) {
        // Raising or activating would restore it.
        setWindowState(windowState() | Qt::WindowMinimized);
        return;
    }
    raise();
    activateWindow();
    // Showing makes the window the active one at once, as the forms expect; the window system's own
    // activation event that follows finds it active already and runs nothing twice.
    if (!isMinimized())
        registry_->formActivated(this);
}

void Form::Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    if (registry_)
        registry_->formUnloaded(this);
    hide();
    // Unload often comes from one of the window's own handlers, which still runs on this object.
    deleteLater();
}

Form::Delivery::~Delivery() {
    if (form_ && --form_->delivering_ == 0 && form_->deleteAfterDelivery_)
        form_->deleteLater();
}

bool Form::event(QEvent* e) {
    if (e->type() == QEvent::DeferredDelete && delivering_ > 0) {
        deleteAfterDelivery_ = true;
        return true;
    }
    if (e->type() == QEvent::WindowActivate && !unloaded_ && registry_) {
        // The window system activates the window's other parts after this one.
        const Delivery delivery(*this);
        registry_->formActivated(this);
    }
    return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent* e) {
    bool cancel = false;
    const QPointer<Form> self(this);
    Form_Unload(cancel);
    if (!self)
        return;
    if (cancel || unloaded_) {
        e->ignore();
        return;
    }
    e->accept();
    Unload();
}

} // namespace platform
