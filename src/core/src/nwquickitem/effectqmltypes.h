#pragma once

namespace dorvo_preview {

// Registers the page-effect items with the QML engine (com.kest.effect 1.0).
// Safe to call more than once.
void registerEffectQmlTypes();

} // namespace dorvo_preview
