import QtQuick 2.15

// ComfortLevel in a narrow column (style 4).
ComfortLevel { form: "narrow" }
