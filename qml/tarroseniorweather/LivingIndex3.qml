import QtQuick 2.15

// LivingIndex in one row (style 3).
LivingIndex { form: "row" }
