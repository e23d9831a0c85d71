#pragma once

#include "platform/Environment.h"
#include "platform/ui/Form.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <typeindex>

namespace platform {

// Holds the one instance of every window. A window is created and loaded the first time anything touches
// it, and forgotten when it unloads.
class FormRegistry : public QObject {
    Q_OBJECT
public:
    explicit FormRegistry(Environment& env);
    ~FormRegistry() override;

    Environment& env() const { return env_; }

    // The instance of T, created and loaded (hidden) if there is none.
    template <class T> T& get() { return getFor<T>(*this); }

    template <class T> T* find() const {
        auto it = forms_.find(std::type_index(typeid(T)));
        if (it == forms_.end() || it->second.isNull() || it->second->isUnloaded())
            return nullptr;
        return static_cast<T*>(it->second.data());
    }

    template <class T> bool isLoaded() const { return find<T>() != nullptr; }

    // The window that last became active among the program's own; activation from another application
    // or from a message box does not count as a change.
    Form* activeForm() const { return active_; }
    void formActivated(Form* form);
    void formUnloaded(Form* form);

    // Deletes every window at once (tests and program end).
    void unloadAll();

protected:
    // get() for a registry that hands its windows itself as `owner` (a derived registry), so that they hold
    // it by its own type.
    template <class T, class Owner> T& getFor(Owner& owner) {
        if (T* existing = find<T>())
            return *existing;
        T* form = new T(owner);
        forms_[std::type_index(typeid(T))] = form;
        // Registered before loading, so a touch from inside Form_Load finds this same instance.
        form->Form_Load();
        return *form;
    }

private:
    Environment& env_;
    std::map<std::type_index, QPointer<Form>> forms_;
    QPointer<Form> active_;
};

} // namespace platform
