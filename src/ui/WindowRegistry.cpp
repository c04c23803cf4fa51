#include "ui/WindowRegistry.h"

#include <QHash>

#include "ui/LaterVersion.h"

namespace {

struct Entry {
    const void* owner = nullptr;
    WindowShower show;
};

QHash<QString, Entry>& Windows() {
    static QHash<QString, Entry> windows;
    return windows;
}

}  // namespace

void RegisterWindow(const QString& name, WindowShower show) { RegisterWindow(name, nullptr, std::move(show)); }

void RegisterWindow(const QString& name, const void* owner, WindowShower show) {
    if (show)
        Windows().insert(name, Entry{owner, std::move(show)});
    else
        Windows().remove(name);
}

void UnregisterWindow(const QString& name, const void* owner) {
    auto it = Windows().find(name);
    if (it != Windows().end() && it->owner == owner) Windows().erase(it);
}

bool IsWindowRegistered(const QString& name) { return Windows().contains(name); }

bool ShowWindow(const QString& name, const QString& argument) {
    auto it = Windows().constFind(name);
    if (it == Windows().constEnd()) {
        ShowLaterVersion();
        return false;
    }
    // A copy: showing a window may register others.
    const WindowShower show = it->show;
    show(argument);
    return true;
}
