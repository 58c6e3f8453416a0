#include "app/ProgramIdentity.h"

AppIdentity ProgramIdentity() {
    return {.name = QStringLiteral("Zentravelle"),
            .instanceName = QStringLiteral("zentravelle.instance"),
            .cacheFolderName = QStringLiteral("zentravelle"),
            .toolsFolderName = QStringLiteral("zentravelle"),
            .resourceRoot = QStringLiteral(":/resources")};
}
