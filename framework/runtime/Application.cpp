#include "framework/runtime/Application.h"

#include <QCoreApplication>

QString Application::ShortVersion() const {
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral(ZEN_VERSION) : version;
}

void Application::_AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName.toLower()] = std::move(handler);
}

bool Application::handleMenu(const QString& itemName) {
    auto it = menuHandlers_.find(itemName.toLower());
    if (it == menuHandlers_.end() || !it->second) return false;
    auto handler = it->second;  // a copy: the handler may register others
    return handler();
}
