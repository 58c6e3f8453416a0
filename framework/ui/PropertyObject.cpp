#include "framework/ui/PropertyObject.h"

#include <stdexcept>

namespace {

const char* typeName(PropertyType type) {
    switch (type) {
    case PropertyType::Int32: return "Int32";
    case PropertyType::Boolean: return "Boolean";
    case PropertyType::Color: return "Color";
    case PropertyType::String: return "String";
    }
    return "?";
}

PropertyType typeOf(const PropertyValue& value) {
    switch (value.index()) {
    case 0: return PropertyType::Int32;
    case 1: return PropertyType::Boolean;
    case 2: return PropertyType::Color;
    default: return PropertyType::String;
    }
}

}  // namespace

const PropertyObject::Property& PropertyObject::find(const QString& name) const {
    auto it = properties_.find(name.toLower());
    if (it == properties_.end())
        throw std::invalid_argument(
            QStringLiteral("%1 has no property \"%2\"").arg(describe(), name).toStdString());
    return it->second;
}

void PropertyObject::declare(Property p) {
    const QString key = p.name.toLower();
    if (!properties_.count(key)) order_.append(p.name);
    properties_[key] = std::move(p);
}

bool PropertyObject::HasProperty(const QString& name) const { return properties_.count(name.toLower()) != 0; }

PropertyType PropertyObject::TypeOfProperty(const QString& name) const { return find(name).type; }

void PropertyObject::SetProperty(const QString& name, const PropertyValue& value) {
    const Property& p = find(name);
    if (typeOf(value) != p.type)
        throw std::invalid_argument(QStringLiteral("property \"%1\" of %2 is %3, not %4")
                                        .arg(p.name, describe(), QLatin1String(typeName(p.type)),
                                             QLatin1String(typeName(typeOf(value))))
                                        .toStdString());
    p.set(value);
}

PropertyValue PropertyObject::GetProperty(const QString& name) const { return find(name).get(); }

QStringList PropertyObject::PropertyNames() const { return order_; }

void PropertyObject::DeclareInt32(const char* name, std::function<int32_t()> get, std::function<void(int32_t)> set) {
    declare({QString::fromLatin1(name), PropertyType::Int32, [get] { return PropertyValue(get()); },
             [set](const PropertyValue& v) { set(std::get<int32_t>(v)); }});
}

void PropertyObject::DeclareBoolean(const char* name, std::function<bool()> get, std::function<void(bool)> set) {
    declare({QString::fromLatin1(name), PropertyType::Boolean, [get] { return PropertyValue(get()); },
             [set](const PropertyValue& v) { set(std::get<bool>(v)); }});
}

void PropertyObject::DeclareColor(const char* name, std::function<Color()> get, std::function<void(Color)> set) {
    declare({QString::fromLatin1(name), PropertyType::Color, [get] { return PropertyValue(get()); },
             [set](const PropertyValue& v) { set(std::get<Color>(v)); }});
}

void PropertyObject::DeclareString(const char* name, std::function<QString()> get,
                                   std::function<void(const QString&)> set) {
    declare({QString::fromLatin1(name), PropertyType::String, [get] { return PropertyValue(get()); },
             [set](const PropertyValue& v) { set(std::get<QString>(v)); }});
}

void PropertyObject::DeclareStoredInt32(const char* name, int32_t* field) {
    DeclareInt32(name, [field] { return *field; }, [field](int32_t v) { *field = v; });
}

void PropertyObject::DeclareStoredBoolean(const char* name, bool* field) {
    DeclareBoolean(name, [field] { return *field; }, [field](bool v) { *field = v; });
}

void PropertyObject::DeclareStoredString(const char* name, QString* field) {
    DeclareString(name, [field] { return *field; }, [field](const QString& v) { *field = v; });
}
