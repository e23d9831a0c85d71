#pragma once

#include <QPointer>
#include <QWidget>

namespace platform {

class FormRegistry;

// A window with the life of a form: one instance, loaded on first touch (Form_Load),
// shown modeless, Form_Activate when it becomes the active one of the program's own windows, and unloaded
// when it closes (the next touch loads a fresh one).
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(FormRegistry& registry);
    ~Form() override;

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // Runs when the window is about to be unloaded; setting cancel keeps it.
    virtual void Form_Unload(bool& cancel) { Q_UNUSED(cancel); }

    // Shows the window modeless and makes it the active one.
    void Show();
    // Unloads the window as closing it does, without asking Form_Unload to agree.
    void Unload();
    bool isUnloaded() const { return unloaded_; }

    FormRegistry& registry() const;
    // Null once the registry is gone (a window deleted late in the program's life).
    FormRegistry* liveRegistry() const;

    // Held while a handler runs inside the window system's delivery of a focus change or an activation, whose
    // code goes on with the window's widgets afterwards. A window unloaded meanwhile (in a box's event loop)
    // is deleted once the delivery is over, not under it.
    class Delivery {
    public:
        explicit Delivery(Form& form) : form_(&form) { ++form.delivering_; }
        ~Delivery();
        Delivery(const Delivery&) = delete;
        Delivery& operator=(const Delivery&) = delete;

    private:
        QPointer<Form> form_;
    };

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // A window unloaded late in the program's life may be deleted after the registry is gone.
    QPointer<FormRegistry> registry_;
    bool unloaded_ = false;
    int delivering_ = 0;
    bool deleteAfterDelivery_ = false;
};

} // namespace platform
