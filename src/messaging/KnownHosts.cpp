#include "messaging/KnownHosts.h"

#include <algorithm>

void KnownHosts::announced(const QString& name, const QString& sender) {
    const auto it = nameOf_.find(sender);
    if (it == nameOf_.end()) {
        nameOf_.insert(sender, name);
    } else if (*it != name) {
        const QString renamed = *it;
        *it = name;
        // Two computers may carry one name: it stays while another still announces it.
        if (std::find(nameOf_.cbegin(), nameOf_.cend(), renamed) == nameOf_.cend())
            remove(renamed);
    }
    if (!TempList_.contains(name, Qt::CaseSensitive))
        TempList_.append(name);
}

void KnownHosts::quit(const QString& name) {
    remove(name);
}

void KnownHosts::remove(const QString& name) {
    const auto at = TempList_.indexOf(name);
    if (at >= 0)
        TempList_.removeAt(at);
}
