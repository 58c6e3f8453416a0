// The desktop record's reader: any bytes, binary or XML property list or not.
// Reading, looking up, changing and writing back must never crash, and what
// is written must read back.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "framework/desktop/DesktopRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DesktopRecord record = DesktopRecord::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString name = QStringLiteral("DP-1");
    (void)record.picture(name, true);
    (void)record.placement(name, true);
    (void)record.picture(QStringLiteral("default"), false);
    record.setPicture(name, true, QStringLiteral("/p/sea.jpg"));
    record.setPlacement(name, true, QStringLiteral("Tiled"));
    record.setPlacement(QStringLiteral("other"), false, QString());
    const QByteArray xml = record.toXml();
    if (xml.isEmpty()) return 0;
    const DesktopRecord again = DesktopRecord::fromBytes(xml);
    if (again.picture(name, true) != QStringLiteral("/p/sea.jpg") || again.placement(name, false) != QStringLiteral("Tiled"))
        std::abort();
    return 0;
}
