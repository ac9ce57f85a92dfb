import QtQuick 2.15

// ComfortLevel in one row (style 3).
ComfortLevel { form: "row" }
