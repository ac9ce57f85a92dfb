#pragma once

#include <QVariant>

class QObject;

namespace dorvo_preview {

// Invokes the slot or invokable `method` of target by name with the given
// arguments (automatic connection: at once on the target's thread, queued
// from any other). The method is chosen by name and argument count; each
// argument is converted to the declared parameter type (std::string and
// QString convert into each other). Returns false, logging why, when there is
// no such method or an argument does not convert.
bool invokeByName(QObject* target, const char* method, const QVariantList& args);

// The same, but a missing method is logged at debug level only: for
// operations that only some kinds of target have.
bool invokeIfPresent(QObject* target, const char* method, const QVariantList& args);

} // namespace dorvo_preview
