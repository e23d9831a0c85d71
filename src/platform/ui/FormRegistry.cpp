#include "platform/ui/FormRegistry.h"

namespace platform {

FormRegistry::FormRegistry(Environment& env) : env_(env) {}

FormRegistry::~FormRegistry() {
    unloadAll();
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
