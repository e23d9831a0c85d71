#pragma once

#include "platform/Environment.h"
#include "platform/ui/Form.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
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
    template <class T> T& get() {
        if (T* existing = find<T>())
            return *existing;
        T* form = new T(*this);
        forms_[std::type_index(typeid(T))] = form;
        // Registered before loading, so a touch from inside Form_Load finds this same instance.
        form->Form_Load();
        return *form;
    }

    template <class T> T* find() const {
        auto it = forms_.find(std::type_index(typeid(T)));
        if (it == forms_.end() || it->second.isNull() || it->second->isUnloaded())
            return nullptr;
        return static_cast<T*>(it->second.data());
    }

    template <class T> bool isLoaded() const { return find<T>() != nullptr; }

    // Windows that reach each other both ways do so by name, without each other's headers; declare() says
    // which window a name stands for.
    template <class T> void declare(const QString& name) {
        named_.insert_or_assign(name,
                                Named{std::type_index(typeid(T)), [this]() -> Form& { return get<T>(); }});
    }
    // The named window, created and loaded (hidden) if there is none. Throws std::logic_error for a name
    // never declared.
    Form& get(const QString& name);
    // The named window if it is loaded.
    Form* find(const QString& name) const;

    // The window that last became active among the program's own; activation from another application
    // or from a message box does not count as a change.
    Form* activeForm() const { return active_; }
    void formActivated(Form* form);
    void formUnloaded(Form* form);

    // Deletes every window at once (tests and program end).
    void unloadAll();

private:
    Environment& env_;
    struct Named {
        std::type_index type;
        std::function<Form&()> load;
    };
    const Named& named(const QString& name) const;

    std::map<std::type_index, QPointer<Form>> forms_;
    std::map<QString, Named> named_;
    QPointer<Form> active_;
};

} // namespace platform
