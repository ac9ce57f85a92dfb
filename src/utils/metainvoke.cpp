#include "metainvoke.h"

#include "logging/log.h"
#include "utils/metatypes.h"

#include <QMetaMethod>
#include <QObject>

#include <array>

namespace dorvo_preview {

namespace {

constexpr int kMaxArgs = 10;

int findMethod(const QMetaObject* meta, const QByteArray& name, int argc)
{
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() != QMetaMethod::Slot && m.methodType() != QMetaMethod::Method)
            continue;
        if (m.name() == name && m.parameterCount() == argc)
            return i;
    }
    return -1;
}

bool convertTo(QVariant& value, int type)
{
    static const int stdStringType = qMetaTypeId<std::string>();
    if (value.userType() == type)
        return true;
    if (type == stdStringType) {
        if (!value.canConvert<QString>())
            return false;
        value = QVariant::fromValue(value.toString().toStdString());
        return true;
    }
    if (value.userType() == stdStringType) {
        QString text = QString::fromStdString(value.value<std::string>());
        value = QVariant(text);
    }
    if (type == QMetaType::QVariant)
        return true;
    return value.convert(type);
}

bool invoke(QObject* target, const char* method, const QVariantList& args, bool quietIfMissing)
{
    if (!target || !method)
        return false;
    if (args.size() > kMaxArgs)
        return false;
    const QMetaObject* meta = target->metaObject();
    const int index = findMethod(meta, QByteArray(method), args.size());
    if (index < 0) {
        if (quietIfMissing)
            LOG_D("%s has no operation %s", meta->className(), method);
        else
            LOG_E("%s has no operation %s", meta->className(), method);
        return false;
    }
    const QMetaMethod m = meta->method(index);
    QVariantList values = args;
    std::array<QGenericArgument, kMaxArgs> generic{};
    for (int i = 0; i < values.size(); ++i) {
        const int type = m.parameterType(i);
        if (!convertTo(values[i], type)) {
            LOG_E("%s::%s argument %d does not convert to %s", meta->className(), method, i,
                  QMetaType::typeName(type));
            return false;
        }
        const void* data =
            type == QMetaType::QVariant ? static_cast<const void*>(&values[i]) : values[i].constData();
        generic[i] = QGenericArgument(m.parameterTypes().at(i).constData(), data);
    }
    return m.invoke(target, Qt::AutoConnection, generic[0], generic[1], generic[2], generic[3], generic[4],
                    generic[5], generic[6], generic[7], generic[8], generic[9]);
}

} // namespace

bool invokeByName(QObject* target, const char* method, const QVariantList& args)
{
    return invoke(target, method, args, false);
}

bool invokeIfPresent(QObject* target, const char* method, const QVariantList& args)
{
    return invoke(target, method, args, true);
}

} // namespace dorvo_preview
