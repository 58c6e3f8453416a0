// The framework's plug-in parts, found by name at start-up.
#include <QSet>
#include <stdexcept>

#include "framework/runtime/Runtime.h"

namespace {

// What each plug-in name resolves to in this framework.
const char* const kPlugins[] = {"BevelButton", "UpDownArrows", "Separator", "DisclosureTriangle", "ImageWell",
                                "QTGraphicsExporter", "Shell", "XmlDocument"};

QSet<QString>& resolved() {
    static QSet<QString> names;
    return names;
}

bool provided(const QString& name) {
    for (const char* plugin : kPlugins)
        if (name == QLatin1String(plugin)) return true;
    return false;
}

}  // namespace

void resolvePluginEntrypoints(const QStringList& names) {
    for (const QString& name : names) {
        if (!provided(name))
            throw std::runtime_error(
                QStringLiteral("the plug-in entry point \"%1\" cannot be resolved").arg(name).toStdString());
        resolved().insert(name);
    }
}

void _InitPluginEntrypoints() {
    QStringList names;
    for (const char* plugin : kPlugins) names.append(QString::fromLatin1(plugin));
    resolvePluginEntrypoints(names);
}

bool pluginEntrypointResolved(const QString& name) { return resolved().contains(name); }
