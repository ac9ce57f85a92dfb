#pragma once

namespace dorvo_preview {

// Registers the text painter and the page layout with the QML engine (module an.kest.text 1.0).
// Safe to call more than once.
void registerTextQmlTypes();

} // namespace dorvo_preview
