#include "framework/core/Variant.h"

#include "framework/core/Convert.h"

int32_t Variant::VarType() const {
    switch (v_.index()) {
        case 1: return 2;
        case 2: return 5;
        case 3: return 11;
        case 4: return 8;
        case 5: return 9;
        default: return 0;
    }
}

int32_t Variant::ToInt32() const {
    if (auto i = std::get_if<int32_t>(&v_)) return *i;
    if (auto d = std::get_if<double>(&v_)) return Int(*d);
    if (auto b = std::get_if<bool>(&v_)) return *b ? 1 : 0;
    if (auto s = std::get_if<QString>(&v_)) return s->toInt();
    return 0;
}

double Variant::ToDouble() const {
    if (auto i = std::get_if<int32_t>(&v_)) return *i;
    if (auto d = std::get_if<double>(&v_)) return *d;
    if (auto b = std::get_if<bool>(&v_)) return *b ? 1 : 0;
    if (auto s = std::get_if<QString>(&v_)) return s->toDouble();
    return 0;
}

bool Variant::ToBoolean() const {
    if (auto b = std::get_if<bool>(&v_)) return *b;
    if (auto i = std::get_if<int32_t>(&v_)) return *i != 0;
    if (auto d = std::get_if<double>(&v_)) return *d != 0;
    if (auto s = std::get_if<QString>(&v_)) return s->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    return false;
}

QString Variant::ToString() const {
    if (auto s = std::get_if<QString>(&v_)) return *s;
    if (auto i = std::get_if<int32_t>(&v_)) return QString::number(*i);
    if (auto d = std::get_if<double>(&v_)) return QString::number(*d);
    if (auto b = std::get_if<bool>(&v_)) return *b ? QStringLiteral("True") : QStringLiteral("False");
    return QString();
}
