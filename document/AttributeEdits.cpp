#include "document/AttributeEdits.h"

#include <algorithm>

namespace AttributeEdits {

namespace {

const Attribute* find(const QList<Attribute>& attributes, const QString& name) {
    const auto found = std::find_if(attributes.begin(), attributes.end(),
                                    [&name](const Attribute& attribute) { return attribute.first == name; });
    return found == attributes.end() ? nullptr : &*found;
}

} // namespace

bool isName(const QString& name) {
    const QString local = name.startsWith(QLatin1String("xml:")) ? name.mid(4) : name;
    if (local.isEmpty() || !(local[0].isLetter() || local[0] == '_') ||
        local.startsWith(QLatin1String("xmlns"), Qt::CaseInsensitive))
        return false;
    return std::all_of(local.begin(), local.end(),
                       [](QChar c) { return c.isLetterOrNumber() || c == '.' || c == '-' || c == '_'; });
}

void setOrRemove(XmlNode& element, const QString& name, const QString& value) {
    if (value.isEmpty())
        element.removeAttribute(name);
    else
        element.setAttribute(name, value);
}

QList<Attribute> others(const QList<Attribute>& attributes, const QStringList& shown) {
    QList<Attribute> rest;
    for (const Attribute& attribute : attributes) {
        if (!shown.contains(attribute.first))
            rest.append(attribute);
    }
    return rest;
}

void updateOthers(XmlNode& element, const QList<Attribute>& before, const QList<Attribute>& after) {
    for (const Attribute& old : before) {
        if (!find(after, old.first))
            element.removeAttribute(old.first);
    }
    for (const Attribute& now : after) {
        const Attribute* old = find(before, now.first);
        if (!old || old->second != now.second)
            element.setAttribute(now.first, now.second);
    }
}

} // namespace AttributeEdits
