#include "platform/ui/FormRegistry.h"

#include <stdexcept>

namespace platform {

FormRegistry::FormRegistry(Environment& env) : env_(env) {}

FormRegistry::~FormRegistry() {
    unloadAll();
}

const FormRegistry::Named& FormRegistry::named(const QString& name) const {
    const auto it = named_.find(name);
    if (it == named_.end())
        throw std::logic_error("no window is declared under the name " + name.toStdString());
    return it->second;
}

Form& FormRegistry::get(const QString& name) {
    return named(name).load();
}

Form* FormRegistry::find(const QString& name) const {
    const auto it = forms_.find(named(name).type);
    if (it == forms_.end() || it->second.isNull() || it->second->isUnloaded())
        return nullptr;
    return it->second.data();
}

void FormRegistry::formActivated(Form* form) {
    if (active_ == form)
        return;
    active_ = form;
    form->Form_Activate();
}

void FormRegistry::formUnloaded(Form* form) {
    for (auto it = forms_.begin(); it != forms_.end();) {
        if (it->second == form)
            it = forms_.erase(it);
        else
            ++it;
    }
    if (active_ == form)
        active_ = nullptr;
}

void FormRegistry::unloadAll() {
    auto forms = std::move(forms_);
    forms_.clear();
    active_ = nullptr;
    for (auto& [type, form] : forms)
        delete form.data();
}

} // namespace platform
