import QtQuick 2.15

// LivingIndex in a narrow column (style 4).
LivingIndex { form: "narrow" }
